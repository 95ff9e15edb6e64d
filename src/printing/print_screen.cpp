#include "printing/print_screen.h"

#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QLocale>
#include <QScreen>

#include "files/text_screens.h"
#include "platform/qt/default_instance.h"
#include "platform/qt/qt_ui.h"
#include "platform/qt/twips.h"
#include "platform/qt/window_lifetime.h"
#include "platform/ui.h"
#include "platform/qt/deactivate_close.h"
#include "platform/qt/escape_close.h"
#include "shell/frm_comma.h"
#include "shell/shell_state.h"
#include "shell/vehicle_summary.h"
#include "shell/user_actions.h"

namespace sw {

namespace {
constexpr int kActivationWaitMs = 500;
}

std::function<std::string()>& PrintScreen::SystemNumberText() {
  static std::function<std::string()> f = [] { return FromQ(QLocale().toString(7.0 / 3.0, 'f', 3)); };
  return f;
}

PrintScreen::PrintScreen() : QWidget(nullptr, Qt::Window) {
  setAttribute(Qt::WA_DeleteOnClose);
  setObjectName("PrintScreen");
  setWindowTitle("PrintScreen");
  Label1 = new QLabel(this);
  Label1->setObjectName("Label1");
  Label1->setTextFormat(Qt::PlainText);
  Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Command1 = new QPushButton("OK", this);
  Command1->setObjectName("Command1");
  Command1->setDefault(true);
  OnAction(Command1, &QPushButton::clicked, this, "Command1", [this] {
    close();
    TextScreenOpen = 0;
  });
  watch_ = new DeactivateWatch(this, [this] { close(); });
  CloseOnEscape(this, [this] { Command1->click(); });
  Form_Load();
}

PrintScreen::~PrintScreen() { DefaultInstance<PrintScreen>::Forget(this); }

void PrintScreen::Form_Load() {
  TextScreenLayout layout;
  if (!TextScreenFor(shell.TextScreenId, layout)) return;
  TextScreenGeometry g = TextScreenSize(layout);
  std::string caption, text;
  LoadTextScreen(shell.TextScreenId, caption, text);
  setWindowTitle(ToQ(caption));
  Label1->setText(DisplayText(LabelText(text)));
  // The label is as wide as the longest line; the heights follow the number of lines.
  int width = std::max(Label1->sizeHint().width(), TwipsToPixels(6000)) + TwipsToPixels(480);
  Label1->setGeometry(TwipsToPixels(240), TwipsToPixels(120), width - TwipsToPixels(480),
                      std::max(TwipsToPixels(g.labelHeight), Label1->sizeHint().height()));
  int buttonTop = std::max(TwipsToPixels(g.buttonTop), Label1->geometry().bottom() + TwipsToPixels(120));
  Command1->setGeometry((width - TwipsToPixels(1200)) / 2, buttonTop, TwipsToPixels(1200), TwipsToPixels(400));
  Command1->setVisible(true);
  Command1->setEnabled(true);
  setFixedSize(width, buttonTop + TwipsToPixels(400) + TwipsToPixels(240));
  if (QScreen* s = screen()) move(s->availableGeometry().center().x() - width / 2, TwipsToPixels(g.top));
  TextScreenOpen = 1;
}

void PrintScreen::closeEvent(QCloseEvent* e) {
  e->accept();
  DefaultInstance<PrintScreen>::Forget(this);
  if (shell.TextScreenId == 1 && DecimalSymbolIsComma(SystemNumberText()())) frmComma::ShowModal();
}

void PrintScreen::ShowScreen() {
  PrintScreen* s = DefaultInstance<PrintScreen>::Get();
  s->setEnabled(true);
  s->show();
  s->raise();
  s->activateWindow();
  // The desktop hands over the front a moment later. A box shown right after
  // (the beginner notice) must belong to this screen, so that closing the box
  // gives the front back to it instead of to the main window, which would
  // close the screen before it was read.
  // The events let run meanwhile may close the screen: it is deleted only
  // after this wait, and the wait ends with it.
  HandlerWait handlerWait;
  StillLoaded<PrintScreen> screen(s);
  QElapsedTimer wait;
  wait.start();
  while (screen && screen->isVisible() && QApplication::activeWindow() != s && wait.elapsed() < kActivationWaitMs)
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
}

}  // namespace sw
