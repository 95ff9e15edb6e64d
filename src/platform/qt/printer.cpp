#include "platform/qt/printer.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPalette>
#include <QPointer>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>
#include <tuple>
#include <vector>

#include "platform/qt/action_gate.h"
#include "platform/qt/qt_ui.h"
#include "platform/qt/window_lifetime.h"
#include "platform/qt/window_place.h"
#include "platform/ui.h"

namespace sw {

namespace {

QString g_testPdf;
bool g_lastPrintFailed = false;

const char* const kPdfPrinterCaption = "Print to File (PDF)";

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

// One of the preview's own actions, by its (untranslated) text.
QAction* PreviewAction(const QPrintPreviewDialog& preview, const char* text) {
  const QString name = QCoreApplication::translate("QPrintPreviewDialog", text);
  for (QAction* a : preview.findChildren<QAction*>())
    if (a->text() == name) return a;
  return nullptr;
}

// Qt's preview keeps its tool buttons out of the Tab order and leaves its two
// entry boxes unnamed: a keyboard user could not reach Print, nor a screen
// reader tell the zoom from the page number.
void ReachableByKeyboard(QPrintPreviewDialog& preview) {
  for (QToolButton* b : preview.findChildren<QToolButton*>()) {
    b->setFocusPolicy(Qt::TabFocus);
    // The tool bar's overflow button, shown when the window is narrow.
    if (b->text().isEmpty() && b->accessibleName().isEmpty()) b->setAccessibleName("More Tools");
  }
  for (QComboBox* zoom : preview.findChildren<QComboBox*>()) {
    zoom->setAccessibleName("Zoom");
    if (zoom->lineEdit()) zoom->lineEdit()->setAccessibleName("Zoom");
    // A screen reader names a pick list by its caption (its own name is its
    // current text): an unseen caption for the zoom.
    auto* caption = new QLabel("Zoom", zoom->parentWidget());
    caption->setObjectName("ZoomCaption");
    caption->setBuddy(zoom);
    caption->hide();
  }
  for (QLineEdit* e : preview.findChildren<QLineEdit*>())
    if (e->accessibleName().isEmpty()) e->setAccessibleName("Page");
  PreviewAction(preview, "Print")->setShortcut(QKeySequence::Print);
}

// The preview fills the screen of the window it is opened from, the page as
// wide as the window (Qt opens it small, the page too small to read).
void FillScreen(QPrintPreviewDialog& preview, QWidget* parent) {
  const QWidget* from = parent ? parent->window() : QApplication::activeWindow();
  QScreen* screen = from && from->screen() ? from->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  FillArea(&preview, screen->availableGeometry(), from);
  PreviewAction(preview, "Fit width")->trigger();
}

// The preview up now: one at a time, so none opens inside another's wait.
QPointer<QPrintPreviewDialog> g_openPreview;

// What a printout takes from the program's printer, and gives back when the
// racer changed it inside the preview: the printer and the paper, not the
// orientation.
auto PrinterAndPaper(const QPrinter& p) {
  return std::tuple(p.outputFormat(), p.printerName(), p.pageLayout().pageSize(), p.pageLayout().margins());
}

void CopyPrinterAndPaper(const QPrinter& from, QPrinter& to) {
  if (to.outputFormat() != from.outputFormat()) to.setOutputFormat(from.outputFormat());
  if (from.outputFormat() == QPrinter::NativeFormat && to.printerName() != from.printerName())
    to.setPrinterName(from.printerName());
  QPageLayout layout = from.pageLayout();
  layout.setOrientation(to.pageLayout().orientation());
  to.setPageLayout(layout);
}

// Each job starts with the program's printer, paper and orientation; the
// orientation given (1 or 2) is this job's own.
void SetUpJob(QPrinter& job, const QString& title, int orientation) {
  CopyPrinterAndPaper(ProgramPrinter(), job);
  SetPrinterOrientation(job, orientation ? orientation : PrinterOrientationOf(ProgramPrinter()));
  job.setDocName(title);
}

// While the preview's print or page set-up dialog is up, the preview waits
// as every window under a box does. Qt's own controls would go on acting
// (a screen reader's press or a trigger reaches them past the dialog): a
// zoom, a page turn or an orientation mark behind a Page setup about to
// relayout, a second print dialog inside the first. Its actions (and so
// their buttons) are disabled meanwhile. The page and zoom boxes are held
// as every box under a box is (an entry or a pick there is undone at once),
// and Qt's preview hears nothing of them, nor they of it, until the dialog
// has closed: it would take the entry, or the pick undone, for a zoom or a
// page of the racer's.
class PreviewWaits {
 public:
  explicit PreviewWaits(QPrintPreviewDialog& preview) : preview_(&preview) {
    for (QAction* a : preview.findChildren<QAction*>())
      if (a->isEnabled()) a->setEnabled(false), disabled_.emplace_back(a);
    // As Qt's preview links them.
    auto* zoom = preview.findChild<QComboBox*>();
    QLineEdit* page = nullptr;
    for (QLineEdit* e : preview.findChildren<QLineEdit*>())
      if (!qobject_cast<QComboBox*>(e->parentWidget())) page = e;
    auto* pages = preview.findChild<QPrintPreviewWidget*>();
    const Link links[] = {{page, SIGNAL(editingFinished()), SLOT(_q_pageNumEdited())},
                          {zoom ? zoom->lineEdit() : nullptr, SIGNAL(editingFinished()), SLOT(_q_zoomFactorChanged())},
                          {zoom, SIGNAL(currentIndexChanged(int)), SLOT(_q_zoomFactorChanged())},
                          {pages, SIGNAL(previewChanged()), SLOT(_q_previewChanged())}};
    for (const Link& l : links)
      if (l.from && QObject::disconnect(l.from, l.signal, &preview, l.slot)) cut_.push_back(l);
  }
  ~PreviewWaits() {
    for (const QPointer<QAction>& a : disabled_)
      if (a) a->setEnabled(true);
    if (!preview_) return;
    for (const Link& l : cut_)
      if (l.from) QObject::connect(l.from, l.signal, preview_, l.slot);
    QMetaObject::invokeMethod(preview_, "_q_previewChanged");
  }
  PreviewWaits(const PreviewWaits&) = delete;
  PreviewWaits& operator=(const PreviewWaits&) = delete;

 private:
  struct Link {
    QPointer<QObject> from;
    const char* signal;
    const char* slot;
  };
  QPointer<QPrintPreviewDialog> preview_;
  std::vector<QPointer<QAction>> disabled_;
  std::vector<Link> cut_;
};

// A screen reader's press on a tool button clicks it inside its request
// (Qt's interface calls click(), not animateClick()), so a dialog the click
// opens would hold the screen reader's call until it closed. Such a press
// acts as a click does: the request returns at once, and `work` runs a
// moment later from the event loop, unless a dialog came up over `window`
// meanwhile (a second press).
void AsAClick(QWidget* window, const std::function<void()>& work) {
  if (!OutsideRequestRuns()) return work();
  ToFrontAsAClick(window);
  Later(
      window,
      [window, work] {
        if (ModalOver(window)) return BringModalToFront();
        work();
      },
      kClickAfterPress);
}

// The "..." of Qt's print dialog, which names the PDF file, opens a file
// dialog from its click.
void BrowseAsAClick(QPrintDialog& dialog) {
  auto* browse = dialog.findChild<QToolButton*>("fileBrowser");
  QObject* widget = browse ? browse->parent() : nullptr;
  while (widget && !widget->inherits("QUnixPrintWidget")) widget = widget->parent();
  if (!widget || !QObject::disconnect(browse, SIGNAL(clicked()), widget, SLOT(_q_btnBrowseClicked()))) return;
  QObject::connect(browse, &QToolButton::clicked, widget, [&dialog, widget] {
    AsAClick(&dialog, [widget] { QMetaObject::invokeMethod(widget, "_q_btnBrowseClicked"); });
  });
}

// The preview's Print: Qt's print dialog on the preview's printer, run as
// every dialog of the program is.
void PrintFromPreview(QPrintPreviewDialog& preview) {
  QPointer<QPrintPreviewDialog> self(&preview);
  int result = 0;
  {
    PreviewWaits wait(preview);  // first: the dialog's own controls act
    OwnedDialog<QPrintDialog> dialog(new QPrintDialog(preview.printer(), &preview));
    BrowseAsAClick(*dialog);
    result = ExecModal(dialog.get());
  }
  if (!self || result != QDialog::Accepted) return;
  preview.findChild<QPrintPreviewWidget*>()->print();
  preview.accept();
}

// The preview's Page setup: Qt's page set-up dialog refuses the PDF printer,
// so it is the program's Printer Setup on this printout's printer, and the
// pages are laid out anew for what was picked.
void PageSetupInPreview(QPrintPreviewDialog& preview) {
  QPointer<QPrintPreviewDialog> self(&preview);
  int orientation = 0;
  {
    PreviewWaits wait(preview);
    orientation = ShowPrinterSetup(&preview, *preview.printer());
  }
  if (!self || orientation == 0) return;
  PreviewAction(preview, orientation == 2 ? "Landscape" : "Portrait")->setChecked(true);
  preview.findChild<QPrintPreviewWidget*>()->updatePreview();
}

// A preview's own printer, set up for the job before the preview is made
// (Qt's preview marks its orientation buttons from the printer it is given)
// and gone after it: the pages the preview shows live in it, so no other
// preview's job can free or repaint them.
struct OwnPrinter {
  OwnPrinter(const QString& title, int orientation) { SetUpJob(jobPrinter, title, orientation); }
  QPrinter jobPrinter{QPrinter::HighResolution};
};

class Preview final : private OwnPrinter, public QPrintPreviewDialog {
 public:
  Preview(QWidget* parent, const QString& title, int orientation)
      : OwnPrinter(title, orientation), QPrintPreviewDialog(&jobPrinter, parent) {
    for (auto [text, handler] : {std::pair{"Print", &PrintFromPreview}, {"Page setup", &PageSetupInPreview}}) {
      QAction* action = PreviewAction(*this, text);
      QObject::disconnect(action, &QAction::triggered, this, nullptr);
      QObject::connect(action, &QAction::triggered, this,
                       [this, handler] { AsAClick(this, [this, handler] { handler(*this); }); });
    }
  }
};

bool ShowPreview(QWidget* parent, const QString& title, const PageDrawer& draw, int orientation) {
  g_lastPrintFailed = false;
  if (!g_testPdf.isEmpty()) return PrintToPdf(g_testPdf, draw, orientation);
  // A window under the open preview asked (a screen reader's press reaches
  // it): the open one comes to the front.
  if (g_openPreview && g_openPreview->isVisible()) {
    BringModalToFront();
    return false;
  }
  OwnedDialog<QPrintPreviewDialog> owned(NewPrintPreview(parent, title, draw, orientation));
  g_openPreview = owned.get();
  const auto started = PrinterAndPaper(*owned->printer());
  const int result = ExecModal(owned.get());
  if (!owned) return false;
  // The printer and paper picked inside the preview stay for the next
  // printouts, as those picked in Printer Setup do; its orientation was this
  // printout's (the program's is the one Printer Setup stores, a window
  // image takes its picture's).
  if (PrinterAndPaper(*owned->printer()) != started) CopyPrinterAndPaper(*owned->printer(), ProgramPrinter());
  if (result != QDialog::Accepted) {
    g_lastPrintFailed = false;
    return false;
  }
  return !g_lastPrintFailed;
}

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

int ShowPrinterSetup(QWidget* parent, QPrinter& printer) {
  // Qt's own page set-up dialog refuses the PDF printer (the only one on a
  // machine without printers) with a warning on the terminal, so the
  // program asks for what it uses itself: the printer, the paper and the
  // orientation. Each works for an installed printer and for the PDF file.
  OwnedDialog<QDialog> owned(new QDialog(parent));
  QDialog& dialog = *owned;
  dialog.setObjectName("PrinterSetup");
  dialog.setWindowTitle("Printer Setup");

  auto* printerBox = new QComboBox(&dialog);
  printerBox->setObjectName("Printer");
  printerBox->setAccessibleName("Printer");
  const QStringList installed = QPrinterInfo::availablePrinterNames();
  for (const QString& name : installed) printerBox->addItem(name, name);
  printerBox->addItem(kPdfPrinterCaption, QString());
  const bool toPdf = printer.outputFormat() == QPrinter::PdfFormat || installed.isEmpty();
  int at = toPdf ? printerBox->count() - 1 : printerBox->findData(printer.printerName());
  printerBox->setCurrentIndex(at < 0 ? 0 : at);

  auto* paperBox = new QComboBox(&dialog);
  paperBox->setObjectName("Paper");
  paperBox->setAccessibleName("Paper Size");
  auto fillPapers = [&] {
    const QString name = printerBox->currentData().toString();
    QList<QPageSize> sizes;
    if (!name.isEmpty()) sizes = QPrinterInfo::printerInfo(name).supportedPageSizes();
    if (sizes.isEmpty())
      for (QPageSize::PageSizeId id : {QPageSize::Letter, QPageSize::Legal, QPageSize::Executive, QPageSize::Tabloid,
                                       QPageSize::A3, QPageSize::A4, QPageSize::A5, QPageSize::B5})
        sizes.append(QPageSize(id));
    // A paper picked where more are offered (a preview's print dialog) is
    // the one in use still: shown, and kept by an OK.
    const QPageSize inUse = printer.pageLayout().pageSize();
    if (std::none_of(sizes.begin(), sizes.end(), [&](const QPageSize& s) { return s.isEquivalentTo(inUse); }))
      sizes.append(inUse);
    const QPageSize current = paperBox->count() > 0 ? paperBox->currentData().value<QPageSize>() : inUse;
    paperBox->clear();
    for (const QPageSize& size : sizes) paperBox->addItem(size.name(), QVariant::fromValue(size));
    int i = 0;
    for (; i < paperBox->count(); ++i)
      if (paperBox->itemData(i).value<QPageSize>().isEquivalentTo(current)) break;
    paperBox->setCurrentIndex(i < paperBox->count() ? i : 0);
  };
  fillPapers();
  QObject::connect(printerBox, &QComboBox::currentIndexChanged, &dialog, fillPapers);

  auto* orientationBox = new QGroupBox("Orientation", &dialog);
  auto* portrait = new QRadioButton("Portrait", orientationBox);
  portrait->setObjectName("Portrait");
  auto* landscape = new QRadioButton("Landscape", orientationBox);
  landscape->setObjectName("Landscape");
  (PrinterOrientationOf(printer) == 2 ? landscape : portrait)->setChecked(true);
  auto* orientationLayout = new QHBoxLayout(orientationBox);
  orientationLayout->addWidget(portrait);
  orientationLayout->addWidget(landscape);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);

  auto* form = new QFormLayout;
  form->addRow("&Printer:", printerBox);
  form->addRow("Paper &Size:", paperBox);
  auto* all = new QVBoxLayout(&dialog);
  all->addLayout(form);
  all->addWidget(orientationBox);
  all->addWidget(buttons);

  if (ExecModal(owned.get()) != QDialog::Accepted || !owned) return 0;
  const QString name = printerBox->currentData().toString();
  if (name.isEmpty()) {
    printer.setOutputFormat(QPrinter::PdfFormat);
  } else {
    printer.setOutputFormat(QPrinter::NativeFormat);
    printer.setPrinterName(name);
  }
  if (paperBox->currentIndex() >= 0) printer.setPageSize(paperBox->currentData().value<QPageSize>());
  SetPrinterOrientation(printer, landscape->isChecked() ? 2 : 1);
  return PrinterOrientationOf(printer);
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

void PrintPage::DrawImageScaled(const QImage& image, const QString& caption, int captionHeight) {
  if (image.isNull()) return;
  const double bar = std::max(0, captionHeight);
  double pw = painter_.device()->width(), ph = painter_.device()->height();
  double iw = image.width(), ih = image.height() + bar;
  // Fit to the width when the picture is relatively wider than the page,
  // else to the height.
  double s = (iw / ih > pw / ph) ? pw / iw : ph / ih;
  if (bar > 0) {
    // The title bar as a desktop draws it: the window's title on the
    // selection colour, left aligned after a small margin.
    const QRectF title(0, 0, iw * s, bar * s);
    const QPalette palette = QGuiApplication::palette();
    painter_.save();
    painter_.fillRect(title, palette.color(QPalette::Active, QPalette::Highlight));
    QFont f = painter_.font();
    f.setBold(true);
    f.setPixelSize(std::max(1, static_cast<int>(bar * s * 0.55)));
    painter_.setFont(f);
    painter_.setPen(palette.color(QPalette::Active, QPalette::HighlightedText));
    painter_.drawText(title.adjusted(bar * s * 0.3, 0, -bar * s * 0.3, 0), Qt::AlignLeft | Qt::AlignVCenter,
                      caption);
    painter_.restore();
  }
  painter_.drawImage(QRectF(0, bar * s, iw * s, image.height() * s), image);
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

QPrintPreviewDialog* NewPrintPreview(QWidget* parent, const QString& title, const PageDrawer& draw, int orientation) {
  auto* preview = new Preview(parent, title, orientation);
  preview->setWindowTitle(title);
  ReachableByKeyboard(*preview);
  FillScreen(*preview, parent);
  // The preview paints the pages whenever it needs them; the last painting
  // before the dialog closes is the printing itself.
  QObject::connect(preview, &QPrintPreviewDialog::paintRequested, preview, [draw](QPrinter* p) {
    g_lastPrintFailed = false;
    Render(*p, draw);
  });
  return preview;
}

bool PrintDocument(QWidget* parent, const QString& title, const PageDrawer& draw) {
  return ShowPreview(parent, title, draw, 0);
}

bool PrintImageScaledToPage(QWidget* parent, const QString& title, const QImage& image, const QString& caption,
                            int captionHeight) {
  // An image without a size has no shape to fit to a page.
  if (image.isNull() || image.width() <= 0 || image.height() <= 0) {
    g_lastPrintFailed = true;
    return false;
  }
  const int height = image.height() + std::max(0, captionHeight);
  return ShowPreview(parent, title, [&](PrintPage& page) { page.DrawImageScaled(image, caption, captionHeight); },
                     image.width() > height ? 2 : 1);
}

}  // namespace sw
