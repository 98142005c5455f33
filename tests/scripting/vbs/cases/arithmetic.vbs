' Result subtypes, overflow promotion, rounding of \ and Mod operands, Null and Empty.
Echo 1 + 2, TypeName(1 + 2)
Echo 32767 + 1, TypeName(32767 + 1)
Echo 2147483647 + 1, TypeName(2147483647 + 1)
Echo -32768 - 1, TypeName(-32768 - 1)
Echo 200 * 200, TypeName(200 * 200)
Echo 10 / 4, TypeName(10 / 4), TypeName(CSng(1) / CSng(2))
Echo 2.5 \ 1, 3.5 \ 1, -2.5 \ 1, 7 \ 2, -7 \ 2, TypeName(7 \ 2)
Echo 7 Mod 3, -7 Mod 3, 7 Mod -3, 7.5 Mod 2, 6.5 Mod 4, TypeName(7 Mod 3)
Echo 2 ^ 10, TypeName(2 ^ 10), 2 ^ -1, -2 ^ 2, (-2) ^ 2, 2 ^ 3 ^ 2
x = 3 : Echo -3 ^ 2, -x ^ 2, -2 ^ 3, 2 ^ -2, -2 ^ -2, 10 - 2 ^ 2, -2 * 3 ^ 2, Not -1 + 1
Echo 1 + 2 * 3 - 4 / 2, (1 + 2) * 3, 10 - 2 - 3
Echo "3" + 4, TypeName("3" + 4), "3" + "4", "a" & 1 & True
Echo TypeName(Empty + Empty), Empty + 5, Empty & "x", TypeName(Empty * 1.5)
Echo IsNull(Null + 1), IsNull(1 - Null), IsNull(Null * Null), IsNull(Null / 2), IsNull(Null ^ 2)
Echo Null & "text", "text" & Null, IsNull(Null & Null)
Echo True + True, TypeName(True + True), -True, TypeName(-True)
Echo CByte(200) + CByte(55), TypeName(CByte(200) + CByte(55)), TypeName(CByte(200) + CByte(56))
Echo TypeName(CSng(1.5) + 1), TypeName(CSng(1.5) + CLng(1)), TypeName(CSng(1.5) + 1.5)
Echo -(-32768), TypeName(-(-32768)), 5 - - 3
Echo 0.1 + 0.2, 1 / 3, 1E+20 * 10, 123456789 * 1000
Echo 1.5E-5, 0.0001, 100000000000000, 1000000000000000
