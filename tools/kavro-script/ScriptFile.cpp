#include "ScriptFile.h"

#include "scripting/vbs/DateMath.h"

namespace kavro::script {
namespace {

constexpr std::string_view kOnTexts[] = {"Status PreProcess = ON", "Status PostProcess = ON"};
constexpr std::string_view kOffTexts[] = {"Status PreProcess = OFF", "Status PostProcess = OFF"};

bool Contains(std::string_view line, std::string_view what) {
  return line.find(what) != std::string_view::npos;
}

}  // namespace

ScriptText ExtractScriptText(std::string_view contents) {
  ScriptText result;
  bool started = false;
  size_t pos = 0;
  while (pos < contents.size()) {
    size_t end = contents.find('\n', pos);
    if (end == std::string_view::npos) end = contents.size();
    std::string_view line = contents.substr(pos, end - pos);
    pos = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    bool on = false, off = false;
    for (auto t : kOnTexts) on = on || Contains(line, t);
    for (auto t : kOffTexts) off = off || Contains(line, t);
    if (on) {
      result.statusOn = true;
      continue;
    }
    if (off) {
      result.statusOn = false;
      continue;
    }
    if (vbs::ParseDate(line, 2000)) continue;
    if (!started) {
      if (line.empty()) continue;
      result.text = std::string(line);
      started = true;
    } else {
      result.text += "\r\n";
      result.text += line;
    }
  }
  return result;
}

}  // namespace kavro::script
