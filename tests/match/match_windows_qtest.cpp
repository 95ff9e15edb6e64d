// The searches from the windows: the result screen after a match of each
// drive, and Find Best from the main window's Optimize button.
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QtTest>

#include "match/frm_disp.h"
#include "match/frm_prgrs.h"
#include "match/match_state.h"
#include "match/spec_search.h"
#include "platform/text.h"
#include "shell/shell_fixture.h"

using namespace sw;

namespace {

// A slip the car's own run would print, with a few figures moved so that
// the result screen has something to grade.
void TypeSlip(const std::string& stall, const std::string& sixty, const std::string& mph, const std::string& rpm,
              const std::string& gearChoice) {
  const std::string rows[6] = {"0", stall, sixty, mph, rpm, gearChoice};
  for (int k = 0; k < 6; ++k) SpecAt(kMatch, k) = rows[k];
}

QColor TextColour(QLabel* l) { return l->palette().color(QPalette::WindowText); }

}  // namespace

class MatchWindowsTest : public QObject {
  Q_OBJECT
  std::unique_ptr<ShellScene> scene;

  frmMain* Main() {
    scene->ReturningUser();
    shell.StartupScreenShown = 1;
    shell.BeginnerNoticeShown = 1;
    shell.ActivationCount = 100;
    frmMain* w = DefaultInstance<frmMain>::Get();
    w->show();
    w->InitMainWindow();
    return w;
  }

  // Runs a Match with the real calculation and the real result screen;
  // `onScreen` looks at the screen, then the racer keeps the new specs.
  int MatchWith(std::function<void(frmDisp*)> onScreen) {
    bool seen = false;
    WhenModal([&](QWidget* w) {
      auto* d = qobject_cast<frmDisp*>(w);
      QVERIFY(d);
      onScreen(d);
      seen = true;
      QTest::mouseClick(d->Command1[1], Qt::LeftButton);
    });
    SpecSearch search({}, ShowMatchResultScreen);
    const int end = search.Match();
    [&] { QVERIFY(seen); }();
    return end;
  }

 private slots:
  void init() { scene = std::make_unique<ShellScene>(); }
  void cleanup() { scene.reset(); }

  void resultScreenOfAConverterCar() {
    QVERIFY(test::LoadFixtureVehicle(test::kBracketCar));
    TypeSlip("3600", "1.250", "120.00", "6200", "2");
    const int end = MatchWith([](frmDisp* d) {
      QCOMPARE(d->windowTitle(), QString("Modifications Required to Match your Performance"));
      QCOMPARE(d->Label1[2]->text(), QString("Converter Capacity"));
      QCOMPARE(d->Label3[2]->text(), QString("180"));
      QCOMPARE(d->Label1[3]->text(), QString("Torque Multiplication"));
      QVERIFY(d->Label1[3]->isVisible() && d->Label4[3]->isVisible());
      QCOMPARE(d->Label4[2]->text(), QString("Conv Stall"));
      QCOMPARE(d->Label4[3]->text(), QString("3600"));
      QCOMPARE(d->Label4[6]->text(), QString("1.25"));
      QCOMPARE(d->Label4[9]->text(), QString("120.0"));
      QCOMPARE(d->Label4[12]->text(), QString("6200"));
      QCOMPARE(d->Label4[17]->text(), QString("3"));
      QCOMPARE(d->Label4[19]->text(), QString("Gear"));
      QCOMPARE(d->Label1[1]->text(), QString("Engine Pk HP (full curve)"));
      QVERIFY(d->Label1[6]->isVisible());  // slicks: growth shows
      QCOMPARE(d->Label3[8]->text(), QString("Drag Slick"));
      // Every figure has one of the three grade colours.
      for (int i : {4, 7, 10, 13, 18}) {
        const QColor c = TextColour(d->Label4[i]);
        QVERIFY2(c == QColor(0, 0, 0) || c == QColor(0, 0, 128) || c == QColor(128, 0, 0), qPrintable(c.name()));
      }
      QVERIFY(SaveShot(d, "match_result_converter.png"));
    });
    QCOMPARE(end, matchend::Kept);
  }

  void resultScreenOfAClutchCarWithColours() {
    QVERIFY(test::LoadFixtureVehicle(test::kMuscleCar));
    // 60 ft and MPH far from what this car can do: graded red and blue.
    TypeSlip("", "1.500", "118.00", "5554", "3");
    const int end = MatchWith([](frmDisp* d) {
      QCOMPARE(d->Label1[2]->text(), QString("Clutch Specs"));
      QCOMPARE(d->Label3[2]->text(), QString("User Specs"));
      QVERIFY(!d->Label1[3]->isVisible());
      QVERIFY(!d->Label4[2]->isVisible() && !d->Label4[3]->isVisible() && !d->Label4[4]->isVisible());
      // Street radials cannot pull a 1.50: the search went to slicks, and
      // their growth shows.
      QCOMPARE(d->Label3[8]->text(), QString("Perf Radial"));
      QCOMPARE(d->Label2[8]->text(), QString("Drag Slick"));
      QVERIFY(d->Label1[6]->isVisible());
      QCOMPARE(d->Label1[4]->text(), QString("Rear Tire Diameter"));
      QCOMPARE(d->Label4[6]->text(), QString("1.50"));
      QCOMPARE(d->Label4[12]->text(), QString("5554"));
      QVERIFY2(TextColour(d->Label4[7]) != QColor(0, 0, 0), qPrintable(d->Label4[7]->text()));
      QVERIFY(SaveShot(d, "match_result_clutch.png"));
    });
    QCOMPARE(end, matchend::Kept);
    QCOMPARE(fst.SpecsChanged, int16_t(1));
  }

  void optimizeOffersTheConverterOnlyOnAConverterCar() {
    frmMain* w = Main();
    QCOMPARE(shell.SummaryConverter, int16_t(0));
    QVERIFY(w->MainCommand[5]->isEnabled());
    w->ShowOptimizeMenu(w->mapToGlobal(QPoint(10, 10)));
    QVERIFY(w->mnuFindAxleRatio->isEnabled());
    QVERIFY(!w->mnuFindConverter->isEnabled());
    w->mnuFindBest->hide();
  }

  void findBestAxleFromTheMainWindow() {
    frmMain* w = Main();
    scene->ui.Answer(ans::Yes);
    scene->ui.Answer(ans::Yes);
    bool progressTall = false;
    scene->ui.onDoEvents = [&] {
      if (frmPrgrs* p = DefaultInstance<frmPrgrs>::IfLoaded())
        progressTall = p->Label4->text().startsWith("The computer will make several runs");
    };
    w->mnuFindAxleRatio->trigger();
    QVERIFY(progressTall);
    QCOMPARE(scene->Box(1).title, "Found Quickest Rear Axle Ratio");
    QCOMPARE(scene->LastBox().prompt.rfind("Rear Axle Ratio in Body/Axle Specs menu set to ", 0), size_t(0));
    QVERIFY(SpecAt(kVehicle, 1) != "4.10");
    QCOMPARE(fst.SpecsChanged, int16_t(1));
    QVERIFY(!DefaultInstance<frmPrgrs>::Loaded());
    QVERIFY(!tbl.CalcRunning);
    QVERIFY(w->menuBar()->isEnabled());
    QCOMPARE(tbl.CalcStatus, int16_t(0));
  }
};

QTEST_MAIN(MatchWindowsTest)
#include "match_windows_qtest.moc"
