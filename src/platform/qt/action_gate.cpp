#include "platform/qt/action_gate.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QMenuBar>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "platform/qt/deactivate_close.h"
#include "platform/qt/window_lifetime.h"
#include "platform/ui.h"

namespace sw {

namespace {

constexpr const char* kActing = "swActing";         // its presses go to a handler of the program
constexpr const char* kTracked = "swPressTracked";  // its presses are noted as they are made
constexpr const char* kRefusedAt = "swRefusedAt";   // the place of the window's last refused entry
constexpr const char* kBlockedAt = "swBlockedAt";   // the place at which a box last came over the window

bool (*g_calculating)() = nullptr;  // constant-initialised: set before any window
bool (*g_ending)() = nullptr;

bool Calculating() { return g_calculating && g_calculating(); }
bool Ending() { return g_ending && g_ending(); }

// While a box or dialog waits, it is the one thing the racer can work: what
// lies under it waits, what is in it acts at once, also when a calculation
// opened it (the Match's result screen) and so waits for it.
bool Waits(const QObject* owner) {
  const QWidget* w = owner && owner->isWidgetType() ? static_cast<const QWidget*>(owner) : nullptr;
  if (QApplication::activeModalWidget()) return ModalOver(w) != nullptr;
  return Calculating();
}

// ---------------------------------------------------------------- work that waits

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

void RunWaitingWork();

QTimer* QueueTimer() {
  static QPointer<QTimer> timer;
  if (!timer) {
    timer = new QTimer(qApp);
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, [] { RunWaitingWork(); });
  }
  return timer;
}

bool WaitingWorkCanRun() {
  if (g_holds > 0) return false;
  for (const Waiting& w : Queue())
    if (!OwnerGone(w) && !(w.busy && w.busy())) return true;
  return false;
}

// ---------------------------------------------------------------- presses

// The presses whose clicks have yet to come, or are coming now.
struct Pressed {
  QPointer<QAbstractButton> button;
  Press press;
  bool released = false;  // its click is under way or done
  bool byMouse = false;
};

std::vector<Pressed>& Presses() {
  static std::vector<Pressed> presses;
  return presses;
}

// A press a box cut off by the mouse, its release not yet told.
struct Cut {
  QPointer<QAbstractButton> button;
  uint64_t place = 0;
  std::optional<bool> letGoOver;  // over its button, or elsewhere
};

std::vector<std::shared_ptr<Cut>>& CutPresses() {
  static std::vector<std::shared_ptr<Cut>> cut;
  return cut;
}

bool g_clickingAsOfPress = false;  // a cut press clicks now, its own press already known

// The mouse presses Qt is handing on to a window, by the depth of waits
// (boxes, dialogs) they were made at: a box that comes up while one is
// handed on is answered with presses and keys of its own.
std::vector<std::pair<int, uint64_t>>& MousePresses() {
  static std::vector<std::pair<int, uint64_t>> presses;
  return presses;
}

void MousePressesFrom(int depth) {
  std::erase_if(MousePresses(), [depth](const auto& p) { return p.first >= depth; });
}

// The last press of the mouse's first button the window system told of.
struct MousePress {
  uint32_t time = 0;
  uint64_t place = 0;
};
MousePress g_pressRead;

// The last releases of the mouse's first button, oldest first; in the
// order the window system told of them, with the presses.
struct LetGo {
  uint64_t place = 0;
  QPointer<QWidget> at;
  bool handedOn = false;  // Qt handed it on to a window (one under a box it drops)
};
std::vector<LetGo>& LetGos() {
  static std::vector<LetGo> letGos;
  return letGos;
}

bool Over(const QAbstractButton* button, const QWidget* at) {
  return button && at && (at == button || button->isAncestorOf(at));
}

// The release of the press made at `place`, when it was told already.
const LetGo* LetGoAfter(uint64_t place) {
  for (const LetGo& l : LetGos())
    if (l.place > place) return &l;
  return nullptr;
}

// The click of a press a box cut off, as of its press: the gate judges it
// as any action made before the box came up. A button with no handler of
// the program's (one of Qt's own) simply clicks.
void ClickAsOfPress(QAbstractButton* button, uint64_t place) {
  if (!button->isEnabled() || !button->isVisible()) return;
  if (!button->property(kActing).toBool()) return button->click();
  Presses().push_back({button, Press{place, false, false, false}, true});
  g_clickingAsOfPress = true;
  button->click();
  g_clickingAsOfPress = false;
  std::erase_if(Presses(),
                [&](const Pressed& p) { return !p.button || (p.button == button && p.press.place == place); });
}

// A press the racer made before a box came up (a window asking its question
// as the press took the front, or the focus, from it) loses its release to
// the box, and its click with it. It clicks as of its press once the box is
// answered and the handler that asked has returned, as it would have, but
// only where it is let go: a press of the mouse let go off its button (or
// never told let go) is no click. A key's press is let go where it was made.
void ClickAfterBox(QAbstractButton* button, uint64_t place, bool byMouse) {
  auto cut = std::make_shared<Cut>(Cut{button, place, std::nullopt});
  if (!byMouse) cut->letGoOver = true;
  else if (const LetGo* letGo = LetGoAfter(place)) cut->letGoOver = Over(button, letGo->at);
  else CutPresses().push_back(cut);
  QPointer<QWidget> window(button->window());
  RunWhenFree(
      button, "click after a box",
      [window, cut] { return ModalOver(window) != nullptr || OpenHandlerWaits() > 0 || !cut->letGoOver; },
      [cut] {
        if (cut->button && *cut->letGoOver) ClickAsOfPress(cut->button, cut->place);
      },
      place);
}

void PressMade(QAbstractButton* b) {
  if (g_clickingAsOfPress) return;
  uint64_t mouse = 0;
  for (const auto& [depth, place] : MousePresses())
    if (depth == OpenHandlerWaits()) mouse = place;
  MousePressesFrom(OpenHandlerWaits());
  auto& presses = Presses();
  std::erase_if(presses, [b](const Pressed& p) { return !p.button || p.button == b; });
  if (ProgramWorkRuns()) return;
  const QWidget* window = b->window();
  const bool outside = OutsideRequestRuns();
  Press press{mouse && !outside ? mouse : NextPlace(), ModalOver(window) != nullptr, false, outside};
  press.waited = !press.underBox && ActionWaits(window);
  const LetGo* letGo = mouse && !outside && !press.underBox ? LetGoAfter(mouse) : nullptr;
  if (letGo && !letGo->handedOn && window->property(kBlockedAt).toULongLong() > mouse) {
    // Let go already: a box came up and went while Qt handed this press on
    // (the entry it took the focus from was refused), and Qt dropped the
    // release under it. The button is down no longer; it clicks where it
    // was let go.
    QPointer<QAbstractButton> button(b);
    QTimer::singleShot(0, b, [button] {
      if (button) button->setDown(false);
    });
    if (Over(b, letGo->at)) ClickAfterBox(b, press.place, true);
    return;
  }
  presses.push_back({b, press, false, mouse != 0 && !outside});
  // Before the click comes, so that what the click sets off finds the
  // windows as a click leaves them.
  if (press.outside && !press.underBox) ToFrontAsAClick(b->window());
}

// What the click sets off comes before the event loop has it behind it. A
// screen reader's press clicks by itself, a moment later, though a box took
// the focus and with it the button's release meanwhile: it is told by its
// click.
void PressReleased(QAbstractButton* b, bool clicked) {
  for (Pressed& p : Presses())
    if (p.button == b && !p.released && (clicked || !p.press.outside)) {
      p.released = true;
      QTimer::singleShot(0, b, [b, place = p.press.place] {
        std::erase_if(Presses(),
                      [&](const Pressed& q) { return !q.button || (q.button == b && q.press.place == place); });
      });
    }
}

// A box came over `window`: the presses in it whose release it took. A
// screen reader's press clicks by itself.
void PressesCutByBox(const QWidget* window) {
  std::vector<Pressed> cut;
  std::erase_if(Presses(), [&](const Pressed& p) {
    const bool lost = p.button && !p.released && p.button->isDown() && !p.press.underBox && !p.press.outside &&
                      p.button->window() == window;
    if (lost) cut.push_back(p);
    return lost;
  });
  for (const Pressed& p : cut) {
    p.button->setDown(false);
    ClickAfterBox(p.button, p.press.place, p.byMouse);
  }
}

// The place of the earliest press made during a run on a button of the
// program whose click has yet to come (0 for none): what was done after it
// waits for it.
uint64_t PressHeld() {
  for (const Pressed& p : Presses())
    if (p.button && p.press.waited && p.button->isDown() && p.button->property(kActing).toBool())
      return p.press.place;
  return 0;
}

// A control the program has greyed (or hidden) cannot be worked by the
// racer. A menu item is greyed with every menu that shows it.
bool Disabled(const QObject* o) {
  if (o->isWidgetType()) return !static_cast<const QWidget*>(o)->isEnabled();
  const auto* a = qobject_cast<const QAction*>(o);
  if (!a) return false;
  if (!a->isEnabled()) return true;
  bool shown = false;
  for (const QObject* in : a->associatedObjects())
    if (in->isWidgetType()) {
      if (static_cast<const QWidget*>(in)->isEnabled()) return false;
      shown = true;
    }
  return shown;
}

// ---------------------------------------------------------------- the frame and the menu bar

// A window's close box, or the desktop's close, is the racer's action on the
// window, but for a box or a dialog (whose close answers it) and during a
// run (the window itself decides: its close waits for the run, or the run's
// Cancel is the way).
bool GateCloses(const QWidget* w) {
  return !w->isModal() && w->windowModality() == Qt::NonModal && !Calculating() && !Ending();
}

// The last press on a window's frame the desktop told of, by giving the
// window the front: it stands for the racer's close until the racer's next
// press or key, or until the box over its window is answered.
struct FramePress {
  QPointer<QWidget> window;
  Press press;
};
FramePress g_framePress;

// The last press on a menu title, while its menu may yet be taken away by a
// box coming over its window.
struct MenuPress {
  QPointer<QMenuBar> bar;
  QPointer<QAction> title;
  uint64_t place = 0;
};
MenuPress g_menuPress;

// The menu of a title pressed before a box came up drops once the box is
// answered and the handler that asked has returned: the box took it away,
// or Qt dropped the press under it.
void DropMenuAfterBox(const MenuPress& press) {
  QPointer<QWidget> window(press.bar->window());
  RunWhenFree(
      press.bar, "menu title",
      [window] { return ModalOver(window) != nullptr || OpenHandlerWaits() > 0; },
      [press] {
        if (!press.bar || !press.title || !press.bar->isVisible() || !press.bar->isEnabled() ||
            !press.title->isEnabled() || !press.title->isVisible() || QApplication::activePopupWidget())
          return;
        press.bar->setActiveAction(nullptr);
        press.bar->setActiveAction(press.title);
      },
      press.place);
}

// ---------------------------------------------------------------- the gate

uint64_t RefusedAt(const QWidget* window) { return window ? window->property(kRefusedAt).toULongLong() : 0; }

bool g_refusedOnItsWay = false;

// (a) and (c): the windows the action took the front from gone on their
// way (their questions asked), the acting window's entries settled, then the
// handler, once.
void RunNow(const RacerAction& action) {
  ProgramWork work;
  QWidget* window = action.window ? action.window->window() : nullptr;
  // A press in a window not yet in front: the desktop is bringing it there.
  const bool toFront = action.press.place && !action.press.waited && window && !window->isActiveWindow();
  DeactivateWatch::ReportLostFrontsNow(toFront ? window : nullptr);
  if (Ending()) return;
  const uint64_t since = action.press.place ? action.press.place : NextPlace();
  if (auto* entries = dynamic_cast<EntryWindow*>(window); entries && action.settlesEntries) {
    StillLoaded<QWidget> self(window);
    entries->SettleEntries();
    if (!self) return;
  }
  const bool outer = std::exchange(g_refusedOnItsWay, RefusedAt(window) > since);
  action.handler();
  g_refusedOnItsWay = outer;
}

void Decide(RacerAction action);

// The action judged again once `busy()` is false, in its place.
void DecideWhenFree(RacerAction action, std::function<bool()> busy) {
  QWidget* window = action.window;
  const std::string key = action.key;
  const uint64_t place = action.press.place;
  action.control = nullptr;
  RunWhenFree(window, key, std::move(busy), [action = std::move(action)] { Decide(action); }, place);
}

// (b).
void Decide(RacerAction action) {
  if (Ending()) return;
  QWidget* window = action.window;
  // Made while a box waited over its window, it does nothing: the racer
  // could not have made it. A box that came up after it was made holds it
  // instead, until the box is answered: the command then goes on.
  if (action.press.underBox || (ModalOver(window) && action.press.place == 0)) return BringModalToFront();
  if (OutsideRequestRuns() && window) {
    // What the racer cannot click (a menu item of a greyed menu bar) a
    // screen reader does not work either. Else its request (a menu item, a
    // toggle) acts as a click does: the work runs from the event loop a
    // moment later, not inside the request, which returns at once.
    if (Greyed(action.control)) return;
    ToFrontAsAClick(window->window());
    if (!action.press.place) action.press.place = NextPlace();
    action.press.underBox = false;
    action.control = nullptr;
    QTimer::singleShot(kClickAfterPress, window, [action = std::move(action)] { Decide(action); });
    return;
  }
  // Made while the program's work lets the event pump run (a window going
  // on the racer's way, the handler of an action before it; no box up), it
  // comes after that work, as it was made after it; a box's own controls
  // act in it at once.
  if (ProgramWorkWaits() && !ProgramWorkRuns() && !QApplication::activeModalWidget())
    return DecideWhenFree(std::move(action), [] { return ProgramWorkWaits(); });
  // Made before the box over its window came up: once it is answered and
  // the handler that asked has returned, never in the middle of it.
  if (ModalOver(window)) {
    QPointer<QWidget> w(window);
    return DecideWhenFree(std::move(action), [w] { return ModalOver(w) != nullptr || OpenHandlerWaits() > 0; });
  }
  if (PutOffWhileCalculating(window, action.key, [action] { RunNow(action); }, action.press.place)) return;
  RunNow(action);
}

// ---------------------------------------------------------------- the watch

class Gate : public QObject {
 public:
  bool eventFilter(QObject* o, QEvent* e) override {
    switch (e->type()) {
      case QEvent::Polish:
        TrackPresses(o);
        break;
      case QEvent::WindowBlocked:
        if (o->isWidgetType() && static_cast<QWidget*>(o)->isWindow()) {
          o->setProperty(kBlockedAt, QVariant::fromValue<qulonglong>(NextPlace()));
          PressesCutByBox(static_cast<QWidget*>(o));
          // The menu of a title pressed before, down or on its way (the
          // desktop moving the front may have taken it away already).
          if (g_menuPress.bar && g_menuPress.bar->window() == o) DropMenuAfterBox(std::exchange(g_menuPress, {}));
        }
        break;
      case QEvent::WindowUnblocked:
        if (g_framePress.window == o) g_framePress = {};
        break;
      case QEvent::MouseButtonPress:
        // As a window takes the press, before it moves the focus (whose
        // leave may ask): the press, as of the moment the window system
        // told of it.
        if (const auto* m = static_cast<QMouseEvent*>(e);
            o->isWindowType() && e->spontaneous() && m->button() == Qt::LeftButton) {
          MousePressesFrom(OpenHandlerWaits());
          MousePresses().emplace_back(OpenHandlerWaits(),
                                      m->timestamp() == g_pressRead.time ? g_pressRead.place : NextPlace());
          g_menuPress = {};
        } else if (auto* bar = qobject_cast<QMenuBar*>(o); bar && e->spontaneous() && m->button() == Qt::LeftButton) {
          // Its menu drops at once; the window the front came from may yet
          // ask as it goes, and its box takes the menu away. (A press that
          // closes its menu again is no drop.)
          if (QAction* title = bar->actionAt(m->position().toPoint());
              title && title->menu() && !title->menu()->isVisible())
            g_menuPress = {bar, title, MousePresses().empty() ? NextPlace() : MousePresses().back().second};
        }
        break;
      case QEvent::Close:
        // A window's close box, as the desktop tells of it where it is not
        // read before Qt (CloseRequestRead).
        if (auto* w = qobject_cast<QWidget*>(o); w && e->spontaneous() && w->isWindow() && GateCloses(w)) {
          // Judged once Qt is done with the desktop's request, which a close
          // made inside it would not reach.
          e->ignore();
          QTimer::singleShot(0, w, [w] {
            Pass({w, nullptr, "close box", [w = QPointer<QWidget>(w)] {
                    if (w) w->close();
                  }, {}});
          });
          return true;
        }
        break;
      case QEvent::MouseButtonRelease:
        if (o->isWindowType() && e->spontaneous() && !LetGos().empty()) LetGos().back().handedOn = true;
        [[fallthrough]];
      case QEvent::KeyPress:
        if (o->isWindowType()) {
          MousePressesFrom(OpenHandlerWaits());
          if (e->type() == QEvent::KeyPress && e->spontaneous()) {
            g_framePress = {};
            g_menuPress = {};
          }
        }
        break;
      default:
        break;
    }
    return false;
  }
};

}  // namespace

void NoteEntryRefused(QWidget* window) {
  if (window) window->window()->setProperty(kRefusedAt, QVariant::fromValue<qulonglong>(NextPlace()));
}

bool RefusedOnItsWay() { return g_refusedOnItsWay; }

void Pass(RacerAction action) {
  // A menu item picked: its menu has done what its title was pressed for.
  if (qobject_cast<const QAction*>(action.control.data())) g_menuPress = {};
  Decide(std::move(action));
}

void Act(QWidget* window, const std::string& key, std::function<void()> handler, const QObject* control) {
  Pass({window, control, key, std::move(handler), PressOf(control)});
}

void ActOnLeave(QWidget* window, const std::string& key, std::function<void()> handler) {
  Pass({window, nullptr, key, std::move(handler), {}, false});
}

void SetProgramState(bool (*calculating)(), bool (*ending)()) {
  g_calculating = calculating;
  g_ending = ending;
}

bool ActionWaits(const QWidget* window) { return Waits(window); }

Press PressOf(const QObject* control) {
  if (!control) return {};
  for (const Pressed& p : Presses())
    if (p.button && p.button.data() == control && (g_clickingAsOfPress || !ProgramWorkRuns())) return p.press;
  if (ProgramWorkRuns() || !qobject_cast<const QAbstractButton*>(control)) return {};
  // Down no longer, its click not yet told: it is toggling, and clearing
  // the option it takes over from.
  const QWidget* window = static_cast<const QWidget*>(control)->window();
  for (const Pressed& p : Presses())
    if (p.button && !p.released && !p.button->isDown() && p.button->window() == window) return p.press;
  return {};
}

void MarkActing(QObject* control) {
  if (!control) return;
  control->setProperty(kActing, true);
  TrackPresses(control);  // before the handler is connected: a press's own handler sees it
}

bool MarkedActing(const QObject* control) { return control && control->property(kActing).toBool(); }

void TrackPresses(QObject* o) {
  auto* b = qobject_cast<QAbstractButton*>(o);
  if (!b || b->property(kTracked).toBool()) return;
  b->setProperty(kTracked, true);
  QObject::connect(b, &QAbstractButton::pressed, b, [b] { PressMade(b); });
  QObject::connect(b, &QAbstractButton::released, b, [b] { PressReleased(b, false); });
  QObject::connect(b, &QAbstractButton::clicked, b, [b] { PressReleased(b, true); });
}

void PressCutByBox(QAbstractButton* button, uint64_t place) { ClickAfterBox(button, place, true); }

void MouseLetGo(QWidget* at) {
  auto& letGos = LetGos();
  if (letGos.size() >= 8) letGos.erase(letGos.begin());
  letGos.push_back({NextPlace(), at});
  for (const auto& cut : std::exchange(CutPresses(), {}))
    if (!cut->letGoOver) cut->letGoOver = Over(cut->button, at);
}

uint64_t MousePressRead(uint32_t time) {
  // The same press told once more (by another of its devices).
  if (g_pressRead.place && g_pressRead.time == time) return g_pressRead.place;
  g_pressRead = {time, NextPlace()};
  g_framePress = {};
  for (const auto& cut : std::exchange(CutPresses(), {}))
    if (!cut->letGoOver) cut->letGoOver = false;
  return g_pressRead.place;
}

void FramePressRead(QWidget* window, bool underBox) {
  // A box given the front as it comes up takes no close of its window's.
  if (!window || window->isModal()) return;
  g_framePress = {window->window(), {NextPlace(), underBox}};
}

bool CloseRequestRead(QWidget* window, bool underBox) {
  QWidget* w = window ? window->window() : nullptr;
  if (!w || !w->isVisible() || !GateCloses(w)) return false;
  const Press press = g_framePress.window == w ? g_framePress.press : Press{NextPlace(), underBox};
  g_framePress = {};
  // From the event loop: the request is read in the middle of the window
  // system's events, no place for a question.
  QTimer::singleShot(0, w, [w = QPointer<QWidget>(w), press] {
    if (w) Pass({w, nullptr, "close box", [w] { if (w) w->close(); }, press});
  });
  return true;
}

void MenuPressCutByBox(QMenuBar* bar, const QPoint& at, uint64_t place) {
  QAction* title = bar ? bar->actionAt(at) : nullptr;
  if (title && title->menu()) DropMenuAfterBox({bar, title, place});
}

bool Greyed(const QObject* control) { return control && Disabled(control); }

// A window that closes on losing the front to another, or keeps its rows,
// tells a click in it from a press that left it behind.
void ToFrontAsAClick(QWidget* window) {
  if (!window || QApplication::activeWindow() == window) return;
  window->raise();
  window->activateWindow();
}

uint64_t NextPlace() {
  static uint64_t last = 0;
  return ++last;
}

bool PutOffWhileCalculating(QObject* owner, const std::string& key, std::function<void()> work, uint64_t place) {
  // Once a run has ended, what the racer did during it runs first, in the
  // order done, before anything the racer does next: an action that reaches
  // the program before the event loop has come round to the waiting ones,
  // or while a press made during the run has yet to click (a screen
  // reader's press clicks a moment later), takes its place among them. What
  // the program itself asks for while it works is no press. The waiting
  // work runs from the event loop, never inside the toolkit's handling of
  // this press: a window it opened there would close a menu being opened.
  const bool waits = Waits(owner);
  const bool behind = !waits && !ProgramWorkRuns() && (WaitingWorkCanRun() || PressHeld());
  if (!waits && !behind) return false;
  if (Ending()) return true;  // nothing waits to start on the way out
  RunWhenFree(owner, key, [owner] { return Waits(owner); }, std::move(work), place);
  if (behind) QTimer::singleShot(0, qApp, [] { RunWaitingWork(); });
  return true;
}

void WhenNotCalculating(QObject* owner, const std::string& key, const std::function<void()>& work) {
  if (PutOffWhileCalculating(owner, key, work)) return;
  ProgramWork running;
  work();
}

namespace {

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

}  // namespace

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

bool WorkWaitsToRun() { return !Queue().empty(); }

void HoldWaitingWork() { ++g_holds; }

void ReleaseWaitingWork() {
  if (g_holds > 0) --g_holds;
  if (g_holds == 0 && !Queue().empty()) QueueTimer()->start();
}

void DropWaitingWork() {
  Queue().clear();
  CutPresses().clear();
  g_holds = 0;
  QueueTimer()->stop();
}

void WatchRacerActions() { FilterAllEvents<Gate>(); }

}  // namespace sw
