// The Qt side of the platform: the grid wrapper, printing to PDF, message
// and input boxes, window placement, and the close-when-the-front-moves-away
// watcher.
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QHeaderView>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRadioButton>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QtTest>

#include "platform/qt/deactivate_close.h"
#include "platform/qt/grid.h"
#include "platform/qt/pick_list.h"
#include "platform/qt/twips.h"
#include "platform/qt/printer.h"
#include "platform/qt/text_box.h"
#include "platform/qt/qt_ui.h"
#include "platform/qt/window_place.h"
#include "platform/scripted_ui.h"
#include "support/temp_folder.h"

using namespace sw;

namespace {

// A 5 x 3 grid whose cells name themselves ("r2c1").
void Fill(Grid& g) {
  g.SetRows(5);
  g.SetCols(3);
  for (int r = 0; r < 5; ++r)
    for (int c = 0; c < 3; ++c) g.SetTextAt(r, c, "r" + std::to_string(r) + "c" + std::to_string(c));
}

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The first page's MediaBox is wider than tall.
bool PageIsWide(const QByteArray& pdf) {
  int at = pdf.indexOf("/MediaBox [");
  if (at < 0) return false;
  QList<QByteArray> n = pdf.mid(at + 11, 40).split(' ');
  return n.size() >= 4 && n[2].toDouble() > n[3].split(']')[0].toDouble();
}

int PageCount(const QByteArray& pdf) {
  return pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page ");
}

// Gives `w` the front, as a click on it would.
void Activate(QWidget* w) {
  w->show();
  w->activateWindow();
  QApplication::setActiveWindow(w);
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
}

// Runs `f` once the next modal dialog is up.
void WhenModal(std::function<void(QWidget*)> f) {
  auto* t = new QTimer;
  t->setInterval(5);
  QObject::connect(t, &QTimer::timeout, [t, f] {
    QWidget* w = QApplication::activeModalWidget();
    if (!w) return;
    t->stop();
    t->deleteLater();
    f(w);
  });
  t->start();
}

}  // namespace

class PlatformQtTest : public QObject {
  Q_OBJECT
 private slots:
  // --- the grid wrapper: row 0 is the heading row, numbers match the tables,
  // cells are read-only, clicks report the designed row and column
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
    QCOMPARE(TwipsToPixels(833, nullptr), 56);
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


  // --- printing: pages in twips, PDF without any printer, images scaled to
  // the page in the orientation that fits them
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

  // The image's orientation holds for its own printout only; a job that
  // cannot be made counts as failed.
  void imageScaledToThePageWithoutDialogs() {
    TempFolder dir;
    ScopedScriptedUi ui;
    QString path = QString::fromStdString((dir.path() / "slip.pdf").string());
    SetPrintToPdfForTest(path);
    SetPrinterOrientation(ProgramPrinter(), 1);
    QImage wide(400, 200, QImage::Format_RGB32);
    wide.fill(Qt::white);
    QPainter(&wide).drawText(20, 100, "Time Slip");
    QVERIFY(PrintImageScaledToPage(nullptr, "Time Slip", wide));
    QCOMPARE(PrinterOrientationOf(ProgramPrinter()), 1);
    QVERIFY(PageIsWide(ReadAll(path)));
    QImage tall(200, 400, QImage::Format_RGB32);
    tall.fill(Qt::white);
    SetPrinterOrientation(ProgramPrinter(), 2);
    QVERIFY(PrintImageScaledToPage(nullptr, "Time Slip", tall));
    QCOMPARE(PrinterOrientationOf(ProgramPrinter()), 2);
    QVERIFY(!PageIsWide(ReadAll(path)));
    SetPrinterOrientation(ProgramPrinter(), 1);
    QVERIFY(!LastPrintFailed());

    QFile::remove(path);
    QVERIFY(!PrintImageScaledToPage(nullptr, "Time Slip", QImage()));
    QVERIFY(!QFile::exists(path));
    QVERIFY(LastPrintFailed());

    SetPrintToPdfForTest(QString::fromStdString((dir.path() / "no-such-folder" / "slip.pdf").string()));
    QVERIFY(!PrintImageScaledToPage(nullptr, "Time Slip", tall));
    QVERIFY(LastPrintFailed());
    QVERIFY(!PrintToPdf(QString::fromStdString((dir.path() / "no-such-folder" / "x.pdf").string()),
                        [](PrintPage&) {}));
    QVERIFY(LastPrintFailed());
    SetPrintToPdfForTest(QString());
    QVERIFY(ui->boxes().empty());
  }


  // --- message and input boxes
  void messageBoxShowsTextTitleAndAnswers() {
    QtUi ui;
    QString seenText, seenTitle;
    QMessageBox::StandardButton seenDefault = QMessageBox::NoButton;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      QVERIFY(box);
      seenText = box->text();
      seenTitle = box->windowTitle();
      seenDefault = box->standardButton(box->defaultButton());
      box->button(QMessageBox::No)->click();
    });
    int a = ui.MsgBox(std::string("Line one\r\rLine two"), mb::YesNo + mb::Critical + mb::DefaultButton2,
                      "Error Encountered");
    QCOMPARE(a, ans::No);
    QCOMPARE(seenText, QString("Line one\n\nLine two"));
    QCOMPARE(seenTitle, QString("Error Encountered"));
    QCOMPARE(seenDefault, QMessageBox::No);
  }

  // A title padded with blanks to stand in the middle is never cut off, and
  // the input box shows the whole text it offers.
  void boxesAreWideEnoughForTitleAndText() {
    QtUi ui;
    const QString title = QString(30, ' ') + "Notes on Calculations" + QString(61, ' ');
    int boxWidth = 0;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      QVERIFY(box);
      boxWidth = box->width();
      box->button(QMessageBox::Ok)->click();
    });
    ui.MsgBox("Short.", mb::OKOnly, FromQ(title));
    QFont bold = QApplication::font();
    bold.setBold(true);
    QVERIFY2(boxWidth >= QFontMetrics(bold).horizontalAdvance(title), qPrintable(QString::number(boxWidth)));

    const std::string offered = "MUSCLE454: Mon Dec 7 26  8:55 am with a longer test title";
    bool whole = false;
    QTimer::singleShot(0, [&] {
      auto* dlg = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
      QVERIFY(dlg);
      auto* edit = dlg->findChild<QLineEdit*>();
      QVERIFY(edit);
      whole = edit->width() > edit->fontMetrics().horizontalAdvance(edit->text());
      dlg->reject();
    });
    ui.InputBox("Enter a Test Title", "Edit Test Title", offered);
    QVERIFY(whole);
  }

  void inputBoxReturnsTextOrCancel() {
    QtUi ui;
    QTimer::singleShot(0, [&] {
      auto* dlg = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
      QVERIFY(dlg);
      QCOMPARE(dlg->textValue(), QString("400"));
      dlg->setTextValue("30");
      dlg->accept();
    });
    auto r = ui.InputBox("Weight?", "Version 2 File", "400");
    QCOMPARE(QString::fromStdString(r.text), QString("30"));
    QVERIFY(!r.cancelled);
    QTimer::singleShot(0, [&] { qobject_cast<QInputDialog*>(QApplication::activeModalWidget())->reject(); });
    r = ui.InputBox("Weight?", "Version 2 File", "400");
    QVERIFY(r.cancelled);
    QVERIFY(r.text.empty());
  }

  // A box belongs to the window in front; that window closing for good
  // while the box waits takes the box with it and leaves nothing behind.
  void boxesOutliveNoWindowTheyBelongTo() {
    QtUi ui;
    for (int kind = 0; kind < 2; ++kind) {
      auto* owner = new QWidget(nullptr, Qt::Window);
      owner->setAttribute(Qt::WA_DeleteOnClose);
      owner->show();
      QApplication::setActiveWindow(owner);
      QVERIFY(QApplication::activeWindow() == owner);
      QPointer<QWidget> box;
      QTimer::singleShot(0, [&] {
        box = QApplication::activeModalWidget();
        QVERIFY(box && box->parentWidget() == owner);
        owner->close();
      });
      if (kind == 0) {
        QCOMPARE(ui.MsgBox("Read this first.", mb::YesNo, "Beginner Level Help"), ans::No);
      } else {
        auto r = ui.InputBox("Title?", "Enter Baseline Graph Title", "old");
        QVERIFY(r.cancelled && r.text.empty());
      }
      QVERIFY(!box);
    }
  }

  void busyCursorIsRestored() {
    QtUi ui;
    SetUi(&ui);
    {
      BusyCursor b;
      QVERIFY(QGuiApplication::overrideCursor());
    }
    QVERIFY(!QGuiApplication::overrideCursor());
    SetUi(nullptr);
  }


  // --- windows open over the main window and stay whole on the screen
  void centredOverTheAnchor() {
    QWidget anchor;
    anchor.setGeometry(100, 80, 600, 400);
    anchor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&anchor));
    QWidget w;
    w.resize(200, 100);
    PlaceOver(&w, &anchor);
    const QPoint c = anchor.frameGeometry().center();
    QVERIFY(std::abs(w.x() + 100 - c.x()) <= 10);
    QVERIFY(std::abs(w.y() + 50 - c.y()) <= 30);
  }

  void neverOffTheScreen() {
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget anchor;
    anchor.setGeometry(area.right() - 150, area.bottom() - 100, 140, 90);
    anchor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&anchor));
    QWidget w;
    w.resize(300, 200);
    PlaceOver(&w, &anchor);
    QVERIFY(w.x() >= area.left() && w.x() + 300 <= area.right() + 1);
    QVERIFY(w.y() >= area.top() && w.y() + 200 <= area.bottom() + 1);

    // Without an anchor on screen: the middle of the screen.
    QWidget lone;
    lone.resize(300, 200);
    PlaceOver(&lone, nullptr);
    QVERIFY(std::abs(lone.x() + 150 - area.center().x()) <= 10);

    // A shown window that grew past the bottom comes back up.
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.move(area.left() + 10, area.bottom() - 50);
    KeepOnScreen(&w);
    QVERIFY(w.frameGeometry().bottom() <= area.bottom());
  }

  // A remembered place on two screens side by side (1280 x 1024 and, to its
  // right, 1920 x 1080): where a 200 x 300 window lands.
  void rememberedPlacesComeBackOnAScreen() {
    const QList<QRect> screens = {QRect(0, 0, 1280, 1024), QRect(1280, 0, 1920, 1080)};
    struct Case {
      const char* what;
      QPoint at;
      QPoint expected;
    };
    const Case cases[] = {
        {"wholly on the first screen: stays", {100, 50}, {100, 50}},
        {"wholly on the second screen: stays", {2000, 700}, {2000, 700}},
        {"title bar above the top", {100, -150}, {100, 0}},
        {"off the left edge", {-5000, 300}, {0, 300}},
        {"past the right of both screens", {9000, 100}, {3000, 100}},
        {"below both screens", {1500, 4000}, {1500, 780}},
        {"mostly on the second, hanging into the first", {1250, 200}, {1280, 200}},
        {"across the bottom of the first", {100, 900}, {100, 724}},
    };
    for (const Case& c : cases)
      QVERIFY2(PlaceOnScreens(QRect(c.at, QSize(200, 300)), screens) == c.expected, c.what);
    // Larger than the screen: the top left corner, and with it the title
    // bar, stays in view.
    QCOMPARE(PlaceOnScreens(QRect(QPoint(-300, -300), QSize(1500, 1200)), screens), QPoint(0, 0));
    QCOMPARE(PlaceOnScreens(QRect(QPoint(7, 9), QSize(10, 10)), {}), QPoint(7, 9));
  }

  // --- the printer set-up

  // It works on the PDF printer (no complaint on the terminal), sets paper
  // and orientation on OK, changes nothing on Cancel or Escape.
  void printerSetupWorksWithThePdfPrinter() {
    QTest::failOnWarning(QRegularExpression("QPageSetupDialog|non-native"));
    QPrinter& printer = ProgramPrinter();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::LegalExtra));  // picked in a preview's print dialog
    SetPrinterOrientation(printer, 1);
    struct Case {
      const char* what;
      const char* paper;
      bool landscape;
      int key;  // 0: OK button
      int result;
      QPageSize::PageSizeId size;
    } const cases[] = {
        {"OK untouched: the paper in use, not listed, is kept", nullptr, false, 0, 1, QPageSize::LegalExtra},
        {"OK: A4 landscape", "A4", true, 0, 2, QPageSize::A4},
        {"Cancel by Escape: nothing changes", "Legal", false, Qt::Key_Escape, 0, QPageSize::A4},
        {"OK: Legal portrait", "Legal", false, 0, 1, QPageSize::Legal},
    };
    for (const Case& c : cases) {
      bool seen = false;
      QString printers;
      WhenModal([&](QWidget* d) {
        seen = true;
        QCOMPARE(d->objectName(), QString("PrinterSetup"));
        QCOMPARE(d->windowTitle(), QString("Printer Setup"));
        auto* printerBox = d->findChild<QComboBox*>("Printer");
        printers = printerBox->currentText();
        auto* paper = d->findChild<QComboBox*>("Paper");
        if (c.paper) paper->setCurrentIndex(paper->findText(c.paper, Qt::MatchStartsWith));
        d->findChild<QRadioButton*>(c.landscape ? "Landscape" : "Portrait")->setChecked(true);
        if (c.key) {
          QTest::keyClick(d, Qt::Key(c.key));
        } else {
          d->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        }
      });
      QCOMPARE(ShowPrinterSetup(nullptr), c.result);
      QVERIFY2(seen, c.what);
      QVERIFY2(printer.pageLayout().pageSize().id() == c.size, c.what);
      if (QPrinterInfo::availablePrinterNames().isEmpty()) QCOMPARE(printers, QString("Print to File (PDF)"));
    }
    QCOMPARE(PrinterOrientationOf(printer), 1);
  }

  // --- the pick list

  // The open list is as wide as its longest item however the items change,
  // in a short list and in one so long that it opens as a drop-down; a box
  // at the screen's right edge keeps it on the screen.
  void pickListOpensAsWideAsItsLongestItem_data() {
    QTest::addColumn<int>("items");
    QTest::newRow("short") << 3;
    QTest::newRow("long") << 1500;
  }
  void pickListOpensAsWideAsItsLongestItem() {
    QFETCH(int, items);
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget window;
    window.setGeometry(area.right() - 120, area.top() + 40, 110, 40);
    PickList list(&window);
    list.setGeometry(5, 5, 100, 30);
    QStringList makes;
    for (int i = 0; i < items; ++i) makes << QString("Make %1").arg(i);
    list.addItems(makes);
    Activate(&window);
    const QString longer = "A make whose name is far wider than its box", longest = longer + " and wider still";
    const std::function<void()> changes[] = {
        [] {},
        [&] { list.addItem(longer); },
        [&] { list.setItemText(0, longest); },
        [&] { list.removeItem(0); },
        [&] { list.clear(), list.addItems(makes); }};
    const QFontMetrics metrics = list.view()->fontMetrics();
    for (size_t step = 0; step < std::size(changes); ++step) {
      changes[step]();
      int widest = 0;
      for (int i = 0; i < list.count(); ++i) widest = std::max(widest, metrics.horizontalAdvance(list.itemText(i)));
      list.showPopup();
      QApplication::processEvents();
      const int open = list.view()->viewport()->width();
      QVERIFY2(open >= widest, qPrintable(QString("step %1: %2 < %3").arg(step).arg(open).arg(widest)));
      // Removing the longest item narrows the list again.
      if (step >= 3) QVERIFY2(open < metrics.horizontalAdvance(longest), qPrintable(QString("step %1").arg(step)));
      QVERIFY(area.contains(list.view()->window()->geometry()));
      list.hidePopup();
    }
  }

  // --- pasting with nothing to paste

  // Ctrl+V, Shift+Insert, the middle-button paste and a drop with nothing to paste (an empty clipboard on X11 hands
  // out MIME data without a format; offscreen hands out none) leave each kind of text box as it was; a real paste
  // still pastes.
  void pasteWithNothingToPaste_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("route");
    for (const char* kind : {"text box", "read-only text box", "line edit", "editable list"})
      for (const char* route : {"Ctrl+V", "Shift+Insert", "Ctrl+V, no data", "middle button", "drop", "text"})
        QTest::addRow("%s, %s", kind, route) << kind << route;
  }
  void pasteWithNothingToPaste() {
    QFETCH(QString, kind);
    QFETCH(QString, route);
    TextBox box;
    QLineEdit line;
    QComboBox list;
    list.setEditable(true);
    box.setReadOnly(kind.startsWith("read-only"));
    QLineEdit* edit = kind == "line edit" ? &line : list.lineEdit();
    QWidget* target = kind.contains("text box") ? static_cast<QWidget*>(&box) : edit;
    box.setPlainText("before"), edit->setText("before");
    Activate(target->window());
    target->setFocus();
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (route == "Ctrl+V, no data") clipboard->clear();
    else if (route == "text") clipboard->setText("abc");
    else clipboard->setMimeData(new QMimeData);
    QMimeData empty;
    QWidget* at = target == &box ? box.viewport() : edit;
    if (route == "Shift+Insert") {
      QTest::keyClick(target, Qt::Key_Insert, Qt::ShiftModifier);
    } else if (route == "middle button") {
      // Offscreen has no selection clipboard: the box gets the empty data as the selection paste hands it over on X11.
      QTest::mouseClick(at, Qt::MiddleButton);
      if (target == &box) box.insertFromMimeData(&empty), box.insertFromMimeData(nullptr);
    } else if (route == "drop") {
      QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &empty, Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(at, &enter);
      QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &empty, Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(at, &drop);
    } else {
      QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
    }
    QApplication::processEvents();
    QString text = target == &box ? box.toPlainText() : edit->text();
    QCOMPARE(text.contains("abc"), route == "text" && !kind.startsWith("read-only"));
    QCOMPARE(text.remove("abc"), QString("before"));
    clipboard->clear();
  }

  // --- the close-when-the-front-moves-away watcher

  // The front went to a box and from the box to another window of the
  // program: that is losing the front, as if the other window was clicked.
  void closesWhenTheFrontPassesThroughABoxToAnotherWindow() {
    QWidget watched;
    bool lost = false;
    new DeactivateWatch(&watched, [&] { lost = true; });
    Activate(&watched);
    QMessageBox box;
    box.setText("A message");
    Activate(&box);
    QVERIFY(!lost);
    box.hide();
    QWidget other;
    Activate(&other);
    QApplication::processEvents();
    QVERIFY(lost);
  }
};

QTEST_MAIN(PlatformQtTest)
#include "platform_qt_qtest.moc"
