// The Body & Axle window, "Body/Axle Specs": spec menu 3 on the row kit -
// the vehicle's weight, its axle and its body. Rows 4 to 11 form the body
// example group (name slot 15, marker 16, Type row 3); Drive Wheels (row 4)
// greys the rows that do not apply; the quick calculation acts only when this
// window was the last one opened from the main window.
#pragma once

#include "specs/spec_window.h"

class QGroupBox;

namespace sw {

class frmVehicle : public SpecWindow {
  Q_OBJECT
 public:
  // Creating the window is its load; use ShowSpecWindow(kVehicle).
  frmVehicle();

  QGroupBox* Frame3D1 = nullptr;  // "Vehile Weight"
  QGroupBox* Frame3D2 = nullptr;  // "Axle Specs"
  QGroupBox* Frame3D3 = nullptr;  // "Body Details"

  using SpecWindow::GetExample;
  using SpecWindow::SaveExample;

 protected:
  int ExampleKindForList(int row) const override;
  void AfterRowFilled(int row) override;
  const ExampleGroup* GroupOfRow(int row) const override;
  const ExampleGroup* WindowExampleGroup() const override;
  void UpdateRowStates() override;
  PickReaction OnPick(int row, int pick) override;
  bool PickMarksChange(int row) const override { return row != kTypeRow; }
  bool InstantCalcAllowed() const override;
  void ClcBttn_Click(int row) override;

 private:
  static constexpr int kTypeRow = 3;
  static constexpr int kDriveWheels = 4;
};

}  // namespace sw
