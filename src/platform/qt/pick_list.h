// A pick list as the program shows it. Its open list is as wide as its
// longest item, however narrow the closed box; a list of over 1000 items
// opens as a scrolling drop-down at once. Where the closed box is too
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
  void setModel(QAbstractItemModel* model) override;

 protected:
  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;

 private:
  void TellWholePick();
  // The open list's width comes from its longest item. Measuring every item
  // on every click takes seconds for a list of some 100000 items, so the
  // width is kept: grown as items are added, found again only after items
  // were changed or removed or the list's font changed.
  void WatchItems();
  void ItemsAdded(const QModelIndex& parent, int first, int last);
  int WidestItem();
  void Measure(int first, int last);  // widest_ grown by these items
  QList<QMetaObject::Connection> itemWatch_;
  int widest_ = -1;  // -1: to be measured
  QFont widestFont_;  // the open list's font that widest_ was measured in
  QString toldPick_;  // the whole pick this list told in its tooltip and description
  QString description_;
};

}  // namespace sw
