// The Wheels & Tires window, "Wheel & Tire Specs": spec menu 4 on the row
// kit. Two frames of rows - Frame3D3 (rows 0-2, the front tires unless the
// car is front-wheel drive) and Frame3D1 (rows 3-9) - each of which can hold
// a tire example (name and marker slots 10/11 and 12/13). Editing a value of
// a loaded example asks before the frame turns back into plain specs. When
// the rows are stored, a change of the wheel and tire weights since the main
// window opened this window is offered to the vehicle weight.
#pragma once

#include "specs/spec_window.h"

class QGroupBox;
class QLabel;

namespace sw {

class frmTires : public SpecWindow {
  Q_OBJECT
 public:
  // Creating the window is its load; use ShowSpecWindow(kTires).
  frmTires();

  QGroupBox* Frame3D3 = nullptr;  // rows 0-2
  QGroupBox* Frame3D1 = nullptr;  // rows 3-9
  QLabel* Label1 = nullptr;       // the note shown with a Frame3D1 example

  // Stores the rows, then offers a wheel and tire weight change to the
  // vehicle weight.
  void StoreSpecRows() override;
  void SyncTireWeightToVehicle();

  // "Get Example" and "Save Example": the Front/Rear chooser first.
  void GetExample() override;
  void SaveExample() override;

 protected:
  int ExampleKindForList(int row) const override;
  void AfterRowFilled(int row) override;
  const ExampleGroup* GroupOfRow(int row) const override;
  void DropExampleLink(const ExampleGroup& group, int fromRow) override;
  std::string PickStoredForm(int row, int pick) const override;
  void UpdateRowStates() override;
  void Form_Activate() override;
  void cmbSpecData_Click(int row) override;
  void ClcBttn_Click(int row) override;

 private:
  // A plain Type drops the frame's example; the example-list entry opens
  // the list (false: the handling ends there).
  bool TypePicked(int row, int pick, bool exampleListEntry);
  void ExampleButton(bool save);

  bool filled_ = false;  // the rows came from SpecText at least once
};

}  // namespace sw
