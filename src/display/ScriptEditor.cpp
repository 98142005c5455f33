#include "display/ScriptEditor.h"

#include <algorithm>

#include "common/KavroError.h"
#include "display/StatusFrame.h"
#include "scripting/host/ScriptFile.h"
#include "scripting/vbs/Parser.h"
#include "scripting/vbs/ScriptEngine.h"

namespace kavro {
namespace {

const char* ProcessName(ScriptKind kind) {
  return kind == ScriptKind::Pre ? "Pre" : "Post";
}

// The pad holds the text from the file's third line on: status line, date line, then the text.
constexpr int kLinesBeforeText = 2;

ScriptEditorStatus ErrorStatus(int number, const std::string& description, int padLine) {
  ScriptEditorStatus status;
  status.isError = true;
  status.number = number;
  status.description = description;
  status.padLine = padLine > 0 ? padLine : 0;
  status.text = "Error " + std::to_string(number) + ": " + description;
  if (status.padLine > 0) status.text += " (line " + std::to_string(status.padLine) + ")";
  return status;
}

ScriptEditorStatus PlainStatus(std::string text) {
  ScriptEditorStatus status;
  status.text = std::move(text);
  return status;
}

}  // namespace

ScriptEditor::ScriptEditor(Controller& controller, ScriptHost& host, ScriptKind kind)
    : controller_(controller), host_(host), kind_(kind) {
  hold_.emplace(controller.model);
  Load();
}

std::string ScriptEditor::Title() const {
  // The two titles differ by their dash, as operators have always seen them.
  return kind_ == ScriptKind::Pre ? controller_.model.ProductName + " - PreProcess Script"
                                  : controller_.model.ProductName + " PostProcess Script";
}

const char* ScriptEditor::LiabilityStatement() {
  return "A script changes the controller's inputs and outputs while it controls the plant. "
         "By saving it you accept the risk of that change, confirm that you are an experienced "
         "user of this controller, and release its maker from all claims arising from the use "
         "of the script.";
}

void ScriptEditor::Load() {
  pad_ = host_.Script(kind_).text;
  txt2_ = pad_;
  editorChanged_ = false;
  accepted_ = false;
  SetFilter(CallFilter::All);
  status_ = {};
}

void ScriptEditor::PadChanged(std::string text) {
  pad_ = std::move(text);
  editorChanged_ = true;
}

void ScriptEditor::SetFilter(CallFilter filter) {
  filter_ = filter;
  calls_ = FilteredCalls(filter);
}

std::string ScriptEditor::CallToInsert(size_t index) const {
  return index < calls_.size() ? calls_[index] + " " : std::string();
}

size_t ScriptEditor::InsertCall(size_t index, size_t start, size_t end) {
  if (start > end) std::swap(start, end);
  start = std::min(start, pad_.size());
  end = std::min(end, pad_.size());
  const std::string typed = CallToInsert(index);
  if (typed.empty()) return end;
  std::string text = pad_;
  text.replace(start, end - start, typed);
  PadChanged(std::move(text));
  return start + typed.size();
}

void ScriptEditor::Revert() {
  PadChanged(txt2_);
}

void ScriptEditor::Inform(const std::string& text, MsgIcon icon) {
  controller_.ports.op->MessageBox(text, controller_.model.ProductName, icon, MsgButtons::OK);
}

bool ScriptEditor::Write(const std::string& text, bool switchedOn) {
  try {
    WriteScriptFile(*controller_.ports.files, controller_.model.WorkDir, kind_, text, switchedOn,
                    controller_.ports.clock->Now());
    return true;
  } catch (const KavroError& failure) {
    const std::string path = ScriptPath(controller_.model.WorkDir, kind_);
    status_ = ErrorStatus(failure.Number(), failure.Description(), 0);
    status_.text = "Not saved: " + failure.Description();
    Inform("The script could not be saved to " + path + "\r\n" + failure.Description() +
               "\r\nThe file and the running script are unchanged.",
           MsgIcon::Exclamation);
    return false;
  }
}

void ScriptEditor::ShowLoadFailure(const ScriptLoadFailure& failure) {
  status_ = ErrorStatus(failure.number, failure.description,
                        failure.fileLine > 0 ? failure.fileLine - kLinesBeforeText : 0);
}

SaveOutcome ScriptEditor::Save() {
  if (!editorChanged_) {
    Inform("No New Changes To Save", MsgIcon::Information);
    editorChanged_ = false;
    return SaveOutcome::NoChanges;
  }
  const std::string question = std::string("Please Confirm - OverWrite Any Existing ") +
                               ProcessName(kind_) + "Process Script\r\n" +
                               "This May Execute The Script Immediately To Check For Errors";
  if (controller_.ports.op->MessageBox(question, controller_.model.ProductName,
                                       MsgIcon::Exclamation, MsgButtons::YesNo) != MsgAnswer::Yes) {
    return SaveOutcome::Declined;
  }
  if (!accepted_) {
    Inform("Please Accept the Liability Statement Before Saving The Script", MsgIcon::Information);
    return SaveOutcome::NotAccepted;
  }
  UserScript& script = host_.Script(kind_);
  // The text is loaded beside the running script first, exactly as its file will give it back:
  // a text that does not load is never written, and the running script, its switch and its
  // file stay as they were.
  TrialLoad trial =
      host_.TryLoad(kind_, ScriptFileBytes(kind_, pad_, script.on, controller_.ports.clock->Now()));
  SaveOutcome outcome = SaveOutcome::Saved;
  if (trial.failure) {
    ShowLoadFailure(*trial.failure);
    Inform("Error in New Script Text - No New Script Data Is Saved", MsgIcon::Exclamation);
    outcome = SaveOutcome::Rejected;
  } else {
    if (!Write(pad_, script.on)) return SaveOutcome::WriteFailed;
    host_.Install(kind_, std::move(trial));
    txt2_ = pad_;
    status_ = PlainStatus("Saved and loaded");
    Inform(std::string(ProcessName(kind_)) + "Script File and Script Object Updated",
           MsgIcon::Information);
  }
  editorChanged_ = false;
  // The menu's check mark and the indicator show the switch as the save left it.
  ShowStatusFrame(controller_);
  return outcome;
}

const ScriptEditorStatus& ScriptEditor::Check() {
  try {
    vbs::ParseProgram(pad_, controller_.ports.clock->Now().year, vbs::ScriptLimits{}.maxNesting);
    status_ = PlainStatus("No syntax errors");
  } catch (const vbs::ScriptError& error) {
    status_ = ErrorStatus(error.Number(), error.Description(), error.Line());
  }
  return status_;
}

void ScriptEditor::Close() {
  if (!hold_) return;
  // The hold goes however the save ends: a hold left set would freeze the status display.
  struct Release {
    std::optional<CycleHoldGuard>& hold;
    ~Release() { hold.reset(); }
  } release{hold_};
  if (editorChanged_) Save();
}

}  // namespace kavro
