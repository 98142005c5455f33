// Fuzz target: the script files FLC_Pre.scp / FLC_Post.scp, read as start-up reads them. Whatever
// they hold, reading must not crash, and the text it keeps must hold together: no status line in
// it, no leading empty line, and one file line, rising, for each of its lines.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "scripting/host/ScriptFile.h"

namespace {

using namespace kavro;

void Check(std::string_view bytes, ScriptKind kind) {
  const ScriptFileContent content = ReadScriptFile(bytes, kind);
  const ScriptNames& names = NamesOf(kind);
  if (content.text.find(names.statusOn) != std::string::npos) std::abort();
  if (content.text.find(names.statusOff) != std::string::npos) std::abort();
  if (content.text.empty() != content.fileLines.empty()) std::abort();
  if (content.text.rfind("\r\n", 0) == 0) std::abort();
  size_t lines = content.text.empty() ? 0 : 1;
  for (size_t at = content.text.find("\r\n"); at != std::string::npos;
       at = content.text.find("\r\n", at + 2)) {
    ++lines;
  }
  // Every line end of the file ends a line, so kept lines hold no CR or LF of their own.
  if (lines != content.fileLines.size()) std::abort();
  for (size_t i = 1; i < content.fileLines.size(); ++i) {
    if (content.fileLines[i] <= content.fileLines[i - 1]) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  Check(bytes, ScriptKind::Pre);
  Check(bytes, ScriptKind::Post);
  return 0;
}
