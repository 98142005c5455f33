#include "scripting/host/ScriptHost.h"

#include <algorithm>
#include <new>

#include "common/KavroError.h"
#include "scripting/host/ScriptErrorBridge.h"
#include "scripting/host/ScriptFile.h"
#include "scripting/host/ShareObject.h"

namespace kavro {
namespace {

// The failure of a load as the operator is told of it, with the file line of a script error.
ScriptLoadFailure FailureOf(const std::exception& failure, const std::vector<int>& fileLines) {
  if (const auto* script = dynamic_cast<const vbs::ScriptError*>(&failure)) {
    return {script->Number(), script->Message(), FileLineOf(fileLines, script->Line())};
  }
  if (const auto* core = dynamic_cast<const KavroError*>(&failure)) {
    return {core->Number(), core->Description(), 0};
  }
  if (dynamic_cast<const std::bad_alloc*>(&failure)) {
    return {vbs::err::OutOfMemory, vbs::ErrorDescription(vbs::err::OutOfMemory), 0};
  }
  return {51, "Internal error", 0};
}

}  // namespace

int ScriptTimeLimitMs(const ControllerModel& model) {
  return std::max(1000, model.FLCBlock.RunFrequency * 500);
}

ScriptHost::ScriptHost(Controller& controller)
    : controller_(controller),
      ui_(controller),
      share_(MakeShareObject(controller.model)),
      scripts_{UserScript(controller.model.Scripts.PreScriptOn),
               UserScript(controller.model.Scripts.PostScriptOn)} {}

std::unique_ptr<vbs::ScriptEngine> ScriptHost::NewEngine() {
  auto engine = std::make_unique<vbs::ScriptEngine>();
  engine->SetLanguage("VBScript");
  engine->AddObject(kShareObjectName, share_, true);
  engine->SetUi(&ui_);
  return engine;
}

void ScriptHost::ReadAndAdd(ScriptKind kind, UserScript& script) {
  script.engine.reset();  // the old engine goes before the new one is built
  script.engine = NewEngine();
  const std::string path = ScriptPath(controller_.model.WorkDir, kind);
  FileSystem& files = *controller_.ports.files;
  script.text.clear();
  script.fileLines.clear();
  if (!files.Exists(path)) {
    script.engine->ClearCode();
    return;
  }
  std::string bytes;
  if (!files.ReadAll(path, bytes)) {
    throw KavroError(errors::kPathFileAccess, errors::kPathFileAccessText);
  }
  ScriptFileContent content = ReadScriptFile(bytes, kind);
  if (content.switchedOn) script.on = *content.switchedOn;
  script.text = std::move(content.text);
  script.fileLines = std::move(content.fileLines);
  AddText(*script.engine, script.text);
}

void ScriptHost::AddText(vbs::ScriptEngine& engine, const std::string& text) {
  engine.ClearCode();
  if (text.empty()) return;
  engine.SetTimeLimit(ScriptTimeLimitMs(controller_.model));
  engine.AddCode(text);
}

void ScriptHost::ShowLoadFailure(const ScriptLoadFailure& failure) {
  controller_.ports.op->MessageBox(
      "Script Error #: " + std::to_string(failure.number) + ", " + failure.description,
      controller_.model.ProductName, MsgIcon::Exclamation, MsgButtons::OK);
}

TrialLoad ScriptHost::TryLoad(ScriptKind kind, std::string_view fileBytes) {
  TrialLoad trial;
  try {
    trial.content = ReadScriptFile(fileBytes, kind);
    trial.engine = NewEngine();
    AddText(*trial.engine, trial.content.text);
  } catch (const std::exception& e) {
    trial.engine.reset();
    trial.failure = FailureOf(e, trial.content.fileLines);
    ShowLoadFailure(*trial.failure);
  }
  return trial;
}

void ScriptHost::Install(ScriptKind kind, TrialLoad&& trial) {
  if (trial.failure || !trial.engine) return;  // only a text that loaded replaces the script
  UserScript& script = Script(kind);
  script.engine = std::move(trial.engine);
  script.text = std::move(trial.content.text);
  script.fileLines = std::move(trial.content.fileLines);
  if (trial.content.switchedOn) script.on = *trial.content.switchedOn;
  script.loadError = false;
  script.loadFailure = {};
}

void ScriptHost::Load(ScriptKind kind) {
  UserScript& script = Script(kind);
  script.loadError = false;
  script.loadFailure = {};
  try {
    ReadAndAdd(kind, script);
    return;
  } catch (const std::exception& e) {
    script.loadFailure = FailureOf(e, script.fileLines);
    const ScriptLoadFailure& failure = script.loadFailure;
    script.loadError = true;
    ShowLoadFailure(failure);
  }
  script.engine.reset();
  script.engine = NewEngine();
  script.text.clear();
  script.fileLines.clear();
  script.engine->ClearCode();
  script.on = false;
}

void ScriptHost::StartUp(ScriptKind kind) {
  UserScript& script = Script(kind);
  script.loadError = false;
  script.on = false;
  Load(kind);
}

bool ScriptHost::Run(ScriptKind kind) {
  UserScript& script = Script(kind);
  if (script.text.empty() || !script.on || !script.engine) return false;
  script.engine->SetTimeLimit(ScriptTimeLimitMs(controller_.model));
  CallIntoScript([&] { script.engine->ExecuteStatement(script.text); });
  return true;
}

}  // namespace kavro
