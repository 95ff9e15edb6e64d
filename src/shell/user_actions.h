// How the windows hand the racer's actions to the gate
// (src/platform/qt/action_gate.h), which judges every one of them in one
// place: what a box, a run or a screen reader does to an action, and the
// entries of the acting window settled before it.
#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <string>
#include <type_traits>

#include "platform/qt/action_gate.h"

class QWidget;

namespace sw {

bool CalculationUnderWay();

// Connects `signal` of `control` to `handler` through the gate. The handler
// takes the signal's arguments or none; a handler that may be put off takes
// none that can go meanwhile (an item of a list that is filled again).
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

}  // namespace sw
