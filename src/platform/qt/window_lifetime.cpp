#include "platform/qt/window_lifetime.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "platform/qt/held_under_boxes.h"
#include "platform/qt/presses_under_boxes.h"
#include "platform/qt/window_place.h"
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

struct Waiting {
  QPointer<QObject> owner;
  bool ownerIsWidget = false;
  uint64_t place = 0;
  std::string key;
  std::function<bool()> busy;
  std::function<void()> work;
};

std::vector<Waiting>& Queue() {
  static std::vector<Waiting> queue;
  return queue;
}

int g_holds = 0;

bool OwnerGone(const Waiting& w) {
  if (!w.owner) return true;
  return w.ownerIsWidget && IsUnloaded(static_cast<QWidget*>(w.owner.data()));
}

QTimer* QueueTimer() {
  static QPointer<QTimer> timer;
  if (!timer) {
    timer = new QTimer(qApp);
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [] { RunWaitingWork(); });
  }
  return timer;
}

}  // namespace

void RunWaitingWork() {
  // In the order asked; work that must still wait (under a box) holds back
  // none that need not (in the box), and work whose window went is dropped.
  auto& queue = Queue();
  for (size_t i = 0; i < queue.size() && g_holds == 0;) {
    const uint64_t held = PressHeld();
    if (OwnerGone(queue[i])) {
      queue.erase(queue.begin() + static_cast<long>(i));
    } else if ((queue[i].busy && queue[i].busy()) || (held && queue[i].place > held)) {
      ++i;
    } else {
      // Taken out first: the work may ask for more, or run the event pump.
      std::function<void()> work = std::move(queue[i].work);
      queue.erase(queue.begin() + static_cast<long>(i));
      ProgramWork running;
      work();
      i = 0;
    }
  }
  if (Queue().empty() || g_holds > 0) QueueTimer()->stop();
}

void WatchWindowLifetimes() {
  if (!FilterAllEvents<ParkDeletions>()) return;
  SetAfterLastWait(&DeleteParkedWindows);
  HoldWindowsUnderBoxes();
  WatchPressesUnderBoxes();
  KeepResizedWindowsOnScreen();
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

uint64_t NextPlace() {
  static uint64_t last = 0;
  return ++last;
}

void RunWhenFree(QObject* owner, const std::string& key, std::function<bool()> busy, std::function<void()> work,
                 uint64_t place) {
  QTimer* timer = QueueTimer();
  if (!timer->isActive()) timer->start();
  // Pressed again, it keeps the place of its first press.
  auto& queue = Queue();
  for (Waiting& w : queue)
    if (w.owner == owner && w.key == key) {
      w.busy = std::move(busy);
      w.work = std::move(work);
      return;
    }
  if (place == 0) place = NextPlace();
  const auto after = std::find_if(queue.begin(), queue.end(), [place](const Waiting& w) { return w.place > place; });
  queue.insert(after, {owner, owner && owner->isWidgetType(), place, key, std::move(busy), std::move(work)});
}

void RunAfterBox(QWidget* owner, const std::string& key, std::function<void()> work, uint64_t place) {
  QPointer<QWidget> w(owner);
  RunWhenFree(owner, key, [w] { return ModalOver(w) != nullptr || OpenHandlerWaits() > 0; }, std::move(work), place);
}

bool WaitingWorkCanRun() {
  if (g_holds > 0) return false;
  for (const Waiting& w : Queue())
    if (!OwnerGone(w) && !(w.busy && w.busy()))
      return true;
  return false;
}

bool WorkWaitsToRun() { return !Queue().empty(); }

void Later(QObject* context, std::function<void()> work, int ms) {
  QTimer::singleShot(ms, context, [work = std::move(work)] {
    ProgramWork running;
    work();
  });
}

void HoldWaitingWork() { ++g_holds; }

void ReleaseWaitingWork() {
  if (g_holds > 0) --g_holds;
  if (g_holds == 0 && !Queue().empty()) QueueTimer()->start();
}

void DropWaitingWork() {
  Queue().clear();
  g_holds = 0;
  QueueTimer()->stop();
}

}  // namespace sw
