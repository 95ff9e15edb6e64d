// The Transmission window, "Transmission Specs": spec menu 2 on the row kit -
// a clutch or a torque converter, the transmission's type, efficiency and
// gear ratios, the converter's stall RPM and its lock-up per gear. Row 0
// switches between the clutch rows and the converter rows; the stall RPM the
// racer knows turns into the converter capacity the run uses, and back. Two
// example groups share the window: the clutch or converter (name slot 22,
// Type row 0) and the transmission (name slot 24, Type row 7).
#pragma once

#include "specs/spec_window.h"

class QGroupBox;
class QLabel;

namespace sw {

class frmTransmission : public SpecWindow {
  Q_OBJECT
 public:
  // Creating the window is its load; use ShowSpecWindow(kTransmission).
  frmTransmission();

  QGroupBox* FrameClutch = nullptr;        // "Clutch/Converter"
  QGroupBox* FrameTransmission = nullptr;  // "Transmission"
  QLabel* Label5 = nullptr;                // "Converter Locked Up?" over rows 16-20
  QLabel* RatioLabel = nullptr;            // "Ratio" over the gear ratios

  // "Get Example" and "Save Example": the category chooser first.
  void GetExample() override;
  void SaveExample() override;

 protected:
  bool CaptionFromRowFile(int row) const override;
  int ExampleKindForList(int row) const override;
  void AfterRowFilled(int row) override;
  const ExampleGroup* GroupOfRow(int row) const override;
  void DropExampleLink(const ExampleGroup& group, int fromRow) override;
  void UpdateRowStates() override;

  void Form_Activate() override;
  void Form_Deactivate() override;
  void SpecData_LostFocus(const RowLeave& leave) override;
  void cmbSpecData_Click(int row) override;

 private:
  // Rows 0 and 7: a way to the examples, the example in use, or the racer's own specs.
  void TypeRowPick(int row, int pick);
  // The stall RPM just entered into row 15 becomes the converter capacity.
  void StallToCapacity(double stallRpm);
};

}  // namespace sw
