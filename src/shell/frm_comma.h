// "Critical Problem Encountered": the warning shown, modal, when the system
// writes numbers with a decimal comma.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <functional>
#include <string>
#include <vector>

namespace sw {

class frmComma : public QDialog {
  Q_OBJECT
 public:
  // Creating the window is its load; use DefaultInstance<frmComma>.
  frmComma();
  ~frmComma() override;
  // Loads the window and shows it modal; returns when it is closed.
  static void ShowModal();

  // The message of the window, eight paragraphs.
  static std::string Message();

  // "Stop Program Now": ends the program at once, without the exit sequence.
  // Tests replace it.
  static std::function<void()>& StopProgram();
  // "Print": prints the window's image. Tests replace it.
  static std::function<void(QWidget*)>& PrintImage();

  QLabel* Label1 = nullptr;
  std::vector<QPushButton*> Command1;  // 0 "Cancel", 1 "Stop Program Now", 2 "Print"

 protected:
  void closeEvent(QCloseEvent* e) override;

 private:
  void Command1_Click(int index);
};

}  // namespace sw
