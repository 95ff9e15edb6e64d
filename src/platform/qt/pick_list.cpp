#include "platform/qt/pick_list.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QListView>
#include <QPointer>
#include <QProxyStyle>
#include <QScrollBar>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <algorithm>
#include <array>
#include <cmath>

#include "platform/qt/window_lifetime.h"

namespace sw {

namespace {

// Qt opens a list as a popup (the pick over the box, as many items as the
// screen holds) by measuring every item and asking each for its place, on
// every click: some 4 microseconds an item, seconds for a list of some
// 100000. A list longer than anyone reads through opens as a scrolling
// drop-down instead, which asks only for the items it shows.
constexpr int kLongList = 1000;

class LongListsDropDown : public QProxyStyle {
 public:
  using QProxyStyle::QProxyStyle;
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returnData) const override {
    if (auto* list = qobject_cast<const QComboBox*>(widget);
        hint == SH_ComboBox_Popup && list && list->count() > kLongList)
      return 0;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
  }
};

QStyle* PickListStyle() {
  static QPointer<QStyle> style;
  if (!style) {
    style = new LongListsDropDown(QApplication::style()->name());
    style->setParent(qApp);
  }
  return style;
}

}  // namespace

PickList::PickList(QWidget* parent) : QComboBox(parent) {
  connect(this, &QComboBox::currentTextChanged, this, [this] { TellWholePick(); });
  setStyle(PickListStyle());
  // Every item is a line of text in one font: the open list lays out a
  // list of any length by the size of one item instead of asking each.
  if (auto* list = qobject_cast<QListView*>(view())) list->setUniformItemSizes(true);
  WatchItems();
}

void PickList::setModel(QAbstractItemModel* model) {
  QComboBox::setModel(model);
  WatchItems();
}

void PickList::WatchItems() {
  for (const QMetaObject::Connection& c : itemWatch_) disconnect(c);
  widest_ = -1;
  QAbstractItemModel* items = model();
  auto forget = [this] { widest_ = -1; };
  itemWatch_ = {connect(items, &QAbstractItemModel::rowsInserted, this, &PickList::ItemsAdded),
                connect(items, &QAbstractItemModel::rowsRemoved, this, forget),
                connect(items, &QAbstractItemModel::dataChanged, this, forget),
                connect(items, &QAbstractItemModel::modelReset, this, forget),
                connect(items, &QAbstractItemModel::layoutChanged, this, forget)};
}

void PickList::ItemsAdded(const QModelIndex& parent, int first, int last) {
  if (parent != rootModelIndex()) return;
  // A list filled afresh is measured as it is filled, so that not even the
  // first click waits.
  if (count() == last - first + 1) {
    widest_ = 0;
    widestFont_ = view()->font();
  }
  if (widest_ >= 0 && view()->font() == widestFont_) Measure(first, last);
  else widest_ = -1;
}

int PickList::WidestItem() {
  if (widest_ < 0 || view()->font() != widestFont_) {
    widest_ = 0;
    widestFont_ = view()->font();
    Measure(0, count() - 1);
  }
  return widest_;
}

void PickList::Measure(int first, int last) {
  // Shaping each item takes some 2 microseconds, a good part of a second for
  // a list of some 200000 makes. An item of Latin-1 characters is as wide
  // as its characters' advances added up, within a pixel or so of kerning
  // that the open list's margin takes up; any other item is shaped.
  const QFontMetricsF metrics(view()->font());
  std::array<qreal, 256> advance;
  advance.fill(-1);
  for (int i = first; i <= last; ++i) {
    const QString item = itemText(i);
    qreal width = 0;
    for (const QChar c : item) {
      if (c.unicode() > 0xFF) {
        width = metrics.horizontalAdvance(item);
        break;
      }
      qreal& a = advance[c.unicode()];
      if (a < 0) a = metrics.horizontalAdvance(c);
      width += a;
    }
    widest_ = std::max(widest_, static_cast<int>(std::ceil(width)));
  }
}

int PickList::WidthFor(const QString& text) const {
  QStyleOptionComboBox opt;
  initStyleOption(&opt);
  opt.rect = QRect(0, 0, 1000, std::max(height(), sizeHint().height()));
  const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, this);
  // The label is drawn a pixel inside the field on each side.
  return fontMetrics().horizontalAdvance(text) + (opt.rect.width() - field.width()) + 4;
}

void PickList::KeepWidthOfItems(int count, int minimum) {
  int width = minimum;
  for (int i = 0; i < std::min(count, this->count()); ++i) width = std::max(width, WidthFor(itemText(i)));
  setFixedWidth(width);
}

void PickList::showPopup() {
  // Greyed, or under a box, the list cannot be opened by the racer's mouse or
  // keys; a screen reader's press opens nothing there either.
  if (!isEnabled() || ModalOver(window())) return;
  // The open list as wide as its longest item (and a scroll bar when it has
  // one), never narrower than the box.
  int width = WidestItem() + 2 * view()->frameWidth() + 24;
  if (count() > maxVisibleItems()) width += view()->verticalScrollBar()->sizeHint().width();
  view()->setMinimumWidth(std::max(width, this->width()));
  QComboBox::showPopup();
}

void PickList::paintEvent(QPaintEvent* e) {
  if (isEditable()) {
    QComboBox::paintEvent(e);
    return;
  }
  // QComboBox's own painting, with the pick shortened to the field.
  QStylePainter painter(this);
  painter.setPen(palette().color(QPalette::Text));
  QStyleOptionComboBox opt;
  initStyleOption(&opt);
  painter.drawComplexControl(QStyle::CC_ComboBox, opt);
  const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, this);
  opt.currentText = fontMetrics().elidedText(opt.currentText, Qt::ElideRight, std::max(0, field.width() - 2));
  painter.drawControl(QStyle::CE_ComboBoxLabel, opt);
}

void PickList::resizeEvent(QResizeEvent* e) {
  QComboBox::resizeEvent(e);
  TellWholePick();
}

void PickList::SetDescription(const QString& description) {
  description_ = description;
  toldPick_ = QString();
  setAccessibleDescription(description);
  TellWholePick();
}

void PickList::TellWholePick() {
  const QString pick = currentText();
  const QString told = !isEditable() && !pick.isEmpty() && WidthFor(pick) > width() ? pick : QString();
  if (told == toldPick_) return;
  // A tooltip given by the window itself stays.
  if (toolTip() == toldPick_) setToolTip(told);
  setAccessibleDescription(told.isEmpty() ? description_ : description_.isEmpty() ? told : told + "\n" + description_);
  toldPick_ = told;
}

}  // namespace sw
