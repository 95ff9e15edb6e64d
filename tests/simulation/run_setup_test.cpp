// The set-up of a run: marks and sampling by track length, the time step,
// the efficiency rules, shift points and the converter checks.
#include "simulation/run_test_support.h"

namespace sw::test {
namespace {

struct SetUpTest : RunTest {
  const RunFigures& f = LastRunFigures();
  const RunFigures& QuietFigures() {
    Quiet();
    return f;
  }
};

TEST_F(SetUpTest, MarksAndSamplesByTrackLength) {
  Load(kMuscleCar);
  struct Case {
    const char* choice;
    double length, marks[4];
    int samples;
  } cases[] = {{"0", 1320, {60, 330, 660, 1000}, 10},         {"5", 300, {60, 330, 660, 1000}, 10},
               {"1", 660, {60, 330, 660, 1000}, 10},          {"2", 5280, {660, 1320, 2640, 5280}, 2},
               {"3", 7040, {660, 1320, 2640, 5280}, 2},       {"4", 26400, {10560, 11880, 15840, 21120}, 1}};
  for (const Case& c : cases) {
    S(kConditions, 7) = c.choice;
    Quiet();
    EXPECT_EQ(f.trackLength, c.length);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(f.marks[i], c.marks[i]) << c.length << " mark " << i;
    EXPECT_EQ(f.samplesPerSecond, c.samples) << c.length;
    EXPECT_GT(tbl.FinishRow, 1) << c.length;
  }
  // A heavy car (14000 lbs / 450 HP > 30) is sampled half as often: 10 -> 5,
  // 2 -> 1, 1 -> 0 (only the forced samples).
  S(kVehicle, 0) = "14000";
  for (auto [choice, samples] : {std::pair{"0", 5}, {"2", 1}, {"4", 0}}) {
    S(kConditions, 7) = choice;
    EXPECT_EQ(QuietFigures().samplesPerSecond, samples) << choice;
  }
}

TEST_F(SetUpTest, TimeStep) {
  Load(kMuscleCar);
  S(kEngine, 2) = "800";  // peak torque 800 ft lbs
  S(kEngine, 4) = "900";
  EXPECT_DOUBLE_EQ(QuietFigures().timeStep, 0.02);
  tbl.FinerTime = 1;
  EXPECT_DOUBLE_EQ(QuietFigures().timeStep, 0.004);
  tbl.FinerTime = 0;
  S(kEngine, 2) = "2000";
  S(kEngine, 4) = "2200";
  EXPECT_DOUBLE_EQ(QuietFigures().timeStep, 0.01);
}

TEST_F(SetUpTest, EfficiencyRules) {
  Load(kBracketCar);  // 3-speed converter, efficiency choice 0
  EXPECT_NEAR(QuietFigures().efficiency, 0.97 - 0.06 - 0.03, 1e-12);
  S(kVehicle, 4) = "2";  // all wheels: 0.97 - 0.06 - 0.015 - 0.04 - 0.03
  EXPECT_NEAR(QuietFigures().efficiency, 0.825, 1e-12);
  Load(kFrontDrive);  // a 6-speed with a clutch counts all six gears
  S(kVehicle, 4) = "0";
  EXPECT_NEAR(QuietFigures().efficiency, 0.97 - 0.03, 1e-12);
  S(kTransmission, 8) = "3";  // 98 %
  EXPECT_NEAR(QuietFigures().efficiency, 0.98 - 0.03, 1e-12);
  S(kTransmission, 8) = "0";
  S(kTransmission, 12) = S(kTransmission, 13) = S(kTransmission, 14) = "0";  // a 3-speed
  EXPECT_NEAR(QuietFigures().efficiency, 0.97 - 0.03, 1e-12);
  S(kTransmission, 11) = "0";  // a 2-speed
  EXPECT_NEAR(QuietFigures().efficiency, 0.98 - 0.03, 1e-12);
}

TEST_F(SetUpTest, DifferentialLockEntersTheSpinInertiasAsAFraction) {
  Load(kBracketCar);  // a spool: lock 100 %
  Quiet();
  EXPECT_EQ(f.difLock, 100);
  EXPECT_GT(f.reducedEquivMass, 0);
  EXPECT_GT(f.spinInertia, 0);
  EXPECT_LT(f.spinInertia, 20) << "lb ft2 / 32.2 of a driveline, not thousands";
  S(kVehicle, 2) = "1";  // 50 %
  EXPECT_GT(QuietFigures().reducedEquivMass, 0);
}

// Squares are taken before the products they stand in and divisions stay
// where they are written: the figures agree to the last bit with an
// independent calculation from the same formulas.
TEST_F(SetUpTest, FiguresToTheLastBit) {
  Load(kMuscleCar);  // a 75 % lock, front wheels estimated from the weight
  Quiet();
  EXPECT_EQ(f.transferCoef, 12.743628185907044);
  EXPECT_EQ(f.torqueReactionCoef, 0.02542372881355932);
  EXPECT_EQ(f.dragHeightCoef, 0.090517241379310345);
  EXPECT_EQ(f.massTerm, 105.50560695652169);
  EXPECT_EQ(f.wheelSideInertia, 5.8679221877156653);
  EXPECT_EQ(f.dragFactor, 0.023979684195528251);
  // Each ring of the flywheel and clutch is added and rounded to 0.01 with its
  // diameter squared first: 0.1 + 0.007 x 390, the flywheel of 15 in, the 14
  // in disc give 11.92 (11.93 when the diameter multiplies in twice).
  S(kEngine, 1) = "390";
  S(kTransmission, 1) = "14";
  S(kTransmission, 2) = "2800";
  EXPECT_EQ(QuietFigures().engineInertia, 11.92);
}

// A front-drive car's track row is greyed by the Vehicle window: left empty,
// the torque reaction it would divide is 0 anyway, and the run goes on.
TEST_F(SetUpTest, EmptyGreyedTrackWidthIsNoDivisionByZero) {
  Load(kFrontDrive);
  S(kVehicle, 8) = "";
  Calculate();
  EXPECT_EQ(ui->boxes().size(), 0u);
  EXPECT_GT(tbl.FinishRow, 1);
  EXPECT_EQ(f.torqueReactionCoef, 0);
  // A wheelbase left empty under a CG height that is given still divides by 0.
  ui->Clear();
  ui->Answer(ans::No);
  S(kVehicle, 7) = "";
  Calculate();
  EXPECT_EQ(OnlyBox().title, kRunErrorTitle);
  EXPECT_EQ(tbl.FinishRow, -1);
}

TEST_F(SetUpTest, ShiftPointsFromTheSpecsOrTheComputer) {
  Load(kFrontDrive);
  Quiet();
  for (int i = 1; i <= 5; ++i) EXPECT_EQ(f.shiftRpm[i], 6400);
  EXPECT_EQ(f.shiftRpm[6], 100000) << "no gear after the sixth";
  S(kDriving, 9) = "";
  EXPECT_EQ(QuietFigures().shiftRpm[2], 100000) << "an empty shift RPM is never reached";
  EXPECT_EQ(Count(0, " 2-3"), 0);
  S(kDriving, 7) = "0";  // shift-RPM method 0: computed
  const double computed = QuietFigures().shiftRpm[1];
  EXPECT_NE(computed, 6400);
  EXPECT_LT(computed, 99000);
  S(kDriving, 7) = "1";
  tbl.BeginnerLevel = 1;
  EXPECT_EQ(QuietFigures().shiftRpm[1], computed) << "beginner level always uses computed shift points";
}

TEST_F(SetUpTest, ConverterTooTightOrTooLoose) {
  Load(kBracketCar);
  S(kTransmission, 5) = "40";
  Calculate();
  ASSERT_EQ(Boxes(kConverterTooTightTitle), 1);
  EXPECT_EQ(ui->boxes().back().prompt, kConverterTooTightText);
  EXPECT_EQ(tbl.FinishRow, -1);
  EXPECT_EQ(host.resultsShown, 0);
  EXPECT_TRUE(host.panelsEnabled);
  EXPECT_EQ(tbl.HistoryName[0], "");
  // A stall crossing beyond the top of the curve is too loose, not too tight.
  ui->Clear();
  S(kTransmission, 5) = "600";
  Calculate();
  ASSERT_EQ(ui->boxes().size(), 2u) << "the check's warning, then the run's refusal";
  EXPECT_EQ(ui->boxes()[0].title, "Possible Problem with Inputs");
  EXPECT_EQ(ui->boxes()[1].prompt, kConverterTooLooseText);
  EXPECT_EQ(ui->boxes()[1].title, "");
  EXPECT_EQ(tbl.FinishRow, -1);
}

// A 1-2 shift point within 500 RPM of the stall speed: a normal run stops
// with the "too loose" text, a search pass lowers the capacity and tries
// again, Find Best drops it quietly.
TEST_F(SetUpTest, ConverterTooLooseForTheShiftPoints) {
  Load(kBracketCar);
  S(kDriving, 8) = "4200";  // within 500 RPM of a 3940 RPM stall
  Quiet();
  EXPECT_EQ(OnlyBox().prompt, kConverterTooLooseText);
  EXPECT_EQ(OnlyBox().style, mb::OKOnly);
  EXPECT_EQ(tbl.FinishRow, -1);
  EXPECT_EQ(f.offendingShiftRpm, 4200);
  EXPECT_EQ(S(kTransmission, 5), "180");
  ui->Clear();
  tbl.FindBestTarget = 1;
  Run(1, 5);
  EXPECT_EQ(ui->boxes().size(), 0u);
  EXPECT_EQ(tbl.FinishRow, -1);
  EXPECT_EQ(S(kTransmission, 5), "180");
  tbl.FindBestTarget = 0;
  Run(1, 1);
  EXPECT_EQ(ui->boxes().size(), 0u);
  EXPECT_EQ(S(kTransmission, 5), "144.0");  // a fifth tighter
  EXPECT_GT(tbl.FinishRow, 1);
}

TEST_F(SetUpTest, SearchClutchBeyond5000LbsEndsThePass) {
  Load(kMuscleCar);
  S(kTransmission, 2) = "5001";
  Run(1, -1);
  EXPECT_EQ(tbl.CalcStatus, -1);
  EXPECT_EQ(tbl.FinishRow, -1);
}

TEST_F(SetUpTest, Wind) {
  Load(kMuscleCar);
  S(kConditions, 5) = "10";  // MPH
  const double factors[] = {0, 1, -1, 0.5, 0.75, -0.25};
  for (int d = 0; d <= 5; ++d) {
    S(kConditions, 6) = std::to_string(d);
    EXPECT_NEAR(QuietFigures().wind, 14.67 * factors[d], 1e-12) << d;
  }
  // A dial-in prediction takes the wind from the dial-in window.
  tbl.CalcMode = 1;
  tbl.CalcPass = 2;
  tbl.QuietCalc = 1;
  host.dialInRow[13] = "10";
  for (auto [direction, factor] : {std::pair{3, 0.5}, {5, -0.25}}) {
    host.dialInList[14] = direction;
    CalculatePerformance(trap, tbl.FinishRow, sixty);
    EXPECT_NEAR(f.wind, 10 * 1.467 * factor, 1e-12) << direction;
  }
}

}  // namespace
}  // namespace sw::test
