' VarType and TypeName for each subtype, the Is* tests, and the C* conversions at their limits.
Dim v, a(1), d(), r
Echo VarType(CInt(1)), VarType(CLng(1)), VarType(CDbl(1)), VarType(CDate(1)), VarType(CStr(1)), VarType(CBool(1)), VarType(a), VarType(d)
Echo TypeName(CInt(1)), TypeName(CLng(1)), TypeName(32767), TypeName(32768), TypeName(-32768), TypeName(2147483648), TypeName(1e3), TypeName(v), TypeName(a)
Echo IsNumeric(" "), IsNumeric("-"), IsNumeric("+.5"), IsNumeric("1.2.3"), IsNumeric(Array(1)), IsNumeric(CByte(3))
Echo IsEmpty(v), IsEmpty(Null), IsEmpty(0), IsNull(Empty), IsNull(""), IsArray(a), IsArray(d), IsArray(v), IsArray("a")
Echo IsDate(#1/1/2000#), IsDate("2026-02-30"), IsDate("13/13/2026"), IsDate(36526), IsDate(""), IsDate(Null)
Set v = Nothing : Echo IsObject(v), IsObject(Empty), IsObject(a), TypeName(v), VarType(v)
Echo CByte(255), CByte(0.5), CByte(1.5), CByte("12"), TypeName(CByte(1)), CByte(Empty), CByte(-0.4)
Echo CInt(-32768), CInt(32767.4), CInt(-32768.5), CLng(-2147483647 - 1), CLng(2147483647), CLng(-2.5), CLng(" 7 ")
Echo CSng(1.5), CSng("0.1") = CSng(0.1), CSng(1/3), CDbl(1/3), TypeName(CSng(1)), CDbl(True), CDbl(Empty)
Echo CStr(123), CStr(-0.5), CStr(1E+20), CStr(123456789012345), CStr(1234567890123456), CStr(False), TypeName(CStr(1))
Echo CDate("2026-03-04"), CDate("3/4/2026 14:05"), CDate(#1/1/2026#) + 1, CDate("10:30 AM"), CDate(0.25), CDate(0)
Echo CBool(1), CBool(0.1), CBool("0"), CBool(Empty), CBool("TRUE"), TypeName(CBool(1))
On Error Resume Next
r = CByte(256) : Echo "CByte(256)", Err.Number, Err.Description : Err.Clear
r = CByte(255.5) : Echo "CByte(255.5)", Err.Number : Err.Clear
r = CByte(-0.6) : Echo "CByte(-0.6)", Err.Number : Err.Clear
r = CInt(32767.5) : Echo "CInt(32767.5)", Err.Number : Err.Clear
r = CLng(2147483648) : Echo "CLng(2147483648)", Err.Number : Err.Clear
r = CSng(1E+39) : Echo "CSng(1E+39)", Err.Number : Err.Clear
r = CByte("x") : Echo "CByte(""x"")", Err.Number : Err.Clear
r = CDbl(Null) : Echo "CDbl(Null)", Err.Number : Err.Clear
r = CDate(Null) : Echo "CDate(Null)", Err.Number : Err.Clear
r = CBool(Null) : Echo "CBool(Null)", Err.Number : Err.Clear
r = CSng(Array(1)) : Echo "CSng(array)", Err.Number : Err.Clear
