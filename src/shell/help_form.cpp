#include "shell/help_form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QScreen>
#include <QScrollBar>
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
  Command3 = new QPushButton("Last (previous) Screen", this);
  Command3->setObjectName("Command3");
  Command1 = new QPushButton("Next Screen", this);
  Command1->setObjectName("Command1");
  Command2 = new QPushButton("Cancel", this);
  Command2->setObjectName("Command2");

  // The page: navy text on the window's own colour, without a frame. A
  // page view lays out only the lines in sight, so a page of any length
  // shows at once, and one taller than the screen scrolls. Made after the
  // buttons, which so keep the focus first when the window opens; Tab goes
  // on into the text.
  Label1 = new PageView(this);
  Label1->setObjectName("Label1");
  Label1->setAccessibleName("Help text");
  Label1->setFrameShape(QFrame::NoFrame);
  QPalette colours = Label1->palette();
  colours.setColor(QPalette::Base, colours.color(QPalette::Window));
  colours.setColor(QPalette::Text, QColor(0x00, 0x00, 0x80));
  Label1->setPalette(colours);
  Label1->setFixedWidth(TwipsToPixels(7800));

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
  const QString text = DisplayText(LabelText(view.text));
  Label1->setPlainText(text);
  Command3->setEnabled(view.previousEnabled);
  Command1->setEnabled(view.nextEnabled);
  FitTopic(text);
  adjustSize();
}

void HelpForm::FitTopic(const QString& shown) {
  // Every page of a topic gets the room of its longest one, so the window
  // keeps its size and the page buttons stay under the mouse from page to
  // page.
  const auto topic = std::make_pair(int(shell.HelpMenuNumber), int(tbl.CurrentSpecMenu));
  if (topic == sizedFor_) return;
  sizedFor_ = topic;
  const int16_t lastPage = HelpPageCount;
  QWidget* front = isVisible() ? this : QApplication::activeWindow();
  const QRect free = (front ? front : this)->screen()->availableGeometry();
  const int width = TwipsToPixels(7800);
  int tallest = 0;
  for (int page = 0; page <= lastPage; ++page) {
    const QString text =
        page == shell.HelpPage ? shown : DisplayText(LabelText(BuildHelpPage(topic.first, page, topic.second).text));
    tallest = std::max(tallest, Label1->HeightFor(text, width, free.height()));
  }
  HelpPageCount = lastPage;
  Label1->setFixedSize(width, tallest);
  // The window stays whole on the screen, its buttons in sight: what is
  // left of the screen's height goes to the text, which then scrolls. The
  // scroll bar is there for every page of such a topic and for none of
  // another, so that each page wraps at the width it was measured at.
  const QMargins frame = ExpectedFrame(this);
  const int over = sizeHint().height() + frame.top() + frame.bottom() - free.height();
  Label1->setVerticalScrollBarPolicy(over > 0 ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  if (over > 0)
    Label1->setFixedSize(width + Label1->verticalScrollBar()->sizeHint().width(), std::max(0, tallest - over));
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
