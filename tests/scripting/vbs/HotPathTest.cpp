// What the quick paths of the interpreter (variables bound to frame slots, arithmetic without
// Variants, the For loop's whole-number counter, elements read in place) must leave exactly as
// the language has it: each test mixes the quick forms with the ones that take the general
// path, so that a quick path that parts from the rules shows as a different line.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "TestHost.h"
#include "scripting/vbs/Conversions.h"
#include "scripting/vbs/HostObject.h"

namespace kavro::vbs::test {
namespace {

TEST(HotPath, ALocalShadowsTheGlobalOfItsNameAndLeavesIt) {
  TestEngine t;
  EXPECT_EQ(t.Run("x = \"global\" : n = 100\n"
                  "Function Add(n)\n"  // a parameter named like a global
                  "  Dim x : x = 1\n"
                  "  x = x + n : n = n * 2\n"
                  "  Add = x + Peek()\n"
                  "End Function\n"
                  "Function Peek() : Peek = Len(x) : End Function\n"  // sees the global
                  "Sub Consts\n"
                  "  Const n = 7\n"
                  "  Echo n Mod 4, n \\ 2\n"
                  "End Sub\n"
                  "v = 5 : Echo Add(v), v, x, n\n"
                  "Echo Add(n), n, x\n"
                  "Consts : Echo n\n"),
            "12 10 global 100\n107 200 global\n3 3\n200\n");
}

TEST(HotPath, AnArrayResizedWhileALoopReadsItIsReadAsItIsNow) {
  TestEngine t;
  EXPECT_EQ(t.Run("Sub Grow\n"
                  "  Dim a(), i, s : ReDim a(3)\n"
                  "  For i = 0 To 3 : a(i) = i * 10 : Next\n"
                  "  For i = 0 To UBound(a)\n"  // the end is taken once
                  "    s = s + a(i)\n"
                  "    ReDim Preserve a(UBound(a) + 1) : a(UBound(a)) = 1\n"
                  "  Next\n"
                  "  Echo s, UBound(a), a(3), a(4), a(7)\n"
                  "End Sub\n"
                  "Sub Shrink\n"
                  "  Dim a(), i, s : ReDim a(5)\n"
                  "  For i = 0 To 5 : a(i) = i : Next\n"
                  "  On Error Resume Next\n"
                  "  For i = 0 To 5\n"
                  "    s = s + a(i)\n"
                  "    If Err.Number <> 0 Then Echo \"at\", i, Err.Number : Err.Clear\n"
                  "    If i = 2 Then ReDim Preserve a(3)\n"
                  "  Next\n"
                  "  Echo s\n"
                  "  a(1) = \"7\" : a(2) = Empty : a(3) = Null\n"  // no longer numbers
                  "  Echo a(0) + a(1), TypeName(a(0) + a(1)), a(0) + a(2), IsNull(a(0) + a(3))\n"
                  "  Erase a : s = a(0) : Echo \"erased\", Err.Number\n"
                  "End Sub\n"
                  "Grow : Shrink\n"
                  "Dim g(2) : g(0) = 1.5 : g(1) = 2.5\n"
                  "Echo g(0) + g(1), g(0) + g(2), g(-1)\n"),
            "60 7 30 1 1\nat 4 9\nat 5 9\n6\n7 Double 0 True\nerased 9\n"
            "Error 9: Subscript out of range (line 26)\n");  // nothing of the line is shown
}

TEST(HotPath, ByRefArgumentsWriteThroughToTheCallersVariables) {
  TestEngine t;
  EXPECT_EQ(t.Run("Sub Bump(n) : n = n + 1 : End Sub\n"
                  "Sub Keep(ByVal n) : n = n + 1 : End Sub\n"
                  "Function Seven(n) : n = 7 : Seven = 0 : End Function\n"
                  "Sub Locals\n"
                  "  Dim a, b(2), i, count\n"
                  "  a = 32767 : Bump a : Echo a, TypeName(a)\n"
                  "  Keep a : Bump (a) : Echo a\n"
                  "  b(1) = 1.5 : Bump b(1) : Echo b(1)\n"
                  "  For i = 1 To 10 : Bump i : count = count + 1 : Next\n"  // the counter too
                  "  Echo count, i\n"
                  "  a = 1 : Echo a + Seven(a), a\n"  // the left operand is read first
                  "End Sub\n"
                  "Locals\n"
                  "g = 1 : Bump g : Bump g : Echo g\n"),
            "32768 Long\n32768\n2.5\n5 11\n1 7\n3\n");
}

TEST(HotPath, RecursionRunsDeepAndStopsWithOutOfStackSpace) {
  TestEngine t;
  EXPECT_EQ(t.Run("Function Sum(n)\n"
                  "  If n = 0 Then Sum = 0 Else Sum = n + Sum(n - 1)\n"
                  "End Function\n"
                  "Function Fib(n)\n"
                  "  If n < 2 Then Fib = n Else Fib = Fib(n - 1) + Fib(n - 2)\n"
                  "End Function\n"
                  "Function Forever(n) : Forever = Forever(n + 1) : End Function\n"
                  "Echo Sum(700), TypeName(Sum(300)), Fib(20)\n"
                  "On Error Resume Next\n"
                  "x = Forever(1) : Echo Err.Number, Err.Description : Err.Clear\n"
                  "Echo Sum(10)\n"),  // the frames were given back
            "245350 Long 6765\n28 Out of stack space\n55\n");
}

TEST(HotPath, AFrameUsedAgainAfterAFailedCallHoldsNothingOfIt) {
  // Frames are pooled: whatever a call bound or held when it failed must not reach the next
  // call made at the same depth.
  TestEngine t;
  EXPECT_EQ(t.Run("Sub Two(a, b) : a = a + 1 : End Sub\n"
                  "Function Stepped(n)\n"  // one statement as the whole body
                  "  For n = n To 3 : On Error Resume Next : n = \"x\" : Next\n"
                  "End Function\n"
                  "Function Halves(n)\n"
                  "  If n < 2 Then Halves = 1 / n Else Halves = Halves(n \\ 2) + 1\n"
                  "End Function\n"
                  "x = 1\n"
                  "On Error Resume Next\n"
                  "Two x, 1 / 0 : Echo Err.Number, x : Err.Clear\n"  // a bound, b failed
                  "Two x + 0, 5 : Two (x), 5 : Echo x\n"
                  "Two x, 5 : Echo x\n"
                  "y = Halves(0) : Echo Err.Number : Err.Clear\n"
                  "Echo Halves(8), Halves(1 - 1 + 8)\n"
                  "On Error GoTo 0\n"
                  "Echo IsEmpty(Stepped(1)), Err.Number\n"  // kept by its own handler
                  "Echo Halves(0)\n"),
            "11 1\n1\n2\n11\n4 4\nTrue 13\n"
            "Error 11: Division by zero (line 6)\n");
}

TEST(HotPath, ExitLeavesOnlyTheLoopOfItsKind) {
  TestEngine t;
  EXPECT_EQ(t.Run("Dim s\n"
                  "Sub Walk()\n"
                  "  Dim i, j, k\n"
                  "  For i = 1 To 3\n"
                  "    For j = 1 To 3\n"
                  "      If j = 2 Then Exit For\n"
                  "      s = s & i & j & \" \"\n"
                  "    Next\n"
                  "  Next\n"
                  "  s = s & \"| \"\n"
                  "  Do\n"
                  "    k = k + 1\n"
                  "    For i = 1 To 5\n"
                  "      If i = 2 Then Exit Do\n"  // out of the For and the Do
                  "    Next\n"
                  "    s = s & \"never \"\n"
                  "  Loop\n"
                  "  s = s & k & i & \" | \"\n"
                  "  For i = 1 To 3\n"
                  "    k = 0\n"
                  "    Do While True\n"
                  "      k = k + 1\n"
                  "      While k < 10\n"
                  "        If k = 3 Then Exit Do\n"  // While...Wend is no Do: the Do ends
                  "        k = k + 1\n"
                  "      Wend\n"
                  "    Loop\n"
                  "    s = s & k\n"
                  "    If i = 2 Then Exit For\n"
                  "  Next\n"
                  "  s = s & \" \" & i & \" | \"\n"
                  "  For i = 1 To 3\n"
                  "    Do : If i = 2 Then Exit Sub\n"
                  "      s = s & i : Exit Do\n"
                  "    Loop\n"
                  "  Next\n"
                  "  s = s & \"never\"\n"
                  "End Sub\n"
                  "Walk : Echo s\n"),
            "11 21 31 | 12 | 33 2 | 1\n");
}

TEST(HotPath, WholeNumbersPromoteAtTheirLimitsInEveryForm) {
  TestEngine t;
  EXPECT_EQ(t.Run("Function Kind(v) : Kind = v & \" \" & TypeName(v) : End Function\n"
                  "Sub Edges\n"
                  "  Dim i, x, y, a(1)\n"
                  "  For i = 32766 To 32768 : Echo i, TypeName(i) : Next\n"
                  "  x = 32767\n"
                  "  Echo x + 1, TypeName(x + 1), TypeName(x + 0), -x - 1, TypeName(-x - 1), "
                  "TypeName(-x - 2), TypeName(x * 2)\n"
                  "  Echo Kind(x + 1), Kind(x - 32767)\n"  // as arguments and conditions too
                  "  x = -32767 - 1 : Echo x, TypeName(x), -x, TypeName(-x), TypeName(x * -1), "
                  "TypeName(x \\ -1), x Mod -1\n"
                  "  Echo Kind(x - 1), Kind(x + 1) : If x < -32767 Then Echo Kind(x <= -32768)\n"
                  "  x = 2147483647 : Echo x + 1, TypeName(x + 1), x * 2, TypeName(x - -1)\n"
                  "  y = -x - 1 : Echo y, TypeName(y), y - 1, TypeName(y - 1), TypeName(-y)\n"
                  "  a(0) = 32767 : a(0) = a(0) + 1 : Echo a(0), TypeName(a(0))\n"
                  "  For i = 2147483646 To 2147483648 : Echo i, TypeName(i) : Next\n"
                  "  x = CByte(200) : Echo TypeName(x + CByte(1)), TypeName(x + x), x + x\n"
                  "  x = True : Echo x + 1, TypeName(x + 1)\n"  // True is -1
                  "End Sub\n"
                  "Edges\n"),
            "32766 Integer\n32767 Integer\n32768 Long\n"
            "32768 Long Integer -32768 Integer Long Long\n"
            "32768 Long 0 Integer\n"
            "-32768 Integer 32768 Long Long Long 0\n"
            "-32769 Long -32767 Integer\nTrue Boolean\n"
            "2147483648 Double 4294967294 Double\n"
            "-2147483648 Long -2147483649 Double Double\n"
            "32768 Long\n"
            "2147483646 Long\n2147483647 Long\n2147483648 Double\n"
            "Byte Integer 400\n"
            "0 Integer\n");
}

// The whole counter's quick loop hands over to the general rules when the body changes the
// counter's subtype, and its one-statement body still meets a handler the body turned on.
TEST(HotPath, AForLoopFollowsItsCounterAndHandlerWhateverTheBodyDoes) {
  TestEngine t;
  EXPECT_EQ(t.Run("Sub Loops\n"
                  "  Dim i, s, x\n"
                  "  For i = 1 To 5 : i = i + 0.5 : s = s & i & \" \" : Next : Echo s & i\n"
                  "  s = \"\" : For i = CByte(1) To 3 : s = s & TypeName(i) : Next : Echo s\n"
                  "  s = \"\" : For i = 5 To 1 Step -2 : s = s & i : Next : Echo s, i\n"
                  "  For i = 1 To 10 : If i = 3 Then Exit For\n  Next : Echo i\n"
                  "  For i = 1 To 3\n"  // the loop's condition faults in the second pass
                  "    Do While i = 1 Or 1 / (i - 2) = 5 : On Error Resume Next : Exit Do : Loop\n"
                  "  Next\n"
                  "  Echo Err.Number, i\n"
                  "End Sub\n"
                  "Loops\n"
                  "For i = 1 To 3 : x = 6 / (2 - i) : Next\n"),
            "1.5 3 4.5 5.5\nByteIntegerInteger\n531 -1\n3\n11 4\n"
            "Error 11: Division by zero (line 14)\n");
}

TEST(HotPath, IntegerDivisionAndModRoundTheirOperandsAndRaiseTheirErrors) {
  TestEngine t;
  EXPECT_EQ(t.Run("Function Try(a, b)\n"
                  "  On Error Resume Next\n"
                  "  Dim q, m\n"
                  "  q = a \\ b : If Err.Number <> 0 Then q = \"E\" & Err.Number : Err.Clear\n"
                  "  m = a Mod b : If Err.Number <> 0 Then m = \"E\" & Err.Number : Err.Clear\n"
                  "  Try = q & \"/\" & m\n"
                  "End Function\n"
                  "Echo Try(7, 2), Try(-7, 2), Try(7, -2), Try(-7, -2)\n"
                  "Echo Try(7.5, 2), Try(6.5, 2.5), Try(-7.5, 2), Try(5, 0.4), Try(5, 0)\n"
                  "Echo Try(CLng(-2147483647) - 1, -1), Try(2147483647.6, 1), Try(\"7\", 2), "
                  "Try(Empty, 3)\n"
                  "Echo Try(7, 2.5), 7 / 2, 1 / 4, TypeName(6 / 3)\n"
                  "Sub ByLiteral(a)\n"
                  "  Echo a \\ 1, a Mod 1, a \\ 3, a Mod 3\n"
                  "  Echo a / 0\n"
                  "End Sub\n"
                  "ByLiteral -8\n"),
            "3/1 -3/-1 -3/1 3/-1\n"
            "4/0 3/0 -4/0 E11/E11 E11/E11\n"
            "E6/0 E6/E6 3/1 0/0\n"
            "3/1 3.5 0.25 Double\n"
            "-8 0 -2 -2\n"
            "Error 11: Division by zero (line 14)\n");
}

TEST(HotPath, TextsAndNumbersCompareByWhatTheVariablesHold) {
  TestEngine t;
  EXPECT_EQ(t.Run("Sub Compare\n"
                  "  Dim n, s, e, z, i, k\n"
                  "  n = 10 : s = \"9\"\n"
                  "  Echo n < s, n > s, s = \"9\", n = 10.0, n < 10.5, n >= 10\n"  // a number
                  "  s = \"10\" : Echo n = s, n <> s, n = CInt(s)\n"  // is less than a text
                  "  Echo e = 0, e = \"\", e < 1, IsNull(z = 1), IsNull(n < Null)\n"  // z is Empty
                  "  z = Null : If z = 1 Then Echo \"taken\" Else Echo \"Null is not True\"\n"
                  "  s = \"3\" : For i = 1 To s : k = k + 1 : Next : Echo k, i, TypeName(i)\n"
                  "  i = 0 : Do While i < 2.5 : i = i + 1 : Loop : Echo i\n"
                  "  i = 0 : Do Until i >= 32768 : i = i + 16384 : Loop : Echo i, TypeName(i)\n"
                  "  If n Then Echo \"a number is True when not 0\"\n"
                  "  If 0.0 Then Echo \"never\" Else Echo \"0.0 is False\"\n"
                  "End Sub\n"
                  "Compare\n"),
            "True False True True True True\nFalse True True\n"
            "True True True False True\nNull is not True\n3 4 Integer\n3\n32768 Long\n"
            "a number is True when not 0\n0.0 is False\n");
}

TEST(HotPath, OptionExplicitStopsAnUndeclaredNameWhenItsLineRuns) {
  TestEngine t;
  EXPECT_EQ(t.Run("Option Explicit\n"
                  "Dim total\n"
                  "Sub Add(n)\n"
                  "  Dim i\n"
                  "  For i = 1 To n : total = total + i : Next\n"
                  "  Echo total\n"
                  "  total = total + countr * 2\n"  // a misspelling
                  "  Echo \"not reached\"\n"
                  "End Sub\n"
                  "Add 4\n"),
            "10\nError 500: Variable is undefined: 'countr' (line 7)\n");
}

TEST(HotPath, EachCallStartsWithFreshLocalsWhateverTheFrameHeldBefore) {
  TestEngine t;
  EXPECT_EQ(
      t.Run("Function Fresh(depth)\n"
            "  Dim v, list(1), grown()\n"
            "  Fresh = IsEmpty(v) & IsEmpty(list(0)) & IsArray(grown)\n"
            "  v = \"held\" : list(0) = 1 : ReDim grown(3)\n"
            "  If depth > 0 Then Fresh = Fresh & \"+\" & Fresh(depth - 1)\n"
            "End Function\n"
            "Function Twice(n)\n"
            "  Twice = n\n"
            "  Twice = Twice * 2\n"  // the result read back, no recursion
            "End Function\n"
            "Echo Fresh(0), Fresh(2), Fresh(0)\n"
            "Echo Twice(21), Twice(16384), TypeName(Twice(16384)), Twice(2.5)\n"
            "Sub Retype\n"
            "  Dim s, a, d\n"
            "  s = \"text\" : s = 1 + 2 : Echo s, TypeName(s)\n"  // a number over a text
            "  a = Array(1, 2) : a = a(0) + a(1) : Echo a, TypeName(a)\n"
            "  Set d = CreateObject(\"Scripting.Dictionary\") : d = 2 * 3 : Echo d, TypeName(d)\n"
            "End Sub\n"
            "Retype : Retype\n"),
      "TrueTrueTrue TrueTrueTrue+TrueTrueTrue+TrueTrueTrue TrueTrueTrue\n"
      "42 32768 Long 5\n"
      "3 Integer\n3 Integer\n6 Integer\n3 Integer\n3 Integer\n6 Integer\n");
}

TEST(HotPath, AFailedOperationLeavesItsTargetAsItWas) {
  TestEngine t;
  EXPECT_EQ(t.Run("Sub Keep\n"
                  "  Dim x, a(2), big\n"
                  "  On Error Resume Next\n"
                  "  x = 5 : x = x \\ 0 : Echo x, Err.Number : Err.Clear\n"
                  "  x = x Mod (x - 5) : Echo x, Err.Number : Err.Clear\n"
                  "  big = 1E+308 : x = big * 10 : Echo x, Err.Number : Err.Clear\n"
                  "  a(0) = 1 : x = a(0) + a(3) : Echo x, Err.Number : Err.Clear\n"
                  "  a(1) = 7 : a(1) = a(1) / (a(0) - 1) : Echo a(1), Err.Number : Err.Clear\n"
                  "  x = CLng(-2147483647) - 1 : x = x \\ -1 : Echo x, Err.Number : Err.Clear\n"
                  "End Sub\n"
                  "Keep\n"),
            "5 11\n5 11\n5 6\n5 9\n7 11\n-2147483648 6\n");
}

// ReDim in a procedure resizes the script's array of that name (a Sub that sizes a shared
// table), so a call can take away the element an expression or a ByRef argument stands on.
TEST(HotPath, AnElementIsReadBeforeACallOnItsRightChangesTheArray) {
  TestEngine t;
  EXPECT_EQ(t.Run("Dim arr(), i\n"
                  "Function Shrink() : ReDim arr(0) : arr(0) = 100 : Shrink = 1 : End Function\n"
                  "Function Move() : i = i + 1 : Move = 0 : End Function\n"
                  "Sub Change(v) : ReDim arr(0) : v = 5 : End Sub\n"
                  "ReDim arr(5) : arr(5) = 41\n"
                  "Echo arr(5) + Shrink(), UBound(arr), arr(0)\n"
                  "ReDim arr(5) : arr(2) = 20 : arr(3) = 30 : i = 2\n"
                  "Echo arr(i) + Move(), i\n"
                  "Change arr(4) : Echo UBound(arr), IsEmpty(arr(0))\n"),  // the element went
            "42 0 100\n20 3\n0 True\n");
}

// An expression that looks like arithmetic over variables may still reach an object: its
// default member runs once per evaluation, never once for a quick try and again for the rules.
TEST(HotPath, AnObjectBehindAVariableIsCalledOncePerEvaluation) {
  TestEngine t;
  int calls = 0;
  auto table = std::make_shared<HostObject>("Table");
  table->AddFunction("Item", [&calls](HostArgs args) {
    ++calls;
    return Variant::Long(static_cast<int32_t>(ToDouble(*args[0]) * 100));
  });
  table->SetDefaultMember("Item");
  t.engine.AddObject("table", table);
  EXPECT_EQ(t.Run("Sub Read\n"
                  "  Dim tb, i, s\n"
                  "  Set tb = table\n"
                  "  For i = 1 To 3 : s = s + tb(i) * 2 : Next\n"
                  "  Echo s, tb(2) Mod 7, tb(1) + 0.5 < 100\n"
                  "End Sub\n"
                  "Read\n"),
            "1200 4 False\n");
  EXPECT_EQ(calls, 5);
}

TEST(HotPath, ReDimInAProcedureResizesTheArrayItsNameMeansThere) {
  TestEngine t;
  EXPECT_EQ(t.Run("Option Explicit\n"
                  "Dim table(), other()\n"
                  "Sub Size(n) : ReDim table(n) : table(n) = n : End Sub\n"  // the script's
                  "Sub Own : Dim table : ReDim table(9) : End Sub\n"         // its own local
                  "Sub Scratch : ReDim work(4) : work(4) = 1 : End Sub\n"    // known nowhere
                  "Sub Param(table) : ReDim table(1) : End Sub\n"            // the caller's
                  "Size 3 : Echo UBound(table), table(3)\n"
                  "Own : Echo UBound(table)\n"
                  "Scratch : Echo UBound(table)\n"
                  "Param other : Echo UBound(other), UBound(table)\n"
                  "ReDim Preserve table(5) : Echo UBound(table), table(3)\n"),
            "3 3\n3\n3\n1 3\n5 3\n");
}

// Elements written in place (a(i) = a(i) + x) and two-dimensional elements read unboxed: an
// index out of range, a wrong number of indexes, an index to round or one from a call, an
// element holding a text, Empty or Null, and an overflow all end as the general rules have them.
TEST(HotPath, ElementsWrittenInPlaceAndReadByTwoIndexesFollowTheRules) {
  TestEngine t;
  EXPECT_EQ(
      t.Run(
          "Dim calls\n"
          "Function Idx(v) : calls = calls + 1 : Idx = v : End Function\n"
          "Sub Bump(arr, k) : arr(k) = arr(k) + 1 : End Sub\n"
          "Sub Stores\n"
          "  Dim a(3), m(), i, j, s, n\n"
          "  ReDim m(2, 1)\n"
          "  For i = 0 To 3 : a(i) = i * 2 : Next\n"
          "  a(1) = \"7\" : a(1) = a(0) + 1 : Echo a(1), TypeName(a(1))\n"
          "  a(2) = a(2) + 32767 : Echo a(2), TypeName(a(2))\n"
          "  a(1.5) = 10 : Echo a(2)\n"
          "  a(Idx(3)) = a(3) * 0.5 : Echo a(3), TypeName(a(3)), calls\n"
          "  Bump a, 0 : Bump a, 0 : Echo a(0)\n"
          "  For i = 0 To 2 : For j = 0 To 1 : m(i, j) = i * 10 + j : Next : Next\n"
          "  m(2, 1) = m(2, 1) + m(1, 0) : s = 0\n"
          "  For j = 0 To 1 : For i = 0 To 2 : s = s * 3 + m(i, j) : Next : Next\n"
          "  Echo s, m(2, 1), TypeName(m(0, 0))\n"
          "  m(1, 1) = Empty : m(0, 1) = \"5\" : Echo m(1, 1) + m(2, 0), m(0, 1) + m(2, 0), "
          "TypeName(m(0, 1) + 1)\n"
          "  On Error Resume Next\n"
          "  n = 0 : n = a(4) + 1 : Echo \"read past\", Err.Number, n : Err.Clear\n"
          "  a(4) = 1 : Echo \"store past\", Err.Number, UBound(a) : Err.Clear\n"
          "  a(-1) = a(0) + 1 : Echo \"store below\", Err.Number : Err.Clear\n"
          "  m(3, 0) = 1 : Echo \"row past\", Err.Number : Err.Clear\n"
          "  m(0, 2) = m(0, 0) + 1 : Echo \"column past\", Err.Number : Err.Clear\n"
          "  n = m(1) + 1 : Echo \"one index of two\", Err.Number, n : Err.Clear\n"
          "  n = a(1, 1) + 1 : Echo \"two of one\", Err.Number, n : Err.Clear\n"
          "  m(1) = 5 : Echo \"store one of two\", Err.Number : Err.Clear\n"
          "  a(0) = 1E308 : a(0) = a(0) * 10 : Echo \"overflow\", Err.Number, a(0) : Err.Clear\n"
          "  a(0) = Null : a(0) = a(0) + 1 : Echo \"null\", IsNull(a(0)), Err.Number : Err.Clear\n"
          "  s = 5 : s(0) = s + 1 : Echo \"not an array\", Err.Number, s : Err.Clear\n"
          "End Sub\n"
          "Stores\n"),
      "1 Integer\n32771 Long\n10\n3 Double 1\n2\n1423 31 Integer\n20 25 Double\nread past 9 0\n"
      "store past 9 3\nstore below 9\nrow past 9\ncolumn past 9\none index of two 9 0\n"
      "two of one 9 0\nstore one of two 9\noverflow 6 1E+308\nnull True 0\nnot an array 13 5\n");
}

// And, Or and Xor over whole numbers and over comparisons, in expressions and conditions: the
// result's subtype, a Double operand rounded, True beside a number, Null and Empty.
TEST(HotPath, AndOrAndXorKeepTheSubtypesOfTheRules) {
  TestEngine t;
  EXPECT_EQ(
      t.Run("Sub Bits(x, y)\n"
            "  Dim a, b, t\n"
            "  a = x : b = y : t = True\n"
            "  Echo a And b, a Or b, a Xor b, TypeName(a And b), TypeName(a Or 1), TypeName(a Xor "
            "70000)\n"
            "  Echo a > 0 And b > 0, a > 0 Or b > 0, a > 0 Xor b > 0, TypeName(a < b And b < 9)\n"
            "  Echo t And a, (a And 255) = 1, TypeName(t And a), t Or (a > b), a And Null, "
            "TypeName(a Or Empty)\n"
            "  If a > 0 And b > 0 Then\n"
            "    Echo \"both\"\n"
            "  Else\n"
            "    Echo \"not both\"\n"
            "  End If\n"
            "  Do While a > 0 And (a And 1) = 0 : a = a \\ 2 : Loop\n"
            "  Echo a\n"
            "End Sub\n"
            "Bits 12, 10 : Bits -1, 32767 : Bits 65537, -2 : Bits 0, 5 : Bits 2.5, 3 : Bits "
            "-32768, 70000\n"
            "Bits CLng(-2147483647) - 1, -1\n"),
      "8 14 6 Integer Integer Long\nTrue True False Boolean\n"
      "12 False Integer True Null Integer\nboth\n3\n32767 -1 -32768 Integer Integer Long\n"
      "False True True Boolean\n-1 False Integer True Null Integer\nnot both\n-1\n"
      "65536 -1 -65537 Long Long Long\nFalse True True Boolean\n"
      "65537 True Long True Null Long\nnot both\n65537\n0 5 5 Integer Integer Long\n"
      "False True True Boolean\n0 False Integer True 0 Integer\nnot both\n0\n"
      "2 3 1 Long Long Long\nTrue True False Boolean\n2 False Long True Null Long\nboth\n1\n"
      "65536 -28304 -93840 Long Long Long\nFalse True True Boolean\n"
      "-32768 False Long True Null Long\nnot both\n-32768\n"
      "-2147483648 -1 2147483647 Long Long Long\nFalse False False Boolean\n"
      "-2147483648 False Long True Null Long\nnot both\n-2147483648\n");
}

}  // namespace
}  // namespace kavro::vbs::test
