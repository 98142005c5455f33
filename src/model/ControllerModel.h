#pragma once
// The one store of the controller. Created at start, never rebuilt; every operation reads and
// writes its fields in place through 1-based slot numbers (slot 0 of each table is unused).
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "common/DateText.h"
#include "model/CycleErrorSpells.h"
#include "model/Dimensions.h"
#include "model/RuleBaseText.h"
#include "model/ScriptStore.h"
#include "model/SlidingTable.h"

namespace kavro {

// One membership zone of a variable: four points of a piecewise-linear membership function.
struct MFZone {
  RuleBaseText MFName;
  std::array<float, NumPoints + 1> MFPValue{};  // slots 1..4: process values, ascending
  std::array<float, NumPoints + 1> MFValue{};   // slots 1..4: membership values, 0..1
  float MFDegree = 0;                           // degree of the current PVIN, 0..1
};

using ZoneTable = std::array<MFZone, NumZones + 1>;  // slots 1..7
// Slots 1..200 (201, 202 spare); a full history shifts its samples down one slot a cycle.
using HistoryTable = SlidingTable<float, HistoryLength + 3, HistoryLength>;
using SlopeTable = std::array<float, NumSlopes + 1>;  // slots 1..3

struct PVarInRecord {
  std::string PVarName;
  std::string Units;
  std::string DCSTagPV;
  std::string DCSTagHigh;
  std::string DCSTagLow;
  float PVHigh = 0;
  float PVIN = 0;
  float PVLow = 0;
  HistoryTable History{};
  SlopeTable Slope{};
  ZoneTable Zone{};
  float VarIndex = 0;
  std::string PlotHi;
  std::string PlotLo;
};

struct PVarOutRecord {
  std::string PVarName;
  std::string Units;
  std::string DCSTagPV;
  std::string DCSTagHigh;
  std::string DCSTagLow;
  std::string DCSTagOut;
  std::string DCSMaxChange;
  std::string DCSChangeTime;
  std::string DCSWaitChange;
  float PVHigh = 0;
  float PVIN = 0;
  float PVLow = 0;
  float ScriptAdjust = 0;
  float Max_Change = 0;
  float Change_Time = 0;  // minutes
  float Wait_Change = 0;  // minutes
  HistoryTable History{};
  SlopeTable Slope{};
  std::string OutputType;
  std::string ValueOut;
  // ValueOut as defuzzification left it, before the move limits and the post-process script
  // change it: the rule-firing view shows both.
  std::string ValueDefuzzified;
  ZoneTable Zone{};
  bool ClampIncrease = false;
  bool ClampDecrease = false;
  bool SendOutput = false;
  int16_t IncreaseCounter = 0;
  int16_t DecreaseCounter = 0;
  std::string PlotHi;
  std::string PlotLo;
};

struct Rule {
  std::array<RuleBaseText, NumTerms + 1> Term;  // 1..6 inputs, 7..8 outputs
  RuleBaseText Operator;
  std::string Strength;
};

struct FLCBlockRecord {
  std::string Name1;
  std::string LinkAppl;
  std::string Link2Appl;
  std::string LinkTopicName;
  int16_t RunFrequency = 0;   // seconds
  int16_t LinkFrequency = 0;  // seconds
  std::string DCSRunFreq;
  std::string DCSONOFF;
  std::string DCSWatchDog;
  std::string DCSErrorCode;
  bool SlopeCorr = false;
};

// Shared state of the DCS link.
struct LinkState {
  std::string LinkStatus = kOff;      // "ON" / "OFF"
  std::string LinkStatusSent = kOff;  // the state last sent to the DCS
  bool SkipNextRead = false;
  // This cycle's process values came from the plant: only then may outputs go out. Cleared at
  // the start of every cycle, set by a good read.
  bool PlantReadThisCycle = false;
  double LastReadTime = 0;   // seconds since midnight of the last successful read
  double LastWriteTime = 0;  // the same for the last write
  // The link debug panel is open: the OPC link keeps its messages for it.
  bool Watched = false;
};

// A moment the cycle passed: whether it came at all, and the clock's date and time then (none
// while no clock runs).
struct CycleStamp {
  bool happened = false;
  std::optional<DateTime> at;
};

// When the cycle last ran, read the link well and wrote to it, and how long it then waited.
struct CycleTimes {
  CycleStamp lastRun;
  CycleStamp lastRead;
  CycleStamp lastWrite;
  float waitMs = 0;  // the wait armed after the last run, in milliseconds
};

struct ControllerModel {
  // Controller block and file header.
  FLCBlockRecord FLCBlock;
  std::string FLCVersion;
  std::string Program_Interface;
  bool RestartInterface = false;
  std::string ControlMode;

  // Variables, rules and constant tables.
  std::array<PVarInRecord, NumIn + 1> PVarIn{};
  std::array<PVarOutRecord, NumOut + 1> PVarOut{};
  std::array<Rule, NumRules + 1> Rules{};
  std::array<std::string, NumDeFuzz + 1> DeFuzz{};
  std::array<RuleBaseText, NumOperators + 1> OperatorNames{};
  std::array<int16_t, NumSlopes + 1> SlopeWindow{};

  // Run-time fields (not persisted).
  int16_t HistCount = 0;
  // When each history sample was taken: slots 1..HistCount, oldest first, shifted with the
  // histories.
  SlidingTable<DateTime, HistoryLength + 1, HistoryLength> HistoryTime{};
  bool ToFileMode = true;
  bool CycleHold = false;
  bool ChangesPending = false;
  int16_t SelCol = 0;
  int16_t SelRow = 0;
  int16_t DCSOnOffValue = 0;
  int16_t ErrorCodeValue = 0;
  bool LinkReadError = false;
  bool LinkWriteError = false;
  std::string WorkDir;
  std::string ProductName = "Kavro";

  LinkState Link;
  // The pre- and post-process scripts: loaded and switched on (the script host keeps these).
  struct ScriptSwitches {
    bool PreScriptOn = false;
    bool PostScriptOn = false;
  } Scripts;

  // Shared by both scripts; cleared at start-up only.
  ScriptStore Store;

  // The operator's state shared with the cycle and the editors.
  bool ScreenLocked = false;   // the main grid refuses edits; the operator unlocks it a while
  int16_t LockCountdown = 0;   // seconds left until an unlocked screen locks itself again
  bool CycleHasRun = false;    // a cycle has run since start-up: the control mode may change
  bool ExitRequested = false;  // File / Exit was confirmed: the program ends now
  CycleTimes Times;
  int16_t ErrorStep = 0;
  CycleErrorSpells ErrorSpells;
  // Days of plant history kept (WorkDir/kavro-history.ini, or the headless service's
  // --history-days); 0 until start-up has read them.
  int HistoryDays = 0;
  // Copies of the main window that Print Screen prints; below 1 counts as 1.
  int16_t PrinterCopies = 0;

  // Control engine (engine area): work kept between cycles; not configuration, never saved.
};

// The version text of the running program: "Kavro Version 1.0.0".
std::string ProgramVersionText();

// Gives every field its start value; WorkDir becomes workDir.
void ResetModel(ControllerModel& model, const std::string& workDir);

// The defaulting step run after ResetModel and before the configuration file is read.
void ApplyDefaults(ControllerModel& model);

// Which variable a rule term slot refers to: term j is input j for j <= NumIn, otherwise
// output j - NumIn.
struct TermVariable {
  bool isInput;
  int slot;
};
TermVariable VariableOfTerm(int termSlot);

// A variable is in use when its name without trailing blanks is not empty.
bool IsUsed(const PVarInRecord& variable);
bool IsUsed(const PVarOutRecord& variable);

// The zones of the variable that term slot j refers to.
ZoneTable& ZonesOfTerm(ControllerModel& model, int termSlot);
const ZoneTable& ZonesOfTerm(const ControllerModel& model, int termSlot);

// The name shown for a zone read with an empty name: "Zone " + slot.
std::string DefaultZoneName(int zoneSlot);

}  // namespace kavro
