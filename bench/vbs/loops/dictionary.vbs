' Lookups in a Dictionary keyed by tag names, as a script keeps values per tag.
Function TagTotal(tags, lookups)
  Dim d, i, total
  Set d = CreateObject("Scripting.Dictionary")
  For i = 1 To tags
    d.Add "TAG" & i, i * 2
  Next
  total = 0
  For i = 1 To lookups
    If d.Exists("TAG" & (i Mod tags + 1)) Then
      total = total + d("TAG" & (i Mod tags + 1))
    End If
  Next
  TagTotal = total
End Function

If TagTotal(500, 1000000) <> 501000000 Then Err.Raise 1000, , "wrong result"
