// "Modifications Required to Match your Performance": the result screen of a
// Match search. The search fills the labels, shows it modal and reads
// KeepMatchSpecs; closing it any way but "Keep These New Specs" goes back.
#pragma once

#include <QDialog>
#include <vector>

#include "match/spec_search.h"

class QGroupBox;
class QLabel;
class QPushButton;

namespace sw {

class frmDisp : public QDialog {
  Q_OBJECT
 public:
  explicit frmDisp(QWidget* parent = nullptr);

  QGroupBox* Frame3D2;  // "Specs Which Have Been Changed"
  QGroupBox* Frame3D1;  // "Performance from New Specs"
  std::vector<QLabel*> Label1, Label2, Label3;  // rows 0..10: name, new, old
  std::vector<QLabel*> Label4;                  // 0..19
  QLabel* Label5;
  std::vector<QPushButton*> Command1;  // 0 "Return to Old Specs", 1 "Keep These New Specs"

  void Command1_Click(int index);
  // Puts a finished search's figures into the labels.
  void Fill(const MatchResultScreen& screen);

 protected:
  void closeEvent(QCloseEvent* e) override;
};

// The Match search's result screen: filled, shown modally, and the answer
// (KeepMatchSpecs) handed back.
int ShowMatchResultScreen(const MatchResultScreen& screen);

}  // namespace sw
