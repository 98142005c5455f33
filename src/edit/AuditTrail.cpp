#include "edit/AuditTrail.h"

#include <algorithm>

#include "config/ConfigLines.h"
#include "engine/EventNotes.h"

namespace kavro {

namespace {

std::string OneLineField(const std::string& text) {
  std::string field = text;
  std::replace_if(
      field.begin(), field.end(), [](char c) { return c == '\t' || c == '\r' || c == '\n'; }, ' ');
  return field;
}

}  // namespace

std::string AuditLine(const std::string& time, const std::string& login, const std::string& what,
                      const std::string& oldValue, const std::string& newValue) {
  return OneLineField(time) + '\t' + OneLineField(login) + '\t' + OneLineField(what) + '\t' +
         OneLineField(oldValue) + '\t' + OneLineField(newValue) + '\n';
}

std::string AuditPath(const ControllerModel& model) {
  return model.WorkDir + "/" + kAuditFileName;
}

void AuditTrail::Record(const std::string& what, const std::string& oldValue,
                        const std::string& newValue) {
  if (oldValue == newValue) return;
  const std::string line =
      AuditLine(sink_.Timestamp(), sink_.LoginName(), what, oldValue, newValue);
  const std::string path = AuditPath(controller_.model);
  if (sink_.Append(path, line) || failureNoted_) return;
  failureNoted_ = true;
  NoteEvent(controller_, EventKind::Configuration,
            "The audit trail cannot be written: " + path + kCrLf +
                "Changes are applied but not recorded until it can be written again");
}

std::vector<std::string> AuditLinesNewestFirst(FileSystem& files, const std::string& path) {
  std::string bytes;
  if (!files.Exists(path) || !files.ReadAll(path, bytes)) return {};
  std::vector<std::string> lines = SplitConfigLines(bytes);
  std::erase_if(lines, [](const std::string& line) { return line.empty(); });
  std::reverse(lines.begin(), lines.end());
  return lines;
}

}  // namespace kavro
