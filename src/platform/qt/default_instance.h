// The one default instance of a window class: created on first use ("load"),
// forgotten as soon as it is unloaded or closed, and deleted later so that an
// unload from inside one of the window's own handlers is safe (and, while a
// handler waits in a box or the event pump, only after the wait: see
// src/platform/qt/window_lifetime.h).
#pragma once

#include <QPointer>
#include <QWidget>

#include "platform/qt/window_lifetime.h"
#include "platform/qt/window_watches.h"

namespace sw {

template <class T>
class DefaultInstance {
 public:
  // Loads the window when it is not loaded (its constructor is its load).
  static T* Get() {
    if (!instance_) {
      WatchWindows();
      instance_ = new T();
    }
    return IfLoaded();
  }
  static T* IfLoaded() { return static_cast<T*>(instance_.data()); }
  static bool Loaded() { return !instance_.isNull(); }
  // Hides the window and deletes it once control is back in the event loop.
  static void Unload() {
    if (QWidget* w = instance_.data()) {
      instance_.clear();
      MarkUnloaded(w);
      w->hide();
      w->deleteLater();
    }
  }
  // For a window that is being closed by the user: the next Get() makes a
  // fresh one even before the old one is deleted. Also called as a window's
  // base class is destroyed, so the window is never taken for a T here.
  static void Forget(QWidget* w) {
    if (instance_.data() == w) instance_.clear();
    MarkUnloaded(w);
  }

 private:
  // Kept as the widget it is: a window half destroyed is no T any more.
  static inline QPointer<QWidget> instance_;
};

}  // namespace sw
