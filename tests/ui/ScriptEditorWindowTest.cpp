// The post-process editor window end to end on the demo plant: opened from the menu, a line
// typed, a call double-clicked in, saved with a syntax error (the main window's indicator turns
// OFF, the status line names the line), reverted, saved good, closed.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "model/Colour.h"
#include "support/DemoFiles.h"
#include "support/FakePorts.h"
#include "ui/ControllerHost.h"
#include "ui/FLControl.h"
#include "ui/ScriptEditorWindow.h"
#include "ui/ScriptPad.h"

using namespace kavro;
using kavro::test::DemoFile;
using kavro::ui::ControllerHost;

namespace {

QString Hex(Colour c) {
  return QColor(c.Red(), c.Green(), c.Blue()).name();
}

}  // namespace

class ScriptEditorWindowTest : public QObject {
  Q_OBJECT
 private slots:
  void postProcessEditorOpensTypesSavesAndCloses();
};

void ScriptEditorWindowTest::postProcessEditorOpensTypesSavesAndCloses() {
  test::ScratchDir dir;
  dir.Write("FLC.dat", DemoFile("FLC.dat"));
  dir.Write("FLC_Post.scp", DemoFile("FLC_Post.scp"));
  test::FakeOperator op;
  test::FakeClock clock;
  test::FakeCycleTimer timer;
  ControllerHost host;
  host.controller().ports.op = &op;
  host.controller().ports.clock = &clock;
  host.controller().ports.timer = &timer;
  host.Start(dir.Path());
  ui::FLControl& main = host.window();
  QLabel* indicator = main.findChild<QLabel*>("lblPostScript");
  QVERIFY(indicator);
  QVERIFY(indicator->styleSheet().contains(Hex(PaletteColour(10))));

  QAction* open = main.Action("mnuPostProcess");
  QVERIFY(open && open->isEnabled());
  QVERIFY(main.Action("mnuPreProcess")->isEnabled());
  open->trigger();
  ui::ScriptEditorWindow* editor = host.scriptEditor();
  QVERIFY(editor);
  QVERIFY(editor->isVisible());
  QCOMPARE(editor->windowTitle(), QString("Kavro PostProcess Script"));
  QCOMPARE(QApplication::activeModalWidget(), editor);  // the main window is out of reach
  QVERIFY(host.controller().model.CycleHold);
  ui::ScriptPad* pad = editor->Pad();
  QVERIFY(pad->toPlainText().contains("TorqueTrip = 50"));
  QCOMPARE(editor->CallList()->count(), 38);

  // A cycle runs while the editor is open.
  host.RunCycle();

  // Type a broken line at the end, then double-click a store call in after it.
  QTextCursor end = pad->textCursor();
  end.movePosition(QTextCursor::End);
  pad->setTextCursor(end);
  QTest::keyClick(pad, Qt::Key_Return);
  QTest::keyClicks(pad, "If fuelHeld Then");
  editor->findChild<QRadioButton*>("optScriptFlags")->click();
  QCOMPARE(editor->CallList()->count(), 6);
  QListWidgetItem* flagCall = editor->CallList()->item(3);
  QCOMPARE(flagCall->text(), QString("Call SET_SCRIPTFLAG (ix, Val1, ierr)"));
  emit editor->CallList()->itemDoubleClicked(flagCall);
  QVERIFY(pad->toPlainText().endsWith("If fuelHeld ThenCall SET_SCRIPTFLAG (ix, Val1, ierr) "));
  const int typedLine = pad->blockCount();

  editor->findChild<QCheckBox*>("chkAccept")->click();
  editor->findChild<QPushButton*>("cmdSave")->click();
  QVERIFY(op.messages.back().text == "Error in New Script Text - No New Script Data Is Saved");
  // A rejected save changes nothing: the old script runs on, switched on as it was.
  QVERIFY(indicator->styleSheet().contains(Hex(PaletteColour(10))));
  QVERIFY(main.Action("mnuPostProcessExe")->isChecked());
  QVERIFY(dir.Read("FLC_Post.scp") == DemoFile("FLC_Post.scp"));
  QVERIFY(editor->StatusLine()->text().startsWith("Error "));
  QVERIFY(editor->StatusLine()->text().contains(QString("(line %1)").arg(typedLine)));
  QCOMPARE(pad->MarkedLine(), typedLine);
  QCOMPARE(pad->textCursor().blockNumber() + 1, typedLine);

  editor->findChild<QPushButton*>("cmdRevert")->click();
  QVERIFY(!pad->toPlainText().contains("If fuelHeld Then"));
  QTest::keyClicks(pad, "' reviewed");
  QTest::keyClick(pad, Qt::Key_Return);
  const size_t before = op.messages.size();
  editor->findChild<QPushButton*>("cmdSave")->click();
  QCOMPARE(op.messages.back().text, std::string("PostScript File and Script Object Updated"));
  QCOMPARE(op.messages.size(), before + 2);  // the question, then the success
  QVERIFY(dir.Read("FLC_Post.scp").find("' reviewed\r\n") != std::string::npos);
  QCOMPARE(editor->StatusLine()->text(), QString("Saved and loaded"));

  editor->findChild<QPushButton*>("cmdCheck")->click();
  QCOMPARE(editor->StatusLine()->text(), QString("No syntax errors"));

  editor->close();
  QVERIFY(QApplication::activeModalWidget() == nullptr);
  QVERIFY(!host.controller().model.CycleHold);
  QVERIFY(host.scriptEditor() == nullptr);
}

QTEST_MAIN(ScriptEditorWindowTest)
#include "ScriptEditorWindowTest.moc"
