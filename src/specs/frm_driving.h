// The Driving window, "Driving Specs": spec menu 5 on the row kit - how the
// car is launched and how it shifts. It decides at every activation whether
// the car has a torque converter (from the transmission specs), which fills
// its lists and greys the rows that do not apply; at the Beginner Level two
// picks are refused; the "Clc" buttons beside the shift RPMs offer the
// program's own shift RPMs.
#pragma once

#include "specs/spec_window.h"

class QGroupBox;

namespace sw {

class frmDriving : public SpecWindow {
  Q_OBJECT
 public:
  // Creating the window is its load; use ShowSpecWindow(kDriving).
  frmDriving();

  QGroupBox* Frame3D1 = nullptr;  // " Launch Specs "
  QGroupBox* Frame3D2 = nullptr;  // " Shift Specs "

  // Mode 0 as the window comes to the front (the Type list refilled for the
  // drive type), mode 1 after a pick.
  void UpdateRowStates(int mode);

 protected:
  // The lists follow the drive type: filled as the window comes to the front.
  bool FillOwnPickList(int row) override { return true; }
  bool LeaveEmptiesHelp(bool skipValidation) const override { return !skipValidation; }
  void UpdateRowStates() override { UpdateRowStates(1); }
  void Form_Activate() override;
  void cmbSpecData_Click(int row) override;
  void SpecData_LostFocus(const RowLeave& leave) override;
  void ClcBttn_Click(int row) override;

 private:
  // At the Beginner Level: a refused pick in row 0 or 7 goes to `pick`,
  // counting as a change of the stored pick.
  void BeginnerReset(int row, int pick);
};

}  // namespace sw
