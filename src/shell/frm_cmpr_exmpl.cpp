#include "shell/frm_cmpr_exmpl.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "files/file_state.h"
#include "platform/qt/default_instance.h"
#include "platform/qt/escape_close.h"
#include "platform/qt/fixed_font.h"
#include "platform/qt/qt_ui.h"
#include "platform/qt/twips.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "shell/user_actions.h"
#include "shell/frm_example.h"
#include "shell/frm_main.h"
#include "shell/shell_state.h"
#include "specs/preset_lists.h"
#include "specs/spec_windows.h"

namespace sw {

frmCmprExmpl::frmCmprExmpl() : QWidget(nullptr, Qt::Window) {
  setAttribute(Qt::WA_DeleteOnClose);
  setObjectName("frmCmprExmpl");
  setWindowTitle("Compare Current Specs to Chosen Specs");
  request_ = pending_;
  shell.KeepSpecForm = 1;
  const bool choose = request_.subChoice != 1;

  Text1 = new QLineEdit(this);
  Text1->setObjectName("Text1");
  Text1->setAccessibleName("Example Name");
  Command3 = new QPushButton(choose ? "Back" : "Save", this);
  Command1 = new QPushButton("Load In These Example Specs", this);
  Command2 = new QPushButton("Cancel", this);
  Command1->setObjectName("Command1");
  Command2->setObjectName("Command2");
  Command3->setObjectName("Command3");
  Label2 = new QLabel("Example Name", this);
  Label2->setObjectName("Label2");
  Label2->setBuddy(Text1);
  Label1 = new QLabel(this);
  Label1->setObjectName("Label1");
  Label1->setFont(FixedPitchFont());
  Label1->setTextFormat(Qt::PlainText);
  Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Label1->setTextInteractionFlags(Qt::TextSelectableByMouse);

  if (choose) {
    Text1->hide();
    Label2->hide();
    setWindowTitle(ToQ("Compare Current specs with: " + RTrim(Left(exv.NewExampleName, exv.ExampleNameWidth))));
    ReadExampleCategory(request_, exv.SelectedExample + 1, ExamplePresetLists());
  } else {
    exv.NewExampleName = std::string(80, ' ');
    Command1->hide();
    Text1->setMaxLength(std::max(exv.ExampleNameWidth - 2, 1));
    setWindowTitle("Current Specs to be Saved");
  }
  Label1->setText(ToQ(ExampleComparisonText(request_, ExamplePresetLists())));

  // The table is as tall as its rows; it is wide enough for its 69 columns.
  const QFontMetrics fm(Label1->font());
  const int rows = exv.ExampleFieldCount + 3;
  Label1->setMinimumHeight(std::max(TwipsToPixels(exv.ExampleFieldCount * 240 + 600, this), fm.lineSpacing() * rows));
  Label1->setMinimumWidth(std::max(TwipsToPixels(choose ? 8455 : 6055, this),
                                   fm.horizontalAdvance(QString(choose ? 70 : 50, 'M'))));

  auto* name = new QHBoxLayout;
  name->addWidget(Label2);
  name->addWidget(Text1, 1);
  auto* buttons = new QHBoxLayout;
  for (QPushButton* b : {Command3, Command1, Command2}) {
    b->setAutoDefault(false);
    buttons->addWidget(b);
  }
  buttons->addStretch(1);
  auto* v = new QVBoxLayout(this);
  v->addWidget(Label1);
  v->addLayout(name);
  v->addSpacing(TwipsToPixels(300, this) / 2);
  v->addLayout(buttons);
  v->setSizeConstraint(QLayout::SetFixedSize);

  OnAction(Command1, &QPushButton::clicked, this, "Command1", [this] { LoadInExampleSpecs(); });
  OnAction(Command2, &QPushButton::clicked, this, "Command2", [this] { close(); });
  CloseOnEscape(this, [this] { Command2->click(); });
  OnAction(Command3, &QPushButton::clicked, this, "Command3", [this] { Command3_Click(); });
  // Enter in the name saves once the key has been handled: the save closes
  // the window, which must not go while the box is still at work on the key.
  OnAction(Text1, &QLineEdit::returnPressed, this, "Command3", [this] { Command3_Click(); }, Qt::QueuedConnection);
}

frmCmprExmpl::~frmCmprExmpl() = default;

void frmCmprExmpl::Open(const ExampleRequest& request) {
  DefaultInstance<frmCmprExmpl>::Unload();
  pending_ = request;
  frmCmprExmpl* w = DefaultInstance<frmCmprExmpl>::Get();
  DoEvents();
  if (DefaultInstance<frmCmprExmpl>::IfLoaded() != w) return;
  ShowOverMainWindow(w);
  if (request.subChoice == 1) w->Text1->setFocus();
  else w->Command1->setFocus();
}

void frmCmprExmpl::LoadInExampleSpecs() {
  // The notes box lets events run and the window may go meanwhile: what the
  // load needs afterwards is copied first.
  const ExampleRequest request = request_;
  StillLoaded<frmCmprExmpl> self(this);
  const int menu = sw::LoadInExampleSpecs(request, exv.NewExampleName);
  std::string notes;
  if (TakeExampleNotes(request.prefix, notes)) {
    MsgBox(notes, mb::OKOnly, kExampleNotesTitle);
    shell.TireWtRecorded = 1;
  }
  AfterTagging(request, menu, self.get());
}

void frmCmprExmpl::Command3_Click() {
  shell.KeepSpecForm = 2;
  const ExampleRequest request = request_;  // the window closes before the list opens
  if (request.subChoice != 1) {
    // "Back" to the list.
    close();
    DoEvents();
    shell.ExampleComponent = request.component;
    shell.ExamplePrefix = request.prefix;
    shell.ExampleKind = static_cast<int16_t>(request.kind);
    shell.ExampleMenu = static_cast<int16_t>(request.menu);
    shell.ExampleSubChoice = static_cast<int16_t>(request.subChoice);
    frmExample::ShowList();
    return;
  }
  StillLoaded<frmCmprExmpl> self(this);
  const std::string typed = FromQ(Text1->text());
  const std::string refusal = ExampleNameRefusal(typed);
  if (!refusal.empty()) {
    MsgBox(refusal, mb::OKOnly, "");
    if (self) Text1->setFocus();
    return;
  }
  if (!AddExampleToLibrary(request, 0, typed)) return;
  // Saved: the specs stand for the new example, whether or not the window
  // is still there.
  exv.NewExampleName = typed;
  AfterTagging(request, TagCurrentSpecs(request, typed), self ? this : nullptr);
  DoEvents();
}

void frmCmprExmpl::AfterTagging(const ExampleRequest& request, int menu, frmCmprExmpl* window) {
  if (menu >= 1) {
    // The Type row's list gets the example's name, picked, and its stored
    // value points at it; the loaded spec window shows the new values.
    shell.ExampleKind = static_cast<int16_t>(request.kind);
    FillSpecCombo(menu, request.menu);
    RefillSpecWindow(menu);
  }
  // The specs now stand for the example: another open must ask first.
  fst.SpecsChanged = 1;
  if (window && !IsUnloaded(window)) window->close();
  if (menu >= 1) ActivateSpecWindow(menu);
}

void frmCmprExmpl::closeEvent(QCloseEvent* e) {
  e->accept();
  DefaultInstance<frmCmprExmpl>::Forget(this);
}

}  // namespace sw
