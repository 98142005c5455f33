' Conversions as the language makes them: only CBool reads "True"/"False" texts, "#TRUE#" is
' True, CByte(True) is 255, Round keeps a Boolean, a hex literal with "&" that fits an Integer
' is one, a Double compared with a Single is rounded to the Single's precision.
On Error Resume Next
x = CDbl("TRUE") : Echo "CDbl", Err.Number : Err.Clear
x = CInt("FALSE") : Echo "CInt", Err.Number : Err.Clear
x = CLng("True") : Echo "CLng", Err.Number : Err.Clear
x = CSng("false") : Echo "CSng", Err.Number : Err.Clear
x = CByte("TRUE") : Echo "CByte", Err.Number : Err.Clear
x = "True" + 1 : Echo "arithmetic", Err.Number : Err.Clear
On Error GoTo 0
Echo CBool("TRUE"), CBool(" false "), CBool("#TRUE#"), CBool("#False#"), CBool("1"), CBool("0")
If "#TRUE#" Then Echo "#TRUE# is true"
If "#FALSE#" Then Echo "not printed" Else Echo "#FALSE# is false"
Echo CByte(True), CByte(False), TypeName(CByte(True))
Echo Round(True), TypeName(Round(True)), Round(False), TypeName(Round(False)), TypeName(Int(True))
Echo &H10&, TypeName(&H10&), &HFFFF&, TypeName(&HFFFF&), &H7FFF&, TypeName(&H7FFF&), TypeName(&H8000&)
Echo TypeName(&HFF), &HFFFF, TypeName(&HFFFF), &O777&, TypeName(&O777&)
Echo CSng(0.001 * 0.001) = 0.000001, CSng(0.1) = 0.1, CDbl(CSng(0.1)) = 0.1, CSng(1 / 3) < 1 / 3
Echo CSng(0.1) + 0.1 = 0.2, TypeName(CSng(0.1) + 0.1)
Echo "True" And True, "False" Or False, Not "True"
