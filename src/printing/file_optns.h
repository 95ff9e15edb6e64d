// "Save as ASCII File": writes the run table of the last run into a text
// file in the program folder, with the three options kept between showings
// (and, through the configuration file, between runs of the program).
#pragma once

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>
#include <array>

namespace sw {

class FileOptns : public QWidget {
  Q_OBJECT
 public:
  // Creating the window is its load; use DefaultInstance<FileOptns>.
  FileOptns();

  // Loads the window and shows it, not modal.
  static void ShowWindow();

  QLabel* Panel3D1 = nullptr;     // "File Name"
  QLineEdit* Text1 = nullptr;     // the name, no path
  QGroupBox* Frame3D1 = nullptr;  // "ASCII File Options"
  // 0 "Comma Separated", 1 "Include Text", 2 "Convert to Columns"
  std::array<QCheckBox*, 3> Check3D1{};
  // 0 "Save File", 1 "Cancel"
  std::array<QPushButton*, 2> Command1{};
  QGroupBox* Tip = nullptr;  // " Tip "
  QLabel* Label1 = nullptr;

  void Command1_Click(int index);
  void Form_Activate();
  void StoreAsciiOptions();
  void WriteAsciiFile();

 protected:
  void changeEvent(QEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  bool closed_ = false;
};

}  // namespace sw
