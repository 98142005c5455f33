' The Err object: Err.Raise keeps any 32-bit number with its source and description, fills in
' what is left out from what Err still holds, maps HRESULT numbers, and has help properties.
On Error Resume Next
Err.Raise vbObjectError + 1, "Pump", "Pump not ready"
Echo Err.Number, Err.Number - vbObjectError, Err.Source, Err.Description : Err.Clear
Err.Raise -5 : Echo Err.Number, Err.Description, Err.Source : Err.Clear
Err.Raise 2147483647, "s", "d" : Echo Err.Number : Err.Clear
Err.Raise 13 : Echo Err.Number, Err.Description, Err.Source : Err.Clear
Err.Raise 70000 : Echo Err.Number, Err.Description : Err.Clear
Err.Raise &h10000& : Echo Err.Number, Hex(Err.Number) : Err.Clear
Err.Raise 6, "First", "first text"
Err.Raise 9 : Echo Err.Number, Err.Source, Err.Description
Err.Raise 11, , "only the text" : Echo Err.Number, Err.Source, Err.Description : Err.Clear
Err.Raise &H8007000E : Echo Err.Number, Err.Description : Err.Clear
Err.Raise &H800A000B : Echo Err.Number, Err.Description : Err.Clear
Err.Raise &H80070057 : Echo Err.Number : Err.Clear
Err.Raise 0 : Echo "zero", Err.Number : Err.Clear
Err.Raise 4000, "src", "text", "help.chm", 42
Echo Err.HelpFile, Err.HelpContext : Err.Clear
Echo "[" & Err.HelpFile & "]", Err.HelpContext, "[" & Err.Source & "]"
Err.HelpFile = "plant.hlp" : Err.HelpContext = 7 : Echo Err.HelpFile, Err.HelpContext : Err.Clear
x = 1 / 0 : Echo Err.Source, Err.HelpFile = "" : Err.Clear
Err.Number = &H800A0009 : Echo Err.Number : Err.Clear
Err.Raise 5
e = Err : Echo e, Err, Err + 1, TypeName(e), CStr(Err) & "!"
Sub Show(v) : Echo "passed", v : End Sub
Show Err
If Err Then Echo "Err as a condition"
Err.Clear
On Error GoTo 0
Err.Raise vbObjectError + 513, "Plant", "Valve stuck"
