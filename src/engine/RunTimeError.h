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

// Adds the report to the event log (time "mmm-dd-yyyy hh:mm:ss", title Name1), raising the
// notice, and tells steps.runTimeErrorReported.
void ReportRunTimeError(Controller& controller, const CycleSteps& steps, const std::string& text);

// The present date and time as the cycle's captions and events show it; empty without a clock.
std::string NowText(Controller& controller);
// The same text appended to text.
void AppendNowText(std::string& text, Controller& controller);

}  // namespace kavro
