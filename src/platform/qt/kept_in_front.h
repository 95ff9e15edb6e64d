// A window the main window waits on (it greys the main window or its panels),
// and every window opened from it, stays in front of it, as a box does: the
// desktop is told the window belongs to the main window. Qt tells it so of
// dialogs only (the progress window, a dialog of the main window's, needs no
// more), not of a plain window with a parent or none; a desktop may then
// stack the greyed main window over the one it waits on (a click on it, a box
// closing), and the racer sees a screen that takes no click, or loses the
// window. The desktop minimises and restores the window with the main window.
#pragma once

class QWidget;

namespace sw {

// From now on, every time `window` is shown it stays in front of `owner` (on
// X11 by WM_TRANSIENT_FOR, which Qt takes away from a plain window as it maps
// it). Nothing changes where the window system has no such hint, or without
// an owner.
void KeepInFrontOf(QWidget* window, QWidget* owner);

}  // namespace sw
