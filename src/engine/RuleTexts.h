#pragma once
// Where the engine reads each rule's operator and terms. A controller with a window reads the
// main grid's rule rows, where what the operator types counts from the next cycle; a copy run
// without a window reads the rule records themselves, which are what its grid would show.
#include <string>

#include "model/ControllerModel.h"
#include "model/MainGrid.h"

namespace kavro {

// The stamp of rule r's operator and term cells in the grid (not of its label, which shows the
// strength).
inline CellsStamp RuleCellsStamp(const MainGrid& grid, int rule) {
  static_assert(grid::kColLabel == 0 && grid::kColController == 1);
  return grid.StampOfRowBody(grid::RuleRow(rule));
}

// The stamp of all rule rows' operator and term cells together.
inline CellsStamp RuleRowsStamp(const MainGrid& grid) {
  return grid.StampOfRowBodies(grid::RuleRow(1), grid::RuleRow(NumRules));
}

class RuleTexts {
 public:
  // Implicit: wherever the engine is given the grid, it reads the grid's rule rows.
  RuleTexts(const MainGrid& grid) : grid_(&grid) {}  // NOLINT(google-explicit-constructor)
  explicit RuleTexts(const ControllerModel& model) : model_(&model) {}

  // Rule r's operator (r in 1..NumRules).
  const std::string& Operator(int rule) const {
    return grid_ ? grid_->Text(grid::RuleRow(rule), grid::kColController)
                 : model_->Rules[rule].Operator.str();
  }
  // Rule r's term in slot k: 1..NumIn the inputs', NumIn + o output o's.
  const std::string& Term(int rule, int slot) const {
    return grid_ ? grid_->Text(grid::RuleRow(rule), grid::TermColumn(slot))
                 : model_->Rules[rule].Term[slot].str();
  }
  // Moves whenever a grid text may have changed. The records' texts tell their changes by
  // RuleBaseTextRevision() instead, so theirs stands still.
  CellsStamp Stamp() const { return grid_ ? RuleRowsStamp(*grid_) : CellsStamp{}; }

 private:
  const MainGrid* grid_ = nullptr;
  const ControllerModel* model_ = nullptr;
};

}  // namespace kavro
