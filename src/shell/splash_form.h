// The splash window shown while the main window loads (start modes 0 and 1).
// It closes itself three seconds after it was loaded, ending the hourglass.
#pragma once

#include <QWidget>

class QLabel;
class QTimer;

namespace sw {

class SplashForm : public QWidget {
  Q_OBJECT
 public:
  explicit SplashForm(QWidget* parent = nullptr);

  QLabel* Label1;    // "Stagewell v3.2"
  QLabel* Label2;    // "Korvath Inc."
  QLabel* imgSplash;
  QTimer* Timer1;

  void Timer1_Timer();
  void Form_Unload();

 protected:
  void closeEvent(QCloseEvent* e) override;

 private:
  bool unloaded_ = false;
};

}  // namespace sw
