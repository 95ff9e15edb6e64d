// The events of a run: the rollout row, marks, trap speed, 60 ft time,
// shifts and their labels, and the finish.
#include "simulation/run_test_support.h"

namespace sw::test {
namespace {

using EventsTest = RunTest;

// One "RO" row (the rollout clears the row request), and the clock of every
// later row runs from the rollout.
TEST_F(EventsTest, OneRolloutRowAndTimesFromRollout) {
  for (const char* car : {kMuscleCar, kBracketCar, kFrontDrive}) {
    Load(car);
    Calculate();
    EXPECT_EQ(Count(0, "RO"), 1) << car;
    EXPECT_EQ(Cell(0, 2), "RO") << car;
    EXPECT_EQ(Cell(1, 2), ".00");
    EXPECT_EQ(Cell(4, 2), "0");
    EXPECT_LT(Val(Cell(1, 1)), 0) << "the start row lies before the rollout";
    EXPECT_EQ(Cell(0, 1), " 1");
    for (int r = 3; r <= tbl.FinishRow; ++r) EXPECT_GE(Val(Cell(1, r)), Val(Cell(1, r - 1))) << car << r;
  }
}

TEST_F(EventsTest, NoRolloutStartsTheClockAtTheLaunch) {
  Load(kMuscleCar);
  S(kConditions, 8) = "1";
  Calculate();
  const double withRollout = Val(Cell(1, tbl.FinishRow));
  S(kConditions, 8) = "3";  // rollout 0
  Calculate();
  EXPECT_EQ(LastRunFigures().rollout, 0);
  EXPECT_EQ(Count(0, "RO"), 0);
  EXPECT_EQ(Cell(1, 1), ".00");
  EXPECT_EQ(Cell(4, 1), "0");
  EXPECT_EQ(Cell(1, 0), "0");
  EXPECT_GT(Val(Cell(1, tbl.FinishRow)), withRollout) << "the rollout takes the first inches off the clock";
}

// A converter car: no false shift start at the rollout, and the row after a
// shift is labelled with its gear change.
TEST_F(EventsTest, ConverterCarShiftsAndStart) {
  Load(kBracketCar);
  Calculate();
  EXPECT_EQ(Count(0, " 1-2"), 1);
  EXPECT_EQ(Count(0, " 2-3"), 1);
  EXPECT_EQ(Count(0, " 3-4"), 0);
  EXPECT_EQ(Cell(0, tbl.FinishRow), " 3");
  int first = -1;
  for (int r = 1; r <= tbl.FinishRow && first < 0; ++r)
    if (Cell(0, r).find('-') != std::string::npos) first = r;
  ASSERT_GT(first, 0);
  EXPECT_EQ(Cell(0, first), " 1-2");
  EXPECT_EQ(Cell(0, first - 1), " 1") << "the shift-point row is in the gear being left";
  EXPECT_EQ(Val(Cell(6, first - 1)), 6300) << Table();
  // The starting row holds the stall and the stall multiplication.
  EXPECT_EQ(Cell(6, 1), Format(LastRunFigures().stallRpm, "####0")) << Table();
  EXPECT_EQ(Cell(7, 1), "2.00");
  // Slicks that grow with speed (3 %) are not taken for spinning tires.
  for (int r = RowAt("330"); r <= tbl.FinishRow; ++r) {
    EXPECT_EQ(Cell(3, r).find('S'), std::string::npos) << Table();
    EXPECT_LT(Val(Cell(9, r)), 10);
  }
  // The 20-a-second tire-radius tick is rebased at the rollout and runs on.
  const RunFigures& f = LastRunFigures();
  const int ticks = static_cast<int>(20 * (Val(Cell(1, tbl.FinishRow)) + f.launchOffset));
  EXPECT_GE(f.radiusTicks, ticks - 2);
  EXPECT_LE(f.radiusTicks, ticks + 1);
  // Run-log times are measured from the rollout. Each event's instant is
  // logged after the regular sample of its step, so a forced sample may lie
  // a step before the one logged just ahead of it.
  int ro = 0;
  for (int r = 2; r <= tbl.RunLogRows; ++r)
    if (tbl.RunLog[0][r] == 0) ro = r;
  ASSERT_GT(ro, 1);
  for (int r = 1; r < ro; ++r) EXPECT_LT(tbl.RunLog[0][r], 0) << r;
  for (int r = ro + 1; r <= tbl.RunLogRows; ++r) {
    EXPECT_GT(tbl.RunLog[0][r], 0) << r;
    EXPECT_GT(tbl.RunLog[0][r], tbl.RunLog[0][r - 1] - 0.08) << r;
  }
}

// The starting row is the launch state at time 0: the results notes and the
// searches read its "EngRPM" as the launch RPM. The launch runs on across the
// rollout: the throttle climbs from the launch throttle to full and never
// falls back when the clock restarts.
TEST_F(EventsTest, ClutchCarLaunch) {
  Load(kMuscleCar);  // launch over 0.4 s from 80 % throttle at 4500
  Calculate();
  EXPECT_EQ(Cell(0, 1), " 1");
  EXPECT_EQ(Cell(6, 1), "4500") << Table();
  EXPECT_EQ(Cell(10, 1), "80");
  const RunFigures& f = LastRunFigures();
  EXPECT_GT(f.launchOffset, 0);
  EXPECT_LT(f.launchOffset, 0.4);
  double previous = 0;
  for (int r = 1; r < tbl.RunLogRows && tbl.RunLog[0][r] < 0.6; ++r) {
    EXPECT_GE(tbl.RunLog[6][r], previous - 1e-9) << "row " << r << " t " << tbl.RunLog[0][r];
    previous = tbl.RunLog[6][r];
  }
  EXPECT_DOUBLE_EQ(previous, 100);
}

// With a clutch, a lift shift brakes the free engine with the shift torque
// factor for the whole shift time: the row after the shift shows the engine
// far below the clutch, which follows the road. At full throttle the engine
// revs up instead. The lowest RPM of the run is taken between shifts only.
TEST_F(EventsTest, LiftShiftPullsTheFreeEngineDown) {
  Load(kMuscleCar);  // shift throttle 2 (lift), shift time 0.4 s
  Calculate();
  int after = RowOf(0, " 1-2");
  ASSERT_GT(after, 1) << Table();
  const double shiftRpm = Val(Cell(6, after - 1));
  EXPECT_LT(Val(Cell(6, after)), 0.2 * shiftRpm) << Table();
  EXPECT_GT(Val(Cell(5, after)), 0.9 * shiftRpm) << "the clutch side still turns with the gear being left";
  EXPECT_LT(Val(Cell(8, after)), 0) << "engine below the clutch: a negative slip";
  EXPECT_EQ(Cell(10, after), "0") << "the shown throttle is the shift throttle";
  EXPECT_GT(tbl.RunTotal1 - 10000 * Int(tbl.RunTotal1 / 10000), Val(Cell(6, after)));
  S(kDriving, 6) = "0";  // full throttle through the shift
  Calculate();
  after = RowOf(0, " 1-2");
  ASSERT_GT(after, 1);
  EXPECT_GE(Val(Cell(6, after)), Val(Cell(6, after - 1))) << Table();
  EXPECT_EQ(Cell(10, after), "100");
}

TEST_F(EventsTest, ShownThrottle) {
  EXPECT_EQ(ShownThrottle(true, 900, 0, 0.5), 100) << "no net force";
  EXPECT_EQ(ShownThrottle(true, 900, 1200, 0.5), 75);
  EXPECT_EQ(ShownThrottle(true, 900, -1200, 0.5), 75);
  EXPECT_EQ(ShownThrottle(true, 1500, 1200, 0.5), 100);
  EXPECT_EQ(ShownThrottle(false, 900, 1200, 0.5), 50);
}

TEST_F(EventsTest, TrapSpeedOnlyOnQuarterAndEighthMile) {
  Load(kMuscleCar);
  Quiet();
  ASSERT_GT(trap, 0);
  EXPECT_DOUBLE_EQ(Mph(), trap / 1.467);
  EXPECT_LT(Mph(), Val(Cell(2, tbl.FinishRow))) << "the mean over the last 66 ft";
  S(kConditions, 7) = "1";
  Quiet();
  EXPECT_GT(trap, 0);
  for (const char* choice : {"5", "2"}) {
    S(kConditions, 7) = choice;
    Quiet();
    EXPECT_EQ(trap, 0) << choice;
    EXPECT_DOUBLE_EQ(Mph(), Val(Cell(2, tbl.FinishRow)));
  }
}

TEST_F(EventsTest, SixtyFootTime) {
  EXPECT_EQ(SixtyFootTimeOf(0), 0.001);
  EXPECT_EQ(SixtyFootTimeOf(1.5), 1.5);
  Load(kBracketCar);
  Quiet();
  EXPECT_NEAR(sixty, 1.44, 0.01);
  EXPECT_EQ(tbl.Instant60ft[0], Format(sixty, "####.00"));
  tbl.FinerTime = 1;
  Quiet();
  EXPECT_EQ(tbl.Instant60ft[0], Format(sixty, "####.000"));
}

// x + v dt + a dt^2 / 2, added left to right. These figures come from a
// .02 s step; grouped the other way they give a different last bit.
TEST_F(EventsTest, DistanceIsSummedLeftToRight) {
  const double x = 285.91120421240964, v = 126.63497267481519, a = -27.386329118261884, dt = 0.02;
  ASSERT_NE((x + v * dt) + 0.5 * a * dt * dt, x + (v * dt + 0.5 * a * dt * dt));
  EXPECT_EQ(DistanceAfterStep(x, v, a, dt), 288.43842640008234);
  EXPECT_EQ(DistanceAfterStep(x, v, a, dt), (x + v * dt) + 0.5 * a * std::pow(dt, 2));
}

// An event before the previous row writes no row; the comparison is with the
// time that row reads. This car's 1-2 shift point comes in the step of its
// 60 ft mark, a little before the mark's exact time yet after its rounded
// text ("1.44"): the shift-point row is written, and the shift row is it.
TEST_F(EventsTest, AShiftWithinTheRoundingOfThePreviousRowKeepsItsRow) {
  Load(kBracketCar);
  tbl.FinerTime = 0;
  tbl.BeginnerLevel = 0;
  S(kVehicle, 0) = "3201";
  S(kDriving, 7) = "1";  // the shift RPMs as entered
  S(kDriving, 8) = "6297";
  Calculate();
  const int r60 = RowAt("60");
  ASSERT_GT(r60, 0) << Table();
  EXPECT_EQ((Texts{Cell(0, r60 + 1), Cell(1, r60 + 1), Cell(4, r60 + 1), Cell(6, r60 + 1), Cell(0, r60 + 2)}),
            (Texts{" 1", Cell(1, r60), "60", "6297", " 1-2"}))
      << Table();
  EXPECT_EQ(Cell(1, r60), "1.44");
  EXPECT_EQ(Count(0, " 1-2"), 1);
}

TEST_F(EventsTest, MilesOnLongTracks) {
  Load(kMuscleCar);
  S(kConditions, 7) = "4";  // 5 miles
  Calculate();
  EXPECT_EQ(Cell(4, tbl.FinishRow), "5.00");
  for (const char* miles : {"2.00", "2.25", "3.00", "4.00"}) EXPECT_GT(RowAt(miles), 0) << miles;
  ExpectAllFinite();
}

// A shift whose shift point lies within 0.1 ft of the finish ends the run
// with the finish row.
TEST_F(EventsTest, ShiftAtTheFinishLine) {
  Load(kFrontDrive);
  S(kConditions, 7) = "5";  // 300 ft, which a 9000 lb car reaches in second gear
  enum Outcome { kShiftedBefore, kAtTheLine, kNotReached };
  auto outcome = [&](double rpm) {
    S(kDriving, 9) = Format(rpm, "0.000");
    Calculate();
    const int f = tbl.FinishRow;
    if (Count(0, " 2-3") > 0) return kShiftedBefore;
    return Cell(0, f - 1) == " 2" && std::fabs(Val(Cell(6, f - 1)) - rpm) < 0.6 ? kAtTheLine : kNotReached;
  };
  // The shift is looked at once a time step, so the shift point needs a step
  // that ends within 0.1 ft of the line: fine, short steps of a slow car, and
  // a weight and shift RPM that put one there.
  tbl.FinerTime = 1;
  Outcome o = kNotReached;
  for (int w = 0; w < 100 && o != kAtTheLine; ++w) {
    S(kVehicle, 0) = std::to_string(9000 + 3 * w);
    double lo = 4500, hi = 6400;
    ASSERT_EQ(outcome(lo), kShiftedBefore);
    ASSERT_EQ(outcome(hi), kNotReached);
    for (int i = 0; i < 30 && o != kAtTheLine; ++i) {
      const double mid = (lo + hi) / 2;
      o = outcome(mid);
      (o == kShiftedBefore ? lo : hi) = mid;
    }
  }
  ASSERT_EQ(o, kAtTheLine) << Table();
  const int f = tbl.FinishRow;
  EXPECT_EQ(Cell(4, f), "300");
  EXPECT_EQ(Cell(0, f), " 2") << "the shift never started";
  EXPECT_EQ(Cell(4, f - 1), "300") << "the shift point lies within 0.1 ft of the line";
}

TEST_F(EventsTest, BlankRowsAfterShiftsStayInsideTheTable) {
  Load(kBracketCar);
  S(kMatch, 16) = "Y";  // a blank row after each shift
  Calculate();
  int blanks = 0;
  for (int r = 1; r < tbl.FinishRow; ++r) blanks += Cell(0, r).empty() && Cell(1, r).empty();
  EXPECT_EQ(blanks, 2);
  // Many events: five shifts with blank rows on a 5 mile track.
  Load(kFrontDrive);
  S(kMatch, 16) = "Y";
  S(kConditions, 7) = "4";
  for (int k = 8; k <= 12; ++k) S(kDriving, k) = "3000";
  Calculate();
  EXPECT_LE(tbl.FinishRow, kLastResultsRow);
  EXPECT_GT(tbl.FinishRow, 1);
  ExpectAllFinite();
}

}  // namespace
}  // namespace sw::test
