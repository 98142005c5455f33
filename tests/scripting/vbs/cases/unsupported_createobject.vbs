Echo "never printed"
Set fso = CreateObject("Scripting.FileSystemObject")
