#include "platform/qt/printer.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <algorithm>

#include "platform/qt/qt_ui.h"

namespace sw {

namespace {

QString g_testPdf;
bool g_lastPrintFailed = false;

// False when the printer (or the file) could not be drawn on, or the job
// could not be finished.
bool Render(QPrinter& printer, const PageDrawer& draw) {
  QPainter painter;
  if (!painter.begin(&printer)) {
    g_lastPrintFailed = true;
    return false;
  }
  PrintPage page(painter, printer);
  draw(page);
  if (painter.end()) return true;
  g_lastPrintFailed = true;
  return false;
}

// Sets the program printer's orientation for one job and puts it back after.
class OrientationForJob {
 public:
  explicit OrientationForJob(int orientation) : saved_(PrinterOrientationOf(ProgramPrinter())) {
    SetPrinterOrientation(ProgramPrinter(), orientation);
  }
  ~OrientationForJob() { SetPrinterOrientation(ProgramPrinter(), saved_); }
  OrientationForJob(const OrientationForJob&) = delete;
  OrientationForJob& operator=(const OrientationForJob&) = delete;

 private:
  int saved_;
};

}  // namespace

QPrinter& ProgramPrinter() {
  static QPrinter* printer = new QPrinter(QPrinter::HighResolution);
  return *printer;
}

void SetPrinterOrientation(QPrinter& printer, int orientation) {
  if (orientation == 1) printer.setPageOrientation(QPageLayout::Portrait);
  else if (orientation == 2) printer.setPageOrientation(QPageLayout::Landscape);
}

int PrinterOrientationOf(const QPrinter& printer) {
  return printer.pageLayout().orientation() == QPageLayout::Landscape ? 2 : 1;
}

int ShowPrinterSetup(QWidget* parent) {
  QPageSetupDialog dialog(&ProgramPrinter(), parent);
  if (dialog.exec() != QDialog::Accepted) return 0;
  return PrinterOrientationOf(ProgramPrinter());
}

PrintPage::PrintPage(QPainter& painter, QPrinter& printer) : painter_(painter), printer_(printer) {
  int dpi = printer.resolution();
  if (dpi <= 0) dpi = 1200;
  scale_ = dpi / 1440.0;
  width_ = painter.device()->width() / scale_;
  height_ = painter.device()->height() / scale_;
  painter_.setPen(QPen(Qt::black));
}

void PrintPage::SetFont(const QFont& font) { painter_.setFont(font); }

void PrintPage::SetFontName(const QString& family) {
  QFont f = painter_.font();
  f.setFamily(family);
  painter_.setFont(f);
}

void PrintPage::SetFontSize(double points) {
  QFont f = painter_.font();
  if (points > 0) f.setPointSizeF(points);
  painter_.setFont(f);
}

void PrintPage::SetBold(bool bold) {
  QFont f = painter_.font();
  f.setBold(bold);
  painter_.setFont(f);
}

double PrintPage::TextWidth(const std::string& text) const {
  QFontMetricsF fm(painter_.font(), painter_.device());
  return fm.horizontalAdvance(ToQ(text)) / scale_;
}

double PrintPage::TextHeight() const {
  QFontMetricsF fm(painter_.font(), painter_.device());
  return fm.height() / scale_;
}

void PrintPage::DrawText(double x, double y, const std::string& text) {
  QFontMetricsF fm(painter_.font(), painter_.device());
  painter_.drawText(QPointF(ToPixels(x), ToPixels(y) + fm.ascent()), ToQ(text));
}

void PrintPage::Print(const std::string& text, bool endLine) {
  DrawText(CurrentX, CurrentY, text);
  if (endLine) {
    CurrentX = 0;
    CurrentY += TextHeight();
  } else {
    CurrentX += TextWidth(text);
  }
}

void PrintPage::Line(double x1, double y1, double x2, double y2, double widthTwips) {
  QPen pen(Qt::black);
  pen.setWidthF(std::max(1.0, ToPixels(widthTwips)));
  painter_.save();
  painter_.setPen(pen);
  painter_.drawLine(QPointF(ToPixels(x1), ToPixels(y1)), QPointF(ToPixels(x2), ToPixels(y2)));
  painter_.restore();
}

void PrintPage::Box(double x, double y, double w, double h, double widthTwips) {
  Line(x, y, x + w, y, widthTwips);
  Line(x + w, y, x + w, y + h, widthTwips);
  Line(x + w, y + h, x, y + h, widthTwips);
  Line(x, y + h, x, y, widthTwips);
}

void PrintPage::DrawImageScaled(const QImage& image) {
  if (image.isNull()) return;
  double pw = painter_.device()->width(), ph = painter_.device()->height();
  double iw = image.width(), ih = image.height();
  // Fit to the width when the image is relatively wider than the page, else
  // to the height.
  double s = (iw / ih > pw / ph) ? pw / iw : ph / ih;
  painter_.drawImage(QRectF(0, 0, iw * s, ih * s), image);
}

void PrintPage::NewPage() {
  printer_.newPage();
  ++page_;
  CurrentX = 0;
  CurrentY = 0;
}

bool PrintToPdf(const QString& path, const PageDrawer& draw, int orientation) {
  g_lastPrintFailed = false;
  QPrinter pdf(QPrinter::HighResolution);
  pdf.setOutputFormat(QPrinter::PdfFormat);
  pdf.setOutputFileName(path);
  pdf.setPageLayout(ProgramPrinter().pageLayout());
  SetPrinterOrientation(pdf, orientation);
  return Render(pdf, draw);
}

bool LastPrintFailed() { return g_lastPrintFailed; }

void SetPrintToPdfForTest(const QString& path) { g_testPdf = path; }

bool PrintDocument(QWidget* parent, const QString& title, const PageDrawer& draw) {
  QPrinter& printer = ProgramPrinter();
  g_lastPrintFailed = false;
  if (!g_testPdf.isEmpty()) return PrintToPdf(g_testPdf, draw, PrinterOrientationOf(printer));
  printer.setDocName(title);
  QPrintPreviewDialog preview(&printer, parent);
  preview.setWindowTitle(title);
  // The preview paints the pages whenever it needs them; the last painting
  // before the dialog closes is the printing itself.
  QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, [&draw](QPrinter* p) {
    g_lastPrintFailed = false;
    Render(*p, draw);
  });
  if (preview.exec() != QDialog::Accepted) {
    g_lastPrintFailed = false;
    return false;
  }
  return !g_lastPrintFailed;
}

bool PrintImageScaledToPage(QWidget* parent, const QString& title, const QImage& image) {
  // An image without a size has no shape to fit to a page.
  if (image.isNull() || image.width() <= 0 || image.height() <= 0) {
    g_lastPrintFailed = true;
    return false;
  }
  OrientationForJob orientation(image.width() > image.height() ? 2 : 1);
  return PrintDocument(parent, title, [&image](PrintPage& page) { page.DrawImageScaled(image); });
}

}  // namespace sw
