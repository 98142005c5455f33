Option Explicit
Dim declared
declared = 1
Echo "declared", declared
Sub UsesLater() : Echo "later is", later : End Sub
Dim later : later = 2
UsesLater
undeclared = 5
Echo "not reached"
