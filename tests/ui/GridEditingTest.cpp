// Editing the configuration on the demo kiln's window with the mouse and the keyboard, as an
// operator does: the floating edit box over a main-grid cell, click stepping of rule operators
// and terms with their audit lines, the variable editor's item and zone grids with its OKAY
// and CANCEL, the run-frequency box, and Copy from the grids' pop-up menus onto the clipboard.
// The window is real and active, so focus moves as it does on a plant screen.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "DemoWindow.h"
#include "ui/CellGrid.h"
#include "ui/FLControl.h"
#include "ui/GridEditBox.h"
#include "ui/SettingsPanel.h"
#include "ui/VariableEditorPanel.h"
#include "ui/ZonePictureView.h"

using namespace kavro;
using kavro::ui::CellGrid;
using kavro::ui::GridEditBox;

namespace {

struct Harness : test::DemoWindow {
  Harness() {
    hostClipboard = &c().ports.clipboard.get();
    c().ports.clipboard = &clipboard;
    w().activateWindow();
    activated = QTest::qWaitForWindowActive(&w());
  }
  ui::FLControl& w() { return host.window(); }
  CellGrid* Main() { return w().MainGrid(); }
  GridEditBox* Box(CellGrid* grid, const char* name) { return grid->findChild<GridEditBox*>(name); }
  void Unlock() {
    w().Action("mnuScreenLock")->trigger();
    QVERIFY(!w().Action("mnuScreenLock")->isChecked());
  }
  // A key as the window system delivers it: to whichever control has the focus.
  void Type(Qt::Key key) { QTest::keyClick(w().windowHandle(), key); }
  static QString Text(CellGrid* grid, int row, int col) {
    return grid->model()->index(row, col).data().toString();
  }
  static QRect CellRect(CellGrid* grid, int row, int col) {
    const QModelIndex at = grid->model()->index(row, col);
    grid->scrollTo(at);
    return grid->visualRect(at);
  }
  static void Click(CellGrid* grid, int row, int col) {
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, CellRect(grid, row, col).center());
  }
  // What the window system sends for a double click: press, release, double click, release.
  static void DoubleClick(CellGrid* grid, int row, int col) {
    const QPoint at = CellRect(grid, row, col).center();
    QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, at);
  }
  // Replaces the box's whole text by typing, then presses the key that takes it.
  static void TypeOver(GridEditBox* box, const char* text, Qt::Key key = Qt::Key_Return) {
    box->selectAll();
    QTest::keyClicks(box, text);
    QTest::keyClick(box, key);
  }
  // The variable editor opened from a column's Config cell, with its grids and their boxes.
  struct OpenEditor {
    ui::VariableEditorPanel* panel;
    CellGrid* items;
    CellGrid* zones;
    GridEditBox* itemBox;
    GridEditBox* zoneBox;
  };
  OpenEditor OpenEditorOfColumn(int col, bool unlockFirst = false) {
    if (unlockFirst) Unlock();
    Click(Main(), grid::kRowConfig, col);
    ui::VariableEditorPanel* panel = w().VariableEditor();
    return {panel, panel->ItemGrid(), panel->ZoneGrid(), Box(panel->ItemGrid(), "txtEdit2"),
            Box(panel->ZoneGrid(), "txtEdit3")};
  }
  // Types text over a line edit's own and moves on to the next control with Tab.
  static void LeaveWith(QLineEdit* box, const char* text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
    QTest::keyClick(box, Qt::Key_Tab);
  }
  // The what, old and new fields of every audit line, oldest first.
  QStringList AuditChanges() {
    QStringList changes;
    if (!QFile::exists(QString::fromStdString(dir.File(kAuditFileName)))) return changes;
    const QString text = QString::fromStdString(dir.Read(kAuditFileName));
    for (const QString& line : text.split('\n', Qt::SkipEmptyParts)) {
      changes << line.section('\t', 2);
    }
    return changes;
  }
  // The grid's cells as the view shows them, tabs between cells, CR between rows.
  static QString ShownText(CellGrid* grid) {
    QStringList rows;
    for (int r = 0; r < grid->model()->rowCount(); ++r) {
      QStringList cells;
      for (int c = 0; c < grid->model()->columnCount(); ++c) cells << Text(grid, r, c);
      rows << cells.join('\t');
    }
    return rows.join('\r');
  }
  // A right-button click over the grid's cell, and the pop-up menu's item chosen with the keys.
  void CopyThroughPopup(CellGrid* grid, const char* item) {
    bool chosen = false;
    QObject waiting;  // the timer dies with it should no menu open
    QTimer::singleShot(0, &waiting, [&chosen, item] {
      auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      if (popup == nullptr) return;
      QAction* copy = popup->findChild<QAction*>(item);
      if (copy == nullptr) {
        popup->close();
        return;
      }
      popup->setActiveAction(copy);
      QTest::keyClick(popup, Qt::Key_Return);
      chosen = true;
    });
    const QPoint at = CellRect(grid, 1, 1).center();
    QContextMenuEvent menu(QContextMenuEvent::Mouse, at, grid->viewport()->mapToGlobal(at));
    QApplication::sendEvent(grid->viewport(), &menu);
    QVERIFY2(chosen, item);
  }

  test::FakeClipboard clipboard;
  Clipboard* hostClipboard = nullptr;
  bool activated = false;
};

}  // namespace

class GridEditingTest : public QObject {
  Q_OBJECT
 private slots:
  void editBoxOverAMainGridCellTakesChecksAndLeaves();
  void doubleClickOnTheMainGridOnlyRecordsTheCell();
  void clicksStepRuleCellsAndTheAuditTrailRecordsEachStep();
  void outputEditorTypesIntoItsGridsAndStoresOnOkay();
  void inputEditorAppliesAllOrNothingAndCancelAsks();
  void runFrequencyBoxIsCheckedOnLeavingIt();
  void copyPutsEachGridOnTheClipboardAsTabsAndCarriageReturns();
};

void GridEditingTest::editBoxOverAMainGridCellTakesChecksAndLeaves() {
  Harness h;
  QVERIFY(h.activated);
  CellGrid* grid = h.Main();
  GridEditBox* box = h.Box(grid, "txtEdit1");
  QVERIFY(box);
  h.Unlock();
  const int bztemp = grid::InputColumn(1);
  QCOMPARE(Harness::Text(grid, grid::kRowValue, bztemp), QString("1420.000"));

  // A click makes the cell current; Enter opens the box over it with the cell's text, the
  // caret at its end.
  Harness::Click(grid, grid::kRowValue, bztemp);
  QTest::keyClick(grid, Qt::Key_Return);
  QVERIFY(box->isVisible());
  QCOMPARE(box->geometry(), Harness::CellRect(grid, grid::kRowValue, bztemp));
  QCOMPARE(box->text(), QString("1420.000"));
  QCOMPARE(box->cursorPosition(), 8);
  QVERIFY(box->hasFocus());

  // Typed over and taken with Enter: formatted into the cell, the focus back on the grid,
  // one audit line; the next cycle (link off) takes the value from the grid into the model.
  Harness::TypeOver(box, "1432.5");
  QVERIFY(box->isHidden());
  QVERIFY(grid->hasFocus());
  QCOMPARE(Harness::Text(grid, grid::kRowValue, bztemp), QString("1432.500"));
  QVERIFY(h.op.messages.empty());
  QCOMPARE(h.AuditChanges(), QStringList({"BZTEMP PValue\t1420.000\t1432.500"}));
  h.clock.Advance(10);
  h.host.RunCycle();
  QCOMPARE(h.c().model.PVarIn[1].PVIN, 1432.5f);

  // A key on the grid starts the box with that character; a text that is no number is
  // answered with the message and the cell keeps its value.
  h.Type(Qt::Key_A);
  QVERIFY(box->isVisible());
  QCOMPARE(box->text(), QString("a"));
  QTest::keyClicks(box, "bc");
  QTest::keyClick(box, Qt::Key_Return);
  QCOMPARE(h.op.messages.size(), std::size_t{1});
  QCOMPARE(h.op.messages[0].text, std::string("Please Entry a Number"));
  QCOMPARE(h.op.messages[0].title, std::string("Kavro"));
  QVERIFY(h.op.messages[0].icon == MsgIcon::Exclamation);
  QVERIFY(h.op.messages[0].buttons == MsgButtons::OKCancel);
  QVERIFY(box->isHidden());
  QCOMPARE(Harness::Text(grid, grid::kRowValue, bztemp), QString("1432.500"));
  QCOMPARE(h.AuditChanges().size(), 1);

  // Escape leaves the cell as it was and gives the grid the focus back.
  h.Type(Qt::Key_9);
  QTest::keyClicks(box, "99");
  QTest::keyClick(box, Qt::Key_Escape);
  QVERIFY(box->isHidden());
  QVERIFY(grid->hasFocus());
  QCOMPARE(Harness::Text(grid, grid::kRowValue, bztemp), QString("1432.500"));
  // The arrow keys move the current cell as a table's cursor does, and open no box: the next
  // key types into the cell they reached.
  h.Type(Qt::Key_Up);
  QCOMPARE(h.c().grid.CurrentRow(), grid::kRowHigh);
  QCOMPARE(h.c().model.SelRow, int16_t{grid::kRowHigh});
  h.Type(Qt::Key_Right);
  QCOMPARE(h.c().grid.CurrentCol(), bztemp + 1);
  h.Type(Qt::Key_Left);
  h.Type(Qt::Key_Down);
  QVERIFY(box->isHidden());
  QCOMPARE(h.c().grid.CurrentRow(), grid::kRowValue);
  QCOMPARE(h.c().grid.CurrentCol(), bztemp);

  // Up takes the box and moves to the row above; the next key opens the box there.
  h.Type(Qt::Key_1);
  QTest::keyClicks(box, "33");
  // A cycle while the operator types keeps the box, its text and its caret.
  h.clock.Advance(10);
  h.host.RunCycle();
  QVERIFY(box->isVisible());
  QVERIFY(box->hasFocus());
  QCOMPARE(box->text(), QString("133"));
  QCOMPARE(box->cursorPosition(), 3);
  QTest::keyClicks(box, "3");
  QTest::keyClick(box, Qt::Key_Up);
  QVERIFY(box->isHidden());
  QCOMPARE(Harness::Text(grid, grid::kRowValue, bztemp), QString("1333.000"));
  // The view's cursor follows the core there, so the arrow keys go on from that cell.
  QCOMPARE(grid->currentIndex().row(), grid::kRowHigh);
  QCOMPARE(grid->currentIndex().column(), bztemp);
  h.Type(Qt::Key_1);
  QCOMPARE(box->geometry(), Harness::CellRect(grid, grid::kRowHigh, bztemp));
  QTest::keyClicks(box, "500");

  // Leaving the box for another control takes it as well.
  h.w().RuleRowsSelector()->setFocus();
  QVERIFY(box->isHidden());
  QCOMPARE(Harness::Text(grid, grid::kRowHigh, bztemp), QString("1500.000"));
  QCOMPARE(h.AuditChanges(),
           QStringList({"BZTEMP PValue\t1420.000\t1432.500", "BZTEMP PValue\t1432.500\t1333.000",
                        "BZTEMP High Target\t1480.000\t1500.000"}));

  // Display rows and rule terms take no typing.
  Harness::Click(grid, 6, bztemp);
  QTest::keyClick(grid, Qt::Key_5);
  Harness::Click(grid, grid::kFirstRuleRow, bztemp);  // steps the term, opens nothing
  QTest::keyClick(grid, Qt::Key_5);
  QVERIFY(box->isHidden());
}

void GridEditingTest::doubleClickOnTheMainGridOnlyRecordsTheCell() {
  Harness h;
  QVERIFY(h.activated);
  CellGrid* grid = h.Main();
  GridEditBox* box = h.Box(grid, "txtEdit1");
  h.Unlock();
  const int fuel = grid::OutputColumn(1);
  Harness::DoubleClick(grid, grid::kRowLow, fuel);
  QVERIFY(box->isHidden());
  QCOMPARE(h.c().model.SelRow, int16_t{grid::kRowLow});
  QCOMPARE(h.c().model.SelCol, int16_t{fuel});
  QCOMPARE(h.c().grid.CurrentRow(), grid::kRowLow);
  QCOMPARE(h.c().grid.CurrentCol(), fuel);
  QVERIFY(h.op.messages.empty());

  // The recorded cell is the one a key then types into.
  QTest::keyClick(grid, Qt::Key_Return);
  QVERIFY(box->isVisible());
  QCOMPARE(box->text(), QString("4.000"));
  QCOMPARE(box->geometry(), Harness::CellRect(grid, grid::kRowLow, fuel));
  QTest::keyClick(box, Qt::Key_Escape);

  // A double click on a rule term is one click and a double click: the term steps once.
  Harness::DoubleClick(grid, grid::kFirstRuleRow, grid::InputColumn(2));
  QCOMPARE(Harness::Text(grid, grid::kFirstRuleRow, grid::InputColumn(2)), QString("LOW"));
  QCOMPARE(h.AuditChanges(), QStringList({"R1 term 2 (O2)\tNot Used\tLOW"}));
  QVERIFY(box->isHidden());
}

void GridEditingTest::clicksStepRuleCellsAndTheAuditTrailRecordsEachStep() {
  Harness h;
  CellGrid* grid = h.Main();
  const int r1 = grid::kFirstRuleRow;
  const int bztemp = grid::InputColumn(1);

  // Locked: a click only tells so.
  Harness::Click(grid, r1, bztemp);
  QCOMPARE(h.op.messages.size(), std::size_t{1});
  QCOMPARE(h.op.messages[0].text, std::string("Screen is Locked, Use Menu Screen Lock To UnLock"));
  QCOMPARE(h.op.messages[0].title, std::string("Kavro"));
  QVERIFY(h.op.messages[0].icon == MsgIcon::Information);
  QCOMPARE(Harness::Text(grid, r1, bztemp), QString("VLOW"));
  QVERIFY(h.AuditChanges().isEmpty());

  h.Unlock();
  h.c().model.ChangesPending = false;
  QStringList operators;
  for (int i = 0; i < 6; ++i) {
    Harness::Click(grid, r1, grid::kColController);
    operators << Harness::Text(grid, r1, grid::kColController);
    QCOMPARE(QString::fromStdString(h.c().model.Rules[1].Operator), operators.back());
  }
  QCOMPARE(operators, QStringList({"MAX", "PROD", "BDIF", "ASUM", "BSUM", "MIN"}));
  QVERIFY(h.c().model.ChangesPending);

  // BZTEMP's zones in order, then Not Used, then round again.
  QStringList terms;
  for (int i = 0; i < 8; ++i) {
    Harness::Click(grid, r1, bztemp);
    terms << Harness::Text(grid, r1, bztemp);
    QCOMPARE(QString::fromStdString(h.c().model.Rules[1].Term[1]), terms.back());
  }
  QCOMPARE(terms,
           QStringList({"LOW", "OK", "HIGH", "VHIGH", "Zone 6", "Zone 7", "Not Used", "VLOW"}));

  // Rule 20's output terms step like every other rule's.
  Harness::Click(grid, grid::kLastRuleRow, grid::OutputColumn(2));
  QCOMPARE(Harness::Text(grid, grid::kLastRuleRow, grid::OutputColumn(2)), QString("NEG"));
  QCOMPARE(h.c().model.Rules[20].Term[8], std::string("NEG"));

  // Display rows step nothing.
  Harness::Click(grid, 6, bztemp);
  Harness::Click(grid, grid::kRowRulesHeader, bztemp);
  QCOMPARE(h.op.messages.size(), std::size_t{1});

  const QStringList audit = h.AuditChanges();
  QCOMPARE(audit.size(), 15);
  QCOMPARE(audit[0], QString("R1 operator\tMIN\tMAX"));
  QCOMPARE(audit[5], QString("R1 operator\tBSUM\tMIN"));
  QCOMPARE(audit[6], QString("R1 term 1 (BZTEMP)\tVLOW\tLOW"));
  QCOMPARE(audit[12], QString("R1 term 1 (BZTEMP)\tZone 7\tNot Used"));
  QCOMPARE(audit[14], QString("R20 term 8 (FAN)\tNot Used\tNEG"));

  // The cycle reads the stepped cells and the refresh writes the rules back unchanged.
  h.clock.Advance(10);
  h.host.RunCycle();
  QCOMPARE(Harness::Text(grid, grid::kLastRuleRow, grid::OutputColumn(2)), QString("NEG"));
  QCOMPARE(Harness::Text(grid, r1, bztemp), QString("VLOW"));
}

void GridEditingTest::outputEditorTypesIntoItsGridsAndStoresOnOkay() {
  Harness h;
  QVERIFY(h.activated);
  const auto [editor, items, zoneGrid, itemBox, zoneBox] =
      h.OpenEditorOfColumn(grid::OutputColumn(1), true);
  QVERIFY(editor->isVisible());
  QVERIFY(itemBox && zoneBox);
  auto* frame3 = editor->findChild<QWidget*>("frame3");
  QVERIFY(frame3->isVisible());
  QList<QRadioButton*> types = editor->findChildren<QRadioButton*>("optOutputType");
  QCOMPARE(types.size(), 2);
  QVERIFY(types[0]->isChecked());
  QCOMPARE(Harness::Text(items, 1, 0), QString("Var Name"));
  QCOMPARE(Harness::Text(items, 1, 1), QString("FUEL"));
  QCOMPARE(Harness::Text(items, 10, 1), QString("0.5"));
  QCOMPARE(Harness::Text(zoneGrid, 1, 2), QString("-0.300"));

  // A double click opens the box over the cell with its own text.
  Harness::DoubleClick(items, 1, 1);
  QVERIFY(itemBox->isVisible());
  QCOMPARE(itemBox->text(), QString("FUEL"));
  QCOMPARE(itemBox->geometry(), Harness::CellRect(items, 1, 1));
  Harness::TypeOver(itemBox, "COAL");
  QCOMPARE(Harness::Text(items, 1, 1), QString("COAL"));
  QVERIFY(items->hasFocus());
  // "(" and "&" are typed like any character, not taken for the arrow keys' codes.
  Harness::DoubleClick(items, 2, 1);
  Harness::TypeOver(itemBox, "t/h (coal & gas)");
  QCOMPARE(Harness::Text(items, 2, 1), QString("t/h (coal & gas)"));
  // The label column takes no typing.
  Harness::DoubleClick(items, 1, 0);
  QTest::keyClick(items, Qt::Key_X);
  QVERIFY(itemBox->isHidden());

  // Max Change below 0 becomes 0; a Change Time that is no number keeps the old value.
  Harness::DoubleClick(items, 10, 1);
  Harness::TypeOver(itemBox, "-3");
  QCOMPARE(Harness::Text(items, 10, 1), QString("0.000"));
  Harness::DoubleClick(items, 11, 1);
  Harness::TypeOver(itemBox, "abc");
  QCOMPARE(h.op.messages.size(), std::size_t{1});
  QCOMPARE(h.op.messages[0].text, std::string("Please Entry a Number"));
  QCOMPARE(Harness::Text(items, 11, 1), QString("5.000"));
  // Up takes Wait Change and moves to Change Time, where a key opens the box; Escape drops it.
  Harness::DoubleClick(items, 12, 1);
  Harness::TypeOver(itemBox, "20", Qt::Key_Up);
  QCOMPARE(Harness::Text(items, 12, 1), QString("20.000"));
  h.Type(Qt::Key_7);
  QCOMPARE(itemBox->geometry(), Harness::CellRect(items, 11, 1));
  QCOMPARE(itemBox->text(), QString("7"));
  QTest::keyClick(itemBox, Qt::Key_Escape);
  QCOMPARE(Harness::Text(items, 11, 1), QString("5.000"));

  // An output zone: only point 1 is typed, and the other points follow it; membership values
  // are cut to 0..1; names are typed on the zone-name rows only.
  Harness::DoubleClick(zoneGrid, 1, 3);
  QVERIFY(zoneBox->isHidden());
  Harness::DoubleClick(zoneGrid, 1, 2);
  QCOMPARE(zoneBox->text(), QString("-0.300"));
  Harness::TypeOver(zoneBox, "-0.4");
  for (int col = 2; col <= 5; ++col) QCOMPARE(Harness::Text(zoneGrid, 1, col), QString("-0.400"));
  Harness::DoubleClick(zoneGrid, 2, 2);
  Harness::TypeOver(zoneBox, "1.5");
  QCOMPARE(Harness::Text(zoneGrid, 2, 2), QString("1.000"));
  Harness::DoubleClick(zoneGrid, 2, 0);
  QVERIFY(zoneBox->isHidden());
  Harness::DoubleClick(zoneGrid, 3, 0);
  Harness::TypeOver(zoneBox, "NEGM");
  QCOMPARE(Harness::Text(zoneGrid, 3, 0), QString("NEGM"));
  types[1]->click();

  // Nothing reaches the model before OKAY; then everything does.
  const PVarOutRecord& fuel = h.c().model.PVarOut[1];
  QCOMPARE(fuel.PVarName, std::string("FUEL"));
  QCOMPARE(fuel.Zone[1].MFPValue[4], -0.3f);
  QTest::mouseClick(editor->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
  QVERIFY(!editor->isVisible());
  QCOMPARE(fuel.PVarName, std::string("COAL"));
  QCOMPARE(fuel.Units, std::string("t/h (coal & gas)"));
  QCOMPARE(fuel.Max_Change, 0.0f);
  QCOMPARE(fuel.Change_Time, 5.0f);
  QCOMPARE(fuel.Wait_Change, 20.0f);
  QCOMPARE(fuel.OutputType, std::string("Abs"));
  for (int p = 1; p <= 4; ++p) QCOMPARE(fuel.Zone[1].MFPValue[p], -0.4f);
  QCOMPARE(fuel.Zone[2].MFName, std::string("NEGM"));
  // The status display shows the new name; the rules still naming NEGS are warned of.
  QCOMPARE(Harness::Text(h.Main(), grid::kRowName, grid::OutputColumn(1)), QString("COAL"));
  QVERIFY(h.w().EditWarnings()->isVisible());
  QVERIFY2(h.w().EditWarnings()->text().contains("\"NEGS\" names no zone of COAL"),
           qPrintable(h.w().EditWarnings()->text()));
  const QStringList audit = h.AuditChanges();
  QVERIFY(audit.contains("FUEL PVarName\tFUEL\tCOAL"));
  QVERIFY(audit.contains("FUEL OutputType\tIncr\tAbs"));
  QVERIFY(audit.contains("FUEL zone 2 name\tNEGS\tNEGM"));
}

void GridEditingTest::inputEditorAppliesAllOrNothingAndCancelAsks() {
  Harness h;
  QVERIFY(h.activated);
  const auto [editor, items, zoneGrid, itemBox, zoneBox] =
      h.OpenEditorOfColumn(grid::InputColumn(1), true);
  QVERIFY(editor->isVisible());
  QVERIFY(!editor->findChild<QWidget*>("frame3")->isVisible());

  // An input has five items: DCS Out and below take no typing.
  Harness::DoubleClick(items, 6, 1);
  QVERIFY(itemBox->isHidden());
  Harness::DoubleClick(items, 1, 1);
  Harness::TypeOver(itemBox, "BZT2");
  // Zone 3 (OK) runs 1390, 1410, 1430, 1450: point 3 below point 2 is out of order.
  const QImage pictureBefore = editor->Picture()->grab().toImage();
  Harness::DoubleClick(zoneGrid, 5, 4);
  QCOMPARE(zoneBox->text(), QString("1430.000"));
  Harness::TypeOver(zoneBox, "1400");
  // The picture follows the typed cells, before anything is stored.
  QVERIFY(editor->Picture()->grab().toImage() != pictureBefore);
  auto* ok = editor->findChild<QPushButton*>("cmdOK");
  QTest::mouseClick(ok, Qt::LeftButton);
  QCOMPARE(h.op.messages.size(), std::size_t{1});
  QCOMPARE(h.op.messages[0].text,
           std::string("Zone 3 (OK) Process Values Are Not In Ascending Order - Please Correct"));
  QCOMPARE(h.op.messages[0].title, std::string("Kavro"));
  QVERIFY(h.op.messages[0].icon == MsgIcon::Critical);
  // Nothing stored, not even the name read before the zones; the entries stay on screen.
  QVERIFY(editor->isVisible());
  QCOMPARE(h.c().model.PVarIn[1].PVarName, std::string("BZTEMP"));
  QCOMPARE(h.c().model.PVarIn[1].Zone[3].MFPValue[3], 1430.0f);
  QCOMPARE(Harness::Text(items, 1, 1), QString("BZT2"));
  QCOMPARE(Harness::Text(zoneGrid, 5, 4), QString("1400.000"));
  QCOMPARE(Harness::Text(h.Main(), grid::kRowName, grid::InputColumn(1)), QString("BZTEMP"));
  QVERIFY(h.AuditChanges().isEmpty());

  // CANCEL asks while changes are pending; No keeps the editor and its entries.
  h.op.answers = {MsgAnswer::No};
  auto* cancel = editor->findChild<QPushButton*>("cmdCancel");
  QTest::mouseClick(cancel, Qt::LeftButton);
  QCOMPARE(h.op.messages.size(), std::size_t{2});
  QCOMPARE(h.op.messages[1].text, std::string("Any Changes Made Will Not Be Saved - Continue?"));
  QCOMPARE(h.op.messages[1].title, std::string("KILN1"));
  QVERIFY(h.op.messages[1].buttons == MsgButtons::YesNo);
  QVERIFY(editor->isVisible());
  QCOMPARE(Harness::Text(zoneGrid, 5, 4), QString("1400.000"));

  // Put right, OKAY stores the name and the point together.
  Harness::DoubleClick(zoneGrid, 5, 4);
  Harness::TypeOver(zoneBox, "1425");
  QTest::mouseClick(ok, Qt::LeftButton);
  QCOMPARE(h.op.messages.size(), std::size_t{2});
  QVERIFY(!editor->isVisible());
  QCOMPARE(h.c().model.PVarIn[1].PVarName, std::string("BZT2"));
  QCOMPARE(h.c().model.PVarIn[1].Zone[3].MFPValue[3], 1425.0f);
  QCOMPARE(Harness::Text(h.Main(), grid::kRowName, grid::InputColumn(1)), QString("BZT2"));
  QCOMPARE(h.AuditChanges(), QStringList({"BZTEMP PVarName\tBZTEMP\tBZT2",
                                          "BZTEMP zone 3 (OK) point 3\t1430\t1425"}));

  // Opened again and left with Yes: the editor goes and the model stays as stored.
  QVERIFY(h.OpenEditorOfColumn(grid::InputColumn(1)).panel->isVisible());
  QCOMPARE(Harness::Text(items, 1, 1), QString("BZT2"));
  Harness::DoubleClick(items, 1, 1);
  Harness::TypeOver(itemBox, "GONE");
  h.op.answers = {MsgAnswer::Yes};
  QTest::mouseClick(cancel, Qt::LeftButton);
  QVERIFY(!editor->isVisible());
  QCOMPARE(h.c().model.PVarIn[1].PVarName, std::string("BZT2"));
  QCOMPARE(h.AuditChanges().size(), 2);
}

void GridEditingTest::runFrequencyBoxIsCheckedOnLeavingIt() {
  Harness h;
  QVERIFY(h.activated);
  h.Unlock();
  Harness::Click(h.Main(), grid::kRowConfig, grid::kColController);
  ui::SettingsPanel* panel = h.w().Settings();
  QVERIFY(panel->isVisible());
  QLineEdit* runFrequency = panel->Box(ControllerSettingsPanel::kRunFrequency);
  QCOMPARE(runFrequency->text(), QString("10"));

  Harness::LeaveWith(runFrequency, "5");  // Tab leaves the box  // leaves the box
  QCOMPARE(h.op.messages.size(), std::size_t{1});
  QCOMPARE(h.op.messages[0].text, std::string("Please Enter a Frequency Greater Than 10 Seconds"));
  QVERIFY(h.op.messages[0].icon == MsgIcon::Exclamation);
  QCOMPARE(runFrequency->text(), QString("10"));

  Harness::LeaveWith(runFrequency, "abc");
  QCOMPARE(h.op.messages.size(), std::size_t{2});
  QCOMPARE(h.op.messages[1].text,
           std::string("Please Enter a Numeric Value Greater Than 10 Seconds"));
  QCOMPARE(runFrequency->text(), QString("10"));

  Harness::LeaveWith(runFrequency, "45.5");
  QCOMPARE(h.op.messages.size(), std::size_t{2});
  QCOMPARE(runFrequency->text(), QString("46"));    // halves to even
  QCOMPARE(h.c().model.FLCBlock.RunFrequency, 10);  // stored by OKAY only
}

void GridEditingTest::copyPutsEachGridOnTheClipboardAsTabsAndCarriageReturns() {
  Harness h;
  QVERIFY(h.activated);
  h.host.RunCycle();
  CellGrid* grid = h.Main();
  h.CopyThroughPopup(grid, "mnuCopy");
  const QString main = QString::fromStdString(h.clipboard.text);
  QCOMPARE(main, Harness::ShownText(grid));
  QVERIFY(!main.contains('\n'));
  QVERIFY(!main.endsWith('\r'));
  QCOMPARE(main.count('\r'), 32);
  QCOMPARE(main.count('\t'), 33 * 9);
  QVERIFY2(main.startsWith("MASTER: "), qPrintable(main.left(40)));
  QVERIFY(
      main.contains("\tMIN\tVLOW\tNot Used\tNot Used\tNot Used\tNot Used\tNot Used\tPOSL"
                    "\tNot Used\r"));

  // The zone grid of the open variable editor, from its own pop-up menu.
  h.Unlock();
  CellGrid* zoneGrid = h.OpenEditorOfColumn(grid::OutputColumn(2)).zones;
  h.CopyThroughPopup(zoneGrid, "mnuCopy3");
  const std::string zoneText = h.clipboard.text;
  QCOMPARE(QString::fromStdString(zoneText), Harness::ShownText(zoneGrid));
  QVERIFY2(zoneText.rfind("Zone Name\tItem\tPoint 1\tPoint 2\tPoint 3\tPoint 4\r"
                          "NEG\tProcess Value\t",
                          0) == 0,
           zoneText.c_str());
  QVERIFY(zoneText.find("\r\tMF Value\t") != std::string::npos);
  QCOMPARE(std::count(zoneText.begin(), zoneText.end(), '\r'), 14L);

  // The window's own clipboard port hands the same text to the desktop's clipboard.
  h.c().ports.clipboard = h.hostClipboard;
  h.w().Action("mnuCopy3")->trigger();
  QCOMPARE(QApplication::clipboard()->text(), QString::fromStdString(zoneText));
}

QTEST_MAIN(GridEditingTest)
#include "GridEditingTest.moc"
