// The Driving window: the drive type from the transmission, the rows that
// apply, the Beginner Level's refusals, the "Clc" buttons' shift RPMs.
#include "specs/frm_driving.h"
#include "specs/spec_window_fixture.h"

using namespace sw;

class FrmDrivingTest : public QObject {
  Q_OBJECT
  std::unique_ptr<SpecScene> scene;
  frmDriving* Open(const std::string& specs = {}) { return scene->Open<frmDriving>(kDriving, specs); }

 private slots:
  void init() { scene = std::make_unique<SpecScene>(); }
  void cleanup() { scene.reset(); }

  // The muscle car: a clutch, four gears, the program's shift RPMs.
  void theMuscleCar() {
    frmDriving* w = Open();
    QVERIFY(w);
    QCOMPARE(tbl.ConverterDrive, int16_t(0));
    QCOMPARE(w->Frame3D1->title() + "|" + w->Frame3D2->title(), QString(" Launch Specs | Shift Specs "));
    const QStringList captions{"Type", "Launch RPM", "Launch % Clutch", "Launch % Throttle", "Launch Time, sec",
                               "Shift Time, sec", "Shift % Throttle", "Shift RPMs", "1-2 Shift RPM", "2-3 Shift RPM",
                               "3-4 Shift RPM", "4-5 Shift RPM", "5-6 Shift RPM"};
    QCOMPARE(Captions(w), captions);
    QCOMPARE(RowTexts(w, {0, 1, 4, 5, 6, 7}),
             QString("User Defined Launch|4500|.4|.4 sec - fast manual shift|2 - lift throttle|Computer Calculated"));
    QCOMPARE(w->cmbSpecData[5]->count(), 4);  // a manual's shift times
    QCOMPARE(RowStates(w, true), QString("1111111100000"));
    for (int r = 8; r <= 12; ++r) {
      QCOMPARE(w->ClcBttn[r]->text(), QString("Clc"));
      QCOMPARE(w->ClcBttn[r]->accessibleName(), "Clc " + captions[r]);
      QVERIFY(w->ClcBttn[r]->toolTip().isEmpty());
    }
    QCOMPARE(ButtonTexts(w), (QStringList{"OK", "Help", "Print", "Printer Setup"}));
    QVERIFY(w->cmbSpecData[0]->hasFocus());
    QVERIFY(w->windowTitle().startsWith("Driving Specs  [ "));
    PickItem(w, 7, 1);
    QCOMPARE(RowStates(w, true), QString("1111111111100"));
    QVERIFY(SaveShot(w, "frmDriving.png"));
  }

  // The drive type comes from the transmission at every activation (every
  // pair is in the rules' test); each kind of car keeps its rows.
  void driveTypeFromTheTransmission_data() {
    QTest::addColumn<QString>("transmission");
    QTest::addColumn<int>("converter");
    QTest::newRow("converter") << "T0=3;T23=" << 1;
    QTest::newRow("converter example") << "T0=5;T23=2" << 1;
    QTest::newRow("clutch example") << "T0=5;T23=1" << 0;
    QTest::newRow("clutch") << "T0=1;T23=" << 0;
  }
  void driveTypeFromTheTransmission() {
    QFETCH(QString, transmission);
    QFETCH(int, converter);
    scene->ShowMain();
    tbl.InstantUpdate = 0;  // the window's own decision (a calculation decides again for the run)
    frmDriving* w = Open(FromQ(transmission) + ";D0=2;D5=1;D6=2");
    QCOMPARE(tbl.ConverterDrive, int16_t(converter));
    // A converter has no clutch to hold the RPM up with, and an automatic's
    // shift times; its stored 2 comes up as 0.
    if (converter) {
      QCOMPARE(Items(w->cmbSpecData[0]), (QStringList{"Program Limits Tire Spin", "User Defined Launch"}));
      QCOMPARE(w->Pick(0), 0);
      QCOMPARE(Shown(w, 5), QString(".4 sec - shift kit"));
      QCOMPARE(w->cmbSpecData[5]->count(), 3);
      QCOMPARE(RowStates(w, true), QString("1000010100000"));
      PickItem(w, 0, 1);
      QCOMPARE(RowStates(w, true), QString("1001110100000"));
    } else {
      QCOMPARE(w->cmbSpecData[0]->count(), 3);
      QCOMPARE(w->Pick(0), 2);
      QCOMPARE(Shown(w, 5), QString(".4 sec - fast manual shift"));
      QCOMPARE(RowStates(w, true), QString("1100011100000"));
      PickItem(w, 5, 3);  // a power shift keeps the throttle
      QCOMPARE(RowStates(w, true), QString("1100010100000"));
      PickItem(w, 0, 0);
      QCOMPARE(RowStates(w, true), QString("1100010100000"));
      PickItem(w, 0, 1);
      QCOMPARE(RowStates(w, true), QString("1111110100000"));
    }
    QCOMPARE(fst.SpecsChanged, int16_t(1));
    SpecScene::Close(w);
    QCOMPARE(Val(SpecAt(kDriving, 0)), 1.0);
  }

  // Shift RPMs below: a row for each gear change the transmission has.
  void shiftRowsFollowTheGears() {
    frmDriving* w = Open("T9=2.6;T10=1.6;T11=1.0;T12=0;T13=;T14=;D7=1");
    QCOMPARE(RowStates(w, true), QString("1111111111000"));
    PickItem(w, 7, 0);
    QCOMPARE(RowStates(w, true), QString("1111111100000"));
  }

  // The Beginner Level refuses the racer's own launch and shift RPMs; a file
  // saved with them opens without them, changed.
  void beginnerLevel() {
    scene->ShowMain();
    tbl.BeginnerLevel = 1;
    shell.InstantTipShown = 1;
    frmDriving* w = Open("D0=2;D7=0");
    QCOMPARE(fst.SpecsChanged, int16_t(0));
    PickItem(w, 0, 1);
    QCOMPARE(scene->BoxCount(), 1);
    QCOMPARE(scene->LastSaid(),
             QString("Beginner Level Help: This choice is not available when the program is set to Beginner Level."));
    QCOMPARE(w->Pick(0), 2);
    PickItem(w, 0, 0);
    PickItem(w, 0, 1);
    QCOMPARE(w->Pick(0), 0);
    PickItem(w, 7, 1);
    QCOMPARE(w->Pick(7), 0);
    QCOMPARE(scene->BoxCount(), 3);
    SpecScene::Close(w);
    QCOMPARE(Val(SpecAt(kDriving, 0)) + Val(SpecAt(kDriving, 7)), 0.0);
    for (const char* specs : {"D0=1;D7=0", "D0=0;D7=1"}) {
      w = Open(specs);
      QCOMPARE(scene->BoxCount(), 3);
      QCOMPARE(QPoint(w->Pick(0), w->Pick(7)), QPoint(0, 0));
      QCOMPARE(fst.SpecsChanged, int16_t(1));
      SpecScene::Close(w);
      QCOMPARE(Val(SpecAt(kDriving, 0)) + Val(SpecAt(kDriving, 7)), 0.0);
    }
  }

  // "Clc": the program's shift RPMs (the rules' test holds them against a
  // direct call) beside the racer's; Yes takes them rounded to 100 without
  // calculating; No changes nothing; without a curve nothing is offered.
  void computerCalculatedShiftRpms() {
    frmDriving* w = Open("D7=1");
    QCOMPARE(fst.SpecsChanged, int16_t(0));
    QCOMPARE(RowStates(w, true), QString("1111111111100"));
    const std::string head = "The program would use these RPMs for shifting:\r\r           Current                "
                             "Calculated\r\r",
                      line = std::string(13 + 25 + 4, ' '), end = "\rDo you want to use these calculated shift RPMs?";
    scene->ui.Answer(ans::No);
    w->ClcBttn[9]->click();
    QCOMPARE(scene->LastBox().title, std::string("Computer Calculated Shift RPMs"));
    QCOMPARE(scene->LastBox().style, mb::YesNo + mb::DefaultButton2);
    QCOMPARE(scene->LastBox().prompt, head + line + " 5780\r" + line + " 5830\r" + line + " 5950\r" + end);
    for (int r = 8; r <= 12; ++r) QCOMPARE(w->SpecData[r]->text(), QString());
    QCOMPARE(fst.SpecsChanged, int16_t(0));

    w->SetRowText(11, "6100");  // a greyed row as a file left it
    fst.SpecsChanged = 0;
    tbl.InstantEt[0] = "not calculated";
    scene->ui.Answer(ans::Yes);
    Press(w->ClcBttn[8]);
    const QStringList rows{"5800", "5800", "6000", "6100", ""};
    for (int r = 8; r <= 12; ++r) QCOMPARE(w->SpecData[r]->text(), rows[r - 8]);
    QCOMPARE(fst.SpecsChanged, int16_t(1));
    QCOMPARE(tbl.InstantEt[0], std::string("not calculated"));
    SpecScene::Close(w);
    QCOMPARE_SPECS("D8=5800;D10=6000");

    w = Open("E1=;E4=;E5=");
    const int boxes = scene->BoxCount();
    scene->ui.Answer(ans::Yes);
    w->ClcBttn[8]->click();
    QCOMPARE(scene->BoxCount(), boxes + 1);
    QCOMPARE(scene->LastBox().prompt, head + end);
    QCOMPARE(w->SpecData[8]->text(), QString("5800"));
  }

  // An emptied box: no message, no calculation; a refused entry does not
  // calculate, an accepted one does.
  void entries() {
    frmDriving* w = Open();
    w->setWindowTitle("Driving Specs");
    TypeAndLeave(w, 1, "");
    QCOMPARE(scene->BoxCount(), 0);
    QCOMPARE(w->windowTitle(), QString("Driving Specs"));
    w->SpecData[3]->setFocus();  // leaving row 2 as it was
    Settle();
    w->setWindowTitle("Driving Specs");
    TypeAndLeave(w, 3, "120");
    QCOMPARE(scene->LastPrompt(), QString("Launch % Throttle = 120.  Value must be between  0 and  100 ."));
    QCOMPARE(w->SpecData[3]->text(), QString("80"));
    QCOMPARE(w->windowTitle(), QString("Driving Specs"));
    TypeAndLeave(w, 3, "90");
    QVERIFY(w->windowTitle().startsWith("Driving Specs  [ "));
    SpecScene::Close(w);
    QCOMPARE_SPECS("D1=;D3=90");
  }
};

QTEST_MAIN(FrmDrivingTest)
#include "frm_driving_qtest.moc"
