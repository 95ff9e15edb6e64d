#include "platform/qt/front_past_popups.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include "platform/qt/window_lifetime.h"

namespace sw {

namespace {

// The window the window system gives the front to, as Qt's active window
// too, when Qt has none and no pop-up is open.
void TellFront() {
  if (QApplication::activePopupWidget() || QApplication::activeWindow()) return;
  const QWindow* front = QGuiApplication::focusWindow();
  if (!front) return;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->windowHandle() == front && w->isVisible()) return QApplication::setActiveWindow(w);
}

class PopupWatch : public QObject {
 public:
  bool eventFilter(QObject* o, QEvent* e) override {
    // Once Qt is done closing it (the last one leaves pop-up mode then).
    if (e->type() == QEvent::Hide && o->isWidgetType() && static_cast<QWidget*>(o)->windowType() == Qt::Popup)
      QTimer::singleShot(0, qApp, [] { TellFront(); });
    return false;
  }
};

}  // namespace

void KeepFrontPastPopups() { FilterAllEvents<PopupWatch>(); }

}  // namespace sw
