#include "config/RestartOption.h"

#include "config/ConfigFile.h"
#include "config/ConfigLines.h"

namespace kavro {

namespace {

constexpr std::string_view kRestartKey = "RESTART I/F";

std::string RestartLine(bool restart) {
  return restart ? "RESTART I/F: YES" : "RESTART I/F: NO";
}

}  // namespace

std::string WithRestartOption(std::string_view bytes, bool restart) {
  const std::string_view lineEnd =
      bytes.find('\r') == std::string_view::npos && bytes.find('\n') != std::string_view::npos
          ? "\n"
          : kCrLf;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find('\n', start);
    if (end == std::string_view::npos) end = bytes.size();
    std::string_view line = bytes.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::optional<std::string> key = LineKey(line);
    if (key && *key == kRestartKey) {
      return std::string(bytes.substr(0, start)) + RestartLine(restart) +
             std::string(bytes.substr(start + line.size()));
    }
    // The option is a top-level line: one inside a block is not it, so it goes in before.
    if (key && key->rfind("Start_", 0) == 0) {
      return std::string(bytes.substr(0, start)) + RestartLine(restart) + std::string(lineEnd) +
             std::string(bytes.substr(start));
    }
    start = end + 1;
  }
  std::string text(bytes);
  if (!text.empty() && text.back() != '\n') text += lineEnd;
  return text + RestartLine(restart) + std::string(lineEnd);
}

bool WriteRestartOption(Controller& controller) {
  const ControllerModel& model = controller.model;
  FileSystem& files = *controller.ports.files;
  const std::string path = ConfigPath(model);
  std::string bytes;
  if (!files.Exists(path)) return WriteConfig(controller);
  std::string failure;
  if (!files.ReadAll(path, bytes)) {
    failure = "cannot read " + path;
  } else if (files.WriteAtomic(path, WithRestartOption(bytes, model.RestartInterface), &failure)) {
    return true;
  }
  ShowConfigWriteFailure(controller, failure);
  return false;
}

}  // namespace kavro
