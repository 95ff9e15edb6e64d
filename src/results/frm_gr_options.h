// "Options for Making Graphs": the graph's data type, base run rules,
// labels, line width, background and print colour, printer setup, Print Now,
// and fixing the current run as the base run. Opened from the graph window.
#pragma once

#include <QWidget>
#include <cstdint>
#include <vector>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace sw {

class DeactivateWatch;

// 1 while the graph window fills the options before showing them.
extern int16_t GraphOptionsLoading;

class frmGrOptions : public QWidget {
  Q_OBJECT

 public:
  frmGrOptions();
  ~frmGrOptions() override;

  static frmGrOptions* IfLoaded();
  // Fills the controls from the preferences, in order, and shows the window.
  static void Open();
  // Closes the window without acting on it.
  static void Unload();

  QComboBox* Combo1;
  QRadioButton *Option3D1, *Option3D2, *Option3D3, *Option3D4, *Option3D5, *Option3D6, *Option3D7, *Option3D8,
      *Option3D9, *Option3D10, *Option3D11, *Option3D12, *SSOption1;
  QPushButton* Command2;               // "Select Current Run as Baseline"
  std::vector<QPushButton*> Command1;  // 0 "Print Now", 1 "Windows Printer Setup"
  QPushButton* Command3;               // "OK"
  QPushButton* Command4;               // "Help"
  QLineEdit *Text1, *Text2, *Text3;    // current run's label, base run's label, plot title
  std::vector<QLabel*> LabelPanels;    // the panels naming Text1, Text2, Text3

  void Form_Activate();
  void Combo1_Click();
  void Option3D1_Click();
  void Option3D2_Click();
  void Option3D3_Click();
  void Option3D4_Click();
  void Command2_Click();
  void Option3D9_Click();
  void Option3D10_Click();
  void Option3D7_Click();
  void Option3D8_Click();
  void Option3D12_Click();
  void Option3D11_Click();
  void SSOption1_Click();
  void Option3D6_Click();
  void Option3D5_Click();
  void Command1_Click(int index);
  void Command3_Click();
  void Form_Deactivate();
  void Command4_Click();

 protected:
  bool event(QEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  void StoreLabelsAndReplot();
  void SetLabelBoxesEnabled(bool on);
  void SetRuleEnabled(bool on);
  DeactivateWatch* watch_;
  bool unloading_ = false;
  QRadioButton* chosenUnclicked_ = nullptr;  // chosen just now, its click still to come
};

}  // namespace sw
