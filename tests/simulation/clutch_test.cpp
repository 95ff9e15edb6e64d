#include "simulation/clutch.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "simulation/tables.h"

namespace sw {
namespace {

struct Clutch {
  double capacity = -1, perRpm2 = -1, perLb = -1, diameter = -1, force = -1, disks = -1;
  int16_t status = 0;
};

Clutch Specs(double powerFactor, double peakTorque, double peakPowerRpm, int16_t status = 0) {
  Clutch c;
  c.status = status;
  ClutchSpecs(c.capacity, c.perRpm2, c.perLb, c.status, c.diameter, c.force, c.disks, powerFactor, peakTorque,
              peakPowerRpm);
  return c;
}

// The user's clutch: diameter, clamp force, disks, material; type "0" estimates.
void UserClutch(const char* diameter, const char* force, const char* disks, const char* material,
                const char* type = "1") {
  const char* rows[] = {type, diameter, force, disks, material};
  for (int k = 0; k < 5; ++k) SpecAt(kTransmission, k) = rows[k];
}

struct ClutchTest : ::testing::Test {
  void SetUp() override { ResetTables(); }
};

TEST_F(ClutchTest, UsersClutchWorkedValues) {
  UserClutch("10", "2000", "1", "0");
  Clutch c = Specs(1.1, 500, 6000);
  EXPECT_DOUBLE_EQ(c.perLb, 0.2625);  // 2 x 9 / 24 x 0.35
  EXPECT_DOUBLE_EQ(c.capacity, 525);
  EXPECT_EQ((std::vector<double>{c.perRpm2, c.diameter, c.force, c.disks}), (std::vector<double>{0, 10, 2000, 1}));
  UserClutch("10", "2000", "1", "1");
  c = Specs(1.1, 500, 6000);
  EXPECT_DOUBLE_EQ(c.perLb, 0.2325);
  EXPECT_DOUBLE_EQ(c.capacity, 465);
  UserClutch("10", "2000", "2", "0");  // two disks hold twice as much
  EXPECT_DOUBLE_EQ(Specs(1, 500, 6000).capacity, 1050);
  UserClutch("1", "2000", "1", "0");  // 1 in or less holds nothing (the input check warns)
  EXPECT_EQ(Specs(1, 500, 6000).capacity, 0);
  UserClutch("", "", "", "");
  c = Specs(1, 500, 6000);
  EXPECT_TRUE(std::isfinite(c.capacity));
  EXPECT_LE(c.capacity, 0);
}

TEST_F(ClutchTest, SearchStatusForClampForce) {
  UserClutch("10", "5001", "1", "0");
  EXPECT_EQ(Specs(1, 500, 6000, -1).status, -2);
  EXPECT_EQ(Specs(1, 500, 6000, 0).status, 0);  // only a search's status changes
  EXPECT_EQ(Specs(1, 500, 6000, 3).status, 3);
  UserClutch("10", "5000", "1", "0");
  EXPECT_EQ(Specs(1, 500, 6000, -1).status, -1);
  UserClutch("10", "9000", "1", "0", "0");  // an estimated clutch never trips it
  EXPECT_EQ(Specs(1, 500, 6000, -1).status, -1);
}

TEST_F(ClutchTest, EstimatedClutch) {
  SpecAt(kTransmission, 0) = "0";
  Clutch c = Specs(1, 400, 6000);
  // Starts at 10 in (140000 / 14000) and is corrected five times.
  EXPECT_NEAR(c.diameter, 5.936734, 1e-6);
  EXPECT_EQ(c.disks, 3);
  EXPECT_NEAR(c.force, 1276.761, 1e-3);
  EXPECT_NEAR(c.perLb, 0.407281, 1e-6);
  EXPECT_NEAR(c.capacity, 520, 1e-9);  // the engine's torque x 1.3
  EXPECT_EQ(c.perRpm2, 0);
  EXPECT_EQ((std::vector<double>{double(LastClutchWork().iterations), LastClutchWork().mu}),
            (std::vector<double>{5, 0.33}));
  // The uncorrected torque: a power factor of 0.5 doubles what it must hold.
  EXPECT_NEAR(Specs(0.5, 2000, 8000).capacity, 5200, 1e-9);
  // Above 20000 RPM the estimate starts at the 5 in floor and needs no correction.
  c = Specs(1, 400, 25000);
  EXPECT_EQ(c.diameter, 5);
  EXPECT_EQ(LastClutchWork().iterations, 0);
  EXPECT_EQ(c.disks, 5);
  // Below about 3667 RPM it starts at the 12 in ceiling: 3000 and 3500 design the same clutch.
  const Clutch low = Specs(1, 400, 3000), lower = Specs(1, 400, 3500);
  EXPECT_EQ(low.diameter, lower.diameter);
  EXPECT_NEAR(low.diameter, 6.139342, 1e-6);
  EXPECT_EQ(low.force, lower.force);
  // The user's rows are ignored when the check asked for an estimate.
  UserClutch("10", "2000", "1", "0");
  tbl.EstimateClutch = 1;
  EXPECT_NEAR(Specs(1, 400, 6000).diameter, 5.936734, 1e-6);
}

TEST_F(ClutchTest, EstimateBounds) {
  SpecAt(kTransmission, 0) = "0";
  for (double torque : {-100.0, 0.0, 1.0, 50.0, 300.0, 800.0, 2500.0, 1e6})
    for (double rpm : {-9000.0, -8000.0, 0.0, 2000.0, 3667.0, 6000.0, 9000.0, 20000.0, 40000.0})
      for (double factor : {0.0, 0.1, 1.0, 1.3}) {
        const Clutch c = Specs(factor, torque, rpm);
        SCOPED_TRACE(std::to_string(torque) + " " + std::to_string(rpm) + " " + std::to_string(factor));
        EXPECT_GE(c.diameter, 5);
        EXPECT_LE(c.diameter, 12);
        EXPECT_GE(c.disks, 1);
        EXPECT_LE(c.disks, 6);
        EXPECT_EQ(c.disks, std::floor(c.disks));
        EXPECT_TRUE(std::isfinite(c.capacity) && std::isfinite(c.force) && std::isfinite(c.perLb));
      }
  EXPECT_EQ(Specs(1, 1500, 6000).disks, 6);  // a big engine gets every disk it may have
  EXPECT_EQ(Specs(1, 100, 6000).disks, 1);
}

}  // namespace
}  // namespace sw
