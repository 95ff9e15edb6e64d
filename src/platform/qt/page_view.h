// A read-only page of text of any length that shows at once. The text is
// kept as one string; only the lines in sight are laid out, a paragraph at
// a time, and a long paragraph in pieces, so that the first screen and the
// last come as fast for a page of megabytes as for one of a few lines. The
// page scrolls by wheel and scroll bar, and follows a caret moved by keys
// (Up, Down, PgUp, PgDown, Home, End, Ctrl+Home, Ctrl+End, Shift selecting);
// its text is selected with the mouse or Ctrl+A and copied with Ctrl+C; a
// screen reader reads it from the caret, range by range through the text
// interface, never the whole page at once.
//
// The scroll bar counts characters: its value is the first character of
// the top line, its maximum that of the top line of the last screen.
#pragma once

#include <QAbstractScrollArea>
#include <QString>
#include <algorithm>
#include <memory>
#include <unordered_map>

class QTextLayout;

namespace sw {

class PageView : public QAbstractScrollArea {
  Q_OBJECT
 public:
  explicit PageView(QWidget* parent = nullptr);
  ~PageView() override;

  void setPlainText(const QString& text);
  const QString& toPlainText() const { return text_; }

  // The height the page needs, `width` wide, to show `text` whole without a
  // scroll bar. Lines are laid out only until the height passes `most`.
  int HeightFor(const QString& text, int width, int most) const;

  // The selection runs from the anchor to the cursor (the caret), either
  // way round; Select does not scroll.
  void selectAll();
  void Select(int anchor, int cursor);
  int SelectionStart() const { return std::min(anchor_, cursor_); }
  int SelectionEnd() const { return std::max(anchor_, cursor_); }
  int Cursor() const { return cursor_; }
  QString SelectedText() const;
  void copy() const;

  // The first character of the top line shown. ShowPosition scrolls a
  // position out of sight into it: its line becomes the top one when it
  // was above, the last one shown whole when it was below.
  int TopPosition() const { return top_; }
  void ShowPosition(int position);

  // The line holding `position`, as [start, end) without its line break.
  std::pair<int, int> LineAt(int position) const;
  // The rectangle of the character at `position` in the viewport; empty
  // when it is out of sight.
  QRect CharacterRect(int position) const;
  // The position nearest `point` of the viewport (or the character under
  // it), -1 outside the viewport.
  int PositionAt(const QPoint& point, bool onCharacter = false) const;

 protected:
  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void showEvent(QShowEvent* e) override;
  void changeEvent(QEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void contextMenuEvent(QContextMenuEvent* e) override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  // A line: the start of the paragraph or piece laid out, and its line.
  struct Loc {
    int piece = 0;
    int line = 0;
  };
  friend class PageViewAccessible;
  struct Laid;
  // The lines of a paragraph, or a piece of a long one, laid out at the
  // viewport's width; what it returns stays valid until KeepFewLayouts.
  const Laid& Lay(int piece) const;
  void KeepFewLayouts() const;
  Loc LocOf(int position) const;
  int PositionOf(Loc l) const;
  qreal HeightOf(Loc l) const;
  bool Next(Loc& l) const;
  bool Previous(Loc& l) const;
  // The top line of the screen whose last whole line is `last`.
  Loc TopOfScreenEndingWith(Loc last) const;
  // Calls `f(loc, top)` for each line in sight, top down, until it says no.
  template <class F>
  void ForLinesInSight(F f) const;

  void Refresh();  // after a new text or size: the scroll range and a paint
  void ScrollTo(int position);
  void ScrollLines(int lines);
  int PageDown() const;
  int PageUp() const;
  void SetSelection(int anchor, int cursor);
  // The caret moved by a key: the selection kept from its anchor when
  // `extend`, the page scrolled to show it; `keepX` for a move up or down,
  // which keeps to the column it started in.
  void MoveCaret(int position, bool extend, bool keepX = false);
  int LineMove(int lines) const;
  qreal CaretX() const;
  int LineEnd(int position) const;
  void MovePage(int direction, bool extend);

  QString text_;
  int top_ = 0;
  int lastTop_ = 0;
  int anchor_ = 0, cursor_ = 0;
  bool selecting_ = false;
  qreal goalX_ = -1;  // the column Up and Down keep to, -1 for none
  int wheelRest_ = 0;  // wheel turns of less than a line, kept
  mutable int laidWidth_ = -1;
  mutable std::unordered_map<int, std::unique_ptr<Laid>> laid_;
};

}  // namespace sw
