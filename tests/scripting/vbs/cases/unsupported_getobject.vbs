Echo "never printed"
Set wmi = GetObject("winmgmts:")
