' Conversion functions and type inspection.
Echo CInt(2.5), CInt(3.5), CInt(-2.5), CInt("12"), TypeName(CInt(1.2))
Echo CLng(2.5), CLng(1234567.5), CByte(254.5), CSng(1.1), CDbl("1.5E3"), CDbl(" 42 ")
Echo CBool(0), CBool(-3), CBool("true"), CBool("False"), CBool("1"), CBool(Empty)
Echo CStr(1.5), CStr(True), CStr(Empty) = "", CStr(CSng(0.1)), CStr(1/4), CStr(-0.5)
Echo CDate("1/15/2026"), CDate("2026-01-15 13:30:00"), CDate(2.5), TypeName(CDate(1))
Echo IsNumeric("12.5"), IsNumeric(" -3 "), IsNumeric("1e3"), IsNumeric("&HFF"), IsNumeric("abc")
Echo IsNumeric(""), IsNumeric(Empty), IsNumeric(Null), IsNumeric(True), IsNumeric(#1/1/2000#)
Echo IsEmpty(Empty), IsEmpty(""), IsNull(Null), IsArray(Array()), IsDate("1/2/2026"), IsDate("x")
Echo IsObject(Nothing), IsObject(1), IsDate(#1/1/2000#), IsDate("10:30")
Echo VarType(Empty), VarType(Null), VarType(1), VarType(70000), VarType(CSng(1)), VarType(1.5)
Echo VarType(Now), VarType("s"), VarType(True), VarType(CByte(1)), VarType(Array(1)), VarType(Nothing)
Echo TypeName(Empty), TypeName(Null), TypeName("s"), TypeName(True), TypeName(CByte(1))
Echo TypeName(Array()), TypeName(Nothing), TypeName(Now), TypeName(CSng(1)), TypeName(1.5)
Echo Hex(255), Hex(-1), Hex(-32769), Hex(65536), Oct(8), Oct(-1), Hex(Empty), IsNull(Hex(Null))
On Error Resume Next
Dim r
r = CInt(32768) : Echo "CInt(32768)", Err.Number, Err.Description : Err.Clear
r = CByte(-1) : Echo "CByte(-1)", Err.Number : Err.Clear
r = CLng("x") : Echo "CLng(""x"")", Err.Number, Err.Description : Err.Clear
r = CInt(Null) : Echo "CInt(Null)", Err.Number, Err.Description : Err.Clear
r = CBool("maybe") : Echo "CBool(""maybe"")", Err.Number : Err.Clear
r = CDate("not a date") : Echo "CDate", Err.Number : Err.Clear
r = CStr(Null) : Echo "CStr(Null)", Err.Number : Err.Clear
