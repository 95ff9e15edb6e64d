#include "simulation/traction.h"

#include <gtest/gtest.h>

#include <cmath>

#include "simulation/run_fault.h"
#include "simulation/tables.h"

namespace sw {
namespace {

struct Tires {
  int16_t code = -1;
  double tread = -1, traction = -1, rolling = -1;
};

Tires Load(const char* weight, const char* drive, const char* tireType, const char* tread, double hp = 400) {
  SpecAt(kVehicle, 0) = weight;
  SpecAt(kVehicle, 4) = drive;
  SpecAt(kTires, 6) = tireType;
  SpecAt(kTires, 7) = tread;
  Tires t;
  VehicleLoadSpecs(t.code, t.tread, t.traction, hp, t.rolling);
  return t;
}

class Traction : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetTables();
    ClearRunFault();
  }
  void TearDown() override { EXPECT_FALSE(RunFaultPending()); }
};

TEST_F(Traction, WorkedValue) {
  const Tires t = Load("3000", "0", "0", "10");
  EXPECT_EQ(t.code, 1);
  EXPECT_EQ(t.tread, 20);
  EXPECT_NEAR(t.traction, 0.9861 * 1.2, 1e-12);
  EXPECT_EQ(t.rolling, 0.006);
}

TEST_F(Traction, TireTypes) {
  Tires t = Load("3000", "0", "1", "10");
  EXPECT_EQ(t.code, 2);
  EXPECT_NEAR(t.traction, 0.9861 * 1.35, 1e-12);
  EXPECT_EQ(t.rolling, 0.005);
  t = Load("3000", "0", "2", "10");
  EXPECT_NEAR(t.traction, 0.9861 * 1.5, 1e-12);
  EXPECT_EQ(t.rolling, 0.006);
  t = Load("3000", "0", "3", "10");
  EXPECT_NEAR(t.traction, 0.9861 * 1.6, 1e-12);
  EXPECT_EQ(t.rolling, 0.006);
  // Slicks: the engine's power counts, s = 0.5.
  t = Load("3000", "0", "4", "10", 500);
  const double s = 0.5;
  const double expected = 1.1 * 0.9861 * (1 + 0.07 * 10 + 0.215 * s - 0.0474 * s * s + s * 0.0302 * 10);
  EXPECT_NEAR(t.traction, expected, 1e-12);
  EXPECT_EQ(t.rolling, 0.0065);
  // Halves go to even: 1.5 + 1 -> 2, 2.5 + 1 -> 4.
  EXPECT_EQ(Load("3000", "0", "1.5", "10").code, 2);
  EXPECT_EQ(Load("3000", "0", "2.5", "10").code, 4);
}

TEST_F(Traction, PowersAreTakenBeforeTheirProducts) {
  // 0.0216 x x^3 and 0.0474 x s^2: for these figures repeated products
  // would differ in the last digit.
  const double x = (1155 / (2 * 8.0)) / 150;
  const double base = 0.9 - 0.0224 * x - 0.0216 * std::pow(x, 3) + 0.005 * 8;
  ASSERT_NE(base, 0.9 - 0.0224 * x - 0.0216 * x * x * x + 0.005 * 8);
  EXPECT_EQ(Load("1155", "0", "0", "4").traction, base * (1.05 + 0.15 * 1));

  const double s = 1.2, tread = 20, b20 = 0.9861;
  const double slick = 1 + 0.07 * tread / 2 + 0.215 * s - 0.0474 * std::pow(s, 2) + s * 0.0302 * tread / 2;
  ASSERT_NE(slick, 1 + 0.07 * tread / 2 + 0.215 * s - 0.0474 * s * s + s * 0.0302 * tread / 2);
  const double x20 = (3000 / (2 * tread)) / 150;
  const double t20 = 0.9 - 0.0224 * x20 - 0.0216 * std::pow(x20, 3) + 0.005 * tread;
  ASSERT_NEAR(t20, b20, 1e-12);
  EXPECT_EQ(Load("3000", "0", "4", "10", 1200).traction, 1.1 * t20 * slick);
}

TEST_F(Traction, DriveWheelsAndTread) {
  EXPECT_EQ(Load("3000", "0", "0", "0").tread, 1);
  EXPECT_EQ(Load("3000", "2", "0", "0").tread, 2);    // all wheels drive: doubled after the floor
  EXPECT_EQ(Load("3000", "2", "0", "10").tread, 40);
  EXPECT_EQ(Load("3000", "1", "0", "10").tread, 20);  // front drive: as rear
  // Flag 2 changes nothing below slicks ...
  const Tires a = Load("3000", "0", "2", "10"), b = Load("3000", "3", "2", "10");
  EXPECT_EQ(a.traction, b.traction);
  EXPECT_EQ(a.tread, b.tread);
  // ... and adds 15 % with them.
  const Tires c = Load("3000", "0", "4", "10", 600), d = Load("3000", "3", "4", "10", 600);
  EXPECT_NEAR(d.traction, 1.15 * c.traction, 1e-12);
}

TEST_F(Traction, Floors) {
  // A heavy car on a narrow tread: the coefficient floors at 0.2 before the
  // tire factor.
  const Tires t = Load("30000", "0", "0", "1");
  EXPECT_NEAR(t.traction, 0.2 * 1.2, 1e-12);
  // No weight: no load, the most traction for the tread.
  const Tires z = Load("0", "0", "0", "10");
  EXPECT_NEAR(z.traction, (0.9 + 0.1) * 1.2, 1e-12);
  const Tires e = Load("", "", "", "");
  EXPECT_EQ(e.code, 1);
  EXPECT_EQ(e.tread, 1);
  EXPECT_NEAR(e.traction, 0.905 * 1.2, 1e-12);
}

TEST_F(Traction, AbsurdEntriesAreReported) {
  Tires t = Load("3000", "0", "99999", "10");
  EXPECT_EQ(TakeRunFault().errorNumber, rterr::kOverflow);
  EXPECT_EQ(t.code, 1);
  t = Load("-1e300", "0", "0", "10");
  EXPECT_EQ(TakeRunFault().step, kStepTraction);
  EXPECT_EQ(t.traction, 0.2);
}

}  // namespace
}  // namespace sw
