' A two-dimensional table read over and over by two indexes, as a script weighs each zone of
' a map against its neighbours.
Function Smooth(rows, cols, passes)
  Dim grid(), r, c, pass, total
  ReDim grid(rows - 1, cols - 1)
  For r = 0 To rows - 1
    For c = 0 To cols - 1
      grid(r, c) = (r * cols + c) Mod 50
    Next
  Next
  total = 0
  For pass = 1 To passes
    For r = 1 To rows - 2
      For c = 1 To cols - 2
        total = total + grid(r, c) * 4 - grid(r - 1, c) - grid(r + 1, c)
      Next
    Next
  Next
  Smooth = total
End Function

If Smooth(100, 100, 900) <> 423536400 Then Err.Raise 1000, , "wrong result"
