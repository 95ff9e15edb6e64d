// The fixture cars down a quarter mile: what a racer checks first, and the
// directions every racer knows.
#include "simulation/run_test_support.h"

namespace sw::test {
namespace {

struct Fixture : RunTest, ::testing::WithParamInterface<const char*> {};

TEST_P(Fixture, QuarterMileLooksLikeARealRun) {
  Load(GetParam());
  Calculate();
  ASSERT_GT(tbl.FinishRow, 1);
  EXPECT_EQ(Cell(4, tbl.FinishRow), "1320");
  EXPECT_EQ(ui->boxes().size(), 0u) << ui->boxes()[0].prompt;

  const double et = Val(Cell(1, tbl.FinishRow));
  const double mph = tbl.HistoryMph[0];
  const double t60 = TimeAt("60"), t330 = TimeAt("330"), t660 = TimeAt("660"), t1000 = TimeAt("1000");
  EXPECT_GT(t60, 0);
  EXPECT_LT(t60, t330);
  EXPECT_LT(t330, t660);
  EXPECT_LT(t660, t1000);
  EXPECT_LT(t1000, et);
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

  // The instant calculation gives the same run.
  const std::string et1 = Cell(1, tbl.FinishRow);
  Quiet();
  EXPECT_EQ(tbl.InstantEt[0], et1);
  EXPECT_DOUBLE_EQ(tbl.InstantMph[0], mph);
}

TEST_P(Fixture, MorePowerIsQuicker) {
  Load(GetParam());
  Quiet();
  const double et = Et(), mph = Mph();
  if (Spec(kEngine, 0) == 2) {
    for (int i = 0; i < 10; ++i)
      if (!tbl.PowerCurveText[i][1].empty()) {
        tbl.PowerCurveText[i][1] = Str(Val(tbl.PowerCurveText[i][1]) * 1.1).substr(1);
        tbl.PowerCurveText[i][2] = Str(Val(tbl.PowerCurveText[i][2]) * 1.1).substr(1);
      }
  } else {
    S(kEngine, 2) = Str(Spec(kEngine, 2) * 1.1).substr(1);
    S(kEngine, 4) = Str(Spec(kEngine, 4) * 1.1).substr(1);
  }
  Quiet();
  EXPECT_LT(Et(), et);
  EXPECT_GT(Mph(), mph);
}

TEST_P(Fixture, MoreWeightIsSlower) {
  Load(GetParam());
  Quiet();
  const double et = Et(), mph = Mph();
  S(kVehicle, 0) = Str(Spec(kVehicle, 0) + 300).substr(1);
  Quiet();
  EXPECT_GT(Et(), et);
  EXPECT_LT(Mph(), mph);
}

TEST_P(Fixture, HotHighHumidAirIsSlower) {
  Load(GetParam());
  Quiet();
  const double et = Et(), mph = Mph(), da = tbl.DensityAltitude;
  S(kConditions, 0) = "1";
  S(kConditions, 2) = "100";
  S(kConditions, 3) = "70";
  S(kConditions, 4) = "5000";
  Quiet();
  EXPECT_GT(tbl.DensityAltitude, da + 5000);
  EXPECT_GT(Et(), et);
  EXPECT_LT(Mph(), mph);
}

TEST_P(Fixture, HeadWindSlowsTailWindHelps) {
  Load(GetParam());
  S(kConditions, 5) = "0";
  Quiet();
  const double calm = Et();
  S(kConditions, 5) = "20";
  S(kConditions, 6) = "1";
  Quiet();
  const double head = Et();
  S(kConditions, 6) = "2";
  Quiet();
  const double tail = Et();
  EXPECT_GT(head, calm);
  EXPECT_LT(tail, calm);
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
