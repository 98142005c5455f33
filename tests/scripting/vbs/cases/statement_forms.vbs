' Statement forms plant scripts use: one-line If with calls on both sides, procedures declared
' inside blocks, procedures on one line, redeclared procedures, Stop, contextual words as names,
' parentheses around a callee, in a statement or an expression.
Sub Say(t) : Echo "say", t : End Sub
Sub Other(t) : Echo "other", t : End Sub
If 1 > 0 Then Say "then" Else Other "else"
If 1 < 0 Then Say "then" Else Other "else"
If True Then Call Say(1) Else Call Other(2)
If False Then Call Say(1) Else Call Other(2)
If True Then Say 1 : Say 2 Else Other 3
If False Then Say 1 Else Other 3 : Other 4
x = 0 : If x = 0 Then x = 5 Else x = 6
Echo "x", x
If True Then
  Function Inner(n)
    Inner = n * 2
  End Function
End If
Echo "hoisted", Inner(21)
For i = 1 To 1
  Sub InLoop() : Echo "declared in a loop" : End Sub
Next
InLoop
Sub OneLine() Echo "one line" End Sub
OneLine
Sub Joined() : Echo "joined" : End Sub
Joined
Function Twice(n) Twice = n * 2 End Function
Echo Twice(4)
Sub Again() : Echo "first" : End Sub
Sub Again() : Echo "second" : End Sub
Again
Stop
Echo "after Stop"
property = 3 : get = 4 : let = 5 : step = 6 : error = 7
Echo property + get + let + step + error
(Say)("parenthesised")
Call (((Say))) (("call parenthesised"))
Call (Twice)(3)
x = (Twice)(5) : a = Array(7, 8) : Echo "in an expression", x, (Twice)(1) + 1, (a)(1), ((a))(0)
y = 1
(Other) y
Echo "still", y
Sub Doubler(v) : v = v * 2 : End Sub
z = 5 : Doubler z : Echo "by reference", z
z = 5 : (Doubler)(z) : Echo "by value", z
