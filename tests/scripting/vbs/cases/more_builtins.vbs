' Built-ins and constants plant scripts bring along: formats, date parts and names, currency,
' colours, filters, wide characters, escapes, and the engine's name and version.
d = #12/5/2026 6:07:09 PM#
Echo FormatDateTime(d), "|", FormatDateTime(d, vbLongDate), "|", FormatDateTime(d, vbShortDate)
Echo FormatDateTime(d, vbLongTime), "|", FormatDateTime(d, vbShortTime), "|", FormatDateTime(#7:05 AM#, 4)
Echo FormatDateTime(#1/2/2027#), "|", FormatDateTime(#1/2/2027#, 1), "|", FormatDateTime(#3:04:05 PM#, 2)
Echo FormatPercent(0.125), FormatPercent(0.5, 0), FormatPercent(-0.0314, 1), FormatPercent(12.3456, 3)
Echo FormatCurrency(1234.5), FormatCurrency(-1234.5), FormatCurrency(-1234.5, 2, , 0), FormatCurrency(0.456, 1)
Echo FormatNumber(-0.5, 2, 0), FormatNumber(1234567.891, 1, , , 0)
Echo DatePart("yyyy", d), DatePart("q", d), DatePart("m", d), DatePart("y", d), DatePart("d", d), DatePart("w", d)
Echo DatePart("ww", d), DatePart("h", d), DatePart("n", d), DatePart("s", d), DatePart("w", d, vbMonday), TypeName(DatePart("d", d))
Echo DatePart("ww", #1/1/2026#), DatePart("ww", #12/31/2026#), DatePart("ww", #1/3/2027#), DatePart("ww", #1/1/2027#, vbSunday, vbFirstFullWeek)
Echo DatePart("ww", #1/4/2027#, vbMonday, vbFirstFourDays), DatePart("ww", #1/1/2027#, vbMonday, vbFirstFourDays), IsNull(DatePart("d", Null))
Echo DateValue("12/5/2026 6:07 PM"), TypeName(DateValue(d)), TimeValue("18:07:09"), TimeValue(d), DateValue(d) + TimeValue(d) = d
Echo MonthName(1), MonthName(12, True), MonthName(9, False), WeekdayName(1), WeekdayName(7, True), WeekdayName(1, False, vbMonday)
Echo CCur(1.23456), TypeName(CCur(1)), VarType(CCur(1)), CCur("2.5") * 2, TypeName(CCur(2) * 2), TypeName(CCur(2) * 1.5)
Echo CCur(0.00005), CCur(0.00015), CCur(-3.99999), TypeName(CCur(1) + CInt(1)), TypeName(-CCur(1)), Abs(CCur(-1.5))
Echo RGB(255, 0, 0), RGB(0, 255, 0) = vbGreen, RGB(1, 2, 3), RGB(300, 0, 0), TypeName(RGB(0, 0, 0))
f = Filter(Array("Pump1", "Valve", "pump2", "Fan"), "pump")
Echo UBound(f), Join(f, ",")
Echo Join(Filter(Array("Pump1", "Valve", "pump2"), "PUMP", True, vbTextCompare), ",")
Echo Join(Filter(Array("Pump1", "Valve", "pump2"), "pump", False), ","), UBound(Filter(Array("a"), "z"))
Echo AscW("A"), AscW(ChrW(8364)), ChrW(65) & ChrW(66), Len(ChrW(233)), AscW(ChrW(233)), AscW(ChrW(-1))
Echo LenB("abc"), LenB(""), IsNull(LenB(Null))
Echo Escape("a b+c/d?e=" & Chr(233)), Escape(ChrW(8364)), Unescape("a%20b%3F%u20AC%zz%") = "a b?" & ChrW(8364) & "%zz%"
Echo Unescape(Escape("Kiln #2: 100% ok")), Len(Unescape("%41%42"))
Echo ScriptEngine, ScriptEngineMajorVersion, ScriptEngineMinorVersion, ScriptEngineBuildVersion > 0
Echo vbDecimal, vbDataObject, vbDatabaseCompare, vbMsgBoxHelpButton, vbMsgBoxSetForeground, vbMsgBoxRight, vbMsgBoxRtlReading
On Error Resume Next
x = MonthName(13) : Echo "MonthName(13)", Err.Number : Err.Clear
x = WeekdayName(0) : Echo "WeekdayName(0)", Err.Number : Err.Clear
x = FormatDateTime(d, 5) : Echo "FormatDateTime(d, 5)", Err.Number : Err.Clear
x = DatePart("x", d) : Echo "DatePart(""x"")", Err.Number : Err.Clear
x = CCur(1E+300) : Echo "CCur(1E+300)", Err.Number : Err.Clear
x = RGB(-1, 0, 0) : Echo "RGB(-1, 0, 0)", Err.Number : Err.Clear
x = ChrW(65536) : Echo "ChrW(65536)", Err.Number : Err.Clear
x = Filter("abc", "a") : Echo "Filter of a text", Err.Number : Err.Clear
