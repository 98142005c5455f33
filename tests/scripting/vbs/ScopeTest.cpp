// Which variable a name means and what a call hands over: the names are bound to slots when the
// script is compiled, so every mix of locals, globals, parameters and procedures is run here
// through calls that would show a name bound to the wrong slot.
#include <gtest/gtest.h>

#include "TestHost.h"

namespace kavro::vbs::test {
namespace {

TEST(Scope, ByReferenceParametersAliasWhatTheCallerPassed) {
  ExpectOutputs({
      // One variable passed twice: both parameters are that variable.
      {"Sub P(a, b) : a = 1 : b = 2 : Echo a, b : End Sub\nx = 0 : P x, x : Echo x\n", "2 2\n2\n"},
      {"Sub Bump(v) : v = v + 1 : End Sub\n"
       "Sub ByVal1(ByVal v) : v = v + 1 : End Sub\n"
       "Set d = CreateObject(\"Scripting.Dictionary\") : d(\"k\") = 1\n"
       "Bump d(\"k\") : Echo d(\"k\")\n"  // an item is a value handed out, not a variable
       "Dim arr(2) : arr(1) = 1 : Bump arr(1) : Echo arr(1)\n"
       "y = 1 : Bump y + 0 : Bump (y) : ByVal1 y : Echo y\n"
       "Call Bump(y) : Echo y\n"
       "Bump(y) : Echo y\n",  // one argument in parentheses is a value
       "1\n2\n1\n2\n2\n"},
      // A local passed down is the local, and the global of its name stays apart.
      {"Sub Bump(v) : v = v + 1 : End Sub\n"
       "Sub Show : Echo \"global\", y : End Sub\n"
       "Sub Outer\n  Dim y : y = 100\n  Bump y : Echo \"local\", y\n  Show\nEnd Sub\n"
       "y = 2 : Outer\n",
       "local 101\nglobal 2\n"},
      // Each level of a recursion keeps its own locals, while the ByRef text is shared.
      {"Sub Rec(n, acc)\n  Dim mine : mine = n\n  If n > 0 Then Rec n - 1, acc\n"
       "  acc = acc & mine\nEnd Sub\nt = \"\" : Rec 3, t : Echo t\n",
       "0123\n"},
  });
}

TEST(Scope, ProceduresCallEachOtherWhereverTheyStand) {
  ExpectOutputs({
      {"Function IsEven(n) : If n = 0 Then IsEven = True Else IsEven = IsOdd(n - 1)\n"
       "End Function\n"
       "Function IsOdd(n) : If n = 0 Then IsOdd = False Else IsOdd = IsEven(n - 1)\n"
       "End Function\n"
       "Echo IsEven(10), IsOdd(7), IsEven(7)\n",
       "True True False\n"},
      {"Function NoValue() : End Function\nEcho IsEmpty(NoValue()), TypeName(NoValue())\n",
       "True Empty\n"},
      // Arguments are evaluated left to right, each once.
      {"Function Order(a, b, c) : Order = a & b & c : End Function\n"
       "Function Tick(v) : seq = seq & v : Tick = v : End Function\n"
       "Echo Order(Tick(1), Tick(2), Tick(3)), seq\n",
       "123 123\n"},
      {"Function Fact(n) : If n <= 1 Then Fact = 1 Else Fact = n * Fact(n - 1)\nEnd Function\n"
       "Echo Fact(12), TypeName(Fact(12)), Fact(13), TypeName(Fact(13))\n",
       "479001600 Long 6227020800 Double\n"},
      // A procedure's name is not a variable; a global declared after the procedure is seen.
      {"Sub Show : Echo late : End Sub\nDim late : late = 9 : Show\n", "9\n"},
      {"Sub S : End Sub\ns = 1\n", "Error 501: Illegal assignment: 's' (line 2)\n"},
      {"Function F(n) : F = n : End Function\nx = F\n",
       "Error 450: Wrong number of arguments or invalid property assignment: 'F' (line 2)\n"},
      {"x = Missing(1)\n", "Error 35: Sub or Function not defined: 'Missing' (line 1)\n"},
  });
}

}  // namespace
}  // namespace kavro::vbs::test
