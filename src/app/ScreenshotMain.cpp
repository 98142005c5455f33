// kavro-screenshot WORKDIR OUTPUT.png [CYCLES]: starts the controller in WORKDIR as kavro does
// (without the splash window), lets CYCLES control cycles run on Timer1 (3 by default), then
// saves a picture of the main window, then one with the variable editor open on the first output
// (OUTPUT with "-editor" before ".png"), then opens the post-process script editor on the
// working folder's script and saves it as script-editor.png beside OUTPUT.png, then the Rule
// Firing and Control Surface windows as rule-firing.png and control-surface.png, and the main
// window with its trend on the 24 h preset scrolled to the last day recorded as trend-history.png
// (when the folder holds a history), and ends.
#include <QApplication>
#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QPixmap>
#include <QRegularExpression>
#include <QScreen>
#include <cstdio>

#include "display/TrendPlot.h"
#include "display/VariableEditorView.h"
#include "edit/VariableEditor.h"
#include "model/MainGrid.h"
#include "session/LinkCommands.h"
#include "session/SettingsCommands.h"
#include "model/Dimensions.h"
#include "ui/ControllerHost.h"
#include "ui/FLControl.h"
#include "ui/RuleBaseViews.h"
#include "ui/RuleFiringWindow.h"
#include "ui/ScriptEditorWindow.h"
#include "ui/SurfaceWindow.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 3) {
    std::fprintf(stderr, "usage: kavro-screenshot WORKDIR OUTPUT.png [CYCLES]\n");
    return 2;
  }
  const QString workDir = QString::fromLocal8Bit(argv[1]);
  const QString output = QDir::current().absoluteFilePath(QString::fromLocal8Bit(argv[2]));
  const int wanted = argc > 3 ? std::max(1, std::atoi(argv[3])) : 3;
  if (!QDir::setCurrent(workDir)) {
    std::fprintf(stderr, "kavro-screenshot: no such folder: %s\n", argv[1]);
    return 2;
  }
  QApplication::setQuitOnLastWindowClosed(false);
  kavro::ui::ControllerHost host;
  int cycles = 0;
  const auto tick = host.timer().onTick;
  host.timer().onTick = [&] {
    tick();
    if (++cycles < wanted) return;
    QApplication::processEvents();
    bool saved = host.window().grab().save(output, "PNG");
    std::fprintf(saved ? stdout : stderr, "%s %s after %d cycles\n",
                 saved ? "saved" : "could not save", qPrintable(output), cycles);
    // The editor as an engineer opens it from the output's Config cell.
    kavro::ShowVariableEditor(host.controller(), host.session().edits().variable,
                              kavro::grid::OutputColumn(1));
    host.window().Render();
    QApplication::processEvents();
    QString editorOutput = output;
    editorOutput.replace(QRegularExpression("\\.png$"), "-editor.png");
    const bool editorSaved = host.window().grab().save(editorOutput, "PNG");
    std::fprintf(editorSaved ? stdout : stderr, "%s %s\n",
                 editorSaved ? "saved" : "could not save", qPrintable(editorOutput));
    saved = saved && editorSaved;
    if (QAction* editor = host.window().Action("mnuPostProcess")) editor->trigger();
    if (kavro::ui::ScriptEditorWindow* editor = host.scriptEditor()) {
      QApplication::processEvents();
      const QString editorOutput = QFileInfo(output).dir().filePath("script-editor.png");
      const bool editorSaved = editor->grab().save(editorOutput, "PNG");
      std::fprintf(editorSaved ? stdout : stderr, "%s %s\n",
                   editorSaved ? "saved" : "could not save", qPrintable(editorOutput));
      saved = saved && editorSaved;
    }
    // The two rule-base windows as an engineer opens them from the Calc menu.
    const auto saveWindow = [&](const char* item, const char* file, auto window) {
      if (QAction* action = host.window().Action(item)) action->trigger();
      QWidget* shown = window();
      if (shown == nullptr) return false;
      QApplication::processEvents();
      const QString path = QFileInfo(output).dir().filePath(file);
      const bool ok = shown->grab().save(path, "PNG");
      std::fprintf(ok ? stdout : stderr, "%s %s\n", ok ? "saved" : "could not save",
                   qPrintable(path));
      return ok;
    };
    saved = saveWindow("mnuRuleFiring", "rule-firing.png",
                       [&] { return host.views().RuleFiring(); }) &&
            saved;
    saved = saveWindow("mnuControlSurface", "control-surface.png",
                       [&] { return host.views().Surface(); }) &&
            saved;
    // The main window with its trend on the 24 h preset scrolled back over the last day
    // recorded, as an operator scrolls back to it. A history recorded on a fast clock lies ahead
    // of now: the span is placed by its own last cycle.
    kavro::TrendState& trend = kavro::Trend(host.controller());
    if (const auto recorded = trend.span.Recorded()) {
      kavro::LeaveVariableEdit(host.controller(), host.session().edits().variable);
      trend.span.ZoomPreset(3);
      trend.span.ScrollTo(recorded->second - 2 * kavro::kHourMs, recorded->second + 1);
      kavro::RefreshTrend(host.controller());
      host.window().Render();
      QApplication::processEvents();
      const QString path = QFileInfo(output).dir().filePath("trend-history.png");
      const bool ok = host.window().grab().save(path, "PNG");
      std::fprintf(ok ? stdout : stderr, "%s %s\n", ok ? "saved" : "could not save",
                   qPrintable(path));
      saved = saved && ok;
    }
    // The STOP file tells the demo's link client program to end with us.
    if (host.controller().model.Link.LinkStatus == kavro::kOn) {
      kavro::SwitchLinkOff(host.controller(), host.session().link());
    }
    QCoreApplication::exit(saved ? 0 : 1);
  };
  host.Start(QDir::currentPath().toStdString());
  return QApplication::exec();
}
