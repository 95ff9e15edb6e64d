#include "platform/qt/menu_bar_tips.h"

#include <QAction>
#include <QHelpEvent>
#include <QMenuBar>
#include <QToolTip>
#include <QVariant>

namespace sw {

namespace {

// The caption as Qt makes a tooltip of it: "&" marks and "..." dropped.
QString PlainCaption(const QAction* a) {
  QString plain;
  const QString text = a->text();
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == '&') {
      if (i + 1 < text.size() && text[i + 1] == '&') plain += text[++i];
      continue;
    }
    plain += text[i];
  }
  plain.remove(QStringLiteral("..."));
  return plain.trimmed();
}

class MenuBarTips : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() != QEvent::ToolTip) return QObject::eventFilter(o, e);
    auto* bar = static_cast<QMenuBar*>(o);
    auto* help = static_cast<QHelpEvent*>(e);
    QAction* a = bar->actionAt(help->pos());
    const QString tip = a ? a->toolTip() : QString();
    if (a && a->isVisible() && !tip.isEmpty() && tip != PlainCaption(a)) {
      QToolTip::showText(help->globalPos(), tip, bar, bar->actionGeometry(a));
    } else {
      QToolTip::hideText();
      e->ignore();
    }
    return true;
  }
};

}  // namespace

void ShowMenuBarToolTips(QMenuBar* bar) {
  if (!bar || bar->property("swMenuBarTips").toBool()) return;
  bar->setProperty("swMenuBarTips", true);
  bar->installEventFilter(new MenuBarTips(bar));
}

}  // namespace sw
