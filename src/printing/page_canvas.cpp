#include "printing/page_canvas.h"

#include "platform/qt/printer.h"
#include "platform/qt/qt_ui.h"

namespace sw {

namespace {
// Thin enough that the two lines of a double rule stay apart.
constexpr double kRuleTwips = 6;
}  // namespace

double PageCanvas::Width() const { return page_.ScaleWidth(); }
double PageCanvas::Height() const { return page_.ScaleHeight(); }
void PageCanvas::SetFontName(const std::string& family) { page_.SetFontName(ToQ(family)); }
void PageCanvas::SetFontSize(double points) { page_.SetFontSize(points); }
double PageCanvas::FontSize() const { return page_.Font().pointSizeF(); }
double PageCanvas::TextWidth(const std::string& text) const { return page_.TextWidth(text); }
double PageCanvas::TextHeight() const { return page_.TextHeight(); }
void PageCanvas::Text(double x, double y, const std::string& text) { page_.DrawText(x, y, text); }
void PageCanvas::Line(double x1, double y1, double x2, double y2) { page_.Line(x1, y1, x2, y2, kRuleTwips); }
void PageCanvas::Box(double x1, double y1, double x2, double y2) {
  page_.Box(x1, y1, x2 - x1, y2 - y1, kRuleTwips);
}
void PageCanvas::NewPage() { page_.NewPage(); }

}  // namespace sw
