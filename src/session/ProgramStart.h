#pragma once
// What `kavro` makes of its command line and environment before anything starts: the operator
// window, the headless service, or a word on how it is used. Kept apart from main() so that the
// choice is tested without starting either.
#include <functional>
#include <string>
#include <vector>

namespace kavro {

enum class StartMode { Window, Headless, Usage, NoDisplay };

struct StartChoice {
  StartMode mode = StartMode::Window;
  std::string workDir = ".";  // the headless service's working folder
  int historyDays = 0;         // --history-days N; 0 keeps the folder's own setting
  std::string problem;         // with Usage: what was wrong, told instead of the usage text
};

// The exit statuses of kavro: a usage, display or folder problem ends it before it starts.
inline constexpr int kExitEnded = 0;
inline constexpr int kExitFolderTaken = 1;  // another controller holds the working folder
inline constexpr int kExitCannotStart = 2;

// arguments without the program's name; environment answers a variable's value, null when unset.
// No arguments open the window, where there is a display to show it on. "--headless" (with
// "--workdir DIR" before or after it) runs the service; anything else, or --workdir alone, is a
// usage error.
StartChoice ChooseStart(const std::vector<std::string>& arguments,
                        const std::function<const char*(const char*)>& environment);

// KAVRO_TIME_SCALE: how many times faster than real time the headless controller's clock,
// timer and waits run, for tests against a fast plant simulator: the leading number of the
// text, "." its decimal point in any locale; 1 when unset, not a number or below 1.
double TimeScaleOf(const char* text);

}  // namespace kavro
