// Printing: pages in twips, PDF output without any printer, images scaled to
// the page in the orientation that fits them.
#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QtTest>

#include "platform/qt/printer.h"
#include "support/temp_folder.h"

using namespace sw;

namespace {

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll();
}

int PageCount(const QByteArray& pdf) { return pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page "); }

}  // namespace

class PrinterTest : public QObject {
  Q_OBJECT

 private slots:
  void pagesAreLaidOutInTwips() {
    TempFolder dir;
    QString path = QString::fromStdString((dir.path() / "report.pdf").string());
    double width = 0, height = 0, lineHeight = 0, afterLine = 0, afterText = 0;
    int pages = 0;
    QVERIFY(PrintToPdf(path, [&](PrintPage& page) {
      width = page.ScaleWidth();
      height = page.ScaleHeight();
      page.SetFontName("DejaVu Sans Mono");
      page.SetFontSize(12);
      lineHeight = page.TextHeight();
      page.Print("Calculated Test Results");
      afterLine = page.CurrentY;
      page.Print("ET ", false);
      afterText = page.CurrentX;
      page.Print("11.48");
      page.Line(0, 1440, page.ScaleWidth(), 1440);
      page.Box(720, 2000, 2880, 1440);
      page.NewPage();
      QCOMPARE(page.CurrentY, 0.0);
      page.DrawText(1440, 1440, "page two");
      pages = page.PageNumber();
    }));
    // Letter or A4 less the margins: between 6 and 9 inches wide.
    QVERIFY2(width > 6 * 1440 && width < 9 * 1440, qPrintable(QString::number(width)));
    QVERIFY(height > width);
    // A 12 point line is about a sixth of an inch.
    QVERIFY(lineHeight > 200 && lineHeight < 400);
    QCOMPARE(afterLine, lineHeight);
    QVERIFY(afterText > 0);
    QCOMPARE(pages, 2);
    QByteArray pdf = ReadAll(path);
    QVERIFY(pdf.startsWith("%PDF"));
    QCOMPARE(PageCount(pdf), 2);
  }

  void landscapeOrientation() {
    TempFolder dir;
    QString path = QString::fromStdString((dir.path() / "wide.pdf").string());
    double w = 0, h = 0;
    QVERIFY(PrintToPdf(path, [&](PrintPage& page) {
      w = page.ScaleWidth();
      h = page.ScaleHeight();
    }, 2));
    QVERIFY(w > h);
    QPrinter p;
    SetPrinterOrientation(p, 2);
    QCOMPARE(PrinterOrientationOf(p), 2);
    SetPrinterOrientation(p, 1);
    QCOMPARE(PrinterOrientationOf(p), 1);
    SetPrinterOrientation(p, 7);  // anything else leaves it
    QCOMPARE(PrinterOrientationOf(p), 1);
  }

  void imageScaledToThePageWithoutDialogs() {
    TempFolder dir;
    QString path = QString::fromStdString((dir.path() / "slip.pdf").string());
    SetPrintToPdfForTest(path);
    QImage wide(400, 200, QImage::Format_RGB32);
    wide.fill(Qt::white);
    QPainter(&wide).drawText(20, 100, "Time Slip");
    QVERIFY(PrintImageScaledToPage(nullptr, "Time Slip", wide));
    QCOMPARE(PrinterOrientationOf(ProgramPrinter()), 2);
    QVERIFY(ReadAll(path).startsWith("%PDF"));
    QImage tall(200, 400, QImage::Format_RGB32);
    tall.fill(Qt::white);
    QVERIFY(PrintImageScaledToPage(nullptr, "Time Slip", tall));
    QCOMPARE(PrinterOrientationOf(ProgramPrinter()), 1);
    SetPrintToPdfForTest(QString());
  }
};

QTEST_MAIN(PrinterTest)
#include "printer_qtest.moc"
