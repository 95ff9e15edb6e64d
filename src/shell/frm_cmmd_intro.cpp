#include "shell/frm_cmmd_intro.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QPainter>
#include <algorithm>

#include "platform/qt/default_instance.h"
#include "platform/qt/pick_list.h"
#include "platform/qt/text_box.h"
#include "platform/qt/twips.h"
#include "platform/qt/qt_ui.h"
#include "shell/vehicle_summary.h"
#include "shell/user_actions.h"

namespace sw {

namespace {

const char* kLabels[10] = {
    "Shown here are tips on how to enter specs into your Windows program.  (Menu shown below is not an actual menu.)",
    "Special spec called 'Type' gives name of Example component being used (heads, cam, etc), or says 'Use Specs "
    "Below' if you are not using an Example.",
    "Combo Box:  Click on down arrow button at right of box to be presented with list of choices, then click on your "
    "choice.  Click on the gray area outside the box or list to keep current choice and close list.",
    "Special Combo Box (used for Cam Advance only):  Just like Combo Box above except you can also type in something "
    "not found in the list, like Text Entry box below.",
    "Text Entry Box: Click on this box with the mouse, then type in the number (sometimes letters also) you want to "
    "change the spec to.  Use the 'Delete' or 'Backspace' keys to erase the current numbers.",
    "Calculation Button:  Some specs have a calculation button to calculate the spec from other inputs.  In this case "
    "Lobe Lift could be calculated from Valve Lift and Rocker Arm Ratio.  If you already know the spec, just type it "
    "in.  There is no advantage to using a calculation menu.  IMPORTANT:  Some calculation buttons list typical "
    "examples, making easy choices for beginners.",
    "Calculated Output:  Some specs are actually calculated results that can NOT be entered, but are calculated "
    "based on other inputs.",
    "Disabled Spec:  When a spec name, the spec itself, a button, etc are printed in gray (not black) it has been "
    "dis- abled and can NOT be used.  In this case, Lash is disabled because the cam is hydraulic.",
    "Buttons:  Click on a button to perform the action of the button.  OK and Cancel buttons usually close the menu "
    "you are working on.",
    "Text Box with Scroll Bar:  Click and drag button (or click on up or down arrow buttons) on the right side to "
    "display all the contents of this box.  Click inside the box and start typing to add to or change the words in "
    "the box (or press Delete key to delete).",
};

}  // namespace

const char* frmCmmdIntro::LabelTextOf(int index) { return index >= 0 && index < 10 ? kLabels[index] : ""; }

frmCmmdIntro::frmCmmdIntro() {
  setAttribute(Qt::WA_DeleteOnClose);
  setObjectName("frmCmmdIntro");
  setWindowTitle("Summary of Windows Commands");
  setModal(true);
  auto T = [](int twips) { return TwipsToPixels(twips); };
  auto R = [&](int x, int y, int w, int h) { return QRect(T(x), T(y), T(w), T(h)); };
  setFixedSize(T(11400), T(8200));

  // The mock spec menu on the left.
  Frame1 = new QGroupBox("Intake Cam Specs", this);
  Frame1->setGeometry(R(150, 1300, 4500, 2150));
  const char* names[4] = {"Type", "Total Cam Advance", "Max Lobe Lift, in", "Lash @ Valve, in"};
  for (int r = 0; r < 4; ++r) {
    auto* n = new QLabel(names[r], Frame1);
    n->setObjectName(QString("SpecName_%1").arg(r));
    n->setFrameShape(QFrame::Panel);
    n->setFrameShadow(QFrame::Raised);
    n->setGeometry(R(120, 320 + 440 * r, 1900, 360));
    SpecName.push_back(n);
  }
  for (int r = 0; r < 2; ++r) {
    auto* c = new PickList(Frame1);
    c->setObjectName(QString("cmbSpecData_%1").arg(r));
    c->setGeometry(R(2100, 320 + 440 * r, 2250, 360));
    cmbSpecData.push_back(c);
  }
  cmbSpecData[1]->setEditable(true);  // the cam advance list also takes typed values
  SpecData.assign(4, nullptr);
  for (int r = 2; r < 4; ++r) {
    auto* e = new QLineEdit(Frame1);
    e->setObjectName(QString("SpecData_%1").arg(r));
    e->setGeometry(R(2100, 320 + 440 * r, 1400, 360));
    SpecData[static_cast<size_t>(r)] = e;
  }
  SpecData[2]->setText(".333");
  SpecData[3]->setText("0");
  ClcBttn = new QPushButton("Clc", Frame1);
  ClcBttn->setObjectName("ClcBttn");
  ClcBttn->setGeometry(R(3600, 320 + 440 * 2, 700, 360));
  // Each caption names its box or list for a screen reader, as in the real spec windows.
  SpecName[0]->setBuddy(cmbSpecData[0]);
  SpecName[1]->setBuddy(cmbSpecData[1]);
  cmbSpecData[1]->lineEdit()->setAccessibleName(names[1]);
  SpecName[2]->setBuddy(SpecData[2]);
  SpecName[3]->setBuddy(SpecData[3]);
  SpecName[3]->setEnabled(false);  // a hydraulic cam has no lash
  SpecData[3]->setEnabled(false);

  Frame2 = new QGroupBox("Calculated Cam Specs", this);
  Frame2->setGeometry(R(150, 3600, 4500, 800));
  LobeSeparationName = new QLabel("Lobe Separation", Frame2);
  LobeSeparationName->setFrameShape(QFrame::Panel);
  LobeSeparationName->setFrameShadow(QFrame::Raised);
  LobeSeparationName->setGeometry(R(120, 320, 1900, 360));
  LobeSeparation = new QLabel("110.0", Frame2);
  LobeSeparation->setObjectName("LobeSeparation");
  LobeSeparation->setFrameShape(QFrame::Panel);
  LobeSeparation->setFrameShadow(QFrame::Sunken);
  LobeSeparation->setGeometry(R(2100, 320, 1400, 360));

  const char* captions[2] = {"Help", "Get Example"};
  for (int i = 0; i < 2; ++i) {
    auto* b = new QPushButton(captions[i], this);
    b->setObjectName(QString("Command1_%1").arg(i));
    b->setGeometry(R(150 + 1550 * i, 4600, 1400, 420));
    b->setAutoDefault(false);
    Command1.push_back(b);
  }
  Command2 = new QPushButton("Cancel", this);
  Command2->setObjectName("Command2");
  Command2->setGeometry(R(3250, 4600, 1400, 420));
  Command2->setAutoDefault(false);
  OnAction(Command2, &QPushButton::clicked, this, "Command2", [this] { close(); });

  Text1 = new TextBox(this);
  Text1->setObjectName("Text1");
  Text1->setGeometry(R(150, 5300, 4500, 1500));
  Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Text1->setAccessibleName("Text Input Box");
  // Tab leaves the box, as everywhere else in the program.
  Text1->setTabChangesFocus(true);

  // The explanations on the right, each joined to what it describes.
  for (int i = 0; i < 10; ++i) {
    auto* l = new QLabel(DisplayText(LabelText(kLabels[i])), this);
    l->setObjectName(QString("Label2_%1").arg(i));
    l->setWordWrap(true);
    l->setStyleSheet("color: #000080;");
    Label2.push_back(l);
  }
  Label2[0]->setGeometry(R(150, 100, 11100, 600));
  // Each explanation as tall as its text needs at this screen's font, near
  // the control it describes, and never over the one above it.
  const int top[10] = {0, 750, 1450, 2150, 2750, 3400, 4150, 4850, 5500, 6300};
  const int labelWidth = T(5650);
  int below = 0;
  for (int i = 1; i < 10; ++i) {
    QLabel* l = Label2[static_cast<size_t>(i)];
    const int h = l->heightForWidth(labelWidth);
    const int y = std::max(T(top[i]), below);
    l->setGeometry(T(5600), y, labelWidth, h);
    below = y + h + T(90);
  }
  setFixedSize(T(11400), std::max(T(8200), below + T(150)));
  links_ = {{1, SpecName[0]},    {2, cmbSpecData[0]}, {3, cmbSpecData[1]}, {4, SpecData[2]}, {5, ClcBttn},
            {6, LobeSeparation}, {7, SpecData[3]},    {8, Command2},       {9, Text1}};
  Form_Load();
}

void frmCmmdIntro::closeEvent(QCloseEvent* e) {
  QDialog::closeEvent(e);
  if (e->isAccepted()) DefaultInstance<frmCmmdIntro>::Forget(this);
}

frmCmmdIntro::~frmCmmdIntro() { DefaultInstance<frmCmmdIntro>::Forget(this); }

void frmCmmdIntro::Form_Load() {
  cmbSpecData[0]->clear();
  cmbSpecData[0]->addItems({"Use Specs Below", "Pick an Example"});
  cmbSpecData[0]->setCurrentIndex(0);
  cmbSpecData[1]->clear();
  cmbSpecData[1]->addItems({"0 Straight Up", "1 Advance", "2 Advance", "3 Advance", "4 Advance", "5 Advance"});
  cmbSpecData[1]->setCurrentIndex(3);
  QString text;
  for (int i = 0; i < 7; ++i) text += "You can type most anything into a Text Input box like this.  ";
  Text1->setPlainText(text);
}

void frmCmmdIntro::paintEvent(QPaintEvent* e) {
  QDialog::paintEvent(e);
  QPainter p(this);
  p.setPen(QPen(QColor(0, 0, 128), 1));
  for (auto& [index, target] : links_) {
    QLabel* l = Label2[static_cast<size_t>(index)];
    QPoint from(l->geometry().left() - TwipsToPixels(60), l->geometry().center().y());
    QRect t(target->mapTo(this, QPoint(0, 0)), target->size());
    QPoint to(t.right() + TwipsToPixels(30), t.center().y());
    p.drawLine(from, to);
  }
}

// Asked for again while it is open, the open one comes to the front.
void frmCmmdIntro::ShowModal() { ExecModal(DefaultInstance<frmCmmdIntro>::Get()); }

}  // namespace sw
