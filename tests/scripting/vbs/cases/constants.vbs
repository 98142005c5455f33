' Built-in constants: characters, comparison modes, message box values, variant types, days.
Echo Asc(vbCr), Asc(vbLf), Len(vbCrLf), vbCrLf = vbCr & vbLf, vbNewLine = vbCrLf, Asc(vbTab), Len(vbNullString), Asc(vbNullChar), Asc(vbFormFeed), Asc(vbVerticalTab)
Echo vbBinaryCompare, vbTextCompare, vbOKOnly, vbOKCancel, vbAbortRetryIgnore, vbYesNoCancel, vbYesNo, vbRetryCancel, vbCritical, vbQuestion, vbExclamation, vbInformation
Echo vbOK, vbCancel, vbAbort, vbRetry, vbIgnore, vbYes, vbNo, vbDefaultButton1, vbDefaultButton2, vbDefaultButton3, vbApplicationModal, vbSystemModal
Echo vbEmpty, vbNull, vbInteger, vbLong, vbSingle, vbDouble, vbCurrency, vbDate, vbString, vbObject, vbError, vbBoolean, vbVariant, vbByte, vbArray
Echo vbUseSystemDayOfWeek, vbSunday, vbMonday, vbSaturday, vbUseSystem, vbFirstJan1, vbFirstFourDays, vbFirstFullWeek
Echo vbGeneralDate, vbLongDate, vbShortDate, vbLongTime, vbShortTime, vbTrue, vbFalse, vbUseDefault, vbObjectError
Echo vbBlack, vbRed, vbGreen, vbYellow, vbBlue, vbMagenta, vbCyan, vbWhite
Echo True, False, IsEmpty(Empty), IsNull(Null), TypeName(Nothing), CInt(True), VBCRLF = vbcrlf, VarType(vbTab) = vbString
