#include "specs/spec_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTimer>

#include "files/configuration.h"
#include "files/file_state.h"
#include "platform/qt/deactivate_close.h"
#include "platform/qt/default_instance.h"
#include "platform/qt/pick_list.h"
#include "platform/qt/printer.h"
#include "platform/qt/qt_ui.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "printing/window_image.h"
#include "shell/user_actions.h"
#include "shell/frm_main.h"
#include "shell/help_form.h"
#include "shell/shell_state.h"
#include "simulation/calculate.h"
#include "simulation/tables.h"
#include "specs/spec_windows.h"
#include "platform/qt/held_under_boxes.h"
#include "platform/qt/window_lifetime.h"

namespace sw {

namespace {

// The kind of row control a widget is, kept on the widget.
constexpr const char* kRowProperty = "swRow";
constexpr const char* kKindProperty = "swKind";
enum Kind { kCaption = 1, kValueBox, kPickList, kCalculator, kButton };

class FillingGuard {
 public:
  explicit FillingGuard(int& count) : count_(count) { ++count_; }
  ~FillingGuard() { --count_; }
  FillingGuard(const FillingGuard&) = delete;
  FillingGuard& operator=(const FillingGuard&) = delete;

 private:
  int& count_;
};

void Tag(QObject* o, int row, Kind kind) {
  o->setProperty(kRowProperty, row);
  o->setProperty(kKindProperty, static_cast<int>(kind));
}

Kind KindOf(const QObject* o) { return static_cast<Kind>(o->property(kKindProperty).toInt()); }

bool IgnoredReason(Qt::FocusReason r) { return r == Qt::ActiveWindowFocusReason || r == Qt::PopupFocusReason; }

}  // namespace

// ---------------------------------------------------------------- building

SpecWindow::SpecWindow(int menu, int rowCount, const std::string& caption)
    : QWidget(nullptr, Qt::Window), menu_(menu), rowCount_(rowCount), rows_(static_cast<size_t>(rowCount)) {
  setWindowTitle(ToQ(caption));
  SpecName.assign(rows_.size(), nullptr);
  SpecData.assign(rows_.size(), nullptr);
  cmbSpecData.assign(rows_.size(), nullptr);
  ClcBttn.assign(rows_.size(), nullptr);
  for (int r = 0; r < rowCount_; ++r) {
    auto* name = new QLabel(this);
    name->setObjectName(QString("SpecName_%1").arg(r));
    name->setFrameStyle(QFrame::Panel | QFrame::Raised);
    name->setMargin(2);
    name->setMinimumWidth(210);
    name->installEventFilter(this);
    Tag(name, r, kCaption);
    SpecName[r] = name;
    if (IsPickRow(r)) {
      auto* list = new PickList(this);
      list->setObjectName(QString("cmbSpecData_%1").arg(r));
      list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
      list->setMinimumWidth(120);
      list->installEventFilter(this);
      Tag(list, r, kPickList);
      OnAction(list, &QComboBox::activated, this, "pick " + std::to_string(r), [this, r] {
        rows_[r].untouched.reset();
        cmbSpecData_Click(r);
      });
      connect(list, &QComboBox::currentIndexChanged, this, [this, list] {
        if (!Filling() && !HeldUnderBox(list)) rowsAhead_ = true;
      });
      name->setBuddy(list);
      cmbSpecData[r] = list;
    } else {
      auto* box = new QLineEdit(this);
      box->setObjectName(QString("SpecData_%1").arg(r));
      box->setMaximumWidth(110);
      box->installEventFilter(this);
      Tag(box, r, kValueBox);
      // A text set under a box is undone at once: it changes nothing.
      connect(box, &QLineEdit::textChanged, this, [this, box] {
        if (HeldUnderBox(box)) return;
        fst.SpecsChanged = 1;
        if (!Filling()) rowsAhead_ = true;
      });
      // Typed over, the program's figure is the racer's entry, even when it
      // reads the same.
      connect(box, &QLineEdit::textEdited, this, [this, r] { rows_[r].typed = true; });
      name->setBuddy(box);
      SpecData[r] = box;
    }
  }
  Label2 = new QLabel(this);
  Label2->setObjectName("Label2");
  Label2->setWordWrap(true);
  Label2->setTextFormat(Qt::PlainText);
  Label2->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Label2->setStyleSheet("color: #000080;");
  Label2->setMinimumHeight(Label2->fontMetrics().lineSpacing() * 3 + 4);
  // No name of its own: a screen reader speaks the help line it shows.
  watch_ = new DeactivateWatch(this, [this] { FrontLost(); });
  NoteSpecWindowLoaded(this);
}

SpecWindow::~SpecWindow() { NoteSpecWindowGone(this); }

void SpecWindow::AddCalculatorButton(int row, int calcMenuNumber) {
  auto* b = new QPushButton("Clc", this);
  b->setObjectName(QString("ClcBttn_%1").arg(row));
  b->setAutoDefault(false);
  b->setMaximumWidth(44);
  b->installEventFilter(this);
  Tag(b, row, kCalculator);
  OnAction(b, &QPushButton::clicked, this, "ClcBttn " + std::to_string(row), [this, row] { ClcBttn_Click(row); });
  ClcBttn[row] = b;
  rows_[row].calculator = calcMenuNumber;
  if (!rows_[row].caption.empty()) SetRowCaption(row, rows_[row].caption);
}

void SpecWindow::AddButtons(std::initializer_list<std::pair<int, const char*>> buttons) {
  for (const auto& [index, caption] : buttons) {
    if (static_cast<int>(Command1.size()) <= index) Command1.resize(index + 1, nullptr);
    auto* b = new QPushButton(caption, this);
    b->setObjectName(QString("Command1_%1").arg(index));
    b->setAutoDefault(false);
    b->installEventFilter(this);
    Tag(b, index, kButton);
    OnAction(b, &QPushButton::clicked, this, "Command1 " + std::to_string(index),
             [this, i = index] { Command1_Click(i); });
    Command1[index] = b;
  }
}

QGroupBox* SpecWindow::RowFrame(const QString& caption, std::initializer_list<int> rows) {
  auto* frame = new QGroupBox(caption, this);
  auto* grid = new QGridLayout(frame);
  grid->setHorizontalSpacing(6);
  grid->setVerticalSpacing(3);
  int line = 0;
  for (int r : rows) {
    grid->addWidget(SpecName[r], line, 0);
    // Value boxes line up with their "Clc" buttons right after them; pick
    // lists may run on across the button column.
    if (IsPickRow(r)) grid->addWidget(cmbSpecData[r], line, 1, 1, 3, Qt::AlignLeft);
    else grid->addWidget(SpecData[r], line, 1);
    if (ClcBttn[r]) grid->addWidget(ClcBttn[r], line, 2);
    ++line;
  }
  grid->setColumnStretch(3, 1);
  return frame;
}

QGroupBox* SpecWindow::HelpFrame() {
  auto* frame = new QGroupBox(" Help ", this);
  frame->setObjectName("HelpFrame");
  (new QVBoxLayout(frame))->addWidget(Label2);
  return frame;
}

QHBoxLayout* SpecWindow::ButtonRow() {
  auto* row = new QHBoxLayout;
  for (QPushButton* b : Command1)
    if (b) row->addWidget(b);
  return row;
}

QHBoxLayout* SpecWindow::ButtonRow(std::initializer_list<int> indexes) {
  auto* row = new QHBoxLayout;
  for (int i : indexes)
    if (i >= 0 && i < static_cast<int>(Command1.size()) && Command1[i]) row->addWidget(Command1[i]);
  return row;
}

void SpecWindow::Form_Load() {
  for (int r = 0; r < rowCount_; ++r) {
    if (!IsPickRow(r) || FillOwnPickList(r)) continue;
    shell.ExampleKind = static_cast<int16_t>(ExampleKindForList(r));
    FillSpecCombo(menu_, r);
  }
  SpecWindowCaption = FromQ(windowTitle());
  // Tab order: down the rows (each "Clc" after its row), then the buttons.
  QWidget* previous = nullptr;
  auto chain = [&](QWidget* w) {
    if (!w) return;
    if (previous) setTabOrder(previous, w);
    previous = w;
  };
  for (int r = 0; r < rowCount_; ++r) {
    chain(IsPickRow(r) ? static_cast<QWidget*>(cmbSpecData[r]) : SpecData[r]);
    chain(ClcBttn[r]);
  }
  for (QPushButton* b : Command1) chain(b);
  // The rows stand in their frames now.
  NameCalculatorButtons();
}

// ---------------------------------------------------------------- rows

bool SpecWindow::IsPickRow(int row) const {
  const int slot = tbl.SpecMenuStart[menu_] + row;
  return slot >= 0 && slot < kSpecCount && tbl.SpecKind[slot] == 1;
}

std::string& SpecWindow::StoredSpec(int row) { return tbl.SpecText[tbl.SpecMenuStart[menu_] + row]; }

int SpecWindow::CalculatorOf(int row) const { return rows_[row].calculator; }

int SpecWindow::Pick(int row) const { return cmbSpecData[row] ? cmbSpecData[row]->currentIndex() : -1; }

int SpecWindow::PresetCount(int row) const { return rows_[row].presetCount; }

std::string SpecWindow::RowText(int row) const {
  if (SpecData[row]) return FromQ(SpecData[row]->text());
  return PickStoredForm(row, Pick(row));
}

void SpecWindow::SetRowText(int row, const std::string& text) {
  if (!SpecData[row]) return;
  // The box the racer just moved into, nothing typed yet: typing replaces
  // the new text as it would have replaced the old.
  const bool selectAfter = SpecData[row]->hasFocus() && FromQ(SpecData[row]->text()) == rows_[row].textBefore;
  SpecData[row]->setText(ToQ(text));
  if (selectAfter) SpecData[row]->selectAll();
  // Nothing for a leave or an unload to test or take back.
  rows_[row].textBefore = rows_[row].written = rows_[row].programText = text;
  rows_[row].typed = false;
}

std::string SpecWindow::RowCaption(int row) const { return rows_[row].caption; }

void SpecWindow::SetRowCaption(int row, const std::string& caption) {
  rows_[row].caption = caption;
  // The caption panel is the label of its row's control, so an "&" in a
  // caption ("Wheel & Tire Wt, lbs") is doubled to show as itself.
  SpecName[row]->setText(DisplayText(caption).replace(QChar('&'), QStringLiteral("&&")));
  // Five "Clc" buttons are told apart by their rows.
  if (ClcBttn[row]) NameCalculatorButtons();
}
void SpecWindow::NameCalculatorButtons() {
  auto firstLine = [this](int r) { return DisplayText(rows_[r].caption).section('\n', 0, 0); };
  for (int r = 0; r < rowCount_; ++r) {
    if (!ClcBttn[r]) continue;
    QString name = "Clc " + firstLine(r);
    // Two of one caption (front and rear tires, the previous and the
    // predicted run) are told apart by their frames.
    bool twin = false;
    for (int o = 0; o < rowCount_; ++o) twin = twin || (o != r && ClcBttn[o] && firstLine(o) == firstLine(r));
    auto* frame = qobject_cast<QGroupBox*>(ClcBttn[r]->parentWidget());
    if (twin && frame && !frame->title().trimmed().isEmpty()) name += " (" + frame->title().trimmed() + ")";
    ClcBttn[r]->setAccessibleName(name);
  }
}

std::string SpecWindow::RowHelp(int row) const { return rows_[row].help; }
void SpecWindow::SetRowHelp(int row, const std::string& help) {
  rows_[row].help = help;
  // A screen reader reads the help line with the row, as the help box shows it.
  QWidget* control = SpecData[row] ? static_cast<QWidget*>(SpecData[row]) : cmbSpecData[row];
  if (auto* pick = qobject_cast<PickList*>(control)) pick->SetDescription(ToQ(help));
  else if (control) control->setAccessibleDescription(ToQ(help));
}
const std::optional<RowLimits>& SpecWindow::Limits(int row) const { return rows_[row].limits; }

void SpecWindow::SetLimits(int row, const std::optional<RowLimits>& limits) {
  rows_[row].limits = limits;
  if (row < static_cast<int>(tbl.RowMaximum.size())) {
    tbl.RowMaximum[row] = limits ? limits->maximum : 0.0f;
    tbl.RowMinimum[row] = limits ? limits->minimum : 0.0f;
  }
}

void SpecWindow::SetRowEnabled(int row, bool enabled, bool withCalculator) {
  SpecName[row]->setEnabled(enabled);
  if (SpecData[row]) SpecData[row]->setEnabled(enabled);
  if (cmbSpecData[row]) cmbSpecData[row]->setEnabled(enabled);
  if (withCalculator && ClcBttn[row]) ClcBttn[row]->setEnabled(enabled);
}

void SpecWindow::SetPick(int row, int index, bool raiseHandling) {
  QComboBox* list = cmbSpecData[row];
  // A pick the list cannot take is passed over: the list keeps its pick.
  if (!list || index < -1 || index >= list->count()) return;
  list->setCurrentIndex(index);
  rows_[row].untouched.reset();
  if (raiseHandling) cmbSpecData_Click(row);
}

void SpecWindow::FillPick(int row, const std::string& stored) {
  QComboBox* list = cmbSpecData[row];
  list->setCurrentIndex(PickFromStored(stored, list->count()));
  // Shown or not, the stored text goes back unchanged unless somebody picks.
  rows_[row].untouched = stored;
}

void SpecWindow::FillPickList(int row, const std::vector<std::string>& items) {
  QComboBox* list = cmbSpecData[row];
  if (!list) return;
  FillingGuard filling(filling_);
  list->clear();
  for (const std::string& item : items) list->addItem(ToQ(item));
  // The box is as wide as its preset items: an example's name added after
  // them is shortened in the box instead of widening the window.
  if (auto* pick = qobject_cast<PickList*>(list)) pick->KeepWidthOfItems(static_cast<int>(items.size()), 120);
  list->setCurrentIndex(-1);
  rows_[row].presetCount = static_cast<int>(items.size());
  rows_[row].untouched = StoredSpec(row);
}

void SpecWindow::AppendLinkedExample(int row, const std::string& name) {
  QComboBox* list = cmbSpecData[row];
  if (!list) return;
  {
    FillingGuard filling(filling_);
    list->addItem(ToQ(name));
  }
  SetPick(row, list->count() - 1, true);
}

// ---------------------------------------------------------------- storing and filling

void SpecWindow::StoreSpecRows() {
  // Rows never filled from SpecText (a pick made while the window loads)
  // hold nothing to store; while a calculation reads SpecText the rows stay
  // ahead, to be stored after it.
  if (CalculationUnderWay()) return;
  storeOwed_ = false;
  if (!rowsAhead_ || fillGeneration_ == 0) return;
  for (int r = 0; r < rowCount_; ++r) {
    if (SpecData[r]) {
      StoredSpec(r) = StorableRowText(r);
    } else if (cmbSpecData[r]) {
      StoredSpec(r) = rows_[r].untouched ? *rows_[r].untouched : PickStoredForm(r, Pick(r));
    }
  }
  rowsAhead_ = false;
}

std::string SpecWindow::StorableRowText(int row) const {
  // An entry stands as typed, tested or not, but one outside the row's
  // limits is never stored (whatever path stores it before its test, or
  // after a leave that skipped it): the text the window wrote stays.
  const std::string text = FromQ(SpecData[row]->text());
  return text == rows_[row].written || EntryStorable(text, rows_[row].limits) ? text : rows_[row].written;
}

void SpecWindow::ReadRowFileIntoRows() {
  RowFileContents file = ReadRowFile(menu_, rowCount_);
  for (int r = 0; r < rowCount_; ++r) {
    const RowRecord& rec = file.rows[r];
    if (rec.caption && CaptionFromRowFile(r)) SetRowCaption(r, *rec.caption);
    SetRowHelp(r, rec.help.value_or(""));
    // A row the file does not give limits for is not range-tested, never
    // against the limits another window left behind.
    SetLimits(r, rec.limits);
  }
  if (!file.complete) MsgBox(RowFileUnreadableMessage(menu_), mb::OKOnly, "");
}

void SpecWindow::FillRowsFromSpecText() {
  FillingGuard filling(filling_);
  ++fillGeneration_;
  pendingLeaves_.clear();
  shell.SkipValidation = true;
  for (int r = 0; r < rowCount_; ++r) {
    const std::string stored = StoredSpec(r);
    if (cmbSpecData[r]) FillPick(r, stored);
    else if (SpecData[r]) SpecData[r]->setText(ToQ(stored));
    rows_[r].textBefore = rows_[r].written = stored;
    rows_[r].programText = FigureFromFile(tbl.SpecMenuStart[menu_] + r) ? "" : stored;
    rows_[r].typed = false;
    AfterRowFilled(r);
  }
  rowsAhead_ = false;
}

void SpecWindow::RefillFromSpecText() {
  const int16_t changed = fst.SpecsChanged;
  const bool skip = shell.SkipValidation;
  // A window that holds its quick calculations back (RowsFilling set) keeps
  // doing so.
  const int rowsFilling = RowsFilling;
  RowsFilling = 1;
  FillRowsFromSpecText();
  RowsFilling = rowsFilling;
  shell.SkipValidation = skip;
  if (QWidget* f = focusWidget()) {
    int r = RowOf(f);
    if (r >= 0 && cmbSpecData[r]) ComboIndexBefore = Pick(r);
  }
  UpdateRowStates();
  fst.SpecsChanged = changed;
}

// ---------------------------------------------------------------- activation

bool SpecWindow::event(QEvent* e) {
  if (e->type() == QEvent::WindowActivate && !unloading_ && (!activatedOnce_ || lostFront_)) {
    // Coming back from one of our own boxes is no activation; coming back
    // from another window of the program is, and refills the rows.
    activatedOnce_ = true;
    lostFront_ = false;
    pressedRow_ = -1;
    Later(this, [this] { ActivateNow(); });
  }
  return QWidget::event(e);
}

void SpecWindow::ActivateNow() {
  if (!isVisible() || unloading_) return;
  // The rows are filled, and the caption calculated, once a calculation
  // under way has ended.
  // Meanwhile the racer may type into the window, which has the front.
  if (PutOffWhileCalculating(this, "activate", [this] { ActivateNow(); })) {
    storeOwed_ = true;
    return;
  }
  if (storeOwed_) {
    // The front went while a calculation or a box held the rows back, or
    // came back while one ran: what the racer typed reaches the specs
    // first, as leaving the front would have done, and the rows shown again
    // are the typed ones, never the older stored ones.
    StillLoaded<SpecWindow> self(this);
    SettleEntries();
    if (!self) return;
    StoreSpecRows();
    if (!self) return;
  }
  Form_Activate();
}

void SpecWindow::Form_Activate() {
  StillLoaded<SpecWindow> self(this);
  tbl.CurrentSpecMenu = static_cast<int16_t>(menu_);
  const int16_t savedChanged = fst.SpecsChanged;
  RowsFilling = 1;
  ReadRowFileIntoRows();
  if (!self) return;
  FillRowsFromSpecText();
  FocusFirstRow(0);
  RowsFilling = 0;
  UpdateRowStates();
  fst.SpecsChanged = savedChanged;
  if (shell.KeepSpecForm != 2) shell.KeepSpecForm = 0;
  if (ShowsInstantTip()) ShowInstantTip();
  if (!self) return;
  if (tbl.InstantUpdate > 0) {
    shell.SkipValidation = false;
    InstantCalc();
  }
}

void SpecWindow::FocusFirstRow(int defaultRow) {
  int row = pressedRow_ >= 0 ? pressedRow_ : defaultRow;
  pressedRow_ = -1;
  FocusRow(row);
}

void SpecWindow::FocusRow(int row) {
  if (row < 0 || row >= rowCount_) return;
  QWidget* control = SpecData[row] ? static_cast<QWidget*>(SpecData[row]) : cmbSpecData[row];
  if (control && control->isEnabled()) control->setFocus(Qt::OtherFocusReason);
  if (SpecData[row]) SpecData_GotFocus(row);
  else cmbSpecData_GotFocus(row);
}

void SpecWindow::ShowInstantTip() {
  if (shell.InstantTipShown != 0 || tbl.BeginnerLevel != 1) return;
  MsgBox(kTipText, mb::OKOnly, kTipTitle);
  shell.InstantTipShown = 1;
}

// ---------------------------------------------------------------- losing the front and unloading

void SpecWindow::FrontLost() {
  lostFront_ = true;
  storeOwed_ = true;
  if (tbl.QuietCalc == 1) return;
  // Storing the rows and unloading wait for a calculation under way; the
  // front is looked at again then.
  if (PutOffWhileCalculating(this, "front", [this] { watch_->Recheck(); })) return;
  StillLoaded<SpecWindow> self(this);
  SettleEntries();
  if (!self) return;
  if (WaitsOn(QApplication::activeWindow())) StoreSpecRows();
  else Form_Deactivate();
  // The main window built its summary as it came to the front, before the
  // rows it was given the front for were stored.
  frmMain* main = DefaultInstance<frmMain>::IfLoaded();
  if (main && QApplication::activeWindow() == main) main->BuildVehicleSummary();
}

void SpecWindow::Form_Deactivate() {
  if (tbl.QuietCalc == 1) return;
  if (shell.KeepSpecForm != 0) {
    StoreSpecRows();
    return;
  }
  shell.SkipValidation = true;
  Unload();
}

void SpecWindow::SettleEntries() {
  StillLoaded<SpecWindow> self(this);
  FlushPendingLeaves();
  if (self) LeaveEditedRows();
}

int SpecWindow::NextEditedRow(const std::vector<bool>& left) const {
  auto edited = [&](int r) {
    return r >= 0 && SpecData[r] && !left[r] && FromQ(SpecData[r]->text()) != rows_[r].textBefore;
  };
  if (const int focused = RowOf(focusWidget()); edited(focused)) return focused;
  for (int r = 0; r < rowCount_; ++r)
    if (edited(r)) return r;
  return -1;
}

void SpecWindow::LeaveEditedRows() {
  if (shell.SkipValidation) return;
  StillLoaded<SpecWindow> self(this);
  std::vector<bool> left(rows_.size(), false);
  bool putBack = false;
  for (int r = NextEditedRow(left); r >= 0; r = NextEditedRow(left)) {
    left[r] = true;
    // A refusal puts its box back with SkipValidation set: the entries
    // after it are tested all the same.
    shell.SkipValidation = false;
    SpecData_LostFocus(SnapshotLeave(r));
    if (!self) return;
    putBack = putBack || shell.SkipValidation;
  }
  if (putBack) shell.SkipValidation = true;
}

void SpecWindow::RevertUntestedRows() {
  FillingGuard filling(filling_);
  for (int r = 0; r < rowCount_; ++r)
    if (SpecData[r] && FromQ(SpecData[r]->text()) != rows_[r].textBefore) {
      SpecData[r]->setText(ToQ(rows_[r].textBefore));
      rowsAhead_ = true;
    }
}

void SpecWindow::Unload() {
  if (unloading_) return;
  if (PutOffWhileCalculating(this, "unload", [this] { Unload(); })) return;
  StillLoaded<SpecWindow> self(this);
  SettleEntries();
  if (!self || unloading_) return;
  unloading_ = true;
  RevertUntestedRows();
  StoreSpecRows();
  if (!self) return;
  NoteSpecWindowGone(this);
  hide();
  deleteLater();
  // The main window builds its summary as it comes to the front, but not
  // when it comes back from a box that storing the rows showed (the tire
  // weights carried into the vehicle weight).
  frmMain* main = DefaultInstance<frmMain>::IfLoaded();
  if (main && main->MainInitDone && main->isVisible()) main->BuildVehicleSummary();
}

void SpecWindow::closeEvent(QCloseEvent* e) {
  // The window's close box works as OK: the focused row is left and the
  // rows stored, from the event loop, before the window goes (after a
  // calculation under way).
  e->ignore();
  if (!unloading_) Later(this, [this] { Unload(); });
}

// ---------------------------------------------------------------- events of the rows

int SpecWindow::RowOf(QObject* control) const {
  if (!control || control->property(kRowProperty).isNull()) return -1;
  Kind k = KindOf(control);
  if (k != kValueBox && k != kPickList) return -1;
  int r = control->property(kRowProperty).toInt();
  return control->parent() && r >= 0 && r < rowCount_ ? r : -1;
}

RowLeave SpecWindow::SnapshotLeave(int row) const {
  return {row, FromQ(SpecData[row]->text()), rows_[row].textBefore, shell.SkipValidation, rows_[row].typed,
          fillGeneration_};
}

bool SpecWindow::eventFilter(QObject* watched, QEvent* e) {
  const QVariant rowProp = watched->property(kRowProperty);
  if (rowProp.isNull()) return QWidget::eventFilter(watched, e);
  const int r = rowProp.toInt();
  const Kind kind = KindOf(watched);
  switch (e->type()) {
    case QEvent::FocusIn: {
      if (IgnoredReason(static_cast<QFocusEvent*>(e)->reason())) break;
      if (kind == kValueBox) SpecData_GotFocus(r);
      else if (kind == kPickList) cmbSpecData_GotFocus(r);
      else if (kind == kCalculator || kind == kButton) Label2->clear();
      break;
    }
    case QEvent::FocusOut: {
      if (kind != kValueBox || IgnoredReason(static_cast<QFocusEvent*>(e)->reason())) break;
      // Handled from the event loop once the focus has moved; the help
      // box is emptied now, before the next row shows its own line.
      RowLeave leave = SnapshotLeave(r);
      if (!leave.text.empty() && LeaveEmptiesHelp(leave.skipValidation)) Label2->clear();
      pendingLeaves_.push_back(leave);
      Later(this, [this] { FlushPendingLeaves(); });
      break;
    }
    case QEvent::KeyPress:
      if ((kind == kValueBox || kind == kPickList) && MovesBetweenRows(static_cast<QKeyEvent*>(e))) return true;
      break;
    case QEvent::MouseButtonPress:
      if (kind == kCaption) SpecName_Click(r);
      else if (kind == kValueBox || kind == kPickList) pressedRow_ = r;
      break;
    case QEvent::Wheel:
      // A wheel turned over a pick list that was not chosen picks nothing.
      if (kind == kPickList && !static_cast<QWidget*>(watched)->hasFocus()) return true;
      break;
    default:
      break;
  }
  return QWidget::eventFilter(watched, e);
}

void SpecWindow::FlushPendingLeaves() {
  // A leave may store, recalculate or drop an example link: not while a
  // calculation reads the specs.
  if (PutOffWhileCalculating(this, "leaves", [this] { FlushPendingLeaves(); })) return;
  StillLoaded<SpecWindow> self(this);
  while (self && !pendingLeaves_.empty()) {
    RowLeave leave = pendingLeaves_.front();
    pendingLeaves_.erase(pendingLeaves_.begin());
    // Rows filled again since the focus went: nothing of that entry is left.
    if (leave.fillGeneration != fillGeneration_ || FromQ(SpecData[leave.row]->text()) != leave.text) continue;
    SpecData_LostFocus(leave);
  }
}

void SpecWindow::SpecData_GotFocus(int row) {
  shell.SkipValidation = false;
  Label2->setText(ToQ(rows_[row].help));
  rows_[row].textBefore = FromQ(SpecData[row]->text());
  rows_[row].typed = false;
  SpecData[row]->selectAll();
}

void SpecWindow::cmbSpecData_GotFocus(int row) {
  Label2->setText(ToQ(rows_[row].help));
  ComboIndexBefore = Pick(row);
  shell.SkipValidation = false;
}

void SpecWindow::SpecName_Click(int row) {
  Label2->setText(ToQ(rows_[row].help));
  QWidget* control = SpecData[row] ? static_cast<QWidget*>(SpecData[row]) : cmbSpecData[row];
  if (control && control->isEnabled()) control->setFocus(Qt::MouseFocusReason);
}

std::string SpecWindow::ProgramText(const RowLeave& leave) const {
  return leave.typed ? "" : rows_[leave.row].programText;
}

LeaveDecision SpecWindow::DecideRowLeave(const RowLeave& leave) const {
  const Row& row = rows_[leave.row];
  return DecideLeave(leave.text, leave.textBefore, leave.skipValidation, row.limits, row.caption, ProgramText(leave));
}

LeaveStep SpecWindow::LeaveValueBox(const RowLeave& leave) {
  const int r = leave.row;
  QLineEdit* box = SpecData[r];
  const LeaveDecision d = DecideRowLeave(leave);
  StillLoaded<SpecWindow> self(this);
  // What was typed is this leave's; typing again is the next one's.
  rows_[r].typed = false;
  auto putBack = [&] {
    NoteEntryRefused(this);
    shell.SkipValidation = true;
    box->setText(ToQ(leave.textBefore));
    if (!box->isEnabled()) return;
    box->setFocus(Qt::OtherFocusReason);
    // The rest of this leave still sees SkipValidation; the focus lands
    // back in the box from the event loop (behind a box the window is not
    // active and the focus arrives without its event).
    shell.SkipValidation = true;
    Later(this, [this, r] {
      if (focusWidget() == SpecData[r]) SpecData_GotFocus(r);
    });
  };
  switch (d.step) {
    case LeaveStep::Empty:
      rows_[r].textBefore.clear();
      rows_[r].programText.clear();
      return d.step;
    case LeaveStep::Skipped:
      return d.step;
    case LeaveStep::Refused:
      if (FromQ(box->text()) != d.text) box->setText(ToQ(d.text));
      MsgBox(d.warning, mb::OKOnly + mb::Exclamation, kWarningTitle);
      if (!self) return d.step;
      putBack();
      return d.step;
    case LeaveStep::Accepted:
      break;
  }
  if (FromQ(box->text()) != d.text) box->setText(ToQ(d.text));
  if (d.changed && GroupOfRow(r)) {
    bool stands = ExampleCheck(r);
    if (!self) return LeaveStep::Refused;
    if (!stands) {
      putBack();
      return LeaveStep::Refused;
    }
  }
  // Tested: a later leave of the same entry has nothing new to test. An
  // entry that replaced the program's figure is the racer's: typing that
  // figure again is tested like any other.
  rows_[r].textBefore = d.text;
  if (d.text != rows_[r].programText) rows_[r].programText.clear();
  return LeaveStep::Accepted;
}

void SpecWindow::SpecData_LostFocus(const RowLeave& leave) {
  StillLoaded<SpecWindow> self(this);
  if (LeaveValueBox(leave) == LeaveStep::Refused || !self) return;
  DoEvents();
  if (self && tbl.InstantUpdate > 0) InstantCalc();
}

// ---------------------------------------------------------------- picks

void SpecWindow::cmbSpecData_Click(int row) {
  StillLoaded<SpecWindow> self(this);
  const int pick = Pick(row);
  if (pick != ComboIndexBefore && PickMarksChange(row)) fst.SpecsChanged = 1;
  PickReaction reaction = OnPick(row, pick);
  if (!self || reaction == PickReaction::Stop) return;
  if (reaction == PickReaction::Continue && tbl.InstantUpdate > 0) InstantCalc();
  if (!self) return;
  ComboIndexBefore = Pick(row);
  UpdateRowStates();
}

PickReaction SpecWindow::OnPick(int row, int pick) {
  const ExampleGroup* g = GroupOfRow(row);
  if (g && row != g->typeRow && pick != ComboIndexBefore) {
    StillLoaded<SpecWindow> self(this);
    bool stands = ExampleCheck(row);
    if (!self) return PickReaction::Stop;
    if (!stands) {
      RestorePick(row);
      return PickReaction::Stop;
    }
  }
  return PickReaction::Continue;
}

void SpecWindow::RestorePick(int row) {
  shell.SkipValidation = true;
  SetPick(row, ComboIndexBefore, false);
  if (cmbSpecData[row]->isEnabled()) {
    cmbSpecData[row]->setFocus(Qt::OtherFocusReason);
    cmbSpecData_GotFocus(row);
  }
  shell.SkipValidation = false;
}

// ---------------------------------------------------------------- example groups

bool SpecWindow::ExampleLinked(const ExampleGroup& group) const {
  return Val(tbl.SpecText[tbl.SpecMenuStart[menu_] + group.nameSlot + 1]) != 0;
}

bool SpecWindow::ExampleCheck(int row) {
  const ExampleGroup* g = GroupOfRow(row);
  if (!g) {
    shell.ExampleKind = 0;
    return true;
  }
  shell.ExampleKind = static_cast<int16_t>(g->nameSlot);
  shell.ExampleMenu = static_cast<int16_t>(g->typeRow);
  if (shell.SkipValidation || !ExampleLinked(*g)) return true;
  const std::string name = tbl.SpecText[tbl.SpecMenuStart[menu_] + g->nameSlot];
  if (MsgBox(ExampleChangeQuestion(name), mb::YesNo + mb::DefaultButton2, kExampleQuestionTitle) != ans::Yes)
    return false;
  DropExampleLink(*g, row);
  return true;
}

void SpecWindow::DropExampleLink(const ExampleGroup& group, int fromRow) {
  (void)fromRow;
  shell.ExampleListIndex = 0;
  const int slot = tbl.SpecMenuStart[menu_] + group.nameSlot;
  tbl.SpecText[slot].clear();
  tbl.SpecText[slot + 1].clear();
  shell.ExampleKind = static_cast<int16_t>(group.nameSlot);
  FillSpecCombo(menu_, group.typeRow);
  SetPick(group.typeRow, shell.ExampleListIndex, false);
  StoredSpec(group.typeRow) = "0";
}

bool SpecWindow::ShowsLinkedExample(const ExampleGroup& group) const {
  int pick = Pick(group.typeRow);
  return pick >= 0 && pick >= PresetCount(group.typeRow);
}

// ---------------------------------------------------------------- the quick calculation

bool SpecWindow::InstantCalcAllowed() const { return !shell.SkipValidation && RowsFilling < 1; }

void SpecWindow::InstantCalc() {
  if (!InstantCalcAllowed() || fillGeneration_ == 0) return;
  if (calculating_) {
    rerun_ = true;
    return;
  }
  if (PutOffWhileCalculating(this, "instant", [this] { InstantCalc(); })) return;
  StillLoaded<SpecWindow> self(this);
  calculating_ = true;
  do {
    rerun_ = false;
    tbl.QuietCalc = 1;
    StoreSpecRows();
    tbl.CalcStatus = 0;
    tbl.CalcMode = 0;
    tbl.AbortCalc = 0;
    double trapSpeed = 0, sixtyFoot = 0;
    CalculatePerformance(trapSpeed, tbl.FinishRow, sixtyFoot);
    tbl.QuietCalc = 0;
    if (!self) return;
    // Refused checks leave FinishRow as the last run left it.
    const bool finished = tbl.StopAfterPrep == 0 && tbl.FinishRow > 0;
    setWindowTitle(ToQ(finished ? InstantCaption(SpecWindowCaption, tbl.InstantEt[0], tbl.InstantMph[0],
                                                 tbl.Instant60ft[0])
                                : SpecWindowCaption));
    DoEvents();
  } while (self && rerun_ && InstantCalcAllowed());
  if (self) calculating_ = false;
}

// ---------------------------------------------------------------- buttons

void SpecWindow::ClcBttn_Click(int row) {
  shell.KeepSpecForm = 1;
  StoreSpecRows();
  shell.CalcMenuNumber = static_cast<int16_t>(CalculatorOf(row));
  ShowCalculator();
}

void SpecWindow::Command1_Click(int index) {
  if (index < 0 || index >= static_cast<int>(Command1.size()) || !Command1[index]) return;
  const std::string caption = FromQ(Command1[index]->text());
  if (caption == "OK" || caption == "Return") Unload();
  else if (caption == "Help") ShowHelp();
  else if (caption == "Get Example") GetExample();
  else if (caption == "Save Example") SaveExample();
  else if (caption == "Print") PrintWindow();
  else if (caption == "Print Setup" || caption == "Printer Setup") PrintSetup();
}

void SpecWindow::ShowHelp() {
  shell.KeepSpecForm = 1;
  ShowHelpTopic(550);
}

void SpecWindow::GetExample() {
  if (const ExampleGroup* g = WindowExampleGroup()) OpenExampleList(*g, false);
}

void SpecWindow::OpenExampleList(const ExampleGroup& group, bool keepPick) {
  shell.ExampleSubChoice = 0;
  shell.ExampleKind = static_cast<int16_t>(group.nameSlot);
  shell.ExampleMenu = static_cast<int16_t>(group.typeRow);
  shell.ExampleComponent = group.component;
  shell.ExamplePrefix = group.prefix;
  shell.KeepSpecForm = 1;
  shell.ExampleModeCode.clear();
  if (keepPick) KeepPickAsBefore(group.typeRow);
  RowsFilling = 0;
  ShowExampleList();
}

void SpecWindow::KeepPickAsBefore(int row) {
  RowsFilling = 1;
  SetPick(row, ComboIndexBefore, false);
  RowsFilling = 0;
}

bool SpecWindow::MovesBetweenRows(QKeyEvent* key) {
  if (key->modifiers() & (Qt::AltModifier | Qt::ControlModifier)) return false;
  const bool up = key->key() == Qt::Key_Up;
  if (!up && key->key() != Qt::Key_Down && key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return false;
  focusNextPrevChild(!up);
  return true;
}

void SpecWindow::SaveExample() {
  const ExampleGroup* g = WindowExampleGroup();
  if (!g) return;
  if (tbl.BeginnerLevel == 1) {
    MsgBox(tbl.MsgBeginnerNoSave, mb::OKOnly, kBeginnerHelpTitle);
    return;
  }
  if (ShowsLinkedExample(*g)) {
    QComboBox* type = cmbSpecData[g->typeRow];
    MsgBox(tbl.MsgAlreadyExample + FromQ(type->itemText(type->currentIndex())) + tbl.MsgSaveNewName, mb::OKOnly, "");
    return;
  }
  StoreSpecRows();
  shell.KeepSpecForm = 1;
  shell.ExampleSubChoice = 1;
  shell.ExampleKind = static_cast<int16_t>(g->nameSlot);
  shell.ExampleMenu = static_cast<int16_t>(g->typeRow);
  shell.ExampleComponent = g->component;
  shell.ExamplePrefix = g->prefix;
  StillLoaded<SpecWindow> self(this);
  DoEvents();
  if (self) ShowExampleComparison();
}

void SpecWindow::PrintWindow() {
  InputAnswer answer = InputBox(tbl.PrintCommentPrompt, kPrintCommentTitle, " ");
  if (answer.text.empty()) return;
  WindowPicture image;
  {
    BusyCursor busy;
    const QString saved = Label2->text();
    Label2->setText(DisplayText(PrintNoteText(fst.CurrentFileName, LocalNow(), answer.text)));
    image = CaptureFormImage(this);
    Label2->setText(saved);
  }
  PrintPictureScaledToPage(this, windowTitle(), image);
}

void SpecWindow::PrintSetup() {
  // Cancel leaves the orientation as it was.
  SetPrinterOrientation(ProgramPrinter(), cfg.PrinterOrientation);
  int orientation = ShowPrinterSetup(this);
  if (orientation != 0) cfg.PrinterOrientation = static_cast<int16_t>(orientation);
}

}  // namespace sw
