#include "platform/qt/chart.h"

#include <QChart>
#include <QChartView>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QLegendMarker>
#include <QLineSeries>
#include <QValueAxis>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <limits>

namespace sw {

namespace {

// Line colours that stand out on black, gray and white alike.
const QColor kSeriesColors[] = {QColor(230, 20, 20), QColor(30, 100, 255), QColor(0, 165, 0),
                                QColor(205, 0, 205)};

int ToIndex(double v) {
  if (!std::isfinite(v)) return 0;
  return static_cast<int>(std::clamp(std::floor(v + 0.5), -1e6, 1e6));
}

bool IsDark(const QColor& c) { return c.lightness() < 100; }

Qt::PenStyle PatternStyle(int pattern) {
  switch (pattern) {
    case chart::kDash: return Qt::DashLine;
    case chart::kDot: return Qt::DotLine;
    case chart::kDashDot: return Qt::DashDotLine;
    default: return Qt::SolidLine;
  }
}

// Axis range over the values; a flat or empty range still gets a height.
struct Range {
  double lo = std::numeric_limits<double>::infinity();
  double hi = -std::numeric_limits<double>::infinity();
  void Add(double v) {
    if (!std::isfinite(v)) return;
    lo = std::min(lo, v);
    hi = std::max(hi, v);
  }
  bool Empty() const { return lo > hi; }
};

void StyleAxis(QValueAxis* axis, const QColor& text, const QColor& grid) {
  axis->setLabelsColor(text);
  axis->setTitleBrush(text);
  axis->setLinePenColor(text);
  axis->setGridLineColor(grid);
  axis->setLabelFormat("%g");
}

// The axis starts at zero unless the values keep well clear of it (an
// engine RPM trace between 4000 and 6000 gets the room it needs).
void SetValueRange(QValueAxis* axis, Range r) {
  if (r.Empty()) r = {0, 1};
  if (r.lo < 0 || r.lo <= 0.5 * r.hi) r.lo = std::min(r.lo, 0.0);
  if (r.hi - r.lo < 1e-9) r.hi = r.lo + 1;
  axis->setRange(r.lo, r.hi);
  axis->applyNiceNumbers();
}

}  // namespace

QColor PaletteColor(int index) {
  static const QColor kPalette[16] = {
      QColor(0, 0, 0),     QColor(0, 0, 128),     QColor(0, 128, 0),   QColor(0, 128, 128),
      QColor(128, 0, 0),   QColor(128, 0, 128),   QColor(128, 128, 0), QColor(192, 192, 192),
      QColor(128, 128, 128), QColor(0, 0, 255),   QColor(0, 255, 0),   QColor(0, 255, 255),
      QColor(255, 0, 0),   QColor(255, 0, 255),   QColor(255, 255, 0), QColor(255, 255, 255)};
  if (index < 0 || index > 15) return kPalette[15];
  return kPalette[index];
}

Chart::Chart(QWidget* parent) : QWidget(parent), sets_(chart::kMaxSets) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  view_ = new QChartView(this);
  view_->setRenderHint(QPainter::Antialiasing);
  view_->setFrameShape(QFrame::NoFrame);
  layout->addWidget(view_);
  setAccessibleName("Chart");
  view_->setAccessibleName("Chart");
  settings_[chart::kBackground] = 15;
  DrawOnScreen();
}

Chart::~Chart() = default;

Chart::DataSet* Chart::SetAtIndex(int set) {
  if (set < 1 || set > chart::kMaxSets) return nullptr;
  return &sets_[set - 1];
}

const Chart::DataSet* Chart::SetAtIndex(int set) const {
  if (set < 1 || set > chart::kMaxSets) return nullptr;
  return &sets_[set - 1];
}

Chart::Point* Chart::PointAt(int set, int point) {
  DataSet* s = SetAtIndex(set);
  if (!s || point < 1 || point > static_cast<int>(s->points.size())) return nullptr;
  return &s->points[point - 1];
}

void Chart::Set(int setting, double value) {
  using namespace chart;
  if (!std::isfinite(value)) value = 0;
  const int selector = ToIndex(Stored(kSelector));
  const int dataSet = ToIndex(Stored(kSetSelector));
  switch (setting) {
    case kPattern:
      if (DataSet* s = SetAtIndex(selector)) s->pattern = ToIndex(value);
      return;
    case kPoints:
      points_ = std::clamp(ToIndex(value), 0, kMaxPoints);
      for (DataSet& s : sets_) s.points.resize(points_);
      return;
    case kSets:
      settings_[kSets] = std::clamp(ToIndex(value), 0, kMaxSets);
      return;
    case kPointX:
      if (Point* p = PointAt(dataSet, selector)) p->x = value;
      return;
    case kPointY:
      if (Point* p = PointAt(dataSet, selector)) p->y = value;
      return;
    case kDrawAction:
      settings_[kDrawAction] = value;
      if (ToIndex(value) == kDraw) DrawOnScreen();
      else if (ToIndex(value) == kPrint) PrintIntoTarget();
      return;
    default:
      settings_[setting] = value;
  }
}

double Chart::Stored(int setting) const {
  auto it = settings_.find(setting);
  return it == settings_.end() ? 0 : it->second;
}

double Chart::Get(int setting) const {
  using namespace chart;
  const int selector = ToIndex(Stored(kSelector));
  switch (setting) {
    case kPoints: return points_;
    case kSets: return SetCount();
    case kPattern: return PatternOf(selector);
    case kPointX: return XOf(ToIndex(Stored(kSetSelector)), selector);
    case kPointY: return YOf(ToIndex(Stored(kSetSelector)), selector);
    default: return Stored(setting);
  }
}

void Chart::SetText(int setting, const QString& text) {
  if (setting == chart::kTitle) {
    title_ = text;
  } else if (setting == chart::kLegend) {
    if (DataSet* s = SetAtIndex(ToIndex(Get(chart::kSelector)))) s->legend = text;
  }
}

QString Chart::Text(int setting) const {
  if (setting == chart::kTitle) return title_;
  if (setting == chart::kLegend) return LegendOf(ToIndex(Get(chart::kSelector)));
  return {};
}

void Chart::SetAt(int setting, int index, double value) {
  using namespace chart;
  if (!std::isfinite(value)) value = 0;
  switch (setting) {
    case kNoData:
      if (Point* p = PointAt(ToIndex(Get(kSetSelector)), index)) p->noData = value != 0;
      return;
    case kSet1Y:
      if (Point* p = PointAt(1, index)) p->y = value;
      return;
    case kSet2Y:
      if (Point* p = PointAt(2, index)) p->y = value;
      return;
    case kPointXAll:
      for (int s = 1; s <= 2; ++s)
        if (Point* p = PointAt(s, index)) p->x = value;
      return;
    case kPrintTarget:
      if (index >= 1 && index <= 9) printTarget_[index] = value;
      return;
    default:
      return;
  }
}

double Chart::GetAt(int setting, int index) const {
  using namespace chart;
  switch (setting) {
    case kNoData: return NoDataAt(ToIndex(Get(kSetSelector)), index) ? 1 : 0;
    case kSet1Y: return YOf(1, index);
    case kSet2Y: return YOf(2, index);
    case kPointXAll: return XOf(1, index);
    case kPrintTarget: {
      auto it = printTarget_.find(index);
      return it == printTarget_.end() ? 0 : it->second;
    }
    default: return 0;
  }
}

void Chart::SetRightAxisSet(int set) { rightAxisSet_ = set; }

void Chart::SetSideTexts(const QString& left, const QString& right) {
  leftText_ = left;
  rightText_ = right;
}

void Chart::SetPrintTarget(QPainter* painter, double pixelsPerTwip) {
  printPainter_ = painter;
  printScale_ = pixelsPerTwip > 0 ? pixelsPerTwip : 1;
}

QString Chart::LegendOf(int set) const {
  const DataSet* s = SetAtIndex(set);
  return s ? s->legend : QString();
}

int Chart::SetCount() const {
  auto it = settings_.find(chart::kSets);
  return it == settings_.end() ? 2 : static_cast<int>(it->second);
}

double Chart::XOf(int set, int point) const {
  const DataSet* s = SetAtIndex(set);
  if (!s || point < 1 || point > static_cast<int>(s->points.size())) return 0;
  return s->points[point - 1].x;
}

double Chart::YOf(int set, int point) const {
  const DataSet* s = SetAtIndex(set);
  if (!s || point < 1 || point > static_cast<int>(s->points.size())) return 0;
  return s->points[point - 1].y;
}

bool Chart::NoDataAt(int set, int point) const {
  const DataSet* s = SetAtIndex(set);
  if (!s || point < 1 || point > static_cast<int>(s->points.size())) return false;
  return s->points[point - 1].noData;
}

int Chart::PatternOf(int set) const {
  const DataSet* s = SetAtIndex(set);
  return s ? s->pattern : 0;
}

int Chart::DrawnPoints(int set) const {
  if (set < 1 || set > static_cast<int>(drawnPoints_.size())) return 0;
  return drawnPoints_[set - 1];
}

QChart* Chart::Build(Look look, std::vector<int>* drawnPoints) const {
  using namespace chart;
  const bool print = look == Look::Print;
  const int style = ToIndex(Get(kPrintStyle));
  const bool blackWhite = print && style == 2;
  const bool patterned = blackWhite && ToIndex(Get(kPatterned)) == 1;

  const QColor back = blackWhite ? QColor(Qt::white) : PaletteColor(ToIndex(Get(kBackground)));
  const QColor text = IsDark(back) ? QColor(235, 235, 235) : QColor(Qt::black);
  const QColor grid = IsDark(back) ? QColor(90, 90, 90) : (back.lightness() < 220 ? QColor(140, 140, 140)
                                                                                  : QColor(200, 200, 200));
  const double width = Get(kThickness) > 0 ? 3.0 : 1.0;

  auto* c = new QChart();
  c->setAnimationOptions(QChart::NoAnimation);
  c->setBackgroundRoundness(0);
  c->setBackgroundBrush(back);
  c->setPlotAreaBackgroundVisible(false);
  c->setMargins(QMargins(6, 6, 6, 6));
  c->layout()->setContentsMargins(0, 0, 0, 0);
  c->setTitle(title_);
  QFont titleFont = c->titleFont();
  titleFont.setBold(true);
  titleFont.setPointSizeF(std::max(10.0, titleFont.pointSizeF() + 1));
  c->setTitleFont(titleFont);
  c->setTitleBrush(text);

  auto* axisX = new QValueAxis();
  auto* axisY = new QValueAxis();
  QValueAxis* axisRight = nullptr;
  StyleAxis(axisX, text, grid);
  StyleAxis(axisY, text, grid);
  c->addAxis(axisX, Qt::AlignBottom);
  c->addAxis(axisY, Qt::AlignLeft);
  axisY->setTitleText(leftText_);

  const int setCount = std::clamp(SetCount(), 0, kMaxSets);
  if (rightAxisSet_ >= 1 && rightAxisSet_ <= setCount) {
    axisRight = new QValueAxis();
    StyleAxis(axisRight, text, grid);
    axisRight->setGridLineVisible(false);
    c->addAxis(axisRight, Qt::AlignRight);
    axisRight->setTitleText(rightText_);
  } else if (!rightText_.isEmpty()) {
    // A right-hand text without a second axis: the same scale on both sides.
    axisRight = new QValueAxis();
    StyleAxis(axisRight, text, grid);
    axisRight->setGridLineVisible(false);
    c->addAxis(axisRight, Qt::AlignRight);
    axisRight->setTitleText(rightText_);
  }
  const bool ownRightSet = rightAxisSet_ >= 1 && rightAxisSet_ <= setCount;

  Range rx, ry, rr;
  bool anyLegend = false;
  if (drawnPoints) drawnPoints->assign(setCount, 0);
  for (int s = 1; s <= setCount; ++s) {
    const DataSet& set = sets_[s - 1];
    QPen pen(blackWhite ? QColor(Qt::black) : kSeriesColors[(s - 1) % 4]);
    pen.setWidthF(width);
    pen.setStyle(patterned ? PatternStyle(set.pattern) : Qt::SolidLine);
    pen.setCapStyle(Qt::FlatCap);
    const bool onRight = ownRightSet && s == rightAxisSet_;

    std::vector<QLineSeries*> parts;
    QLineSeries* current = nullptr;
    int drawn = 0;
    for (const Point& p : set.points) {
      if (p.noData || !std::isfinite(p.x) || !std::isfinite(p.y)) {
        current = nullptr;
        continue;
      }
      if (!current) {
        current = new QLineSeries();
        parts.push_back(current);
      }
      current->append(p.x, p.y);
      rx.Add(p.x);
      (onRight ? rr : ry).Add(p.y);
      ++drawn;
    }
    if (drawnPoints) (*drawnPoints)[s - 1] = drawn;
    // A set with nothing to draw keeps its place but shows no legend (no
    // base run yet, say).
    if (parts.empty()) parts.push_back(new QLineSeries());
    for (size_t i = 0; i < parts.size(); ++i) {
      QLineSeries* line = parts[i];
      line->setPen(pen);
      if (i == 0) line->setName(set.legend);
      c->addSeries(line);
      line->attachAxis(axisX);
      line->attachAxis(onRight ? axisRight : axisY);
      const bool named = i == 0 && !set.legend.isEmpty() && drawn > 0;
      anyLegend = anyLegend || named;
      for (QLegendMarker* m : c->legend()->markers(line)) m->setVisible(named);
    }
  }

  const double xMax = Get(kXMax);
  if (xMax > 0) {
    axisX->setRange(0, xMax);
    const int divisions = ToIndex(Get(kXDivisions));
    if (divisions >= 1 && divisions <= 100) axisX->setTickCount(divisions + 1);
  } else {
    if (rx.Empty()) rx = {0, 1};
    if (rx.hi - rx.lo < 1e-9) rx.hi = rx.lo + 1;
    axisX->setRange(rx.lo, rx.hi);
    axisX->applyNiceNumbers();
  }
  SetValueRange(axisY, ry);
  if (axisRight) {
    if (ownRightSet) {
      SetValueRange(axisRight, rr);
    } else {
      // The same scale, and the same ticks, on both sides.
      axisRight->setRange(axisY->min(), axisY->max());
      axisRight->setTickCount(axisY->tickCount());
    }
  }

  c->legend()->setVisible(anyLegend);
  c->legend()->setAlignment(Qt::AlignBottom);
  c->legend()->setLabelColor(text);
  return c;
}

void Chart::DrawOnScreen() {
  QChart* old = view_->chart();
  QChart* fresh = Build(Look::Screen, &drawnPoints_);
  drawnSets_ = static_cast<int>(drawnPoints_.size());
  view_->setChart(fresh);
  view_->setBackgroundBrush(fresh->backgroundBrush());
  delete old;
  const QString name = title_.trimmed().isEmpty() ? QStringLiteral("Chart") : title_.trimmed();
  setAccessibleName(name);
  view_->setAccessibleName(name);
}

void Chart::RenderTo(QPainter& painter, const QRectF& target, Look look) const {
  if (target.width() <= 0 || target.height() <= 0) return;
  // Laid out at a screen-like size and scaled into the target, so fonts and
  // lines keep their proportions on any page.
  const double w = 640;
  const double h = std::clamp(w * target.height() / target.width(), 200.0, 5000.0);
  QGraphicsScene scene;
  QChart* c = Build(look, nullptr);
  scene.addItem(c);
  c->setGeometry(QRectF(0, 0, w, h));
  c->layout()->activate();
  scene.setSceneRect(0, 0, w, h);
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  scene.render(&painter, target, QRectF(0, 0, w, h), Qt::IgnoreAspectRatio);
  painter.restore();
}

QImage Chart::ToImage(const QSize& size, Look look) const {
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::white);
  QPainter painter(&image);
  RenderTo(painter, QRectF(0, 0, size.width(), size.height()), look);
  painter.end();
  return image;
}

void Chart::PrintIntoTarget() {
  if (!printPainter_) return;
  QRectF rect;
  const double w = GetAt(chart::kPrintTarget, 4), h = GetAt(chart::kPrintTarget, 5);
  if (w > 0 && h > 0) {
    const double left = GetAt(chart::kPrintTarget, 2) - GetAt(chart::kPrintTarget, 6);
    const double top = GetAt(chart::kPrintTarget, 3) - GetAt(chart::kPrintTarget, 7);
    rect = QRectF(left * printScale_, top * printScale_, w * printScale_, h * printScale_);
  } else {
    rect = QRectF(printPainter_->window());
  }
  RenderTo(*printPainter_, rect, Look::Print);
}

}  // namespace sw
