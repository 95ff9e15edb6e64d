// The Body & Axle window with the fixture muscle car: what it shows, Drive
// Wheels, the linked body, the quick calculation, its rows reaching SpecText.
#include "results/frm_disp_grid.h"
#include "shell/frm_example.h"
#include "shell/help_form.h"
#include "simulation/calculate.h"
#include "specs/frm_vehicle.h"
#include "specs/spec_window_fixture.h"

using namespace sw;

namespace {
const QString kCaption = "Body/Axle Specs  [ 12.36 @ 115.64   1.98 60 ft ]";
const QString k3500 = "Body/Axle Specs  [ 12.40 @ 114.79   1.98 60 ft ]";
}  // namespace

class FrmVehicleTest : public QObject {
  Q_OBJECT
  std::unique_ptr<SpecScene> scene;
  frmVehicle* Open(const std::string& specs = {}) { return scene->Open<frmVehicle>(kVehicle, specs); }

 private slots:
  void init() { scene = std::make_unique<SpecScene>(); }
  void cleanup() { scene.reset(); }

  // Captions, values, the quick calculation in the caption, buttons; its picture.
  void theWindowAsTheRacerSeesIt() {
    frmVehicle* w = Open();
    QVERIFY(w);
    QCOMPARE(w->windowTitle(), kCaption);
    QCOMPARE(w->Frame3D1->title() + "|" + w->Frame3D2->title() + "|" + w->Frame3D3->title(),
             QString("Vehile Weight|Axle Specs|Body Details"));
    QCOMPARE(Captions(w), (QStringList{"Total Weight with Driver, lbs", "Final Drive Ratio", "Dif Lock Eff", "Type",
                                       "Drive Wheels", "% Wt on Rear Tires, %", "Height of C.G., in", "Wheelbase, in",
                                       "Rear Track Width, in", "Front Susp Roll Stiff, %", "Frontal Area, sq ft",
                                       "Drag Coefficient"}));
    const QStringList values{"3400", "4.10", "Limited Slip (75 % lock)", "User Defined Specs", "Rear Wheel Drive",
                             "45", "21", "116", "59", "50 % (light sway bar)", "22", ".45"};
    for (int r = 0; r < 12; ++r) QCOMPARE(Shown(w, r), values[r]);
    QVERIFY(w->SpecData[0]->hasFocus());
    QCOMPARE(w->Label2->text(), QString("What the vehicle weighs on the scales at the track with the driver in it and "
                                        "fuel on board, in lbs."));
    QCOMPARE(ButtonTexts(w), (QStringList{"OK", "Help", "Get Example", "Save Example", "Print", "Print Setup"}));
    for (int r : {0, 1, 5, 10}) QVERIFY(w->ClcBttn[r]->text() == "Clc" && w->ClcBttn[r]->isEnabled());
    QVERIFY(w->Command1[2]->isEnabled() && w->Command1[3]->isEnabled());
    QCOMPARE(w->SpecData[7]->accessibleName(), QString());  // the caption is its label
    QCOMPARE(w->SpecName[7]->buddy(), static_cast<QWidget*>(w->SpecData[7]));
    QVERIFY(SaveShot(w, "frmVehicle.png"));
  }

  // The quick calculation is the normal one; refused checks leave the bare
  // caption; with Transmission opened last it does nothing.
  void quickCalculationInTheCaption() {
    frmVehicle* w = Open();
    TypeAndLeave(w, 0, "3500");
    QCOMPARE(w->windowTitle(), k3500);
    SetWindows(nullptr);  // the same specs calculated as the main window does
    tbl.QuietCalc = tbl.CalcStatus = tbl.CalcMode = tbl.AbortCalc = 0;
    double trap = 0, sixty = 0;
    CalculatePerformance(trap, tbl.FinishRow, sixty);
    InstallQtWindows();
    QCOMPARE(tbl.ResultsText[1][tbl.FinishRow], std::string("12.40"));
    QCOMPARE(Format(trap / 1.467, "####.00"), std::string("114.79"));

    SpecAt(kEngine, 4) = "";
    TypeAndLeave(w, 0, "3510");
    QCOMPARE(scene->LastBox().title, std::string("Problem with Inputs"));
    QCOMPARE(w->windowTitle(), QString("Body/Axle Specs"));
    SpecAt(kEngine, 4) = "450";
    tbl.InstantCalcMenu = kTransmission;
    const int boxes = scene->BoxCount();
    TypeAndLeave(w, 0, "3400");
    QCOMPARE(w->windowTitle(), QString("Body/Axle Specs"));
    QCOMPARE(scene->BoxCount(), boxes);
  }

  // Drive Wheels greys rows and captions that do not apply; a pick recalculates.
  void driveWheelsRowStates_data() {
    QTest::addColumn<int>("pick");
    QTest::addColumn<QString>("states");
    QTest::newRow("rear") << 0 << "111111111111";
    QTest::newRow("front") << 1 << "110111110011";
    QTest::newRow("all wheels") << 2 << "110110000011";
    QTest::newRow("motorcycle") << 3 << "110111110011";
  }
  void driveWheelsRowStates() {
    QFETCH(int, pick);
    QFETCH(QString, states);
    frmVehicle* w = Open();
    PickItem(w, 4, (pick + 1) % 4);
    w->setWindowTitle("x");
    PickItem(w, 4, pick);
    QCOMPARE(RowStates(w), states);
    QVERIFY(w->windowTitle().startsWith("Body/Axle Specs  [ "));
  }

  // A linked body: the wheelbase asks (No puts it back, Yes unlinks); the
  // weight and 116.0 ask nothing; Save Example refuses; Type item 1 keeps Type.
  void linkedBodyExample() {
    frmVehicle* w = Open("V3=2;V15=Ex Body: 1970 Chevelle SS;V16=1");
    QCOMPARE(Items(w->cmbSpecData[3]).size(), 3);
    QCOMPARE(w->cmbSpecData[3]->currentText(), QString("Ex Body: 1970 Chevelle SS"));
    TypeAndLeave(w, 0, "3500");
    TypeAndLeave(w, 7, "116.0");
    QCOMPARE(scene->BoxCount(), 0);

    scene->ui.Answer(ans::No);
    TypeAndLeave(w, 7, "112");
    QCOMPARE(scene->BoxCount(), 1);
    QCOMPARE(scene->LastSaid(), QString("Change these Example Specs?: Changing this value means these specs no longer "
                                        "match:\r\r    Ex Body: 1970 Chevelle SS\r\rChange this spec anyway?"));
    QCOMPARE(scene->LastBox().style, mb::YesNo + mb::DefaultButton2);
    QCOMPARE(w->SpecData[7]->text(), QString("116"));
    QVERIFY(w->SpecData[7]->hasFocus());
    scene->ui.Answer(ans::No);
    PickItem(w, 9, 0);
    QCOMPARE(scene->BoxCount(), 2);
    QCOMPARE(w->Pick(9), 1);

    w->SaveExample();
    QCOMPARE(scene->LastBox().prompt, tbl.MsgAlreadyExample + "Ex Body: 1970 Chevelle SS" + tbl.MsgSaveNewName);
    PickItem(w, 3, 1);
    QCOMPARE(w->Pick(3), 2);
    QVERIFY(DefaultInstance<frmExample>::IfLoaded());
    QCOMPARE(shell.ExampleComponent, std::string("BODY"));
    DefaultInstance<frmExample>::Unload();
    Activate(w);

    scene->ui.Answer(ans::Yes);
    TypeAndLeave(w, 7, "112");
    QCOMPARE(w->SpecData[7]->text(), QString("112"));
    QCOMPARE_SPECS("V3= 0;V15=;V16=");
    QCOMPARE(Items(w->cmbSpecData[3]).size(), 2);
    QCOMPARE(w->Pick(3), 0);
    tbl.BeginnerLevel = 1;
    w->SaveExample();
    QCOMPARE(scene->LastSaid(), QString("Beginner Level Help: Saving Specs is not available when program is set to "
                                        "Beginner Level mode."));
  }

  // A typed weight reaches SpecText when the main window takes the front;
  // F2 calculates with it, from either window.
  void typedValuesReachTheCalculation() {
    frmVehicle* w = Open();
    frmMain* m = DefaultInstance<frmMain>::IfLoaded();
    TypeInto(w->SpecData[0], "3500");
    Activate(m);
    QVERIFY(!LoadedSpecWindow(kVehicle));
    QCOMPARE(SpecAt(kVehicle, 0), std::string("3500"));
    QVERIFY(m->Label5[2]->text().startsWith("Weight: 3500 "));
    QTest::keyClick(m, Qt::Key_F2);
    Settle();
    QCOMPARE(tbl.ResultsText[1][tbl.FinishRow], std::string("12.40"));
    frmDispGrid::Unload();
    Settle();

    w = Open();
    TypeInto(w->SpecData[0], "3400");
    QTest::keyClick(w, Qt::Key_F2);
    Settle();
    QCOMPARE(SpecAt(kVehicle, 0), std::string("3400"));
    QCOMPARE(tbl.ResultsText[1][tbl.FinishRow], std::string("12.36"));
  }

  // Help keeps the window and a SpecText write shows on return; Drive Wheels
  // "7" stays; Save stores the rows; minimising the main window unloads it.
  void companionsAndStoredValues() {
    frmVehicle* w = Open("V4=7");
    QCOMPARE(w->Pick(4), -1);
    w->Command1[1]->click();
    QCOMPARE(shell.KeepSpecForm, int16_t(1));
    QCOMPARE(shell.HelpMenuNumber, int16_t(550));
    Activate(DefaultInstance<HelpForm>::IfLoaded());
    QVERIFY(LoadedSpecWindow(kVehicle));
    SpecAt(kVehicle, 6) = "19.5";
    Activate(w);
    QCOMPARE(w->SpecData[6]->text(), QString("19.5"));
    TypeAndLeave(w, 0, "3450");
    SpecScene::Close(w);
    QVERIFY(!LoadedSpecWindow(kVehicle));
    QCOMPARE_SPECS("V4=7;V0=3450");

    w = Open();
    TypeInto(w->SpecData[1], "3.9");
    frmMain* m = DefaultInstance<frmMain>::IfLoaded();
    m->mnuFilSave->trigger();
    Settle();
    QCOMPARE(SpecAt(kVehicle, 1), std::string("3.9"));
    m->setWindowState(Qt::WindowMinimized);
    Settle();
    QVERIFY(!LoadedSpecWindow(kVehicle));
  }

  // Print: an entry not yet left tested first (refused, the window prints
  // the stored figure); the comment, one page in the window's own
  // orientation for this printout only; the help line back afterwards.
  void printTheWindow() {
    frmVehicle* w = Open();
    const QString help = w->Label2->text(), pdf = QString::fromStdString(scene->path("body.pdf"));
    SetPrintToPdfForTest(pdf);
    TypeInto(w->SpecData[0], "99999");
    QString shown;
    scene->ui.onBox = [&](const ScriptedUi::Box& box) { shown = box.input ? w->SpecData[0]->text() : shown; };
    scene->ui.CancelInput();
    w->Command1[4]->click();
    QVERIFY(!QFile::exists(pdf));
    QCOMPARE(scene->BoxCount(), 2);
    QCOMPARE(scene->Box(0).title + " " + FromQ(shown), std::string("Warning ") + SpecAt(kVehicle, 0));
    QCOMPARE(scene->LastBox().title, std::string("Printed Comment"));
    QCOMPARE(scene->LastBox().defaultText, std::string(" "));
    QCOMPARE(scene->LastBox().prompt, tbl.PrintCommentPrompt);
    scene->ui.Type("new springs");
    SetPrinterOrientation(ProgramPrinter(), 2);
    w->Command1[4]->click();
    QCOMPARE(w->Label2->text(), help);
    QCOMPARE(PdfPages(pdf), 1);
    QCOMPARE(PrinterOrientationOf(ProgramPrinter()), 2);
    SetPrinterOrientation(ProgramPrinter(), 1);
  }
};

QTEST_MAIN(FrmVehicleTest)
#include "frm_vehicle_qtest.moc"
