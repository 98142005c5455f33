' Arithmetic, loops, calls and arrays on a procedure's own variables, where the interpreter
' takes its short paths: results and subtypes must be those of the general rules.
Sub Division()
  Dim a, b, big, r
  a = -7 : b = 2
  Echo a Mod b, a \ b, 7 Mod -3, -7 Mod -3, TypeName(a Mod b)
  a = 7.5 : b = 2
  Echo a Mod b, a \ b, 6.5 Mod 4, 2.5 \ b, TypeName(a \ b)
  a = CInt(-32768) : b = -1
  r = a \ b : Echo r, TypeName(r), a Mod b, TypeName(a Mod b)
  big = CLng(-2147483647) - 1
  Echo big Mod b, TypeName(big Mod b), big \ 1, big Mod 7
  On Error Resume Next
  r = big \ b : Echo "Long \ -1", Err.Number : Err.Clear
  r = a Mod 0 : Echo "Mod 0", Err.Number : Err.Clear
End Sub
Division

Sub Promotion()
  Dim i, n, s, total
  For i = 32765 To 32769 : s = s & TypeName(i) & " " : Next
  Echo s, i, TypeName(i)
  s = ""
  For i = -32766 To -32770 Step -2 : s = s & i & " " : Next
  Echo s, TypeName(i)
  n = 200 : Echo n * n, TypeName(n * n), n * 163, TypeName(n * 163)
  total = 2147483600
  For i = 1 To 10 : total = total + i : Next
  Echo total, TypeName(total)
  total = 0
  For i = 1 To 100000 : total = total + i * 3 Mod 7 - (i \ 1000) : Next
  Echo total, TypeName(total)
  s = "text" : s = 5 : Echo s, TypeName(s)
End Sub
Promotion

Function Fib(n)
  If n < 2 Then Fib = n Else Fib = Fib(n - 1) + Fib(n - 2)
End Function

' ByRef reaches the caller's variable through every level; ByVal and expressions do not.
Sub CountDown(ByRef counter, ByVal depth, log)
  counter = counter + 1
  log = log & depth
  If depth > 0 Then CountDown counter, depth - 1, log
  depth = -1
End Sub

Function Deep(n)
  Deep = Deep(n + 1)
End Function

Sub Calls()
  Dim c, d, log
  Echo Fib(20), TypeName(Fib(20))
  c = 0 : d = 3 : log = ""
  CountDown c, d, log
  Echo c, d, log
  CountDown (c), d, log
  Echo c, d
  On Error Resume Next
  c = Deep(1) : Echo "runaway recursion", Err.Number
End Sub
Calls

Sub Arrays()
  Dim a(4), m(2, 2), i, total, v, n
  For i = 0 To 4 : a(i) = i * 1.5 : Next
  total = 0
  For i = 0 To UBound(a) : total = total + a(i) : Next
  Echo total, TypeName(total), a(1.5), a(2.5), a(CLng(3))
  m(1, 2) = "x" : Echo m(1, 2)
  On Error Resume Next
  v = a(5) : Echo "past the end", Err.Number : Err.Clear
  v = a(-1) : Echo "below zero", Err.Number : Err.Clear
  v = a(Null) : Echo "Null index", Err.Number : Err.Clear
  v = m(1) : Echo "one index of two", Err.Number : Err.Clear
  n = 5 : v = n(1) : Echo "not an array", Err.Number : Err.Clear
  On Error GoTo 0
  ' An element holding an array, taken into the variable that holds it.
  v = Array(Array(1, 2, 3), "b")
  v = v(0) : Echo UBound(v), v(2)
  a(0) = Array("p", "q") : v = a(0) : v(1) = "changed" : Echo a(0)(1), v(1)
End Sub
Arrays

Sub Conditions()
  Dim x, s
  x = 5 : If x Then s = "number" : Echo s
  x = Null : If x Then Echo "Null is true" Else Echo "Null is false"
  x = "True" : If x Then Echo "text True"
  x = 0 : If x = 0 And Not x Then Echo "zero"
End Sub
Conditions
