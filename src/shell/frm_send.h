// "Switch to Engine Program": the user picks the edition of the engine
// program Cylvane to switch to (or describes a custom one), can have its
// program file searched for, and switches with "OK/Switch".
#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>
#include <vector>

namespace sw {

class DeactivateWatch;

class frmSend : public QWidget {
  Q_OBJECT
 public:
  // Creating the window is its load; use DefaultInstance<frmSend>.
  frmSend();
  ~frmSend() override;

  // Loads the window when needed and shows it (not modal): "Return to
  // Cylvane" when Cylvane is gone, and the Engine window's "Load from
  // Cylvane".
  static void ShowSendForm();
  // Closes it (storing the choice) when it is open.
  static void UnloadSendForm();

  QGroupBox* Frame3D1 = nullptr;              // "Windows Engine Program"
  std::vector<QRadioButton*> Option3D1;       // editions 0..4
  std::vector<QLabel*> SpecName;              // the custom edition's captions
  std::vector<QLineEdit*> SpecData;           // ... and its names
  std::vector<QPushButton*> Command1;         // OK/Switch, Help, Cancel, Look For It 0..4

  void Command1_Click(int index);
  void Option3D1_Click(int index);
  void StoreEditionChoice();
  void UpdateEditionControls();

 protected:
  void closeEvent(QCloseEvent* e) override;
  bool event(QEvent* e) override;

 private:
  void LookForIt(int edition);
  void ShowCustomNames();
  int OptionOn() const;
  DeactivateWatch* watch_ = nullptr;
};

}  // namespace sw
