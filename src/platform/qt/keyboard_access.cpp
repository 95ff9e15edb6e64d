#include "platform/qt/keyboard_access.h"

#include <QAbstractNativeEventFilter>
#include <QAccessible>
#include <QAbstractButton>
#include <QAccessibleWidget>
#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QProxyStyle>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

namespace sw {

namespace {

// Alt pressed and released alone puts the keyboard into the menu bar, as on
// the program's home desktop.
class AltEntersMenuBar : public QProxyStyle {
 public:
  using QProxyStyle::QProxyStyle;
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returnData) const override {
    if (hint == SH_MenuBar_AltKeyNavigation) return 1;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
  }
};

// Qt gives a widget of its own class no role but "client"; one that is a
// window is a window to the desktop, and a screen reader says so.
class WindowAccessible : public QAccessibleWidget {
 public:
  explicit WindowAccessible(QWidget* w) : QAccessibleWidget(w, QAccessible::Client) {}
  QAccessible::Role role() const override {
    return widget()->isWindow() ? QAccessible::Window : QAccessibleWidget::role();
  }
};

QAccessibleInterface* ProgramWindows(const QString& key, QObject* object) {
  auto* w = qobject_cast<QWidget*>(object);
  if (!w) return nullptr;
  const QMetaObject* own = object->metaObject();
  // Asked once per class up the chain: answer for the object's own class only.
  if (key != QLatin1StringView(own->className()) || own == &QWidget::staticMetaObject) return nullptr;
  const QMetaObject* qt = own;
  while (qt && qt->className()[0] != 'Q') qt = qt->superClass();
  // Dialogs, main windows, frames and the rest keep Qt's own interfaces.
  if (qt != &QWidget::staticMetaObject) return nullptr;
  return new WindowAccessible(w);
}

// Buttons that show only "..." (the print dialog's file button) are named
// by their tooltip, or as the browse buttons they are.
void NameBareButtons(QWidget* window) {
  for (QAbstractButton* b : window->findChildren<QAbstractButton*>()) {
    if (!b->accessibleName().isEmpty()) continue;
    const QString text = b->text().remove('&').trimmed();
    if (text != "..." && text != QString(QChar(0x2026))) continue;
    b->setAccessibleName(b->toolTip().isEmpty() ? QStringLiteral("Browse") : b->toolTip());
  }
}

bool Counts(const QWidget* w) {
  if (!w || !w->isWindow()) return false;
  const Qt::WindowType type = w->windowType();
  return type != Qt::Popup && type != Qt::ToolTip && type != Qt::SplashScreen && type != Qt::Desktop;
}

bool CanTakeFront(const QWidget* w) {
  return w && w->isVisible() && !w->isMinimized() && w->isEnabled();
}

// Follows which window has the front and, when it closes, gives the front
// to the window the racer was in before, or to one the program opened
// meanwhile (a list shown just before its tip box, say).
class FrontKeeper : public QObject {
 public:
  explicit FrontKeeper(std::function<QWidget*()> lastResort)
      : QObject(qApp), lastResort_(std::move(lastResort)) {
    // A window closed before the desktop's activation of it came (a box
    // answered at once): when that activation comes, it gives the front to
    // the closed window or to none, and the front goes back as it does on a
    // close.
    connect(qApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow* now) {
      if (std::exchange(closedBeforeFront_, false) && (!now || !now->isVisible()))
        QTimer::singleShot(0, this, [this] { ReturnFront({}); });
    });
  }

  bool eventFilter(QObject* o, QEvent* e) override {
    const QEvent::Type t = e->type();
    if (t != QEvent::WindowActivate && t != QEvent::Hide && t != QEvent::Show) return false;
    auto* w = qobject_cast<QWidget*>(o);
    if (!Counts(w)) return false;
    if (t == QEvent::WindowActivate || t == QEvent::Show) {
      if (t == QEvent::WindowActivate) lastActive_ = w, w->setProperty(kHadFront, true);
      if (t == QEvent::Show) NameBareButtons(w);
      Forget(w);
      recent_.push_back(w);
      if (recent_.size() > 32) recent_.erase(recent_.begin());
    } else if (w == QApplication::activeWindow() || w == lastActive_) {
      QPointer<QWidget> closed(w);
      QTimer::singleShot(0, this, [this, closed] { ReturnFront(closed); });
    } else if (!w->property(kHadFront).toBool()) {
      closedBeforeFront_ = true;
    }
    return false;
  }

 private:
  void Forget(QWidget* w) {
    recent_.erase(std::remove_if(recent_.begin(), recent_.end(),
                                 [w](const QPointer<QWidget>& p) { return !p || p == w; }),
                  recent_.end());
  }

  void ReturnFront(const QPointer<QWidget>& closed) {
    if (QCoreApplication::closingDown()) return;
    // The desktop (or the program) already gave the keyboard to a window.
    // QApplication's own idea of the active window is no guide here: when a
    // box closes it names the box's owner even though no window of the
    // program has the keyboard.
    QWindow* focus = QGuiApplication::focusWindow();
    if (focus && focus->isVisible() && (!closed || focus != closed->windowHandle())) return;
    QWidget* target = nullptr;
    // A box still waiting for an answer comes first; then the window last
    // shown or in front.
    if (QWidget* modal = QApplication::activeModalWidget(); CanTakeFront(modal)) target = modal;
    for (auto it = recent_.rbegin(); !target && it != recent_.rend(); ++it)
      if (*it != closed && CanTakeFront(*it)) target = *it;
    if (!target && closed && closed->parentWidget() && CanTakeFront(closed->parentWidget()->window()))
      target = closed->parentWidget()->window();
    if (!target && lastResort_ && CanTakeFront(lastResort_())) target = lastResort_();
    if (target) target->activateWindow();
  }

  static constexpr const char* kHadFront = "swHadFront";
  std::function<QWidget*()> lastResort_;
  bool closedBeforeFront_ = false;  // a window closed before it had the front
  std::vector<QPointer<QWidget>> recent_;  // windows by when they were last shown or in front, latest last
  QPointer<QWidget> lastActive_;
};

// Enter on a focused button presses it, as on the program's home desktop,
// and Enter that nothing else in a window took presses the window's default
// button. Qt does either only in dialogs, so in a plain window Enter did
// nothing.
class EnterPressesButton : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() != QEvent::KeyPress) return false;
    const auto* k = static_cast<QKeyEvent*>(e);
    if (k->key() != Qt::Key_Return && k->key() != Qt::Key_Enter) return false;
    if (k->modifiers() & ~Qt::KeypadModifier) return false;
    auto* w = qobject_cast<QWidget*>(o);
    if (auto* b = qobject_cast<QPushButton*>(w)) {
      if (!b->hasFocus() || !b->isEnabled() || b->autoDefault()) return false;
      b->click();
      return true;
    }
    // The key reaches the window itself only when no control in it took it.
    if (!w || !w->isWindow() || qobject_cast<QDialog*>(w)) return false;
    for (QPushButton* d : w->findChildren<QPushButton*>()) {
      if (d->isDefault() && d->isVisible() && d->isEnabled() && d->window() == w) {
        d->click();
        return true;
      }
    }
    return false;
  }
};

// Escape held down repeats into each window that comes to the front, and a
// tool that sends the press to a window which then closes sends the release
// nowhere: the desktop holds the key down, and its repeats closed every
// window of the program, one after the other, and cancelled each press of a
// button. One Escape acts once: its repeats reach no window, shortcut or
// button.
//
// X repeats a key as a release and a press at the same moment. Qt marks such
// a press as a repeat only when the press had reached it before it handled
// the release, which on a busy program it often has not: the releases are
// read as X hands them over, and a press at the moment of a release of the
// same key is a repeat. Keys another program sends carry no time (and Qt
// takes two in a row for a repeat): each of those acts.
class HeldEscapeActsOnce : public QObject, public QAbstractNativeEventFilter {
 public:
  using QObject::QObject;
  bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
    constexpr uint8_t kXKeyRelease = 3;
    constexpr int kKeyAt = 1, kTimeAt = 4;  // in the X protocol's key event
    const auto* bytes = static_cast<const uint8_t*>(message);
    if (type != "xcb_generic_event_t" || (bytes[0] & 0x7f) != kXKeyRelease) return false;
    uint32_t time = 0;
    std::memcpy(&time, bytes + kTimeAt, sizeof time);
    released_[next_++ % released_.size()] = {bytes[kKeyAt], time};
    return false;
  }
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() != QEvent::KeyPress && e->type() != QEvent::ShortcutOverride) return false;
    auto* k = static_cast<QKeyEvent*>(e);
    if (k->key() != Qt::Key_Escape || k->timestamp() == 0) return false;
    const std::pair<uint32_t, uint32_t> at{k->nativeScanCode(), static_cast<uint32_t>(k->timestamp())};
    if (!k->isAutoRepeat() && std::find(released_.begin(), released_.end(), at) == released_.end()) return false;
    k->accept();  // a shortcut override taken: no shortcut runs
    return true;
  }

 private:
  std::array<std::pair<uint32_t, uint32_t>, 8> released_{};  // the last key releases: key, time
  size_t next_ = 0;
};

}  // namespace

void InstallKeyboardAccess(std::function<QWidget*()> lastResort) {
  static FrontKeeper* keeper = nullptr;
  if (keeper) return;
  QAccessible::installFactory(ProgramWindows);
  QApplication::setStyle(new AltEntersMenuBar(QApplication::style()->name()));
  keeper = new FrontKeeper(std::move(lastResort));
  qApp->installEventFilter(keeper);
  qApp->installEventFilter(new EnterPressesButton(qApp));
  auto* escape = new HeldEscapeActsOnce(qApp);
  qApp->installEventFilter(escape);
  qApp->installNativeEventFilter(escape);
}

}  // namespace sw
