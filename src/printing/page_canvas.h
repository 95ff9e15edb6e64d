// The printed report's canvas on a printer page: twips of the printable
// area, hairline rules.
#pragma once

#include "printing/report_canvas.h"

namespace sw {

class PrintPage;

class PageCanvas : public ReportCanvas {
 public:
  explicit PageCanvas(PrintPage& page) : page_(page) {}
  double Width() const override;
  double Height() const override;
  void SetFontName(const std::string& family) override;
  void SetFontSize(double points) override;
  double FontSize() const override;
  double TextWidth(const std::string& text) const override;
  double TextHeight() const override;
  void Text(double x, double y, const std::string& text) override;
  void Line(double x1, double y1, double x2, double y2) override;
  void Box(double x1, double y1, double x2, double y2) override;
  void NewPage() override;

 private:
  PrintPage& page_;
};

}  // namespace sw
