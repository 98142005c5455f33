#pragma once
// The rule-firing window: one row per rule in use with its operator, each input term with the
// input's degree in the term's zone (and the zone's shape with the present value marked), the
// rule's strength as a bar, its output terms; under the rows each output's defuzzified value and
// the value sent. Everything comes from what the last cycle left in the model: the view works
// nothing out of the engine again.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "model/Colour.h"
#include "model/ControllerModel.h"
#include "model/MainGrid.h"
#include "model/ZoneRange.h"

namespace kavro {

// A point of a zone's small picture, as fractions of the picture: x from its left edge, y from
// its bottom edge (membership 0..1).
struct ShapePoint {
  float x = 0;
  float y = 0;
};

struct FiringTermCell {
  std::string term;
  bool zoneFound = false;         // a zone of the variable has the term's name
  float degree = 0;               // the input's degree in that zone
  std::string degreeText;         // "0.750"
  std::array<float, 4> points{};  // the zone's process values p1..p4
  std::array<float, 4> values{};  // its membership values m1..m4
  ZoneSpan range;                 // the variable's range over all its zones
  float presentValue = 0;         // the variable's PVIN
  std::vector<ShapePoint> shape;  // the zone filled down to the axis, left to right
  float mark = 0;                 // where presentValue lies, 0..1 across the picture
  bool markInside = false;        // presentValue lies within the range
};

struct FiringRowView {
  std::string label;         // "R3"
  std::string operatorName;  // as the main grid's rule row shows it
  // One cell per column of inputHeaders / outputHeaders; empty where the rule has no term.
  std::vector<std::optional<FiringTermCell>> inputs;
  std::vector<std::string> outputs;  // the output terms; "" where none
  std::string strengthText;          // the rule's Strength as the main grid shows it
  float bar = 0;                     // strength as a fraction of the bar, 0..1
  bool fired = false;                // strength above 0
  Colour mark;                       // the main grid's colour for this strength
};

struct FiringOutputLine {
  std::string name;
  std::string defuzzified;  // what the rules gave, before move limits and script
  std::string sent;         // ValueOut as the link sends it
  bool held = false;        // the move limits held it at the present value this cycle
  std::string note;         // what the operator reads about a held value
};

struct RuleFiringViewState {
  std::string caption;                     // the window's title
  std::vector<std::string> ruleColumns;    // "Rule", "Operator", inputs, "Strength", outputs
  std::vector<std::string> outputColumns;  // of the outputs' table under the rules
  std::vector<int> inputSlots;             // the input variables with a column, 1..NumIn
  std::vector<int> outputSlots;            // the output variables with a column, 1..NumOut
  std::vector<std::string> inputHeaders;
  std::vector<std::string> outputHeaders;
  std::vector<FiringRowView> rows;
  std::vector<FiringOutputLine> outputs;
};

// The picture of a zone over range: its four points joined, filled down to membership 0.
std::vector<ShapePoint> ZoneShape(const MFZone& zone, ZoneSpan range);

// What the window shows after the last cycle.
RuleFiringViewState ShowRuleFiring(const ControllerModel& model, const MainGrid& grid);

}  // namespace kavro
