#include "platform/qt/pick_list.h"

#include <QAbstractItemView>
#include <QScrollBar>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <algorithm>

namespace sw {

PickList::PickList(QWidget* parent) : QComboBox(parent) {
  connect(this, &QComboBox::currentTextChanged, this, [this] { TellWholePick(); });
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
  // The open list as wide as its longest item (and a scroll bar when it has
  // one), never narrower than the box.
  int widest = 0;
  for (int i = 0; i < count(); ++i) widest = std::max(widest, view()->fontMetrics().horizontalAdvance(itemText(i)));
  int width = widest + 2 * view()->frameWidth() + 24;
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
