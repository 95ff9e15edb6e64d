#include "platform/qt/text_box.h"

#include <QMimeData>
#include <QTextLayout>
#include <cmath>

namespace sw {

bool TextBox::canInsertFromMimeData(const QMimeData* source) const {
  return source && !source->formats().isEmpty() && QPlainTextEdit::canInsertFromMimeData(source);
}

int TextBox::HeightFor(const QString& text, int width, int most) const {
  // Laid out as the box lays out its paragraphs: each one on its own, its
  // lines with their leading, the document's margin all round.
  const qreal margin = document()->documentMargin();
  const qreal lineWidth = width - 2 * frameWidth() - 2 * margin;
  // The box counts a line as shown only with a pixel to spare below it.
  const int others = 2 * frameWidth() + 1;
  qreal height = 2 * margin;
  for (qsizetype start = 0; start <= text.size() && height + others <= most;) {
    qsizetype end = text.indexOf(QChar('\n'), start);
    if (end < 0) end = text.size();
    QTextLayout paragraph(text.mid(start, end - start), document()->defaultFont());
    paragraph.setTextOption(document()->defaultTextOption());
    paragraph.beginLayout();
    for (QTextLine line = paragraph.createLine(); line.isValid() && height + others <= most;
         line = paragraph.createLine()) {
      line.setLeadingIncluded(true);
      line.setLineWidth(lineWidth);
      height += line.height();
      if (line.leading() < 0) height += std::ceil(line.leading());
    }
    paragraph.endLayout();
    start = end + 1;
  }
  return static_cast<int>(std::ceil(height)) + others;
}

void TextBox::insertFromMimeData(const QMimeData* source) {
  if (canInsertFromMimeData(source)) QPlainTextEdit::insertFromMimeData(source);
}

}  // namespace sw
