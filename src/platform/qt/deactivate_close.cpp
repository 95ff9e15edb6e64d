#include "platform/qt/deactivate_close.h"

#include <QApplication>
#include <QEvent>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <utility>
#include <vector>

#include "platform/ui.h"

namespace sw {

namespace {

std::vector<QPointer<DeactivateWatch>>& Watches() {
  static std::vector<QPointer<DeactivateWatch>> watches;
  return watches;
}

}  // namespace

DeactivateWatch::DeactivateWatch(QWidget* window, std::function<void()> onLost)
    : QObject(window), window_(window), onLost_(std::move(onLost)) {
  window->installEventFilter(this);
  std::erase_if(Watches(), [](const QPointer<DeactivateWatch>& w) { return !w; });
  Watches().emplace_back(this);
  // A box that took the front may hand it on to another window of the
  // program when it closes; that counts as losing the front.
  connect(qApp, &QGuiApplication::focusWindowChanged, this, [this] {
    if (afterBox_) CheckLater();
  });
}

void DeactivateWatch::CheckLater() {
  if (pending_) return;
  pending_ = true;
  // The newly active window is known only once activation has settled.
  QTimer::singleShot(0, this, [this] {
    if (pending_) Check();
  });
}

void DeactivateWatch::ReportLostFrontsNow(QWidget* to) {
  for (const QPointer<DeactivateWatch>& w : std::vector(Watches())) {
    if (w && w->pending_) w->Check();
    if (!w || !to || !w->window_ || w->suspended_ || !w->window_->isVisible() ||
        QApplication::activeWindow() != w->window_ || !w->LostTo(to->window()))
      continue;
    w->toldEarly_ = true;
    if (w->onLost_) w->Lost();
  }
}

namespace {
constexpr const char* kCountsAsBox = "swCountsAsBox";
}

void DeactivateWatch::CountAsBox(QWidget* w) { w->setProperty(kCountsAsBox, true); }

bool DeactivateWatch::IsBox(QWidget* w) {
  if (!w) return false;
  if (w->property(kCountsAsBox).toBool()) return true;
  if (qobject_cast<QMessageBox*>(w) || qobject_cast<QInputDialog*>(w) || qobject_cast<QFileDialog*>(w)) return true;
  // Print, page set-up and other platform dialogs.
  const char* name = w->metaObject()->className();
  return QByteArray(name).contains("PrintDialog") || QByteArray(name).contains("PageSetupDialog") ||
         QByteArray(name).contains("PrintPreview");
}

bool DeactivateWatch::eventFilter(QObject* o, QEvent* e) {
  if (o == window_ && e->type() == QEvent::WindowDeactivate) CheckLater();
  return false;
}

void DeactivateWatch::Recheck() { CheckLater(); }

void DeactivateWatch::Check() {
  pending_ = false;
  if (!window_ || suspended_ || !window_->isVisible()) return;
  QWidget* active = QApplication::activeWindow();
  if (!active) return;
  if (active == window_) {
    afterBox_ = toldEarly_ = false;
    return;
  }
  if (IsBox(active)) {
    afterBox_ = true;
    return;
  }
  afterBox_ = false;
  if (LostTo(active) && !std::exchange(toldEarly_, false) && onLost_) Lost();
}

void DeactivateWatch::Lost() {
  // The window going on the racer's way is the program's work: what the
  // racer does meanwhile comes after it.
  ProgramWork going;
  onLost_();
}

bool DeactivateWatch::LostTo(QWidget* active) {
  if (active == window_ || IsBox(active)) return false;
  // A window of its own (a child window) does not count either.
  for (QWidget* p = active; p; p = p->parentWidget())
    if (p == window_) return false;
  return !except_ || !except_(active);
}

}  // namespace sw
