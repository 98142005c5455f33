#pragma once
// How a rule's strength is marked wherever rules are listed (the main grid's rule labels, the
// rule-firing view): a rule that fired in the palette's red, a negative strength in blue, an
// idle or unused rule in the ordinary text colour.
#include "model/Colour.h"

namespace kavro {

// The colour for a rule of that strength; an unused rule counts as 0.
Colour RuleStrengthColour(double strength);

}  // namespace kavro
