#include "platform/qt/text_box.h"

#include <QMimeData>

namespace sw {

bool TextBox::canInsertFromMimeData(const QMimeData* source) const {
  return source && !source->formats().isEmpty() && QPlainTextEdit::canInsertFromMimeData(source);
}

void TextBox::insertFromMimeData(const QMimeData* source) {
  if (canInsertFromMimeData(source)) QPlainTextEdit::insertFromMimeData(source);
}

}  // namespace sw
