#include "results/frm_graph.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <algorithm>

#include "files/configuration.h"
#include "platform/qt/chart.h"
#include "platform/qt/default_instance.h"
#include "platform/qt/kept_in_front.h"
#include "platform/qt/printer.h"
#include "platform/qt/qt_ui.h"
#include "platform/ui.h"
#include "results/frm_gr_options.h"
#include "results/graph_plot.h"
#include "results/results_links.h"
#include "shell/frm_main.h"
#include "shell/user_actions.h"

namespace sw {

frmGraph::frmGraph() : QMainWindow(nullptr) {
  setAttribute(Qt::WA_DeleteOnClose);
  setObjectName("frmGraph");
  setWindowTitle("");
  setAccessibleName("Graph");
  // Opened from the results, which keep the main window waiting: it stays in
  // front of the main window as they do.
  KeepInFrontOf(this, links::MainWindow());
  cfg.PlotType = static_cast<int16_t>(PlotTypeInUse(cfg.PlotType));

  QMenuBar* bar = menuBar();
  bar->setNativeMenuBar(false);
  mnuClose = bar->addAction("&Back    ");
  mnuPrint = bar->addAction("&Print    ");
  mnuOptions = bar->addAction("Options    ");
  mnuGraphDataTypes = bar->addMenu("Graph Data Types    ");
  const char* const kItems[] = {"", "Engine RPM", "MPH", "Feet", "Accel Gs", "Engine HP", "Throttle %", "Clutch %",
                                "Clutch or Converter && Engine RPM"};
  const char* const kNames[] = {"", "mnuRPMPlot", "mnuMPHPlot", "mnuFeetPlot", "mnuGsPlot", "mnuHPPlot",
                                "mnuThrottlePlot", "mnuClutchPlot", "mnuClutchEngineRPM"};
  for (int t = 1; t <= kPlotTypes; ++t) {
    QAction* a = mnuGraphDataTypes->addAction(kItems[t]);
    a->setObjectName(kNames[t]);
    a->setCheckable(true);
    OnAction(a, &QAction::triggered, this, "DataType_" + std::to_string(t), [this, t] { DataType_Click(t); });
    mnuDataType[t] = a;
  }
  mnuHelp = bar->addAction("Help");
  OnAction(mnuClose, &QAction::triggered, this, "mnuClose", [this] { close(); });
  OnAction(mnuPrint, &QAction::triggered, this, "mnuPrint", [this] { mnuPrint_Click(); });
  OnAction(mnuOptions, &QAction::triggered, this, "mnuOptions", [this] { mnuOptions_Click(); });
  connect(mnuGraphDataTypes, &QMenu::aboutToShow, this, [this] { mnuGraphDataTypes_Click(); });
  OnAction(mnuHelp, &QAction::triggered, this, "mnuHelp", [this] { mnuHelp_Click(); });

  auto* client = new QWidget(this);
  setCentralWidget(client);
  Graph = new Chart(client);
  Graph->setObjectName("Graph");
  Command1 = new QPushButton("Back", client);
  Command1->setObjectName("Command1");
  Command1->setGeometry(-2000, -2000, 60, 20);
  OnAction(Command1, &QPushButton::clicked, this, "Command1", [this] { close(); });
  auto* layout = new QHBoxLayout(client);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(Graph);
  resize(820, 580);
}

frmGraph::~frmGraph() { DefaultInstance<frmGraph>::Forget(this); }

frmGraph* frmGraph::Default() { return DefaultInstance<frmGraph>::Get(); }
frmGraph* frmGraph::IfLoaded() { return DefaultInstance<frmGraph>::IfLoaded(); }

void frmGraph::ShowGraph() {
  Default();
  PlotResultsVsTime();
  ShowOverMainWindow(Default());
}

void frmGraph::closeEvent(QCloseEvent* e) {
  DefaultInstance<frmGraph>::Forget(this);
  // The options belong to this graph.
  frmGrOptions::Unload();
  e->accept();
}

void frmGraph::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
    Command1->click();
    return;
  }
  QMainWindow::keyPressEvent(e);
}

void frmGraph::mnuGraphDataTypes_Click() {
  cfg.PlotType = static_cast<int16_t>(PlotTypeInUse(cfg.PlotType));
  for (int t = 1; t <= kPlotTypes; ++t) mnuDataType[t]->setChecked(t == cfg.PlotType);
}

void frmGraph::DataType_Click(int plotType) {
  cfg.PlotType = static_cast<int16_t>(plotType);
  PlotResultsVsTime();
}

void frmGraph::mnuOptions_Click() { frmGrOptions::Open(); }

void frmGraph::mnuHelp_Click() { links::ShowHelpTopic(800); }

void frmGraph::mnuPrint_Click() {
  SetPrinterOrientation(ProgramPrinter(), cfg.PrinterOrientation);
  PrintChart();
}

void frmGraph::PrintChart() {
  Chart& c = *Graph;
  const bool colour = cfg.GraphPrintColor != 0;
  if (colour) {
    c.Set(chart::kThickness, cfg.ThickPlotLines);
    c.Set(chart::kBackground, 15);
    c.Set(chart::kPrintStyle, 3);
  } else {
    c.Set(chart::kPatterned, 1);
    // Each of up to four series its own pattern: solid, dash, dot, dash-dot.
    for (int s = 1; s <= 4; ++s) {
      c.Set(chart::kSelector, s);
      c.Set(chart::kPattern, s - 1);
    }
    c.Set(chart::kPrintStyle, 2);
  }

  StillLoaded<frmGraph> self(this);
  const bool printed = PrintDocument(this, "Graph", [&c](PrintPage& page) {
    // The chart across the page, no taller than a landscape sheet's shape.
    const double w = page.ScaleWidth();
    const double h = std::min(page.ScaleHeight(), w * 0.75);
    c.SetPrintTarget(&page.Painter(), page.ToPixels(1));
    c.SetAt(chart::kPrintTarget, 2, 0);
    c.SetAt(chart::kPrintTarget, 3, 0);
    c.SetAt(chart::kPrintTarget, 4, w);
    c.SetAt(chart::kPrintTarget, 5, h);
    c.Set(chart::kDrawAction, chart::kPrint);
    c.SetPrintTarget(nullptr, 1);
  });
  if (!printed && LastPrintFailed()) MsgBox("The graph could not be printed.", mb::Exclamation);
  if (!self) return;

  c.Set(chart::kThickness, cfg.ThickPlotLines);
  for (int s = 1; s <= 4; ++s) {
    c.Set(chart::kSelector, s);
    c.Set(chart::kPattern, chart::kDashDot);
  }
  if (colour) c.Set(chart::kBackground, cfg.GraphBackColor);
  c.Set(chart::kDrawAction, chart::kDraw);
}

}  // namespace sw
