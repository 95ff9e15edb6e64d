// What makes every window of the program usable from the keyboard and with a
// screen reader, whatever the desktop does or does not do for it:
// - a window closing with the front hands it back to the window the racer
//   was in before (a desktop without a window manager leaves no window
//   active, so no key would reach the program any more);
// - one Escape closes one window, held down or not;
// - Alt alone enters a window's menu bar, so menus without an underlined
//   letter (the results and graph windows') are reachable too;
// - windows built straight on QWidget are announced as windows, not as a
//   nameless pane ("filler") inside nothing;
// - a screen reader's press on a greyed control succeeds and does nothing,
//   and the control tells it is greyed.
#pragma once

#include <functional>

class QWidget;

namespace sw {

// Once, after the QApplication exists. `lastResort` names the window that
// takes the front when no window the racer was in before is still open
// (the main window); it may return nullptr.
void InstallKeyboardAccess(std::function<QWidget*()> lastResort);

}  // namespace sw
