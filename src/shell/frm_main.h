// The program's main window: the vehicle summary, the six spec buttons, the
// large Calculate / Open / Save buttons, the feature buttons, the vehicle
// comments and a help line that describes whatever the mouse is over. All
// other windows open inside or over it.
#pragma once

#include <QMainWindow>
#include <string>
#include <vector>

class QAction;
class QFrame;
class QGroupBox;
class QLabel;
class QMdiArea;
class QMenu;
class QPlainTextEdit;
class QPushButton;

namespace sw {

class frmMain : public QMainWindow {
  Q_OBJECT
 public:
  // Creating the window is its load.
  explicit frmMain(QWidget* parent = nullptr);
  ~frmMain() override;

  // --- controls
  QFrame* Picture1;  // the upper panel: summary, spec buttons, large buttons
  QFrame* Picture2;  // the lower panel: feature buttons, comments, help line
  QGroupBox* Frame3D8;                // "Vehicle Summary"
  std::vector<QLabel*> Label5;        // the five summary lines
  QGroupBox* Frame3D1;                // " Vehicle Specs "
  std::vector<QPushButton*> Command1; // the six spec buttons
  std::vector<QGroupBox*> Frame3D5;   // 0 "Comments:", 1 "Help:"
  QPlainTextEdit* Text1;              // the vehicle comments
  QLabel* lblHelp;                    // the help line
  QPushButton* cmdRun;
  QPushButton* cmdOpen;
  QPushButton* cmdSave;
  std::vector<QPushButton*> MainCommand;  // Match, Dial-In, Throttle Stop, Quit, Cylvane, Optimize
  QPushButton* Command2;                  // "Read Old Example Files" (does nothing)
  QMdiArea* MdiArea;                      // where the child windows open

  // --- menus
  QMenu* mnuFile;
  QAction *mnuNew, *mnuOpenExampleFile, *mnuFilLoad, *mnuFilSave, *mnuSaveAs, *mnuOpenFloppy, *mnuCopyFloppy,
      *mnuPrintMainScreen, *mnuPrintBlankWorksheet, *mnuWindowsPrinterSetup, *mnuFilExit;
  QAction* mnuCalc;
  QMenu* mnuHelp;
  QAction *mnuHelpHelp, *mnuBasicWindows, *mnuAbout, *mnuUsersManual, *mnuSupplement, *mnuReadme,
      *mnuOtherProducts, *mnuWeb;
  QMenu* mnuPreferences;
  QAction* mnuCylvane;
  QAction* mnuF2F2;
  QMenu* mnuOpenFile;  // pop-up of cmdOpen
  QAction *mnuOpenFileExample, *mnuOpenFileMyVehicles;
  QMenu* mnuFindBest;  // pop-up of Optimize
  QAction *mnuFindAxleRatio, *mnuFindConverter;

  // --- window state
  bool MainInitDone = false;
  int ExitCancelled = 0;

  // --- procedures
  void InitMainWindow();
  void BuildVehicleSummary();
  void CallOpenFile();
  void SaveVehicleAs();
  void RequestExit();
  void SetCaption(const std::string& caption);
  // Steps the axle ratio or the converter (FindBestTarget) for the quickest ET.
  void FindBest();

  // --- handlers
  void cmdRun_Click();
  void cmdSave_Click();
  void Command1_Click(int index);
  void MainCommand_Click(int index);
  void mnuOpenExampleFile_Click();
  void mnuFilLoad_Click();
  // True when the specs were saved under their name; false when the save
  // failed (`error`, when given, says why) or the save-as window asks first.
  bool mnuFilSave_Click(int* error = nullptr);
  void mnuOpenFloppy_Click();
  void mnuCopyFloppy_Click();
  void mnuPrintMainScreen_Click();
  void mnuPrintBlankWorksheet_Click();
  void mnuWindowsPrinterSetup_Click();
  void mnuFilExit_Click();
  // The exit that waited for a new vehicle to be named goes on once the
  // save-as window has saved it.
  void ExitAfterSave();
  void mnuAbout_Click();
  void mnuCylvane_Click();
  void mnuUsersManual_Click();
  void mnuSupplement_Click();
  void mnuReadme_Click();
  void mnuWeb_Click();
  void Text1_LostFocus();
  void ShowOptimizeMenu(const QPoint& at);

  // The sentence the help line shows for a control, "" when it has none.
  std::string HelpLineFor(const QObject* control) const;

  // True while a calculation or a search runs: nothing may start another.
  static bool Busy();

  // Programmatic updates of the comments box do not count as edits.
  void ShowComments(const std::string& comments);

 protected:
  bool event(QEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  void changeEvent(QEvent* e) override;

 private:
  // The exit's steps after the questions: configuration, base run, the end
  // (asked first when something could not be kept, `notKept` growing; a
  // working copy of `shown` that could not be written counts only when it
  // held what no other file holds, and the racer is told which vehicle the
  // next start brings up instead).
  void EndAfterExit(std::string notKept, const std::string& shown, int workingCopyError);
  void BuildMenus();
  void BuildPanels();
  void MDIForm_Load();
  void MDIForm_Activate();
  void UnloadChildWindows();
  void Text1_Change();
  void ShowStartupScreen();
  void ShowTip();
  bool settingComments_ = false;
  bool initRunning_ = false;
  bool ending_ = false;
};

// Builds the caption from the product title and the current file name, sets
// it as the main window's caption when that window is loaded, and returns it.
void BuildMainCaption(std::string& caption);

// Ends the program: the event loop is left with the given status, and a
// start-up that has not reached the loop yet returns at once.
void EndProgram(int status);
bool ProgramEnding();
int ProgramExitStatus();
void ResetProgramEnding();  // tests

// Asks "Quit Stagewell ?"; the flag is 1 after No or Cancel, else 0.
void ConfirmQuit(int& cancelFlag);

// Marks a command as not there yet: greyed, with a tooltip that says so.
void MarkNotAvailableYet(QWidget* w);
// Shows a window of the program in front; the first time, over the main
// window and whole on the screen.
void ShowOverMainWindow(QWidget* w);
void MarkNotAvailableYet(QAction* a);
extern const char* const kNotAvailableYet;

}  // namespace sw
