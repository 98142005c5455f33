' Arithmetic and text building as loops do them: results and subtypes of Integer, Long and
' Double operands, and a variable grown in place.
Echo -7 Mod 3, 7 Mod -3, TypeName(7 Mod 3), TypeName(70000 Mod 3), -7 \ 2, TypeName(-7 \ 2)
Echo 7 / 2, TypeName(7 / 2), TypeName(4 / 2), 1.5 + 1, TypeName(1.5 + 1), 2 * 0.25, 3 - 0.5
Echo 1.5 < 2, 2 > 1.5, 1.5 = 1.5, 32767 + 1, TypeName(32767 + 1), 2147483647 + 1.5
Echo CLng(-2147483647) - 1, TypeName(CLng(-2147483647) - 1)
On Error Resume Next
x = 1.5 / 0 : Echo "1.5 / 0", Err.Number : Err.Clear
x = 7 Mod 0 : Echo "7 Mod 0", Err.Number : Err.Clear
x = 7 \ 0 : Echo "7 \ 0", Err.Number : Err.Clear
x = CLng(-2147483647) - 1 : x = x \ -1 : Echo "Long \ -1", Err.Number : Err.Clear
x = 1E+308 * 10 : Echo "1E+308 * 10", Err.Number : Err.Clear
On Error GoTo 0
Sub Build()
  Dim t, i, n
  t = ""
  For i = 1 To 5 : t = t & i : Next
  Echo t, TypeName(t)
  t = t & t : Echo t
  t = t & Null & Empty : Echo t, Len(t)
  n = 5 : n = n & "x" : Echo n, TypeName(n)
  t = "ab" : t = t & UCase(t) & "!" : Echo t
End Sub
Build
g = "start"
For i = 1 To 3 : g = g & "-" & i : Next
Echo g
For i = 32760 To 32767 Step 3 : Next : Echo i, TypeName(i)
For i = 1 To 2 Step 0.5 : Next : Echo i, TypeName(i)
On Error Resume Next
s = String(16000000, "a") : s = s & String(1000000, "b") : Echo "past the text limit", Err.Number, Len(s)
