// The Transmission window as a racer uses it, with the shipped row file and
// preset lists: the bracket car's converter and its stall RPM turned into a
// capacity and back, the drive type greying the rows that do not apply, the
// linked clutch, converter and transmission examples, and the checks of the
// next calculation.
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QtTest>

#include "platform/text.h"
#include "shell/shell_fixture.h"
#include "specs/frm_transmission.h"
#include "specs/spec_windows.h"
#include "specs/transmission_rules.h"

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

void TabThrough(SpecWindow* w, int row) {
  w->SpecData[row]->setFocus(Qt::TabFocusReason);
  Settle();
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

QString Text(SpecWindow* w, int row) { return w->SpecData[row]->text(); }

bool RowOn(SpecWindow* w, int row) {
  QWidget* value = w->SpecData[row] ? static_cast<QWidget*>(w->SpecData[row]) : w->cmbSpecData[row];
  return value->isEnabled() && w->SpecName[row]->isEnabled();
}

// Rows 0..20 as 1 (on) and 0 (greyed).
QString States(SpecWindow* w) {
  QString out;
  for (int r = 0; r < trans::kRows; ++r) out += RowOn(w, r) ? '1' : '0';
  return out;
}

}  // namespace

class FrmTransmissionTest : public QObject {
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
    return m;
  }
  frmTransmission* OpenWindow(frmMain* m) {
    m->Command1[1]->click();
    auto* w = static_cast<frmTransmission*>(LoadedSpecWindow(kTransmission));
    if (w) Activate(w);
    return w;
  }
  // The bracket car, as opened from the library.
  frmTransmission* OpenBracketCar() {
    frmMain* m = ShowMain();
    if (!test::LoadFixtureVehicle(test::kBracketCar)) qFatal("the fixture vehicles are missing");
    fst.SpecsChanged = 0;
    return OpenWindow(m);
  }

 private slots:
  void init() {
    scene = std::make_unique<ShellScene>();
    shell.StartupScreenShown = shell.BeginnerNoticeShown = 1;
  }
  void cleanup() { scene.reset(); }

  // The converter car: its rows on, the clutch rows greyed, the stall RPM
  // worked out from the capacity in its own weather, the limits from its
  // curve, the texts of the window.
  void theBracketCarsConverter() {
    frmMain* m = ShowMain();
    QVERIFY(m->Command1[1]->isEnabled());
    QCOMPARE(m->Command1[1]->text(), QString("Transmission"));
    if (!test::LoadFixtureVehicle(test::kBracketCar)) QFAIL("no fixture");
    fst.SpecsChanged = 0;
    QCOMPARE(SpecAt(kTransmission, trans::kStallRpm), std::string("3940"));
    frmTransmission* w = OpenWindow(m);
    QVERIFY(w);
    QCOMPARE(tbl.InstantCalcMenu, int16_t(kTransmission));
    QCOMPARE(Text(w, trans::kStallRpm), QString("3760"));
    QCOMPARE(fst.SpecsChanged, int16_t(0));
    QCOMPARE(tbl.ConverterDrive, int16_t(1));
    QCOMPARE(tbl.RowMinimum[trans::kStallRpm], 1400.0f);
    QCOMPARE(tbl.RowMaximum[trans::kStallRpm], 6000.0f);
    QCOMPARE(States(w), QString("100001111111111111111"));
    QVERIFY(w->Label5->isEnabled());
    QVERIFY(w->windowTitle().startsWith("Transmission Specs  [ "));

    QCOMPARE(w->FrameClutch->title(), QString("Clutch/Converter"));
    QCOMPARE(w->FrameTransmission->title(), QString("Transmission"));
    QCOMPARE(w->Label5->text(), QString("Converter Locked Up?"));
    QCOMPARE(w->RatioLabel->text(), QString("Ratio"));
    QCOMPARE(w->SpecName[trans::kStallRpm]->text(),
             QString("Converter Stall RPM based on\nCurrent Converter Capacity,\nFull Throttle Engine Power Curve and "
                     "Weather Specs at the track"));
    const char* captions[15] = {"Type",    "Clutch Diameter, in", "Clutch Force, lbs", "# Clutch Disks",
                                "Clutch Material", "Converter Capacity", "Torque Multiplication", "Type",
                                "Efficiency, %", "Gear #1", "Gear #2", "Gear #3", "Gear #4", "Gear #5", "Gear #6"};
    for (int r = 0; r < 15; ++r) QCOMPARE(w->SpecName[r]->text(), QString(captions[r]));
    QCOMPARE(w->cmbSpecData[0]->currentText(), QString("Converter:  User Defined Specs"));
    QCOMPARE(w->cmbSpecData[7]->currentText(), QString("User Defined Specs"));
    QCOMPARE(Text(w, trans::kCapacity), QString("180"));
    QCOMPARE(Text(w, 9), QString("2.48"));
    QCOMPARE(Text(w, 12), QString(""));
    QCOMPARE(w->cmbSpecData[16]->currentText(), QString("No"));
    QCOMPARE(w->cmbSpecData[16]->accessibleName(), QString("Converter Locked Up? Gear #2"));
    for (int r = 9; r <= 14; ++r) QVERIFY(w->ClcBttn[r]->isHidden());
    const char* buttons[6] = {"OK", "Help", "Get Example", "Save Example", "Print", "Print Setup"};
    for (int i = 0; i < 6; ++i) QCOMPARE(w->Command1[i]->text(), QString(buttons[i]));
    auto* items = qobject_cast<QStandardItemModel*>(w->cmbSpecData[0]->model());
    QVERIFY(!items->item(2)->isEnabled() && !items->item(4)->isEnabled() && items->item(3)->isEnabled());
    QVERIFY(w->cmbSpecData[0]->hasFocus());
    QVERIFY(SaveShot(w, "frmTransmission.png"));

    // Stored as shown when the window goes.
    w->Command1[0]->click();
    Settle();
    QVERIFY(!LoadedSpecWindow(kTransmission));
    QCOMPARE(SpecAt(kTransmission, trans::kStallRpm), std::string("3760"));
    QCOMPARE(SpecAt(kTransmission, trans::kCapacity), std::string("180"));
  }

  // The stall RPM the racer knows becomes the capacity; the capacity gives
  // the stall back, to 10 RPM, with a note when it moved.
  void stallRpmToCapacity() {
    frmTransmission* w = OpenBracketCar();
    const int boxes = scene->BoxCount();
    TypeAndLeave(w, trans::kStallRpm, "3000");
    QCOMPARE(Text(w, trans::kCapacity), QString("148.8"));
    QCOMPARE(Text(w, trans::kStallRpm), QString("3000"));
    QCOMPARE(scene->BoxCount(), boxes);
    QCOMPARE(fst.SpecsChanged, int16_t(1));

    TypeAndLeave(w, trans::kStallRpm, "3500");
    QCOMPARE(Text(w, trans::kCapacity), QString("168.8"));
    QCOMPARE(Text(w, trans::kStallRpm), QString("3490"));
    QCOMPARE(scene->BoxCount(), boxes + 1);
    QCOMPARE(scene->LastBox().prompt,
             std::string("Due to rounding in the calculations, the Stall RPM you entered had to be changed to: 3490 "
                         "RPM.\r\rThis small difference will have an insignificant effect on the final performance."));
    QCOMPARE(scene->LastBox().style, mb::OKOnly);
    QCOMPARE(scene->LastBox().title, std::string(""));

    // The capacity typed in gives its stall at once.
    TypeAndLeave(w, trans::kCapacity, "180");
    QCOMPARE(Text(w, trans::kStallRpm), QString("3760"));
    QCOMPARE(SpecAt(kTransmission, trans::kCapacity), std::string("180"));
  }

  // Outside the curve's limits: the "Warning" with the three-line caption,
  // the old text back, the capacity untouched. Tabbing through the row
  // moves nothing.
  void refusedAndUnchangedStall() {
    frmTransmission* w = OpenBracketCar();
    TypeAndLeave(w, trans::kStallRpm, "1300");
    QCOMPARE(scene->LastBox().title, std::string("Warning"));
    QCOMPARE(scene->LastBox().style, mb::OKOnly + mb::Exclamation);
    QCOMPARE(scene->LastBox().prompt, StallRpmCaption() + " = 1300.  Value must be between  1400 and  6000 .");
    QCOMPARE(Text(w, trans::kStallRpm), QString("3760"));
    QCOMPARE(Text(w, trans::kCapacity), QString("180"));
    TypeAndLeave(w, trans::kStallRpm, "6100");
    QCOMPARE(Text(w, trans::kCapacity), QString("180"));

    const int boxes = scene->BoxCount();
    TabThrough(w, trans::kStallRpm);
    TabThrough(w, trans::kStallRpm);
    QCOMPARE(Text(w, trans::kCapacity), QString("180"));
    QCOMPARE(Text(w, trans::kStallRpm), QString("3760"));
    QCOMPARE(scene->BoxCount(), boxes);
    w->Command1[0]->click();
    Settle();
    QCOMPARE(SpecAt(kTransmission, trans::kCapacity), std::string("180"));
  }

  // A dyno's flat 400 ft lbs in the dyno's own weather: 3000 RPM is a
  // capacity of 150 and back.
  void flatCurveInStandardWeather() {
    frmMain* m = ShowMain();
    if (!test::LoadFixtureVehicle(test::kBracketCar)) QFAIL("no fixture");
    SetSpecs("E0=2;E6=0;C0=0;C1=29.92;C2=60;C3=0;C4=0");
    for (int i = 0; i <= 9; ++i) {
      const int rpm = i <= 5 ? 2000 + 1000 * i : 0;
      tbl.PowerCurveText[i][0] = rpm ? std::to_string(rpm) : "";
      tbl.PowerCurveText[i][1] = rpm ? "400" : "";
      tbl.PowerCurveText[i][2] = rpm ? Format(400.0 * rpm / 5252, "###0.0") : "";
    }
    frmTransmission* w = OpenWindow(m);
    const int boxes = scene->BoxCount();
    TypeAndLeave(w, trans::kStallRpm, "3000");
    QCOMPARE(Text(w, trans::kCapacity), QString("150.0"));
    QCOMPARE(Text(w, trans::kStallRpm), QString("3000"));
    QCOMPARE(scene->BoxCount(), boxes);
  }

  // Row 0 chooses the rows; the ways to the examples put the Type back.
  void typeRowChoosesTheRows() {
    frmTransmission* w = OpenBracketCar();
    // The rows keep the drive type (each calculation sets it again).
    tbl.InstantUpdate = 0;
    PickItem(w, 0, 0);
    QCOMPARE(States(w), QString("100000011111111000000"));
    QVERIFY(!w->Label5->isEnabled());
    QCOMPARE(tbl.ConverterDrive, int16_t(1));
    PickItem(w, 0, 1);
    QCOMPARE(States(w), QString("111110011111111000000"));
    QCOMPARE(tbl.ConverterDrive, int16_t(0));
    PickItem(w, 0, 0);
    QCOMPARE(tbl.ConverterDrive, int16_t(0));
    tbl.InstantUpdate = 1;
    for (int item : {2, 4}) {
      PickItem(w, 0, item);
      QCOMPARE(w->Pick(0), 0);
    }
    PickItem(w, 0, 3);
    PickItem(w, 7, 1);
    QCOMPARE(w->Pick(7), 0);
    QCOMPARE(w->Pick(0), 3);
    QCOMPARE(States(w), QString("100001111111111111111"));
    w->Command1[0]->click();
    Settle();
    QCOMPARE(Val(SpecAt(kTransmission, 0)), 3.0);

    // An example in use: its marker says clutch or converter.
    for (auto [marker, states] : {std::pair{"1", "111110011111111000000"}, {"2", "100001111111111111111"}}) {
      SetSpecs(std::string("T0=5;T22=Ex CL: Twin Disk;T23=") + marker);
      frmTransmission* x = OpenWindow(DefaultInstance<frmMain>::IfLoaded());
      QCOMPARE(x->cmbSpecData[0]->currentText(), QString("Ex CL: Twin Disk"));
      QCOMPARE(x->Pick(0), 5);
      QCOMPARE(States(x), QString(states));
      QCOMPARE(tbl.ConverterDrive, int16_t(marker[0] == '2'));
      PickItem(x, 0, 5);  // the example in use again: nothing happens
      QCOMPARE(SpecAt(kTransmission, 22), std::string("Ex CL: Twin Disk"));
      x->Command1[0]->click();
      Settle();
    }
  }

  // A change to a row of a linked example asks; "Yes" drops the link and
  // sets the Type to the racer's own specs.
  void linkedExamples() {
    frmMain* m = ShowMain();
    if (!test::LoadFixtureVehicle(test::kBracketCar)) QFAIL("no fixture");
    SetSpecs("T0=5;T22=Ex CV: 3500 Stall;T23=2;T7=2;T24=Ex TR: TH400;T25=1");
    frmTransmission* w = OpenWindow(m);
    QCOMPARE(w->cmbSpecData[7]->currentText(), QString("Ex TR: TH400"));
    scene->ui.Answer(ans::No);
    TypeAndLeave(w, 10, "1.60");
    QCOMPARE(scene->LastBox().title, std::string("Change these Example Specs?"));
    QCOMPARE(scene->LastBox().prompt, std::string("Changing this value means these specs no longer match:\r\r    Ex TR: "
                                                  "TH400\r\rChange this spec anyway?"));
    QCOMPARE(Text(w, 10), QString("1.48"));
    QCOMPARE(w->Pick(7), 2);

    scene->ui.Answer(ans::Yes);
    TypeAndLeave(w, 10, "1.60");
    QCOMPARE(Text(w, 10), QString("1.6"));
    QCOMPARE(w->Pick(7), 0);
    QCOMPARE(w->cmbSpecData[7]->count(), 2);
    QCOMPARE(SpecAt(kTransmission, 24), std::string(""));
    QCOMPARE(SpecAt(kTransmission, 25), std::string(""));

    scene->ui.Answer(ans::Yes);
    TypeAndLeave(w, trans::kStallRpm, "3000");
    QCOMPARE(w->Pick(0), 3);
    QCOMPARE(SpecAt(kTransmission, 22), std::string(""));
    QCOMPARE(SpecAt(kTransmission, 23), std::string(""));
    QCOMPARE(Text(w, trans::kCapacity), QString("148.8"));
    QCOMPARE(States(w), QString("100001111111111111111"));
    w->Command1[0]->click();
    Settle();
    QCOMPARE(Val(SpecAt(kTransmission, 0)), 3.0);
    QCOMPARE(Val(SpecAt(kTransmission, 7)), 0.0);

    // From a pick row of the group the Type row's own handling runs.
    SetSpecs("T7=2;T24=Ex TR: TH400;T25=1");
    w = OpenWindow(m);
    w->setWindowTitle("Transmission Specs");
    scene->ui.Answer(ans::Yes);
    PickItem(w, 8, 3);
    QCOMPARE(w->Pick(7), 0);
    QCOMPARE(w->Pick(8), 3);
    QCOMPARE(SpecAt(kTransmission, 24), std::string(""));
    QVERIFY(w->windowTitle().startsWith("Transmission Specs  [ "));
  }

  // Reversed gear ratios are refused by the next calculation's checks: the
  // caption then shows no result. A lock-up pick calculates nothing.
  void checksOfTheNextCalculation() {
    frmTransmission* w = OpenBracketCar();
    QVERIFY(w->windowTitle().startsWith("Transmission Specs  [ "));
    TypeAndLeave(w, 11, "1.60");
    QCOMPARE(scene->LastBox().title, std::string("Problem with Inputs"));
    QVERIFY(scene->LastBox().prompt.find("Ratio for Trans Gear # 2 is less than Ratio for Trans Gear # 3") !=
            std::string::npos);
    QCOMPARE(w->windowTitle(), QString("Transmission Specs"));
    TypeAndLeave(w, 11, "1.00");
    QVERIFY(w->windowTitle().startsWith("Transmission Specs  [ "));

    w->setWindowTitle("Transmission Specs");
    PickItem(w, 16, 1);
    QCOMPARE(w->windowTitle(), QString("Transmission Specs"));
    QCOMPARE(fst.SpecsChanged, int16_t(1));
    w->Command1[0]->click();
    Settle();
    QCOMPARE(Val(SpecAt(kTransmission, 16)), 1.0);
  }

  // A clutch car from the main window, and the example buttons' messages.
  void clutchCarAndExampleButtons() {
    frmMain* m = ShowMain();
    frmTransmission* w = OpenWindow(m);
    QCOMPARE(tbl.ConverterDrive, int16_t(0));
    QCOMPARE(tbl.EstimateClutch, int16_t(0));
    QCOMPARE(States(w), QString("111110011111111000000"));
    QCOMPARE(w->cmbSpecData[4]->currentText(), QString("Organic (friction .35)"));
    tbl.BeginnerLevel = 1;
    w->SaveExample();
    QCOMPARE(scene->LastBox().title, std::string("Beginner Level Help"));
    QCOMPARE(scene->LastBox().prompt, tbl.MsgBeginnerNoSave);
    // Help keeps the window behind it; only a companion's 1 does.
    w->Command1[1]->click();
    QCOMPARE(shell.KeepSpecForm, int16_t(1));
    Settle();
    QVERIFY(LoadedSpecWindow(kTransmission));
  }
};

QTEST_MAIN(FrmTransmissionTest)
#include "frm_transmission_qtest.moc"
