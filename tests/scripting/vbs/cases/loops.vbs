' For with Step, For Each, Do/Loop in all four forms, While/Wend, Exit Do and Exit For.
Dim i, s, n
s = ""
For i = 1 To 10 Step 3 : s = s & i & " " : Next
Echo s, "after:", i
s = ""
For i = 5 To 1 Step -2 : s = s & i : Next
Echo s, i
s = ""
For i = 0 To 1 Step 0.25 : s = s & i & ";" : Next
Echo s
For i = 3 To 1 : Echo "never" : Next
Echo "empty loop leaves", i
For i = 1 To 5
  If i = 3 Then Exit For
Next
Echo "exit for at", i
n = 0
Do While n < 3 : n = n + 1 : Loop
Echo "do while", n
Do Until n = 0 : n = n - 1 : Loop
Echo "do until", n
Do : n = n + 1 : Loop While n < 5
Echo "loop while", n
Do : n = n + 10 : Loop Until True
Echo "loop until runs once", n
Do
  n = n + 1
  If n > 20 Then Exit Do
Loop
Echo "exit do", n
While n > 18 : n = n - 1 : Wend
Echo "wend", n
For i = 1 To 3
  For n = 1 To 3
    If n = 2 Then Exit For
    s = i & n
  Next
Next
Echo "nested", s, i, n
s = 0
For Each n In Array(1, 2, 3) : s = s + n : Next
Echo "sum", s
For i = 1 To 3 : i = i + 1 : Echo "changed counter", i : Next
Dim big : big = 0
For i = 32760 To 32770 : big = i : Next
Echo big, TypeName(big)
