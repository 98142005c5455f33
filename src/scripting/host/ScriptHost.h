#pragma once
// The script host: the pre- and post-process scripts, each with its own engine, text, ON/OFF
// switch and load-error flag. It loads a script from its file (at start-up and after an
// editor's save) and runs it when the control cycle asks. The two engines share nothing but
// the object "share", whose procedures work on the controller and its script store.
//
// One host lives beside the controller for the program's life (the session owns it). Start-up
// calls StartUp for the pre- and then the post-process script (showing its message and
// indicator from loadError and on), then ClearScriptStore; the cycle's script steps call Run;
// an editor's save calls TryLoad, and only when the text loads WriteScriptFile, then Install.
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/Controller.h"
#include "scripting/host/ScriptDialogs.h"
#include "scripting/host/ScriptFile.h"
#include "scripting/host/ScriptKind.h"
#include "scripting/vbs/HostObject.h"
#include "scripting/vbs/ScriptEngine.h"

namespace kavro {

// Why the last load of a script failed: the number and description the operator was shown, and
// the line of the script file it failed on (0: not at a line, e.g. the file was unreadable).
struct ScriptLoadFailure {
  int number = 0;
  std::string description;
  int fileLine = 0;
};

struct UserScript {
  explicit UserScript(bool& onSwitch) : on(onSwitch) {}
  std::unique_ptr<vbs::ScriptEngine> engine;  // PreScriptHost / PostScriptHost
  std::string text;                           // PreScriptText / PostScriptText; empty = none
  bool& on;  // the controller's PreScriptOn / PostScriptOn, which the status frame shows
  bool loadError = false;         // PreScriptLoadError / PostScriptLoadError
  ScriptLoadFailure loadFailure;  // set with loadError
  std::vector<int> fileLines;     // file line of each line of text
};

// How long one run of a script may take, in milliseconds: half the run frequency, at least
// 1 s, so a script that never ends costs a cycle, not the controller.
int ScriptTimeLimitMs(const ControllerModel& model);

// A script loaded beside the running one, as an editor's save tries it.
struct TrialLoad {
  std::unique_ptr<vbs::ScriptEngine> engine;  // holds the text, its top level run once
  ScriptFileContent content;                  // the text as its file will give it back
  std::optional<ScriptLoadFailure> failure;   // set when it did not load; engine is then empty
};

class ScriptHost {
 public:
  explicit ScriptHost(Controller& controller);
  ScriptHost(const ScriptHost&) = delete;
  ScriptHost& operator=(const ScriptHost&) = delete;

  UserScript& Script(ScriptKind kind) { return scripts_[Slot(kind)]; }
  const UserScript& Script(ScriptKind kind) const { return scripts_[Slot(kind)]; }

  // LoadPreScript / LoadPostScript: a fresh engine with "share" registered, then the script
  // file read and its code added, which runs its top level once (within the time limit). A
  // missing file gives an empty script and leaves the switch alone. On any failure the operator
  // sees "Script Error #: <number>, <description>" and the script is left empty and OFF, with
  // loadError set; the file is not touched.
  void Load(ScriptKind kind);

  // An editor's save, before anything is written: the file's bytes are read back as a load
  // reads them and their text added to a fresh engine (compiled, its top level run once within
  // the time limit). A failure is shown as Load shows it and returned; either way the running
  // script, its engine, switch and load error stay as they are.
  TrialLoad TryLoad(ScriptKind kind, std::string_view fileBytes);
  // Puts a trial that loaded in place of the running script, once its file is written; the
  // switch takes the file's status line as a load would.
  void Install(ScriptKind kind, TrialLoad&& trial);

  // Start-up's part for one script: switch OFF, then Load. The caller shows the start-up
  // message and the indicator from loadError and on.
  void StartUp(ScriptKind kind);

  // RunPreScript / RunPostScript, the cycle's script steps: when the script has text and is
  // ON, runs its whole text once in its engine's global scope and returns true. A script error,
  // the time limit included, is thrown as KavroError with the script's number and description.
  bool Run(ScriptKind kind);

 private:
  static size_t Slot(ScriptKind kind) { return kind == ScriptKind::Pre ? 0 : 1; }
  std::unique_ptr<vbs::ScriptEngine> NewEngine();
  void ReadAndAdd(ScriptKind kind, UserScript& script);
  void AddText(vbs::ScriptEngine& engine, const std::string& text);
  void ShowLoadFailure(const ScriptLoadFailure& failure);

  Controller& controller_;
  OperatorScriptUi ui_;
  std::shared_ptr<vbs::HostObject> share_;
  std::array<UserScript, 2> scripts_;
};

}  // namespace kavro
