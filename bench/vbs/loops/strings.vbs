' Texts built from pieces: a line of fields made from numbers, and a text grown a character
' at a time and flushed at 80 characters, as a script writes a report.
Function Report(count)
  Dim i, line, buffer, written
  buffer = ""
  written = 0
  For i = 1 To count
    line = "T" & i & "=" & (i Mod 7) & ";"
    buffer = buffer & Chr(65 + i Mod 26)
    If Len(buffer) >= 80 Then
      written = written + Len(buffer)
      buffer = ""
    End If
    written = written + Len(line)
  Next
  Report = written + Len(buffer)
End Function

If Report(1000000) <> 10888896 Then Err.Raise 1000, , "wrong result"
