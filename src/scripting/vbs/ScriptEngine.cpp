#include "scripting/vbs/ScriptEngine.h"

#include <new>

#include "scripting/vbs/Interpreter.h"
#include "scripting/vbs/Parser.h"
#include "scripting/vbs/Resolver.h"
#include "scripting/vbs/TextCase.h"

namespace kavro::vbs {
namespace {

// Statement texts compiled recently: the host executes the same script text every cycle.
constexpr size_t kStatementCacheSize = 8;

std::string LineOf(std::string_view text, int line) {
  if (line < 1) return {};
  size_t start = 0;
  for (int i = 1; i < line; ++i) {
    const size_t next = text.find('\n', start);
    if (next == std::string_view::npos) return {};
    start = next + 1;
  }
  size_t end = text.find('\n', start);
  if (end == std::string_view::npos) end = text.size();
  std::string out(text.substr(start, end - start));
  if (!out.empty() && out.back() == '\r') out.pop_back();
  return out;
}

// Marks the engine as running code for as long as it lives, however the run ends.
class RunningGuard {
 public:
  explicit RunningGuard(bool& running) : running_(running) { running_ = true; }
  ~RunningGuard() { running_ = false; }
  RunningGuard(const RunningGuard&) = delete;
  RunningGuard& operator=(const RunningGuard&) = delete;

 private:
  bool& running_;
};

}  // namespace

ScriptEngine::ScriptEngine() : interpreter_(std::make_unique<Interpreter>()) {}

ScriptEngine::~ScriptEngine() = default;

void ScriptEngine::SetLanguage(std::string_view language) {
  if (LowerCase(language) == "vbscript") return;
  lastError_ = {
      err::InvalidCall,
      "Invalid procedure call or argument: unknown language '" + std::string(language) + "'",
      0,
      {}};
  throw ScriptError(lastError_.number, lastError_.description);
}

void ScriptEngine::AddObject(std::string_view name, std::shared_ptr<HostObject> object,
                             bool globalMembers) {
  interpreter_->objects[LowerCase(name)] = RegisteredObject{std::move(object), globalMembers};
  ++interpreter_->bindingsVersion;
}

void ScriptEngine::ClearCode() {
  Interpreter& it = *interpreter_;
  if (it.running) {
    throw ScriptError(err::InvalidCall, "Invalid procedure call or argument: code is running");
  }
  it.statementCache.clear();
  it.ReleaseObjects();
  it.addedCode.clear();
  it.globals.clear();
  it.globalStorage.clear();
  it.ForgetMemoryCount();
  ++it.bindingsVersion;
  it.err = ErrState{};
}

void ScriptEngine::AddCode(std::string_view text) {
  Run(text, true);
}

void ScriptEngine::ExecuteStatement(std::string_view text) {
  Run(text, false);
}

void ScriptEngine::SetTimeLimit(int milliseconds) {
  interpreter_->timeLimitMs = milliseconds;
}

void ScriptEngine::SetUi(ScriptUi* ui) {
  interpreter_->ui = ui;
}

void ScriptEngine::SetLimits(const ScriptLimits& limits) {
  interpreter_->limits = limits;
}

Variant ScriptEngine::GlobalValue(std::string_view name) const {
  const GlobalName* g = interpreter_->FindGlobal(LowerCase(name));
  if (!g) return {};
  if (g->kind == GlobalName::Variable) return *g->var;
  if (g->kind == GlobalName::Constant) return g->constant;
  return {};
}

void ScriptEngine::Run(std::string_view text, bool isAddCode) {
  Interpreter& it = *interpreter_;
  lastError_ = {};
  if (it.running) {
    lastError_ = {err::InvalidCall,
                  "Invalid procedure call or argument: the engine is already running code",
                  0,
                  {}};
    throw ScriptError(lastError_.number, lastError_.description);
  }
  try {
    std::shared_ptr<Program> program;
    const int year = it.CurrentYear();
    if (!isAddCode) {
      for (auto entry = it.statementCache.begin(); entry != it.statementCache.end(); ++entry) {
        if (entry->text != text) continue;
        if (entry->bindingsVersion == it.bindingsVersion && entry->year == year) {
          program = entry->program;
          it.statementCache.splice(it.statementCache.begin(), it.statementCache, entry);
        } else {
          // Names may mean something else now, or #5/12# another day.
          it.statementCache.erase(entry);
        }
        break;
      }
    }
    if (!program) {
      it.line = 0;
      program = ParseProgram(text, year, it.limits.maxNesting);
      ResolveProgram(it, program);
      if (isAddCode) {
        it.addedCode.push_back(program);
      } else {
        it.statementCache.push_front({std::string(text), it.bindingsVersion, year, program});
        if (it.statementCache.size() > kStatementCacheSize) it.statementCache.pop_back();
      }
    }
    const RunningGuard running(it.running);
    it.err = ErrState{};
    it.callCost = 0;
    it.StartClock();
    it.RunProgram(*program);
    // A host procedure may have asked for a run of its own meanwhile and been refused: the run
    // that ends last is the one LastError speaks of.
    lastError_ = {};
  } catch (...) {
    // Only script errors leave the engine, and it is ready for the next run whatever happened.
    const ScriptError e = CaughtScriptError(it.line);
    lastError_ = {e.Number(), e.Message(), e.Line(), LineOf(text, e.Line())};
    throw e;
  }
}

}  // namespace kavro::vbs
