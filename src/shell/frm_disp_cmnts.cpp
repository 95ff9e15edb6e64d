#include "shell/frm_disp_cmnts.h"

#include <QCloseEvent>
#include <QVBoxLayout>

#include "files/file_state.h"
#include "platform/qt/default_instance.h"
#include "platform/qt/qt_ui.h"
#include "platform/qt/text_box.h"
#include "platform/qt/twips.h"
#include "platform/qt/deactivate_close.h"
#include "platform/qt/escape_close.h"
#include "shell/frm_main.h"
#include "shell/user_actions.h"

namespace sw {

frmDispCmnts::frmDispCmnts() : QWidget(nullptr, Qt::Window) {
  setAttribute(Qt::WA_DeleteOnClose);
  setObjectName("frmDispCmnts");
  setWindowTitle("Vehicle Comments");
  Text1 = new TextBox(this);
  Text1->setObjectName("Text1");
  Text1->setAccessibleName("Vehicle Comments");
  Text1->setTabChangesFocus(true);  // Tab moves on to the buttons
  Text1->setMinimumSize(TwipsToPixels(7200), TwipsToPixels(4000));
  Command1 = new QPushButton("OK", this);
  Command1->setObjectName("Command1");
  auto* v = new QVBoxLayout(this);
  v->addWidget(Text1, 1);
  v->addWidget(Command1, 0, Qt::AlignHCenter);
  OnAction(Command1, &QPushButton::clicked, this, "Command1", [this] { close(); });
  watch_ = new DeactivateWatch(this, [this] { close(); });
  CloseOnEscape(this);
}

frmDispCmnts::~frmDispCmnts() { DefaultInstance<frmDispCmnts>::Forget(this); }

void frmDispCmnts::closeEvent(QCloseEvent* e) {
  e->accept();
  DefaultInstance<frmDispCmnts>::Forget(this);
  WriteBack();
}

void frmDispCmnts::StoreTyped() {
  if (frmDispCmnts* w = DefaultInstance<frmDispCmnts>::IfLoaded()) w->WriteBack();
}

void frmDispCmnts::WriteBack() {
  const QString text = Text1->toPlainText();
  // Through the main window's box, so that a change marks the vehicle
  // changed, then into the vehicle's comments.
  if (frmMain* m = DefaultInstance<frmMain>::IfLoaded())
    if (m->Text1->toPlainText() != text) m->Text1->setPlainText(text);
  QString crlf = text;
  crlf.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
  fst.VehicleComments = FromQ(crlf);
}

namespace {

// A window still up goes first, writing back what was typed into it: the
// results window's button, pressed again, is pressed before the window's
// close on the lost front comes round, and would fill it from the old text.
frmDispCmnts* FreshWindow() {
  if (frmDispCmnts* open = DefaultInstance<frmDispCmnts>::IfLoaded()) open->close();
  return DefaultInstance<frmDispCmnts>::Get();
}

}  // namespace

void frmDispCmnts::ShowVehicleComments(const std::string& comments) {
  frmDispCmnts* w = FreshWindow();
  w->Text1->setPlainText(DisplayText(comments));
  ShowOverMainWindow(w);
}

void frmDispCmnts::ShowVehicleComments() {
  frmDispCmnts* w = FreshWindow();
  if (frmMain* m = DefaultInstance<frmMain>::IfLoaded()) w->Text1->setPlainText(m->Text1->toPlainText());
  ShowOverMainWindow(w);
}

}  // namespace sw
