// The Match window for a converter and a clutch car: entries, Clear, OK with
// the progress window and the result screen; Find Best from Optimize.
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QtTest>

#include "match/frm_disp.h"
#include "match/frm_match.h"
#include "match/frm_prgrs.h"
#include "match/match_state.h"
#include "match/match_rules.h"
#include "match/spec_search.h"
#include "platform/text.h"
#include "specs/spec_window_fixture.h"

using namespace sw;

namespace {

struct MatchScene : ShellScene {
  MatchScene() {
    CopyShipped("QVZHELP/help7.txt");
    ReturningUser();
    shell.StartupScreenShown = 1;
    shell.BeginnerNoticeShown = 1;
    shell.ActivationCount = 100;
  }
};

// The time slip typed into the Match rows: a quarter mile, then stall, 60 ft,
// MPH, finish RPM and the gear choice.
void Slip(const std::string& stall, const std::string& sixty, const std::string& mph, const std::string& rpm,
          const std::string& gear) {
  const std::string rows[6] = {" 0", stall, sixty, mph, rpm, gear};
  for (int k = 0; k < 6; ++k) SpecAt(kMatch, k) = rows[k];
}

QColor TextColour(QLabel* l) { return l->palette().color(QPalette::WindowText); }

}  // namespace

class MatchWindowTest : public QObject {
  Q_OBJECT
  std::unique_ptr<MatchScene> scene;

  frmMain* Main() {
    frmMain* m = DefaultInstance<frmMain>::Get();
    m->show();
    m->InitMainWindow();
    Settle();
    return m;
  }
  frmMatch* Open() {
    Main();
    ShowMatchWindow();
    frmMatch* w = DefaultInstance<frmMatch>::IfLoaded();
    Activate(w);
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
  void init() { scene = std::make_unique<MatchScene>(); }
  void cleanup() {
    if (frmMatch* w = DefaultInstance<frmMatch>::IfLoaded()) delete w;
    scene.reset();
  }

  void converterCarShowsTheStallRow() {
    frmMain* m = Main();
    SetSpecs("T0=3;T5=180");
    Slip("3600", "1.32", "112.5", "6100", " 2");
    QVERIFY(m->MainCommand[0]->isEnabled());
    QTest::mouseClick(m->MainCommand[0], Qt::LeftButton);
    frmMatch* w = DefaultInstance<frmMatch>::IfLoaded();
    QVERIFY(w);
    Activate(w);
    QCOMPARE(w->windowTitle(), QString("Match Vehicle Performance"));
    QCOMPARE(w->Frame3D1->title(), QString("Your Vehicle's Actual Performance"));
    QCOMPARE(Captions(w), QStringList({"Distance of Race", "Stall RPM at Launch", "60 Foot Time, sec", "Finish MPH",
                          "Finish Engine RPM", "Finish Trans Gear #"}));
    QCOMPARE(w->SpecName6->text(), QString(" Adjust Tire Diameter (see below)"));
    QVERIFY(w->Label1->text().startsWith("Tip:  If you are not sure of 'Finish Engine RPM'"));
    QCOMPARE(w->cmbSpecData[0]->itemText(1), QString("Eighth Mile"));
    QCOMPARE(ButtonTexts(w), QStringList({"OK (adjust veh. specs to match performance)", "Help", "Cancel",
                                          "Clear Entries"}));
    QCOMPARE(w->SpecData[1]->text(), QString("3600"));
    QCOMPARE(w->cmbSpecData[5]->currentText(), QString("3"));
    QVERIFY(w->cmbSpecData[0]->hasFocus());
    QVERIFY(w->Label2->text().startsWith("Pick the length of the run on your time slip"));
    QCOMPARE(tbl.CurrentSpecMenu, int16_t(7));
    QCOMPARE(scene->BoxCount(), 0);
    QVERIFY(SaveShot(w, "match_window_converter.png"));
  }

  void clutchCarHidesTheStallRow() {
    // Which drives show the stall row is the rules' business; here one of each.
    const struct {
      const char* specs;
      bool shown;
    } cases[] = {{"T0=1", false}, {"T0=3", true}};
    Main();
    for (const auto& c : cases) {
      SetSpecs(c.specs);
      Slip("", "", "", "", "-1");
      frmMatch* w = Open();
      QCOMPARE(w->SpecData[1]->isVisible(), c.shown);
      QCOMPARE(w->SpecName[1]->isVisible(), c.shown);
      QCOMPARE(w->Pick(5), -1);  // no gear picked
      if (std::string(c.specs) == "T0=1") QVERIFY(SaveShot(w, "match_window_clutch.png"));
      // OK asks for the first entry it needs: the stall only when shown.
      QTest::mouseClick(w->Command1[0], Qt::LeftButton);
      QCOMPARE(scene->LastBox().prompt, std::string(c.shown ? "Stall RPM at Launch" : "60 Foot Time, sec") +
                                            " must be specified before performance can be matched.");
      w->Unload();
      Settle();
    }
  }

  void entriesAreTestedAsTheyAreLeft() {
    Main();
    Slip("", "2.05", "111.54", "5554", " 3");
    frmMatch* w = Open();
    TypeAndLeave(w, 3, "400");
    QCOMPARE(scene->LastBox().prompt, std::string("Finish MPH = 400.  Value must be between  20 and  350 ."));
    QCOMPARE(w->SpecData[3]->text(), QString("111.54"));
    QVERIFY(w->SpecData[3]->hasFocus());
    const int boxes = scene->BoxCount();
    TypeAndLeave(w, 4, "");  // no finish RPM: 0, and no range to meet
    QCOMPARE(w->SpecData[4]->text(), QString("0"));
    TypeAndLeave(w, 4, "5554.4");  // a whole-number row
    QCOMPARE(w->SpecData[4]->text(), QString("5554"));
    QCOMPARE(scene->BoxCount(), boxes);
    // A click on a caption shows its help in the help box, not over the tip.
    const QString tip = w->Label1->text();
    QTest::mouseClick(w->SpecName[5], Qt::LeftButton);
    QVERIFY(w->Label2->text().startsWith("The transmission gear the car was in"));
    QCOMPARE(w->Label1->text(), tip);
    // An arrow key moves on without changing the gear.
    QTest::keyClick(w->cmbSpecData[5], Qt::Key_Up);
    QCOMPARE(w->Pick(5), 3);
  }

  void clearEntriesThenOkRefuses() {
    fst.SpecsChanged = 0;
    Main();
    Slip("", "2.05", "111.54", "5554", " 3");
    frmMatch* w = Open();
    scene->ui.Answer(ans::Yes);
    QTest::mouseClick(w->Command1[3], Qt::LeftButton);
    QCOMPARE(scene->Box(0).prompt, std::string("Do you want clear out all data entries in this menu?"));
    QCOMPARE(scene->Box(0).style, mb::YesNo + mb::Exclamation + mb::DefaultButton2);
    QCOMPARE(SpecAt(kMatch, 0) + "|" + SpecAt(kMatch, 3) + "|" + SpecAt(kMatch, 5), std::string("0||-1"));
    QVERIFY(w->SpecData[3]->text().isEmpty() && w->Pick(5) == -1);
    QCOMPARE(fst.SpecsChanged, int16_t(1));
    QTest::mouseClick(w->Command1[0], Qt::LeftButton);
    QCOMPARE(scene->LastBox().prompt, std::string("60 Foot Time, sec must be specified before performance can be matched."));
  }

  void leftOverNoteOnceAtTheBeginnerLevel() {
    frmMain* m = Main();
    tbl.BeginnerLevel = 1;
    shell.MatchShown = 1;
    QTest::mouseClick(m->MainCommand[0], Qt::LeftButton);  // the button clears it
    Activate(DefaultInstance<frmMatch>::IfLoaded());
    QCOMPARE(scene->LastBox().title, std::string("Beginner Level Help"));
    QVERIFY(scene->LastBox().prompt.rfind("Entries in this menu are left over", 0) == 0);
    QCOMPARE(shell.MatchShown, int16_t(1));
  }

  // OK saves the working copy, runs the search with the progress window and
  // the result screen; during it the window cannot close or start another.
  void okMatchesAndKeeps() {
    Main();
    Slip("", "2.067", "113.21", "5543", " 3");
    frmMatch* w = Open();
    fst.SpecsChanged = 0;
    bool progressSeen = false;
    scene->ui.onDoEvents = [&] { progressSeen |= DefaultInstance<frmPrgrs>::Loaded(); };
    bool busyChecked = false;
    WhenModal([&](QWidget* top) {
      auto* d = qobject_cast<frmDisp*>(top);
      QVERIFY(d);
      QVERIFY(!w->Command1[0]->isEnabled());
      QVERIFY(!w->close());
      QVERIFY(tbl.CalcRunning);
      busyChecked = true;
      QTest::mouseClick(d->Command1[1], Qt::LeftButton);
    });
    QTest::mouseClick(w->Command1[0], Qt::LeftButton);
    Settle();
    QVERIFY(busyChecked && progressSeen);
    QVERIFY(!DefaultInstance<frmMatch>::Loaded() && !DefaultInstance<frmPrgrs>::Loaded());
    QCOMPARE(fst.SpecsChanged, int16_t(1));
    QVERIFY(SpecAt(kEngine, 4) != "450");
    QCOMPARE(tbl.CalcStatus, int16_t(0));
    QVERIFY(!tbl.CalcRunning);
  }

  void okReturnToOldSpecsRestoresAndStays() {
    Main();
    Slip("", "2.067", "113.21", "5543", " 3");
    frmMatch* w = Open();
    fst.SpecsChanged = 0;
    const auto specs = tbl.SpecText;
    WhenModal([](QWidget* top) { QTest::mouseClick(qobject_cast<frmDisp*>(top)->Command1[0], Qt::LeftButton); });
    QTest::mouseClick(w->Command1[0], Qt::LeftButton);
    Settle();
    QVERIFY(DefaultInstance<frmMatch>::Loaded() && w->Command1[0]->isEnabled());
    QCOMPARE(tbl.SpecText, specs);
    QCOMPARE(fst.SpecsChanged, int16_t(0));
    QCOMPARE(w->SpecData[2]->text(), QString("2.067"));
  }

  // Escape is the window's Cancel: the entries are kept and it closes.
  void escapeCancels() {
    frmMatch* w = Open();
    QVERIFY(w);
    w->SpecData[3]->setFocus();
    w->SpecData[3]->selectAll();
    QTest::keyClicks(w->SpecData[3], "111.54");
    QTest::keyClick(w->SpecData[3], Qt::Key_Escape);
    Settle();
    QVERIFY(!DefaultInstance<frmMatch>::Loaded());
    QCOMPARE(SpecAt(kMatch, 3), std::string("111.54"));
  }

  void minimisingTheMainWindowClosesIt() {
    QVERIFY(Open());
    DefaultInstance<frmMain>::IfLoaded()->setWindowState(Qt::WindowMinimized);
    Settle();
    QVERIFY(!DefaultInstance<frmMatch>::Loaded() && !LoadedSpecWindow(kMatch));
  }

  void resultScreenOfAConverterCar() {
    QVERIFY(test::LoadFixtureVehicle(test::kBracketCar));
    Slip("3600", "1.250", "120.00", "6200", "2");
    const int end = MatchWith([](frmDisp* d) {
      QCOMPARE(d->windowTitle(), QString("Modifications Required to Match your Performance"));
      const std::pair<QLabel*, const char*> texts[] = {
          {d->Label1[2], "Converter Capacity"}, {d->Label3[2], "180"},   {d->Label1[3], "Torque Multiplication"},
          {d->Label4[2], "Conv Stall"},         {d->Label4[3], "3600"},  {d->Label4[6], "1.25"},
          {d->Label4[9], "120.0"},              {d->Label4[12], "6200"}, {d->Label4[17], "3"},
          {d->Label4[19], "Gear"},              {d->Label1[1], "Engine Pk HP (full curve)"},
          {d->Label3[8], "Racing Slick"}};
      for (const auto& [label, text] : texts) QCOMPARE(label->text(), QString(text));
      QVERIFY(!d->Label1[3]->isVisible() && d->Label4[3]->isVisible());  // 2.0 as before: not listed
      QVERIFY(d->Label1[9]->isVisible() && d->Label1[9]->text() == "Power Curve (9 points)");  // the dyno sheet
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
    Slip("", "1.500", "118.00", "5554", "3");
    const int end = MatchWith([](frmDisp* d) {
      // Street radials cannot pull a 1.50: the search went to slicks, and
      // their growth shows.
      const std::pair<QLabel*, const char*> texts[] = {
          {d->Label1[2], "Clutch Specs"},       {d->Label3[2], "User Specs"}, {d->Label3[8], "DOT Drag Tire"},
          {d->Label2[8], "Racing Slick"},       {d->Label4[6], "1.50"},       {d->Label4[12], "5554"},
          {d->Label1[4], "Rear Tire Diameter"}};
      for (const auto& [label, text] : texts) QCOMPARE(label->text(), QString(text));
      QVERIFY(!d->Label1[3]->isVisible() && d->Label1[6]->isVisible());
      QVERIFY(!d->Label4[2]->isVisible() && !d->Label4[3]->isVisible() && !d->Label4[4]->isVisible());
      QVERIFY2(TextColour(d->Label4[7]) != QColor(0, 0, 0), qPrintable(d->Label4[7]->text()));
      QVERIFY(SaveShot(d, "match_result_clutch.png"));
    });
    QCOMPARE(end, matchend::Kept);
    QCOMPARE(fst.SpecsChanged, int16_t(1));
  }

  // The Optimize button offers the converter only on a converter car; the
  // axle search runs from its menu.
  void findBestAxleFromTheMainWindow() {
    frmMain* w = Main();
    QCOMPARE(shell.SummaryConverter, int16_t(0));
    QVERIFY(w->MainCommand[5]->isEnabled());
    w->ShowOptimizeMenu(w->mapToGlobal(QPoint(10, 10)));
    QVERIFY(w->mnuFindAxleRatio->isEnabled() && !w->mnuFindConverter->isEnabled());
    w->mnuFindBest->hide();
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
    QVERIFY(!DefaultInstance<frmPrgrs>::Loaded() && !tbl.CalcRunning && w->menuBar()->isEnabled());
    QCOMPARE(tbl.CalcStatus, int16_t(0));

    // Declined: the ratio goes back, and so does the summary, which showed
    // a trial's ratio while the search ran.
    const std::string kept = SpecAt(kVehicle, 1);
    scene->ui.Answer(ans::Yes);
    scene->ui.Answer(ans::No);
    scene->ui.onDoEvents = [w] { w->BuildVehicleSummary(); };
    w->mnuFindAxleRatio->trigger();
    QCOMPARE(SpecAt(kVehicle, 1), kept);
    QVERIFY2(w->Label5[2]->text().contains(QString::fromStdString("Axle Ratio: " + kept)),
             qPrintable(w->Label5[2]->text()));
  }
};

QTEST_MAIN(MatchWindowTest)
#include "match_window_qtest.moc"
