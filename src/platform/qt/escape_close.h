// Escape closes the program's small windows and dialogs, as on every
// desktop: the same as their Cancel, Close or OK button. Enter presses the
// button that has the keyboard, as it does in every dialog.
#pragma once

#include <functional>

class QPushButton;
class QWidget;

namespace sw {

// Escape anywhere in `window` (not in a menu or list that drops down from
// it, which Escape closes first) runs `close`, or closes the window when
// `close` is empty.
void CloseOnEscape(QWidget* window, std::function<void()> close = {});

// Enter on any button of `window` presses it, as Space does (Qt does this by
// itself only in dialogs, and most of the program's windows are not). With
// `button` given, Enter in a one-line text box of the window presses that
// button (the window's OK) while it is enabled.
void PressButtonsOnEnter(QWidget* window, QPushButton* button = nullptr);

}  // namespace sw
