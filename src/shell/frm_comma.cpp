#include "shell/frm_comma.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "platform/qt/default_instance.h"
#include "platform/qt/twips.h"
#include "platform/text.h"
#include "printing/window_image.h"
#include "platform/qt/qt_ui.h"
#include "shell/vehicle_summary.h"
#include "shell/user_actions.h"

namespace sw {

namespace {

// The window's image on one page, as large as it fits with its shape kept.
void PrintWindowImage(QWidget* w) { PrintFormImage(w, "Critical Problem Encountered"); }

}  // namespace

std::function<void()>& frmComma::StopProgram() {
  static std::function<void()> stop = [] { QCoreApplication::exit(0); };
  return stop;
}

std::function<void(QWidget*)>& frmComma::PrintImage() {
  static std::function<void(QWidget*)> print = PrintWindowImage;
  return print;
}

std::string frmComma::Message() {
  const std::string gap = std::string(1, CR) + std::string(1, CR);
  return "Your computer system is set to use commas (,) where decimal points (.) are typically used in numbers." +
         gap + "    Numbers should be displayed     123.45" + gap + "    Your computer displays              123,45" +
         gap +
         "This will cause problems with this program, where it may not restart correctly and the program's History "
         "Log and other settings will be corrupted." +
         gap + "Procedure to fix problem:" + gap +
         "1) Print this message by clicking on the 'Print' button below.  Then quit this program now by clicking on "
         "the 'Stop Program Now' button below." +
         gap +
         "2) In Windows 95:  Click on 'Start', then 'Help', then select the 'Index' Help tab and type in 'number'.  "
         "Click on 'numbers format, changing' from the list presented." +
         gap +
         "3) Click on the 'Click here [ ] to display properties for reginal settings'.  Then be sure to have selected "
         "the 'Numbers' tab to display the current 'Decimal Symbol'.  Change this to a period (.) and then click "
         "'OK'.";
}

frmComma::frmComma() {
  setAttribute(Qt::WA_DeleteOnClose);
  setObjectName("frmComma");
  setWindowTitle("Critical Problem Encountered");
  setModal(true);
  Label1 = new QLabel(this);
  Label1->setObjectName("Label1");
  Label1->setWordWrap(true);
  Label1->setTextFormat(Qt::PlainText);
  Label1->setFixedWidth(TwipsToPixels(7200));
  Label1->setText(DisplayText(LabelText(Message())));
  const char* captions[] = {"Cancel", "Stop Program Now", "Print"};
  auto* buttons = new QHBoxLayout;
  for (int i = 0; i < 3; ++i) {
    auto* b = new QPushButton(captions[i], this);
    b->setObjectName(QString("Command1_%1").arg(i));
    b->setAutoDefault(false);
    Command1.push_back(b);
    buttons->addWidget(b);
    OnAction(b, &QPushButton::clicked, this, "Command1_" + std::to_string(i), [this, i] { Command1_Click(i); });
  }
  auto* v = new QVBoxLayout(this);
  v->addWidget(Label1);
  v->addLayout(buttons);
  v->setSizeConstraint(QLayout::SetFixedSize);
}

void frmComma::closeEvent(QCloseEvent* e) {
  QDialog::closeEvent(e);
  if (e->isAccepted()) DefaultInstance<frmComma>::Forget(this);
}

frmComma::~frmComma() { DefaultInstance<frmComma>::Forget(this); }

void frmComma::Command1_Click(int index) {
  switch (index) {
    case 1:
      close();
      if (StopProgram()) StopProgram()();
      break;
    case 2:
      if (PrintImage()) PrintImage()(this);
      break;
    default: close(); break;
  }
}

// Asked for again while it is open, the open one comes to the front.
void frmComma::ShowModal() { ExecModal(DefaultInstance<frmComma>::Get()); }

}  // namespace sw
