#pragma once
// The run-time errors of the cycle that are going on: an error that comes back every cycle (a
// post-process script that fails each time) is one event when it begins and one when it ends,
// not one per cycle. Run-time state, never saved.
#include <string>
#include <vector>

namespace kavro {

struct CycleErrorSpell {
  std::string text;  // the error's report, as the event log shows it
  int cycles = 0;    // cycles in a row that reported it
  bool reportedThisCycle = false;
};

struct CycleErrorSpells {
  std::vector<CycleErrorSpell> open;
};

}  // namespace kavro
