// The tips window: one help tip with "Don't show this again". The program
// asks only for tip 20, the pointer to the user's manual, once per run.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <vector>

namespace sw {

// The tip shown is shell.TipNumber; the window keeps in shell.TipShown, per
// tip, 1 once it was shown and closed, 2 when "Don't show this again" was
// checked (for this run of the program).
class frmIntroHelp : public QDialog {
  Q_OBJECT
 public:
  // Creating the window is its load; use DefaultInstance<frmIntroHelp>.
  frmIntroHelp();
  ~frmIntroHelp() override;
  // Loads the window for shell.TipNumber and shows it modal.
  static void ShowTip();

  QLabel* Label1 = nullptr;
  QCheckBox* Check1 = nullptr;
  std::vector<QPushButton*> Command1;  // 0 "OK", 1 "No", 2 "Help"

 protected:
  void closeEvent(QCloseEvent* e) override;

 private:
  void Load();
  void Finish();
};

}  // namespace sw
