#pragma once
// The printer and the screen, as File > Printer Setup, Print Screen and Print To File need them.
// The window answers with the platform's print dialog, its printers (or a PDF file) and a grab
// of the screen; tests answer from a script. Without a window nothing can be printed or grabbed.
#include <optional>
#include <string>

namespace kavro {

// A picture of the screen as the bytes of a BMP file.
struct ScreenPicture {
  std::string bmp;
  // False when the platform refused to grab the screen (some desktops do) and the picture is
  // the main window's own instead.
  bool wholeScreen = true;
};

class PrintAndCapture {
 public:
  virtual ~PrintAndCapture() = default;
  // The busy mouse pointer while a print or a capture is under way.
  virtual void SetBusyPointer(bool busy) = 0;
  // The print dialog: printer (or a file), copies and orientation. Nothing when the operator
  // cancels, and nothing changes; otherwise the copies chosen, and the printer keeps the rest.
  virtual std::optional<int> PrinterSetup() = 0;
  // One print job on the current printer: BeginPrint, one PrintWindowPage per copy, EndPrint.
  // Each returns false and says why in error when the printer refuses; AbortPrint then drops
  // the job, so that no part of it is left behind (no half-written file).
  virtual bool BeginPrint(std::string& error) = 0;
  virtual bool PrintWindowPage(std::string& error) = 0;
  virtual bool EndPrint(std::string& error) = 0;
  virtual void AbortPrint() = 0;
  // A picture of the whole screen; nothing, with error set, when no picture can be had.
  virtual std::optional<ScreenPicture> GrabScreen(std::string& error) = 0;
};

// Stands in where there is no window (the replay, headless tests): every print and grab is
// refused with "no printer or screen is available".
PrintAndCapture& NoPrintAndCapture();

}  // namespace kavro
