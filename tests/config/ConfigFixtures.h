#pragma once
// Configuration texts shared by the configuration tests.
#include <initializer_list>
#include <string>

namespace kavro::test {

// Joins lines with CR LF, as FLC.dat is written.
inline std::string CrLfLines(std::initializer_list<std::string> lines) {
  std::string text;
  for (const auto& line : lines) text += line + "\r\n";
  return text;
}

// The small hand-written file operators know from the manual: one input, one output, two rules.
inline std::string WorkedExampleFile() {
  return CrLfLines({"FLCVersion: Kavro Version 1.0.0", "12/5/2026 6:00:00 PM",
                    "Program_Interface: VELDTBRG", "RESTART I/F: NO", "Start_FLC_Block:",
                    "Name1: FLC1", "RunFrequency: 30", "LinkFrequency: 10", "SlopeCorr: False",
                    "End_FLC_Block:", "Start_PVarIn:", "Index: 1", "PVarName: TEMP",
                    "PVIN: 150.000", "MFName: LOW", "MFPValue: ", "0.000", "0.000", "100.000",
                    "150.000", "MFValue: ", "1.000", "1.000", "1.000", "0.000", "MFName: HIGH",
                    "MFPValue: ", "100.000", "150.000", "200.000", "200.000", "MFValue: ", "0.000",
                    "1.000", "1.000", "1.000", "End_PVarIn:", "Start_PVarOut:", "Index: 1",
                    "PVarName: VALVE", "OutputType: Incr", "MFName: CLOSE", "MFPValue: ", "-2.000",
                    "-2.000", "-2.000", "-2.000", "MFValue: ", "1.000", "1.000", "1.000", "1.000",
                    "MFName: OPEN", "MFPValue: ", "2.000", "2.000", "2.000", "2.000", "MFValue: ",
                    "1.000", "1.000", "1.000", "1.000", "End_PVarOut:", "Start_Rule:", "Index: 1",
                    "LOW", "Not Used", "Not Used", "Not Used", "Not Used", "Not Used", "OPEN",
                    "Not Used", "MIN", "End_Rule:", "Start_Rule:", "Index: 2", "HIGH", "Not Used",
                    "Not Used", "Not Used", "Not Used", "Not Used", "CLOSE", "Not Used", "MIN",
                    "End_Rule:", "Start_ControlMode:", "File", "End_ControlMode:"});
}

}  // namespace kavro::test
