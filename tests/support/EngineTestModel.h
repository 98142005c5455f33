#pragma once
// Building small controllers for engine tests: start values, zones, rules written both into the
// rule records and into the main grid, as the main display would show them.
#include <array>
#include <string>
#include <utility>
#include <vector>

#include "model/Controller.h"

namespace kavro::test {

// Start values and defaults, every rule term "Not Used", RunFrequency 30, grid showing the
// values and rules (as the main display does).
void StartController(Controller& controller);

void SetZone(MFZone& zone, const std::string& name, std::array<float, 4> points,
             std::array<float, 4> values);

// Rule r with an operator and terms (term slot, zone name); the other terms stay "Not Used".
void SetRule(Controller& controller, int rule, const std::string& op,
             const std::vector<std::pair<int, std::string>>& terms);

// Types a value into row 2, 3 or 4 of a grid column, as the operator would ("####0.000").
void TypeIntoGrid(Controller& controller, int row, int column, double value);

// Inputs X (PVIN 3) and Y (PVIN 4) and output OUT (Abs, PVIN 7). X's degree in HIGH is x/10
// over 0..10, Y's is y/20 over 0..20; rule 1 takes their MIN to the singleton UP at 50. With
// nothing fired the output holds its present value, 7.
void OneRuleController(Controller& controller);

}  // namespace kavro::test
