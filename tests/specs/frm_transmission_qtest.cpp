// The Transmission window: the bracket car's stall RPM turned into a capacity
// and back, the drive type's rows, the linked examples, the next calculation.
#include "shell/frm_example.h"
#include "specs/frm_transmission.h"
#include "specs/spec_window_fixture.h"
#include "specs/transmission_rules.h"

using namespace sw;

namespace {

QString StallAndCapacity(SpecWindow* w) { return RowTexts(w, {trans::kStallRpm, trans::kCapacity}); }

const QString kConverterRows = "100001111111111111111", kClutchRows = "111110011111111000000";

// The example list a Type item opened is `code`'s; closed, `w` comes back.
void CloseExampleList(SpecWindow* w, const char* code) {
  Settle();
  QVERIFY(DefaultInstance<frmExample>::IfLoaded());
  QCOMPARE(shell.ExampleComponent, std::string(code));
  DefaultInstance<frmExample>::Unload();
  Activate(w);
}

}  // namespace

class FrmTransmissionTest : public QObject {
  Q_OBJECT
  std::unique_ptr<SpecScene> scene;
  // The bracket car, as opened from the library.
  frmTransmission* Open(const std::string& specs = {}, const char* car = test::kBracketCar) {
    return scene->Open<frmTransmission>(kTransmission, specs, car);
  }
  QString Text(SpecWindow* w, int row) { return w->SpecData[row]->text(); }

 private slots:
  void init() { scene = std::make_unique<SpecScene>(); }
  void cleanup() { scene.reset(); }

  // The converter car: its rows, the stall RPM from the capacity in its own
  // weather (the file holds 3940), limits from its curve; stored as shown.
  void theBracketCarsConverter() {
    frmTransmission* w = Open();
    QVERIFY(w);
    QCOMPARE(Text(w, trans::kStallRpm), QString("3760"));
    QCOMPARE(fst.SpecsChanged, int16_t(0));
    QCOMPARE(tbl.ConverterDrive, int16_t(1));
    QCOMPARE(QPointF(tbl.RowMinimum[trans::kStallRpm], tbl.RowMaximum[trans::kStallRpm]), QPointF(1400, 6000));
    QCOMPARE(RowStates(w), kConverterRows);
    QVERIFY(w->Label5->isEnabled());
    QVERIFY(w->windowTitle().startsWith("Transmission Specs  [ "));
    QCOMPARE(w->FrameClutch->title() + "|" + w->FrameTransmission->title() + "|" + w->Label5->text() + "|" +
                 w->RatioLabel->text(),
             QString("Clutch/Converter|Transmission|Converter Locked Up?|Ratio"));
    QCOMPARE(Captions(w).mid(0, 16),
             (QStringList{"Type", "Clutch Diameter, in", "Clutch Force, lbs", "# Clutch Disks", "Clutch Material",
                          "Converter Capacity", "Torque Multiplication", "Type", "Efficiency, %", "Gear #1", "Gear #2",
                          "Gear #3", "Gear #4", "Gear #5", "Gear #6",
                          "Converter Stall RPM based on\nCurrent Converter Capacity,\nFull Throttle Engine Power "
                          "Curve and Weather Specs at the track"}));
    QCOMPARE(RowTexts(w, {0, 7, trans::kCapacity, 9, 12, 16}),
             QString("Converter:  User Defined Specs|User Defined Specs|180|2.48||No"));
    QCOMPARE(w->cmbSpecData[16]->accessibleName(), QString("Converter Locked Up? Gear #2"));
    for (int r = 9; r <= 14; ++r) QVERIFY(w->ClcBttn[r]->isHidden());
    QCOMPARE(ButtonTexts(w), (QStringList{"OK", "Help", "Get Example", "Save Example", "Print", "Print Setup"}));
    QVERIFY(w->cmbSpecData[0]->hasFocus());
    // Tab: down the converter frame to the stall RPM, then each gear's ratio and its lock-up.
    auto next = [](QWidget* c) {
      do c = c->nextInFocusChain();
      while (!(c->focusPolicy() & Qt::TabFocus) || !c->isVisibleTo(c->window()));
      return c;
    };
    QCOMPARE(next(w->SpecData[6]), static_cast<QWidget*>(w->SpecData[trans::kStallRpm]));
    QCOMPARE(next(w->SpecData[trans::kStallRpm]), static_cast<QWidget*>(w->cmbSpecData[7]));
    QCOMPARE(next(w->SpecData[10]), static_cast<QWidget*>(w->cmbSpecData[16]));
    QCOMPARE(next(w->cmbSpecData[16]), static_cast<QWidget*>(w->SpecData[11]));
    QCOMPARE(next(w->cmbSpecData[20]), static_cast<QWidget*>(w->Command1[0]));
    QVERIFY(SaveShot(w, "frmTransmission.png"));
    SpecScene::Close(w);
    QCOMPARE_SPECS("T15=3760;T5=180");
  }

  // The stall RPM becomes the capacity, which gives the stall back to 10 RPM,
  // with a note when it moved; outside the limits the "Warning"; tabbing
  // through the row moves nothing.
  void stallRpmAndCapacity() {
    frmTransmission* w = Open();
    TypeAndLeave(w, trans::kStallRpm, "1300");
    QCOMPARE(scene->LastSaid(),
             QString::fromStdString("Warning: " + StallRpmCaption() +
                                    " = 1300.  Value must be between  1400 and  6000 ."));
    QCOMPARE(StallAndCapacity(w), QString("3760|180"));
    TypeAndLeave(w, trans::kStallRpm, "6100");
    for (int i = 0; i < 2; ++i) {
      w->SpecData[trans::kStallRpm]->setFocus(Qt::TabFocusReason);
      Settle();
      QTest::keyClick(w->SpecData[trans::kStallRpm], Qt::Key_Tab);
      Settle();
    }
    QCOMPARE(StallAndCapacity(w), QString("3760|180"));
    QCOMPARE(scene->BoxCount(), 2);

    TypeAndLeave(w, trans::kStallRpm, "3000");
    QCOMPARE(StallAndCapacity(w), QString("3000|148.8"));
    QCOMPARE(scene->BoxCount(), 2);
    QCOMPARE(fst.SpecsChanged, int16_t(1));
    TypeAndLeave(w, trans::kStallRpm, "3500");
    QCOMPARE(StallAndCapacity(w), QString("3490|168.8"));
    QCOMPARE(scene->BoxCount(), 3);
    QCOMPARE(scene->LastSaid(), QString::fromStdString(": " + StallRoundingMessage("3490")));  // text: rules' test
    QCOMPARE(scene->LastBox().style, mb::OKOnly);
    // The capacity typed in gives its stall at once.
    TypeAndLeave(w, trans::kCapacity, "180");
    QCOMPARE(Text(w, trans::kStallRpm), QString("3760"));
    SpecScene::Close(w);
    QCOMPARE_SPECS("T5=180");
  }

  // A flat 400 ft lbs in standard weather: 3000 RPM is a capacity of 150 and back.
  void flatCurveInStandardWeather() {
    scene->ShowMain();
    test::LoadFixtureVehicle(test::kBracketCar);
    for (int i = 0; i <= 9; ++i) {
      const int rpm = i <= 5 ? 2000 + 1000 * i : 0;
      tbl.PowerCurveText[i] = {rpm ? std::to_string(rpm) : "", rpm ? "400" : "",
                               rpm ? Format(400.0 * rpm / 5252, "###0.0") : ""};
    }
    frmTransmission* w = Open("E0=2;E6=0;C0=0;C1=29.92;C2=60;C3=0;C4=0", nullptr);
    TypeAndLeave(w, trans::kStallRpm, "3000");
    QCOMPARE(StallAndCapacity(w), QString("3000|150.0"));
    QCOMPARE(scene->BoxCount(), 0);
  }

  // Row 0 chooses the rows and keeps the drive type; the ways to the examples
  // put the Type back; an example in use is a clutch or converter by marker.
  void typeRowChoosesTheRows() {
    frmTransmission* w = Open();
    tbl.InstantUpdate = 0;
    PickItem(w, 0, 0);
    QCOMPARE(RowStates(w), QString("100000011111111000000"));
    QVERIFY(!w->Label5->isEnabled());
    QCOMPARE(tbl.ConverterDrive, int16_t(1));
    PickItem(w, 0, 1);
    QCOMPARE(RowStates(w), kClutchRows);
    QCOMPARE(tbl.ConverterDrive, int16_t(0));
    PickItem(w, 0, 0);
    QCOMPARE(tbl.ConverterDrive, int16_t(0));
    tbl.InstantUpdate = 1;
    for (auto [item, code] : {std::pair{2, "CLUTCH"}, {4, "CONV"}}) {
      PickItem(w, 0, item);
      QCOMPARE(w->Pick(0), 0);
      CloseExampleList(w, code);
    }
    PickItem(w, 0, 3);
    PickItem(w, 7, 1);
    QCOMPARE(w->Pick(7), 0);
    CloseExampleList(w, "TRANS");
    QCOMPARE(w->Pick(0), 3);
    QCOMPARE(RowStates(w), kConverterRows);
    SpecScene::Close(w);
    QCOMPARE(Val(SpecAt(kTransmission, 0)), 3.0);

    for (auto [marker, states] : {std::pair{"1", kClutchRows}, {"2", kConverterRows}}) {
      w = Open(std::string("T0=5;T22=Ex CL: Twin Disk;T23=") + marker, nullptr);
      QCOMPARE(Shown(w, 0), QString("Ex CL: Twin Disk"));
      QCOMPARE(w->Pick(0), 5);
      QCOMPARE(RowStates(w), states);
      QCOMPARE(tbl.ConverterDrive, int16_t(marker[0] == '2'));
      PickItem(w, 0, 5);  // the example in use again: nothing happens
      QCOMPARE(SpecAt(kTransmission, 22), std::string("Ex CL: Twin Disk"));
      SpecScene::Close(w);
    }
  }

  // A change to a linked example's row asks; "Yes" drops the link and sets the
  // Type to the racer's own specs, from a pick row too.
  void linkedExamples() {
    frmTransmission* w = Open("T0=5;T22=Ex CV: 3500 Stall;T23=2;T7=2;T24=Ex TR: TH400;T25=1");
    QCOMPARE(Shown(w, 7), QString("Ex TR: TH400"));
    scene->ui.Answer(ans::No);
    TypeAndLeave(w, 10, "1.60");
    QCOMPARE(scene->LastSaid(), QString("Change these Example Specs?: Changing this value means these specs no longer "
                                        "match:\r\r    Ex TR: TH400\r\rChange this spec anyway?"));
    QCOMPARE(Text(w, 10), QString("1.48"));
    QCOMPARE(w->Pick(7), 2);

    scene->ui.Answer(ans::Yes);
    TypeAndLeave(w, 10, "1.60");
    QCOMPARE(Text(w, 10), QString("1.6"));
    QCOMPARE(w->Pick(7), 0);
    QCOMPARE(w->cmbSpecData[7]->count(), 2);
    QCOMPARE_SPECS("T24=;T25=");
    scene->ui.Answer(ans::Yes);
    TypeAndLeave(w, trans::kStallRpm, "3000");
    QCOMPARE(w->Pick(0), 3);
    QCOMPARE_SPECS("T22=;T23=");
    QCOMPARE(Text(w, trans::kCapacity), QString("148.8"));
    QCOMPARE(RowStates(w), kConverterRows);
    SpecScene::Close(w);
    QCOMPARE(QPointF(Val(SpecAt(kTransmission, 0)), Val(SpecAt(kTransmission, 7))), QPointF(3, 0));

    w = Open("T7=2;T24=Ex TR: TH400;T25=1", nullptr);
    w->setWindowTitle("Transmission Specs");
    scene->ui.Answer(ans::Yes);
    PickItem(w, 8, 3);
    QCOMPARE(QPoint(w->Pick(7), w->Pick(8)), QPoint(0, 3));
    QCOMPARE(SpecAt(kTransmission, 24), std::string(""));
    QVERIFY(w->windowTitle().startsWith("Transmission Specs  [ "));
  }

  // Reversed gear ratios fail the next calculation's checks: a bare caption.
  // A lock-up pick calculates nothing.
  void checksOfTheNextCalculation() {
    frmTransmission* w = Open();
    TypeAndLeave(w, 11, "1.60");
    QCOMPARE(scene->LastBox().title, std::string("Problem with Inputs"));
    QVERIFY(scene->LastPrompt().contains("Ratio for Trans Gear # 2 is less than Ratio for Trans Gear # 3"));
    QCOMPARE(w->windowTitle(), QString("Transmission Specs"));
    TypeAndLeave(w, 11, "1.00");
    QVERIFY(w->windowTitle().startsWith("Transmission Specs  [ "));
    w->setWindowTitle("Transmission Specs");
    PickItem(w, 16, 1);
    QCOMPARE(w->windowTitle(), QString("Transmission Specs"));
    QCOMPARE(fst.SpecsChanged, int16_t(1));
    SpecScene::Close(w);
    QCOMPARE(Val(SpecAt(kTransmission, 16)), 1.0);
  }

  // A clutch car; Save Example at the Beginner Level; Help keeps the window.
  void clutchCarAndExampleButtons() {
    frmTransmission* w = Open({}, nullptr);
    QCOMPARE(tbl.ConverterDrive + tbl.EstimateClutch, 0);
    QCOMPARE(RowStates(w), kClutchRows);
    QCOMPARE(Shown(w, 4), QString("Organic (friction .35)"));
    tbl.BeginnerLevel = 1;
    w->SaveExample();
    QCOMPARE(scene->LastSaid(), QString::fromStdString("Beginner Level Help: " + tbl.MsgBeginnerNoSave));
    w->Command1[1]->click();
    QCOMPARE(shell.KeepSpecForm, int16_t(1));
    Settle();
    QVERIFY(LoadedSpecWindow(kTransmission));
  }
};

QTEST_MAIN(FrmTransmissionTest)
#include "frm_transmission_qtest.moc"
