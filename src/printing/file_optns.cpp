#include "printing/file_optns.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "files/ascii_export.h"
#include "files/configuration.h"
#include "platform/qt/default_instance.h"
#include "platform/qt/qt_ui.h"
#include "platform/ui.h"
#include "platform/qt/twips.h"
#include "platform/qt/escape_close.h"
#include "shell/frm_main.h"
#include "shell/user_actions.h"

namespace sw {

FileOptns::FileOptns() : QWidget(nullptr, Qt::Window) {
  setAttribute(Qt::WA_DeleteOnClose);
  setObjectName("FileOptns");
  setWindowTitle("Save as ASCII File");

  Panel3D1 = new QLabel("File Name", this);
  Panel3D1->setObjectName("Panel3D1");
  Panel3D1->setFrameShape(QFrame::Panel);
  Panel3D1->setFrameShadow(QFrame::Raised);
  Panel3D1->setAlignment(Qt::AlignCenter);
  Text1 = new QLineEdit(this);
  Text1->setObjectName("Text1");
  Text1->setAccessibleName("File Name");
  Panel3D1->setBuddy(Text1);

  Frame3D1 = new QGroupBox("ASCII File Options", this);
  Frame3D1->setObjectName("Frame3D1");
  auto* options = new QVBoxLayout(Frame3D1);
  const char* boxes[] = {"Comma Separated", "Include Text", "Convert to Columns"};
  for (int i = 0; i < 3; ++i) {
    Check3D1[static_cast<size_t>(i)] = new QCheckBox(boxes[i], Frame3D1);
    Check3D1[static_cast<size_t>(i)]->setObjectName(QString("Check3D1_%1").arg(i));
    options->addWidget(Check3D1[static_cast<size_t>(i)]);
  }

  const char* buttons[] = {"Save File", "Cancel"};
  for (int i = 0; i < 2; ++i) {
    Command1[static_cast<size_t>(i)] = new QPushButton(buttons[i], this);
    Command1[static_cast<size_t>(i)]->setObjectName(QString("Command1_%1").arg(i));
    OnAction(Command1[static_cast<size_t>(i)], &QPushButton::clicked, this, "Command1_" + std::to_string(i),
             [this, i] { Command1_Click(i); });
  }
  Command1[0]->setDefault(true);
  CloseOnEscape(this, [this] { Command1[1]->click(); });
  // Enter in the name box reaches the window, whose default button saves
  // (the program's keyboard handling); saving here as well would save twice
  // and then ask whether to replace the file just written.

  Tip = new QGroupBox(" Tip ", this);
  Tip->setObjectName("Tip");
  Label1 = new QLabel(
      "Enter a valid file name (no path) to save ASCII file to Cylvane directory.  Refer to page 98 and 102 in "
      "User's Manual for definitions of Options",
      Tip);
  Label1->setObjectName("Label1");
  Label1->setWordWrap(true);
  auto* tip = new QVBoxLayout(Tip);
  tip->addWidget(Label1);

  auto* left = new QVBoxLayout;
  left->addWidget(Panel3D1);
  left->addWidget(Text1);
  left->addWidget(Frame3D1);
  auto* right = new QVBoxLayout;
  right->addWidget(Command1[0]);
  right->addWidget(Command1[1]);
  right->addStretch(1);
  auto* top = new QHBoxLayout;
  top->addLayout(left, 1);
  top->addLayout(right);
  auto* v = new QVBoxLayout(this);
  v->addLayout(top);
  v->addWidget(Tip);
  Tip->setFixedWidth(TwipsToPixels(4800, this));
  setFixedSize(sizeHint());
}

void FileOptns::ShowWindow() { ShowOverMainWindow(DefaultInstance<FileOptns>::Get()); }

void FileOptns::Command1_Click(int index) {
  if (index == 0) WriteAsciiFile();
  else close();
}

void FileOptns::Form_Activate() {
  Text1->setText(ToQ(AsciiFileName));
  for (size_t i = 0; i < Check3D1.size(); ++i)
    if (cfg.AsciiOptions[i] == 1) Check3D1[i]->setChecked(true);
}

void FileOptns::StoreAsciiOptions() {
  for (size_t i = 0; i < Check3D1.size(); ++i) cfg.AsciiOptions[i] = Check3D1[i]->isChecked() ? 1 : 0;
  AsciiFileName = FromQ(Text1->text());
}

void FileOptns::WriteAsciiFile() {
  AsciiOptionSet o;
  o.comma = Check3D1[0]->isChecked();
  o.text = Check3D1[1]->isChecked();
  o.columns = Check3D1[2]->isChecked();
  StillLoaded<FileOptns> self(this);  // the save's boxes let events run
  if (sw::WriteAsciiFile(FromQ(Text1->text()), o) == AsciiSave::CloseWindow && self) close();
}

void FileOptns::changeEvent(QEvent* e) {
  if (e->type() == QEvent::ActivationChange && !closed_) {
    if (isActiveWindow()) Form_Activate();
    else StoreAsciiOptions();
  }
  QWidget::changeEvent(e);
}

void FileOptns::closeEvent(QCloseEvent* e) {
  if (!closed_) {
    closed_ = true;
    StoreAsciiOptions();
  }
  DefaultInstance<FileOptns>::Forget(this);
  e->accept();
}

}  // namespace sw
