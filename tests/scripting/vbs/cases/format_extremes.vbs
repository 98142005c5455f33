' Number formats at the edges of a Double: a percentage past a Double's range is an Overflow (6)
' that On Error Resume Next handles like any run-time error; any Double itself formats whole.
On Error Resume Next
x = FormatPercent(1E307) : Echo Err.Number, Err.Description : Err.Clear
x = FormatPercent("-1E308", 0) : Echo Err.Number : Err.Clear
Echo Len(FormatNumber(1E307, 0)), Left(FormatCurrency(-1E308), 8)
Echo FormatNumber(1E-307), FormatPercent(1E-300, 1), FormatNumber(-1.7976931348623157E308, 0) <> ""
On Error GoTo 0
x = FormatPercent(1E307)
Echo "not reached"
