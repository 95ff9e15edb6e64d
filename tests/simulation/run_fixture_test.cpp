// The fixture cars down a quarter mile: what a racer checks first, and the
// directions every racer knows.
#include "simulation/run_test_support.h"

namespace sw::test {
namespace {

struct Fixture : RunTest, ::testing::WithParamInterface<const char*> {
  void SetUp() override {
    RunTest::SetUp();
    Load(GetParam());
  }
  // ET and MPH of an instant calculation.
  std::pair<double, double> Before() {
    Quiet();
    return {Et(), Mph()};
  }
};

TEST_P(Fixture, QuarterMileLooksLikeARealRun) {
  Calculate();
  ASSERT_GT(tbl.FinishRow, 1);
  EXPECT_EQ(Cell(4, tbl.FinishRow), "1320");
  EXPECT_EQ(ui->boxes().size(), 0u) << ui->boxes()[0].prompt;
  const double et = Val(Cell(1, tbl.FinishRow)), mph = tbl.HistoryMph[0];
  const double t60 = TimeAt("60"), t330 = TimeAt("330"), t660 = TimeAt("660"), t1000 = TimeAt("1000");
  EXPECT_TRUE(0 < t60 && t60 < t330 && t330 < t660 && t660 < t1000 && t1000 < et)
      << t60 << " " << t330 << " " << t660 << " " << t1000 << " " << et;
  EXPECT_GT(mph, Val(Cell(2, RowAt("660"))));
  EXPECT_GE(mph * et, 1200);
  EXPECT_LE(mph * et, 1700);
  EXPECT_GE(t660 / et, 0.6);
  EXPECT_LE(t660 / et, 0.7);
  EXPECT_GT(t60, 1.2);
  EXPECT_LT(t60, 2.4);
  EXPECT_EQ(tbl.History60ft[0], Format(sixty, "####.00"));
  EXPECT_EQ(tbl.HistoryEt[0], Cell(1, tbl.FinishRow));
  EXPECT_EQ(tbl.History330ft[0], Cell(1, RowAt("330")));
  EXPECT_EQ(tbl.History8thEt[0], Cell(1, RowAt("660")));
  EXPECT_EQ(tbl.History1000ft[0], Cell(1, RowAt("1000")));
  ExpectAllFinite();
  const std::string et1 = Cell(1, tbl.FinishRow);
  Quiet();  // the instant calculation gives the same run
  EXPECT_EQ(tbl.InstantEt[0], et1);
  EXPECT_DOUBLE_EQ(tbl.InstantMph[0], mph);
}

TEST_P(Fixture, MorePowerIsQuickerMoreWeightSlower) {
  const auto [et, mph] = Before();
  auto scaled = [](const std::string& v) { return Str(Val(v) * 1.1).substr(1); };
  if (Spec(kEngine, 0) == 2) {
    for (auto& p : tbl.PowerCurveText)
      if (!p[1].empty()) p[1] = scaled(p[1]), p[2] = scaled(p[2]);
  } else {
    S(kEngine, 2) = scaled(S(kEngine, 2));
    S(kEngine, 4) = scaled(S(kEngine, 4));
  }
  Quiet();
  EXPECT_LT(Et(), et);
  EXPECT_GT(Mph(), mph);
  Load(GetParam());
  S(kVehicle, 0) = Str(Spec(kVehicle, 0) + 300).substr(1);
  Quiet();
  EXPECT_GT(Et(), et);
  EXPECT_LT(Mph(), mph);
}

TEST_P(Fixture, HotHighHumidAirIsSlower) {
  const auto [et, mph] = Before();
  const double da = tbl.DensityAltitude;
  for (auto [k, v] : {std::pair{0, "1"}, {2, "100"}, {3, "70"}, {4, "5000"}}) S(kConditions, k) = v;
  Quiet();
  EXPECT_GT(tbl.DensityAltitude, da + 5000);
  EXPECT_GT(Et(), et);
  EXPECT_LT(Mph(), mph);
}

TEST_P(Fixture, HeadWindSlowsTailWindHelps) {
  S(kConditions, 5) = "0";
  const double calm = Before().first;
  S(kConditions, 5) = "20";
  S(kConditions, 6) = "1";
  EXPECT_GT(Before().first, calm);
  S(kConditions, 6) = "2";
  EXPECT_LT(Before().first, calm);
}

INSTANTIATE_TEST_SUITE_P(Cars, Fixture, ::testing::Values(kMuscleCar, kBracketCar, kFrontDrive));

TEST_F(RunTest, LessTractionSlowsATractionLimitedLaunch) {
  Load(kFrontDrive);  // a front-drive car on street tires spins off the line
  Quiet();
  const double t60 = sixty;
  EXPECT_LT(Val(Cell(10, 1)), 100) << "the simple launch is held at the traction limit";
  S(kTires, 8) = "80";
  Quiet();
  EXPECT_GT(sixty, t60 + 0.05);
}

}  // namespace
}  // namespace sw::test
