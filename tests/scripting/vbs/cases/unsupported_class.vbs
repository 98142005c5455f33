Echo "never printed"
Class Tank
End Class
