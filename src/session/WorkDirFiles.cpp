#include "session/WorkDirFiles.h"

#include "common/TextUtil.h"
#include "engine/EventNotes.h"
#include "link/LinkNames.h"
#include "model/CycleHold.h"

namespace kavro {

std::optional<std::string> AskWorkDirFileName(Controller& c, const std::string& prompt,
                                              std::string_view extension,
                                              const std::string& failure) {
  std::optional<std::string> answer;
  {
    CycleHoldGuard hold(c.model);
    answer = c.ports.op->InputBox(prompt, c.model.ProductName, "");
  }
  if (!answer) return std::nullopt;
  const std::string name = TrimRight(*answer);
  if (name.empty()) return std::nullopt;
  if (!IsUsableFileName(name)) {
    TellFileMenuFailure(c, failure,
                        "\"" + name + "\" is not a plain file name; the file is always saved in " +
                            c.model.WorkDir);
    return std::nullopt;
  }
  return name + std::string(extension);
}

bool WriteWorkDirFile(Controller& c, const std::string& fileName, const std::string& bytes,
                      const std::string& failure) {
  const std::string path = c.model.WorkDir + "/" + fileName;
  std::string error;
  if (c.ports.files->WriteAtomic(path, bytes, &error)) return true;
  TellFileMenuFailure(c, failure, path + ": " + (error.empty() ? "cannot be written" : error));
  return false;
}

void TellFileMenuFailure(Controller& c, const std::string& failure, const std::string& why) {
  const std::string text = failure + ": " + why;
  NoteEvent(c, EventKind::Control, text);
  c.ports.op->MessageBox(text, c.model.ProductName, MsgIcon::Exclamation, MsgButtons::OK);
}

}  // namespace kavro
