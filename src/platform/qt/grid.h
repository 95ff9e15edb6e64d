// The results and history grids: a read-only table whose row 0 is the
// heading row, so row and column numbers are the ones the program's tables
// use (row 1 is the first data row). The heading row stays in view while the
// rows below it scroll.
//
// The grid keeps a current row and column, which the program sets and reads
// to walk the cells one by one (row 0 included); a click moves them to the
// clicked cell. Texts are shown in a fixed-pitch font so columns of figures
// line up.
#pragma once

#include <QPoint>
#include <QTableWidget>
#include <string>
#include <vector>

namespace sw {

class Grid : public QTableWidget {
  Q_OBJECT

 public:
  explicit Grid(QWidget* parent = nullptr);

  // Number of rows counting the heading row, and of columns.
  void SetRows(int rows);
  int Rows() const { return rowCount() + 1; }
  void SetCols(int cols);
  int Cols() const { return columnCount(); }

  // The current cell. Values outside the grid are clamped into it.
  void SetRow(int row);
  int Row() const { return row_; }
  void SetCol(int col);
  int Col() const { return col_; }

  // Text of the current cell, and of any cell.
  std::string Text() const { return TextAt(row_, col_); }
  void SetText(const std::string& text) { SetTextAt(row_, col_, text); }
  std::string TextAt(int row, int col) const;
  void SetTextAt(int row, int col, const std::string& text);

  // Alignment of a column's cells, heading included (left by default).
  void SetColAlignment(int col, Qt::Alignment alignment);

  // Column widths in twips (1/1440 inch), converted with the screen's dpi.
  void SetColWidthTwips(int col, int twips);
  int ColWidthTwips(int col) const;

  // Pixels for a length in twips on this widget's screen.

 signals:
  // A left click on a cell (row 0 for the heading row), after the current
  // cell moved there.
  void Click(int row, int col);
  // Any mouse button released over a cell or the heading row, after the
  // current cell moved there.
  void MouseUp(Qt::MouseButton button, int row, int col, QPoint globalPos);

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QTableWidgetItem* ItemAt(int row, int col, bool create);
  void MoveCurrent(int row, int col);

  int row_ = 0;
  int col_ = 0;
  std::vector<Qt::Alignment> align_;
};

}  // namespace sw
