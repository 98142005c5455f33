' Numeric functions: Abs Sgn Int Fix Round (halves to even), Sqr Exp Log, trigonometry, Rnd.
Dim r, r1, r2, i, ok
Echo Abs(-3), Abs(2.5), Abs(-0), Abs(Empty), IsNull(Abs(Null)), TypeName(Abs(-3)), Abs("-4")
Echo Sgn(-2.5), Sgn(0), Sgn(7), Sgn(Empty), TypeName(Sgn(2.5))
Echo Int(2.7), Int(-2.7), Fix(2.7), Fix(-2.7), Int(-2), Fix(-0.5), TypeName(Int(2.5)), TypeName(Int(3)), Int("2.5"), IsNull(Fix(Null))
Echo Round(2.5), Round(3.5), Round(-2.5), Round(0.5), Round(1.5), Round(2.4999), IsNull(Round(Null))
Echo Round(1.2345, 2), Round(0.125, 2), Round(0.375, 2), Round(2.567, 1), Round(-0.625, 2), Round(12.5, 0)
Echo Sqr(16), Sqr(2), Sqr(0), Exp(0), Exp(1), Log(1), Log(Exp(2)), Log(100) / Log(10)
Echo Sin(0), Cos(0), Tan(0), Atn(1) * 4, Round(Sin(Atn(1) * 2), 10), Round(Cos(Atn(1) * 4), 10), Atn(0)
' Rnd(0) repeats the last number, and before any the one the sequence starts from; the same
' negative argument gives the same number.
Echo "before any Rnd", Rnd(0), Rnd, Rnd(0), Rnd
r1 = Rnd(-3) : r2 = Rnd(-3) : Echo "same negative argument", r1 = r2, Rnd(-1) = Rnd(-2)
r = Rnd(-1) : Randomize 7 : r1 = Rnd : r2 = Rnd
r = Rnd(-1) : Randomize 7 : Echo "repeated sequence", r1 = Rnd, r2 = Rnd, Rnd(0) = r2
Randomize
ok = True
For i = 1 To 1000
  r = Rnd : If r < 0 Or r >= 1 Then ok = False
Next
Echo "always in [0, 1)", ok, TypeName(Rnd)
On Error Resume Next
r = Log(0) : Echo "Log(0)", Err.Number, Err.Description : Err.Clear
r = Log(-1) : Echo "Log(-1)", Err.Number : Err.Clear
r = Sqr(-4) : Echo "Sqr(-4)", Err.Number : Err.Clear
r = Exp(1000) : Echo "Exp(1000)", Err.Number, Err.Description : Err.Clear
r = Round(1.5, -1) : Echo "Round to -1 places", Err.Number : Err.Clear
r = Sin("x") : Echo "Sin(""x"")", Err.Number : Err.Clear
r = Abs("x") : Echo "Abs(""x"")", Err.Number : Err.Clear
r = Abs(CInt(-32768)) : Echo "Abs(CInt(-32768))", r, TypeName(r), Err.Number : Err.Clear
