' String functions: lengths, slices, searches, case, trimming, Replace, Split and Join, codes.
Function B(x) : B = "[" & x & "]" : End Function
Dim s, parts, r
s = "Hello World"
Echo Len(s), Len(""), Len(12345), Len(-1.5), IsNull(Len(Null)), Len(Empty)
Echo B(Left(s, 5)), B(Right(s, 5)), B(Left(s, 0)), B(Right(s, 0)), B(Left(s, 99)), B(Right("ab", 9))
Echo B(Mid(s, 7)), B(Mid(s, 7, 3)), B(Mid(s, 11, 5)), B(Mid(s, 12)), B(Mid(s, 50, 2)), B(Mid(s, 1, 0))
Echo IsNull(Left(Null, 2)), IsNull(Right(Null, 2)), IsNull(UCase(Null)), IsNull(LCase(Null)), IsNull(Trim(Null))
Echo Left(12345, 2), Right(True, 3), Mid(3.25, 2), UCase("mIxEd 1"), LCase("MiXeD"), TypeName(Left(5, 1))
Echo B(Trim("  a b  ")), B(LTrim("  a ")), B(RTrim("  a ")), Len(Trim(vbTab & "x "))
Echo InStr(s, "o"), InStr(6, s, "o"), InStr(s, "O"), InStr(1, s, "O", vbTextCompare), InStr(1, s, "O", 1), InStr(s, "xyz"), TypeName(InStr(s, "o"))
Echo InStr("", "a"), InStr(s, ""), InStr(4, s, ""), InStr(20, s, "o"), IsNull(InStr(Null, "a")), IsNull(InStr(s, Null))
Echo InStrRev(s, "o"), InStrRev(s, "o", 7), InStrRev(s, "O", -1, vbTextCompare), InStrRev(s, "xyz"), InStrRev(s, "l", 3), InStrRev("", "a")
Echo InStrRev(s, "o", 20), InStrRev(s, "", 4)
Echo Replace("aXbXc", "X", "-"), Replace("abcabc", "b", "X", 3), Replace("aaaa", "a", "b", 1, 2), Replace("ABab", "a", "x", 1, -1, vbTextCompare)
Echo B(Replace("", "a", "b")), B(Replace("abc", "", "z")), B(Replace("banana", "a", "")), B(Replace("abc", "b", "z", 9)), B(Replace("abc", "b", "z", 1, 0))
Echo B(Space(3)), B(Space(0)), B(String(3, "xyz")), B(String(2, 65)), B(String(0, "a")), B(String(2, 321))
' Lengths that are no whole numbers round halves to even.
Echo B(Left("abcdef", 2.5)), B(Space(2.5)), B(Mid("abc", 2, 1.5)), B(Right("abcdef", 3.5))
Echo StrComp("abc", "abd"), StrComp("b", "a"), StrComp("a", "a"), StrComp("a", "B"), StrComp("a", "B", vbTextCompare), StrComp("ABC", "abc", 1), IsNull(StrComp(Null, "a"))
Echo StrReverse("abc"), B(StrReverse("")), StrReverse(123)
parts = Split("a,b,,c", ",")
Echo UBound(parts), B(parts(0)), B(parts(2)), B(parts(3)), Join(parts, "+")
parts = Split("one two  three") : Echo UBound(parts), Join(parts, "|")
parts = Split("a,b,c,d", ",", 2) : Echo UBound(parts), parts(1)
parts = Split("aXbxc", "x", -1, vbTextCompare) : Echo UBound(parts), Join(parts)
parts = Split("") : Echo UBound(parts), LBound(parts), B(Join(parts, ","))
parts = Split("abc", "") : Echo UBound(parts), parts(0)
Echo Join(Array(1, 2.5, True), ", "), B(Join(Array())), Split("x,y,z", ",")(1), UBound(Split("a b"))
Echo Chr(65) & Chr(97), Asc("A"), Asc("abc"), Asc(1), Len(Chr(0)), Chr(34) = """"
Echo Hex(10.5), Hex(11.5), IsNull(Oct(Null)), Hex("255")
On Error Resume Next
r = Left(s, -1) : Echo "Left -1", Err.Number, Err.Description : Err.Clear
r = Right(s, -1) : Echo "Right -1", Err.Number : Err.Clear
r = Mid(s, 0) : Echo "Mid start 0", Err.Number : Err.Clear
r = Mid(s, 2, -1) : Echo "Mid length -1", Err.Number : Err.Clear
r = InStr(0, s, "a") : Echo "InStr start 0", Err.Number : Err.Clear
r = InStrRev(s, "a", 0) : Echo "InStrRev start 0", Err.Number : Err.Clear
r = InStr(1, s, "a", 2) : Echo "compare mode 2", Err.Number : Err.Clear
r = Space(-1) : Echo "Space -1", Err.Number : Err.Clear
r = String(-1, "a") : Echo "String -1", Err.Number : Err.Clear
r = Chr(256) : Echo "Chr 256", Err.Number : Err.Clear
r = Chr(-1) : Echo "Chr -1", Err.Number : Err.Clear
r = Asc("") : Echo "Asc empty", Err.Number : Err.Clear
r = Asc(Null) : Echo "Asc Null", Err.Number, Err.Description : Err.Clear
r = Left(s, Null) : Echo "Left Null length", Err.Number : Err.Clear
r = Replace(Null, "a", "b") : Echo "Replace Null", Err.Number : Err.Clear
