#include "platform/qt/kept_in_front.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QWidget>
#include <QWindow>

#if QT_CONFIG(xcb)
#include <xcb/xcb.h>
#endif

#include "platform/qt/window_lifetime.h"

namespace sw {

namespace {

void TellDesktop(QWidget* window, QWidget* owner) {
#if QT_CONFIG(xcb)
  // The offscreen platform answers to the X11 interface too, without a server.
  if (QGuiApplication::platformName() != QLatin1String("xcb")) return;
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  QWindow* shown = window->windowHandle();
  QWindow* under = owner->window()->windowHandle();
  if (!x11 || !shown || !under || !window->isVisible()) return;
  const xcb_window_t ownerId = static_cast<xcb_window_t>(under->winId());
  xcb_change_property(x11->connection(), XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(shown->winId()),
                      XCB_ATOM_WM_TRANSIENT_FOR, XCB_ATOM_WINDOW, 32, 1, &ownerId);
  xcb_flush(x11->connection());
#else
  (void)window;
  (void)owner;
#endif
}

// The show event comes before Qt maps the window, and mapping it clears the
// hint: it is given from the event loop, once the window is mapped.
class InFrontOf : public QObject {
 public:
  InFrontOf(QWidget* window, QWidget* owner) : QObject(window), window_(window), owner_(owner) {
    window->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* o, QEvent* e) override {
    if (o == window_ && e->type() == QEvent::Show)
      Later(this, [this] {
        if (owner_) TellDesktop(window_, owner_);
      });
    return false;
  }

 private:
  QWidget* window_;
  QPointer<QWidget> owner_;
};

}  // namespace

void KeepInFrontOf(QWidget* window, QWidget* owner) {
  if (window && owner) new InFrontOf(window, owner);
}

}  // namespace sw
