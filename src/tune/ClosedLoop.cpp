#include "tune/ClosedLoop.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

#include "common/NumberText.h"
#include "common/TextUtil.h"
#include "link/LinkTags.h"
#include "plant/PlantSimulation.h"
#include "session/ControllerBuilder.h"
#include "session/ModeCommands.h"
#include "session/SimulatedClock.h"
#include "tune/PlantLink.h"

namespace kavro {
namespace {

// An off-line run asks nobody: every question takes its first answer.
class SilentOperator : public Operator {
 public:
  MsgAnswer MessageBox(const std::string&, const std::string&, MsgIcon,
                       MsgButtons buttons) override {
    return AsksYesOrNo(buttons) ? MsgAnswer::Yes : MsgAnswer::OK;
  }
  std::optional<std::string> InputBox(const std::string&, const std::string&,
                                      const std::string& initial) override {
    return initial;
  }
};

// The working folder is read, never written: whatever the controller would write is refused.
class ReadOnlyFiles : public FileSystem {
 public:
  bool Exists(const std::string& path) override { return SystemFileSystem().Exists(path); }
  bool ReadAll(const std::string& path, std::string& bytes) override {
    return SystemFileSystem().ReadAll(path, bytes);
  }
  bool WriteAtomic(const std::string&, const std::string&, std::string* error) override {
    if (error) *error = "an off-line run writes no file";
    return false;
  }
  bool Copy(const std::string&, const std::string&) override { return false; }
  bool Remove(const std::string&) override { return false; }
  std::optional<FileInfo> Stat(const std::string& path) override {
    return SystemFileSystem().Stat(path);
  }
  bool AppendLine(const std::string&, const std::string&, const LogRule&,
                  std::string* error) override {
    if (error) *error = "an off-line run writes no file";
    return false;
  }
  std::unique_ptr<FileLock> Lock(const std::string&, LockRefusal& refusal) override {
    refusal.reason = "an off-line run takes no lock";
    return nullptr;
  }
};

// A fixed calendar start: the same run gives the same results on any day.
constexpr DateTime kRunStart{2026, 1, 1, 0, 0, 0};

std::string Tag(const std::string& tag) { return TrimRight(tag); }

void StartTrace(const Controller& controller, const PlantSimulation& plant, LoopTrace& trace) {
  const ControllerModel& m = controller.model;
  for (int i = 1; i <= NumIn; ++i) {
    if (!IsUsed(m.PVarIn[i])) continue;
    TracedInput in;
    in.tag = Tag(m.PVarIn[i].DCSTagPV);
    for (int z = 1; z <= NumZones; ++z) {
      const MFZone& zone = m.PVarIn[i].Zone[z];
      if (std::none_of(zone.MFValue.begin() + 1, zone.MFValue.end(), [](float v) { return v > 0; })) {
        continue;  // an empty slot, not a zone
      }
      in.zoneSlots.push_back(z);
      in.zoneNames.push_back(TrimRight(zone.MFName.str()));
      in.zonePeak.push_back(0);
    }
    trace.inputs.push_back(std::move(in));
  }
  for (int o = 1; o <= NumOut; ++o) {
    if (!IsUsed(m.PVarOut[o])) continue;
    TracedOutput out;
    out.tag = Tag(m.PVarOut[o].DCSTagPV);
    const auto ref = plant.Find(out.tag);
    out.start = static_cast<float>(plant.Read(ref));
    trace.outputs.push_back(std::move(out));
  }
}

void RecordCycle(const Controller& controller, const PlantSimulation& plant, bool first,
                 LoopTrace& trace) {
  const ControllerModel& m = controller.model;
  std::size_t n = 0;
  for (int i = 1; i <= NumIn; ++i) {
    if (!IsUsed(m.PVarIn[i])) continue;
    const PVarInRecord& record = m.PVarIn[i];
    TracedInput& in = trace.inputs[n++];
    in.value.push_back(record.PVIN);
    in.high.push_back(record.PVHigh);
    in.low.push_back(record.PVLow);
    for (std::size_t z = 0; z < in.zoneSlots.size(); ++z) {
      in.zonePeak[z] = std::max(in.zonePeak[z], record.Zone[in.zoneSlots[z]].MFDegree);
    }
  }
  n = 0;
  for (int o = 1; o <= NumOut; ++o) {
    if (!IsUsed(m.PVarOut[o])) continue;
    const PVarOutRecord& record = m.PVarOut[o];
    TracedOutput& out = trace.outputs[n++];
    if (first) {
      // The range is the output's limits as the DCS holds them, else as the plant has them.
      out.low = record.PVLow;
      out.high = record.PVHigh;
      if (!(out.high > out.low)) {
        for (const PlantOutput& given : plant.Description().outputs) {
          if (given.pvTag == out.tag) {
            out.low = static_cast<float>(given.low);
            out.high = static_cast<float>(given.high);
          }
        }
      }
    }
    out.value.push_back(record.PVIN);
    const std::string sent = OutputSentText(m, o);
    out.sent.push_back(sent == "X" || m.ToFileMode ? std::numeric_limits<float>::quiet_NaN()
                                                   : ToSingle(sent));
    out.held.push_back(!record.SendOutput && !IsNotUsed(record.ValueOut) ? 1 : 0);
  }
}

void RecordRules(const ControllerModel& m, std::array<bool, NumRules + 1>& used,
                 std::array<bool, NumRules + 1>& fired) {
  for (int r = 1; r <= NumRules; ++r) {
    const std::string& strength = m.Rules[r].Strength;
    if (IsNotUsed(strength)) continue;
    used[r] = true;
    if (strength != "0.0000" && ToNumber(strength) > 0) fired[r] = true;
  }
}

}  // namespace

LoopTrace RunClosedLoop(const LoopSetup& setup) {
  PlantSimulation plant(setup.plant);
  SilentOperator op;
  SimulatedClock clock(kRunStart);
  ReadOnlyFiles files;
  ControllerParts parts = ControllerParts::OnSimulatedTime(clock);
  parts.op = &op;
  parts.files = &files;
  // The plant is the link: the cycle reads and writes it as it would the DCS.
  parts.session.withLink = true;
  parts.session.withScripts = setup.withScripts;
  parts.session.linkFactory = [&plant](const ControllerModel&) -> std::unique_ptr<Link> {
    return std::make_unique<PlantLink>(plant);
  };
  BuiltController built(std::move(parts));
  Controller& controller = built.controller();
  ControllerSession& session = built.session();
  session.startupSteps().deleteStaleLinkOutput = nullptr;
  session.startupSteps().autoStartLink = nullptr;
  if (!session.Start(setup.workDir)) {
    throw TuneInputError(setup.workDir + "/FLC.dat could not be read");
  }
  // The plant takes what is written to it: the controller runs To DCS with the link on.
  mnuToDCS(controller);
  session.link().SwitchOn(controller);
  if (setup.adjust) setup.adjust(controller);

  LoopTrace trace;
  session.cycleSteps().runTimeErrorReported = [&trace](Controller&, const std::string&) {
    ++trace.errors;
  };
  session.cycleSteps().replaceOutputs = setup.replaceOutputs;
  StartTrace(controller, plant, trace);
  std::array<bool, NumRules + 1> used{};
  std::array<bool, NumRules + 1> fired{};
  double time = 0;
  const double end = setup.hours * 3600.0;
  while (time < end) {
    session.RunCycle();
    RecordCycle(controller, plant, trace.cycles == 0, trace);
    RecordRules(controller.model, used, fired);
    ++trace.cycles;
    const int period = std::max<int>(1, controller.model.FLCBlock.RunFrequency);
    time += period;
    while (plant.Time() + PlantSimulation::kStepSeconds / 2 < time) plant.Step();
    clock.Advance(period);
  }
  trace.cycleSeconds = trace.cycles > 0 ? time / static_cast<double>(trace.cycles) : 0;
  for (int r = 1; r <= NumRules; ++r) {
    if (used[r]) trace.rulesInUse.push_back(r);
    if (fired[r]) trace.rulesFired.push_back(r);
  }
  if (!setup.replaceOutputs && trace.rulesInUse.empty()) {
    throw TuneInputError("no rule of " + setup.workDir + "/FLC.dat is in use");
  }
  return trace;
}

}  // namespace kavro
