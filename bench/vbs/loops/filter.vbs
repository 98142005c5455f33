' Double arithmetic accumulated over a loop, as a script filters a signal and sums its energy.
Function Filter(count)
  Dim i, x, y, energy, gain
  gain = 0.125
  y = 0
  energy = 0
  For i = 1 To count
    x = (i Mod 100) * 0.01
    y = y + (x - y) * gain
    energy = energy + y * y
  Next
  Filter = energy
End Function

If Abs(Filter(10000000) - 2966162.88332373) > 0.001 Then Err.Raise 1000, , "wrong result"
