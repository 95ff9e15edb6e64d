// A seeded random-input run of the whole windowed program, in process: keys,
// typed entries and mouse events into random visible, enabled widgets of
// every window, the main buttons, menus and "Clc" buttons now and then, the
// boxes answered at random, file and print dialogs closed, and a new start
// whenever the program ends. Nothing may crash, hang or touch freed memory
// (the sanitizer build runs it too), every multi-line box takes a paste from
// an empty clipboard, and every file dialog starts in the program folder.
//
// SW_RANDOM_SEED and SW_RANDOM_ACTIONS replay a run (SW_RANDOM_TRACE=1 prints
// every action); a failure prints the seed and the last actions.
#include <QAbstractButton>
#include <QAbstractPrintDialog>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPageSetupDialog>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QThread>
#include <QtTest>
#include <array>
#include <atomic>
#include <csignal>
#include <execinfo.h>
#include <pthread.h>
#include <cstdio>
#include <random>
#include <thread>

#include "platform/qt/keyboard_access.h"
#include "platform/qt/qt_ui.h"
#include "platform/qt/text_box.h"
#include "shell/program_main.h"
#include "shell_fixture.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#endif

using namespace sw;

namespace {

// The last actions, printed when the run fails, dies or hangs.
struct Journal {
  unsigned seed = 0;
  std::atomic<long> count{0};
  std::array<std::string, 40> lines;

  bool trace = qEnvironmentVariableIsSet("SW_RANDOM_TRACE");  // every action as it happens

  void Add(const QString& line) {
    const long n = ++count;
    lines[size_t(n) % lines.size()] = QString("%1: %2").arg(n).arg(line).toStdString();
    if (trace) std::fprintf(stderr, "%s\n", lines[size_t(n) % lines.size()].c_str());
  }
  void Print() const {
    std::fprintf(stderr, "\nrandom input: seed %u (replay: SW_RANDOM_SEED=%u), the last actions:\n", seed, seed);
    const long n = count;
    for (long i = std::max(1L, n - long(lines.size()) + 1); i <= n; ++i)
      std::fprintf(stderr, "  %s\n", lines[size_t(i) % lines.size()].c_str());
    std::fflush(stderr);
  }
};
Journal g_journal;

void PrintJournal() { g_journal.Print(); }

// Qt's and the test library's warnings about input nobody took say nothing
// here; what is worse than a warning is still printed.
void QuietWarnings(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "%s\n", qPrintable(text));
  if (type == QtFatalMsg) {
    PrintJournal();
    std::abort();
  }
}
// Where the program stands when it stopped taking input.
extern "C" void OnStuck(int) {
  std::fprintf(stderr, "random input: the program stands here:\n");
#if defined(__SANITIZE_ADDRESS__)
  __sanitizer_print_stack_trace();
#else
  void* frames[64];
  backtrace_symbols_fd(frames, backtrace(frames, 64), 2);
#endif
}
extern "C" void OnFatalSignal(int sig) {
  PrintJournal();
  std::signal(sig, SIG_DFL);
  std::raise(sig);
}

QString Describe(QWidget* w) {
  if (!w) return "nothing";
  QString name = w->objectName().isEmpty() ? w->metaObject()->className() : w->objectName();
  if (auto* b = qobject_cast<QAbstractButton*>(w)) name += " '" + b->text() + "'";
  QWidget* top = w->window();
  return top == w ? name : QString(top->metaObject()->className()) + "/" + name;
}

// Figures in and out of range, and what is no figure. (A figure far beyond
// any range that reaches a calculation untested, a torque or a track length,
// makes each run take seconds: the run steps in 20 / torque seconds.)
const char* const kTexts[] = {"0",   "1",    "12.5", "-3",  "999",  "-0",    ".",   "5,5",   "abc", " ",
                              "3850", "4.10", "6001", "0.0001", "-1e-9", "ÄÖü", "\"q\"", "x,y,z", "7"};

struct Key {
  Qt::Key key;
  Qt::KeyboardModifiers mods;
};
const Key kKeys[] = {{Qt::Key_Tab, {}},       {Qt::Key_Backtab, Qt::ShiftModifier},
                     {Qt::Key_Return, {}},    {Qt::Key_Enter, Qt::KeypadModifier},
                     {Qt::Key_Escape, {}},    {Qt::Key_Up, {}},
                     {Qt::Key_Down, {}},      {Qt::Key_Left, {}},
                     {Qt::Key_Right, {}},     {Qt::Key_PageDown, {}},
                     {Qt::Key_Home, {}},      {Qt::Key_End, {}},
                     {Qt::Key_Space, {}},     {Qt::Key_Backspace, {}},
                     {Qt::Key_Delete, {}},    {Qt::Key_F1, {}},
                     {Qt::Key_F2, {}},        {Qt::Key_V, Qt::ControlModifier},
                     {Qt::Key_Insert, Qt::ShiftModifier}, {Qt::Key_C, Qt::ControlModifier},
                     {Qt::Key_Z, Qt::ControlModifier},    {Qt::Key_F, Qt::AltModifier},
                     {Qt::Key_H, Qt::AltModifier},        {Qt::Key_C, Qt::AltModifier},
                     {Qt::Key_S, Qt::ControlModifier},    {Qt::Key_O, Qt::ControlModifier},
                     {Qt::Key_A, Qt::ControlModifier},    {Qt::Key_X, Qt::ControlModifier},
                     {Qt::Key_Alt, {}}};

class RandomInput {
 public:
  RandomInput(unsigned seed, long target) : rng_(seed), target_(target) { clock_.start(); }

  long Actions() const { return g_journal.count; }
  const QStringList& Faults() const { return faults_; }
  QString LongestWait() const { return QString("%1 ms after: %2").arg(longestWait_).arg(longestAfter_.left(80)); }
  QStringList WindowsSeen() const { return QStringList(seen_.begin(), seen_.end()); }

  // One start of the program, until it ends or the actions are done.
  void RunOneStart() {
    ++generation_;
    lastAt_ = clock_.elapsed();
    Next();
    QApplication::exec();
    ++generation_;
  }

 private:
  int Pick(int n) { return n <= 1 ? 0 : std::uniform_int_distribution<int>(0, n - 1)(rng_); }
  bool Chance(int percent) { return Pick(100) < percent; }
  template <class T>
  T PickOf(const QList<T>& list) {
    return list.isEmpty() ? T{} : list[Pick(int(list.size()))];
  }

  // The next action runs from the event loop: a box opened by this one runs
  // a loop of its own, in which the next action answers it.
  void Next() {
    const int generation = generation_;
    QTimer::singleShot(0, qApp, [this, generation] {
      if (generation == generation_) Step();
    });
  }

  void Log(const QString& what) {
    g_journal.Add(what);
    last_ = what;
  }

  void Step() {
    // The longest wait between two actions, and what came before it.
    const qint64 now = clock_.elapsed();
    if (now - lastAt_ > longestWait_) longestWait_ = now - lastAt_, longestAfter_ = last_;
    lastAt_ = now;
    if (Actions() >= target_) return Finish();
    Next();
    const long before = Actions();
    Act();
    if (Actions() == before) Log("nothing to do");
  }

  void Act() {
    if (QWidget* popup = QApplication::activePopupWidget()) return Popup(popup);
    if (QWidget* modal = QApplication::activeModalWidget()) return Modal(modal);
    if (!DefaultInstance<frmMain>::IfLoaded()) {
      if (++withoutMain_ > 200) {
        faults_ << "the program runs on without its main window";
        Log("no main window: new start");
        QCoreApplication::exit(0);
      }
    } else {
      withoutMain_ = 0;
    }
    const int r = Pick(100);
    if (r < 5) return MainButton();
    if (r < 10) return MenuItem();
    if (r < 13) return Clc();
    if (r < 15) return WindowAction();
    QList<QWidget*> windows = Windows();
    if (!windows.isEmpty()) Input(PickOf(windows));
  }

  // Closes what is open over the program, then leaves the event loop.
  void Finish() {
    if (QWidget* popup = QApplication::activePopupWidget()) {
      popup->close();
    } else if (QWidget* modal = QApplication::activeModalWidget(); modal && ++closing_ < 200) {
      if (auto* d = qobject_cast<QDialog*>(modal)) d->reject();
      else modal->close();
    } else {
      QCoreApplication::exit(0);
      return;
    }
    Next();
  }

  QList<QWidget*> Windows() const {
    QList<QWidget*> out;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->isVisible() && w->windowType() != Qt::ToolTip && w->windowType() != Qt::Popup) out << w;
    return out;
  }

  QList<QWidget*> Targets(QWidget* window) {
    seen_.insert(window->metaObject()->className());
    QList<QWidget*> out{window};
    for (QWidget* w : window->findChildren<QWidget*>()) {
      if (!w->isVisible() || !w->isEnabled() || w->window() != window) continue;
      if (qobject_cast<QPlainTextEdit*>(w) && !qobject_cast<TextBox*>(w))
        Fault("the multi-line box " + Describe(w) + " is not a TextBox");
      out << w;
    }
    return out;
  }

  void Fault(const QString& what) {
    if (!faults_.contains(what)) faults_ << what;
  }

  // --- the boxes and dialogs in front

  void Popup(QWidget* popup) {
    // A pop-up that stays whatever keys it gets is closed as a click beside it would.
    popupActions_ = popup == lastPopup_ ? popupActions_ + 1 : 0;
    lastPopup_ = popup;
    if (popupActions_ > 30) {
      Log("closes the pop-up " + Describe(popup));
      return void(popup->close());
    }
    if (auto* menu = qobject_cast<QMenu*>(popup); menu && Chance(70)) {
      QList<QAction*> items;
      for (QAction* a : menu->actions())
        if (a->isEnabled() && a->isVisible() && !a->isSeparator()) items << a;
      if (QAction* a = PickOf(items)) {
        Log("menu item '" + a->text() + "'");
        menu->setActiveAction(a);
        return KeyToPopup(menu, Qt::Key_Return);
      }
    }
    if (Chance(50)) {
      Log("Escape on the pop-up " + Describe(popup));
      return KeyToPopup(popup->focusWidget() ? popup->focusWidget() : popup, Qt::Key_Escape);
    }
    QWidget* to = popup->focusWidget() ? popup->focusWidget() : popup;
    const Key k = Pick(3) == 0 ? Key{Qt::Key_Return, {}} : Key{Pick(2) ? Qt::Key_Down : Qt::Key_Up, {}};
    Log(QString("key %1 on the pop-up %2").arg(QKeySequence(k.key).toString(), Describe(popup)));
    KeyToPopup(to, k.key);
  }

  void Modal(QWidget* modal) {
    if (auto* files = qobject_cast<QFileDialog*>(modal)) {
      const QString at = QDir(files->directory()).canonicalPath();
      const QString home = QDir(QString::fromStdString(ProgramFolder().string())).canonicalPath();
      if (at != home && !at.startsWith(home + "/"))
        Fault("the file dialog '" + files->windowTitle() + "' starts in " + at + ", not in the program folder");
      Log("closes the file dialog '" + files->windowTitle() + "'");
      return files->reject();
    }
    if (qobject_cast<QPrintPreviewDialog*>(modal) || qobject_cast<QAbstractPrintDialog*>(modal) ||
        qobject_cast<QPageSetupDialog*>(modal)) {
      Log("closes the print dialog '" + modal->windowTitle() + "'");
      return static_cast<QDialog*>(modal)->reject();
    }
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      QAbstractButton* b = PickOf(box->buttons());
      Log("answers '" + box->text().left(60) + "' with " + (b ? b->text() : "nothing"));
      if (b) b->click();
      return;
    }
    if (auto* input = qobject_cast<QInputDialog*>(modal)) {
      if (Chance(50)) input->setTextValue(QString::fromUtf8(kTexts[Pick(int(std::size(kTexts)))]));
      const bool ok = Chance(60);
      Log("answers the input box '" + input->labelText().left(60) + "' with " + (ok ? input->textValue() : "Cancel"));
      return ok ? input->accept() : input->reject();
    }
    // One of the program's windows, shown modally: used, and closed now and then.
    if (QThread::currentThread()->loopLevel() > 8 || Chance(15)) {
      Log("closes " + Describe(modal));
      if (auto* d = qobject_cast<QDialog*>(modal)) d->reject();
      else modal->close();
      return;
    }
    Input(modal);
  }

  // --- the program's own buttons and menus

  void MainButton() {
    frmMain* m = DefaultInstance<frmMain>::IfLoaded();
    if (!m) return;
    QList<QWidget*> buttons;
    for (QPushButton* b : m->Picture1->findChildren<QPushButton*>()) buttons << b;
    for (QPushButton* b : m->Picture2->findChildren<QPushButton*>()) buttons << b;
    buttons.removeIf([](QWidget* b) { return !b->isVisible() || !b->isEnabled(); });
    if (QWidget* b = PickOf(buttons)) {
      Log("main button " + Describe(b));
      Click(b, Qt::LeftButton, b->rect().center());
    }
  }

  void MenuItem() {
    QList<QAction*> items;
    std::function<void(QMenu*)> collect = [&](QMenu* menu) {
      for (QAction* a : menu->actions()) {
        if (!a->isEnabled() || !a->isVisible() || a->isSeparator()) continue;
        if (a->menu()) collect(a->menu());
        else items << a;
      }
    };
    for (QWidget* w : Windows())
      for (QMenuBar* bar : w->findChildren<QMenuBar*>())
        if (bar->isVisible() && bar->isEnabled())
          for (QAction* a : bar->actions())
            if (a->isEnabled() && a->isVisible()) a->menu() ? collect(a->menu()) : void(items << a);
    if (QAction* a = PickOf(items)) {
      Log("menu '" + a->text() + "'");
      a->trigger();
    }
  }

  void Clc() {
    QList<QWidget*> buttons;
    for (QWidget* w : Windows())
      for (QPushButton* b : w->findChildren<QPushButton*>())
        if (b->objectName().startsWith("ClcBttn") && b->isVisible() && b->isEnabled()) buttons << b;
    if (QWidget* b = PickOf(buttons)) {
      Log("Clc " + Describe(b));
      Click(b, Qt::LeftButton, b->rect().center());
    }
  }

  void WindowAction() {
    QWidget* w = PickOf(Windows());
    if (!w) return;
    if (Chance(50)) {
      Log("activates " + Describe(w));
      w->raise();
      w->activateWindow();
      QApplication::setActiveWindow(w);
    } else {
      Log("closes " + Describe(w));
      w->close();
    }
  }

  // --- input into a widget

  void Input(QWidget* window) {
    QPointer<QWidget> w = PickOf(Targets(window));
    if (!w) return;
    const QPoint at(Pick(std::max(1, w->width())), Pick(std::max(1, w->height())));
    const int r = Pick(100);
    if (r < 30) {
      Log("click at (" + QString::number(at.x()) + "," + QString::number(at.y()) + ") on " + Describe(w));
      Click(w, Qt::LeftButton, at);
    } else if (r < 35) {
      Log("double click on " + Describe(w));
      Click(w, Qt::LeftButton, at);
      if (w) QTest::mouseDClick(w, Qt::LeftButton, {}, at);
    } else if (r < 39) {
      Log("middle click on " + Describe(w));
      Click(w, Qt::MiddleButton, at);
    } else if (r < 43) {
      Log("context menu on " + Describe(w));
      QContextMenuEvent e(QContextMenuEvent::Mouse, at, w->mapToGlobal(at));
      QApplication::sendEvent(w, &e);
    } else if (r < 47) {
      Log("wheel on " + Describe(w));
      QWheelEvent e(at, w->mapToGlobal(at), {}, QPoint(0, Chance(50) ? 120 : -120), Qt::NoButton, {},
                    Qt::NoScrollPhase, false);
      QApplication::sendEvent(w, &e);
    } else if (r < 75) {
      QWidget* focus = QApplication::focusWidget();
      QWidget* to = focus && focus->window() == window && Chance(50) ? focus : w.data();
      const Key k = kKeys[Pick(int(std::size(kKeys)))];
      Log(QString("key %1 on %2").arg(QKeySequence(k.key | k.mods).toString(), Describe(to)));
      KeyTo(to, k.key, k.mods);
    } else {
      if (Chance(10)) {
        // Something else on the clipboard now and then; mostly nothing.
        if (Chance(50)) QGuiApplication::clipboard()->setMimeData(new QMimeData);
        else QGuiApplication::clipboard()->setText("42");
      }
      const QString text = QString::fromUtf8(kTexts[Pick(int(std::size(kTexts)))]);
      Log("types '" + text + "' into " + Describe(w));
      if (Chance(50)) Click(w, Qt::LeftButton, at);
      for (QChar c : text) {
        if (!w) break;
        QPointer<QWidget> to = QApplication::focusWidget() && QApplication::focusWidget()->window() == window
                                   ? QApplication::focusWidget()
                                   : w.data();
        const Qt::Key key = c.unicode() < 128 ? QTest::asciiToKey(char(c.unicode())) : Qt::Key(c.toUpper().unicode());
        QTest::sendKeyEvent(QTest::Press, to, key, QString(c), {});
        if (to) QTest::sendKeyEvent(QTest::Release, to, key, QString(c), {});
      }
    }
  }

  // A press and a release, the release only if the press left the widget.
  static void Click(QWidget* w, Qt::MouseButton button, QPoint at) {
    QPointer<QWidget> guard(w);
    QTest::mousePress(w, button, {}, at);
    if (guard) QTest::mouseRelease(guard, button, {}, at);
  }
  // A pop-up holds the keyboard: its keys reach it before any shortcut.
  static void KeyToPopup(QWidget* w, Qt::Key key) {
    QPointer<QWidget> guard(w);
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    if (guard) QApplication::sendEvent(guard, &release);
  }
  static void KeyTo(QWidget* w, Qt::Key key, Qt::KeyboardModifiers mods) {
    QPointer<QWidget> guard(w);
    QTest::keyPress(w, key, mods);
    if (guard) QTest::keyRelease(guard, key, mods);
  }

  std::mt19937 rng_;
  long target_;
  int generation_ = 0, withoutMain_ = 0, closing_ = 0, popupActions_ = 0;
  QPointer<QWidget> lastPopup_;
  QStringList faults_;
  QSet<QString> seen_;
  QElapsedTimer clock_;
  qint64 lastAt_ = 0, longestWait_ = 0;
  QString last_, longestAfter_;
};

// Leaves what the last start left open, as the end of the process would.
// Events still posted then never run in the program; here a box they open
// is closed at once.
void CloseEverything() {
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [] {
    if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
    if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget())) d->reject();
    else if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
  });
  closer.start(0);
  DefaultInstance<frmMain>::Unload();
  Settle();
  for (QWidget* w : QApplication::topLevelWidgets()) w->close();
  Settle();
  QList<QPointer<QWidget>> left;
  for (QWidget* w : QApplication::topLevelWidgets()) left << w;
  for (const QPointer<QWidget>& w : left)
    if (w && !w->parentWidget()) delete w.data();
  Settle();
}

long FromEnvironment(const char* name, long fallback) {
  bool ok = false;
  const long v = qEnvironmentVariable(name).toLong(&ok);
  return ok && v > 0 ? v : fallback;
}

}  // namespace

class RandomInputTest : public QObject {
  Q_OBJECT

 private slots:
  void tenThousandRandomActions() {
    const auto seed = unsigned(FromEnvironment("SW_RANDOM_SEED", 5));
    const long target = FromEnvironment("SW_RANDOM_ACTIONS", 10000);
    g_journal.seed = seed;
    std::printf("random input: seed %u, %ld actions\n", seed, target);
    std::fflush(stdout);
#if defined(__SANITIZE_ADDRESS__)
    __sanitizer_set_death_callback(PrintJournal);
#else
    for (int sig : {SIGSEGV, SIGABRT, SIGFPE, SIGBUS, SIGILL}) std::signal(sig, OnFatalSignal);
#endif
    // A run that stops moving is a hang: say where, and end.
    std::atomic<bool> done{false};
    std::signal(SIGUSR2, OnStuck);
    std::thread watchdog([&done, main = pthread_self()] {
      long last = -1;
      for (int still = 0; !done; std::this_thread::sleep_for(std::chrono::milliseconds(100))) {
        const long now = g_journal.count;
        still = now == last ? still + 1 : 0;
        last = now;
        if (still > 600) {
          std::fprintf(stderr, "random input: no action for a minute\n");
          pthread_kill(main, SIGUSR2);
          std::this_thread::sleep_for(std::chrono::seconds(2));
          PrintJournal();
          std::_Exit(1);
        }
      }
    });

    const QtMessageHandler previousHandler = qInstallMessageHandler(QuietWarnings);
    TempFolder folder;
    SetProgramFolder(folder.path());
    SetSeedFolder(kShippedData);
    QtUi ui;
    FakePrograms programs;
    InstallKeyboardAccess([] { return static_cast<QWidget*>(DefaultInstance<frmMain>::IfLoaded()); });
    QGuiApplication::clipboard()->setMimeData(new QMimeData);

    RandomInput run(seed, target);
    QElapsedTimer clock;
    clock.start();
    int starts = 0;
    while (run.Actions() < target) {
      ResetProgramState();
      SetUi(&ui);
      SetPrograms(&programs);
      QVERIFY(EnsureProgramFolder());
      InstallQtWindows();
      ++starts;
      g_journal.Add(QString("start %1").arg(starts));
      Main({});
      if (!ProgramEnding()) run.RunOneStart();
      CloseEverything();
    }
    done = true;
    watchdog.join();
    qInstallMessageHandler(previousHandler);
    QStringList seen = run.WindowsSeen();
    seen.sort();
    std::printf("random input: %ld actions over %d starts in %lld ms, into %lld windows: %s\n", run.Actions(), starts,
                clock.elapsed(), seen.size(), qPrintable(seen.join(" ")));
    std::printf("random input: the longest wait for the program, %s\n", qPrintable(run.LongestWait()));
    std::fflush(stdout);
    if (!run.Faults().isEmpty()) PrintJournal();
    QVERIFY2(run.Faults().isEmpty(), qPrintable(run.Faults().join("\n")));

    ResetProgramEnding();
    SetUi(nullptr);
    SetPrograms(nullptr);
    SetWindows(nullptr);
    SetFileWindows(nullptr);
    SetProgramFolder({});
  }
};

// The test library's crash handler would take a crash from the sanitizers
// (and from the handler above, which names the actions that led to it).
int main(int argc, char** argv) {
  QApplication app(argc, argv);
  RandomInputTest test;
  std::vector<char*> args(argv, argv + argc);
  char noCrashHandler[] = "-nocrashhandler";
  args.push_back(noCrashHandler);
  return QTest::qExec(&test, int(args.size()), args.data());
}

#include "random_input_qtest.moc"
