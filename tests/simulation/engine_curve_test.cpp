#include "simulation/engine_curve.h"

#include "simulation/run_test_support.h"

namespace sw::test {
namespace {

struct Point {
  const char *rpm, *torque, *hp;
};

struct Build {
  double peakHp = -1, peakHpRpm = -1, peakTorque = -1, peakTorqueRpm = -1, midRpm = -1, limitRpm = -1, topRpm = -1;
  int pointCount = -1;
};

Build RunBuild(double correction = 1.0) {
  Build b;
  BuildEngineCurve(TheRunsCurve(), b.peakHp, b.peakHpRpm, b.peakTorque, b.peakTorqueRpm, b.pointCount, b.midRpm, correction,
                   b.limitRpm, b.topRpm);
  return b;
}

Build FullCurve(const std::vector<Point>& points, double correction = 1.0) {
  tbl.SpecText[0] = "2";
  for (auto& p : tbl.PowerCurveText) p = {"", "", "", ""};
  for (size_t j = 0; j < points.size(); ++j) tbl.PowerCurveText[j] = {points[j].rpm, points[j].torque, points[j].hp, ""};
  return RunBuild(correction);
}

// Peak HP and its RPM, peak torque and its RPM, top, limit and middle RPM.
Nums Peaks(const Build& b) {
  return {b.peakHp, b.peakHpRpm, b.peakTorque, b.peakTorqueRpm, b.topRpm, b.limitRpm, b.midRpm};
}
// Column 0 (RPM) or 1 (torque) of rows 0..last.
Nums Col(int c, int last) { return Nums(tbl.EngineCurve[c], tbl.EngineCurve[c] + last + 1); }

double Rpm(int row) { return tbl.EngineCurve[0][row]; }
double Tq(int row) { return tbl.EngineCurve[1][row]; }

struct Reading {
  double torque = -1, rpm = 0, hp = -1;
  int16_t limiter = 0;
};
// EngineTorqueAt as the run calls it; limits off unless a floor or ceiling is given.
Reading TorqueAt(double rpm, int lastRow, double factor = 1.0, int16_t converter = 0, double floor = 0,
                 double ceiling = 0, int16_t limitsOn = 0) {
  Reading r;
  r.rpm = rpm;
  const int16_t simpleLaunch = floor > 0;
  EngineTorqueAt(tbl.EngineCurve, r.torque, r.rpm, factor, lastRow, 0, 0, 0, simpleLaunch, converter, floor, r.limiter, ceiling, r.hp,
                 limitsOn);
  return r;
}

using EngineCurveTest = RunTest;

TEST_F(EngineCurveTest, FullCurveRowsPeaksAndClosingRow) {
  const Build b = FullCurve({{"3000", "400", "228"}, {"5000", "420", "400"}, {"4000", "450", "343"},
                             {"6000", "380", "434"}}, 0.9);
  ASSERT_EQ(b.pointCount, 5);
  const double rpms[] = {500, 3000, 4000, 5000, 6000, 6300};
  const double torques[] = {0.7 * 400, 400, 450, 420, 380, 0.02 * 450};
  for (int k = 0; k <= 5; ++k) {
    EXPECT_EQ(Rpm(k), rpms[k]) << k;
    EXPECT_DOUBLE_EQ(Tq(k), torques[k] * 0.9) << k;  // every row corrected, the closing row too
  }
  EXPECT_EQ(Peaks(b), (Nums{434, 6000, 450, 4000, 6300, 500, (4000 + 500 / 2.0) / 2}));  // as entered, uncorrected
}

TEST_F(EngineCurveTest, RowZeroLiesWellBelowTheLowestPoint) {
  FullCurve({{"4000", "300", "228"}, {"2000", "250", "95"}});
  EXPECT_EQ(Rpm(0), 500);
  EXPECT_DOUBLE_EQ(Tq(0), 0.7 * 250);
  FullCurve({{"600", "100", "11"}, {"2000", "250", "95"}});
  EXPECT_EQ(Rpm(0), 200);
  EXPECT_DOUBLE_EQ(Tq(0), 70);
}

TEST_F(EngineCurveTest, DuplicateRpmMovesTheLaterPointUp) {
  Build b = FullCurve({{"2000", "300", "114"}, {"3000", "350", "200"}, {"3000", "360", "206"}, {"4000", "340", "259"}});
  EXPECT_EQ(tbl.PowerCurveText[1][0], "3000");
  EXPECT_EQ(tbl.PowerCurveText[2][0], "3001");  // the curve text says so too
  ASSERT_EQ(b.pointCount, 5);
  EXPECT_EQ(Col(0, 4), (Nums{500, 2000, 3000, 3001, 4000}));
  EXPECT_EQ(Col(1, 4), (Nums{210, 300, 350, 360, 340}));
  EXPECT_EQ(b.peakTorqueRpm, 3001);
  RunBuild();  // built again, the rewritten point no longer collides
  EXPECT_EQ(tbl.PowerCurveText[2][0], "3001");
  EXPECT_EQ(Rpm(3), 3001);
}

TEST_F(EngineCurveTest, IncompleteAndNegativePoints) {
  // HP 0: left out of the table, but its torque is the peak torque.
  Build b = FullCurve({{"3000", "350", "200"}, {"4000", "500", "0"}, {"5000", "380", "362"}});
  EXPECT_EQ(b.pointCount, 3);
  EXPECT_EQ(Col(0, 2), (Nums{500, 3000, 5000}));
  EXPECT_EQ(Peaks(b), (Nums{362, 5000, 500, 4000, 5300, 500, (4000 + 250) / 2.0}));
  // A negative RPM is dropped and counts for no peak.
  b = FullCurve({{"3000", "350", "200"}, {"-4000", "900", "900"}, {"5000", "380", "362"}});
  EXPECT_EQ(b.pointCount, 3);
  EXPECT_EQ(b.peakTorque, 380);
  EXPECT_EQ(b.peakHp, 362);
  // An incomplete point before any point is in the table does not count.
  EXPECT_EQ(FullCurve({{"2500", "600", ""}, {"3000", "350", "200"}}).peakTorque, 350);
}

TEST_F(EngineCurveTest, CurveWithoutUsablePoints) {
  FullCurve({{"3000", "350", "200"}, {"2000", "300", "114"}});
  EXPECT_DOUBLE_EQ(Tq(0), 0.7 * 300);  // point 1 is the lowest
  // No point left: one row and its closing row; the low row still takes 0.7
  // of the torque of the point that was lowest last time.
  const Build b = FullCurve({{"", "320", ""}, {"abc", "350", "0"}});
  EXPECT_EQ(b.pointCount, 1);
  EXPECT_EQ(b.peakHp, 0);
  EXPECT_EQ(b.peakTorqueRpm, 4000);
  EXPECT_EQ(b.topRpm, 800);
  EXPECT_EQ(Col(0, 1), (Nums{500, 800}));
  EXPECT_DOUBLE_EQ(Tq(0), 0.7 * 350);
}

// 350 cu in, 400 HP at 6000, torque peak not given.
TEST_F(EngineCurveTest, PeakFiguresCurveWithoutTorquePeak) {
  tbl.SpecText[0] = "0";
  tbl.SpecText[1] = "350";
  tbl.SpecText[4] = "400";
  tbl.SpecText[5] = "6000";
  const Build b = RunBuild();
  ASSERT_EQ(b.pointCount, 9);
  // Torque peak Int(350 x 1.1004 + 0.5) = 385 at Int(5252 x 0.7914 x 400 / 385 + 0.5) = 4319.
  EXPECT_EQ(Peaks(b), (Nums{400, 6000, 385, 4319, 7200, 500, (4319 + 500 / 2.0) / 2}));
  EXPECT_EQ(Col(0, 9), (Nums{500, 2200, 3300, 4300, 5200, 6000, 6300, 6600, 6900, 7200}));  // rising
  const double torques[] = {192.5, 308, 358.05, 385, 382.5913462, 350.1333333, 325.1238095, 286.4727273,
                            205.5130435, 7.7};
  for (int k = 0; k <= 9; ++k) EXPECT_NEAR(Tq(k), torques[k], 1e-6) << k;
  // Read as the run reads it: torque peaks near the torque-peak RPM, HP at 6000.
  Reading bestTq, bestHp;
  bestTq.torque = bestHp.hp = 0;
  for (double r = 600; r < 7200; r += 10) {
    const Reading x = TorqueAt(r, b.pointCount);
    if (x.torque > bestTq.torque) bestTq = x;
    if (x.hp > bestHp.hp) bestHp = x;
  }
  EXPECT_NEAR(bestTq.rpm, 4319, 100);
  EXPECT_EQ(bestHp.rpm, 6000);
  EXPECT_NEAR(bestHp.hp, 400, 1e-9);
}

TEST_F(EngineCurveTest, EstimateWithTorquePeakGiven) {
  double hpRpm = 6500, hp = 450.4, torque = 420, torqueRpm = 6400, disp = 355, peakHp = 0, peakHpRpm = 0,
         peakTorque = 0, peakTorqueRpm = 0;
  int16_t method = 1;
  int n = 0;
  auto estimate = [&] {
    EstimatePowerCurve(tbl.EngineCurve, hpRpm, hp, torque, torqueRpm, disp, method, peakHp, peakHpRpm, peakTorque, peakTorqueRpm, n);
  };
  estimate();
  EXPECT_EQ(n, 9);
  // Torque given and kept, its RPM at least 300 below the HP peak and the HP
  // rounded, both written back.
  EXPECT_EQ((Nums{torque, torqueRpm, hp, peakHp, peakHpRpm, peakTorqueRpm}), (Nums{420, 6200, 450, 450, 6500, 6200}));
  for (int k = 1; k <= 9; ++k) EXPECT_GT(Rpm(k), Rpm(k - 1)) << k;
  // Nothing to estimate from: nothing is touched.
  tbl.EngineCurve[0][0] = 123;
  hpRpm = 0;
  torque = 1;
  n = -5;
  estimate();
  EXPECT_EQ(n, -5);
  EXPECT_EQ(torque, 1);
  EXPECT_EQ(Rpm(0), 123);
}

TEST_F(EngineCurveTest, MissingPeakFiguresLeaveEverythingAsItWas) {
  FullCurve({{"3000", "350", "200"}, {"5000", "380", "362"}});
  const double row1 = Rpm(1);
  for (auto [method, disp, hp] : {std::tuple{"1", "350", ""} /* no peak HP */,
                                  {"0", ".1", ".001"} /* torque peak rounds to 0 */}) {
    tbl.SpecText[0] = method;
    tbl.SpecText[1] = disp;
    tbl.SpecText[4] = hp;
    tbl.SpecText[5] = "6000";
    const Build b = RunBuild();
    EXPECT_EQ(Peaks(b), Nums(7, -1)) << method;
    EXPECT_EQ(b.pointCount, -1);
    EXPECT_EQ(Rpm(1), row1);
  }
}

TEST_F(EngineCurveTest, MethodChoosesTheDescription) {
  FullCurve({{"3000", "350", "200"}, {"5000", "380", "362"}});
  tbl.SpecText[1] = "350";
  tbl.SpecText[2] = "400";
  tbl.SpecText[3] = "4500";
  tbl.SpecText[4] = "420";
  tbl.SpecText[5] = "6000";
  for (auto [method, slot14, points] : {std::tuple{"0", "", 9}, {"1", "", 9}, {"2", "", 3}, {"3", "", 3},
                                       {"4", "1", 9}, {"4", "2", 3}, {"5", "", 3}}) {
    tbl.SpecText[0] = method;
    tbl.SpecText[14] = slot14;
    EXPECT_EQ(RunBuild().pointCount, points) << method << "/" << slot14;
  }
}

// A linked example given by its HP peak alone (method 4, slot 14 = 0) is
// built as method 0: the torque rows left over from another engine are not
// used; one given by both peaks (slot 14 = 1) uses them.
TEST_F(EngineCurveTest, LinkedExampleUsesItsOwnMethod) {
  tbl.SpecText[1] = "122";
  tbl.SpecText[2] = "500";
  tbl.SpecText[3] = "3600";
  tbl.SpecText[4] = "160";
  tbl.SpecText[5] = "6500";
  tbl.SpecText[0] = "0";
  const Nums hpOnly = Peaks(RunBuild());
  tbl.SpecText[0] = "1";
  const Nums bothPeaks = Peaks(RunBuild());
  ASSERT_NE(hpOnly, bothPeaks);
  tbl.SpecText[0] = "4";
  tbl.SpecText[14] = "0";
  EXPECT_EQ(Peaks(RunBuild()), hpOnly);
  tbl.SpecText[14] = "1";
  EXPECT_EQ(Peaks(RunBuild()), bothPeaks);
}

TEST_F(EngineCurveTest, TorqueAtRowZeroAndBetweenRows) {
  const int last = FullCurve({{"2000", "300", "114"}, {"4000", "400", "305"}}).pointCount;  // row 0: 500 RPM, 210
  EXPECT_EQ(TorqueAt(500, last).torque, 0);
  const Reading below = TorqueAt(100, last);
  EXPECT_EQ(below.rpm, 500);  // raised to row 0
  EXPECT_EQ(below.torque, 0);
  EXPECT_NEAR(TorqueAt(500.5, last).torque, 210 + 90 * 0.5 / 1500, 1e-12);
  EXPECT_DOUBLE_EQ(TorqueAt(3000, last, 0.5).torque, 350 * 0.5);
  EXPECT_EQ(TorqueAt(4000, last).torque, 400);
  EXPECT_EQ(TorqueAt(4300, last).torque, 0);  // the closing row
  EXPECT_NEAR(TorqueAt(4150, last).torque, 400 + (8 - 400) * 0.5, 1e-9);
  EXPECT_DOUBLE_EQ(TorqueAt(3000, last).hp, 350 * 3000 / 5252.0);
}

TEST_F(EngineCurveTest, TorqueAtLaunchFloorAndCeiling) {
  const Build b = FullCurve({{"2000", "300", "114"}, {"4000", "400", "305"}, {"6000", "350", "400"}});
  // Clutch car, simple launch: held at the launch floor.
  Reading r = TorqueAt(1500, b.pointCount, 1, 0, 3000, b.topRpm, 1);
  EXPECT_EQ(r.rpm, 3000);
  EXPECT_EQ(r.limiter, 1);
  EXPECT_EQ(r.torque, 350);
  // Converter car: no floor. Limits off: no floor, no ceiling.
  r = TorqueAt(1500, b.pointCount, 1, 1, 3000, b.topRpm, 1);
  EXPECT_EQ(r.rpm, 1500);
  EXPECT_EQ(r.limiter, 0);
  r = TorqueAt(9000, b.pointCount, 1, 0, 3000, b.topRpm, 0);
  EXPECT_EQ(r.rpm, 9000);
  EXPECT_EQ(r.limiter, 0);
  r = TorqueAt(9000, b.pointCount, 1, 0, 3000, 5500, 1);
  EXPECT_EQ(r.rpm, 5500);
  EXPECT_DOUBLE_EQ(r.torque, 400 - 50 * 0.75);
  // Row counts outside the table never read outside it.
  for (int last : {-3, 0, 11, 40}) EXPECT_TRUE(std::isfinite(TorqueAt(3000, last).torque)) << last;
}

TEST_F(EngineCurveTest, JunkSpecsNeverGiveNaN) {
  const char* texts[] = {"", "abc", "0", "-1", "-5000", ".1", "1e300", "7e-300", "12abc"};
  for (const char* method : {"0", "1", "2", "4"})
    for (const char* a : texts)
      for (const char* b : texts) {
        SCOPED_TRACE(std::string(method) + " " + a + " " + b);
        ResetTables();
        tbl.SpecText[0] = method;
        tbl.SpecText[14] = tbl.SpecText[1] = tbl.SpecText[3] = tbl.SpecText[5] = a;
        tbl.SpecText[2] = tbl.SpecText[4] = b;
        for (int j = 0; j < 10; ++j) tbl.PowerCurveText[j] = {j % 2 ? a : b, b, a, ""};
        const Build r = RunBuild(1.2);
        for (double v : {r.peakHp, r.peakHpRpm, r.peakTorque, r.peakTorqueRpm, r.midRpm, r.topRpm})
          EXPECT_TRUE(std::isfinite(v));
        EXPECT_LE(r.pointCount, kEngineCurveRows - 1);
        for (int k = 0; k < kEngineCurveRows; ++k) EXPECT_TRUE(std::isfinite(Rpm(k)) && std::isfinite(Tq(k)));
        for (double x = -100; x < 10000 && r.pointCount >= 0; x += 777)
          EXPECT_TRUE(std::isfinite(TorqueAt(x, r.pointCount).torque));
      }
}

}  // namespace
}  // namespace sw::test
