// The operator window as the operator meets it: start-up, closing, the menus, what a cycle
// leaves on the screen, the screen lock, the rule-rows selector and the notice panel. Each test
// starts a real window with fake ports (answers from a script, a fixed clock, a timer the test
// drives by hand).
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <filesystem>
#include <functional>

#include "common/KavroError.h"
#include "common/NumberText.h"
#include "display/LinkPanel.h"
#include "display/PenColours.h"
#include "display/RuleRowsSelector.h"
#include "display/StatusFrame.h"
#include "display/StatusRefresh.h"
#include "support/FakePorts.h"
#include "support/TempFiles.h"
#include "support/TestPaths.h"
#include "ui/CellGrid.h"
#include "ui/ControllerHost.h"
#include "ui/EventLogView.h"
#include "ui/FLControl.h"
#include "ui/GridEditBox.h"
#include "ui/RuleBaseViews.h"
#include "ui/RuleFiringWindow.h"
#include "ui/ScriptEditorWindow.h"
#include "ui/SettingsPanel.h"
#include "ui/SplashWindow.h"
#include "ui/SurfaceWindow.h"
#include "ui/VariableEditorPanel.h"
#include "ui/WorkFolderDialog.h"

using namespace kavro;
using kavro::ui::CellGrid;
using kavro::ui::ControllerHost;

namespace {

QString Hex(Colour c) {
  return QColor(c.Red(), c.Green(), c.Blue()).name();
}

// A host whose operator, clock and timer are fakes; the window is real.
struct Harness {
  explicit Harness(const std::string& flcDat = "") {
    if (!flcDat.empty()) dir.Write("FLC.dat", flcDat);
    Ports& ports = host.controller().ports;
    ports.op = &op;
    ports.clock = &clock;
    ports.timer = &timer;
    host.Start(dir.Path());
  }
  Controller& c() { return host.controller(); }
  ui::FLControl& w() { return host.window(); }
  QString Cell(int row, int col) {
    return w().MainGrid()->model()->index(row, col).data().toString();
  }
  QColor CellColour(int row, int col, Qt::ItemDataRole role) {
    return w().MainGrid()->model()->index(row, col).data(role).value<QColor>();
  }
  QLabel* Label(const char* name, int index = -1) {
    for (QLabel* l : w().findChildren<QLabel*>(name)) {
      if (index < 0 || l->property("index").toInt() == index) return l;
    }
    return nullptr;
  }
  void ClickCell(CellGrid* grid, int row, int col) {
    grid->scrollTo(grid->model()->index(row, col));
    const QRect cell = grid->visualRect(grid->model()->index(row, col));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
  }
  std::string AuditText() { return dir.Read("kavro-audit.log"); }
  void Trigger(const char* action) {
    QAction* a = w().Action(action);
    QVERIFY2(a != nullptr, action);
    QVERIFY2(a->isEnabled(), action);
    a->trigger();
  }
  test::ScratchDir dir;
  test::FakeOperator op;
  test::FakeClock clock;
  test::FakeCycleTimer timer;
  ControllerHost host;
};

std::string ConfigText(const std::string& mode) {
  std::string text;
  for (const char* line :
       {"FLCVersion: Kavro Version 1.0.0", "12/5/2026 6:00:00 PM", "Program_Interface: NONE",
        "RESTART I/F: NO", "Start_FLC_Block:", "Name1: KILN1", "RunFrequency: 30",
        "LinkFrequency: 10", "SlopeCorr: False", "End_FLC_Block:", "Start_ControlMode:"}) {
    text += std::string(line) + "\r\n";
  }
  return text + mode + "\r\nEnd_ControlMode:\r\n";
}

}  // namespace

class FLControlTest : public QObject {
  Q_OBJECT
 private slots:
  void startsWithoutConfigurationInToFileWithDefaults();
  void startsInToDcsWhenTheConfigurationSavedIt();
  void aBadConfigurationIsReportedAndStartUpGoesOn();
  void closeRequestsAreRefusedWithANotice();
  void exitAsksBothQuestionsAndOnlyYesEnds();
  void menuBarHasTheCaptionsInOrderAndCommandsEnableItems();
  void cycleLeavesStatusGridAndLabelsOnScreen();
  void screenLocksAgainOnTheTenthCycleAfterUnlock();
  void ruleRowsSelectorSetsVisibleRowsOnLeavingIt();
  void failuresFromWindowEventsAreShownNotThrown();
  void noticePanelShowsCycleErrorsUntilDismissed();
  void calculationReportListToggles();
  void linkDebugPanelOpensOverTheRuleSelectorAndHides();
  void splashGrowsItsProductLineAndClosesItself();
  void workFolderChooserOffersRecentFoldersAndRefusesOneWithoutConfiguration();
  void eventLogViewFollowsAFullLog();
  void settingsPanelOpensFromRowOneAndAppliesWholeOrNothing();
  void lockedScreenRefusesKeysAndUnlockedKeysOpenTheEditBox();
  void variableEditorStoresAZonePointAndTheAuditTabShowsIt();
  void variableEditorShowsEveryTextWholeOnA1280By800Screen();
  void everyViewClosesWithItsCloseButtonAndWithEscape();
};

void FLControlTest::startsWithoutConfigurationInToFileWithDefaults() {
  Harness h;
  QVERIFY(h.op.messages.empty());
  QCOMPARE(h.timer.intervals, std::vector<int>{2000});
  QCOMPARE(h.w().windowTitle(), QString(": Kavro"));
  QCOMPARE(h.Label("lblMode")->text(), QString("To File"));
  QVERIFY(h.Label("lblMode")->styleSheet().contains(Hex(OffColour)));
  QCOMPARE(h.Label("lblLink")->text(), QString("Link OFF"));
  QVERIFY(h.Label("lblLink")->styleSheet().contains(Hex(PaletteColour(12))));
  QCOMPARE(h.Label("Label5", 0)->text(), QString("Last Run:"));
  QCOMPARE(h.Label("Label5", 2)->text(), QString("Write:"));
  QCOMPARE(h.Label("Label3")->text(), QString("Kavro: Fuzzy Logic Controller: "));
  QVERIFY(!h.w().MenuOf("mnuControlMode")->isEnabled());
  QVERIFY(h.w().Action("mnuScreenLock")->isChecked());
  QVERIFY(h.w().Action("mnuToFile")->isChecked());
  QVERIFY(!h.w().Action("mnuDebugLink")->isEnabled());  // no link on, none of the OPC kind
  QCOMPARE(h.Cell(2, 0), QString("High Target"));
  QCOMPARE(h.Cell(4, 0), QString("Low Target"));
  QCOMPARE(h.Cell(31, 0), QString("R20: Not Used"));
  QCOMPARE(h.Cell(12, 1), QString("MIN"));
  QCOMPARE(h.Cell(1, 2), QString("Config"));
  QCOMPARE(h.w().OutputStrip()->model()->index(0, 0).data().toString(), QString("Output"));
  QCOMPARE(h.w().RuleRowsSelector()->count(), 10);
  QCOMPARE(h.w().RuleRowsSelector()->itemText(0), QString("R11"));
  // The window fits a 1280 x 800 plant screen.
  QVERIFY(h.w().minimumSizeHint().width() <= 1280);
  QVERIFY(h.w().minimumSizeHint().height() <= 800);
}

void FLControlTest::startsInToDcsWhenTheConfigurationSavedIt() {
  Harness h(ConfigText("DCS"));
  QVERIFY(h.op.messages.empty());
  QCOMPARE(h.w().windowTitle(), QString("KILN1: Kavro"));
  QCOMPARE(h.Label("lblMode")->text(), QString("To DCS"));
  QVERIFY(h.Label("lblMode")->styleSheet().contains(Hex(PaletteColour(10))));
  QVERIFY(h.w().Action("mnuToDCS")->isChecked());
  QVERIFY(!h.w().Action("mnuToFile")->isChecked());
  QCOMPARE(h.Cell(1, 0), QString("Freq: 30"));

  Harness file(ConfigText("File"));
  QCOMPARE(file.Label("lblMode")->text(), QString("To File"));
}

void FLControlTest::aBadConfigurationIsReportedAndStartUpGoesOn() {
  // An input slot beyond the table stops the reading with a message.
  std::string text = ConfigText("DCS");
  text.insert(text.find("Start_ControlMode:"),
              "Start_PVarIn:\r\nIndex: 9\r\nPVarName: FLOW\r\nEnd_PVarIn:\r\n");
  Harness h(text);
  QCOMPARE(h.op.messages.size(), std::size_t{1});
  QVERIFY(h.op.messages[0].text.rfind("Error in Read FLC.DAT File", 0) == 0);
  QCOMPARE(h.w().windowTitle(), QString("KILN1: Kavro"));    // what was read before stays
  QCOMPARE(h.Label("lblMode")->text(), QString("To File"));  // the mode block was never reached
  QCOMPARE(h.timer.intervals, std::vector<int>{2000});
}

void FLControlTest::closeRequestsAreRefusedWithANotice() {
  Harness h;
  QVERIFY(!h.w().close());
  QVERIFY(h.w().isVisible());
  QCOMPARE(h.op.messages.size(), std::size_t{1});
  QCOMPARE(h.op.messages[0].text, std::string("Please Exit via the File, Exit Menu Option"));
  QCOMPARE(h.op.messages[0].title, std::string("Kavro"));
  QVERIFY(h.op.messages[0].icon == MsgIcon::Critical);
  QVERIFY(!h.c().model.CycleHold);
}

void FLControlTest::exitAsksBothQuestionsAndOnlyYesEnds() {
  Harness h(ConfigText("File"));
  QSignalSpy ended(&h.host, &ControllerHost::Ended);
  h.c().model.ChangesPending = true;
  h.op.answers = {MsgAnswer::No};
  h.Trigger("mnuExit");
  QCOMPARE(h.op.messages.size(), std::size_t{1});
  QCOMPARE(h.op.messages[0].text, std::string("Any Changes Made Will Not Be Saved - Continue?"));
  QCOMPARE(h.op.messages[0].title, std::string("KILN1"));
  QVERIFY(h.c().model.ChangesPending);

  h.op.answers = {MsgAnswer::Yes, MsgAnswer::No};
  h.Trigger("mnuExit");
  QCOMPARE(h.op.messages.size(), std::size_t{3});
  QCOMPARE(h.op.messages[2].text, std::string("Please Confirm - End Control"));
  QCOMPARE(ended.count(), 0);

  h.op.answers = {MsgAnswer::Yes};
  h.Trigger("mnuExit");  // only the confirmation this time
  QCOMPARE(h.op.messages.size(), std::size_t{4});
  QCOMPARE(ended.count(), 1);
  QVERIFY(!h.timer.armed);  // no further cycle runs
  QVERIFY(h.w().close());   // and the window may now go
}

void FLControlTest::menuBarHasTheCaptionsInOrderAndCommandsEnableItems() {
  Harness h;
  QStringList bar;
  for (QAction* menu : h.w().menuBar()->actions()) bar << menu->text();
  QCOMPARE(bar, QStringList({"&File", "Lin&k", "&Control Mode", "&Script", "C&alc", "&Debug",
                             "Scree&n Lock", "&Help"}));
  QStringList file;
  for (QAction* item : h.w().MenuOf("mnuFile")->actions()) {
    file << (item->isSeparator() ? "-" : item->text());
  }
  QCOMPARE(file, QStringList({"&Printer Setup", "Pri&nt Screen", "Print To &File",
                              "Export &Trend...", "-", "&Save", "-", "&Exit"}));
  QStringList help;
  for (QAction* item : h.w().MenuOf("mnuHelp")->actions()) {
    help << (item->isSeparator() ? "-" : item->text());
  }
  QCOMPARE(help, QStringList({"&Error Codes", "-", "&About"}));
  // Alt and one letter reach one item: every item of every menu has exactly one access key,
  // and no two items of one menu (nor two menus of the bar) share it.
  const auto accessKey = [](const QString& text) {
    QString keys;
    for (int i = 0; i + 1 < text.size(); ++i) {
      if (text[i] != '&') continue;
      if (text[i + 1] != '&') keys += text[i + 1].toUpper();
      ++i;
    }
    return keys;
  };
  const auto checkMenu = [&](const QList<QAction*>& actions, const QString& where) {
    QStringList seen;
    for (QAction* item : actions) {
      if (item->isSeparator() || !item->isVisible()) continue;
      const QString key = accessKey(item->text());
      QVERIFY2(key.size() == 1, qPrintable(where + ": " + item->text()));
      QVERIFY2(!seen.contains(key), qPrintable(where + ": " + key + " twice"));
      seen << key;
    }
  };
  checkMenu(h.w().menuBar()->actions(), "menu bar");
  for (QAction* menu : h.w().menuBar()->actions()) {
    if (menu->menu()) checkMenu(menu->menu()->actions(), menu->text());
  }
  QVERIFY(h.w().Action("mnuLinkStatus")->isEnabled());
  QVERIFY(h.w().Action("mnuSave")->isEnabled());
  QVERIFY(h.w().Action("mnuPrintSetup")->isEnabled());
  QVERIFY(h.w().Action("mnuSlope")->isCheckable());

  h.Trigger("mnuSlope");
  QVERIFY(h.w().Action("mnuSlope")->isChecked());
  QVERIFY(h.c().model.FLCBlock.SlopeCorr);
  QCOMPARE(h.Cell(2, 1), QString("Slope - OFF"));  // shown at the next refresh
  h.Trigger("mnuErrorCodes");
  QVERIFY(h.op.messages.back().text.rfind("Error Codes:\r\n", 0) == 0);
}

void FLControlTest::cycleLeavesStatusGridAndLabelsOnScreen() {
  Harness h(ConfigText("File"));
  ControllerModel& m = h.c().model;
  // One input and one output, one rule from the input's LOW zone to the output's UP zone.
  m.PVarIn[1].PVarName = "TEMP";
  m.PVarIn[1].Zone[1].MFName = "LOW";
  m.PVarIn[1].Zone[1].MFPValue = {0, 0, 0, 100, 200};
  m.PVarIn[1].Zone[1].MFValue = {0, 1, 1, 1, 0};
  PVarOutRecord& out = m.PVarOut[1];
  out.PVarName = "FUEL";
  out.OutputType = kAbs;
  out.Zone[1].MFName = "UP";
  out.Zone[1].MFPValue = {0, 9, 10, 10, 11};
  out.Zone[1].MFValue = {0, 0, 1, 1, 0};
  out.Max_Change = 1;
  out.Change_Time = 2;
  out.Wait_Change = 10;
  m.Rules[1].Term[1] = "LOW";
  m.Rules[1].Term[7] = "UP";
  m.DCSOnOffValue = 1;
  h.c().model.Scripts.PostScriptOn = true;
  out.ScriptAdjust = 0.5f;
  RefreshStatus(h.c());  // the rule cells, which the cycle reads back, now hold the rule

  MainGrid& g = h.c().grid;
  g.SetText(grid::kRowValue, grid::InputColumn(1), "150.000");  // typed by the operator
  float fuel = 5;
  for (int cycle = 0; cycle < 30 && !out.ClampIncrease; ++cycle) {
    g.SetText(grid::kRowValue, grid::OutputColumn(1), FormatNumber(fuel, "####0.000"));
    fuel += 2;  // the output rises faster than its Max_Change
    h.clock.Advance(30);
    h.host.RunCycle();
  }
  QVERIFY(out.ClampIncrease);

  QGroupBox* frame = h.w().findChild<QGroupBox*>("frameStatus");
  // The link is off here: the frame is grey and says so, the DCS's switch is not shown.
  QCOMPARE(frame->title(), QString("Status - To File - Link OFF"));
  QVERIFY(frame->styleSheet().contains(Hex(PaletteColour(7))));
  QCOMPARE(h.Cell(0, 0), QString("MASTER: Link OFF"));
  QCOMPARE(h.Cell(3, 1), QString("Error = -91"));  // To File with output 1's increases held
  QCOMPARE(h.Label("lblErrorCode")->text(),
           QString("-91 = Output To FILE + Output 1 increases blocked"));
  QCOMPARE(h.CellColour(3, 1, Qt::ForegroundRole), QColor(255, 0, 0));
  QCOMPARE(h.Cell(5, 2), QString("LOW"));
  QCOMPARE(h.Cell(6, 2), QString("0.500"));
  QCOMPARE(h.Cell(12, 0), QString("R1: 0.5000"));
  QCOMPARE(h.CellColour(12, 0, Qt::ForegroundRole), QColor(255, 0, 0));
  QCOMPARE(h.Cell(13, 0), QString("R2: Not Used"));
  QCOMPARE(h.CellColour(13, 0, Qt::ForegroundRole), QColor(0, 0, 128));
  QVERIFY(h.Label("lblClamp", 0)->isVisibleTo(&h.w()));
  QVERIFY(h.Label("lblClamp", 0)->text().startsWith("HIGH-"));
  QVERIFY(!h.Label("lblClamp", 1)->isVisibleTo(&h.w()));
  QVERIFY(h.Label("lblVarIndex", 0)->text().contains('.'));
  QCOMPARE(h.Cell(6, 8), QString("0.500"));  // the post-process script's adjustment
  QCOMPARE(h.CellColour(6, 8, Qt::ForegroundRole).name(), Hex(PenColor(8)));
  QVERIFY(h.Label("Label5", 0)->text().startsWith(" Last Run:   Dec-05-2026 "));

  // To DCS: the error cell loses the -90; master switched off: index labels N/A.
  h.Trigger("mnuToDCS");
  m.DCSOnOffValue = 0;
  h.host.RunCycle();
  QCOMPARE(frame->title(), QString("Status - To DCS - Link OFF"));
  QCOMPARE(h.Cell(3, 1), QString("Error = -1"));
  QCOMPARE(h.Label("lblErrorCode")->text(), QString("-1 = Output 1 increases blocked"));
  QCOMPARE(h.Label("lblVarIndex", 0)->text(), QString("N/A"));
  h.c().model.Scripts.PostScriptOn = false;
  h.host.RunCycle();
  QCOMPARE(h.Cell(6, 8), QString(""));
}

void FLControlTest::screenLocksAgainOnTheTenthCycleAfterUnlock() {
  Harness h(ConfigText("File"));  // RunFrequency 30
  h.host.RunCycle();
  QVERIFY(h.w().MenuOf("mnuControlMode")->isEnabled());  // enabled by the first cycle
  h.Trigger("mnuScreenLock");
  QVERIFY(!h.w().Action("mnuScreenLock")->isChecked());
  QCOMPARE(h.c().model.LockCountdown, int16_t{300});
  for (int cycle = 1; cycle <= 9; ++cycle) {
    h.host.RunCycle();
    QVERIFY2(!h.w().Action("mnuScreenLock")->isChecked(), qPrintable(QString::number(cycle)));
  }
  h.host.RunCycle();
  QVERIFY(h.w().Action("mnuScreenLock")->isChecked());
  QCOMPARE(h.c().model.LockCountdown, int16_t{0});
}

void FLControlTest::ruleRowsSelectorSetsVisibleRowsOnLeavingIt() {
  Harness h;
  QComboBox* selector = h.w().RuleRowsSelector();
  const auto leaveWith = [&](const QString& text) {
    selector->setCurrentText(text);
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(selector->lineEdit(), &leave);
  };
  QCOMPARE(h.w().MainGrid()->maximumHeight(), h.w().MainGrid()->HeightOfRows(32));
  leaveWith("R11");
  QCOMPARE(h.c().window.ruleRows->RuleRowsShown, 23);
  QCOMPARE(h.w().MainGrid()->maximumHeight(),
           std::max(h.w().MainGrid()->minimumHeight(), h.w().MainGrid()->HeightOfRows(23)));
  QVERIFY(!h.c().model.CycleHold);
  leaveWith("R1");  // too short: ignored
  QCOMPARE(h.c().window.ruleRows->RuleRowsShown, 23);
  leaveWith("R1x");  // no number: ignored
  QCOMPARE(h.c().window.ruleRows->RuleRowsShown, 23);
  selector->setCurrentIndex(4);  // choosing R15 from the list
  emit selector->activated(4);
  QCOMPARE(h.c().window.ruleRows->RuleRowsShown, 27);
}

void FLControlTest::failuresFromWindowEventsAreShownNotThrown() {
  {
    // A rule strength that is no number makes the display rebuild fail half way.
    Harness h;
    h.c().model.Rules[1].Strength = "garbage";
    QComboBox* selector = h.w().RuleRowsSelector();
    selector->setCurrentText("R11");
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(selector->lineEdit(), &leave);
    QCOMPARE(h.op.messages.size(), std::size_t{1});
    QCOMPARE(h.op.messages[0].text,
             std::string("Error Number = 13\r\nError Description = Type mismatch"));
    QVERIFY(!h.c().model.CycleHold);
  }
  {
    // A start-up that fails outside its passed-over steps is shown, and the window comes up.
    test::ScratchDir dir;
    test::FakeOperator op;
    test::FakeCycleTimer timer;
    ControllerHost host;
    host.controller().ports.op = &op;
    host.controller().ports.timer = &timer;
    host.startupSteps().layoutWindow = [](Controller&) {
      throw KavroError(errors::kPathFileAccess, errors::kPathFileAccessText);
    };
    host.Start(dir.Path());
    QCOMPARE(op.messages.size(), std::size_t{1});
    QCOMPARE(op.messages[0].text,
             std::string("Error Number = 75\r\nError Description = Path/File access error"));
    QVERIFY(host.window().isVisible());
  }
}

void FLControlTest::noticePanelShowsCycleErrorsUntilDismissed() {
  Harness h;
  QFrame* panel = h.w().findChild<QFrame*>("noticePanel");
  QVERIFY(!panel->isVisibleTo(&h.w()));
  h.c().grid.SetText(grid::kRowValue, grid::InputColumn(1), "abc");  // not a number
  h.host.RunCycle();
  QVERIFY(panel->isVisibleTo(&h.w()));
  QVERIFY(h.Label("noticeText")->text().contains("At error location = TIMER1: 4"));
  QCOMPARE(h.timer.intervals.size(), std::size_t{2});  // re-armed all the same
  QVERIFY(h.op.messages.empty());                      // nothing modal held the cycle

  h.w().findChild<QPushButton*>("cmdNoticeLog")->click();
  QVERIFY(h.w().EventLog()->isVisible());
  QCOMPARE(h.w().EventLog()->RowCount(), 2);  // how start-up read the configuration, the error
  h.w().findChild<QPushButton*>("cmdDismissNotice")->click();
  QVERIFY(!panel->isVisibleTo(&h.w()));
  QCOMPARE(h.c().events.Entries().size(), std::size_t{2});  // still in the log
}

void FLControlTest::calculationReportListToggles() {
  Harness h;
  QListWidget* list = h.w().findChild<QListWidget*>("lstDebug");
  h.Trigger("mnuDebugCalc");
  QVERIFY(list->isVisibleTo(&h.w()));
  QVERIFY(list->count() > 4);
  QCOMPARE(list->item(0)->text(), QString("Dec-05-2026 12:00:00"));
  h.Trigger("mnuDebugCalc");
  QVERIFY(!list->isVisibleTo(&h.w()));
}

void FLControlTest::linkDebugPanelOpensOverTheRuleSelectorAndHides() {
  std::string opc = ConfigText("File");
  opc.replace(opc.find("NONE"), 4, "VELDTBRG");
  Harness h(opc);
  auto* panel = h.w().findChild<QGroupBox*>("Frame1");
  QVERIFY(panel != nullptr);
  QCOMPARE(panel->title(), QString("LinkDebug"));
  QVERIFY(!panel->isVisibleTo(&h.w()));
  QVERIFY(h.w().RuleRowsSelector()->isVisibleTo(&h.w()));

  h.Trigger("mnuDebugLink");
  QVERIFY(panel->isVisibleTo(&h.w()));
  QVERIFY(!h.w().RuleRowsSelector()->isVisibleTo(&h.w()));
  QCOMPARE(panel->findChild<QLabel*>("lblCountRead")->text(), QString("0/0"));
  QVERIFY(panel->findChild<QLabel*>("lblLastRead")->text().startsWith("Last Read: "));
  QVERIFY(panel->findChild<QListWidget*>("lstLinkMsg") != nullptr);

  // The tick is only recorded; the cycle's refresh lists accordingly and keeps the panel open.
  auto* tagsNotFound = panel->findChild<QCheckBox*>("chkTagsNotFound");
  QCOMPARE(tagsNotFound->text(), QString("Tags Not Found"));
  tagsNotFound->click();
  QVERIFY(h.c().window.Frame1->chkTagsNotFound);
  h.clock.Advance(30);
  h.host.RunCycle();
  QVERIFY(panel->isVisibleTo(&h.w()));
  QVERIFY(tagsNotFound->isChecked());

  auto* hide = panel->findChild<QPushButton*>("cmdHide");
  QCOMPARE(hide->text(), QString("HIDE"));
  hide->click();
  QVERIFY(!panel->isVisibleTo(&h.w()));
  QVERIFY(h.w().RuleRowsSelector()->isVisibleTo(&h.w()));
}

void FLControlTest::workFolderChooserOffersRecentFoldersAndRefusesOneWithoutConfiguration() {
  test::ScratchDir kiln;
  kiln.Write("FLC.dat", ConfigText("File"));
  test::ScratchDir home;  // no FLC.dat
  test::ScratchDir settings;
  RecentFolders recent(SystemFileSystem(), settings.File("recent-folders"));
  QVERIFY(recent.Remember(home.Path()));  // gone from the list: it holds no controller
  QVERIFY(recent.Remember(kiln.Path()));
  ui::WorkFolderDialog chooser(SystemFileSystem(), recent, QString::fromStdString(home.Path()));
  QCOMPARE(chooser.recentList()->count(), 1);
  QCOMPARE(chooser.recentList()->item(0)->text(), QString::fromStdString(kiln.Path()));

  chooser.Choose(QString::fromStdString(home.Path()));
  QCOMPARE(chooser.note()->text(), QString::fromStdString("no FLC.dat in " + home.Path()));
  QCOMPARE(chooser.result(), int(QDialog::Rejected));
  QVERIFY(chooser.chosen().isEmpty());

  chooser.openButton()->click();  // the recent folder, selected
  QCOMPARE(chooser.result(), int(QDialog::Accepted));
  QCOMPARE(chooser.chosen(), QString::fromStdString(kiln.Path()));
  // The chooser writes nothing anywhere.
  QVERIFY(std::filesystem::is_empty(home.Path()));
}

void FLControlTest::splashGrowsItsProductLineAndClosesItself() {
  ui::SplashWindow splash;
  QLabel* product = splash.findChild<QLabel*>("lblCompanyProduct");
  QLabel* script = splash.findChild<QLabel*>("lblScript");
  QCOMPARE(splash.windowTitle(), QString("Kavro: Fuzzy Logic Controller"));
  QCOMPARE(splash.findChild<QLabel*>("lblVersion")->text(), QString("Version 1.0.0"));
  QCOMPARE(splash.findChild<QLabel*>("lblProductName")->text(), QString("Kavro: "));
  QStringList seen;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    if (seen.isEmpty() || seen.back() != product->text()) seen << product->text();
  });
  watch.start(20);
  QElapsedTimer elapsed;
  elapsed.start();
  splash.Run();  // returns when the splash has closed itself
  QVERIFY(elapsed.elapsed() >= 2000);
  QVERIFY(!splash.isVisible());
  QCOMPARE(seen, QStringList({" ", "Multivariable Fuzzy", "Multivariable Fuzzy Logic",
                              "Multivariable Fuzzy Logic Controller"}));
  QVERIFY(!script->isHidden());
}

void FLControlTest::eventLogViewFollowsAFullLog() {
  EventLog log;
  for (std::size_t i = 0; i < EventLog::kCapacity; ++i) log.Note("t0", "x", std::to_string(i));
  ui::EventLogView view(log, {});
  view.Refresh();
  auto* list = view.findChild<QTreeWidget*>("events");
  QVERIFY(list);
  // Two different events in the same second once the log is full.
  log.Note("t1", "Link", "first");
  view.Refresh();
  log.Note("t1", "Link", "second");
  view.Refresh();
  QCOMPARE(view.RowCount(), static_cast<int>(EventLog::kCapacity));
  QCOMPARE(list->topLevelItem(0)->text(3), QString("second"));  // newest first
  QCOMPARE(list->topLevelItem(1)->text(3), QString("first"));
  QCOMPARE(list->topLevelItem(0)->text(1), QString("Control"));
}

void FLControlTest::settingsPanelOpensFromRowOneAndAppliesWholeOrNothing() {
  Harness h(ConfigText("File"));
  h.Trigger("mnuScreenLock");  // unlock
  h.ClickCell(h.w().MainGrid(), 1, 1);
  ui::SettingsPanel* panel = h.w().Settings();
  QVERIFY(panel->isVisible());
  QCOMPARE(panel->Box(9)->text(), QString("KILN1"));
  QCOMPARE(panel->Box(1)->text(), QString("30"));

  panel->Box(1)->selectAll();
  QTest::keyClicks(panel->Box(1), "45");
  panel->Box(10)->selectAll();
  QTest::keyClicks(panel->Box(10), "3");  // below 5 s: the whole panel is refused
  QTest::mouseClick(panel->findChild<QPushButton*>("cmdOK2"), Qt::LeftButton);
  QCOMPARE(QString::fromStdString(h.op.messages.back().text),
           QString("Link Freq Must Be a Positive Integer"));
  QCOMPARE(h.c().model.FLCBlock.RunFrequency, 30);  // nothing stored, not even the good box
  QVERIFY(panel->isVisible());
  QCOMPARE(panel->Box(1)->text(), QString("45"));  // the operator's entries stay
  QVERIFY(!QFile::exists(QString::fromStdString(h.dir.File("kavro-audit.log"))));

  panel->Box(10)->selectAll();
  QTest::keyClicks(panel->Box(10), "10");
  QTest::mouseClick(panel->findChild<QPushButton*>("cmdOK2"), Qt::LeftButton);
  QCOMPARE(h.c().model.FLCBlock.RunFrequency, 45);
  QVERIFY(!panel->isVisible());
  const std::string audit = h.AuditText();
  QVERIFY2(audit.find("\t30\t45\n") != std::string::npos, audit.c_str());
  QCOMPARE(std::count(audit.begin(), audit.end(), '\n'), 1L);
}

void FLControlTest::lockedScreenRefusesKeysAndUnlockedKeysOpenTheEditBox() {
  Harness h(ConfigText("File"));
  CellGrid* grid = h.w().MainGrid();
  auto* box = grid->findChild<ui::GridEditBox*>("txtEdit1");
  QVERIFY(box);
  h.c().grid.SetCurrent(2, 2);
  QTest::keyClick(grid, Qt::Key_7);
  QCOMPARE(QString::fromStdString(h.op.messages.back().text),
           QString("Screen is Locked, Use Menu Screen Lock To UnLock"));
  QVERIFY(box->isHidden());

  h.Trigger("mnuScreenLock");
  const std::size_t shown = h.op.messages.size();
  h.ClickCell(grid, 2, 2);
  QTest::keyClick(grid, Qt::Key_7);
  QVERIFY(box->isVisible());
  QCOMPARE(box->text(), QString("7"));
  QTest::keyClicks(box, "5");
  QTest::keyClick(box, Qt::Key_Return);
  QVERIFY(box->isHidden());
  QCOMPARE(h.op.messages.size(), shown);
  QVERIFY2(h.Cell(2, 2).startsWith("75"), qPrintable(h.Cell(2, 2)));
}

void FLControlTest::variableEditorStoresAZonePointAndTheAuditTabShowsIt() {
  Harness h(test::FileBytes(std::string(KAVRO_SOURCE_DIR) + "/demo/FLC.dat"));
  h.Trigger("mnuScreenLock");
  h.ClickCell(h.w().MainGrid(), 1, 2);  // input 1's Config cell
  ui::VariableEditorPanel* editor = h.w().VariableEditor();
  QVERIFY(editor->isVisible());
  CellGrid* zones = editor->ZoneGrid();
  // Zone 1's point 3 (row 1, column 4): typed over the cell, taken with Enter.
  h.ClickCell(zones, 1, 4);
  QTest::keyClick(zones, Qt::Key_1);
  auto* box = zones->findChild<ui::GridEditBox*>("txtEdit3");
  QVERIFY(box && box->isVisible());
  const float before = h.c().model.PVarIn[1].Zone[1].MFPValue[3];
  QTest::keyClicks(box, "340");
  QTest::keyClick(box, Qt::Key_Return);
  QCOMPARE(zones->model()->index(1, 4).data().toString(), QString("1340.000"));
  QCOMPARE(h.c().model.PVarIn[1].Zone[1].MFPValue[3], before);  // not stored before OKAY
  QTest::mouseClick(editor->findChild<QPushButton*>("cmdOK"), Qt::LeftButton);
  QVERIFY(!editor->isVisible());
  QCOMPARE(h.c().model.PVarIn[1].Zone[1].MFPValue[3], 1340.0f);

  h.w().ShowEventLog();
  ui::EventLogView* log = h.w().EventLog();
  log->Tabs()->setCurrentWidget(log->AuditList());
  QVERIFY(log->AuditList()->topLevelItemCount() >= 1);
  QCOMPARE(log->AuditList()->topLevelItem(0)->text(4), QString("1340"));
}

// What a widget or a grid cell cuts off, if anything: "" when everything shows whole.
QString CutText(QWidget* w) {
  if (!w->isVisibleTo(w->window())) return {};
  const QString name = w->objectName() + " " + w->metaObject()->className();
  if (auto* label = qobject_cast<QLabel*>(w)) {
    const bool fits = label->wordWrap() ? label->heightForWidth(label->width()) <= label->height()
                                        : label->sizeHint().width() <= label->width();
    return fits ? QString() : name + ": " + label->text();
  }
  if (qobject_cast<QPushButton*>(w) || qobject_cast<QRadioButton*>(w)) {
    return w->sizeHint().width() <= w->width() ? QString() : name;
  }
  if (auto* box = qobject_cast<QGroupBox*>(w)) {
    const int title = box->fontMetrics().horizontalAdvance(box->title()) + 16;
    return title <= box->width() ? QString() : name + ": " + box->title();
  }
  if (auto* grid = qobject_cast<CellGrid*>(w)) {
    if (grid->verticalScrollBar()->maximum() > 0 || grid->horizontalScrollBar()->maximum() > 0) {
      return name + ": scrolls";
    }
    const QFontMetrics metrics = grid->fontMetrics();
    for (int row = 0; row < grid->model()->rowCount(); ++row) {
      for (int col = 0; col < grid->model()->columnCount(); ++col) {
        const QString text = grid->model()->index(row, col).data().toString();
        if (metrics.horizontalAdvance(text) + 6 > grid->columnWidth(col)) {
          return name + ": cell " + QString::number(row) + "," + QString::number(col) + " " + text;
        }
      }
    }
  }
  return {};
}

void FLControlTest::variableEditorShowsEveryTextWholeOnA1280By800Screen() {
  Harness h(test::FileBytes(std::string(KAVRO_SOURCE_DIR) + "/demo/FLC.dat"));
  h.w().resize(1280, 800);
  h.w().show();
  h.Trigger("mnuScreenLock");
  for (int column : {2, grid::OutputColumn(1)}) {  // an input and an output
    h.ClickCell(h.w().MainGrid(), 1, column);
    ui::VariableEditorPanel* editor = h.w().VariableEditor();
    QVERIFY(editor->isVisible());
    QApplication::processEvents();
    QCOMPARE(h.w().size(), QSize(1280, 800));  // the editor did not grow the window
    QStringList cut;
    for (QWidget* w : editor->findChildren<QWidget*>()) {
      if (const QString c = CutText(w); !c.isEmpty()) cut << c;
    }
    if (const QString c = CutText(editor); !c.isEmpty()) cut << c;
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join("; ")));
    QTest::mouseClick(editor->findChild<QPushButton*>("cmdCancel"), Qt::LeftButton);
  }
}

void FLControlTest::everyViewClosesWithItsCloseButtonAndWithEscape() {
  Harness h(test::FileBytes(std::string(KAVRO_SOURCE_DIR) + "/demo/FLC.dat"));
  h.w().show();
  h.c().model.Link.LinkStatus = kOn;  // the link debug panel opens while the link is on
  ShowStatusFrame(h.c());
  h.w().Render();
  struct View {
    const char* name;
    std::function<QWidget*()> open;
    const char* closeButton;
  };
  const std::vector<View> views = {
      {"event log",
       [&]() -> QWidget* {
         h.w().ShowEventLog();
         return h.w().EventLog();
       },
       "cmdClose"},
      {"rule firing",
       [&]() -> QWidget* {
         h.Trigger("mnuRuleFiring");
         return h.host.views().RuleFiring();
       },
       "cmdClose"},
      {"control surface",
       [&]() -> QWidget* {
         h.Trigger("mnuControlSurface");
         return h.host.views().Surface();
       },
       "cmdClose"},
      {"script editor",
       [&]() -> QWidget* {
         h.Trigger("mnuPreProcess");
         return h.host.scriptEditor();
       },
       "cmdClose"},
      {"link debug",
       [&]() -> QWidget* {
         h.Trigger("mnuDebugLink");
         return h.w().findChild<QWidget*>("Frame1");
       },
       "cmdHide"},
  };
  for (const View& view : views) {
    for (const bool byEscape : {true, false}) {
      QPointer<QWidget> w = view.open();
      QVERIFY2(w && w->isVisible(), view.name);
      if (byEscape) {
        w->window()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w->window()));
        w->setFocus();
        QTest::keyClick(w, Qt::Key_Escape);
      } else {
        auto* close = w->findChild<QPushButton*>(view.closeButton);
        QVERIFY2(close, view.name);
        close->click();
      }
      QTRY_VERIFY2(w.isNull() || !w->isVisible(),
                   qPrintable(QString(view.name) + (byEscape ? " by Escape" : " by Close")));
    }
  }
}

QTEST_MAIN(FLControlTest)
#include "FLControlTest.moc"
