// The results window and the time slip as the racer sees them: filled from
// the fixture run or from F2 on a fixture car, texts read back from the
// widgets, screenshots saved under the build folder (screenshots/).
#include <QLabel>
#include <QHeaderView>
#include <QHelpEvent>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QToolTip>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include "platform/qt/grid.h"
#include "platform/qt/twips.h"
#include "platform/qt/printer.h"
#include "platform/qt/qt_ui.h"
#include "platform/text.h"
#include "results/frm_disp_grid.h"
#include "results/frm_time_slip.h"
#include "results/results_fixture.h"
#include "results/results_state.h"
#include "shell/shell_fixture.h"
#include "simulation/calculate.h"

using namespace sw;
namespace fs = std::filesystem;

namespace {

struct PanelWatch : WindowHost {
  int enabled = 0;
  void EnableMainPanels(bool on) override { enabled += on; }
};

std::string Text(const QLabel* l) { return FromQ(l->text()); }

const std::string kLostCopy =
    "These specs can not be restored because the file containing them has been lost or corrupted.";

// What the Calculate button does; returns the trap speed in ft/s.
double PressF2() {
  tbl.CalcStatus = 0;
  tbl.CalcMode = 0;
  tbl.AbortCalc = 0;
  tbl.QuietCalc = 0;
  double trap = 0, sixty = 0;
  CalculatePerformance(trap, tbl.FinishRow, sixty);
  return trap;
}

}  // namespace

class ResultsWindowTest : public QObject {
  Q_OBJECT
  std::unique_ptr<ShellScene> scene;

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

  // The fixture muscle car, current and unchanged, with an empty history.
  bool FixtureCar() {
    ResetTables();
    std::filesystem::create_directories(scene->file("QVHISTRY"));
    fst.CurrentFileName = test::kMuscleCar;
    fst.CurrentFilePath = scene->path("VEHDAT/") + test::kMuscleCar;
    tbl.HistoryDisplay = 2;
    return test::LoadFixtureVehicle(test::kMuscleCar);
  }

 private slots:
  void init() {
    scene = std::make_unique<ShellScene>();
    scene->CopyShipped("TEXT/OUTHELP.TXT");
    tbl.BeginnerLevel = 0;
    testing::SetEngine();
    testing::SetLastRun();
    frmDispGrid::SetRetrievalPauseMs(0);
  }
  void cleanup() {
    frmDispGrid::Unload();
    frmTimeSlip::Unload();
    scene.reset();
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
    QVERIFY(w && w->isVisible());
    QCOMPARE(w->windowTitle(), QString());
    QCOMPARE(GridReady, int16_t(1));
    Grid* g = w->grdOUT;
    QCOMPARE(g->Rows(), 24);
    QCOMPARE(g->Cols(), 11);
    const char* headings[] = {"Gear",   "Time",    "MPH",    "Accel Gs", "Feet", "C RPM",
                              "EngRPM", "Tq Mult", "C Slip", "T Slip",   "% Thrt"};
    for (int c = 0; c < 11; ++c) QCOMPARE(g->TextAt(0, c), std::string(headings[c]));
    // The finish row holds the ET and MPH the run left.
    QCOMPARE(g->TextAt(15, 1), std::string("11.48"));
    QCOMPARE(g->TextAt(15, 2), std::string("127.9"));
    QCOMPARE(g->TextAt(15, 4), std::string("1320"));
    QCOMPARE(g->TextAt(5, 0), std::string(" 1-2"));
    QCOMPARE(g->TextAt(16, 1), std::string(""));
    QCOMPARE(g->Row(), 0);
    QCOMPARE(g->Col(), 0);

    // The panel compares with the last run.
    const char* panel[] = {"Current:\nLast:\nImprovement:", "ET", "11.48\n11.55\n.07", "MPH", "127.93\n127.10\n.83",
                           "60 ft", "1.62\n1.66\n.04"};
    for (int i = 0; i < 7; ++i) QCOMPARE(Text(w->Label1[static_cast<size_t>(i)]), std::string(panel[i]));
    QCOMPARE(Text(w->Panel3D1[0]), std::string("Notes Summary:  .  Click on Notes for more Details."));
    QVERIFY(!w->SummaryEmphasis());

    // History hidden: the run grid takes 0.88 of the height.
    QVERIFY(!w->Grid1->isVisible());
    QVERIFY(!w->Label2->isVisible());
    QCOMPARE(g->height(), int(0.88 * w->centralWidget()->height()));
    QCOMPARE(g->width(), w->centralWidget()->width());
    // Every heading and figure fits its column.
    for (int c = 0; c < 11; ++c)
      for (int r = 0; r <= 15; ++r)
        QVERIFY2(g->fontMetrics().horizontalAdvance(QString::fromStdString(g->TextAt(r, c))) < g->columnWidth(c),
                 qPrintable(QString("row %1 col %2").arg(r).arg(c)));
    QVERIFY(SaveShot(w, "results_window.png"));
  }

  void menusAsDesigned() {
    frmDispGrid* w = Show(0);
    const std::pair<QAction*, const char*> items[] = {
        {w->mnuClose, "Back   "},
        {w->mnuGraph, "Graph   "},
        {w->mnuGraphGraph, "graph"},
        {w->mnuPrint, "Print   "},
        {w->mnuAnalyze, "&Analyze   "},
        {w->mnuHistory, "History   "},
        {w->mnuTimeSlip, "Time Slip"},
        {w->mnuHelp, "Help   "},
        {w->mnuGridOpen, "Open (retrieve these specs)"},
        {w->mnuGridShowHelp, "Show Help Describing This Column"},
        {w->mnuGridRename, "Rename Test"},
        {w->mnuGridTimeSlip, "Show Time Slip"}};
    for (auto [item, text] : items) QCOMPARE(item->text(), QString(text));
    // The graph and the analysis are there to use.
    for (QAction* a : {w->mnuGraph, w->mnuGraphGraph, w->mnuAnalyze}) {
      QVERIFY(a->isEnabled());
      QVERIFY(!a->toolTip().contains("not available yet", Qt::CaseInsensitive));
    }
    QVERIFY(w->cmdGraph->isEnabled());
    QVERIFY(!w->cmdGraph->toolTip().contains("not available yet", Qt::CaseInsensitive));
    QVERIFY(w->mnuTimeSlip->isEnabled());
    QVERIFY(!w->mnuCylvane->isVisible());
    tbl.StartMode = 1;
    ShowResultsAndNotes();
    QVERIFY(w->mnuCylvane->isVisible());
  }

  void historyShownBelowTheRunTable() {
    frmDispGrid* w = Show(2);
    QVERIFY(w->Grid1->isVisible());
    QCOMPARE(Text(w->Label2), std::string("Click on Test Title (1st column) to change it or to retrieve specs which "
                                          "produced those results.  Click in other columns for definitions."));
    const int H = w->centralWidget()->height();
    QCOMPARE(w->grdOUT->height(), int(0.52 * H));
    QCOMPARE(w->Grid1->y(), int(0.65 * H));
    QCOMPARE(w->Grid1->height(), int(0.3 * H));
    QVERIFY(w->Label2->isVisible() && w->Label2->geometry().bottom() < w->Grid1->y());
    QVERIFY(w->grdOUT->geometry().bottom() < w->Label2->y());

    Grid* h = w->Grid1;
    QCOMPARE(h->Rows(), 25);
    QCOMPARE(h->TextAt(0, 0), std::string("Test Title"));
    QCOMPARE(h->TextAt(1, 0), std::string("MUSCLE69: Mon Dec 7 26  8:05 pm"));
    QCOMPARE(h->TextAt(1, 7), std::string(".07"));
    QCOMPARE(h->TextAt(2, 7), std::string(""));  // 1320 ft against 660 ft
    QVERIFY(h->columnWidth(0) >= TwipsToPixels(2810, h));
    for (int c = 0; c < 10; ++c)
      QVERIFY(h->fontMetrics().horizontalAdvance(QString::fromStdString(h->TextAt(1, c))) < h->columnWidth(c));
    QVERIFY(SaveShot(w, "results_window_history.png"));

    // Hidden again: the run table takes the room back.
    w->mnuHideHistory->trigger();
    QCOMPARE(tbl.HistoryDisplay, int16_t(0));
    QVERIFY(!w->Grid1->isVisible() && !w->Label2->isVisible());
    QCOMPARE(w->grdOUT->height(), int(0.88 * H));
  }

  void historyMenuChecks() {
    frmDispGrid* w = Show(0);
    const std::tuple<QAction*, int16_t, bool, bool, bool> steps[] = {
        {w->mnuShowHistory, 1, true, false, false},
        {w->mnuAlwaysShowHistory, 2, false, true, false},
        {w->mnuHideHistory, 0, false, false, true}};
    for (auto [item, display, show, always, hide] : steps) {
      item->trigger();
      w->mnuHistory_Click();
      QCOMPARE(tbl.HistoryDisplay, display);
      QCOMPARE(w->Grid1->isVisible(), display != 0);
      QCOMPARE(w->mnuShowHistory->isChecked(), show);
      QCOMPARE(w->mnuAlwaysShowHistory->isChecked(), always);
      QCOMPARE(w->mnuHideHistory->isChecked(), hide);
    }
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

  void clickedCellsAreDefined() {
    frmDispGrid* w = Show(0);
    Grid* g = w->grdOUT;
    // A real click on the MPH cell of the 1000 ft row.
    QRect cell = g->visualItemRect(g->item(13, 2));
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(scene->BoxCount(), 1);
    QCOMPARE(scene->Box(0).title, std::string("Definitions of Results"));
    QCOMPARE(scene->Box(0).prompt, std::string("MPH  =  121.5 at the conditions:\r\r9.81 sec,    121.5 MPH,    1000 "
                                               "feet     into the run.\r\rDefinition of MPH:  Speed of the car in "
                                               "miles per hour."));
    QCOMPARE(w->ClickedRow, int16_t(14));
    QCOMPARE(w->ClickedCol, int16_t(2));

    // While the grid is being refilled a click does nothing.
    GridReady = 0;
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(scene->BoxCount(), 1);
    GridReady = 1;

    // A heading has no value: its definition alone.
    g->SetRow(0);
    g->SetCol(6);
    w->grdOUT_Click();
    QCOMPARE(scene->LastBox().prompt, std::string("Definition of 'EngRPM':  Engine RPM (crankshaft speed)."));

    // A history column: line 12 + column, the heading in quotes.
    w->mnuAlwaysShowHistory->trigger();
    w->Grid1->SetRow(3);
    w->Grid1->SetCol(2);
    w->mnuGridShowHelp->trigger();
    QCOMPARE(w->ClickedCol, int16_t(13));
    QCOMPARE(scene->LastBox().prompt,
             std::string("Definition of 'Dnsy Alt':  Density altitude in feet: the altitude at which standard air "
                         "would be as thin as the air of this run. The higher it is the less power the engine "
                         "makes."));
    QCOMPARE(scene->LastBox().title, std::string(""));
    QCOMPARE(w->Grid1->Row(), 0);  // the lookup reads the heading cell
  }

  void historyCommandsOnTheHeadingRowDoNothing() {
    frmDispGrid* w = Show(2);
    w->Grid1->SetRow(0);
    w->Grid1->SetCol(0);
    w->mnuGridRename->trigger();
    w->mnuGridOpen_Click();
    w->mnuGridTimeSlip->trigger();
    QCOMPARE(scene->BoxCount(), 0);
    QVERIFY(!frmTimeSlip::IfLoaded());
    // A row that never ran has no slip; rename and open get the refusals.
    w->Grid1->SetRow(6);
    w->mnuGridTimeSlip->trigger();
    QVERIFY(!frmTimeSlip::IfLoaded());
    QCOMPARE(scene->BoxCount(), 0);
    w->mnuGridRename->trigger();
    w->mnuGridOpen_Click();
    QCOMPARE(scene->BoxCount(), 2);
    QCOMPARE(scene->Box(0).prompt,
             std::string("Distance = 0, there for this is not a valid test and can not be Renamed."));
    QCOMPARE(scene->Box(1).prompt,
             std::string("Distance = 0, there for this is not a valid test and can not be Opened."));
  }

  void historyPopUpAtThePointer() {
    frmDispGrid* w = Show(2);
    Grid* h = w->Grid1;
    QRect cell = h->visualItemRect(h->item(1, 6));  // entry 1, its ET
    // Any button opens it, the left one too.
    for (Qt::MouseButton button : {Qt::RightButton, Qt::LeftButton}) {
      QTest::mouseClick(h->viewport(), button, {}, cell.center());
      QTRY_VERIFY(w->mnuGridPopUp->isVisible());
      QCOMPARE(h->Row(), 2);
      QCOMPARE(h->Col(), 6);
      w->mnuGridPopUp->hide();
    }
  }

  // An empty title or Cancel keeps the old one; a new one shows at once.
  void renameTest() {
    frmDispGrid* w = Show(2);
    w->Grid1->SetRow(2);
    w->Grid1->SetCol(4);
    scene->ui.Type("");
    scene->ui.CancelInput();
    scene->ui.Type("Baseline: old slicks");
    w->mnuGridRename->trigger();
    QCOMPARE(scene->Box(0).prompt, std::string("Enter a Test Title"));
    QCOMPARE(scene->Box(0).title, std::string("Edit Test Title"));
    QCOMPARE(scene->Box(0).defaultText, std::string("MUSCLE69: Mon Dec 7 26  7:58 pm"));
    w->mnuGridRename->trigger();
    QCOMPARE(tbl.HistoryTitle[1], std::string("MUSCLE69: Mon Dec 7 26  7:58 pm"));
    QCOMPARE(w->Grid1->TextAt(2, 0), std::string("MUSCLE69: Mon Dec 7 26  7:58 pm"));
    w->mnuGridRename->trigger();
    QCOMPARE(tbl.HistoryTitle[1], std::string("Baseline: old slicks"));
    QCOMPARE(w->Grid1->TextAt(2, 0), std::string("Baseline: old slicks"));
    QCOMPARE(w->ClickedRow, int16_t(2));
    QCOMPARE(w->ClickedCol, int16_t(4));
  }

  // Clearing keeps the newest run and its row; the others show empty titles
  // and zero values, with empty improvements.
  void clearHistory() {
    tbl.HistoryTitle[25] = "slot 25";
    frmDispGrid* w = Show(2);
    scene->ui.Answer(ans::No);
    w->mnuClearHistory->trigger();
    QCOMPARE(tbl.HistoryEt[1], std::string("11.55"));
    QCOMPARE(scene->Box(0).prompt,
             std::string("Clear out the History Log of the last 25 tests?\r\rIf you think you might want to review "
                         "the results or recall any of the specs which produced these last 25 runs, answer No."));
    QCOMPARE(scene->Box(0).title, std::string("Clear Out the History Log"));
    QCOMPARE(scene->Box(0).style, mb::YesNo + mb::Question + mb::DefaultButton2);

    scene->ui.Answer(ans::Yes);
    w->mnuClearHistory->trigger();
    QCOMPARE(tbl.HistoryEt[0], std::string("11.48"));
    QCOMPARE(tbl.HistoryLength[0], 1320.0);
    for (int i = 1; i <= 24; ++i) {
      QVERIFY(tbl.HistoryTitle[i].empty() && tbl.HistoryEt[i].empty() && tbl.History60ft[i].empty());
      QVERIFY(tbl.HistoryMph[i] == 0 && tbl.HistoryLength[i] == 0);
      QVERIFY(tbl.HistoryDensAlt[i] == 0 && tbl.HistoryDryDensAlt[i] == 0);
    }
    // The marks and the file letters stay; slot 25 is never touched.
    QCOMPARE(tbl.History330ft[1], std::string("4.69"));
    QCOMPARE(tbl.HistoryName[1], std::string("B"));
    QCOMPARE(tbl.HistoryTitle[25], std::string("slot 25"));
    Grid* h = w->Grid1;
    QCOMPARE(h->TextAt(1, 6), std::string("11.48"));
    QCOMPARE(h->TextAt(1, 7), std::string(""));  // nothing left to compare with
    QCOMPARE(h->TextAt(2, 0), std::string(""));
    QCOMPARE(h->TextAt(2, 6), std::string(""));
    QCOMPARE(h->TextAt(2, 8), std::string(".00"));
    // No earlier run: "Last" and "Improvement" stay empty.
    QCOMPARE(Text(w->Label1[2]), std::string("11.48\n\n"));
  }

  // Closing hands RunLogRows + 2 rows to the base run, unless the racer
  // fixed the base run; the main window's panels come back either way.
  void closingHandsTheRunToTheGraphs() {
    PanelWatch watch;
    SetWindows(&watch);
    frmDispGrid* w = Show(0);
    tbl.BaseRun[3][200] = 42;
    w->mnuClose->trigger();
    Settle();
    QVERIFY(!frmDispGrid::IfLoaded());
    QCOMPARE(watch.enabled, 1);
    QCOMPARE(tbl.BaseRunRows, int16_t(120));
    QCOMPARE(cfg.BaseRunMode, int16_t(1));
    for (int r = 0; r <= 121; ++r)
      for (int c = 0; c <= 8; ++c) QCOMPARE(tbl.BaseRun[c][r], tbl.RunLog[c][r]);
    QCOMPARE(tbl.BaseRun[0][122], 0.0);
    QCOMPARE(tbl.BaseRun[9][5], 0.0);    // column 9 is not part of the base run
    QCOMPARE(tbl.BaseRun[3][200], 0.0);  // the old base run is gone

    cfg.BaseRunMode = 2;
    tbl.BaseRunRows = 7;
    tbl.BaseRun[1][1] = -5;
    w = Show(0);
    QTest::keyClick(w, Qt::Key_Escape);  // the hidden Back button
    Settle();
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
    QCOMPARE(scene->BoxCount(), 0);
    QCOMPARE(tbl.HistoryDisplay, int16_t(2));
    QVERIFY(frmDispGrid::IfLoaded() && w->isVisible());
    tbl.CalcRunning = false;
  }

  void saveFirstThenRetrieve() {
    struct SaveWatch : FileWindows {
      int shown = 0;
      void ShowSaveAsForm() override { ++shown; }
    } watch;
    SetFileWindows(&watch);
    // A history copy of entry 1 whose key lines match.
    std::string copy = "QVZ-ZKT*3.20\r\n11.55\r\n 127.1 \r\n1.66\r\n";
    for (int k = 0; k < 241; ++k) copy += "1\r\n";
    scene->Write("QVHISTRY/B", copy);
    fst.SpecsChanged = 1;
    fst.CurrentFileName = "MUSCLE69";
    frmDispGrid* w = Show(2);
    scene->ui.Answer(ans::Yes);
    w->Grid1->SetRow(2);
    w->mnuGridOpen_Click();
    QCOMPARE(watch.shown, 1);
    QCOMPARE(fst.FileOperation, int16_t(-4));
    QCOMPARE(fst.HistorySlot, int16_t(1));
    // Until the save is done (Cancel there keeps it all), the window shows
    // the run as it was; the save-as window marks and closes it afterwards.
    QCOMPARE(tbl.FromHistory, int16_t(0));
    QVERIFY(!w->Label1[2]->text().isEmpty() && !w->Label1[4]->text().isEmpty());
    w->ShowRetrievalUnderWay();
    QCOMPARE(Text(w->Panel3D1[0]), std::string("Notes Summary:"));
    QVERIFY(w->Label1[2]->text().isEmpty() && w->Label1[4]->text().isEmpty());
    QVERIFY(!w->Label1[6]->text().isEmpty());
    QVERIFY(frmDispGrid::IfLoaded());
    SetFileWindows(nullptr);
  }

  void beginnerMessageOncePerRun() {
    tbl.BeginnerLevel = 1;
    tbl.RunTotal3 = 4;  // 35 % limited
    frmDispGrid* w = Show(0);
    QCOMPARE(scene->BoxCount(), 1);
    QCOMPARE(scene->Box(0).title, std::string("Beginner Level Help"));
    QVERIFY(w->SummaryEmphasis());
    QVERIFY(w->Panel3D1[0]->font().bold());
    QCOMPARE(Text(w->Panel3D1[0]),
             std::string("Notes Summary:  Tire Traction Very Low.  Click on Notes for more Details."));
    w->mnuShowHistory->trigger();  // a refill of the same run
    QCOMPARE(scene->BoxCount(), 1);
    QVERIFY(SaveShot(w, "results_window_beginner.png"));
  }

  void refusalsAfterAHistoryRetrieval() {
    frmDispGrid* w = Show(0);
    tbl.FromHistory = 1;
    w->cmdNotes->click();
    w->cmdGraph_Click();
    w->mnuAnalyze_Click();
    QCOMPARE(scene->BoxCount(), 3);
    const char* what[] = {"Notes", "Graphs", "Analysis"};
    for (int i = 0; i < 3; ++i)
      QCOMPARE(scene->Box(i).prompt, std::string(what[i]) + " not available after retrieving a file from History "
                                                            "until you recalculate performance.");
  }

  // --- the time slip

  void timeSlipOfTheNewestRun() {
    frmDispGrid* w = Show(0);
    w->mnuTimeSlip->trigger();
    frmTimeSlip* s = frmTimeSlip::IfLoaded();
    QVERIFY(s);
    QVERIFY(QTest::qWaitForWindowExposed(s));
    QCOMPARE(s->windowTitle(), QString("Time Slip"));
    QCOMPARE(s->Command1[0]->text(), QString("Close (back)"));
    QCOMPARE(s->Command1[1]->text(), QString("Print"));
    QCOMPARE(FromQ(s->Text1->toPlainText()),
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
    QVERIFY(SaveShot(s, "time_slip.png"));
  }

  void timeSlipOfAHistoryRowAndItsPlace() {
    frmDispGrid* w = Show(2);
    w->Grid1->SetRow(3);  // entry 2: an eighth-mile run
    w->mnuGridTimeSlip->trigger();
    QCOMPARE(SlipRun, int16_t(2));
    frmTimeSlip* s = frmTimeSlip::IfLoaded();
    QVERIFY(s);
    QVERIFY(QTest::qWaitForWindowExposed(s));
    QCOMPARE(FromQ(s->Text1->toPlainText()),
             std::string("Sun Dec 6 26  3:12 pm\nTime Slip For:\n   BRACKET\n\n"
                         "RT                    .500\n"
                         "60 ft                  1.41\n"
                         "330 ft                3.92\n"
                         "1/8 ET              6.21\n"
                         "1/8 MPH          105.44\n"));
    QVERIFY(SaveShot(s, "time_slip_eighth.png"));

    // First opening on a wide screen: the designed place; closing keeps it.
    const bool wide = PixelsToTwips(s->screen()->geometry().width(), s) > 11000;
    QCOMPARE(cfg.TimeSlipTop, wide ? 1575 : 0);
    QCOMPARE(cfg.TimeSlipLeft, wide ? 9435 : 0);
    s->setGeometry(QRect(QPoint(TwipsToPixels(3000, s), TwipsToPixels(1500, s)), s->size()));
    s->Command1[0]->click();
    QVERIFY(!frmTimeSlip::IfLoaded());
    QVERIFY(std::abs(cfg.TimeSlipLeft - 3000) <= 15);
    QVERIFY(std::abs(cfg.TimeSlipTop - 1500) <= 15);

    // Opening again comes back there.
    SlipRun = 0;
    frmTimeSlip::ShowAgain();
    s = frmTimeSlip::IfLoaded();
    QCOMPARE(s->geometry().topLeft(), QPoint(TwipsToPixels(cfg.TimeSlipLeft, s), TwipsToPixels(cfg.TimeSlipTop, s)));
    QVERIFY(s->Text1->toPlainText().contains("1/4 MPH"));
  }

  void timeSlipPrintsToPdf() {
    QString pdf = QString::fromStdString(scene->file("slip.pdf").string());
    SetPrintToPdfForTest(pdf);
    SlipRun = 0;
    frmTimeSlip::ShowAgain();
    frmTimeSlip* s = frmTimeSlip::IfLoaded();
    QVERIFY(QTest::qWaitForWindowExposed(s));
    s->Command1[1]->click();
    SetPrintToPdfForTest(QString());
    QVERIFY(!s->Picture5.isNull());
    QCOMPARE(s->Picture5.image.size(), s->grab().size());
    QCOMPARE(scene->Read("slip.pdf").rfind("%PDF", 0), size_t(0));
    QVERIFY(!scene->ui.busy());
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

  // Closing and opening the slip ten times leaves it where it was; a place
  // remembered on a screen no longer there comes back wholly onto the
  // screen; Escape closes the slip.
  void timeSlipStaysPutAndComesBackOnScreen() {
    Show(0);
    SlipRun = 0;
    frmTimeSlip::ShowAgain();
    frmTimeSlip* s = frmTimeSlip::IfLoaded();
    const QRect area = s->screen()->availableGeometry();
    const QPoint place = area.topLeft() + QPoint(120, 90);
    s->setGeometry(QRect(place, s->size()));
    const QRect frame = s->frameGeometry();
    for (int cycle = 0; cycle < 10; ++cycle) {
      frmTimeSlip::ShowAgain();  // closes it, then opens it again
      s = frmTimeSlip::IfLoaded();
      QVERIFY(QTest::qWaitForWindowExposed(s));
      QCOMPARE(s->frameGeometry(), frame);
    }
    for (const auto& [left, top] : {std::pair{-60000, 1500}, std::pair{1500, -9000}, std::pair{300000, 300000}}) {
      cfg.TimeSlipLeft = left;
      cfg.TimeSlipTop = top;
      frmTimeSlip::ShowAgain();
      s = frmTimeSlip::IfLoaded();
      QVERIFY(QTest::qWaitForWindowExposed(s));
      QVERIFY2(area.contains(s->frameGeometry()), qPrintable(QString("%1, %2 twips").arg(left).arg(top)));
      Activate(s);
      QTest::keyClick(s->Text1, Qt::Key_Escape);
      Settle();
      QVERIFY(!frmTimeSlip::IfLoaded());
    }
  }

  // Shrunk as far as it goes, the window still shows the panel, its buttons
  // and four rows of the run table (and two of the history); the tables
  // scroll.
  void smallestWindowKeepsThePanelAndSomeRows() {
    for (int16_t history : {int16_t(0), int16_t(2)}) {
      frmDispGrid* w = Show(history);
      w->resize(300, 200);
      QCoreApplication::processEvents();
      const QRect inside = w->centralWidget()->rect();
      for (QWidget* c : std::initializer_list<QWidget*>{w->Panel3D1[1], w->cmdNotes, w->Command1, w->cmdGraph,
                                                         w->cmdPrint, w->Panel3D1[0], w->grdOUT})
        QVERIFY2(inside.contains(c->geometry()), qPrintable(c->objectName()));
      auto rowsShown = [](Grid* g) {
        return (g->viewport()->height()) / g->verticalHeader()->defaultSectionSize();
      };
      QVERIFY(rowsShown(w->grdOUT) >= 4);
      QVERIFY(w->grdOUT->verticalScrollBar()->maximum() > 0);
      if (history) {
        QVERIFY(inside.contains(w->Grid1->geometry()));
        QVERIFY(rowsShown(w->Grid1) >= 2);
        QVERIFY(w->Grid1->verticalScrollBar()->maximum() > 0);
        QVERIFY(w->grdOUT->geometry().bottom() <= w->Label2->y());
      }
      QVERIFY(SaveShot(w, history ? "results_smallest_history.png" : "results_smallest.png"));
      frmDispGrid::Unload();
      Settle();
    }
  }

  // A greyed command on the menu bar says why it is grey; the commands that
  // work show no tooltip of their caption.
  void greyedMenuBarItemsSayWhy() {
    frmDispGrid* w = Show(0);
    QMenuBar* bar = w->menuBar();
    MarkNotAvailableYet(w->mnuTimeSlip);  // as a command of a later version is
    for (QAction* a : {w->mnuClose, w->mnuGraph, w->mnuAnalyze, w->mnuTimeSlip}) {
      const QRect r = bar->actionGeometry(a);
      QHelpEvent tip(QEvent::ToolTip, r.center(), bar->mapToGlobal(r.center()));
      QCoreApplication::sendEvent(bar, &tip);
      QCOMPARE(QToolTip::isVisible(), a == w->mnuTimeSlip);
    }
    QCOMPARE(QToolTip::text(), QString(kNotAvailableYet));
    QToolTip::hideText();
  }

  // "Last" and "Improvement" compare with the run before only when it went
  // the same distance (track choice 0 a quarter mile, 1 an eighth).
  void lastAndImprovementOnlyAgainstTheSameDistance() {
    QVERIFY(FixtureCar());
    for (const auto& [track, compared] : {std::pair{"0", false}, std::pair{"0", true}, std::pair{"1", false},
                                          std::pair{"1", true}}) {
      SpecAt(kConditions, 7) = track;
      PressF2();
      frmDispGrid* w = frmDispGrid::IfLoaded();
      const std::string et = tbl.HistoryEt[0], mph = Format(tbl.HistoryMph[0], "###.00");
      const std::string last = compared ? tbl.HistoryEt[1] + "\n" + Format(Val(tbl.HistoryEt[1]) - Val(et), "####.00")
                                        : "\n";
      QCOMPARE(Text(w->Label1[2]), et + "\n" + last);
      QCOMPARE(Text(w->Label1[4]).substr(0, mph.size() + 1), mph + "\n");
      QCOMPARE(Text(w->Label1[4]).size() == mph.size() + 2, !compared);
      QCOMPARE(Text(w->Label1[6]).size() == tbl.History60ft[0].size() + 2, !compared);
    }
  }

  // --- F2 on the fixture car: the real run

  void f2ShowsTheRunsFinish() {
    QVERIFY(FixtureCar());
    const double trap = PressF2();
    QVERIFY(tbl.FinishRow > 1);
    frmDispGrid* w = frmDispGrid::IfLoaded();
    QVERIFY(w && w->isVisible());
    const int f = tbl.FinishRow;
    const std::string et = tbl.HistoryEt[0], mph = Format(trap / 1.467, "###.00");
    QVERIFY2(Val(et) > 9 && Val(et) < 16, et.c_str());
    QCOMPARE(w->grdOUT->TextAt(f, 1), et);
    QCOMPARE(w->grdOUT->TextAt(f, 4), std::string("1320"));
    QCOMPARE(Val(w->grdOUT->TextAt(f, 2)), Val(tbl.ResultsText[2][f]));
    QCOMPARE(Text(w->Label1[2]).substr(0, et.size()), et);
    QCOMPARE(Text(w->Label1[4]).substr(0, 6), mph);  // the run's trap speed
    // The history grid's new top row is this run.
    QCOMPARE(w->Grid1->TextAt(1, 0).rfind(std::string(test::kMuscleCar) + ": ", 0), size_t(0));
    QCOMPARE(w->Grid1->TextAt(1, 1), std::string("1320"));
    QCOMPARE(w->Grid1->TextAt(1, 6), et);
    QCOMPARE(w->Grid1->TextAt(1, 8), mph);
    QCOMPARE(w->Grid1->TextAt(2, 0), std::string(""));
    QVERIFY(scene->Exists("QVHISTRY/A"));
    QVERIFY(SaveShot(w, "results_after_f2.png"));
    // The save-as window closes it after a retrieval that followed a save.
    Windows().UnloadResultsWindow();
    QVERIFY(!frmDispGrid::IfLoaded());
  }

  void twentySixthRunPushesOutTheOldest() {
    QVERIFY(FixtureCar());
    PressF2();
    tbl.HistoryTitle[0] = "THE FIRST RUN";
    for (int run = 2; run <= 25; ++run) PressF2();
    QCOMPARE(tbl.HistoryTitle[24], std::string("THE FIRST RUN"));
    QCOMPARE(tbl.HistoryName[0], std::string("Y"));
    PressF2();  // the 26th
    for (int i = 0; i < kHistorySlots; ++i) QVERIFY(tbl.HistoryTitle[i] != "THE FIRST RUN");
    QCOMPARE(tbl.HistoryName[0], std::string("A"));
    frmDispGrid* w = frmDispGrid::IfLoaded();
    QVERIFY(w);
    QCOMPARE(w->Grid1->Rows(), 25);
    // Same car, same weather: every improvement is zero.
    QCOMPARE(w->Grid1->TextAt(1, 7), std::string(".00"));
    QCOMPARE(w->Grid1->TextAt(24, 7), std::string(""));
  }

  // With unsaved changes: Cancel changes nothing, No loads the run's specs.
  void retrievingARunBringsItsSpecsBack() {
    QVERIFY(FixtureCar());
    PressF2();
    const std::string runSpecs = tbl.SpecText[1], title = tbl.HistoryTitle[0];
    tbl.SpecText[1] = "502";
    fst.SpecsChanged = 1;
    frmDispGrid* w = frmDispGrid::IfLoaded();
    w->Grid1->SetRow(1);
    scene->ui.Answer(ans::Cancel);
    w->mnuGridOpen_Click();
    QCOMPARE(tbl.SpecText[1], std::string("502"));
    QVERIFY(frmDispGrid::IfLoaded());
    QCOMPARE(scene->LastBox().title, std::string("Update Current File before Retrieving New Vehicle"));
    QCOMPARE(scene->LastBox().prompt, "Save your changes to " + std::string(test::kMuscleCar) +
                                          " ?\r\rChanges you have made to " + test::kMuscleCar +
                                          " since you retrieved it will be lost unless you save them now by "
                                          "clicking on Yes.");
    QCOMPARE(scene->LastBox().style, mb::YesNoCancel + mb::Question);

    scene->ui.Answer(ans::No);
    w->mnuGridOpen_Click();
    QCOMPARE(tbl.SpecText[1], runSpecs);
    QCOMPARE(fst.SpecsChanged, int16_t(1));  // a history copy is not a saved file
    QCOMPARE(scene->LastBox().prompt, "File for:\r\r    " + title + "\r\rsuccessfully retrieved.");
    Settle();
    QVERIFY(!frmDispGrid::IfLoaded());
  }

  // Damaged or cut-off copies are refused and the specs kept; a copy
  // written by version 3.00 is accepted.
  void olderCopiesAndDamagedCopies() {
    QVERIFY(FixtureCar());
    PressF2();
    const std::string copy = "QVHISTRY/" + tbl.HistoryName[0];
    const std::string bytes = scene->Read(copy);
    QCOMPARE(bytes.rfind("QVZ-ZKT*3.20\r\n", 0), size_t(0));
    const size_t l3 = bytes.find("\r\n", bytes.find("\r\n") + 2) + 2;
    std::string damaged = bytes;
    damaged.insert(l3, "1");  // the MPH line belongs to another run
    frmDispGrid* w = frmDispGrid::IfLoaded();
    w->Grid1->SetRow(1);
    for (const std::string& text : {damaged, bytes.substr(0, bytes.find("\r\n", l3 + 10) + 2)}) {
      scene->Write(copy, text);
      tbl.SpecText[1] = "502";
      const int shown = scene->BoxCount();
      w->mnuGridOpen_Click();
      QCOMPARE(scene->BoxCount(), shown + 1);
      QCOMPARE(scene->LastBox().prompt, kLostCopy);
      QCOMPARE(tbl.SpecText[1], std::string("502"));
      QVERIFY(frmDispGrid::IfLoaded());
    }

    scene->Write(copy, "QVZ-ZKT*3.00" + bytes.substr(12));
    fst.SpecsChanged = 0;
    w->mnuGridOpen_Click();
    QCOMPARE(scene->LastBox().prompt.rfind("File for:", 0), size_t(0));
    QVERIFY(tbl.SpecText[1] != "502");
  }
};

QTEST_MAIN(ResultsWindowTest)
#include "results_window_qtest.moc"
