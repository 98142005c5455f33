#pragma once
// The names that become part of a path on the file link: the controller name Name1 (every link
// file is WorkDir/Name1 + extension) and Program_Interface (the link client program is
// WorkDir/Program_Interface). Both are typed by an operator, so they are checked here, in one
// place, before any file is touched or any program started: nothing outside WorkDir, ever.
#include <optional>
#include <string>
#include <string_view>

#include "model/ControllerModel.h"

namespace kavro {

inline constexpr std::string_view kTagExtension = ".Tag";
inline constexpr std::string_view kInExtension = ".IN";
inline constexpr std::string_view kInCopyExtension = ".INR";
inline constexpr std::string_view kOutExtension = ".OUT";
inline constexpr std::string_view kTestExtension = ".TST";

// True when name can stand for one file inside a folder: not blank, no path separator ("/",
// and "\" for names brought from the other platform), no NUL, and not "." or "..".
bool IsUsableFileName(std::string_view name);

// WorkDir + "/" + Name1 + extension; nothing when Name1 is not usable.
std::optional<std::string> LinkFilePath(const ControllerModel& model, std::string_view extension);

// The base name of the link client program: Program_Interface without trailing blanks.
std::string LinkClientName(const ControllerModel& model);

// The file link's check before it touches a file or starts a program: the operator's message
// when Name1 or the link client name cannot be used in a path; nothing when both are usable.
std::optional<std::string> UnusableLinkNameMessage(const ControllerModel& model);

}  // namespace kavro
