#pragma once
// What the script editors list beside the pad: the usage help and the calls of the 38 procedures
// of the object share, which a double-click types into the pad, under four filters.
#include <string>
#include <vector>

namespace kavro {

enum class CallFilter { All, Inp, Out, Flags };

// The seven lines of usage help, leading blanks included.
const std::vector<std::string>& ScriptUsageHelp();

// The 38 procedure names in the editors' order.
const std::vector<std::string>& ScriptProcedureNames();

// "Call " + name + " (" + its arguments + ")" for each of the 38, in the same order.
const std::vector<std::string>& ScriptProcedureCalls();

// The calls the filter shows: "Out" those holding "_OUT", "Inp" those holding "_IN", "Flags"
// those holding "_SCRIPT" (exact case), "ALL" all of them.
std::vector<std::string> FilteredCalls(CallFilter filter);

}  // namespace kavro
