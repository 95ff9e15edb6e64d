// "Open a Vehicle File": the chooser of the library folders. It lists the
// files of the folder the current kind of specs uses (vehicles, example
// vehicles, dial-in or throttle-stop files), narrows the list by a phrase or
// a make, lists it by name or by date, previews a file on a single click,
// opens it (asking first to save unsaved changes), and deletes files. The
// main window stays disabled while it is open.
#pragma once

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>
#include <string>
#include <vector>

namespace sw {

class DeactivateWatch;

class Rtrvfile : public QWidget {
  Q_OBJECT
 public:
  // Creating the window is its load; use DefaultInstance<Rtrvfile>.
  Rtrvfile();
  ~Rtrvfile() override;

  // Loads the window, shows it and disables the main window.
  static void ShowRetrieveForm();
  // Closes the window (if loaded) and enables the main window again.
  static void CloseRetrieveForm();

  QComboBox* Combo1 = nullptr;          // phrase or category
  QListWidget* File1 = nullptr;         // the folder's files
  QListWidget* List2 = nullptr;         // the filtered or date-ordered list, shown over File1
  std::vector<QRadioButton*> Option1;   // 0 "List Alphabetically (typical listing)", 1 "List by Date Last Changed"
  QPlainTextEdit* Text1 = nullptr;      // comments of the previewed file
  QLabel* Label1 = nullptr;             // preview
  QLabel* Label3 = nullptr;             // preview, second column (vehicles)
  QLabel* Panel3D1 = nullptr;           // tip
  QGroupBox* Panel3D2 = nullptr;        // chosen file
  QLabel* Panel3D3 = nullptr;           // file count
  QPushButton* Command1 = nullptr;      // "Open"
  QPushButton* Command2 = nullptr;      // "Delete"
  QPushButton* Command3 = nullptr;      // "Help"
  QPushButton* Command4 = nullptr;      // "Cancel"

  // The kind word and folder of the last activation.
  const std::string& Kind() const { return kind_; }
  const std::string& Folder() const { return folder_; }

  // Event handlers.
  void Form_Activate();
  void FillList();
  void File1_Click(const std::string& name);
  void List2_Click(int row);
  void File1_DblClick(const std::string& name);
  void Command1_Click();  // Open
  void Command2_Click();  // Delete
  // The save-as window that Open asked for was cancelled: the window takes
  // the front again, its list and chosen file as they were.
  void ComeBackAfterTheSaveWindow();

 protected:
  bool event(QEvent* e) override;
  bool eventFilter(QObject* o, QEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  void ClearPreview();
  // The file name a row of File1 or List2 stands for.
  std::string NameOfRow(const QListWidget* list, const QListWidgetItem* it) const;
  // A row chosen by a click or by the keys: its preview.
  void ListRowChosen(QListWidget* list, QListWidgetItem* it);
  std::string kind_;
  std::string folder_;
  std::string previewed_;  // the row last chosen in the list shown
  bool byDate_ = false;
  bool filling_ = false;
  bool refillOnActivate_ = true;
  DeactivateWatch* watch_ = nullptr;
};

// The new-vehicle command: asks to save unsaved changes first (Yes saves
// through the save-as window, which starts the new vehicle when it closes).
void NewVehicle();
// A new vehicle from the current specs, under no name.
void ResetNewVehicle();

}  // namespace sw
