#include "platform/qt/deactivate_close.h"

#include <QApplication>
#include <QEvent>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace sw {

DeactivateWatch::DeactivateWatch(QWidget* window, std::function<void()> onLost)
    : QObject(window), window_(window), onLost_(std::move(onLost)) {
  window->installEventFilter(this);
  // A box that took the front may hand it on to another window of the
  // program when it closes; that counts as losing the front.
  connect(qApp, &QGuiApplication::focusWindowChanged, this, [this] {
    if (!afterBox_ || pending_) return;
    pending_ = true;
    QTimer::singleShot(0, this, [this] { Check(); });
  });
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
  if (o == window_ && e->type() == QEvent::WindowDeactivate && !pending_) {
    pending_ = true;
    // The newly active window is known only once activation has settled.
    QTimer::singleShot(0, this, [this] { Check(); });
  }
  return false;
}

void DeactivateWatch::Recheck() {
  if (pending_) return;
  pending_ = true;
  QTimer::singleShot(0, this, [this] { Check(); });
}

void DeactivateWatch::Check() {
  pending_ = false;
  if (!window_ || suspended_ || !window_->isVisible()) return;
  QWidget* active = QApplication::activeWindow();
  if (!active) return;
  if (active == window_) {
    afterBox_ = false;
    return;
  }
  if (IsBox(active)) {
    afterBox_ = true;
    return;
  }
  afterBox_ = false;
  // A window of its own (a child window) does not count either.
  for (QWidget* p = active; p; p = p->parentWidget())
    if (p == window_) return;
  if (except_ && except_(active)) return;
  if (onLost_) onLost_();
}

}  // namespace sw
