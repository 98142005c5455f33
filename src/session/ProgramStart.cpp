#include "session/ProgramStart.h"

#include "common/NumberText.h"
#include "history/RetentionSetting.h"

namespace kavro {
namespace {

// Qt aborts without a display, telling the operator to reinstall; the program says what is
// wrong instead.
bool HasDisplay(const std::function<const char*(const char*)>& environment) {
  for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
    const char* value = environment(name);
    if (value && *value) return true;
  }
  return false;
}

}  // namespace

StartChoice ChooseStart(const std::vector<std::string>& arguments,
                        const std::function<const char*(const char*)>& environment) {
  StartChoice choice;
  if (arguments.empty()) {
    if (!HasDisplay(environment)) choice.mode = StartMode::NoDisplay;
    return choice;
  }
  bool headless = false;
  for (std::size_t k = 0; k < arguments.size(); ++k) {
    if (arguments[k] == "--headless") {
      headless = true;
    } else if (arguments[k] == "--workdir" && k + 1 < arguments.size()) {
      choice.workDir = arguments[++k];
    } else if (arguments[k] == "--history-days" && k + 1 < arguments.size()) {
      const auto days = ParseRetentionDays(arguments[++k]);
      if (!days) {
        choice.mode = StartMode::Usage;
        choice.problem = "--history-days takes a whole number of days from 1 to ";
        choice.problem.append(std::to_string(kMaxRetentionDays));
        return choice;
      }
      choice.historyDays = *days;
    } else {
      headless = false;
      break;
    }
  }
  choice.mode = headless ? StartMode::Headless : StartMode::Usage;
  return choice;
}

double TimeScaleOf(const char* text) {
  // Read as a cell is, with "." whatever the locale (the toolkit sets it from the environment).
  const double scale = text ? LeadingNumber(text) : 1.0;
  return scale >= 1.0 ? scale : 1.0;
}

}  // namespace kavro
