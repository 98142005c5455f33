#pragma once
// The rule-firing window: the rules in use with their operator, each input term's degree over
// a small picture of its zone with the present value marked, the strength as a bar and the
// output terms; under them each output's defuzzified and sent value. It draws what
// display/RuleFiringView says after each cycle.
#include <QWidget>

#include "display/RuleFiringView.h"
#include "model/Controller.h"

class QLabel;
class QTableWidget;

namespace kavro::ui {

class RuleFiringWindow : public QWidget {
  Q_OBJECT
 public:
  explicit RuleFiringWindow(Controller& controller, QWidget* parent = nullptr);
  // Draws the state the last cycle left.
  void Refresh();

  QTableWidget* Rules() const { return rules_; }
  QTableWidget* Outputs() const { return outputs_; }
  const RuleFiringViewState& State() const { return state_; }

 private:
  void FillRules();
  void FillOutputs();

  Controller& c_;
  RuleFiringViewState state_;
  QTableWidget* rules_;
  QTableWidget* outputs_;
};

}  // namespace kavro::ui
