// The set-up of a run: marks and sampling by track length, the time step,
// the efficiency rules, shift points and the converter checks.
#include <algorithm>

#include "simulation/air.h"
#include "simulation/run_test_support.h"

namespace sw::test {
namespace {

using SetUpTest = RunTest;

TEST_F(SetUpTest, MarksAndSamplesByTrackLength) {
  Load(kMuscleCar);
  struct Case {
    const char* choice;
    double length, m1, m2, m3, m4;
    int samples;
  } cases[] = {{"0", 1320, 60, 330, 660, 1000, 10},       {"5", 300, 60, 330, 660, 1000, 10},
               {"1", 660, 60, 330, 660, 1000, 10},        {"2", 5280, 660, 1320, 2640, 5280, 2},
               {"3", 7040, 660, 1320, 2640, 5280, 2},     {"4", 26400, 10560, 11880, 15840, 21120, 1}};
  for (const Case& c : cases) {
    S(kConditions, 7) = c.choice;
    Quiet();
    const RunFigures& f = LastRunFigures();
    EXPECT_EQ(f.trackLength, c.length);
    EXPECT_EQ(f.marks[0], c.m1);
    EXPECT_EQ(f.marks[1], c.m2);
    EXPECT_EQ(f.marks[2], c.m3);
    EXPECT_EQ(f.marks[3], c.m4);
    EXPECT_EQ(f.samplesPerSecond, c.samples) << c.length;
    EXPECT_GT(tbl.FinishRow, 1) << c.length;
  }
}

TEST_F(SetUpTest, HeavyCarsAreSampledHalfAsOften) {
  Load(kMuscleCar);
  S(kVehicle, 0) = "14000";  // 14000 lbs / 450 HP > 30
  Quiet();
  EXPECT_EQ(LastRunFigures().samplesPerSecond, 5);
  S(kConditions, 7) = "2";  // 2 a second become 1
  Quiet();
  EXPECT_EQ(LastRunFigures().samplesPerSecond, 1);
  S(kConditions, 7) = "4";  // 1 becomes 0: only the forced samples
  Quiet();
  EXPECT_EQ(LastRunFigures().samplesPerSecond, 0);
}

TEST_F(SetUpTest, TimeStep) {
  Load(kMuscleCar);
  S(kEngine, 2) = "800";
  S(kEngine, 4) = "900";
  Quiet();
  EXPECT_DOUBLE_EQ(LastRunFigures().timeStep, 0.02);
  tbl.FinerTime = 1;
  Quiet();
  EXPECT_DOUBLE_EQ(LastRunFigures().timeStep, 0.004);
  tbl.FinerTime = 0;
  S(kEngine, 2) = "2000";
  S(kEngine, 4) = "2200";
  Quiet();
  EXPECT_DOUBLE_EQ(LastRunFigures().timeStep, 0.01);
}

TEST_F(SetUpTest, EfficiencyRules) {
  Load(kBracketCar);  // 3-speed converter, efficiency choice 0
  Quiet();
  EXPECT_NEAR(LastRunFigures().efficiency, 0.97 - 0.06 - 0.03, 1e-12);
  S(kVehicle, 4) = "2";  // all wheels
  Quiet();
  EXPECT_NEAR(LastRunFigures().efficiency, 0.825, 1e-12);
  Load(kFrontDrive);  // a 6-speed with a clutch counts all six gears
  S(kVehicle, 4) = "0";
  Quiet();
  EXPECT_NEAR(LastRunFigures().efficiency, 0.97 - 0.03, 1e-12);
  S(kTransmission, 8) = "3";  // 98 %
  Quiet();
  EXPECT_NEAR(LastRunFigures().efficiency, 0.98 - 0.03, 1e-12);
  S(kTransmission, 8) = "0";
  S(kTransmission, 12) = "0";  // a 3-speed
  S(kTransmission, 13) = "0";
  S(kTransmission, 14) = "0";
  Quiet();
  EXPECT_NEAR(LastRunFigures().efficiency, 0.97 - 0.03, 1e-12);
  S(kTransmission, 11) = "0";  // a 2-speed
  Quiet();
  EXPECT_NEAR(LastRunFigures().efficiency, 0.98 - 0.03, 1e-12);
}

TEST_F(SetUpTest, DifferentialLockEntersTheSpinInertiasAsAFraction) {
  Load(kBracketCar);  // a spool: lock 100 %
  Quiet();
  const RunFigures& f = LastRunFigures();
  EXPECT_EQ(f.difLock, 100);
  EXPECT_GT(f.reducedEquivMass, 0);
  EXPECT_GT(f.spinInertia, 0);
  EXPECT_LT(f.spinInertia, 20) << "lb ft2 / 32.2 of a driveline, not thousands";
  S(kVehicle, 2) = "1";  // 50 %
  Quiet();
  EXPECT_GT(LastRunFigures().reducedEquivMass, 0);
}

// Squares are taken before the products they stand in and divisions stay
// where they are written: the figures match a calculation made from the same
// formulas to the last bit.
TEST_F(SetUpTest, FiguresFollowTheFormulasAsWritten) {
  Load(kMuscleCar);
  Quiet();
  const RunFigures& f = LastRunFigures();
  const double W = Spec(kVehicle, 0), cg = Spec(kVehicle, 6), wb = Spec(kVehicle, 7), track = Spec(kVehicle, 8);
  ASSERT_EQ(Spec(kVehicle, 2), 2);  // a 75 % lock
  const double roll = 75 - 25 * Spec(kVehicle, 9);
  EXPECT_EQ(f.transferCoef, W * (cg / 12) / 32.2 * (12 / wb) / 1.5);
  EXPECT_EQ(f.torqueReactionCoef, roll * (1 - 75.0 / 100) / 100 / (track / 12));
  EXPECT_EQ(f.dragHeightCoef, (cg / 12) * (12 / wb) / 2);
  const double rpmPerMph = 5280 / (2 * 3.1416 / 12) / 60;
  EXPECT_EQ(f.massTerm, 144 * (196 * W / std::pow(rpmPerMph, 2)) / 32.2);

  ASSERT_EQ(Spec(kTires, 0), 0);  // front wheels estimated from the weight
  const double fd = Spec(kVehicle, 1);
  const double rearR = Spec(kTires, 5) / 2, rearW = Spec(kTires, 4);
  const double frontR = std::min(16.0, 4 + 0.0027 * W), frontW = std::min(60.0, 5 + 0.011 * W);
  const double rear = 0.55 * rearW * std::pow(rearR, 2) / 144;
  const double front = 0.55 * frontW * std::pow(frontR, 2) / 144;
  const double driveline = 0.3 * f.engineInertia * std::pow(fd, 2);
  EXPECT_EQ(f.wheelSideInertia, (driveline + 2 * front * std::pow(rearR / frontR, 2) + 2 * rear) / 32.2);

  double powerCorrection = 0, airDensity = 0;
  CalcAirConditions(powerCorrection, airDensity);
  EXPECT_EQ(f.dragFactor,
            std::pow(1.4669, 2) * Spec(kVehicle, 10) * Spec(kVehicle, 11) * 0.5 * airDensity / 32.2);
}

// Each ring of the flywheel and clutch is added and rounded to 0.01 with its
// diameter squared first: 0.1 + 0.007 x 390, the flywheel of 15 in, the
// 14 in disc give 11.92 (11.93 when the diameter multiplies in twice).
TEST_F(SetUpTest, EngineInertiaRoundsEachRingAsWritten) {
  Load(kMuscleCar);
  S(kEngine, 1) = "390";
  S(kTransmission, 1) = "14";
  S(kTransmission, 2) = "2800";
  Quiet();
  EXPECT_EQ(LastRunFigures().engineInertia, 11.92);
}

// A front-drive car's track row is greyed by the Vehicle window: left empty,
// the torque reaction it would divide is 0 anyway, and the run goes on.
TEST_F(SetUpTest, EmptyGreyedTrackWidthIsNoDivisionByZero) {
  Load(kFrontDrive);
  S(kVehicle, 8) = "";
  Calculate();
  EXPECT_EQ(ui->boxes().size(), 0u);
  EXPECT_GT(tbl.FinishRow, 1);
  EXPECT_EQ(LastRunFigures().torqueReactionCoef, 0);
  // A wheelbase left empty under a CG height that is given still divides by 0.
  ui->Clear();
  ui->Answer(ans::No);
  S(kVehicle, 7) = "";
  Calculate();
  ASSERT_EQ(ui->boxes().size(), 1u);
  EXPECT_EQ(ui->boxes()[0].title, kRunErrorTitle);
  EXPECT_EQ(tbl.FinishRow, -1);
}

TEST_F(SetUpTest, ShiftPointsFromTheSpecsOrTheComputer) {
  Load(kFrontDrive);
  Quiet();
  for (int i = 1; i <= 5; ++i) EXPECT_EQ(LastRunFigures().shiftRpm[i], 6400);
  EXPECT_EQ(LastRunFigures().shiftRpm[6], 100000) << "no gear after the sixth";
  S(kDriving, 9) = "";
  Quiet();
  EXPECT_EQ(LastRunFigures().shiftRpm[2], 100000) << "an empty shift RPM is never reached";
  EXPECT_EQ(Count(0, " 2-3"), 0);

  S(kDriving, 7) = "0";
  Quiet();
  const double computed = LastRunFigures().shiftRpm[1];
  EXPECT_NE(computed, 6400);
  EXPECT_LT(computed, 99000);
  S(kDriving, 7) = "1";
  tbl.BeginnerLevel = 1;
  Quiet();
  EXPECT_EQ(LastRunFigures().shiftRpm[1], computed) << "beginner level always uses computed shift points";
}

TEST_F(SetUpTest, ConverterTooTight) {
  Load(kBracketCar);
  S(kTransmission, 5) = "40";
  Calculate();
  ASSERT_EQ(Boxes(kConverterTooTightTitle), 1);
  EXPECT_EQ(ui->boxes().back().prompt, kConverterTooTightText);
  EXPECT_EQ(tbl.FinishRow, -1);
  EXPECT_EQ(host.resultsShown, 0);
  EXPECT_TRUE(host.panelsEnabled);
  EXPECT_EQ(tbl.HistoryName[0], "");
}

TEST_F(SetUpTest, ConverterStallBeyondTheCurveIsTooLoose) {
  Load(kBracketCar);
  S(kTransmission, 5) = "600";
  Calculate();
  ASSERT_EQ(ui->boxes().size(), 2u) << "the check's warning, then the run's refusal";
  EXPECT_EQ(ui->boxes()[0].title, "Possible Problem with Inputs");
  EXPECT_EQ(ui->boxes()[1].prompt, kConverterTooLooseText);
  EXPECT_EQ(ui->boxes()[1].title, "");
  EXPECT_EQ(tbl.FinishRow, -1);
}

TEST_F(SetUpTest, ConverterTooLooseForTheShiftPoints) {
  Load(kBracketCar);
  S(kDriving, 8) = "4200";  // within 500 RPM of a 3940 RPM stall
  Quiet();
  ASSERT_EQ(ui->boxes().size(), 1u);
  EXPECT_EQ(ui->boxes()[0].prompt, kConverterTooLooseText);
  EXPECT_EQ(ui->boxes()[0].style, mb::OKOnly);
  EXPECT_EQ(tbl.FinishRow, -1);
  EXPECT_EQ(LastRunFigures().offendingShiftRpm, 4200);
  EXPECT_EQ(S(kTransmission, 5), "180");

  // A search pass tightens the converter by a fifth and tries again.
  ui->Clear();
  tbl.CalcStatus = 1;
  tbl.QuietCalc = 1;
  CalculatePerformance(trap, tbl.FinishRow, sixty);
  EXPECT_EQ(ui->boxes().size(), 0u);
  EXPECT_EQ(S(kTransmission, 5), "144.0");
  EXPECT_GT(tbl.FinishRow, 1);
}

TEST_F(SetUpTest, FindBestDropsALooseConverterQuietly) {
  Load(kBracketCar);
  S(kDriving, 8) = "4200";
  tbl.CalcStatus = 5;
  tbl.FindBestTarget = 1;
  tbl.QuietCalc = 1;
  CalculatePerformance(trap, tbl.FinishRow, sixty);
  EXPECT_EQ(ui->boxes().size(), 0u);
  EXPECT_EQ(tbl.FinishRow, -1);
  EXPECT_EQ(S(kTransmission, 5), "180");
}

TEST_F(SetUpTest, SearchClutchBeyond5000LbsEndsThePass) {
  Load(kMuscleCar);
  S(kTransmission, 2) = "5001";
  tbl.CalcStatus = -1;
  tbl.QuietCalc = 1;
  CalculatePerformance(trap, tbl.FinishRow, sixty);
  EXPECT_EQ(tbl.CalcStatus, -1);
  EXPECT_EQ(tbl.FinishRow, -1);
}

TEST_F(SetUpTest, DialInWindFromTheDialInWindow) {
  Load(kMuscleCar);
  tbl.CalcMode = 1;
  tbl.CalcPass = 2;
  tbl.QuietCalc = 1;
  host.dialInRow[13] = "10";
  host.dialInList[14] = 3;  // half of it against the car
  CalculatePerformance(trap, tbl.FinishRow, sixty);
  EXPECT_NEAR(LastRunFigures().wind, 10 * 1.467 * 0.5, 1e-12);
  host.dialInList[14] = 5;
  CalculatePerformance(trap, tbl.FinishRow, sixty);
  EXPECT_NEAR(LastRunFigures().wind, -10 * 1.467 * 0.25, 1e-12);
}

TEST_F(SetUpTest, WindDirections) {
  Load(kMuscleCar);
  S(kConditions, 5) = "10";
  const double factors[] = {0, 1, -1, 0.5, 0.75, -0.25};
  for (int d = 0; d <= 5; ++d) {
    S(kConditions, 6) = std::to_string(d);
    Quiet();
    EXPECT_NEAR(LastRunFigures().wind, 14.67 * factors[d], 1e-12) << d;
  }
}

}  // namespace
}  // namespace sw::test
