// The Conditions window with the bracket car: the weather rows following the
// method, values carried over, the wind row, Return and Calculate Performance.
#include "calcmenus/frm_calc_data.h"
#include "results/frm_disp_grid.h"
#include "specs/frm_calc_conds.h"
#include "specs/spec_window_fixture.h"

using namespace sw;

namespace {
QString WeatherRows(SpecWindow* w) {
  return w->SpecData[1]->text() + " " + w->SpecData[3]->text() + " " + w->SpecData[4]->text();
}
}  // namespace

class FrmCalcCondsTest : public QObject {
  Q_OBJECT
  std::unique_ptr<SpecScene> scene;
  frmCalcConds* Open(const std::string& specs = {}) {
    return scene->Open<frmCalcConds>(kConditions, specs, test::kBracketCar);
  }

 private slots:
  void init() { scene = std::make_unique<SpecScene>(); }
  void cleanup() {
    DefaultInstance<frmCalcData>::Unload();
    frmDispGrid::Unload();
    scene.reset();
  }

  // Corrected barometer with dew point, no wind; help in Label1, no tip even
  // at the Beginner Level; row help lines come from the method.
  void bracketCarAsTheRacerSeesIt() {
    scene->ShowMain();
    tbl.BeginnerLevel = 1;
    shell.InstantTipShown = 0;
    frmCalcConds* w = Open();
    QVERIFY(w);
    QVERIFY(w->windowTitle().startsWith("Calculate Performance Conditions  [ "));
    QCOMPARE(w->Frame3D1->title() + "|" + w->Frame3D2->title() + "|" + w->Frame3D3->title(),
             QString("Track Weather| Wind Specs | Track Specs "));
    QCOMPARE(Captions(w), (QStringList{"Method of Reading Weather Data", "Corr. Barometer, \"Hg",
                                       "Air Temperature, deg F", "Dew Point, deg F", "Elevation, feet",
                                       "Wind Speed, MPH", "Wind Direction", "Track Length, ft", "Rollout, in"}));
    const QStringList values{"Corrected Barometer & Dew Point", "29.92", "85", "55", "800", "", "No Wind",
                             "1/4 Mile (1320 ft)", "10 in"};
    for (int r = 0; r < 9; ++r)
      if (r != 5) QCOMPARE(Shown(w, r), values[r]);
    QCOMPARE(RowStates(w), QString("111110111"));
    QCOMPARE(w->Label1->objectName(), QString("Label1"));
    QVERIFY(w->cmbSpecData[0]->hasFocus());
    QVERIFY(w->Label1->text().startsWith("How you read the weather"));
    QCOMPARE(ButtonTexts(w), (QStringList{"Return", "Help", "Calculate Performance"}));
    QVERIFY(w->ClcBttn[3]->isEnabled());
    QCOMPARE(scene->BoxCount(), 0);
    QVERIFY(SaveShot(w, "frmCalcConds.png"));
    w->SpecName[4]->setFocus();
    QTest::mouseClick(w->SpecName[4], Qt::LeftButton);
    QCOMPARE(w->Label1->text(), QString("Elevation of the track in feet above sea level.   p 50"));
  }

  // A method change carries the weather over (every pair is in the rules'
  // test), asking the elevation where needed; captions, rows and storage follow.
  void methodChangeConvertsTheRows_data() {
    QTest::addColumn<QString>("specs");
    QTest::addColumn<int>("to");
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QString>("rows");
    QTest::newRow("corrected at 1000 ft to observed") << "C0=0;C4=1000" << 2 << QStringList{} << "28.85 50 0";
    QTest::newRow("elevations refused, then one taken")
        << "C0=2;C1=28.85;C4=0" << 0 << QStringList{"12000", "-1500", "1000"} << "29.92 50 1000";
    QTest::newRow("corrected to altimeter") << "C0=1;C4=1000" << 5 << QStringList{} << "29.92 50 1000";
    QTest::newRow("altimeter 0 to observed") << "C0=4;C1=;C4=0" << 3 << QStringList{} << "29.92 63.9 0";
  }
  void methodChangeConvertsTheRows() {
    QFETCH(QString, specs);
    QFETCH(int, to);
    QFETCH(QStringList, typed);
    QFETCH(QString, rows);
    frmCalcConds* w = Open("C1=29.92;C3=50;" + specs.toStdString());
    for (const QString& t : typed) scene->ui.Type(t.toStdString());
    PickItem(w, 0, to);
    QCOMPARE(WeatherRows(w), rows);
    QCOMPARE(scene->BoxesTitled("Track Elevation"), typed.size());
    if (typed.size() > 1)
      QCOMPARE(scene->Box(1).prompt, std::string("Elevation must be between -1000 and 10000 feet.  Try again."));
    const char* barometer = to >= 4 ? "Barometer, \"Hg" : to >= 2 ? "Obs. Barometer, \"Hg" : "Corr. Barometer, \"Hg";
    QCOMPARE(Captions(w).mid(1, 4), (QStringList{barometer, "Air Temperature, deg F",
                                                 to % 2 ? "Dew Point, deg F" : "Relative Humidity, %",
                                                 to >= 4 ? "Altimeter, feet" : "Elevation, feet"}));
    QCOMPARE(RowOn(w, 1), to < 4);
    QCOMPARE(RowOn(w, 4), to < 2 || to >= 4);
    SpecScene::Close(w);
    QVERIFY(!LoadedSpecWindow(kConditions));
    const QStringList r = rows.split(' ');
    const std::string stored = FromQ("C1=" + r[0] + ";C3=" + r[1] + ";C4=" + r[2]);
    QCOMPARE_SPECS(stored);
    QCOMPARE(SpecAt(kConditions, 0), " " + std::to_string(to));
  }

  // Wind from nowhere has no speed; an entry out of range is refused naming
  // the row, its old text back.
  void windAndRefusedEntries() {
    frmCalcConds* w = Open();
    PickItem(w, 6, 1);
    QVERIFY(RowOn(w, 5));
    TypeAndLeave(w, 5, "12");
    PickItem(w, 6, 0);
    QVERIFY(!RowOn(w, 5));
    TypeAndLeave(w, 1, "40");
    QCOMPARE(scene->LastSaid(), QString("Warning: Corr. Barometer, \"Hg = 40.  Value must be between  20 and  32 ."));
    QCOMPARE(w->SpecData[1]->text(), QString("29.92"));
    SpecScene::Close(w);
    QCOMPARE_SPECS("C5=12;C6= 0;C1=29.92");
  }

  // A cold morning's dew point lies below 0 deg F; a humidity never does.
  void dewPointBelowZero() {
    frmCalcConds* w = Open("C2=20;C3=10");
    TypeAndLeave(w, 3, "-5");
    QVERIFY(w->windowTitle().contains(" @ ") && scene->BoxCount() == 0 && w->SpecData[3]->text() == "-5");
    SpecScene::Close(w);
    w = Open("C0=0;C3=50");
    TypeAndLeave(w, 3, "-5");
    QCOMPARE(scene->LastSaid(), QString("Warning: Relative Humidity, % = -5.  Value must be between  0 and  100 ."));
  }

  // Row 3's calculator follows what the row holds: dew point or humidity.
  void calculatorByTheMethod() {
    scene->CopyCalculators();
    frmCalcConds* w = Open();
    Press(w->ClcBttn[3]);
    QCOMPARE(shell.CalcMenuNumber, int16_t(50));
    QCOMPARE(shell.KeepSpecForm, int16_t(1));
    QVERIFY(DefaultInstance<frmCalcData>::IfLoaded() && LoadedSpecWindow(kConditions));
    Activate(w);
    PickItem(w, 0, 2);
    Press(w->ClcBttn[3]);
    QCOMPARE(shell.CalcMenuNumber, int16_t(51));
    QCOMPARE(SpecAt(kConditions, 0), std::string(" 2"));
  }

  // "Calculate Performance" stores, closes and shows the results; "Return"
  // only stores and closes.
  void calculatePerformanceAndReturn() {
    frmCalcConds* w = Open();
    TypeInto(w->SpecData[2], "60");
    SpecScene::Close(w);
    QVERIFY(!LoadedSpecWindow(kConditions) && !frmDispGrid::IfLoaded());
    QCOMPARE(SpecAt(kConditions, 2), std::string("60"));

    w = Open();
    TypeInto(w->SpecData[2], "95");
    Press(w->Command1[2]);
    QVERIFY(!LoadedSpecWindow(kConditions));
    QCOMPARE(SpecAt(kConditions, 2), std::string("95"));
    QVERIFY(frmDispGrid::IfLoaded() && frmDispGrid::IfLoaded()->isVisible());
    QCOMPARE(tbl.QuietCalc, int16_t(0));
    QVERIFY(tbl.FinishRow > 0);
  }
};

QTEST_MAIN(FrmCalcCondsTest)
#include "frm_calc_conds_qtest.moc"
