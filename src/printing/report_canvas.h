// What the printed report draws on: text, lines, boxes and page ejects at
// positions in the page's own units (twips of the printable area on paper).
// The printer implements it, and the tests a twin that records every call.
#pragma once

#include <string>

namespace sw {

class ReportCanvas {
 public:
  virtual ~ReportCanvas() = default;
  // The printable area.
  virtual double Width() const = 0;
  virtual double Height() const = 0;
  virtual void SetFontName(const std::string& family) = 0;
  virtual void SetFontSize(double points) = 0;
  virtual double FontSize() const = 0;
  virtual double TextWidth(const std::string& text) const = 0;
  // One line of text in the current font.
  virtual double TextHeight() const = 0;
  // The text with its top left corner at (x, y).
  virtual void Text(double x, double y, const std::string& text) = 0;
  virtual void Line(double x1, double y1, double x2, double y2) = 0;
  // The rectangle with corners (x1, y1) and (x2, y2).
  virtual void Box(double x1, double y1, double x2, double y2) = 0;
  virtual void NewPage() = 0;
};

}  // namespace sw
