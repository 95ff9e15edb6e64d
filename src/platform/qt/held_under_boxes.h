// Nothing in a window changes while a box, a dialog or a print preview waits
// over it: not a check mark, a check box, a value, a pick. Qt keeps the mouse
// and the keys away from a window under a box, but a screen reader presses,
// toggles, sets a text and picks there all the same. A change a control takes
// under a box while no program work runs (src/platform/ui.h; the box's own
// handler writing a figure back is program work) is undone at once, back to
// what the program had left there (a pick it set with the list's signals
// quiet, or from a timer or a late activation, too). A menu
// item whose press waits for a run to end keeps its mark until its handler
// runs and sets it.
//
// A read-only text (the Open window's preview, the report) takes no change
// but the program's own, box or no box; nor does any control the program
// has greyed (a box, a list, a check box, an option, a menu item's mark).
//
// And nobody presses what nobody sees: a control that is hidden is disabled
// as well, and takes the state the program gave it when it shows again.
#pragma once

#include <functional>

class QObject;
class QWidget;

namespace sw {

// Installs the watch over every control of every window (the window watch
// in window_lifetime.h does).
void HoldWindowsUnderBoxes();

// True while a change `control` takes is being refused or undone: a handler
// of the change (a "specs changed" mark) leaves it alone.
bool HeldUnderBox(const QObject* control);

// The control's presses go to a handler of the program (OnAction marks it).
void MarkActing(QObject* control);

// Whether a press in `window` waits now (for a run to end, or under a box):
// the gate's rule, given by the shell.
void SetPressesWait(bool (*waits)(const QWidget* window));

// The program sets `control` in `set` with its signals quiet (no handler of
// the racer's runs): what it leaves there is the program's, and what the
// control goes back to should anyone else change it under a box. Every
// quiet setting of a watched control goes through here; the hold cannot see
// one made past it.
void SetQuietly(QObject* control, const std::function<void()>& set);

}  // namespace sw
