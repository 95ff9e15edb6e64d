// The results graph and its options: series, legends, title and x axis from
// the run log and the base run, the menus, printing, the options window.
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "platform/qt/chart.h"
#include "platform/qt/default_instance.h"
#include "platform/qt/keyboard_access.h"
#include "platform/qt/printer.h"
#include "platform/qt/qt_ui.h"
#include "results/frm_disp_grid.h"
#include "results/frm_gr_options.h"
#include "results/frm_graph.h"
#include "results/graph_plot.h"
#include "results/results_fixture.h"
#include "shell/frm_main.h"
#include "shell/shell_fixture.h"
#include "simulation/calculate.h"
#include "support/pdf_pages.h"
#include "support/qt/screen_reader.h"

using namespace sw;
using namespace sw::chart;

namespace {

// A run log of `rows` samples, the last at tEnd s; column c of row r is
// 100 c + r (base runs add 0.5).
void FillLog(double (&log)[kRunLogCols][kRunLogRows], int rows, double tEnd, double offset) {
  for (auto& col : log)
    for (double& v : col) v = 0;
  for (int r = 0; r <= std::min(rows + 1, kRunLogRows - 1); ++r) {
    log[0][r] = tEnd * r / std::max(rows, 1);
    for (int c = 1; c < kRunLogCols; ++c) log[c][r] = 100 * c + r + offset;
  }
}

std::vector<QString> Legends(const Chart& c) {
  std::vector<QString> out;
  for (int s = 1; s <= c.SetCount(); ++s) out.push_back(c.LegendOf(s));
  return out;
}

void Labels(const char* base, const char* current, const char* title) {
  cfg.GraphLabel1 = base;
  cfg.GraphLabel2 = current;
  cfg.GraphLabel3 = title;
}

}  // namespace

class GraphTest : public QObject {
  Q_OBJECT
  std::unique_ptr<ShellScene> scene;

  Chart& Plot() {
    PlotResultsVsTime();
    return *frmGraph::IfLoaded()->Graph;
  }

 private slots:
  // Enter and Escape as the program handles them in every window.
  void initTestCase() {
    InstallKeyboardAccess([] { return static_cast<QWidget*>(DefaultInstance<frmMain>::IfLoaded()); });
  }
  void init() {
    scene = std::make_unique<ShellScene>();
    cfg.PlotType = 2;
    FillLog(tbl.RunLog, 112, 11.2, 0);
    tbl.RunLogRows = 112;
    FillLog(tbl.BaseRun, 139, 13.9, 0.5);
    tbl.BaseRunRows = 139;
  }
  void cleanup() {
    SetPrintToPdfForTest({});
    scene.reset();
  }

  void xAxisFromTheRunsEnd() {
    struct Case {
      double tEnd, max;
      int divisions;
    } cases[] = {{9.87, 10, 5}, {10.0, 12, 6}, {45, 46, 11}, {0, 2, 1}, {200, 202, 12}, {-1, 0, 0}};
    for (const Case& c : cases) QCOMPARE(std::pair(XAxisFor(c.tEnd).max, XAxisFor(c.tEnd).divisions), std::pair(c.max, c.divisions));
  }

  // Base 13.9 s, current 11.2 s: the axis to 14 s in 7 divisions, the
  // current run's points past its end flagged and not drawn.
  void currentRunBesideTheBaseRun() {
    Chart& c = Plot();
    QCOMPARE(c.Get(kXMax), 14.0);
    QCOMPARE(c.Get(kXDivisions), 7.0);
    QCOMPARE(c.Get(112), -2.0);
    QCOMPARE(c.Get(kPoints), 139.0);
    QCOMPARE(c.SetCount(), 2);
    QCOMPARE(Legends(c), (std::vector<QString>{"MPH", "Base MPH"}));
    QCOMPARE(c.Title(), QString(" Stagewell v3.2      MPH vs Sec "));
    QVERIFY(!c.NoDataAt(1, 112) && c.NoDataAt(1, 113) && !c.NoDataAt(2, 139));
    QCOMPARE(c.DrawnPoints(1), 112);
    QCOMPARE(c.DrawnPoints(2), 139);
    QCOMPARE(c.YOf(1, 5), 205.0);
    QCOMPARE(c.YOf(2, 5), 205.5);
    QCOMPARE(c.XOf(1, 112), 11.2);
  }

  void clutchAndEngineRpmWithTheBase() {
    cfg.PlotType = 8;
    Chart& c = Plot();
    QCOMPARE(c.SetCount(), 4);
    QCOMPARE(Legends(c), (std::vector<QString>{"Clutch or Converter RPM", "Engine RPM", "Base Clutch or Converter RPM",
                                               "Base Engine RPM"}));
    QCOMPARE((std::vector<double>{c.YOf(1, 3), c.YOf(2, 3), c.YOf(3, 3), c.YOf(4, 3)}),
             (std::vector<double>{803, 103, 803.5, 103.5}));
    QCOMPARE(cfg.PlotType, int16_t(8));
    QCOMPARE(c.Title(), QString(" Stagewell v3.2      Clutch or Converter RPM vs Sec "));
  }

  void baseRunLeftOut() {
    struct Case {
      int16_t show, mode;
      int sets;
    } cases[] = {{-1, 0, 1}, {0, 1, 1}, {0, 2, 1}, {-1, 2, 2}, {-1, 3, 1}, {1, 1, 1}};
    for (const Case& k : cases) {
      cfg.ShowBaseRun = k.show;
      cfg.BaseRunMode = k.mode;
      Chart& c = Plot();
      QCOMPARE(c.SetCount(), k.sets);
      // Points are counted over both runs either way; the axis follows the
      // runs drawn.
      QCOMPARE(c.Get(kPoints), 139.0);
      QCOMPARE(c.Get(kXMax), k.sets == 2 ? 14.0 : 12.0);
    }
  }

  void ownLabels() {
    cfg.StandardGraphLabels = 0;
    Labels("", "", "");
    Chart& c = Plot();
    QCOMPARE(Legends(c), (std::vector<QString>{"", ""}));
    QCOMPARE(c.Title(), QString("Stagewell v3.2  "));
    Labels("Before", "Now", "Test day");
    cfg.PlotType = 8;
    Plot();
    QCOMPARE(Legends(c), (std::vector<QString>{"Now", "Now", "Before", "Before"}));
    QCOMPARE(c.Title(), QString("Stagewell v3.2  Test day"));
  }

  // Stored values a damaged configuration or base run file may hold.
  void damagedValues() {
    for (int16_t type : {int16_t(0), int16_t(-4), int16_t(9), int16_t(1000)}) {
      cfg.PlotType = type;
      Chart& c = Plot();
      QCOMPARE(cfg.PlotType, int16_t(1));
      QCOMPARE(c.LegendOf(1), QString("Engine RPM"));
    }
    tbl.RunLogRows = 5000;
    tbl.BaseRunRows = -7;
    Chart& c = Plot();
    QCOMPARE(c.Get(kPoints), double(kMaxLoggedRows));
    QCOMPARE(c.DrawnPoints(2), 0);
    QCOMPARE(LoggedRows(-3), 0);
    QCOMPARE(LoggedRows(400), 309);
  }

  void windowMenusAndDataTypes() {
    tbl.CalcRunning = true;  // nothing while a calculation runs
    PlotResultsVsTime();
    QVERIFY(!frmGraph::IfLoaded());
    tbl.CalcRunning = false;
    frmGraph::ShowGraph();
    frmGraph* g = frmGraph::IfLoaded();
    QVERIFY(g && g->isVisible());
    QCOMPARE(g->mnuDataType[8]->text(), QString("Clutch or Converter && Engine RPM"));
    g->mnuGraphDataTypes_Click();
    for (int t = 1; t <= 8; ++t) QCOMPARE(g->mnuDataType[t]->isChecked(), t == 2);
    g->mnuDataType[5]->trigger();
    QCOMPARE(cfg.PlotType, int16_t(5));
    QCOMPARE(g->Graph->LegendOf(1), QString("Engine HP"));
    g->resize(820, 580);
    Settle();
    SaveShot(g, "graph_window.png");
    QTest::keyClick(g, Qt::Key_Escape);
    Settle();
    QVERIFY(!frmGraph::IfLoaded());
  }

  // Printing without a printer: a PDF in colour and one in black and white;
  // the screen keeps its own look.
  void printedInColourAndBlackAndWhite() {
    cfg.GraphBackColor = 0;
    frmGraph::ShowGraph();
    frmGraph* g = frmGraph::IfLoaded();
    for (int16_t colour : {int16_t(1), int16_t(0)}) {
      cfg.GraphPrintColor = colour;
      const QString pdf = QString::fromStdString(scene->path("graph" + std::to_string(colour) + ".pdf"));
      SetPrintToPdfForTest(pdf);
      g->mnuPrint->trigger();
      QCOMPARE(PdfPages(pdf), 1);
      QCOMPARE(g->Graph->View()->chart()->backgroundBrush().color(), QColor(Qt::black));
      QCOMPARE(g->Graph->Get(kBackground), 0.0);
      QCOMPARE(g->Graph->PatternOf(1), kDashDot);
    }
    QCOMPARE(g->Graph->Get(kPrintStyle), 2.0);
    QImage bw = g->Graph->ToImage(QSize(500, 350), Chart::Look::Print);
    bw.save(QCoreApplication::applicationDirPath() + "/screenshots/graph_print_bw.png");
    // The options window's Print Now; a print that can not be written says so.
    frmGrOptions::Open();
    frmGrOptions* o = frmGrOptions::IfLoaded();
    QCOMPARE(TextsOf(o->Command1), QStringList({"Print Now", "Windows Printer Setup"}));
    cfg.GraphPrintColor = 1;
    o->Option3D5->click();
    QCOMPARE(cfg.GraphPrintColor, int16_t(0));
    SetPrintToPdfForTest(QString::fromStdString(scene->path("now.pdf")));
    o->Command1[0]->click();
    QCOMPARE(PdfPages(scene->path("now.pdf")), 1);
    SetPrintToPdfForTest(QString::fromStdString(scene->path("no such folder/x.pdf")));
    scene->ui.Clear();
    o->Command1[0]->click();
    QCOMPARE(scene->BoxCount(), 1);
    QCOMPARE(scene->LastBox().prompt, std::string("The graph could not be printed."));
  }

  // The results window's Graph button, and its refusal after a history
  // retrieval.
  void reachedFromTheResults() {
    testing::SetLastRun();
    ShowResultsAndNotes();
    frmDispGrid* r = frmDispGrid::IfLoaded();
    QVERIFY(r);
    tbl.FromHistory = 1;
    r->cmdGraph->click();
    QVERIFY(!frmGraph::IfLoaded());
    QCOMPARE(scene->LastBox().prompt,
             std::string("Graphs not available after retrieving a file from History until you recalculate performance."));
    tbl.FromHistory = 0;
    r->cmdGraph->click();
    QVERIFY(frmGraph::IfLoaded() && frmGraph::IfLoaded()->isVisible());
    QCOMPARE(frmGraph::IfLoaded()->Graph->DrawnPoints(1), 120);
  }

  // The fixture muscle car with its previous run (a 4.10 axle) as the base
  // run of its run on a 3.73 axle.
  void fixtureCarBesideItsPreviousRun() {
    std::filesystem::create_directories(scene->file("QVHISTRY"));
    QVERIFY(test::LoadFixtureVehicle(test::kMuscleCar));
    tbl.BeginnerLevel = 0;
    cfg.PlotType = 1;
    auto calculate = [] {
      tbl.CalcStatus = tbl.CalcMode = tbl.AbortCalc = tbl.QuietCalc = 0;
      double trap = 0, sixty = 0;
      CalculatePerformance(trap, tbl.FinishRow, sixty);
    };
    calculate();
    const int firstRows = tbl.RunLogRows;
    frmDispGrid::Unload();
    Settle();
    QCOMPARE(tbl.BaseRunRows, tbl.RunLogRows);
    SpecAt(kVehicle, 1) = "3.73";
    calculate();
    QVERIFY(frmDispGrid::IfLoaded());
    frmDispGrid::IfLoaded()->cmdGraph->click();
    frmGraph* g = frmGraph::IfLoaded();
    QVERIFY(g);
    Chart& c = *g->Graph;
    QCOMPARE(Legends(c), (std::vector<QString>{"Engine RPM", "Base Engine RPM"}));
    QCOMPARE(c.DrawnPoints(2), firstRows);
    QCOMPARE(c.DrawnPoints(1), int(tbl.RunLogRows));
    const double tEnd = std::max(tbl.RunLog[0][tbl.RunLogRows], tbl.BaseRun[0][tbl.BaseRunRows]);
    QVERIFY(c.Get(kXMax) > tEnd && c.Get(kXMax) <= tEnd + 2);
    g->resize(820, 580);
    Settle();
    QVERIFY(SaveShot(g, "graph_fixture_car.png"));
  }

  // --- the options window

  void openingShowsTheStoredChoices() {
    cfg.GraphBackColor = 7;
    cfg.StandardGraphLabels = 1;
    Labels("Before", "Now", "Test day");
    cfg.ThickPlotLines = 0;
    cfg.GraphPrintColor = 0;
    frmGraph::ShowGraph();
    frmGraph::IfLoaded()->mnuOptions_Click();
    frmGrOptions* o = frmGrOptions::IfLoaded();
    QVERIFY(o && o->isVisible());
    QCOMPARE(o->windowTitle(), QString("Options for Making Graphs"));
    for (QRadioButton* b : {o->SSOption1, o->Option3D8, o->Option3D5, o->Option3D9}) QVERIFY(b->isChecked());
    QCOMPARE(cfg.GraphBackColor, int16_t(7));
    QVERIFY(!o->Text1->isEnabled());
    // The labels stay as stored and show in their boxes.
    QCOMPARE(cfg.GraphLabel1 + "|" + cfg.GraphLabel2 + "|" + cfg.GraphLabel3, std::string("Before|Now|Test day"));
    QCOMPARE(TextsOf(std::vector<QLineEdit*>{o->Text2, o->Text1, o->Text3}), QStringList({"Before", "Now", "Test day"}));
    QCOMPARE(o->Combo1->itemText(7), QString("Clutch or Converter RPM & Engine RPM"));
    QCOMPARE(o->Combo1->currentIndex(), 1);
    QCOMPARE(GraphOptionsLoading, int16_t(0));
    o->resize(o->sizeHint());
    SaveShot(o, "graph_options.png");

    // Without the base run: its rule and the copy button are off.
    o->Command3_Click();
    Settle();
    cfg.ShowBaseRun = 0;
    frmGrOptions::Open();
    o = frmGrOptions::IfLoaded();
    QVERIFY(o->Option3D2->isChecked());
    QVERIFY(!o->Command2->isEnabled() && !o->Option3D3->isEnabled() && !o->Option3D4->isEnabled());
  }

  // Under a box a screen reader's pick (a message the event loop hands on) goes back to the data type the list
  // shows: the one the program picked with the list's signals quiet as the window opened, and the one a late
  // activation picked under the box.
  void dataTypePickedByTheProgramStaysUnderABox() {
    frmGraph::ShowGraph();
    frmGrOptions::Open();
    frmGrOptions* o = frmGrOptions::IfLoaded();
    QDialog box(o);
    box.setModal(true), box.show(), Settle();
    for (int16_t plotType : {int16_t(2), int16_t(6)}) {
      cfg.PlotType = plotType;
      QEvent late(QEvent::WindowActivate);
      if (plotType != 2) QApplication::sendEvent(o, &late);
      QMetaObject::invokeMethod(
          o->Combo1, [o] { test::AsScreenReader(o->Combo1, [o] { o->Combo1->setCurrentIndex(3); }); },
          Qt::QueuedConnection);
      Settle();
      QCOMPARE(o->Combo1->currentIndex(), plotType - 1);
    }
  }

  void baseRunFixedByTheRacer() {
    frmGraph::ShowGraph();
    // Opening with a fixed base run copies nothing and asks nothing.
    cfg.BaseRunMode = 2;
    const double before = tbl.BaseRun[1][5];
    scene->ui.Clear();
    frmGrOptions::Open();
    frmGrOptions* o = frmGrOptions::IfLoaded();
    QCOMPARE(scene->BoxCount(), 0);
    QCOMPARE(tbl.BaseRun[1][5], before);
    QVERIFY(o->Option3D4->isChecked());
    o->Command3_Click();
    Settle();

    // Choosing "Baseline is a Selected Run" copies the run and asks for a
    // title; Cancel keeps the old one, a typed one goes in on OK.
    cfg.BaseRunMode = 1;
    cfg.GraphLabel3 = "Old title";
    frmGrOptions::Open();
    o = frmGrOptions::IfLoaded();
    QVERIFY(o->Command2->isEnabled());
    scene->ui.CancelInput();
    o->Option3D4->click();
    QCOMPARE(cfg.BaseRunMode, int16_t(2));
    QCOMPARE(tbl.BaseRunRows, tbl.RunLogRows);
    QCOMPARE(tbl.BaseRun[1][5], tbl.RunLog[1][5]);
    QCOMPARE(scene->LastBox().title, std::string("Enter Baseline Graph Title"));
    QCOMPARE(scene->LastBox().prompt,
             std::string("Current run saved as Baseline run.\r\rTo help remind you of what this Baseline is, you might "
                         "want to enter a new Graph Title now.\r\r(Click on Cancel to leave it unchanged.)"));
    QCOMPARE(o->Text3->text(), QString("Old title"));
    scene->ui.Type("Sunday tune-up");
    o->Command2->click();
    QCOMPARE(o->Text3->text(), QString("Sunday tune-up"));
    QCOMPARE(cfg.GraphLabel3, std::string("Old title"));
    o->Command3->click();
    Settle();
    QCOMPARE(cfg.GraphLabel3, std::string("Sunday tune-up"));
    QVERIFY(!frmGrOptions::IfLoaded());
  }

  void labelsAndDataTypeTakeEffect() {
    cfg.StandardGraphLabels = 0;
    Labels("Before", "Now", "Title");
    frmGraph::ShowGraph();
    frmGraph* g = frmGraph::IfLoaded();
    frmGrOptions::Open();
    frmGrOptions* o = frmGrOptions::IfLoaded();
    QVERIFY(o->Option3D10->isChecked());
    QVERIFY(o->Text1->isEnabled());
    // "~" keeps a label when the standard labels are chosen.
    o->Text2->setText("~");
    o->Text1->setText("Today");
    o->Option3D9->click();
    QCOMPARE(cfg.StandardGraphLabels, int16_t(1));
    QCOMPARE(cfg.GraphLabel1 + "|" + cfg.GraphLabel2, std::string("Before|Today"));
    QVERIFY(!o->Text1->isEnabled());
    o->Option3D10->click();
    QCOMPARE(o->Text2->text(), QString("Before"));

    // A data type picked here shows when OK is pressed.
    o->Combo1->setCurrentIndex(4);
    o->Combo1_Click();
    QCOMPARE(cfg.PlotType, int16_t(5));
    QCOMPARE(g->Graph->LegendOf(1), QString("Now"));
    QCOMPARE(g->Graph->Title(), QString("Stagewell v3.2  Title"));
    o->Option3D12->click();
    o->Text3->setText("Engine HP, new cam");
    o->Command3->click();
    Settle();
    QCOMPARE(g->Graph->Title(), QString("Stagewell v3.2  Engine HP, new cam"));
    QCOMPARE(g->Graph->Get(kBackground), 0.0);
    QCOMPARE(g->Graph->YOf(1, 2), 502.0);

    // Another window of the program coming to the front replots too; the
    // options stay open.
    frmGrOptions::Open();
    o = frmGrOptions::IfLoaded();
    Activate(o);
    o->Text3->setText("Replotted");
    Activate(g);
    QCOMPARE(g->Graph->Title(), QString("Stagewell v3.2  Replotted"));
    QVERIFY(frmGrOptions::IfLoaded());

    // Closing the graph closes its options, without replotting.
    o->Text3->setText("Not used");
    g->close();
    Settle();
    QVERIFY(!frmGrOptions::IfLoaded());
    QCOMPARE(cfg.GraphLabel3, std::string("Replotted"));
  }

  void keyboardOnly() {
    cfg.StandardGraphLabels = 0;
    cfg.GraphPrintColor = 1;
    Labels("Before", "Now", "Title");
    frmGraph::ShowGraph();
    QPointer<frmGraph> g = frmGraph::IfLoaded();
    frmGrOptions::Open();
    QPointer<frmGrOptions> o = frmGrOptions::IfLoaded();
    // A screen reader's action sets an option without clicking it.
    o->Option3D5->toggle();
    QCOMPARE(cfg.GraphPrintColor, int16_t(0));
    // Tab goes down the Print group as it is shown.
    QCOMPARE(o->Command1[1]->nextInFocusChain(), static_cast<QWidget*>(o->Command1[0]));
    // Enter in a label box is OK: the label is kept and drawn.
    Activate(o);
    o->Text3->setFocus();
    o->Text3->setText("Typed title");
    QTest::keyClick(o->Text3, Qt::Key_Return);
    Settle();
    QVERIFY(!o);
    QCOMPARE(cfg.GraphLabel3, std::string("Typed title"));
    QCOMPARE(g->Graph->Title(), QString("Stagewell v3.2  Typed title"));
    // Enter on the Back button goes back.
    Activate(g);
    g->Command1->setFocus();
    QTest::keyClick(g->Command1, Qt::Key_Return);
    Settle();
    QVERIFY(!g);
  }
};

QTEST_MAIN(GraphTest)
#include "graph_qtest.moc"
