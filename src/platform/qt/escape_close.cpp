#include "platform/qt/escape_close.h"

#include <QApplication>
#include <QKeyEvent>
#include <QShortcut>
#include <QWidget>

#include "platform/qt/window_lifetime.h"

namespace sw {

namespace {

// Qt asks the focus widget whether it takes a key before it runs a
// shortcut; a list, a menu or an editor's pop-up open over the window does
// not claim Escape (the list even closes while asked), so the window's
// Escape closed the whole window. While a pop-up is open, Escape is the
// pop-up's: it closes, the window stays.
class PopupsKeepEscape : public QObject {
 public:
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::ShortcutOverride && QApplication::activePopupWidget()) {
      auto* key = static_cast<QKeyEvent*>(e);
      if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier) key->accept();
    }
    return false;
  }
};

}  // namespace

void CloseOnEscape(QWidget* window, std::function<void()> close) {
  FilterAllEvents<PopupsKeepEscape>();
  auto* key = new QShortcut(QKeySequence(Qt::Key_Escape), window);
  key->setContext(Qt::WindowShortcut);
  key->setAutoRepeat(false);  // Escape held down closes this window, not the next one too
  QObject::connect(key, &QShortcut::activated, window, [window, close] {
    if (close)
      close();
    else
      window->close();
  });
}

}  // namespace sw
