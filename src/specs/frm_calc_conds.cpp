#include "specs/frm_calc_conds.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QVBoxLayout>

#include "platform/ui.h"
#include "files/file_state.h"
#include "shell/shell_state.h"
#include "simulation/calculate.h"
#include "simulation/tables.h"
#include "specs/conditions_rules.h"
#include "specs/spec_windows.h"

namespace sw {

namespace {

constexpr int kMethod = 0;
constexpr int kWindSpeed = 5;
constexpr int kWindDirection = 6;
constexpr int kHumidityRow = 3;

}  // namespace

frmCalcConds::frmCalcConds() : SpecWindow(kConditions, 9, "Calculate Performance Conditions") {
  setObjectName("frmCalcConds");
  static const char* kCaptions[9] = {"Method of Reading Weather Data",
                                     "Barometric Pressure, \"Hg",
                                     "Air Temperature, deg F",
                                     "Dew Point, deg F",
                                     "Elevation, ft",
                                     "Wind Speed, MPH",
                                     "Wind Direction",
                                     "Track Length, ft",
                                     "Rollout, in"};
  for (int r = 0; r < 9; ++r) SetRowCaption(r, kCaptions[r]);
  // Dew point or relative humidity, by the weather method (ClcBttn_Click).
  AddCalculatorButton(kHumidityRow, 51);
  AddButtons({{0, "Return"}, {1, "Help"}, {2, "Calculate Performance"}});

  Frame3D1 = RowFrame("Track Weather", {0, 1, 2, 3, 4});
  Frame3D2 = RowFrame(" Wind Specs ", {5, 6});
  Frame3D3 = RowFrame(" Track Specs ", {7, 8});
  Frame3D1->setObjectName("Frame3D1");
  Frame3D2->setObjectName("Frame3D2");
  Frame3D3->setObjectName("Frame3D3");
  // This window's help box is Label1.
  Label1 = Label2;
  Label1->setObjectName("Label1");
  auto* right = new QVBoxLayout;
  right->addWidget(Frame3D2);
  right->addWidget(Frame3D3);
  right->addStretch(1);
  auto* grid = new QGridLayout(this);
  grid->addWidget(Frame3D1, 0, 0);
  grid->addLayout(right, 0, 1);
  grid->addWidget(HelpFrame(), 1, 0, 1, 2);
  grid->addLayout(ButtonRow(), 2, 0, 1, 2);
  grid->setSizeConstraint(QLayout::SetFixedSize);
  Form_Load();
}

void frmCalcConds::UpdateRowStates() {
  const int m = Pick(kMethod);
  SetRowEnabled(1, MethodUsesBarometer(m));
  SetRowEnabled(4, MethodUsesElevation(m));
  const RowLabel labels[4] = {BarometerRowLabel(m), TemperatureRowLabel(), HumidityRowLabel(m), ElevationRowLabel(m)};
  for (int r = 1; r <= 4; ++r) {
    SetRowCaption(r, labels[r - 1].caption);
    SetRowHelp(r, labels[r - 1].help);
  }
  SetRowEnabled(kWindSpeed, Pick(kWindDirection) != 0);
  // Row 3 takes what the method reads it as: a dew point within the row
  // file's limits, a humidity within 0..100 %.
  if (!moistureRowFile_) moistureRowFile_ = ReadRowFile(kConditions, kHumidityRow + 1).rows[kHumidityRow].limits;
  SetLimits(kHumidityRow, MoistureRowLimits(moistureRowFile_, MethodReadsDewPoint(m)));
}

bool frmCalcConds::InstantCalcAllowed() const { return !shell.SkipValidation; }

void frmCalcConds::cmbSpecData_Click(int row) {
  if (RowsFilling == 1) return;
  StillLoaded<frmCalcConds> self(this);
  const int pick = Pick(row);
  if (pick != ComboIndexBefore) fst.SpecsChanged = 1;
  if (row == kMethod) {
    // The values already entered, in the terms of the new method.
    WeatherRows rows{RowText(1), RowText(2), RowText(3), RowText(4)};
    ConvertWeatherRows(ComboIndexBefore, pick, rows);
    if (!self) return;
    if (rows.barometer != RowText(1)) SetRowText(1, rows.barometer);
    if (rows.humidity != RowText(3)) SetRowText(3, rows.humidity);
    if (rows.elevation != RowText(4)) SetRowText(4, rows.elevation);
    UpdateRowStates();
  } else if (row == kWindDirection) {
    UpdateRowStates();
  }
  ComboIndexBefore = pick;
  if (tbl.InstantUpdate > 0) InstantCalc();
}

void frmCalcConds::SpecData_LostFocus(const RowLeave& leave) {
  StillLoaded<frmCalcConds> self(this);
  const LeaveStep step = LeaveValueBox(leave);
  if (!self || step == LeaveStep::Empty || step == LeaveStep::Skipped) return;
  // A refused entry reaches the quick calculation too; it acts once the box
  // has the focus back.
  DoEvents();
  if (self && tbl.InstantUpdate > 0) InstantCalc();
}

void frmCalcConds::ClcBttn_Click(int row) {
  shell.KeepSpecForm = 1;
  StoreSpecRows();
  shell.CalcMenuNumber = static_cast<int16_t>(MethodReadsDewPoint(Pick(kMethod)) ? 50 : 51);
  (void)row;
  ShowCalculator();
}

void frmCalcConds::Command1_Click(int index) {
  if (index == 2) CalculatePerformanceNow();
  else SpecWindow::Command1_Click(index);
}

void frmCalcConds::CalculatePerformanceNow() {
  StoreSpecRows();
  Unload();
  // The window is on its way out: nothing of it is touched from here on.
  CalculateShownPerformance();
}

}  // namespace sw
