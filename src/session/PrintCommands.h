#pragma once
// File > Printer Setup, Print Screen and Print To File: the printer's settings, printed copies
// of the main window, and a picture of the screen saved as a bitmap file in WorkDir.
#include "model/Controller.h"

namespace kavro {

inline constexpr const char* kScreenImagePrompt =
    "Screen Image will be Saved With .BMP Extension - Enter File Name: ";

// The print dialog; Cancel changes nothing, otherwise PrinterCopies becomes the copies chosen.
void mnuPrintSetup(Controller& controller);

// Prints the main window PrinterCopies times (at least once) as one job, waiting 1 second after
// each copy. A printer that refuses is told to the operator; no part of the job is kept.
void mnuPrintScreen(Controller& controller);

// Asks for a name and saves a picture of the whole screen as WorkDir/name.BMP ("plant1" saves
// plant1.BMP). Where the desktop refuses a screen grab the main window's own picture is saved,
// and the event log says so.
void SaveScreenImage(Controller& controller);

}  // namespace kavro
