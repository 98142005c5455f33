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
// Entered" on a second line.
std::string UnableToStartMessage(const std::string& file);

// The link client program as the file link knows it: the process started at switch-on (or by
// the last restart), and the time of day of the last automatic restart attempt (negative: none
// since switch-on).
struct LinkClientState {
  long long processId = 0;
  double lastRestartAttempt = -1;
};

// The auto-restart option, checked once per cycle: while the file link is on and its client
// program has ended, writes the .Tag file and starts the program again, at most once a minute,
// noting each attempt in the event log.
void SuperviseLinkClient(Controller& controller, LinkClientState& client);

}  // namespace kavro
