' A member an object does not have is 438 when its line runs, not a reason to refuse the whole
' script: on Err, on a host's object and on a dictionary alike; so is assigning to a method or
' to a property that cannot be set.
Echo "loaded"
If False Then x = Err.Nope : console.Nope 1 : Err.Clear = 1
On Error Resume Next
x = Err.Nope : Echo "Err.Nope", Err.Number, Err.Description : Err.Clear
Err.Nope 1, 2 : Echo "Err.Nope as a call", Err.Number : Err.Clear
console.Nope : Echo "console.Nope", Err.Number : Err.Clear
Set d = CreateObject("Scripting.Dictionary")
x = d.Nope : Echo "d.Nope", Err.Number : Err.Clear
Err.Raise = "x" : Echo "Err.Raise = ""x""", Err.Number : Err.Clear
Err.Clear = 1 : Echo "Err.Clear = 1", Err.Number : Err.Clear
d.Count = 3 : Echo "d.Count = 3", Err.Number : Err.Clear
Err.Number = 7 : Echo "Err.Number = 7", Err.Number : Err.Clear
On Error GoTo 0
Err.Raise = "plant.hlp"
Echo "not reached"
