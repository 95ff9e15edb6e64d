#include "specs/frm_driving.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QPointer>
#include <QWidget>

#include "files/file_state.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "shell/shell_state.h"
#include "simulation/tables.h"
#include "specs/driving_rules.h"

namespace sw {

using namespace drive;

frmDriving::frmDriving() : SpecWindow(kDriving, kRows, "Driving Specs") {
  setObjectName("frmDriving");
  static const char* kCaptions[kRows] = {"Type",           "Launch RPM",      "Launch % Clutch", "Launch % Throttle",
                                         "Launch Time, sec", "Shift Time, sec", "Shift % Throttle", "Shift RPMs",
                                         "1-2 Shift RPM",  "2-3 Shift RPM",   "3-4 Shift RPM",   "4-5 Shift RPM",
                                         "5-6 Shift RPM"};
  for (int r = 0; r < kRows; ++r) SetRowCaption(r, kCaptions[r]);
  // The shift RPMs are worked out here, not in a calculator.
  for (int r = kFirstShift; r < kRows; ++r) AddCalculatorButton(r, kComputedHere);
  AddButtons({{0, "OK"}, {1, "Help"}, {4, "Print"}, {5, "Printer Setup"}});

  Frame3D1 = RowFrame(" Launch Specs ", {0, 1, 2, 3, 4});
  Frame3D2 = RowFrame(" Shift Specs ", {5, 6, 7, 8, 9, 10, 11, 12});
  Frame3D1->setObjectName("Frame3D1");
  Frame3D2->setObjectName("Frame3D2");
  auto* grid = new QGridLayout(this);
  grid->addWidget(Frame3D1, 0, 0, Qt::AlignTop);
  grid->addWidget(Frame3D2, 0, 1, Qt::AlignTop);
  grid->addWidget(HelpFrame(), 1, 0, 1, 2);
  grid->addLayout(ButtonRow(), 2, 0, 1, 2);
  grid->setSizeConstraint(QLayout::SetFixedSize);
  Form_Load();
}

// ---------------------------------------------------------------- coming to the front

void frmDriving::Form_Activate() {
  StillLoaded<frmDriving> self(this);
  // The transmission may have changed since the window was last in front.
  tbl.ConverterDrive =
      static_cast<int16_t>(ConverterDriveFor(static_cast<int>(Val(SpecAt(kTransmission, 0))),
                                             Val(SpecAt(kTransmission, 23))));
  RowsFilling = 1;
  // Shift times of an automatic differ from a manual's: the lists follow the drive type.
  for (int r : {kType, kShiftTime, kShiftThrottle, kShiftRpms}) {
    shell.ExampleKind = -1;
    FillSpecCombo(kDriving, r);
  }
  tbl.CurrentSpecMenu = kDriving;
  const int16_t savedChanged = fst.SpecsChanged;
  ReadRowFileIntoRows();
  if (!self) return;
  FillRowsFromSpecText();
  UpdateRowStates(0);
  FocusFirstRow(0);
  fst.SpecsChanged = savedChanged;
  if (shell.KeepSpecForm != 2) shell.KeepSpecForm = 0;
  ShowInstantTip();
  if (!self) return;
  if (tbl.BeginnerLevel == 1) {
    if (Pick(kType) == 1) BeginnerReset(kType, 0);
    if (self && Pick(kShiftRpms) != 0) BeginnerReset(kShiftRpms, 0);
    if (!self) return;
  }
  RowsFilling = 0;
  if (tbl.InstantUpdate > 0) {
    shell.SkipValidation = false;
    InstantCalc();
  }
}

void frmDriving::BeginnerReset(int row, int pick) {
  // Measured against the stored pick, so that a file saved with a choice
  // the Beginner Level refuses comes up changed.
  const int before = ComboIndexBefore;
  ComboIndexBefore = Pick(row);
  SetPick(row, pick, true);
  if (focusWidget() != cmbSpecData[row]) ComboIndexBefore = before;
}

// ---------------------------------------------------------------- row states

void frmDriving::UpdateRowStates(int mode) {
  const bool converter = tbl.ConverterDrive == 1;
  if (mode == 0) {
    int pick = Pick(kType);
    shell.ExampleKind = -1;
    FillSpecCombo(kDriving, kType);
    QComboBox* type = cmbSpecData[kType];
    // A converter car has no clutch to hold the RPM up with.
    if (converter && type->count() > 2) {
      type->removeItem(2);
      if (pick > 1) pick = 0;
    }
    if (pick == PickFromStored(StoredSpec(kType), type->count())) type->setCurrentIndex(pick);
    else SetPick(kType, pick, false);
  }
  DrivingChoices choices;
  choices.converter = converter;
  choices.launchType = Pick(kType);
  choices.shiftTime = Pick(kShiftTime);
  choices.shiftRpms = Pick(kShiftRpms);
  for (int g = 1; g <= 6; ++g) choices.gearRatio[g] = Val(SpecAt(kTransmission, 8 + g));
  const auto on = DrivingRowsOn(choices);
  for (int r = 0; r < kRows; ++r) SetRowEnabled(r, on[r], true);
}

// ---------------------------------------------------------------- picks and entries

void frmDriving::cmbSpecData_Click(int row) {
  StillLoaded<frmDriving> self(this);
  const int pick = Pick(row);
  if (tbl.BeginnerLevel == 1 && RowsFilling == 0 && pick == 1 && (row == kType || row == kShiftRpms)) {
    MsgBox(kBeginnerChoiceMessage, mb::OKOnly, kBeginnerHelpTitle);
    if (!self) return;
    SetPick(row, row == kType && ComboIndexBefore == 2 ? 2 : 0, true);
    return;
  }
  if (pick != ComboIndexBefore) {
    fst.SpecsChanged = 1;
    ComboIndexBefore = pick;
  }
  UpdateRowStates(1);
  if (tbl.InstantUpdate > 0) InstantCalc();
}

void frmDriving::SpecData_LostFocus(const RowLeave& leave) {
  StillLoaded<frmDriving> self(this);
  const LeaveStep step = LeaveValueBox(leave);
  // An emptied box is no entry to calculate with.
  if (!self || step != LeaveStep::Accepted) return;
  DoEvents();
  if (self && tbl.InstantUpdate > 0) InstantCalc();
}

void frmDriving::ClcBttn_Click(int row) {
  StillLoaded<frmDriving> self(this);
  const ShiftRpmTable computed = ComputerShiftRpms();
  std::array<std::string, 6> current;
  for (int j = 1; j <= 5; ++j) current[j] = RowText(kShiftRpms + j);
  const int answer = MsgBox(ShiftRpmQuestion(current, computed), mb::YesNo + mb::DefaultButton2, kShiftRpmTitle);
  if (!self || answer != ans::Yes) return;
  for (int j = 1; j <= 5; ++j)
    if (ShiftTakesPlace(computed[j])) SetRowText(kShiftRpms + j, RoundedShiftRpm(computed[j]));
}

}  // namespace sw
