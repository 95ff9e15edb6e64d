#include "shell/frm_about.h"

#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/qt/default_instance.h"
#include "platform/ui.h"
#include "printing/window_image.h"
#include "shell/artwork.h"
#include "shell/frm_main.h"
#include "shell/user_actions.h"

namespace sw {

namespace {
QFrame* Panel(QWidget* parent, const QString& name, std::initializer_list<QLabel*> labels) {
  auto* f = new QFrame(parent);
  f->setObjectName(name);
  f->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  auto* v = new QVBoxLayout(f);
  for (QLabel* l : labels) v->addWidget(l);
  return f;
}
}  // namespace

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
  setObjectName("frmAbout");
  setWindowTitle("About Stagewell");
  setAttribute(Qt::WA_DeleteOnClose);

  auto* v = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  Image1 = new QLabel(this);
  Image1->setObjectName("Image1");
  Image1->setPixmap(ProductPicture(200, 150));
  top->addWidget(Image1);
  auto* right = new QVBoxLayout;
  Label2 = new QLabel("Stagewell v3.2  A.014", this);
  Label2->setObjectName("Label2");
  QFont f = Label2->font();
  f.setBold(true);
  f.setPointSizeF(f.pointSizeF() * 1.4);
  Label2->setFont(f);
  right->addWidget(Label2);
  right->addWidget(new QLabel("Drag racing performance simulation", this));
  right->addStretch(1);
  top->addLayout(right);
  v->addLayout(top);

  auto* maker = new QLabel("Korvath Inc.", this);
  auto* line = new QLabel("Makers of Stagewell and the Cylvane engine programs", this);
  Label9 = new QLabel("Copyright Korvath Inc.  All rights reserved.", this);
  Label9->setObjectName("Label9");
  auto* support = new QLabel("For updates and support see 'Korvath on the Web' in the Help menu.", this);
  support->setWordWrap(true);
  v->addWidget(Panel(this, "Panel3D1", {maker, line}));
  v->addWidget(Panel(this, "Panel3D2", {Label9, support}));

  auto* buttons = new QHBoxLayout;
  Command1 = new QPushButton("Website", this);
  Command1->setObjectName("Command1");
  Command3D1 = new QPushButton("Print", this);
  Command3D1->setObjectName("Command3D1");
  cmdOK = new QPushButton("OK", this);
  cmdOK->setObjectName("cmdOK");
  cmdOK->setDefault(true);
  buttons->addWidget(Command1);
  buttons->addWidget(Command3D1);
  buttons->addStretch(1);
  buttons->addWidget(cmdOK);
  v->addLayout(buttons);
  OnAction(Command1, &QPushButton::clicked, this, "Command1", [this] { Command1_Click(); });
  OnAction(cmdOK, &QPushButton::clicked, this, "cmdOK", [this] { cmdOK_Click(); });
  OnAction(Command3D1, &QPushButton::clicked, this, "Command3D1", [this] { Command3D1_Click(); });
}

void frmAbout::cmdOK_Click() { DefaultInstance<frmAbout>::Unload(); }
void frmAbout::Form_Click() { DefaultInstance<frmAbout>::Unload(); }

void frmAbout::Command1_Click() {
  MsgBox("Click on 'Help' at the top of the Main Screen, then 'Korvath on the Web' to be brought to the Korvath "
         "website.",
         mb::OKOnly, "");
}

void frmAbout::Command3D1_Click() { PrintFormImage(this, "About Stagewell"); }

void frmAbout::mousePressEvent(QMouseEvent* e) {
  Form_Click();
  e->accept();
}

void frmAbout::closeEvent(QCloseEvent* e) {
  DefaultInstance<frmAbout>::Forget(this);
  QDialog::closeEvent(e);
}

}  // namespace sw
