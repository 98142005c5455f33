#pragma once
// What the control engine remembers between cycles so that it does not redo work whose inputs
// did not change. Each entry is keyed by the whole of its input and checked against it before
// it is used, so a stale entry is never used: a grid number by its cell text (a value row's
// numbers together by the row's stamp), a rule strength's text by the strength, an output's
// ValueOut text by the value defuzzification worked out, the compiled
// rule base and the rule terms taken from the grid by the revision of the model's rule-base
// texts and the stamps of the grid's rule cells.
// The memo lives beside the engine (the session keeps one per controller), not in the model:
// it is neither configuration nor anything shown. Every engine step that takes a memo also has
// a form without one, the plain computation, which the memo is tested against.
#include <array>
#include <string>

#include "common/NumberText.h"
#include "engine/CompiledRuleBase.h"
#include "engine/GridNumberMemo.h"
#include "engine/VariabilityIndex.h"
#include "model/CellTable.h"
#include "model/Dimensions.h"

namespace kavro {

struct StrengthMemo {  // a rule strength and the text it was last written as
  bool filled = false;
  float value = 0;     // the strength as computed
  std::string text;    // its "#0.0000" text
  float readBack = 0;  // the number of that text, as defuzzification uses it
};

struct CellNumberMemo {  // a grid cell's (or ValueOut's) text and the number read from it
  bool filled = false;
  std::string text;
  float value = 0;
};

struct ValueOutMemo : CellNumberMemo {  // an output's ValueOut, also the value it was written for
  float written = 0;
};

// ToSingle(text), from memo while it holds that very text. Throws as ToSingle does.
inline float NumberOfText(const CellNumberMemo& memo, const std::string& text) {
  return memo.filled && memo.text == text ? memo.value : ToSingle(text);
}

// The rule terms as the cycle last took them from the grid's rule rows into the model: the model
// they went into, the revision of its rule-base texts after the copy, and each row's cells' stamp.
struct TermRowsMemo {
  const ControllerModel* model = nullptr;
  uint64_t textRevision = 0;
  std::array<CellsStamp, NumRules + 1> rows{};
  CellsStamp allRows;  // of all rule rows together
};

struct EngineMemo {
  std::array<StrengthMemo, NumRules + 1> strengths{};
  std::array<GridNumberMemo, 3 * (NumIn + NumOut + 2)> gridNumbers{};  // rows 2..4 of columns 0..9
  // Per value row (2..4): the stamp of its cells when every number of the row was last taken
  // and remembered above, so that while it stands the numbers are taken without comparing texts.
  // Anything that remembers a number by another way clears its row's stamp.
  std::array<CellsStamp, 3> valueRows{};
  TermRowsMemo termRows;
  CompiledRuleBase ruleBase;
  // Each output's ValueOut as defuzzification wrote it, and the number it reads as.
  std::array<ValueOutMemo, NumOut + 1> valuesOut{};
  IndexMemo index;
};

}  // namespace kavro
