// Windows that close "when they lose the focus": only when another window of
// this program becomes active, never because of a box or window they opened
// themselves, and never from inside the handler that is running.
#pragma once

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace sw {

// True when `other` is `self` or was opened by it (a message box, a dialog).
inline bool OwnedBy(const QWidget* other, const QWidget* self) {
  for (const QWidget* w = other; w; w = w->parentWidget())
    if (w == self) return true;
  return false;
}

// Call on the window's deactivation: runs `close` once control is back in the
// event loop, if by then another window of this program is the active one.
inline void CloseWhenFocusMovesAway(QWidget* self, std::function<void()> close) {
  QPointer<QWidget> guard(self);
  QTimer::singleShot(0, self, [guard, close] {
    if (!guard) return;
    QWidget* active = QApplication::activeWindow();
    if (!active || OwnedBy(active, guard)) return;
    close();
  });
}

}  // namespace sw
