// What the quick paths of the interpreter (variables bound to frame slots, arithmetic without
// Variants, the For loop's whole-number counter, elements read in place) must leave exactly as
// the language has it: each test mixes the quick forms with the ones that take the general
// path, so that a quick path that parts from the rules shows as a different line.
#include <gtest/gtest.h>

#include <string>

#include "TestHost.h"

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

}  // namespace
}  // namespace kavro::vbs::test
