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

void Act(QWidget* window, const std::string& key, std::function<void()> handler) {
  if (ProgramEnding()) return;
  if (ModalOver(window)) return BringModalToFront();
  if (PutOffWhileCalculating(window, key, handler)) return;
  ProgramWork work;
  handler();
}

bool PutOffWhileCalculating(QObject* owner, const std::string& key, std::function<void()> work) {
  // Once a run has ended, what the racer did during it runs first, in the
  // order done, before anything the racer does next: a press that reaches
  // the program before the event loop has come round to the waiting ones
  // (a screen reader's press, whose click comes a moment later) goes behind
  // them. What the program itself asks for while it works is no press. The
  // waiting work runs from the event loop, never inside the toolkit's handling
  // of this press: a window it opened there would close a menu being opened.
  const bool waits = Waits(owner);
  const bool behind = !waits && !ProgramWorkRuns() && WaitingWorkCanRun();
  if (!waits && !behind) return false;
  if (ProgramEnding()) return true;  // nothing waits to start on the way out
  RunWhenFree(owner, key, [owner] { return Waits(owner); }, std::move(work));
  if (behind) QTimer::singleShot(0, qApp, [] { RunWaitingWork(); });
  return true;
}

void WhenNotCalculating(QObject* owner, const std::string& key, const std::function<void()>& work) {
  if (PutOffWhileCalculating(owner, key, work)) return;
  ProgramWork running;
  work();
}

}  // namespace sw
