// The run log: when a sample is stored and what each column holds.
#include <gtest/gtest.h>

#include "simulation/run_log.h"
#include "simulation/tables.h"

namespace sw {
namespace {

struct LogCase : ::testing::Test {
  void SetUp() override { ResetTables(); }
  int16_t first = 0, samples = 10, last = 0, status = 0;
  double speed = 100, distance = 500, accel = 16, rpm = 6000, torque = 400, throttle = 1;
  int16_t converter = 0, simple = 0;
  double shown = 80;
  int16_t shifting = 0;
  double launchClutch = 0.3;
  int16_t counter = 1;
  double clutchRpm = 5800, shiftThrottle = 0.5, ceiling = 7000;

  void Log(double t) {
    LogRunSample(first, t, samples, last, status, speed, distance, accel, rpm, torque, throttle, converter, simple,
                 shown, shifting, launchClutch, counter, clutchRpm, shiftThrottle, ceiling);
  }
};

TEST_F(LogCase, TimeZeroIsAlwaysStored) {
  for (int16_t s : {0, 1, -1}) {
    status = s;
    counter = 1;
    Log(0);
    EXPECT_EQ(counter, 2) << "status " << s;
  }
}

TEST_F(LogCase, OneSampleEachTenth) {
  Log(0.09);
  EXPECT_EQ(counter, 1) << "Int(0.9) = 0 is not past the last stored step 0";
  Log(0.1);
  EXPECT_EQ(counter, 2);
  EXPECT_EQ(last, 1);
  Log(0.195);
  Log(0.199);
  EXPECT_EQ(counter, 2);
  Log(0.2);
  EXPECT_EQ(counter, 3);
  EXPECT_DOUBLE_EQ(tbl.RunLog[0][2], 0.2);
}

TEST_F(LogCase, FirstSampleFlagForcesOneRow) {
  Log(0.1);
  first = 1;
  Log(0.15);
  EXPECT_EQ(counter, 3);
  EXPECT_EQ(first, 0);
  Log(0.16);
  EXPECT_EQ(counter, 3);
}

TEST_F(LogCase, RepeatedSearchPassesLogOnlyForcedRows) {
  status = 1;
  Log(0.5);
  EXPECT_EQ(counter, 1);
  status = -1;
  Log(0.6);
  EXPECT_EQ(counter, 1);
  first = 1;
  Log(0.7);
  EXPECT_EQ(counter, 2);
}

TEST_F(LogCase, Columns) {
  Log(0);
  auto& l = tbl.RunLog;
  EXPECT_DOUBLE_EQ(l[0][1], 0);
  EXPECT_DOUBLE_EQ(l[1][1], 6000);
  EXPECT_DOUBLE_EQ(l[2][1], 68);
  EXPECT_DOUBLE_EQ(l[3][1], 500);
  EXPECT_DOUBLE_EQ(l[4][1], 16 * 0.0311);
  EXPECT_DOUBLE_EQ(l[5][1], 6000 * 400 / 5252.0);
  EXPECT_DOUBLE_EQ(l[6][1], 100);
  EXPECT_DOUBLE_EQ(l[7][1], 30);
  EXPECT_DOUBLE_EQ(l[8][1], 5800);
}

TEST_F(LogCase, CeilingNegativeTorqueAndClutchColumn) {
  rpm = 7500;
  torque = -50;
  Log(0);
  EXPECT_DOUBLE_EQ(tbl.RunLog[1][1], 7000) << "logged at the ceiling";
  EXPECT_DOUBLE_EQ(tbl.RunLog[5][1], 0) << "no negative HP";
  rpm = 7500;
  torque = 400;
  shifting = 1;
  Log(0);
  EXPECT_DOUBLE_EQ(tbl.RunLog[5][2], 0.5 * 7500 * 400 / 5252) << "HP from the uncapped RPM and the shift throttle";
  EXPECT_DOUBLE_EQ(tbl.RunLog[6][2], 50);
  EXPECT_DOUBLE_EQ(tbl.RunLog[7][2], 0) << "clutch out during a shift";
  shifting = 0;
  simple = 1;
  Log(0);
  EXPECT_DOUBLE_EQ(tbl.RunLog[7][3], 80) << "simple launch: the throttle shown";
  converter = 1;
  simple = 0;
  Log(0);
  EXPECT_DOUBLE_EQ(tbl.RunLog[7][4], 100);
  simple = 1;
  Log(0);
  EXPECT_DOUBLE_EQ(tbl.RunLog[7][5], 80);
}

TEST_F(LogCase, RowsPastTheTableAreCountedNotStored) {
  counter = kLastRunLogRow;
  Log(0);
  EXPECT_EQ(counter, kLastRunLogRow + 1);
  Log(0);
  EXPECT_EQ(counter, kLastRunLogRow + 2);
  counter = INT16_MAX;
  Log(0);
  EXPECT_EQ(counter, INT16_MAX);
}

}  // namespace
}  // namespace sw
