// The conditions window, "Calculate Performance Conditions": spec menu 6 on
// the row kit - the weather at the track, the wind, the track length and the
// rollout - and the button that runs a full calculation. The way the weather
// is read (row 0) relabels rows 1 to 4, turns off the rows it does not use,
// and carries the values already entered over into its own terms.
#pragma once

#include <optional>

#include "specs/row_rules.h"
#include "specs/spec_window.h"

class QGroupBox;
class QLabel;

namespace sw {

class frmCalcConds : public SpecWindow {
  Q_OBJECT
 public:
  // Creating the window is its load; use ShowSpecWindow(kConditions).
  frmCalcConds();

  QGroupBox* Frame3D1 = nullptr;  // "Track Weather"
  QGroupBox* Frame3D2 = nullptr;  // " Wind Specs "
  QGroupBox* Frame3D3 = nullptr;  // " Track Specs "
  QLabel* Label1 = nullptr;       // the help box

 protected:
  void UpdateRowStates() override;
  bool InstantCalcAllowed() const override;
  bool ShowsInstantTip() const override { return false; }
  bool LeaveEmptiesHelp(bool skipValidation) const override { return false; }
  void cmbSpecData_Click(int row) override;
  void SpecData_LostFocus(const RowLeave& leave) override;
  void ClcBttn_Click(int row) override;
  void Command1_Click(int index) override;

 private:
  void CalculatePerformanceNow();
  std::optional<RowLimits> moistureRowFile_;  // row 3's limits as the row file gives them
};

}  // namespace sw
