// The calculator window: any of the small calculators (final drive, weight
// distribution, frontal area, tire size, horsepower, traction, tire growth,
// vehicle weight, displacement, dew point and humidity), built from its
// layout file each time it opens. It recalculates after every accepted entry
// and pick, writes its result back into the spec it belongs to ("Use Calc
// Value"), prints itself, and closes when another window of the program
// comes to the front (its help window aside).
//
// Spec windows open it with OpenCalculator.
#pragma once

#include <QImage>
#include <QPointer>
#include <QWidget>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "files/calculator_layout.h"
#include "platform/qt/action_gate.h"
#include "printing/window_image.h"
#include "simulation/calculator_form.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace sw {

class DeactivateWatch;
class frmCalcData;

// What a calculator button does: KeepSpecForm = 1, CalcMenuNumber =
// `calcMenuNumber`, the calculator window unloaded if it is loaded, then
// loaded afresh and shown (not modal) beside `callingWindow`. The calling
// window stores its rows first where its own rules say so. Returns the
// window, or nullptr when the calculator's layout file could not be read
// (the racer was told which file).
//
// Calculator numbers: Body & Axle 24 (weight), 1 (final drive), 2 (weight
// distribution), 3 (frontal area); Wheels & Tires 4 (front diameter), 5
// (rear diameter), 7 (tread width), 8 (traction), 9 (growth); Engine 27
// (displacement), 6 (horsepower); Conditions 50 (dew point) or 51 (relative
// humidity); dial-in window 40..49.
frmCalcData* OpenCalculator(QWidget* callingWindow, int calcMenuNumber);

class frmCalcData : public QWidget, public EntryWindow {
  Q_OBJECT

 public:
  // Creating the window builds its widgets; Form_Load fills them.
  frmCalcData();
  ~frmCalcData() override;

  // Builds calculator shell.CalcMenuNumber from its layout file and the specs and
  // calculates once. False (after the message) when the layout file cannot
  // be used.
  bool Form_Load();

  const CalculatorForm& Form() const { return form_; }

  // Rows 1..10 (0 is the hidden template), outputs 0..2.
  std::array<QLabel*, kCalcRows> CalcSpec{};
  std::array<QLineEdit*, kCalcRows> CalcData{};
  std::array<QComboBox*, kCalcRows> Combo1{};
  std::array<QLabel*, kCalcOutputs> CalcOutName{};
  std::array<QLabel*, kCalcOutputs> CalcOutData{};
  QGroupBox* Frame3D1 = nullptr;
  QGroupBox* Frame3D2 = nullptr;
  QGroupBox* Frame3D3 = nullptr;  // the note
  QLabel* Label1 = nullptr;
  QPushButton* Command1 = nullptr;  // "Cancel"
  QPushButton* Command2 = nullptr;  // "Help"
  QPushButton* Command3 = nullptr;  // "Use Calc Value"
  QPushButton* Command4 = nullptr;  // "Print"
  // Shown only while the window is captured for printing.
  QLabel* PrintTitle = nullptr;
  QLabel* PrintFooter = nullptr;
  WindowPicture Picture5;  // the captured image that is printed

  void Command1_Click();
  void Command2_Click();
  void Command3_Click();
  void Command4_Click();
  // The gate tests the entries not yet left before any command of the
  // window, the picks as they are.
  void SettleEntries() override {
    GatherPicks();
    LeaveBoxes(0);
  }

  // Tests: runs with the window dressed for paper, just before its capture.
  static inline std::function<void(frmCalcData*)> onPrintCaptureForTest;

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  void BuildWidgets();
  void PlaceWidgets();
  // The window shows the calculator as the form holds it.
  void ShowForm();
  // The form takes the racer's picks (value boxes come in through their leaves).
  void GatherPicks();
  // Whether value box k shows a text its row does not hold: an entry not yet left.
  bool Edited(int k) const;
  // Leaves box `first` (0 for none), then every other edited box in row
  // order, each tested as a typed entry (refused: its "Warning" and its
  // text from before back, the focus in the first refused box, the gate
  // told). Nothing while a leave is under way.
  void LeaveBoxes(int first);
  // The window goes, its entries not yet left tested first.
  void LeaveBoxesAndUnload();
  void CalcData_LostFocus(int k);
  void Combo1_Click(int k);
  void HelpClosed();
  // Unloads the window and hands the front back to the spec window that
  // opened it.
  void Close();
  int Px(double twips) const;
  void FitScaleToCaptions();

  CalculatorForm form_;
  CalcGeometry geo_;
  double scale_ = 1;
  int noteExtra_ = 0;   // pixels the note needs beyond its designed height
  bool checking_ = false;
  DeactivateWatch* watch_ = nullptr;
  // The entries each list was last filled with: a list of some 100000 makes
  // is compared with the form's without reading its items back.
  std::array<std::vector<std::string>, kCalcRows> listed_;
};

}  // namespace sw
