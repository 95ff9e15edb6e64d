#include "platform/qt/grid.h"

#include <QFontDatabase>
#include <QHeaderView>
#include <QMouseEvent>
#include <algorithm>
#include <cmath>

#include "platform/qt/fixed_font.h"
#include "platform/qt/qt_ui.h"
#include "platform/qt/twips.h"

namespace sw {

Grid::Grid(QWidget* parent) : QTableWidget(parent) {
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setTabKeyNavigation(false);
  setWordWrap(false);
  setCornerButtonEnabled(false);

  QFont fixed = FixedPitchFont();
  setFont(fixed);
  QFont heading = fixed;
  heading.setBold(true);
  horizontalHeader()->setFont(heading);
  horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setSectionsClickable(true);
  horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  horizontalHeader()->setStretchLastSection(false);
  horizontalHeader()->viewport()->installEventFilter(this);
  verticalHeader()->setVisible(false);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(QFontMetrics(fixed).height() + 6);

  connect(this, &QTableWidget::cellClicked, this, [this](int r, int c) {
    MoveCurrent(r + 1, c);
    emit Click(row_, col_);
  });
  connect(horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int c) {
    MoveCurrent(0, c);
    emit Click(row_, col_);
  });
}

void Grid::SetRows(int rows) {
  setRowCount(std::max(rows, 1) - 1);
  if (row_ >= Rows()) MoveCurrent(Rows() - 1, col_);
}

void Grid::SetCols(int cols) {
  setColumnCount(std::max(cols, 0));
  if (col_ >= Cols()) MoveCurrent(row_, std::max(Cols() - 1, 0));
}

void Grid::SetRow(int row) { MoveCurrent(row, col_); }
void Grid::SetCol(int col) { MoveCurrent(row_, col); }

void Grid::MoveCurrent(int row, int col) {
  row_ = std::clamp(row, 0, Rows() - 1);
  col_ = std::clamp(col, 0, std::max(Cols() - 1, 0));
  QSignalBlocker block(this);
  if (row_ >= 1 && Cols() > 0) {
    setCurrentCell(row_ - 1, col_);
  } else {
    clearSelection();
    setCurrentIndex(QModelIndex());
  }
}

QTableWidgetItem* Grid::ItemAt(int row, int col, bool create) {
  if (row < 0 || row >= Rows() || col < 0 || col >= Cols()) return nullptr;
  QTableWidgetItem* it = row == 0 ? horizontalHeaderItem(col) : item(row - 1, col);
  if (!it && create) {
    it = new QTableWidgetItem;
    it->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    if (col < static_cast<int>(align_.size())) it->setTextAlignment(align_[col] | Qt::AlignVCenter);
    if (row == 0) setHorizontalHeaderItem(col, it);
    else setItem(row - 1, col, it);
  }
  return it;
}

std::string Grid::TextAt(int row, int col) const {
  auto* self = const_cast<Grid*>(this);
  QTableWidgetItem* it = self->ItemAt(row, col, false);
  return it ? FromQ(it->text()) : std::string();
}

void Grid::SetTextAt(int row, int col, const std::string& text) {
  if (QTableWidgetItem* it = ItemAt(row, col, true)) it->setText(ToQ(text));
}

void Grid::SetColAlignment(int col, Qt::Alignment alignment) {
  if (col < 0) return;
  if (col >= static_cast<int>(align_.size())) align_.resize(col + 1, Qt::AlignLeft);
  align_[col] = alignment;
  for (int r = 0; r < Rows(); ++r)
    if (QTableWidgetItem* it = ItemAt(r, col, false)) it->setTextAlignment(alignment | Qt::AlignVCenter);
}

void Grid::SetColWidthTwips(int col, int twips) {
  if (col < 0 || col >= Cols()) return;
  setColumnWidth(col, TwipsToPixels(twips, this));
}

int Grid::ColWidthTwips(int col) const {
  if (col < 0 || col >= Cols()) return 0;
  return static_cast<int>(std::lround(PixelsToTwips(columnWidth(col), this)));
}

void Grid::mouseReleaseEvent(QMouseEvent* event) {
  QTableWidget::mouseReleaseEvent(event);
  QModelIndex idx = indexAt(event->position().toPoint());
  if (!idx.isValid()) return;
  MoveCurrent(idx.row() + 1, idx.column());
  emit MouseUp(event->button(), row_, col_, event->globalPosition().toPoint());
}

bool Grid::eventFilter(QObject* watched, QEvent* event) {
  if (watched == horizontalHeader()->viewport() && event->type() == QEvent::MouseButtonRelease) {
    auto* me = static_cast<QMouseEvent*>(event);
    int c = horizontalHeader()->logicalIndexAt(me->position().toPoint());
    if (c >= 0) {
      MoveCurrent(0, c);
      emit MouseUp(me->button(), row_, col_, me->globalPosition().toPoint());
    }
  }
  return QTableWidget::eventFilter(watched, event);
}

}  // namespace sw
