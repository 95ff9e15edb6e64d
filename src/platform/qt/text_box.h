// The program's multi-line text box: a QPlainTextEdit that takes a paste or
// a drop only when it carries something to insert.
//
// Qt 6.4's text control reads the first format of whatever it is handed and
// crashes on MIME data that has none, which is what an empty clipboard gives
// on X11 to Ctrl+V, Shift+Insert and the middle-button paste. Every
// multi-line box of every window is a TextBox; line edits and editable lists
// paste through QClipboard::text() and need no help.
#pragma once

#include <QPlainTextEdit>

class QMimeData;

namespace sw {

class TextBox : public QPlainTextEdit {
  Q_OBJECT

 public:
  using QPlainTextEdit::QPlainTextEdit;

  // The paths of a paste and a drop, public so that they can be tried with
  // MIME data no clipboard hands out.
  bool canInsertFromMimeData(const QMimeData* source) const override;
  void insertFromMimeData(const QMimeData* source) override;
};

}  // namespace sw
