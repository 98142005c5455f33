#pragma once
// kavro --headless: the controller without a window, for a plant that runs it on a server.
#include <string>

namespace kavro::app {

// Runs the controller of workDir until SIGTERM or SIGINT; returns the exit status.
int RunHeadless(int argc, char** argv, const std::string& workDir);

}  // namespace kavro::app
