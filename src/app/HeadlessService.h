#pragma once
// kavro --headless: the controller without a window, for a plant that runs it on a server.
#include <string>

namespace kavro::app {

// Runs the controller of workDir until SIGTERM or SIGINT; returns the exit status. historyDays:
// the days of plant history kept, 0 for what the folder says.
int RunHeadless(int argc, char** argv, const std::string& workDir, int historyDays = 0);

}  // namespace kavro::app
