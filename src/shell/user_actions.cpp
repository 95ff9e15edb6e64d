#include "shell/user_actions.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include "platform/qt/window_lifetime.h"
#include "platform/ui.h"
#include "shell/frm_main.h"
#include "simulation/tables.h"

namespace sw {

namespace {

// While a box or dialog waits, it is the one thing the racer can work: what
// lies under it waits, what is in it acts at once, also when a calculation
// opened it (the Match's result screen) and so waits for it.
bool Waits(const QObject* owner) {
  const QWidget* w = owner && owner->isWidgetType() ? static_cast<const QWidget*>(owner) : nullptr;
  if (QApplication::activeModalWidget()) return ModalOver(w) != nullptr;
  return CalculationUnderWay();
}

// A menu item pressed where a press waits keeps its mark meanwhile.
[[maybe_unused]] const bool kPressesWaitKnown =
    (SetPressesWait([](const QWidget* w) { return Waits(w); }), true);

}  // namespace

bool CalculationUnderWay() { return tbl.CalcRunning; }

namespace {

// The racer's action, as of the moment it was made (`picked`: the press, or
// the screen reader's request, that made it; none for an action made now).
void ActAsPicked(QWidget* window, const std::string& key, std::function<void()> handler, const QObject* control,
                 const Press& picked) {
  if (ProgramEnding()) return;
  // Made while a box waited over its window, it does nothing: the racer
  // could not have made it. A box that came up after it was made (a window
  // asking its question as it loses the front to this very action) holds it
  // instead, until the box is answered: the command then goes on.
  if (picked.underBox || (ModalOver(window) && picked.place == 0)) return BringModalToFront();
  if (OutsideRequestRuns() && window) {
    // What the racer cannot click (a menu item of a greyed menu bar) a
    // screen reader does not work either. Else its request (a menu item, a
    // toggle) acts as a click does: the work runs from the event loop a
    // moment later, not inside the request, which returns at once (a box
    // the work opens would hold the screen reader's call).
    if (Greyed(control)) return;
    ToFrontAsAClick(window->window());
    const Press request{picked.place ? picked.place : NextPlace(), false, picked.waited, true};
    QTimer::singleShot(kClickAfterPress, window, [window, key, handler = std::move(handler), request] {
      ActAsPicked(window, key, handler, nullptr, request);
    });
    return;
  }
  if (ModalOver(window)) {
    RunAfterBox(
        window, key,
        [window, key, handler = std::move(handler), picked] {
          ActAsPicked(window, key, handler, nullptr, {picked.place, false, picked.waited, false});
        },
        picked.place);
    return;
  }
  if (PutOffWhileCalculating(window, key, handler, picked.place)) return;
  ProgramWork work;
  handler();
}

}  // namespace

void Act(QWidget* window, const std::string& key, std::function<void()> handler, const QObject* control) {
  ActAsPicked(window, key, std::move(handler), control, PressOf(control));
}

bool PutOffWhileCalculating(QObject* owner, const std::string& key, std::function<void()> work, uint64_t place) {
  // Once a run has ended, what the racer did during it runs first, in the
  // order done, before anything the racer does next: an action that reaches
  // the program before the event loop has come round to the waiting ones,
  // or while a press made during the run has yet to click (a screen
  // reader's press clicks a moment later), takes its place among them. What
  // the program itself asks for while it works is no press. The
  // waiting work runs from the event loop, never inside the toolkit's handling
  // of this press: a window it opened there would close a menu being opened.
  const bool waits = Waits(owner);
  const bool behind = !waits && !ProgramWorkRuns() && (WaitingWorkCanRun() || PressHeld());
  if (!waits && !behind) return false;
  if (ProgramEnding()) return true;  // nothing waits to start on the way out
  RunWhenFree(owner, key, [owner] { return Waits(owner); }, std::move(work), place);
  if (behind) QTimer::singleShot(0, qApp, [] { RunWaitingWork(); });
  return true;
}

void WhenNotCalculating(QObject* owner, const std::string& key, const std::function<void()>& work) {
  if (PutOffWhileCalculating(owner, key, work)) return;
  ProgramWork running;
  work();
}

}  // namespace sw
