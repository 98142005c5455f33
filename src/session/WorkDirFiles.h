#pragma once
// Files the operator names from the File menu (screen images, trend exports): the name is asked
// for in an input box and the file always lands in WorkDir, written whole or not at all. A
// failure is told to the operator and the event log, and the controller goes on.
#include <optional>
#include <string>
#include <string_view>

#include "model/Controller.h"

namespace kavro {

// Asks for a file name (prompt, title ProductName) while the cycle's refresh is held. Trailing
// blanks are removed; an empty answer or Cancel gives nothing. A name that is not a plain file
// name (a folder in it, "..") is refused with a message that starts with failure. Otherwise
// the answer with extension appended: "plant1" + ".BMP" gives "plant1.BMP".
std::optional<std::string> AskWorkDirFileName(Controller& controller, const std::string& prompt,
                                              std::string_view extension,
                                              const std::string& failure);

// Writes bytes to WorkDir/fileName through a temporary file and a rename; false, told to the
// operator with failure, when it cannot be written (the old file, if any, is kept).
bool WriteWorkDirFile(Controller& controller, const std::string& fileName, const std::string& bytes,
                      const std::string& failure);

// Shows failure + ": " + why in a message titled ProductName and notes it in the event log.
void TellFileMenuFailure(Controller& controller, const std::string& failure,
                         const std::string& why);

}  // namespace kavro
