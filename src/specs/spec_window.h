// The row kit: what the six spec windows (and the windows built like them)
// share. A spec window edits its menu's slice of SpecText as a column of
// rows - a caption panel, a value box or a pick list, sometimes a "Clc"
// button - with a help box and a row of buttons. The kit reads the menu's row
// file, fills the rows from SpecText each time the window comes to the front,
// tests entries when a value box is left, moves the focus on Up, Down and
// Enter, stores the rows back, runs the quick calculation in the caption,
// handles example groups and the standard buttons, and stays loaded behind
// its companion windows (calculator, example list, help).
//
// Building a window on it (frmVehicle in src/specs/frm_vehicle.cpp is the
// worked example):
//   class frmThing : public SpecWindow {
//    public:
//     frmThing() : SpecWindow(kMenu, kRows, "Thing Specs") {
//       SetRowCaption(0, "Weight, lbs");             // until the row file says otherwise
//       AddCalculatorButton(0, 24);                  // "Clc" beside row 0
//       AddButtons({{0, "OK"}, {1, "Help"}, {4, "Print"}, {5, "Print Setup"}});
//       auto* v = new QVBoxLayout(this);
//       v->addWidget(RowFrame("Frame", {0, 1, 2}));  // rows under a frame caption
//       v->addWidget(HelpFrame());
//       v->addLayout(ButtonRow());
//       Form_Load();                                 // last: fills the pick lists
//     }
//    protected:
//     void UpdateRowStates() override { SetRowEnabled(2, Pick(1) != 0); }
//   };
// and its line in src/specs/spec_windows.cpp (LoadWindow) so that the main
// window's spec button opens it.
//
// The window's events arrive at the handlers below (Form_Activate,
// SpecData_LostFocus, cmbSpecData_Click, ...). All pick changes made by code
// go through SetPick (with or without the pick handling); user picks arrive
// as cmbSpecData_Click. Leaving a value box is handled from the event loop
// after the focus moved (SpecData_LostFocus), never inside a focus event and
// never because a box or popup took the front. Form_Activate runs when the
// window comes to the front from another window of the program, never when
// it only comes back from one of its own boxes.
//
// Other windows reach a spec window through src/specs/spec_windows.h.
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/qt/action_gate.h"
#include "platform/qt/window_lifetime.h"
#include "specs/preset_lists.h"
#include "specs/row_rules.h"

class QComboBox;
class QGroupBox;
class QHBoxLayout;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;

namespace sw {

class DeactivateWatch;

// Rows loaded together from an example library. The group's name slot and
// the marker slot after it lie beyond the rows in the menu's slice of
// SpecText; the marker is nonzero while the rows are the example's values.
struct ExampleGroup {
  int nameSlot = 0;        // offset of the name slot; the marker is nameSlot + 1
  int typeRow = 0;         // the group's Type pick list
  const char* component;   // library code, "BODY"
  const char* prefix;      // notes prefix, "BD"
};

// A window's own reaction to a pick (step 3 of the pick handling).
enum class PickReaction {
  Continue,  // then the quick calculation and the row states
  NoCalc,    // then the row states, no quick calculation
  Stop,      // nothing more
};

// A value box being left, as it was when the focus went.
struct RowLeave {
  int row = -1;
  std::string text;        // the box's text
  std::string textBefore;  // its text when the focus arrived
  bool skipValidation = false;
  bool typed = false;      // the racer typed into it since it was last left
  int fillGeneration = 0;
};

class SpecWindow : public QWidget, public PickListOwner, public EntryWindow {
  Q_OBJECT
 public:
  ~SpecWindow() override;

  int Menu() const { return menu_; }
  int RowCount() const { return rowCount_; }

  // --- operations other windows use (through src/specs/spec_windows.h)
  // The quick calculation shown in the caption (acts only when
  // InstantCalcAllowed(); never nests: a call during its own calculation
  // asks for one more run afterwards).
  void InstantCalc();
  // Copies the rows into SpecText (Form_Unload, before calculations,
  // calculators and example windows). Rows are written only when they hold
  // something SpecText does not: a window never stores rows older than a
  // value a companion wrote. An entry is stored tested or not, but one
  // outside its row's limits never is: the text the window wrote stays.
  virtual void StoreSpecRows();
  // Fills the rows again from SpecText, without pick handling, the specs'
  // changed flag kept: after a companion wrote SpecText.
  virtual void RefillFromSpecText();
  // Leaves now (before the window goes, or the main window calculates,
  // saves, ...) every value box whose text is not the one it was last
  // filled with or left with: what the racer typed and did not leave yet,
  // and what a screen reader set, focus or not. The focused box goes first,
  // then the others in row order; each is tested as a typed entry (refused:
  // its "Warning" and its text from before back). Nothing while
  // SkipValidation. A window with entry controls beyond its rows (the
  // engine's curve grid) adds its own.
  virtual void LeaveEditedRows();
  // Runs the leave handling still waiting for the event loop, then
  // LeaveEditedRows: before any command of the window (the gate), and as
  // the window goes.
  void SettleEntries() override;
  // Stores the rows and unloads the window. An entry that was never tested
  // (left while SkipValidation was set) goes back to its text from before.
  void Unload();

  // --- rows
  int Pick(int row) const;  // the pick's number, -1 for none or a value row
  std::string RowText(int row) const;
  // A text the window (or the core, through it) puts into a value box: it
  // counts as an edit, but not as an entry still to be tested, and leaving
  // the box passes it as the program's own until the racer changes it.
  void SetRowText(int row, const std::string& text);
  // The one setter of a pick: with raiseHandling the window's pick handling
  // runs as for a user's pick (only where a window's rules say so: an
  // appended example name, a tire Type giving way).
  // An index the list cannot take is passed over (the pick stays).
  void SetPick(int row, int index, bool raiseHandling);
  // PickListOwner (FillSpecCombo).
  void FillPickList(int row, const std::vector<std::string>& items) override;
  void AppendLinkedExample(int row, const std::string& name) override;
  // Number of items the preset file gave the row's list (an appended
  // example name is the item after them).
  int PresetCount(int row) const;

  // --- controls, by row; value rows have no cmbSpecData,
  // pick rows no SpecData, and rows without a calculator no ClcBttn (nullptr)
  std::vector<QLabel*> SpecName;
  std::vector<QLineEdit*> SpecData;
  std::vector<QComboBox*> cmbSpecData;
  std::vector<QPushButton*> ClcBttn;
  std::vector<QPushButton*> Command1;  // by index; unused indexes nullptr
  QLabel* Label2 = nullptr;            // the help box

  // --- window state
  int RowsFilling = 0;
  int ComboIndexBefore = 0;
  std::string SpecWindowCaption;

 protected:
  SpecWindow(int menu, int rowCount, const std::string& caption);

  // --- building the window (in the constructor, before Form_Load)
  // A "Clc" button beside the row that opens calculator `calcMenuNumber`;
  // with kComputedHere the window computes the row itself (ClcBttn_Click),
  // so the button works without the calculator window.
  static constexpr int kComputedHere = -1;
  void AddCalculatorButton(int row, int calcMenuNumber);
  void AddButtons(std::initializer_list<std::pair<int, const char*>> buttons);
  // A frame (captioned box) holding the rows one under the other: caption
  // panel, value control, "Clc" button.
  QGroupBox* RowFrame(const QString& caption, std::initializer_list<int> rows);
  QGroupBox* HelpFrame();        // " Help " with Label2
  QHBoxLayout* ButtonRow();      // the Command1 buttons in index order
  QHBoxLayout* ButtonRow(std::initializer_list<int> indexes);  // only these, in this order
  // Last in the constructor: fills the pick lists (ExampleKindForList,
  // FillSpecCombo), keeps the caption, sets the tab order.
  void Form_Load();

  // --- hooks a window overrides
  // Form_Activate: whether the row's caption comes from the row file (else
  // it keeps the one the window gave it; the line is read all the same).
  virtual bool CaptionFromRowFile(int row) const { return true; }
  // Form_Load: the ExampleKind to set before FillSpecCombo of a pick row (-1: plain list).
  virtual int ExampleKindForList(int row) const { return -1; }
  // Form_Load: a window whose row takes fixed items rather than a preset
  // file fills it here (FillPickList) and returns true.
  virtual bool FillOwnPickList(int row) { return false; }
  // Enables, disables or relabels rows from the current picks.
  virtual void UpdateRowStates() {}
  // Form_Activate: after row r took its stored value (body: the Type row shows the linked example).
  virtual void AfterRowFilled(int row) {}
  // The example group a row belongs to, nullptr for none; the window's group
  // for "Get Example" / "Save Example".
  virtual const ExampleGroup* GroupOfRow(int row) const { return nullptr; }
  virtual const ExampleGroup* WindowExampleGroup() const { return nullptr; }
  // Whether a change in the group asks "Change these Example Specs?" (the marker is nonzero).
  virtual bool ExampleLinked(const ExampleGroup& group) const;
  // The "Yes" of that question: ExampleListIndex = 0, name and marker
  // emptied, the Type list rebuilt and set to ExampleListIndex, its stored value "0".
  virtual void DropExampleLink(const ExampleGroup& group, int fromRow);
  // Whether the Type row shows the linked example (Save Example refuses then).
  virtual bool ShowsLinkedExample(const ExampleGroup& group) const;
  // The window's own reaction to a pick; the default runs the example check
  // for rows of a group.
  virtual PickReaction OnPick(int row, int pick);
  // Whether a changed pick in the row marks the specs changed.
  virtual bool PickMarksChange(int row) const { return true; }
  // When the quick calculation acts.
  virtual bool InstantCalcAllowed() const;
  // Whether activation shows the "Tip on Instant Help" (Beginner Level).
  virtual bool ShowsInstantTip() const { return true; }
  // Whether leaving a non-empty box empties the help box.
  virtual bool LeaveEmptiesHelp(bool skipValidation) const { return true; }
  // The stored form of a pick the racer or the window changed (" 2").
  virtual std::string PickStoredForm(int row, int pick) const { return PickStoredText(pick); }
  // A window this one opened and waits for: losing the front to it stores
  // the rows and keeps this window, however often the front went back and
  // forth between them meanwhile.
  virtual bool WaitsOn(const QWidget* active) const { return false; }

  // --- handlers; override one to replace its whole sequence of steps
  virtual void Form_Activate();
  virtual void Form_Deactivate();
  virtual void SpecData_GotFocus(int row);
  virtual void SpecData_LostFocus(const RowLeave& leave);
  virtual void cmbSpecData_GotFocus(int row);
  virtual void cmbSpecData_Click(int row);
  virtual void SpecName_Click(int row);
  virtual void ClcBttn_Click(int row);
  virtual void Command1_Click(int index);
  // The standard buttons.
  virtual void GetExample();
  // Opens the example list of `group` (Get Example, or a Type item that
  // leads to the examples); with keepPick the Type row goes back to its pick
  // from before while the list is open.
  void OpenExampleList(const ExampleGroup& group, bool keepPick);
  // The row's pick from before, set without pick handling (a Type item that
  // leads to the examples is no pick of its own).
  void KeepPickAsBefore(int row);
  // Up, Down and Enter move between rows (and grid cells) before the control
  // acts on them: a pick list never changes its pick on an arrow key.
  bool MovesBetweenRows(QKeyEvent* key);
  virtual void SaveExample();
  void ShowHelp();
  void PrintWindow();
  void PrintSetup();

  // --- steps the handlers are made of
  // Form_Activate steps 4-5: the row file into captions, help lines and
  // limits (its message once per activation when missing or short), then
  // every row from SpecText with SkipValidation set.
  void ReadRowFileIntoRows();
  void FillRowsFromSpecText();
  // The row that takes the focus at activation: the row the racer clicked
  // into, else `defaultRow`; its help line, text-before and selection.
  void FocusFirstRow(int defaultRow = 0);
  void FocusRow(int row);
  void ShowInstantTip();
  // Leaving a value box, all but the quick calculation: empty, skipped,
  // normalised, range-tested ("Warning", text and focus back), then the
  // example check ("No" puts the text back: reported as Refused).
  LeaveStep LeaveValueBox(const RowLeave& leave);
  // The row rules' decision on that leave; the text the program last put
  // into the box passes the range test as it is.
  LeaveDecision DecideRowLeave(const RowLeave& leave) const;
  // The text the program last put into the left box, "" once the racer's
  // entry replaced it or when the racer typed over it before this leave.
  std::string ProgramText(const RowLeave& leave) const;
  // The example check for a changed row: true when the change stands.
  bool ExampleCheck(int row);
  // Puts the pick from before back after a "No" (focus back too).
  void RestorePick(int row);
  void SetRowEnabled(int row, bool enabled, bool withCalculator = false);
  void SetRowCaption(int row, const std::string& caption);
  // Each "Clc" button's accessible name: "Clc " and its row's caption.
  void NameCalculatorButtons();
  void SetRowHelp(int row, const std::string& help);
  std::string RowCaption(int row) const;
  std::string RowHelp(int row) const;
  const std::optional<RowLimits>& Limits(int row) const;
  void SetLimits(int row, const std::optional<RowLimits>& limits);
  std::string& StoredSpec(int row);
  bool IsPickRow(int row) const;
  int CalculatorOf(int row) const;
  // True while the window fills its rows (changes then are no edits).
  bool Filling() const { return filling_ > 0; }

  bool event(QEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  struct Row {
    std::string caption;  // as given, CR line breaks kept (the "Warning" quotes it)
    std::string help;
    std::optional<RowLimits> limits;
    std::string textBefore;
    std::string written;  // the text the window last put into the box (from SpecText or computed)
    // That text while it is still the program's own: "" once the racer's
    // entry replaced it, or when it came from a file (IsProgramText).
    std::string programText;
    bool typed = false;  // the racer typed into the box since it was last left
    std::optional<std::string> untouched;  // a pick row's stored text while nobody picked
    int presetCount = 0;
    int calculator = 0;
  };
  int RowOf(QObject* control) const;
  void ActivateNow();
  void FrontLost();
  void FlushPendingLeaves();
  void RevertUntestedRows();
  void FillPick(int row, const std::string& stored);
  RowLeave SnapshotLeave(int row) const;
  // The next value box LeaveEditedRows leaves, -1 for none: the focused one,
  // then the others in row order, each once.
  int NextEditedRow(const std::vector<bool>& left) const;
  std::string StorableRowText(int row) const;

  int menu_;
  int rowCount_;
  std::vector<Row> rows_;
  DeactivateWatch* watch_ = nullptr;
  bool activatedOnce_ = false;
  bool lostFront_ = false;
  // The front went and the rows were not stored since: coming back, they
  // are stored before the stored rows are shown again.
  bool storeOwed_ = false;
  bool rowsAhead_ = false;   // the rows hold edits SpecText does not have yet
  int filling_ = 0;
  int fillGeneration_ = 0;
  int pressedRow_ = -1;  // the row clicked into while the window came to the front
  std::vector<RowLeave> pendingLeaves_;
  bool calculating_ = false;
  bool rerun_ = false;
  bool unloading_ = false;
};

}  // namespace sw
