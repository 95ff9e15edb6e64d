#include "platform/qt/page_view.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QTextBoundaryFinder>
#include <QTextLayout>
#include <algorithm>
#include <cmath>

namespace sw {

namespace {

// A paragraph longer than this is laid out in pieces of about this length,
// each cut after a blank where there is one near: its first screen and its
// last are then laid out in the time of a short paragraph, at the price of
// a line ending early at each cut.
constexpr int kPiece = 8192;
constexpr int kBlankSearch = 256;
// Heights are added up in different orders going down and going up.
constexpr qreal kSlack = 0.01;

// The k-th cut (k >= 1) of the long paragraph starting at `start`.
int Cut(const QString& text, int start, int k) {
  const int nominal = start + k * kPiece;
  for (int i = nominal; i > nominal - kBlankSearch; --i)
    if (text[i - 1] == QLatin1Char(' ')) return i;
  return nominal;
}

// The paragraph or piece holding `position` as [start, end): a position on
// a line break belongs to the paragraph it ends.
std::pair<int, int> PieceAt(const QString& text, int position) {
  const int start = position == 0 ? 0 : int(text.lastIndexOf(QLatin1Char('\n'), position - 1)) + 1;
  int end = int(text.indexOf(QLatin1Char('\n'), position));
  if (end < 0) end = int(text.size());
  if (end - start <= kPiece) return {start, end};
  const auto cut = [&](int k) { return k == 0 ? start : start + k * kPiece >= end ? end : Cut(text, start, k); };
  int k = (position - start) / kPiece;
  if (position < cut(k)) --k;
  else if (position >= cut(k + 1) && cut(k + 1) < end) ++k;
  return {cut(k), cut(k + 1)};
}

// The piece after the one ending at `end`, or -1 after the last.
int NextPiece(const QString& text, int end) {
  if (end >= text.size()) return -1;
  return text[end] == QLatin1Char('\n') ? end + 1 : end;
}

std::unique_ptr<QTextLayout> LayOut(const QString& text, std::pair<int, int> piece, const QFont& font,
                                    QPaintDevice* device, int width, qreal& height) {
  auto layout = std::make_unique<QTextLayout>(text.mid(piece.first, piece.second - piece.first), font, device);
  QTextOption option;
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  layout->setTextOption(option);
  layout->setCacheEnabled(true);
  height = 0;
  layout->beginLayout();
  for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
    line.setLeadingIncluded(true);
    line.setLineWidth(width);
    line.setPosition(QPointF(0, height));
    height += line.height();
  }
  layout->endLayout();
  return layout;
}

}  // namespace

// The page as a screen reader sees it: a read-only text whose characters,
// words, lines and paragraphs are handed out one at a time, each found
// around its offset, never by copying or laying out the whole page.
class PageViewAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
 public:
  explicit PageViewAccessible(PageView* view) : QAccessibleWidget(view, QAccessible::EditableText) {}

  void* interface_cast(QAccessible::InterfaceType t) override {
    if (t == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
  }
  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    s.readOnly = s.multiLine = s.selectableText = true;
    return s;
  }
  QString text(QAccessible::Text t) const override {
    // The page's string is shared, not copied.
    return t == QAccessible::Value ? View()->toPlainText() : QAccessibleWidget::text(t);
  }

  void selection(int index, int* start, int* end) const override {
    *start = *end = 0;
    if (index != 0 || selectionCount() == 0) return;
    *start = View()->SelectionStart();
    *end = View()->SelectionEnd();
  }
  int selectionCount() const override { return View()->SelectionStart() < View()->SelectionEnd() ? 1 : 0; }
  void addSelection(int start, int end) override { View()->Select(start, end); }
  void removeSelection(int index) override {
    if (index == 0) View()->Select(View()->Cursor(), View()->Cursor());
  }
  void setSelection(int index, int start, int end) override {
    if (index == 0) View()->Select(start, end);
  }
  int cursorPosition() const override { return View()->Cursor(); }
  void setCursorPosition(int position) override {
    View()->KeepFewLayouts();
    View()->Select(position, position);
    View()->ShowPosition(position);
  }
  QString text(int start, int end) const override { return View()->toPlainText().mid(start, end - start); }
  int characterCount() const override { return int(View()->toPlainText().size()); }
  QRect characterRect(int offset) const override {
    View()->KeepFewLayouts();
    const QRect r = View()->CharacterRect(offset);
    return r.isValid() ? QRect(View()->viewport()->mapToGlobal(r.topLeft()), r.size()) : QRect();
  }
  int offsetAtPoint(const QPoint& point) const override {
    View()->KeepFewLayouts();
    return View()->PositionAt(View()->viewport()->mapFromGlobal(point), true);
  }
  void scrollToSubstring(int start, int) override {
    View()->KeepFewLayouts();
    View()->ShowPosition(start);
  }
  QString attributes(int, int* start, int* end) const override {
    *start = 0;
    *end = characterCount();
    return {};
  }

  QString textAtOffset(int offset, QAccessible::TextBoundaryType type, int* start, int* end) const override {
    return Give(Unit(offset, type), start, end);
  }
  QString textBeforeOffset(int offset, QAccessible::TextBoundaryType type, int* start, int* end) const override {
    const int at = Unit(offset, type).first;
    return Give(at > 0 ? Unit(at - 1, type) : std::pair{-1, -1}, start, end);
  }
  QString textAfterOffset(int offset, QAccessible::TextBoundaryType type, int* start, int* end) const override {
    const int after = Unit(offset, type).second;
    return Give(after < characterCount() ? Unit(after, type) : std::pair{-1, -1}, start, end);
  }

 private:
  PageView* View() const { return static_cast<PageView*>(widget()); }

  QString Give(std::pair<int, int> range, int* start, int* end) const {
    *start = range.first;
    *end = range.second;
    return range.first < 0 ? QString() : text(range.first, range.second);
  }

  // The unit of `type` holding `offset`, as [start, end); a line and a
  // paragraph with their line break.
  std::pair<int, int> Unit(int offset, QAccessible::TextBoundaryType type) const {
    View()->KeepFewLayouts();
    const QString& page = View()->toPlainText();
    const int size = int(page.size());
    offset = std::clamp(offset, 0, size);
    const auto withBreak = [&](int end) { return end < size && page[end] == QLatin1Char('\n') ? end + 1 : end; };
    switch (type) {
      case QAccessible::CharBoundary: return {offset, std::min(offset + 1, size)};
      case QAccessible::LineBoundary: {
        const auto [start, end] = View()->LineAt(offset);
        return {start, withBreak(end)};
      }
      case QAccessible::ParagraphBoundary: {
        const int start = offset == 0 ? 0 : int(page.lastIndexOf(QLatin1Char('\n'), offset - 1)) + 1;
        const int end = int(page.indexOf(QLatin1Char('\n'), offset));
        return {start, withBreak(end < 0 ? size : end)};
      }
      case QAccessible::WordBoundary:
      case QAccessible::SentenceBoundary: {
        // Words and sentences are found within the paragraph, or the piece
        // of a long one, that holds the offset.
        const auto [from, to] = PieceAt(page, offset);
        const QString piece = page.mid(from, to - from);
        QTextBoundaryFinder finder(
            type == QAccessible::WordBoundary ? QTextBoundaryFinder::Word : QTextBoundaryFinder::Sentence, piece);
        finder.setPosition(offset - from);
        if (!finder.isAtBoundary()) finder.toPreviousBoundary();
        const int start = int(finder.position());
        const int end = int(finder.toNextBoundary());
        return {from + start, end < 0 ? to : from + end};
      }
      case QAccessible::NoBoundary: return {0, size};
    }
    return {offset, offset};
  }
};

namespace {

QAccessibleInterface* PageViewInterface(const QString& className, QObject* object) {
  if (className == QLatin1String("sw::PageView") && object && object->isWidgetType())
    return new PageViewAccessible(static_cast<PageView*>(object));
  return nullptr;
}

}  // namespace

struct PageView::Laid {
  int start = 0, end = 0;
  std::unique_ptr<QTextLayout> layout;
  qreal height = 0;
};

PageView::PageView(QWidget* parent) : QAbstractScrollArea(parent) {
  static const bool told = (QAccessible::installFactory(PageViewInterface), true);
  Q_UNUSED(told);
  setFocusPolicy(Qt::StrongFocus);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  viewport()->setCursor(Qt::IBeamCursor);
  // The scroll bar's arrows and page clicks move by laid-out lines, not by
  // a number of characters.
  connect(verticalScrollBar(), &QAbstractSlider::actionTriggered, this, [this](int action) {
    QScrollBar* bar = verticalScrollBar();
    switch (action) {
      case QAbstractSlider::SliderSingleStepAdd:
      case QAbstractSlider::SliderSingleStepSub: {
        Loc l = LocOf(top_);
        action == QAbstractSlider::SliderSingleStepAdd ? Next(l) : Previous(l);
        bar->setSliderPosition(PositionOf(l));
        break;
      }
      case QAbstractSlider::SliderPageStepAdd: bar->setSliderPosition(PageDown()); break;
      case QAbstractSlider::SliderPageStepSub: bar->setSliderPosition(PageUp()); break;
      default: break;
    }
  });
}

PageView::~PageView() = default;

void PageView::setPlainText(const QString& text) {
  const QString before = text_;
  text_ = text;
  laid_.clear();
  top_ = anchor_ = cursor_ = 0;
  verticalScrollBar()->setValue(0);
  Refresh();
  // A page shown before the window is: a screen reader meets it with the
  // window. A page changed in sight is told as one change; the strings are
  // shared, not copied.
  if (isVisible() && QAccessible::isActive()) {
    QAccessibleTextUpdateEvent changed(this, 0, before, text_);
    QAccessible::updateAccessibility(&changed);
  }
}

int PageView::HeightFor(const QString& text, int width, int most) const {
  qreal height = 0;
  for (int piece = 0; piece >= 0 && height <= most;) {
    const auto [start, end] = PieceAt(text, piece);
    qreal h = 0;
    LayOut(text, {start, end}, font(), viewport(), width, h);
    height += h;
    piece = NextPiece(text, end);
  }
  return static_cast<int>(std::ceil(height - kSlack));
}

const PageView::Laid& PageView::Lay(int piece) const {
  const int width = viewport()->width();
  if (width != laidWidth_) {
    laid_.clear();
    laidWidth_ = width;
  }
  auto found = laid_.find(piece);
  if (found != laid_.end()) return *found->second;
  auto laid = std::make_unique<Laid>();
  std::tie(laid->start, laid->end) = PieceAt(text_, piece);
  laid->layout = LayOut(text_, {laid->start, laid->end}, font(), viewport(), width, laid->height);
  return *laid_.emplace(piece, std::move(laid)).first->second;
}

void PageView::KeepFewLayouts() const {
  // A few screens' worth is kept; a jump far away starts afresh. Only here,
  // where a key, the mouse, a paint or a screen reader comes in, never
  // while lines laid out are in use.
  if (laid_.size() > 64) laid_.clear();
}

PageView::Loc PageView::LocOf(int position) const {
  position = std::clamp(position, 0, int(text_.size()));
  const Laid& p = Lay(PieceAt(text_, position).first);
  const int lines = p.layout->lineCount();
  int line = lines - 1;
  for (int i = 0; i + 1 < lines; ++i)
    if (p.start + p.layout->lineAt(i + 1).textStart() > position) {
      line = i;
      break;
    }
  return {p.start, line};
}

int PageView::PositionOf(Loc l) const { return l.piece + Lay(l.piece).layout->lineAt(l.line).textStart(); }

qreal PageView::HeightOf(Loc l) const { return Lay(l.piece).layout->lineAt(l.line).height(); }

bool PageView::Next(Loc& l) const {
  const Laid& p = Lay(l.piece);
  if (l.line + 1 < p.layout->lineCount()) {
    ++l.line;
    return true;
  }
  const int next = NextPiece(text_, p.end);
  if (next < 0) return false;
  l = {next, 0};
  return true;
}

bool PageView::Previous(Loc& l) const {
  if (l.line > 0) {
    --l.line;
    return true;
  }
  if (l.piece == 0) return false;
  const Laid& p = Lay(PieceAt(text_, l.piece - 1).first);
  l = {p.start, p.layout->lineCount() - 1};
  return true;
}

template <class F>
void PageView::ForLinesInSight(F f) const {
  const int height = viewport()->height();
  Loc l = LocOf(top_);
  qreal y = 0;
  do {
    if (!f(l, y)) return;
    y += HeightOf(l);
  } while (y < height && Next(l));
}

PageView::Loc PageView::TopOfScreenEndingWith(Loc last) const {
  // Lines from `last` up, as many as fit whole.
  const qreal height = viewport()->height();
  Loc top = last;
  qreal filled = HeightOf(last);
  for (Loc up = last; Previous(up) && filled + HeightOf(up) <= height + kSlack;) {
    filled += HeightOf(up);
    top = up;
  }
  return top;
}

void PageView::Refresh() {
  KeepFewLayouts();
  if (!isVisible()) return;
  const qreal height = viewport()->height();
  lastTop_ = PositionOf(TopOfScreenEndingWith(LocOf(int(text_.size()))));
  QScrollBar* bar = verticalScrollBar();
  bar->setRange(0, lastTop_);
  top_ = PositionOf(LocOf(std::min(top_, lastTop_)));
  {
    const QSignalBlocker quiet(bar);
    bar->setValue(top_);
  }
  // The thumb is as long against the bar as a screen is against the page.
  int shown = 0;
  ForLinesInSight([&](Loc at, qreal) {
    const QTextLine line = Lay(at.piece).layout->lineAt(at.line);
    shown = at.piece + line.textStart() + line.textLength() - top_;
    return true;
  });
  bar->setPageStep(std::max(1, shown));
  bar->setSingleStep(std::max(1, shown / std::max(1, int(height / fontMetrics().lineSpacing()))));
  viewport()->update();
}

void PageView::ScrollTo(int position) { verticalScrollBar()->setValue(std::clamp(position, 0, lastTop_)); }

void PageView::ScrollLines(int lines) {
  Loc l = LocOf(top_);
  for (; lines > 0 && Next(l); --lines) {
  }
  for (; lines < 0 && Previous(l); ++lines) {
  }
  ScrollTo(PositionOf(l));
}

int PageView::PageDown() const {
  // The line cut off at the bottom, or the one below the last whole one,
  // becomes the top.
  Loc below = LocOf(top_);
  const qreal height = viewport()->height();
  qreal y = 0;
  ForLinesInSight([&](Loc l, qreal top) {
    below = l;
    y = top + HeightOf(l);
    return y <= height + kSlack;
  });
  if (y <= height + kSlack || PositionOf(below) == top_) Next(below);
  return std::min(PositionOf(below), lastTop_);
}

int PageView::PageUp() const {
  // The old top line becomes the first one under the screen.
  Loc l = LocOf(top_), up = l;
  const qreal height = viewport()->height();
  qreal filled = 0;
  while (Previous(up) && filled + HeightOf(up) <= height + kSlack) {
    filled += HeightOf(up);
    l = up;
  }
  if (PositionOf(l) == top_) Previous(l);
  return PositionOf(l);
}

void PageView::scrollContentsBy(int, int) {
  // A dragged thumb lands anywhere: the line there becomes the top.
  top_ = PositionOf(LocOf(std::min(verticalScrollBar()->value(), lastTop_)));
  viewport()->update();
}

void PageView::ShowPosition(int position) {
  const Loc at = LocOf(position);
  const int start = PositionOf(at);
  if (start < top_) {
    ScrollTo(start);
    return;
  }
  bool whole = false;
  const qreal height = viewport()->height();
  ForLinesInSight([&](Loc l, qreal y) {
    if (l.piece != at.piece || l.line != at.line) return true;
    whole = y + HeightOf(l) <= height + kSlack;
    return false;
  });
  if (whole) return;
  // Below the screen: its line becomes the last one shown whole.
  ScrollTo(PositionOf(TopOfScreenEndingWith(at)));
}

std::pair<int, int> PageView::LineAt(int position) const {
  const Loc l = LocOf(position);
  const QTextLine line = Lay(l.piece).layout->lineAt(l.line);
  return {l.piece + line.textStart(), l.piece + line.textStart() + line.textLength()};
}

QRect PageView::CharacterRect(int position) const {
  QRect out;
  if (position < top_ || position >= text_.size()) return out;
  ForLinesInSight([&](Loc l, qreal y) {
    const QTextLine line = Lay(l.piece).layout->lineAt(l.line);
    const int start = l.piece + line.textStart();
    const int end = start + line.textLength();
    if (position > end || (position == end && l.line + 1 < Lay(l.piece).layout->lineCount())) return true;
    const qreal x = line.cursorToX(position - l.piece), next = line.cursorToX(position + 1 - l.piece);
    out = QRectF(QPointF(std::min(x, next), y), QPointF(std::max(x, next), y + line.height())).toAlignedRect();
    if (out.width() == 0) out.setWidth(1);
    return false;
  });
  return out;
}

int PageView::PositionAt(const QPoint& point, bool onCharacter) const {
  if (!viewport()->rect().contains(point)) return -1;
  int found = -1;
  ForLinesInSight([&](Loc l, qreal y) {
    const QTextLine line = Lay(l.piece).layout->lineAt(l.line);
    if (point.y() >= y + line.height()) return true;
    found = l.piece + line.xToCursor(point.x(), onCharacter ? QTextLine::CursorOnCharacter
                                                           : QTextLine::CursorBetweenCharacters);
    return false;
  });
  return found < 0 ? int(text_.size()) : found;
}

void PageView::paintEvent(QPaintEvent* e) {
  KeepFewLayouts();
  QPainter p(viewport());
  p.setPen(palette().color(QPalette::Text));
  const int from = SelectionStart(), to = SelectionEnd();
  int painted = -1;
  ForLinesInSight([&](Loc l, qreal y) {
    if (l.piece == painted) return true;
    // Each piece in sight is drawn whole from its own top, its lines out of
    // sight clipped.
    painted = l.piece;
    const Laid& piece = Lay(l.piece);
    QList<QTextLayout::FormatRange> selected;
    if (from < to && from < piece.end && to > piece.start) {
      QTextLayout::FormatRange range;
      range.start = std::max(from, piece.start) - piece.start;
      range.length = std::min(to, piece.end) - piece.start - range.start;
      range.format.setBackground(palette().brush(QPalette::Highlight));
      range.format.setForeground(palette().brush(QPalette::HighlightedText));
      selected << range;
    }
    piece.layout->draw(&p, QPointF(0, y - piece.layout->lineAt(l.line).y()), selected, e->rect());
    return true;
  });
  if (!hasFocus() || cursor_ < top_) return;
  const Loc caret = LocOf(cursor_);
  ForLinesInSight([&](Loc l, qreal y) {
    if (l.piece != caret.piece || l.line != caret.line) return true;
    const QTextLayout& layout = *Lay(l.piece).layout;
    layout.drawCursor(&p, QPointF(0, y - layout.lineAt(l.line).y()), cursor_ - l.piece);
    return false;
  });
}

void PageView::focusInEvent(QFocusEvent* e) {
  QAbstractScrollArea::focusInEvent(e);
  viewport()->update();
}

void PageView::focusOutEvent(QFocusEvent* e) {
  QAbstractScrollArea::focusOutEvent(e);
  viewport()->update();
}

void PageView::resizeEvent(QResizeEvent* e) {
  QAbstractScrollArea::resizeEvent(e);
  Refresh();
}

void PageView::showEvent(QShowEvent* e) {
  QAbstractScrollArea::showEvent(e);
  Refresh();
}

void PageView::changeEvent(QEvent* e) {
  QAbstractScrollArea::changeEvent(e);
  if (e->type() == QEvent::FontChange) {
    laid_.clear();
    Refresh();
  }
}

void PageView::keyPressEvent(QKeyEvent* e) {
  KeepFewLayouts();
  if (e == QKeySequence::SelectAll) {
    selectAll();
    return;
  }
  if (e == QKeySequence::Copy) {
    copy();
    return;
  }
  // The caret moves as in any text (Shift selecting as it goes), and the
  // page follows it; a screen reader reads from where it lands.
  const bool extend = e->modifiers() & Qt::ShiftModifier;
  const bool whole = e->modifiers() & Qt::ControlModifier;
  const int size = int(text_.size());
  switch (e->key()) {
    case Qt::Key_Up: MoveCaret(LineMove(-1), extend, true); return;
    case Qt::Key_Down: MoveCaret(LineMove(1), extend, true); return;
    case Qt::Key_Left: MoveCaret(std::max(0, cursor_ - 1), extend); return;
    case Qt::Key_Right: MoveCaret(std::min(size, cursor_ + 1), extend); return;
    case Qt::Key_PageUp: MovePage(-1, extend); return;
    case Qt::Key_PageDown: MovePage(1, extend); return;
    case Qt::Key_Home: MoveCaret(whole ? 0 : LineAt(cursor_).first, extend); return;
    case Qt::Key_End: MoveCaret(whole ? size : LineEnd(cursor_), extend); return;
    default: QAbstractScrollArea::keyPressEvent(e);
  }
}

int PageView::LineEnd(int position) const {
  // A wrapped line ends before the blank it broke at, so that the caret
  // stays on it.
  const auto [start, end] = LineAt(position);
  const bool wrapped = end < text_.size() && text_[end] != QLatin1Char('\n');
  return wrapped && end > start && text_[end - 1].isSpace() ? end - 1 : end;
}

int PageView::LineMove(int lines) const {
  Loc l = LocOf(cursor_);
  const qreal x = goalX_ >= 0 ? goalX_ : CaretX();
  bool moved = false;
  for (; lines > 0 && Next(l); --lines) moved = true;
  for (; lines < 0 && Previous(l); ++lines) moved = true;
  // Up on the first line goes to its start, Down on the last to its end.
  if (!moved) return lines < 0 ? 0 : int(text_.size());
  const QTextLine line = Lay(l.piece).layout->lineAt(l.line);
  return std::min(l.piece + line.xToCursor(x), LineEnd(l.piece + line.textStart()));
}

void PageView::MovePage(int direction, bool extend) {
  // The caret keeps its height on the screen while the page turns; where
  // the page can turn no further, it goes to the first or last character.
  if (goalX_ < 0) goalX_ = CaretX();
  qreal at = 0;
  ForLinesInSight([&](Loc l, qreal y) {
    const QTextLine line = Lay(l.piece).layout->lineAt(l.line);
    const int end = l.piece + line.textStart() + line.textLength();
    if (cursor_ < end || end >= text_.size()) {
      at = y;
      return false;
    }
    return true;
  });
  const int before = top_;
  ScrollTo(direction > 0 ? PageDown() : PageUp());
  if (top_ == before) {
    MoveCaret(direction > 0 ? int(text_.size()) : 0, extend);
    return;
  }
  int landed = cursor_;
  ForLinesInSight([&](Loc l, qreal y) {
    const QTextLine line = Lay(l.piece).layout->lineAt(l.line);
    landed = std::min(l.piece + line.xToCursor(goalX_), LineEnd(l.piece + line.textStart()));
    return y + line.height() <= at;
  });
  MoveCaret(landed, extend, true);
}

qreal PageView::CaretX() const {
  const Loc l = LocOf(cursor_);
  return Lay(l.piece).layout->lineAt(l.line).cursorToX(cursor_ - l.piece);
}

void PageView::MoveCaret(int position, bool extend, bool keepX) {
  if (!keepX) goalX_ = -1;
  else if (goalX_ < 0) goalX_ = CaretX();
  SetSelection(extend ? anchor_ : position, position);
  ShowPosition(position);
}

void PageView::wheelEvent(QWheelEvent* e) {
  KeepFewLayouts();
  wheelRest_ += e->angleDelta().y();
  const int lines = wheelRest_ / 120 * QApplication::wheelScrollLines();
  wheelRest_ %= 120;
  if (lines != 0) ScrollLines(-lines);
  e->accept();
}

void PageView::mousePressEvent(QMouseEvent* e) {
  KeepFewLayouts();
  if (e->button() != Qt::LeftButton) return QAbstractScrollArea::mousePressEvent(e);
  const int at = PositionAt(e->position().toPoint());
  if (at < 0) return;
  selecting_ = true;
  goalX_ = -1;
  SetSelection(e->modifiers() & Qt::ShiftModifier ? anchor_ : at, at);
}

void PageView::mouseMoveEvent(QMouseEvent* e) {
  KeepFewLayouts();
  if (!selecting_) return;
  // Dragged past the top or the bottom, the page follows a line at a time.
  QPoint at = e->position().toPoint();
  const QRect inside = viewport()->rect();
  if (at.y() < 0) ScrollLines(-1);
  if (at.y() >= inside.height()) ScrollLines(1);
  at.setX(std::clamp(at.x(), 0, inside.width() - 1));
  at.setY(std::clamp(at.y(), 0, inside.height() - 1));
  SetSelection(anchor_, PositionAt(at));
}

void PageView::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton || !selecting_) return QAbstractScrollArea::mouseReleaseEvent(e);
  selecting_ = false;
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (clipboard->supportsSelection() && anchor_ != cursor_) clipboard->setText(SelectedText(), QClipboard::Selection);
}

void PageView::contextMenuEvent(QContextMenuEvent* e) {
  // Shown as the editors show theirs, without a loop of its own: the window
  // may go while it is open (a help window that lost the front), and takes
  // the menu along.
  auto* menu = new QMenu(this);
  menu->setAttribute(Qt::WA_DeleteOnClose);
  QAction* copying = menu->addAction(tr("&Copy"), QKeySequence::Copy, this, &PageView::copy);
  copying->setEnabled(anchor_ != cursor_);
  menu->addAction(tr("Select All"), QKeySequence::SelectAll, this, &PageView::selectAll);
  menu->popup(e->globalPos());
}

void PageView::selectAll() { SetSelection(0, int(text_.size())); }

void PageView::Select(int anchor, int cursor) { SetSelection(anchor, cursor); }

QString PageView::SelectedText() const { return text_.mid(SelectionStart(), SelectionEnd() - SelectionStart()); }

void PageView::copy() const {
  if (anchor_ != cursor_) QGuiApplication::clipboard()->setText(SelectedText());
}

void PageView::SetSelection(int anchor, int cursor) {
  const int size = int(text_.size());
  anchor = std::clamp(anchor, 0, size);
  cursor = std::clamp(cursor, 0, size);
  const int from = SelectionStart(), to = SelectionEnd(), caret = cursor_;
  anchor_ = anchor;
  cursor_ = cursor;
  if (from == SelectionStart() && to == SelectionEnd() && caret == cursor_) return;
  viewport()->update();
  if (!QAccessible::isActive()) return;
  if (from != SelectionStart() || to != SelectionEnd()) {
    QAccessibleTextSelectionEvent selected(this, SelectionStart(), SelectionEnd());
    selected.setCursorPosition(cursor_);
    QAccessible::updateAccessibility(&selected);
  }
  if (caret != cursor_) {
    QAccessibleTextCursorEvent moved(this, cursor_);
    QAccessible::updateAccessibility(&moved);
  }
}

}  // namespace sw
