#pragma once
// The file link's exchange with the link client program in WorkDir: the tag list at switch-on,
// one read of .IN (through the private copy .INR) and one write of .OUT (.TST in To File mode)
// per cycle. Failures are reported through LinkReadError / LinkWriteError only, after bounded
// retries one second apart; no message is ever shown.
#include <string>

#include "link/DcsRunFrequency.h"
#include "model/Controller.h"

namespace kavro {

// How many tries a link read or write makes before it reports a failure.
inline constexpr int kLinkTries = 4;

// Writes WorkDir/Name1.Tag. A failure is passed over: the switch-on goes on without it.
void WriteTagFile(Controller& controller);

// One read of .IN. Sets LinkReadError when no fresh values could be taken; values stored
// before a failure stay stored. The run frequency read is judged by runFrequency, which follows
// the link from read to read. The text taken goes to *taken (when given) after a good read.
void ReadLinkInput(Controller& controller, DcsRunFrequency& runFrequency,
                   std::string* taken = nullptr);
// A single read outside a switched-on link: a refused run frequency is noted each time.
void ReadLinkInput(Controller& controller, std::string* taken = nullptr);

// One write: .OUT, or .TST while in To File mode (except the final STOP file, which always goes
// to .OUT). Sets LinkWriteError when the file could not be written. The OPC link writes the
// .TST file through here too while in To File mode. The text written goes to *written (when
// given) after a good write.
void WriteLinkOutput(Controller& controller, std::string* written = nullptr);

// Start-up: deletes WorkDir/Name1.OUT left from an earlier run, and the temporary files of
// Name1.OUT, .TST and .Tag that a write cut short by a kill left behind (noted in the event log).
// Nothing else is touched; a Name1 unfit for a path is skipped.
void DeleteStaleLinkOutput(Controller& controller);

}  // namespace kavro
