// Importing the power curve the engine program hands over in ENGCURVE.ZKT.
#include <QtTest>

#include "platform/text.h"
#include "shell/power_curve_import.h"
#include "shell_fixture.h"
#include "simulation/air.h"

using namespace sw;

namespace {

struct Point {
  std::string rpm, torque, hp;
};

std::string HandOver(const std::string& weather, const std::vector<Point>& points,
                     const std::string& displacement = "355") {
  std::string t = "CV Engine Sim - 355 SBC\r\n" + displacement + "\r\n" + weather;
  for (const auto& p : points) t += p.rpm + "\r\n" + p.torque + "\r\n" + p.hp + "\r\n";
  return t;
}

const std::string kStdDyno = "29.92\r\n60\r\n20\r\n0\r\n";
const std::string kSae = "29.6\r\n77\r\n49\r\n0\r\n";

// Torque and HP that peak where asked, at RPMs 2000, 2500, ...
std::vector<Point> Curve(int n, int torquePeakPos, int hpPeakPos) {
  std::vector<Point> pts;
  for (int i = 0; i < n; ++i) {
    double tq = 300 + (i == torquePeakPos ? 100 : i);
    double hp = 200 + (i == hpPeakPos ? 300 : i);
    pts.push_back({std::to_string(2000 + 500 * i), Format(tq, "####0"), Format(hp, "####0")});
  }
  return pts;
}

std::vector<std::string> LoadedRpms() {
  std::vector<std::string> out;
  for (int k = 0; k < 10; ++k)
    if (!tbl.PowerCurveText[k][0].empty()) out.push_back(tbl.PowerCurveText[k][0]);
  return out;
}

std::vector<std::string> Rpms(std::initializer_list<int> positions) {
  std::vector<std::string> out;
  for (int p : positions) out.push_back(std::to_string(2000 + 500 * p));
  return out;
}

}  // namespace

class PowerCurveImportTest : public QObject {
  Q_OBJECT
  std::unique_ptr<ShellScene> scene;

 private slots:
  void init() {
    scene = std::make_unique<ShellScene>();
    tbl.StartMode = 0;
  }
  void cleanup() { scene.reset(); }

  void stdDynoCurveLoadsUnchangedAfterTheSummaryQuestion() {
    scene->Write(kHandOverFile, HandOver(kStdDyno, {{"1500", "8.456", "2.41"},
                                                    {"3000", "99.96", "57.1"},
                                                    {"4500", "350", "299.9"},
                                                    {"6000", "310", "354.1"}}));
    scene->ui.Answer(ans::Yes);
    QVERIFY(ImportPowerCurve());
    QCOMPARE(scene->BoxCount(), 1);
    const auto& box = scene->Box(0);
    QCOMPARE(box.title, Space(33) + "Summary of Power Curve" + Space(30));
    QCOMPARE(box.style, mb::YesNo + mb::Question);
    QCOMPARE(box.prompt, "Power Curve found of 4 RPMs for a 355 cubic inch engine with:" + kCR + kCR +
                             "    350  Peak Tq (ft lbs) @  4500 RPM" + kCR + kCR + "    354.1 Peak HP" +
                             Space(14) + "@  6000 RPM" + kCR + kCR +
                             "Power is corrected to 'Std Dyno: 29.92 & 60 deg F'." + kCR + kCR +
                             "Do you want to use this power curve?");
    QCOMPARE(tbl.PowerCurveText[0][1], std::string("8.46"));
    QCOMPARE(tbl.PowerCurveText[1][1], std::string("100.0"));
    QCOMPARE(tbl.PowerCurveText[2][1], std::string("350"));
    QCOMPARE(tbl.PowerCurveText[0][2], std::string("2.41"));
    QCOMPARE(tbl.PowerCurveText[3][0], std::string("6000"));
    QCOMPARE(tbl.PowerCurveText[4][0], std::string(""));
    QCOMPARE(SpecAt(kEngine, 1), std::string("355"));
    QCOMPARE(SpecAt(kEngine, 6), std::string("0"));
    QCOMPARE(SpecAt(kEngine, 0), std::string("2"));
    QCOMPARE(SpecAt(kEngine, 13), std::string(""));
    QCOMPARE(SpecAt(kEngine, 14), std::string(""));
    QCOMPARE(shell.CylvaneTitle, std::string("CV Engine Sim - 355 SBC"));
    QCOMPARE(tbl.ExchangeCond1, std::string("29.92"));
    QCOMPARE(tbl.ExchangeCond4, std::string("0"));
    QCOMPARE(tbl.StartMode, int16_t(1));  // the exit now hands back to Cylvane
    QCOMPARE(tbl.CalcMode, int16_t(0));
    QCOMPARE(fst.SpecsChanged, int16_t(1));
  }

  void saeCurvePicksTheSaeRating() {
    scene->Write(kHandOverFile, HandOver(kSae, Curve(5, 2, 4)));
    scene->ui.Answer(ans::Yes);
    QVERIFY(ImportPowerCurve());
    QVERIFY(scene->Box(0).prompt.find("Power is corrected to 'SAE: 29.6 & 77 deg F'.") != std::string::npos);
    QCOMPARE(SpecAt(kEngine, 6), std::string("1"));
    QCOMPARE(tbl.PowerCurveText[2][1], std::string("400"));
  }

  void otherWeatherIsCorrectedToStdDyno() {
    const std::string hot = "28.50\r\n95\r\n60\r\n2500\r\n";
    scene->Write(kHandOverFile, HandOver(hot, {{"3000", "400", "228.5"}, {"6000", "350", "400"}}));
    scene->ui.Answer(ans::Yes);
    QVERIFY(ImportPowerCurve());
    QVERIFY(scene->Box(0).prompt.find("Power is not corrected to standard conditions, but will be corrected to "
                                      "'Std Dyno: 29.92 & 60 deg F'.") != std::string::npos);
    tbl.ExchangeCond1 = "28.50";
    tbl.ExchangeCond2 = "95";
    tbl.ExchangeCond3 = "60";
    tbl.ExchangeCond4 = "2500";
    tbl.CalcMode = -1;
    double factor = 0, density = 0;
    CalcAirConditions(factor, density);
    tbl.CalcMode = 0;
    QVERIFY(factor < 1.0);
    QCOMPARE(tbl.PowerCurveText[0][1], Format(400 / factor, "#####0"));
    QCOMPARE(tbl.PowerCurveText[1][2], Format(400 / factor, "#####0"));
    QCOMPARE(SpecAt(kEngine, 6), std::string("0"));
  }

  void stdDynoLimits() {
    struct Case {
      std::string weather;
      bool std;
    } cases[] = {
        {"29.92\r\n60\r\n33\r\n0\r\n", false},     // dew point 33 is already humid air
        {"29.92\r\n60\r\n32.9\r\n0\r\n", true},
        {"29.95\r\n60\r\n20\r\n0\r\n", false},     // 0.03 counts as different
        {"29.949\r\n60\r\n20\r\n0\r\n", true},     // 0.029 as equal
        {"29.92\r\n61.5\r\n20\r\n0\r\n", false},
        {"29.92\r\n60\r\n20\r\n-5\r\n", false},
        {"29.6\r\n77\r\n50.5\r\n0\r\n", false},    // neither Std Dyno nor SAE
    };
    for (const auto& c : cases) {
      scene->ui.Clear();
      scene->Write(kHandOverFile, HandOver(c.weather, Curve(3, 1, 2)));
      scene->ui.Answer(ans::No);
      QVERIFY(!ImportPowerCurve());
      bool isStd = scene->Box(0).prompt.find("'Std Dyno: 29.92 & 60 deg F'.\r") != std::string::npos &&
                   scene->Box(0).prompt.find("not corrected") == std::string::npos;
      QVERIFY2(isStd == c.std, c.weather.c_str());
    }
  }

  void noLeavesTheSpecsButTakesTheWeather() {
    SpecAt(kEngine, 1) = "454";
    tbl.PowerCurveText[0][0] = "1234";
    scene->Write(kHandOverFile, HandOver(kSae, Curve(5, 2, 4)));
    scene->ui.Answer(ans::No);
    QVERIFY(!ImportPowerCurve());
    QCOMPARE(SpecAt(kEngine, 1), std::string("454"));
    QCOMPARE(tbl.PowerCurveText[0][0], std::string("1234"));
    QCOMPARE(tbl.ExchangeCond1, std::string("29.6"));
    QCOMPARE(shell.CylvaneTitle, std::string("CV Engine Sim - 355 SBC"));
    QCOMPARE(tbl.StartMode, int16_t(0));
  }

  void unusableCurvesAreRefused() {
    const std::string refusal = "Power Curve not in correct format or too unusual to be used by program.";
    struct Case {
      std::vector<Point> points;
      std::string displacement;
    } cases[] = {
        {Curve(4, 1, 2), "0"},
        {{{"400", "300", "100"}, {"450", "310", "120"}}, "355"},   // peaks below 500 RPM
        {{{"3000", "30", "400"}, {"6000", "35", "420"}}, "355"},   // torque below a tenth of the HP
        {{{"3000", "400", "0"}}, "355"},
    };
    for (const auto& c : cases) {
      scene->ui.Clear();
      SpecAt(kEngine, 1) = "454";
      scene->Write(kHandOverFile, HandOver(kStdDyno, c.points, c.displacement));
      QVERIFY(!ImportPowerCurve());
      QCOMPARE(scene->BoxCount(), 1);
      QCOMPARE(scene->Box(0).prompt, refusal);
      QCOMPARE(SpecAt(kEngine, 1), std::string("454"));
    }
  }

  void missingFileGivesAtMostFourErrorsThenTheRefusal() {
    QVERIFY(!ImportPowerCurve());
    QCOMPARE(scene->BoxCount(), 5);
    QCOMPARE(scene->Box(0).prompt, std::string("File not found    1"));
    QCOMPARE(scene->Box(1).prompt, std::string("Bad file name or number    1"));
    QCOMPARE(scene->Box(4).prompt,
             std::string("Power Curve not in correct format or too unusual to be used by program."));
  }

  void twentyPointsKeepEveryOtherPlusThePeaks() {
    // Peaks at odd positions 7 (torque) and 15 (HP): 0, 2, ..., 18 plus both
    // make 12; positions are then dropped from 1 upward, never a peak.
    scene->Write(kHandOverFile, HandOver(kStdDyno, Curve(20, 7, 15)));
    scene->ui.Answer(ans::Yes);
    QVERIFY(ImportPowerCurve());
    QCOMPARE(LoadedRpms(), Rpms({0, 6, 7, 8, 10, 12, 14, 15, 16, 18}));
  }

  void elevenPointsLoadTheFirstTen() {
    scene->Write(kHandOverFile, HandOver(kStdDyno, Curve(11, 3, 8)));
    scene->ui.Answer(ans::Yes);
    QVERIFY(ImportPowerCurve());
    QCOMPARE(LoadedRpms(), Rpms({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
  }

  void elevenPointsWithThePeakLastDropPositionOne() {
    scene->Write(kHandOverFile, HandOver(kStdDyno, Curve(11, 3, 10)));
    scene->ui.Answer(ans::Yes);
    QVERIFY(ImportPowerCurve());
    QCOMPARE(LoadedRpms(), Rpms({0, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
  }

  void fifteenPointsFillUpFromTheTop() {
    // Step 1 marks 0..13 (14 points), more than ten: dropped from 1 upward.
    scene->Write(kHandOverFile, HandOver(kStdDyno, Curve(15, 2, 12)));
    scene->ui.Answer(ans::Yes);
    QVERIFY(ImportPowerCurve());
    QCOMPARE(LoadedRpms().size(), size_t(10));
    QCOMPARE(LoadedRpms().front(), std::string("2000"));
  }

  void aPointWithoutHpDoesNotCountButCanBeThePeak() {
    scene->Write(kHandOverFile,
                 HandOver(kStdDyno, {{"3000", "400", "228"}, {"6000", "350", "400"}}) + "6500\r\n500\r\n");
    scene->ui.Answer(ans::No);
    ImportPowerCurve();
    QVERIFY(scene->Box(0).prompt.rfind("Power Curve found of 2 RPMs", 0) == 0);
    QVERIFY(scene->Box(0).prompt.find("    500  Peak Tq (ft lbs) @  6500 RPM") != std::string::npos);
  }

  void aPointAtZeroRpmDoesNotCount() {
    scene->Write(kHandOverFile, HandOver(kStdDyno, {{"0", "300", "10"}, {"3000", "400", "228"}, {"6000", "350", "400"}}));
    scene->ui.Answer(ans::No);
    ImportPowerCurve();
    QVERIFY(scene->Box(0).prompt.rfind("Power Curve found of 2 RPMs", 0) == 0);
  }

  void startModeTwoLoadsWithoutAnyBox() {
    tbl.StartMode = 2;
    // Refused outside start mode 2 (peak below 500 RPM), loaded here.
    scene->Write(kHandOverFile, HandOver(kStdDyno, {{"400", "300", "23"}, {"3000", "280", "160"}}));
    QVERIFY(ImportPowerCurve());
    QCOMPARE(scene->BoxCount(), 0);
    QCOMPARE(tbl.PowerCurveText[0][0], std::string("400"));
    QCOMPARE(tbl.StartMode, int16_t(2));
    QCOMPARE(shell.ExampleKind, int16_t(13));
    QCOMPARE(SpecAt(kEngine, 0), std::string("2"));
  }
};

QTEST_MAIN(PowerCurveImportTest)
#include "power_curve_import_qtest.moc"
