#include "ui/ScriptEditorWindow.h"

#include <QPointer>

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "session/GuardedCall.h"
#include "ui/ScriptPad.h"
#include "ui/VbsHighlighter.h"
#include "ui/ViewClose.h"

namespace kavro::ui {
namespace {

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

}  // namespace

ScriptEditorWindow::ScriptEditorWindow(Controller& controller, ScriptHost& host, ScriptKind kind,
                                       CommandGate& gate, QWidget* parent)
    : QWidget(parent, Qt::Window),
      controller_(controller),
      gate_(gate),
      editor_(std::make_shared<ScriptEditor>(controller, host, kind)) {
  const bool pre = kind == ScriptKind::Pre;
  setObjectName(pre ? "frmPreProcess" : "frmPostProcess");
  setWindowTitle(Q(editor_->Title()));
  setAttribute(Qt::WA_DeleteOnClose, false);

  pad_ = new ScriptPad(this);
  pad_->setObjectName(pre ? "txtPreProcess" : "txtPostProcess");
  new VbsHighlighter(pad_->document());
  status_ = new QLabel(this);
  status_->setObjectName("lblStatus");
  status_->setTextInteractionFlags(Qt::TextSelectableByMouse);

  auto* save = new QPushButton("SAVE", this);
  save->setObjectName("cmdSave");
  auto* revert = new QPushButton("REVERT To Last Saved", this);
  revert->setObjectName("cmdRevert");
  auto* check = new QPushButton("Check", this);
  check->setObjectName("cmdCheck");
  auto* liability = new QLabel(ScriptEditor::LiabilityStatement(), this);
  liability->setObjectName("Label1");
  liability->setWordWrap(true);
  accept_ = new QCheckBox("Accept", this);
  accept_->setObjectName("chkAccept");

  auto* usage = new QListWidget(this);
  usage->setObjectName("List2");
  for (const std::string& line : ScriptUsageHelp()) usage->addItem(Q(line));
  usage->setMaximumHeight(usage->sizeHintForRow(0) * 8);
  calls_ = new QListWidget(this);
  calls_->setObjectName("List1");

  auto* frame = new QGroupBox(this);
  frame->setObjectName("Frame1");
  auto* filters = new QHBoxLayout(frame);
  auto* group = new QButtonGroup(this);
  const std::pair<const char*, CallFilter> options[] = {{"ALL", CallFilter::All},
                                                        {"Inp", CallFilter::Inp},
                                                        {"Out", CallFilter::Out},
                                                        {"Flags", CallFilter::Flags}};
  const char* names[] = {"optScriptAll", "optScriptInp", "optScriptOut", "optScriptFlags"};
  for (int k = 0; k < 4; ++k) {
    auto* option = new QRadioButton(options[k].first, frame);
    option->setObjectName(names[k]);
    option->setChecked(options[k].second == CallFilter::All);
    group->addButton(option);
    filters->addWidget(option);
    const CallFilter filter = options[k].second;
    connect(option, &QRadioButton::toggled, this, [this, filter](bool on) {
      if (!on) return;
      editor_->SetFilter(filter);
      ShowCalls();
    });
  }

  auto* padColumn = new QVBoxLayout;
  padColumn->addWidget(new QLabel("Script Pad", this));
  padColumn->addWidget(pad_, 1);
  padColumn->addWidget(status_);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(save);
  buttons->addWidget(revert);
  buttons->addWidget(check);
  buttons->addStretch(1);
  AddCloseButton(this, buttons);  // closing asks first when the text is not saved
  padColumn->addLayout(buttons);

  auto* side = new QVBoxLayout;
  side->addWidget(liability);
  side->addWidget(accept_);
  side->addWidget(usage);
  side->addWidget(new QLabel("Double Click to Copy Procedure Call to Script Pad", this));
  side->addWidget(frame);
  side->addWidget(calls_, 1);

  auto* layout = new QHBoxLayout(this);
  layout->addLayout(padColumn, 3);
  layout->addLayout(side, 2);
  resize(1000, 640);

  ShowPadText(editor_->Pad());
  ShowCalls();
  ShowStatus();
  setTabOrder(pad_, save);

  connect(pad_, &QPlainTextEdit::textChanged, this, [this] {
    if (showing_) return;
    editor_->PadChanged(pad_->toPlainText().toStdString());
  });
  connect(pad_, &ScriptPad::FocusLost, this, [this] { editor_->PadLostFocus(); });
  connect(accept_, &QCheckBox::toggled, this, [this](bool on) { editor_->SetAccepted(on); });
  connect(calls_, &QListWidget::itemDoubleClicked, this,
          [this](QListWidgetItem* item) { InsertCall(calls_->row(item)); });
  connect(save, &QPushButton::clicked, this, &ScriptEditorWindow::Save);
  connect(revert, &QPushButton::clicked, this, &ScriptEditorWindow::Revert);
  connect(check, &QPushButton::clicked, this, &ScriptEditorWindow::Check);
  pad_->setFocus();
}

ScriptEditorWindow::~ScriptEditorWindow() = default;

void ScriptEditorWindow::ShowPadText(const std::string& text) {
  showing_ = true;
  pad_->setPlainText(Q(text));
  showing_ = false;
}

void ScriptEditorWindow::ShowCalls() {
  calls_->clear();
  for (const std::string& call : editor_->Calls()) calls_->addItem(Q(call));
}

void ScriptEditorWindow::ShowStatus() {
  const ScriptEditorStatus& status = editor_->Status();
  status_->setText(Q(status.text));
  status_->setStyleSheet(status.isError ? "color: #B00000;" : "");
  pad_->MarkLine(status.isError ? status.padLine : 0);
}

void ScriptEditorWindow::InsertCall(int row) {
  if (row < 0) return;
  // Typed through the pad's cursor, so that it replaces the selection and can be undone.
  pad_->setFocus();
  pad_->textCursor().insertText(Q(editor_->CallToInsert(static_cast<size_t>(row))));
}

void ScriptEditorWindow::Save() {
  gate_.Submit(CommandKind::Changes, [this, editor = editor_, self = QPointer(this)] {
    RunGuarded(controller_, [&] { editor->Save(); });
    if (!self) return;
    ShowStatus();
    emit Saved();
  });
}

void ScriptEditorWindow::Revert() {
  RunGuarded(controller_, [this] {
    editor_->Revert();
    ShowPadText(editor_->Pad());
  });
}

void ScriptEditorWindow::Check() {
  editor_->Check();
  ShowStatus();
}

void ScriptEditorWindow::closeEvent(QCloseEvent* event) {
  // The editor saves (if asked to) once no cycle runs; the window goes at once.
  gate_.Submit(CommandKind::Changes,
               [&controller = controller_, editor = editor_] {
                 RunGuarded(controller, [&] { editor->Close(); });
               });
  // Closing always succeeds, whatever the save did.
  event->accept();
  emit Closed();
}

}  // namespace kavro::ui
