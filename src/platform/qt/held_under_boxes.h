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
// the click comes after the box has gone (PressOf in action_gate.h). A menu
// item whose handler waits for a run to end keeps its mark until its handler
// runs and sets it.
//
// And nobody presses what nobody sees: a control that is hidden is disabled
// as well, and takes the state the program gave it when it shows again.
#pragma once

#include <functional>

class QObject;
class QWidget;

namespace sw {

// Installs the watch over every control of every window (the window
// watches in window_watches.h do).
void HoldWindowsUnderBoxes();

// True while a change `control` takes is being refused or undone: a handler
// of the change (a "specs changed" mark) leaves it alone.
bool HeldUnderBox(const QObject* control);

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
