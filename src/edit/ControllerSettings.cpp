#include "edit/ControllerSettings.h"

#include <memory>
#include <optional>

#include "common/KavroError.h"
#include "common/NumberText.h"
#include "common/TextUtil.h"
#include "edit/DcsSuppliedValue.h"
#include "edit/EditMessage.h"
#include "history/RetentionSetting.h"
#include "link/LinkNames.h"

namespace kavro {

namespace {

using Panel = ControllerSettingsPanel;

inline constexpr int kMinRunFrequency = 10;  // the same floors reading FLC.dat applies
inline constexpr int kMinLinkFrequency = 5;
inline constexpr int kLinkLead = 5;  // the link runs at least this much faster

// A box's whole-second value: nothing when it is not a number or beyond 16 bits.
std::optional<int16_t> SecondsOf(const std::string& text) {
  if (!IsNumeric(text)) return std::nullopt;
  try {
    return ToInt16(ToNumber(text));
  } catch (const KavroError&) {
    return std::nullopt;
  }
}

// The fields the panel stores, read from the boxes.
struct Settings {
  std::string Program_Interface;
  int16_t RunFrequency = 0;
  std::string DCSRunFreq, DCSONOFF, DCSWatchDog, DCSErrorCode;
  std::string LinkAppl, Link2Appl, LinkTopicName;
  std::string Name1;
  int16_t LinkFrequency = 0;
  int HistoryDays = 0;
};

// The message that refuses the name, when the controller name cannot name the link files or
// the link client program (when one is named) would be looked for outside the working folder.
std::optional<std::string> RefusedNameMessage(const Settings& s) {
  auto names = std::make_unique<ControllerModel>();
  names->FLCBlock.Name1 = s.Name1;
  names->Program_Interface = s.Program_Interface;
  const bool programNamed = !IsAllSpaces(s.Program_Interface);
  if (!IsUsableFileName(s.Name1) || programNamed) return UnusableLinkNameMessage(*names);
  return std::nullopt;
}

// Checks the boxes in the order the operator reads them; the first refusal is shown and ends
// the check with nothing read into the model.
std::optional<Settings> CheckedSettings(Controller& c, const Panel& panel) {
  const ControllerModel& model = c.model;
  auto refuse = [&](const std::string& text, const std::string& title) -> std::optional<Settings> {
    ShowEditMessage(c, text, title, MsgIcon::Critical);
    return std::nullopt;
  };
  Settings s;
  const auto& box = panel.Text1;
  s.Program_Interface = box[Panel::kProgramInterface];
  const std::optional<int16_t> run = SecondsOf(box[Panel::kRunFrequency]);
  if (!run) return refuse("Run Freq Must Be a Positive Integer", model.ProductName + " ");
  if (*run < kMinRunFrequency) {
    return refuse("Please Enter a Frequency Greater Than 10 Seconds", model.ProductName);
  }
  s.RunFrequency = *run;
  // The link overwrites a run frequency the DCS supplies: an untouched box keeps the DCS's
  // present value (it may have changed since the panel opened), a typed one is refused.
  if (DcsSuppliesValue(model, model.FLCBlock.DCSRunFreq)) {
    if (s.RunFrequency != panel.loadedRunFrequency) {
      RefuseDcsSuppliedEdit(c, "Run Frequency", model.FLCBlock.DCSRunFreq);
      return std::nullopt;
    }
    s.RunFrequency = model.FLCBlock.RunFrequency;
  }
  s.DCSRunFreq = box[2];
  s.DCSONOFF = box[3];
  s.DCSWatchDog = box[4];
  s.DCSErrorCode = box[5];
  s.LinkAppl = box[6];
  s.Link2Appl = box[7];
  s.LinkTopicName = box[8];
  s.Name1 = box[Panel::kName].substr(0, 8);
  if (IsAllSpaces(s.Name1)) return refuse("Controller Name is Missing", model.ProductName);
  if (auto message = RefusedNameMessage(s)) return refuse(*message, model.ProductName);
  const std::optional<int16_t> link = SecondsOf(box[Panel::kLinkFrequency]);
  if (!link || *link < kMinLinkFrequency) {
    return refuse("Link Freq Must Be a Positive Integer", model.ProductName);
  }
  s.LinkFrequency = *link;
  if (s.LinkFrequency > s.RunFrequency - kLinkLead) {
    return refuse("Link Freq Must Be Faster Than Run Frequency By Atleast 5 Seconds",
                  model.ProductName);
  }
  const std::optional<int> days = ParseRetentionDays(Trim(panel.historyDays));
  if (!days) {
    return refuse(
        "History Days Must Be a Whole Number From 1 To " + std::to_string(kMaxRetentionDays),
        model.ProductName);
  }
  s.HistoryDays = *days;
  return s;
}

// Stores one field and records it when it changed; returns whether it did.
bool Store(AuditTrail& audit, const char* what, std::string& field, const std::string& value) {
  if (field == value) return false;
  audit.Record(what, field, value);
  field = value;
  return true;
}

bool Store(AuditTrail& audit, const char* what, int16_t& field, int16_t value) {
  if (field == value) return false;
  audit.Record(what, SettingsFrequencyText(field), SettingsFrequencyText(value));
  field = value;
  return true;
}

}  // namespace

std::string SettingsFrequencyText(int16_t seconds) {
  return FormatNumber(seconds, "##0");
}

int HistoryDaysKept(const ControllerModel& model) {
  return model.HistoryDays > 0 ? model.HistoryDays : ReadRetentionDays(model.WorkDir);
}

bool ApplyControllerSettings(Controller& controller, Panel& panel, AuditTrail& audit) {
  const std::optional<Settings> s = CheckedSettings(controller, panel);
  if (!s) return false;
  ControllerModel& m = controller.model;
  FLCBlockRecord& b = m.FLCBlock;
  bool changed = false;
  changed |= Store(audit, "Program_Interface", m.Program_Interface, s->Program_Interface);
  changed |= Store(audit, "RunFrequency", b.RunFrequency, s->RunFrequency);
  changed |= Store(audit, "DCSRunFreq", b.DCSRunFreq, s->DCSRunFreq);
  changed |= Store(audit, "DCSONOFF", b.DCSONOFF, s->DCSONOFF);
  changed |= Store(audit, "DCSWatchDog", b.DCSWatchDog, s->DCSWatchDog);
  changed |= Store(audit, "DCSErrorCode", b.DCSErrorCode, s->DCSErrorCode);
  changed |= Store(audit, "LinkAppl", b.LinkAppl, s->LinkAppl);
  changed |= Store(audit, "Link2Appl", b.Link2Appl, s->Link2Appl);
  changed |= Store(audit, "LinkTopicName", b.LinkTopicName, s->LinkTopicName);
  changed |= Store(audit, "Name1", b.Name1, s->Name1);
  changed |= Store(audit, "LinkFrequency", b.LinkFrequency, s->LinkFrequency);
  // Kept in the working folder's own file at once, not in FLC.dat: nothing to save later.
  if (s->HistoryDays != HistoryDaysKept(m)) {
    audit.Record("HistoryDays", std::to_string(HistoryDaysKept(m)), std::to_string(s->HistoryDays));
    std::string error;
    if (!SaveRetentionDays(m.WorkDir, s->HistoryDays, &error)) {
      ShowEditMessage(controller, "The history days could not be saved: " + error, m.ProductName,
                      MsgIcon::Exclamation);
    }
    m.HistoryDays = s->HistoryDays;
  }
  if (changed) m.ChangesPending = true;
  return true;
}

void CheckRunFrequencyBox(Controller& controller, Panel& panel, int index) {
  if (index != Panel::kRunFrequency) return;
  ControllerModel& m = controller.model;
  std::string& box = panel.Text1[Panel::kRunFrequency];
  int16_t value = m.FLCBlock.RunFrequency;
  if (const std::optional<int16_t> typed = SecondsOf(box)) {
    if (*typed >= kMinRunFrequency) {
      value = *typed;
    } else {
      ShowEditMessage(controller, "Please Enter a Frequency Greater Than 10 Seconds", m.ProductName,
                      MsgIcon::Exclamation);
    }
  } else {
    ShowEditMessage(controller, "Please Enter a Numeric Value Greater Than 10 Seconds",
                    m.ProductName, MsgIcon::Exclamation);
  }
  box = SettingsFrequencyText(value);
  m.ChangesPending = true;
}

}  // namespace kavro
