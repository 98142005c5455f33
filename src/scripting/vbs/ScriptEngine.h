#pragma once
// The script engine the script host drives: one instance per script, several side by side,
// sharing nothing. Typical use:
//
//   ScriptEngine engine;
//   engine.SetLanguage("VBScript");
//   engine.AddObject("share", controllerObject);   // its members become global names too
//   engine.ClearCode();
//   engine.AddCode(scriptText);                    // compiles, then runs the top level once
//   engine.SetTimeLimit(0);                        // none
//   engine.ExecuteStatement(scriptText);           // once per cycle, in the global scope
//
// AddCode and ExecuteStatement throw ScriptError (number, description, line) on a compile or
// run-time error; the same is kept as LastError(). Compile errors are found before any statement
// of that code runs.
#include <memory>
#include <string>
#include <string_view>

#include "scripting/vbs/HostObject.h"
#include "scripting/vbs/ScriptError.h"
#include "scripting/vbs/Variant.h"

namespace kavro::vbs {

// What a script reaches outside itself besides host objects: the message and input boxes
// (routed by the controller to its Operator port) and the clock.
class ScriptUi {
 public:
  virtual ~ScriptUi() = default;
  // buttons and the return value use the language's vbOK.. / vbYes.. numbers.
  virtual int MsgBox(const std::string& prompt, int buttons, const std::string& title) = 0;
  // The text typed, or nothing when the user cancelled (the script then gets "").
  virtual std::string InputBox(const std::string& prompt, const std::string& title,
                               const std::string& defaultText) = 0;
  // Local date and time as a date value (days since 30 Dec 1899); the system clock by default.
  virtual double Now();
};

struct LastErrorInfo {
  int number = 0;  // 0 when the last operation succeeded
  std::string description;
  int line = 0;
  std::string sourceText;  // the text of that line
};

// Bounds that keep any script from exhausting the process; generous for real scripts.
//
// The memory budget covers the values an engine holds: its global variables and the variables
// of the procedures running, with their texts and arrays, plus the value being built. Going
// past it raises run-time error 7 "Out of memory" at the statement's line, which a script
// can handle with On Error Resume Next like any other run-time error. The default, 256 MB,
// leaves room for several engines side by side; the check runs every few megabytes of new
// values, so a script may pass the budget by that much before it is stopped. New values are
// counted across runs: a script that adds a little each run is stopped as one that adds it all
// at once, and once past the budget it gets no new value until it has made room.
struct ScriptLimits {
  int maxNesting = 200;                // blocks and expressions nested in the code text
  int maxCallDepth = 6000;             // cost units of nested procedure calls
  size_t maxStringLength = 16u << 20;  // characters
  size_t maxArrayElements = 1u << 20;  // elements of one array, nested arrays included
  size_t memoryBudget = 256u << 20;    // bytes of values held, see above
};

class Interpreter;

class ScriptEngine {
 public:
  ScriptEngine();
  ~ScriptEngine();
  ScriptEngine(const ScriptEngine&) = delete;
  ScriptEngine& operator=(const ScriptEngine&) = delete;

  // Only "VBScript" (any letter case) is known; anything else throws ScriptError 5.
  void SetLanguage(std::string_view language);
  // Registers object under name; with globalMembers its members are global names as well.
  // The registration survives ClearCode.
  void AddObject(std::string_view name, std::shared_ptr<HostObject> object,
                 bool globalMembers = true);
  // Forgets all code, procedures and global variables; registered objects stay.
  void ClearCode();
  void AddCode(std::string_view text);
  void ExecuteStatement(std::string_view text);
  // Bounds every later AddCode (its top-level run) and ExecuteStatement run: past it the run
  // ends with error 9000, even under On Error Resume Next and inside long built-in calls (a
  // run stops within about twice its limit). 0 or negative: no limit (the default).
  void SetTimeLimit(int milliseconds);
  void SetUi(ScriptUi* ui);  // not owned; nullptr: MsgBox returns vbOK, InputBox ""
  void SetLimits(const ScriptLimits& limits);

  const LastErrorInfo& LastError() const { return lastError_; }

  // The value of a global variable or constant (Empty when there is none): for hosts and tests.
  Variant GlobalValue(std::string_view name) const;

 private:
  void Run(std::string_view text, bool isAddCode);

  std::unique_ptr<Interpreter> interpreter_;
  LastErrorInfo lastError_;
};

}  // namespace kavro::vbs
