' Scripting.Dictionary: items under keys in the order added, Item as the default property
' (d(k) reads, d(k) = v sets or adds), For Each over the keys; keys compare by kind and value,
' text keys ignoring letter case only under CompareMode 1; misuse gives the language's errors.
Set d = CreateObject("Scripting.Dictionary")
d.Add "pump", 10
d.Add 1, "one"
d.Add "1", "text one"
d("valve") = 20
d.Item("pump") = d("pump") + 1
Echo d.Count, d("pump"), d(1), d("1"), d(1.0), d(CLng(1)), d.Item("valve")
Echo d.Exists("pump"), d.Exists("PUMP"), d.Exists(2), IsEmpty(d("missing")), d.Exists("missing")
Echo Join(d.Keys, ","), Join(d.Items, ","), UBound(d.Keys), TypeName(d.Keys)
For Each k In d : s = s & k & "=" & d(k) & ";" : Next : Echo s
d.Key("valve") = "gate" : d.Remove "missing" : d.Remove 1 : Echo d.Count, Join(d.Keys, ",")
Echo d.Keys()(0), d.Items()(1)
Set d("child") = CreateObject("Scripting.Dictionary")
d("child").Add "x", 5 : Echo d("child")("x"), d("child").Count, TypeName(d("child"))
Set counts = CreateObject("Scripting.Dictionary")
For Each w In Split("a b a c a b") : counts(w) = counts(w) + 1 : Next
Echo counts("a"), counts("b"), counts("c"), counts.Count
Set t = CreateObject("Scripting.Dictionary")
Echo t.CompareMode : t.CompareMode = vbTextCompare : t.Add "Pump", 1
Echo t.Exists("PUMP"), t("pump"), t.CompareMode, t.Count
On Error Resume Next
d.Add "pump", 0 : Echo "Add of a key it has", Err.Number, Err.Description : Err.Clear
t.Add "PUMP", 0 : Echo "Add of a key in other letters", Err.Number : Err.Clear
d.Remove "nothing here" : Echo "Remove of a missing key", Err.Number, Err.Description : Err.Clear
d.Key("nothing here") = "x" : Echo "Key of a missing key", Err.Number : Err.Clear
d.Key("pump") = "gate" : Echo "Key to a key it has", Err.Number : Err.Clear
t.CompareMode = 0 : Echo "CompareMode once filled", Err.Number : Err.Clear
d.Add Array(1), 1 : Echo "an array as a key", Err.Number : Err.Clear
x = d : Echo "the dictionary as a value", Err.Number : Err.Clear
d.Add "only a key" : Echo "Add with one argument", Err.Number : Err.Clear
d.RemoveAll : Echo "RemoveAll", d.Count, UBound(d.Keys), d.Exists("pump")
