// How long a window lives, and what its handlers may rely on.
//
// A window is never deleted under a handler that still runs: while any
// handler waits in a box, a dialog or the event pump (HandlerWait in
// src/platform/ui.h), a window that is unloaded or closed is hidden at once
// and deleted once the last wait has ended and control is back in the event
// loop. A handler that waited checks with StillLoaded that its window was not
// unloaded meanwhile before it touches the window again; what it needs after
// closing its own window it copies first.
#pragma once

#include <QCoreApplication>
#include <QPointer>
#include <functional>
#include <string>

class QDialog;
class QObject;
class QWidget;

namespace sw {

// Installs one event filter of kind `Filter` over every object of the
// program, once while the application lives; false when it was there already
// (or no application runs).
template <class Filter>
bool FilterAllEvents() {
  static QPointer<QObject> filter;
  if (filter || !qApp) return false;
  filter = new Filter;
  filter->setParent(qApp);
  qApp->installEventFilter(filter);
  return true;
}

// Installs the watch over the windows' lifetimes (the window watches in
// window_watches.h do).
void WatchWindowLifetimes();

// The window is unloaded (closed for good, deleted now or later): handlers
// that wait under it stop at their next StillLoaded check.
void MarkUnloaded(QWidget* w);
bool IsUnloaded(const QWidget* w);

// What a handler holds across a box, a dialog or the event pump: true while
// its window exists and has not been unloaded.
//   StillLoaded<frmThing> self(this);
//   MsgBox(...);
//   if (!self) return;
template <class T>
class StillLoaded {
 public:
  explicit StillLoaded(T* w) : w_(w) {}
  explicit operator bool() const { return w_ && !IsUnloaded(w_.data()); }
  T* operator->() const { return w_.data(); }
  T* get() const { return w_.data(); }

 private:
  QPointer<T> w_;
};

// A dialog a handler makes for the length of one call, never on the stack:
// the window it belongs to may be unloaded while it is open and takes its
// child dialogs along when it goes. Deleted at the end of the call, unless
// it went with its window already.
template <class T>
class OwnedDialog {
 public:
  explicit OwnedDialog(T* dialog) : d_(dialog) {}
  ~OwnedDialog() { delete d_.data(); }
  OwnedDialog(const OwnedDialog&) = delete;
  OwnedDialog& operator=(const OwnedDialog&) = delete;
  explicit operator bool() const { return !d_.isNull(); }
  T* get() const { return d_.data(); }
  T* operator->() const { return d_.data(); }
  T& operator*() const { return *d_; }

 private:
  QPointer<T> d_;
};

// Runs a window's modal dialog (a help window, a chooser, a printer
// dialog): counted as a wait. A dialog that is open already (the help window
// asked for again from inside itself) is not opened a second time: it comes
// to the front and kDialogAlreadyOpen is returned at once.
inline constexpr int kDialogAlreadyOpen = -1;
int ExecModal(QDialog* dialog);

// The box, dialog or print preview that waits over `w` (an application-modal
// window `w` is not part of), else nullptr. Qt keeps the mouse and the keys
// away from a window under it, but a screen reader's press, a pick or a
// focus move reaches it all the same.
QWidget* ModalOver(const QWidget* w);
// Brings the box, dialog or preview that waits to the front.
void BringModalToFront();

// Runs `work` from the event loop after `ms` milliseconds, as long as
// `context` exists: the program's own work (src/platform/ui.h), so what it
// changes in a window under a box stays.
void Later(QObject* context, std::function<void()> work, int ms = 0);

}  // namespace sw
