' On Error Resume Next, the Err object, Err.Raise, standard error numbers.
On Error Resume Next
Dim x, arr(2)
x = 1 / 0 : Echo Err.Number, Err.Description, Err.Source
Err.Clear : Echo "cleared", Err.Number, "[" & Err.Description & "]"
x = 32767 * 2 : Echo "promotes", x, Err.Number
x = CInt(40000) : Echo Err.Number, Err.Description : Err.Clear
x = arr(5) : Echo Err.Number, Err.Description : Err.Clear
x = "a" * 2 : Echo Err.Number, Err.Description : Err.Clear
x = Sqr(-1) : Echo Err.Number, Err.Description : Err.Clear
x = Mid("abc", 0) : Echo Err.Number, Err.Description : Err.Clear
x = UBound(x) : Echo Err.Number, Err.Description : Err.Clear
x = Len(Null) + Asc("") : Echo Err.Number, Err.Description : Err.Clear
NoSuchSub 1 : Echo Err.Number, Err.Description : Err.Clear
Err.Raise 1000 : Echo Err.Number, Err.Description : Err.Clear
Err.Raise 9 : Echo Err.Number, Err.Description : Err.Clear
Err.Raise 5000, "MyScript", "custom text" : Echo Err.Number, Err.Source, Err.Description
On Error Resume Next
Echo "Resume Next clears", Err.Number
Sub Fails() : Echo "in Fails" : x = 1 / 0 : Echo "not reached in Fails" : End Sub
Fails : Echo "after Fails", Err.Number
Err.Clear
If 1 / 0 = 5 Then Echo "a failing condition enters the branch" Else Echo "else branch"
Echo Err.Number
On Error GoTo 0
Echo "GoTo 0 clears", Err.Number
Err.Number = 42 : Echo Err.Number
x = arr(-1)
Echo "not reached"
