#include "simulation/converter_step.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "simulation/converter.h"
#include "simulation/engine_curve.h"
#include "simulation/run_fault.h"
#include "simulation/tables.h"

namespace sw {
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

  void Run() {
    ConverterStep(curveThrottle, clock, lastSample, sampled, prevEngineRpm, engineRpm, outputRpm, stallRpm,
                  lastCurveRow, lowRpm, peakPowerRpm, simpleLaunch, converterFlag, launchFloor, limiterFlag,
                  rpmCeiling, hp, torqueOk, runResult, throttle, torqueFactor, kStall, k2, torqueRatio, speedRatio,
                  spare, mode, stallMultiplication, shiftStart, rowCounter, shiftRpm, gear, results, shiftTime,
                  radPerRpm, engineInertia, outTorque, inputTorque, slipping, shiftPulse, engineTorqueOut, shiftRow,
                  now, lastRow);
  }
};

double CurveTorque(double rpm) {
  double torque = 0, hp = 0, r = rpm;
  int16_t limiter = 0;
  EngineTorqueAt(torque, r, 1.0, 9, 0.0, 0.0, 0.0, int16_t{0}, int16_t{1}, 0.0, limiter, 7200.0, hp, int16_t{0});
  return torque;
}

class ConverterStepTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetTables();
    ResetEngineCurveState();
    ResetConverterModel();
    ResetConverterStep();
    ClearRunFault();
    SpecAt(kEngine, 0) = "1";
    SpecAt(kEngine, 1) = "350";
    SpecAt(kEngine, 2) = "420";
    SpecAt(kEngine, 3) = "4500";
    SpecAt(kEngine, 4) = "400";
    SpecAt(kEngine, 5) = "6000";
    double hp, hpRpm, tq, tqRpm, mid, limit, top;
    int rows;
    BuildEngineCurve(hp, hpRpm, tq, tqRpm, rows, mid, 1.0, limit, top);
    ASSERT_EQ(rows, 9);
    double tr = 0, sr = 0;
    ConverterModel(300, 300, tr, sr, 0, 0, 0, "C", 0);
  }
};

TEST_F(ConverterStepTest, AtRestAndMoving) {
  Step s;
  s.outputRpm = 50;  // at rest: the engine sits at stall
  s.throttle = 0.9;
  s.Run();
  EXPECT_EQ(s.engineRpm, 3000);
  EXPECT_EQ(s.prevEngineRpm, 3000);
  EXPECT_EQ(ConverterStepStateNow().LastMeanRpm, 3000);
  EXPECT_NEAR(s.speedRatio, 50.0 / 3000, 1e-15);
  EXPECT_EQ(s.torqueRatio, 2);
  EXPECT_NEAR(s.engineTorqueOut, 0.9 * CurveTorque(3000), 1e-9);
  EXPECT_EQ(ConverterStepStateNow().counter, 0);
  EXPECT_EQ(s.torqueOk, 1);
  EXPECT_EQ(s.slipping, 1);
  EXPECT_EQ(s.outTorque, s.inputTorque);
  EXPECT_EQ(s.inputTorque, s.engineTorqueOut);  // no rate, no shift

  s.outputRpm = 50.1;  // moving: the converter loop runs
  s.Run();
  EXPECT_GE(ConverterStepStateNow().counter, 1);
  EXPECT_NEAR(s.engineRpm, 50.1 / s.speedRatio, 1e-9 * s.engineRpm);
  EXPECT_FALSE(RunFaultPending());
}

TEST_F(ConverterStepTest, FirstStepTakesTheStallMultiplication) {
  Step s;
  s.outputRpm = 20;
  s.rowCounter = 1;
  s.Run();
  EXPECT_EQ(s.torqueRatio, 2.2);
  EXPECT_EQ(ConverterStepStateNow().LaunchTR, 2.2);
  EXPECT_EQ(ConverterStepStateNow().RateAvg, 0);
}

TEST_F(ConverterStepTest, ConvergenceKeepsOrAverages) {
  // A flat curve: the torque of the second iteration equals the first, so
  // the second iteration's values stand as they are.
  for (int r = 1; r <= 8; ++r) tbl.EngineCurve[1][r] = 400;
  Step s;
  s.outputRpm = 2500;
  s.Run();
  EXPECT_EQ(ConverterStepStateNow().counter, 2);
  double tr = 0, sr = 0;
  ConverterModel(300, 0, tr, sr, 2500, 400, 0, "E", 2.2);
  EXPECT_EQ(s.speedRatio, sr);
  EXPECT_EQ(s.torqueRatio, tr);
  EXPECT_EQ(s.engineTorqueOut, 400);

  // The real curve at low speed needs more rounds: the mean of the last two.
  SetUp();
  Step m;
  m.outputRpm = 1200;
  m.Run();
  const ConverterStepState& st = ConverterStepStateNow();
  ASSERT_GE(st.counter, 3);
  ConverterModel(300, 0, tr, sr, 1200, st.PrevTorque, 0, "E", 2.2);
  EXPECT_NEAR(m.speedRatio, (st.PrevSR + sr) / 2, 1e-12);
  EXPECT_NEAR(m.torqueRatio, (st.PrevTR + tr) / 2, 1e-12);
  const double lastTorque = CurveTorque(1200 / sr);
  EXPECT_NEAR(m.engineTorqueOut, (lastTorque + st.PrevTorque) / 2, 1e-9);
  EXPECT_FALSE(RunFaultPending());
}

TEST_F(ConverterStepTest, PastTheTopOfTheCurve) {
  Step s;
  s.outputRpm = 7300;
  s.Run();
  EXPECT_EQ(s.engineTorqueOut, 0);
  EXPECT_EQ(s.speedRatio, 0.98);
  EXPECT_EQ(s.torqueRatio, 1);
  EXPECT_EQ(s.inputTorque, 0);
  EXPECT_FALSE(RunFaultPending());
}

TEST_F(ConverterStepTest, EngineRateIsSampledAndSmoothed) {
  Step s;
  s.engineInertia = 1000;  // enough to reach the limit
  s.outputRpm = 20;        // at rest: the mean RPM starts at stall
  s.Run();
  EXPECT_EQ(s.sampled, 0);  // not yet 0.1 s since the last sample
  EXPECT_EQ(ConverterStepStateNow().LastMeanRpm, 3000);

  // Output RPMs through the engine's climb and back down again, one sample
  // every 0.11 s; each rate is the rise of the mean RPM per second.
  const double outputs[] = {5000, 5300, 5600, 5900, 6200, 6500, 5000, 6000, 6100};
  double rates[4] = {0, 0, 0, 0};  // newest first
  bool clampedHigh = false, clampedLow = false;
  for (double out : outputs) {
    const double before = s.engineRpm;
    const double lastMean = ConverterStepStateNow().LastMeanRpm;
    s.clock += 0.11;
    s.outputRpm = out;
    s.Run();
    EXPECT_EQ(s.sampled, 1);
    EXPECT_EQ(s.prevEngineRpm, before);
    EXPECT_EQ(s.lastSample, s.clock);
    double rate = (0.5 * (before + s.engineRpm) - lastMean) / 0.11;
    clampedHigh |= rate > 2000;
    clampedLow |= rate < 0;
    rate = std::clamp(rate, 0.0, 2000.0);
    for (int k = 3; k > 0; --k) rates[k] = rates[k - 1];
    rates[0] = rate;
    const ConverterStepState& st = ConverterStepStateNow();
    EXPECT_NEAR(st.Rate3, rate, 1e-6) << out;
    EXPECT_NEAR(st.RateAvg, 0.25 * (rates[0] + rates[1] + rates[2] + rates[3]), 1e-6) << out;
    // The rotating parts never take more than half the engine torque.
    EXPECT_NEAR(st.InertiaTorque, std::min(st.RateAvg * kRadPerRpm * 1000 / 32.2, 0.5 * s.engineTorqueOut), 1e-6);
    EXPECT_NEAR(s.inputTorque, s.engineTorqueOut - st.InertiaTorque, 1e-9);
  }
  EXPECT_TRUE(clampedHigh);
  EXPECT_TRUE(clampedLow);
  EXPECT_FALSE(RunFaultPending());
}

TEST_F(ConverterStepTest, ShiftPulse) {
  Step s;
  s.outputRpm = 3500;
  s.gear = 2;
  s.shiftStart = 1;
  s.shiftRow = 4;
  s.results[5][4] = "5800";
  s.clock = 1.234;
  s.engineInertia = 4;
  s.Run();
  const ConverterStepState& st = ConverterStepStateNow();
  const double dA = 5800 - s.speedRatio * s.engineRpm;
  const double dB = 6200 - s.engineRpm;
  double torque = ((dA + 2 * dB) / 3) / 0.3 * kRadPerRpm * 4 / 32.2 - s.engineTorqueOut * 0.1 * 0.3;
  if (torque < 0) torque *= 0.3;
  EXPECT_NEAR(st.ShiftTorque, torque, 1e-9);
  EXPECT_EQ(s.shiftPulse, st.ShiftTorque);
  EXPECT_EQ(s.lastSample, 1.234);
  EXPECT_EQ(st.RateAvg, 0);
  EXPECT_EQ(st.LastMeanRpm, s.engineRpm);
  EXPECT_NEAR(s.inputTorque, s.engineTorqueOut + st.ShiftTorque, 1e-9);

  // While the shift time has not passed since the shift row, the pulse stays.
  s.shiftStart = 0;
  s.lastRow = 5;
  s.results[1][5] = "1.20";
  s.now = 1.45;
  s.Run();
  EXPECT_EQ(s.shiftPulse, st.ShiftTorque);
  s.now = 1.50;
  s.Run();
  EXPECT_EQ(s.shiftPulse, 0);

  // In first gear the pulse is left as the run holds it.
  s.gear = 1;
  s.shiftPulse = 12.5;
  s.Run();
  EXPECT_EQ(s.shiftPulse, 12.5);
  EXPECT_FALSE(RunFaultPending());
}

TEST_F(ConverterStepTest, NegativeShiftTorqueIsDamped) {
  Step s;
  s.outputRpm = 3500;
  s.gear = 3;
  s.shiftStart = 1;
  s.shiftRow = 2;
  s.results[5][2] = "0";
  s.shiftRpm[2] = 0;  // both differences negative
  s.Run();
  const ConverterStepState& st = ConverterStepStateNow();
  const double dA = 0 - s.speedRatio * s.engineRpm;
  const double dB = 0 - s.engineRpm;
  const double raw = ((dA + 2 * dB) / 3) / 0.3 * kRadPerRpm * 3 / 32.2 - s.engineTorqueOut * 0.1 * 0.3;
  ASSERT_LT(raw, 0);
  EXPECT_NEAR(st.ShiftTorque, 0.3 * raw, 1e-9);
}

TEST_F(ConverterStepTest, FaultsAreReported) {
  Step s;
  s.outputRpm = 10;
  s.stallRpm = 0;
  s.Run();
  RunFault f = TakeRunFault();
  EXPECT_EQ(f.errorNumber, rterr::kDivisionByZero);
  EXPECT_EQ(f.step, kStepConvAtRest);
  EXPECT_TRUE(std::isfinite(s.speedRatio));

  Step z;
  z.outputRpm = 3000;
  z.gear = 2;
  z.shiftStart = 1;
  z.shiftTime = 0;
  z.Run();
  f = TakeRunFault();
  EXPECT_EQ(f.step, kStepConvShiftRate);
  EXPECT_TRUE(std::isfinite(z.inputTorque));

  Step g;
  g.outputRpm = 3000;
  g.gear = 0;
  g.shiftStart = 1;
  g.Run();
  f = TakeRunFault();
  EXPECT_EQ(f.errorNumber, rterr::kSubscript);
  EXPECT_EQ(f.step, kStepConvShiftRpm);

  Step r;
  r.outputRpm = 3000;
  r.gear = 2;
  r.lastRow = kResultsRows;  // one past the last row of the table
  r.Run();
  f = TakeRunFault();
  EXPECT_EQ(f.errorNumber, rterr::kSubscript);
  EXPECT_EQ(f.step, kStepConvLastRow);

  Step k;
  k.outputRpm = 1000;
  k.kStall = 0;  // the run's converter with no capacity
  k.Run();
  EXPECT_EQ(TakeRunFault().errorNumber, rterr::kDivisionByZero);
  EXPECT_TRUE(std::isfinite(k.engineRpm) && std::isfinite(k.inputTorque));
}

}  // namespace
}  // namespace sw
