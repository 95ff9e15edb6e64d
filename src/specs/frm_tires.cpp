#include "specs/frm_tires.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>

#include "files/configuration.h"
#include "files/file_state.h"
#include "platform/qt/qt_ui.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "shell/user_actions.h"
#include "shell/shell_state.h"
#include "simulation/tables.h"
#include "specs/spec_windows.h"
#include "specs/tires_rules.h"

namespace sw {

namespace {

const ExampleGroup kFront{kFrontTireNameSlot, 0, "FTIRE", "FTR"};
const ExampleGroup kRear{kRearTireNameSlot, 3, "RTIRE", "RTR"};

constexpr int kFrontType = 0;
constexpr int kRearType = 3;
constexpr int kTireType = 6;
constexpr int kTireGrowth = 9;

// Type entries: row 0 "Program Estimates Specs", "Use Specs Below", the way
// to the examples, then a loaded example; row 3 has no estimate.
constexpr int kFrontExampleList = 2, kFrontLinked = 3;
constexpr int kRearExampleList = 1, kRearLinked = 2;
// The Tire Type whose tires grow at speed (slicks).
constexpr int kSlick = 4;

int DriveWheels() { return static_cast<int>(Val(SpecAt(kVehicle, 4))); }

}  // namespace

frmTires::frmTires() : SpecWindow(kTires, 10, "Wheel & Tire Specs") {
  setObjectName("frmTires");
  static const char* kCaptions[10] = {"Type",         "Wheel & Tire Wt, lbs", "Tire Diameter, in", "Type",
                                      "Wheel & Tire Wt, lbs", "Tire Diameter, in", "Tire Type",
                                      "Tread Width, in", "Traction Factor, %", "Tire Growth, %"};
  for (int r = 0; r < 10; ++r) SetRowCaption(r, kCaptions[r]);
  AddCalculatorButton(2, 4);  // tire diameter, Frame3D3 end
  AddCalculatorButton(5, 5);  // tire diameter, Frame3D1 end
  AddCalculatorButton(7, 7);  // tread width
  AddCalculatorButton(8, 8);  // traction factor
  AddCalculatorButton(9, 9);  // tire growth
  AddButtons({{0, "OK"}, {1, "Help"}, {2, "Get Example"}, {3, "Save Example"}, {4, "Print"}, {5, "Print Setup"}});

  Frame3D3 = RowFrame("Front Wheel/Tire Specs", {0, 1, 2});
  Frame3D1 = RowFrame("Rear Wheel/Tire Specs", {3, 4, 5, 6, 7, 8, 9});
  Frame3D3->setObjectName("Frame3D3");
  Frame3D1->setObjectName("Frame3D1");
  QGroupBox* help = HelpFrame();
  help->setObjectName("Frame3D6");
  Label1 = new QLabel(this);
  Label1->setObjectName("Label1");
  Label1->setWordWrap(true);
  Label1->setTextFormat(Qt::PlainText);
  Label1->setAccessibleName("Note");
  Label1->setText(ToQ(TireTypeNote("Rear")));
  Label1->hide();

  auto* grid = new QGridLayout(this);
  grid->addWidget(Frame3D3, 0, 0, Qt::AlignTop);
  grid->addWidget(Frame3D1, 0, 1);
  grid->addWidget(help, 1, 0, 1, 2);
  grid->addLayout(ButtonRow(), 2, 0, 1, 2);
  grid->addWidget(Label1, 3, 0, 1, 2);
  // The window grows to show the note and shrinks without it.
  grid->setSizeConstraint(QLayout::SetFixedSize);
  Form_Load();
}

// ---------------------------------------------------------------- filling

int frmTires::ExampleKindForList(int row) const {
  if (row == kFrontType && Val(SpecAt(kTires, kFrontType)) == kFrontLinked) return kFront.nameSlot;
  if (row == kRearType && Val(SpecAt(kTires, kRearType)) == kRearLinked) return kRear.nameSlot;
  return -1;
}

void frmTires::AfterRowFilled(int row) {
  // A loaded example shows its name, whatever the stored Type says.
  if (row == kFrontType && !SpecAt(kTires, kFront.nameSlot).empty()) SetPick(kFrontType, kFrontLinked, false);
  if (row == kRearType && !SpecAt(kTires, kRear.nameSlot).empty()) SetPick(kRearType, kRearLinked, false);
}

void frmTires::Form_Activate() {
  // Which end each frame describes follows the body window's Drive Wheels.
  const TireFrames frames = TireFramesFor(DriveWheels());
  Frame3D3->setTitle(ToQ(frames.frame3d3));
  Frame3D1->setTitle(ToQ(frames.frame3d1));
  Label1->setText(ToQ(TireTypeNote(frames.endWord)));
  filled_ = true;
  // The weight check compares with the weights recorded by the main window
  // when it opened this window; coming back from a companion allows it again.
  shell.TireWtRecorded = 1;
  SpecWindow::Form_Activate();
}

std::string frmTires::PickStoredForm(int row, int pick) const {
  (void)row;
  return std::to_string(pick);
}

void frmTires::UpdateRowStates() {
  const bool estimated = Pick(kFrontType) == 0;
  SetRowEnabled(1, !estimated);
  SetRowEnabled(2, !estimated);
  SetRowEnabled(kTireGrowth, Pick(kTireType) == kSlick, true);
  Label1->setVisible(Pick(kRearType) == kRearLinked);
}

// ---------------------------------------------------------------- example groups

const ExampleGroup* frmTires::GroupOfRow(int row) const {
  if (row == 1 || row == 2) return &kFront;
  // Traction Factor (row 8) belongs to the track as much as to the tire.
  if (row == 4 || row == 5 || row == 6 || row == 7 || row == 9) return &kRear;
  return nullptr;
}

void frmTires::DropExampleLink(const ExampleGroup& group, int fromRow) {
  (void)fromRow;
  // The frame turns back into the racer's own specs.
  shell.ExampleListIndex = static_cast<int16_t>(TireTypeWithoutExample(group.typeRow));
  DropStoredExampleLink(kTires, group.nameSlot, group.typeRow, std::to_string(shell.ExampleListIndex));
  shell.ExampleKind = static_cast<int16_t>(group.nameSlot);
  FillSpecCombo(kTires, group.typeRow);
  SetPick(group.typeRow, shell.ExampleListIndex, false);
  // The rows, the note and the window's height follow the new Type.
  UpdateRowStates();
  shell.TireWtRecorded = 1;
}

// ---------------------------------------------------------------- picks

void frmTires::cmbSpecData_Click(int row) {
  StillLoaded<frmTires> self(this);
  const int pick = Pick(row);
  const bool same = pick == ComboIndexBefore;
  const bool exampleList =
      (row == kFrontType && pick == kFrontExampleList) || (row == kRearType && pick == kRearExampleList);
  const bool linked = (row == kFrontType && pick == kFrontLinked) || (row == kRearType && pick == kRearLinked);
  // The loaded example's own entry is picked only by the program, as it
  // shows the example's name: no edit of the racer's.
  if (!same && !linked) fst.SpecsChanged = 1;
  // The same pick again needs nothing, unless it is the way to the examples;
  // the loaded example's own entry needs nothing either.
  if ((!same || exampleList) && !linked) {
    if (row == kTireType) {
      // A tire type of its own is no longer the loaded rear example; it
      // never recalculates.
      const bool stands = ExampleCheck(row);
      if (!self) return;
      if (!stands) {
        RestorePick(row);
        return;
      }
    } else if (row == kFrontType || row == kRearType) {
      if (RowsFilling == 0 && !TypePicked(row, pick, exampleList)) return;
      if (!self) return;
      if (tbl.InstantUpdate > 0) InstantCalc();
      if (!self) return;
    }
  }
  ComboIndexBefore = Pick(row);
  UpdateRowStates();
  shell.TireWtRecorded = 1;
}

bool frmTires::TypePicked(int row, int pick, bool exampleListEntry) {
  const ExampleGroup& group = row == kFrontType ? kFront : kRear;
  shell.ExampleComponent.clear();
  shell.ExamplePrefix.clear();
  shell.ExampleMenu = static_cast<int16_t>(row);
  shell.ExampleKind = static_cast<int16_t>(group.nameSlot);
  if (exampleListEntry) {
    shell.TireWtRecorded = 0;
    OpenExampleList(group, true);  // the Type stays as it was while the list is open
    return false;
  }
  // A plain Type: the frame's example link goes, and its name leaves the list.
  const int slot = tbl.SpecMenuStart[kTires] + group.nameSlot;
  tbl.SpecText[slot].clear();
  tbl.SpecText[slot + 1].clear();
  FillSpecCombo(kTires, row);
  RowsFilling = 1;
  SetPick(row, pick, false);
  RowsFilling = 0;
  return true;
}

// ---------------------------------------------------------------- storing and the weight check

void frmTires::StoreSpecRows() {
  if (CalculationUnderWay()) return;  // the rows wait, ahead, for the next store
  SpecWindow::StoreSpecRows();
  if (filled_) SyncTireWeightToVehicle();
}

void frmTires::SyncTireWeightToVehicle() {
  // Never inside the quick calculation.
  if (tbl.QuietCalc == 1 || cfg.RemindTireWeight != 1) return;
  const TireWeightChange change = TireWeightChangeOf(SpecAt(kTires, 1), SpecAt(kTires, 4), shell.TireWtBefore1,
                                                     shell.TireWtBefore2, DriveWheels(), SpecAt(kVehicle, 0));
  if (shell.TireWtRecorded != 1 || !change.ask) return;
  // One change asks once: a command stores the rows, and so does the window
  // as it goes on the command's way. Declined, the same weights ask no more.
  const double front = Val(SpecAt(kTires, 1)), rear = Val(SpecAt(kTires, 4));
  if (shell.TireWtDeclined && front == shell.TireWtDeclined1 && rear == shell.TireWtDeclined2) return;
  if (MsgBox(change.question, mb::YesNo + mb::Question, kTireWeightTitle) != ans::Yes) {
    shell.TireWtDeclined = true;
    shell.TireWtDeclined1 = front;
    shell.TireWtDeclined2 = rear;
    return;
  }
  SpecAt(kVehicle, 0) = change.newWeight;
  MsgBox(change.notice, mb::OKOnly, "");
  // The weights now carried into the vehicle weight are the ones a later
  // store compares with, so the same change is never offered twice.
  shell.TireWtBefore1 = front;
  shell.TireWtBefore2 = rear;
}

// ---------------------------------------------------------------- buttons

void frmTires::ClcBttn_Click(int row) {
  shell.TireWtRecorded = 0;
  SpecWindow::ClcBttn_Click(row);
}

void frmTires::GetExample() { ExampleButton(false); }

void frmTires::SaveExample() { ExampleButton(true); }

void frmTires::ExampleButton(bool save) {
  StillLoaded<frmTires> self(this);
  shell.TireWtRecorded = 0;
  if (save) {
    if (tbl.BeginnerLevel == 1) {
      MsgBox(tbl.MsgBeginnerNoSave, mb::OKOnly, kBeginnerHelpTitle);
      return;
    }
    shell.ExampleSubChoice = 1;
    StoreSpecRows();
    if (!self) return;
  } else {
    shell.ExampleSubChoice = 0;
  }
  shell.ExampleModeCode.clear();
  shell.ChooserResult = 1;
  shell.KeepSpecForm = 1;
  const int entry = ChooseExampleCategory("Front or Rear", {FromQ(Frame3D3->title()), FromQ(Frame3D1->title())});
  if (!self || entry < 0) return;
  const TireLibrary library = TireLibraryOfEntry(entry);
  if (!save) {
    shell.TireWtRecorded = 0;
    OpenExampleList({library.nameSlot, library.typeRow, library.component, library.prefix}, false);
    return;
  }
  shell.ExampleComponent = library.component;
  shell.ExamplePrefix = library.prefix;
  QComboBox* type = cmbSpecData[library.typeRow];
  const std::string refusal = TireSaveRefusal(entry, Pick(kFrontType), Pick(kRearType), FromQ(Frame3D3->title()),
                                              FromQ(type->currentText()), tbl.MsgAlreadyExample, tbl.MsgSaveNewName);
  if (!refusal.empty()) {
    MsgBox(refusal, mb::OKOnly, "");
    return;
  }
  shell.ExampleKind = static_cast<int16_t>(library.nameSlot);
  shell.ExampleMenu = static_cast<int16_t>(library.typeRow);
  DoEvents();
  if (!self) return;
  shell.KeepSpecForm = 1;
  shell.TireWtRecorded = 0;
  ShowExampleComparison();
}

}  // namespace sw
