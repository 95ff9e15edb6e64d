#include "printing/PrintScreen.h"

#include <QCloseEvent>
#include <QLocale>
#include <QScreen>

#include "files/text_screens.h"
#include "platform/qt/qt_ui.h"
#include "shell/deactivate_close.h"
#include "shell/frmComma.h"
#include "shell/shell_text.h"

namespace sw {

namespace {
PrintScreen* g_screen = nullptr;
}

std::function<std::string()>& PrintScreen::SystemNumberText() {
  static std::function<std::string()> f = [] { return FromQ(QLocale().toString(7.0 / 3.0, 'f', 3)); };
  return f;
}

PrintScreen& PrintScreen::Default() {
  if (!g_screen) g_screen = new PrintScreen();
  return *g_screen;
}

PrintScreen* PrintScreen::Loaded() { return g_screen; }

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
  connect(Command1, &QPushButton::clicked, this, [this] {
    close();
    TextScreenOpen = 0;
  });
  watch_ = new DeactivateWatch(this, [this] { close(); });
  Form_Load();
}

PrintScreen::~PrintScreen() {
  if (g_screen == this) g_screen = nullptr;
}

void PrintScreen::Form_Load() {
  TextScreenLayout layout;
  if (!TextScreenFor(TextScreenId, layout)) return;
  TextScreenGeometry g = TextScreenSize(layout);
  std::string caption, text;
  LoadTextScreen(TextScreenId, caption, text);
  setWindowTitle(ToQ(caption));
  Label1->setText(LabelText(text));
  // The label is as wide as the longest line; the heights follow the design.
  int width = std::max(Label1->sizeHint().width(), Twips(6000, this)) + Twips(480, this);
  Label1->setGeometry(Twips(240, this), Twips(120, this), width - Twips(480, this),
                      std::max(Twips(g.labelHeight, this), Label1->sizeHint().height()));
  int buttonTop = std::max(Twips(g.buttonTop, this), Label1->geometry().bottom() + Twips(120, this));
  Command1->setGeometry((width - Twips(1200, this)) / 2, buttonTop, Twips(1200, this), Twips(400, this));
  Command1->setVisible(true);
  Command1->setEnabled(true);
  setFixedSize(width, buttonTop + Twips(400, this) + Twips(240, this));
  if (QScreen* s = screen()) move(s->availableGeometry().center().x() - width / 2, Twips(g.top, this));
  TextScreenOpen = 1;
}

void PrintScreen::closeEvent(QCloseEvent* e) {
  e->accept();
  if (g_screen == this) g_screen = nullptr;
  if (TextScreenId == 1 && DecimalSymbolIsComma(SystemNumberText()())) frmComma::ShowModal();
}

void PrintScreen::ShowScreen() {
  PrintScreen& s = Default();
  s.setEnabled(true);
  s.show();
  s.raise();
  s.activateWindow();
}

}  // namespace sw
