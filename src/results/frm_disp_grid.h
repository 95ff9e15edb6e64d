// The results window: the run table of the last run, the current / last /
// improvement panel, the Notes Summary line and, when the racer asks for it,
// the history of the last runs. From here the notes, the definitions of the
// columns, the time slip, the history commands, printing, the graph and the
// analysis report are reached.
#pragma once

#include <QMainWindow>
#include <cstdint>
#include <string>
#include <vector>

#include "results/notes_summary.h"

class QAction;
class QLabel;
class QMenu;
class QPushButton;

namespace sw {

class Grid;

class frmDispGrid : public QMainWindow {
  Q_OBJECT

 public:
  // Creating the window is its load.
  explicit frmDispGrid(QWidget* parent = nullptr);
  ~frmDispGrid() override;

  // The one instance: loaded on first use; nullptr when not loaded.
  static frmDispGrid* Default();
  static frmDispGrid* IfLoaded();
  // Closes the window as Back does (Form_Unload runs once).
  static void Unload();

  // Refills every control from the shared tables and shows the window.
  void Fill();

  // --- controls
  Grid* grdOUT;                   // the run table
  Grid* Grid1;                    // the run history
  std::vector<QLabel*> Panel3D1;  // 0 the Notes Summary line, 1 holds Label1
  std::vector<QLabel*> Label1;    // current / last / improvement panel
  QLabel* Label2;                 // help line above the history grid
  QPushButton* cmdNotes;
  QPushButton* Command1;          // "Cmnts"
  QPushButton* cmdGraph;
  QPushButton* cmdPrint;
  QPushButton* Command2;          // outside the visible area: Escape, same as Back

  // --- menus
  QAction *mnuClose, *mnuGraph, *mnuGraphGraph, *mnuPrint, *mnuPrintPrint, *mnuWorksheet, *mnuPrintSetup,
      *mnuPrgrmPrinterSetup, *mnuAnalyze, *mnuHistory, *mnuHideHistory, *mnuShowHistory, *mnuAlwaysShowHistory,
      *mnuClearHistory, *mnuTimeSlip, *mnuHelp, *mnuCylvane;
  QAction* mnuAsciiFile;  // "Save Results as ASCII File" (under Print)
  QMenu* mnuHistoryMenu;
  QMenu* mnuGridPopUp;
  QAction *mnuGridOpen, *mnuGridShowHelp, *mnuGridRename, *mnuGridTimeSlip;

  // --- form state: the grid cell of the last click
  int16_t ClickedRow = 0;
  int16_t ClickedCol = 0;

  // The summary panel's emphasis (a serious condition was found).
  bool SummaryEmphasis() const { return emphasis_; }

  // --- handlers
  void grdOUT_Click();
  void Grid1_MouseUp(const QPoint& globalPos);
  void cmdNotes_Click();
  void Command1_Click();
  void cmdGraph_Click();
  void mnuAnalyze_Click();
  void mnuPrintSetup_Click();
  void mnuPrgrmPrinterSetup_Click();
  void mnuAsciiFile_Click();
  void mnuHelp_Click();
  void mnuCylvane_Click();
  void mnuTimeSlip_Click();
  void mnuGridTimeSlip_Click();
  void mnuHistory_Click();
  void mnuHideHistory_Click();
  void mnuShowHistory_Click();
  void mnuAlwaysShowHistory_Click();
  void mnuClearHistory_Click();
  void mnuGridOpen_Click();
  // A history run is being retrieved after a save: the notes panel drops
  // the ET and MPH that no longer belong to the specs.
  void ShowRetrievalUnderWay();
  void mnuGridRename_Click();
  void mnuGridShowHelp_Click();
  void ShowResultDefinition();

  // Lays the controls out by fractions of the client area.
  void Form_Resize();
  // Widens the window, up to the screen's width, so every column of the
  // grids shown is in view.
  void FitWidthToGrids();
  // The smallest window that still shows the panel and a few rows of the
  // grids; the grids scroll in it.
  void KeepMinimumSize();

  // Tests: the history retrieval's pause before the window closes.
  static void SetRetrievalPauseMs(int ms);

 protected:
  void closeEvent(QCloseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  void BuildMenus();
  void BuildControls();
  void FillHistoryGrid();
  void SetSummary(const std::string& caption, bool emphasis);
  void SetHistoryDisplay(int16_t display);
  int SummaryHeight(int width) const;
  int GridTop(int width) const;
  void Form_Unload();

  QWidget* client_;
  bool emphasis_ = false;
  bool unloaded_ = false;
  bool placed_ = false;
};

// Fills and shows the results window after a run, a history display change
// or a history clear.
void ShowResultsAndNotes();

}  // namespace sw
