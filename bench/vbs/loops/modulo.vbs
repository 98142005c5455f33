' Integer arithmetic with Mod and \ over a procedure's own variables: a checksum of a
' counter, as a script that spreads work over buckets or scales readings would do.
Function Checksum(count)
  Dim i, a, b, c
  a = 1
  b = 0
  c = 0
  For i = 1 To count
    a = (a * 31 + i) Mod 65521
    b = (b + a) Mod 65521
    c = c + (a \ 16) - (b \ 256) + i Mod 10
  Next
  Checksum = b * 65536 + a + c
End Function

If Checksum(5000000) <> 11615064036 Then Err.Raise 1000, , "wrong result"
