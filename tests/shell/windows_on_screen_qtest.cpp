// Every window the racer opens from the main window's buttons and menus, and
// every calculator behind a "Clc" button, opens with its frame wholly on a
// 1280 x 900 screen, wherever the main window stands on it.
//
// Runs on the offscreen platform with a screen of that size; with
// QT_QPA_PLATFORM=xcb it runs on the display in DISPLAY instead (a desktop of
// 1280 x 900 with a window manager), where the frames are the desktop's own.
#include <QAbstractButton>
#include <QDialog>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>

#include "calcmenus/frm_calc_data.h"
#include "dialin/frm_dial_in.h"
#include "platform/qt/printer.h"
#include "results/frm_disp_grid.h"
#include "shell/shell_fixture.h"
#include "specs/spec_window.h"
#include "specs/spec_windows.h"

using namespace sw;

namespace {

constexpr QSize kScreenSize(1280, 900);

bool Desktop() { return QGuiApplication::platformName() != "offscreen"; }

std::vector<QWidget*> OpenWindows() {
  std::vector<QWidget*> out;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->isVisible() && w->windowType() != Qt::Popup && w->windowType() != Qt::ToolTip) out.push_back(w);
  return out;
}

// The window's outer rectangle, once the desktop has framed it.
QRect Frame(QWidget* w) {
  if (Desktop()) (void)QTest::qWaitFor([w] { return w->frameGeometry() != w->geometry(); }, 1500);
  return w->frameGeometry();
}

QString Describe(QWidget* w, const QRect& r) {
  return QString("%1 \"%2\" at %3,%4 %5x%6")
      .arg(w->metaObject()->className(), w->windowTitle())
      .arg(r.x())
      .arg(r.y())
      .arg(r.width())
      .arg(r.height());
}

// Opens windows with `open`, notes every window whose frame leaves the
// screen (modal ones while they are up, then closes them), closes what
// opened and gives the front back.
class Sweep {
 public:
  explicit Sweep(frmMain* main) : main_(main) {}

  void Run(const QString& what, const std::function<void()>& open) {
    const std::vector<QWidget*> before = OpenWindows();
    QWidget* front = QApplication::activeWindow();
    QTimer modal;
    modal.setInterval(20);
    QObject::connect(&modal, &QTimer::timeout, [&] {
      QWidget* m = QApplication::activeModalWidget();
      if (!m || !m->isVisible()) return;
      modal.stop();
      Check(what);
      if (auto* d = qobject_cast<QDialog*>(m)) d->reject();
      else m->close();
      modal.start();
    });
    modal.start();
    open();
    Settle();
    modal.stop();
    Check(what);
    for (QWidget* w : OpenWindows())
      if (std::find(before.begin(), before.end(), w) == before.end()) w->close();
    Settle();
    Activate(front ? front : main_);
  }

  void Check(const QString& what) {
    const QRect screen = main_->screen()->availableGeometry();
    for (QWidget* w : OpenWindows()) {
      const QRect frame = Frame(w);
      seen << Describe(w, frame);
      if (!screen.contains(frame)) faults << what + ": " + Describe(w, frame);
    }
  }

  QStringList faults, seen;

 private:
  frmMain* main_;
};

}  // namespace

class WindowsOnScreenTest : public QObject {
  Q_OBJECT
  std::unique_ptr<ShellScene> scene;

  frmMain* ShowMain(QPoint frameAt) {
    scene->ReturningUser();
    std::filesystem::copy(kShippedData, scene->folder(),
                          std::filesystem::copy_options::recursive | std::filesystem::copy_options::skip_existing);
    frmMain* m = DefaultInstance<frmMain>::Get();
    m->move(frameAt);
    m->show();
    m->InitMainWindow();
    Activate(m);
    return m;
  }

 private slots:
  void init() {
    scene = std::make_unique<ShellScene>();
    shell.StartupScreenShown = shell.BeginnerNoticeShown = 1;
    shell.ActivationCount = 100;
  }
  void cleanup() {
    frmDispGrid::Unload();
    scene.reset();
  }

  void screenIs1280By900() { QCOMPARE(QGuiApplication::primaryScreen()->geometry().size(), kScreenSize); }

  // A long example name leaves Body & Axle and Transmission at their width:
  // shortened in its list's box, whole in the tooltip and the description
  // (above the row's help line).
  void longExampleNamesKeepTheWindowWidth() {
    const std::string name = "Ex Clutch  Long Name of a Twin Disc Slipper Clutch for a Nitrous Pro Mod";
    struct Case {
      int button, menu, row;
      const char* specs;
    };
    for (const Case& c : {Case{1, kTransmission, 0, "T0=5;T23=1"}, Case{1, kTransmission, 7, "T7=2"},
                          Case{2, kVehicle, 3, "V3=2"}}) {
      frmMain* m = ShowMain(QPoint(0, 0));
      m->Command1[c.button]->click();
      Settle();
      const int designed = LoadedSpecWindow(c.menu)->width();
      UnloadSpecWindows();
      SetSpecs(c.specs);
      SpecAt(c.menu, c.menu == kVehicle ? 15 : (c.row == 0 ? 22 : 24)) = name;
      Activate(m);
      m->Command1[c.button]->click();
      Settle();
      SpecWindow* w = LoadedSpecWindow(c.menu);
      QComboBox* list = w->cmbSpecData[c.row];
      QCOMPARE(list->currentText(), QString::fromStdString(name));
      QCOMPARE(w->width(), designed);
      QCOMPARE(list->toolTip(), list->currentText());
      QVERIFY(list->accessibleDescription().startsWith(list->currentText() + "\n"));
      scene.reset();
      scene = std::make_unique<ShellScene>();
    }
  }

  // The print preview fills the screen, the page as wide as the window.
  void printPreviewFillsTheScreen() {
    QRect frame;
    int zoomMode = -1;
    WhenModal([&](QWidget* w) {
      frame = Frame(w);
      if (auto* view = w->findChild<QPrintPreviewWidget*>()) zoomMode = view->zoomMode();
      static_cast<QDialog*>(w)->reject();
    });
    SetPrintToPdfForTest(QString());
    PrintDocument(nullptr, "Calculated Test Results", [](PrintPage& page) { page.Print("1/4 mile  11.75"); });
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY2(screen.contains(frame) && frame.width() * 10 >= screen.width() * 9 &&
                 frame.height() * 10 >= screen.height() * 9,
             qPrintable(QString("%1,%2 %3x%4").arg(frame.x()).arg(frame.y()).arg(frame.width()).arg(frame.height())));
    QCOMPARE(zoomMode, int(QPrintPreviewWidget::FitToWidth));
  }

  // The main window against the top left corner, then against the bottom
  // right one: each button, each menu item, each calculator.
  void everyWindowOpensWhollyOnTheScreen_data() {
    QTest::addColumn<QPoint>("corner");
    QTest::newRow("top left") << QPoint(0, 0);
    QTest::newRow("bottom right") << QPoint(kScreenSize.width(), kScreenSize.height());
  }
  void everyWindowOpensWhollyOnTheScreen() {
    QFETCH(QPoint, corner);
    frmMain* m = ShowMain(QPoint(0, 0));
    if (!corner.isNull()) {
      const QRect f = Frame(m);
      m->move(corner - QPoint(f.width(), f.height()));
      Settle();
    }
    QVERIFY(m->screen()->availableGeometry().contains(Frame(m)));
    Sweep sweep(m);

    const QStringList names = {"Engine", "Transmission", "Body & Axle", "Wheels & Tires", "Driving", "Conditions"};
    for (int i = 0; i < 6; ++i) sweep.Run(names[i], [&] { m->Command1[i]->click(); });
    sweep.Run("Calculate ET Performance", [&] { m->cmdRun->click(); });
    for (int i : {0, 1, 2}) sweep.Run(m->MainCommand[i]->text(), [&] { m->MainCommand[i]->click(); });
    for (QAction* a : {m->mnuFindAxleRatio, m->mnuOpenFileExample, m->mnuOpenFileMyVehicles})
      sweep.Run(a->text(), [a] { a->trigger(); });
    std::function<void(QMenu*)> items = [&](QMenu* menu) {
      for (QAction* a : menu->actions()) {
        if (a->menu()) items(a->menu());
        else if (a->isEnabled() && a->isVisible() && !a->isSeparator() && a != m->mnuFilExit)
          sweep.Run(menu->title() + " / " + a->text(), [a] { a->trigger(); });
      }
    };
    for (QAction* top : m->menuBar()->actions())
      if (top->menu()) items(top->menu());

    // The calculators, opened from the spec windows and from Dial-In and
    // Throttle Stop.
    int calculators = 0;
    auto everyClc = [&](SpecWindow* w, const QString& where) {
      QVERIFY2(w, qPrintable(where));
      Activate(w);
      for (QPushButton* b : w->ClcBttn) {
        if (!b || !b->isVisible()) continue;
        ++calculators;
        sweep.Run(where + " " + b->accessibleName(), [b] { b->click(); });
      }
    };
    for (int menu = kEngine; menu <= kConditions; ++menu) {
      m->Command1[menu - 1]->click();
      Settle();
      everyClc(LoadedSpecWindow(menu), names[menu - 1]);
      UnloadSpecWindows();
      Settle();
    }
    for (int i : {1, 2}) {
      m->MainCommand[i]->click();
      Settle();
      everyClc(frmDialIn::IfLoaded(), m->MainCommand[i]->text());
      for (QWidget* w : OpenWindows())
        if (w != m) w->close();
      Settle();
    }
    QVERIFY(calculators >= 20);
    if (Desktop()) qInfo().noquote() << sweep.seen.join("\n");
    QVERIFY2(sweep.faults.isEmpty(), qPrintable(sweep.faults.join("\n")));
  }
};

int main(int argc, char** argv) {
  // The offscreen platform's screen is 800 x 600 unless a configuration file
  // says otherwise.
  QTemporaryDir dir;
  const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
  if (platform.isEmpty() || platform == "offscreen") {
    QFile config(dir.filePath("screen.json"));
    if (!config.open(QIODevice::WriteOnly)) return 1;
    config.write(QString(R"({"screens": [{"name": "S1", "x": 0, "y": 0, "width": %1, "height": %2, "logicalDpi": 96}]})")
                     .arg(kScreenSize.width())
                     .arg(kScreenSize.height())
                     .toUtf8());
    config.close();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.fileName().toUtf8());
  }
  QApplication app(argc, argv);
  WindowsOnScreenTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "windows_on_screen_qtest.moc"
