#pragma once
// The link client program: the executable in WorkDir that owns the DCS connection of the file
// link. The controller starts it with Name1 as its one argument and, with the auto-restart
// option, starts it again when it has ended while the link is on.
#include <string>

#include "model/Controller.h"

namespace kavro {

// At most one automatic restart attempt per this many seconds.
inline constexpr double kRestartIntervalSeconds = 60.0;

// The file the link client program is started from, inside WorkDir: the client name itself
// (an executable without a suffix), or the name + ".exe" where only that file exists.
std::string LinkClientFile(Controller& controller);

// Starts WorkDir/file with the argument Name1; the process id, or 0 when it did not start.
long long StartLinkClient(Controller& controller, const std::string& file);

// "Unable to Start/Find Link Client Program - " + file, then "Please check the Program Name
// Entered" on a second line, and the folder that was searched on a third.
std::string UnableToStartMessage(const std::string& file, const std::string& folder);

// A hung client (alive, but its .IN no longer changes) is asked to end; one that is still
// there this many seconds later is killed.
inline constexpr double kTerminateGraceSeconds = 5.0;

// The link client program as the file link knows it: the process started at switch-on (or by
// the last restart), and the time of day of the last automatic restart attempt (negative: none
// since switch-on).
struct LinkClientState {
  long long processId = 0;
  double lastRestartAttempt = -1;
  double startedAt = 0;         // time of day the process was started
  double terminateSentAt = -1;  // time of day it was asked to end as hung; negative: not asked
};

// With the auto-restart option: a client whose .IN is older than three times the fresh-data
// limit, and that has run at least that long, is hung: it is asked to end (and killed when it
// is still there kTerminateGraceSeconds later), so that SuperviseLinkClient starts it again.
// inputAgeSeconds is the age of .IN seen by the cycle's read (0 when fresh or missing).
void EndHungLinkClient(Controller& controller, LinkClientState& client, double inputAgeSeconds);

// The auto-restart option, checked once per cycle: while the file link is on and its client
// program has ended, writes the .Tag file and starts the program again, at most once a minute,
// noting each attempt in the event log.
void SuperviseLinkClient(Controller& controller, LinkClientState& client);

}  // namespace kavro
