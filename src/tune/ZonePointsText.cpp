#include "tune/ZonePointsText.h"

#include <cstdlib>

#include "common/NumberText.h"
#include "common/TextUtil.h"
#include "tune/ClosedLoop.h"

namespace kavro {

std::string WithZonePoints(const std::string& original, const ControllerModel& tuned) {
  std::string out;
  out.reserve(original.size() + 64);
  bool isOutput = false;
  int slot = 0;
  int zone = 0;
  int pointsLeft = 0;
  std::size_t at = 0;
  while (at < original.size()) {
    std::size_t end = original.find('\n', at);
    end = end == std::string::npos ? original.size() : end + 1;
    const std::string line = original.substr(at, end - at);
    at = end;
    std::string ending;
    std::string text = line;
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) {
      ending.insert(ending.begin(), text.back());
      text.pop_back();
    }
    if (pointsLeft > 0) {
      const int point = NumPoints - pointsLeft + 1;
      --pointsLeft;
      if (slot < 1 || zone < 1 || zone > NumZones || !IsNumeric(TrimRight(text)) ||
          (isOutput ? slot > NumOut : slot > NumIn)) {
        throw TuneInputError("FLC.dat: a zone point is not where it was read");
      }
      const ZoneTable& zones = isOutput ? tuned.PVarOut[slot].Zone : tuned.PVarIn[slot].Zone;
      out += FormatNumber(zones[zone].MFPValue[point], "###0.000") + ending;
      continue;
    }
    const std::string trimmed = Trim(text);
    if (trimmed == "Start_PVarIn:" || trimmed == "Start_PVarOut:") {
      isOutput = trimmed == "Start_PVarOut:";
      slot = 0;
      zone = 0;
    } else if (trimmed.starts_with("Index:")) {
      slot = std::atoi(trimmed.c_str() + 6);
    } else if (trimmed == "MFPValue:") {
      ++zone;
      pointsLeft = NumPoints;
    }
    out += line;
  }
  return out;
}

}  // namespace kavro
