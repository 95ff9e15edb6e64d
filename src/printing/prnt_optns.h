// "Printout Options": prints the report on the current specs, the blank
// worksheet or the definitions of outputs, and keeps the five report options
// (kept in the configuration file from one run of the program to the next).
#pragma once

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QWidget>
#include <array>
#include <cstdint>

namespace sw {

class PrntOptns : public QWidget {
  Q_OBJECT
 public:
  // Creating the window is its load; use DefaultInstance<PrntOptns>.
  PrntOptns();
  ~PrntOptns() override;

  // Loads the window and shows it, not modal.
  static void ShowWindow();

  QGroupBox* Frame3D1 = nullptr;  // "Report Printing Options"
  QGroupBox* Frame3D2 = nullptr;  // "Other Printout Types"
  QGroupBox* Frame3D3 = nullptr;
  QLabel* Label1 = nullptr;
  // 0 "Print Blank Worksheet", 1 "Print Definitions of Outputs",
  // 2 "Print Report Using These Specs", 3 "Close"
  std::array<QPushButton*, 4> Command1{};
  // 0 specs, 1 comments, 2 dot matrix, 3 report comment, 4 history
  std::array<QCheckBox*, 5> Check3D1{};

  int16_t BlankWorksheet = 0;
  int16_t DefinitionsOnly = 0;

  void Command1_Click(int index);
  void Form_Activate();
  void SavePrintOptions();
  // Asks what the printout needs (landscape paper, comments), then prints
  // the document the two flags choose.
  void PrintReport();

 protected:
  void changeEvent(QEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  bool closed_ = false;
};

}  // namespace sw
