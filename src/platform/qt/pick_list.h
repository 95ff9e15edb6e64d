// A pick list as the program shows it. Its open list is as wide as its
// longest item, however narrow the closed box. Where the closed box is too
// narrow for the pick, it shows the pick shortened with "..." and gives the
// whole pick as its tooltip and accessible description.
#pragma once

#include <QComboBox>

namespace sw {

class PickList : public QComboBox {
  Q_OBJECT
 public:
  explicit PickList(QWidget* parent = nullptr);

  // The width the closed box needs to show `text` whole.
  int WidthFor(const QString& text) const;
  // The closed box keeps the width that the first `count` items need (at
  // least `minimum`), whatever items come after them.
  void KeepWidthOfItems(int count, int minimum);
  // The list's own accessible description; a shortened pick is told on a
  // line above it.
  void SetDescription(const QString& description);

  void showPopup() override;

 protected:
  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;

 private:
  void TellWholePick();
  QString toldPick_;  // the whole pick this list told in its tooltip and description
  QString description_;
};

}  // namespace sw
