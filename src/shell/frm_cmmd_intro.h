// "Summary of Windows Commands": a tutorial with a mock spec menu whose rows,
// lists, boxes and buttons are explained by labels joined to them by lines.
// Nothing typed into it is stored.
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <utility>
#include <vector>

namespace sw {

class frmCmmdIntro : public QDialog {
  Q_OBJECT
 public:
  // Creating the window is its load; use DefaultInstance<frmCmmdIntro>.
  frmCmmdIntro();
  ~frmCmmdIntro() override;
  // Loads the window and shows it modal.
  static void ShowModal();

  QGroupBox* Frame1 = nullptr;                 // "Intake Cam Specs"
  QGroupBox* Frame2 = nullptr;                 // "Calculated Cam Specs"
  std::vector<QLabel*> SpecName;               // 0..3
  std::vector<QLineEdit*> SpecData;            // 2, 3 used (0, 1 are lists)
  std::vector<QComboBox*> cmbSpecData;         // 0 "Type", 1 "Total Cam Advance"
  QPushButton* ClcBttn = nullptr;
  QLabel* LobeSeparationName = nullptr;
  QLabel* LobeSeparation = nullptr;
  std::vector<QPushButton*> Command1;          // "Help", "Get Example": no action
  QPushButton* Command2 = nullptr;             // "Cancel"
  QPlainTextEdit* Text1 = nullptr;
  std::vector<QLabel*> Label2;                 // 0..9

  static const char* LabelTextOf(int index);

 protected:
  void paintEvent(QPaintEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  void Form_Load();
  // Label index and the control it describes, for the joining lines.
  std::vector<std::pair<int, QWidget*>> links_;
};

}  // namespace sw
