' Comparison rules: numbers, strings, Empty, Null; numbers sort before strings.
Echo 1 < 2, 2 <= 2, 3 > 4, 3 >= 4, 1 = 1, 1 <> 1
Echo "abc" < "abd", "B" < "a", "abc" = "ABC", "" = Empty, 0 = Empty
Dim n, t : n = 1 : t = "1"
Echo n = t, n < t, n > "0", "10" < "9"
Echo IsNull(1 = Null), IsNull(Null <> Null), IsNull(Null = "")
Echo True = -1, False = 0, #1/1/2026# < #1/2/2026#
Echo 1.5 = CSng(1.5), CInt(3) = CLng(3), CDbl(2) = 2
Echo StrComp("a", "B"), StrComp("a", "A", vbTextCompare), StrComp("b", "a"), IsNull(StrComp(Null, "a"))
