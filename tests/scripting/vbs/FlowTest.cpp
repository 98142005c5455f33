// Where a run goes next: errors handled or passed up through procedures, Select Case and the
// loop forms, and the Dictionary a script keeps its tables in.
#include <gtest/gtest.h>

#include "TestHost.h"

namespace kavro::vbs::test {
namespace {

// A procedure without a handler ends at its fault; the nearest caller with Resume Next goes on
// after the call, with the fault in Err. A handler belongs to its own procedure only.
TEST(ErrorFlow, AFaultEndsEachProcedureUpToTheNearestHandler) {
  ExpectOutputs({
      {"Sub Inner : Echo \"inner\" : x = CInt(\"zz\") : Echo \"inner after\" : End Sub\n"
       "Sub Middle : Inner : Echo \"middle after\" : End Sub\n"
       "On Error Resume Next\nMiddle\nEcho \"top\", Err.Number\n",
       "inner\ntop 13\n"},
      {"Function Deep(n)\n"
       "  If n = 0 Then Err.Raise 1001, \"Deep\", \"bottom\"\n"
       "  Deep = Deep(n - 1) + 1\n"
       "End Function\n"
       "Function Safe()\n"
       "  On Error Resume Next\n"
       "  Safe = \"kept\"\n"
       "  Safe = Deep(3)\n"  // the assignment does not happen
       "  Safe = Safe & \"|\" & Err.Number & \"|\" & Err.Source & \"|\" & Err.Description\n"
       "End Function\n"
       "Echo Safe()\n",
       "kept|1001|Deep|bottom\n"},
      // The callee's handler does not cover its caller.
      {"Sub Quiet : On Error Resume Next : x = 1 / 0 : End Sub\n"
       "Quiet : Echo \"after quiet\"\nx = 1 / 0\nEcho \"never\"\n",
       "after quiet\nError 11: Division by zero (line 3)\n"},
      // Nor does GoTo 0 in a callee take away the caller's.
      {"Sub Loud : On Error GoTo 0 : x = 1 / 0 : Echo \"never\" : End Sub\n"
       "On Error Resume Next\nLoud\nEcho \"caller goes on\", Err.Number\n",
       "caller goes on 11\n"},
      {"On Error Resume Next\nx = 1 / 0\nOn Error GoTo 0\nEcho Err.Number\nx = 1 / 0\nEcho "
       "\"never\"",
       "0\nError 11: Division by zero (line 5)\n"},
      // A fault in a condition under Resume Next goes on into the Then part.
      {"On Error Resume Next\nIf 1 / 0 = 1 Then Echo \"then\" Else Echo \"else\"\n"
       "If CInt(\"q\") Then\n  Echo \"block then\"\nElse\n  Echo \"block else\"\nEnd If\n",
       "then\nblock then\n"},
      // Loops whose header faults do not run.
      {"On Error Resume Next\nFor i = 1 To 1 / 0 : Echo \"for\" : Next\n"
       "Do While CInt(\"x\") : Echo \"do\" : Exit Do : Loop\nEcho Err.Number",
       "13\n"},
  });
}

TEST(ErrorFlow, ErrKeepsWhatRaiseLeavesOutUntilItIsCleared) {
  ExpectOutputs({
      {"On Error Resume Next\n"
       "Err.Raise 1000, \"src\", \"custom\"\nEcho Err.Number, Err.Source, Err.Description\n"
       "Err.Raise 11\nEcho Err.Number, Err.Source, Err.Description\n"
       "Err.Clear\nEcho Err.Number, Err.Source & \"|\", Err.Description & \"|\", Err = 0\n"
       "Err.Raise 11\nEcho Err.Number, Err.Description\n"
       "Err.Raise vbObjectError + 5, , \"mine\"\nEcho Err.Number, Err.Description\n",
       "1000 src custom\n11 src custom\n0 | | True\n11 Division by zero\n-2147221499 mine\n"},
      // On Error Resume Next itself starts with a clear Err.
      {"On Error Resume Next\nx = 1 / 0\nOn Error Resume Next\nEcho Err.Number", "0\n"},
      {"Err.Raise 0", "Error 5: Invalid procedure call or argument (line 1)\n"},
      {"On Error Resume Next\nErr.Number = 6 : Echo Err.Description\nErr.Description = \"x\" : "
       "Err.Raise Err.Number\nEcho Err.Number, Err.Description",
       "\n6 x\n"},  // setting the number leaves the text
  });
}

TEST(Flow, SelectCaseEvaluatesOnceAndTakesTheFirstMatch) {
  ExpectOutputs({
      {"Function Pick() : calls = calls + 1 : Pick = \"c\" : End Function\n"
       "Select Case Pick()\n"
       "  Case \"a\", \"b\" : Echo \"ab\"\n"
       "  Case \"b\" To \"d\", \"x\" : Echo \"range\"\n"
       "  Case \"c\" : Echo \"exact but later\"\n"
       "  Case Else : Echo \"else\"\n"
       "End Select\nEcho calls",
       "range\n1\n"},
      {"For Each v In Array(1, 5, 10, 11, 15, \"z\", -3, 2.5)\n"
       "  Select Case v\n"
       "    Case Is < 0 : r = r & \"neg \"\n"
       "    Case 1, 2 : r = r & \"low \"\n"
       "    Case 3 To 10 : r = r & \"mid \"\n"
       "    Case Is >= 11, \"z\" : r = r & \"high \"\n"
       "    Case Else : r = r & \"other \"\n"
       "  End Select\n"
       "Next\nEcho r",
       "low mid mid high high high neg other \n"},
      {"Select Case Null\nCase Null : Echo \"null\"\nCase Else : Echo \"else\"\nEnd Select\n"
       "Select Case 4\nCase 1\nEnd Select\nEcho \"no case, no fault\"",
       "else\nno case, no fault\n"},
  });
}

TEST(Flow, LoopsTestTheirConditionWhereTheyWriteIt) {
  ExpectOutputs({
      {"i = 0 : Do While i > 0 : i = i + 1 : Loop : Echo i\n"
       "i = 0 : Do : i = i + 1 : Loop While i > 5 : Echo i\n"
       "i = 0 : Do Until i = 0 : i = i + 1 : Loop : Echo i\n"
       "i = 0 : Do : i = i + 1 : Loop Until i >= 3 : Echo i\n"
       "i = 0 : While i < 3 : i = i + 1 : Wend : Echo i\n",
       "0\n1\n0\n3\n3\n"},
      // The end and the step are read once; the counter may be changed by the body.
      {"Function Lim() : lc = lc + 1 : Lim = 3 : End Function\n"
       "For x = 1 To Lim() Step Lim() - 2 : c = c + 1 : Next : Echo lc, c, x\n"
       "c = 0 : For x = 1 To 10 : x = x + 1 : c = c + 1 : Next : Echo c, x\n"
       "c = 0 : For x = 0 To 1 Step 0.1 : c = c + 1 : Next : Echo c\n"
       "c = 0 : For x = 5 To 1 Step -2 : c = c + 1 : Next : Echo c, x\n"
       "n = 2 : For x = 1 To n : n = 10 : c = c + 1 : Next : Echo c\n",
       "2 3 4\n5 11\n11\n3 -1\n5\n"},
      // For Each hands out copies: changing the element variable leaves the array as it was.
      {"a = Array(1, 2, 3) : For Each v In a : v = v * 10 : s = s & v & \" \" : Next\n"
       "Echo s & a(0)\n"
       "ReDim g(1, 1) : g(0, 0) = 1 : g(1, 0) = 2 : g(0, 1) = 3 : g(1, 1) = 4\n"
       "For Each v In g : t = t & v : Next : Echo t\n"
       "For Each v In Array() : Echo \"never\" : Next : Echo IsEmpty(v)\n",
       "10 20 30 1\n1234\nFalse\n"},
      {"For Each v In 5 : Next", "Error 451: Object not a collection (line 1)\n"},
  });
}

TEST(Flow, DictionaryKeepsKeysInOrderAndReportsMissingOnes) {
  ExpectOutputs({
      {"Set d = CreateObject(\"Scripting.Dictionary\")\n"
       "d.Add \"b\", 1 : d.Add \"a\", 2 : d.Add 1, \"num\" : d.Add \"1\", \"text\"\n"
       "Echo d.Count, d(1), d(\"1\"), Join(d.Keys, \",\"), Join(d.Items, \",\")\n"
       "d.Remove \"b\" : d.Add \"b\", 3 : Echo Join(d.Keys, \",\")\n"
       // Reading a missing key adds it; Exists does not.
       "x = d(\"gone\") : Echo d.Count, IsEmpty(x), d.Exists(\"gone\"), d.Exists(\"nope\"), "
       "d.Count\n"
       "d.Key(\"a\") = \"z\" : Echo Join(d.Keys, \",\"), d(\"z\"), d.Exists(\"a\")\n"
       "For Each k In d : s = s & k & \"=\" & d(k) & \";\" : Next : Echo s\n"
       "it = d.Items : it(0) = 99 : Echo d(\"z\")\n"  // Items is a copy
       "Set e = d : e(\"new\") = 1 : Echo d.Count\n"  // Set shares the one dictionary
       "d.RemoveAll : Echo d.Count, UBound(d.Keys)\n",
       "4 num text b,a,1,1 1,2,num,text\na,1,1,b\n5 True True False 5\n"
       "z,1,1,b,gone 2 False\nz=2;1=num;1=text;b=3;gone=;\n2\n6\n0 -1\n"},
      {"Set d = CreateObject(\"Scripting.Dictionary\") : d.Add \"k\", 1 : d.Add \"k\", 2",
       "Error 457: This key is already associated with an element of this collection (line 1)\n"},
      {"Set d = CreateObject(\"Scripting.Dictionary\") : d.Remove \"k\"",
       "Error 32811: Element not found (line 1)\n"},
      {"Set d = CreateObject(\"Scripting.Dictionary\") : d.Add \"a\", 1 : d.Add \"b\", 2\n"
       "d.Key(\"a\") = \"b\"",
       "Error 457: This key is already associated with an element of this collection (line 2)\n"},
      // Text comparison is chosen while the dictionary is empty, and then finds keys in any case.
      {"Set d = CreateObject(\"Scripting.Dictionary\") : d.CompareMode = vbTextCompare\n"
       "d.Add \"Key\", 1 : Echo d.Exists(\"KEY\"), d(\"kEy\"), d.Count\n"
       "d.CompareMode = vbBinaryCompare",
       "True 1 1\nError 5: Invalid procedure call or argument (line 3)\n"},
      {"Set d = CreateObject(\"Scripting.Dictionary\") : d.Add \"Key\", 1\n"
       "Echo d.Exists(\"KEY\"), d.Exists(\"Key\"), d.Count",
       "False True 1\n"},
  });
}

}  // namespace
}  // namespace kavro::vbs::test
