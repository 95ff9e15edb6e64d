// The Driving window as a racer uses it, with the shipped row file and
// preset lists: the drive type taken from the transmission, the rows that
// apply, the Beginner Level's refused picks, and the program's shift RPMs
// offered by the "Clc" buttons.
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "platform/text.h"
#include "shell/shell_fixture.h"
#include "specs/driving_rules.h"
#include "specs/frm_driving.h"
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

// Rows 0..12 as 1 (on) and 0 (greyed); the "Clc" buttons go with their rows.
QString States(SpecWindow* w) {
  QString out;
  for (int r = 0; r < drive::kRows; ++r) {
    QWidget* value = w->SpecData[r] ? static_cast<QWidget*>(w->SpecData[r]) : w->cmbSpecData[r];
    const bool on = value->isEnabled();
    if (w->SpecName[r]->isEnabled() != on || (w->ClcBttn[r] && w->ClcBttn[r]->isEnabled() != on)) return "mixed";
    out += on ? '1' : '0';
  }
  return out;
}

QStringList Items(QComboBox* list) {
  QStringList out;
  for (int i = 0; i < list->count(); ++i) out << list->itemText(i);
  return out;
}

}  // namespace

class FrmDrivingTest : public QObject {
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
  frmDriving* OpenWindow() {
    DefaultInstance<frmMain>::IfLoaded()->Command1[4]->click();
    auto* w = static_cast<frmDriving*>(LoadedSpecWindow(kDriving));
    if (w) Activate(w);
    return w;
  }
  void Close(frmDriving* w) {
    w->Command1[0]->click();
    Settle();
  }

 private slots:
  void init() {
    scene = std::make_unique<ShellScene>();
    shell.StartupScreenShown = shell.BeginnerNoticeShown = 1;
  }
  void cleanup() { scene.reset(); }

  // The muscle car: a clutch, four gears, the program's shift RPMs.
  void theMuscleCar() {
    frmMain* m = ShowMain();
    QVERIFY(m->Command1[4]->isEnabled());
    QCOMPARE(m->Command1[4]->text(), QString("Driving"));
    frmDriving* w = OpenWindow();
    QVERIFY(w);
    QCOMPARE(tbl.InstantCalcMenu, int16_t(kDriving));
    QCOMPARE(tbl.ConverterDrive, int16_t(0));
    QCOMPARE(w->Frame3D1->title(), QString(" Launch Specs "));
    QCOMPARE(w->Frame3D2->title(), QString(" Shift Specs "));
    const char* captions[13] = {"Type",          "Launch RPM",      "Launch % Clutch", "Launch % Throttle",
                                "Launch Time, sec", "Shift Time, sec", "Shift % Throttle", "Shift RPMs",
                                "1-2 Shift RPM", "2-3 Shift RPM",   "3-4 Shift RPM",   "4-5 Shift RPM",
                                "5-6 Shift RPM"};
    for (int r = 0; r < 13; ++r) QCOMPARE(w->SpecName[r]->text(), QString(captions[r]));
    QCOMPARE(w->cmbSpecData[0]->currentText(), QString("User Defined Launch"));
    QCOMPARE(w->SpecData[1]->text(), QString("4500"));
    QCOMPARE(w->SpecData[4]->text(), QString(".4"));
    QCOMPARE(Items(w->cmbSpecData[5]).size(), 4);  // a manual's shift times
    QCOMPARE(w->cmbSpecData[5]->currentText(), QString(".4 sec - fast manual shift"));
    QCOMPARE(w->cmbSpecData[6]->currentText(), QString("2 - lift throttle"));
    QCOMPARE(w->cmbSpecData[7]->currentText(), QString("Computer Calculated"));
    QCOMPARE(States(w), QString("1111111100000"));
    for (int r = 8; r <= 12; ++r) {
      QCOMPARE(w->ClcBttn[r]->text(), QString("Clc"));
      QCOMPARE(w->ClcBttn[r]->accessibleName(), QString("Clc ") + captions[r]);
      QVERIFY(w->ClcBttn[r]->toolTip().isEmpty());
    }
    const char* buttons[6] = {"OK", "Help", nullptr, nullptr, "Print", "Printer Setup"};
    for (int i : {0, 1, 4, 5}) QCOMPARE(w->Command1[i]->text(), QString(buttons[i]));
    QVERIFY(w->cmbSpecData[0]->hasFocus());
    QVERIFY(w->windowTitle().startsWith("Driving Specs  [ "));

    PickItem(w, 7, 1);
    QCOMPARE(States(w), QString("1111111111100"));
    QVERIFY(SaveShot(w, "frmDriving.png"));
  }

  // The drive type comes from the transmission at every activation.
  void driveTypeFromTheTransmission_data() {
    QTest::addColumn<QString>("transmission");
    QTest::addColumn<int>("converter");
    QTest::newRow("converter") << "T0=3;T23=" << 1;
    QTest::newRow("converter example") << "T0=5;T23=2" << 1;
    QTest::newRow("clutch example") << "T0=5;T23=1" << 0;
    QTest::newRow("clutch") << "T0=1;T23=" << 0;
    QTest::newRow("program's clutch") << "T0=0;T23=" << 0;
    QTest::newRow("way to converter examples") << "T0=4;T23=" << 0;
  }
  void driveTypeFromTheTransmission() {
    QFETCH(QString, transmission);
    QFETCH(int, converter);
    ShowMain();
    SetSpecs(transmission.toStdString() + ";D0=2;D5=1;D6=2");
    fst.SpecsChanged = 0;
    // The window's own decision (a calculation decides again for the run).
    tbl.InstantUpdate = 0;
    frmDriving* w = OpenWindow();
    QCOMPARE(tbl.ConverterDrive, int16_t(converter));
    if (converter) {
      // No clutch to hold the RPM up with; an automatic's shift times; the
      // stored 2 comes up as 0 and is stored so.
      QCOMPARE(Items(w->cmbSpecData[0]), (QStringList{"Program Limits Tire Spin", "User Defined Launch"}));
      QCOMPARE(w->Pick(0), 0);
      QCOMPARE(w->cmbSpecData[5]->currentText(), QString(".4 sec - shift kit"));
      QCOMPARE(Items(w->cmbSpecData[5]).size(), 3);
      QCOMPARE(States(w), QString("1000010100000"));
      PickItem(w, 0, 1);
      QCOMPARE(States(w), QString("1001110100000"));
    } else {
      QCOMPARE(Items(w->cmbSpecData[0]).size(), 3);
      QCOMPARE(w->Pick(0), 2);
      QCOMPARE(w->cmbSpecData[5]->currentText(), QString(".4 sec - fast manual shift"));
      QCOMPARE(States(w), QString("1100011100000"));
      PickItem(w, 5, 3);  // a power shift keeps the throttle
      QCOMPARE(States(w), QString("1100010100000"));
      PickItem(w, 0, 0);
      QCOMPARE(States(w), QString("1100010100000"));
      PickItem(w, 0, 1);
      QCOMPARE(States(w), QString("1111110100000"));
    }
    QCOMPARE(fst.SpecsChanged, int16_t(1));
    Close(w);
    QCOMPARE(Val(SpecAt(kDriving, 0)), 1.0);
  }

  // Shift RPMs below: a row for each gear change the transmission has.
  void shiftRowsFollowTheGears() {
    ShowMain();
    SetSpecs("T9=2.6;T10=1.6;T11=1.0;T12=0;T13=;T14=;D7=1");
    frmDriving* w = OpenWindow();
    QCOMPARE(States(w), QString("1111111111000"));
    PickItem(w, 7, 0);
    QCOMPARE(States(w), QString("1111111100000"));
  }

  // The Beginner Level refuses the racer's own launch and shift RPMs.
  void beginnerLevel() {
    ShowMain();
    tbl.BeginnerLevel = 1;
    shell.InstantTipShown = 1;
    SetSpecs("D0=2;D7=0");
    fst.SpecsChanged = 0;
    frmDriving* w = OpenWindow();
    QCOMPARE(fst.SpecsChanged, int16_t(0));
    const int boxes = scene->BoxCount();
    PickItem(w, 0, 1);
    QCOMPARE(scene->BoxCount(), boxes + 1);
    QCOMPARE(scene->LastBox().title, std::string("Beginner Level Help"));
    QCOMPARE(scene->LastBox().prompt,
             std::string("This choice is not available when the program is set to Beginner Level."));
    QCOMPARE(w->Pick(0), 2);
    PickItem(w, 0, 0);
    PickItem(w, 0, 1);
    QCOMPARE(w->Pick(0), 0);
    PickItem(w, 7, 1);
    QCOMPARE(w->Pick(7), 0);
    QCOMPARE(scene->BoxCount(), boxes + 3);
    Close(w);
    QCOMPARE(Val(SpecAt(kDriving, 0)), 0.0);
    QCOMPARE(Val(SpecAt(kDriving, 7)), 0.0);

    // A file saved with those choices opens without them, changed.
    for (const char* specs : {"D0=1;D7=0", "D0=0;D7=1"}) {
      SetSpecs(specs);
      fst.SpecsChanged = 0;
      w = OpenWindow();
      QCOMPARE(scene->BoxCount(), boxes + 3);
      QCOMPARE(w->Pick(0), 0);
      QCOMPARE(w->Pick(7), 0);
      QCOMPARE(fst.SpecsChanged, int16_t(1));
      Close(w);
      QCOMPARE(Val(SpecAt(kDriving, 0)) + Val(SpecAt(kDriving, 7)), 0.0);
    }
  }

  // "Clc": the program's shift RPMs beside the racer's; Yes takes them,
  // rounded to 100, without calculating; No changes nothing.
  void computerCalculatedShiftRpms() {
    ShowMain();
    SetSpecs("D7=1");
    fst.SpecsChanged = 0;
    frmDriving* w = OpenWindow();
    QCOMPARE(fst.SpecsChanged, int16_t(0));
    QCOMPARE(States(w), QString("1111111111100"));

    const ShiftRpmTable expected = ComputerShiftRpms();
    QCOMPARE((std::vector<double>{expected[1], expected[2], expected[3], expected[4]}),
             (std::vector<double>{5780, 5830, 5950, kNoShift}));
    const std::string line = std::string(13 + 25 + 4, ' ');
    const std::string question = "The program would use these RPMs for shifting:\r\r           Current                "
                                 "Calculated\r\r" +
                                 line + " 5780\r" + line + " 5830\r" + line + " 5950\r" +
                                 "\rDo you want to use these calculated shift RPMs?";
    scene->ui.Answer(ans::No);
    w->ClcBttn[9]->click();
    QCOMPARE(scene->LastBox().title, std::string("Computer Calculated Shift RPMs"));
    QCOMPARE(scene->LastBox().style, mb::YesNo + mb::DefaultButton2);
    QCOMPARE(scene->LastBox().prompt, question);
    for (int r = 8; r <= 12; ++r) QCOMPARE(w->SpecData[r]->text(), QString());
    QCOMPARE(fst.SpecsChanged, int16_t(0));

    w->SpecData[11]->setText("6100");
    fst.SpecsChanged = 0;
    tbl.InstantEt[0] = "not calculated";
    scene->ui.Answer(ans::Yes);
    w->ClcBttn[8]->click();
    Settle();
    const char* rows[5] = {"5800", "5800", "6000", "6100", ""};
    for (int r = 8; r <= 12; ++r) QCOMPARE(w->SpecData[r]->text(), QString(rows[r - 8]));
    QCOMPARE(fst.SpecsChanged, int16_t(1));
    QCOMPARE(tbl.InstantEt[0], std::string("not calculated"));
    Close(w);
    QCOMPARE(SpecAt(kDriving, 8), std::string("5800"));
    QCOMPARE(SpecAt(kDriving, 10), std::string("6000"));

    // Without a curve there is nothing to offer, and nothing to report.
    SetSpecs("E1=;E4=;E5=");
    w = OpenWindow();
    const int boxes = scene->BoxCount();
    scene->ui.Answer(ans::Yes);
    w->ClcBttn[8]->click();
    QCOMPARE(scene->BoxCount(), boxes + 1);
    QCOMPARE(scene->LastBox().prompt, std::string("The program would use these RPMs for shifting:\r\r           Current "
                                                  "               Calculated\r\r\rDo you want to use these calculated "
                                                  "shift RPMs?"));
    QCOMPARE(w->SpecData[8]->text(), QString("5800"));
  }

  // An emptied box: no message, no calculation. A refused entry: the
  // "Warning" and no calculation.
  void entries() {
    ShowMain();
    frmDriving* w = OpenWindow();
    w->setWindowTitle("Driving Specs");
    const int boxes = scene->BoxCount();
    w->SpecData[1]->setFocus();
    Settle();
    w->SpecData[1]->clear();
    QTest::keyClick(w->SpecData[1], Qt::Key_Tab);
    Settle();
    QCOMPARE(scene->BoxCount(), boxes);
    QCOMPARE(w->windowTitle(), QString("Driving Specs"));
    w->SpecData[3]->setFocus();
    Settle();
    w->setWindowTitle("Driving Specs");
    TypeAndLeave(w, 3, "120");
    QCOMPARE(scene->LastBox().prompt, std::string("Launch % Throttle = 120.  Value must be between  0 and  100 ."));
    QCOMPARE(w->SpecData[3]->text(), QString("80"));
    QCOMPARE(w->windowTitle(), QString("Driving Specs"));
    TypeAndLeave(w, 3, "90");
    QVERIFY(w->windowTitle().startsWith("Driving Specs  [ "));
    Close(w);
    QCOMPARE(SpecAt(kDriving, 1), std::string(""));
    QCOMPARE(SpecAt(kDriving, 3), std::string("90"));
  }
};

QTEST_MAIN(FrmDrivingTest)
#include "frm_driving_qtest.moc"
