// "Form1" as designed, captioned by its opener: a small modal list from which
// the racer picks one of a few example categories (front or rear tires;
// clutches, converters or transmissions) before the example list opens.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <string>
#include <vector>

namespace sw {

class frmChos2 : public QDialog {
  Q_OBJECT
 public:
  frmChos2();

  QListWidget* Chos2 = nullptr;
  QPushButton* Command1[2] = {};  // "Use Catagory", "Cancel"
  QLabel* Label1 = nullptr;       // the tip

  // Shows the chooser modally with the caption and lines given; the answer
  // is in shell.ChooserResult (the line's position, -1 when cancelled).
  static int Choose(const std::string& caption, const std::vector<std::string>& lines);

 protected:
  bool event(QEvent* e) override;
  bool eventFilter(QObject* o, QEvent* e) override;
  void reject() override;  // Escape and the close button are Cancel

 private:
  void UseHighlighted();
};

}  // namespace sw
