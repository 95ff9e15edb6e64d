// frmDialIn: the bracket racer's worksheet. Dial In mode holds one previous
// run and the coming ("Predicted") run and predicts the next dial-in;
// Throttle Stop mode holds two previous runs made with different throttle
// stop settings (or one run and an adjustment factor), the index and a
// safety margin, and predicts the throttle-stop setting. The mode is fixed
// when the window loads (from tbl.CalcMode).
//
// The window is built on the row kit (src/specs/spec_window.h): its 32 rows
// are spec menu 9 (Dial In) or 8 (Throttle Stop) of SpecText, filled each
// time the window comes to the front and stored whenever it loses it. Row k
// is SpecData(k) or cmbSpecData(k); the Run 2 rows 20-28 stand beside rows
// 0-8 and share their captions. The prediction itself is
// src/dialin/dialin_prediction.h, the weather methods
// src/dialin/weather_methods.h.
#pragma once

#include <QPointer>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "dialin/dialin_prediction.h"
#include "specs/spec_window.h"

class QAction;
class QGroupBox;
class QMenu;
class QMenuBar;
class QPlainTextEdit;

namespace sw {

class frmDialIn : public SpecWindow {
  Q_OBJECT

 public:
  frmDialIn();

  static frmDialIn* IfLoaded();

  int Mode() const { return mode_; }  // 1 Dial In, 2 Throttle Stop
  bool ThrottleStop() const { return mode_ == 2; }

  // --- procedures of the window
  void ShowDialInRows();
  void StoreSpecRows() override;
  void RefillFromSpecText() override;
  void CopyRunEntries(int kind);     // 0 Run 1 -> Run 2, 1 Run 1 -> Predicted, 2 Run 2 -> Predicted
  void AdvanceRunEntries(int kind);  // 1 Predicted -> Run 1 (Dial In), 2 Predicted -> Run 2
  void ClearRunEntries(int kind);    // 0 everything, 1 Run 1, 2 Run 2, 3 Predicted
  void SetWeatherRowLabels();
  // The comment box as a file read it (not the racer's edit).
  void ShowComment(const std::string& comment);
  // A dial-in or throttle-stop file was read into SpecText: the comment at
  // once, the rows and the caption from the event loop (the reader names
  // the file last), whichever window has the front then.
  void EntriesRead(const std::string& comment);
  // What the prediction reads of the rows.
  DialInEntries Entries() const;
  // The rows and picks a run reads: while a prediction runs, as they were
  // when it began (the racer's edits meanwhile wait for the next one).
  std::string RowTextForRun(int row) const;
  int PickForRun(int row) const;

  // --- menu items
  void mnuExit_Click();
  void mnuNew_Click() { ClearRunEntries(0); }
  void mnuOpen_Click();
  void mnuSave_Click();
  void mnuSaveAs_Click();
  void mnuPrint_Click();
  void mnuOptions_Click();
  void mnuUseOneRun_Click();
  void mnuUseTwoRuns_Click();
  void mnuTSHelp_Click();
  void mnuHelp_Click();
  void mnuUpdate_Click();

  // --- controls (the kit's help box is this window's Label1)
  QLabel* Label1 = nullptr;   // help box
  QLabel* Label2 = nullptr;   // the prediction, in row 17's place
  std::array<QLabel*, 2> Label3{};  // "Run 1", "Run 2"
  QLabel* Label4 = nullptr;   // the comment line of the printout
  QLabel* Label5 = nullptr;   // the note under the runs (Throttle Stop)
  QLabel* Label6 = nullptr;   // one-run instruction
  QLabel* Label7 = nullptr;   // the prediction's note
  QLabel* Label8 = nullptr;   // "Adj. Factor"
  QLabel* Label9 = nullptr;   // the adjustment factor
  // Unseen captions that name the two runs' wind direction lists for a screen reader.
  std::array<QLabel*, 2> RunListCaption{};
  QPlainTextEdit* Text1 = nullptr;
  std::array<QGroupBox*, 2> Frame3D1{};  // 0 "Predicted Run", 1 "Previous Run"
  QGroupBox* Frame3D2 = nullptr;         // "General Specs and Comments"
  QGroupBox* Frame3D3 = nullptr;         // "Help"
  QMenuBar* MenuBar = nullptr;
  QAction *mnuExitNow, *mnuNew, *mnuOpen, *mnuSave, *mnuSaveAs, *mnuPrint, *mnuExit;
  QAction *mnuClearAll, *mnuClear1, *mnuClear2, *mnuClearPredicted, *mnuCopy12, *mnuCopy1P, *mnuCopy2P;
  QAction *mnuUseTwoRuns, *mnuUseOneRun, *mnuCurrentFactor, *mnuTSHelp;
  QAction *mnuAdvanceAll, *mnuAdvanceP2, *mnuUpdate, *mnuHelp;
  QMenu *mnuFile, *mnuEdit, *mnuOptions, *mnuAdvance;

  // --- window state
  int IgnoreComboClick = 0;
  int ComboKeyFlag = 0;
  std::string ModeName;
  int ExtraHeight = 0;  // twips
  std::array<int, 4> RunElevation{};  // by run number: 1 Run 1, 2 Run 2, 3 Predicted
  DialInAsked Asked;

 protected:
  void Form_Activate() override;
  bool WaitsOn(const QWidget* active) const override;
  void SpecData_LostFocus(const RowLeave& leave) override;
  void cmbSpecData_Click(int row) override;
  void ClcBttn_Click(int row) override;
  void UpdateRowStates() override { SetWeatherRowLabels(); }
  bool InstantCalcAllowed() const override { return false; }
  bool eventFilter(QObject* watched, QEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  // The row file's limits of each group's moisture row, by its base row.
  std::array<std::optional<RowLimits>, 21> moistureRowFile_{};
  void SetMoistureLimits();
  void BuildMenus();
  void BuildLayout();
  void SetTabChain();
  void LoadByMode();
  void ReadDialInRowFile();
  void ShowBeginnerNote();
  void UpdateCaption();
  std::string& FileName() const;
  std::string& Comment() const;
  void ClearPrediction();
  void NamePrediction();
  std::vector<std::string> ShownEntries() const;
  void ClearPredictionIfChanged(const std::vector<std::string>& before);
  void NameRunControls();
  // Row 17's slot carries the one-run marker "@" + the factor in row 31.
  void SyncRunMarker();
  void CopyRow(int from, int to);
  void SetRowCaptionBoth(int row, const std::string& caption);
  void ShowSixtyFootNote(bool shown);
  bool Busy() const;
  int ConditionsMethod() const;

  int mode_ = 1;
  bool rowsShown_ = false;
  bool predicting_ = false;
  std::vector<std::string> heldText_;  // RowText of every row while predicting
  std::vector<int> heldPick_;          // Pick of every row while predicting
  bool settingComment_ = false;
  QLabel* runHeadingRoom_ = nullptr;
  QWidget* noteSlot_ = nullptr;   // Label7's 200 twips
  QWidget* printSlot_ = nullptr;  // Label4's room on the printout
};

// The main window's Dial-In (mode 1) and Throttle Stop (mode 2): loads the
// window in that mode (a window of the other mode goes first) and shows it.
void ShowDialInWindow(int mode);

}  // namespace sw
