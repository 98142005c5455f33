#pragma once
// One script editor window's state and every decision behind it: the script pad, the last good
// text (txt2, the source of REVERT), EditorChanged, the Accept box, the list of procedure calls
// under its filter, the save with its confirmations and messages (a text that does not load is
// never written), and the status line under the pad. The pre- and post-process editors are the
// same but for their ScriptKind. The window (ui/) shows this state and passes user actions in.
//
// The editor holds CycleHold from opening to closing (the cycle keeps running, only its display
// refresh waits), and the window keeps the main window out of the user's reach meanwhile.
#include <optional>
#include <string>
#include <vector>

#include "display/ScriptCalls.h"
#include "model/Controller.h"
#include "model/CycleHold.h"
#include "scripting/host/ScriptHost.h"

namespace kavro {

// The line under the pad: the last save's, load's or check's result.
struct ScriptEditorStatus {
  bool isError = false;
  int number = 0;           // the error's number
  std::string description;  // the error's description
  int padLine = 0;          // line of the pad the error is on (from 1); 0: none
  std::string text;         // what the status line shows
};

enum class SaveOutcome {
  NoChanges,    // "No New Changes To Save"
  Declined,     // the overwrite confirmation was answered No
  NotAccepted,  // the liability statement was not accepted
  Saved,        // written and loaded
  Rejected,     // refused by the engine before anything was written; the old script runs on
  WriteFailed,  // the file could not be written; file and engine hold the old script
};

class ScriptEditor {
 public:
  // Opening: holds the cycle's display refresh and fills the window from the script in memory.
  ScriptEditor(Controller& controller, ScriptHost& host, ScriptKind kind);

  ScriptKind Kind() const { return kind_; }
  std::string Title() const;
  // The liability statement beside the Accept box.
  static const char* LiabilityStatement();

  const std::string& Pad() const { return pad_; }
  const std::string& LastGoodText() const { return txt2_; }
  bool EditorChanged() const { return editorChanged_; }
  bool Accepted() const { return accepted_; }
  CallFilter Filter() const { return filter_; }
  const std::vector<std::string>& Calls() const { return calls_; }
  const ScriptEditorStatus& Status() const { return status_; }

  // The pad's text changed (typed, pasted, inserted) or the pad lost the focus.
  void PadChanged(std::string text);
  void PadLostFocus() { editorChanged_ = true; }
  void SetAccepted(bool accepted) { accepted_ = accepted; }
  void SetFilter(CallFilter filter);

  // What a double-click on entry index of the call list types: the call and one blank.
  std::string CallToInsert(size_t index) const;
  // Types that text into the pad over the selection [start, end) (byte offsets, either order),
  // as if typed; returns the caret after it.
  size_t InsertCall(size_t index, size_t start, size_t end);

  // REVERT: the pad gets the last good text back.
  void Revert();
  // SAVE with its confirmations and messages; see SaveOutcome.
  SaveOutcome Save();
  // Check: compiles the pad's text without running it and without touching the live script.
  const ScriptEditorStatus& Check();
  // Closing: saves first when the pad changed (with the confirmation), then lets go of the hold.
  void Close();
  bool IsOpen() const { return hold_.has_value(); }

 private:
  void Load();
  bool Write(const std::string& text, bool switchedOn);
  void ShowLoadFailure(const ScriptLoadFailure& failure);
  void Inform(const std::string& text, MsgIcon icon);

  Controller& controller_;
  ScriptHost& host_;
  ScriptKind kind_;
  std::optional<CycleHoldGuard> hold_;
  std::string pad_;
  std::string txt2_;
  bool editorChanged_ = false;
  bool accepted_ = false;
  CallFilter filter_ = CallFilter::All;
  std::vector<std::string> calls_;
  ScriptEditorStatus status_;
};

}  // namespace kavro
