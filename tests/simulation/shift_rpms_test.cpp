#include "simulation/shift_rpms.h"

#include <gtest/gtest.h>

#include <cmath>

#include "simulation/converter.h"
#include "simulation/engine_curve.h"
#include "simulation/run_fault.h"
#include "simulation/tables.h"

namespace sw {
namespace {

struct Curve {
  double hp = 0, hpRpm = 0, tq = 0, tqRpm = 0, mid = 0, limit = 0, top = 0;
  int rows = 0;
};

// A typical small-block street V8: 400 HP at 6000, 420 ft lbs at 4500.
Curve TypicalV8() {
  SpecAt(kEngine, 0) = "1";  // peak torque and HP given
  SpecAt(kEngine, 1) = "350";
  SpecAt(kEngine, 2) = "420";
  SpecAt(kEngine, 3) = "4500";
  SpecAt(kEngine, 4) = "400";
  SpecAt(kEngine, 5) = "6000";
  Curve c;
  BuildEngineCurve(c.hp, c.hpRpm, c.tq, c.tqRpm, c.rows, c.mid, 1.0, c.limit, c.top);
  return c;
}

void FiveSpeed() {
  const char* ratios[] = {"2.66", "1.78", "1.30", "1.00", ".74", ""};
  for (int i = 1; i <= 6; ++i) SpecAt(kTransmission, 8 + i) = ratios[i - 1];
}

void Car(const char* type) {
  SpecAt(kTransmission, 0) = type;
  SpecAt(kTransmission, 1) = "10.5";
  SpecAt(kTransmission, 2) = "2200";
  SpecAt(kTransmission, 3) = "1";
  SpecAt(kTransmission, 4) = "0";
  SpecAt(kTransmission, 5) = "300";
  SpecAt(kTransmission, 6) = "2.0";
  FiveSpeed();
  SpecAt(kVehicle, 0) = "3400";
  SpecAt(kVehicle, 1) = "3.73";
  SpecAt(kTires, 5) = "27";
}

ShiftRpmTable Shifts(const Curve& c) {
  ShiftRpmTable s;
  s.fill(-1);
  CalcShiftRPMs(c.hp, c.hpRpm, c.rows, tbl.SpecText, tbl.SpecMenuStart, s, c.tq);
  return s;
}

class ShiftRpms : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetTables();
    ResetEngineCurveState();
    ResetConverterModel();
    ResetShiftRPMs();
    ClearRunFault();
  }
};

bool WholeTens(double v) { return std::fmod(v, 10) == 0; }

TEST_F(ShiftRpms, TypicalV8WithClutch) {
  const Curve c = TypicalV8();
  ASSERT_EQ(c.rows, 9);
  ASSERT_EQ(tbl.EngineCurve[0][9], 7200);  // top of the curve
  Car("1");
  const ShiftRpmTable s = Shifts(c);
  const double expected[] = {6360, 6330, 6340, 6430};
  for (int i = 1; i <= 4; ++i) {
    EXPECT_EQ(s[i], expected[i - 1]) << i;
    EXPECT_GT(s[i], 6000);  // past the HP peak
    EXPECT_LE(s[i], 6900 - 50);
    EXPECT_TRUE(WholeTens(s[i]));
  }
  // Five gears: no shift out of fifth (or sixth); the ends are not written.
  EXPECT_EQ(s[5], kNoShift);
  EXPECT_EQ(s[6], kNoShift);
  EXPECT_EQ(s[0], -1);
  EXPECT_EQ(s[7], -1);
  EXPECT_FALSE(RunFaultPending());
  // A clutch has no slip and no multiplication on either side of a shift;
  // the last gear change's ratio target is its gear step.
  const ShiftSearchState& st = ShiftSearchStateNow();
  EXPECT_EQ(st.SR1, 1);
  EXPECT_EQ(st.SR2, 1);
  EXPECT_EQ(st.TR1, 1);
  EXPECT_EQ(st.TR2, 1);
  EXPECT_DOUBLE_EQ(st.RatioTarget, 1.00 / 0.74);

  Car("0");  // the program's own clutch estimate
  const ShiftRpmTable e = Shifts(c);
  for (int i = 1; i <= 4; ++i) {
    EXPECT_GT(e[i], 6000);
    EXPECT_LE(e[i], 6850);
  }
  EXPECT_EQ(e[5], kNoShift);
}

TEST_F(ShiftRpms, TypicalV8WithConverter) {
  const Curve c = TypicalV8();
  Car("3");
  const ShiftRpmTable s = Shifts(c);
  const double expected[] = {6550, 6600, 6620, 6620};
  for (int i = 1; i <= 4; ++i) EXPECT_EQ(s[i], expected[i - 1]) << i;
  EXPECT_EQ(s[5], kNoShift);
  // A converter example in use counts too; a clutch example does not.
  SpecAt(kTransmission, 0) = "5";
  SpecAt(kTransmission, 23) = "2";
  EXPECT_EQ(Shifts(c), s);
  SpecAt(kTransmission, 23) = "1";
  EXPECT_NE(Shifts(c), s);
  EXPECT_FALSE(RunFaultPending());
}

TEST_F(ShiftRpms, GearRowsStartAtGearOne) {
  const Curve c = TypicalV8();
  Car("1");
  // Gear i is read from the row captioned "Gear #i": a six-speed gets five
  // shift points and the last one is not lost.
  const char* six[] = {"2.97", "2.07", "1.43", "1.00", ".84", ".56"};
  for (int i = 1; i <= 6; ++i) SpecAt(kTransmission, 8 + i) = six[i - 1];
  SpecAt(kTransmission, 8) = "3";  // the efficiency row just before gear 1 is not a gear
  const ShiftRpmTable s = Shifts(c);
  for (int i = 1; i <= 5; ++i) EXPECT_LT(s[i], kNoShift) << i;
  EXPECT_EQ(s[6], kNoShift);
  // The 1-2 shift belongs to the 2.97 / 2.07 pair: the same pair alone in a
  // two-speed gives the same point.
  for (int i = 3; i <= 6; ++i) SpecAt(kTransmission, 8 + i) = "";
  const ShiftRpmTable two = Shifts(c);
  EXPECT_EQ(two[1], s[1]);
  EXPECT_EQ(two[2], kNoShift);
  // A second ratio of 0: no shift at all.
  SpecAt(kTransmission, 10) = "0";
  const ShiftRpmTable one = Shifts(c);
  for (int i = 1; i <= 6; ++i) EXPECT_EQ(one[i], kNoShift);
}

TEST_F(ShiftRpms, ConverterResultsDoNotDependOnEarlierCalls) {
  const Curve c = TypicalV8();
  Car("3");
  const ShiftRpmTable first = Shifts(c);
  // A different converter and then a clutch car in between ...
  SpecAt(kTransmission, 5) = "650";
  const ShiftRpmTable loose = Shifts(c);
  EXPECT_NE(loose, first);
  Car("1");
  Shifts(c);
  // ... change nothing for the first car.
  Car("3");
  EXPECT_EQ(Shifts(c), first);
  ResetShiftRPMs();
  EXPECT_EQ(Shifts(c), first);
}

TEST_F(ShiftRpms, RunConverterKeptApart) {
  const Curve c = TypicalV8();
  // The run sets up the car's converter first, then asks for shift points.
  double tr = 0, sr = 0;
  ConverterModel(600, 462, tr, sr, 0, 0, 0, "C", 0);
  const ConverterCharacteristic before = RunConverterState().characteristic;
  Car("3");
  Shifts(c);
  const ConverterCharacteristic& after = RunConverterState().characteristic;
  EXPECT_EQ(after.Klim, before.Klim);
  EXPECT_EQ(after.Kslope, before.Kslope);
  EXPECT_EQ(after.SRmax, before.SRmax);
  EXPECT_EQ(after.Kgain, before.Kgain);
  // and drives with it.
  ConverterModel(600, 462, tr, sr, 4000, 300, 0, "E", 2.2);
  EXPECT_NEAR(sr, 0.3849001794597505, 1e-12);
}

TEST_F(ShiftRpms, TireDiameterZeroMeansTwelveInchRadius) {
  const Curve c = TypicalV8();
  Car("1");
  SpecAt(kTires, 5) = "24";
  const ShiftRpmTable s24 = Shifts(c);
  SpecAt(kTires, 5) = "0";
  EXPECT_EQ(Shifts(c), s24);
  SpecAt(kTires, 5) = "";
  EXPECT_EQ(Shifts(c), s24);
  EXPECT_FALSE(RunFaultPending());
}

TEST_F(ShiftRpms, NeverAboveTheRowBeforeTheLast) {
  // A curve that ends near its HP peak: the search runs past the end.
  SpecAt(kEngine, 0) = "2";
  const double pts[][3] = {{2000, 300, 114}, {3000, 350, 200}, {4000, 380, 289}, {5000, 370, 352}, {5500, 360, 377}};
  for (int p = 0; p < 5; ++p)
    for (int k = 0; k < 3; ++k) tbl.PowerCurveText[p][k] = std::to_string(static_cast<int>(pts[p][k]));
  Curve c;
  BuildEngineCurve(c.hp, c.hpRpm, c.tq, c.tqRpm, c.rows, c.mid, 1.0, c.limit, c.top);
  ASSERT_EQ(c.rows, 6);
  ASSERT_EQ(tbl.EngineCurve[0][5], 5500);
  for (const char* type : {"1", "3"}) {
    Car(type);
    const ShiftRpmTable s = Shifts(c);
    for (int i = 1; i <= 4; ++i) {
      EXPECT_LE(s[i], 5450) << type << i;
      EXPECT_TRUE(WholeTens(s[i]));
    }
  }
  EXPECT_FALSE(RunFaultPending());
}

TEST_F(ShiftRpms, ClutchStatusRuleReachesTheSearch) {
  const Curve c = TypicalV8();
  Car("1");
  SpecAt(kTransmission, 2) = "5001";
  tbl.CalcStatus = -1;
  Shifts(c);
  EXPECT_EQ(tbl.CalcStatus, -2);
  SpecAt(kTransmission, 2) = "5000";
  tbl.CalcStatus = -1;
  Shifts(c);
  EXPECT_EQ(tbl.CalcStatus, -1);
}

void ExpectFinite(const ShiftRpmTable& s) {
  for (int i = 1; i <= 6; ++i) EXPECT_TRUE(std::isfinite(s[i])) << i;
}

TEST_F(ShiftRpms, BadInputIsReportedNotNaN) {
  const Curve c = TypicalV8();
  Car("1");
  SpecAt(kVehicle, 1) = "0";  // final drive 0
  ExpectFinite(Shifts(c));
  RunFault f = TakeRunFault();
  EXPECT_EQ(f.errorNumber, rterr::kDivisionByZero);
  EXPECT_EQ(f.step, kStepShiftMass);

  Car("1");
  SpecAt(kVehicle, 0) = "0";  // no weight
  ExpectFinite(Shifts(c));
  EXPECT_EQ(TakeRunFault().errorNumber, rterr::kDivisionByZero);

  Car("1");
  SpecAt(kTransmission, 1) = "1";  // a clutch of 1 inch holds nothing but computes
  ExpectFinite(Shifts(c));
  EXPECT_FALSE(RunFaultPending());
  SpecAt(kTransmission, 1) = "-4";
  ExpectFinite(Shifts(c));
  f = TakeRunFault();
  EXPECT_EQ(f.errorNumber, rterr::kInvalidCall);
  EXPECT_EQ(f.step, kStepShiftInertia);

  Car("3");
  SpecAt(kTransmission, 5) = "0";  // converter capacity 0
  ExpectFinite(Shifts(c));
  TakeRunFault();

  Car("3");
  SpecAt(kTransmission, 9) = "0";  // first gear 0 ahead of a second gear
  ExpectFinite(Shifts(c));
  f = TakeRunFault();
  EXPECT_EQ(f.errorNumber, rterr::kDivisionByZero);
  EXPECT_EQ(f.step, kStepShiftGearStep);

  Car("1");
  const ShiftRpmTable none = [&] {
    ShiftRpmTable s;
    CalcShiftRPMs(c.hp, c.hpRpm, 0, tbl.SpecText, tbl.SpecMenuStart, s, c.tq);
    return s;
  }();
  for (int i = 1; i <= 6; ++i) EXPECT_EQ(none[i], kNoShift);
  EXPECT_EQ(TakeRunFault().errorNumber, rterr::kSubscript);
}

TEST_F(ShiftRpms, ZeroPeakPowerEnds) {
  Curve c = TypicalV8();
  Car("1");
  c.hp = 0;
  ExpectFinite(Shifts(c));
  Car("3");
  ExpectFinite(Shifts(c));
  c.hpRpm = 0;
  ExpectFinite(Shifts(c));
  TakeRunFault();
}

}  // namespace
}  // namespace sw
