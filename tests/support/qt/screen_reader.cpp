#include "support/qt/screen_reader.h"

#include <QAbstractButton>
#include <QAction>
#include <QActionGroup>
#include <QPointer>
#include <QtGlobal>
#include <array>

#include "platform/qt/held_under_boxes.h"
#include "platform/ui.h"

namespace sw::test {

namespace {

// The last controls a screen reader worked: a press clicks a moment after its request.
std::array<QPointer<QObject>, 16> g_targets;
size_t g_next = 0;

// The control worked, a part of it (an editable list's box), or another of its group.
bool OfTheSameGroup(const QObject* a, const QObject* b) {
  for (const QObject* part = b; part; part = part->parent())
    if (part == a) return true;
  if (qobject_cast<const QAbstractButton*>(a) && qobject_cast<const QAbstractButton*>(b))
    return a->parent() && a->parent() == b->parent();
  auto *x = qobject_cast<const QAction*>(a), *y = qobject_cast<const QAction*>(b);
  return x && y && x->actionGroup() && x->actionGroup() == y->actionGroup();
}

void CheckUndone(const QObject* control) {
  for (const QPointer<QObject>& t : g_targets)
    if (t && OfTheSameGroup(t, control)) return;
  qFatal("the hold undid a change in %s (%s) that no screen reader made: a write of the program",
         qPrintable(control->objectName()), control->metaObject()->className());
}

[[maybe_unused]] const bool kWatching = (SetUndoneWatch(&CheckUndone), true);

}  // namespace

void AsScreenReader(QObject* target, const std::function<void()>& act) {
  g_targets[g_next++ % g_targets.size()] = target;
  OutsideRequest request;
  act();
}

}  // namespace sw::test
