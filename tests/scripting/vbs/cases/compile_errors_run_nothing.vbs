' A compile error anywhere stops the code before any statement runs.
Echo "never printed"
Sub Fine() : End Sub
x = Left("abc", 1) + 
