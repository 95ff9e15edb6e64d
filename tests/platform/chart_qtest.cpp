// The chart wrapper: the numbered settings both graph users write, read back
// and drawn on the screen, into a painter's rectangle and into an image.
#include <QChart>
#include <QChartView>
#include <QLegendMarker>
#include <QLineSeries>
#include <QValueAxis>
#include <QtTest>

#include "platform/qt/chart.h"

using namespace sw;
using namespace sw::chart;

namespace {

// A results-graph style load: set s gets points 1..n at x = p / 10, y =
// base + slope p, flagged from point `valid` + 1 on.
void LoadSet(Chart& c, int set, int valid, double slope, double base = 0) {
  c.Set(kSetSelector, set);
  for (int p = 1; p <= c.Get(kPoints); ++p) {
    c.Set(kSelector, p);
    if (p > valid) {
      c.SetAt(kNoData, p, 1);
      continue;
    }
    c.SetAt(kNoData, p, 0);
    c.Set(kPointX, p * 0.1);
    c.Set(kPointY, base + slope * p);
  }
}

QValueAxis* Axis(Chart& c, Qt::Orientation o, Qt::Alignment align = {}) {
  for (QAbstractAxis* a : c.View()->chart()->axes(o))
    if (!align || a->alignment() == align) return qobject_cast<QValueAxis*>(a);
  return nullptr;
}

// Counts the pixels of `area` (all if none) in a colour (neither white nor
// gray), or with `inked` in anything but white.
int Pixels(const QImage& img, QRect area = {}, bool inked = false) {
  if (area.isNull()) area = img.rect();
  int n = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x) {
      QColor px = img.pixelColor(x, y);
      if (inked ? px != QColor(Qt::white)
                : std::max({px.red(), px.green(), px.blue()}) - std::min({px.red(), px.green(), px.blue()}) > 40)
        ++n;
    }
  return n;
}

void Save(const QImage& img, const QString& name) {
  QDir dir(QCoreApplication::applicationDirPath());
  dir.mkpath("screenshots");
  img.save(dir.filePath("screenshots/" + name));
}

int ShownLegends(Chart& c) {
  int shown = 0;
  for (QLegendMarker* m : c.View()->chart()->legend()->markers()) shown += m->isVisible();
  return shown;
}

}  // namespace

class ChartTest : public QObject {
  Q_OBJECT

 private slots:
  void engineCurveBySharedX() {
    Chart c;
    c.Set(kPoints, 11);
    c.Set(kThickness, 1);
    c.Set(kBackground, 7);
    for (int p = 1; p <= 11; ++p) {
      c.SetAt(kPointXAll, p, 7000 - 400 * p);
      c.SetAt(kSet1Y, p, 400 + p);
      c.SetAt(kSet2Y, p, 300 - p);
    }
    for (int s = 1; s <= 2; ++s) {
      c.Set(kSelector, s);
      c.SetText(kLegend, s == 1 ? "Tq" : "HP");
    }
    c.SetRightAxisSet(2);
    c.SetSideTexts("Tq", "HP");
    c.Set(kDrawAction, kDraw);
    QCOMPARE(c.YOf(2, 11), 289.0);
    QCOMPARE(c.DrawnSets(), 2);  // two sets until told otherwise
    QVERIFY(c.DrawnPoints(1) == 11 && c.DrawnPoints(2) == 11);
    QVERIFY(Axis(c, Qt::Vertical, Qt::AlignRight));
    QCOMPARE(Axis(c, Qt::Vertical, Qt::AlignLeft)->titleText(), QString("Tq"));
    // Points are joined in the order given, not sorted by x.
    auto series = c.View()->chart()->series();
    auto* first = qobject_cast<QLineSeries*>(series.at(0));
    QCOMPARE(first->at(0).x(), 6600.0);
    QCOMPARE(first->at(10).x(), 2600.0);
    c.resize(640, 420);
    Save(c.grab().toImage(), "chart_screen_engine.png");
  }

  // Set by set and point by point, as the results graph loads it: flagged
  // points are not drawn, only a named set has a legend entry.
  void resultsGraphByPointWithFlags() {
    Chart c;
    c.Set(kPoints, 140);
    c.Set(kSets, 2);
    LoadSet(c, 1, 112, 50);
    LoadSet(c, 2, 139, 45);
    for (int s = 1; s <= 2; ++s) {
      c.Set(kSelector, s);
      c.SetText(kLegend, s == 1 ? "Engine RPM" : "");
    }
    c.SetText(kTitle, "Title");
    c.Set(kXMax, 14);
    c.Set(kXDivisions, 7);
    c.Set(kDrawAction, kDraw);
    QVERIFY(c.DrawnPoints(1) == 112 && c.DrawnPoints(2) == 139);
    QCOMPARE(c.XOf(1, 5), 0.5);
    QCOMPARE(c.YOf(1, 5), 250.0);
    QValueAxis* x = Axis(c, Qt::Horizontal);
    QCOMPARE(x->min(), 0.0);
    QCOMPARE(x->max(), 14.0);
    QCOMPARE(x->tickCount(), 8);
    QCOMPARE(c.View()->chart()->title(), QString("Title"));
    QCOMPARE(ShownLegends(c), 1);
    QCOMPARE(c.accessibleName(), QString("Title"));
  }

  // Indexes outside the chart's tables are passed over.
  void outsideIndexesIgnored() {
    Chart c;
    c.Set(kPoints, 3);
    c.Set(kSetSelector, 40);
    c.Set(kSelector, 2);
    c.Set(kPointY, 9);
    c.Set(kSetSelector, 1);
    c.Set(kSelector, 0);
    c.Set(kPointY, 9);
    c.Set(kSelector, 4);
    c.Set(kPointX, 9);
    c.SetAt(kSet1Y, 99, 1);
    c.SetAt(kNoData, -1, 1);
    c.Set(kSets, 99);  // and sizes past the tables are cut to them
    QCOMPARE(c.Get(kSets), double(kMaxSets));
    c.Set(kPoints, 1e12);
    QCOMPARE(c.Get(kPoints), double(kMaxPoints));
    c.Set(kPoints, std::numeric_limits<double>::quiet_NaN());
    QCOMPARE(c.Get(kPoints), 0.0);
    c.Set(kDrawAction, kDraw);
  }

  // Printing draws a copy into the target rectangle; the screen keeps its
  // look. Black and white has no colour at all.
  void printIntoRectangleAndBlackWhite() {
    Chart c;
    c.Set(kPoints, 50);
    c.Set(kSets, 4);
    for (int s = 1; s <= 4; ++s) LoadSet(c, s, 50, 10 * s);
    c.Set(kBackground, 0);
    c.Set(kThickness, 1);
    c.Set(kDrawAction, kDraw);
    const QColor screenBack = c.View()->chart()->backgroundBrush().color();
    QCOMPARE(screenBack, PaletteColor(0));

    QImage page(800, 1000, QImage::Format_ARGB32_Premultiplied);
    page.fill(Qt::white);
    QPainter painter(&page);
    c.SetPrintTarget(&painter, 0.1);  // 10 twips a pixel
    const double target[] = {1000, 2000, 5000, 3000};  // left, top, width, height in twips
    for (int i = 0; i < 4; ++i) c.SetAt(kPrintTarget, i + 2, target[i]);
    c.Set(kPrintStyle, 2);
    c.Set(kPatterned, 1);
    for (int s = 1; s <= 4; ++s) {
      c.Set(kSelector, s);
      c.Set(kPattern, s - 1);
    }
    c.Set(kDrawAction, kPrint);
    painter.end();
    Save(page, "chart_print_bw.png");
    QCOMPARE(Pixels(page, QRect(0, 0, 800, 190), true), 0);    // above the rectangle
    QCOMPARE(Pixels(page, QRect(0, 510, 800, 490), true), 0);  // below it
    QVERIFY(Pixels(page, QRect(100, 200, 500, 300), true) > 500);
    QCOMPARE(Pixels(page), 0);
    QCOMPARE(c.View()->chart()->backgroundBrush().color(), screenBack);
    QCOMPARE(c.PatternOf(4), kDashDot);

    // In colour the lines keep their colours on a white page.
    c.Set(kPrintStyle, 3);
    c.Set(kBackground, 15);
    QImage colour = c.ToImage(QSize(600, 400), Chart::Look::Print);
    Save(colour, "chart_print_colour.png");
    c.resize(700, 450);
    Save(c.grab().toImage(), "chart_screen_black.png");
    QVERIFY(Pixels(colour) > 300);
    QCOMPARE(colour.pixelColor(2, 2), QColor(Qt::white));
  }

  // A set without points has no legend; an axis leaves out zero only when
  // the values keep well clear of it.
  void axesAndLegends() {
    Chart c;
    c.Set(kPoints, 20);
    c.Set(kSets, 2);
    LoadSet(c, 1, 20, 90, 4200);
    LoadSet(c, 2, 0, 0);
    for (int s = 1; s <= 2; ++s) {
      c.Set(kSelector, s);
      c.SetText(kLegend, s == 1 ? "Engine RPM" : "Base Engine RPM");
    }
    c.Set(kDrawAction, kDraw);
    QCOMPARE(ShownLegends(c), 1);
    QValueAxis* y = Axis(c, Qt::Vertical);
    QVERIFY(y->min() >= 4000 && y->min() <= 4290);
    QVERIFY(y->max() >= 6000);
    // Speeds from a standing start: from zero.
    c.Set(kSetSelector, 1);
    c.Set(kSelector, 1);
    c.Set(kPointY, 30);
    c.Set(kDrawAction, kDraw);
    QCOMPARE(Axis(c, Qt::Vertical)->min(), 0.0);
  }
};

QTEST_MAIN(ChartTest)
#include "chart_qtest.moc"
