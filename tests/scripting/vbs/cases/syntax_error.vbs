Echo "never printed"
If x Then
  Echo "missing End If"
