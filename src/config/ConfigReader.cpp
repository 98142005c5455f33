// Reading FLC.dat. The reader is tolerant where plants' hand-edited files need it (unknown lines
// are skipped, blocks may come in any order or be missing) and strict where a wrong value would
// make the controller act on garbage (a bad number or slot stops the reading with a message).
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "common/KavroError.h"
#include "common/NumberText.h"
#include "common/TextUtil.h"
#include "config/ConfigFile.h"
#include "config/ConfigLines.h"

namespace kavro {
namespace {

// Where a failure happened, for the operator's message.
struct ReadPosition {
  std::string topLine;
  std::string blockLine;
};

class LineSource {
 public:
  explicit LineSource(const std::string& bytes) : lines_(SplitConfigLines(bytes)) {}
  bool AtEnd() const { return next_ >= lines_.size(); }
  std::size_t LinesRead() const { return next_; }
  // The next line; the end of the file where a line is still expected is a reading failure.
  const std::string& Next() {
    if (AtEnd()) throw KavroError(errors::kInputPastEnd, errors::kInputPastEndText);
    return lines_[next_++];
  }
  // The lines not read yet that hold anything but blanks and tabs.
  std::vector<std::string> FilledLinesLeft() const {
    std::vector<std::string> left;
    for (std::size_t i = next_; i < lines_.size(); ++i) {
      if (lines_[i].find_first_not_of(" \t") != std::string::npos) left.push_back(lines_[i]);
    }
    return left;
  }

 private:
  std::vector<std::string> lines_;
  std::size_t next_ = 0;
};

int16_t SlotWithin(std::string_view value, int highest) {
  const int16_t slot = ToInt16(ToNumber(value));
  if (slot < 0 || slot > highest) throw KavroError(errors::kSubscript, errors::kSubscriptText);
  return slot;
}

class ConfigReader {
 public:
  ConfigReader(ControllerModel& model, const std::string& bytes) : model_(model), source_(bytes) {}
  std::size_t LinesRead() const { return source_.LinesRead(); }

  void ReadTopLevel() {
    while (!source_.AtEnd()) {
      position.topLine = source_.Next();
      const std::string& line = position.topLine;
      const auto key = LineKey(line);
      if (!key) continue;  // a line without a colon
      if (*key == "FLCVersion") {
        source_.Next();  // the date line is not read back
      } else if (*key == "Program_Interface") {
        model_.Program_Interface = LineValue(line);
      } else if (*key == "RESTART I/F") {
        model_.RestartInterface = Contains(line, "YES");
      } else if (*key == "Start_FLC_Block") {
        ReadControllerBlock();
      } else if (*key == "Start_PVarIn") {
        ReadInputBlock();
      } else if (*key == "Start_PVarOut") {
        ReadOutputBlock();
      } else if (*key == "Start_Rule") {
        ReadRuleBlock();
      } else if (*key == "Start_DeFuzz") {
        ReadDeFuzzBlock();
      } else if (*key == "Start_ControlMode") {
        ReadControlModeBlock();
        // Nothing after the control-mode block is read; what is there is told, not kept quiet.
        NoteLinesAfterTheEnd();
        return;
      }
      // Any other labelled line (a note, a field of a newer version) is skipped.
    }
    // The file ended before its control-mode block.
    source_.Next();
  }

  ReadPosition position;
  std::vector<std::string> warnings;

 private:
  void NoteLinesAfterTheEnd() {
    const std::vector<std::string> left = source_.FilledLinesLeft();
    if (left.empty()) return;
    warnings.push_back(
        "FLC.dat has " + std::to_string(left.size()) + (left.size() == 1 ? " line" : " lines") +
        " after its last block (End_ControlMode:) that " + (left.size() == 1 ? "was" : "were") +
        " not read; the first: " + Printable(left.front()));
  }

  // A line of unknown bytes as the event log can show it: control bytes as "?", cut short.
  static std::string Printable(const std::string& line) {
    constexpr std::size_t kShown = 60;
    std::string shown = line.substr(0, kShown);
    for (char& c : shown) {
      if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = '?';
    }
    return line.size() > kShown ? shown + "..." : shown;
  }

  const std::string& NextBlockLine() {
    position.blockLine = source_.Next();
    return position.blockLine;
  }

  void ReadControllerBlock() {
    FLCBlockRecord& block = model_.FLCBlock;
    block.SlopeCorr = false;
    for (;;) {
      const std::string& line = NextBlockLine();
      if (line == "End_FLC_Block:") return;
      const auto key = LineKey(line);
      if (!key) continue;
      const std::string value = LineValue(line);
      if (*key == "Name1") block.Name1 = value;
      else if (*key == "LinkAppl") block.LinkAppl = value;
      else if (*key == "Link2Appl") block.Link2Appl = value;
      else if (*key == "LinkTopicName") block.LinkTopicName = value;
      else if (*key == "RunFrequency") block.RunFrequency = ToInt16(ToNumber(value));
      else if (*key == "DCSRunFreq") block.DCSRunFreq = value;
      else if (*key == "DCSONOFF") block.DCSONOFF = value;
      else if (*key == "DCSWatchDog") block.DCSWatchDog = value;
      else if (*key == "DCSErrorCode") block.DCSErrorCode = value;
      else if (*key == "SlopeCorr") block.SlopeCorr = value == "True";
      else if (*key == "LinkFrequency") block.LinkFrequency = ToInt16(ToNumber(value));
    }
  }

  // The zone lines shared by input and output blocks; false when key is not a zone label.
  bool ReadZoneLine(std::string_view key, const std::string& value, ZoneTable& zones) {
    if (key == "MFName") {
      if (++zoneCounter_ > NumZones) throw KavroError(errors::kSubscript, errors::kSubscriptText);
      zones[zoneCounter_].MFName = value.empty() ? DefaultZoneName(zoneCounter_) : value;
    } else if (key == "MFPValue") {
      ReadPoints(zones[zoneCounter_].MFPValue);
    } else if (key == "MFValue") {
      ReadPoints(zones[zoneCounter_].MFValue);
    } else {
      return false;
    }
    return true;
  }

  void ReadPoints(std::array<float, NumPoints + 1>& points) {
    for (int p = 1; p <= NumPoints; ++p) points[p] = ToSingle(NextBlockLine());
  }

  // A line of the fields inputs and outputs share; false when key is none of them.
  template <typename Variable>
  bool ReadSharedField(std::string_view key, const std::string& value, Variable& v) {
    if (key == "PVarName") v.PVarName = value;
    else if (key == "Units") v.Units = value;
    else if (key == "DCSTagPV") v.DCSTagPV = value;
    else if (key == "DCSTagHigh") v.DCSTagHigh = value;
    else if (key == "DCSTagLow") v.DCSTagLow = value;
    else if (key == "PVHigh") v.PVHigh = ToSingle(value);
    else if (key == "PVIN") v.PVIN = ToSingle(value);
    else if (key == "PVLow") v.PVLow = ToSingle(value);
    else if (key == "PlotHi") v.PlotHi = value;
    else if (key == "PlotLo") v.PlotLo = value;
    else return ReadZoneLine(key, value, v.Zone);
    return true;
  }

  // Reads an input or output block up to its end marker; readOwn takes the labels only that
  // kind of variable has.
  template <typename Table, typename OwnFields>
  void ReadVariableBlock(const char* endMarker, Table& table, OwnFields readOwn) {
    const int highest = static_cast<int>(table.size()) - 1;
    zoneCounter_ = 0;
    for (;;) {
      const std::string& line = NextBlockLine();
      if (line == endMarker) return;
      const auto key = LineKey(line);
      if (!key) continue;
      const std::string value = LineValue(line);
      if (*key == "Index") {
        selected_ = SlotWithin(value, highest);
        continue;
      }
      auto& v = table[static_cast<std::size_t>(CheckedSlot(highest))];
      if (!ReadSharedField(*key, value, v)) readOwn(*key, value, v);
    }
  }

  void ReadInputBlock() {
    ReadVariableBlock("End_PVarIn:", model_.PVarIn,
                      [](std::string_view, const std::string&, PVarInRecord&) {});
  }

  void ReadOutputBlock() {
    ReadVariableBlock("End_PVarOut:", model_.PVarOut,
                      [](std::string_view key, const std::string& value, PVarOutRecord& v) {
                        if (key == "DCSTagOut") v.DCSTagOut = value;
                        else if (key == "DCSMaxChange") v.DCSMaxChange = value;
                        else if (key == "DCSChangeTime") v.DCSChangeTime = value;
                        else if (key == "DCSWaitChange") v.DCSWaitChange = value;
                        else if (key == "Max_Change") v.Max_Change = ToSingle(value);
                        else if (key == "Change_Time") v.Change_Time = ToSingle(value);
                        else if (key == "Wait_Change") v.Wait_Change = ToSingle(value);
                        else if (key == "ValueOut") v.ValueOut = kNotUsed;  // never resent
                        else if (key == "OutputType") v.OutputType = value;
                      });
  }

  // The slot selected last, in any block, fills this block until its own "Index" line; it must
  // lie within this block's table.
  int16_t CheckedSlot(int highest) const {
    if (selected_ < 0 || selected_ > highest) {
      throw KavroError(errors::kSubscript, errors::kSubscriptText);
    }
    return selected_;
  }

  // A positional line that selects the slot when it is an "Index" line.
  void ReadIndexLine(int highest) {
    const std::string& line = NextBlockLine();
    const auto key = LineKey(line);
    if (key && *key == "Index") selected_ = SlotWithin(LineValue(line), highest);
  }

  void ReadRuleBlock() {
    for (;;) {
      ReadIndexLine(NumRules);
      Rule& rule = model_.Rules[static_cast<std::size_t>(CheckedSlot(NumRules))];
      for (int j = 1; j <= NumTerms; ++j) rule.Term[j] = NextBlockLine();
      rule.Operator = NextBlockLine();
      if (NextBlockLine() == "End_Rule:") return;
      // Otherwise the block starts over with a new index, terms and operator.
    }
  }

  void ReadDeFuzzBlock() {
    for (;;) {
      ReadIndexLine(NumDeFuzz);
      model_.DeFuzz[static_cast<std::size_t>(CheckedSlot(NumDeFuzz))] = NextBlockLine();
      if (NextBlockLine() == "End_DeFuzz:") return;
    }
  }

  void ReadControlModeBlock() {
    for (;;) {
      const std::string& line = NextBlockLine();
      if (line == "End_ControlMode:") return;
      if (Trim(line) == kModeDCS) model_.ControlMode = kModeDCS;
    }
  }

  ControllerModel& model_;
  LineSource source_;
  int16_t selected_ = 0;
  int zoneCounter_ = 0;
};

void DefaultsBeforeReading(ControllerModel& model) {
  for (int r = 1; r <= NumRules; ++r) {
    for (int j = 1; j <= NumTerms; ++j) model.Rules[r].Term[j] = kNotUsed;
  }
  for (int i = 1; i <= NumIn; ++i) model.PVarIn[i].PlotHi = model.PVarIn[i].PlotLo = kAuto;
  for (int k = 1; k <= NumOut; ++k) model.PVarOut[k].PlotHi = model.PVarOut[k].PlotLo = kAuto;
  model.ControlMode = kModeFile;
}

void ClampMembership(ZoneTable& zones) {
  for (int z = 1; z <= NumZones; ++z) {
    for (int p = 1; p <= NumPoints; ++p) {
      float& value = zones[z].MFValue[p];
      if (value < 0) value = 0;
      if (value > 1) value = 1;
    }
  }
}

// Made after every reading of an existing file, complete or not, so that the controller never
// runs on out-of-range frequencies or membership values.
void CorrectAfterReading(ControllerModel& model) {
  for (int i = 1; i <= NumIn; ++i) ClampMembership(model.PVarIn[i].Zone);
  for (int k = 1; k <= NumOut; ++k) ClampMembership(model.PVarOut[k].Zone);
  if (model.FLCBlock.RunFrequency < 10) model.FLCBlock.RunFrequency = 10;
  if (model.FLCBlock.LinkFrequency < 5) model.FLCBlock.LinkFrequency = 5;
  for (int k = 1; k <= NumOut; ++k) {
    PVarOutRecord& out = model.PVarOut[k];
    if (out.OutputType.empty()) out.OutputType = kIncr;
    out.ClampIncrease = out.ClampDecrease = out.SendOutput = false;
  }
  for (int r = 1; r <= NumRules; ++r) {
    if (TrimRight(model.Rules[r].Operator).empty()) model.Rules[r].Operator = model.OperatorNames[1];
  }
}

}  // namespace

std::string ConfigPathIn(const std::string& dir) { return dir + "/FLC.dat"; }
std::string ConfigPath(const ControllerModel& model) { return ConfigPathIn(model.WorkDir); }

namespace {

std::string ReadFailureText(int number, const std::string& description, const ReadPosition& at) {
  return "Error in Read FLC.DAT File" + std::string(kCrLf) + description + kCrLf + "Text = " +
         at.topLine + "; " + at.blockLine + kCrLf + "Error No.: " + FormatNumber(number, "####0");
}

bool ShowReadFailure(Controller& controller, const std::string& text, ConfigReadNotes* notes) {
  if (notes) notes->failureText = text;
  controller.ports.op->MessageBox(text, controller.model.ProductName, MsgIcon::Exclamation,
                                  MsgButtons::OK);
  return false;
}

}  // namespace

bool ReadConfigBytes(Controller& controller, const std::string& bytes, ConfigReadNotes* notes) {
  ControllerModel& model = controller.model;
  DefaultsBeforeReading(model);
  ConfigReader reader(model, bytes);
  std::optional<std::string> failure;
  try {
    reader.ReadTopLevel();
  } catch (const KavroError& error) {
    failure = ReadFailureText(error.Number(), error.Description(), reader.position);
    if (notes) {
      notes->failureReason = error.Description();
      notes->failureLine = static_cast<int>(reader.LinesRead());
    }
  }
  CorrectAfterReading(model);
  if (notes) notes->warnings = reader.warnings;
  return failure ? ShowReadFailure(controller, *failure, notes) : true;
}

bool ReadConfig(Controller& controller, ConfigReadNotes* notes) {
  const std::string path = ConfigPath(controller.model);
  FileSystem& files = *controller.ports.files;
  if (!files.Exists(path)) {
    DefaultsBeforeReading(controller.model);
    return true;
  }
  std::string bytes;
  if (!files.ReadAll(path, bytes)) {
    DefaultsBeforeReading(controller.model);
    CorrectAfterReading(controller.model);
    return ShowReadFailure(
        controller, ReadFailureText(errors::kPathFileAccess, errors::kPathFileAccessText, {}),
        notes);
  }
  return ReadConfigBytes(controller, bytes, notes);
}

}  // namespace kavro
