#include "platform/qt/held_under_boxes.h"

#include <QAbstractButton>
#include <QAction>
#include <QActionEvent>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>
#include <QVariant>
#include <algorithm>
#include <utility>
#include <vector>

#include "platform/qt/action_gate.h"
#include "platform/qt/window_lifetime.h"
#include "platform/ui.h"

namespace sw {

namespace {

constexpr const char* kHeld = "swHeld";              // the state the control last took as it should
constexpr const char* kHiddenOff = "swHiddenOff";    // disabled here because it is hidden
constexpr const char* kWatched = "swHeldWatched";

bool g_undoing = false;
bool g_disabling = false;
void (*g_undoneWatch)(const QObject*) = nullptr;

QWidget* WindowOf(const QObject* o) {
  for (; o; o = o->parent())
    if (o->isWidgetType()) return static_cast<const QWidget*>(o)->window();
  return nullptr;
}

QVariant StateOf(const QObject* o) {
  if (auto* a = qobject_cast<const QAction*>(o)) return a->isChecked();
  if (auto* b = qobject_cast<const QAbstractButton*>(o)) return b->isChecked();
  if (auto* e = qobject_cast<const QLineEdit*>(o)) return e->text();
  if (auto* l = qobject_cast<const QComboBox*>(o)) return l->currentIndex();
  if (auto* t = qobject_cast<const QPlainTextEdit*>(o)) return t->toPlainText();
  return {};
}

void SetState(QObject* o, const QVariant& v) {
  if (!v.isValid()) return;
  if (auto* a = qobject_cast<QAction*>(o)) a->setChecked(v.toBool());
  else if (auto* b = qobject_cast<QAbstractButton*>(o)) b->setChecked(v.toBool());
  else if (auto* e = qobject_cast<QLineEdit*>(o)) e->setText(v.toString());
  else if (auto* l = qobject_cast<QComboBox*>(o)) {
    // An editable list keeps what was typed into it, which its pick would
    // overwrite with the item's text.
    const QString typed = l->currentText();
    l->setCurrentIndex(v.toInt());
    if (l->isEditable()) l->setEditText(typed);
  } else if (auto* t = qobject_cast<QPlainTextEdit*>(o)) {
    // The racer reading a long report stays where they were.
    const int top = t->verticalScrollBar()->value();
    t->setPlainText(v.toString());
    t->verticalScrollBar()->setValue(top);
  }
}

// A text the racer cannot type into takes nothing from anyone else either:
// Qt's accessibility writes it all the same (a screen reader's insert,
// delete and replace; a line's set-text too). Of Qt's own dialogs only the
// font dialog, which the program does not open, writes read-only lines.
bool ReadOnlyText(const QObject* o) {
  if (auto* e = qobject_cast<const QLineEdit*>(o)) return e->isReadOnly();
  if (auto* t = qobject_cast<const QPlainTextEdit*>(o)) return t->isReadOnly();
  return false;
}

// Qt's own dialogs grey and fill their controls themselves, outside any
// work of the program: what they disable is theirs to set.
bool QtOwnDialog(const QWidget* window) {
  for (const char* kind : {"QFileDialog", "QAbstractPrintDialog", "QPageSetupDialog", "QPrintPreviewDialog",
                           "QMessageBox", "QInputDialog", "QProgressDialog", "QColorDialog", "QFontDialog"})
    if (window->inherits(kind)) return true;
  return false;
}

// A menu item's mark flips before its handler is asked; a handler put off
// until the run has ended sets the mark itself.
bool MarkWaits(const QObject* control, const QWidget* window) {
  return qobject_cast<const QAction*>(control) && MarkedActing(control) && ActionWaits(window);
}

// Only a change from outside is ever refused: one made while a screen
// reader's request is carried out, or by the click of its press.
bool Refused(const QObject* control) {
  const Press press = PressOf(control);
  if (!OutsideRequestRuns() && !press.outside) return false;
  if (ReadOnlyText(control)) return true;
  const QWidget* window = WindowOf(control);
  if (!window) return false;
  // A control the program has greyed (or hidden) takes nothing from anyone
  // else either: Qt's accessibility sets a greyed box's text all the same.
  if (Greyed(control) && !QtOwnDialog(window)) return true;
  if (press.underBox) return true;
  if (ModalOver(window)) return true;
  return MarkWaits(control, window);
}

void Undo(QObject* control, const QVariant& to) {
  g_undoing = true;
  SetState(control, to);
  g_undoing = false;
}

// Every control watched, for telling which one a screen reader's request
// changes itself.
std::vector<QPointer<QObject>>& WatchedControls() {
  static std::vector<QPointer<QObject>> watched;
  return watched;
}

// Within a screen reader's request, a change is being told while its
// control already holds it and the hold has not yet heard of it: the
// control's handlers (connected before the hold's) run first, and what they
// change meanwhile is the program's reaction, never what the request
// addressed. A part of the control (an editable list's box) and an option
// of its group (cleared as it is set) change with it.
bool AnotherChangeBeingTold(const QObject* control) {
  if (!OutsideRequestRuns()) return false;
  for (const QPointer<QObject>& o : WatchedControls()) {
    if (!o || o == control) continue;
    bool sameChange = qobject_cast<const QAbstractButton*>(o) && qobject_cast<const QAbstractButton*>(control) &&
                      o->parent() == control->parent();
    for (const QObject* p = control; p && !sameChange; p = p->parent()) sameChange = p == o;
    if (!sameChange && StateOf(o) != o->property(kHeld)) return true;
  }
  return false;
}

// A menu item's mark the racer's trigger flipped while its handler waits, or
// a screen reader's trigger flipped where the racer could not: it flips back
// once the trigger is told. A mark set with no trigger (the program's, as a
// menu opens) stays.
struct Flipped {
  QPointer<QAction> item;
  bool before = false;
  bool refused = false;  // a screen reader's, where the racer could not have triggered it
};
std::vector<Flipped>& FlippedMarks() {
  static std::vector<Flipped> marks;
  return marks;
}

void MarkFlipped(QAction* a, bool refused) {
  auto& marks = FlippedMarks();
  if (marks.empty()) QTimer::singleShot(0, qApp, [] { FlippedMarks().clear(); });
  marks.push_back({a, !a->isChecked(), refused});
}

// The item's trigger, with the marks it flipped (its group's too).
void Triggered(QAction* a) {
  auto& marks = FlippedMarks();
  if (std::none_of(marks.begin(), marks.end(), [a](const Flipped& f) { return f.item == a; })) return;
  const std::vector<Flipped> flipped = std::exchange(marks, {});
  for (auto it = flipped.rbegin(); it != flipped.rend(); ++it)
    if (it->item && (it->item == a || (a->actionGroup() && it->item->actionGroup() == a->actionGroup()))) {
      Undo(it->item, it->before);
      if (it->refused && g_undoneWatch) g_undoneWatch(it->item);
    }
}

// Whether the change `control` takes now is refused: one from outside where
// the racer could not work, and the addressed control's own. A screen reader
// changes a mark only by triggering its item: that is judged when the
// trigger is told.
bool RefusedNow(const QObject* control) {
  return Refused(control) && (qobject_cast<const QAction*>(control) || !AnotherChangeBeingTold(control));
}

void Changed(QObject* control) {
  auto* a = qobject_cast<QAction*>(control);
  if (!g_undoing && RefusedNow(control)) {
    if (a) {
      MarkFlipped(a, true);
    } else {
      Undo(control, control->property(kHeld));
      if (g_undoneWatch) g_undoneWatch(control);
      return;
    }
  } else if (a && !g_undoing && !ProgramWorkRuns() && MarkWaits(a, WindowOf(a))) {
    MarkFlipped(a, false);
  }
  control->setProperty(kHeld, StateOf(control));
}

void Watch(QObject* o) {
  if (o->property(kWatched).toBool()) return;
  auto changed = [o] { Changed(o); };
  if (auto* a = qobject_cast<QAction*>(o)) {
    QObject::connect(a, &QAction::toggled, a, changed);
    QObject::connect(a, &QAction::triggered, a, [a] { Triggered(a); });
  } else if (auto* b = qobject_cast<QAbstractButton*>(o)) {
    QObject::connect(b, &QAbstractButton::toggled, b, changed);
  } else if (auto* e = qobject_cast<QLineEdit*>(o)) {
    QObject::connect(e, &QLineEdit::textChanged, e, changed);
  } else if (auto* l = qobject_cast<QComboBox*>(o)) {
    QObject::connect(l, &QComboBox::currentIndexChanged, l, changed);
  } else if (auto* t = qobject_cast<QPlainTextEdit*>(o)) {
    QObject::connect(t, &QPlainTextEdit::textChanged, t, changed);
  } else {
    return;
  }
  o->setProperty(kWatched, true);
  o->setProperty(kHeld, StateOf(o));
  auto& watched = WatchedControls();
  std::erase_if(watched, [](const QPointer<QObject>& w) { return !w; });
  watched.emplace_back(o);
}

// Disabled while hidden, the program's own wish kept: setEnabled(false) and
// then the control's "disabled by the program" mark taken back, so that a
// setEnabled of the program meanwhile still shows in it.
void DisableHidden(QWidget* w) {
  g_disabling = true;
  const bool programDisabled = w->testAttribute(Qt::WA_ForceDisabled);
  w->setEnabled(false);
  w->setAttribute(Qt::WA_ForceDisabled, programDisabled);
  w->setProperty(kHiddenOff, true);
  g_disabling = false;
}

// A hidden frame takes its controls with it. A caption is no control: it
// keeps its look, which tells what a row may hold.
bool Hideable(const QWidget* w) { return !w->isWindow() && !qobject_cast<const QLabel*>(w); }

void HiddenOrShown(QWidget* w, QEvent::Type type) {
  if (g_disabling || !Hideable(w)) return;
  if (type == QEvent::HideToParent) {
    if (w->isEnabled()) DisableHidden(w);
  } else if (type == QEvent::ShowToParent) {
    if (!w->property(kHiddenOff).toBool()) return;
    w->setProperty(kHiddenOff, QVariant());
    g_disabling = true;
    if (!w->testAttribute(Qt::WA_ForceDisabled)) w->setEnabled(true);
    g_disabling = false;
  } else if (type == QEvent::EnabledChange && w->isEnabled() && w->isHidden() &&
             w->testAttribute(Qt::WA_WState_ExplicitShowHide)) {
    DisableHidden(w);  // the program enabled it while hidden: so it shall be when shown
  }
}

std::vector<QPointer<QMenuBar>>& MenuBars() {
  static std::vector<QPointer<QMenuBar>> bars;
  return bars;
}

void NoteMenuBar(QObject* o) {
  auto* bar = qobject_cast<QMenuBar*>(o);
  if (!bar) return;
  auto& bars = MenuBars();
  std::erase_if(bars, [bar](const QPointer<QMenuBar>& b) { return !b || b == bar; });
  bars.emplace_back(bar);
}

// The racer cannot open a menu of a menu bar under a box, and a screen
// reader's press on its item opens nothing either (the program would fill
// the menu as it opens): those menus are greyed while its request is carried
// out.
class MenusShutUnderBox {
 public:
  MenusShutUnderBox() {
    if (!QApplication::activeModalWidget()) return;
    for (const QPointer<QMenuBar>& bar : MenuBars())
      if (bar && ModalOver(bar))
        for (QAction* item : bar->actions())
          if (QMenu* menu = item->menu(); menu && menu->isEnabled()) {
            menu->setEnabled(false);
            shut_.emplace_back(menu);
          }
  }
  ~MenusShutUnderBox() {
    for (const QPointer<QMenu>& menu : shut_)
      if (menu) menu->setEnabled(true);
  }
  MenusShutUnderBox(const MenusShutUnderBox&) = delete;
  MenusShutUnderBox& operator=(const MenusShutUnderBox&) = delete;

 private:
  std::vector<QPointer<QMenu>> shut_;
};

class HoldUnderBoxes : public QObject {
 public:
  bool eventFilter(QObject* o, QEvent* e) override {
    switch (e->type()) {
      case QEvent::MetaCall:
        // A request another program makes over D-Bus, carried out here: the
        // accessibility bridge's, for a screen reader. Delivered from within
        // its bracket, so that what it changes is known to come from outside.
        if (o->inherits("QDBusVirtualObject")) {
          MenusShutUnderBox shut;
          OutsideRequest request;
          o->event(e);
          return true;
        }
        break;
      case QEvent::Polish:
        if (o->isWidgetType()) Watch(o), NoteMenuBar(o);
        break;
      case QEvent::ActionAdded:
        if (QAction* a = static_cast<QActionEvent*>(e)->action()) Watch(a);
        break;
      case QEvent::HideToParent:
      case QEvent::ShowToParent:
      case QEvent::EnabledChange:
        if (o->isWidgetType()) HiddenOrShown(static_cast<QWidget*>(o), e->type());
        break;
      default:
        break;
    }
    return false;
  }
};

}  // namespace

void HoldWindowsUnderBoxes() { FilterAllEvents<HoldUnderBoxes>(); }

bool HeldUnderBox(const QObject* control) { return g_undoing || (control && RefusedNow(control)); }

void SetUndoneWatch(void (*watch)(const QObject* control)) { g_undoneWatch = watch; }

void SetQuietly(QObject* control, const std::function<void()>& set) {
  {
    ProgramWork program;  // a radio button's cleared sibling, which speaks, is the program's too
    const QSignalBlocker quiet(control);
    set();
  }
  control->setProperty(kHeld, StateOf(control));
}

}  // namespace sw
