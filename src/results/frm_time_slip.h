// "Time Slip": one run of the history laid out like the slip from the
// tower, with its own remembered place on the screen and a Print button that
// prints an image of the window.
#pragma once

#include <QImage>
#include <QWidget>
#include <vector>

#include "printing/window_image.h"

class QPlainTextEdit;
class QPushButton;

namespace sw {

class frmTimeSlip : public QWidget {
  Q_OBJECT

 public:
  explicit frmTimeSlip(QWidget* parent = nullptr);

  static frmTimeSlip* Default();
  static frmTimeSlip* IfLoaded();
  // Closes the window (its position is kept).
  static void Unload();
  // Closes the slip if it is open and shows it again for SlipRun.
  static void ShowAgain();

  QPlainTextEdit* Text1;
  std::vector<QPushButton*> Command1;  // 0 "Close (back)", 1 "Print"
  WindowPicture Picture5;              // the window image that is printed

  // Places the window and fills the slip.
  void Form_Activate();
  void Command1_Click(int index);

 protected:
  void showEvent(QShowEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  void Form_Unload();
  bool activated_ = false;
  bool unloaded_ = false;
};

}  // namespace sw
