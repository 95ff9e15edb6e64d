// A seeded run of random keys, typing, clicks, buttons and menus into every window of the whole program, in process;
// boxes answered at random, dialogs closed, a new start whenever the program ends. While a box, dialog or preview
// waits, now and then the buttons, boxes, lists and menus of the windows under it are worked as a screen reader can,
// and nothing there may change: no window, mark, check box, value, pick or text. A read-only text (the Open window's
// preview, the report, a help page) takes a screen reader's writes, box or no box, and stays as it was.
// Nothing may crash, hang or touch freed memory (the sanitizer build runs it too), Qt may warn of nothing (a box
// opened inside its own loop, a child of a deleted object), every multi-line box is a TextBox (safe to paste into
// from an empty clipboard), every file dialog starts in the program folder. SW_RANDOM_SEED and SW_RANDOM_ACTIONS
// replay a run, SW_RANDOM_TRACE=1 prints each action; a failure prints the seed and the last actions. No action
// starts after SW_RANDOM_SECONDS (120). SW_RANDOM_INJECT=recursive-exec opens a box inside its own loop once, to show
// that the run fails on it.
#include <QtTest>
#include <QtWidgets>
#include <atomic>
#include <csignal>
#include <execinfo.h>
#include <pthread.h>
#include <random>
#include <thread>

#include "match/frm_prgrs.h"
#include "platform/qt/keyboard_access.h"
#include "platform/qt/page_view.h"
#include "platform/qt/qt_ui.h"
#include "platform/qt/text_box.h"
#include "shell/program_main.h"
#include "shell_fixture.h"
#include "support/qt/screen_reader.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#endif

using namespace sw;

namespace {

// The last actions, printed when the run fails, dies or hangs; Qt's warnings.
unsigned g_seed = 0;
QStringList g_warnings;
std::atomic<long> g_actions{0};
std::string g_last[40];

void Journal(const QString& what) {
  const long n = ++g_actions;
  g_last[n % 40] = QString("%1: %2").arg(n).arg(what).toStdString();
  if (qEnvironmentVariableIsSet("SW_RANDOM_TRACE")) std::fprintf(stderr, "%s\n", g_last[n % 40].c_str());
}
void PrintJournal() {
  std::fprintf(stderr, "\nrandom input: seed %u (replay: SW_RANDOM_SEED=%u), the last actions:\n", g_seed, g_seed);
  for (long i = std::max(1L, g_actions - 39); i <= g_actions; ++i)
    std::fprintf(stderr, "  %s\n", g_last[i % 40].c_str());
  std::fflush(stderr);
}
extern "C" void OnFatalSignal(int sig) {
  PrintJournal();
  std::signal(sig, SIG_DFL);
  std::raise(sig);
}

// Where the program is stuck when it hangs: the stack of the thread it runs in, printed from that thread.
extern "C" void OnStackRequest(int) {
#if defined(__SANITIZE_ADDRESS__)
  __sanitizer_print_stack_trace();
#else
  void* frames[64];
  backtrace_symbols_fd(frames, backtrace(frames, 64), 2);
#endif
}

QString Describe(QWidget* w) {
  QString name = w->objectName().isEmpty() ? w->metaObject()->className() : w->objectName();
  if (auto* b = qobject_cast<QAbstractButton*>(w)) name += " '" + b->text() + "'";
  return w->window() == w ? name : QString(w->window()->metaObject()->className()) + "/" + name;
}
void CloseWidget(QWidget* w) {
  if (auto* d = qobject_cast<QDialog*>(w)) d->reject();
  else w->close();
}
QWidget* Front() {
  return QApplication::activePopupWidget() ? QApplication::activePopupWidget() : QApplication::activeModalWidget();
}
QList<QAction*> Usable(QList<QAction*> actions) {
  actions.removeIf([](QAction* a) { return !a->isEnabled() || !a->isVisible() || a->isSeparator(); });
  return actions;
}
// What the offscreen platform cannot do, and the test library's note on input nobody took.
bool Noise(const QString& text) {
  return text.startsWith("This plugin does not support") || text.endsWith("not accepted by receiving widget") ||
         text.startsWith("QStandardPaths: ");
}
// Dialogs of Qt's own: closed when they come up, and their controls are Qt's business.
const char* const kQtDialogs[] = {"QFileDialog", "QAbstractPrintDialog", "QPrintPreviewDialog", "QPageSetupDialog"};
bool QtDialog(QWidget* w) {
  return qobject_cast<QMessageBox*>(w) || qobject_cast<QInputDialog*>(w) ||
         std::any_of(std::begin(kQtDialogs), std::end(kQtDialogs), [w](const char* kind) { return w->inherits(kind); });
}

// Figures in and out of range, far beyond every range, and what is no figure.
const char* const kTexts[] = {"0", "1", "12.5", "-3", "99999", "1e308", "-0", ".", "5,5", "abc", " ", "3850", "4.10",
                              "6001", "1E+40", "0.0001", "-1e-9", "ÄÖü", "\"q\"", "x,y,z", "7", "10000000000000000000"};
const char* const kKeys[] = {"Tab", "Shift+Backtab", "Return", "Num+Enter", "Esc", "Up", "Down", "Left", "Right",
                             "PgDown", "Home", "End", "Space", "Backspace", "Del", "F1", "F2", "Ctrl+V", "Shift+Ins",
                             "Ctrl+C", "Ctrl+Z", "Alt+F", "Alt+H", "Alt+C", "Ctrl+S", "Ctrl+O", "Ctrl+A", "Ctrl+X",
                             "Alt"};

// A text the racer reads and cannot type into, and what it shows, told short.
bool ReadOnlyText(const QWidget* w) {
  if (auto* e = qobject_cast<const QLineEdit*>(w)) return e->isReadOnly();
  if (auto* t = qobject_cast<const QPlainTextEdit*>(w)) return t->isReadOnly();
  return qobject_cast<const PageView*>(w) != nullptr;
}
QString Shown(QWidget* w) {
  const QString text = QAccessible::queryAccessibleInterface(w)->text(QAccessible::Value);
  return QString(" '%1' (%2 characters, %3)").arg(text.left(30)).arg(text.size()).arg(qHash(text), 0, 16);
}

class RandomInput {
 public:
  RandomInput(unsigned seed, long target, qint64 seconds) : rng_(seed), target_(target), deadline_(seconds * 1000) {
    clock.start();
    sinceStep_.start();
  }
  QStringList faults, seen;
  QElapsedTimer clock;

  bool Done() const { return g_actions >= target_ || clock.elapsed() > deadline_; }
  void RunOneStart() {
    ++generation_;
    Next();
    QApplication::exec();
    ++generation_;  // what this start left posted does nothing
  }

 private:
  int Pick(size_t n) { return n <= 1 ? 0 : std::uniform_int_distribution<int>(0, int(n) - 1)(rng_); }
  bool Chance(int percent) { return Pick(100) < percent; }
  template <class T>
  T PickOf(const QList<T>& list) { return list.isEmpty() ? T{} : list[Pick(size_t(list.size()))]; }
  static QList<QWidget*> Windows() {
    QList<QWidget*> out = QApplication::topLevelWidgets();
    out.removeIf(
        [](QWidget* w) { return !w->isVisible() || w->windowType() == Qt::ToolTip || w->windowType() == Qt::Popup; });
    return out;
  }

  // The next action runs from the event loop: from a box's own loop, it answers the box.
  void Next() {
    QTimer::singleShot(0, qApp, [this, generation = generation_] {
      if (generation == generation_) Step();
    });
  }
  void Step() {
    // A search whose passes take seconds (a car that never finishes runs to
    // the time limit) is cancelled as a racer would, and so is one under way at
    // the end; then what is open over the program is closed and the loop left.
    if (sinceStep_.restart() > 1000 || Done())
      for (QWidget* w : Windows())
        if (auto* progress = qobject_cast<frmPrgrs*>(w))
          Journal("cancels the slow search"), progress->Command1->click();
    if (Done()) {
      if (!Front() || ++closing_ > 200) return QCoreApplication::exit(0);
      return CloseWidget(Front()), Next();
    }
    Next();
    const long before = g_actions;
    Act();
    if (g_actions == before) Journal("nothing to do");
  }

  void Act() {
    if (QWidget* popup = QApplication::activePopupWidget()) return Popup(popup);
    if (QWidget* modal = QApplication::activeModalWidget()) return Modal(modal);
    frmMain* m = DefaultInstance<frmMain>::IfLoaded();
    withoutMain_ = m ? 0 : withoutMain_ + 1;
    if (withoutMain_ > 200) return faults << "the program runs on without its main window", QCoreApplication::exit(0);
    const int r = Pick(100);
    if (r >= 5 && r < 10) return MenuItem();
    QList<QPushButton*> buttons;  // a main button, or a "Clc" button
    if (r < 5 && m) buttons = m->Picture1->findChildren<QPushButton*>() + m->Picture2->findChildren<QPushButton*>();
    if (r >= 10 && r < 13)
      for (QWidget* w : Windows()) buttons += w->findChildren<QPushButton*>(QRegularExpression("^ClcBttn"));
    buttons.removeIf([](QWidget* b) { return !b->isVisible() || !b->isEnabled(); });
    if (QPushButton* b = PickOf(buttons))
      return Journal("button " + Describe(b)), Click(b, Qt::LeftButton, b->rect().center());
    QWidget* w = PickOf(Windows());
    if (!w || r < 13) return;
    if (r >= 15) return Input(w);
    if (Chance(50)) return Journal("activates " + Describe(w)), Activate(w);
    Journal("closes " + Describe(w)), w->close();
  }

  void MenuItem() {
    QList<QAction*> open, items;
    for (QWidget* w : Windows())
      for (QMenuBar* bar : w->findChildren<QMenuBar*>())
        if (bar->isVisible() && bar->isEnabled()) open += Usable(bar->actions());
    while (!open.isEmpty())  // the sub-menus' items too
      if (QAction* a = open.takeFirst(); a->menu()) open += Usable(a->menu()->actions());
      else items << a;
    if (QAction* a = PickOf(items)) Journal("menu '" + a->text() + "'"), a->trigger();
  }

  void Popup(QWidget* popup) {
    // A pop-up that stays whatever keys it gets is closed as a click beside it would.
    popupActions_ = popup == lastPopup_ ? popupActions_ + 1 : 0;
    lastPopup_ = popup;
    if (popupActions_ > 30) return Journal("closes the pop-up " + Describe(popup)), void(popup->close());
    auto* menu = qobject_cast<QMenu*>(popup);
    QAction* item = menu && Chance(70) ? PickOf(Usable(menu->actions())) : nullptr;
    if (item) menu->setActiveAction(item);
    const Qt::Key keys[] = {Qt::Key_Return, Qt::Key_Escape, Qt::Key_Down, Qt::Key_Up}, key = keys[item ? 0 : Pick(4)];
    Journal(item ? "menu item '" + item->text() + "'" : "key " + QKeySequence(key).toString() + " on the pop-up");
    // A pop-up holds the keyboard: its keys reach it before any shortcut.
    QPointer<QWidget> to = item || !popup->focusWidget() ? popup : popup->focusWidget();
    for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease})
      if (QKeyEvent e(type, key, Qt::NoModifier); to) QApplication::sendEvent(to, &e);
  }

  void Modal(QWidget* modal) {
    if (auto* files = qobject_cast<QFileDialog*>(modal)) {
      const QString at = QDir(files->directory()).canonicalPath();
      const QString home = QDir(QString::fromStdString(ProgramFolder().string())).canonicalPath();
      if (at != home && !at.startsWith(home + "/"))
        faults << "the file dialog '" + files->windowTitle() + "' starts in " + at + ", not in the program folder";
    }
    if (auto* dialog = qobject_cast<QDialog*>(modal); dialog && injectRecursiveExec_) {
      injectRecursiveExec_ = false;
      Journal("opens '" + modal->windowTitle() + "' again inside its own loop"), dialog->exec();
    }
    if (Chance(25)) return UnderModal(modal);
    for (const char* kind : kQtDialogs)
      if (modal->inherits(kind)) return Journal("closes the dialog '" + modal->windowTitle() + "'"), CloseWidget(modal);
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      QAbstractButton* b = PickOf(box->buttons());
      Journal("answers '" + box->text().left(60) + "' with " + (b ? b->text() : "nothing"));
      return b ? b->click() : void();
    }
    if (auto* input = qobject_cast<QInputDialog*>(modal)) {
      if (Chance(50)) input->setTextValue(QString::fromUtf8(kTexts[Pick(std::size(kTexts))]));
      const bool ok = Chance(60);
      Journal("answers the input box '" + input->labelText().left(60) + "' with " +
              (ok ? input->textValue() : "Cancel"));
      return ok ? input->accept() : input->reject();
    }
    if (QThread::currentThread()->loopLevel() > 8 || Chance(15))
      return Journal("closes " + Describe(modal)), CloseWidget(modal);
    Input(modal);
  }

  // What the racer sees of every window: its title, its marks and check boxes, its values and picks.
  static QStringList Looks() {
    QStringList out;
    for (QWidget* w : Windows()) {
      out << Describe(w) + " '" + w->windowTitle() + "'";
      for (QWidget* c : w->findChildren<QWidget*>())
        if (auto* b = qobject_cast<QAbstractButton*>(c); b && b->isCheckable())
          out << Describe(b) + QString::number(b->isChecked());
        else if (auto* e = qobject_cast<QLineEdit*>(c)) out << Describe(e) + " '" + e->text() + "'";
        else if (auto* l = qobject_cast<QComboBox*>(c)) out << Describe(l) + " #" + QString::number(l->currentIndex());
        else if (qobject_cast<QPlainTextEdit*>(c) || qobject_cast<PageView*>(c)) out << Describe(c) + Shown(c);
      for (QAction* a : w->findChildren<QAction*>())
        if (a->isCheckable()) out << "mark '" + a->text() + "' " + QString::number(a->isChecked());
    }
    return out;
  }

  // A press, an entry, a pick or a menu item in a window under the box, as a screen reader reaches it: nothing
  // that the racer sees changes.
  void UnderModal(QWidget* modal) {
    const QStringList before = Looks();
    Aim(modal);
    const QStringList after = Looks();
    for (qsizetype i = 0; i < std::max(before.size(), after.size()); ++i)
      if (before.value(i) != after.value(i))
        return void(faults << "under '" + modal->windowTitle() + "' (action " + QString::number(g_actions) +
                                  "): " + before.value(i) + " became " + after.value(i));
  }
  void Aim(QWidget* modal) {
    QList<QWidget*> under = Windows();
    under.removeIf([modal](QWidget* w) { return w == modal || QtDialog(w) || !w->isEnabled(); });
    QWidget* window = PickOf(under);
    if (!window) return;
    QList<QWidget*> controls = window->findChildren<QWidget*>();
    controls.removeIf([window](QWidget* c) {
      return !c->isVisible() || !c->isEnabled() || c->window() != window ||
             !(qobject_cast<QAbstractButton*>(c) || qobject_cast<QLineEdit*>(c) || qobject_cast<QComboBox*>(c) ||
               ReadOnlyText(c));
    });
    QList<QAction*> items;
    for (QMenuBar* bar : window->findChildren<QMenuBar*>()) items += Usable(bar->actions());
    const QString under_ = " under '" + modal->windowTitle() + "'";
    QAction* a = PickOf(items);
    a = a && a->menu() && Chance(20) ? PickOf(Usable(a->menu()->actions())) : nullptr;
    QWidget* c = PickOf(controls);
    if (a && !a->menu()) {
      Journal("menu '" + a->text() + "'" + under_), test::AsScreenReader(a, [a] { a->trigger(); });
    } else if (!c) {
      return;
    } else if (ReadOnlyText(c)) {
      WriteReadOnly(c, under_);
    } else if (auto* box = qobject_cast<QLineEdit*>(c); box && !qobject_cast<QComboBox*>(box->parentWidget())) {
      const QString text = QString::fromUtf8(kTexts[Pick(std::size(kTexts))]);
      Journal("sets '" + text + "' into " + Describe(box) + under_);
      QPointer<QLineEdit> guard(box);
      for (QEvent::Type type : {QEvent::FocusIn, QEvent::FocusOut}) {
        // As a screen reader sets it, or as Qt's own setter does.
        if (type == QEvent::FocusOut && guard)
          test::AsScreenReader(guard, [&, setter = Chance(50)] {
            if (setter) guard->setText(text);
            else QAccessible::queryAccessibleInterface(guard)->setText(QAccessible::Value, text);
          });
        if (QFocusEvent e(type, Qt::TabFocusReason); guard) QApplication::sendEvent(guard, &e);
      }
    } else if (auto* list = qobject_cast<QComboBox*>(c); list && list->count() > 0) {
      const int i = Pick(size_t(list->count()));
      Journal(QString("picks item %1 of ").arg(i) + Describe(list) + under_);
      test::AsScreenReader(list, [list, i] { list->setCurrentIndex(i), emit list->activated(i); });
    } else if (auto* button = qobject_cast<QAbstractButton*>(c); button && button->isCheckable() && Chance(50)) {
      Journal("toggles " + Describe(button) + under_);  // a screen reader's "toggle", not a click
      test::AsScreenReader(button, [button] {
        QAccessible::queryAccessibleInterface(button)->actionInterface()->doAction(
            QAccessibleActionInterface::toggleAction());
      });
    } else if (auto* button = qobject_cast<QAbstractButton*>(c)) {
      Journal("presses " + Describe(button) + under_), test::AsScreenReader(button, [button] { button->click(); });
    }
  }

  // A screen reader's set-text, insert, delete or replace.
  void WriteReadOnly(QWidget* c, const QString& where) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(c);
    QAccessibleEditableTextInterface* e = a->editableTextInterface();
    const QString text = QString::fromUtf8(kTexts[Pick(std::size(kTexts))]);
    const int size = int(a->text(QAccessible::Value).size()), from = Pick(size_t(size) + 1),
              to = from + Pick(size_t(size - from) + 1), how = e ? Pick(4) : 0;
    const QString hows[] = {"sets '" + text + "'", "inserts '" + text + "'", "deletes", "replaces with '" + text + "'"};
    Journal(QString("%1 at %2..%3 in the read-only ").arg(hows[how]).arg(from).arg(to) + Describe(c) + where);
    test::AsScreenReader(c, [&] {
      if (how == 0) a->setText(QAccessible::Value, text);
      else if (how == 1) e->insertText(from, text);
      else if (how == 2) e->deleteText(from, to);
      else e->replaceText(from, to, text);
    });
  }

  void Input(QWidget* window) {
    seen << window->metaObject()->className();
    QList<QWidget*> targets = window->findChildren<QWidget*>();
    for (QWidget* c : targets)  // nobody presses what nobody sees
      if (c->isHidden() && c->testAttribute(Qt::WA_WState_ExplicitShowHide) && c->isEnabled() &&
          (qobject_cast<QAbstractButton*>(c) || qobject_cast<QLineEdit*>(c) || qobject_cast<QComboBox*>(c)))
        faults << "the hidden control " + Describe(c) + " can be used";
    targets.removeIf([window](QWidget* w) { return !w->isVisible() || !w->isEnabled() || w->window() != window; });
    for (QWidget* w : targets)
      if (qobject_cast<QPlainTextEdit*>(w) && !qobject_cast<TextBox*>(w))
        faults << "the multi-line box " + Describe(w) + " is not a TextBox";
    QList<QWidget*> readOnly = targets;
    readOnly.removeIf([](QWidget* c) { return !ReadOnlyText(c); });
    if (QPointer<QWidget> text = Chance(10) ? PickOf(readOnly) : nullptr) {
      const QString before = Shown(text);
      WriteReadOnly(text, "");
      if (text && Shown(text) != before)
        faults << "the read-only text " + Describe(text) + " (action " + QString::number(g_actions) + "):" + before +
                      " became" + Shown(text);
      return;
    }
    targets.prepend(window);
    QPointer<QWidget> w = PickOf(targets);
    const QPoint at(Pick(size_t(w->width())), Pick(size_t(w->height())));
    const QString where = QString(" at (%1,%2) on ").arg(at.x()).arg(at.y()) + Describe(w);
    auto focus = [&] {  // where keys go: the window's focus, else the widget
      QWidget* f = QApplication::focusWidget();
      return f && f->window() == window ? f : w.data();
    };
    const int r = Pick(100);
    if (r < 30) {
      Journal("click" + where), Click(w, Qt::LeftButton, at);
    } else if (r < 35) {
      Journal("double click" + where), Click(w, Qt::LeftButton, at);
      if (w) QTest::mouseDClick(w, Qt::LeftButton, {}, at);
    } else if (r < 39) {
      Journal("middle click" + where), Click(w, Qt::MiddleButton, at);
    } else if (r < 43) {
      Journal("context menu" + where);
      QContextMenuEvent e(QContextMenuEvent::Mouse, at, w->mapToGlobal(at));
      QApplication::sendEvent(w, &e);
    } else if (r < 47) {
      Journal("wheel" + where);
      QWheelEvent e(at, w->mapToGlobal(at), {}, {0, Chance(50) ? 120 : -120}, {}, {}, Qt::NoScrollPhase, false);
      QApplication::sendEvent(w, &e);
    } else if (r < 75) {
      const QKeyCombination key = QKeySequence(kKeys[Pick(std::size(kKeys))])[0];
      QWidget* to = Chance(50) ? focus() : w.data();
      Journal("key " + QKeySequence(key).toString() + " on " + Describe(to));
      QTest::keyClick(to, key.key(), key.keyboardModifiers());
    } else {
      if (Chance(5)) QGuiApplication::clipboard()->setMimeData(new QMimeData);
      else if (Chance(5)) QGuiApplication::clipboard()->setText("42");
      const QString text = QString::fromUtf8(kTexts[Pick(std::size(kTexts))]);
      Journal("types '" + text + "' into " + Describe(w));
      if (Chance(50)) Click(w, Qt::LeftButton, at);
      for (QChar c : text) {
        if (!w) break;
        const Qt::Key key = c.unicode() < 128 ? QTest::asciiToKey(char(c.unicode())) : Qt::Key(c.toUpper().unicode());
        QTest::sendKeyEvent(QTest::Click, focus(), key, QString(c), {});
      }
    }
  }
  // A press and a release, the release only if the press left the widget.
  static void Click(QWidget* w, Qt::MouseButton button, QPoint at) {
    QPointer<QWidget> guard(w);
    QTest::mousePress(w, button, {}, at);
    if (guard) QTest::mouseRelease(guard, button, {}, at);
  }

  std::mt19937 rng_;
  const long target_;
  const qint64 deadline_;
  int generation_ = 0, withoutMain_ = 0, closing_ = 0, popupActions_ = 0;
  bool injectRecursiveExec_ = qEnvironmentVariable("SW_RANDOM_INJECT") == "recursive-exec";
  QElapsedTimer sinceStep_;
  QPointer<QWidget> lastPopup_;
};

// Leaves what the last start left open, as the end of the process would; a box then opened is closed at once.
void CloseEverything() {
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [] {
    if (QWidget* front = Front()) CloseWidget(front);
  });
  closer.start(0);
  DefaultInstance<frmMain>::Unload();
  Settle();
  for (QWidget* w : QApplication::topLevelWidgets()) w->close();
  Settle();
  for (QWidget* w : QApplication::topLevelWidgets())
    if (!w->parentWidget()) w->deleteLater();
  Settle();
}

long FromEnvironment(const char* name, long fallback) {
  const long v = qEnvironmentVariableIntValue(name);
  return v > 0 ? v : fallback;
}

}  // namespace

// Not under the test library's crash handler, which would take a crash from the sanitizers and from the above.
int main(int argc, char** argv) {
  QApplication app(argc, argv);
  g_seed = unsigned(FromEnvironment("SW_RANDOM_SEED", 5));
  const long target = FromEnvironment("SW_RANDOM_ACTIONS", 10000);
  std::printf("random input: seed %u, %ld actions\n", g_seed, target);
#if defined(__SANITIZE_ADDRESS__)
  __sanitizer_set_death_callback(PrintJournal);
#else
  for (int sig : {SIGSEGV, SIGABRT, SIGFPE, SIGBUS, SIGILL}) std::signal(sig, OnFatalSignal);
#endif
  // A run that takes no input for a minute hangs: where it is, the journal, and the end.
  std::signal(SIGUSR1, OnStackRequest);
  std::jthread watchdog([program = pthread_self()](std::stop_token end) {
    for (long last = -1, still = 0; !end.stop_requested(); last = g_actions) {
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
      still = g_actions == last ? still + 1 : 0;
      if (still < 600) continue;
      std::fprintf(stderr, "random input: no action for a minute, stuck in:\n");
      pthread_kill(program, SIGUSR1);
      std::this_thread::sleep_for(std::chrono::seconds(2));
      PrintJournal(), std::_Exit(1);
    }
  });
  qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtDebugMsg || type == QtInfoMsg || Noise(text)) return;
    std::fprintf(stderr, "%s\n", qPrintable(text));
    if (type == QtFatalMsg) PrintJournal(), std::abort();
    if (g_warnings.size() < 20) g_warnings << "Qt warned: " + text + " (action " + QString::number(g_actions) + ")";
  });

  QtUi ui;
  TempFolder home;  // the program folder of every start
  SetSeedFolder(kShippedData);
  InstallKeyboardAccess([] { return static_cast<QWidget*>(DefaultInstance<frmMain>::IfLoaded()); });
  QGuiApplication::clipboard()->setMimeData(new QMimeData);
  RandomInput run(g_seed, target, FromEnvironment("SW_RANDOM_SECONDS", 120));
  int starts = 0;
  while (!run.Done()) {
    ShellScene fresh;  // the program-wide values as a fresh start has them
    SetProgramFolder(home.path());
    SetUi(&ui);
    EnsureProgramFolder();
    Journal(QString("start %1").arg(++starts));
    Main({});
    if (!ProgramEnding()) run.RunOneStart();
    CloseEverything();
  }
  watchdog.request_stop();
  run.seen.removeDuplicates();
  run.seen.sort();
  std::printf("random input: %ld actions over %d starts in %lld ms%s, into %lld windows: %s\n", long(g_actions), starts,
              run.clock.elapsed(), g_actions < target ? " (the deadline came first)" : "", run.seen.size(),
              qPrintable(run.seen.join(" ")));
  run.faults += g_warnings;
  run.faults.removeDuplicates();
  if (run.faults.isEmpty()) return 0;
  std::printf("random input: FAIL\n%s\n", qPrintable(run.faults.join("\n")));
  PrintJournal();
  return 1;
}
