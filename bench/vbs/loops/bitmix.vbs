' A Do While loop mixing a hash with Mod, \ and And on whole numbers, with a condition of
' two comparisons joined by And, as a script spreads tags over buckets.
Function Mix(count)
  Dim n, h, k, odd
  n = 0
  h = 7
  odd = 0
  Do While n < count And h >= 0
    k = (h * 13 + n) Mod 10007
    h = (k \ 3 + (n And 255)) Mod 30011
    If (k And 1) = 1 Then odd = odd + 1
    n = n + 1
  Loop
  Mix = h * 100000 + odd
End Function

If Mix(6000000) <> 129898593 Then Err.Raise 1000, , "wrong result"
