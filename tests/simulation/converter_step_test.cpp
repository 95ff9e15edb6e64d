#include "simulation/converter_step.h"

#include <algorithm>

#include "simulation/run_test_support.h"

namespace sw::test {
namespace {

constexpr double kRadPerRpm = 2 * 3.1416 / 60;

// Everything one time step hands the converter step, with a converter of
// capacity 300 and a multiplication of 2.2 behind a 400 HP small block.
struct Step {
  double curveThrottle = 1, clock = 0, lastSample = 0;
  int16_t sampled = -1;
  double prevEngineRpm = 0, engineRpm = 0, outputRpm = 0, stallRpm = 3000;
  int lastCurveRow = 9;
  double lowRpm = 500, peakPowerRpm = 6000;
  int16_t simpleLaunch = 0, converterFlag = 1;
  double launchFloor = 2000;
  int16_t limiterFlag = 0;
  double rpmCeiling = 7200, hp = 0;
  int16_t torqueOk = 0;
  int runResult = 0;
  double throttle = 1, torqueFactor = 1, kStall = 300, k2 = 0, torqueRatio = 0, speedRatio = 0, spare = 0;
  std::string mode = "E";
  double stallMultiplication = 2.2;
  int16_t shiftStart = 0;
  int rowCounter = 2;
  ShiftRpmTable shiftRpm{0, 6200, 6300, 6400, 6500, kNoShift, kNoShift, 0};
  int gear = 1;
  ResultsTable results;
  double shiftTime = 0.3, radPerRpm = kRadPerRpm, engineInertia = 3;
  double outTorque = 0, inputTorque = 0;
  int16_t slipping = 0;
  double shiftPulse = 0, engineTorqueOut = 0;
  int shiftRow = 0;
  double now = 0;
  int lastRow = 0;

  Step& Run() {
    ConverterStep(curveThrottle, clock, lastSample, sampled, prevEngineRpm, engineRpm, outputRpm, stallRpm,
                  lastCurveRow, lowRpm, peakPowerRpm, simpleLaunch, converterFlag, launchFloor, limiterFlag,
                  rpmCeiling, hp, torqueOk, runResult, throttle, torqueFactor, kStall, k2, torqueRatio, speedRatio,
                  spare, mode, stallMultiplication, shiftStart, rowCounter, shiftRpm, gear, results, shiftTime,
                  radPerRpm, engineInertia, outTorque, inputTorque, slipping, shiftPulse, engineTorqueOut, shiftRow,
                  now, lastRow);
    return *this;
  }
  // A step at `output` RPM, shifting out of `gear` when `shifting`.
  static Step At(double output, int gear = 1, bool shifting = false) {
    Step s;
    s.outputRpm = output;
    s.gear = gear;
    s.shiftStart = shifting;
    return s;
  }
};

double CurveTorque(double rpm) {
  double torque = 0, hp = 0, r = rpm;
  int16_t limiter = 0;
  EngineTorqueAt(tbl.EngineCurve, torque, r, 1.0, 9, 0.0, 0.0, 0.0, int16_t{0}, int16_t{1}, 0.0, limiter, 7200.0, hp, int16_t{0});
  return torque;
}

struct ConverterStepTest : RunTest {
  const ConverterStepState& st = ConverterStepStateNow();
  void SetUp() override {
    RunTest::SetUp();
    for (auto [k, v] : {std::pair{0, "1"}, {1, "350"}, {2, "420"}, {3, "4500"}, {4, "400"}, {5, "6000"}})
      SpecAt(kEngine, k) = v;
    double hp, hpRpm, tq, tqRpm, mid, limit, top;
    int rows;
    BuildEngineCurve(TheRunsCurve(), hp, hpRpm, tq, tqRpm, rows, mid, 1.0, limit, top);
    ASSERT_EQ(rows, 9);
    double tr = 0, sr = 0;
    ConverterModel(300, 300, tr, sr, 0, 0, 0, "C", 0);
  }
  void TearDown() override {
    EXPECT_FALSE(RunFaultPending());
    RunTest::TearDown();
  }
};

// An output RPM of 50 takes the at-rest branch, 50.1 the converter loop.
TEST_F(ConverterStepTest, AtRestAndMoving) {
  Step s = Step::At(50);
  s.throttle = 0.9;
  s.Run();
  // The engine sits at stall; no rate and no shift: all its torque goes in.
  EXPECT_EQ((Nums{s.engineRpm, s.prevEngineRpm, st.LastMeanRpm, s.torqueRatio, double(st.counter), double(s.torqueOk),
                  double(s.slipping), s.outTorque, s.inputTorque}),
            (Nums{3000, 3000, 3000, 2, 0, 1, 1, s.engineTorqueOut, s.engineTorqueOut}));
  EXPECT_NEAR(s.speedRatio, 50.0 / 3000, 1e-15);
  EXPECT_NEAR(s.engineTorqueOut, 0.9 * CurveTorque(3000), 1e-9);
  s.outputRpm = 50.1;
  s.Run();
  EXPECT_GE(st.counter, 1);
  EXPECT_NEAR(s.engineRpm, 50.1 / s.speedRatio, 1e-9 * s.engineRpm);
  // The first step of the run takes the stall multiplication.
  Step first = Step::At(20);
  first.rowCounter = 1;
  first.Run();
  EXPECT_EQ((Nums{first.torqueRatio, st.LaunchTR, st.RateAvg}), (Nums{2.2, 2.2, 0}));
}

// Converged on the second iteration: its values stand; after three or more:
// the mean of the last two.
TEST_F(ConverterStepTest, ConvergenceKeepsOrAverages) {
  for (int r = 1; r <= 8; ++r) tbl.EngineCurve[1][r] = 400;  // a flat curve settles at once
  const Step flat = Step::At(2500).Run();
  EXPECT_EQ(st.counter, 2);
  double tr = 0, sr = 0;
  ConverterModel(300, 0, tr, sr, 2500, 400, 0, "E", 2.2);
  EXPECT_EQ(flat.speedRatio, sr);
  EXPECT_EQ(flat.torqueRatio, tr);
  EXPECT_EQ(flat.engineTorqueOut, 400);

  SetUp();  // the real curve at low speed needs more rounds
  const Step m = Step::At(1200).Run();
  ASSERT_GE(st.counter, 3);
  ConverterModel(300, 0, tr, sr, 1200, st.PrevTorque, 0, "E", 2.2);
  EXPECT_NEAR(m.speedRatio, (st.PrevSR + sr) / 2, 1e-12);
  EXPECT_NEAR(m.torqueRatio, (st.PrevTR + tr) / 2, 1e-12);
  EXPECT_NEAR(m.engineTorqueOut, (CurveTorque(1200 / sr) + st.PrevTorque) / 2, 1e-9);
}

TEST_F(ConverterStepTest, PastTheTopOfTheCurve) {
  const Step s = Step::At(7300).Run();
  EXPECT_EQ((Nums{s.engineTorqueOut, s.speedRatio, s.torqueRatio, s.inputTorque}), (Nums{0, 0.98, 1, 0}));
}

// The engine's RPM rate is sampled every 0.1 s as the rise of the mean RPM,
// held between 0 and 2000 RPM per second, and averaged over the newest four
// samples; the rotating parts never take more than half the engine torque.
TEST_F(ConverterStepTest, EngineRateIsSampledAndSmoothed) {
  Step s = Step::At(20);  // at rest: the mean RPM starts at stall
  s.engineInertia = 1000;  // enough to reach the limit
  s.Run();
  EXPECT_EQ(s.sampled, 0);  // not yet 0.1 s since the last sample
  EXPECT_EQ(st.LastMeanRpm, 3000);
  double rates[4] = {0, 0, 0, 0};  // newest first
  bool clampedHigh = false, clampedLow = false;
  for (double out : {5000, 5300, 5600, 5900, 6200, 6500, 5000, 6000, 6100}) {
    const double before = s.engineRpm, lastMean = st.LastMeanRpm;
    s.clock += 0.11;
    s.outputRpm = out;
    s.Run();
    EXPECT_EQ(s.sampled, 1);
    EXPECT_EQ(s.prevEngineRpm, before);
    EXPECT_EQ(s.lastSample, s.clock);
    const double rate = (0.5 * (before + s.engineRpm) - lastMean) / 0.11;
    clampedHigh |= rate > 2000;
    clampedLow |= rate < 0;
    std::copy_backward(rates, rates + 3, rates + 4);
    rates[0] = std::clamp(rate, 0.0, 2000.0);
    EXPECT_NEAR(st.Rate3, rates[0], 1e-6) << out;
    EXPECT_NEAR(st.RateAvg, 0.25 * (rates[0] + rates[1] + rates[2] + rates[3]), 1e-6) << out;
    EXPECT_NEAR(st.InertiaTorque, std::min(st.RateAvg * kRadPerRpm * 1000 / 32.2, 0.5 * s.engineTorqueOut), 1e-6);
    EXPECT_NEAR(s.inputTorque, s.engineTorqueOut - st.InertiaTorque, 1e-9);
  }
  EXPECT_TRUE(clampedHigh);
  EXPECT_TRUE(clampedLow);
}

TEST_F(ConverterStepTest, ShiftPulse) {
  Step s = Step::At(3500, 2, true);
  s.shiftRow = 4;
  s.results[5][4] = "5800";
  s.clock = 1.234;
  s.engineInertia = 4;
  s.Run();
  // The mean RPM change over the shift time spins the engine, less a tenth of
  // its torque: ((dA + 2 dB) / 3) / t x rad/RPM x I / 32.2 - 0.1 T t, with dA
  // the drop from the shift row's C RPM and dB from the shift point.
  EXPECT_NEAR(st.ShiftTorque, 34.202081550369549, 1e-9);
  EXPECT_EQ(s.shiftPulse, st.ShiftTorque);
  EXPECT_EQ(s.lastSample, 1.234);
  EXPECT_EQ(st.RateAvg, 0);
  EXPECT_EQ(st.LastMeanRpm, s.engineRpm);
  EXPECT_NEAR(s.inputTorque, s.engineTorqueOut + st.ShiftTorque, 1e-9);
  // The pulse stays until the shift time has passed since the shift row.
  s.shiftStart = 0;
  s.lastRow = 5;
  s.results[1][5] = "1.20";
  s.now = 1.45;
  EXPECT_EQ(s.Run().shiftPulse, st.ShiftTorque);
  s.now = 1.50;
  EXPECT_EQ(s.Run().shiftPulse, 0);
  // In first gear the pulse is left as the run holds it.
  s.gear = 1;
  s.shiftPulse = 12.5;
  EXPECT_EQ(s.Run().shiftPulse, 12.5);
  // A negative pulse is damped to 0.3 of itself.
  Step n = Step::At(3500, 3, true);
  n.shiftRow = 2;
  n.results[5][2] = "0";
  n.shiftRpm[2] = 0;
  n.Run();
  EXPECT_NEAR(st.ShiftTorque, -51.902163950397053, 1e-9);  // 0.3 x -173.007
}

TEST_F(ConverterStepTest, FaultsAreReported) {
  struct Case {
    Step step;
    int error, where;
  };
  Step atRest = Step::At(10), instant = Step::At(3000, 2, true), gear0 = Step::At(3000, 0, true),
       pastTable = Step::At(3000, 2), empty = Step::At(1000);
  atRest.stallRpm = 0;
  instant.shiftTime = 0;
  pastTable.lastRow = kResultsRows;  // one past the last row of the table
  empty.kStall = 0;                  // the run's converter with no capacity
  for (auto& [s, error, where] : {Case{atRest, rterr::kDivisionByZero, kStepConvAtRest},
                                  Case{instant, rterr::kDivisionByZero, kStepConvShiftRate},
                                  Case{gear0, rterr::kSubscript, kStepConvShiftRpm},
                                  Case{pastTable, rterr::kSubscript, kStepConvLastRow},
                                  Case{empty, rterr::kDivisionByZero, 0}}) {
    Step run = s;
    run.Run();
    const RunFault f = TakeRunFault();
    EXPECT_EQ(f.errorNumber, error) << where;
    if (where) { EXPECT_EQ(f.step, where); }
    for (double v : {run.speedRatio, run.torqueRatio, run.engineRpm, run.inputTorque})
      EXPECT_TRUE(std::isfinite(v)) << where;
  }
}

}  // namespace
}  // namespace sw::test
