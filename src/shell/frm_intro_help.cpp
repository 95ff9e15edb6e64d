#include "shell/frm_intro_help.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "platform/qt/default_instance.h"
#include "platform/qt/qt_ui.h"
#include "platform/qt/twips.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "shell/shell_state.h"
#include "shell/vehicle_summary.h"
#include "shell/user_actions.h"

namespace sw {

frmIntroHelp::frmIntroHelp() {
  setAttribute(Qt::WA_DeleteOnClose);
  setObjectName("frmIntroHelp");
  setWindowTitle("IMPORTANT:  Help (definition)");
  setModal(true);
  Label1 = new QLabel(this);
  Label1->setObjectName("Label1");
  Label1->setWordWrap(true);
  Label1->setTextFormat(Qt::PlainText);
  Label1->setFixedWidth(TwipsToPixels(6000));
  Check1 = new QCheckBox("Don't show this again", this);
  Check1->setObjectName("Check1");
  const char* captions[] = {"OK", "No", "Help"};
  auto* buttons = new QHBoxLayout;
  for (int i = 0; i < 3; ++i) {
    auto* b = new QPushButton(captions[i], this);
    b->setObjectName(QString("Command1_%1").arg(i));
    b->setAutoDefault(false);
    Command1.push_back(b);
    buttons->addWidget(b);
  }
  Command1[0]->setDefault(true);
  auto* v = new QVBoxLayout(this);
  v->addWidget(Label1);
  v->addWidget(Check1);
  v->addLayout(buttons);
  v->setSizeConstraint(QLayout::SetFixedSize);

  OnAction(Command1[0], &QPushButton::clicked, this, "Command1_" + std::to_string(0), [this] { Finish(); });
  OnAction(Command1[1], &QPushButton::clicked, this, "Command1_" + std::to_string(1), [this] { Finish(); });
  OnAction(Command1[2], &QPushButton::clicked, this, "Command1_" + std::to_string(2), [] {
    const std::string cr(1, CR);
    MsgBox("This message will not display again until you restart the program just by clicking on 'OK'." + cr + cr +
           "Click on 'Don't show this again' and then on 'OK' to never show this message again, even when you "
           "restart the program." +
           cr + cr +
           "You can restart the displaying of these help tips by clicking on 'Preferences' at the top of the Main "
           "Screen and then clicking on 'Restart Displaying Help Tips'.");
  });
  Load();
}

void frmIntroHelp::closeEvent(QCloseEvent* e) {
  QDialog::closeEvent(e);
  if (e->isAccepted()) DefaultInstance<frmIntroHelp>::Forget(this);
}

frmIntroHelp::~frmIntroHelp() { DefaultInstance<frmIntroHelp>::Forget(this); }

void frmIntroHelp::Load() {
  // Tip 20 is the only tip the program asks for: it points to the manual,
  // naming the viewers this program uses.
  Check1->setVisible(true);
  Command1[1]->setVisible(false);
  setWindowTitle("Stagewell v3.2 Tip");
  if (shell.TipNumber == 20) {
    const std::string cr(1, CR);
    setWindowTitle("User's Manual");
    Label1->setText(DisplayText(LabelText(
        "To view the User's Manual, click on OK to clear this message." + cr + cr +
        "Then click on Help at the top of the Main Screen, then click on Display User's Manual.  It will be displayed "
        "in your desktop's PDF viewer, from which you can also print the manual.  (Click on Display the Readme file "
        "in the same menu to read about recent changes.)")));
  }
}

void frmIntroHelp::Finish() {
  int n = shell.TipNumber;
  if (n >= 0 && n < static_cast<int>(shell.TipShown.size()))
    shell.TipShown[static_cast<size_t>(n)] = Check1->isChecked() ? 2 : 1;
  close();
}

void frmIntroHelp::ShowTip() { ExecModal(DefaultInstance<frmIntroHelp>::Get()); }

}  // namespace sw
