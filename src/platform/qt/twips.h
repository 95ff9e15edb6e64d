// Sizes of the design are in twips: 15 twips per pixel at 96 dpi, scaled
// with the screen's dpi.
#pragma once

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace sw {

inline int TwipsToPixels(double twips) {
  double dpi = 96.0;
  if (auto* s = QGuiApplication::primaryScreen()) dpi = s->logicalDotsPerInch();
  if (dpi < 48) dpi = 96.0;
  return static_cast<int>(std::lround(twips / 15.0 * dpi / 96.0));
}

// The same on the screen a widget stands on.
inline int WidgetDpi(const QWidget* widget) {
  int dpi = widget ? widget->logicalDpiX() : 96;
  return dpi > 0 ? dpi : 96;
}
inline int TwipsToPixels(double twips, const QWidget* widget) {
  return static_cast<int>(std::lround(twips * WidgetDpi(widget) / 1440.0));
}
inline double PixelsToTwips(int pixels, const QWidget* widget) { return pixels * 1440.0 / WidgetDpi(widget); }

}  // namespace sw
