// The Calculate Performance Conditions window as a racer uses it from the
// main window, with the shipped row file and preset lists and the fixture
// bracket car: the weather rows following the way the weather is read, the
// values carried over on a change of way, the wind row, and the buttons that
// close the window with or without a full calculation.
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "calcmenus/frm_calc_data.h"
#include "platform/text.h"
#include "results/frm_disp_grid.h"
#include "shell/shell_fixture.h"
#include "specs/frm_calc_conds.h"
#include "specs/spec_windows.h"

using namespace sw;

namespace {

void TypeAndLeave(SpecWindow* w, int row, const QString& text) {
  w->SpecData[row]->setFocus(Qt::TabFocusReason);
  Settle();
  w->SpecData[row]->selectAll();
  QTest::keyClicks(w->SpecData[row], text);
  QTest::keyClick(w->SpecData[row], Qt::Key_Tab);
  Settle();
}

void PickItem(SpecWindow* w, int row, int item) {
  w->cmbSpecData[row]->setFocus(Qt::MouseFocusReason);
  Settle();
  w->cmbSpecData[row]->setCurrentIndex(item);
  emit w->cmbSpecData[row]->activated(item);
  Settle();
}

bool RowEnabled(SpecWindow* w, int row) {
  QWidget* value = w->SpecData[row] ? static_cast<QWidget*>(w->SpecData[row]) : w->cmbSpecData[row];
  return value->isEnabled() && w->SpecName[row]->isEnabled();
}

QString Rows(SpecWindow* w) {
  return w->SpecData[1]->text() + " " + w->SpecData[3]->text() + " " + w->SpecData[4]->text();
}

}  // namespace

class FrmCalcCondsTest : public QObject {
  Q_OBJECT
  std::unique_ptr<ShellScene> scene;

  frmMain* ShowMain() {
    scene->ReturningUser();
    for (const auto& e : std::filesystem::directory_iterator(kShippedData / "COMBO"))
      scene->CopyShipped("COMBO/" + e.path().filename().string());
    for (int m = 1; m <= 6; ++m) scene->CopyShipped("QVZHELP/help" + std::to_string(m) + ".txt");
    frmMain* m = DefaultInstance<frmMain>::Get();
    m->show();
    m->InitMainWindow();
    Settle();
    if (!test::LoadFixtureVehicle(test::kBracketCar)) qFatal("the fixture vehicles are missing");
    return m;
  }
  frmCalcConds* OpenConditions(frmMain* m) {
    m->Command1[5]->click();
    auto* w = static_cast<frmCalcConds*>(LoadedSpecWindow(kConditions));
    if (w) Activate(w);
    return w;
  }
  frmCalcConds* Open(const std::string& specs = {}) {
    frmMain* m = ShowMain();
    SetSpecs(specs);
    return OpenConditions(m);
  }

 private slots:
  void init() {
    scene = std::make_unique<ShellScene>();
    shell.StartupScreenShown = shell.BeginnerNoticeShown = 1;
  }
  void cleanup() {
    DefaultInstance<frmCalcData>::Unload();
    frmDispGrid::Unload();
    scene.reset();
  }

  // The bracket car's weather: corrected barometer with dew point, no wind;
  // the captions of rows 1 to 4 follow the method, the help box is Label1,
  // and the window shows no tip even at the Beginner Level.
  void bracketCarAsTheRacerSeesIt() {
    frmMain* m = ShowMain();
    tbl.BeginnerLevel = 1;
    shell.InstantTipShown = 0;
    frmCalcConds* w = OpenConditions(m);
    QVERIFY(w);
    QCOMPARE(tbl.InstantCalcMenu, int16_t(6));
    QCOMPARE(tbl.CurrentSpecMenu, int16_t(6));
    QVERIFY(w->windowTitle().startsWith("Calculate Performance Conditions  [ "));
    QCOMPARE(w->Frame3D1->title(), QString("Track Weather"));
    QCOMPARE(w->Frame3D2->title(), QString(" Wind Specs "));
    QCOMPARE(w->Frame3D3->title(), QString(" Track Specs "));
    const char* captions[9] = {"Method of Reading Weather Data", "Corr. Barometer, \"Hg", "Air Temperature, deg F",
                               "Dew Point, deg F", "Elevation, feet", "Wind Speed, MPH", "Wind Direction",
                               "Track Length, ft", "Rollout, in"};
    for (int r = 0; r < 9; ++r) QCOMPARE(w->SpecName[r]->text(), QString(captions[r]));
    QCOMPARE(w->cmbSpecData[0]->currentText(), QString("Corrected Barometer & Dew Point"));
    QCOMPARE(Rows(w), QString("29.92 55 800"));
    QCOMPARE(w->SpecData[2]->text(), QString("85"));
    QCOMPARE(w->cmbSpecData[6]->currentText(), QString("No Wind"));
    QCOMPARE(w->cmbSpecData[7]->currentText(), QString("1/4 Mile (1320 ft)"));
    QCOMPARE(w->cmbSpecData[8]->currentText(), QString("10 in"));
    QVERIFY(!RowEnabled(w, 5));
    for (int r : {0, 1, 2, 3, 4, 6, 7, 8}) QVERIFY(RowEnabled(w, r));
    QCOMPARE(w->Label1->objectName(), QString("Label1"));
    QVERIFY(w->cmbSpecData[0]->hasFocus());
    QVERIFY(w->Label1->text().startsWith("How you read the weather"));
    const char* buttons[3] = {"Return", "Help", "Calculate Performance"};
    for (int i = 0; i < 3; ++i) QCOMPARE(w->Command1[i]->text(), QString(buttons[i]));
    QCOMPARE(w->ClcBttn[3]->isEnabled(), CalculatorBuilt());
    QCOMPARE(scene->BoxCount(), 0);
    QVERIFY(SaveShot(w, "frmCalcConds.png"));

    // Row help lines come from the method, over the row file's.
    w->SpecName[4]->setFocus();
    QTest::mouseClick(w->SpecName[4], Qt::LeftButton);
    QCOMPARE(w->Label1->text(), QString("Elevation of the track in feet above sea level.   p 50"));
  }

  // A change of method carries the weather over, asking the elevation where
  // the new method needs one; the captions and the rows in use follow.
  void methodChangeConvertsTheRows_data() {
    QTest::addColumn<QString>("specs");
    QTest::addColumn<int>("to");
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QString>("rows");
    QTest::newRow("corrected at 0 ft to observed") << "C0=0;C1=29.92;C4=0" << 2 << QStringList{} << "29.92 50 0";
    QTest::newRow("observed to corrected") << "C0=2;C1=29.92;C4=0" << 0 << QStringList{"0"} << "29.92 50 0";
    QTest::newRow("corrected at 1000 ft to observed")
        << "C0=0;C1=29.92;C4=1000" << 2 << QStringList{} << "28.85 50 0";
    QTest::newRow("corrected to altimeter") << "C0=1;C1=29.92;C4=1000" << 5 << QStringList{} << "29.92 50 1000";
    QTest::newRow("altimeter 0 to observed") << "C0=4;C1=;C4=0" << 3 << QStringList{} << "29.92 63.9 0";
    QTest::newRow("elevations refused, then one taken")
        << "C0=2;C1=28.85;C4=0" << 0 << QStringList{"12000", "-1500", "1000"} << "29.92 50 1000";
    QTest::newRow("humidity to dew point") << "C0=0;C1=29.92;C2=70;C4=0" << 1 << QStringList{} << "29.92 50.6 0";
    QTest::newRow("dew point to humidity") << "C0=1;C1=29.92;C2=70;C3=50.6;C4=0" << 0 << QStringList{}
                                           << "29.92 50.8 0";
  }
  void methodChangeConvertsTheRows() {
    QFETCH(QString, specs);
    QFETCH(int, to);
    QFETCH(QStringList, typed);
    QFETCH(QString, rows);
    frmCalcConds* w = Open("C3=50;" + specs.toStdString());
    for (const QString& t : typed) scene->ui.Type(t.toStdString());
    const int boxes = scene->BoxCount();
    PickItem(w, 0, to);
    QCOMPARE(Rows(w), rows);
    const bool asked = !typed.isEmpty();
    QCOMPARE(scene->BoxCount() > boxes, asked);
    if (asked) {
      QCOMPARE(scene->Box(boxes).title, std::string("Track Elevation"));
      if (typed.size() > 1)
        QCOMPARE(scene->Box(boxes + 1).prompt,
                 std::string("Elevation must be between -1000 and 10000 feet.  Try again."));
    }
    const char* barometer = to >= 4 ? "Barometer, \"Hg" : to >= 2 ? "Obs. Barometer, \"Hg" : "Corr. Barometer, \"Hg";
    QCOMPARE(w->SpecName[1]->text(), QString(barometer));
    QCOMPARE(w->SpecName[3]->text(), QString(to % 2 ? "Dew Point, deg F" : "Relative Humidity, %"));
    QCOMPARE(w->SpecName[4]->text(), QString(to >= 4 ? "Altimeter, feet" : "Elevation, feet"));
    QCOMPARE(RowEnabled(w, 1), to < 4);
    QCOMPARE(RowEnabled(w, 4), to < 2 || to >= 4);
    // The converted rows are what the window stores.
    w->Command1[0]->click();
    Settle();
    QVERIFY(!LoadedSpecWindow(kConditions));
    QCOMPARE(QString::fromStdString(SpecAt(kConditions, 1) + " " + SpecAt(kConditions, 3) + " " +
                                    SpecAt(kConditions, 4)),
             rows);
    QCOMPARE(SpecAt(kConditions, 0), " " + std::to_string(to));
  }

  // Wind from nowhere has no speed; an entry out of range is refused with
  // the row's caption, its old text back.
  void windAndRefusedEntries() {
    frmCalcConds* w = Open();
    PickItem(w, 6, 1);
    QVERIFY(RowEnabled(w, 5));
    TypeAndLeave(w, 5, "12");
    PickItem(w, 6, 0);
    QVERIFY(!RowEnabled(w, 5));
    TypeAndLeave(w, 1, "40");
    QCOMPARE(scene->LastBox().title, std::string("Warning"));
    QCOMPARE(scene->LastBox().prompt,
             std::string("Corr. Barometer, \"Hg = 40.  Value must be between  20 and  32 ."));
    QCOMPARE(w->SpecData[1]->text(), QString("29.92"));
    w->Command1[0]->click();
    Settle();
    QCOMPARE(SpecAt(kConditions, 5), std::string("12"));
    QCOMPARE(SpecAt(kConditions, 6), std::string(" 0"));
    QCOMPARE(SpecAt(kConditions, 1), std::string("29.92"));
  }

  // The calculator beside row 3 is the dew point one while the row holds a
  // dew point, the humidity one while it holds a relative humidity.
  void calculatorByTheMethod() {
    std::filesystem::copy(kShippedData / "CALC", scene->folder() / "CALC");
    frmCalcConds* w = Open();
    QVERIFY(w->ClcBttn[3]->isEnabled());
    w->ClcBttn[3]->click();
    Settle();
    QCOMPARE(shell.CalcMenuNumber, int16_t(50));
    QCOMPARE(shell.KeepSpecForm, int16_t(1));
    QVERIFY(DefaultInstance<frmCalcData>::IfLoaded());
    QVERIFY(LoadedSpecWindow(kConditions));
    Activate(w);
    PickItem(w, 0, 2);
    w->ClcBttn[3]->click();
    Settle();
    QCOMPARE(shell.CalcMenuNumber, int16_t(51));
    QCOMPARE(SpecAt(kConditions, 0), std::string(" 2"));
  }

  // "Calculate Performance" stores the rows, closes the window and shows
  // the results of the run; "Return" only closes it.
  void calculatePerformanceAndReturn() {
    frmMain* m = ShowMain();
    frmCalcConds* w = OpenConditions(m);
    w->SpecData[2]->setFocus();
    Settle();
    w->SpecData[2]->selectAll();
    QTest::keyClicks(w->SpecData[2], "60");
    w->Command1[0]->click();
    Settle();
    QVERIFY(!LoadedSpecWindow(kConditions));
    QVERIFY(!frmDispGrid::IfLoaded());
    QCOMPARE(SpecAt(kConditions, 2), std::string("60"));

    w = OpenConditions(m);
    w->SpecData[2]->setFocus();
    Settle();
    w->SpecData[2]->selectAll();
    QTest::keyClicks(w->SpecData[2], "95");
    w->Command1[2]->click();
    Settle();
    QVERIFY(!LoadedSpecWindow(kConditions));
    QCOMPARE(SpecAt(kConditions, 2), std::string("95"));
    frmDispGrid* results = frmDispGrid::IfLoaded();
    QVERIFY(results);
    QVERIFY(results->isVisible());
    QCOMPARE(tbl.QuietCalc, int16_t(0));
    QVERIFY(tbl.FinishRow > 0);
  }
};

QTEST_MAIN(FrmCalcCondsTest)
#include "frm_calc_conds_qtest.moc"
