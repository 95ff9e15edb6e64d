#include "platform/qt/window_place.h"

#include <QGuiApplication>
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

QPoint Inside(const QRect& area, QPoint topLeft, const QSize& outer) {
  int x = std::min(topLeft.x(), area.right() + 1 - outer.width());
  int y = std::min(topLeft.y(), area.bottom() + 1 - outer.height());
  return {std::max(x, area.left()), std::max(y, area.top())};
}

}  // namespace

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
