' An array filled once and summed over and over, as a script averages a window of samples.
Function SumOfSamples(size, passes)
  Dim samples(), i, pass, total
  ReDim samples(size - 1)
  For i = 0 To size - 1
    samples(i) = (i Mod 100) * 0.25
  Next
  total = 0
  For pass = 1 To passes
    For i = 0 To UBound(samples)
      total = total + samples(i)
    Next
  Next
  SumOfSamples = total
End Function

If SumOfSamples(10000, 3000) <> 371250000 Then Err.Raise 1000, , "wrong result"
