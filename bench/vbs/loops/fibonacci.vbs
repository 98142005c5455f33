' Recursive Fibonacci: one call per number, two arguments evaluated, a function result.
Function Fib(n)
  If n < 2 Then
    Fib = n
  Else
    Fib = Fib(n - 1) + Fib(n - 2)
  End If
End Function

If Fib(32) <> 2178309 Then Err.Raise 1000, , "wrong result"
