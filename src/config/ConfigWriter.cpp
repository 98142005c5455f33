// Writing FLC.dat: every persisted field in a fixed order, CR LF line ends, numbers with "."
// whatever the locale. The file is replaced atomically, so a failed save never leaves half a
// configuration behind.
#include <string>

#include "common/NumberText.h"
#include "config/ConfigFile.h"
#include "config/ConfigLines.h"

namespace kavro {
namespace {

class LineWriter {
 public:
  void Line(const std::string& text) {
    bytes_ += text;
    bytes_ += kCrLf;
  }
  void Label(const char* label, const std::string& value) { Line(std::string(label) + ": " + value); }
  void Number(const char* label, double value, const char* pattern) {
    Label(label, FormatNumber(value, pattern));
  }
  void Zones(const ZoneTable& zones) {
    for (int z = 1; z <= NumZones; ++z) {
      Label("MFName", zones[z].MFName);
      Line("MFPValue: ");
      for (int p = 1; p <= NumPoints; ++p) Line(FormatNumber(zones[z].MFPValue[p], "###0.000"));
      Line("MFValue: ");
      for (int p = 1; p <= NumPoints; ++p) Line(FormatNumber(zones[z].MFValue[p], "###0.000"));
    }
  }
  std::string Take() { return std::move(bytes_); }

 private:
  std::string bytes_;
};

void WriteControllerBlock(LineWriter& out, const FLCBlockRecord& block) {
  out.Line("Start_FLC_Block:");
  out.Label("Name1", block.Name1);
  out.Label("LinkAppl", block.LinkAppl);
  out.Label("Link2Appl", block.Link2Appl);
  out.Label("LinkTopicName", block.LinkTopicName);
  out.Number("RunFrequency", block.RunFrequency, "##0");
  out.Number("LinkFrequency", block.LinkFrequency, "##0");
  out.Label("DCSRunFreq", block.DCSRunFreq);
  out.Label("DCSONOFF", block.DCSONOFF);
  out.Label("DCSWatchDog", block.DCSWatchDog);
  out.Label("DCSErrorCode", block.DCSErrorCode);
  out.Label("SlopeCorr", block.SlopeCorr ? "True" : "False");
  out.Line("End_FLC_Block:");
}

// The fields inputs and outputs share, in the order both blocks begin with.
template <typename Variable>
void WriteNameAndTags(LineWriter& out, const Variable& v) {
  out.Label("PVarName", v.PVarName);
  out.Label("Units", v.Units);
  out.Label("DCSTagPV", v.DCSTagPV);
  out.Label("DCSTagHigh", v.DCSTagHigh);
  out.Label("DCSTagLow", v.DCSTagLow);
}

template <typename Variable>
void WriteLimits(LineWriter& out, const Variable& v) {
  out.Number("PVHigh", v.PVHigh, "####0.000");
  out.Number("PVIN", v.PVIN, "####0.000");
  out.Number("PVLow", v.PVLow, "####0.000");
}

template <typename Variable>
void WritePlotScaleAndZones(LineWriter& out, const Variable& v) {
  out.Label("PlotHi", v.PlotHi);
  out.Label("PlotLo", v.PlotLo);
  out.Zones(v.Zone);
}

void WriteInput(LineWriter& out, const PVarInRecord& v, int slot) {
  out.Line("Start_PVarIn:");
  out.Number("Index", slot, "##0");
  WriteNameAndTags(out, v);
  WriteLimits(out, v);
  WritePlotScaleAndZones(out, v);
  out.Line("End_PVarIn:");
}

void WriteOutput(LineWriter& out, const PVarOutRecord& v, int slot) {
  out.Line("Start_PVarOut:");
  out.Number("Index", slot, "##0");
  WriteNameAndTags(out, v);
  out.Label("DCSTagOut", v.DCSTagOut);
  out.Label("DCSMaxChange", v.DCSMaxChange);
  out.Label("DCSChangeTime", v.DCSChangeTime);
  out.Label("DCSWaitChange", v.DCSWaitChange);
  WriteLimits(out, v);
  out.Number("Max_Change", v.Max_Change, "####0.000");
  out.Number("Change_Time", v.Change_Time, "####0.000");
  out.Number("Wait_Change", v.Wait_Change, "####0.000");
  out.Label("ValueOut", v.ValueOut);
  out.Label("OutputType", v.OutputType);
  WritePlotScaleAndZones(out, v);
  out.Line("End_PVarOut:");
}

}  // namespace

std::string ConfigText(const ControllerModel& model, const std::string& dateLine) {
  LineWriter out;
  out.Label("FLCVersion", model.FLCVersion);
  out.Line(dateLine);
  out.Label("Program_Interface", model.Program_Interface);
  out.Line(model.RestartInterface ? "RESTART I/F: YES" : "RESTART I/F: NO");
  WriteControllerBlock(out, model.FLCBlock);
  for (int i = 1; i <= NumIn; ++i) WriteInput(out, model.PVarIn[i], i);
  for (int k = 1; k <= NumOut; ++k) WriteOutput(out, model.PVarOut[k], k);
  for (int r = 1; r <= NumRules; ++r) {
    out.Line("Start_Rule:");
    out.Number("Index", r, "##0");
    for (int j = 1; j <= NumTerms; ++j) out.Line(model.Rules[r].Term[j]);
    out.Line(model.Rules[r].Operator);
    out.Line("End_Rule:");
  }
  for (int d = 1; d <= NumDeFuzz; ++d) {
    out.Line("Start_DeFuzz:");
    out.Number("Index", d, "##0");
    out.Line(model.DeFuzz[d]);
    out.Line("End_DeFuzz:");
  }
  out.Line("Start_ControlMode:");
  out.Line(model.ControlMode);
  out.Line("End_ControlMode:");
  return out.Take();
}

bool WriteConfig(Controller& controller) {
  const ControllerModel& model = controller.model;
  const std::string bytes = ConfigText(model, GeneralDate(controller.ports.clock->Now()));
  std::string failure;
  if (controller.ports.files->WriteAtomic(ConfigPath(model), bytes, &failure)) return true;
  ShowConfigWriteFailure(controller, failure);
  return false;
}

void ShowConfigWriteFailure(Controller& controller, const std::string& failure) {
  controller.ports.op->MessageBox("Error in Write FLC.DAT File" + std::string(kCrLf) + failure,
                                  controller.model.ProductName, MsgIcon::Exclamation,
                                  MsgButtons::OK);
}

}  // namespace kavro
