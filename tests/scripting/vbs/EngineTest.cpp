// The engine interface the script host relies on.
#include <gtest/gtest.h>

#include <chrono>
#include <clocale>
#include <string>

#include "TestHost.h"
#include "scripting/vbs/Conversions.h"

namespace kavro::vbs::test {
namespace {

// A controller-like object: GET_VALUE(ix, Val1, ierr) writes through its by-reference
// arguments, as the data-access procedures do.
std::shared_ptr<HostObject> MakeShare(double* stored, int* calls) {
  auto share = std::make_shared<HostObject>("Controller");
  share->AddProcedure("GET_VALUE", [stored, calls](HostArgs args) {
    ++*calls;
    if (args.size() != 3) throw ScriptError(err::WrongArgCount);
    if (ToDouble(*args[0]) != 1) {
      *args[2] = Variant::Integer(1);
      return;
    }
    *args[1] = Variant::Single(static_cast<float>(*stored));
    *args[2] = Variant::Integer(0);
  });
  share->AddProcedure("SET_VALUE", [stored](HostArgs args) {
    *stored = ToDouble(*args[1]);  // a text that is no number raises 13 to the script
    *args[2] = Variant::Integer(0);
  });
  share->AddFunction("Twice",
                     [](HostArgs args) { return Variant::Double(2 * ToDouble(*args[0])); });
  return share;
}

TEST(ScriptEngine, HostProceduresWriteThroughByReferenceArguments) {
  TestEngine t;
  double stored = 12.5;
  int calls = 0;
  t.engine.AddObject("share", MakeShare(&stored, &calls));
  const std::string out = t.Run(
      "Dim v, e, arr(1)\n"
      "Call GET_VALUE(1, v, e) : Echo v, e, TypeName(v)\n"
      "share.GET_VALUE 1, arr(1), e : Echo arr(1), e\n"
      "v = 0 : GET_VALUE (1), (v), e : Echo \"by value\", v\n"
      "GET_VALUE 7, v, e : Echo \"bad index\", v, e\n"
      "SET_VALUE 1, 99, e : Echo Twice(21), share.Twice(2)\n"
      "Set s = share : s.GET_VALUE 1, v, e : Echo \"through a variable\", v\n");
  EXPECT_EQ(out, "12.5 0 Single\n12.5 0\nby value 0\nbad index 0 1\n42 4\nthrough a variable 99\n");
  EXPECT_EQ(stored, 99);
  EXPECT_EQ(calls, 5);
}

TEST(ScriptEngine, HostErrorsReachTheScriptWithNumberAndLine) {
  TestEngine t;
  double stored = 0;
  int calls = 0;
  t.engine.AddObject("share", MakeShare(&stored, &calls));
  EXPECT_EQ(
      t.Run("On Error Resume Next\nSET_VALUE 1, \"abc\", e\nEcho Err.Number, Err.Description\n"
            "GET_VALUE 1, 2\nEcho Err.Number\n"),
      "13 Type mismatch\n450\n");
  TestEngine u;
  u.engine.AddObject("share", MakeShare(&stored, &calls));
  try {
    u.engine.AddCode("x = 1\n\nSET_VALUE 1, \"abc\", e\n");
    FAIL() << "no error";
  } catch (const ScriptError& e) {
    EXPECT_EQ(e.Number(), 13);
    EXPECT_EQ(e.Line(), 3);
  }
  EXPECT_EQ(u.engine.LastError().number, 13);
  EXPECT_EQ(u.engine.LastError().description, "Type mismatch");
  EXPECT_EQ(u.engine.LastError().line, 3);
  EXPECT_EQ(u.engine.LastError().sourceText, "SET_VALUE 1, \"abc\", e");
}

TEST(ScriptEngine, AnythingElseAHostProcedureThrowsIsACatchableInternalError) {
  TestEngine t;
  auto faulty = std::make_shared<HostObject>("Faulty");
  faulty->AddProcedure("Parse", [](HostArgs) { (void)std::stoi("inf"); });
  faulty->AddProcedure("Odd", [](HostArgs) { throw 42; });
  t.engine.AddObject("faulty", faulty);
  EXPECT_EQ(t.Run("On Error Resume Next\nParse : Echo Err.Number, Err.Description : Err.Clear\n"
                  "Odd : Echo Err.Number\n"),
            "51 Internal error\n51\n");
  // Unhandled, it ends the run as a script error naming the fault; the engine is not left
  // running, so the next run goes ahead.
  try {
    t.engine.ExecuteStatement("x = 1\nParse");
    FAIL() << "no error";
  } catch (const ScriptError& e) {
    EXPECT_EQ(e.Number(), err::Internal);
    EXPECT_EQ(e.Line(), 2);
    EXPECT_EQ(e.Message(), "Internal error: stoi");
  }
  EXPECT_EQ(t.engine.LastError().description, "Internal error: stoi");
  t.log.clear();
  t.engine.ExecuteStatement("Echo \"next run\"");
  EXPECT_EQ(t.log, "next run\n");
}

TEST(ScriptEngine, ARepeatedStatementReadsADateWithoutYearInTheYearItRuns) {
  TestEngine t;
  const std::string text = "Echo Year(#5/12#), Year(CDate(\"5/12\"))";
  t.engine.ExecuteStatement(text);
  t.ui.now = 46388.0;  // 1/1/2027, the statement still cached
  t.engine.ExecuteStatement(text);
  t.engine.ExecuteStatement(text);
  EXPECT_EQ(t.log, "2026 2026\n2027 2027\n2027 2027\n");
}

TEST(ScriptEngine, ClearCodeKeepsObjectsAndForgetsCode) {
  TestEngine t;
  double stored = 3;
  int calls = 0;
  t.engine.AddObject("share", MakeShare(&stored, &calls));
  t.engine.AddCode("Dim count : count = 41\nSub Bump() : count = count + 1 : End Sub");
  t.engine.ExecuteStatement("Call Bump()");
  EXPECT_EQ(ToDouble(t.engine.GlobalValue("count")), 42);
  t.engine.ClearCode();
  EXPECT_TRUE(t.engine.GlobalValue("count").IsEmpty());
  EXPECT_THROW(t.engine.ExecuteStatement("Call Bump()"), ScriptError);
  EXPECT_EQ(t.engine.LastError().number, err::NotDefined);
  t.engine.AddCode("GET_VALUE 1, v, e");
  EXPECT_EQ(ToDouble(t.engine.GlobalValue("v")), 3);
  EXPECT_EQ(t.engine.LastError().number, 0);
}

TEST(ScriptEngine, EachCycleRunsTheTextInTheSameGlobalScope) {
  TestEngine t;
  const std::string script =
      "Dim n\nn = n + 1\nFunction Half(x) : Half = x / 2 : End Function\n"
      "Echo n, Half(n)";
  t.engine.AddCode(script);
  for (int i = 0; i < 3; ++i) t.engine.ExecuteStatement(script);
  EXPECT_EQ(t.log, "1 0.5\n2 1\n3 1.5\n4 2\n");
}

TEST(ScriptEngine, ACachedStatementSeesNamesDefinedAfterItFirstRan) {
  TestEngine t;
  // Compiled before the procedure and the object exist: both runs fail and are cached.
  EXPECT_THROW(t.engine.ExecuteStatement("Later"), ScriptError);
  EXPECT_EQ(t.engine.LastError().number, err::NotDefined);
  EXPECT_THROW(t.engine.ExecuteStatement("Call Twice(4)"), ScriptError);
  t.engine.AddCode("Sub Later() : Echo \"later\" : End Sub");
  t.engine.ExecuteStatement("Later");
  double stored = 0;
  int calls = 0;
  t.engine.AddObject("share", MakeShare(&stored, &calls));
  t.engine.ExecuteStatement("Call Twice(4)");
  // A procedure replaced by later code is the one the cached text calls.
  t.engine.AddCode("Sub Later() : Echo \"replaced\" : End Sub");
  t.engine.ExecuteStatement("Later");
  // A constant defined after the text was cached.
  t.engine.ExecuteStatement("Echo Limit");
  t.engine.AddCode("Const Limit = 5");
  t.engine.ExecuteStatement("Echo Limit");
  EXPECT_EQ(t.log, "later\nreplaced\n\n5\n");
}

TEST(ScriptEngine, EnginesShareNothing) {
  TestEngine a, b;
  a.engine.AddCode("Dim x : x = 1 : Sub OnlyInA() : End Sub");
  b.engine.AddCode("x = 2");
  EXPECT_EQ(ToDouble(a.engine.GlobalValue("x")), 1);
  EXPECT_EQ(ToDouble(b.engine.GlobalValue("x")), 2);
  EXPECT_THROW(b.engine.ExecuteStatement("OnlyInA"), ScriptError);
  a.engine.ExecuteStatement("OnlyInA");
  // Randomize in one engine does not change the other's sequence.
  a.engine.AddCode("Randomize 5 : r = Rnd");
  b.engine.AddCode("r = Rnd");
  TestEngine c;
  c.engine.AddCode("r = Rnd");
  EXPECT_EQ(ToDouble(b.engine.GlobalValue("r")), ToDouble(c.engine.GlobalValue("r")));
}

TEST(ScriptEngine, CompileErrorsComeBeforeAnyStatementRuns) {
  TestEngine t;
  EXPECT_THROW(t.engine.AddCode("x = 1\nEcho \"ran\"\nIf x Then\n"), ScriptError);
  EXPECT_EQ(t.log, "");
  EXPECT_EQ(t.engine.LastError().number, 1014);
  EXPECT_TRUE(t.engine.GlobalValue("x").IsEmpty());
  EXPECT_THROW(t.engine.AddCode("x = Eval(\"1\")"), ScriptError);
  EXPECT_EQ(t.engine.LastError().number, err::NotSupported);
}

TEST(ScriptEngine, OnlyVBScriptIsALanguage) {
  ScriptEngine engine;
  engine.SetLanguage("VBScript");
  engine.SetLanguage("vbscript");
  EXPECT_THROW(engine.SetLanguage("JScript"), ScriptError);
  EXPECT_EQ(engine.LastError().number, err::InvalidCall);
}

TEST(ScriptEngine, TimeLimitStopsARunawayScriptEvenUnderResumeNext) {
  TestEngine t;
  t.engine.SetTimeLimit(50);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_THROW(t.engine.AddCode("On Error Resume Next\nDo\nx = x + 1\nLoop"), ScriptError);
  EXPECT_EQ(t.engine.LastError().number, err::TimeLimit);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  // The engine is usable afterwards, and without a limit nothing stops a long run early.
  t.engine.SetTimeLimit(0);
  t.engine.ExecuteStatement("For i = 1 To 200000 : y = y + 1 : Next");
  EXPECT_EQ(ToDouble(t.engine.GlobalValue("y")), 200000);
}

// How long a run took before it failed, and with which error number.
struct TimedRun {
  double seconds = 0;
  int number = 0;
};

TimedRun RunTimed(ScriptEngine& engine, const std::string& code, bool asStatement) {
  const auto start = std::chrono::steady_clock::now();
  TimedRun result;
  try {
    if (asStatement) {
      engine.ExecuteStatement(code);
    } else {
      engine.AddCode(code);
    }
  } catch (const ScriptError& e) {
    result.number = e.Number();
  }
  result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return result;
}

// One pass over 16 million characters takes a few milliseconds in the shipped build; the
// unoptimised sanitizer build is many times slower, so its limit is longer.
#if defined(__SANITIZE_ADDRESS__)
constexpr int kHeavyLimitMs = 1000;
#else
constexpr int kHeavyLimitMs = 200;
#endif
constexpr double kStopWithinSeconds = 2 * kHeavyLimitMs / 1000.0;

TEST(ScriptEngine, TimeLimitHoldsInsideHeavyBuiltIns) {
  TestEngine t;
  t.engine.AddCode("s = String(16000000, \"a\")");
  t.engine.SetTimeLimit(kHeavyLimitMs);
  // Each pass works on 16 million characters; errors of single calls are passed over.
  const std::string heavy =
      "On Error Resume Next\n"
      "Do\n"
      "  r = Replace(s, \"a\", \"b\")\n"
      "  r = Replace(s, \"A\", \"bb\", 1, -1, vbTextCompare)\n"
      "  n = InStr(1, s, \"ab\", vbTextCompare) + InStrRev(s, \"b\", -1, vbTextCompare)\n"
      "  r = UCase(s) & \"\"\n"
      "  a = Split(s, \"A\", -1, vbTextCompare)\n"
      "Loop\n";
  const TimedRun statement = RunTimed(t.engine, heavy, true);
  EXPECT_EQ(statement.number, err::TimeLimit);
  EXPECT_LT(statement.seconds, kStopWithinSeconds);
  // Each built-in alone, in the top-level run of added code.
  for (const char* call :
       {"r = Replace(s, \"a\", \"b\")", "n = InStr(1, s, \"ab\", vbTextCompare)",
        "n = InStrRev(s, \"ab\", -1, vbTextCompare)", "r = StrReverse(LCase(s))"}) {
    const TimedRun added = RunTimed(t.engine, std::string("Do : ") + call + " : Loop", false);
    EXPECT_EQ(added.number, err::TimeLimit) << call;
    EXPECT_LT(added.seconds, kStopWithinSeconds) << call;
  }
  const TimedRun endless = RunTimed(t.engine, "Do : i = i + 1 : Loop", true);
  EXPECT_EQ(endless.number, err::TimeLimit);
  EXPECT_LT(endless.seconds, kStopWithinSeconds);
}

TEST(ScriptEngine, MemoryBudgetRaisesACatchableOutOfMemoryWhereverValuesAreHeld) {
  TestEngine t;
  ScriptLimits limits;
  limits.memoryBudget = 8u << 20;
  t.engine.SetLimits(limits);
  // Eight megabytes hold about seven texts of a million characters, wherever they are kept.
  EXPECT_EQ(t.Run("On Error Resume Next\n"
                  "Dim a(40)\n"
                  "For i = 0 To 40\n"
                  "  a(i) = String(1000000, \"x\")\n"
                  "  If Err.Number <> 0 Then Exit For\n"
                  "Next\n"
                  "Echo Err.Number, Err.Description, i >= 5 And i <= 8\n"
                  "Erase a : Err.Clear\n"
                  "s = String(1000000, \"y\") : t = s : u = s & s : v = u & u & u & u\n"
                  "Echo Err.Number, IsEmpty(v)\n"),
            "7 Out of memory True\n7 True\n");
  // Without the handler the run ends at the statement's line; memory freed, the engine works on.
  t.log.clear();
  EXPECT_EQ(t.Run("Dim b(40)\nFor i = 0 To 40\n"
                  "  b(i) = Space(1000000)\n"
                  "Next\n"),
            "Error 7: Out of memory (line 3)\n");
  t.log.clear();
  EXPECT_EQ(t.Run("Erase b : Echo Len(Space(1000000))"), "1000000\n");
  // Deep recursion that holds a large text in each call.
  t.log.clear();
  EXPECT_EQ(t.Run("Function F(s, n) : If n > 0 Then F = F(s & \"\", n - 1)\nEnd Function\n"
                  "x = F(Space(1000000), 50)"),
            "Error 7: Out of memory (line 1)\n");
  // Dictionaries count too, even those held only by each other: each holds itself here, so no
  // variable holds one once d moves on. Forgetting the code frees them all.
  t.engine.ClearCode();
  t.log.clear();
  EXPECT_EQ(t.Run("On Error Resume Next\n"
                  "For i = 1 To 40\n"
                  "  Set d = CreateObject(\"Scripting.Dictionary\")\n"
                  "  d.Add \"self\", d : d(\"text\") = String(1000000, \"x\")\n"
                  "  If Err.Number <> 0 Then Exit For\n"
                  "Next\n"
                  "Echo Err.Number, i >= 5 And i <= 9\n"),
            "7 True\n");
  const std::weak_ptr<HostObject> last = t.engine.GlobalValue("d").ObjectValue();
  ASSERT_FALSE(last.expired());
  t.engine.ClearCode();
  EXPECT_TRUE(last.expired());
  t.log.clear();
  EXPECT_EQ(t.Run("Set d = CreateObject(\"Scripting.Dictionary\")\n"
                  "For i = 1 To 6 : d(i) = Space(1000000) : Next : Echo d.Count"),
            "6\n");
}

TEST(ScriptEngine, DefaultBudgetStopsAnArrayOfLargeTexts) {
  TestEngine t;
  EXPECT_EQ(t.Run("On Error Resume Next\nDim a(100)\n"
                  "For i = 0 To 100 : a(i) = String(16000000, \"x\") : If Err Then Exit For\n"
                  "Next\nEcho Err.Number, i < 17"),
            "7 True\n");
}

TEST(ScriptEngine, RunawayInputsEndWithScriptErrors) {
  TestEngine t;
  auto errorOf = [&](const std::string& code) {
    try {
      t.engine.ClearCode();
      t.engine.AddCode(code);
    } catch (const ScriptError& e) {
      return e.Number();
    }
    return 0;
  };
  EXPECT_EQ(errorOf("Function F(n) : F = F(n + 1) : End Function\nx = F(1)"), err::OutOfStackSpace);
  EXPECT_EQ(errorOf("x = " + std::string(5000, '(') + "1" + std::string(5000, ')')),
            err::OutOfStackSpace);
  std::string chain = "x = 1";
  for (int i = 0; i < 5000; ++i) chain += " + 1";
  EXPECT_EQ(errorOf(chain), err::OutOfStackSpace);
  std::string ifs;
  for (int i = 0; i < 1000; ++i) ifs += "If True Then\n";
  EXPECT_EQ(errorOf(ifs), err::OutOfStackSpace);
  EXPECT_EQ(errorOf("s = \"ab\"\nDo : s = s & s : Loop"), err::OutOfStringSpace);
  EXPECT_EQ(errorOf("x = Space(2000000000)"), err::OutOfStringSpace);
  EXPECT_EQ(errorOf("ReDim a(100000, 100000)"), err::OutOfMemory);
  EXPECT_EQ(errorOf("a = Array(1, 2)\nDo : a = Array(a, a) : Loop"), err::OutOfMemory);
  EXPECT_EQ(errorOf("Dim a(1)\nDo : a(0) = a : Loop"), err::OutOfMemory);
  // A procedure calling itself to a moderate depth is fine.
  EXPECT_EQ(errorOf("Function D(n) : If n > 0 Then D = D(n - 1) + 1 Else D = 0\nEnd Function\n"
                    "x = D(300)"),
            0);
  EXPECT_EQ(ToDouble(t.engine.GlobalValue("x")), 300);
}

TEST(ScriptEngine, MsgBoxAndInputBoxGoToTheHost) {
  TestEngine t;
  t.ui.msgBoxAnswer = 7;
  t.ui.inputs = {"42"};
  EXPECT_EQ(t.Run("a = MsgBox(\"Continue?\", vbYesNo + vbQuestion, \"Kavro\")\n"
                  "MsgBox \"plain\"\n"
                  "b = InputBox(\"Value?\", \"Title\", \"7\")\n"
                  "Echo a = vbNo, b + 1"),
            "MsgBox[Kavro,36]: Continue?\nMsgBox[VBScript,0]: plain\n"
            "InputBox[Title,7]: Value?\n"
            "True 43\n");
}

TEST(ScriptEngine, NumberTextsIgnoreTheLocale) {
  const char* old = std::setlocale(LC_ALL, nullptr);
  const std::string saved = old ? old : "C";
  std::setlocale(LC_ALL, "de_DE.UTF-8");
  TestEngine t;
  EXPECT_EQ(t.Run("Echo 1.5, CDbl(\"2.25\"), CSng(0.1), FormatNumber(1234.5)"),
            "1.5 2.25 0.1 1,234.50\n");
  std::setlocale(LC_ALL, saved.c_str());
}

}  // namespace
}  // namespace kavro::vbs::test
