' Err.Raise is a method: assigning to it is refused before any statement runs, as Clear is.
Echo "never printed"
Err.Raise = "plant.hlp"
