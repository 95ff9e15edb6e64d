// "Compare Current Specs to Chosen Specs": one row per field of the library,
// the spec's caption, its current value and the chosen example's value. In
// choose mode "Load In These Example Specs" writes the example into the
// specs; in save mode the racer names the current specs and saves them as a
// new example.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include "files/example_library.h"

namespace sw {

class frmCmprExmpl : public QWidget {
  Q_OBJECT
 public:
  // Creating the window is its load; frmCmprExmpl::Open loads it for a library.
  frmCmprExmpl();
  ~frmCmprExmpl() override;

  // A fresh window for the library and mode of `request`, shown.
  static void Open(const ExampleRequest& request);

  QLineEdit* Text1 = nullptr;       // the new example's name (save mode)
  QPushButton* Command3 = nullptr;  // "Back" / "Save"
  QPushButton* Command1 = nullptr;  // "Load In These Example Specs"
  QPushButton* Command2 = nullptr;  // "Cancel"
  QLabel* Label2 = nullptr;         // "Example Name"
  QLabel* Label1 = nullptr;         // the comparison table

  void LoadInExampleSpecs();  // "Load In These Example Specs"
  void Command3_Click();      // "Back" or "Save"

 protected:
  void closeEvent(QCloseEvent* e) override;

 private:
  // After a load or a save: the Type row shows the example, the spec window
  // shows the values, and the window (when it is still loaded) closes.
  static void AfterTagging(const ExampleRequest& request, int menu, frmCmprExmpl* window);
  ExampleRequest request_;
  static inline ExampleRequest pending_;
};

}  // namespace sw
