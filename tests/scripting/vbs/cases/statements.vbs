' If forms, Select Case, ":" separators, " _" continuations, comments and Rem.
Dim x, y : x = 5 ' a comment
Rem a whole-line remark
If x > 3 Then Echo "big" Else Echo "small"
If x > 10 Then Echo "huge" Else Echo "not huge" : Echo "still else"
If x = 5 Then Echo "five" : Echo "again"
If x < 0 Then
  Echo "negative"
ElseIf x < 5 Then
  Echo "small"
ElseIf x < 10 Then
  Echo "medium"
Else
  Echo "large"
End If
If Null Then Echo "null is true" Else Echo "null is false"
y = 1 + _
    2 + _
    3
Echo "y =", y
For Each x In Array(1, 5, 7, 12, "b", -3, 20)
  Select Case x
    Case 1, 2
      Echo x, "one or two"
    Case 3 To 6
      Echo x, "three to six"
    Case Is >= 15 ' a text is greater than any number
      Echo x, "fifteen or more"
    Case "a" To "z"
      Echo x, "a letter"
    Case Is < 0, 7
      Echo x, "negative or seven"
    Case Else
      Echo x, "something else"
  End Select
Next
Select Case "x"
  Case "y"
    Echo "no"
End Select
Const Limit = 10, Name = "tank", Neg = -2.5
Echo Limit * 2, Name, Neg
Echo "He said ""hi""", "a" & vbTab & "b" = "a" & Chr(9) & "b", Len(vbCrLf)
