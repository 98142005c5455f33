#include "engine/RunTimeError.h"

#include <algorithm>
#include <new>

#include "common/DateText.h"
#include "common/NumberText.h"
#include "engine/FailureText.h"

namespace kavro {

KavroError AsKavroError(const std::exception& failure) {
  if (const auto* kavroError = dynamic_cast<const KavroError*>(&failure)) return *kavroError;
  if (dynamic_cast<const std::bad_alloc*>(&failure)) {
    return KavroError(errors::kOutOfMemory, errors::kOutOfMemoryText);
  }
  // What went wrong stays readable for whoever has to find it; a runaway text is cut.
  constexpr std::size_t kLongestDetail = 200;
  std::string description = errors::kInternalText;
  const std::string_view detail = failure.what();
  if (!detail.empty()) {
    description += " - ";
    description += detail.substr(0, kLongestDetail);
    if (detail.size() > kLongestDetail) description += "...";
  }
  return KavroError(errors::kInternal, std::move(description));
}

std::string RunTimeErrorText(const KavroError& error, std::string_view location, int step) {
  std::string text = FailureText(error);
  text += "\r\nAt error location = ";
  text += location;
  text += FormatNumber(step, "##0");
  return text;
}

std::string NowText(Controller& controller) {
  std::string text;
  AppendNowText(text, controller);
  return text;
}

void AppendNowText(std::string& text, Controller& controller) {
  if (!controller.ports.clock->Runs()) return;  // no time to stamp
  AppendDateTime(text, controller.ports.clock->Now(), kScreenDateTime);
}

void ReportRunTimeError(Controller& controller, const CycleSteps& steps, const std::string& text) {
  std::vector<CycleErrorSpell>& open = controller.model.ErrorSpells.open;
  const auto going = std::find_if(open.begin(), open.end(),
                                  [&](const CycleErrorSpell& spell) { return spell.text == text; });
  if (going == open.end()) {
    open.push_back({text, 1, true});
    controller.events.Add(NowText(controller), controller.model.FLCBlock.Name1, text);
  } else if (!going->reportedThisCycle) {
    going->reportedThisCycle = true;
    ++going->cycles;
  }
  if (steps.runTimeErrorReported) steps.runTimeErrorReported(controller, text);
}

void CloseEndedErrorSpells(Controller& controller) {
  std::vector<CycleErrorSpell>& open = controller.model.ErrorSpells.open;
  for (auto spell = open.begin(); spell != open.end();) {
    if (spell->reportedThisCycle) {
      spell->reportedThisCycle = false;
      ++spell;
      continue;
    }
    controller.events.Note(NowText(controller), controller.model.FLCBlock.Name1,
                           "Error ended after " + FormatNumber(spell->cycles, "#0") +
                               (spell->cycles == 1 ? " cycle" : " cycles") + "\r\n" +
                               spell->text,
                           EventKind::CycleError);
    spell = open.erase(spell);
  }
}

}  // namespace kavro
