// The Body & Axle window as a racer uses it from the main window, with the
// shipped row file and preset lists and the fixture muscle car: what it
// shows, Drive Wheels and the rows it greys, the linked body example, the
// quick calculation in the caption, and its rows reaching SpecText when
// another window takes the front.
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QtTest>

#include "platform/qt/printer.h"
#include "platform/text.h"
#include "results/frm_disp_grid.h"
#include "shell/help_form.h"
#include "shell/shell_fixture.h"
#include "simulation/calculate.h"
#include "specs/frm_vehicle.h"
#include "specs/spec_windows.h"

using namespace sw;

namespace {

// Types `text` into the row's box and tabs out of it.
void TypeAndLeave(frmVehicle* w, int row, const QString& text) {
  w->SpecData[row]->setFocus(Qt::TabFocusReason);
  Settle();
  w->SpecData[row]->selectAll();
  QTest::keyClicks(w->SpecData[row], text);
  QTest::keyClick(w->SpecData[row], Qt::Key_Tab);
  Settle();
}

// A pick made by the racer.
void PickItem(frmVehicle* w, int row, int item) {
  w->cmbSpecData[row]->setFocus(Qt::MouseFocusReason);
  Settle();
  w->cmbSpecData[row]->setCurrentIndex(item);
  emit w->cmbSpecData[row]->activated(item);
  Settle();
}

QString Caption(frmVehicle* w, int row) { return w->SpecName[row]->text(); }

}  // namespace

class FrmVehicleTest : public QObject {
  Q_OBJECT
  std::unique_ptr<ShellScene> scene;

  // The returning racer's main window, with the shipped row files and
  // preset lists, and the body window opened from its spec button.
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
  frmVehicle* OpenBody(frmMain* m) {
    m->Command1[2]->click();
    auto* w = static_cast<frmVehicle*>(LoadedSpecWindow(kVehicle));
    if (w) Activate(w);
    return w;
  }
  frmVehicle* Open() { return OpenBody(ShowMain()); }

 private slots:
  void init() {
    scene = std::make_unique<ShellScene>();
    shell.StartupScreenShown = shell.BeginnerNoticeShown = 1;
  }
  void cleanup() {
    SetPrintToPdfForTest(QString());
    scene.reset();
  }

  // The window over the main window: captions, values and lists from the
  // shipped files and the muscle car, the result of the quick calculation
  // in the caption, the commands not built yet greyed.
  void theWindowAsTheRacerSeesIt() {
    frmMain* m = ShowMain();
    QVERIFY(m->Command1[2]->isEnabled());
    for (int i = 0; i < 6; ++i) QCOMPARE(m->Command1[i]->isEnabled(), SpecWindowBuilt(i + 1));
    frmVehicle* w = OpenBody(m);
    QVERIFY(w);
    QCOMPARE(tbl.InstantCalcMenu, int16_t(3));
    QCOMPARE(w->windowTitle(), QString("Body/Axle Specs  [ 12.36 @ 115.64   1.98 60 ft ]"));
    QCOMPARE(w->Frame3D1->title(), QString("Vehile Weight"));
    QCOMPARE(w->Frame3D2->title(), QString("Axle Specs"));
    QCOMPARE(w->Frame3D3->title(), QString("Body Details"));
    const char* captions[12] = {"Total Weight with Driver, lbs", "Final Drive Ratio", "Dif Lock Eff", "Type",
                                "Drive Wheels", "% Wt on Rear Tires, %", "Height of C.G., in", "Wheelbase, in",
                                "Rear Track Width, in", "Front Susp Roll Stiff, %", "Frontal Area, sq ft",
                                "Drag Coefficient"};
    for (int r = 0; r < 12; ++r) QCOMPARE(Caption(w, r), QString(captions[r]));
    const char* values[12] = {"3400", "4.10", "", "", "", "45", "21", "116", "59", "", "22", ".45"};
    for (int r : {0, 1, 5, 6, 7, 8, 10, 11}) QCOMPARE(w->SpecData[r]->text(), QString(values[r]));
    QCOMPARE(w->cmbSpecData[2]->currentText(), QString("Limited Slip (75 % lock)"));
    QCOMPARE(w->cmbSpecData[3]->currentText(), QString("User Defined Specs"));
    QCOMPARE(w->cmbSpecData[4]->currentText(), QString("Rear Wheel Drive"));
    QCOMPARE(w->cmbSpecData[9]->currentText(), QString("50 % (light sway bar)"));
    QVERIFY(w->SpecData[0]->hasFocus());
    QCOMPARE(w->Label2->text(), QString("What the vehicle weighs on the scales at the track with the driver in it and "
                                        "fuel on board, in lbs."));
    const char* buttons[6] = {"OK", "Help", "Get Example", "Save Example", "Print", "Print Setup"};
    for (int i = 0; i < 6; ++i) QCOMPARE(w->Command1[i]->text(), QString(buttons[i]));
    for (int r : {0, 1, 5, 10}) {
      QCOMPARE(w->ClcBttn[r]->text(), QString("Clc"));
      QVERIFY(w->ClcBttn[r]->isEnabled());
    }
    QVERIFY(!w->Command1[2]->isEnabled() && !w->Command1[3]->isEnabled());
    QVERIFY(!qobject_cast<QStandardItemModel*>(w->cmbSpecData[3]->model())->item(1)->isEnabled());
    QCOMPARE(w->SpecData[7]->accessibleName(), QString());  // the caption is its label
    QCOMPARE(w->SpecName[7]->buddy(), static_cast<QWidget*>(w->SpecData[7]));
    QVERIFY(SaveShot(w, "frmVehicle.png"));
  }

  // The quick calculation is the normal one; refused checks leave the bare
  // caption; with the Transmission window opened last it does nothing.
  void quickCalculationInTheCaption() {
    frmVehicle* w = Open();
    TypeAndLeave(w, 0, "3500");
    QCOMPARE(w->windowTitle(), QString("Body/Axle Specs  [ 12.40 @ 114.79   1.98 60 ft ]"));
    QCOMPARE(SpecAt(kVehicle, 0), std::string("3500"));

    // The same specs calculated as the main window does.
    SetWindows(nullptr);
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

  // Drive Wheels greys the rows that do not apply, captions included; a
  // changed pick recalculates, the arrows keep the pick.
  void driveWheelsRowStates_data() {
    QTest::addColumn<int>("pick");
    QTest::addColumn<QList<int>>("greyed");
    QTest::newRow("rear") << 0 << QList<int>{};
    QTest::newRow("front") << 1 << QList<int>{2, 8, 9};
    QTest::newRow("all wheels") << 2 << QList<int>{2, 5, 6, 7, 8, 9};
    QTest::newRow("motorcycle") << 3 << QList<int>{2, 8, 9};
  }
  void driveWheelsRowStates() {
    QFETCH(int, pick);
    QFETCH(QList<int>, greyed);
    frmVehicle* w = Open();
    PickItem(w, 4, 2);
    PickItem(w, 4, pick);
    for (int r = 0; r < 12; ++r) {
      QWidget* value = w->SpecData[r] ? static_cast<QWidget*>(w->SpecData[r]) : w->cmbSpecData[r];
      QCOMPARE(value->isEnabled(), !greyed.contains(r));
      QCOMPARE(w->SpecName[r]->isEnabled(), !greyed.contains(r));
    }
    if (pick == 0) {
      QCOMPARE(w->windowTitle(), QString("Body/Axle Specs  [ 12.36 @ 115.64   1.98 60 ft ]"));
      w->setWindowTitle("Body/Axle Specs");
      QTest::keyClick(w->cmbSpecData[4], Qt::Key_Down);
      QTest::keyClick(w->SpecData[5], Qt::Key_Up);
      QTest::keyClick(w->cmbSpecData[4], Qt::Key_Up);
      QCOMPARE(w->Pick(4), 0);
      QCOMPARE(w->Pick(3), 0);
      QCOMPARE(w->windowTitle(), QString("Body/Axle Specs"));
      TypeAndLeave(w, 0, "3500");
      QCOMPARE(w->windowTitle(), QString("Body/Axle Specs  [ 12.40 @ 114.79   1.98 60 ft ]"));
    }
  }

  // A linked body: the wheelbase asks naming it (No puts it back, Yes drops
  // the link), the weight asks nothing, Save Example refuses, and the
  // Type item that leads to the examples leaves the Type as it was.
  void linkedBodyExample() {
    frmMain* m = ShowMain();
    SetSpecs("V3=2;V15=Ex Body: 1970 Chevelle SS;V16=1");
    frmVehicle* w = OpenBody(m);
    QCOMPARE(w->cmbSpecData[3]->count(), 3);
    QCOMPARE(w->cmbSpecData[3]->currentText(), QString("Ex Body: 1970 Chevelle SS"));
    const int boxes = scene->BoxCount();

    TypeAndLeave(w, 0, "3500");
    QCOMPARE(scene->BoxCount(), boxes);

    scene->ui.Answer(ans::No);
    TypeAndLeave(w, 7, "112");
    QCOMPARE(scene->BoxCount(), boxes + 1);
    QCOMPARE(scene->LastBox().title, std::string("Change these Example Specs?"));
    QVERIFY(scene->LastBox().prompt.find("    Ex Body: 1970 Chevelle SS\r\r") != std::string::npos);
    QCOMPARE(w->SpecData[7]->text(), QString("116"));

    scene->ui.Answer(ans::No);
    PickItem(w, 9, 0);
    QCOMPARE(scene->BoxCount(), boxes + 2);
    QCOMPARE(w->Pick(9), 1);

    w->SaveExample();
    QCOMPARE(scene->LastBox().prompt, tbl.MsgAlreadyExample + "Ex Body: 1970 Chevelle SS" + tbl.MsgSaveNewName);

    PickItem(w, 3, 1);  // the way to the examples: the Type stays
    QCOMPARE(w->Pick(3), 2);

    scene->ui.Answer(ans::Yes);
    TypeAndLeave(w, 7, "112");
    QCOMPARE(w->SpecData[7]->text(), QString("112"));
    QCOMPARE(SpecAt(kVehicle, 15), std::string(""));
    QCOMPARE(SpecAt(kVehicle, 16), std::string(""));
    QCOMPARE(w->cmbSpecData[3]->count(), 2);
    QCOMPARE(w->Pick(3), 0);
    QCOMPARE(Val(SpecAt(kVehicle, 3)), 0.0);

    tbl.BeginnerLevel = 1;
    w->SaveExample();
    QCOMPARE(scene->LastBox().title, std::string("Beginner Level Help"));
    QCOMPARE(scene->LastBox().prompt, std::string("Saving Specs is not available when program is set to Beginner "
                                                  "Level mode."));
  }

  // A typed weight reaches SpecText when the main window takes the front,
  // and F2 calculates with it, from the main window or from the body window.
  void typedValuesReachTheCalculation() {
    frmMain* m = ShowMain();
    frmVehicle* w = OpenBody(m);
    w->SpecData[0]->setFocus();
    Settle();
    w->SpecData[0]->selectAll();
    QTest::keyClicks(w->SpecData[0], "3500");
    Activate(m);
    QVERIFY(!LoadedSpecWindow(kVehicle));
    QCOMPARE(SpecAt(kVehicle, 0), std::string("3500"));
    QVERIFY(m->Label5[2]->text().startsWith("Weight: 3500 "));
    QTest::keyClick(m, Qt::Key_F2);
    Settle();
    QCOMPARE(tbl.ResultsText[1][tbl.FinishRow], std::string("12.40"));
    frmDispGrid::Unload();
    Settle();

    w = OpenBody(m);
    w->SpecData[0]->setFocus();
    Settle();
    w->SpecData[0]->selectAll();
    QTest::keyClicks(w->SpecData[0], "3400");
    QTest::keyClick(w, Qt::Key_F2);
    Settle();
    QCOMPARE(SpecAt(kVehicle, 0), std::string("3400"));
    QCOMPARE(tbl.ResultsText[1][tbl.FinishRow], std::string("12.36"));
  }

  // Help keeps the window; what is written to SpecText meanwhile shows on
  // return. A Drive Wheels choice the list cannot show is stored back as it
  // was. Opening another spec window, or a file, unloads the body window.
  void companionsAndStoredValues() {
    frmMain* m = ShowMain();
    SpecAt(kVehicle, 4) = "7";
    frmVehicle* w = OpenBody(m);
    QCOMPARE(w->Pick(4), -1);
    w->Command1[1]->click();
    QCOMPARE(shell.KeepSpecForm, int16_t(1));
    QCOMPARE(shell.HelpMenuNumber, int16_t(550));
    HelpForm* help = DefaultInstance<HelpForm>::IfLoaded();
    QVERIFY(help);
    Activate(help);
    QVERIFY(LoadedSpecWindow(kVehicle));
    SpecAt(kVehicle, 6) = "19.5";
    Activate(w);
    QCOMPARE(w->SpecData[6]->text(), QString("19.5"));
    TypeAndLeave(w, 0, "3450");
    w->Command1[0]->click();  // OK
    Settle();
    QVERIFY(!LoadedSpecWindow(kVehicle));
    QCOMPARE(SpecAt(kVehicle, 4), std::string("7"));
    QCOMPARE(SpecAt(kVehicle, 0), std::string("3450"));

    w = OpenBody(m);
    w->SpecData[1]->setFocus();
    Settle();
    w->SpecData[1]->selectAll();
    QTest::keyClicks(w->SpecData[1], "3.9");
    m->mnuFilSave->trigger();
    Settle();
    QCOMPARE(SpecAt(kVehicle, 1), std::string("3.9"));
    m->setWindowState(Qt::WindowMinimized);
    Settle();
    QVERIFY(!LoadedSpecWindow(kVehicle));
  }

  // Print: the comment box, the window's image with the vehicle, the time
  // and the comment in the help box, the help line back afterwards.
  void printTheWindow() {
    frmVehicle* w = Open();
    const QString help = w->Label2->text();
    const QString pdf = QString::fromStdString(scene->path("body.pdf"));
    SetPrintToPdfForTest(pdf);
    scene->ui.CancelInput();
    w->Command1[4]->click();
    QVERIFY(!QFile::exists(pdf));
    QCOMPARE(scene->LastBox().title, std::string("Printed Comment"));
    QCOMPARE(scene->LastBox().defaultText, std::string(" "));
    QCOMPARE(scene->LastBox().prompt, tbl.PrintCommentPrompt);
    scene->ui.Type("new springs");
    SetPrinterOrientation(ProgramPrinter(), 2);
    w->Command1[4]->click();
    QVERIFY(QFile::exists(pdf));
    QCOMPARE(w->Label2->text(), help);
    // One page, in the window's own orientation for this printout only.
    QFile f(pdf);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    QCOMPARE(bytes.count("/Type /Page") - bytes.count("/Type /Pages"), 1);
    QCOMPARE(PrinterOrientationOf(ProgramPrinter()), 2);
    SetPrinterOrientation(ProgramPrinter(), 1);
  }
};

QTEST_MAIN(FrmVehicleTest)
#include "frm_vehicle_qtest.moc"
