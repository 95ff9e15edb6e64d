// Sizes of the design are in twips: 15 twips per pixel at 96 dpi, scaled
// with the screen's dpi.
#pragma once

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace sw {

inline int TwipsToPixels(double twips) {
  double dpi = 96.0;
  if (auto* s = QGuiApplication::primaryScreen()) dpi = s->logicalDotsPerInch();
  if (dpi < 48) dpi = 96.0;
  return static_cast<int>(std::lround(twips / 15.0 * dpi / 96.0));
}

}  // namespace sw
