#include "platform/qt/window_lifetime.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <utility>
#include <vector>

#include "platform/ui.h"

namespace sw {

namespace {

constexpr const char* kUnloaded = "swUnloaded";
constexpr const char* kInExec = "swInExec";

// Windows whose deletion came while a handler waited.
std::vector<QPointer<QObject>>& Parked() {
  static std::vector<QPointer<QObject>> parked;
  return parked;
}

void DeleteParkedNow() {
  // A handler started waiting again first: its wait's end comes back here.
  if (OpenHandlerWaits() > 0) return;
  std::vector<QPointer<QObject>> parked;
  parked.swap(Parked());
  for (auto& w : parked) delete w.data();
}

void DeleteParkedWindows() {
  // From the event loop, once the handler whose wait ended last has
  // returned to it. (Qt takes no second deferred delete of an object whose
  // first one was held back outside an event loop, so the deletion is a
  // plain one from a posted call.)
  if (!Parked().empty()) QTimer::singleShot(0, qApp, &DeleteParkedNow);
}

// A deletion of a window (Unload, or a close of a window that deletes
// itself) that Qt delivers while a handler waits is held back.
class ParkDeletions : public QObject {
 public:
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() != QEvent::DeferredDelete || OpenHandlerWaits() == 0 || !o->isWidgetType()) return false;
    auto* w = static_cast<QWidget*>(o);
    if (!w->isWindow()) return false;
    MarkUnloaded(w);
    w->hide();
    Parked().emplace_back(w);
    return true;
  }
};

}  // namespace

void WatchWindowLifetimes() {
  if (!FilterAllEvents<ParkDeletions>()) return;
  SetAfterLastWait(&DeleteParkedWindows);
}

void MarkUnloaded(QWidget* w) {
  if (w) w->setProperty(kUnloaded, true);
}

bool IsUnloaded(const QWidget* w) { return w && w->property(kUnloaded).toBool(); }

namespace {

// Raised while minimised a waiting window would stay out of sight, every
// other window blocked until the desktop gave it back: it comes back first,
// and so do the waiting windows it stands on (a preview under its print
// dialog).
void ShowAgain(QWidget* waiting) {
  for (QWidget* w = waiting; w && w->window()->windowModality() != Qt::NonModal; w = w->parentWidget()) {
    w = w->window();
    if (w->isMinimized()) w->setWindowState(w->windowState() & ~Qt::WindowMinimized);
  }
  waiting->raise();
  waiting->activateWindow();
}

}  // namespace

int ExecModal(QDialog* dialog) {
  if (dialog->property(kInExec).toBool()) {
    ShowAgain(dialog);
    if (QApplication::activeModalWidget() != dialog) BringModalToFront();
    return kDialogAlreadyOpen;
  }
  QPointer<QDialog> guard(dialog);
  dialog->setProperty(kInExec, true);
  int result = 0;
  {
    HandlerWait wait;
    result = dialog->exec();
  }
  if (guard) guard->setProperty(kInExec, false);
  return result;
}

QWidget* ModalOver(const QWidget* w) {
  QWidget* modal = QApplication::activeModalWidget();
  if (!modal || !w) return modal;
  for (const QWidget* p = w->window(); p; p = p->parentWidget())
    if (p == modal) return nullptr;
  return modal;
}

void BringModalToFront() {
  if (QWidget* modal = QApplication::activeModalWidget()) ShowAgain(modal);
}

void Later(QObject* context, std::function<void()> work, int ms) {
  QTimer::singleShot(ms, context, [work = std::move(work)] {
    ProgramWork running;
    work();
  });
}

}  // namespace sw
