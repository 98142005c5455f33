#pragma once
// Run-time errors of the control cycle and of the move limits: their three-line text and how
// they reach the operator. Control must not stop for them, so they go to the event log and its
// non-modal notice, never to a modal box that would hold the cycle.
#include <exception>
#include <string>
#include <string_view>

#include "common/KavroError.h"
#include "engine/CycleSteps.h"
#include "model/Controller.h"

namespace kavro {

// Where an error happened: the cycle ("TIMER1: ") or the move limits ("Override : "), and the
// step number being worked on.
inline constexpr std::string_view kCycleLocation = "TIMER1: ";
inline constexpr std::string_view kMoveLimitLocation = "Override : ";

// Any failure as a number and description: a KavroError as it is, running out of memory as 7
// "Out of memory", anything else as 51 "Internal error - " followed by its own text (at most
// 200 characters of it). A script error reaches here already as a KavroError with its own
// number (see scripting/host/ScriptErrorBridge.h).
KavroError AsKavroError(const std::exception& failure);

// "Error Number = " n "####0", "Error Description = " text, "At error location = " location
// step "##0", joined with CR LF.
std::string RunTimeErrorText(const KavroError& error, std::string_view location, int step);

// Tells steps.runTimeErrorReported of the report and, when the same report did not come in the
// cycle before, adds it to the event log (time "mmm-dd-yyyy hh:mm:ss", title Name1), raising
// the notice: an error that comes back every cycle is one entry while it lasts.
void ReportRunTimeError(Controller& controller, const CycleSteps& steps, const std::string& text);

// At the end of each cycle: every error that went on until the cycle before and did not come
// back in this one has ended; the event log says so, with how many cycles it lasted.
void CloseEndedErrorSpells(Controller& controller);

// The present date and time as the cycle's captions and events show it; empty without a clock.
std::string NowText(Controller& controller);
// The same text appended to text.
void AppendNowText(std::string& text, Controller& controller);

}  // namespace kavro
