// While a calculation, a Match or a dial-in prediction lets window events through, every control of every window
// that is open is worked, as a screen reader can: each value box left with a figure in range and one far outside,
// each item of each pick list picked, each button pressed but Cancel, each menu item chosen. The figures are those
// of the undisturbed run, to the last digit.
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QtWidgets>
#include <array>

#include "calcmenus/frm_calc_data.h"
#include "dialin/dialin_state.h"
#include "dialin/frm_dial_in.h"
#include "files/file_write.h"
#include "match/frm_disp.h"
#include "match/frm_prgrs.h"
#include "platform/qt/window_lifetime.h"
#include "printing/prnt_optns.h"
#include "results/frm_disp_grid.h"
#include "results/frm_graph.h"
#include "printing/file_optns.h"
#include "shell/frm_disp_cmnts.h"
#include "shell/frm_save_file.h"
#include "shell/user_actions.h"
#include "specs/spec_window_fixture.h"
#include "specs/tires_rules.h"
#include "support/qt/screen_reader.h"

using namespace sw;

namespace {

// A click of the mouse's first button on `b`, as X hands it to Qt (XInput 2): on a desktop the window manager hands
// the front to its window before Qt hands the click on. Let go at `offset` from the button's centre.
void ClickAsXReadsIt(QWidget* b, QPoint offset = {}) {
  const uint32_t window = uint32_t(b->window()->windowHandle()->winId()), button = 1;
  const QPoint at = b->mapTo(b->window(), b->rect().center());
  static uint32_t time = 0;
  for (const uint16_t type : {4, 5}) {  // the press, then its release
    alignas(8) uint8_t e[64] = {35};
    ++time;
    const int32_t x = (at.x() + (type == 5 ? offset.x() : 0)) << 16, y = (at.y() + (type == 5 ? offset.y() : 0)) << 16;
    std::memcpy(e + 8, &type, 2), std::memcpy(e + 12, &time, 4), std::memcpy(e + 16, &button, 4);
    std::memcpy(e + 24, &window, 4), std::memcpy(e + 44, &x, 4), std::memcpy(e + 48, &y, 4);
    qintptr result = 0;
    QAbstractEventDispatcher::instance()->filterNativeEvent("xcb_generic_event_t", e, &result);
  }
}

void Focus(QWidget* w, QEvent::Type type) {
  QFocusEvent e(type, Qt::TabFocusReason);
  QApplication::sendEvent(w, &e);
}

// Works every control of every open window but the progress window; the number of controls worked.
int WorkEveryControl() {
  int worked = 0;
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (!window->isVisible() || qobject_cast<frmPrgrs*>(window)) continue;
    QList<QPointer<QWidget>> controls;
    for (QWidget* w : window->findChildren<QWidget*>()) controls << w;
    for (const QPointer<QWidget>& w : controls) {
      if (!w || !w->isVisible() || !w->isEnabled()) continue;
      if (auto* box = qobject_cast<QLineEdit*>(w.data()); box && !qobject_cast<QComboBox*>(box->parentWidget())) {
        for (const QString& text : {QString::number(box->text().toDouble() * 1.02 + 1, 'f', 2), QString("99999999")})
          Focus(box, QEvent::FocusIn), box->setText(text), Focus(box, QEvent::FocusOut);
      } else if (auto* list = qobject_cast<QComboBox*>(w.data())) {
        for (int i = 0; list && i < list->count(); ++i) list->setCurrentIndex(i), emit list->activated(i);
      } else if (auto* button = qobject_cast<QAbstractButton*>(w.data()); button && button->text() != "Cancel") {
        button->click();
      } else {
        continue;
      }
      ++worked;
    }
    QList<QAction*> items;
    for (QMenuBar* bar : window->findChildren<QMenuBar*>()) items += bar->actions();
    while (!items.isEmpty())
      if (QAction* a = items.takeFirst(); a->menu()) items += a->menu()->actions();
      else if (a->isEnabled() && !a->isSeparator()) a->trigger(), ++worked;
  }
  return worked;
}

// The results table, the instant figures and the newest history row.
std::string RunFigures() {
  std::string out;
  for (int row = 0; row <= std::max(0, tbl.FinishRow); ++row)
    for (const auto& column : tbl.ResultsText) out += column[size_t(row)] + "|";
  return out + tbl.InstantEt[0] + "|" + Str(tbl.InstantMph[0]) + "|" + tbl.Instant60ft[0] + "|" + tbl.HistoryEt[0] +
         "|" + Str(tbl.HistoryMph[0]) + "|" + tbl.History60ft[0] + "|" + tbl.History330ft[0];
}

// The main window's Dial-In (1) or Throttle Stop (2) worksheet, filled for a prediction: corrected barometer and dew
// point, calm, 60 ft computed, two throttle-stop runs.
frmDialIn* OpenWorksheet(frmMain* m, int mode) {
  m->MainCommand[mode]->click();
  frmDialIn* w = frmDialIn::IfLoaded();
  Activate(w);
  PickItem(w, 18, 1);
  const std::pair<int, const char*> rows[] = {
      {0, "29.92"}, {1, "70"}, {2, "50"},    {3, "0"},     {9, "29.92"}, {10, "85"},    {11, "60"},
      {12, "0"},    {7, "2.01"}, {8, "12.45"}, {30, ".02"}, {6, "1.50"},  {20, "29.92"}, {21, "70"},
      {22, "50"},   {23, "0"},  {26, "2.00"}, {27, "2.03"}, {28, "12.90"}, {19, "12.80"}, {29, "4"}};
  for (auto [row, text] : rows)
    if (w->SpecData[row]->isEnabled()) TypeAndLeave(w, row, text);
  for (int row : {5, 14, 15, 25})
    if (w->cmbSpecData[row]->isEnabled()) PickItem(w, row, 0);
  return w;
}

}  // namespace

class UndisturbedWindowsTest : public QObject {
  Q_OBJECT
  std::unique_ptr<SpecScene> scene;

  // Opens windows with `open`, then does `work` twice: undisturbed, and with every control worked at the third
  // time the work lets events through. Both give the same figures.
  void Twice(const std::function<void(frmMain*)>& open, const std::function<std::string(frmMain*)>& work) {
    std::string figures[2];
    int worked = 0;
    for (bool disturbed : {false, true}) {
      init();
      frmMain* m = scene->ShowMain();
      open(m);
      Settle();
      scene->ui.onDoEvents = [&worked, disturbed, calls = 0]() mutable {
        if (disturbed && tbl.CalcRunning && ++calls == 3) worked = WorkEveryControl();
      };
      figures[disturbed] = work(m);
      // What was put off goes with its windows: nothing of it runs after the test.
      scene->ui.onDoEvents = nullptr;
      for (QWidget* w : QApplication::topLevelWidgets()) MarkUnloaded(w);
    }
    QVERIFY2(worked > 40, qPrintable(QString::number(worked)));
    QVERIFY(figures[0].size() > 2);
    QCOMPARE(figures[1], figures[0]);
  }

 private slots:
  void init() {
    scene.reset();  // one scene at a time: a scene going uninstalls the boxes
    scene = std::make_unique<SpecScene>();
    scene->CopyCalculators();
    scene->CopyShipped("QVZHELP/help7.txt");
    ResetDialInState();
  }
  void cleanup() { scene.reset(), FailFileWritesAfterForTest(SIZE_MAX); }

  // F2 with each spec window open (the Engine window with its horsepower calculator), and with the results and
  // the graph open.
  void calculation() {
    for (int menu = kEngine; menu <= kConditions + 1; ++menu) {
      Twice(
          [this, menu](frmMain* m) {
            if (menu <= kConditions) scene->Open(menu);
            if (menu == kEngine) {
              frmCalcData* hp = OpenCalculator(LoadedSpecWindow(kEngine), 6);
              Activate(hp);
              hp->Combo1[1]->setCurrentIndex(0), emit hp->Combo1[1]->activated(0);  // "1/4 Mile Trap Speed"
              hp->CalcData[3]->setText("130"), Focus(hp->CalcData[3], QEvent::FocusOut);
              QCOMPARE(hp->CalcOutData[0]->text(), QString("612.3"));
            } else if (menu > kConditions) {
              m->cmdRun_Click();
              Settle();
              frmDispGrid::IfLoaded()->cmdGraph->click();
            }
          },
          [](frmMain* m) { return m->cmdRun_Click(), RunFigures(); });
    }
  }

  // A Match from its window, kept on its result screen: the specs it ends with and what the screen showed.
  void match() {
    Twice(
        [](frmMain* m) {
          const char* slip[] = {" 0", "", "1.74", "118.2", "5700", "3"};
          for (int k = 0; k < 6; ++k) SpecAt(kMatch, k) = slip[k];
          m->MainCommand[0]->click();
        },
        [](frmMain*) {
          std::string out;
          WhenModal([&out](QWidget* modal) {
            for (QLabel* l : modal->findChildren<QLabel*>()) out += FromQ(l->text()) + "|";
            static_cast<frmDisp*>(modal)->Command1[1]->click();  // "Keep These New Specs"
          });
          LoadedSpecWindow(kMatch)->Command1[0]->click();  // "OK"
          for (int m = kEngine; m <= kConditions; ++m)
            for (int k = 0; k < 20; ++k) out += SpecAt(m, k) + "|";
          for (const auto& point : tbl.PowerCurveText) out += point[0] + "," + point[1] + "," + point[2] + "|";
          return out;
        });
  }

  // Exit chosen during a run, a Find Best or a Match, and Calc ET as it has ended, before the waiting Exit had its
  // turn (a screen reader's press of the button clicks a moment later): "Quit Stagewell ?" comes before anything
  // else runs. No or Cancel to any of Exit's questions (the save window's Cancel too) and the Calc ET runs; when the
  // program ends, nothing more runs, and nothing is written after the configuration and the base run.
  void putOffPressesRunInTheOrderPressed_data() {
    QTest::addColumn<int>("work");
    QTest::addColumn<std::vector<int>>("answers");  // "Quit Stagewell ?", "Save Your Changes ?" and what follows
    QTest::addColumn<int>("setUp");                 // 1: the working copy cannot be written, 2: a new vehicle
    const int Y = ans::Yes, N = ans::No, C = ans::Cancel;
    const std::tuple<const char*, std::vector<int>, int> exits[] = {
        {"Quit: No", {N}, 0},     {"Quit: Cancel", {C}, 0},         {"Save: No", {Y, N}, 0},
        {"Save: Cancel", {Y, C}, 0}, {"Quit Anyway: No", {Y, ans::OK, N, N}, 1}, {"save window: Cancel", {Y, Y}, 2}};
    for (int work : {0, 1, 2})
      for (const auto& [exit, answers, setUp] : exits)
        QTest::addRow("%s, %s", std::array{"run", "Find Best", "Match"}[work], exit) << work << answers << setUp;
  }
  void putOffPressesRunInTheOrderPressed() {
    QFETCH(int, work);
    QFETCH(std::vector<int>, answers);
    QFETCH(int, setUp);
    const bool ends = answers == std::vector{ans::Yes, ans::No};
    frmMain* m = scene->ShowMain();
    auto runs = [] {
      return long(std::count_if(tbl.HistoryEt.begin(), tbl.HistoryEt.end(), [](auto& et) { return !et.empty(); }));
    };
    long atQuit = -1;
    scene->ui.onBox = [&](const ScriptedUi::Box& b) {
      if (b.prompt != "Quit Stagewell ?") return;
      atQuit = runs(), fst.SpecsChanged = 1;
      if (setUp == 1) FailFileWritesAfterForTest(0, "QVCURVEH.ZKT");
      if (setUp == 2) fst.CurrentFileName.clear();
    };
    scene->ui.onDoEvents = [m, calls = 0]() mutable {
      if (tbl.CalcRunning && ++calls == 3) m->mnuFilExit->trigger();
    };
    if (work == 1) scene->ui.Answer(ans::Yes), scene->ui.Answer(ans::Yes), scene->ui.Answer(ans::OK);  // its boxes
    for (int a : answers) scene->ui.Answer(a);
    for (int k = 0; k < 6; ++k) SpecAt(kMatch, k) = std::array{" 0", "", "1.74", "118.2", "5700", "3"}[k];
    if (work == 0) m->cmdRun_Click();
    if (work == 1) m->mnuFindAxleRatio->trigger();
    if (work == 2) {
      m->MainCommand[0]->click(), Settle();
      WhenModal([](QWidget* modal) { static_cast<frmDisp*>(modal)->Command1[1]->click(); });
      LoadedSpecWindow(kMatch)->Command1[0]->click();
    }
    const long ended = runs();
    m->mnuCalc->trigger();
    if (setUp == 2) {  // what waits, waits for the save window
      QTRY_VERIFY(DefaultInstance<frmSaveFile>::IfLoaded() && (Settle(), runs() == ended));
      DefaultInstance<frmSaveFile>::IfLoaded()->close();
    }
    QTRY_VERIFY(atQuit != -1 && runs() == ended + !ends && ProgramEnding() == ends);
    Settle();
    QCOMPARE(runs(), ended + !ends);
    scene->ui.onBox = nullptr, scene->ui.onDoEvents = nullptr;
    QCOMPARE(atQuit, ended);
    const auto config = std::filesystem::last_write_time(scene->file("qvzCNFG.ZKT"));
    for (const auto& e : std::filesystem::recursive_directory_iterator(scene->folder()))
      if (ends && e.is_regular_file() && e.last_write_time() > config)
        QCOMPARE(e.path().filename().string(), std::string("baseplot.ZKT"));
  }

  // A press counts when made: by a screen reader (clicked 0.1 s later) under a box gone by the click, it does nothing;
  // during a run, by a screen reader or Space (clicked on release), before a menu item, it runs first.
  void aPressCountsFromTheMomentItIsMade() {
    for (const QString how : {"push under a box", "option under a box", "push, in the run", "push, after the run",
                              "Space, in the run", "Space, after the run"}) {
      QWidget window;
      QAbstractButton* b = how.startsWith("option") ? static_cast<QAbstractButton*>(new QRadioButton("B", &window))
                                                    : new QPushButton("B", &window);
      auto* item = new QAction("Item", &window);
      QStringList ran;
      OnAction(b, &QAbstractButton::clicked, &window, "b", [&] { ran << "b"; });
      OnAction(item, &QAction::triggered, &window, "item", [&] { ran << "item"; });
      (new QRadioButton("Other", &window))->setChecked(true), window.show();
      QDialog box;
      box.setModal(true), box.setVisible(how.contains("box")), Settle();
      auto* pressAs = QAccessible::queryAccessibleInterface(b)->actionInterface();
      tbl.CalcRunning = !how.contains("box");
      how.startsWith("Space") ? QTest::keyPress(b, Qt::Key_Space)
                              : test::AsScreenReader(b, [&] { pressAs->doAction(pressAs->pressAction()); });
      if (box.close(); !how.contains("box")) item->trigger();
      if (tbl.CalcRunning = how.contains("in the run"); how.startsWith("Space")) QTest::keyRelease(b, Qt::Key_Space);
      QTRY_VERIFY(!b->isDown());
      tbl.CalcRunning = false;
      QTRY_VERIFY2(ran.join(",") == (how.contains("box") ? "" : "b,item") && !b->isChecked(), qPrintable(how));
    }
  }

  // A screen reader's press of Update Prediction (the button or the menu item) with the worksheet's help page in
  // front acts as a click there does: its request returns at once, the worksheet comes to the front before the
  // prediction runs, predicts and stays, whether Dial In or Throttle Stop.
  void aScreenReadersPressFromBehindActsAsAClick() {
    for (int mode : {1, 2})
      for (bool menu : {false, true}) {
        init();
        frmDialIn* w = OpenWorksheet(scene->ShowMain(), mode);
        const QPointer<frmDialIn> sheet = w;
        w->mnuHelp->trigger(), Settle();
        QVERIFY(QApplication::activeWindow() != w);
        QWidget* inFront = nullptr;
        scene->ui.onDoEvents = [&] { inFront = inFront ? inFront : QApplication::activeWindow(); };
        auto* press = QAccessible::queryAccessibleInterface(w->ClcBttn[17])->actionInterface();
        test::AsScreenReader(w->ClcBttn[17], [&] {
          if (menu) w->mnuUpdate->trigger();
          else press->doAction(press->pressAction());
        });
        QVERIFY(!inFront);
        QTRY_VERIFY(inFront && !w->ClcBttn[17]->isDown());
        Settle();
        scene->ui.onDoEvents = nullptr;
        QVERIFY2(inFront == sheet && sheet && QApplication::activeWindow() == sheet && !w->Label2->text().isEmpty(),
                 qPrintable(QString("%1 %2").arg(mode).arg(menu)));
      }
  }

  // A key that opens a menu while pressed work waits its turn (a run has just ended): the menu opens and the work
  // runs after it, from the event loop, not inside the menu's opening, where the window it opens closed the menu.
  void waitingWorkRunsAfterAMenuOpenedByKey() {
    frmMain* m = scene->ShowMain();
    Activate(m);
    m->Text1->setFocus();
    QWidget opened;
    RunWhenFree(m, "opens a window", {}, [&opened] { opened.show(); });
    QTest::keyClick(m, Qt::Key_F, Qt::AltModifier);
    QVERIFY(m->mnuFile->isVisible() && !opened.isVisible());
    QTRY_VERIFY(opened.isVisible());
  }

  // Menu marks of every kind, check boxes, value boxes and picks: pressed or set under a box, nothing changes and
  // the specs are not marked changed. A menu item pressed during a run keeps its mark until its handler has run and
  // set it. The hidden calculator buttons of the gear rows cannot be pressed.
  void nothingChangesUnderABoxAndMarksWaitForTheirHandler() {
    using Controls = QList<QObject*>;
    const std::function<Controls(frmMain*)> opens[] = {
        [](frmMain* m) {
          return Controls{m->findChild<QAction*>("mnuFinerTime"), m->findChild<QAction*>("mnuExperieced")};
        },
        [](frmMain* m) {
          m->cmdRun_Click(), Settle(), frmDispGrid::IfLoaded()->cmdGraph->click(), Settle();
          return Controls{frmGraph::IfLoaded()->mnuDataType[2], frmDispGrid::IfLoaded()->mnuShowHistory};
        },
        [](frmMain* m) {
          m->cmdRun_Click(), Settle(), frmDispGrid::IfLoaded()->cmdPrint->click(), Settle();
          return Controls{DefaultInstance<PrntOptns>::IfLoaded()->Check3D1[2]};
        },
        [](frmMain* m) { return m->MainCommand[1]->click(), Settle(), Controls{frmDialIn::IfLoaded()->mnuUseTwoRuns}; },
        [this](frmMain*) {
          scene->Open(kTransmission);
          SpecWindow* gears = LoadedSpecWindow(kTransmission);  // on a desktop the front may have taken it away
          if (!gears) return Controls{};
          for (int r = 9; r < 15; ++r)
            if (!gears->ClcBttn[r]->isHidden() || gears->ClcBttn[r]->isEnabled()) return Controls{gears->ClcBttn[r]};
          return Controls{gears->SpecData[1], gears->cmbSpecData[0]};
        }};
    auto looks = [](const Controls& controls) {
      QStringList out;
      for (QObject* c : controls)
        if (auto* a = qobject_cast<QAction*>(c)) out << QString::number(a->isChecked());
        else if (auto* b = qobject_cast<QAbstractButton*>(c)) out << QString::number(b->isChecked());
        else if (auto* e = qobject_cast<QLineEdit*>(c)) out << e->text();
        else if (auto* l = qobject_cast<QComboBox*>(c)) out << QString::number(l->currentIndex());
      return out;
    };
    auto work = [](const Controls& controls) {
      for (QObject* c : controls)
        if (auto* a = qobject_cast<QAction*>(c)) a->trigger();
        else if (auto* b = qobject_cast<QAbstractButton*>(c)) b->click();
        else if (auto* e = qobject_cast<QLineEdit*>(c)) e->setText(e->text() + "1");
        else if (auto* l = qobject_cast<QComboBox*>(c)) l->setCurrentIndex(l->currentIndex() + 1);
    };
    for (const auto& open : opens) {
      init();
      frmMain* m = scene->ShowMain();
      const Controls controls = open(m);
      if (controls.isEmpty()) continue;
      const QStringList before = looks(controls);
      fst.SpecsChanged = 0;
      QDialog box;
      box.setModal(true), box.show(), Settle();
      for (QObject* c : controls) test::AsScreenReader(c, [&] { work({c}); });
      QCOMPARE(looks(controls), before);
      QCOMPARE(fst.SpecsChanged, int16_t(0));
      box.close(), Settle();
      if (!qobject_cast<QAction*>(controls[0]) || controls.size() < 2) continue;
      QStringList early;
      scene->ui.onDoEvents = [&, calls = 0]() mutable {
        if (tbl.CalcRunning && ++calls == 3) work(controls), early = looks(controls);
      };
      m->cmdRun_Click();
      scene->ui.onDoEvents = nullptr;
      QCOMPARE(early, before);
      QTRY_VERIFY_WITH_TIMEOUT(!WorkWaitsToRun(), 60000);
      for (QObject* c : controls)  // the menus are opened again
        for (QObject* menu : static_cast<QAction*>(c)->associatedObjects())
          if (auto* shown = qobject_cast<QMenu*>(menu)) emit shown->aboutToShow();
      QCOMPARE(looks(controls), QStringList({"1", "1"}));
    }
  }

  // Entries typed into a spec window or a worksheet stay what the window shows and what the next calculation,
  // prediction or save reads, however the front goes while a calculation runs: to its progress window only (the
  // worksheet's cursor stays where it was), or the window clicked and typed into meanwhile, then the main window,
  // and the window again while it runs or only after it. A Find Best pressed from a spec window reads its entries.
  void typedEntriesStayWhileTheFrontGoes_data() {
    QTest::addColumn<int>("menu");
    QTest::addColumn<int>("away");
    for (int menu = kEngine; menu <= kDialIn; ++menu)
      for (int away : {0, 1, 2, 3})
        if (away < 3 || menu <= kConditions)
          QTest::addRow("menu %d, %s", menu, std::array{"progress", "back during", "back after", "Find Best"}[away])
              << menu << away;
  }
  void typedEntriesStayWhileTheFrontGoes() {
    QFETCH(int, menu);
    QFETCH(int, away);
    // Per menu: the row typed before and the row typed during the calculation, with their entries.
    const std::array<std::pair<int, const char*>, 2> typed[] = {
        {{{1, "455"}, {2, "505"}}},     {{{9, "2.52"}, {10, "1.91"}}}, {{{0, "3475"}, {7, "109"}}},
        {{{8, "105"}, {7, "9.5"}}},     {{{1, "4600"}, {3, "95"}}},    {{{2, "77"}, {4, "600"}}},
        {{{2, "1.81"}, {3, "107.5"}}}, {{{10, "66"}, {12, "600"}}},   {{{10, "66"}, {12, "600"}}}};
    const auto [before, during] = typed[menu - 1];
    const bool sheet = menu >= kThrottleStop;
    frmMain* m = scene->ShowMain();
    tbl.InstantUpdate = 0;  // no quick calculation stores the rows as they are left
    const QPointer<SpecWindow> w = sheet            ? OpenWorksheet(m, menu == kDialIn ? 1 : 2)
                                   : menu == kMatch ? (m->MainCommand[0]->click(), LoadedSpecWindow(kMatch))
                                                    : scene->Open(menu);
    Activate(w);
    TypeAndLeave(w, before.first, before.second);
    const QPointer<QWidget> cursor = w->focusWidget();
    std::string read;
    scene->ui.onDoEvents = [&, calls = 0]() mutable {
      if (tbl.CalcRunning && read.empty()) read = SpecAt(menu, before.first);
      if (!tbl.CalcRunning || ++calls != 3 || away == 3) return;
      if (QWidget* progress = DefaultInstance<frmPrgrs>::IfLoaded()) Activate(progress);  // as the desktop does
      if (away == 0) return;
      Activate(w);
      TypeAndLeave(w, during.first, during.second);
      Activate(m);
      if (away == 1) Activate(w);
    };
    if (away == 3) scene->ui.Answer(ans::Yes), scene->ui.Answer(ans::No), m->mnuFindAxleRatio->trigger();
    else if (sheet) static_cast<frmDialIn*>(w.data())->mnuUpdate->trigger();
    else m->cmdRun_Click();
    scene->ui.onDoEvents = nullptr;
    if (!sheet) QCOMPARE(QString::fromStdString(read), QString(before.second));
    if (away == 2 && w && !IsUnloaded(w)) Activate(w);
    QTRY_VERIFY_WITH_TIMEOUT(!WorkWaitsToRun(), 60000);
    Settle();
    const QString want = QString(before.second) + "|" + (away % 3 ? during.second : "");
    if (sheet && away == 0) QCOMPARE(w->focusWidget(), cursor.data());
    StoreOpenSpecWindow();  // what the boxes show, stored as for the next run or save
    QCOMPARE(QString::fromStdString(SpecAt(menu, before.first) + "|" + SpecAt(menu, during.first)).left(want.size()),
             want);
  }

  // What the racer typed into a window that stores it as it goes (the comments over the results, a spec window, a
  // worksheet, Match, the printout and file options over the results) reaches the car, or the preferences, and the
  // file Exit saves, however the window goes without its own button: closed, Escape, another window clicked,
  // minimised, F2, a box taking the front, opened again from its button, or Exit with it still up.
  void typedTextReachesTheCarHoweverItsWindowGoes_data() {
    QTest::addColumn<int>("member");
    QTest::addColumn<QString>("way");
    for (int member = 0; member < 12; ++member)
      for (const char* way : {"close", "Escape", "click", "minimise", "F2", "box", "again", "Exit"})
        QTest::addRow("%d %s", member, way) << member << QString(way);
  }
  void typedTextReachesTheCarHoweverItsWindowGoes() {
    QFETCH(int, member);
    QFETCH(QString, way);
    // Comments 0, spec windows 1-6, Match 7, worksheets 8-9 (by their menus), printout and file options 10-11.
    const int menu = std::array<int, 12>{0,           kEngine, kTransmission, kVehicle, kTires, kDriving,
                                         kConditions, kMatch,  kDialIn,       kThrottleStop, 0, 0}[member];
    const std::pair<int, const char*> typed[] = {{0, " and new slicks"}, {1, "457"},  {10, "1.91"}, {0, "3475"},
                                                 {8, "105"},            {1, "4600"}, {2, "77"},    {2, "1.81"},
                                                 {10, "66"},            {10, "66"},  {2, ""},      {1, ""}};
    const auto [row, text] = typed[member];
    frmMain* m = scene->ShowMain();
    const std::string library = "VEHDAT/" + std::string(test::kMuscleCar), line = "\r\n" + std::string(text) + "\r\n";
    QVERIFY(menu == 0 || scene->Read(library).find(line) == std::string::npos);
    if (member == 0 || member >= 10) m->cmdRun_Click(), Settle();
    auto open = [&]() -> QWidget* {  // from its button
      if (member == 0) return frmDispGrid::IfLoaded()->Command1->click(), DefaultInstance<frmDispCmnts>::IfLoaded();
      if (menu <= kConditions && menu) return m->Command1[menu - 1]->click(), LoadedSpecWindow(menu);
      if (menu) return m->MainCommand[menu == kMatch ? 0 : menu == kDialIn ? 1 : 2]->click(), LoadedSpecWindow(menu);
      if (member == 10) return frmDispGrid::IfLoaded()->cmdPrint->click(), DefaultInstance<PrntOptns>::IfLoaded();
      return frmDispGrid::IfLoaded()->mnuAsciiFile->trigger(), DefaultInstance<FileOptns>::IfLoaded();
    };
    QWidget* w = member == 8 || member == 9 ? OpenWorksheet(m, member == 8 ? 1 : 2) : open();
    QVERIFY(w);
    Activate(w);
    QAbstractButton* check = nullptr;
    if (member == 10) check = DefaultInstance<PrntOptns>::IfLoaded()->Check3D1[size_t(row)];
    if (member == 11) check = DefaultInstance<FileOptns>::IfLoaded()->Check3D1[size_t(row)];
    const bool checked = check && !check->isChecked();
    if (check) check->click();
    else if (member == 0) DefaultInstance<frmDispCmnts>::IfLoaded()->Text1->moveCursor(QTextCursor::End),
                          QTest::keyClicks(DefaultInstance<frmDispCmnts>::IfLoaded()->Text1, text);
    else TypeInto(static_cast<SpecWindow*>(w)->SpecData[row], text);  // and the window goes with the cursor there
    QWidget* other = frmDispGrid::IfLoaded() ? static_cast<QWidget*>(frmDispGrid::IfLoaded()) : m;
    if (way == "close") w->close();
    if (way == "Escape") QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    if (way == "minimise") w->showMinimized();
    if (way == "click" || way == "minimise" || way == "F2") Activate(other);
    if (way == "F2") QTest::keyClick(other, Qt::Key_F2);
    if (way == "again") open();
    if (way == "box") {
      QMessageBox box(QMessageBox::Information, "Stagewell", "A box", QMessageBox::Ok, w);
      box.setModal(true), box.show(), Activate(&box), box.close();
    }
    Settle();
    scene->ui.Answer(ans::Yes), scene->ui.Answer(ans::Yes);  // "Quit Stagewell ?", "Save Your Changes ?"
    m->close();
    QTRY_VERIFY(ProgramEnding());
    const std::string saved = scene->Read(library);
    if (member == 0) QVERIFY(fst.VehicleComments.find(text) != std::string::npos && saved.find(text) != size_t(-1));
    if (menu) QVERIFY2(SpecAt(menu, row) == text && saved.find(line) != std::string::npos, SpecAt(menu, row).c_str());
    if (check) {
      ConfigurationDefaults();  // then what the file holds
      int16_t read = 1;
      ReadWriteConfiguration(read);
      QCOMPARE(member == 10 ? cfg.PrintOptions[size_t(row)] : cfg.AsciiOptions[size_t(row)], int16_t(checked));
    }
  }

  // Save or Exit picked as Wheels & Tires goes, by a screen reader's menu item, by a press whose release the box
  // took or by a click the box came before (Qt drops it): after "Change Vehicle Weight Also?" is answered Yes or
  // No, once, the command goes on. The file holds the typed tire weight and the weight the answer gave, and Exit
  // ends the program.
  void aCommandGoesOnAfterTheQuestionOnItsWay_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("answer");
    for (const char* command :
         {"Save Vehicle", "Exit Program", "Save pressed", "Quit pressed", "Save clicked", "Quit let go off"})
      for (int answer : {ans::Yes, ans::No})
        QTest::addRow("%s, %s", command, answer == ans::Yes ? "Yes" : "No") << QString(command) << answer;
  }
  void aCommandGoesOnAfterTheQuestionOnItsWay() {
    QFETCH(QString, command);
    QFETCH(int, answer);
    frmMain* m = scene->ShowMain();
    SpecWindow* w = scene->Open(kTires);
    const std::string weight = Str(Val(SpecAt(kVehicle, 0)) + (answer == ans::Yes ? 2 * (63 - Val(SpecAt(kTires, 4))) : 0));
    TypeInto(w->SpecData[4], "63");  // the rear Wheel & Tire Wt, the cursor still there
    // The question waits as a box does, past the moment a screen reader's pick takes effect.
    scene->ui.onBox = [](const ScriptedUi::Box& box) {
      if (box.title != kTireWeightTitle) return;
      QMessageBox waits(QMessageBox::Question, ToQ(box.title), ToQ(box.prompt), QMessageBox::Yes | QMessageBox::No);
      waits.setModal(true), waits.show(), QTest::qWait(250), waits.close();
    };
    scene->ui.Answer(answer);
    QAction* item = command == "Save Vehicle" ? m->mnuFilSave : m->mnuFilExit;
    QAbstractButton* button = command == "Save pressed" ? m->cmdSave : m->MainCommand[3];
    if (command.endsWith("pressed")) QTest::mousePress(button, Qt::LeftButton), Activate(m);
    else if (command.endsWith("clicked")) ClickAsXReadsIt(button), Activate(m);
    else if (command.endsWith("off")) ClickAsXReadsIt(button, {0, -3 * button->height()}), Activate(m);
    else test::AsScreenReader(item, [item] { item->trigger(); });
    const std::string library = "VEHDAT/" + std::string(test::kMuscleCar);
    if (command.endsWith("off")) {  // a press let go off its button is no click, a box or none
      QTRY_VERIFY(scene->BoxesTitled(kTireWeightTitle) == 1 && !WorkWaitsToRun());
      QVERIFY(!ProgramEnding() && scene->Read(library).find("\r\n63\r\n") == std::string::npos);
      return void(scene->ui.onBox = nullptr);
    }
    QTRY_VERIFY(command.startsWith("Save") ? scene->Read(library).find("\r\n63\r\n") != std::string::npos
                                           : ProgramEnding());
    const std::string saved = scene->Read(library);
    QVERIFY2(saved.find("\r\n63\r\n") != std::string::npos && saved.find("\r\n" + weight.substr(1) + "\r\n") < 400,
             weight.c_str());
    QCOMPARE(scene->BoxesTitled(kTireWeightTitle), 1);
    scene->ui.onBox = nullptr;
  }

  // A dial-in prediction from "Update Prediction".
  void dialInPrediction() {
    Twice(
        [](frmMain* m) { OpenWorksheet(m, 1); },
        [](frmMain*) {
          frmDialIn* w = frmDialIn::IfLoaded();
          w->mnuUpdate->trigger();
          return FromQ(w->Label2->text() + "|" + w->Label9->text());
        });
  }
};

QTEST_MAIN(UndisturbedWindowsTest)
#include "undisturbed_windows_qtest.moc"
