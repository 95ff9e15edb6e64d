#include "shell/HelpForm.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "files/help_pages.h"
#include "platform/qt/qt_ui.h"
#include "shell/deactivate_close.h"
#include "shell/shell_text.h"

namespace sw {

namespace {
HelpForm* g_help = nullptr;
}

HelpForm& HelpForm::Default() {
  if (!g_help) g_help = new HelpForm();
  return *g_help;
}

HelpForm* HelpForm::Loaded() { return g_help; }

HelpForm::HelpForm() : QWidget(nullptr, Qt::Window) {
  setAttribute(Qt::WA_DeleteOnClose);
  setObjectName("HelpForm");
  setWindowTitle("HelpText");
  Label1 = new QLabel(this);
  Label1->setObjectName("Label1");
  Label1->setWordWrap(true);
  Label1->setTextFormat(Qt::PlainText);
  Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Label1->setFixedWidth(Twips(7800, this));
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
  v->addSpacing(Twips(300, this));
  v->addLayout(buttons);
  v->setSizeConstraint(QLayout::SetFixedSize);

  connect(Command1, &QPushButton::clicked, this, [this] {
    NextHelpPage();
    ShowPage();
  });
  connect(Command3, &QPushButton::clicked, this, [this] {
    PreviousHelpPage();
    ShowPage();
  });
  connect(Command2, &QPushButton::clicked, this, [this] { close(); });
  watch_ = new DeactivateWatch(this, [this] { close(); });
}

HelpForm::~HelpForm() {
  if (g_help == this) g_help = nullptr;
}

void HelpForm::ShowPage() {
  HelpPageView view = BuildHelpPage();
  if (!view.known) return;
  setWindowTitle(ToQ(view.caption));
  Label1->setText(LabelText(view.text));
  Command3->setEnabled(view.previousEnabled);
  Command1->setEnabled(view.nextEnabled);
  adjustSize();
}

void HelpForm::closeEvent(QCloseEvent* e) {
  HelpFromCalcMenu = 0;
  e->accept();
  // A closed window is on its way out: the next use gets a new one.
  if (g_help == this) g_help = nullptr;
}

void ShowHelpTopic(int topic) {
  HelpMenuNumber = static_cast<int16_t>(topic);
  HelpPage = 0;
  HelpForm& f = HelpForm::Default();
  f.ShowPage();
  f.show();
  f.raise();
  f.activateWindow();
}

}  // namespace sw
