' Err.Description is the language's own text: the name an error is about shows only in the
' message a host gives for an error the script does not handle.
Option Explicit
Dim x
On Error Resume Next
x = undeclared : Echo Err.Number, Err.Description : Err.Clear
NoSuchSub : Echo Err.Number, Err.Description : Err.Clear
x = Left("abc") : Echo Err.Number, Err.Description : Err.Clear
x = Err.Missing : Echo Err.Number, Err.Description : Err.Clear
On Error GoTo 0
x = Mid("abc")
