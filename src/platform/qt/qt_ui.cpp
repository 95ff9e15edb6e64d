#include "platform/qt/qt_ui.h"

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace sw {

QString DisplayText(const std::string& s) {
  QString q = ToQ(s);
  q.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  q.replace(QChar('\r'), QChar('\n'));
  return q;
}

int QtUi::MsgBox(const std::string& prompt, int style, const std::string& title) {
  QMessageBox box(QApplication::activeWindow());
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
  QMessageBox::StandardButtons set;
  for (auto& b : buttons) set |= b.button;
  box.setStandardButtons(set);
  size_t def = static_cast<size_t>((style & 768) / 256);
  if (def < buttons.size()) box.setDefaultButton(buttons[def].button);
  // Escape means Cancel where there is one, else the last button (No, OK).
  box.setEscapeButton(buttons.back().button);

  bool wasBusy = busy_;
  if (wasBusy) QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
  int clicked = box.exec();
  if (wasBusy) QGuiApplication::restoreOverrideCursor();
  for (auto& b : buttons)
    if (clicked == b.button) return b.answer;
  return DefaultAnswer(style);
}

InputAnswer QtUi::InputBox(const std::string& prompt, const std::string& title, const std::string& def) {
  bool ok = false;
  QString text = QInputDialog::getText(QApplication::activeWindow(), ToQ(title), DisplayText(prompt),
                                       QLineEdit::Normal, ToQ(def), &ok);
  if (!ok) return {"", true};
  return {FromQ(text), false};
}

void QtUi::DoEvents() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void QtUi::SetBusyCursor(bool busy) {
  if (busy == busy_) return;
  busy_ = busy;
  if (busy) QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  else QGuiApplication::restoreOverrideCursor();
}

}  // namespace sw
