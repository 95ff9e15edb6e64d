#include "specs/frm_engine.h"

#include <QApplication>
#include <QCloseEvent>
#include <QChartView>
#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>

#include "files/configuration.h"
#include "files/file_state.h"
#include "platform/program_folder.h"
#include "platform/qt/chart.h"
#include "platform/qt/printer.h"
#include "platform/qt/qt_ui.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "printing/printer_fonts.h"
#include "shell/user_actions.h"
#include "shell/frm_main.h"
#include "shell/frm_send.h"
#include "shell/power_curve_import.h"
#include "shell/shell_state.h"
#include "simulation/tables.h"
#include "specs/engine_rules.h"
#include "specs/power_curve_rules.h"
#include "specs/spec_windows.h"
#include "platform/qt/held_under_boxes.h"
#include "platform/qt/window_lifetime.h"

namespace sw {

namespace {

const ExampleGroup kEngineGroup{kEngineNameSlot, 0, "ENG", "ENG"};

constexpr int kMethodRow = 0;
constexpr int kCorrFactorRow = 6;
constexpr int kGridCells = 11;  // the eleventh cell of each column is never shown

// Properties that tell a grid cell's column and point.
constexpr const char* kCellColumn = "swCurveColumn";
constexpr const char* kCellPoint = "swCurvePoint";

// Chart settings only the engine plot writes (kept by the chart, used by nothing).
constexpr int kSecondThickness = 78;
constexpr int kTopRpm = 112;
constexpr int kFixed115 = 115, kFixed122 = 122, kFixed139 = 139;
constexpr int kScreenSetting35 = 35, kScreenSetting37 = 37, kAfterPrint44 = 44;

std::string& EngineSpec(int k) { return SpecAt(kEngine, k); }

bool IgnoredReason(Qt::FocusReason r) { return r == Qt::ActiveWindowFocusReason || r == Qt::PopupFocusReason; }

}  // namespace

// ---------------------------------------------------------------- building

frmEngine::frmEngine() : SpecWindow(kEngine, 7, "General Engine Specs") {
  setObjectName("frmEngine");
  static const char* kCaptions[7] = {" Method of Describing Power Curve", "Displacement, cu in", "Peak Torque, ft lbs",
                                     "Peak Torque RPM", "Peak Horsepower", "Peak Horsepower RPM", "Corr Factor"};
  for (int r = 0; r < 7; ++r) SetRowCaption(r, kCaptions[r]);
  AddCalculatorButton(1, 27);  // displacement
  for (int r = 2; r <= 5; ++r) AddCalculatorButton(r, 6);  // horsepower curve
  AddButtons({{0, "OK"},
              {1, "Help"},
              {2, "Get Example"},
              {3, "Save Example"},
              {4, "Clear"},
              {5, "Calculate"},
              {6, "Load from Cylvane"},
              {7, "Print"},
              {8, "Print Setup"}});

  Frame3D3 = RowFrame(" Base Engine Specs ", {0, 1, 2, 3, 4, 5, 6});
  Frame3D3->setObjectName("Frame3D3");
  BuildCurveFrame();

  auto* grid = new QGridLayout(this);
  grid->addWidget(Frame3D3, 0, 0);
  grid->addWidget(HelpFrame(), 1, 0);
  grid->addWidget(Frame3D1, 0, 1, 2, 1);
  grid->addLayout(ButtonRow({0, 1, 2, 3, 7, 8}), 2, 0, 1, 2);
  grid->setRowStretch(1, 1);
  grid->setSizeConstraint(QLayout::SetFixedSize);

  Form_Load();
  loading_ = false;

  // Tab order: the rows, the grid point by point (RPM, Tq, HP), the curve's
  // buttons, then the window's own.
  QWidget* previous = cmbSpecData[kCorrFactorRow];
  auto chain = [&](QWidget* w) {
    setTabOrder(previous, w);
    previous = w;
  };
  for (int i = 0; i < kCurveGridPoints; ++i)
    for (int c = kCurveRpm; c <= kCurveHp; ++c) chain(Cell(c, i));
  for (int i : {4, 5, 6}) chain(Command1[i]);
  chain(Command2);
  for (int i : {0, 1, 2, 3, 7, 8}) chain(Command1[i]);
}

void frmEngine::BuildCurveFrame() {
  Frame3D1 = new QGroupBox("Full Power Curve", this);
  Frame3D1->setObjectName("Frame3D1");
  auto* v = new QVBoxLayout(Frame3D1);

  // The plot, and in its place while the curve is off, how to switch it on.
  auto* plotArea = new QWidget(Frame3D1);
  plotArea->setMinimumSize(440, 270);
  auto* stack = new QGridLayout(plotArea);
  stack->setContentsMargins(0, 0, 0, 0);
  Graph1 = new Chart(plotArea);
  Graph1->setObjectName("Graph1");
  Graph1->setFocusPolicy(Qt::NoFocus);
  Graph1->View()->setFocusPolicy(Qt::NoFocus);
  Label8 = new QLabel(
      "To activate the Full Power Curve features, select 'Specified Full Curve' from the Method of Describing Power "
      "Curve list (upper left corner of this screen",
      plotArea);
  Label8->setObjectName("Label8");
  Label8->setWordWrap(true);
  Label8->setAlignment(Qt::AlignCenter);
  Label8->setMargin(30);
  stack->addWidget(Graph1, 0, 0);
  stack->addWidget(Label8, 0, 0);
  v->addWidget(plotArea);

  // Two blocks of five points side by side, as the printed page has them.
  auto* cells = new QGridLayout;
  cells->setHorizontalSpacing(4);
  cells->setVerticalSpacing(3);
  static const char* kHeadings[6] = {"RPM", "Tq", "HP", "RPM", "Tq", "HP"};
  static const char* kCellNames[3] = {"RPM", "Tq", "HP"};
  for (int k = 0; k < 6; ++k) {
    auto* label = new QLabel(kHeadings[k], Frame3D1);
    label->setObjectName(QString("Label1_%1").arg(k));
    label->setAlignment(Qt::AlignCenter);
    Label1.push_back(label);
    cells->addWidget(label, 0, k < 3 ? k : k + 1);
  }
  cells->setColumnMinimumWidth(3, 16);
  for (auto* column : {&Text1, &Text2, &Text3}) column->assign(kGridCells, nullptr);
  for (int i = 0; i < kGridCells; ++i) {
    for (int c = kCurveRpm; c <= kCurveHp; ++c) {
      auto* cell = new QLineEdit(Frame3D1);
      cell->setObjectName(QString("Text%1_%2").arg(c).arg(i));
      cell->setAccessibleName(QString("%1 %2").arg(kCellNames[c - 1]).arg(i + 1));
      cell->setAccessibleDescription(ToQ(CurveColumnRuleOf(c).help));
      cell->setMaximumWidth(66);
      cell->setAlignment(Qt::AlignRight);
      cell->setProperty(kCellColumn, c);
      cell->setProperty(kCellPoint, i);
      cell->installEventFilter(this);
      connect(cell, &QLineEdit::textChanged, this, [this, cell] {
        if (gridFilling_ == 0 && !HeldUnderBox(cell)) gridAhead_ = true;
      });
      connect(cell, &QLineEdit::textEdited, this, [this, c, i] { cellTyped_[i][c - 1] = true; });
      (c == kCurveRpm ? Text1 : c == kCurveTorque ? Text2 : Text3)[i] = cell;
      if (i >= kCurveGridPoints) {
        cell->hide();
        cell->setEnabled(false);
        continue;
      }
      const int block = i / 5, line = i % 5;
      cells->addWidget(cell, line + 1, (c - 1) + block * 4);
    }
  }
  v->addLayout(cells);

  Command2 = new QPushButton("Print", Frame3D1);
  Command2->setObjectName("Command2");
  Command2->setAutoDefault(false);
  Command2->setAccessibleName("Print Power Curve");
  Command2->installEventFilter(this);
  OnAction(Command2, &QPushButton::clicked, this, "Command2", [this] { Command2_Click(); });
  auto* buttons = new QHBoxLayout;
  for (int i : {4, 5, 6}) buttons->addWidget(Command1[i]);
  buttons->addWidget(Command2);
  v->addLayout(buttons);
}

QLineEdit* frmEngine::Cell(int column, int point) const {
  const auto& cells = column == kCurveRpm ? Text1 : column == kCurveTorque ? Text2 : Text3;
  return point >= 0 && point < static_cast<int>(cells.size()) ? cells[point] : nullptr;
}

int frmEngine::ExampleKindForList(int row) const {
  return row == kMethodRow && Val(EngineSpec(0)) == engine_method::kLinkedExample ? kEngineNameSlot : -1;
}

const ExampleGroup* frmEngine::GroupOfRow(int row) const { return row >= 1 && row <= 6 ? &kEngineGroup : nullptr; }

const ExampleGroup* frmEngine::WindowExampleGroup() const { return &kEngineGroup; }

// ---------------------------------------------------------------- rows and grid

void frmEngine::AfterRowFilled(int row) {
  // A linked example shows its name, whatever the stored method says.
  if (row == kMethodRow && !EngineSpec(kEngineNameSlot).empty())
    SetPick(kMethodRow, engine_method::kLinkedExample, false);
  if (row == kCorrFactorRow) {
    FillGridFromPowerCurveText();
    PlotPowerCurve(0);
  }
}

void frmEngine::FillGridFromPowerCurveText() {
  ++gridFilling_;
  ++gridGeneration_;
  pendingCellLeaves_.clear();
  for (int i = 0; i < kCurveGridPoints; ++i)
    for (int c = kCurveRpm; c <= kCurveHp; ++c) {
      const std::string& text = tbl.PowerCurveText[i][c - 1];
      Cell(c, i)->setText(ToQ(text));
      cellBefore_[i][c - 1] = cellWritten_[i][c - 1] = cellProgram_[i][c - 1] = text;
      cellTyped_[i][c - 1] = false;
    }
  gridFilled_ = true;
  gridAhead_ = false;
  --gridFilling_;
}

void frmEngine::StoreSpecRows() {
  SpecWindow::StoreSpecRows();
  // While a calculation reads the curve the grid stays ahead, to be stored after it.
  if (!gridFilled_ || !gridAhead_ || CalculationUnderWay()) return;
  for (int i = 0; i < kCurveGridPoints; ++i)
    for (int c = kCurveRpm; c <= kCurveHp; ++c) tbl.PowerCurveText[i][c - 1] = StorableCellText(c, i);
  gridAhead_ = false;
}

std::string frmEngine::StorableCellText(int column, int point) const {
  // A figure stands as typed, tested or not, but one outside the column's
  // limits is never stored or computed from: the figure the window wrote stays.
  const std::string text = FromQ(Cell(column, point)->text());
  const std::string& written = cellWritten_[point][column - 1];
  return text == written || CurveEntryStorable(column, text) ? text : written;
}

void frmEngine::SetCellText(int column, int point, const std::string& text, CellText kind) {
  QLineEdit* cell = Cell(column, point);
  // The cell the racer just tabbed into, nothing typed yet: what the racer
  // types next replaces the figure, as it would have replaced the old one.
  const bool selectAfter = cell->hasFocus() && FromQ(cell->text()) == cellBefore_[point][column - 1];
  if (FromQ(cell->text()) != text) cell->setText(ToQ(text));
  if (selectAfter) cell->selectAll();
  // A figure the window wrote is no entry of the racer's.
  cellBefore_[point][column - 1] = text;
  cellTyped_[point][column - 1] = false;
  if (kind == CellText::Shown) return;
  cellWritten_[point][column - 1] = text;
  std::string& program = cellProgram_[point][column - 1];
  if (kind == CellText::Figure) program = text;
  else if (text != program) program.clear();
}

void frmEngine::UpdateRowStates() {
  const EngineRowStates s = EngineRowStatesFor(EffectiveEngineMethod(Pick(kMethodRow), EngineSpec(kEngineMarkerSlot)));
  for (int r : {2, 3}) SetRowEnabled(r, s.peakTorque, true);
  for (int r : {4, 5}) SetRowEnabled(r, s.peakHp, true);
  Graph1->setEnabled(s.curve);
  Graph1->setVisible(s.curve);
  Label8->setVisible(!s.curve);
  for (QLabel* l : Label1) l->setEnabled(s.curve);
  Command1[4]->setEnabled(s.curve);
  Command1[5]->setEnabled(s.curve);
  Command1[6]->setEnabled(s.curve);
  Command2->setEnabled(s.curve);
  for (int i = 0; i < kCurveGridPoints; ++i)
    for (int c = kCurveRpm; c <= kCurveHp; ++c) Cell(c, i)->setEnabled(s.curve);
}

// ---------------------------------------------------------------- activation

bool frmEngine::event(QEvent* e) {
  // A cell clicked as the window comes to the front keeps the focus.
  if (e->type() == QEvent::WindowActivate) pressedPoint_ = -1;
  return SpecWindow::event(e);
}

bool frmEngine::eventFilter(QObject* watched, QEvent* e) {
  const QVariant columnProp = watched->property(kCellColumn);
  if (columnProp.isNull()) return SpecWindow::eventFilter(watched, e);
  const int column = columnProp.toInt();
  const int point = watched->property(kCellPoint).toInt();
  auto* cell = static_cast<QLineEdit*>(watched);
  switch (e->type()) {
    case QEvent::FocusIn:
      if (!IgnoredReason(static_cast<QFocusEvent*>(e)->reason())) CurveCell_GotFocus(column, point);
      break;
    case QEvent::FocusOut: {
      if (IgnoredReason(static_cast<QFocusEvent*>(e)->reason())) break;
      CellLeave leave{column, point, FromQ(cell->text()), cellBefore_[point][column - 1],
                      cellTyped_[point][column - 1], gridGeneration_};
      // The help box is emptied now, before the next control shows its own line.
      if (!Trim(leave.text).empty() && !shell.SkipValidation) Label2->clear();
      pendingCellLeaves_.push_back(leave);
      Later(this, [this] { FlushCellLeaves(); });
      break;
    }
    case QEvent::KeyPress:
      if (MovesBetweenRows(static_cast<QKeyEvent*>(e))) return true;
      break;
    case QEvent::MouseButtonPress:
      pressedColumn_ = column;
      pressedPoint_ = point;
      break;
    default:
      break;
  }
  return QWidget::eventFilter(watched, e);
}

void frmEngine::Form_Activate() {
  StillLoaded<frmEngine> self(this);
  tbl.CurrentSpecMenu = static_cast<int16_t>(kEngine);
  const int16_t savedChanged = fst.SpecsChanged;
  // Unlike the other spec windows, coming to the front leaves RowsFilling
  // alone: after a "left over" notice the quick calculations stay off.
  ReadRowFileIntoRows();
  if (!self) return;
  FillRowsFromSpecText();  // the rows, the example's item, the grid and the plot
  ComboIndexBefore = Pick(kMethodRow);
  QLineEdit* pressed = pressedPoint_ >= 0 ? Cell(pressedColumn_, pressedPoint_) : nullptr;
  pressedPoint_ = -1;
  UpdateRowStates();
  if (pressed && pressed->isEnabled()) {
    pressed->setFocus(Qt::OtherFocusReason);
    CurveCell_GotFocus(pressed->property(kCellColumn).toInt(), pressed->property(kCellPoint).toInt());
  } else {
    FocusFirstRow(kMethodRow);
  }
  fst.SpecsChanged = savedChanged;
  if (shell.KeepSpecForm != 2) shell.KeepSpecForm = 0;
  ShowInstantTip();
  if (!self) return;
  ShowCurveNotice();
  if (!self) return;
  if (tbl.InstantUpdate > 0) {
    shell.SkipValidation = false;
    InstantCalc();
  }
}

void frmEngine::ShowCurveNotice() {
  if (tbl.StartMode != 1 || shell.CurveNoticeShown != 0) return;
  shell.CurveNoticeShown = 1;
  if (Val(EngineSpec(0)) == engine_method::kFullCurve) {
    if (tbl.BeginnerLevel == 1) MsgBox(CurveAvailableText(true), mb::OKOnly, kBeginnerHelpTitle);
  } else {
    MsgBox(CurveAvailableText(false), mb::OKOnly, kCurveAvailableTitle);
  }
}

// ---------------------------------------------------------------- losing the front and closing

bool frmEngine::PeakRpmCheckFails() {
  if (!PeakRpmCheckApplies(EngineSpec(0), EngineSpec(kEngineMarkerSlot))) return false;
  if (!PeakRpmImpossible(EngineSpec(3), EngineSpec(5))) return false;
  MsgBox(ImpossibleRpmText(EngineSpec(3), EngineSpec(5)), mb::OKOnly, kImpossibleRpmTitle);
  return true;
}

void frmEngine::Form_Deactivate() {
  if (tbl.QuietCalc == 1) return;
  if (shell.KeepSpecForm != 0) {
    StoreSpecRows();
    tbl.CalcMode = 0;
    return;
  }
  shell.SkipValidation = true;
  StoreSpecRows();
  StillLoaded<frmEngine> self(this);
  if (PeakRpmCheckFails()) {
    // The window stays and takes the front back once the activation that
    // took it away has settled.
    if (self)
      Later(this, [this] {
        ShowOverMainWindow(this);
        activateWindow();
      });
    return;
  }
  if (!self) return;
  Unload();
  tbl.CalcMode = 0;
}

void frmEngine::OkClicked() {
  StillLoaded<frmEngine> self(this);
  StoreSpecRows();
  if (PeakRpmCheckFails() || !self) return;
  Unload();
}

void frmEngine::closeEvent(QCloseEvent* e) {
  // The close box works as "OK", peak-RPM check included (after a
  // calculation under way).
  e->ignore();
  Later(this, [this] { WhenNotCalculating(this, "close", [this] { OkClicked(); }); });
}

// ---------------------------------------------------------------- the curve grid

void frmEngine::CurveCell_GotFocus(int column, int point) {
  shell.SkipValidation = false;
  Label2->setText(ToQ(CurveColumnRuleOf(column).help));
  QLineEdit* cell = Cell(column, point);
  cellBefore_[point][column - 1] = FromQ(cell->text());
  cellTyped_[point][column - 1] = false;
  cell->selectAll();
}

void frmEngine::FlushCellLeaves() {
  // A point's leave may store, ask about the example or drop its link: not
  // while a calculation reads the curve.
  if (PutOffWhileCalculating(this, "cell leaves", [this] { FlushCellLeaves(); })) return;
  StillLoaded<frmEngine> self(this);
  while (self && !pendingCellLeaves_.empty()) {
    CellLeave leave = pendingCellLeaves_.front();
    pendingCellLeaves_.erase(pendingCellLeaves_.begin());
    // The grid was filled again, or the window changed the cell, since the
    // focus went: nothing of that entry is left.
    if (leave.fillGeneration != gridGeneration_ || FromQ(Cell(leave.column, leave.point)->text()) != leave.text)
      continue;
    EditPowerCurve(leave.column, leave.text, leave.point, leave.textBefore, leave.typed);
  }
}

void frmEngine::LeaveEditedRows() {
  StillLoaded<frmEngine> self(this);
  FlushCellLeaves();
  if (!self || shell.SkipValidation) return;
  // A focused cell first, then the rows, then the other cells point by
  // point; each edited one is tested, the entries after a refusal too.
  bool putBack = false;
  auto leaveCell = [&](int column, int point) {
    const std::string text = FromQ(Cell(column, point)->text()), before = cellBefore_[point][column - 1];
    if (text == before) return;
    shell.SkipValidation = false;
    EditPowerCurve(column, text, point, before, cellTyped_[point][column - 1]);
    putBack = putBack || shell.SkipValidation;
  };
  if (QWidget* focused = focusWidget(); focused && !focused->property(kCellColumn).isNull())
    leaveCell(focused->property(kCellColumn).toInt(), focused->property(kCellPoint).toInt());
  if (!self) return;
  shell.SkipValidation = false;
  SpecWindow::LeaveEditedRows();
  if (!self) return;
  putBack = putBack || shell.SkipValidation;
  for (int i = 0; i < kCurveGridPoints; ++i)
    for (int c = kCurveRpm; c <= kCurveHp; ++c) {
      leaveCell(c, i);
      if (!self) return;
    }
  shell.SkipValidation = putBack;
}

bool frmEngine::CurveExampleQuestion() {
  shell.ExampleKind = static_cast<int16_t>(kEngineNameSlot);
  shell.ExampleMenu = 0;
  if (Val(EngineSpec(kEngineMarkerSlot)) == 0 || shell.SkipValidation) return true;
  StillLoaded<frmEngine> self(this);
  const int answer =
      MsgBox(ExampleChangeQuestion(EngineSpec(kEngineNameSlot)), mb::YesNo + mb::DefaultButton2, kExampleQuestionTitle);
  if (!self || answer != ans::Yes) return false;
  DropEngineLink(static_cast<int>(Int(Val(EngineSpec(kEngineMarkerSlot)))));
  return true;
}

void frmEngine::EditPowerCurve(int column, std::string text, int point, const std::string& textBefore, bool typed) {
  StillLoaded<frmEngine> self(this);
  QLineEdit* cell = Cell(column, point);
  cellTyped_[point][column - 1] = false;
  auto putBack = [&] {
    NoteEntryRefused(this);
    shell.SkipValidation = true;
    SetCellText(column, point, textBefore, CellText::Shown);
    if (!cell->isEnabled()) return;
    cell->setFocus(Qt::OtherFocusReason);
    shell.SkipValidation = true;
    // Behind a box the window is not active and the focus arrives without
    // its event: the cell takes its help line and text from the event loop.
    Later(this, [this, column, point] {
      if (focusWidget() == Cell(column, point)) CurveCell_GotFocus(column, point);
    });
  };

  if (text.empty() && textBefore.empty()) return;
  if (Val(textBefore) != Val(text)) {
    const bool stands = CurveExampleQuestion();
    if (!self) return;
    if (!stands) {
      putBack();
      return;
    }
  }

  bool changed = false;
  {
    BusyCursor busy;
    if (Trim(text).empty()) {
      // A torque without its HP, or an HP without its torque, is not kept.
      changed = !Trim(textBefore).empty();
      if (column == kCurveRpm) {
        SetCellText(kCurveRpm, point, "");
      } else {
        const int partner = column == kCurveTorque ? kCurveHp : kCurveTorque;
        changed = changed || !Trim(FromQ(Cell(partner, point)->text())).empty();
        SetCellText(kCurveTorque, point, "");
        SetCellText(kCurveHp, point, "");
      }
      UpdateRowStates();
      PlotPowerCurve(0);
      if (!changed) return;
      fst.SpecsChanged = 1;
    } else {
      if (shell.SkipValidation) return;  // left untested, as typed
      const std::string normalised = NormaliseCurveEntry(column, text);
      const std::string warning = CurveEntryWarning(column, normalised);
      // The program's own figure outside the limits stays exactly as it is,
      // unless the racer typed it.
      const bool figureKept = !warning.empty() && !typed && IsProgramText(text, cellProgram_[point][column - 1]);
      if (!figureKept) text = normalised;
      if (!warning.empty() && !figureKept) {
        SetCellText(column, point, text, CellText::Shown);
        MsgBox(warning, mb::OKOnly + mb::Exclamation, kWarningTitle);
        if (!self) return;
        putBack();
        return;
      }
      SetCellText(column, point, text, CellText::Entry);
      // Only a new figure completes the point: passing through a computed
      // HP must not recompute the torque just typed from its rounded value.
      const bool newFigure = Val(text) != Val(textBefore);
      auto figure = [&](int c) { return Val(StorableCellText(c, point)); };
      if (newFigure)
        if (auto done = CompleteCurvePoint(column, figure(kCurveRpm), figure(kCurveTorque), figure(kCurveHp)))
          SetCellText(done->column, point, done->text);
      UpdateRowStates();
      if (newFigure) {
        PlotPowerCurve(0);
        fst.SpecsChanged = 1;
      }
    }
  }
  if (tbl.InstantUpdate > 0) {
    // After the "left over" notice no quick calculation runs, and the caption
    // still shows the engine the window described before. A curve of the
    // racer's that can run ends that; until then the caption shows no run.
    if (RowsFilling == 1 && Pick(kMethodRow) == engine_method::kFullCurve) {
      if (CurveCanRun(GridFigures())) RowsFilling = 0;
      else setWindowTitle(ToQ(SpecWindowCaption));
    }
    InstantCalc();
  }
}

// ---------------------------------------------------------------- picks

void frmEngine::cmbSpecData_Click(int row) {
  // The linked example's name picked while the lists are built is no pick
  // of the racer's.
  if (loading_) return;
  if (row == kMethodRow) MethodPicked();
  else if (row == kCorrFactorRow) CorrFactorPicked();
  else SpecWindow::cmbSpecData_Click(row);
}

void frmEngine::MethodPicked() {
  using namespace engine_method;
  StillLoaded<frmEngine> self(this);
  const int now = Pick(kMethodRow), previous = ComboIndexBefore;
  if (now != previous) {
    const LeftOverNotice notice = LeftOverNoticeFor(previous, now, EngineSpec(kEngineMarkerSlot));
    if (notice == LeftOverNotice::CurveToPeaks) {
      MsgBox(LeftOverNoticeText(notice, now), mb::OKOnly, "");
      if (!self) return;
      RowsFilling = 1;
      if (previous == kLinkedExample) DropEngineLink(now);
    } else if (notice == LeftOverNotice::PeaksToCurve) {
      if (tbl.StartMode != 2) {
        MsgBox(LeftOverNoticeText(notice, now), mb::OKOnly, "");
        if (!self) return;
      }
      RowsFilling = 1;
    }
    if (now == kPickExample) RowsFilling = 0;
    fst.SpecsChanged = 1;
  }
  if (now == previous && now != kPickExample) {
    ComboIndexBefore = now;
    return;
  }
  if (now == kLinkedExample) {
    ComboIndexBefore = kLinkedExample;
    return;
  }
  if (RowsFilling == 0) {
    if (now == kPickExample) {
      // The method stays as it was while the racer looks at the examples.
      KeepPickAsBefore(kMethodRow);
      GetExample();
      return;
    }
    // A method of the racer's own: the engine is no library example any more.
    EngineSpec(kEngineNameSlot).clear();
    EngineSpec(kEngineMarkerSlot).clear();
    shell.ExampleKind = static_cast<int16_t>(kEngineNameSlot);
    shell.ExampleMenu = 0;
    FillSpecCombo(kEngine, kMethodRow);
    RowsFilling = 1;
    SetPick(kMethodRow, now, false);
    RowsFilling = 0;
  }
  UpdateRowStates();
  if (tbl.InstantUpdate > 0) {
    // After a "left over" notice no quick calculation runs: the caption
    // shows no run rather than that of the engine described before.
    if (RowsFilling == 1) setWindowTitle(ToQ(SpecWindowCaption));
    InstantCalc();
  }
  if (!self) return;
  ComboIndexBefore = Pick(kMethodRow);
}

void frmEngine::CorrFactorPicked() {
  StillLoaded<frmEngine> self(this);
  const int pick = Pick(kCorrFactorRow);
  if (pick == ComboIndexBefore) return;
  fst.SpecsChanged = 1;
  shell.ExampleKind = static_cast<int16_t>(kEngineNameSlot);
  shell.ExampleMenu = 0;
  if (Val(EngineSpec(kEngineMarkerSlot)) != 0 && !shell.SkipValidation && tbl.StartMode != 2) {
    const int answer = MsgBox(ExampleChangeQuestion(EngineSpec(kEngineNameSlot)), mb::YesNo + mb::DefaultButton2,
                              kExampleQuestionTitle);
    if (!self) return;
    if (answer != ans::Yes) {
      RestorePick(kCorrFactorRow);
      return;
    }
    DropEngineLink(static_cast<int>(Int(Val(EngineSpec(kEngineMarkerSlot)))));
  }
  // A new correction standard is stored, but recalculates nothing yet.
  ComboIndexBefore = Pick(kCorrFactorRow);
}

// ---------------------------------------------------------------- the example link

bool frmEngine::ExampleLinked(const ExampleGroup& group) const {
  // Rows 1-5 ask whenever an example is named, whatever its own method.
  return !EngineSpec(group.nameSlot).empty();
}

void frmEngine::DropExampleLink(const ExampleGroup& group, int fromRow) {
  DropEngineLink(static_cast<int>(Int(Val(EngineSpec(kEngineMarkerSlot)))));
}

void frmEngine::DropEngineLink(int method) {
  // The engine stays described the same way; only its tie to the library
  // example goes.
  shell.ExampleListIndex = static_cast<int16_t>(method);
  DropStoredExampleLink(kEngine, kEngineNameSlot, kMethodRow, Format(method, "#"));
  shell.ExampleKind = static_cast<int16_t>(kEngineNameSlot);
  shell.ExampleMenu = 0;
  FillSpecCombo(kEngine, kMethodRow);
  SetPick(kMethodRow, method, false);
  // The method row's next pick is compared with this method, not with the
  // example's item that is gone.
  ComboIndexBefore = method;
  UpdateRowStates();
}

// ---------------------------------------------------------------- buttons

void frmEngine::Command1_Click(int index) {
  switch (index) {
    case 0:
      OkClicked();
      break;
    case 4:
      ClearCurve();
      break;
    case 5:
      ClcBttn_Click(4);
      break;
    case 6:
      LoadFromCylvane();
      break;
    default:
      SpecWindow::Command1_Click(index);
  }
}

void frmEngine::ClearCurve() {
  StillLoaded<frmEngine> self(this);
  const bool linked = Pick(kMethodRow) == engine_method::kLinkedExample;
  const int answer = MsgBox(EraseCurveQuestion(linked, EngineSpec(kEngineNameSlot)),
                            mb::YesNo + mb::DefaultButton2 + mb::Question, kEraseCurveTitle);
  if (!self || answer != ans::Yes) return;
  if (Pick(kMethodRow) == engine_method::kLinkedExample) {
    // The engine's own slots, whatever another window left in ExampleKind.
    shell.ExampleKind = static_cast<int16_t>(kEngineNameSlot);
    shell.ExampleMenu = 0;
    EngineSpec(kEngineNameSlot).clear();
    EngineSpec(kEngineMarkerSlot).clear();
    FillSpecCombo(kEngine, kMethodRow);
    ComboIndexBefore = engine_method::kFullCurve;
    SetPick(kMethodRow, engine_method::kFullCurve, true);
    if (!self) return;
    StoredSpec(kMethodRow) = Format(engine_method::kFullCurve, "#");  // "2"
  }
  bool changed = false;
  for (int i = 0; i < kCurveGridPoints; ++i)
    for (int c = kCurveRpm; c <= kCurveHp; ++c) {
      changed = changed || !Trim(FromQ(Cell(c, i)->text())).empty();
      SetCellText(c, i, "");
    }
  if (changed) fst.SpecsChanged = 1;
  PlotPowerCurve(0);
}

void frmEngine::LoadFromCylvane() {
  StillLoaded<frmEngine> self(this);
  // Only asks the file system: the import opens the file itself and the
  // exit deletes it.
  const QFileInfo handOver(QString::fromStdString(ProgramPath(kHandOverFile).string()));
  if (!handOver.isFile() || !handOver.isReadable()) {
    if (MsgBox(CurveNotFoundQuestion(), mb::YesNo + mb::DefaultButton2, kCurveNotFoundTitle) == ans::Yes)
      frmSend::ShowSendForm();
    return;
  }
  if (tbl.StartMode == 0) {
    const int answer = MsgBox(CylvaneNotRunningQuestion(), mb::YesNoCancel + mb::DefaultButton2, kCylvaneNotRunningTitle);
    if (answer == ans::Yes) frmSend::ShowSendForm();
    if (answer != ans::No) return;
  }
  if (!self) return;
  StoreSpecRows();
  ImportPowerCurve();
}

void frmEngine::CurveImported() {
  RefillFromSpecText();  // rows 0-6, the grid and the plot, no pick handling
  // The import dropped any example link: the curve is the racer's own.
  ComboIndexBefore = engine_method::kFullCurve;
  UpdateRowStates();
}

// ---------------------------------------------------------------- the plot

void PlotPowerCurve(int mode) {
  if (auto* w = static_cast<frmEngine*>(LoadedSpecWindow(kEngine))) w->PlotPowerCurve(mode);
}

CurveGrid frmEngine::GridFigures() const {
  CurveGrid rows{};
  for (int i = 0; i < kCurveGridPoints; ++i)
    for (int c = kCurveRpm; c <= kCurveHp; ++c) rows[i][c - 1] = Val(FromQ(Cell(c, i)->text()));
  return rows;
}

void frmEngine::PlotPowerCurve(int mode) {
  const auto points = PowerCurvePlotPoints(GridFigures());

  Chart& g = *Graph1;
  g.Set(chart::kPoints, kCurvePlotPoints);
  g.Set(chart::kThickness, cfg.ThickEngineLines);
  g.Set(kSecondThickness, cfg.ThickEngineLines);
  const bool printing = mode == 1;
  g.Set(chart::kBackground, printing ? 15 : 7);
  g.Set(chart::kSelector, 1);
  g.SetText(chart::kLegend, printing ? "Tq" : "");
  g.Set(chart::kSelector, 2);
  g.SetText(chart::kLegend, printing ? "HP" : "");
  // On the screen the sides say which is which; on paper the legends do.
  if (printing) g.SetSideTexts("", "");
  else g.SetSideTexts("Tq", "HP");
  for (int p = 1; p <= kCurvePlotPoints; ++p) {
    const CurvePlotPoint& pt = points[p - 1];
    g.SetAt(chart::kPointXAll, p, pt.rpm);
    g.SetAt(chart::kSet1Y, p, pt.torque);
    g.SetAt(chart::kSet2Y, p, pt.hp);
  }
  const double top = g.GetAt(chart::kPointXAll, 1);
  g.Set(kTopRpm, top);
  g.Set(kFixed122, 1);
  g.Set(kFixed115, 1);
  g.Set(kFixed139, 1);
  g.Set(kTopRpm, top);
  g.Set(chart::kDrawAction, chart::kDraw);
  if (!printing) {
    g.Set(kScreenSetting37, 2);
    g.Set(kScreenSetting35, 100);
  }
}

void frmEngine::Command2_Click() {
  StillLoaded<frmEngine> self(this);
  const InputAnswer answer = InputBox(kGraphCommentPrompt, kGraphCommentTitle, shell.PowerCurveGraphComment);
  if (!self) return;
  // Cancel prints an empty comment; printing goes on either way.
  shell.PowerCurveGraphComment = answer.text;
  PrintPlotPage();
}

void frmEngine::PrintPlotPage() {
  StillLoaded<frmEngine> self(this);
  PlotPowerCurve(1);
  SetPrinterOrientation(ProgramPrinter(), cfg.PrinterOrientation);
  const bool printed = PrintDocument(this, "Power Curve", [this](PrintPage& page) {
    // Positions in twips from the printable area's top left (L = T = 0).
    const double W = std::round(page.ScaleWidth()), H = std::round(page.ScaleHeight()), L = 0, T = 0;
    const double base = page.Font().pointSizeF() > 0 ? page.Font().pointSizeF() : 10;
    page.SetFontSize(base + 2);
    Chart& g = *Graph1;
    g.Set(chart::kPrintStyle, 1);
    g.SetAt(chart::kPrintTarget, 1, 0);
    g.SetAt(chart::kPrintTarget, 6, L);
    g.SetAt(chart::kPrintTarget, 7, T);
    g.SetAt(chart::kPrintTarget, 8, W);
    g.SetAt(chart::kPrintTarget, 9, H);
    const double h = std::round(page.TextHeight());
    const double graphWidth = std::round(0.9 * W), graphHeight = std::round((H - 4 * h) / 2);
    const double graphLeft = std::round(0.06 * W + L);
    g.SetAt(chart::kPrintTarget, 2, graphLeft);
    g.SetAt(chart::kPrintTarget, 4, graphWidth);
    g.SetAt(chart::kPrintTarget, 5, graphHeight);
    g.SetAt(chart::kPrintTarget, 3, h);
    g.SetPrintTarget(&page.Painter(), page.ToPixels(1));
    g.Set(chart::kDrawAction, chart::kPrint);
    g.SetPrintTarget(nullptr, 1);

    SelectProportionalPrinterFont(page);
    const double X0 = 0.08 * W + L, DX = W / 8, Y0 = 0.6 * H, DY = H / 20, right = 0.5 * W + L;
    page.SetFontSize(24);
    static const char* kHeadings[3] = {"RPM", "Tq", "HP"};
    for (int k = 0; k < 3; ++k) {
      page.DrawText(X0 + k * DX, Y0 - 0.075 * H, kHeadings[k]);
      page.DrawText(X0 + k * DX + right, Y0 - 0.075 * H, kHeadings[k]);
    }
    page.SetFontSize(20);
    for (int r = 0; r < 5; ++r)
      for (int c = kCurveRpm; c <= kCurveHp; ++c) {
        page.DrawText(X0 + (c - 1) * DX, Y0 + r * DY, FromQ(Cell(c, r)->text()));
        page.DrawText(X0 + (c - 1) * DX + right, Y0 + r * DY, FromQ(Cell(c, r + 5)->text()));
      }
    page.SetFontSize(24);
    page.DrawText(X0, Y0 + 5.5 * DY, shell.PowerCurveGraphComment);
    page.SetFontSize(17);
    page.DrawText(X0, Y0 + 6.6 * DY, kPlotPageFooter);

    const double left = 0.06 * W + L, edge = 0.925 * W;
    page.Line(left, 0.5 * H, edge, 0.5 * H);  // the box around the table
    page.Line(edge, 0.5 * H, edge, 0.98 * H);
    page.Line(edge, 0.98 * H, left, 0.98 * H);
    page.Line(left, 0.98 * H, left, 0.5 * H);
    page.Line(left, Y0 - 0.025 * H, edge, Y0 - 0.025 * H);  // under the headings
    page.Line(left, Y0 + 5.15 * DY, edge, Y0 + 5.15 * DY);  // above the comment
    page.Line(left, h, edge, h);                            // the box around the chart
    page.Line(edge, h, edge, h + graphHeight);
    page.Line(edge, h + graphHeight, left, h + graphHeight);
    page.Line(left, h + graphHeight, left, h);
  });
  if (!self) return;
  if (!printed && LastPrintFailed()) MsgBox("The power curve could not be printed.", mb::OKOnly + mb::Exclamation, "");
  Graph1->Set(kAfterPrint44, 6);
  PlotPowerCurve(0);
}

}  // namespace sw
