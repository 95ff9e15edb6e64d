#include "shell/help_form.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <algorithm>

#include "files/help_pages.h"
#include "platform/qt/default_instance.h"
#include "platform/qt/qt_ui.h"
#include "platform/qt/twips.h"
#include "platform/qt/window_place.h"
#include "platform/qt/deactivate_close.h"
#include "platform/qt/escape_close.h"
#include "shell/frm_main.h"
#include "shell/shell_state.h"
#include "shell/vehicle_summary.h"
#include "simulation/tables.h"
#include "shell/user_actions.h"

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

  OnAction(Command1, &QPushButton::clicked, this, "Command1", [this] {
    NextHelpPage(shell.HelpPage);
    ShowPage();
  });
  OnAction(Command3, &QPushButton::clicked, this, "Command3", [this] {
    PreviousHelpPage(shell.HelpPage);
    ShowPage();
  });
  OnAction(Command2, &QPushButton::clicked, this, "Command2", [this] { close(); });
  watch_ = new DeactivateWatch(this, [this] { close(); });
  CloseOnEscape(this);
}

HelpForm::~HelpForm() { DefaultInstance<HelpForm>::Forget(this); }

void HelpForm::ShowPage() {
  HelpPageView view = BuildHelpPage(shell.HelpMenuNumber, shell.HelpPage, tbl.CurrentSpecMenu);
  if (!view.known) return;
  setWindowTitle(ToQ(view.caption));
  Label1->setText(DisplayText(LabelText(view.text)));
  Command3->setEnabled(view.previousEnabled);
  Command1->setEnabled(view.nextEnabled);
  FitTopic();
  adjustSize();
  // A topic with long pages makes the window tall: it stays whole on the
  // screen.
  KeepOnScreen(this);
}

void HelpForm::FitTopic() {
  // Every page of a topic gets the room of its longest one, so the window
  // keeps its size and the page buttons stay under the mouse from page to
  // page.
  const auto topic = std::make_pair(int(shell.HelpMenuNumber), int(tbl.CurrentSpecMenu));
  if (topic == sizedFor_) return;
  sizedFor_ = topic;
  const int16_t lastPage = HelpPageCount;
  QLabel probe;
  probe.setFont(Label1->font());
  probe.setWordWrap(true);
  probe.setTextFormat(Qt::PlainText);
  const int width = Label1->minimumWidth();
  int tallest = 0;
  for (int page = 0; page <= lastPage; ++page) {
    HelpPageView view = BuildHelpPage(topic.first, page, topic.second);
    probe.setText(DisplayText(LabelText(view.text)));
    tallest = std::max(tallest, probe.heightForWidth(width));
  }
  HelpPageCount = lastPage;
  Label1->setFixedHeight(std::max(tallest, Label1->heightForWidth(width)));
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
