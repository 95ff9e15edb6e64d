// "Vehicle Comments": a larger editor for the current vehicle's comments. It
// closes as soon as another window of the program comes to the front, and
// every way of closing writes the text back to the main window's comments
// box and to the vehicle's comments.
#pragma once

#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>

namespace sw {

class DeactivateWatch;

class frmDispCmnts : public QWidget {
  Q_OBJECT
 public:
  // Creating the window is its load; use DefaultInstance<frmDispCmnts>.
  frmDispCmnts();
  ~frmDispCmnts() override;

  // Copies the main window's comments box into the editor and shows it (not
  // modal): what the results window's comments button does.
  static void ShowVehicleComments();
  // The same with the comments text handed over (lines joined with CR LF or
  // LF).
  static void ShowVehicleComments(const std::string& comments);
  // Writes what the open window holds back, as its close does, and leaves
  // it open: before the program saves, calculates or ends with it still up.
  static void StoreTyped();

  QPlainTextEdit* Text1 = nullptr;
  QPushButton* Command1 = nullptr;  // "OK"

 protected:
  void closeEvent(QCloseEvent* e) override;

 private:
  void WriteBack();
  DeactivateWatch* watch_ = nullptr;
};

}  // namespace sw
