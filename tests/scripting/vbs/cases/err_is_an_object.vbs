' Err is an object whose default property is Number: IsObject tells it, it can be passed to a
' procedure or set to a variable and its properties read there, while a use as a value reads
' its number.
On Error Resume Next
Err.Raise 9, "Pump", "Pump not ready"
Echo IsObject(Err), IsEmpty(Err), IsObject(Err.Number)
Sub Report(e) : Echo "report", e.Number, e.Source, e.Description, e : End Sub
Report Err
Sub ReportByValue(ByVal e) : Echo "by value", e.Number, IsObject(e) : End Sub
ReportByValue Err
Function NumberOf(e) : NumberOf = e.Number : End Function
Echo "function", NumberOf(Err), NumberOf(Err) = Err
Set held = Err : Echo "held", IsObject(held), held.Description, held Is Err
held.Clear : Echo "cleared through the variable", Err.Number, held.Number
n = Err : Echo "value", n, TypeName(n), Err + 1, CStr(Err) & "!", -Err, Not Err
Select Case Err
  Case 0 : Echo "Select Case reads the number"
End Select
