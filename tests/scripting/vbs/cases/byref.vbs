' ByRef and ByVal at the edges: aliasing, the Call forms, parenthesised arguments, elements.
Dim a, b, arr(2), grid(1, 1), i, dyn(), g
Const K = 1
Sub AddOne(x) : x = x + 1 : End Sub
Sub AddTen(ByRef x) : x = x + 10 : End Sub
Sub Two(p, q) : p = p + 1 : q = q + 10 : End Sub
Function Inc(x) : x = x + 1 : Inc = x : End Function
Sub Grow(x) : ReDim Preserve x(5) : End Sub
Sub Change(ByVal x) : x(0) = "changed" : End Sub
Sub Nested(x) : AddOne x : End Sub
Sub ByValThenRef(ByVal x) : AddOne x : Echo "inside", x : End Sub
Sub SetBoth(x) : x = "param" : Echo "global sees", g : End Sub
a = 0 : Two a, a : Echo "same variable twice", a
a = 0 : Call Two(a, (a)) : Echo "second by value", a
a = 0 : Two (a), a : Echo "first parenthesised", a
a = 5 : b = Inc(a) : Echo "function argument", a, b
a = 5 : b = Inc((a)) : Echo "function argument in parentheses", a, b
a = 5 : Inc a : Echo "function called as a statement", a
a = 5 : Call Inc(a) : Echo "function through Call", a
a = 5 : Inc (a) : Echo "function statement, parenthesised", a
arr(1) = 1 : Call AddTen(arr(1)) : AddOne arr(1) : Echo "array element", arr(1)
grid(1, 0) = 3 : AddOne grid(1, 0) : Echo "2-D element", grid(1, 0)
i = 1 : arr(i) = 0 : AddTen arr(i) : Echo "element by variable index", arr(1)
AddOne (arr(1)) : Echo "element in parentheses", arr(1)
Call AddOne((arr(1))) : Echo "element in parentheses through Call", arr(1)
ReDim dyn(1) : Grow dyn : Echo "whole array ByRef", UBound(dyn)
arr(0) = "orig" : Change arr : Echo "array ByVal is a copy", arr(0)
AddOne K : Echo "constant unchanged", K
For i = 1 To 3 : AddOne i : Next : Echo "loop variable", i
a = 1 : AddOne a + 0 : AddOne -a : Echo "expressions are values", a
a = 1 : Nested a : Echo "passed on ByRef", a
a = 1 : ByValThenRef a : Echo "outside", a
g = "global" : SetBoth g
