// "Match Vehicle Performance": the racer types in a time slip (race length,
// 60 ft, MPH, finish RPM and gear, the launch stall with a converter), and OK
// adjusts the vehicle's specs until a calculated run matches it. Built on the
// spec windows' row kit: the rows are spec menu 7.
#pragma once

#include "specs/spec_window.h"

class QGroupBox;
class QLabel;

namespace sw {

class frmMatch : public SpecWindow {
  Q_OBJECT
 public:
  frmMatch();

  QGroupBox* Frame3D1 = nullptr;  // "Your Vehicle's Actual Performance"
  QLabel* SpecName6 = nullptr;    // " Adjust Tire Diameter (see below)", a heading only
  QLabel* Label1 = nullptr;       // the tip under it

  // True while OK's search runs: the window neither closes nor starts another.
  bool Searching() const { return searching_; }

 protected:
  bool FillOwnPickList(int row) override;
  void UpdateRowStates() override;
  bool InstantCalcAllowed() const override { return false; }
  bool ShowsInstantTip() const override { return false; }
  void Form_Activate() override;
  void Form_Deactivate() override;
  void SpecData_LostFocus(const RowLeave& leave) override;
  void Command1_Click(int index) override;

 private:
  void OK();
  void ClearEntries();
  void SetButtonsEnabled(bool enabled);
  bool searching_ = false;
};

// The main window's Match button: loads the window over the main window (or
// brings the loaded one to the front).
void ShowMatchWindow();

}  // namespace sw
