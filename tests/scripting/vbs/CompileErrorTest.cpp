// What a faulty script is told: the number, the text and the line of its first fault, found
// before any statement runs, and run-time errors reported at the line that raised them.
#include <gtest/gtest.h>

#include "TestHost.h"
#include "scripting/vbs/Conversions.h"

namespace kavro::vbs::test {
namespace {

TEST(CompileErrors, EachFaultHasItsNumberTextAndLine) {
  ExpectOutputs({
      // Blocks left open end at the line after the text, or where the wrong closing stands.
      {"Echo 1\nIf x Then\n  Echo 2\n", "Error 1014: Expected 'End' (line 4)\n"},
      {"Sub S\nEnd Function\n", "Error 1016: Expected 'Sub' (line 2)\n"},
      {"Do\nx = 1\n", "Error 1019: Expected 'Loop' (line 3)\n"},
      {"For i = 1 To 3\nEcho i\n", "Error 1020: Expected 'Next' (line 3)\n"},
      {"While x\nEcho 1\n", "Error 1018: Expected 'Wend' (line 3)\n"},
      {"Select Case x\nCase 1\nEcho 1\n", "Error 1014: Expected 'End' (line 4)\n"},
      {"If x Then\nFor i = 1 To 2\nEnd If\n", "Error 1020: Expected 'Next' (line 3)\n"},
      // Closings without their opening.
      {"x = 1\nLoop", "Error 1002: Syntax error (line 2)\n"},
      {"Next", "Error 1002: Syntax error (line 1)\n"},
      {"End If", "Error 1002: Syntax error (line 1)\n"},
      {"Sub S\n  Sub T\n  End Sub\nEnd Sub", "Error 1002: Syntax error (line 2)\n"},
      // The parts of a statement, in order.
      {"x = 1\nIf x\ny = 1\nEnd If", "Error 1017: Expected 'Then' (line 2)\n"},
      {"For = 1 To 2\nNext", "Error 1010: Expected identifier (line 1)\n"},
      {"For i 1 To 2\nNext", "Error 1011: Expected '=' (line 1)\n"},
      {"For i = 1 2\nNext", "Error 1013: Expected 'To' (line 1)\n"},
      {"For Each x Array(1)\nNext", "Error 1046: Expected 'In' (line 1)\n"},
      {"x = (1 + 2\n", "Error 1006: Expected ')' (line 1)\n"},
      {"ReDim a", "Error 1005: Expected '(' (line 1)\n"},
      {"x = 1 Then", "Error 1025: Expected end of statement (line 1)\n"},
      {"Do While x\nLoop Until x", "Error 1025: Expected end of statement (line 2)\n"},
      {"Dim a(n)", "Error 1026: Expected integer constant (line 1)\n"},
      {"Dim If", "Error 1010: Expected identifier (line 1)\n"},
      {"Dim a(2),, b", "Error 1010: Expected identifier (line 1)\n"},
      {"Function F(ByVal)\nEnd Function", "Error 1010: Expected identifier (line 1)\n"},
      {"Const c", "Error 1011: Expected '=' (line 1)\n"},
      {"Const c = 1 + 2", "Error 1045: Expected literal constant (line 1)\n"},
      {"x = 1\nConst c = x", "Error 1045: Expected literal constant (line 2)\n"},
      {"Sub S(a, b, a)\nEnd Sub", "Error 1041: Name redefined (line 1)\n"},
      {"x = 1\nOption Explicit", "Error 1042: Must be first statement on the line (line 2)\n"},
      {"Echo (1, 2)", "Error 1044: Cannot use parentheses when calling a Sub (line 1)\n"},
      {"On Error Goto 1", "Error 1002: Syntax error (line 1)\n"},
      {"On Error Resume", "Error 1002: Syntax error (line 1)\n"},
      {"Exit Sub", "Error 1039: Invalid 'exit' statement (line 1)\n"},
      {"Sub S\nExit Function\nEnd Sub", "Error 1039: Invalid 'exit' statement (line 2)\n"},
      {"Sub S\nExit For\nEnd Sub", "Error 1039: Invalid 'exit' statement (line 2)\n"},
      // A continued statement is reported on the line where the fault stands.
      {"x = 1 _\n + 2 _\n + \n", "Error 1023: Expected expression (line 3)\n"},
      {"Echo \"a\"\n\nx = 1 +* 2\n", "Error 1023: Expected expression (line 3)\n"},
      {"x = \"abc", "Error 1033: Unterminated string constant (line 1)\n"},
      {"x = 1 @ 2", "Error 1032: Invalid character (line 1)\n"},
      // Forms the interpreter does not have are refused before anything runs.
      {"Echo 1\nWith d\n  .Add 1, 2\nEnd With\n",
       "Error 445: Object doesn't support this action: 'With' is not available (line 2)\n"},
      // Names a script may not assign.
      {"Const c = 1\nc = 2\n", "Error 501: Illegal assignment: 'c' (line 2)\n"},
  });
}

TEST(CompileErrors, FaultyCodeAddedLaterLeavesTheEarlierCodeWhole) {
  TestEngine t;
  t.engine.AddCode("Dim total : total = 10\nSub Add(n) : total = total + n : End Sub\n");
  // Its Sub, its assignment and its call all stand before the fault: none of them happens.
  EXPECT_EQ(t.Run("total = 0\nSub Add(n) : total = -1 : End Sub\nAdd 5\nIf total Then\n"),
            "Error 1014: Expected 'End' (line 5)\n");
  EXPECT_EQ(t.engine.LastError().number, 1014);
  t.engine.ExecuteStatement("Add 1");
  EXPECT_EQ(ToDouble(t.engine.GlobalValue("total")), 11);
  // The next good code clears the error.
  t.engine.AddCode("Add 1");
  EXPECT_EQ(t.engine.LastError().number, 0);
  EXPECT_EQ(ToDouble(t.engine.GlobalValue("total")), 12);
}

TEST(RunTimeErrors, TheLineIsWhereTheFaultingStatementStands) {
  ExpectOutputs({
      // Inside a procedure: the procedure's line, not the caller's.
      {"Sub Inner\n  Echo \"in\"\n  x = 1 / 0\nEnd Sub\nSub Outer\n  Inner\nEnd Sub\nOuter\n",
       "in\nError 11: Division by zero (line 3)\n"},
      // A later statement on a line shared with colons.
      {"x = 1 : y = 2\nx = 3 : y = CInt(\"q\") : Echo \"never\"\n",
       "Error 13: Type mismatch (line 2)\n"},
      // Within a one-line If, and in a loop's later pass.
      {"For i = 3 To 0 Step -1\n  Echo 6 \\ i\nNext\n",
       "2\n3\n6\nError 11: Division by zero (line 2)\n"},
      {"x = 0\nIf x = 0 Then y = 1 Else y = 2 : z = 1 / x\nIf x = 0 Then z = 1 / x\n",
       "Error 11: Division by zero (line 3)\n"},
      // An error raised by the script itself, unhandled, keeps its number and text.
      {"Err.Raise 1234, \"src\", \"plant fault\"\n", "Error 1234: plant fault (line 1)\n"},
      {"\n\nErr.Raise 9\n", "Error 9: Subscript out of range (line 3)\n"},
  });
}

}  // namespace
}  // namespace kavro::vbs::test
