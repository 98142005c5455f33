' Arrays: several dimensions, ReDim and ReDim Preserve, Erase, bounds, Array(), For Each, copies.
Dim m(2, 3), cube(1, 2, 3), small(1, 1), fixed(2), c(1), i, j, v, seen, dyn(), a, b
Echo UBound(m), UBound(m, 1), UBound(m, 2), LBound(m, 2), IsEmpty(m(2, 3)), UBound(cube, 3), LBound(cube, 3)
For i = 0 To 2 : For j = 0 To 3 : m(i, j) = i * 10 + j : Next : Next
Echo m(1, 2), m(2, 3)
' For Each visits a two-dimensional array with the first index changing fastest.
small(0, 0) = "a" : small(1, 0) = "b" : small(0, 1) = "c" : small(1, 1) = "d"
For Each v In small : seen = seen & v : Next : Echo seen
ReDim dyn(2) : dyn(0) = "x" : dyn(2) = "z"
ReDim Preserve dyn(4) : Echo UBound(dyn), dyn(0), dyn(2), IsEmpty(dyn(4))
ReDim Preserve dyn(1) : Echo UBound(dyn), dyn(0), IsEmpty(dyn(1))
ReDim dyn(3) : Echo UBound(dyn), IsEmpty(dyn(0))
ReDim grid(1, 2) : grid(1, 2) = "kept"
ReDim Preserve grid(1, 5) : Echo UBound(grid, 1), UBound(grid, 2), grid(1, 2)
fixed(0) = 1 : fixed(1) = "s"
Erase fixed : Echo UBound(fixed), IsEmpty(fixed(0)), IsEmpty(fixed(1))
a = Array(1, "two", 3.5, Array(4, 5))
Echo UBound(a), LBound(a), TypeName(a), a(1), a(3)(1), UBound(Array()), IsArray(a(3)), UBound(a(3))
b = a : b(0) = 99 : Echo "assignment copies", a(0), b(0)
For Each v In a : v = 0 : Next : Echo "loop variable is a copy", a(0)
For Each v In Array() : Echo "never" : Next
Echo Join(Split("12.5;7;;tank 1", ";"), ";") = "12.5;7;;tank 1", UBound(Split("12.5;7;;tank 1", ";")), Split("12.5;7;;tank 1", ";")(3)
Sub Fill(arr) : arr(0) = "filled" : End Sub
Sub FillByVal(ByVal arr) : arr(0) = "lost" : End Sub
Function Pair() : Pair = Array("p", "q") : End Function
Fill c : FillByVal c : Echo c(0), Pair()(1), UBound(Pair())
On Error Resume Next
Erase dyn
v = UBound(dyn) : Echo "erased dynamic array", Err.Number, Err.Description : Err.Clear
v = UBound(m, 3) : Echo "UBound dimension 3 of 2", Err.Number : Err.Clear
v = UBound(m, 0) : Echo "UBound dimension 0", Err.Number : Err.Clear
v = m(3, 0) : Echo "m(3, 0)", Err.Number : Err.Clear
v = m(1) : Echo "one index for two dimensions", Err.Number : Err.Clear
v = a(4) : Echo "a(4)", Err.Number : Err.Clear
v = a(-1) : Echo "a(-1)", Err.Number : Err.Clear
m(0, 4) = 1 : Echo "store out of range", Err.Number : Err.Clear
ReDim Preserve grid(2, 5) : Echo "Preserve changing the first dimension", Err.Number, UBound(grid, 1), grid(1, 2) : Err.Clear
ReDim fixed(5) : Echo "ReDim of a fixed array", Err.Number, UBound(fixed) : Err.Clear
v = UBound(5) : Echo "UBound of a number", Err.Number : Err.Clear
For Each v In 5 : Next : Echo "For Each over a number", Err.Number : Err.Clear
