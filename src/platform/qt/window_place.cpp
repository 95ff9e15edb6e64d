#include "platform/qt/window_place.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMargins>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace sw {

namespace {

// Room the desktop's title bar and border take around a window that has not
// been shown yet (its frame is not known before then).
constexpr int kTitleAllowance = 30;
constexpr int kBorderAllowance = 4;

QRect FreeArea(const QWidget* w) {
  QScreen* s = w && w->screen() ? w->screen() : QGuiApplication::primaryScreen();
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

}  // namespace

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
  // The frame's widths: as the desktop drew them around this window, else
  // around another window of the program, else the usual ones.
  QMargins m = FrameMargins(window);
  for (const QWidget* other : QApplication::topLevelWidgets()) {
    if (!m.isNull()) break;
    if (other != window && other->isWindow() && !(other->windowFlags() & Qt::FramelessWindowHint) &&
        (other->windowType() == Qt::Window || other->windowType() == Qt::Dialog))
      m = FrameMargins(other);
  }
  if (m.isNull()) m = QMargins(kBorderAllowance, kTitleAllowance, kBorderAllowance, kBorderAllowance);
  const QSize client = window->size();
  const QRect outer(clientTopLeft - QPoint(m.left(), m.top()),
                    QSize(client.width() + m.left() + m.right(), client.height() + m.top() + m.bottom()));
  return PlaceOnScreens(outer, ScreenAreas()) + QPoint(m.left(), m.top());
}

void PlaceOver(QWidget* window, const QWidget* anchor) {
  if (!window) return;
  if (!window->testAttribute(Qt::WA_Resized)) window->adjustSize();
  const bool anchored = anchor && anchor->isVisible() && !anchor->isMinimized();
  const QRect area = FreeArea(anchored ? anchor : window);
  const QSize outer(window->width() + 2 * kBorderAllowance, window->height() + kTitleAllowance + kBorderAllowance);
  const QPoint centre = anchored ? anchor->frameGeometry().center() : area.center();
  window->move(Inside(area, centre - QPoint(outer.width() / 2, outer.height() / 2), outer));
}

void KeepOnScreen(QWidget* window) {
  if (!window || !window->isVisible()) return;
  const QRect area = FreeArea(window);
  const QRect frame = window->frameGeometry();
  const QPoint at = Inside(area, frame.topLeft(), frame.size());
  if (at != frame.topLeft()) window->move(at);
}

}  // namespace sw
