#include "specs/frm_transmission.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "files/file_state.h"
#include "platform/qt/qt_ui.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "shell/shell_state.h"
#include "simulation/input_checks.h"
#include "simulation/tables.h"
#include "specs/spec_windows.h"
#include "specs/transmission_rules.h"

namespace sw {

using namespace trans;

namespace {

const ExampleGroup kClutchOrConverter{kClutchNameSlot, kType, "CLUTCH", "CL"};
const ExampleGroup kGears{kGearsNameSlot, kGearType, "TRANS", "TR"};

struct Category {
  const char* line;
  const char* component;
  const char* prefix;
};
const Category kClutches{"Clutches", "CLUTCH", "CL"};
const Category kConverters{"Torque Converters", "CONV", "CV"};
const Category kTransmissions{"Transmissions", "TRANS", "TR"};

// Gear rows: 2300 twips of caption, a 1000 twip box.
constexpr int kGearCaptionWidth = 2300 / 15;
constexpr int kGearBoxWidth = 1000 / 15;

}  // namespace

frmTransmission::frmTransmission() : SpecWindow(kTransmission, kRows, "Transmission Specs") {
  setObjectName("frmTransmission");
  static const char* kCaptions[15] = {"Type",          "Clutch Diameter, in",   "Clutch Force, lbs",
                                      "# Clutch Disks", "Clutch Material",       "Converter Capacity",
                                      "Torque Multiplication", "Type", "Efficiency, %", "Gear #1",
                                      "Gear #1",       "Gear #1",               "Gear #1", "Gear #1", "Gear #1"};
  for (int r = 0; r < 15; ++r) SetRowCaption(r, kCaptions[r]);
  SetRowCaption(kStallRpm, StallRpmCaption());
  // The ratio rows' calculator buttons are never shown: the window opens no calculator.
  for (int r = kFirstGear; r < kFirstGear + 6; ++r) {
    AddCalculatorButton(r, kComputedHere);
    ClcBttn[r]->hide();
  }
  AddButtons({{0, "OK"}, {1, "Help"}, {2, "Get Example"}, {3, "Save Example"}, {4, "Print"}, {5, "Print Setup"}});

  FrameClutch = RowFrame("Clutch/Converter", {kType, 1, 2, 3, 4, kCapacity, 6, kStallRpm});
  FrameClutch->setObjectName("FrameClutch");

  // The gear column: each ratio with its converter lock-up beside it.
  FrameTransmission = new QGroupBox("Transmission", this);
  FrameTransmission->setObjectName("FrameTransmission");
  auto* grid = new QGridLayout(FrameTransmission);
  grid->setHorizontalSpacing(6);
  grid->setVerticalSpacing(3);
  grid->addWidget(SpecName[kGearType], 0, 0);
  grid->addWidget(cmbSpecData[kGearType], 0, 1, 1, 2, Qt::AlignLeft);
  grid->addWidget(SpecName[kEfficiency], 1, 0);
  grid->addWidget(cmbSpecData[kEfficiency], 1, 1, 1, 2, Qt::AlignLeft);
  RatioLabel = new QLabel("Ratio", this);
  RatioLabel->setObjectName("RatioLabel");
  Label5 = new QLabel("Converter Locked Up?", this);
  Label5->setObjectName("Label5");
  grid->addWidget(RatioLabel, 2, 1);
  grid->addWidget(Label5, 2, 2);
  for (int g = 0; g < 6; ++g) {
    const int r = kFirstGear + g;
    SpecName[r]->setMinimumWidth(kGearCaptionWidth);
    SpecData[r]->setFixedWidth(kGearBoxWidth);
    grid->addWidget(SpecName[r], 3 + g, 0);
    grid->addWidget(SpecData[r], 3 + g, 1);
    if (g == 0) continue;
    const int lockUp = kFirstLockUp + g - 1;
    // The column heading is the lock-up rows' caption. The row's own caption
    // panel stays hidden beside its list, where a screen reader finds the
    // list's label.
    SpecName[lockUp]->setParent(FrameTransmission);
    SpecName[lockUp]->hide();
    SetRowCaption(lockUp, "Converter Locked Up? Gear #" + std::to_string(g + 1));
    cmbSpecData[lockUp]->setAccessibleName(QString("Converter Locked Up? Gear #%1").arg(g + 1));
    grid->addWidget(cmbSpecData[lockUp], 3 + g, 2, Qt::AlignLeft);
  }
  grid->setColumnStretch(3, 1);

  auto* top = new QGridLayout;
  top->addWidget(FrameClutch, 0, 0, Qt::AlignTop);
  top->addWidget(FrameTransmission, 0, 1, Qt::AlignTop);
  auto* v = new QVBoxLayout(this);
  v->addLayout(top);
  v->addWidget(HelpFrame());
  v->addLayout(ButtonRow());
  v->setSizeConstraint(QLayout::SetFixedSize);
  Form_Load();

  // Tab goes down the clutch/converter frame, stall RPM included, then
  // across each gear: its ratio, then whether the converter is locked up in it.
  QWidget* previous = nullptr;
  auto chain = [&](QWidget* w) {
    if (previous) setTabOrder(previous, w);
    previous = w;
  };
  auto control = [this](int r) -> QWidget* {
    return SpecData[r] ? static_cast<QWidget*>(SpecData[r]) : cmbSpecData[r];
  };
  for (int r : {kType, 1, 2, 3, 4, kCapacity, 6, kStallRpm, kGearType, kEfficiency}) chain(control(r));
  for (int g = 0; g < 6; ++g) {
    chain(control(kFirstGear + g));
    if (g > 0) chain(control(kFirstLockUp + g - 1));
  }
  for (QPushButton* b : Command1)
    if (b) chain(b);
}

bool frmTransmission::CaptionFromRowFile(int row) const {
  // The stall RPM row explains itself; the lock-up rows sit under their heading.
  return row < kStallRpm;
}

int frmTransmission::ExampleKindForList(int row) const {
  if (row == kType && Val(SpecAt(kTransmission, kType)) == 5) return kClutchNameSlot;
  if (row == kGearType && Val(SpecAt(kTransmission, kGearType)) == 2) return kGearsNameSlot;
  return -1;
}

void frmTransmission::AfterRowFilled(int row) {
  // A linked example shows its name, whatever the stored Type says.
  if (row == kType && !SpecAt(kTransmission, kClutchNameSlot).empty()) SetPick(kType, 5, false);
  if (row == kGearType && !SpecAt(kTransmission, kGearsNameSlot).empty()) SetPick(kGearType, 2, false);
}

const ExampleGroup* frmTransmission::GroupOfRow(int row) const {
  if ((row >= 1 && row <= 6) || row == kStallRpm) return &kClutchOrConverter;
  if (row == kEfficiency || (row >= kFirstGear && row < kFirstGear + 6) || row >= kFirstLockUp) return &kGears;
  return nullptr;
}

void frmTransmission::DropExampleLink(const ExampleGroup& group, int fromRow) {
  const int pick = TransmissionTypeWithoutExample(group.typeRow, Val(SpecAt(kTransmission, group.nameSlot + 1)));
  DropStoredExampleLink(kTransmission, group.nameSlot, group.typeRow, Trim(Str(pick)));
  shell.ExampleKind = -1;
  FillSpecCombo(kTransmission, group.typeRow);
  // A typed value changes nothing else; a pick in the group goes on as a pick of the Type row.
  SetPick(group.typeRow, pick, !SpecData[fromRow]);
}

// ---------------------------------------------------------------- coming and going

void frmTransmission::Form_Activate() {
  tbl.CalcMode = 0;
  // The program's estimate of a small clutch starts over from the racer's rows.
  tbl.EstimateClutch = 0;
  SpecWindow::Form_Activate();
}

void frmTransmission::Form_Deactivate() {
  if (tbl.QuietCalc == 1) return;
  if (shell.KeepSpecForm == 1) {
    StoreSpecRows();
    return;
  }
  shell.SkipValidation = true;
  Unload();
}

// ---------------------------------------------------------------- row states

void frmTransmission::UpdateRowStates() {
  const DriveRows drive = DriveRowsFor(Pick(kType), Val(SpecAt(kTransmission, kClutchNameSlot + 1)));
  if (drive == DriveRows::Converter) {
    tbl.ConverterDrive = 1;
    double lowRpm = 0, midRpm = 0, peakHpRpm = 0;
    StillLoaded<frmTransmission> self(this);
    CheckTransmissionSpec(lowRpm, midRpm, peakHpRpm);
    if (!self) return;
    if (auto limits = StallRpmLimits(lowRpm, midRpm, peakHpRpm)) SetLimits(kStallRpm, limits);
  } else if (drive == DriveRows::Clutch) {
    tbl.ConverterDrive = 0;
  }
  const bool clutch = drive == DriveRows::Clutch, converter = drive == DriveRows::Converter;
  for (int r = 1; r <= 4; ++r) SetRowEnabled(r, clutch);
  for (int r : {kCapacity, 6, kStallRpm}) SetRowEnabled(r, converter);
  for (int r = kFirstLockUp; r < kRows; ++r) SetRowEnabled(r, converter);
  Label5->setEnabled(converter);
}

// ---------------------------------------------------------------- leaving a value box

void frmTransmission::SpecData_LostFocus(const RowLeave& leave) {
  StillLoaded<frmTransmission> self(this);
  if (leave.text.empty() || leave.skipValidation) {
    LeaveValueBox(leave);
    return;
  }
  // Only a refusal by the limits goes on to the row states; a "No" to the
  // example question ends here.
  const LeaveDecision decision = DecideRowLeave(leave);
  const LeaveStep step = LeaveValueBox(leave);
  if (!self) return;
  if (step == LeaveStep::Refused && decision.step != LeaveStep::Refused) return;
  // Only a stall RPM the racer changed moves the capacity: tabbing through
  // the row leaves the racer's capacity as it is.
  if (step == LeaveStep::Accepted && leave.row == kStallRpm && decision.changed) StallToCapacity(Val(decision.text));
  if (!self) return;
  UpdateRowStates();
  if (!self) return;
  DoEvents();
  if (self && tbl.InstantUpdate > 0) InstantCalc();
}

void frmTransmission::StallToCapacity(double stallRpm) {
  SetRowText(kCapacity, CapacityText(CapacityForStall(stallRpm)));
  double lowRpm = 0, midRpm = 0, peakHpRpm = 0;
  StillLoaded<frmTransmission> self(this);
  CheckTransmissionSpec(lowRpm, midRpm, peakHpRpm);
  if (!self) return;
  const std::string stallText = RowText(kStallRpm);
  if (StallMoved(stallText, stallRpm)) MsgBox(StallRoundingMessage(stallText), mb::OKOnly, "");
}

// ---------------------------------------------------------------- picks

void frmTransmission::cmbSpecData_Click(int row) {
  const int pick = Pick(row);
  if (pick != ComboIndexBefore) fst.SpecsChanged = 1;
  if (row == kType || row == kGearType) {
    TypeRowPick(row, pick);
    return;
  }
  // Material, efficiency and lock-up: stored and used by the next calculation.
  if (pick != ComboIndexBefore) {
    StillLoaded<frmTransmission> self(this);
    const bool stands = ExampleCheck(row);
    if (!self) return;
    if (!stands) {
      RestorePick(row);
      return;
    }
  }
  ComboIndexBefore = Pick(row);
}

void frmTransmission::TypeRowPick(int row, int pick) {
  StillLoaded<frmTransmission> self(this);
  const bool again = (row == kType && (pick == 2 || pick == 4)) || (row == kGearType && pick == 1);
  if (pick != ComboIndexBefore || again) {
    if (RowsFilling == 0) {
      // The Type stays as it was until an example is taken.
      if (row == kType && pick == 2) return OpenExampleList({kClutchNameSlot, kType, "CLUTCH", "CL"}, true);
      if (row == kType && pick == 4) return OpenExampleList({kClutchNameSlot, kType, "CONV", "CV"}, true);
      if (row == kGearType && pick == 1) return OpenExampleList({kGearsNameSlot, kGearType, "TRANS", "TR"}, true);
    }
    // The example in use: nothing to change.
    if ((row == kType && pick == 5) || (row == kGearType && pick == 2)) {
      ComboIndexBefore = pick;
      return;
    }
    if (RowsFilling == 0) {
      // The racer's own specs: the example's name goes from the list.
      const int slot = tbl.SpecMenuStart[kTransmission] + (row == kType ? kClutchNameSlot : kGearsNameSlot);
      tbl.SpecText[slot].clear();
      tbl.SpecText[slot + 1].clear();
      shell.ExampleKind = -1;
      FillSpecCombo(kTransmission, row);
      RowsFilling = 1;
      SetPick(row, pick, false);
      RowsFilling = 0;
    }
  }
  ComboIndexBefore = pick;
  UpdateRowStates();
  if (self && tbl.InstantUpdate > 0) InstantCalc();
}

// ---------------------------------------------------------------- example buttons

void frmTransmission::GetExample() {
  shell.ExampleSubChoice = 0;
  shell.ExampleModeCode.clear();
  shell.ChooserResult = 1;
  shell.KeepSpecForm = 1;
  const Category categories[3] = {kClutches, kConverters, kTransmissions};
  StillLoaded<frmTransmission> self(this);
  const int chosen =
      ChooseExampleCategory(kTransmissionChooserCaption, {kClutches.line, kConverters.line, kTransmissions.line});
  if (!self || chosen < 0 || chosen > 2) return;
  const bool gears = chosen == 2;
  OpenExampleList({gears ? kGearsNameSlot : kClutchNameSlot, gears ? kGearType : kType, categories[chosen].component,
                   categories[chosen].prefix},
                  false);
}

void frmTransmission::SaveExample() {
  if (tbl.BeginnerLevel == 1) {
    MsgBox(tbl.MsgBeginnerNoSave, mb::OKOnly, kBeginnerHelpTitle);
    return;
  }
  shell.ExampleSubChoice = 1;
  StoreSpecRows();
  const Category first = tbl.ConverterDrive == 1 ? kConverters : kClutches;
  shell.ExampleModeCode.clear();
  shell.ChooserResult = 1;
  shell.KeepSpecForm = 1;
  StillLoaded<frmTransmission> self(this);
  const int chosen = ChooseExampleCategory(kTransmissionChooserCaption, {first.line, kTransmissions.line});
  if (!self || chosen < 0 || chosen > 1) return;
  if (chosen == 0 && Pick(kType) == 0) {
    MsgBox(kClutchEstimatedMessage, mb::OKOnly, "");
    return;
  }
  const int typeRow = chosen == 0 ? kType : kGearType;
  if ((chosen == 0 && Pick(kType) == 5) || (chosen == 1 && Pick(kGearType) == 2)) {
    QComboBox* type = cmbSpecData[typeRow];
    MsgBox(tbl.MsgAlreadyExample + FromQ(type->itemText(type->currentIndex())) + tbl.MsgSaveNewName, mb::OKOnly, "");
    return;
  }
  const Category& category = chosen == 0 ? first : kTransmissions;
  shell.ExampleComponent = category.component;
  shell.ExamplePrefix = category.prefix;
  shell.ExampleKind = static_cast<int16_t>(chosen == 0 ? kClutchNameSlot : kGearsNameSlot);
  shell.ExampleMenu = static_cast<int16_t>(typeRow);
  shell.KeepSpecForm = 1;
  DoEvents();
  if (self) ShowExampleComparison();
}

}  // namespace sw
