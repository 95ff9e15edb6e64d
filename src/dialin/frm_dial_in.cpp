#include "dialin/frm_dial_in.h"

#include <algorithm>
#include <vector>

#include <QCloseEvent>
#include <QComboBox>
#include <QEvent>
#include <QAbstractItemView>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "dialin/dialin_state.h"
#include "dialin/weather_methods.h"
#include "files/file_names.h"
#include "files/file_state.h"
#include "files/vehicle_file.h"
#include "platform/program_folder.h"
#include "platform/qt/default_instance.h"
#include "platform/qt/printer.h"
#include "platform/qt/qt_ui.h"
#include "platform/qt/text_box.h"
#include "platform/qt/twips.h"
#include "platform/seqfile.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "printing/window_image.h"
#include "results/anls_rprt.h"
#include "shell/frm_main.h"
#include "shell/frm_save_file.h"
#include "shell/rtrvfile.h"
#include "shell/shell_state.h"
#include "shell/user_actions.h"
#include "simulation/tables.h"
#include "specs/conditions_rules.h"
#include "specs/spec_windows.h"
#include "platform/qt/window_lifetime.h"

namespace sw {

namespace {

const std::string kCr(1, CR);

constexpr int kRun1 = 0, kPredicted = 9, kRun2 = 20;

const char* const kRowCaptions[kDialInRowCount] = {
    "Barometer, \"Hg", "Air Temp, deg F", "Dew Point, deg F", "Elevation, ft", "Wind MPH", "Wind Direction",
    "Throttle Stop", "60 foot, sec", "ET, sec",
    "Barometer, \"Hg", "Air Temp, deg F", "Dew Point, deg F", "Elevation, ft", "Wind MPH", "Wind Direction",
    "60 Foot Time", "60 ft, sec", "Dial In, Sec",
    "Method of Reading Weather Data", "Index, sec",
    "", "", "", "", "", "", "", "", "",  // Run 2: rows 0-8's captions
    "T/S Start Time", "Safety Margin, sec", "Adjust Factor"};

constexpr const char* kOneRunNote = "Note:  Click on Options, then Help for info on using only 1 Throttle Stop run.";
constexpr const char* kTwoRunNote =
    "Note:  For good accuracy, Throttle Stops for Run 1 and Run 2 must produce ETs that are at least .3 seconds "
    "different.";
constexpr const char* kRow31Help =
    "Enter the Adjustment Factor from a previous set of 2 Throttle Stop runs which had at least a .3 second "
    "difference due to throttle stop setting.";
constexpr const char* kRow17ThrottleStopHelp =
    "The Throttle Stop setting which will produce your desired ET (the Index you've entered) for the weather "
    "conditions of the Predicted run.  See Example 4.4 in the manual (p 138-142 for details).  p 81";
constexpr const char* kHelpFile = "QVZHELP/HLPts1rn.TXT";

std::string CommentFromBox(const QString& text) {
  QString q = text;
  q.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
  return FromQ(q);
}

// A help line of the file as Dial In mode shows it: its page reference
// points at the Dial In pages.
std::string DialInHelpLine(const std::string& line) {
  long at = InStr(line, "p 80");
  if (at == 0) at = InStr(line, "p 81");
  if (at == 0) return line;
  return Trim(Left(line, at - 1)) + "  p 85";
}

}  // namespace

// ---------------------------------------------------------------- loading

frmDialIn::frmDialIn()
    : SpecWindow(tbl.CalcMode == 2 ? kThrottleStop : kDialIn, kDialInRowCount, "Dial In Prediction") {
  setObjectName("frmDialIn");
  mode_ = Menu() == kThrottleStop ? 2 : 1;
  ModeName = DialInModeName(mode_);
  ExtraHeight = ThrottleStop() ? 240 : 0;

  Label1 = SpecWindow::Label2;
  Label1->setObjectName("Label1");
  for (int r = 0; r < kDialInRowCount; ++r) {
    if (r >= kRun2 && r <= kRun2 + 8) SetRowCaption(r, kRowCaptions[r - kRun2]);
    else SetRowCaption(r, kRowCaptions[r]);
  }
  SetRowCaption(17, ThrottleStop() ? "Throttle Stop" : "Dial In, Sec");
  AddCalculatorButton(2, 0);
  AddCalculatorButton(11, 0);
  AddCalculatorButton(17, 0);
  AddCalculatorButton(22, 0);
  // Row 17's button predicts: it needs no calculator window.
  ClcBttn[17]->setEnabled(true);
  ClcBttn[17]->setToolTip("Update Prediction");
  ClcBttn[17]->setAccessibleName("Update Prediction");

  Label2 = new QLabel(this);
  Label2->setObjectName("Label2");
  Label2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  Label2->setMinimumWidth(TwipsToPixels(1000));
  Label2->setAlignment(Qt::AlignCenter);
  QFont bold = Label2->font();
  bold.setBold(true);
  Label2->setFont(bold);
  Label2->setAccessibleName(ThrottleStop() ? "Predicted Throttle Stop" : "Predicted Dial In");
  Label2->setToolTip("Click to update the prediction");
  Label2->setCursor(Qt::PointingHandCursor);
  Label2->installEventFilter(this);
  for (int i = 0; i < 2; ++i) {
    Label3[i] = new QLabel(i == 0 ? "Run 1" : "Run 2", this);
    Label3[i]->setObjectName(QString("Label3_%1").arg(i));
    Label3[i]->setAlignment(Qt::AlignCenter);
  }
  auto note = [this](const char* name, const QString& text) {
    auto* l = new QLabel(text, this);
    l->setObjectName(name);
    l->setWordWrap(true);
    return l;
  };
  Label4 = note("Label4", "");
  Label5 = note("Label5", kTwoRunNote);
  Label6 = note("Label6", "For Run 1, enter the Adjustment Factor below from a previous set of runs.");
  Label7 = note("Label7", "");
  Label7->setWordWrap(false);
  Label7->setStyleSheet("color: #800000;");
  Label8 = note("Label8", "Adj. Factor");
  Label8->setWordWrap(false);
  Label9 = new QLabel(this);
  Label9->setObjectName("Label9");
  Label9->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  Label9->setMinimumWidth(TwipsToPixels(800));
  Label9->setAlignment(Qt::AlignCenter);
  Label9->setAccessibleName("Adjustment Factor");
  Text1 = new TextBox(this);
  Text1->setObjectName("Text1");
  Text1->setAccessibleName("Comments");
  Text1->setTabChangesFocus(true);
  Text1->setFixedHeight(Text1->fontMetrics().lineSpacing() * 3 + 14);

  BuildMenus();
  BuildLayout();
  Form_Load();  // the kit fills the pick lists from their preset files
  for (QComboBox* list : cmbSpecData)
    if (list) list->view()->setMinimumWidth(list->view()->sizeHintForColumn(0) + 24);
  SetTabChain();
  LoadByMode();
  UpdateCaption();
}

frmDialIn* frmDialIn::IfLoaded() { return DefaultInstance<frmDialIn>::IfLoaded(); }

void frmDialIn::BuildMenus() {
  MenuBar = new QMenuBar(this);
  MenuBar->setObjectName("MenuBar");
  MenuBar->setNativeMenuBar(false);
  auto item = [this](QMenu* menu, const char* caption, const char* name, void (frmDialIn::*handler)()) {
    QAction* a = menu ? menu->addAction(caption) : MenuBar->addAction(caption);
    a->setObjectName(name);
    OnAction(a, &QAction::triggered, this, name, [this, handler] {
      if (!Busy()) (this->*handler)();
    });
    return a;
  };
  auto menu = [this](const char* caption, const char* name) {
    QMenu* m = MenuBar->addMenu(caption);
    m->setObjectName(name);
    m->menuAction()->setObjectName(name);
    return m;
  };
  mnuExitNow = item(nullptr, "Exit", "mnuExitNow", &frmDialIn::mnuExit_Click);
  mnuFile = menu("File", "mnuFile");
  mnuNew = item(mnuFile, "New", "mnuNew", &frmDialIn::mnuNew_Click);
  mnuOpen = item(mnuFile, "Open", "mnuOpen", &frmDialIn::mnuOpen_Click);
  mnuSave = item(mnuFile, "Save", "mnuSave", &frmDialIn::mnuSave_Click);
  mnuSaveAs = item(mnuFile, "Save As", "mnuSaveAs", &frmDialIn::mnuSaveAs_Click);
  mnuFile->addSeparator()->setObjectName("mnudiv1");
  mnuPrint = item(mnuFile, "Print", "mnuPrint", &frmDialIn::mnuPrint_Click);
  mnuFile->addSeparator()->setObjectName("mnuDiv2");
  mnuExit = item(mnuFile, "Exit", "mnuExit", &frmDialIn::mnuExit_Click);

  mnuEdit = menu("Edit", "mnuEdit");
  auto clear = [this](const char* caption, const char* name, int kind) {
    QAction* a = mnuEdit->addAction(caption);
    a->setObjectName(name);
    OnAction(a, &QAction::triggered, this, name, [this, kind] {
      if (!Busy()) ClearRunEntries(kind);
    });
    return a;
  };
  auto copy = [this](const char* caption, const char* name, int kind) {
    QAction* a = mnuEdit->addAction(caption);
    a->setObjectName(name);
    OnAction(a, &QAction::triggered, this, name, [this, kind] {
      if (!Busy()) CopyRunEntries(kind);
    });
    return a;
  };
  mnuClearAll = clear("Clear All Entries", "mnuClearAll", 0);
  mnuClear1 = clear("Clear Previous Run (Run #1)", "mnuClear1", 1);
  mnuClear2 = clear("Clear Previous Run (Run #2)", "mnuClear2", 2);
  mnuClearPredicted = clear("Clear Predicted Run", "mnuClearPredicted", 3);
  mnuEdit->addSeparator()->setObjectName("mnuDiv3");
  mnuCopy12 = copy("Copy Run #1 to Run #2", "mnuCopy12", 0);
  mnuCopy1P = copy("Copy Run #1 to Predicted Run", "mnuCopy1P", 1);
  mnuCopy2P = copy("Copy Run #2 to Predicted Run", "mnuCopy2P", 2);

  mnuOptions = menu("Options", "mnuOptions");
  connect(mnuOptions, &QMenu::aboutToShow, this, [this] { mnuOptions_Click(); });
  mnuUseTwoRuns = item(mnuOptions, "Use Two Previous Throttle Stop Runs", "mnuUseTwoRuns",
                       &frmDialIn::mnuUseTwoRuns_Click);
  mnuUseOneRun = item(mnuOptions, "Use One Previous Throttle Stop Run", "mnuUseOneRun",
                      &frmDialIn::mnuUseOneRun_Click);
  mnuUseTwoRuns->setCheckable(true);
  mnuUseOneRun->setCheckable(true);
  mnuCurrentFactor = mnuOptions->addAction("Current TStop Adjustment Factor =");
  mnuCurrentFactor->setObjectName("mnuCurrentFactor");
  mnuTSHelp = item(mnuOptions, "Help Using 1 TS Run", "mnuTSHelp", &frmDialIn::mnuTSHelp_Click);

  mnuAdvance = menu("Advance", "mnuAdvance");
  auto advance = [this](const char* caption, const char* name, int kind) {
    QAction* a = mnuAdvance->addAction(caption);
    a->setObjectName(name);
    OnAction(a, &QAction::triggered, this, name, [this, kind] {
      if (!Busy()) AdvanceRunEntries(kind);
    });
    return a;
  };
  mnuAdvanceAll = advance("Advance:  Predicted to Previous", "mnuAdvanceAll", 1);
  mnuAdvanceP2 = advance("Advance: Predicted to Run #2", "mnuAdvanceP2", 2);
  mnuUpdate = item(nullptr, "Update Prediction", "mnuUpdate", &frmDialIn::mnuUpdate_Click);
  mnuHelp = item(nullptr, "Help", "mnuHelp", &frmDialIn::mnuHelp_Click);
}

void frmDialIn::SetTabChain() {
  // Down the rows, column by column.
  QWidget* previous = nullptr;
  auto chain = [&](QWidget* w) {
    if (!w) return;
    if (previous) setTabOrder(previous, w);
    previous = w;
  };
  auto chainRow = [&](int r) {
    chain(IsDialInPickRow(r) ? static_cast<QWidget*>(cmbSpecData[r]) : SpecData[r]);
    chain(ClcBttn[r]);
  };
  for (int r = kRun1; r <= 8; ++r) chainRow(r);
  chainRow(31);
  for (int r = kRun2; r <= 28; ++r) chainRow(r);
  for (int r = kPredicted; r <= 16; ++r) chainRow(r);
  chain(ClcBttn[17]);
  chainRow(30);
  for (int r : {18, 19, 29}) chainRow(r);
  chain(Text1);
}

void frmDialIn::BuildLayout() {
  // A wind or 60 ft pick list is as wide as a value box with its "Clc"
  // button; its list opens as wide as its items.
  auto place = [this](QGridLayout* g, int row, int line, int column) {
    if (QComboBox* list = cmbSpecData[row]) {
      if (row != 18) {
        list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        list->setMinimumContentsLength(14);
      }
      g->addWidget(list, line, column, 1, 2, Qt::AlignLeft);
      return;
    }
    g->addWidget(SpecData[row], line, column);
    if (ClcBttn[row]) g->addWidget(ClcBttn[row], line, column + 1);
  };

  // Previous Run: the captions of rows 0-8 label both columns.
  Frame3D1[1] = new QGroupBox("Previous Run", this);
  Frame3D1[1]->setObjectName("Frame3D1_1");
  auto* prev = new QGridLayout(Frame3D1[1]);
  prev->setVerticalSpacing(3);
  prev->addWidget(Label3[0], 0, 1);
  prev->addWidget(Label3[1], 0, 3);
  for (int j = 0; j <= 8; ++j) {
    prev->addWidget(SpecName[kRun1 + j], j + 1, 0);
    place(prev, kRun1 + j, j + 1, 1);
    place(prev, kRun2 + j, j + 1, 3);
    SpecName[kRun2 + j]->hide();
  }
  prev->addWidget(Label6, 10, 0, 1, 5);
  prev->addWidget(SpecName[31], 11, 0);
  prev->addWidget(SpecData[31], 11, 1);
  prev->addWidget(Label5, 12, 0, 1, 5);
  prev->setColumnStretch(5, 1);
  prev->setRowStretch(13, 1);

  // Predicted Run: the prediction stands in row 17's place.
  Frame3D1[0] = new QGroupBox("Predicted Run", this);
  Frame3D1[0]->setObjectName("Frame3D1_0");
  auto* pred = new QGridLayout(Frame3D1[0]);
  pred->setVerticalSpacing(3);
  runHeadingRoom_ = new QLabel(" ", Frame3D1[0]);  // lines up with the run headings
  pred->addWidget(runHeadingRoom_, 0, 1);
  for (int r = kPredicted; r <= 16; ++r) {
    pred->addWidget(SpecName[r], r - kPredicted + 1, 0);
    place(pred, r, r - kPredicted + 1, 1);
  }
  pred->addWidget(SpecName[17], 9, 0);
  pred->addWidget(Label2, 9, 1);
  pred->addWidget(ClcBttn[17], 9, 2);
  SpecData[17]->hide();  // carries the row's slot; never seen
  pred->addWidget(Label8, 10, 0, Qt::AlignRight);
  pred->addWidget(Label9, 10, 1);
  pred->addWidget(SpecName[30], 11, 0);
  pred->addWidget(SpecData[30], 11, 1);
  pred->setColumnStretch(3, 1);
  pred->setRowStretch(12, 1);

  Frame3D2 = new QGroupBox("General Specs and Comments", this);
  Frame3D2->setObjectName("Frame3D2");
  auto* gen = new QGridLayout(Frame3D2);
  gen->setVerticalSpacing(3);
  int line = 0;
  for (int r : {18, 19, 29}) {
    gen->addWidget(SpecName[r], line, 0);
    place(gen, r, line, 1);
    ++line;
  }
  gen->addWidget(Text1, line, 0, 1, 4);
  gen->setColumnStretch(3, 1);

  Frame3D3 = new QGroupBox("Help", this);
  Frame3D3->setObjectName("Frame3D3");
  (new QVBoxLayout(Frame3D3))->addWidget(Label1);
  Label1->setMinimumWidth(TwipsToPixels(3000));

  // Room for the prediction's note and the printout's comment line, added
  // to the window's height only while they show.
  noteSlot_ = new QWidget(this);
  noteSlot_->setFixedHeight(TwipsToPixels(200, this));
  auto* noteLayout = new QHBoxLayout(noteSlot_);
  noteLayout->setContentsMargins(TwipsToPixels(120, this), 0, 0, 0);
  QFont small = Label7->font();
  small.setPixelSize(std::max(8, TwipsToPixels(170, this)));
  Label7->setFont(small);
  noteLayout->addWidget(Label7);
  noteSlot_->hide();
  printSlot_ = new QWidget(this);
  printSlot_->setFixedHeight(TwipsToPixels(1300, this));
  auto* printLayout = new QVBoxLayout(printSlot_);
  printLayout->setContentsMargins(TwipsToPixels(120, this), TwipsToPixels(100, this), 0, 0);
  Label4->setFixedHeight(TwipsToPixels(1050, this));
  Label4->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  printLayout->addWidget(Label4);
  printSlot_->hide();

  auto* frames = new QGridLayout;
  frames->addWidget(Frame3D1[1], 0, 0);
  frames->addWidget(Frame3D1[0], 0, 1);
  frames->addWidget(Frame3D2, 1, 0);
  frames->addWidget(Frame3D3, 1, 1);
  auto* outer = new QVBoxLayout(this);
  outer->setSpacing(0);
  outer->setMenuBar(MenuBar);
  outer->addLayout(frames);
  outer->addWidget(noteSlot_);
  outer->addWidget(printSlot_);
  outer->setSizeConstraint(QLayout::SetFixedSize);

}

int frmDialIn::ConditionsMethod() const { return CInt(Val(tbl.SpecText[tbl.SpecMenuStart[kConditions]])); }

void frmDialIn::LoadByMode() {
  const bool ts = ThrottleStop();
  Label5->setVisible(ts);
  Label4->hide();
  // Items of the other mode are not shown; some captions differ.
  mnuClear2->setVisible(ts);
  mnuCopy12->setVisible(ts);
  mnuCopy2P->setVisible(ts);
  mnuOptions->menuAction()->setVisible(ts);
  mnuAdvanceAll->setVisible(!ts);
  mnuAdvanceP2->setVisible(ts);
  if (!ts) {
    mnuClear1->setText("Clear Previous Run");
    mnuCopy1P->setText("Copy Previous Run to Predicted Run");
  }
  ShowComment(Comment());
  tbl.CurrentSpecMenu = static_cast<int16_t>(Menu());

  for (auto* l : Label3) l->setVisible(ts);
  runHeadingRoom_->setVisible(ts);
  for (int r = kRun2; r <= 29; ++r) {
    if (SpecData[r]) SpecData[r]->setVisible(ts);
    if (cmbSpecData[r]) cmbSpecData[r]->setVisible(ts);
  }
  for (int r : {6, 19, 29}) SpecName[r]->setVisible(ts);
  for (int r : {6, 19}) SpecData[r]->setVisible(ts);
  ClcBttn[kRun2 + 2]->setVisible(ts);
  Label8->setVisible(ts);
  Label9->setVisible(ts);
  if (!ts) {
    Label6->hide();
    SpecName[31]->hide();
    SpecData[31]->hide();
  }

  ++IgnoreComboClick;
  for (int r : {25, 14, 15, 5}) SetPick(r, 0, false);
  SetPick(18, ConditionsMethod(), false);
  --IgnoreComboClick;
  SetWeatherRowLabels();
}

// ---------------------------------------------------------------- activation

void frmDialIn::ReadDialInRowFile() {
  // One row file serves both modes.
  RowFileContents file = ReadRowFile(kThrottleStop, 31);
  for (int r = 0; r < 31; ++r) {
    const RowRecord& rec = file.rows[r];
    if (rec.help) SetRowHelp(r, ThrottleStop() ? *rec.help : DialInHelpLine(*rec.help));
    if (rec.limits) SetLimits(r, rec.limits);
  }
  for (int b : {kRun1, kPredicted, kRun2}) moistureRowFile_[b] = file.rows[b + 2].limits;
  SetMoistureLimits();
  if (ThrottleStop()) SetRowHelp(17, kRow17ThrottleStopHelp);
  SetLimits(31, RowLimits{100, 0.1f});
  SetRowHelp(31, kRow31Help);
  if (!file.complete) MsgBox(RowFileUnreadableMessage(kThrottleStop), mb::OKOnly, "");
}

void frmDialIn::Form_Activate() {
  StillLoaded<frmDialIn> self(this);
  tbl.CurrentSpecMenu = static_cast<int16_t>(Menu());
  const int16_t changed = fst.SpecsChanged;
  RowsFilling = 1;
  ReadDialInRowFile();
  if (!self) return;
  ShowDialInRows();
  UpdateCaption();
  ComboKeyFlag = 0;
  const int first = ThrottleStop() && UseOneTsRun == 1 ? kPredicted : kRun1;
  FocusFirstRow(first);
  RowsFilling = 0;
  fst.SpecsChanged = changed;
  ShowInstantTip();
  if (!self) return;
  if (shell.KeepSpecForm != 2) shell.KeepSpecForm = 0;
  ShowBeginnerNote();
}

bool frmDialIn::WaitsOn(const QWidget* active) const {
  // The Open window and the save window of its own File menu: the
  // worksheet stays behind them, also when the racer went to it while they
  // were up and then back to them.
  if (auto* open = qobject_cast<const Rtrvfile*>(active)) return open->Kind() == ModeName;
  if (auto* save = qobject_cast<const frmSaveFile*>(active)) return save->Kind() == ModeName;
  return false;
}

void frmDialIn::ShowBeginnerNote() {
  if (tbl.BeginnerLevel != 1) return;
  int16_t& flag = ThrottleStop() ? shell.TsAccuracyFlag : shell.DiAccuracyFlag;
  if (flag != 0) return;
  flag = 1;
  MsgBox("Entries in this menu are left over from the last time this menu was used and may not be related to the "
         "current vehicle specs in the other menus." +
             kCr + kCr +
             "Click on File and then New, or Edit and Clear Entries to clear out these entires." + kCr + kCr +
             "You can also click on File and then Open to load in specs from a previous " + ModeName + " session.",
         mb::OKOnly, "Beginner Level Help");
}

std::string& frmDialIn::FileName() const { return ThrottleStop() ? fst.ThrottleStopFileName : fst.DialInFileName; }
std::string& frmDialIn::Comment() const { return ThrottleStop() ? fst.ThrottleStopComment : fst.DialInComment; }

void frmDialIn::UpdateCaption() {
  setWindowTitle(ToQ(ModeName + " Prediction         [ File: " + FileName() + " ]"));
}

void frmDialIn::ShowComment(const std::string& comment) {
  const QString text = DisplayText(comment);
  if (Text1->toPlainText() == text) return;
  settingComment_ = true;
  Text1->setPlainText(text);
  settingComment_ = false;
}

void frmDialIn::EntriesRead(const std::string& comment) {
  ShowComment(comment);
  Later(this, [this] {
    if (!rowsShown_ || Busy()) return;
    const int16_t changed = fst.SpecsChanged;
    ShowDialInRows();
    UpdateCaption();
    fst.SpecsChanged = changed;
  });
}

std::vector<std::string> frmDialIn::ShownEntries() const {
  std::vector<std::string> shown;
  if (rowsShown_)
    for (int r = 0; r < kDialInRowCount; ++r) shown.push_back(RowText(r));
  return shown;
}

void frmDialIn::ClearPredictionIfChanged(const std::vector<std::string>& before) {
  // Entries that arrive from outside (a calculator's value, an opened set)
  // leave the shown prediction behind: it no longer belongs to them.
  for (int r = 0; r < static_cast<int>(before.size()); ++r)
    if (RowText(r) != before[static_cast<size_t>(r)]) {
      ClearPrediction();
      return;
    }
}

void frmDialIn::RefillFromSpecText() {
  const std::vector<std::string> before = ShownEntries();
  SpecWindow::RefillFromSpecText();
  ClearPredictionIfChanged(before);
}

void frmDialIn::ShowDialInRows() {
  const std::vector<std::string> before = ShownEntries();
  if (ThrottleStop()) UseOneTsRun = 0;
  ShowComment(Comment());
  FillRowsFromSpecText();
  rowsShown_ = true;
  // The Adjust Factor is the two-run prediction's figure (a typed one
  // outside its limits is never stored), also as a saved worksheet gives it
  // back: it keeps the pass of the program's own figures.
  SetRowText(31, RowText(31));
  const std::string slot17 = RowText(17);
  if (ThrottleStop() && !slot17.empty() && slot17[0] == '@') {
    const std::string factor = slot17.substr(1);
    SetRowText(31, factor);
    UseOneTsRun = 1;
    // A marker without a factor keeps the factor of this session.
    if (!Trim(factor).empty()) TsAdjustFactor = Val(factor);
  }
  if (Val(RowText(30)) == 0) SetRowText(30, "0");
  if (Val(RowText(31)) == 0) SetRowText(31, "");
  SetWeatherRowLabels();
  ClearPredictionIfChanged(before);
}

// ---------------------------------------------------------------- storing

void frmDialIn::SyncRunMarker() {
  if (!ThrottleStop()) return;
  const std::string now = RowText(17);
  std::string want = now;
  if (UseOneTsRun == 1) want = "@" + RowText(31);
  else if (!now.empty() && now[0] == '@') want.clear();  // two runs again: no marker left behind
  if (want != now) SetRowText(17, want);
}

void frmDialIn::StoreSpecRows() {
  tbl.CurrentSpecMenu = static_cast<int16_t>(Menu());
  if (!rowsShown_) return;
  SyncRunMarker();
  SpecWindow::StoreSpecRows();
  Comment() = CommentFromBox(Text1->toPlainText());
}

// ---------------------------------------------------------------- rows

void frmDialIn::ClearPrediction() {
  Label2->clear();
  Label9->clear();
  NamePrediction();
}

void frmDialIn::NamePrediction() {
  // A screen reader hears the prediction with what it is, as the racer reads it beside its caption.
  const QString what = ThrottleStop() ? "Predicted Throttle Stop" : "Predicted Dial In";
  Label2->setAccessibleName(Label2->text().isEmpty() ? what : what + " " + Label2->text());
  Label9->setAccessibleName(Label9->text().isEmpty() ? QString("Adjustment Factor")
                                                     : "Adjustment Factor " + Label9->text());
}

void frmDialIn::SpecData_LostFocus(const RowLeave& leave) {
  StillLoaded<frmDialIn> self(this);
  LeaveStep step = LeaveValueBox(leave);
  if (!self) return;
  if (step == LeaveStep::Refused || step == LeaveStep::Skipped) return;
  if (RowText(leave.row) != leave.textBefore) {
    fst.SpecsChanged = 1;
    ClearPrediction();  // the shown prediction no longer applies
  }
  if (leave.row == 31) SyncRunMarker();
}

bool frmDialIn::eventFilter(QObject* watched, QEvent* e) {
  if (watched == Label2 && e->type() == QEvent::MouseButtonPress) {
    Act(this, "Label2", [this] {
      if (Busy()) return;
      shell.KeepSpecForm = 1;
      mnuUpdate_Click();
    });
    return true;
  }
  if (e->type() == QEvent::MouseButtonDblClick) {
    // A Run 2 box takes the Run 1 value beside it.
    for (int r = kRun2; r <= kRun2 + 8; ++r)
      if (watched == SpecData[r] && SpecData[r - kRun2]) {
        SetRowText(r, RowText(r - kRun2));
        return true;
      }
  }
  return SpecWindow::eventFilter(watched, e);
}

void frmDialIn::closeEvent(QCloseEvent* e) {
  if (predicting_) {
    // The window goes once the prediction that reads its rows is over.
    e->ignore();
    RunWhenFree(this, "close", [this] { return predicting_; }, [this] { close(); });
    return;
  }
  SpecWindow::closeEvent(e);
}

bool frmDialIn::Busy() const { return predicting_ || tbl.CalcRunning; }

void frmDialIn::ClcBttn_Click(int row) {
  if (Busy()) return;
  shell.KeepSpecForm = 1;
  if (row == 17) {
    mnuUpdate_Click();
    return;
  }
  const int base = row == 2 ? 40 : row == 11 ? 42 : 44;
  // The calculator of what the row holds: with no method chosen yet the row
  // is captioned, and read by the run, as a dew point.
  const bool dew = !MethodTakesHumidity(Pick(18));
  shell.CalcMenuNumber = static_cast<int16_t>(base + (dew ? 0 : 1) + (ThrottleStop() ? 0 : 6));
  StoreSpecRows();
  ShowCalculator();
}

// ---------------------------------------------------------------- weather methods

void frmDialIn::cmbSpecData_Click(int row) {
  if (IgnoreComboClick != 0 || ComboKeyFlag == 1) return;
  const int before = ComboIndexBefore, now = Pick(row);
  if (now != before) {
    fst.SpecsChanged = 1;
    ClearPrediction();
  }
  if (row != 18) {
    SetWeatherRowLabels();
    ComboIndexBefore = now;
    return;
  }
  if (now == before) {
    SetWeatherRowLabels();
    return;
  }
  StillLoaded<frmDialIn> self(this);
  if (before > 1 && now < 2) {
    const bool answered = AskRunElevations(RunElevation);
    if (!self) return;
    if (!answered) {
      // The method change is undone; nothing was converted.
      SetPick(18, before, false);
      SetWeatherRowLabels();
      return;
    }
  }
  struct Group {
    int base, run;
  };
  for (Group g : {Group{kRun1, 1}, Group{kPredicted, 3}, Group{kRun2, 2}}) {
    if (g.base == kRun2 && !ThrottleStop()) continue;
    WeatherGroupRows rows{RowText(g.base), RowText(g.base + 1), RowText(g.base + 2), RowText(g.base + 3)};
    ConvertMoisture(rows, before, now);
    ConvertPressure(rows, before, now, RunElevation[g.run]);
    const std::string* texts[4] = {&rows.barometer, &rows.temperature, &rows.moisture, &rows.elevation};
    for (int i = 0; i < 4; ++i)
      if (RowText(g.base + i) != *texts[i]) SetRowText(g.base + i, *texts[i]);
    SetWeatherRowLabels();
  }
  ComboIndexBefore = now;
}

void frmDialIn::SetRowCaptionBoth(int row, const std::string& caption) {
  SetRowCaption(row, caption);
  // The Run 2 box beside the row keeps the caption for its messages.
  if (row <= 8) SetRowCaption(kRun2 + row, caption);
}

void frmDialIn::NameRunControls() {
  // Run 1 and Run 2 share their captions and their frame: a screen reader
  // tells the two columns apart by these names.
  auto control = [this](int r) {
    return SpecData[r] ? static_cast<QWidget*>(SpecData[r]) : static_cast<QWidget*>(cmbSpecData[r]);
  };
  for (int row = kRun1; row <= 8; ++row) {
    const std::string caption = RowCaption(row);
    if (QWidget* two = control(kRun2 + row)) two->setAccessibleName(ToQ(caption + " (Run 2)"));
    if (QWidget* one = control(row); one && ThrottleStop()) one->setAccessibleName(ToQ(caption + " (Run 1)"));
  }
  if (ThrottleStop()) {
    // A pick list is named by its pick; its caption reaches a screen reader
    // as a label, so each run's list gets one.
    for (int i = 0; i < 2; ++i) {
      QComboBox* list = cmbSpecData[i == 0 ? 5 : kRun2 + 5];
      if (!RunListCaption[i]) {
        RunListCaption[i] = new QLabel(list->parentWidget());
        RunListCaption[i]->hide();
        RunListCaption[i]->setBuddy(list);
      }
      RunListCaption[i]->setText(i == 0 ? QString("Run 1") : ToQ(RowCaption(5) + " (Run 2)"));
    }
    ClcBttn[2]->setAccessibleName(ToQ("Clc " + RowCaption(2) + " (Run 1)"));
    ClcBttn[22]->setAccessibleName(ToQ("Clc " + RowCaption(2) + " (Run 2)"));
  }
  ClcBttn[17]->setAccessibleName("Update Prediction");
}

void frmDialIn::SetWeatherRowLabels() {
  if (ThrottleStop()) {
    const bool one = UseOneTsRun == 1;
    Label5->setText(one ? kOneRunNote : kTwoRunNote);
    for (int r = kRun1; r <= 8; ++r) {
      if (SpecData[r]) SpecData[r]->setVisible(!one);
      if (cmbSpecData[r]) cmbSpecData[r]->setVisible(!one);
    }
    ClcBttn[2]->setVisible(!one);
    Label6->setVisible(one);
    SpecName[31]->setVisible(one);
    SpecData[31]->setVisible(one);
  }
  SetRowEnabled(16, Pick(15) >= 1);
  const int method = Pick(18);
  for (int b : {kRun1, kPredicted, kRun2}) {
    SetRowEnabled(b, !AltimeterMethod(method));
    SetRowEnabled(b + 3, !ObservedBarometer(method));
  }
  for (int j : {1, 2, 3, 0}) {
    SetRowCaptionBoth(j, WeatherRowCaption(j, method));
    SetRowHelp(j, WeatherRowHelp(j, method));
  }
  for (int j = 0; j <= 3; ++j) {
    SetRowCaption(kPredicted + j, RowCaption(j));
    SetRowHelp(kPredicted + j, RowHelp(j));
    SetRowHelp(kRun2 + j, RowHelp(j));
  }
  for (int b : {kRun1, kPredicted, kRun2}) SetRowEnabled(b + 4, Pick(b + 5) != 0);
  SetMoistureLimits();
  NameRunControls();
}

// A moisture row takes a dew point within the row file's limits, a humidity
// within 0..100 %.
void frmDialIn::SetMoistureLimits() {
  const bool dewPoint = !MethodTakesHumidity(Pick(18));
  for (int b : {kRun1, kPredicted, kRun2})
    if (moistureRowFile_[b]) SetLimits(b + 2, MoistureRowLimits(moistureRowFile_[b], dewPoint));
}

// ---------------------------------------------------------------- copy, advance, clear

void frmDialIn::CopyRow(int from, int to) {
  if (cmbSpecData[to] && cmbSpecData[from]) {
    ++IgnoreComboClick;
    SetPick(to, Pick(from), false);
    --IgnoreComboClick;
  } else if (SpecData[to] && SpecData[from]) {
    SetRowText(to, RowText(from));
  }
}

void frmDialIn::CopyRunEntries(int kind) {
  int from = kRun1, to = kRun2;
  std::string text = "Previous Run #1 to Previous Run #2";
  if (kind == 1) {
    to = kPredicted;
    text = std::string("Previous Run") + (ThrottleStop() ? " #1" : "") + " to Predicted Run";
  } else if (kind == 2) {
    from = kRun2;
    to = kPredicted;
    text = "Previous Run #2 to Predicted Run";
  }
  StillLoaded<frmDialIn> self(this);
  if (MsgBox("Copy entries from " + text + "?", mb::YesNo + mb::Exclamation, "Copy Entries") != ans::Yes || !self)
    return;
  for (int k = 0; k <= 8; ++k) {
    // The Predicted group keeps its 60 ft choice and result row; the run's
    // 60 ft time lands in row 16.
    if (to == kPredicted && (k == 6 || k == 8)) continue;
    CopyRow(from + k, to + k);
  }
  SetWeatherRowLabels();
}

void frmDialIn::AdvanceRunEntries(int kind) {
  const int to = kind == 2 ? kRun2 : kRun1;
  StillLoaded<frmDialIn> self(this);
  if (MsgBox(std::string("Advance (copy) entries from ") + "Predicted Run" + " to Previous Run" +
                 (ThrottleStop() ? " #2" : "") + "?",
             mb::YesNo + mb::Exclamation, "Advance Entries") != ans::Yes ||
      !self)
    return;
  ++IgnoreComboClick;
  for (int k = 0; k <= 5; ++k) {
    CopyRow(kPredicted + k, to + k);
    if (cmbSpecData[kPredicted + k]) SetPick(kPredicted + k, -1, false);
    else SetRowText(kPredicted + k, "");
  }
  --IgnoreComboClick;
  if (ThrottleStop()) SetRowText(to + 6, FromQ(Label2->text()));
  ClearPrediction();
  SetRowText(to + 7, "");
  SetRowText(to + 8, "");
  SetWeatherRowLabels();
}

void frmDialIn::ClearRunEntries(int kind) {
  static const char* const kTexts[4] = {"", " for the Previous Run #1", " for the Previous Run #2",
                                        " for the Predicted Run"};
  if (kind < 0 || kind > 3) return;
  if (kind == 0) ClearPrediction();
  StillLoaded<frmDialIn> self(this);
  if (MsgBox(std::string("Clear our (blank out) all data entries") + kTexts[kind] + "?" + kCr + kCr +
                 "(If you have not saved these entries, answer No now.  Then click on 'File' and 'Save' or 'Save As' "
                 "to save these entries.)",
             mb::YesNo + mb::Exclamation + mb::DefaultButton2, "Clear Out Data") != ans::Yes ||
      !self)
    return;
  if (kind == 0) {
    Comment().clear();
    FileName().clear();
    UpdateCaption();
    ShowComment("");
  }
  int first = 0, last = 31;
  if (kind == 1) first = kRun1, last = 8;
  else if (kind == 2) first = kRun2, last = 28;
  else if (kind == 3) first = kPredicted, last = 16;
  ++IgnoreComboClick;
  for (int r = first; r <= last; ++r) {
    if (r == 18) SetPick(18, ConditionsMethod(), false);
    else if (cmbSpecData[r]) SetPick(r, 0, false);
    else SetRowText(r, "");
  }
  --IgnoreComboClick;
  SyncRunMarker();
  SetWeatherRowLabels();
}

// ---------------------------------------------------------------- menus

void frmDialIn::mnuExit_Click() { Unload(); }

void frmDialIn::mnuOpen_Click() {
  shell.KeepSpecForm = 1;
  fst.FileReadFailed = 0;
  fst.FloppyMode = 0;
  tbl.CalcMode = static_cast<int16_t>(mode_);
  StoreSpecRows();
  OpenVehicleFile(FormId::frmMain, openmode::Choose);
  if (fst.FileReadFailed != 1) FileWin().BuildMainCaption();
}

void frmDialIn::mnuSave_Click() {
  const std::string name = Trim(FileName());
  if (name.empty()) {
    MsgBox("Current Name is blank.  Use 'Save As' to give these specs a name.", mb::OKOnly, "");
    return;
  }
  tbl.CalcMode = static_cast<int16_t>(mode_);
  StoreSpecRows();
  fst.ChosenFileName =
      ProgramFolderText() + "/" + (ThrottleStop() ? kThrottleStopFolder : kDialInFolder) + "/" + name;
  fst.FileOperation = savemode::ChosenPath;
  SaveVehicleFile(FormId::frmMain);
}

void frmDialIn::mnuSaveAs_Click() {
  tbl.CalcMode = static_cast<int16_t>(mode_);
  StoreSpecRows();
  shell.KeepSpecForm = 1;
  fst.FileOperation = savemode::SaveAs;
  SaveVehicleFile(FormId::frmMain);
}

void frmDialIn::mnuPrint_Click() {
  WindowPicture image;
  {
    BusyCursor busy;
    const QString keptHelp = Label1->text();
    Frame3D3->setTitle("Program Description");
    std::string folder, vehicle;
    SplitPath(folder, fst.CurrentFilePath, vehicle);
    Label1->setText(DisplayText("Veh File: " + vehicle + kCr + ModeName + " File: " + FileName() + kCr +
                                "Stagewell v3.2"));
    Label4->setFixedWidth(TwipsToPixels(ThrottleStop() ? 8000 : 6600, this));
    Label4->setText(DisplayText("Comments:     " + CommentFromBox(Text1->toPlainText())));
    Label4->show();
    printSlot_->show();
    layout()->activate();
    image = CaptureFormImage(this);
    printSlot_->hide();
    Label4->hide();
    Label1->setText(keptHelp);
    Frame3D3->setTitle("Help");
    layout()->activate();
  }
  PrintPictureScaledToPage(this, windowTitle(), image);
}

void frmDialIn::mnuHelp_Click() { ShowHelp(); }

void frmDialIn::mnuTSHelp_Click() {
  shell.KeepSpecForm = 1;
  SeqReader in;
  if (!in.Open(ProgramPath(kHelpFile))) {
    MsgBox(std::string("The help file ") + kHelpFile + " can not be read.  You may need to reinstall this program.",
           mb::OKOnly, "");
    return;
  }
  std::string text, line;
  while (!in.Eof()) {
    in.LineInput(line);
    text += line + CRLF;
  }
  AnlsRprt::ShowText(text);
}

void frmDialIn::mnuOptions_Click() {
  const bool one = UseOneTsRun == 1;
  mnuUseOneRun->setChecked(one);
  mnuUseTwoRuns->setChecked(!one);
  if (one) mnuCurrentFactor->setText(ToQ("Current T.Stop Factor = " + RowText(31)));
  else if (Val(FromQ(Label2->text())) <= 0) mnuCurrentFactor->setText("Current T.Stop Factor = na");
  else mnuCurrentFactor->setText(ToQ("Current T.Stop Factor = " + Format(TsAdjustFactor, "##.000")));
}

void frmDialIn::mnuUseOneRun_Click() {
  const std::string factor = Format(TsAdjustFactor, "###.000");
  if (Trim(RowText(31)).empty() && TsAdjustFactor > 2) {
    SetRowText(31, factor);
  } else if (TsAdjustFactor > 2) {
    StillLoaded<frmDialIn> self(this);
    int a = MsgBox("Do you want to use the current Adjustment Factor of  " + factor + " ?",
                   mb::YesNo + mb::Exclamation, "Use Current Adjustment Factor?");
    if (!self) return;
    if (a == ans::Yes) SetRowText(31, factor);
  }
  UseOneTsRun = 1;
  SyncRunMarker();
  SetWeatherRowLabels();
}

void frmDialIn::mnuUseTwoRuns_Click() {
  UseOneTsRun = 0;
  SyncRunMarker();
  SetWeatherRowLabels();
}

// ---------------------------------------------------------------- the prediction

DialInEntries frmDialIn::Entries() const {
  DialInEntries e;
  e.mode = mode_;
  e.oneRun = ThrottleStop() && UseOneTsRun == 1;
  for (int r = 0; r < kDialInRowCount; ++r) {
    const QWidget* control = cmbSpecData[r] ? static_cast<QWidget*>(cmbSpecData[r]) : SpecData[r];
    if (cmbSpecData[r]) e.pick[r] = Pick(r);
    else e.text[r] = RowText(r);
    e.inUse[r] = control && control->isVisibleTo(this) && control->isEnabled();
    e.caption[r] = RowCaption(r >= kRun2 && r <= kRun2 + 8 ? r - kRun2 : r);
  }
  e.previousRunFrame = FromQ(Frame3D1[1]->title());
  e.predictedRunFrame = FromQ(Frame3D1[0]->title());
  e.generalFrame = FromQ(Frame3D2->title());
  return e;
}

std::string frmDialIn::RowTextForRun(int row) const {
  if (row < 0 || row >= RowCount()) return "";
  return predicting_ && row < static_cast<int>(heldText_.size()) ? heldText_[static_cast<size_t>(row)] : RowText(row);
}

int frmDialIn::PickForRun(int row) const {
  if (row < 0 || row >= RowCount()) return 0;
  return predicting_ && row < static_cast<int>(heldPick_.size()) ? heldPick_[static_cast<size_t>(row)] : Pick(row);
}

void frmDialIn::ShowSixtyFootNote(bool shown) {
  Label7->setVisible(shown);
  noteSlot_->setVisible(shown);
}

void frmDialIn::mnuUpdate_Click() {
  if (Busy()) return;
  StillLoaded<frmDialIn> self(this);
  // No prediction from a figure the racer did not mean: a refused entry stops.
  if (RefusedOnItsWay()) return;
  shell.KeepSpecForm = 1;
  tbl.CalcMode = static_cast<int16_t>(mode_);
  const DialInEntries entries = Entries();
  heldText_.clear();
  heldPick_.clear();
  for (int r = 0; r < RowCount(); ++r) {
    heldText_.push_back(RowText(r));
    heldPick_.push_back(Pick(r));
  }
  predicting_ = true;
  PredictionOutcome o = PredictFromEntries(entries, Asked, CalculateWithRunWeather);
  if (!self) return;
  predicting_ = false;
  switch (o.labels) {
    case PredictionOutcome::Labels::Keep: break;
    case PredictionOutcome::Labels::Empty: ClearPrediction(); break;
    case PredictionOutcome::Labels::Set:
      Label2->setText(ToQ(o.label2));
      Label9->setText(ToQ(o.label9));
      NamePrediction();
      break;
  }
  if (o.sixtyFoot != PredictionOutcome::SixtyFoot::Undecided) {
    Label7->setText(ToQ(o.label7));
    ShowSixtyFootNote(o.sixtyFoot == PredictionOutcome::SixtyFoot::NotUsed);
  }
  if (o.passesRun && isVisible()) {
    raise();
    activateWindow();
  }
}

// ---------------------------------------------------------------- opening

void ShowDialInWindow(int mode) {
  tbl.CalcMode = static_cast<int16_t>(mode);
  if (frmDialIn* old = frmDialIn::IfLoaded(); old && old->Mode() != mode) old->Unload();
  const bool fresh = !DefaultInstance<frmDialIn>::Loaded();
  frmDialIn* w = SpecWindowInstance<frmDialIn>();
  if (fresh) {
    // Over the main window, and minimised with it.
    if (frmMain* main = DefaultInstance<frmMain>::IfLoaded()) w->setParent(main, w->windowFlags());
  }
  w->setEnabled(true);
  ShowOverMainWindow(w);
}

}  // namespace sw
