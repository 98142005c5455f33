#pragma once
// The line layouts of the link files: what the controller writes to .Tag and .OUT / .TST, and
// how it takes the values of an .IN file. Lines end with CR LF; a quoted field is the text
// between two double quotes, a number field is plain number text with a "." decimal point.
#include <cstdint>
#include <functional>
#include <string>

#include "common/DateText.h"
#include "model/ControllerModel.h"

namespace kavro {

// The .Tag file: Name1, date, time, the counts line 33,4,"OPC", LinkAppl and Link2Appl,
// LinkTopicName, then the read tag list and the write tag list, one quoted tag per line.
std::string TagFileText(const ControllerModel& model, const DateTime& now);

// The .OUT (or .TST) file: Name1, date, time, "RUN" or "STOP", LinkFrequency, the watchdog
// value 1, ErrorCodeValue and one line per output (its value or X). The final file after the
// link was switched off (LinkStatus "OFF", LinkStatusSent still "ON") ends after the watchdog.
// Throws KavroError when an output value is not a number (see OutputValueText).
std::string OutputFileText(const ControllerModel& model, const DateTime& now);

// Takes the values of an .IN file into the model, line by line: three header lines, the on/off
// value, the watchdog value (checked, not kept), the run frequency, then one line per process
// value tag; a value whose tag is blank is passed over. Values stored before a failure stay.
// The run frequency is handed to takeRunFrequency in its turn rather than stored: whether the
// DCS's value can be the cycle's period is the caller's to judge (see DcsRunFrequency).
// Throws KavroError 62 at a missing line, 13 for a text that is not a number, 6 for an integer
// outside -32768..32767.
void StoreLinkInput(ControllerModel& model, const std::string& bytes,
                    const std::function<void(int16_t)>& takeRunFrequency);

}  // namespace kavro
