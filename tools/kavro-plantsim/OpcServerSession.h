#pragma once
// The simulator as an OPC UA server instead of a link client program: the same plant, its tags
// served as variables by plant-server.js (node-opcua) on 127.0.0.1, which this process drives
// over a pipe. Values flow to the server every plant step; what clients write comes back and
// moves the plant.
#include "Session.h"

namespace kavro::plantsim {

// Runs until a signal or until the server ends; the exit status (0 = ended as asked, 2 = could
// not run). Prints "kavro-plantsim NAME1: OPC UA server at <endpoint>" once it listens.
int RunOpcServer(const SessionOptions& options, int port);

}  // namespace kavro::plantsim
