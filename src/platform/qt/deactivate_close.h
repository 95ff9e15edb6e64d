// Windows that close "when they lose the focus": they close when another
// window of this program becomes active, never because of a message box,
// an input box or a file or print dialog (their own or the program's), and
// the close is deferred to the event loop, never done inside the handler that
// is running.
#pragma once

#include <QObject>
#include <QPointer>
#include <functional>

class QWidget;

namespace sw {

class DeactivateWatch : public QObject {
  Q_OBJECT
 public:
  // `onLost` runs from the event loop after `window` lost the front to
  // another window of the program. `except` may name windows that do not
  // count (a window this one opened and waits for).
  DeactivateWatch(QWidget* window, std::function<void()> onLost);
  void SetExcept(std::function<bool(QWidget*)> except) { except_ = std::move(except); }
  // While suspended nothing is reported (the window runs its own steps).
  void Suspend(bool on) { suspended_ = on; }
  // Looks at the front again from the event loop (a report that had to wait).
  void Recheck();
  // Every window that lost the front and has yet to be told, told now, and
  // the window in front told it loses the front to `to` (a window the racer
  // pressed in, which the desktop has yet to bring to the front): an action
  // the racer takes in another window goes on after what they do as they go
  // (their questions), never under it.
  static void ReportLostFrontsNow(QWidget* to = nullptr);

  // True for the boxes and dialogs that never make a window close.
  static bool IsBox(QWidget* w);
  // A window of the program's own that comes and goes with its work as a
  // box does (the calculation's progress window): it counts as a box.
  static void CountAsBox(QWidget* w);

 protected:
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  void Check();
  void CheckLater();
  // Whether the front going to `active` counts as lost.
  bool LostTo(QWidget* active);
  void Lost();
  QPointer<QWidget> window_;
  std::function<void()> onLost_;
  std::function<bool(QWidget*)> except_;
  bool pending_ = false;
  bool suspended_ = false;
  // The front went to a box: where it goes next still counts.
  bool afterBox_ = false;
  // Told before the desktop moved the front: its move tells nothing new.
  bool toldEarly_ = false;
};

}  // namespace sw
