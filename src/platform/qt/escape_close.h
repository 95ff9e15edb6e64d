// Escape closes the program's small windows and dialogs, as on every
// desktop: the same as their Cancel, Close or OK button.
#pragma once

#include <functional>

class QWidget;

namespace sw {

// Escape anywhere in `window` (not in a menu or list that drops down from
// it, which Escape closes first) runs `close`, or closes the window when
// `close` is empty.
void CloseOnEscape(QWidget* window, std::function<void()> close = {});

}  // namespace sw
