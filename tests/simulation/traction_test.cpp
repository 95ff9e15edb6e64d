#include "simulation/traction.h"

#include <gtest/gtest.h>

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

struct Traction : ::testing::Test {
  void SetUp() override {
    ResetTables();
    ClearRunFault();
  }
  void TearDown() override { EXPECT_FALSE(RunFaultPending()); }
};

// W 3000, w 10, drive flag 0: Tread 20, x 0.5, 0.9 - 0.0112 - 0.0027 + 0.1 =
// 0.9861 before the tire factor.
TEST_F(Traction, WorkedValuesByTireType) {
  struct Case {
    const char* type;
    int16_t code;
    double factor, rolling;
  } cases[] = {{"0", 1, 1.2, 0.006}, {"1", 2, 1.35, 0.005}, {"2", 3, 1.5, 0.006}, {"3", 4, 1.6, 0.006}};
  for (const Case& c : cases) {
    const Tires t = Load("3000", "0", c.type, "10");
    EXPECT_EQ(t.code, c.code) << c.type;
    EXPECT_EQ(t.tread, 20);
    EXPECT_NEAR(t.traction, 0.9861 * c.factor, 1e-12) << c.type;
    EXPECT_EQ(t.rolling, c.rolling) << c.type;
  }
  // Slicks: the engine's power counts (s = 0.5 at 500 HP).
  const Tires s = Load("3000", "0", "4", "10", 500);
  EXPECT_NEAR(s.traction, 1.1 * 0.9861 * (1 + 0.07 * 10 + 0.215 * 0.5 - 0.0474 * 0.25 + 0.5 * 0.0302 * 10), 1e-12);
  EXPECT_EQ(s.rolling, 0.0065);
  // Halves go to even: 1.5 + 1 -> 2, 2.5 + 1 -> 4.
  EXPECT_EQ(Load("3000", "0", "1.5", "10").code, 2);
  EXPECT_EQ(Load("3000", "0", "2.5", "10").code, 4);
}

// x^3 and s^2 are taken as powers, not repeated products: the last digits
// agree with an independent calculation of the same formulas.
TEST_F(Traction, LastDigitsOfTheFormulas) {
  EXPECT_EQ(Load("1155", "0", "0", "4").traction, 1.112175002109375);
  EXPECT_EQ(Load("3000", "0", "4", "10", 1200).traction, 2.44292311824);
}

TEST_F(Traction, DriveWheelsAndTread) {
  EXPECT_EQ(Load("3000", "0", "0", "0").tread, 1);  // w = 0: 1 ...
  EXPECT_EQ(Load("3000", "2", "0", "0").tread, 2);  // ... doubled after the floor when all wheels drive
  EXPECT_EQ(Load("3000", "2", "0", "10").tread, 40);
  EXPECT_EQ(Load("3000", "1", "0", "10").tread, 20);  // front drive: as rear
  // Flag 2 changes nothing below slicks, and adds 15 % with them.
  const Tires a = Load("3000", "0", "2", "10"), b = Load("3000", "3", "2", "10");
  EXPECT_EQ(a.traction, b.traction);
  EXPECT_EQ(a.tread, b.tread);
  EXPECT_NEAR(Load("3000", "3", "4", "10", 600).traction, 1.15 * Load("3000", "0", "4", "10", 600).traction, 1e-12);
}

TEST_F(Traction, FloorsAndEmptySpecs) {
  EXPECT_NEAR(Load("30000", "0", "0", "1").traction, 0.2 * 1.2, 1e-12);  // heavy on a narrow tread: floor 0.2
  EXPECT_NEAR(Load("0", "0", "0", "10").traction, (0.9 + 0.1) * 1.2, 1e-12);  // no load: the most for the tread
  const Tires e = Load("", "", "", "");
  EXPECT_EQ(e.code, 1);
  EXPECT_EQ(e.tread, 1);
  EXPECT_NEAR(e.traction, 0.905 * 1.2, 1e-12);
}

TEST_F(Traction, AbsurdEntriesAreReported) {
  EXPECT_EQ(Load("3000", "0", "99999", "10").code, 1);
  EXPECT_EQ(TakeRunFault().errorNumber, rterr::kOverflow);
  EXPECT_EQ(Load("-1e300", "0", "0", "10").traction, 0.2);
  EXPECT_EQ(TakeRunFault().step, kStepTraction);
}

}  // namespace
}  // namespace sw
