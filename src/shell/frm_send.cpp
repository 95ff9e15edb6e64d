#include "shell/frm_send.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "files/configuration.h"
#include "platform/qt/deactivate_close.h"
#include "platform/qt/default_instance.h"
#include "platform/qt/qt_ui.h"
#include "platform/qt/twips.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "platform/qt/escape_close.h"
#include "shell/cylvane_link.h"
#include "shell/frm_main.h"
#include "shell/frm_seek.h"
#include "shell/help_form.h"
#include "shell/shell_state.h"
#include "shell/user_actions.h"

namespace sw {

namespace {

const char* const kOptionCaption[5] = {"Cylvane Q1", "Cylvane Q2", "Cylvane Q4", "Cylvane Q3",
                                       "Other \"custom configuration\""};
const char* const kSpecCaption[3] = {"Program EXE Name", "Location (path)", "Program Icon Name"};
const char* const kNeedBothNames =
    "You must enter both the Program EXE Name and Program Icon Name for a valid Custom Configuration.";

}  // namespace

frmSend::frmSend() : QWidget(nullptr, Qt::Window) {
  setAttribute(Qt::WA_DeleteOnClose);
  setObjectName("frmSend");
  setWindowTitle("Switch to Engine Program");
  CloseOnEscape(this);

  Frame3D1 = new QGroupBox("Windows Engine Program", this);
  Frame3D1->setObjectName("Frame3D1");
  auto* g = new QGridLayout(Frame3D1);
  for (int k = 0; k < 5; ++k) {
    auto* o = new QRadioButton(kOptionCaption[k], Frame3D1);
    o->setObjectName(QString("Option3D1_%1").arg(k));
    // Chosen by a click, the arrow keys or a screen reader's action alike.
    OnAction(o, &QRadioButton::toggled, this, "Option3D1_" + std::to_string(k) + " toggled", [this, k](bool on) {
      if (on) Option3D1_Click(k);
    });
    Option3D1.push_back(o);
    g->addWidget(o, k, 0, 1, 2);
  }
  for (int k = 0; k < 3; ++k) {
    auto* l = new QLabel(kSpecCaption[k], Frame3D1);
    l->setObjectName(QString("SpecName_%1").arg(k));
    auto* e = new QLineEdit(Frame3D1);
    e->setObjectName(QString("SpecData_%1").arg(k));
    e->setAccessibleName(kSpecCaption[k]);
    e->setMinimumWidth(TwipsToPixels(4800));
    l->setBuddy(e);
    SpecName.push_back(l);
    SpecData.push_back(e);
    g->addWidget(l, 5 + k, 0);
    g->addWidget(e, 5 + k, 1);
  }
  g->setColumnMinimumWidth(0, TwipsToPixels(1800));

  static const char* kButtons[3] = {"OK/Switch", "Help", "Cancel"};
  auto* buttons = new QHBoxLayout;
  for (int i = 0; i < 8; ++i) {
    auto* b = new QPushButton(i < 3 ? kButtons[i] : "Look For It", this);
    b->setObjectName(QString("Command1_%1").arg(i));
    b->setAutoDefault(false);
    if (i >= 3) {
      // Five buttons share one caption: say whose program each looks for.
      b->setAccessibleName(QString("Look For It: ") + kOptionCaption[i - 3]);
      g->addWidget(b, i - 3, 2);
    } else {
      buttons->addWidget(b);
    }
    OnAction(b, &QPushButton::clicked, this, "Command1_" + std::to_string(i), [this, i] { Command1_Click(i); });
    Command1.push_back(b);
  }
  Command1[0]->setDefault(true);

  auto* v = new QVBoxLayout(this);
  v->addWidget(Frame3D1);
  v->addLayout(buttons);
  v->setSizeConstraint(QLayout::SetFixedSize);

  watch_ = new DeactivateWatch(this, [this] {
    if (shell.KeepSpecForm != 0) StoreEditionChoice();
    else close();
  });
  // Its own search and help page do not count as losing the focus.
  watch_->SetExcept([](QWidget* w) {
    return qobject_cast<frmSeek*>(w) != nullptr || qobject_cast<HelpForm*>(w) != nullptr;
  });

  // Load: the custom names, and the edition's option switched on.
  ShowCustomNames();
  if (cfg.CylvaneEdition < 0 || cfg.CylvaneEdition > kCustomEdition) cfg.CylvaneEdition = 2;
  Option3D1_Click(cfg.CylvaneEdition);
}

frmSend::~frmSend() = default;

void frmSend::ShowSendForm() { ShowOverMainWindow(DefaultInstance<frmSend>::Get()); }

void frmSend::UnloadSendForm() {
  if (frmSend* w = DefaultInstance<frmSend>::IfLoaded()) w->close();
}

void frmSend::ShowCustomNames() {
  SpecData[0]->setText(ToQ(cfg.CylvaneExeName[kCustomEdition]));
  SpecData[1]->setText(ToQ(cfg.CylvaneFolder[kCustomEdition]));
  SpecData[2]->setText(ToQ(cfg.CylvaneShortName[kCustomEdition]));
}

bool frmSend::event(QEvent* e) {
  if (e->type() == QEvent::WindowActivate) {
    UpdateEditionControls();
    shell.KeepSpecForm = 0;
  }
  return QWidget::event(e);
}

void frmSend::closeEvent(QCloseEvent* e) {
  StoreEditionChoice();
  DefaultInstance<frmSend>::Forget(this);
  e->accept();
}

int frmSend::OptionOn() const {
  for (int k = 0; k < 5; ++k)
    if (Option3D1[k]->isChecked()) return k;
  return 2;
}

void frmSend::Option3D1_Click(int index) {
  Option3D1[index]->setChecked(true);
  cfg.CylvaneEdition = static_cast<int16_t>(OptionOn());
  UpdateEditionControls();
}

void frmSend::UpdateEditionControls() {
  const bool custom = Option3D1[kCustomEdition]->isChecked();
  for (int k = 0; k < 3; ++k) {
    SpecName[k]->setEnabled(custom);
    SpecData[k]->setEnabled(custom);
  }
  for (int k = 0; k < 5; ++k) Command1[3 + k]->setEnabled(Option3D1[k]->isChecked());
}

void frmSend::StoreEditionChoice() {
  cfg.CylvaneEdition = static_cast<int16_t>(OptionOn());
  cfg.CylvaneExeName[kCustomEdition] = FromQ(SpecData[0]->text());
  cfg.CylvaneFolder[kCustomEdition] = FromQ(SpecData[1]->text());
  cfg.CylvaneShortName[kCustomEdition] = FromQ(SpecData[2]->text());
}

void frmSend::Command1_Click(int index) {
  switch (index) {
    case 0:  // OK/Switch
      Option3D1[cfg.CylvaneEdition]->setChecked(true);
      if (Option3D1[kCustomEdition]->isChecked()) {
        StoreEditionChoice();
        if (Trim(cfg.CylvaneExeName[kCustomEdition]).empty() || Trim(cfg.CylvaneShortName[kCustomEdition]).empty()) {
          MsgBox(kNeedBothNames, mb::OKOnly, "");
          return;
        }
      }
      LaunchCylvane();
      break;
    case 1:  // Help
      shell.KeepSpecForm = 1;
      ShowHelpTopic(590);
      break;
    case 2:  // Cancel
      close();
      break;
    default:
      LookForIt(index - 3);
      break;
  }
}

void frmSend::LookForIt(int edition) {
  if (edition < kCustomEdition) {
    shell.SeekExeName = DesignedCylvaneNames(edition).exe;
    cfg.CylvaneExeName[edition] = shell.SeekExeName;
  } else {
    // A program here needs no ".EXE" ending, only a name.
    const std::string name = Trim(FromQ(SpecData[0]->text()));
    if (name.empty()) {
      MsgBox(kNeedBothNames, mb::OKOnly, "");
      return;
    }
    shell.SeekExeName = name;
  }
  const std::string sought = shell.SeekExeName;
  StillLoaded<frmSend> self(this);
  frmSeek::SeekModal();
  if (shell.SeekExeName.empty()) {
    MsgBox("Unable to locate this Vehicle Program on your system.", mb::OKOnly, "");
    return;
  }
  const std::string& found = shell.SeekExeName;
  cfg.CylvaneFolder[edition] = found.substr(0, found.size() - std::min(found.size(), sought.size()));
  if (!self) return;
  // The window stayed open: show what was found.
  if (edition == kCustomEdition) SpecData[1]->setText(ToQ(cfg.CylvaneFolder[edition]));
  UpdateEditionControls();
  ShowOverMainWindow(this);
}

}  // namespace sw
