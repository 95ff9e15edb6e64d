// A canvas that records what the report draws, with simple fixed metrics: a
// character is 10 twips wide per point of font size, a line 22 twips high per
// point (10 points: 100 by 220 twips, about as the printer's fonts). The page is the printable area of
// Letter paper unless set.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "printing/report_canvas.h"

namespace sw::testing {

class RecordingCanvas : public ReportCanvas {
 public:
  struct Text {
    int page;
    double x, y, size;
    std::string text;
  };
  struct Line {
    int page;
    double x1, y1, x2, y2;
  };

  explicit RecordingCanvas(double width = 11840, double height = 15440) : width_(width), height_(height) {}

  double Width() const override { return width_; }
  double Height() const override { return height_; }
  void SetFontName(const std::string& family) override { font = family; }
  void SetFontSize(double points) override { size_ = points; }
  double FontSize() const override { return size_; }
  double TextWidth(const std::string& text) const override { return 10 * size_ * static_cast<double>(text.size()); }
  double TextHeight() const override { return 22 * size_; }
  void Text(double x, double y, const std::string& text) override { texts.push_back({pages, x, y, size_, text}); }
  void Line(double x1, double y1, double x2, double y2) override { lines.push_back({pages, x1, y1, x2, y2}); }
  void Box(double x1, double y1, double x2, double y2) override { boxes.push_back({pages, x1, y1, x2, y2}); }
  void NewPage() override { ++pages; }

  // The first text that equals `s` (or, with `prefix`, starts with it); a
  // text that is not there is found on page 0, so checks fail, not crash.
  const struct Text& Find(const std::string& s, bool prefix = false) const {
    static const struct Text kMissing{0, -1, -1, 0, "(missing)"};
    for (const auto& t : texts)
      if (prefix ? t.text.rfind(s, 0) == 0 : t.text == s) return t;
    return kMissing;
  }
  bool Has(const std::string& s, bool prefix = false) const { return Find(s, prefix).page > 0; }
  int Count(const std::string& s) const {
    return static_cast<int>(std::count_if(texts.begin(), texts.end(), [&](const auto& t) { return t.text == s; }));
  }
  // The texts of the line at height y, left to right.
  std::vector<std::string> LineAt(int page, double y) const {
    std::vector<struct Text> on;
    for (const auto& t : texts)
      if (t.page == page && t.y == y) on.push_back(t);
    std::sort(on.begin(), on.end(), [](const auto& a, const auto& b) { return a.x < b.x; });
    std::vector<std::string> out;
    for (const auto& t : on) out.push_back(t.text);
    return out;
  }

  std::string font;
  int pages = 1;
  std::vector<struct Text> texts;
  std::vector<struct Line> lines;
  std::vector<struct Line> boxes;

 private:
  double width_, height_;
  double size_ = 10;
};

}  // namespace sw::testing
