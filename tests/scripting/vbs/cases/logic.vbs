' And Or Not Xor Eqv Imp: logical on Booleans, bitwise on integers, Null rules.
Echo True And False, True Or False, Not True, True Xor True, True Eqv False, False Imp False
Echo 12 And 10, 12 Or 10, 12 Xor 10, Not 0, Not 5, TypeName(Not 5)
Echo 5 Eqv 3, 5 Imp 3, TypeName(12 And 10), TypeName(70000 And 1)
Echo IsNull(Null And True), Null And False, Null Or True, IsNull(Null Or False)
Echo IsNull(Not Null), IsNull(Null Xor True), False Imp Null, Null Imp True, IsNull(True Imp Null)
Echo Not 1 = 2, Not (1 = 2) And True, 1 < 2 And 2 < 3
Echo TypeName(Empty And 1), Empty Or 6
