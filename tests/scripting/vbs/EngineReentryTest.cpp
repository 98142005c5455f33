// A host procedure runs while the engine is running the script that called it: whatever it asks
// of the engine then must be refused without harm, and the engine keeps working without a host
// window at all.
#include <gtest/gtest.h>

#include "TestHost.h"
#include "scripting/vbs/Conversions.h"

namespace kavro::vbs::test {
namespace {

TEST(EngineReentry, CallsBackIntoTheRunningEngineAreRefusedAndCatchable) {
  TestEngine t;
  auto host = std::make_shared<HostObject>("Host");
  host->AddProcedure("RunMore", [&t](HostArgs) { t.engine.ExecuteStatement("Echo \"inner\""); });
  host->AddProcedure("AddMore", [&t](HostArgs) { t.engine.AddCode("y = 2"); });
  host->AddProcedure("Forget", [&t](HostArgs) { t.engine.ClearCode(); });
  t.engine.AddObject("host", host);
  EXPECT_EQ(t.Run("x = 1\nOn Error Resume Next\n"
                  "RunMore : Echo Err.Number : Err.Clear\n"
                  "AddMore : Echo Err.Number : Err.Clear\n"
                  "Forget : Echo Err.Number, x, IsEmpty(y)\n"),
            "5\n5\n5 1 True\n");
  // The outer run succeeded, and says so.
  EXPECT_EQ(t.engine.LastError().number, 0);
  EXPECT_EQ(ToDouble(t.engine.GlobalValue("x")), 1);
  // Unhandled, the refusal ends the outer run at its line; the engine runs again afterwards.
  t.log.clear();
  EXPECT_EQ(t.Run("Echo \"before\"\nRunMore\nEcho \"never\""),
            "before\nError 5: Invalid procedure call or argument: the engine is already running "
            "code (line 2)\n");
  EXPECT_EQ(t.engine.LastError().line, 2);
  t.log.clear();
  t.engine.ExecuteStatement("Echo \"again\"");
  EXPECT_EQ(t.log, "again\n");
}

TEST(EngineReentry, WithoutAWindowDialogsAnswerAsIfConfirmed) {
  ScriptEngine engine;
  engine.AddCode("a = MsgBox(\"go?\", vbYesNo) : b = InputBox(\"value?\") : c = Year(Now)");
  EXPECT_EQ(ToDouble(engine.GlobalValue("a")), 1);  // vbOK
  EXPECT_TRUE(engine.GlobalValue("b").IsString());
  EXPECT_EQ(ToText(engine.GlobalValue("b")), "");
  EXPECT_GE(ToDouble(engine.GlobalValue("c")), 2024);  // the system clock
  engine.AddCode("Const Limit = 7");
  EXPECT_EQ(ToDouble(engine.GlobalValue("LIMIT")), 7);  // constants read as their value
  EXPECT_TRUE(engine.GlobalValue("nothing_of_that_name").IsEmpty());
}

}  // namespace
}  // namespace kavro::vbs::test
