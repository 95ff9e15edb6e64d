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
  const decltype(tbl.RunLog)& l = tbl.RunLog;

  int16_t Log(double t) {
    LogRunSample(first, t, samples, last, status, speed, distance, accel, rpm, torque, throttle, converter, simple,
                 shown, shifting, launchClutch, counter, clutchRpm, shiftThrottle, ceiling);
    return counter;
  }
};

TEST_F(LogCase, WhenASampleIsStored) {
  for (int16_t s : {0, 1, -1}) {  // time 0: always
    status = s;
    counter = 1;
    EXPECT_EQ(Log(0), 2) << "status " << s;
  }
  status = 0;
  counter = 1;
  EXPECT_EQ(Log(0.09), 1) << "Int(0.9) = 0 is not past the last stored step 0";
  EXPECT_EQ(Log(0.1), 2);
  EXPECT_EQ(last, 1);
  EXPECT_EQ(Log(0.195), 2);  // 10 a second: nothing until 0.2 s
  EXPECT_EQ(Log(0.199), 2);
  EXPECT_EQ(Log(0.2), 3);
  EXPECT_DOUBLE_EQ(l[0][2], 0.2);
  first = 1;  // the first-sample flag forces one row
  EXPECT_EQ(Log(0.25), 4);
  EXPECT_EQ(first, 0);
  EXPECT_EQ(Log(0.26), 4);
  // Repeated search passes log only forced rows.
  for (auto [s, t] : {std::pair{1, 0.5}, {-1, 0.6}}) {
    status = static_cast<int16_t>(s);
    EXPECT_EQ(Log(t), 4) << s;
  }
  first = 1;
  EXPECT_EQ(Log(0.7), 5);
}

TEST_F(LogCase, Columns) {
  Log(0);
  const double row[] = {0, 6000, 68, 500, 16 * 0.0311, 6000 * 400 / 5252.0, 100, 30, 5800};
  for (int c = 0; c <= 8; ++c) EXPECT_DOUBLE_EQ(l[c][1], row[c]) << c;
  // Above the ceiling: logged at the ceiling; a negative torque gives 0 HP.
  rpm = 7500;
  torque = -50;
  Log(0);
  EXPECT_DOUBLE_EQ(l[1][2], 7000);
  EXPECT_DOUBLE_EQ(l[5][2], 0);
  // During a shift with a clutch: HP from the uncapped RPM and the shift
  // throttle, and the clutch out.
  torque = 400;
  shifting = 1;
  Log(0);
  EXPECT_DOUBLE_EQ(l[5][3], 0.5 * 7500 * 400 / 5252);
  EXPECT_DOUBLE_EQ(l[6][3], 50);
  EXPECT_DOUBLE_EQ(l[7][3], 0);
  // Column 7: the throttle shown in a simple launch, 100 with a converter.
  shifting = 0;
  for (auto [conv, simpleLaunch, want] : {std::tuple{0, 1, 80.0}, {1, 0, 100.0}, {1, 1, 80.0}}) {
    converter = static_cast<int16_t>(conv);
    simple = static_cast<int16_t>(simpleLaunch);
    Log(0);
    EXPECT_DOUBLE_EQ(l[7][counter - 1], want) << conv << simpleLaunch;
  }
}

TEST_F(LogCase, RowsPastTheTableAreCountedNotStored) {
  counter = kLastRunLogRow;
  EXPECT_EQ(Log(0), kLastRunLogRow + 1);
  EXPECT_EQ(Log(0), kLastRunLogRow + 2);
  counter = INT16_MAX;
  EXPECT_EQ(Log(0), INT16_MAX);
}

}  // namespace
}  // namespace sw
