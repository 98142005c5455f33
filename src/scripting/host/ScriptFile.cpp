#include "scripting/host/ScriptFile.h"

#include "common/KavroError.h"

namespace kavro {
namespace {

// Calls each(line, number) for every line of bytes; a final line end opens no further line.
template <typename Each>
void ForEachLine(std::string_view bytes, Each&& each) {
  size_t start = 0;
  int number = 0;
  while (start < bytes.size()) {
    size_t end = bytes.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = bytes.size();
    each(bytes.substr(start, end - start), ++number);
    if (end < bytes.size() && bytes[end] == '\r' && end + 1 < bytes.size() &&
        bytes[end + 1] == '\n') {
      ++end;
    }
    start = end + 1;
  }
}

}  // namespace

ScriptFileContent ReadScriptFile(std::string_view bytes, ScriptKind kind) {
  const ScriptNames& names = NamesOf(kind);
  ScriptFileContent content;
  ForEachLine(bytes, [&](std::string_view line, int number) {
    if (line.find(names.statusOn) != std::string_view::npos) {
      content.switchedOn = true;
    } else if (line.find(names.statusOff) != std::string_view::npos) {
      content.switchedOn = false;
    } else if (ParseDateLine(line)) {
      // the date line of the save, or a line that is nothing but a date or time
    } else if (content.text.empty()) {
      if (line.empty()) return;
      content.text.assign(line);
      content.fileLines.push_back(number);
    } else {
      content.text.append("\r\n").append(line);
      content.fileLines.push_back(number);
    }
  });
  return content;
}

int FileLineOf(const std::vector<int>& fileLines, int textLine) {
  if (textLine < 1 || static_cast<size_t>(textLine) > fileLines.size()) return textLine;
  return fileLines[static_cast<size_t>(textLine - 1)];
}

std::string ScriptFileBytes(ScriptKind kind, std::string_view text, bool switchedOn,
                            const DateTime& savedAt) {
  const ScriptNames& names = NamesOf(kind);
  std::string bytes;
  bytes.reserve(text.size() + 64);
  bytes.append(switchedOn ? names.statusOn : names.statusOff).append("\r\n");
  bytes.append(GeneralDate(savedAt)).append("\r\n");
  ForEachLine(text, [&](std::string_view line, int) { bytes.append(line).append("\r\n"); });
  return bytes;
}

void WriteScriptFile(FileSystem& files, const std::string& workDir, ScriptKind kind,
                     std::string_view text, bool switchedOn, const DateTime& savedAt) {
  std::string why;
  if (!files.WriteAtomic(ScriptPath(workDir, kind),
                         ScriptFileBytes(kind, text, switchedOn, savedAt), &why)) {
    throw KavroError(errors::kPathFileAccess, why.empty() ? errors::kPathFileAccessText : why);
  }
}

}  // namespace kavro
