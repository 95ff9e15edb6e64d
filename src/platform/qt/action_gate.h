// The one gate every racer action passes: a click, a press held over a box,
// a key, a menu pick, a screen reader's press, a close box. It takes the
// action as a value (the window and the control acted on, the moment of its
// press, whether it was let go over the control) and
//   (a) tests the acting window's entries not yet left, before any handler
//       of that window runs (EntryWindow below): a refused figure gets its
//       Warning and the command goes on with the stored one;
//   (b) decides whether the action runs now, once the box that waits is
//       answered, once the run under way has ended, or never;
//   (c) runs it once.
//
// The rules of (b):
// - Made while a box, a dialog or a print preview waited over its window,
//   an action does nothing: the racer could not have made it (Qt keeps the
//   mouse and keys away, not a screen reader's press or a fast double
//   click's second press), and the waiting one comes to the front instead.
// - Made before such a box came up (on a desktop the window that loses the
//   front to this very click asks its question first), it waits for the
//   answer and goes on once the handler that asked has returned. A press is
//   a click only where it is let go, as Qt's buttons say: a press a box cut
//   off clicks after the answer only when its release came over the same
//   control.
// - While a calculation, a search or a dial-in prediction runs, it waits,
//   and runs once the run has ended and no box waits over its window, in
//   the order the racer acted and before anything done after the run, as
//   long as its window is still loaded; once for each (window, key). What a
//   run reads stays what it was when the run began.
// - A screen reader's press or request acts as a click: its window comes to
//   the front first and the work runs a moment later, never inside the
//   request (a box it opens would hold the screen reader's call).
//
// - A command goes on after what the window it took the front from asks as
//   it goes (DeactivateWatch), and after the program's work that lets the
//   event pump run as it comes.
//
// What feeds the gate: the signals of the program's controls (OnAction in
// src/shell/user_actions.h), the presses, releases and close boxes Qt hands
// on, and the window system's own order of events, read before Qt judges
// them (presses_under_boxes.h).
#pragma once

#include <QPointer>
#include <cstdint>
#include <functional>
#include <string>

class QAbstractButton;
class QMenuBar;
class QObject;
class QPoint;
class QWidget;

namespace sw {

// A window the racer types figures into. What was typed and not yet left is
// tested before any command of the window runs.
class EntryWindow {
 public:
  // Tests every entry not yet left, the focused one first; a refused one
  // gets its Warning and its stored figure back (and NoteEntryRefused).
  virtual void SettleEntries() = 0;

 protected:
  ~EntryWindow() = default;
};

// An entry of `window` was refused just now: a command on its way that
// stops on a refusal (RefusedOnItsWay) stops.
void NoteEntryRefused(QWidget* window);

// Whether an entry of the acting window was refused on the way of the
// action whose handler runs now: since its press, or as it was settled.
// Commands that cannot go on with the stored figure (a search, a
// prediction, a calculator's value or print) stop then.
bool RefusedOnItsWay();

// A press as the gate judges it: counted from the moment it was made, not
// from its click (a screen reader's press clicks a tenth of a second later,
// the Space key on its release).
struct Press {
  uint64_t place = 0;     // among the racer's actions (NextPlace); 0: no press, the action is made now
  bool underBox = false;  // a box waited over its window: the click does nothing
  bool waited = false;    // a run was under way: the click waits its turn
  bool outside = false;   // a screen reader made it: what the click changes comes from outside
};

// The racer's action.
struct RacerAction {
  QPointer<QWidget> window;          // acted in; its entries are settled first
  QPointer<const QObject> control;   // worked (none for a key of the window, a close box)
  std::string key;                   // one wait for each (window, key)
  std::function<void()> handler;
  Press press;                       // PressOf(control), or none for an action made now
  bool settlesEntries = true;        // false for the leave of an entry itself
};

// The gate.
void Pass(RacerAction action);

// Runs `handler` for the racer's action in `window` (on `control`) now,
// later or never: Pass with the press `control` is giving.
void Act(QWidget* window, const std::string& key, std::function<void()> handler, const QObject* control = nullptr);

// The leave of an entry of `window`: the entry itself, nothing to settle
// before it.
void ActOnLeave(QWidget* window, const std::string& key, std::function<void()> handler);

// What the shell tells the gate: whether a calculation, a search or a
// prediction runs now, and whether the program is on its way out (nothing
// more starts then).
void SetProgramState(bool (*calculating)(), bool (*ending)());

// Whether a press in `window` waits now (for a run to end, or under a box).
bool ActionWaits(const QWidget* window);

// The press whose click `control` is giving: its own, or, for an option
// cleared by it, the one being clicked in its window. None while program
// work runs: what the program does is no press.
Press PressOf(const QObject* control);

// The control's presses go to a handler of the program (OnAction marks it).
void MarkActing(QObject* control);
bool MarkedActing(const QObject* control);
// Its presses are noted as they are made (every button of every window).
void TrackPresses(QObject* control);

// A press on `button` at `place` that a box cut off before its click: Qt
// dropped the whole press as one under the box. It clicks, as of its press,
// once the box is answered, if its release comes (or came) over the button.
void PressCutByBox(QAbstractButton* button, uint64_t place);

// The mouse's first button pressed (at the window system's `time`), as the
// window system tells it, before Qt hands it on: the moment of the press,
// its place among the racer's actions. A press cut off before whose release
// was never told is no click.
uint64_t MousePressRead(uint32_t time);
// The mouse's first button let go over `at` (the deepest widget under the
// pointer, none outside the program's windows), as the window system tells.
void MouseLetGo(QWidget* at);

// The desktop gave `window` the front for a press on its frame (its title
// bar, its close box), which the program never sees itself; whether a box
// was on the screen over the window then.
void FramePressRead(QWidget* window, bool underBox);

// The desktop asks `window` to close: its close box let go, or a close from
// the desktop's own menu or keys. Qt drops such a request while a box waits
// over the window, although its press may have come before the box (the
// window that lost the front to it asked as it went). The gate takes the
// request on as the racer's close, made at the frame press that gave the
// window the front, else now; returns false for a close that is the
// window's own to judge (a box, a dialog, a run under way, the way out).
bool CloseRequestRead(QWidget* window, bool underBox);

// A press on a menu title of `bar` that a box cut off before Qt handed it
// on (made at `place`): the menu drops once the box is answered.
void MenuPressCutByBox(QMenuBar* bar, const QPoint& at, uint64_t place);

// Whether the racer cannot work `control`: greyed or hidden, itself or with
// what shows it (a frame, a menu bar).
bool Greyed(const QObject* control);

// As long as a click takes after its press (ms), when a screen reader presses.
inline constexpr int kClickAfterPress = 100;

// A screen reader's press or request acts as a click: `window` comes to the
// front first, as under the mouse, unless it has it.
void ToFrontAsAClick(QWidget* window);

// The racer's actions in the order they were made: each takes the next
// place.
uint64_t NextPlace();

// --- work that waits

// True (and `work` put off) while a calculation runs or a box waits over
// `owner`'s window, or while work put off before could run and has not yet,
// or a press made during the run has yet to click (then those run first,
// and `work` in its `place`, 0 for now); false otherwise, when the caller
// goes on at once. Each (owner, key) waits once.
bool PutOffWhileCalculating(QObject* owner, const std::string& key, std::function<void()> work, uint64_t place = 0);

// Runs `work` now, or once it need not wait any more (as above).
void WhenNotCalculating(QObject* owner, const std::string& key, const std::function<void()>& work);

// Runs `work` from the event loop as soon as `busy()` is false, provided
// `owner` still exists (and, for a window, is still loaded), in the order
// of `place` (0: behind all asked for so far), never ahead of a press made
// before it whose click has yet to come. A later request with the same
// owner and key replaces the work of one still waiting, in its place.
void RunWhenFree(QObject* owner, const std::string& key, std::function<bool()> busy, std::function<void()> work,
                 uint64_t place = 0);

// Whether work given to RunWhenFree waits to run still.
bool WorkWaitsToRun();

// Holds everything that waits to run, whether or not it could, until as many
// releases came as holds: while the program may be on its way out, a press
// put off during a run must not start a calculation or open a window.
void HoldWaitingWork();
void ReleaseWaitingWork();

// Drops everything that waits to run, and every hold: the program ends.
void DropWaitingWork();

// Installs the gate's watch over every window (the window watches do).
void WatchRacerActions();

}  // namespace sw
