#pragma once
// The rule-base commands of kavro-config: the control surface as CSV and FCL export and import.
#include <string>

namespace kavro::tool {

// True when command is one of "surface", "export-fcl", "import-fcl".
bool IsRuleBaseCommand(const std::string& command);

// Runs the command named by argv[1]; returns the exit status (0 done, 1 refused, 2 usage or
// missing file).
int RunRuleBaseCommand(int argc, char** argv);

}  // namespace kavro::tool
