// One gate for everything the racer does in a window: a press, a pick, a
// menu item, the leave of a value box, a key that acts. Every window hands
// its handlers through it, so no window can act where it must not:
// - While a box, a dialog or a print preview waits, a control of any window
//   under it does nothing; the waiting one comes to the front instead. (Qt
//   keeps the mouse and keys away, not a screen reader's press or a fast
//   double-click's second press.) An action made before the box came up (a
//   window asking its question on leave as this very action took the front
//   from it) is no action under the box: it waits for the answer, then goes
//   on.
// - While a calculation, a search or a dial-in prediction runs
//   (tbl.CalcRunning), the handler is put off: it runs from the event loop
//   once the work has ended and no box waits over its window, once for each
//   (window, key), as long as the window is still loaded, in the order the
//   racer acted and before anything the racer does after the run. What a
//   run reads stays what it was when the run began.
// - A button's press counts from the moment it is made, not from its click
//   (PressOf in held_under_boxes.h): pressed under a box it does nothing,
//   though the box has gone when the click comes; pressed during a run it
//   waits in the place of the press, before what was done after it. A box
//   that came up after a mouse press and before its click (on a desktop the
//   window losing the front asks before the press reaches the program) is
//   one on its way: the click comes here as of the press, and goes on after
//   the answer (PressCutByBox in held_under_boxes.h, from the window
//   system's order of events in presses_under_boxes.h).
#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <string>
#include <type_traits>

#include "platform/qt/held_under_boxes.h"

class QWidget;

namespace sw {

bool CalculationUnderWay();

// Runs `handler` for the racer's action in `window` (on `control`) now,
// later or never, as above.
void Act(QWidget* window, const std::string& key, std::function<void()> handler, const QObject* control = nullptr);

// Connects `signal` of `control` to `handler` through Act. The handler takes
// the signal's arguments or none; a handler that may be put off takes none
// that can go meanwhile (an item of a list that is filled again).
template <class Control, class Signal, class Handler>
QMetaObject::Connection OnAction(Control* control, Signal signal, QWidget* window, std::string key, Handler handler,
                                 Qt::ConnectionType type = Qt::AutoConnection) {
  MarkActing(control);
  return QObject::connect(
      control, signal, window,
      // A queued signal may come after its control has gone.
      [from = QPointer<QObject>(control), window, key = std::move(key), handler](auto... args) {
        Act(
            window, key,
            [handler, args...] {
              if constexpr (std::is_invocable_v<const Handler&, decltype(args)...>) handler(args...);
              else handler();
            },
            from.data());
      },
      type);
}

// True (and `work` put off) while a calculation runs or a box waits over
// `owner`'s window, or while work put off before could run and has not yet,
// or a press made during the run has yet to click (then those run first,
// and `work` in its `place`, NextPlace in window_lifetime.h, 0 for now);
// false otherwise, when the caller goes on at once. Each (owner, key)
// waits once.
bool PutOffWhileCalculating(QObject* owner, const std::string& key, std::function<void()> work, uint64_t place = 0);

// Runs `work` now, or once it need not wait any more (as above).
void WhenNotCalculating(QObject* owner, const std::string& key, const std::function<void()>& work);

}  // namespace sw
