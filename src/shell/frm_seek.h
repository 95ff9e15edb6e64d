// "File Seek": searches a folder tree (a "drive") for an outside program's
// file when the program is not where it is expected. Callers put the name
// in shell.SeekExeName and call frmSeek::SeekModal; the full path chosen
// comes back in shell.SeekExeName ("" when nothing was chosen).
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <memory>
#include <string>
#include <vector>

namespace sw {

class FileSeek;

class frmSeek : public QDialog {
  Q_OBJECT
 public:
  // Creating the window is its load; use DefaultInstance<frmSeek>.
  frmSeek();
  ~frmSeek() override;

  // Loads the window, shows it modal and unloads it.
  static void SeekModal();

  // Where a search may start: the home folder (the default), the root and
  // the other mounted disks.
  static std::vector<std::string> SeekDrives();

  QLabel* Label1 = nullptr;  // "<n> Occurances Found of <name>"
  QLabel* Label2 = nullptr;  // what to do
  QLabel* Label3 = nullptr;  // how to choose among several
  QLabel* Label4 = nullptr;  // "Folders Searched:"
  QLabel* Label5 = nullptr;  // the folder count
  QComboBox* Drive1 = nullptr;
  QListWidget* List1 = nullptr;
  QGroupBox* Frame3D1 = nullptr;  // "Options for File(s) Found"
  std::vector<QPushButton*> Command1;  // Search, Cancel/Halt, Use

  void Command1_Click(int index);
  // -1 while a search runs.
  int16_t Searching() const;

 public slots:
  void reject() override;

 private:
  void Search();
  void CancelHalt();
  void Use();
  void ShowUseButton();
  std::unique_ptr<FileSeek> seek_;
  bool walking_ = false;
  bool closeAsked_ = false;
};

}  // namespace sw
