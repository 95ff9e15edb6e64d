// The program's line chart: data sets of (x, y) points drawn as lines
// against x, driven by the numbered settings the graph code writes (data set,
// point, value, title, legends, colours, line width, x range, draw, print).
// Settings the chart has no use for are kept and read back unchanged.
//
// The results graph loads its data point by point:
//   chart->Set(chart::kSetSelector, 1);          // data set 1
//   chart->Set(chart::kSelector, p);             // point p
//   chart->Set(chart::kPointX, time);
//   chart->Set(chart::kPointY, rpm);
//   chart->Set(chart::kDrawAction, chart::kDraw);
// The engine plot writes two sets at once by point: kSet1Y(p), kSet2Y(p) and
// the shared x kPointXAll(p), each with SetAt.
//
// A set shows in the legend when it has a legend text and points to draw.
// The y axes scale themselves to the data, from zero unless the values keep
// well clear of it.
//
// Drawing (kDrawAction = kDraw) shows the current settings on the screen;
// printing (kDrawAction = kPrint) draws a copy into the print target and
// leaves the screen as it is. RenderTo and ToImage draw a copy anywhere.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QWidget>
#include <map>
#include <memory>
#include <vector>

QT_BEGIN_NAMESPACE
class QChart;
class QChartView;
QT_END_NAMESPACE

namespace sw {

namespace chart {
// Numbered settings and their roles.
inline constexpr int kBackground = 5;     // 16-colour palette index: 0 black, 7 gray, 15 white
inline constexpr int kDrawAction = 21;    // kDraw or kPrint
inline constexpr int kPointY = 41;        // y of the selected point of the selected set
inline constexpr int kTitle = 43;         // text
inline constexpr int kLegend = 62;        // text, of the set chosen by kSelector
inline constexpr int kPoints = 66;        // points in every set
inline constexpr int kSets = 67;          // sets drawn (2 until written)
inline constexpr int kPattern = 80;       // line pattern of the set chosen by kSelector
inline constexpr int kPatterned = 81;     // 1: black-and-white print uses the patterns
inline constexpr int kPrintStyle = 84;    // 1 or 3 colour, 2 black and white
inline constexpr int kThickness = 100;    // 0 thin, 1 thick
inline constexpr int kSelector = 101;     // set for kLegend/kPattern; point for kPointX/kPointY
inline constexpr int kSetSelector = 102;  // set for kPointX/kPointY/kNoData
inline constexpr int kXMax = 111;         // x axis from 0 to this; unset: from the data
inline constexpr int kXDivisions = 116;   // x axis divisions (with kXMax)
inline constexpr int kPointX = 117;       // x of the selected point of the selected set
// Indexed settings (SetAt / GetAt).
inline constexpr int kSet1Y = 158;        // (p): y of point p of set 1
inline constexpr int kNoData = 164;       // (p): 1 = the selected set has no value at point p
inline constexpr int kSet2Y = 170;        // (p): y of point p of set 2
inline constexpr int kPointXAll = 175;    // (p): x of point p of sets 1 and 2
inline constexpr int kPrintTarget = 179;  // (k): 2..5 rectangle, 6..7 page origin, twips

inline constexpr int kDraw = 2;
inline constexpr int kPrint = 5;

// Line patterns for black-and-white printing.
inline constexpr int kSolid = 0, kDash = 1, kDot = 2, kDashDot = 3;

inline constexpr int kMaxSets = 16;
inline constexpr int kMaxPoints = 20000;
}  // namespace chart

// The standard 16-colour palette (0 black .. 7 gray .. 15 white); other
// indexes give white.
QColor PaletteColor(int index);

class Chart : public QWidget {
  Q_OBJECT

 public:
  explicit Chart(QWidget* parent = nullptr);
  ~Chart() override;

  // --- numbered settings
  void Set(int setting, double value);
  double Get(int setting) const;
  void SetText(int setting, const QString& text);  // kTitle, kLegend
  QString Text(int setting) const;                 // kTitle; kLegend of the selected set
  void SetAt(int setting, int index, double value);
  double GetAt(int setting, int index) const;

  // --- what the numbered settings leave no room for
  // Set `set` is drawn against a second y axis on the right (0: none).
  void SetRightAxisSet(int set);
  // Short texts at the left and right sides of the plot (the y axes' titles).
  void SetSideTexts(const QString& left, const QString& right);
  // Where kDrawAction = kPrint draws: a painter and its device pixels per
  // twip. The rectangle is kPrintTarget(2..5) less the page origin (6, 7);
  // without one the whole painter window. nullptr: printing does nothing.
  void SetPrintTarget(QPainter* painter, double pixelsPerTwip);

  // --- drawing copies
  enum class Look { Screen, Print };
  // The chart as the settings now stand, drawn into `target` (painter
  // coordinates); Look::Print uses the print style and patterns.
  void RenderTo(QPainter& painter, const QRectF& target, Look look) const;
  QImage ToImage(const QSize& size, Look look = Look::Screen) const;

  // --- reading back (tests, accessibility)
  QString Title() const { return title_; }
  QString LegendOf(int set) const;
  int PointCount() const { return points_; }
  int SetCount() const;
  double XOf(int set, int point) const;
  double YOf(int set, int point) const;
  bool NoDataAt(int set, int point) const;
  int PatternOf(int set) const;
  // What the screen shows since the last kDraw: sets and points drawn.
  int DrawnSets() const { return drawnSets_; }
  int DrawnPoints(int set) const;
  // The chart on the screen (for grabbing).
  QChartView* View() const { return view_; }

 private:
  struct Point {
    double x = 0, y = 0;
    bool noData = false;
  };
  struct DataSet {
    QString legend;
    int pattern = chart::kSolid;
    std::vector<Point> points;  // index 0 = point 1
  };

  double Stored(int setting) const;
  DataSet* SetAtIndex(int set);
  const DataSet* SetAtIndex(int set) const;
  Point* PointAt(int set, int point);
  QChart* Build(Look look, std::vector<int>* drawnPoints) const;
  void DrawOnScreen();
  void PrintIntoTarget();

  std::map<int, double> settings_;
  std::map<int, double> printTarget_;
  QString title_;
  std::vector<DataSet> sets_;  // index 0 = set 1
  int points_ = 0;
  int rightAxisSet_ = 0;
  QString leftText_, rightText_;
  QPainter* printPainter_ = nullptr;
  double printScale_ = 1;
  QChartView* view_;
  int drawnSets_ = 0;
  std::vector<int> drawnPoints_;
};

}  // namespace sw
