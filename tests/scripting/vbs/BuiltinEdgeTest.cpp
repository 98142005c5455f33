// The built-ins at the edges of their arguments: positions at 0, 1, the length and past it,
// counts of 0 and -1, texts empty or of other case, dates at month and year ends, and the
// argument errors each raises. The extremes test proves no call crashes; these prove the values.
#include <gtest/gtest.h>

#include "TestHost.h"

namespace kavro::vbs::test {
namespace {

TEST(BuiltinEdges, TextPositionsCountFromOneAndStopAtTheEnd) {
  ExpectOutputs({
      {"Echo Mid(\"abcdef\", 2, 3), Mid(\"abc\", 3), Mid(\"abc\", 4) = \"\", Mid(\"abc\", 2, 99), "
       "Mid(\"abc\", 1, 0) = \"\"",
       "bcd c True bc True\n"},
      {"x = Mid(\"abc\", 0)", "Error 5: Invalid procedure call or argument (line 1)\n"},
      {"x = Mid(\"abc\", 1, -1)", "Error 5: Invalid procedure call or argument (line 1)\n"},
      {"Echo Left(\"abc\", 0) = \"\", Left(\"abc\", 10), Right(\"abc\", 2), Right(\"abc\", 5), "
       "Len(\"\"), Len(12.5), Len(Empty)",
       "True abc bc abc 0 4 0\n"},
      {"x = Left(\"abc\", -1)", "Error 5: Invalid procedure call or argument (line 1)\n"},
      {"Echo InStr(\"abcabc\", \"c\"), InStr(4, \"abcabc\", \"c\"), InStr(\"abc\", \"\"), "
       "InStr(\"\", \"a\"), InStr(\"abc\", \"d\"), InStr(5, \"abc\", \"a\")",
       "3 6 1 0 0 0\n"},
      {"Echo InStr(1, \"ABC\", \"b\"), InStr(1, \"ABC\", \"b\", 1), InStr(1, \"ABC\", \"b\", "
       "vbTextCompare), IsNull(InStr(Null, \"a\"))",
       "0 2 2 True\n"},
      {"x = InStr(0, \"abc\", \"a\")", "Error 5: Invalid procedure call or argument (line 1)\n"},
      {"Echo InStrRev(\"abcabc\", \"b\"), InStrRev(\"abcabc\", \"b\", 4), InStrRev(\"abcabc\", "
       "\"b\", 1), InStrRev(\"abc\", \"\"), InStrRev(\"aXa\", \"x\", -1, 1)",
       "5 2 0 3 2\n"},
      {"Echo Replace(\"aaa\", \"a\", \"b\", 2), Replace(\"aAa\", \"a\", \"x\", 1, 2, 1), "
       "Replace(\"abc\", \"\", \"x\"), Replace(\"abab\", \"ab\", \"\") = \"\", "
       "Replace(\"aaa\", \"a\", \"b\", 1, 0), Replace(\"aaaa\", \"aa\", \"a\")",
       "bb xxa abc True aaa aa\n"},
      {"Echo StrReverse(\"abc\"), UCase(\"aBc1\"), LCase(\"ÀBC\"), Trim(\"  a b  \") & \"|\", "
       "LTrim(\" a \") & \"|\", RTrim(\" a \") & \"|\"",
       "cba ABC1 Àbc a b| a |  a|\n"},
      {"Echo String(3, 65), String(2, \"xy\"), Space(2) & \"|\", Asc(\"AB\"), Chr(66), "
       "Asc(Chr(233)), AscW(ChrW(233)), Len(ChrW(233))",
       "AAA xx   | 65 B 233 233 1\n"},
      // Texts are 8-bit; a wider character is kept as its UTF-8 bytes and read back whole.
      {"Echo AscW(ChrW(300)), AscW(ChrW(8364)), AscW(ChrW(-1)), AscW(ChrW(65535)), "
       "Escape(ChrW(8364) & \"a b\" & Chr(233)), AscW(Unescape(\"%u20ac\")), "
       "Unescape(\"%41%g1%\")",
       "300 8364 -1 -1 %u20ACa%20b%E9 8364 A%g1%\n"},
      {"x = ChrW(65536)", "Error 5: Invalid procedure call or argument (line 1)\n"},
      {"x = Asc(\"\")", "Error 5: Invalid procedure call or argument (line 1)\n"},
      {"x = Chr(256)", "Error 5: Invalid procedure call or argument (line 1)\n"},
  });
}

// Positions and counts near the Long limit: start plus length must not wrap around.
TEST(BuiltinEdges, PositionsAndCountsAtTheLongLimitStayInsideTheText) {
  ExpectOutputs({
      {"Echo Left(\"abc\", 2147483647), Right(\"abc\", 2147483647), \"[\" & Mid(\"abc\", "
       "2147483647) & \"]\", Mid(\"abc\", 2, 2147483647), Mid(\"abc\", 3, 2147483646)",
       "abc abc [] bc c\n"},
      {"Echo InStr(2147483647, \"abc\", \"a\"), InStrRev(\"abc\", \"a\", 2147483647), \"[\" & "
       "Replace(\"abc\", \"a\", \"b\", 2147483647) & \"]\", Replace(\"abc\", \"a\", \"b\", 1, "
       "2147483647)",
       "0 0 [] bbc\n"},
      {"x = InStr(2147483648, \"abc\", \"a\")", "Error 6: Overflow (line 1)\n"},
      {"x = String(-1, \"a\")", "Error 5: Invalid procedure call or argument (line 1)\n"},
      {"x = DateAdd(\"m\", 2147483647, #1/1/2026#)",
       "Error 5: Invalid procedure call or argument (line 1)\n"},
      {"x = DateSerial(2026, 1, 2147483647)",
       "Error 5: Invalid procedure call or argument (line 1)\n"},
      {"x = DateAdd(\"d\", 1E300, #1/1/2026#)",
       "Error 5: Invalid procedure call or argument (line 1)\n"},
      {"x = CDate(3E6)", "Error 6: Overflow (line 1)\n"},
      {"Echo Abs(CLng(-2147483647) - 1), TypeName(Abs(CInt(-32767) - 1)), Year(#1/1/100#), "
       "Day(2958465.99999)",
       "2147483648 Long 100 31\n"},
      {"x = FormatNumber(1.5, 300)", "Error 5: Invalid procedure call or argument (line 1)\n"},
  });
}

TEST(BuiltinEdges, SplitAndJoinKeepEmptyPiecesAndHonourTheirCounts) {
  ExpectOutputs({
      {"Echo Join(Split(\"a,b,,c\", \",\"), \"|\"), UBound(Split(\"\")), UBound(Split(\"abc\")), "
       "Join(Split(\"a b  c\"), \"|\")",
       "a|b||c -1 0 a|b||c\n"},
      {"a = Split(\"a,b,c\", \",\", 2) : Echo UBound(a), a(1)", "1 b,c\n"},
      {"a = Split(\"aXbxc\", \"x\", -1, 1) : Echo UBound(a), a(2)", "2 c\n"},
      {"a = Split(\"abc\", \"\") : Echo UBound(a), a(0)", "0 abc\n"},
      {"Echo Join(Array(1, 2.5, True, Empty)), Join(Array(), \",\") = \"\", Join(Array(\"a\"), "
       "\", \")",
       "1 2.5 True  True a\n"},
      {"x = Join(Array(1, Array(2)))", "Error 13: Type mismatch (line 1)\n"},
      {"x = Split(\"a\", \",\", 0) : Echo UBound(x)", "-1\n"},
  });
}

TEST(BuiltinEdges, ArraysKnowTheirBoundsInEveryDimension) {
  ExpectOutputs({
      {"ReDim a(2, 3) : Echo UBound(a, 2), LBound(a, 1), UBound(a)", "3 0 2\n"},
      {"ReDim a(2, 3) : x = UBound(a, 3)", "Error 9: Subscript out of range (line 1)\n"},
      {"ReDim a(2, 3) : ReDim Preserve a(3, 3)", "Error 9: Subscript out of range (line 1)\n"},
      {"ReDim a(1, 1) : a(1, 1) = 5 : ReDim Preserve a(1, 4) : Echo a(1, 1), UBound(a, 2)",
       "5 4\n"},
      {"Dim a(2) : ReDim a(3)", "Error 10: This array is fixed or temporarily locked (line 1)\n"},
      {"Dim a(2) : a(1) = 4 : Erase a : Echo UBound(a), IsEmpty(a(1))", "2 True\n"},
      {"ReDim a(3) : a(3) = 1 : ReDim Preserve a(1) : Echo UBound(a) : x = a(3)",
       "1\nError 9: Subscript out of range (line 1)\n"},
      {"a = Array() : Echo UBound(a), LBound(a), IsArray(a), IsArray(\"a\")", "-1 0 True False\n"},
      {"x = UBound(5)", "Error 13: Type mismatch (line 1)\n"},
      {"a = Array(1, 2) : b = a : b(0) = 9 : Echo a(0), b(0)", "1 9\n"},  // arrays are copied
      {"Dim a(1) : a(0) = Array(1, 2) : Echo a(0)(1), UBound(a(0))", "2 1\n"},
  });
}

TEST(BuiltinEdges, DateArithmeticClampsToMonthEndsAndCountsBoundaries) {
  ExpectOutputs({
      {"Echo DateAdd(\"m\", 1, #1/31/2026#), DateAdd(\"yyyy\", 1, #2/29/2024#), "
       "DateAdd(\"d\", -1, #3/1/2024#), DateAdd(\"h\", 25, #1/1/2026#), "
       "DateAdd(\"q\", 1, #11/30/2026#)",
       "2/28/2026 2/28/2025 2/29/2024 1/2/2026 1:00:00 AM 2/28/2027\n"},
      {"Echo DateAdd(\"n\", -1, #1/1/2026#), DateAdd(\"s\", 90, #1/1/2026#), DateAdd(\"ww\", 2, "
       "#12/25/2026#), DateAdd(\"m\", -13, #3/31/2026#)",
       "12/31/2025 11:59:00 PM 1/1/2026 12:01:30 AM 1/8/2027 2/28/2025\n"},
      {"Echo DateDiff(\"d\", #1/1/2026#, #3/1/2026#), DateDiff(\"m\", #1/31/2026#, #2/1/2026#), "
       "DateDiff(\"yyyy\", #12/31/2025#, #1/1/2026#), DateDiff(\"d\", #3/1/2026#, #1/1/2026#), "
       "DateDiff(\"h\", #1/1/2026 23:59#, #1/2/2026 0:01#), DateDiff(\"n\", #1/1/2026#, "
       "#1/2/2026#)",
       "59 1 1 -59 1 1440\n"},
      {"x = DateAdd(\"x\", 1, #1/1/2026#)",
       "Error 5: Invalid procedure call or argument (line 1)\n"},
      {"Echo Weekday(#12/9/2026#), Weekday(#12/9/2026#, vbMonday), WeekdayName(4), "
       "WeekdayName(1, True), MonthName(2, True), MonthName(12)",
       "4 3 Wednesday Sun Feb December\n"},
      {"Echo DatePart(\"q\", #8/1/2026#), DatePart(\"y\", #3/1/2024#), DatePart(\"yyyy\", "
       "#3/1/2024#), DatePart(\"w\", #12/6/2026#), DatePart(\"h\", #3:45:00 PM#)",
       "3 61 2024 1 15\n"},
      {"Echo DateSerial(2026, 13, 1), DateSerial(2026, 1, 0), DateSerial(2026, 3, -1), "
       "DateSerial(26, 1, 1), DateSerial(2024, 2, 30)",
       "1/1/2027 12/31/2025 2/27/2026 1/1/2026 3/1/2024\n"},
      {"Echo TimeSerial(25, 0, 0), TimeSerial(1, 90, 0), TimeSerial(0, 0, 3661), "
       "TimeValue(\"6:30 PM\"), DateValue(\"12/5/2026 6:30 PM\")",
       "12/31/1899 1:00:00 AM 2:30:00 AM 1:01:01 AM 6:30:00 PM 12/5/2026\n"},
      {"Echo Year(0), Month(0), Day(0), Hour(0.75), Minute(1 / 96), Second(59.6 / 86400), "
       "Day(#2/29/2024# + 1)",
       "1899 12 30 18 15 0 1\n"},
      // The clock of the host: the test host's stands at 5 Dec 2026 18:00.
      {"Echo Date, Time, Now = Date + Time, Year(Now), Timer",
       "12/5/2026 6:00:00 PM True 2026 64800\n"},
  });
}

TEST(BuiltinEdges, NumbersRoundTruncateAndFormatAsThePlantsReadThem) {
  ExpectOutputs({
      {"Echo Fix(-2.5), Int(-2.5), Int(2.5), Fix(2.9), Abs(-3), Sgn(-0.1), Sgn(0), Sqr(16), "
       "Int(\"3.7\"), TypeName(Int(2.5)), TypeName(Int(2))",
       "-2 -3 2 2 3 -1 0 4 3 Double Integer\n"},
      {"x = Sqr(-1)", "Error 5: Invalid procedure call or argument (line 1)\n"},
      {"x = Log(0)", "Error 5: Invalid procedure call or argument (line 1)\n"},
      {"x = Exp(1000)", "Error 6: Overflow (line 1)\n"},
      {"Echo Round(-0.5), Round(1.25, 1), Round(1.35, 1), Round(-1.25, 1), Round(\"2.5\")",
       "0 1.2 1.4 -1.2 2\n"},
      {"x = Round(12345.6789, -1)", "Error 5: Invalid procedure call or argument (line 1)\n"},
      {"Echo FormatNumber(-1234.565, 2), FormatNumber(0.5, 0), FormatNumber(1234.5, 1, , , False), "
       "FormatNumber(0.25, 1, False), FormatNumber(-0.25, 1, , True)",
       "-1,234.57 1 1234.5 .3 (0.3)\n"},
      {"Echo FormatPercent(0.1234), FormatPercent(1, 0), FormatCurrency(-5), "
       "FormatCurrency(1234.5)",
       "12.34% 100% ($5.00) $1,234.50\n"},
      {"Echo FormatDateTime(#12/5/2026 6:30 PM#, vbLongDate), FormatDateTime(#12/5/2026 6:30 PM#, "
       "vbShortTime), FormatDateTime(#12/5/2026#, vbGeneralDate)",
       "Saturday, December 5, 2026 18:30 12/5/2026\n"},
  });
}

}  // namespace
}  // namespace kavro::vbs::test
