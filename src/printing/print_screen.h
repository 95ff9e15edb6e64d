// The text-screen window: a caption and up to 17 lines from a file of the
// TEXT folder, with an "OK" button. The start-up shows the warning screen
// once; when that screen closes, a system that writes numbers with a decimal
// comma gets the "Critical Problem Encountered" window.
#pragma once

#include <QLabel>
#include <QPushButton>
#include <QWidget>
#include <functional>
#include <string>

namespace sw {

class DeactivateWatch;

class PrintScreen : public QWidget {
  Q_OBJECT
 public:
  // Creating the window is its load; use DefaultInstance<PrintScreen>.
  PrintScreen();
  ~PrintScreen() override;
  // Loads the screen shell.TextScreenId and shows it, not modal.
  static void ShowScreen();

  // 7 / 3 written with three decimals by the system's number settings.
  // Tests replace it.
  static std::function<std::string()>& SystemNumberText();

  QLabel* Label1 = nullptr;
  QPushButton* Command1 = nullptr;  // "OK"

 protected:
  void closeEvent(QCloseEvent* e) override;

 private:
  void Form_Load();
  DeactivateWatch* watch_ = nullptr;
};

}  // namespace sw
