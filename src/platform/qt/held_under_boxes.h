// Nothing the racer cannot work takes a change from outside the program: a
// control greyed or hidden, a read-only text (the Open window's preview, the
// report), any control of a window while a box, a dialog or a print preview
// waits over it. Qt keeps the mouse and the keys away from those, but a
// screen reader sets a text, picks, toggles and presses there all the same.
// Outside changes are told apart where they come in: while the
// accessibility bridge carries out a screen reader's request (OutsideRequest
// in src/platform/ui.h), and the click of a press a screen reader made (it
// comes a moment later). Such a change is undone at once, back to what the
// program had left there, and only on the control the request addressed: a
// change the program makes to any other control meanwhile (a handler of the
// change, a menu filling its marks as it opens) is the program's and stays,
// and a menu item's mark is judged by the trigger of that very item. What
// the program writes itself, wherever it writes it (a handler, a close, a
// lost front, a shortcut, a timer, a signal), is the program's and stays.
// Under a box a screen reader opens no menu of a menu bar, as the racer
// cannot.
//
// A button pressed under a box takes no toggle from its click either, when
// the click comes after the box has gone (PressOf below). A menu item whose
// handler waits for a run to end keeps its mark until its handler runs and
// sets it.
//
// And nobody presses what nobody sees: a control that is hidden is disabled
// as well, and takes the state the program gave it when it shows again.
#pragma once

#include <cstdint>
#include <functional>

class QAbstractButton;
class QObject;
class QWidget;

namespace sw {

// Installs the watch over every control of every window (the window watch
// in window_lifetime.h does).
void HoldWindowsUnderBoxes();

// True while a change `control` takes is being refused or undone: a handler
// of the change (a "specs changed" mark) leaves it alone.
bool HeldUnderBox(const QObject* control);

// Whether the racer cannot work `control`: greyed or hidden, itself or with
// what shows it (a frame, a menu bar).
bool Greyed(const QObject* control);

// As long as a click takes after its press (ms), when a screen reader presses.
inline constexpr int kClickAfterPress = 100;

// A screen reader's press or request acts as a click: `window` comes to the
// front first, as under the mouse, unless it has it.
void ToFrontAsAClick(QWidget* window);

// The control's presses go to a handler of the program (OnAction marks it).
void MarkActing(QObject* control);

// Whether a press in `window` waits now (for a run to end, or under a box):
// the gate's rule, given by the shell.
void SetPressesWait(bool (*waits)(const QWidget* window));

// A button's press counts from the moment it is made, not from its click: a
// screen reader's press clicks a tenth of a second later, the Space key on
// its release. The click, and what it toggles, is judged as of the press.
struct Press {
  uint64_t place = 0;     // among the racer's actions (NextPlace); 0: no press, the action is made now
  bool underBox = false;  // a box waited over its window: the click does nothing
  bool waited = false;    // a run was under way: the click waits its turn
  bool outside = false;   // a screen reader made it: what the click changes comes from outside
};
// The press whose click `control` is giving: its own, or, for an option
// cleared by it, the one being clicked in its window. None while program
// work runs: what the program does is no press.
Press PressOf(const QObject* control);
// The place of the earliest press made during a run on a button of the
// program whose click has yet to come (0 for none): what was done after
// it waits for it.
uint64_t PressHeld();

// A press on `button` (made at `place`, NextPlace) that a box cut off
// before its click: the press came first, the box on its way (its release
// lost to the box, or the whole press dropped by Qt as one under it). The
// button clicks as of its press, which the gate (src/shell/user_actions.h)
// judges as an action made before the box came up: it goes on once the box
// is answered. (A button of Qt's own clicks once the box is answered.)
void PressCutByBox(QAbstractButton* button, uint64_t place);

// Told of each outside change the hold undoes, with the control it undid it
// in (the tests check that each came from outside).
void SetUndoneWatch(void (*watch)(const QObject* control));

// The program sets `control` in `set` with its signals quiet (no handler of
// the racer's runs): what it leaves there is the program's, and what the
// control goes back to should anyone else change it under a box. Every
// quiet setting of a watched control goes through here; the hold cannot see
// one made past it.
void SetQuietly(QObject* control, const std::function<void()>& set);

}  // namespace sw
