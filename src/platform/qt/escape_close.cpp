#include "platform/qt/escape_close.h"

#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
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

void PressButtonsOnEnter(QWidget* window, QPushButton* button) {
  for (QPushButton* b : window->findChildren<QPushButton*>()) b->setAutoDefault(true);
  if (!button) return;
  QPointer<QPushButton> target = button;
  for (QLineEdit* box : window->findChildren<QLineEdit*>())
    QObject::connect(box, &QLineEdit::returnPressed, button, [target] {
      if (target && target->isEnabled()) target->click();
    });
}

}  // namespace sw
