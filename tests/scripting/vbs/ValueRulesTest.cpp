// How values turn into one another and compare: the rules every operator and built-in stands
// on, each case beside its neighbours on the other side of an edge (a half, a range limit, a
// subtype), so that a rule applied one step off shows.
#include <gtest/gtest.h>

#include "TestHost.h"
#include "scripting/vbs/DateMath.h"

namespace kavro::vbs::test {
namespace {

TEST(ValueRules, ConversionsRoundHalvesToEvenAndCheckTheirRange) {
  ExpectOutputs({
      {"Echo CInt(0.5), CInt(1.5), CInt(-1.5), CInt(2.4999), CLng(-2.5), CLng(2.5000001)",
       "0 2 -2 2 -2 3\n"},
      {"Echo CByte(-0.5), CByte(254.5), CByte(\"17\"), TypeName(CByte(1))", "0 254 17 Byte\n"},
      {"x = CByte(255.5)", "Error 6: Overflow (line 1)\n"},
      {"x = CByte(-1)", "Error 6: Overflow (line 1)\n"},
      {"x = CInt(-32768.5) : Echo x : x = CInt(-32769)", "-32768\nError 6: Overflow (line 1)\n"},
      {"x = CLng(\"2147483648\")", "Error 6: Overflow (line 1)\n"},
      {"Echo CInt(\"&H7FFF\"), CLng(\"&HFFFF\"), CInt(\" 12 \"), CDbl(\"  -.5  \"), CLng(\"1e9\")",
       "32767 -1 12 -0.5 1000000000\n"},
      {"x = CDbl(\"1.5e\")", "Error 13: Type mismatch (line 1)\n"},
      {"x = CDbl(\"\")", "Error 13: Type mismatch (line 1)\n"},
      {"x = CInt(Null)", "Error 94: Invalid use of Null (line 1)\n"},
      {"Echo CBool(\"true\"), CBool(\"False\"), CBool(0.1), CBool(\"0\"), CBool(Empty)",
       "True False True False False\n"},
      {"x = CBool(\"yes\")", "Error 13: Type mismatch (line 1)\n"},
      // Currency keeps four decimals, rounding halves to even.
      {"Echo CCur(1.23456), CCur(0.00005), CCur(0.00015), CCur(2.5) * 2, TypeName(CCur(1) * 2)",
       "1.2346 0 0.0002 5 Currency\n"},
      {"Echo Round(2.5), Round(3.5), Round(-2.5), Round(0.125, 2), Round(1.005, 2), Round(2.675, "
       "2)",
       "2 4 -2 0.12 1 2.68\n"},
      {"x = CSng(\"3.4E39\")", "Error 6: Overflow (line 1)\n"},
  });
}

TEST(ValueRules, NumberTextsShowFifteenDigitsAndSwitchToExponentsAtTheirEdges) {
  ExpectOutputs({
      {"Echo 0.1 + 0.2, 1/3, 2^0.5, CSng(1/3), -0.0",
       "0.3 0.333333333333333 1.4142135623731 "
       "0.3333333 0\n"},
      {"Echo 1E15, 1E16, 123456789012345, 100000 * 100000, 1E-4, 1E-5, -1.5E-7",
       "1E+15 1E+16 123456789012345 10000000000 0.0001 1E-05 -1.5E-07\n"},
      {"Echo CStr(True), CStr(#1/2/2026#), CStr(#10:05:00#), CStr(#1/2/2026 10:05#), CStr(CCur(5))",
       "True 1/2/2026 10:05:00 AM 1/2/2026 10:05:00 AM 5\n"},
      {"Echo &HFFFF, &H8000, TypeName(&HFFFF), &HFFFFFFFF, TypeName(&H10000), &O777",
       "-1 -32768 Integer -1 Long 511\n"},
      {"Echo Hex(255), Hex(-1), Hex(-32769), Oct(8), Hex(2147483647), Hex(CByte(10))",
       "FF FFFF FFFF7FFF 10 7FFFFFFF A\n"},
  });
}

TEST(ValueRules, OperatorsChooseTheirResultSubtype) {
  ExpectOutputs({
      {"Echo \"5\" + 3, \"5\" & 3, TypeName(\"5\" + 3), \"1.5\" * 2, TypeName(\"2\" * \"3\")",
       "8 53 Double 3 Double\n"},
      {"Echo \"a\" + \"b\", TypeName(\"1\" + \"2\"), \"1\" + \"2\"", "ab String 12\n"},
      {"x = \"abc\" + 1", "Error 13: Type mismatch (line 1)\n"},
      {"Echo True + True, TypeName(True + True), True And 3, Not 0, Not True, 5 Xor 3, 5 Eqv 3, "
       "0 Imp 5",
       "-2 Integer 3 -1 False 6 -7 -1\n"},
      {"Echo -Empty, TypeName(-Empty), TypeName(-CSng(1.5)), TypeName(-CByte(3)), -CByte(3), "
       "TypeName(-#1/1/2000#), IsNull(-Null)",
       "0 Integer Single Integer -3 Date True\n"},
      {"Echo 2 ^ 10, TypeName(2 ^ 2), -2 ^ 2, 2 ^ -1, 10 \\ 3 * 2, 2 + 3 * 4 Mod 5",
       "1024 Double 4 0.5 1 4\n"},
      {"Echo \"a\" & 1 + 2, 1 + 2 & \"a\", \"x\" & Null, 1 & 2.5", "a3 3a x 12.5\n"},
      {"x = (-8) ^ (1 / 3)", "Error 5: Invalid procedure call or argument (line 1)\n"},
      {"Echo #1/1/2026# + 1, TypeName(#1/1/2026# + 1), #1/2/2026# - #1/1/2026#, "
       "TypeName(#1/2/2026# - #1/1/2026#)",
       "1/2/2026 Date 1 Double\n"},
      {"Echo CCur(1) + 1, TypeName(CCur(1) + 1), TypeName(CCur(1) + 1.5), "
       "TypeName(CCur(1) + CSng(1)), TypeName(1.5 * CCur(2)), TypeName(CSng(1) - CCur(1))",
       "2 Currency Double Double Double Double\n"},
      {"Echo TypeName(CSng(1) + 1), TypeName(CSng(1) + CLng(1)), TypeName(CSng(1) * 1.5)",
       "Single Double Double\n"},
  });
}

TEST(ValueRules, NullPropagatesAndTheLogicOperatorsKnowWhereItDoesNot) {
  ExpectOutputs({
      {"Echo Null + 1, Null And False, Null Or True, Null And True, Null Or False, Not Null",
       "Null False True Null Null Null\n"},
      {"Echo IsNull(Null & Null), Null & \"\", Len(Null), IsNull(Left(Null, 1)), IsNull(1 < Null)",
       "True  Null True True\n"},
      {"Echo Null Xor True, Null Eqv True, False Imp Null, True Imp Null", "Null Null True Null\n"},
      {"x = Null : If x Then Echo \"then\" Else Echo \"else\"", "else\n"},
      {"x = Null : If Not x Then Echo \"then\" Else Echo \"else\"", "else\n"},
  });
}

TEST(ValueRules, ComparisonsOrderNumbersBeforeTextsAndTextsByTheirBytes) {
  ExpectOutputs({
      {"Echo 1 = \"1\", \"a\" < \"B\", \"10\" < \"9\", 10 < 9, \"abc\" < \"abcd\", \"\" < \"a\"",
       "False False True False True True\n"},
      {"Echo #1/1/2026# = \"1/1/2026\", #1/1/2026# < #1/2/2026#, #1/1/2026# = 46023",
       "False True True\n"},
      {"Echo Empty = \"\", Empty = 0, Empty < -1, True = -1, True = \"True\", False < True",
       "True True False True False False\n"},
      {"Echo StrComp(\"a\", \"B\"), StrComp(\"a\", \"B\", 1), StrComp(\"b\", \"a\"), "
       "StrComp(\"x\", \"x\"), IsNull(StrComp(Null, \"a\"))",
       "1 -1 1 0 True\n"},
      // A number held as a text in a variable compares as a text with a text.
      {"a = \"10\" : b = \"9\" : Echo a < b, CInt(a) < CInt(b), a < 9, 10 < b",
       "True False False True\n"},
  });
}

TEST(ValueRules, VarTypeAndTypeNameNameEverySubtype) {
  ExpectOutputs({
      {"Echo VarType(Empty), VarType(Null), VarType(1), VarType(70000), VarType(1.5), "
       "VarType(CSng(1)), VarType(CCur(1)), VarType(Now), VarType(\"s\"), VarType(True), "
       "VarType(CByte(1)), VarType(Array())",
       "0 1 2 3 5 4 6 7 8 11 17 8204\n"},
      {"Set o = Nothing : Echo TypeName(o), TypeName(Empty), TypeName(Null), TypeName(Array()), "
       "TypeName(CreateObject(\"Scripting.Dictionary\"))",
       "Nothing Empty Null Variant() Dictionary\n"},
      {"Echo IsNumeric(\"1e3\"), IsNumeric(\" 5 \"), IsNumeric(\"&H10\"), IsNumeric(\"\"), "
       "IsNumeric(Empty), IsNumeric(\"1,000\"), IsNumeric(Null), IsNumeric(True)",
       "True True True False True False False True\n"},
  });
}

// Texts of dates are read one way wherever they come from (CDate, IsDate, a comparison with a
// date): month/day/year, year-month-day, a month's name before or after the day, a time with or
// without AM/PM; anything else is no date.
TEST(ValueRules, DateTextsReadTheSameFormsEverywhere) {
  const double dec5 = SerialFromDate(2026, 12, 5);
  const double half = 0.5;
  struct Form {
    const char* text;
    double serial;
  };
  for (const Form& f : std::initializer_list<Form>{
           {"12/5/2026", dec5},
           {"12-5-2026", dec5},
           {"2026-12-05", dec5},
           {"12/5/26", dec5},
           {"12/5", dec5},  // this year
           {"Dec 5, 2026", dec5},
           {"December 5 2026", dec5},
           {"5 Dec 2026", dec5},
           {"5-dec-26", dec5},
           {"dec 5", dec5},
           {"2026 Dec 5", dec5},
           {"12/5/2026 12:00", dec5 + half},
           {"12/5/2026 12:00 PM", dec5 + half},
           {"12/5/2026 12:00:00AM", dec5},
           {"3:04:05 pm", SerialFromTime(15, 4, 5)},
           {"15:30", SerialFromTime(15, 30, 0)},
           {"  12/5/2026  ", dec5},
       }) {
    const std::optional<double> serial = ParseDate(f.text, 2026);
    ASSERT_TRUE(serial.has_value()) << f.text;
    EXPECT_NEAR(*serial, f.serial, 1e-9) << f.text;
  }
  for (const char* text :
       {"", "abc", "2/30/2026", "13/1/2026", "12/5/2026 24:00", "12/5/2026 13:00 PM", "Dec",
        "De 5 2026", "2026 5 Dec", "Dec Jan 5", "12/5/2026/1", "/12/5", "12//5", "12:", "5 pm x",
        "12/5/2026 10:61", "Decimal 5, 2026"}) {
    EXPECT_EQ(ParseDate(text, 2026), std::nullopt) << text;
  }
  ExpectOutputs({
      {"Echo CDate(\"Dec 5, 2026\"), IsDate(\"5 December 2026\"), IsDate(\"2/30/2026\"), "
       "CDate(\"2026-12-05 3:04:05 PM\")",
       "12/5/2026 True False 12/5/2026 3:04:05 PM\n"},
      {"x = CDate(\"not a date\")", "Error 13: Type mismatch (line 1)\n"},
  });
}

}  // namespace
}  // namespace kavro::vbs::test
