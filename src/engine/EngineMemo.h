#pragma once
// What the control engine remembers between cycles so that it does not redo work whose inputs
// did not change. Each entry is keyed by the whole of its input and checked against it before
// it is used, so a stale entry is never used: a grid number by its cell text, a rule strength's
// text by the strength, a term's zone by the term and the zone names it was looked up among.
// The memo lives beside the engine (the session keeps one per controller), not in the model:
// it is neither configuration nor anything shown. Every engine step that takes a memo also has
// a form without one, the plain computation, which the memo is tested against.
#include <array>
#include <string>

#include "model/Dimensions.h"

namespace kavro {

struct StrengthMemo {  // a rule strength and the text it was last written as
  bool filled = false;
  float value = 0;     // the strength as computed
  std::string text;    // its "#0.0000" text
  float readBack = 0;  // the number of that text, as defuzzification uses it
};

struct CellNumberMemo {  // a grid cell's text and the number read from it
  bool filled = false;
  std::string text;
  float value = 0;
};

struct TermZoneMemo {  // a rule's input term and the zone it named
  bool filled = false;
  std::string term;
  int zone = 0;  // 0: no zone has that name
};

struct EngineMemo {
  std::array<StrengthMemo, NumRules + 1> strengths{};
  std::array<CellNumberMemo, 3 * (NumIn + NumOut + 2)> gridNumbers{};  // rows 2..4 of columns 0..9
  std::array<std::array<TermZoneMemo, NumIn + 1>, NumRules + 1> inputTermZones{};
  // The input zone names inputTermZones were found among.
  std::array<std::array<std::string, NumZones + 1>, NumIn + 1> inputZoneNames{};
};

}  // namespace kavro
