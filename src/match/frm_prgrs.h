// "Calculation Progress": the progress window with Cancel that every
// calculation with a visible result shows while the run goes on. Short for a
// plain calculation, tall with an explanation for the searches.
#pragma once

#include <QDialog>
#include <vector>

class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;

namespace sw {

class frmPrgrs : public QDialog {
  Q_OBJECT
 public:
  explicit frmPrgrs(QWidget* parent = nullptr);

  // The full width of the progress bar, as the run writes it.
  static constexpr float kBarFullWidth = 3615.0f;
  // The two heights, in twips.
  static constexpr int kShortHeight = 1740;
  static constexpr int kTallHeight = 3965;

  void SetBarWidth(float twips);  // Shape1(1).Width
  float BarWidth() const { return barWidth_; }
  // Sizes the window by CalcStatus (what its activation does).
  void Form_Activate();

  QPushButton* Command1;  // "Cancel"
  QGroupBox* Frame3D1;    // "Match Vehicle Performance"
  QLabel* Label4;
  std::vector<QLabel*> Label1;  // 0 "Distance Traveled, feet", 1 "Pass #"
  std::vector<QLabel*> Label2;  // the two values
  QLabel* Label3;               // "Percent Complete"
  std::vector<QFrame*> Shape1;  // 0 the bar's outline, 1 the bar

  static const char* const kMatchText;
  static const char* const kFindBestText;

 protected:
  bool event(QEvent* e) override;
  void showEvent(QShowEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  void reject() override;

 private:
  void Command1_Click();
  float barWidth_ = 0;
};

}  // namespace sw
