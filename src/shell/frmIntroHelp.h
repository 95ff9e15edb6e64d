// The tips window: one help tip with "Don't show this again". The program
// asks only for tip 20, the pointer to the user's manual, once per run.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <array>
#include <cstdint>
#include <vector>

namespace sw {

// The tip to show, and per tip whether it was shown in this run of the
// program: 0 not shown, 1 shown and closed, 2 closed with "Don't show this
// again" checked. Not stored between runs.
inline int16_t TipNumber = 0;
inline std::array<int16_t, 41> TipShown{};

class frmIntroHelp : public QDialog {
  Q_OBJECT
 public:
  static frmIntroHelp& Default();
  static frmIntroHelp* Loaded();
  // Loads the window for TipNumber and shows it modal; returns when closed.
  static void ShowTip();

  QLabel* Label1 = nullptr;
  QCheckBox* Check1 = nullptr;
  std::vector<QPushButton*> Command1;  // 0 "OK", 1 "No", 2 "Help"

 protected:
  void closeEvent(QCloseEvent* e) override;

 private:
  frmIntroHelp();
  ~frmIntroHelp() override;
  void Load();
  void Finish();
};

}  // namespace sw
