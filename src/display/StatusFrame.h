#pragma once
// The window's captions and the status frame's labels, drawn from the facts they stand for:
// lblMode (the output mode), lblLink (the link state), lblPreScript and lblPostScript (the script
// switches), with the &Script menu's check marks and whether Debug Link can be opened, which go
// with them; Label5, the cycle's last run, read and write. The status refresh fills the rest of
// the frame every cycle. Nothing reads these labels back: whoever needs a fact asks the model.
#include <array>
#include <string>

#include "model/Controller.h"

namespace kavro {

// The link error line Label4: dark red, bold, over the window's face.
inline constexpr Colour kLinkErrorColour = Colour::FromRgb(0xC0, 0x00, 0x00);

struct StatusFrameState {
  std::string caption;   // FLControl's title: Name1 + ": Kavro"
  std::string appTitle;  // the task bar's title: "Kavro: " + Name1
  LabelState Label3;     // title label
  LabelState Label4{"Read File Error", kFaceColour, kLinkErrorColour, false, true};  // link error
  std::string frameStatusCaption = "Status";
  Colour frameStatusColour = kFaceColour;
  LabelState lblMode;
  LabelState lblLink;  // "Link ON" or "Link OFF": ShowStatusFrame alone sets it
  LabelState lblErrorCode{"0 = No Error"};  // the error code sent, with its meaning
  LabelState lblPreScript{"PreScript"};
  LabelState lblPostScript{"PostScript"};
  // Index k - 1 for output k: white bold text on the colour of the clamp.
  std::array<LabelState, NumOut> lblClamp{
      {{"", kFaceColour, kWhite, false, true}, {"", kFaceColour, kWhite, false, true}}};
  std::array<LabelState, NumIn> lblVarIndex{};  // index i - 1 for input i
  // Label5(0..2): last run, last read, last write.
  std::array<std::string, 3> Label5;
};

// "To DCS" on light green or "To File" on the off colour; "Link ON" on light green or
// "Link OFF" on light red; each script label light green while its script is on, else the off
// colour; Debug Link as DebugLinkCanOpen says.
void ShowStatusFrame(Controller& controller);

// Debug Link enabled as DebugLinkCanOpen says: with the status frame, and after a new link kind.
void ShowDebugLinkItem(Controller& controller);

// The window's title and the task bar's, from the controller's name.
void ShowCaptions(Controller& controller);

// Label5 from the cycle's times, each once it came: " Last Run:   <date time>;  Wait = 27.5s",
// " Read:        <date time>" and " Write:        <date time>" (no date and time while no clock
// runs). A label whose moment has not come keeps what it says.
void ShowCycleTimes(Controller& controller);

// Label5 at start-up: "Last Run:", "Read:" and "Write:".
void ShowNoCycleTimes(Controller& controller);

}  // namespace kavro
