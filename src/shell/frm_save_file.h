// "Save <kind> File": asks for a new name for the current vehicle, dial-in or
// throttle-stop specs and saves them under it. When the save was asked for
// by another step (open another file, a new vehicle, reopening a history
// run, the exit), only the close after a completed save carries that step
// on; any other close (Cancel, Escape, another window to the front) drops
// it. The window keeps the step, and the kind of specs it saves, from the
// moment it is asked for: a run or another save made meanwhile changes
// neither.
#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>
#include <string>

#include "results/history_ops.h"

namespace sw {

class DeactivateWatch;

class frmSaveFile : public QWidget {
  Q_OBJECT
 public:
  // Creating the window is its load; use DefaultInstance<frmSaveFile>.
  frmSaveFile();
  ~frmSaveFile() override;

  static void ShowSaveAsForm();

  QLineEdit* Text1 = nullptr;       // the name
  QPushButton* Command1 = nullptr;  // "OK"
  QPushButton* Command2 = nullptr;  // "Cancel"
  QPushButton* Command3 = nullptr;  // "Help"
  QLabel* Panel3D1 = nullptr;       // instructions
  QGroupBox* Panel3D2 = nullptr;    // "New <kind> Name:"
  QLabel* FolderLabel = nullptr;    // floppy saves: the folder that stands for the drive
  QPushButton* FolderButton = nullptr;

  const std::string& Kind() const { return kind_; }
  // The step that waits for this save (a negative save mode), else SaveAs.
  int16_t WaitingStep() const { return waiting_; }

  void Command1_Click();  // OK: the save

  // Waits this long, the window responsive, after reopening a history run
  // (tests shorten it).
  static int& HistoryWaitMs();

 protected:
  void closeEvent(QCloseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  void Form_Unload();
  void EnterKey();
  void TakeWaitingStep();
  void RetrievePickedRun();
  std::string kind_;
  std::string folderWord_;
  DeactivateWatch* watch_ = nullptr;
  bool saved_ = false;      // OK saved the specs: the waiting step goes on
  bool lostFront_ = false;  // closed because another window came to the front
  int16_t calcMode_ = 0;    // the kind of specs it saves
  int16_t waiting_ = 0;
  std::string waitingChosen_;  // the file chosen in the Open window
  HistoryRun pickedRun_;       // the run chosen in the run history
};

}  // namespace sw
