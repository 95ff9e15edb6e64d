// Windows on a 1280x900 screen beside a 1366x768 one (offscreen, or DISPLAY with QT_QPA_PLATFORM=xcb) lie wholly on
// it, as wide as designed, and come back onto it when they grow; print previews fill the screen they are asked for on.
// In each window, Escape with a list, a menu or an editor's pop-up open closes only that pop-up.
#include <QtTest>
#include <QtWidgets>

#include "calcmenus/frm_calc_data.h"
#include "dialin/frm_dial_in.h"
#include "platform/qt/printer.h"
#include "results/frm_disp_grid.h"
#include "shell/frm_about.h"
#include "shell/frm_seek.h"
#include "shell/help_form.h"
#include "shell/rtrvfile.h"
#include "specs/spec_window.h"
#include "specs/spec_window_fixture.h"
#include "specs/spec_windows.h"

using namespace sw;

namespace {

QRect Frame(QWidget* w) {  // once the desktop has framed it
  if (QGuiApplication::platformName() != "offscreen")
    (void)QTest::qWaitFor([w] { return w->frameGeometry() != w->geometry(); }, 10000);
  return w->frameGeometry();
}

// Escape pressed in each kind of pop-up `w` has (its first pick list's list, its menu bar's first menu, a value
// box's or text box's own menu): the pop-up closes, `w` stays.
QStringList EscapeFaults(QWidget* window) {
  QStringList faults;
  const QPointer<QWidget> w = window;
  const QString title = window->windowTitle();
  QList<QWidget*> with;
  for (const char* kind : {"QComboBox", "QMenuBar", "QLineEdit", "QPlainTextEdit"}) {
    QWidgetList all = w->findChildren<QWidget*>();
    all.removeIf([&](QWidget* c) { return !c->inherits(kind) || !c->isVisible() || !c->isEnabled(); });
    if (!all.isEmpty()) with << all.first();
  }
  for (QWidget* c : with) {
    QPointer<QMenu> own;
    if (auto* list = qobject_cast<QComboBox*>(c)) list->showPopup();
    else if (auto* bar = qobject_cast<QMenuBar*>(c); bar && bar->actions().value(0) && bar->actions()[0]->menu())
      bar->actions()[0]->menu()->popup(w->mapToGlobal(QPoint()));
    else if (auto* box = qobject_cast<QLineEdit*>(c)) own = box->createStandardContextMenu();
    else if (auto* text = qobject_cast<QPlainTextEdit*>(c)) own = text->createStandardContextMenu();
    if (own) own->setAttribute(Qt::WA_DeleteOnClose), own->popup(c->mapToGlobal(QPoint()));
    QWidget* popup = QApplication::activePopupWidget();
    if (!popup) continue;
    const QString of = " the pop-up of " + c->objectName();
    QTest::keyClick(popup->focusWidget() ? popup->focusWidget() : popup, Qt::Key_Escape);
    Settle();
    if (!w || !w->isVisible()) return faults << "Escape in" + of + " closed " + title;
    if (QApplication::activePopupWidget()) faults << "Escape left" + of + " open";
    while (QWidget* p = QApplication::activePopupWidget()) p->close();
  }
  return faults;
}

// The windows `open` shows that leave the screen or close with an Escape meant for a pop-up (modal ones checked
// and closed while up); all closed again.
QStringList OffScreen(const QString& what, const std::function<void()>& open) {
  QStringList faults;
  const QWidgetList before = QApplication::topLevelWidgets();
  QWidget* front = QApplication::activeWindow();
  auto check = [&] {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->isVisible() && w->windowType() != Qt::Popup && !w->screen()->availableGeometry().contains(Frame(w)))
        faults << what + ": " + w->windowTitle();
    QList<QPointer<QWidget>> opened;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->isVisible() && w->windowType() != Qt::Popup && !before.contains(w)) opened << w;
    for (const QPointer<QWidget>& w : opened)
      if (w) faults << EscapeFaults(w);
  };
  QTimer modal;
  QObject::connect(&modal, &QTimer::timeout, [&] {
    if (QWidget* m = QApplication::activeModalWidget(); m && m->isVisible()) check(), m->close();
  });
  modal.start(20);
  open();
  Settle();
  check();
  for (QWidget* w : QApplication::topLevelWidgets())
    if (!before.contains(w)) w->close();
  Settle();
  if (front) Activate(front);
  return faults;
}

}  // namespace

class WindowsOnScreenTest : public QObject {
  Q_OBJECT

 public:
  static void initMain() {  // 1280 x 900 and 1366 x 768 screens unless a desktop's display was asked for
    if (qgetenv("QT_QPA_PLATFORM").isEmpty() || qgetenv("QT_QPA_PLATFORM") == "offscreen")
      qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" SW_TEST_DIR "/fixtures/screens_1280x900_1366x768.json");
  }

 private slots:
  // The main window in the top left corner, then the bottom right; examples with names too long for any list.
  void everyWindowOpensWhollyOnTheScreen() {
    QCOMPARE(QGuiApplication::primaryScreen()->geometry().size(), QSize(1280, 900));
    for (bool bottomRight : {false, true}) {
      SpecScene scene;  // the returning racer, with every shipped file
      shell.ActivationCount = 100;
      std::filesystem::copy(kShippedData, scene.folder(), std::filesystem::copy_options::recursive);
      frmMain* m = scene.ShowMain();
      Activate(m);
      const QString name = "Ex Clutch  Twin Disc Slipper Clutch " + QString("for a Pro Mod ").repeated(8);
      SetSpecs("T0=5;T23=1;T7=2;V3=2");
      SpecAt(kTransmission, 22) = SpecAt(kTransmission, 24) = SpecAt(kVehicle, 15) = name.toStdString();
      m->move(bottomRight ? QPoint(1280, 900) - QPoint(Frame(m).width(), Frame(m).height()) : QPoint(0, 0));
      QStringList faults;
      for (QPushButton* b : {m->cmdRun, m->MainCommand[0]}) faults << OffScreen(b->text(), [b] { b->click(); });
      QList<QAction*> items = {m->mnuFindAxleRatio, m->mnuOpenFileExample, m->mnuOpenFileMyVehicles},
                      bar = m->menuBar()->actions();
      while (!bar.isEmpty())  // the menu bar's items, its sub-menus' too
        if (QAction* a = bar.takeFirst(); a->menu()) bar << a->menu()->actions();
        else items << a;
      for (QAction* a : items)
        if (a->isEnabled() && a->isVisible() && !a->isSeparator() && a != m->mnuFilExit)
          faults << OffScreen(a->text(), [a] { a->trigger(); });
      int calculators = 0;  // the spec windows, Dial-In and Throttle Stop, and their calculators
      for (int i = 0; i < 8; ++i) {
        auto open = [&] { (i < 6 ? m->Command1[i] : m->MainCommand[i - 5])->click(); };
        auto shown = [&] { return i < 6 ? LoadedSpecWindow(i + 1) : frmDialIn::IfLoaded(); };
        faults << OffScreen("spec window", open);
        for (size_t k = 0;; ++k) {  // opened again when the front leaving it closed it
          if (!shown()) open(), Settle();
          SpecWindow* w = shown();
          for (int row : {0, 7, 3})  // the preset width; the name in its tooltip and description
            if (QComboBox* l = k == 0 && i == (row == 3 ? 2 : 1) ? w->cmbSpecData[row] : nullptr)
              QVERIFY(l->toolTip() == name && l->accessibleDescription().startsWith(name));
          if (k == w->ClcBttn.size()) break;
          if (QPushButton* b = w->ClcBttn[k]; b && b->isVisible())
            ++calculators, faults << OffScreen(b->accessibleName(), [b] { b->click(); });
        }
        shown()->close(), Settle();
      }
      QVERIFY(calculators >= 20);
      QVERIFY2(faults.isEmpty(), qPrintable(faults.join("\n")));
    }
  }

  // A window that grows while shown in the bottom right corner of either screen comes back wholly onto that screen,
  // title bar and all; the help window the racer moved partly off stays there through the next page.
  void windowsThatGrowStayOnTheScreen() {
    SpecScene scene;
    shell.ActivationCount = 100;
    std::filesystem::copy(kShippedData, scene.folder(), std::filesystem::copy_options::recursive);
    scene.Write("VEHDAT/Race Pro Stock Chev 500 5-Spd Mountain Motor", scene.Read("VEHDAT/MUSCLE454"));
    for (const char* f : {"a/cv", "a/S.ZKT", "b/cv", "b/S.ZKT"}) scene.Write(f, "");  // two finds for File Seek
    frmMain* m = scene.ShowMain();
    auto seek = [&] {
      shell.SeekExeName = "cv";
      DefaultInstance<frmSeek>::Unload();
      frmSeek* w = DefaultInstance<frmSeek>::Get();
      w->Drive1->addItem(QString::fromStdString(scene.folder().string()));
      w->Drive1->setCurrentIndex(w->Drive1->count() - 1);
      return w->show(), w;
    };
    const std::pair<std::function<QWidget*()>, std::function<void()>> cases[] = {
        {[m] {
           m->MainCommand[2]->click(), Settle();
           return frmDialIn::IfLoaded()->mnuUseOneRun->trigger(), frmDialIn::IfLoaded();  // Throttle Stop: one run, two
         },
         [] { frmDialIn::IfLoaded()->mnuUseTwoRuns->trigger(); }},
        {[m] { return m->cmdRun->click(), frmDispGrid::IfLoaded(); },
         [] { frmDispGrid::IfLoaded()->mnuShowHistory->trigger(); }},
        {[] { return Rtrvfile::ShowRetrieveForm(), DefaultInstance<Rtrvfile>::IfLoaded(); },
         [] { DefaultInstance<Rtrvfile>::IfLoaded()->Option1[1]->click(); }},  // by date
        {[] { return ShowHelpTopic(550), DefaultInstance<HelpForm>::IfLoaded(); }, [] { ShowHelpTopic(400); }},
        {seek, [] { DefaultInstance<frmSeek>::IfLoaded()->Command1_Click(0); }},
    };
    QStringList faults;
    for (QScreen* s : QGuiApplication::screens())
      for (const auto& [open, grow] : cases) {
        QWidget* w = open();
        Settle();
        const QRect area = s->availableGeometry();
        w->move(area.bottomRight() + QPoint(1, 1) - QPoint(Frame(w).width(), Frame(w).height()));
        Settle();
        const QSize before = w->size();
        grow(), Settle();
        if (w->width() + w->height() <= before.width() + before.height() || !area.contains(Frame(w)))
          faults << w->objectName() + " on " + s->name();
        for (QWidget* t : QApplication::topLevelWidgets())
          if (t != m && t->isVisible()) t->close();
        Settle();
      }
    ShowHelpTopic(550);
    HelpForm* help = DefaultInstance<HelpForm>::IfLoaded();
    for (int framed = 0; framed < 2; ++framed) help->move(300, 800), Settle();  // offscreen, the first move frames it
    help->Command1->click(), Settle();  // the next page, as large
    QCOMPARE(help->pos(), QPoint(300, 800));
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join("\n")));
  }

  // Each kind of print preview, asked for from a window on either screen, fills its free area, frame and all.
  void printPreviewsFillTheScreen() {
    SpecScene scene;
    shell.ActivationCount = 100;
    std::filesystem::copy(kShippedData, scene.folder(), std::filesystem::copy_options::recursive);
    frmMain* m = scene.ShowMain();
    auto at = [](auto* w, QPoint p) { return w->move(p), Activate(w), w; };
    // Dial-In, Throttle Stop, two calculators, About, and a document asked for with no window framed to go by.
    const std::function<void(QPoint)> kinds[] = {
        [&](QPoint p) { m->MainCommand[1]->click(), at(frmDialIn::IfLoaded(), p)->mnuPrint_Click(); },
        [&](QPoint p) { m->MainCommand[2]->click(), at(frmDialIn::IfLoaded(), p)->mnuPrint_Click(); },
        [&](QPoint p) { scene.ui.Type("Track day"), at(OpenCalculator(nullptr, 27), p)->Command4->click(); },
        [&](QPoint p) { scene.ui.Type("Track day"), at(OpenCalculator(nullptr, 6), p)->Command4->click(); },
        [&](QPoint p) { at(DefaultInstance<frmAbout>::Get(), p)->Command3D1_Click(); },
        [&](QPoint p) { at(m, p)->hide(), PrintDocument(m, "Results", [](PrintPage&) {}), m->show(); }};
    QStringList faults;
    int previews = 0;
    for (QScreen* s : QGuiApplication::screens())
      for (const auto& printFrom : kinds) {
        WhenModal([&](QWidget* preview) {
          if (++previews; !QTest::qWaitFor([&] { return Frame(preview) == s->availableGeometry(); }, 10000))
            faults << preview->windowTitle() + " on " + s->name();
          preview->close();
        });
        printFrom(s->availableGeometry().topLeft() + QPoint(20, 20));
        for (QWidget* w : QApplication::topLevelWidgets())
          if (w != m && w->isVisible()) w->close();
        Settle();
      }
    QCOMPARE(previews, QGuiApplication::screens().size() * std::size(kinds));
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join("\n")));
  }
};

QTEST_MAIN(WindowsOnScreenTest)
#include "windows_on_screen_qtest.moc"
