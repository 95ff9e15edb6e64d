// Rules of the time-step loop that a whole run cannot show one by one: the
// traction history that smooths the drive torque, the traction iteration,
// and the whole numbers the results row shows.
#include <gtest/gtest.h>

#include <vector>

#include "simulation/run_simulation.h"

namespace sw {
namespace {

TEST(TractionHistoryTest, NewestPreviousValueIsTheCurrentOne) {
  TractionHistory h;
  EXPECT_EQ(h.Smoothing(), 1) << "traction factors start at 1";
  h.current = 0.9;
  h.Record(true);  // time 0: all three take it
  EXPECT_DOUBLE_EQ(h.Smoothing(), 0.9);
  h.current = 0.8;
  h.Record(false);
  EXPECT_EQ(h.previous[0], 0.8);
  EXPECT_EQ(h.previous[1], 0.9);
  EXPECT_EQ(h.previous[2], 0.9);
  EXPECT_DOUBLE_EQ(h.Smoothing(), 0.25 * (0.8 + 0.8 + 0.9 + 0.9));
  h.current = 0.7;
  h.Record(false);
  EXPECT_DOUBLE_EQ(h.Smoothing(), 0.25 * (0.7 + 0.7 + 0.8 + 0.9)) << "the oldest value is dropped";
}

TEST(TractionIterationTest, ForceUsedIsTheLastForceRunCappedAtTheNetForce) {
  // An axle load that gives a limit of half the force plus 1000 lbs.
  std::vector<double> forces;
  auto round = [&](double& limit) {
    return [&](double force) {
      forces.push_back(force);
      limit = 0.5 * force + 1000;
    };
  };
  double limit = 1200;
  const double used = SettleTractionForce(limit, 5000, 100, round(limit));
  // 1200, 1600, 1800, 1900, 1950, 1975, 1987.5: the limit then moves 6.25 lbs.
  ASSERT_EQ(forces.size(), 7u);
  EXPECT_EQ(forces.back(), 1987.5);
  EXPECT_EQ(limit, 1993.75);
  EXPECT_EQ(used, 1987.5);

  limit = 1200;
  EXPECT_EQ(SettleTractionForce(limit, 1500, 100, round(limit)), 1500) << "never more than the net force";

  // A limit that never settles is stopped after the rounds allowed.
  forces.clear();
  limit = 100;
  SettleTractionForce(limit, 5000, 100, [&](double force) {
    forces.push_back(force);
    limit = force + 100;
  });
  EXPECT_EQ(forces.size(), 100u);
}

// "T Slip" and the two load shares of a results row are whole numbers,
// rounded half to even as they are stored; the load share adds 0.5 first.
TEST(ResultsRowWholeNumbersTest, RoundedHalfToEvenAsStored) {
  int16_t v = 7;
  ASSERT_TRUE(StoreWhole(v, TireSlipShown(false, 0.875)));
  EXPECT_EQ(v, 12) << "12.5 goes to the even 12";
  StoreWhole(v, TireSlipShown(false, 0.625));
  EXPECT_EQ(v, 38);
  StoreWhole(v, TireSlipShown(true, 0.625));
  EXPECT_EQ(v, 100);

  StoreWhole(v, 0.5 + 61.25);
  EXPECT_EQ(v, 62);
  StoreWhole(v, 0.5 + 60);
  EXPECT_EQ(v, 60) << "60.5 goes to the even 60";
  StoreWhole(v, 0.5 + 61);
  EXPECT_EQ(v, 62);

  EXPECT_FALSE(StoreWhole(v, 40000)) << "beyond 16 bits";
  EXPECT_EQ(v, 62) << "the variable keeps what it held";
}

}  // namespace
}  // namespace sw
