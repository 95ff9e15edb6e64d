// "Examples": the examples of one library as fixed-pitch lines under their
// column heading. The racer picks one to compare and load, deletes one of
// his own, or prints the list. A spec window's "Get Example" opens it after
// naming the library in the shell's example state.
#pragma once

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QWidget>
#include <array>

#include "files/example_library.h"

namespace sw {

class DeactivateWatch;

// The library and mode the spec window asked for.
ExampleRequest ExampleRequestFromShell();
// The preset lists as the spec windows read them.
PresetReader ExamplePresetLists();

class frmExample : public QWidget {
  Q_OBJECT
 public:
  // Creating the window is its load; use DefaultInstance<frmExample>.
  frmExample();
  ~frmExample() override;

  // "Get Example": a fresh list window for the library in the shell's state.
  static void ShowList();

  QListWidget* lstExample = nullptr;
  QLabel* Label1 = nullptr;                 // the heading line
  std::array<QLabel*, 2> Label2{};          // 0 the converter note (cleared), 1 the tip
  QLabel* Label3 = nullptr;                 // printed above the heading
  std::array<QPushButton*, 4> Command1{};   // "Cancel", "Pick", "Delete", "Print"

  void Choose();       // double click or "Pick"
  void DeleteChosen(); // "Delete" or the Delete key
  void PrintList();    // "Print"

 protected:
  void closeEvent(QCloseEvent* e) override;
  bool event(QEvent* e) override;
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  void ReadList();
  void EnablePickAndDelete(bool on);
  ExampleRequest request_;
  DeactivateWatch* watch_ = nullptr;
};

}  // namespace sw
