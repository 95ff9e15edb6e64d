#include "simulation/converter.h"

#include <gtest/gtest.h>

#include <cmath>

#include "simulation/run_fault.h"

namespace sw {
namespace {

// The run's second capacity figure.
double RunK2(double kStall) { return (kStall + 100) * (0.6 + 0.06 * (7 - kStall / 100)); }

struct Ratios {
  double tr = -1, sr = -1;
};

Ratios Work(double kStall, double n, double t, double tm) {
  Ratios r;
  ConverterModel(kStall, 0, r.tr, r.sr, n, t, 0, "E", tm);
  return r;
}

void SetUpRun(double kStall, double k2) {
  double tr = 7, sr = 7;
  ConverterModel(kStall, k2, tr, sr, 0, 0, 0, "C", 0);
  EXPECT_EQ(tr, 7);  // the set-up leaves the ratios alone
  EXPECT_EQ(sr, 7);
}

struct Converter : ::testing::Test {
  void SetUp() override {
    ResetConverterModel();
    ClearRunFault();
  }
};

TEST_F(Converter, SetUpWorkedValues) {
  const auto& c = RunConverterState().characteristic;
  SetUpRun(200, 270);
  EXPECT_NEAR(c.Kslope, 131.74, 1e-9);
  EXPECT_EQ(c.Klim, 270);
  EXPECT_EQ(c.SRmax, 0.98);
  EXPECT_EQ(c.Kgain, 0);
  SetUpRun(600, 462);
  EXPECT_EQ(c.Kslope, 0);
  EXPECT_EQ(c.Klim, 600);
  EXPECT_NEAR(c.SRmax, 0.986, 1e-12);
  EXPECT_NEAR(c.Kgain, 0.46, 1e-12);
  EXPECT_FALSE(RunFaultPending());
}

// The torque ratio falls linearly from the "Torque Multiplication" spec at a
// speed ratio of 0 to 1 at 0.8 (0.8 itself still on the line).
TEST_F(Converter, TorqueRatioLine) {
  ConverterCharacteristic c;
  c.SRmax = 0.98;
  double tr, sr;
  ConverterOutputRatios(c, 0, 2.4, tr, sr);
  EXPECT_DOUBLE_EQ(tr, 2.4);
  ConverterOutputRatios(c, 0.4, 2, tr, sr);
  EXPECT_DOUBLE_EQ(tr, 1.5);
  EXPECT_DOUBLE_EQ(sr, 0.4);
  ConverterOutputRatios(c, 0.8, 2.4, tr, sr);
  EXPECT_NEAR(tr, 1, 1e-15);
  EXPECT_EQ(sr, 0.8);
  ConverterOutputRatios(c, 0.8000001, 2.4, tr, sr);
  EXPECT_EQ(tr, 1);
  SetUpRun(300, RunK2(300));  // every slipping working point lies on that line
  for (double n = 100; n < 4000; n += 300)
    if (const Ratios r = Work(300, n, 400, 2.2); r.sr <= 0.8) {
      EXPECT_NEAR(r.tr, 2.2 - 1.2 * 1.25 * r.sr, 1e-12) << n;
    }
}

TEST_F(Converter, WorkingPoints) {
  struct Case {
    double kStall, k2, n, t, tm, sr, tr;  // tr < 0: not checked
  } cases[] = {
      {200, 270, 2000, 300, 2, 0.5524142883585477, 1.3094821395518155},  // slipping
      {200, 270, 1000, 500, 2, 0.22036604728550846, 1.7245424408931145},
      {200, 270, 6000, 400, 2, 0.918, 1},            // coupling: K passes the need first at 0.920
      {200, 270, 12000, 4, 2, 0.98 + 0.3 * 0.01, -1},  // no trial reaches the need: 0.99, compressed
      {600, 462, 4000, 300, 2.2, 0.3849001794597505, 1.6226497308103744},
      {600, 462, 3000, 0, 2.2, 1.0085432, 1},  // no torque: 0.98 before the gain and compression
      {600, 462, 3000, -50, 2.2, 1.0085432, 1},
  };
  for (const Case& c : cases) {
    SetUpRun(c.kStall, c.k2);
    const Ratios r = Work(c.kStall, c.n, c.t, c.tm);
    EXPECT_NEAR(r.sr, c.sr, 1e-12) << c.kStall << " " << c.n << " " << c.t;
    if (c.tr == 1) {
      EXPECT_EQ(r.tr, 1) << c.kStall << " " << c.n << " " << c.t;  // exactly, in the coupling region
    } else if (c.tr >= 0) {
      EXPECT_NEAR(r.tr, c.tr, 1e-12) << c.kStall << " " << c.n << " " << c.t;
    }
  }
  EXPECT_FALSE(RunFaultPending());
}

TEST_F(Converter, SweepStaysInBounds) {
  for (double tm : {1.0, 1.8, 2.6})
    for (double ks = 100; ks <= 700; ks += 25)
      for (double k2 : {RunK2(ks), (ks + 100) * 0.9}) {
        SetUpRun(ks, k2);
        for (double n = 50; n <= 12000; n += 50)
          for (double t = 1; t <= 1500; t += (t < 20 ? 1 : 17)) {
            const Ratios r = Work(ks, n, t, tm);
            ASSERT_TRUE(std::isfinite(r.sr) && std::isfinite(r.tr)) << ks << " " << n << " " << t;
            ASSERT_TRUE(r.sr >= 0 && r.sr <= 1.04) << r.sr << ": " << ks << " " << n << " " << t;
            ASSERT_TRUE(r.tr >= 1 - 1e-12 && r.tr <= tm + 1e-12) << r.tr << ": " << ks << " " << n << " " << t;
          }
      }
  EXPECT_FALSE(RunFaultPending());
}

TEST_F(Converter, ZeroRpmOrCapacityIsReported) {
  SetUpRun(300, RunK2(300));
  Ratios r = Work(300, 0, 400, 2.1);  // slipping at 0 RPM
  RunFault f = TakeRunFault();
  EXPECT_EQ(f.errorNumber, rterr::kDivisionByZero);
  EXPECT_EQ(f.step, kStepConverterTest);
  EXPECT_EQ(r.sr, 0);  // the guesses settle at stall
  EXPECT_EQ(r.tr, 2.1);

  SetUpRun(0, RunK2(0));
  r = Work(0, 1000, 400, 2);  // slipping: K needed / 0
  f = TakeRunFault();
  EXPECT_EQ(f.errorNumber, rterr::kDivisionByZero);
  EXPECT_EQ(f.step, kStepConverterNeed);
  EXPECT_TRUE(std::isfinite(r.sr) && std::isfinite(r.tr));
  SetUpRun(0, -10);  // a second figure below a zero stall capacity
  EXPECT_EQ(TakeRunFault().step, kStepConverterSetUp);
  EXPECT_TRUE(std::isfinite(RunConverterState().characteristic.SRmax));
  SetUpRun(0, 0);  // no coupling limit: always coupled, no trial ratio reaches the need
  EXPECT_NEAR(Work(0, 1000, 400, 2).sr, 0.983, 1e-12);
  EXPECT_FALSE(RunFaultPending());
}

TEST_F(Converter, OwnStateLeavesTheRunsAlone) {
  SetUpRun(200, 270);
  ConverterModelState own;
  double tr = 0, sr = 0;
  ConverterModelOn(own, 600, 462, tr, sr, 0, 0, 0, "C", 0);
  EXPECT_EQ(own.characteristic.Klim, 600);
  EXPECT_EQ(RunConverterState().characteristic.Klim, 270);
  ConverterModelOn(own, 600, 0, tr, sr, 4000, 300, 0, "E", 2.2);
  EXPECT_NEAR(sr, 0.3849001794597505, 1e-12);
  EXPECT_EQ(own.scratch.EngineRpm, 4000);
  EXPECT_EQ(RunConverterState().scratch.EngineRpm, 0);
  // A lower-case "c" is a working call, not a set-up.
  ConverterModel(200, 462, tr, sr, 2000, 300, 0, "c", 2);
  EXPECT_NEAR(sr, 0.5524142883585477, 1e-12);
  EXPECT_EQ(RunConverterState().characteristic.Klim, 270);
}

}  // namespace
}  // namespace sw
