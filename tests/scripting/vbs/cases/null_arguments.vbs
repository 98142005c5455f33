' Null as an argument: Split, InStrRev, Replace, Sgn and Join refuse it (94), as Mid does a Null
' start; Join refuses an array holding Null (13) and joins with nothing when given Empty; the
' others pass it on, Mid a Null text too.
On Error Resume Next
x = Split(Null) : Echo "Split", Err.Number : Err.Clear
x = Split("a b", Null) : Echo "Split delimiter", Err.Number : Err.Clear
x = InStrRev(Null, "a") : Echo "InStrRev", Err.Number : Err.Clear
x = InStrRev("abc", Null) : Echo "InStrRev find", Err.Number : Err.Clear
x = Replace(Null, "a", "b") : Echo "Replace", Err.Number : Err.Clear
x = Replace("abc", Null, "b") : Echo "Replace find", Err.Number : Err.Clear
x = Replace("abc", "a", Null) : Echo "Replace with", Err.Number : Err.Clear
x = Sgn(Null) : Echo "Sgn", Err.Number : Err.Clear
x = Join(Null) : Echo "Join", Err.Number : Err.Clear
x = Join(Array("a", "b"), Null) : Echo "Join delimiter", Err.Number : Err.Clear
x = Mid("abc", Null) : Echo "Mid start", Err.Number : Err.Clear
x = Join(Array("a", Null, "c")) : Echo "Join of Null", Err.Number, Err.Description : Err.Clear
On Error GoTo 0
Echo "[" & Join(Array("a", "b", "c"), Empty) & "]", "[" & Join(Array("a", "b")) & "]"
Echo IsNull(Left(Null, 1)), IsNull(Len(Null)), IsNull(InStr(Null, "a")), IsNull(UCase(Null))
Echo IsNull(Trim(Null)), IsNull(Abs(Null)), IsNull(Int(Null)), IsNull(Round(Null))
Echo IsNull(Mid(Null, 2)), IsNull(Mid(Null, 1, 3))
x = Replace(Null, "a", "b")
Echo "not reached"
