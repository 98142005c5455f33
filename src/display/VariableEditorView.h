#pragma once
// What the variable editor (frameConfig) shows when it opens on a main-grid column: the item
// grid, the zone grid and the output-type options filled from the model. The operator's typing
// into them and their OK are edit/'s.
#include <array>

#include "edit/EditState.h"
#include "model/Controller.h"

namespace kavro {

// optOutputType's captions, index 0 "Incr", 1 "Abs".
inline constexpr std::array<const char*, 2> kOutputTypeCaptions = {"Increment Output",
                                                                   "Absolute Output"};

// Fills the editor for the variable of the main-grid column and shows it: item values (rows
// 1..5 for an input, 1..12 for an output, the numbers as plain number text), rows 6 and below
// coloured by whether they can be changed, the output-type options for an output only, the
// zone names and the points as "###0.000".
void ShowVariableEditor(const Controller& controller, VariableEditor& editor, int column);

// Closes the editor once its OK has stored the variable, and shows as warnings the readiness
// problems of that variable: the apply's own checks decide what is refused, these only tell.
void ShowVariableStored(const Controller& controller, VariableEditor& editor);

// Closes the editor without storing (its Cancel, once the operator agreed).
void HideVariableEditor(VariableEditor& editor);

}  // namespace kavro
