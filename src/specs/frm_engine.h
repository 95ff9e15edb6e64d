// The Engine window, "General Engine Specs": spec menu 1 on the row kit -
// how the power curve is described (row 0), displacement, the peak figures
// and the correction standard - and, for a full power curve, the grid of ten
// points with its plot, its printed page, "Clear", "Calculate" and "Load from
// Cylvane". Rows 1-6 and the grid form the engine example group (name slot
// 13, marker 14 holding the example's own method, Type row 0).
#pragma once

#include <array>
#include <string>
#include <vector>

#include "specs/power_curve_rules.h"
#include "specs/spec_window.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace sw {

class Chart;

class frmEngine : public SpecWindow {
  Q_OBJECT
 public:
  // Creating the window is its load; use ShowSpecWindow(kEngine).
  frmEngine();

  // The grid: Text1 RPM, Text2 torque, Text3 HP; points 0..9 are shown,
  // the eleventh cell of each column is never used.
  std::vector<QLineEdit*> Text1, Text2, Text3;
  std::vector<QLabel*> Label1;       // column headings "RPM", "Tq", "HP" twice
  QGroupBox* Frame3D1 = nullptr;     // "Full Power Curve"
  QGroupBox* Frame3D3 = nullptr;     // " Base Engine Specs "
  QLabel* Label8 = nullptr;          // how to switch the curve on
  Chart* Graph1 = nullptr;           // the power-curve plot
  QPushButton* Command2 = nullptr;   // "Print" of the plot page

  // Draws the plot from the grid as it shows: mode 0 the screen look, 1 the
  // look of the printed page.
  void PlotPowerCurve(int mode);
  // A power curve was imported into SpecText and PowerCurveText: rows 0-6
  // and the grid show it, the plot is redrawn.
  void CurveImported();

  // Handlers of the design, public for the tests that drive them.
  void Command1_Click(int index) override;
  void Command2_Click();

  void StoreSpecRows() override;
  void LeaveEditedRows() override;
  using SpecWindow::GetExample;
  using SpecWindow::SaveExample;

 protected:
  int ExampleKindForList(int row) const override;
  void AfterRowFilled(int row) override;
  const ExampleGroup* GroupOfRow(int row) const override;
  const ExampleGroup* WindowExampleGroup() const override;
  bool ExampleLinked(const ExampleGroup& group) const override;
  void DropExampleLink(const ExampleGroup& group, int fromRow) override;
  void UpdateRowStates() override;
  void Form_Activate() override;
  void Form_Deactivate() override;
  void cmbSpecData_Click(int row) override;
  bool event(QEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  struct CellLeave {
    int column = 0;  // 1 RPM, 2 torque, 3 HP
    int point = 0;
    std::string text;
    std::string textBefore;
    bool typed = false;  // the racer typed into the cell since it was last left
    int fillGeneration = 0;
  };
  QLineEdit* Cell(int column, int point) const;
  CurveGrid GridFigures() const;  // the cells' numbers, 0 for an empty one
  void BuildCurveFrame();
  void FillGridFromPowerCurveText();
  void CurveCell_GotFocus(int column, int point);
  void FlushCellLeaves();
  void EditPowerCurve(int column, std::string text, int point, const std::string& textBefore, bool typed = false);
  // What a cell's new text is: only shown (while refusing it, or put back),
  // the racer's tested entry, or the program's own figure (filled,
  // computed). An entry and a figure are what the cell stands for; a figure
  // passes the leave's range test until the racer changes it.
  enum class CellText { Shown, Entry, Figure };
  void SetCellText(int column, int point, const std::string& text, CellText kind = CellText::Figure);
  std::string StorableCellText(int column, int point) const;
  void MethodPicked();
  void CorrFactorPicked();
  void DropEngineLink(int method);
  bool CurveExampleQuestion();
  bool PeakRpmCheckFails();
  void ShowCurveNotice();
  void OkClicked();
  void ClearCurve();
  void LoadFromCylvane();
  void PrintPlotPage();

  bool loading_ = true;       // until Form_Load has filled the pick lists
  bool gridFilled_ = false;   // the grid has been filled from PowerCurveText
  bool gridAhead_ = false;    // cells hold text PowerCurveText does not have yet
  int gridGeneration_ = 0;
  int gridFilling_ = 0;
  std::array<std::array<std::string, 3>, 11> cellBefore_;
  std::array<std::array<std::string, 3>, 11> cellWritten_;
  std::array<std::array<std::string, 3>, 11> cellProgram_;  // the program's figure, "" once the racer changed it
  std::array<std::array<bool, 3>, 11> cellTyped_{};  // the racer typed into the cell since it was last left
  std::vector<CellLeave> pendingCellLeaves_;
  int pressedColumn_ = 0, pressedPoint_ = -1;
};

// Redraws the loaded Engine window's plot; does nothing (and loads nothing)
// while the window is not loaded.
void PlotPowerCurve(int mode);

}  // namespace sw
