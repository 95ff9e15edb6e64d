#include "platform/qt/escape_close.h"

#include <QShortcut>
#include <QWidget>

namespace sw {

void CloseOnEscape(QWidget* window, std::function<void()> close) {
  auto* key = new QShortcut(QKeySequence(Qt::Key_Escape), window);
  key->setContext(Qt::WindowShortcut);
  QObject::connect(key, &QShortcut::activated, window, [window, close] {
    if (close)
      close();
    else
      window->close();
  });
}

}  // namespace sw
