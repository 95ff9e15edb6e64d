// Printing: the program's printer settings, each printout on a printer of
// its own that starts with them, pages drawn with a painter at positions
// given in twips (1/1440 inch) from the top left corner of the printable
// area, a preview before printing, and the print dialog with its "Print to
// File (PDF)" choice, so printing works where no printer is installed.
//
//   PrintDocument(this, "Time Slip", [&](PrintPage& page) {
//     page.SetFontSize(10);
//     page.Print("Time Slip For:");
//     page.Line(0, 500, page.ScaleWidth(), 500);
//   });
#pragma once

#include <QImage>
#include <QPainter>
#include <QString>
#include <functional>
#include <memory>
#include <string>

class QPrinter;
class QPrintPreviewDialog;
class QWidget;

namespace sw {

// The program's printer settings (printer, paper, orientation): they last
// for the whole run of the program, and every printout starts with them.
QPrinter& ProgramPrinter();

// Orientation as the program stores it: 1 portrait, 2 landscape; other
// values leave the printer as it is.
void SetPrinterOrientation(QPrinter& printer, int orientation);
int PrinterOrientationOf(const QPrinter& printer);

// The printer set-up dialog ("Printer Setup") on the program's printer (or
// a preview's own): the printer (an installed one or "Print to File
// (PDF)"), the paper size (the one in use offered even where the printer's
// list lacks it) and the orientation. Returns the orientation chosen (1 or
// 2), or 0 when the user cancelled (nothing changes then).
int ShowPrinterSetup(QWidget* parent, QPrinter& printer = ProgramPrinter());

// One page being drawn. Positions and lengths are in twips from the top left
// corner of the printable area; ScaleWidth/ScaleHeight give its size.
class PrintPage {
 public:
  PrintPage(QPainter& painter, QPrinter& printer);

  QPainter& Painter() { return painter_; }
  double ScaleWidth() const { return width_; }
  double ScaleHeight() const { return height_; }

  // The print position: Print() writes there and moves it on.
  double CurrentX = 0;
  double CurrentY = 0;

  void SetFont(const QFont& font);
  void SetFontName(const QString& family);
  void SetFontSize(double points);
  void SetBold(bool bold);
  QFont Font() const { return painter_.font(); }
  double TextWidth(const std::string& text) const;
  double TextHeight() const;

  // Writes the text at the print position. With endLine the position goes to
  // the start of the next line (CurrentX = 0); without, it stays on the line
  // just after the text.
  void Print(const std::string& text, bool endLine = true);
  // Text with its top left corner at (x, y).
  void DrawText(double x, double y, const std::string& text);
  void Line(double x1, double y1, double x2, double y2, double widthTwips = 15);
  void Box(double x, double y, double w, double h, double widthTwips = 15);
  // The image scaled to the printable area keeping its aspect ratio, at the
  // top left. With a `captionHeight` (in the image's pixels) a window's
  // title bar with the `caption` stands above the image, scaled with it.
  void DrawImageScaled(const QImage& image, const QString& caption = {}, int captionHeight = 0);

  // Ends this page and starts the next one; the print position goes to the
  // top left.
  void NewPage();
  int PageNumber() const { return page_; }

  double ToPixels(double twips) const { return twips * scale_; }

 private:
  QPainter& painter_;
  QPrinter& printer_;
  double scale_;  // device pixels per twip
  double width_, height_;
  int page_ = 1;
};

using PageDrawer = std::function<void(PrintPage&)>;

// Shows the preview of the document; its Print button leads to the print
// dialog, its Page setup to Printer Setup on this printout's printer. True
// when the document was printed (or written to a file). One preview is up at
// a time: asked for while one is up, it brings that one (or the dialog it
// waits for) to the front, minimised or not, and gives false (no failure).
bool PrintDocument(QWidget* parent, const QString& title, const PageDrawer& draw);
// The same for an image scaled to fill the page (below a title bar holding
// `caption` when `captionHeight` is given, as DrawImageScaled): landscape
// when the picture is wider than it is tall, else portrait, for this job
// only (the program's orientation is left as it was). An image without
// a size prints nothing and counts as a failed printout.
bool PrintImageScaledToPage(QWidget* parent, const QString& title, const QImage& image, const QString& caption = {},
                            int captionHeight = 0);

// The preview PrintDocument shows, not yet shown: on a printer of its own
// that starts with the program's settings (`orientation` 1 or 2 for this job
// only), its frame filling the screen of `parent`.
QPrintPreviewDialog* NewPrintPreview(QWidget* parent, const QString& title, const PageDrawer& draw,
                                     int orientation = 0);

// True when the last PrintDocument, PrintImageScaledToPage or PrintToPdf
// could not start or finish on its printer or file (a cancelled dialog is no
// failure).
bool LastPrintFailed();

// Writes the document straight into a PDF file, no dialog. False when the
// file could not be written.
bool PrintToPdf(const QString& path, const PageDrawer& draw, int orientation = 0);

// Tests: while set, PrintDocument and PrintImageScaledToPage write this PDF
// file instead of showing any dialog. An empty path restores the dialogs.
void SetPrintToPdfForTest(const QString& path);

}  // namespace sw
