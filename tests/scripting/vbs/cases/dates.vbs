' Date functions and date literals. The test host's clock stands at 12/5/2026 6:00:00 PM.
Dim d, d1, d2, r
Echo TypeName(Now), TypeName(Date), TypeName(Time), TypeName(Timer)
Echo Date = DateSerial(Year(Now), Month(Now), Day(Now)), CDbl(Time) < 1, Timer >= 0 And Timer < 86400, Int(Timer) = Hour(Now) * 3600 + Minute(Now) * 60 + Second(Now)
Echo Now, Date, Time
d = #3/4/2026 1:05:09 PM#
Echo Year(d), Month(d), Day(d), Hour(d), Minute(d), Second(d), Weekday(d), Weekday(d, vbMonday)
Echo Year("7/4/1999"), Month(#12/31/1899#), Hour(0.75), Minute(#10:59:59 PM#), IsNull(Year(Null)), Weekday(#1/1/2026#)
Echo DateAdd("m", 1, #1/31/2026#), DateAdd("m", 1, #1/31/2024#), DateAdd("yyyy", -1, #2/29/2024#), DateAdd("q", 1, #11/30/2025#)
Echo DateAdd("d", 1, #12/31/2025#), DateAdd("y", -1, #1/1/2026#), DateAdd("w", 3, #1/1/2026#), DateAdd("ww", 2, #1/1/2026#)
Echo DateAdd("h", 25, #1/1/2026#), DateAdd("n", 90, #1/1/2026 10:00 PM#), DateAdd("s", -1, #1/1/2026#), DateAdd("h", 24, #1/1/2026#), TypeName(DateAdd("d", 1, "1/1/2026"))
d1 = #1/31/2009# : d2 = #1/31/2010 11:59 PM#
Echo DateDiff("yyyy", d1, d2), DateDiff("q", d1, d2), DateDiff("m", d1, d2), DateDiff("y", d1, d2), DateDiff("d", d1, d2), DateDiff("w", d1, d2), DateDiff("ww", d1, d2), DateDiff("h", d1, d2), DateDiff("n", d1, d2), DateDiff("s", d1, d2)
Echo DateDiff("d", #3/1/2026#, #1/1/2026#), DateDiff("yyyy", #12/31/2025#, #1/1/2026#), DateDiff("m", #1/31/2026#, #2/1/2026#), DateDiff("d", "1/1/2026", "1/2/2026"), TypeName(DateDiff("d", d1, d2))
Echo DateDiff("ww", #1/4/2026#, #1/11/2026#), DateDiff("ww", #1/3/2026#, #1/4/2026#), DateDiff("w", #1/5/2026#, #1/11/2026#), DateDiff("w", #1/5/2026#, #1/12/2026#)
Echo DateSerial(2026, 14, 1), DateSerial(2026, 1, 0), DateSerial(2026, 3, -1), DateSerial(2026, 0, 1), DateSerial(2026, 2, 29), DateSerial(2026, -1, 31)
Echo TimeSerial(13, 5, 9), TimeSerial(12, 90, 0), TimeSerial(0, 0, 3661), TimeSerial(25, 0, 0), TypeName(TimeSerial(1, 2, 3)), DateSerial(2026, 1, 1) + TimeSerial(6, 0, 0)
Echo #2026-12-05#, #12/5/2026 18:00#, #6:00 PM#, #1/1/2026# - #12/25/2025#, CDbl(#1/1/1900#), CDbl(#12/30/1899#)
' Day 0 shows as a time alone, a whole day as a date alone; Empty is day 0.
Echo Year(Empty), Month(Empty), Day(Empty), Hour(Empty), TimeSerial(0, 0, 0), #12/30/1899#, CDate(1)
On Error Resume Next
r = DateAdd("x", 1, d) : Echo "DateAdd x", Err.Number : Err.Clear
r = DateDiff("x", d, d) : Echo "DateDiff x", Err.Number : Err.Clear
r = Year("not a date") : Echo "Year of text", Err.Number : Err.Clear
r = Weekday(d, 8) : Echo "Weekday first day 8", Err.Number : Err.Clear
r = DateAdd("yyyy", 8000, #1/1/2026#) : Echo "DateAdd past year 9999", Err.Number : Err.Clear
