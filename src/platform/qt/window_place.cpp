#include "platform/qt/window_place.h"
#include "platform/qt/window_lifetime.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMargins>
#include <QResizeEvent>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <functional>

#include "platform/ui.h"

namespace sw {

namespace {

// Room the desktop's title bar and border take around a window when no
// window of the program has been framed yet.
constexpr int kTitleAllowance = 30;
constexpr int kBorderAllowance = 4;

QScreen* ScreenOf(const QWidget* w) {
  QScreen* s = w && w->screen() ? w->screen() : nullptr;
  return s ? s : QGuiApplication::primaryScreen();
}

QRect FreeArea(const QWidget* w) {
  QScreen* s = ScreenOf(w);
  return s ? s->availableGeometry() : QRect(0, 0, 1024, 768);
}

// The widths of the frame the desktop drew around a shown window; none for a
// window not shown (its frame is not known then).
QMargins FrameMargins(const QWidget* w) {
  if (!w->isVisible()) return {};
  const QRect frame = w->frameGeometry(), client = w->geometry();
  return {client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
          frame.bottom() - client.bottom()};
}

QPoint Inside(const QRect& area, QPoint topLeft, const QSize& outer) {
  int x = std::min(topLeft.x(), area.right() + 1 - outer.width());
  int y = std::min(topLeft.y(), area.bottom() + 1 - outer.height());
  return {std::max(x, area.left()), std::max(y, area.top())};
}

QSize OuterSize(const QWidget* w) {
  const QMargins m = ExpectedFrame(w);
  return {w->width() + m.left() + m.right(), w->height() + m.top() + m.bottom()};
}

// Runs `then` once the desktop has framed the window (its real frame may
// differ from the one expected), then leaves the window alone, so the racer
// may move it where they like.
class FramedCheck : public QObject {
 public:
  FramedCheck(QWidget* window, const char* name, std::function<void()> then)
      : QObject(window), window_(window), then_(std::move(then)) {
    setObjectName(name);
    window->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* o, QEvent* e) override {
    if (o == window_ && (e->type() == QEvent::Move || e->type() == QEvent::Resize || e->type() == QEvent::Show) &&
        window_->isVisible() && !FrameMargins(window_).isNull()) {
      window_->removeEventFilter(this);
      deleteLater();
      Later(window_, then_);
    }
    return false;
  }

 private:
  QWidget* window_;
  std::function<void()> then_;
};

void OnceFramed(QWidget* window, const char* name, std::function<void()> then) {
  if (!window->findChild<QObject*>(name, Qt::FindDirectChildrenOnly)) new FramedCheck(window, name, std::move(then));
}

void CheckOnceFramed(QWidget* window) {
  OnceFramed(window, "swFramedCheck", [window] { KeepOnScreen(window); });
}

// The window's inside for a frame that fills the area.
void SizeFrameTo(QWidget* window, const QRect& area) {
  const QMargins m = ExpectedFrame(window);
  window->resize(area.width() - m.left() - m.right(), area.height() - m.top() - m.bottom());
}

// The window of the program the racer opens `window` from.
const QWidget* Opener(const QWidget* window, const QWidget* fallback) {
  const QWidget* front = QApplication::activeWindow();
  return front && front != window && front->isVisible() && !front->isMinimized() ? front : fallback;
}

// The size a window had before the program began changing it, kept until the
// change is done: sized back (a picture taken for a printout) it has not
// changed.
constexpr const char* kSizeBefore = "swSizeBefore";

void KeepOnScreenIfResized(QWidget* w, int waitsAtResize) {
  // A handler that changed the size and then waits (a printout's picture,
  // its print dialog) may yet change it back: its change is done once that
  // wait is over.
  if (OpenHandlerWaits() > waitsAtResize) {
    Later(w, [w, waitsAtResize] { KeepOnScreenIfResized(w, waitsAtResize); }, 50);
    return;
  }
  const QSize before = w->property(kSizeBefore).toSize();
  w->setProperty(kSizeBefore, QVariant());
  const Qt::WindowStates framedByDesktop = Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen;
  if (w->size() != before && !(w->windowState() & framedByDesktop)) KeepOnScreen(w);
}

// A window sized by the window system (the racer dragging its edge,
// maximising it) gets spontaneous resize events; one sized by the program,
// by a call or by its layout, gets them sent.
class ResizedBackOnScreen : public QObject {
 public:
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() != QEvent::Resize || e->spontaneous() || !o->isWidgetType()) return false;
    auto* w = static_cast<QWidget*>(o);
    if (!w->isWindow() || !w->isVisible() || w->property(kSizeBefore).isValid()) return false;
    const Qt::WindowType type = w->windowType();
    if (type == Qt::Popup || type == Qt::ToolTip || type == Qt::SplashScreen || type == Qt::Desktop) return false;
    w->setProperty(kSizeBefore, static_cast<QResizeEvent*>(e)->oldSize());
    const int waits = OpenHandlerWaits();
    Later(w, [w, waits] { KeepOnScreenIfResized(w, waits); });
    return false;
  }
};

}  // namespace

void KeepResizedWindowsOnScreen() { FilterAllEvents<ResizedBackOnScreen>(); }

QMargins ExpectedFrame(const QWidget* window) {
  QMargins m = window ? FrameMargins(window) : QMargins();
  for (const QWidget* other : QApplication::topLevelWidgets()) {
    if (!m.isNull()) break;
    if (other != window && other->isWindow() && !(other->windowFlags() & Qt::FramelessWindowHint) &&
        (other->windowType() == Qt::Window || other->windowType() == Qt::Dialog))
      m = FrameMargins(other);
  }
  return m.isNull() ? QMargins(kBorderAllowance, kTitleAllowance, kBorderAllowance, kBorderAllowance) : m;
}

int WidthForTitle(const QWidget* window) {
  if (!window) return 0;
  // Desktops draw the title in a bold face of about the program's size,
  // with the icon and three buttons, each about a title bar high, beside it.
  QFont font = window->font();
  font.setBold(true);
  const QMargins frame = ExpectedFrame(window);
  const int bar = std::max(frame.top(), QFontMetrics(font).height() + 8);
  return QFontMetrics(font).horizontalAdvance(window->windowTitle()) + 5 * bar - frame.left() - frame.right();
}

QList<QRect> ScreenAreas() {
  QList<QRect> areas;
  for (QScreen* s : QGuiApplication::screens()) areas.append(s->availableGeometry());
  return areas;
}

QPoint PlaceOnScreens(const QRect& frame, const QList<QRect>& areas) {
  if (areas.isEmpty()) return frame.topLeft();
  const QRect* best = nullptr;
  qint64 bestOverlap = 0, bestDistance = 0;
  for (const QRect& a : areas) {
    const QRect common = a.intersected(frame);
    const qint64 overlap = common.isEmpty() ? 0 : qint64(common.width()) * common.height();
    const QPoint d = a.center() - frame.center();
    const qint64 distance = qint64(d.x()) * d.x() + qint64(d.y()) * d.y();
    if (!best || overlap > bestOverlap || (overlap == bestOverlap && overlap == 0 && distance < bestDistance)) {
      best = &a;
      bestOverlap = overlap;
      bestDistance = distance;
    }
  }
  return Inside(*best, frame.topLeft(), frame.size());
}

QPoint ClientPlaceOnScreen(const QWidget* window, QPoint clientTopLeft) {
  if (!window) return clientTopLeft;
  const QMargins m = ExpectedFrame(window);
  const QRect outer(clientTopLeft - QPoint(m.left(), m.top()), OuterSize(window));
  return PlaceOnScreens(outer, ScreenAreas()) + QPoint(m.left(), m.top());
}

void PlaceFrameAt(QWidget* window, QPoint frameAt, const QWidget* opener) {
  if (!window) return;
  const QRect area = FreeArea(opener ? opener : window);
  window->move(Inside(area, frameAt, OuterSize(window)));
  CheckOnceFramed(window);
}

void PlaceOver(QWidget* window, const QWidget* anchor) {
  if (!window) return;
  if (!window->testAttribute(Qt::WA_Resized)) window->adjustSize();
  const bool anchored = anchor && anchor->isVisible() && !anchor->isMinimized();
  const QWidget* opener = Opener(window, anchored ? anchor : nullptr);
  const QSize outer = OuterSize(window);
  const QPoint centre = anchored ? anchor->frameGeometry().center() : FreeArea(opener ? opener : window).center();
  PlaceFrameAt(window, centre - QPoint(outer.width() / 2, outer.height() / 2), opener);
}

void FillArea(QWidget* window, const QRect& area, const QWidget* opener) {
  if (!window) return;
  SizeFrameTo(window, area);
  PlaceFrameAt(window, area.topLeft(), opener);
  // Before it is shown the frame is another window's, which the desktop may
  // draw otherwise (a dialog's title bar) or tell wrongly while that window
  // changes its size: sized again by its own.
  OnceFramed(window, "swFillArea", [window, area] {
    SizeFrameTo(window, area);
    window->move(area.topLeft());
  });
}

void KeepOnScreen(QWidget* window) {
  if (!window || !window->isVisible()) return;
  const QRect area = FreeArea(window);
  const QRect frame = window->frameGeometry();
  const QPoint at = Inside(area, frame.topLeft(), frame.size());
  if (at != frame.topLeft()) window->move(at);
}

}  // namespace sw
