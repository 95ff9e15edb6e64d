#include "support/qt/screen_reader.h"

#include <QAbstractButton>
#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QDBusVirtualObject>
#include <QPointer>
#include <array>

#include "platform/qt/held_under_boxes.h"

namespace sw::test {

namespace {

// The last controls a screen reader worked: a press clicks a moment after its request.
std::array<QPointer<QObject>, 16> g_targets;
size_t g_next = 0;

// The control worked, a part of it (an editable list's box), or another of its group.
bool Worked(const QPointer<QObject>& target, const QObject* undone) {
  for (const QObject* part = undone; target && part; part = part->parent())
    if (part == target) return true;
  if (qobject_cast<const QAbstractButton*>(target) && qobject_cast<const QAbstractButton*>(undone))
    return target->parent() == undone->parent();
  auto *a = qobject_cast<const QAction*>(target), *b = qobject_cast<const QAction*>(undone);
  return a && b && a->actionGroup() && a->actionGroup() == b->actionGroup();
}

[[maybe_unused]] const bool kWatching = (SetUndoneWatch([](const QObject* undone) {
                                           for (const QPointer<QObject>& target : g_targets)
                                             if (Worked(target, undone)) return;
                                           qFatal("the hold undid a change in %s (%s) no screen reader made",
                                                  qPrintable(undone->objectName()), undone->metaObject()->className());
                                         }),
                                         true);

// Where the accessibility bridge takes a screen reader's calls in.
class Bridge : public QDBusVirtualObject {
 public:
  QString introspect(const QString&) const override { return {}; }
  bool handleMessage(const QDBusMessage&, const QDBusConnection&) override { return false; }
};

}  // namespace

void AsScreenReader(QObject* target, const std::function<void()>& act) {
  g_targets[g_next++ % g_targets.size()] = target;
  static QPointer<Bridge> bridge;
  if (!bridge) bridge = new Bridge, bridge->setParent(qApp);
  QMetaObject::invokeMethod(bridge, act, Qt::QueuedConnection);
  QCoreApplication::sendPostedEvents(bridge, QEvent::MetaCall);
}

}  // namespace sw::test
