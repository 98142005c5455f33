' A call with the wrong number of arguments fails when it runs (450), so a script holding one on
' a path it does not take still loads; a conversion function called as a statement converts first,
' failing with its own error, and is 458 once it has its value.
Echo "loaded"
If False Then x = Left("abc")
On Error Resume Next
x = Left("abc") : Echo Err.Number, Err.Description : Err.Clear
x = Len() : Echo Err.Number : Err.Clear
x = Mid("abc", 1, 2, 3) : Echo Err.Number : Err.Clear
Sub Two(a, b) : Echo "Two", a, b : End Sub
Function One(a) : One = a : End Function
Two 1 : Echo Err.Number : Err.Clear
Call Two(1, 2, 3) : Echo Err.Number : Err.Clear
x = One() : Echo Err.Number : Err.Clear
x = One(1, 2) : Echo Err.Number : Err.Clear
Err.Raise : Echo Err.Number : Err.Clear
Call CInt(1) : Echo Err.Number, Err.Description : Err.Clear
CStr 1 : Echo Err.Number : Err.Clear
Call CDbl("1.5") : Echo Err.Number : Err.Clear
CInt "x" : Echo Err.Number, Err.Description : Err.Clear
Call CLng(1E10) : Echo Err.Number : Err.Clear
Call Len("abc") : Echo "Len as a statement", Err.Number
Two 1, 2
On Error GoTo 0
x = Right("abc")
Echo "not reached"
