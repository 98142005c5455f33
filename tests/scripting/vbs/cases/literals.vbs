' Literals: hex, octal, dates, strings; a date literal that is no date is a syntax error.
Echo &HFF, &H7FFF, &HFFFF, &H10000, &HFFFF&, &O17, TypeName(&HFFFF), TypeName(&H10000)
Echo #1/2/2026#, #2026-03-04 13:05:00#, #10:30 PM#, TypeName(#1/1/2000#)
Echo "", "a""b", Len("tab" & vbTab)
x = #/1/2026#
