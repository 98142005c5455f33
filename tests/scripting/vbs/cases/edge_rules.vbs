' Smaller rules: Nothing in an operation is 91, ReDim of a fixed array is 10 before its bounds
' are read, and a Dim array exists from the time its Dim line runs.
On Error Resume Next
x = Not Nothing : Echo "Not Nothing", Err.Number, Err.Description : Err.Clear
x = "" & Nothing : Echo "concatenation", Err.Number : Err.Clear
x = Nothing + 1 : Echo "addition", Err.Number : Err.Clear
x = -Nothing : Echo "negation", Err.Number : Err.Clear
Set o = Nothing : Echo "Is still works", o Is Nothing
Dim fixed(2)
ReDim fixed("abc") : Echo "ReDim of a fixed array", Err.Number : Err.Clear
ReDim fixed(5) : Echo "ReDim of a fixed array", Err.Number, UBound(fixed) : Err.Clear
ReDim dynamic("abc") : Echo "ReDim of a text bound", Err.Number : Err.Clear
early(0) = 1 : Echo "before its Dim", Err.Number, IsArray(early) : Err.Clear
Dim early(3)
early(0) = 1 : Echo "after its Dim", Err.Number, UBound(early)
Sub UsesLocal()
  On Error Resume Next
  a(1) = 5 : Echo "local before its Dim", Err.Number : Err.Clear
  Dim a(1)
  a(1) = 5 : Echo "local after its Dim", a(1)
End Sub
UsesLocal
For i = 1 To 3
  Dim kept(1)
  kept(0) = kept(0) + 1
Next
Echo "Dim in a loop keeps the array", kept(0)
