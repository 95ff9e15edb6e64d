// The graph window: the chart of the last run against time beside the base
// run, with menus to go back, print, open the graph options, choose the data
// type and get help.
#pragma once

#include <QMainWindow>
#include <array>

class QAction;
class QMenu;
class QPushButton;

namespace sw {

class Chart;

class frmGraph : public QMainWindow {
  Q_OBJECT

 public:
  frmGraph();
  ~frmGraph() override;

  static frmGraph* Default();  // loads the window when needed
  static frmGraph* IfLoaded();
  // Loads the window, plots the last run and shows it.
  static void ShowGraph();

  Chart* Graph;
  QPushButton* Command1;  // outside the visible area: Escape, same as Back

  QAction *mnuClose, *mnuPrint, *mnuOptions, *mnuHelp;
  QMenu* mnuGraphDataTypes;
  // mnuRPMPlot, mnuMPHPlot, mnuFeetPlot, mnuGsPlot, mnuHPPlot,
  // mnuThrottlePlot, mnuClutchPlot, mnuClutchEngineRPM: data types 1..8.
  std::array<QAction*, 9> mnuDataType{};

  void mnuPrint_Click();
  void mnuOptions_Click();
  void mnuGraphDataTypes_Click();
  void DataType_Click(int plotType);
  void mnuHelp_Click();

  // The print steps shared with the options' Print Now: the print look, the
  // chart printed, the screen look back.
  void PrintChart();

 protected:
  void closeEvent(QCloseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
};

}  // namespace sw
