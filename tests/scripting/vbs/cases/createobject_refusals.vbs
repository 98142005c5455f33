' CreateObject makes a Scripting.Dictionary and nothing else: any other class, or a server to
' make one on, is 429 when its line runs, so a script can test for it and go on without it.
On Error Resume Next
Set fso = CreateObject("Scripting.FileSystemObject") : Echo Err.Number, Err.Description, IsEmpty(fso)
Err.Clear : Set sh = CreateObject("WScript.Shell") : Echo Err.Number : Err.Clear
Set d = CreateObject("Scripting.Dictionary", "plant-server") : Echo Err.Number : Err.Clear
Set d = CreateObject("scripting.DICTIONARY", "") : Echo Err.Number, TypeName(d), IsObject(d)
On Error GoTo 0
Set x = CreateObject("ADODB.Stream")
Echo "not reached"
