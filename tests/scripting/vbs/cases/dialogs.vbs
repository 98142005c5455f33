' MsgBox and InputBox go to the host; the test host answers OK, then one typed text, then Cancel.
Dim answer, typed
answer = MsgBox("Pump 2 tripped", vbOKCancel + vbExclamation, "Plant")
Echo answer = vbOK, TypeName(answer)
MsgBox "Value is " & 5
Call MsgBox("with Call", vbInformation)
MsgBox "title only", , "Plant"
typed = InputBox("Setpoint?", "Kavro", 12.5)
Echo typed, TypeName(typed)
typed = InputBox("Again?")
Echo "[" & typed & "]"
