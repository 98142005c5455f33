' Sub and Function, ByRef (the default) and ByVal, Call with and without parentheses,
' parenthesised arguments passed by value, Exit Sub / Exit Function, recursion, locals.
Dim a, b, g
Sub Bump(x) : x = x + 1 : End Sub
Sub BumpByVal(ByVal x) : x = x + 100 : End Sub
Sub Both(ByRef x, ByVal y) : x = x * 2 : y = y * 2 : End Sub
Function Twice(ByVal v)
  Twice = v * 2
End Function
Function Fact(n)
  If n <= 1 Then
    Fact = 1
    Exit Function
  End If
  Fact = n * Fact(n - 1)
End Function
Function Nothing1()
End Function
Sub EarlyOut(x)
  x = "set"
  Exit Sub
  x = "not reached"
End Sub
Sub UsesGlobal() : g = g & "+" : End Sub
Sub HasLocal() : Dim g : g = "local" : End Sub
a = 1
Bump a : Echo "plain call", a
Bump (a) : Echo "parenthesised argument", a
Call Bump(a) : Echo "Call", a
Call Bump((a)) : Echo "Call with inner parentheses", a
BumpByVal a : Echo "ByVal", a
a = 3 : b = 4
Both a, b : Echo "Both", a, b
Echo "Twice", Twice(21), "Fact", Fact(10), IsEmpty(Nothing1())
EarlyOut b : Echo "EarlyOut", b
g = "g" : UsesGlobal : HasLocal : Echo "globals", g
Bump 5 : Echo "literal argument is fine"
a = 10 : Bump a + 0 : Echo "expression argument", a
Dim arr(2) : arr(1) = 7
Bump arr(1) : Echo "array element ByRef", arr(1)
Function Swap(p, q) : Dim t : t = p : p = q : q = t : Swap = "swapped" : End Function
a = "left" : b = "right"
Echo Swap(a, b), a, b
Function Counter() : Counter = Counter + 1 : End Function
Echo "result starts Empty", Counter()
