#include "session/PrintCommands.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "common/WaitSeconds.h"
#include "engine/EventNotes.h"
#include "model/CycleHold.h"
#include "session/WorkDirFiles.h"

namespace kavro {

namespace {

constexpr float kSecondsBetweenCopies = 1.0f;
// Lets the input box leave the screen before the screen is grabbed.
constexpr float kSecondsBeforeGrab = 0.5f;

// The busy mouse pointer for as long as the command runs, however it ends.
class BusyPointer {
 public:
  explicit BusyPointer(PrintAndCapture& device) : device_(device) { device_.SetBusyPointer(true); }
  ~BusyPointer() { device_.SetBusyPointer(false); }
  BusyPointer(const BusyPointer&) = delete;
  BusyPointer& operator=(const BusyPointer&) = delete;

 private:
  PrintAndCapture& device_;
};

}  // namespace

void mnuPrintSetup(Controller& c) {
  std::optional<int> copies;
  {
    CycleHoldGuard hold(c.model);
    copies = c.ports.printing->PrinterSetup();
  }
  if (!copies) return;
  c.model.PrinterCopies =
      static_cast<int16_t>(std::clamp(*copies, 0, int{std::numeric_limits<int16_t>::max()}));
}

void mnuPrintScreen(Controller& c) {
  PrintAndCapture& printer = *c.ports.printing;
  BusyPointer busy(printer);
  if (c.model.PrinterCopies < 1) c.model.PrinterCopies = 1;
  std::string error;
  // A job that never started (another print still under way, no printer) has nothing to drop.
  if (!printer.BeginPrint(error)) {
    TellFileMenuFailure(c, "Print Screen failed", error);
    return;
  }
  bool printed = true;
  for (int copy = 1; printed && copy <= c.model.PrinterCopies; ++copy) {
    printed = printer.PrintWindowPage(error);
    if (printed) WaitSeconds(c.ports, kSecondsBetweenCopies);
  }
  if (printed) printed = printer.EndPrint(error);
  if (!printed) {
    printer.AbortPrint();
    TellFileMenuFailure(c, "Print Screen failed", error);
  }
}

void SaveScreenImage(Controller& c) {
  const std::string failure = "Screen image not saved";
  const auto fileName = AskWorkDirFileName(c, kScreenImagePrompt, ".BMP", failure);
  if (!fileName) return;
  PrintAndCapture& screen = *c.ports.printing;
  BusyPointer busy(screen);
  WaitSeconds(c.ports, kSecondsBeforeGrab);
  std::string error;
  const auto picture = screen.GrabScreen(error);
  if (!picture) {
    TellFileMenuFailure(c, failure, error);
    return;
  }
  if (!WriteWorkDirFile(c, *fileName, picture->bmp, failure)) return;
  NoteEvent(c, EventKind::Control,
            "Screen image saved as " + *fileName +
                (picture->wholeScreen
                     ? ""
                     : " (the desktop refused a grab of the whole screen: it shows the main "
                       "window only)"));
}

}  // namespace kavro
