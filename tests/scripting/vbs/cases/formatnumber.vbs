' FormatNumber with the default settings: two decimals, a leading zero, a minus sign, grouping.
Echo FormatNumber(1234.5), FormatNumber(0.5), FormatNumber(-1234.567, 2), FormatNumber(1234567, 0), FormatNumber(1, 3)
Echo FormatNumber(0.25, 2, vbFalse), FormatNumber(0.25, 2, vbTrue), FormatNumber(-5, 1, vbUseDefault, vbTrue), FormatNumber(-5, 1, , vbFalse), FormatNumber(1234567.891, 2, , , vbFalse), FormatNumber(1234.5, -1)
Echo FormatNumber("12.345", 1), FormatNumber(Empty), FormatNumber(True), TypeName(FormatNumber(1)), FormatNumber(123.456, 0), FormatNumber(999.999, 2)
On Error Resume Next
Dim r
r = FormatNumber("abc") : Echo "FormatNumber(""abc"")", Err.Number : Err.Clear
