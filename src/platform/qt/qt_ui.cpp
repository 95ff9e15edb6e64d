#include "platform/qt/qt_ui.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QGridLayout>
#include <QPushButton>
#include <QScreen>
#include <QSpacerItem>
#include <algorithm>

namespace sw {

QString DisplayText(const std::string& s) {
  QString q = ToQ(s);
  q.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  q.replace(QChar('\r'), QChar('\n'));
  return q;
}

namespace {

// Room a title needs in the desktop's title bar, with its buttons.
int TitleBarWidth(const QString& title) {
  QFont f = QApplication::font();
  f.setBold(true);
  return QFontMetrics(f).horizontalAdvance(title) + 120;
}

int ScreenWidth() {
  QScreen* s = QGuiApplication::primaryScreen();
  return s ? s->availableGeometry().width() : 1024;
}

}  // namespace

int QtUi::MsgBox(const std::string& prompt, int style, const std::string& title) {
  // The box belongs to the window in front. That window may close while the
  // box waits (a start-up screen closes when the desktop hands the front to
  // another window) and takes its child boxes with it: the box is therefore
  // never on the stack, and a box gone that way answers as Escape would.
  QPointer<QMessageBox> owned = new QMessageBox(QApplication::activeWindow());
  QMessageBox& box = *owned;
  box.setWindowTitle(ToQ(title.empty() ? std::string("Stagewell") : title));
  box.setText(DisplayText(prompt));
  switch (style & 112) {
    case mb::Critical: box.setIcon(QMessageBox::Critical); break;
    case mb::Question: box.setIcon(QMessageBox::Question); break;
    case mb::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case mb::Information: box.setIcon(QMessageBox::Information); break;
    default: box.setIcon(QMessageBox::NoIcon); break;
  }
  struct B {
    QMessageBox::StandardButton button;
    int answer;
  };
  std::vector<B> buttons;
  switch (style & 7) {
    case mb::OKCancel: buttons = {{QMessageBox::Ok, ans::OK}, {QMessageBox::Cancel, ans::Cancel}}; break;
    case mb::AbortRetryIgnore:
      buttons = {{QMessageBox::Abort, ans::Abort}, {QMessageBox::Retry, ans::Retry}, {QMessageBox::Ignore, ans::Ignore}};
      break;
    case mb::YesNoCancel:
      buttons = {{QMessageBox::Yes, ans::Yes}, {QMessageBox::No, ans::No}, {QMessageBox::Cancel, ans::Cancel}};
      break;
    case mb::YesNo: buttons = {{QMessageBox::Yes, ans::Yes}, {QMessageBox::No, ans::No}}; break;
    case mb::RetryCancel: buttons = {{QMessageBox::Retry, ans::Retry}, {QMessageBox::Cancel, ans::Cancel}}; break;
    default: buttons = {{QMessageBox::Ok, ans::OK}}; break;
  }
  // The title bar shows the whole title (some titles are padded with blanks
  // to stand in the middle of it), so the box is at least that wide.
  if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
    const int want = std::min(TitleBarWidth(box.windowTitle()), ScreenWidth() * 9 / 10);
    grid->addItem(new QSpacerItem(want, 0, QSizePolicy::Minimum, QSizePolicy::Expanding), grid->rowCount(), 0, 1,
                  grid->columnCount());
  }

  QMessageBox::StandardButtons set;
  for (auto& b : buttons) set |= b.button;
  box.setStandardButtons(set);
  size_t def = static_cast<size_t>((style & 768) / 256);
  if (def < buttons.size()) box.setDefaultButton(buttons[def].button);
  // Escape means Cancel where there is one, else the last button (No, OK).
  box.setEscapeButton(buttons.back().button);

  bool wasBusy = busy_;
  if (wasBusy) QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
  int clicked = owned->exec();
  if (wasBusy) QGuiApplication::restoreOverrideCursor();
  if (!owned) return buttons.back().answer;
  delete owned;
  for (auto& b : buttons)
    if (clicked == b.button) return b.answer;
  return DefaultAnswer(style);
}

InputAnswer QtUi::InputBox(const std::string& prompt, const std::string& title, const std::string& def) {
  // Never on the stack, as MsgBox: its window may close while it waits.
  QPointer<QInputDialog> owned = new QInputDialog(QApplication::activeWindow());
  QInputDialog& dialog = *owned;
  dialog.setWindowTitle(ToQ(title));
  dialog.setLabelText(DisplayText(prompt));
  dialog.setTextValue(ToQ(def));
  // Wide enough for the offered text and the title, so nothing is cut off.
  if (auto* edit = dialog.findChild<QLineEdit*>()) {
    const int want = std::max({edit->fontMetrics().horizontalAdvance(ToQ(def)) + 24,
                               TitleBarWidth(dialog.windowTitle()) - 40, 320});
    edit->setMinimumWidth(std::min(want, ScreenWidth() * 8 / 10));
  }
  const bool accepted = owned->exec() == QDialog::Accepted;
  if (!owned) return {"", true};
  const std::string text = FromQ(owned->textValue());
  delete owned;
  if (!accepted) return {"", true};
  return {text, false};
}

void QtUi::DoEvents() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void QtUi::SetBusyCursor(bool busy) {
  if (busy == busy_) return;
  busy_ = busy;
  if (busy) QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  else QGuiApplication::restoreOverrideCursor();
}

}  // namespace sw
