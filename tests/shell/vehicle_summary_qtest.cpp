// The five summary lines of the main window, built from SpecText.
#include <QtTest>

#include "shell/vehicle_summary.h"
#include "shell_fixture.h"

using namespace sw;

namespace {

void Spec(int menu, int k, const std::string& v) { SpecAt(menu, k) = v; }

// A rear-drive clutch car with a four-speed, peak figures only.
void MuscleCar() {
  Spec(kEngine, 0, "0");
  Spec(kEngine, 1, "454");
  Spec(kEngine, 4, "450");
  Spec(kEngine, 5, "5600");
  Spec(kEngine, 6, "0");
  Spec(kTransmission, 0, "1");
  Spec(kTransmission, 7, "0");
  Spec(kTransmission, 9, "2.52");
  Spec(kTransmission, 10, "1.88");
  Spec(kTransmission, 11, "1.46");
  Spec(kTransmission, 12, "1.00");
  Spec(kVehicle, 0, "3850");
  Spec(kVehicle, 1, "4.10");
  Spec(kVehicle, 3, "0");
  Spec(kVehicle, 4, "0");
  Spec(kTires, 0, "0");
  Spec(kTires, 3, "0");
  Spec(kTires, 5, "28.0");
  Spec(kTires, 6, "1");
  Spec(kTires, 7, "10.5");
  Spec(kDriving, 0, "0");
  Spec(kDriving, 1, "4500");
  Spec(kDriving, 5, "1");
  Spec(kDriving, 6, "0");
  Spec(kDriving, 7, "0");
}

}  // namespace

class VehicleSummaryTest : public QObject {
  Q_OBJECT
  std::unique_ptr<ShellScene> scene;

  void WriteLists() {
    scene->Write("COMBO/CMB4-6",
                 "Bias Ply Street Tire\r\nRadial Street Tire\r\nDOT Drag Tire\r\nDrag Radial\r\nRacing Slick\r\n-9999\r\n");
    scene->Write("COMBO/CMB5-6", "0 - full throttle\r\n1 - half throttle\r\n2 - lift throttle\r\n-9999\r\n");
  }

 private slots:
  void init() {
    scene = std::make_unique<ShellScene>();
    tbl.BeginnerLevel = 0;
    WriteLists();
    MuscleCar();
  }
  void cleanup() { scene.reset(); }

  void muscleCarReadsLikeTheCar() {
    auto lines = VehicleSummaryLines();
    QCOMPARE(lines[0], std::string("User Defined Engine: (Peak HP Only, Std Dyno Rating)\n"
                                   "450 HP at 5600 RPM , 454 cubic inches          "));
    QCOMPARE(lines[1], std::string("Clutch:  User Defined Specs\nTransmission:   4 speed, user defined specs"));
    QCOMPARE(lines[2], std::string("Weight: 3850          Axle Ratio: 4.10\nBody Style:  User defined Rear Wheel Drive"));
    QCOMPARE(lines[3], std::string("Front Wheel/Tire(s):  Program will estimate\n"
                                   "Rear Wheel/Tire(s):  10.5\" x 28.0\" Radial Street Tire"));
    QCOMPARE(lines[4], std::string("Launch:  Program will limit tire spin starting at  4500 RPM\n"
                                   "Shifts:  .4 sec full throttle at  Computer Picked RPMs"));
    QCOMPARE(shell.SummaryConverter, int16_t(0));
    QCOMPARE(tbl.SpecText[116], std::string("0"));
  }

  void powerBelow100ShowsOneDecimal() {
    Spec(kEngine, 1, "120");
    Spec(kEngine, 4, "95");
    Spec(kEngine, 5, "5000");
    auto lines = VehicleSummaryLines();
    QVERIFY2(lines[0].find("\n95.0 HP at 5000 RPM , 120 cubic inches") != std::string::npos, lines[0].c_str());
  }

  void torqueShownWithTorqueAndHpEngines() {
    Spec(kEngine, 0, "1");
    Spec(kEngine, 2, "500");
    Spec(kEngine, 3, "3600");
    Spec(kEngine, 6, "1");
    auto lines = VehicleSummaryLines();
    QCOMPARE(lines[0], std::string("User Defined Engine: (Peak Tq and HP, SAE Rating)\n"
                                   "500 ft lbs at 3600 RPM  and  450 HP at 5600 RPM , 454 cubic inches          "));
  }

  void exampleEngineKeepsItsNameAndMethod3ReturnsToItsOwnMethod() {
    Spec(kEngine, 0, "4");
    Spec(kEngine, 13, "Ex Eng: Rat Motor");
    Spec(kEngine, 14, "0");
    auto lines = VehicleSummaryLines();
    QVERIFY(lines[0].rfind("Ex Eng: Rat Motor (Peak HP Only, Std Dyno Rating)\n", 0) == 0);
    QCOMPARE(SpecAt(kEngine, 13), std::string("Ex Eng: Rat Motor"));

    Spec(kEngine, 0, "3");
    Spec(kEngine, 14, "1");
    Spec(kEngine, 2, "500");
    Spec(kEngine, 3, "3600");
    lines = VehicleSummaryLines();
    QCOMPARE(SpecAt(kEngine, 0), std::string("1"));
    QVERIFY(lines[0].rfind("User Defined Engine: (Peak Tq and HP", 0) == 0);
    QCOMPARE(SpecAt(kEngine, 13), std::string(""));
    QCOMPARE(SpecAt(kEngine, 14), std::string(""));
  }

  void editedExampleClutchAndConverterBecomeUserDefined() {
    Spec(kTransmission, 0, "2");
    Spec(kTransmission, 22, "Ex Clu: Long 11");
    Spec(kTransmission, 23, "1");
    auto lines = VehicleSummaryLines();
    QCOMPARE(SpecAt(kTransmission, 0), std::string("1"));
    QVERIFY(lines[1].rfind("Clutch:  User Defined Specs\n", 0) == 0);
    QCOMPARE(SpecAt(kTransmission, 22), std::string(""));
    QCOMPARE(SpecAt(kTransmission, 23), std::string(""));

    Spec(kTransmission, 0, "4");
    lines = VehicleSummaryLines();
    QCOMPARE(SpecAt(kTransmission, 0), std::string("3"));
    QVERIFY(lines[1].rfind("Converter:  User Defined Specs\n", 0) == 0);
    QCOMPARE(shell.SummaryConverter, int16_t(1));
  }

  void exampleTransmissionNamesTheConverter() {
    Spec(kTransmission, 0, "5");
    Spec(kTransmission, 22, "Ex Con: 3500 Stall");
    Spec(kTransmission, 7, "2");
    Spec(kTransmission, 24, "Ex Trn: TH400");
    auto lines = VehicleSummaryLines();
    QCOMPARE(lines[1], std::string("Ex Con: 3500 Stall\nTransmission:  Ex Trn: TH400"));
    QCOMPARE(shell.SummaryConverter, int16_t(1));
  }

  void gearCountComesFromTheRatios() {
    Spec(kTransmission, 10, "0");
    QVERIFY(VehicleSummaryLines()[1].find(" 1 speed, user defined specs") != std::string::npos);
    for (int k = 10; k <= 15; ++k) Spec(kTransmission, k, "1.5");
    QVERIFY(VehicleSummaryLines()[1].find(" 6 speed, user defined specs") != std::string::npos);
    Spec(kTransmission, 7, "1");
    VehicleSummaryLines();
    QCOMPARE(SpecAt(kTransmission, 7), std::string("0"));
  }

  void frontDriveListsTheDrivenWheelsSecond() {
    Spec(kVehicle, 4, "1");
    auto lines = VehicleSummaryLines();
    QVERIFY(lines[2].find("Body Style:  User defined Front Wheel Drive") != std::string::npos);
    QVERIFY(lines[3].rfind("Rear Wheel/Tire(s):  Program will estimate\nFront Wheel/Tire(s):  ", 0) == 0);
    Spec(kVehicle, 4, "3");
    QVERIFY(VehicleSummaryLines()[2].find("User defined Motorcycle") != std::string::npos);
    Spec(kVehicle, 4, "2");
    QVERIFY(VehicleSummaryLines()[2].find("User defined 4 Wheel Drive") != std::string::npos);
  }

  void tireTypeOutsideTheListShowsTheStoredText() {
    Spec(kTires, 6, "4");
    QVERIFY(VehicleSummaryLines()[3].find("\" Racing Slick") != std::string::npos);
    Spec(kTires, 6, "7");
    QVERIFY(VehicleSummaryLines()[3].rfind("\" 7") == VehicleSummaryLines()[3].size() - 3);
    Spec(kTires, 0, "2");
    Spec(kTires, 10, "Ex Ftr: skinny");
    auto lines = VehicleSummaryLines();
    QCOMPARE(SpecAt(kTires, 0), std::string("1"));
    QVERIFY(lines[3].rfind("Front Wheel/Tire(s):  User defined\n", 0) == 0);
    QCOMPARE(SpecAt(kTires, 10), std::string(""));
  }

  void shiftTimeCodesAndPowerShift() {
    const char* shown[4] = {".8", ".4", ".2", ".0"};
    for (int code = 0; code < 4; ++code) {
      Spec(kDriving, 5, std::to_string(code));
      auto line = VehicleSummaryLines()[4];
      std::string want = std::string("Shifts:  ") + shown[code] + " sec";
      QVERIFY2(line.find(want) != std::string::npos, line.c_str());
    }
    QVERIFY(VehicleSummaryLines()[4].find(".0 secPower Shift at ") != std::string::npos);
  }

  void chosenShiftPointsOfTheGearsThatExist() {
    Spec(kDriving, 7, "1");
    Spec(kDriving, 8, "6500");
    Spec(kDriving, 9, "6400");
    Spec(kDriving, 10, "6300.4");
    Spec(kDriving, 11, "6200");
    auto line = VehicleSummaryLines()[4];
    QVERIFY2(line.find("full throttle at  6500, 6400, 6300 RPM") != std::string::npos, line.c_str());
    tbl.BeginnerLevel = 1;
    QVERIFY(VehicleSummaryLines()[4].find("at  Computer Picked RPMs") != std::string::npos);
  }

  void launchTextsByTypeAndLevel() {
    Spec(kDriving, 0, "1");
    QVERIFY(VehicleSummaryLines()[4].rfind("Launch:  User defined starting at  4500 RPM\n", 0) == 0);
    Spec(kDriving, 0, "2");
    auto line = VehicleSummaryLines()[4];
    QVERIFY(line.rfind("Launch:  Program will limit tire spin && not let RPM fall below  4500 RPM\n", 0) == 0);
    QVERIFY(LabelText(line).find("spin & not let") != std::string::npos);
    tbl.BeginnerLevel = 1;
    QVERIFY(VehicleSummaryLines()[4].rfind("Launch:  Program will limit tire spin starting at  4500", 0) == 0);
  }

  void converterCarLaunchesAutomatic() {
    Spec(kTransmission, 0, "3");
    Spec(kDriving, 0, "1");
    QCOMPARE(VehicleSummaryLines()[4], std::string("Launch:  User defined , automatic trans.\n"
                                                   "Shifts:  .4 sec full throttle at  Computer Picked RPMs"));
  }

  void missingPresetListIsReportedOncePerList() {
    std::filesystem::remove(scene->file("COMBO/CMB4-6"));
    auto lines = VehicleSummaryLines();
    QCOMPARE(scene->BoxCount(), 1);
    QCOMPARE(scene->Box(0).prompt,
             std::string("Combo Data for Menu # 4, Spec # 6 is not readable.  You may need to reinstall this program."));
    QVERIFY(lines[3].find("\" 1") != std::string::npos);  // the stored choice itself
  }
};

QTEST_MAIN(VehicleSummaryTest)
#include "vehicle_summary_qtest.moc"
