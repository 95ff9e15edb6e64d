#include "specs/frm_vehicle.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QVBoxLayout>

#include "platform/text.h"
#include "shell/shell_state.h"
#include "simulation/tables.h"

namespace sw {

namespace {

const ExampleGroup kBody{15, 3, "BODY", "BD"};

}  // namespace

frmVehicle::frmVehicle() : SpecWindow(kVehicle, 12, "Body/Axle Specs") {
  setObjectName("frmVehicle");
  static const char* kCaptions[12] = {"Total Weight with Driver, lbs", "Final Drive Ratio", "Dif Lock Eff",
                                      "Type", "Drive Wheels", "% Wt on Rear Tires, %", "Height of C.G., in",
                                      "Wheelbase, in", "Rear Track Width, in", "Front Susp Roll Stiff, %",
                                      "Frontal Area", "Drag Coefficient"};
  for (int r = 0; r < 12; ++r) SetRowCaption(r, kCaptions[r]);
  AddCalculatorButton(0, 24);  // vehicle weight
  AddCalculatorButton(1, 1);   // final drive
  AddCalculatorButton(5, 2);   // weight distribution
  AddCalculatorButton(10, 3);  // frontal area
  AddButtons({{0, "OK"}, {1, "Help"}, {2, "Get Example"}, {3, "Save Example"}, {4, "Print"}, {5, "Print Setup"}});

  Frame3D1 = RowFrame("Vehile Weight", {0});
  Frame3D2 = RowFrame("Axle Specs", {1, 2});
  Frame3D3 = RowFrame("Body Details", {3, 4, 5, 6, 7, 8, 9, 10, 11});
  Frame3D1->setObjectName("Frame3D1");
  Frame3D2->setObjectName("Frame3D2");
  Frame3D3->setObjectName("Frame3D3");
  auto* left = new QVBoxLayout;
  left->addWidget(Frame3D1);
  left->addWidget(Frame3D2);
  left->addStretch(1);
  auto* grid = new QGridLayout(this);
  grid->addLayout(left, 0, 0);
  grid->addWidget(Frame3D3, 0, 1);
  grid->addWidget(HelpFrame(), 1, 0, 1, 2);
  grid->addLayout(ButtonRow(), 2, 0, 1, 2);
  grid->setSizeConstraint(QLayout::SetFixedSize);
  Form_Load();
}

int frmVehicle::ExampleKindForList(int row) const {
  return row == kTypeRow && Val(SpecAt(kVehicle, kTypeRow)) == 2 ? kBody.nameSlot : -1;
}

void frmVehicle::AfterRowFilled(int row) {
  // A linked body shows its name, whatever the stored Type says.
  if (row == kTypeRow && !SpecAt(kVehicle, kBody.nameSlot).empty()) SetPick(kTypeRow, 2, false);
}

const ExampleGroup* frmVehicle::GroupOfRow(int row) const { return row >= 4 && row <= 11 ? &kBody : nullptr; }

const ExampleGroup* frmVehicle::WindowExampleGroup() const { return &kBody; }

void frmVehicle::UpdateRowStates() {
  const int drive = Pick(kDriveWheels);
  // Front drive and motorcycles have no rear axle to lock or roll against;
  // all-wheel drive has no weight split to ask for either.
  const bool axleRows = !(drive == 1 || drive == 2 || drive == 3);
  const bool balanceRows = drive != 2;
  for (int r : {2, 8, 9}) SetRowEnabled(r, axleRows);
  for (int r : {5, 6, 7}) SetRowEnabled(r, balanceRows);
}

PickReaction frmVehicle::OnPick(int row, int pick) {
  if (row == kTypeRow) {
    if (pick == 1 && RowsFilling == 0) {
      // Item 1 is the way to the body examples: the Type stays as it was.
      KeepPickAsBefore(kTypeRow);
      GetExample();
      return PickReaction::Stop;
    }
    return PickReaction::NoCalc;
  }
  if (pick == ComboIndexBefore) return PickReaction::NoCalc;
  // Rows 4 and 9 ask about a linked body first; a changed pick then
  // recalculates like a typed value.
  return SpecWindow::OnPick(row, pick);
}

bool frmVehicle::InstantCalcAllowed() const {
  return SpecWindow::InstantCalcAllowed() && tbl.InstantCalcMenu == kVehicle;
}

void frmVehicle::ClcBttn_Click(int row) {
  shell.CalcFlowExhaust = 1;
  SpecWindow::ClcBttn_Click(row);
}

}  // namespace sw
