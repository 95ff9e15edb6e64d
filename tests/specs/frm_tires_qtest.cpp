// The Wheels & Tires window as a racer uses it from the main window, with the
// shipped row file and preset lists and the fixture cars: which end each
// frame describes, the rows the Types grey, a loaded tire example giving way
// to edited specs, and the offer to carry a wheel and tire weight change
// into the vehicle weight.
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "calcmenus/frm_calc_data.h"
#include "platform/text.h"
#include "shell/help_form.h"
#include "shell/shell_fixture.h"
#include "specs/frm_tires.h"
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

constexpr const char* kRearSlick = "Ex Tire: M/T 31x13.5 Slick";
constexpr const char* kFrontRunner = "Ex Tire: 26x4.5 Front Runner";

}  // namespace

class FrmTiresTest : public QObject {
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
  frmTires* OpenTires(frmMain* m) {
    m->Command1[3]->click();
    auto* w = static_cast<frmTires*>(LoadedSpecWindow(kTires));
    if (w) Activate(w);
    return w;
  }
  // The muscle car, its front tires estimated by the program.
  frmTires* Open(const std::string& specs = {}) {
    frmMain* m = ShowMain();
    SetSpecs(specs);
    return OpenTires(m);
  }

 private slots:
  void init() {
    scene = std::make_unique<ShellScene>();
    shell.StartupScreenShown = shell.BeginnerNoticeShown = 1;
  }
  void cleanup() {
    DefaultInstance<frmCalcData>::Unload();
    scene.reset();
  }

  // A front-drive car: the Frame3D1 rows are its front tires, the captions
  // and the note say so; values, lists and buttons from the shipped files.
  void frontDriveCarAsTheRacerSeesIt() {
    frmMain* m = ShowMain();
    QVERIFY(m->Command1[3]->isEnabled() && m->Command1[5]->isEnabled());
    QVERIFY(test::LoadFixtureVehicle(test::kFrontDrive));
    frmTires* w = OpenTires(m);
    QVERIFY(w);
    QCOMPARE(tbl.InstantCalcMenu, int16_t(4));
    QCOMPARE(shell.TireWtBefore1, 38.0);
    QCOMPARE(shell.TireWtBefore2, 42.0);
    QCOMPARE(w->Frame3D3->title(), QString("Rear Wheel/Tire Specs"));
    QCOMPARE(w->Frame3D1->title(), QString("Front Wheel/Tire Specs"));
    QVERIFY(w->Label1->text().contains("without the program changing the Front Tire Type.  Other Front Tire specs"));
    QVERIFY(w->Label1->isHidden());
    QVERIFY(w->windowTitle().startsWith("Wheel & Tire Specs  [ "));
    QVERIFY(w->windowTitle().endsWith(" 60 ft ]"));
    const char* captions[10] = {"Type",           "Wheel & Tire Wt, lbs", "Tire Diameter, in",  "Type",
                                "Wheel & Tire Wt, lbs", "Tire Diameter, in", "Tire Type", "Tread Width, in",
                                "Traction Factor, %", "Tire Growth, %"};
    for (int r = 0; r < 10; ++r) QCOMPARE(w->SpecName[r]->text().replace("&&", "&"), QString(captions[r]));
    QCOMPARE(w->SpecName[1]->text(), QString("Wheel && Tire Wt, lbs"));  // shown as one "&"
    const char* values[10] = {"Use Specs Below", "38",  "25",  "Use Specs Below", "42",
                              "25",  "Radial Street Tire", "9.6", "100", "0"};
    for (int r = 0; r < 10; ++r)
      QCOMPARE(w->SpecData[r] ? w->SpecData[r]->text() : w->cmbSpecData[r]->currentText(), QString(values[r]));
    QVERIFY(RowEnabled(w, 1) && RowEnabled(w, 2) && !RowEnabled(w, 9));
    QVERIFY(w->Label2->text().startsWith("The tires at this end"));
    const char* buttons[6] = {"OK", "Help", "Get Example", "Save Example", "Print", "Print Setup"};
    for (int i = 0; i < 6; ++i) QCOMPARE(w->Command1[i]->text(), QString(buttons[i]));
    QCOMPARE(w->Command1[2]->isEnabled(), ExampleWindowsBuilt());
    for (int r : {2, 5, 7, 8}) QCOMPARE(w->ClcBttn[r]->isEnabled(), CalculatorBuilt());
    QVERIFY(!w->ClcBttn[9]->isEnabled());
    QCOMPARE(scene->BoxCount(), 0);
    QVERIFY(SaveShot(w, "frmTires.png"));
    TypeAndLeave(w, 4, "250");
    QCOMPARE(scene->LastBox().title, std::string("Warning"));
    QCOMPARE(scene->LastBox().prompt, std::string("Wheel & Tire Wt, lbs = 250.  Value must be between  1 and  200 ."));
    QCOMPARE(w->SpecData[4]->text(), QString("42"));
  }

  // Tire Type 4 (slicks) alone uses Tire Growth; estimated front tires grey
  // their weight and diameter. A Tire Type never recalculates, a Type does.
  void rowStates_data() {
    QTest::addColumn<int>("tireType");
    for (int t = 0; t <= 4; ++t) QTest::newRow(QByteArray::number(t)) << t;
  }
  void rowStates() {
    QFETCH(int, tireType);
    frmTires* w = Open();
    QCOMPARE(w->Pick(0), 0);
    QVERIFY(!RowEnabled(w, 1) && !RowEnabled(w, 2));
    QCOMPARE(w->ClcBttn[2]->isEnabled(), CalculatorBuilt());
    w->setWindowTitle("Wheel & Tire Specs");
    PickItem(w, 6, tireType);
    QCOMPARE(RowEnabled(w, 9), tireType == 4);
    QCOMPARE(w->ClcBttn[9]->isEnabled(), tireType == 4 && CalculatorBuilt());
    QCOMPARE(w->windowTitle(), QString("Wheel & Tire Specs"));
    PickItem(w, 0, 1);
    QVERIFY(RowEnabled(w, 1) && RowEnabled(w, 2));
    QVERIFY(w->windowTitle().startsWith("Wheel & Tire Specs  [ "));
    w->Command1[0]->click();
    Settle();
    QVERIFY(!LoadedSpecWindow(kTires));
    // Picks are stored without a leading blank.
    QCOMPARE(SpecAt(kTires, 6), std::to_string(tireType));
    QCOMPARE(SpecAt(kTires, 0), std::string("1"));
  }

  // A rear example: the note and the taller window; Traction Factor and an
  // unchanged value ask nothing; Tread Width asks, No keeps the example,
  // Yes turns the frame back into plain specs.
  void rearExampleGivesWay() {
    frmMain* m = ShowMain();
    SetSpecs(std::string("W3=2;W12=") + kRearSlick + ";W13=1");
    fst.SpecsChanged = 0;
    frmTires* w = OpenTires(m);
    QCOMPARE(fst.SpecsChanged, int16_t(0));  // showing the example's name is no edit
    QCOMPARE(w->cmbSpecData[3]->count(), 3);
    QCOMPARE(w->cmbSpecData[3]->currentText(), QString(kRearSlick));
    QVERIFY(!w->Label1->isHidden());
    const int tall = w->height();
    QVERIFY(SaveShot(w, "frmTires_rear_example.png"));

    TypeAndLeave(w, 8, "90");
    TypeAndLeave(w, 7, "10.0");
    QCOMPARE(scene->BoxCount(), 0);

    scene->ui.Answer(ans::No);
    TypeAndLeave(w, 7, "11");
    QCOMPARE(scene->BoxCount(), 1);
    QCOMPARE(scene->LastBox().title, std::string("Change these Example Specs?"));
    QCOMPARE(scene->LastBox().prompt, "Changing this value means these specs no longer match:\r\r    " +
                                          std::string(kRearSlick) + "\r\rChange this spec anyway?");
    QCOMPARE(scene->LastBox().style, mb::YesNo + mb::DefaultButton2);
    QCOMPARE(w->SpecData[7]->text(), QString("10"));
    QCOMPARE(w->Pick(3), 2);

    scene->ui.Answer(ans::Yes);
    TypeAndLeave(w, 7, "11");
    QCOMPARE(w->SpecData[7]->text(), QString("11"));
    QCOMPARE(w->Pick(3), 0);
    QCOMPARE(w->cmbSpecData[3]->count(), 2);
    QCOMPARE(SpecAt(kTires, 3), std::string("0"));
    QCOMPARE(SpecAt(kTires, 12), std::string());
    QCOMPARE(SpecAt(kTires, 13), std::string());
    QVERIFY(w->Label1->isHidden());
    Settle();
    QVERIFY(w->height() < tall);
  }

  // A front example gives way to "Use Specs Below"; a Tire Type asks about a
  // rear example; a plain Type drops its frame's example without asking.
  void otherWaysAnExampleGoes() {
    frmTires* w = Open(std::string("W0=3;W10=") + kFrontRunner + ";W11=1;W3=2;W12=" + kRearSlick + ";W13=1");
    QCOMPARE(w->cmbSpecData[0]->currentText(), QString(kFrontRunner));
    QVERIFY(RowEnabled(w, 1));
    scene->ui.Answer(ans::Yes);
    TypeAndLeave(w, 2, "26");
    QCOMPARE(scene->BoxCount(), 1);
    QCOMPARE(w->Pick(0), 1);
    QCOMPARE(SpecAt(kTires, 0), std::string("1"));
    QCOMPARE(SpecAt(kTires, 10), std::string());
    QCOMPARE(SpecAt(kTires, 12), std::string(kRearSlick));

    scene->ui.Answer(ans::No);
    PickItem(w, 6, 4);
    QCOMPARE(scene->BoxCount(), 2);
    QVERIFY(scene->LastBox().prompt.find(kRearSlick) != std::string::npos);
    QCOMPARE(w->Pick(6), 2);
    QVERIFY(!RowEnabled(w, 9));

    scene->ui.Answer(ans::Yes);
    PickItem(w, 6, 4);
    QCOMPARE(w->Pick(6), 4);
    QCOMPARE(w->Pick(3), 0);
    QCOMPARE(SpecAt(kTires, 3), std::string("0"));
    QVERIFY(RowEnabled(w, 9));
    QVERIFY(w->Label1->isHidden());

    w->Command1[0]->click();
    Settle();
    SetSpecs(std::string("W3=2;W12=") + kRearSlick + ";W13=1");
    w = OpenTires(DefaultInstance<frmMain>::Get());
    QCOMPARE(w->Pick(3), 2);
    const int boxes = scene->BoxCount();
    PickItem(w, 3, 0);
    QCOMPARE(scene->BoxCount(), boxes);
    QCOMPARE(w->cmbSpecData[3]->count(), 2);
    QCOMPARE(SpecAt(kTires, 12), std::string());
    QCOMPARE(SpecAt(kTires, 13), std::string());
  }

  // The weights recorded when the main window opened the window: +2 front
  // and +.5 rear on two wheels an end is offered; "Yes" changes the vehicle
  // weight once, a later store asks nothing; the quick calculation never
  // asks; with the reminder off nothing is asked.
  void weightChangeOffered() {
    frmTires* w = Open("W0=1;W1=40;W4=55;V0=3000");
    TypeAndLeave(w, 1, "42");
    TypeAndLeave(w, 4, "55.5");
    QCOMPARE(scene->BoxCount(), 0);
    scene->ui.Answer(ans::Yes);
    w->Command1[1]->click();  // Help: the rows are stored as it takes the front
    Activate(DefaultInstance<HelpForm>::IfLoaded());
    QVERIFY(LoadedSpecWindow(kTires));
    QCOMPARE(scene->BoxCount(), 2);
    QCOMPARE(scene->Box(0).title, std::string("Change Vehicle Weight Also?"));
    QCOMPARE(scene->Box(0).prompt, std::string("The combined weights of the 2 front and 2 rear Wheels/Tires has "
                                               "increased 5 lbs.\r\rDo you want the current Vehicle Weight of 3000 "
                                               "changed by this amount also?"));
    QCOMPARE(scene->Box(0).style, mb::YesNo + mb::Question);
    QCOMPARE(scene->Box(1).prompt, std::string("Vehicle Weight increased to 3005 lbs."));
    QCOMPARE(SpecAt(kVehicle, 0), std::string("3005"));
    Activate(w);
    w->Command1[0]->click();
    Settle();
    QCOMPARE(scene->BoxCount(), 2);
    QCOMPARE(SpecAt(kVehicle, 0), std::string("3005"));
    QVERIFY(DefaultInstance<frmMain>::Get()->Label5[2]->text().startsWith("Weight: 3005 "));

    // "No" leaves the weight and asks again at the next store; the main
    // window's summary shows a weight changed as the window closed.
    w = OpenTires(DefaultInstance<frmMain>::Get());
    TypeAndLeave(w, 1, "36");
    scene->ui.Answer(ans::No);
    w->StoreSpecRows();
    QCOMPARE(scene->BoxCount(), 3);
    QVERIFY(scene->LastBox().prompt.find("has dropped 12 lbs.") != std::string::npos);
    QCOMPARE(SpecAt(kVehicle, 0), std::string("3005"));
    scene->ui.Answer(ans::Yes);
    w->Command1[0]->click();
    Settle();
    QCOMPARE(scene->BoxCount(), 5);
    QCOMPARE(SpecAt(kVehicle, 0), std::string("2993"));
    QVERIFY(DefaultInstance<frmMain>::Get()->Label5[2]->text().startsWith("Weight: 2993 "));

    cfg.RemindTireWeight = 0;
    w = OpenTires(DefaultInstance<frmMain>::Get());
    TypeAndLeave(w, 1, "50");
    w->Command1[0]->click();
    Settle();
    QCOMPARE(scene->BoxCount(), 5);
    QCOMPARE(SpecAt(kTires, 1), std::string("50"));
    QCOMPARE(SpecAt(kVehicle, 0), std::string("2993"));
  }

  // A calculator button opens its calculator; the weights changed before
  // it are not offered while it stores the rows.
  void calculatorButtons() {
    std::filesystem::copy(kShippedData / "CALC", scene->folder() / "CALC");
    frmTires* w = Open("W0=1;W1=40;W6=4");
    TypeAndLeave(w, 1, "50");
    const int numbers[10] = {0, 0, 4, 0, 0, 5, 0, 7, 8, 9};
    for (int r : {2, 5, 7, 8, 9}) {
      QVERIFY(w->ClcBttn[r]->isEnabled());
      w->ClcBttn[r]->click();
      Settle();
      QCOMPARE(shell.CalcMenuNumber, int16_t(numbers[r]));
      QVERIFY(DefaultInstance<frmCalcData>::IfLoaded());
      QCOMPARE(shell.TireWtRecorded, int16_t(0));
      QCOMPARE(SpecAt(kTires, 1), std::string("50"));
      Activate(w);
    }
    QCOMPARE(scene->BoxCount(), 0);
  }

  // Save Example at the Beginner Level says why not, and nothing is stored.
  void saveExampleAtTheBeginnerLevel() {
    frmTires* w = Open();
    tbl.BeginnerLevel = 1;
    w->SaveExample();
    QCOMPARE(scene->LastBox().title, std::string("Beginner Level Help"));
    QCOMPARE(scene->LastBox().prompt, tbl.MsgBeginnerNoSave);
    QCOMPARE(shell.TireWtRecorded, int16_t(0));
  }
};

QTEST_MAIN(FrmTiresTest)
#include "frm_tires_qtest.moc"
