#include "simulation/shift_rpms.h"

#include "simulation/run_test_support.h"

namespace sw::test {
namespace {

struct Curve {
  double hp = 0, hpRpm = 0, tq = 0, tqRpm = 0, mid = 0, limit = 0, top = 0;
  int rows = 0;
};

Curve BuildCurve() {
  Curve c;
  BuildEngineCurve(TheRunsCurve(), c.hp, c.hpRpm, c.tq, c.tqRpm, c.rows, c.mid, 1.0, c.limit, c.top);
  return c;
}

// A typical small-block street V8: 400 HP at 6000, 420 ft lbs at 4500.
Curve TypicalV8() {
  for (auto [k, v] : {std::pair{0, "1"}, {1, "350"}, {2, "420"}, {3, "4500"}, {4, "400"}, {5, "6000"}})
    SpecAt(kEngine, k) = v;
  return BuildCurve();
}

// A 3400 lb car with a five-speed (2.66/1.78/1.30/1.00/0.74) and a clutch
// (type "1"), the program's clutch ("0") or a converter ("3").
void Car(const char* type) {
  const char* rows[] = {type, "10.5", "2200", "1", "0", "300", "2.0", "", "", "2.66", "1.78", "1.30", "1.00", ".74", ""};
  for (int k = 0; k <= 14; ++k)
    if (k != 7 && k != 8) SpecAt(kTransmission, k) = rows[k];
  SpecAt(kVehicle, 0) = "3400";
  SpecAt(kVehicle, 1) = "3.73";
  SpecAt(kTires, 5) = "27";
}

ShiftRpmTable Shifts(const Curve& c, int rows = -1) {
  ShiftRpmTable s;
  s.fill(-1);
  CalcShiftRPMs(c.hp, c.hpRpm, rows < 0 ? c.rows : rows, tbl.SpecText, tbl.SpecMenuStart, s, c.tq);
  return s;
}

bool WholeTens(double v) { return std::fmod(v, 10) == 0; }

struct ShiftRpms : RunTest {
  Curve v8;
  void SetUp() override {
    RunTest::SetUp();
    v8 = TypicalV8();
  }
};

// Shift points above the HP peak, below the top of the curve, and 100000
// (no shift) after the last gear.
TEST_F(ShiftRpms, TypicalV8WithClutchOrConverter) {
  ASSERT_EQ(v8.rows, 9);
  ASSERT_EQ(tbl.EngineCurve[0][9], 7200);
  for (auto [type, expected] : {std::pair{"1", std::array{6360, 6330, 6340, 6430}}, {"3", {6550, 6600, 6620, 6620}}}) {
    Car(type);
    const ShiftRpmTable s = Shifts(v8);
    for (int i = 1; i <= 4; ++i) {
      EXPECT_EQ(s[i], expected[i - 1]) << type << " " << i;
      EXPECT_GT(s[i], 6000);
      EXPECT_LE(s[i], 6900 - 50);  // the row before the last, less 50
      EXPECT_TRUE(WholeTens(s[i]));
    }
    // Five gears: no shift out of fifth (or sixth); the ends are not written.
    EXPECT_EQ((Nums{s[5], s[6], s[0], s[7]}), (Nums{kNoShift, kNoShift, -1, -1}));
  }
  // A converter example in use counts as a converter; a clutch example does not.
  const ShiftRpmTable converter = Shifts(v8);
  SpecAt(kTransmission, 0) = "5";
  SpecAt(kTransmission, 23) = "2";
  EXPECT_EQ(Shifts(v8), converter);
  SpecAt(kTransmission, 23) = "1";
  EXPECT_NE(Shifts(v8), converter);
  // A clutch has no slip and no multiplication on either side of a shift;
  // the last gear change's ratio target is its gear step.
  Car("1");
  Shifts(v8);
  const ShiftSearchState& st = ShiftSearchStateNow();
  EXPECT_EQ((Nums{st.SR1, st.SR2, st.TR1, st.TR2}), (Nums{1, 1, 1, 1}));
  EXPECT_DOUBLE_EQ(st.RatioTarget, 1.00 / 0.74);
  Car("0");  // the program's own clutch estimate
  const ShiftRpmTable e = Shifts(v8);
  for (int i = 1; i <= 4; ++i) EXPECT_TRUE(e[i] > 6000 && e[i] <= 6850) << e[i];
  EXPECT_EQ(e[5], kNoShift);
  EXPECT_FALSE(RunFaultPending());
}

// Gear i is read from the row captioned "Gear #i" (spec 8 + i): a six-speed
// gets five shift points and the last one is not lost.
TEST_F(ShiftRpms, GearRowsStartAtGearOne) {
  Car("1");
  const char* six[] = {"2.97", "2.07", "1.43", "1.00", ".84", ".56"};
  for (int i = 1; i <= 6; ++i) SpecAt(kTransmission, 8 + i) = six[i - 1];
  SpecAt(kTransmission, 8) = "3";  // the efficiency row just before gear 1 is not a gear
  const ShiftRpmTable s = Shifts(v8);
  for (int i = 1; i <= 5; ++i) EXPECT_LT(s[i], kNoShift) << i;
  EXPECT_EQ(s[6], kNoShift);
  // The 1-2 shift belongs to the 2.97 / 2.07 pair: that pair alone gives the same point.
  for (int i = 3; i <= 6; ++i) SpecAt(kTransmission, 8 + i) = "";
  const ShiftRpmTable two = Shifts(v8);
  EXPECT_EQ(two[1], s[1]);
  EXPECT_EQ(two[2], kNoShift);
  SpecAt(kTransmission, 10) = "0";  // a second ratio of 0: no shift at all
  const ShiftRpmTable one = Shifts(v8);
  for (int i = 1; i <= 6; ++i) EXPECT_EQ(one[i], kNoShift);
}

// A converter's shift points never depend on what was calculated before,
// and the search's converter is kept apart from the run's.
TEST_F(ShiftRpms, ConverterResultsDoNotDependOnEarlierCalls) {
  const auto& c = RunConverterState().characteristic;
  auto characteristic = [&] { return Nums{c.Klim, c.Kslope, c.SRmax, c.Kgain}; };
  double tr = 0, sr = 0;
  ConverterModel(600, 462, tr, sr, 0, 0, 0, "C", 0);  // the run sets up the car's converter first
  const Nums before = characteristic();
  Car("3");
  const ShiftRpmTable first = Shifts(v8);
  SpecAt(kTransmission, 5) = "650";  // a different converter, then a clutch car in between
  EXPECT_NE(Shifts(v8), first);
  Car("1");
  Shifts(v8);
  Car("3");
  EXPECT_EQ(Shifts(v8), first);
  ResetShiftRPMs();
  EXPECT_EQ(Shifts(v8), first);
  EXPECT_EQ(characteristic(), before);
  ConverterModel(600, 462, tr, sr, 4000, 300, 0, "E", 2.2);  // and the run drives with its own
  EXPECT_NEAR(sr, 0.3849001794597505, 1e-12);
}

TEST_F(ShiftRpms, TireDiameterZeroMeansTwelveInchRadius) {
  Car("1");
  SpecAt(kTires, 5) = "24";
  const ShiftRpmTable s24 = Shifts(v8);
  for (const char* d : {"0", ""}) {
    SpecAt(kTires, 5) = d;
    EXPECT_EQ(Shifts(v8), s24) << d;
  }
  EXPECT_FALSE(RunFaultPending());
}

TEST_F(ShiftRpms, NeverAboveTheRowBeforeTheLast) {
  // A curve that ends near its HP peak: the search runs past the end.
  SpecAt(kEngine, 0) = "2";
  const char* pts[][3] = {{"2000", "300", "114"}, {"3000", "350", "200"}, {"4000", "380", "289"},
                          {"5000", "370", "352"}, {"5500", "360", "377"}};
  for (int p = 0; p < 5; ++p) tbl.PowerCurveText[p] = {pts[p][0], pts[p][1], pts[p][2], ""};
  const Curve c = BuildCurve();
  ASSERT_EQ(c.rows, 6);
  ASSERT_EQ(tbl.EngineCurve[0][5], 5500);
  for (const char* type : {"1", "3"}) {
    Car(type);
    const ShiftRpmTable s = Shifts(c);
    for (int i = 1; i <= 4; ++i) EXPECT_TRUE(s[i] <= 5450 && WholeTens(s[i])) << type << i << ": " << s[i];
  }
  EXPECT_FALSE(RunFaultPending());
}

// A mistyped curve point far beyond any engine keeps the power up for ever:
// above about 1e17 RPM adding 50 no longer moves the climb at all. The climb
// ends with a report after a million RPM.
TEST_F(ShiftRpms, ACurvePointBeyondAnyEngineEndsTheClimbWithAReport) {
  SpecAt(kEngine, 0) = "2";
  for (const char* far : {"1e12", "1e20", "1e300"}) {
    SCOPED_TRACE(far);
    const char* pts[][3] = {{"2000", "300", "114"}, {"4000", "380", "289"}, {"6000", "350", "400"}, {far, "300", "300"}};
    for (int p = 0; p < 4; ++p) tbl.PowerCurveText[p] = {pts[p][0], pts[p][1], pts[p][2], ""};
    const Curve c = BuildCurve();
    ASSERT_EQ(c.hpRpm, 6000);
    ClearRunFault();
    for (const char* type : {"1", "3"}) {
      Car(type);
      for (double v : Shifts(c)) EXPECT_TRUE(std::isfinite(v));
      const RunFault f = TakeRunFault();
      EXPECT_EQ(f.errorNumber, rterr::kOverflow) << type;
      EXPECT_EQ(f.step, kStepShiftReference) << type;
    }
  }
}

TEST_F(ShiftRpms, ClutchStatusRuleReachesTheSearch) {
  Car("1");
  for (auto [force, status] : {std::pair{"5001", -2}, {"5000", -1}}) {
    SpecAt(kTransmission, 2) = force;
    tbl.CalcStatus = -1;
    Shifts(v8);
    EXPECT_EQ(tbl.CalcStatus, status) << force;
  }
}

TEST_F(ShiftRpms, BadInputIsReportedNotNaN) {
  struct Case {
    const char* what;
    const char* type;
    int menu, k;
    const char* value;
    int error, step;  // error 0: none; -1: any
  } cases[] = {
      {"final drive 0", "1", kVehicle, 1, "0", rterr::kDivisionByZero, kStepShiftMass},
      {"no weight", "1", kVehicle, 0, "0", rterr::kDivisionByZero, 0},
      {"a 1 in clutch holds nothing but computes", "1", kTransmission, 1, "1", 0, 0},
      {"negative clutch", "1", kTransmission, 1, "-4", rterr::kInvalidCall, kStepShiftInertia},
      {"converter capacity 0", "3", kTransmission, 5, "0", -1, 0},
      {"first gear 0 ahead of a second", "3", kTransmission, 9, "0", rterr::kDivisionByZero, kStepShiftGearStep},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Car(c.type);
    SpecAt(c.menu, c.k) = c.value;
    const ShiftRpmTable s = Shifts(v8);
    for (int i = 1; i <= 6; ++i) EXPECT_TRUE(std::isfinite(s[i])) << i;
    const RunFault f = TakeRunFault();
    if (c.error >= 0) { EXPECT_EQ(f.errorNumber, c.error); }
    if (c.step) { EXPECT_EQ(f.step, c.step); }
  }
  Car("1");
  const ShiftRpmTable none = Shifts(v8, 0);  // no curve rows
  for (int i = 1; i <= 6; ++i) EXPECT_EQ(none[i], kNoShift);
  EXPECT_EQ(TakeRunFault().errorNumber, rterr::kSubscript);
  // No peak power, no peak power RPM.
  for (const char* type : {"1", "3"}) {
    Car(type);
    Curve c = v8;
    c.hp = 0;
    for (double v : Shifts(c)) EXPECT_TRUE(std::isfinite(v));
    c.hpRpm = 0;
    for (double v : Shifts(c)) EXPECT_TRUE(std::isfinite(v));
  }
  TakeRunFault();
}

}  // namespace
}  // namespace sw::test
