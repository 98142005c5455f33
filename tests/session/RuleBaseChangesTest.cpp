// The compiled rule base never goes stale. After each change that the operator, a configuration
// file or a script makes to what the rules are evaluated from, the session's next cycle fires
// the rules and defuzzifies exactly as the plain evaluation of the same state does; each change
// does change what the cycle computes, so a compiled form left as it was could not pass. Cycles
// with nothing changed do not compile the rules again.
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <ostream>
#include <string>

#include "config/ConfigFile.h"
#include "display/GridValues.h"
#include "display/VariableEditorView.h"
#include "edit/CellEdit.h"
#include "edit/VariableEditor.h"
#include "engine/Defuzzify.h"
#include "engine/RuleEvaluation.h"
#include "scripting/host/HostTestWorld.h"
#include "session/SettingsCommands.h"
#include "support/EngineTestModel.h"

namespace kavro::test {
namespace {

struct CycleResults {
  std::array<std::string, NumRules + 1> strengths;
  std::array<std::string, NumOut + 1> defuzzified;
  bool operator==(const CycleResults&) const = default;
  friend void PrintTo(const CycleResults& results, std::ostream* out) {
    for (int r = 1; r <= NumRules; ++r) *out << results.strengths[r] << " ";
    for (int o = 1; o <= NumOut; ++o) *out << "| " << results.defuzzified[o] << " ";
  }
};

// The demo kiln at BZTEMP 1395 (LOW 0.75, OK 0.25) and O2 2.8 (OK 0.667), with a pre-process
// script that, once the store's flag 1 is set, moves the third point of O2's zone OK.
class RuleBaseChangesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    w.Start(ScriptFileOf("Status PreProcess = ON",
                         "GET_SCRIPTFLAG 1, moved, e\r\n"
                         "If moved Then SET_INMFPValue 2, 2, 3, 2.9, e\r\n"),
            "");
    ASSERT_TRUE(w.world.op.messages.empty()) << w.world.op.messages.front().text;
    controller.model.ScreenLocked = false;  // the operator has unlocked the screen
    TypeIntoGrid(controller, grid::kRowValue, grid::InputColumn(1), 1395);
    TypeIntoGrid(controller, grid::kRowValue, grid::InputColumn(2), 2.8);
  }

  CycleResults Cycle() {
    w.Tick();
    EXPECT_TRUE(w.reported.empty()) << w.reported.front();
    CycleResults results;
    for (int r = 1; r <= NumRules; ++r) results.strengths[r] = model.Rules[r].Strength;
    for (int o = 1; o <= NumOut; ++o) results.defuzzified[o] = model.PVarOut[o].ValueDefuzzified;
    return results;
  }

  // What the plain evaluation makes of the state the cycle left: its rule strengths and values.
  CycleResults PlainEvaluation() const {
    ControllerModel plain = model;
    const MainGrid plainGrid = controller.grid;
    EvaluateRules(plain, plainGrid);
    Defuzzify(plain, plainGrid);
    CycleResults results;
    for (int r = 1; r <= NumRules; ++r) results.strengths[r] = plain.Rules[r].Strength;
    for (int o = 1; o <= NumOut; ++o) results.defuzzified[o] = plain.PVarOut[o].ValueOut;
    return results;
  }

  long Compilations() { return w.session.engineMemo().ruleBase.Compilations(); }

  // Quiet cycles, the change, then the cycle that must follow it.
  void ExpectCycleFollows(const std::string& change, const std::function<void()>& make) {
    SCOPED_TRACE(change);
    Cycle();  // the plain evaluation's copy of the model counts as a change of its texts
    const long compiled = Compilations();
    const CycleResults before = Cycle();
    EXPECT_EQ(Compilations(), compiled) << "a cycle with nothing changed compiled the rules";
    make();
    const CycleResults after = Cycle();
    EXPECT_NE(after, before) << "the change changed nothing the test can see";
    EXPECT_EQ(after, PlainEvaluation());
  }

  void Type(int row, int col, const std::string& text) {
    ConfigEditState& edits = w.session.edits();
    controller.grid.SetCurrent(row, col);
    KeyPressOnGrid(controller, edits, EditGrid::Main, static_cast<unsigned char>(text[0]));
    EditBoxOf(edits, EditGrid::Main).text += text.substr(1);
    EditBoxKeyDown(controller, edits, w.session.audit(), EditGrid::Main, kKeyEnter);
  }
  void Click(int row, int col) {
    ClickMainGridAndOpen(controller, w.session.edits(), w.session.audit(), row, col);
  }
  // The variable editor on a main-grid column: a zone grid cell typed, then OK.
  void EditZone(int column, int row, int col, const std::string& text) {
    VariableEditor& editor = w.session.edits().variable;
    ShowVariableEditor(controller, editor, column);
    editor.MSHFlexGrid3.SetText(row, col, text);
    ASSERT_TRUE(AcceptVariableEdit(controller, editor, w.session.audit()));
  }

  HostWorld w;
  Controller& controller = w.controller;
  ControllerModel& model = w.model;
};

TEST_F(RuleBaseChangesTest, EveryChangeOfWhatTheRulesAreCompiledFromReachesTheNextCycle) {
  ExpectCycleFollows("an operator typed into a rule row",
                     [&] { Type(grid::RuleRow(2), grid::kColController, "PROD"); });
  ExpectCycleFollows("a term cell clicked on to the next zone", [&] {
    Click(grid::RuleRow(2), grid::TermColumn(1));  // LOW -> OK
  });
  ExpectCycleFollows("an output term cell clicked on", [&] {
    Click(grid::RuleRow(3), grid::TermColumn(NumIn + 2));  // FAN: ZERO -> POS
  });
  ExpectCycleFollows("a rule's only term clicked on to Not Used: one rule fewer in use", [&] {
    while (model.Rules[5].Term[1] != kNotUsed) Click(grid::RuleRow(5), grid::TermColumn(1));
  });
  ExpectCycleFollows("a zone renamed in the variable editor", [&] {
    EditZone(grid::InputColumn(1), zones::ValueRow(3), zones::kNameCol, "FINE");  // was OK
  });
  ExpectCycleFollows("an output zone's point moved in the variable editor", [&] {
    EditZone(grid::OutputColumn(1), zones::ValueRow(3), zones::PointCol(1), "-0.700");  // ZERO
  });
  ExpectCycleFollows("a zone point moved by the pre-process script",
                     [&] { model.Store.ScriptFlag[1] = true; });
  ExpectCycleFollows("a zone renamed straight in the model, as any future writer might", [&] {
    model.PVarIn[2].Zone[2].MFName = "GOOD";  // O2's OK
  });
  ExpectCycleFollows("the configuration read again, with other terms and operators", [&] {
    std::string file = DemoConfig();
    const std::string rule3 = "Index: 3\r\nOK\r\nOK\r\n";
    file.replace(file.find(rule3), rule3.size(), "Index: 3\r\nHIGH\r\nHIGH\r\n");
    ASSERT_TRUE(ReadConfigBytes(controller, file));
    ShowRulesInGrid(model, controller.grid);  // as the main display shows a configuration
  });
  ExpectCycleFollows("another configuration put in place whole, as an import makes one", [&] {
    ControllerModel imported = model;
    imported.OperatorNames[1] = "LEAST";  // every MIN rule names no operator now
    model = imported;
  });
}

}  // namespace
}  // namespace kavro::test
