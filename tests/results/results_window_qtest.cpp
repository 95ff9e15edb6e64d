// The results window and the time slip as the racer sees them: filled from a
// run, with their texts read back from the widgets and screenshots saved
// under the build folder (screenshots/).
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>
#include <filesystem>

#include "files/file_state.h"
#include "files/file_windows.h"
#include "platform/program_folder.h"
#include "platform/seqfile.h"
#include "platform/qt/grid.h"
#include "platform/qt/printer.h"
#include "platform/qt/qt_ui.h"
#include "platform/scripted_ui.h"
#include "platform/window_host.h"
#include "results/frm_disp_grid.h"
#include "results/frm_time_slip.h"
#include "results/results_fixture.h"
#include "files/configuration.h"
#include "results/results_state.h"
#include "results/time_slip.h"
#include "simulation/tables.h"
#include "support/temp_folder.h"

using namespace sw;
namespace fs = std::filesystem;

namespace {

struct PanelWatch : WindowHost {
  int enabled = 0, disabled = 0;
  void EnableMainPanels(bool on) override { (on ? enabled : disabled)++; }
};

QString ShotPath(const QString& name) {
  QDir dir(QCoreApplication::applicationDirPath());
  dir.mkpath("screenshots");
  return dir.filePath("screenshots/" + name);
}

std::string Q2S(const QString& s) { return FromQ(s); }

}  // namespace

class ResultsWindowTest : public QObject {
  Q_OBJECT

  TempFolder* home_ = nullptr;
  ScopedScriptedUi* ui_ = nullptr;

  frmDispGrid* Show(int16_t historyDisplay) {
    tbl.HistoryDisplay = historyDisplay;
    ShowResultsAndNotes();
    frmDispGrid* w = frmDispGrid::IfLoaded();
    if (w) {
      w->resize(940, 760);
      (void)QTest::qWaitForWindowExposed(w);
      QCoreApplication::processEvents();
    }
    return w;
  }

 private slots:
  void init() {
    home_ = new TempFolder;
    SetProgramFolder(home_->path());
    fs::create_directories(home_->path() / "TEXT");
    fs::copy_file(fs::path(SW_DATA_DIR) / "TEXT" / "OUTHELP.TXT", home_->path() / "TEXT" / "OUTHELP.TXT");
    ResetTables();
    ResetFileState();
    testing::SetEngine();
    testing::SetLastRun();
    cfg = Configuration{};
    frmDispGrid::SetRetrievalPauseMs(0);
    ui_ = new ScopedScriptedUi;
  }

  void cleanup() {
    SetWindows(nullptr);
    frmDispGrid::Unload();
    frmTimeSlip::Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    delete ui_;
    delete home_;
  }

  // At its first size the window shows every history column (as far as the
  // screen allows), and the panel's headings stand on the "Current:" line.
  void firstSizeShowsEveryColumnAndThePanelLinesUp() {
    tbl.HistoryDisplay = 1;
    ShowResultsAndNotes();
    frmDispGrid* w = frmDispGrid::IfLoaded();
    QVERIFY(w);
    QVERIFY(QTest::qWaitForWindowExposed(w));
    QCoreApplication::processEvents();
    int columns = 0;
    for (int c = 0; c < w->Grid1->Cols(); ++c) columns += w->Grid1->columnWidth(c);
    const int screenWidth = w->screen()->availableGeometry().width();
    QVERIFY2(columns <= w->Grid1->viewport()->width() || w->width() >= screenWidth - 8,
             qPrintable(QString("%1 > %2").arg(columns).arg(w->Grid1->viewport()->width())));
    QVERIFY(w->width() <= screenWidth);
    for (QLabel* l : w->Label1) {
      QVERIFY(l->alignment() & Qt::AlignTop);
      QCOMPARE(l->y(), w->Label1[0]->y());
    }
  }

  void afterARunTheWindowShowsTheFinish() {
    frmDispGrid* w = Show(0);
    QVERIFY(w);
    QVERIFY(w->isVisible());
    QCOMPARE(w->windowTitle(), QString());
    QCOMPARE(GridReady, int16_t(1));

    Grid* g = w->grdOUT;
    QCOMPARE(g->Rows(), 24);
    QCOMPARE(g->Cols(), 11);
    const char* headings[] = {"Gear",   "Time",    "MPH",    "Accel Gs", "Feet", "C RPM",
                              "EngRPM", "Tq Mult", "C Slip", "T Slip",   "% Thrt"};
    for (int c = 0; c < 11; ++c) QCOMPARE(g->TextAt(0, c), std::string(headings[c]));
    // The finish row holds the ET and MPH the run left.
    QCOMPARE(g->TextAt(15, 1), tbl.ResultsText[1][tbl.FinishRow]);
    QCOMPARE(g->TextAt(15, 1), std::string("11.48"));
    QCOMPARE(g->TextAt(15, 2), std::string("127.9"));
    QCOMPARE(g->TextAt(15, 4), std::string("1320"));
    QCOMPARE(g->TextAt(5, 0), std::string(" 1-2"));
    QCOMPARE(g->TextAt(16, 1), std::string(""));
    QCOMPARE(g->Row(), 0);
    QCOMPARE(g->Col(), 0);

    QCOMPARE(Q2S(w->Label1[0]->text()), std::string("Current:\nLast:\nImprovement:"));
    QCOMPARE(Q2S(w->Label1[2]->text()), std::string("11.48\n11.55\n.07"));
    QCOMPARE(Q2S(w->Label1[4]->text()), std::string("127.93\n127.10\n.83"));
    QCOMPARE(Q2S(w->Label1[6]->text()), std::string("1.62\n1.66\n.04"));
    QCOMPARE(Q2S(w->Panel3D1[0]->text()), std::string("Notes Summary:  .  Click on Notes for more Details."));
    QVERIFY(!w->SummaryEmphasis());

    QVERIFY(!w->Grid1->isVisible());
    QVERIFY(!w->Label2->isVisible());
    const int H = w->centralWidget()->height();
    QCOMPARE(g->height(), int(0.88 * H));
    QCOMPARE(g->width(), w->centralWidget()->width());

    // Every heading and figure fits its column.
    for (int c = 0; c < 11; ++c)
      for (int r = 0; r <= 15; ++r)
        QVERIFY2(g->fontMetrics().horizontalAdvance(QString::fromStdString(g->TextAt(r, c))) < g->columnWidth(c),
                 qPrintable(QString("row %1 col %2").arg(r).arg(c)));

    QVERIFY(w->grab().save(ShotPath("results_window.png")));
  }

  void menusAsDesigned() {
    frmDispGrid* w = Show(0);
    QCOMPARE(w->mnuClose->text(), QString("Back   "));
    QCOMPARE(w->mnuGraph->text(), QString("Graph   "));
    QCOMPARE(w->mnuGraphGraph->text(), QString("graph"));
    QCOMPARE(w->mnuPrint->text(), QString("Print   "));
    QCOMPARE(w->mnuAnalyze->text(), QString("&Analyze   "));
    QCOMPARE(w->mnuHistory->text(), QString("History   "));
    QCOMPARE(w->mnuTimeSlip->text(), QString("Time Slip"));
    QCOMPARE(w->mnuHelp->text(), QString("Help   "));
    QCOMPARE(w->mnuGridOpen->text(), QString("Open (retrieve these specs)"));
    QCOMPARE(w->mnuGridShowHelp->text(), QString("Show Help Describing This Column"));
    QCOMPARE(w->mnuGridRename->text(), QString("Rename Test"));
    QCOMPARE(w->mnuGridTimeSlip->text(), QString("Show Time Slip"));
    // The graph and the analysis come later: present, greyed, and saying so.
    for (QAction* a : {w->mnuGraph, w->mnuGraphGraph, w->mnuAnalyze}) {
      QVERIFY(!a->isEnabled());
      QVERIFY(a->toolTip().contains("not available yet", Qt::CaseInsensitive));
    }
    QVERIFY(!w->cmdGraph->isEnabled());
    QVERIFY(w->cmdGraph->toolTip().contains("not available yet", Qt::CaseInsensitive));
    QVERIFY(w->mnuTimeSlip->isEnabled());
    QVERIFY(!w->mnuCylvane->isVisible());
    tbl.StartMode = 1;
    ShowResultsAndNotes();
    QVERIFY(w->mnuCylvane->isVisible());
    tbl.StartMode = 0;
  }

  void historyShownBelowTheRunTable() {
    frmDispGrid* w = Show(2);
    QVERIFY(w->Grid1->isVisible());
    QVERIFY(w->Label2->isVisible());
    QCOMPARE(Q2S(w->Label2->text()),
             std::string("Click on Test Title (1st column) to change it or to retrieve specs which produced those "
                         "results.  Click in other columns for definitions."));
    const int H = w->centralWidget()->height();
    QCOMPARE(w->grdOUT->height(), int(0.52 * H));
    QCOMPARE(w->Grid1->y(), int(0.65 * H));
    QCOMPARE(w->Grid1->height(), int(0.3 * H));
    QVERIFY(w->Label2->geometry().bottom() < w->Grid1->y());
    QVERIFY(w->grdOUT->geometry().bottom() < w->Label2->y());

    Grid* h = w->Grid1;
    QCOMPARE(h->Rows(), 25);
    QCOMPARE(h->TextAt(0, 0), std::string("Test Title"));
    QCOMPARE(h->TextAt(0, 4), std::string("60 ft"));
    QCOMPARE(h->TextAt(1, 0), std::string("MUSCLE69: Mon Dec 7 26  8:05 pm"));
    QCOMPARE(h->TextAt(1, 6), std::string("11.48"));
    QCOMPARE(h->TextAt(1, 7), std::string(".07"));
    QCOMPARE(h->TextAt(2, 7), std::string(""));  // 1320 ft against 660 ft
    QCOMPARE(h->TextAt(3, 1), std::string("660"));
    QVERIFY(h->columnWidth(0) >= Grid::TwipsToPixels(2810, h));
    for (int c = 0; c < 10; ++c)
      QVERIFY(h->fontMetrics().horizontalAdvance(QString::fromStdString(h->TextAt(1, c))) < h->columnWidth(c));

    QVERIFY(w->grab().save(ShotPath("results_window_history.png")));

    // Hidden again: the run table takes the room back.
    w->mnuHideHistory->trigger();
    QCOMPARE(tbl.HistoryDisplay, int16_t(0));
    QVERIFY(!w->Grid1->isVisible());
    QVERIFY(!w->Label2->isVisible());
    QCOMPARE(w->grdOUT->height(), int(0.88 * H));
  }

  void historyMenuChecks() {
    frmDispGrid* w = Show(0);
    w->mnuShowHistory->trigger();
    QCOMPARE(tbl.HistoryDisplay, int16_t(1));
    QVERIFY(w->Grid1->isVisible());
    w->mnuHistory_Click();
    QVERIFY(w->mnuShowHistory->isChecked());
    QVERIFY(!w->mnuHideHistory->isChecked());
    QVERIFY(!w->mnuAlwaysShowHistory->isChecked());
    w->mnuAlwaysShowHistory->trigger();
    w->mnuHistory_Click();
    QCOMPARE(tbl.HistoryDisplay, int16_t(2));
    QVERIFY(w->mnuAlwaysShowHistory->isChecked());
    QVERIFY(!w->mnuShowHistory->isChecked());
    w->mnuHideHistory->trigger();
    w->mnuHistory_Click();
    QVERIFY(w->mnuHideHistory->isChecked());
    QVERIFY(!w->mnuAlwaysShowHistory->isChecked());
  }

  void aLongRunKeepsItsFinishRow() {
    // 35 event rows: more than the designed 24-row grid.
    for (int r = 1; r <= 35; ++r) {
      tbl.ResultsText[0][r] = " 1";
      tbl.ResultsText[1][r] = Format(r * 0.5, "####.00");
      tbl.ResultsText[2][r] = Format(r * 4.0, "#####.0");
      tbl.ResultsText[4][r] = std::to_string(r * 300);
    }
    tbl.FinishRow = 35;
    frmDispGrid* w = Show(0);
    QCOMPARE(w->grdOUT->Rows(), 36);
    QCOMPARE(w->grdOUT->TextAt(35, 1), std::string("17.50"));
    QCOMPARE(w->grdOUT->TextAt(35, 4), std::string("10500"));
    w->grdOUT->scrollToBottom();
    QVERIFY(w->grdOUT->viewport()->rect().intersects(w->grdOUT->visualItemRect(w->grdOUT->item(34, 1))));
  }

  void clickingACellDefinesIt() {
    frmDispGrid* w = Show(0);
    Grid* g = w->grdOUT;
    // A real click on the MPH cell of the 1000 ft row.
    QRect cell = g->visualItemRect(g->item(13, 2));
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE((*ui_)->boxes().size(), size_t(1));
    const auto& box = (*ui_)->boxes()[0];
    QCOMPARE(box.title, std::string("Definitions of Results"));
    QCOMPARE(box.prompt, std::string("MPH  =  121.5 at the conditions:\r\r9.81 sec,    121.5 MPH,    1000 feet     "
                                     "into the run.\r\rDefinition of MPH:  Speed of the car in miles per hour."));
    QCOMPARE(w->ClickedRow, int16_t(14));
    QCOMPARE(w->ClickedCol, int16_t(2));

    // While the grid is being refilled a click does nothing.
    GridReady = 0;
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE((*ui_)->boxes().size(), size_t(1));
    GridReady = 1;

    // A heading has no value: its definition alone.
    g->SetRow(0);
    g->SetCol(6);
    w->grdOUT_Click();
    QCOMPARE((*ui_)->boxes().back().prompt, std::string("Definition of 'EngRPM':  Engine RPM (crankshaft speed)."));
  }

  void historyColumnDefinition() {
    frmDispGrid* w = Show(2);
    w->Grid1->SetRow(3);
    w->Grid1->SetCol(2);
    w->mnuGridShowHelp->trigger();
    QCOMPARE(w->ClickedCol, int16_t(13));
    QCOMPARE((*ui_)->boxes().back().prompt,
             std::string("Definition of 'Dnsy Alt':  Density altitude in feet: the altitude at which standard air "
                         "would be as thin as the air of this run. The higher it is the less power the engine "
                         "makes."));
    QCOMPARE((*ui_)->boxes().back().title, std::string(""));
    QCOMPARE(w->Grid1->Row(), 0);  // the lookup reads the heading cell
  }

  void historyCommandsOnTheHeadingRowDoNothing() {
    frmDispGrid* w = Show(2);
    w->Grid1->SetRow(0);
    w->Grid1->SetCol(0);
    w->mnuGridRename->trigger();
    w->mnuGridOpen_Click();
    w->mnuGridTimeSlip->trigger();
    QCOMPARE((*ui_)->boxes().size(), size_t(0));
    QVERIFY(!frmTimeSlip::IfLoaded());
    // A row that never ran has no slip either.
    w->Grid1->SetRow(6);
    w->mnuGridTimeSlip->trigger();
    QVERIFY(!frmTimeSlip::IfLoaded());
    QCOMPARE((*ui_)->boxes().size(), size_t(0));
    // Rename and open on it get the designed refusals.
    w->mnuGridRename->trigger();
    w->mnuGridOpen_Click();
    QCOMPARE((*ui_)->boxes().size(), size_t(2));
    QCOMPARE((*ui_)->boxes()[0].prompt,
             std::string("Distance = 0, there for this is not a valid test and can not be Renamed."));
    QCOMPARE((*ui_)->boxes()[1].prompt,
             std::string("Distance = 0, there for this is not a valid test and can not be Opened."));
  }

  void historyPopUpAtThePointer() {
    frmDispGrid* w = Show(2);
    Grid* h = w->Grid1;
    QRect cell = h->visualItemRect(h->item(1, 6));  // entry 1, its ET
    QTest::mouseClick(h->viewport(), Qt::RightButton, {}, cell.center());
    QTRY_VERIFY(w->mnuGridPopUp->isVisible());
    QCOMPARE(h->Row(), 2);
    QCOMPARE(h->Col(), 6);
    w->mnuGridPopUp->hide();
    // Any button opens it, the left one too.
    QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, cell.center());
    QTRY_VERIFY(w->mnuGridPopUp->isVisible());
    w->mnuGridPopUp->hide();
  }

  void renameShowsAtOnce() {
    frmDispGrid* w = Show(2);
    (*ui_)->Type("Baseline: old slicks");
    w->Grid1->SetRow(2);
    w->Grid1->SetCol(4);
    w->mnuGridRename->trigger();
    QCOMPARE(tbl.HistoryTitle[1], std::string("Baseline: old slicks"));
    QCOMPARE(w->Grid1->TextAt(2, 0), std::string("Baseline: old slicks"));
    QCOMPARE(w->ClickedRow, int16_t(2));
    QCOMPARE(w->ClickedCol, int16_t(4));
  }

  void missingHistoryCopyIsRefused() {
    frmDispGrid* w = Show(2);
    const std::string before = tbl.SpecText[0];
    w->Grid1->SetRow(1);
    w->mnuGridOpen_Click();
    QCOMPARE((*ui_)->boxes().size(), size_t(1));
    QCOMPARE((*ui_)->boxes()[0].prompt,
             std::string("These specs can not be restored because the file containing them has been lost or "
                         "corrupted."));
    QCOMPARE(tbl.SpecText[0], before);
    QVERIFY(frmDispGrid::IfLoaded());
  }

  void clearHistoryFromTheMenu() {
    frmDispGrid* w = Show(2);
    (*ui_)->Answer(ans::Yes);
    w->mnuClearHistory->trigger();
    QCOMPARE(w->Grid1->TextAt(1, 6), std::string("11.48"));
    QCOMPARE(w->Grid1->TextAt(2, 0), std::string(""));
    QCOMPARE(w->Grid1->TextAt(2, 6), std::string(""));
    QCOMPARE(w->Grid1->TextAt(2, 8), std::string(".00"));
    QCOMPARE(w->Grid1->TextAt(1, 7), std::string(""));
    QCOMPARE(Q2S(w->Label1[2]->text()), std::string("11.48\n\n-11.48"));
  }

  void closingHandsTheRunToTheGraphs() {
    PanelWatch watch;
    SetWindows(&watch);
    frmDispGrid* w = Show(0);
    tbl.BaseRun[3][200] = 42;
    w->mnuClose->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!frmDispGrid::IfLoaded());
    QCOMPARE(watch.enabled, 1);
    QCOMPARE(tbl.BaseRunRows, int16_t(120));
    QCOMPARE(cfg.BaseRunMode, int16_t(1));
    for (int r = 0; r <= 121; ++r)
      for (int c = 0; c <= 8; ++c) QCOMPARE(tbl.BaseRun[c][r], tbl.RunLog[c][r]);
    QCOMPARE(tbl.BaseRun[0][122], 0.0);
    QCOMPARE(tbl.BaseRun[9][5], 0.0);    // column 9 is not part of the base run
    QCOMPARE(tbl.BaseRun[3][200], 0.0);  // the old base run is gone

    // A base run the racer fixed stays.
    cfg.BaseRunMode = 2;
    tbl.BaseRunRows = 7;
    tbl.BaseRun[1][1] = -5;
    w = Show(0);
    QTest::keyClick(w, Qt::Key_Escape);  // the hidden Back button
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!frmDispGrid::IfLoaded());
    QCOMPARE(watch.enabled, 2);
    QCOMPARE(tbl.BaseRunRows, int16_t(7));
    QCOMPARE(tbl.BaseRun[1][1], -5.0);
    QCOMPARE(cfg.BaseRunMode, int16_t(2));
    SetWindows(nullptr);
  }

  void nothingChangesUnderARunningCalculation() {
    frmDispGrid* w = Show(2);
    tbl.CalcRunning = true;
    w->mnuClearHistory->trigger();
    w->mnuHideHistory->trigger();
    w->Grid1->SetRow(2);
    w->mnuGridRename->trigger();
    w->mnuGridOpen_Click();
    w->mnuClose->trigger();
    QCOMPARE((*ui_)->boxes().size(), size_t(0));
    QCOMPARE(tbl.HistoryDisplay, int16_t(2));
    QVERIFY(frmDispGrid::IfLoaded());
    QVERIFY(w->isVisible());
    tbl.CalcRunning = false;
  }

  void saveFirstThenRetrieve() {
    struct SaveWatch : FileWindows {
      int shown = 0;
      void ShowSaveAsForm() override { ++shown; }
    } watch;
    SetFileWindows(&watch);
    // A real history copy of entry 1.
    std::string copy = "QVZ-ZKT*3.20\r\n11.55\r\n 127.1 \r\n1.66\r\n";
    for (int k = 0; k < 241; ++k) copy += "1\r\n";
    fs::create_directories(home_->path() / "QVHISTRY");
    QVERIFY(WriteFileAtomic(home_->path() / "QVHISTRY" / "B", copy));
    fst.SpecsChanged = 1;
    fst.CurrentFileName = "MUSCLE69";
    frmDispGrid* w = Show(2);
    (*ui_)->Answer(ans::Yes);
    w->Grid1->SetRow(2);
    w->mnuGridOpen_Click();
    QCOMPARE(watch.shown, 1);
    QCOMPARE(fst.FileOperation, int16_t(-4));
    QCOMPARE(fst.HistorySlot, int16_t(1));
    QCOMPARE(tbl.FromHistory, int16_t(1));
    QCOMPARE(Q2S(w->Panel3D1[0]->text()), std::string("Notes Summary:"));
    QVERIFY(w->Label1[2]->text().isEmpty());
    QVERIFY(w->Label1[4]->text().isEmpty());
    QVERIFY(!w->Label1[6]->text().isEmpty());
    QVERIFY(frmDispGrid::IfLoaded());  // the save-as window closes it later
    SetFileWindows(nullptr);
  }

  void beginnerMessageOncePerRun() {
    tbl.BeginnerLevel = 1;
    tbl.RunTotal3 = 4;  // 35 % limited
    frmDispGrid* w = Show(0);
    QCOMPARE((*ui_)->boxes().size(), size_t(1));
    QCOMPARE((*ui_)->boxes()[0].title, std::string("Beginner Level Help"));
    QVERIFY(w->SummaryEmphasis());
    QVERIFY(w->Panel3D1[0]->font().bold());
    QCOMPARE(Q2S(w->Panel3D1[0]->text()),
             std::string("Notes Summary:  Tire Traction Very Low.  Click on Notes for more Details."));
    w->mnuShowHistory->trigger();  // a refill of the same run
    QCOMPARE((*ui_)->boxes().size(), size_t(1));
    QVERIFY(w->grab().save(ShotPath("results_window_beginner.png")));
  }

  void refusalsAfterAHistoryRetrieval() {
    frmDispGrid* w = Show(0);
    tbl.FromHistory = 1;
    w->cmdNotes->click();
    w->cmdGraph_Click();
    w->mnuAnalyze_Click();
    QCOMPARE((*ui_)->boxes().size(), size_t(3));
    QCOMPARE((*ui_)->boxes()[0].prompt,
             std::string("Notes not available after retrieving a file from History until you recalculate performance."));
    QCOMPARE((*ui_)->boxes()[1].prompt,
             std::string("Graphs not available after retrieving a file from History until you recalculate "
                         "performance."));
    QCOMPARE((*ui_)->boxes()[2].prompt,
             std::string("Analysis not available after retrieving a file from History until you recalculate "
                         "performance."));
  }

  void timeSlipOfTheNewestRun() {
    frmDispGrid* w = Show(0);
    w->mnuTimeSlip->trigger();
    frmTimeSlip* s = frmTimeSlip::IfLoaded();
    QVERIFY(s);
    QVERIFY(QTest::qWaitForWindowExposed(s));
    QCOMPARE(s->windowTitle(), QString("Time Slip"));
    QCOMPARE(s->Command1[0]->text(), QString("Close (back)"));
    QCOMPARE(s->Command1[1]->text(), QString("Print"));
    QCOMPARE(Q2S(s->Text1->toPlainText()),
             std::string("Mon Dec 7 26  8:05 pm\nTime Slip For:\n   MUSCLE69\n\n"
                         "RT                    .500\n"
                         "60 ft                  1.62\n"
                         "330 ft                4.62\n"
                         "1/8 ET              7.08\n"
                         "1/8 MPH          104.6\n"
                         "1000 ft             9.81\n"
                         "1/4 ET             11.48\n"
                         "1/4 MPH         127.93\n"));
    // Every line shows whole.
    QFontMetrics fm(s->Text1->font());
    for (const QString& line : s->Text1->toPlainText().split('\n'))
      QVERIFY(fm.horizontalAdvance(line) < s->Text1->viewport()->width());
    QVERIFY(fm.lineSpacing() * 13 < s->Text1->viewport()->height());
    QVERIFY(s->grab().save(ShotPath("time_slip.png")));
  }

  void timeSlipOfAHistoryRowAndItsPlace() {
    frmDispGrid* w = Show(2);
    w->Grid1->SetRow(3);  // entry 2: an eighth-mile run
    w->mnuGridTimeSlip->trigger();
    QCOMPARE(SlipRun, int16_t(2));
    frmTimeSlip* s = frmTimeSlip::IfLoaded();
    QVERIFY(s);
    QVERIFY(QTest::qWaitForWindowExposed(s));
    QString text = s->Text1->toPlainText();
    QVERIFY(text.contains("1/8 MPH          105.44"));
    QVERIFY(!text.contains("1/4"));
    QVERIFY(s->grab().save(ShotPath("time_slip_eighth.png")));

    // First opening on a wide screen: the designed place; closing keeps it.
    const bool wide = Grid::PixelsToTwips(s->screen()->geometry().width(), s) > 11000;
    QCOMPARE(cfg.TimeSlipTop, wide ? 1575 : 0);
    QCOMPARE(cfg.TimeSlipLeft, wide ? 9435 : 0);
    s->move(Grid::TwipsToPixels(3000, s), Grid::TwipsToPixels(1500, s));
    s->Command1[0]->click();
    QVERIFY(!frmTimeSlip::IfLoaded());
    QVERIFY(std::abs(cfg.TimeSlipLeft - 3000) <= 15);
    QVERIFY(std::abs(cfg.TimeSlipTop - 1500) <= 15);
    QCOMPARE(cfg.TimeSlipTop, int32_t(cfg.TimeSlipTop));

    // Opening again comes back there.
    SlipRun = 0;
    frmTimeSlip::ShowAgain();
    s = frmTimeSlip::IfLoaded();
    QCOMPARE(s->pos(), QPoint(Grid::TwipsToPixels(cfg.TimeSlipLeft, s), Grid::TwipsToPixels(cfg.TimeSlipTop, s)));
    QVERIFY(s->Text1->toPlainText().contains("1/4 MPH"));
  }

  void timeSlipPrintsToPdf() {
    QString pdf = QString::fromStdString((home_->path() / "slip.pdf").string());
    SetPrintToPdfForTest(pdf);
    SlipRun = 0;
    frmTimeSlip::ShowAgain();
    frmTimeSlip* s = frmTimeSlip::IfLoaded();
    QVERIFY(QTest::qWaitForWindowExposed(s));
    s->Command1[1]->click();
    SetPrintToPdfForTest(QString());
    QVERIFY(!s->Picture5.isNull());
    QCOMPARE(s->Picture5.size(), s->grab().size());
    QFile f(pdf);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVERIFY(f.readAll().startsWith("%PDF"));
    QVERIFY(!(*ui_)->busy());
  }

  void automaticTimeSlipAfterEachRun() {
    cfg.AutoTimeSlip = 2;
    SlipRun = 5;
    Show(0);
    QCOMPARE(SlipRun, int16_t(0));
    QVERIFY(frmTimeSlip::IfLoaded());
    QVERIFY(frmTimeSlip::IfLoaded()->Text1->toPlainText().contains("1/4 ET             11.48"));
    frmTimeSlip::Unload();
    cfg.AutoTimeSlip = 1;
    Show(0);
    QVERIFY(!frmTimeSlip::IfLoaded());
  }
};

QTEST_MAIN(ResultsWindowTest)
#include "results_window_qtest.moc"
