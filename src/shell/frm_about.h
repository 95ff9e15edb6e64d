// "About Stagewell": product, version and build, the maker's contact lines.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace sw {

class frmAbout : public QDialog {
  Q_OBJECT
 public:
  explicit frmAbout(QWidget* parent = nullptr);

  QLabel* Label2;           // "Stagewell v3.2  A.014"
  QPushButton* Command1;    // "Website"
  QPushButton* Command3D1;  // "Print"
  QPushButton* cmdOK;       // "OK"
  QLabel* Image1;
  QLabel* Label9;

  void cmdOK_Click();
  void Form_Click();
  void Command1_Click();
  void Command3D1_Click();  // prints the window's image

 protected:
  void mousePressEvent(QMouseEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
};

}  // namespace sw
