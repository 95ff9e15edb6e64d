#include "shell/help_form.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "files/help_pages.h"
#include "platform/qt/default_instance.h"
#include "platform/qt/qt_ui.h"
#include "platform/qt/twips.h"
#include "platform/qt/window_place.h"
#include "platform/qt/deactivate_close.h"
#include "shell/frm_main.h"
#include "shell/shell_state.h"
#include "shell/vehicle_summary.h"
#include "simulation/tables.h"

namespace sw {

HelpForm::HelpForm() : QWidget(nullptr, Qt::Window) {
  setAttribute(Qt::WA_DeleteOnClose);
  setObjectName("HelpForm");
  setWindowTitle("HelpText");
  Label1 = new QLabel(this);
  Label1->setObjectName("Label1");
  Label1->setWordWrap(true);
  Label1->setTextFormat(Qt::PlainText);
  Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Label1->setFixedWidth(TwipsToPixels(7800));
  Label1->setStyleSheet("color: #000080;");
  Command3 = new QPushButton("Last (previous) Screen", this);
  Command3->setObjectName("Command3");
  Command1 = new QPushButton("Next Screen", this);
  Command1->setObjectName("Command1");
  Command2 = new QPushButton("Cancel", this);
  Command2->setObjectName("Command2");

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(Command3);
  buttons->addWidget(Command1);
  buttons->addWidget(Command2);
  auto* v = new QVBoxLayout(this);
  v->addWidget(Label1);
  v->addSpacing(TwipsToPixels(300));
  v->addLayout(buttons);
  v->setSizeConstraint(QLayout::SetFixedSize);

  connect(Command1, &QPushButton::clicked, this, [this] {
    NextHelpPage(shell.HelpPage);
    ShowPage();
  });
  connect(Command3, &QPushButton::clicked, this, [this] {
    PreviousHelpPage(shell.HelpPage);
    ShowPage();
  });
  connect(Command2, &QPushButton::clicked, this, [this] { close(); });
  watch_ = new DeactivateWatch(this, [this] { close(); });
}

HelpForm::~HelpForm() { DefaultInstance<HelpForm>::Forget(this); }

void HelpForm::ShowPage() {
  HelpPageView view = BuildHelpPage(shell.HelpMenuNumber, shell.HelpPage, tbl.CurrentSpecMenu);
  if (!view.known) return;
  setWindowTitle(ToQ(view.caption));
  Label1->setText(DisplayText(LabelText(view.text)));
  Command3->setEnabled(view.previousEnabled);
  Command1->setEnabled(view.nextEnabled);
  adjustSize();
  // A longer page makes the window taller: it stays whole on the screen.
  KeepOnScreen(this);
}

void HelpForm::closeEvent(QCloseEvent* e) {
  HelpFromCalcMenu = 0;
  e->accept();
  // A closed window is on its way out: the next use gets a new one.
  DefaultInstance<HelpForm>::Forget(this);
}

void ShowHelpTopic(int topic) {
  shell.HelpMenuNumber = static_cast<int16_t>(topic);
  shell.HelpPage = 0;
  HelpForm* f = DefaultInstance<HelpForm>::Get();
  f->ShowPage();
  ShowOverMainWindow(f);
}

}  // namespace sw
