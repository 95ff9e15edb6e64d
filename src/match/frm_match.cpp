#include "match/frm_match.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "files/file_state.h"
#include "match/frm_disp.h"
#include "match/match_rules.h"
#include "match/spec_search.h"
#include "platform/qt/escape_close.h"
#include "platform/qt/qt_ui.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "shell/frm_main.h"
#include "shell/shell_state.h"
#include "simulation/tables.h"
#include "specs/spec_windows.h"

namespace sw {

frmMatch::frmMatch() : SpecWindow(kMatch, kMatchRows, kMatchCaption) {
  setObjectName("frmMatch");
  const char* captions[kMatchRows] = {"Distance of Race",  "Stall RPM at Launch", "60 Foot Time, sec",
                                      "Finish MPH",        "Finish Engine RPM",   "Finish Trans Gear #"};
  for (int r = 0; r < kMatchRows; ++r) SetRowCaption(r, captions[r]);
  AddButtons({{0, "OK (adjust veh. specs to match performance)"}, {1, "Help"}, {2, "Cancel"}, {3, "Clear Entries"}});

  auto* v = new QVBoxLayout(this);
  Frame3D1 = RowFrame("Your Vehicle's Actual Performance", {0, 1, 2, 3, 4, 5});
  Frame3D1->setObjectName("Frame3D1");
  auto* grid = static_cast<QGridLayout*>(Frame3D1->layout());
  SpecName6 = new QLabel(" Adjust Tire Diameter (see below)", Frame3D1);
  SpecName6->setObjectName("SpecName_6");
  QFont bold = SpecName6->font();
  bold.setBold(true);
  SpecName6->setFont(bold);
  Label1 = new QLabel(kMatchTip, Frame3D1);
  Label1->setObjectName("Label1");
  Label1->setWordWrap(true);
  grid->addWidget(SpecName6, kMatchRows, 0, 1, 3);
  grid->addWidget(Label1, kMatchRows + 1, 0, 1, 3);
  v->addWidget(Frame3D1);
  v->addWidget(HelpFrame());
  // OK with its long caption on a line of its own, the others under it.
  auto* buttons = new QGridLayout;
  buttons->addWidget(Command1[0], 0, 0, 1, 3);
  for (int i = 1; i <= 3; ++i) buttons->addWidget(Command1[static_cast<size_t>(i)], 1, i - 1);
  v->addLayout(buttons);
  setMinimumWidth(480);
  CloseOnEscape(this, [this] { Command1_Click(2); });
  Form_Load();
}

bool frmMatch::FillOwnPickList(int row) {
  if (row == 0) {
    const auto& items = MatchDistanceItems();
    FillPickList(row, {items.begin(), items.end()});
    return true;
  }
  if (row == 5) {
    const auto& items = MatchGearItems();
    FillPickList(row, {items.begin(), items.end()});
    return true;
  }
  return false;
}

void frmMatch::UpdateRowStates() {
  const bool shown = MatchStallRowShown();
  SpecName[1]->setVisible(shown);
  SpecData[1]->setVisible(shown);
}

void frmMatch::Form_Activate() {
  StillLoaded<frmMatch> self(this);
  tbl.CurrentSpecMenu = kMatch;
  const int16_t savedChanged = fst.SpecsChanged;
  RowsFilling = 1;
  // The row file's help lines and limits; the captions are the window's own.
  // A missing or short file is passed over: the rows keep what it gave.
  const RowFileContents file = ReadRowFile(kMatch, kMatchRows);
  for (int r = 0; r < kMatchRows; ++r) {
    const RowRecord& rec = file.rows[static_cast<size_t>(r)];
    SetRowHelp(r, rec.help.value_or(""));
    SetLimits(r, rec.limits);
  }
  FillRowsFromSpecText();
  FocusFirstRow(0);
  RowsFilling = 0;
  UpdateRowStates();
  fst.SpecsChanged = savedChanged;
  if (shell.KeepSpecForm != 2) shell.KeepSpecForm = 0;
  if (!self) return;
  if (tbl.BeginnerLevel == 1 && shell.MatchShown == 0) {
    MsgBox(kMatchLeftOverNote, mb::OKOnly, kBeginnerHelpTitle);
    shell.MatchShown = 1;
  }
}

void frmMatch::Form_Deactivate() {
  // The search's own windows take the front while it runs.
  if (searching_ || tbl.CalcStatus != 0) return;
  SpecWindow::Form_Deactivate();
}

void frmMatch::SpecData_LostFocus(const RowLeave& leave) {
  if (leave.row != 4 || leave.skipValidation) {
    SpecWindow::SpecData_LostFocus(leave);
    return;
  }
  // No finish RPM is an answer too: it is 0 and needs no range (the
  // program's own "0", whatever was typed for it).
  if (Val(leave.text) == 0) {
    SetRowText(4, "0");
    return;
  }
  // A whole number of RPM. The row file marks it so, but a maximum of
  // 15000.001 is past what single precision prints with its ".001".
  // The kit shows the rounded entry, the racer's still; the program's own
  // figure stays as it is.
  RowLeave whole = leave;
  if (!IsProgramText(leave.text, ProgramText(leave))) whole.text = NormaliseEntry(leave.text, true);
  SpecWindow::SpecData_LostFocus(whole);
}

void frmMatch::Command1_Click(int index) {
  if (searching_ || tbl.CalcRunning) return;
  switch (index) {
    case 0: OK(); break;
    case 1: ShowHelp(); break;
    case 2: Unload(); break;
    case 3: ClearEntries(); break;
    default: break;
  }
}

void frmMatch::ClearEntries() {
  if (MsgBox(kMatchClearQuestion, mb::YesNo + mb::Exclamation + mb::DefaultButton2, kMatchClearTitle) != ans::Yes)
    return;
  for (int r = 0; r < kMatchRows; ++r) StoredSpec(r) = ClearedMatchEntry(r);
  RefillFromSpecText();
  fst.SpecsChanged = 1;
}

void frmMatch::SetButtonsEnabled(bool enabled) {
  for (QPushButton* b : Command1)
    if (b) b->setEnabled(enabled);
}

void frmMatch::OK() {
  StillLoaded<frmMatch> self(this);
  shell.KeepSpecForm = 1;
  // No search from a figure the racer did not mean: a refused entry stops.
  if (RefusedOnItsWay()) return;
  std::array<std::string, kMatchRows> rows;
  for (int r = 0; r < kMatchRows; ++r) rows[static_cast<size_t>(r)] = RowText(r);
  const int missing = FirstMissingMatchEntry(rows, MatchStallRowShown());
  if (missing >= 0) {
    MsgBox(MissingMatchEntryMessage(RowCaption(missing)), mb::OKOnly, "");
    return;
  }
  StoreSpecRows();
  if (frmMain* main = DefaultInstance<frmMain>::IfLoaded()) main->Text1_LostFocus();

  searching_ = true;
  SetButtonsEnabled(false);
  SpecSearch search({}, ShowMatchResultScreen);
  const int end = search.Match();
  if (!self) return;
  searching_ = false;
  SetButtonsEnabled(true);
  if (frmMain* main = DefaultInstance<frmMain>::IfLoaded()) main->BuildVehicleSummary();
  if (end == matchend::Kept) {
    Unload();
    return;
  }
  // The old specs are back (or nothing ran): the rows show what is stored.
  RefillFromSpecText();
}

void ShowMatchWindow() {
  const bool fresh = !DefaultInstance<frmMatch>::Loaded();
  frmMatch* w = SpecWindowInstance<frmMatch>();
  if (fresh) {
    // Over the main window, and minimised with it.
    if (frmMain* main = DefaultInstance<frmMain>::IfLoaded()) w->setParent(main, w->windowFlags());
  }
  ShowOverMainWindow(w);
}

}  // namespace sw
