// Small helpers the shell windows share: design sizes in twips, and label
// text as the design's labels show it.
#pragma once

#include <QString>
#include <QWidget>
#include <string>

namespace sw {

// 15 twips per pixel at 96 dpi, scaled with the screen's dpi.
inline int Twips(int twips, const QWidget* w = nullptr) {
  double dpi = w ? w->logicalDpiY() : 96.0;
  if (dpi <= 0) dpi = 96.0;
  return static_cast<int>(twips / 15.0 * dpi / 96.0 + 0.5);
}

// A label shows "&&" as "&" (a single "&" marks a shortcut and is not
// shown); CR, and CR LF, are line breaks.
QString LabelText(const std::string& text);

}  // namespace sw
