#pragma once
// One run of the simulator as the link client program of one controller: it answers the
// controller's tags through .IN every LinkFrequency seconds of plant time, applies each new
// .OUT, and ends on "STOP", when neither .OUT nor .TST has changed for the idle time (the
// controller is gone), on a signal, or when a newer simulator took over the same controller.
#include <string>

namespace kavro::plantsim {

struct SessionOptions {
  std::string name1;       // the controller name: the link files are <dir>/<name1>.<ext>
  std::string dir = ".";   // where the link files, FLC.dat and plant.txt are
  std::string plantFile;   // default <dir>/plant.txt
  double speed = 1.0;      // plant seconds per real second
  double idleSeconds = 0;  // real seconds without a new .OUT or .TST; 0 = the default
};

// Runs until the session ends; the process exit status (0 = ended as asked, 2 = could not run).
int RunSession(const SessionOptions& options);

}  // namespace kavro::plantsim
