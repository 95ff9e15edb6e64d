#include "shell/frm_chos2.h"

#include <QEvent>
#include <algorithm>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QVBoxLayout>

#include "platform/qt/qt_ui.h"
#include "platform/qt/window_lifetime.h"
#include "shell/shell_state.h"
#include "shell/user_actions.h"

namespace sw {

frmChos2::frmChos2() : QDialog(nullptr) {
  setObjectName("frmChos2");
  setWindowTitle("Form1");
  setModal(true);
  Chos2 = new QListWidget(this);
  Chos2->setObjectName("Chos2");
  Chos2->setAccessibleName("Catagories");
  Command1[0] = new QPushButton("Use Catagory", this);
  Command1[1] = new QPushButton("Cancel", this);
  Command1[0]->setObjectName("Command1_0");
  Command1[1]->setObjectName("Command1_1");
  Label1 = new QLabel(
      "Tip:  Click on the catagory to highlight it, then click on the 'Use Catagory' button, or just Double Click "
      "on the catagory to pick in one step.",
      this);
  Label1->setObjectName("Label1");
  Label1->setWordWrap(true);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(Command1[0]);
  buttons->addWidget(Command1[1]);
  auto* v = new QVBoxLayout(this);
  v->addWidget(Chos2);
  v->addLayout(buttons);
  v->addWidget(Label1);
  setFixedWidth(360);
  Chos2->installEventFilter(this);
  OnAction(Chos2, &QListWidget::itemDoubleClicked, this, "Chos2 itemDoubleClicked", [this] { UseHighlighted(); });
  OnAction(Command1[0], &QPushButton::clicked, this, "Command1_" + std::to_string(0), [this] { UseHighlighted(); });
  OnAction(Command1[1], &QPushButton::clicked, this, "Command1_" + std::to_string(1), [this] { reject(); });
}

void frmChos2::UseHighlighted() {
  shell.ChooserResult = static_cast<int16_t>(Chos2->currentItem() && Chos2->currentItem()->isSelected()
                                                 ? Chos2->currentRow()
                                                 : -1);
  done(QDialog::Accepted);
}

void frmChos2::reject() {
  shell.ChooserResult = -1;
  QDialog::reject();
}

bool frmChos2::event(QEvent* e) {
  // While the chooser has the focus the spec window underneath stays.
  if (e->type() == QEvent::WindowActivate) shell.KeepSpecForm = 1;
  return QDialog::event(e);
}

bool frmChos2::eventFilter(QObject* o, QEvent* e) {
  // The first arrow highlights the line that shows the focus instead of
  // passing over it, so the first category can be picked by keyboard.
  if (o == Chos2 && e->type() == QEvent::KeyPress) {
    const auto* k = static_cast<QKeyEvent*>(e);
    QListWidgetItem* current = Chos2->currentItem();
    if ((k->key() == Qt::Key_Down || k->key() == Qt::Key_Up) && k->modifiers() == Qt::NoModifier && current &&
        !current->isSelected()) {
      current->setSelected(true);
      return true;
    }
  }
  return QDialog::eventFilter(o, e);
}

int frmChos2::Choose(const std::string& caption, const std::vector<std::string>& lines) {
  frmChos2 w;
  w.setWindowTitle(ToQ(caption));
  w.Chos2->clear();
  for (const std::string& line : lines) w.Chos2->addItem(ToQ(line));
  w.Chos2->setFixedHeight(std::max(w.Chos2->sizeHintForRow(0), 16) * (static_cast<int>(lines.size()) + 1) + 6);
  ExecModal(&w);  // parentless: no window's unload can take it
  return shell.ChooserResult;
}

}  // namespace sw
