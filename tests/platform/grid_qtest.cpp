// The grid wrapper: row 0 is the heading row, numbers match the tables,
// cells are read-only, and clicks report the designed row and column.
#include <QFontMetrics>
#include <QHeaderView>
#include <QSignalSpy>
#include <QtTest>

#include "platform/qt/grid.h"

using namespace sw;

class GridTest : public QObject {
  Q_OBJECT

  static void Fill(Grid& g) {
    g.SetRows(5);
    g.SetCols(3);
    for (int r = 0; r < 5; ++r)
      for (int c = 0; c < 3; ++c) g.SetTextAt(r, c, "r" + std::to_string(r) + "c" + std::to_string(c));
  }

 private slots:
  void rowZeroIsTheHeadingRow() {
    Grid g;
    Fill(g);
    QCOMPARE(g.Rows(), 5);
    QCOMPARE(g.Cols(), 3);
    QCOMPARE(g.rowCount(), 4);  // the heading row is not a scrolling row
    QCOMPARE(g.horizontalHeaderItem(1)->text(), QString("r0c1"));
    QCOMPARE(g.item(0, 1)->text(), QString("r1c1"));
    QCOMPARE(g.TextAt(0, 2), std::string("r0c2"));
    QCOMPARE(g.TextAt(4, 0), std::string("r4c0"));
    QCOMPARE(g.TextAt(5, 0), std::string(""));  // outside: empty, no crash
    g.SetTextAt(9, 9, "x");                      // outside: ignored
    QCOMPARE(g.Rows(), 5);
  }

  void currentCellWalksEveryCell() {
    Grid g;
    Fill(g);
    g.SetRow(0);
    g.SetCol(2);
    QCOMPARE(g.Text(), std::string("r0c2"));
    g.SetRow(3);
    QCOMPARE(g.Text(), std::string("r3c2"));
    QCOMPARE(g.currentRow(), 2);
    g.SetText("changed");
    QCOMPARE(g.TextAt(3, 2), std::string("changed"));
    g.SetRow(99);
    QCOMPARE(g.Row(), 4);
    g.SetCol(-3);
    QCOMPARE(g.Col(), 0);
    g.SetRows(3);  // shrinking keeps the current row inside
    QCOMPARE(g.Row(), 2);
  }

  void readOnlyFixedPitch() {
    Grid g;
    Fill(g);
    QCOMPARE(int(g.editTriggers()), int(QAbstractItemView::NoEditTriggers));
    // Judged by the glyphs, not by the font's own flag: some monospaced
    // fonts (Noto Sans Mono) do not declare themselves fixed-pitch.
    QFontMetrics m(g.font());
    QCOMPARE(m.horizontalAdvance(QLatin1Char('i')), m.horizontalAdvance(QLatin1Char('W')));
    QCOMPARE(m.horizontalAdvance(QLatin1Char('.')), m.horizontalAdvance(QLatin1Char('8')));
    QVERIFY(!g.verticalHeader()->isVisible());
  }

  void columnWidthsInTwips() {
    Grid g;
    Fill(g);
    g.SetColWidthTwips(1, 1440);  // one inch
    QCOMPARE(g.columnWidth(1), g.logicalDpiX());
    QVERIFY(std::abs(g.ColWidthTwips(1) - 1440) <= 15);
    QCOMPARE(Grid::TwipsToPixels(833, nullptr), 56);
  }

  void clicksReportTableNumbers() {
    Grid g;
    Fill(g);
    g.resize(400, 300);
    g.show();
    QVERIFY(QTest::qWaitForWindowExposed(&g));
    QSignalSpy click(&g, &Grid::Click);
    QSignalSpy up(&g, &Grid::MouseUp);

    QRect cell = g.visualItemRect(g.item(2, 1));  // table row 3, column 1
    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(click.count(), 1);
    QCOMPARE(click[0][0].toInt(), 3);
    QCOMPARE(click[0][1].toInt(), 1);
    QCOMPARE(g.Row(), 3);
    QCOMPARE(g.Col(), 1);
    QCOMPARE(up.count(), 1);

    QRect other = g.visualItemRect(g.item(0, 2));
    QTest::mouseClick(g.viewport(), Qt::RightButton, {}, other.center());
    QCOMPARE(click.count(), 1);  // a right click is no Click
    QCOMPARE(up.count(), 2);
    QCOMPARE(up[1][0].value<Qt::MouseButton>(), Qt::RightButton);
    QCOMPARE(up[1][1].toInt(), 1);
    QCOMPARE(up[1][2].toInt(), 2);
    QCOMPARE(g.Row(), 1);

    // The heading row is row 0.
    QHeaderView* h = g.horizontalHeader();
    QPoint head(h->sectionViewportPosition(2) + 5, h->height() / 2);
    QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, head);
    QCOMPARE(click.count(), 2);
    QCOMPARE(click[1][0].toInt(), 0);
    QCOMPARE(click[1][1].toInt(), 2);
    QCOMPARE(up.count(), 3);
    QCOMPARE(g.Row(), 0);
    QCOMPARE(g.Text(), std::string("r0c2"));
  }
};

QTEST_MAIN(GridTest)
#include "grid_qtest.moc"
