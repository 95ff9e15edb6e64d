// Result rows: gear cells, decimals per column, spin marks, the rollout
// re-basing of earlier rows and the row limit.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "platform/text.h"
#include "simulation/result_rows.h"
#include "simulation/tables.h"

namespace sw {
namespace {

struct RowCase : ::testing::Test {
  void SetUp() override { ResetTables(); }
  ResultsTable& rt = tbl.ResultsText;
  EventValues ev{};
  int16_t shift = 0, spin = 0, samples = 10;
  int row = 1, finish = 0;
  std::string finer = "N";
  double rollout = 10.0 / 12;

  void Write(int kind = 0, double value = 0, double gear = 1) {
    BuildResultRow(shift, rt, row, ev, kind, value, rollout, gear, finer, spin, finish, samples);
  }
  // A row at 0.1 s and 0.3 ft, then the rollout event at 0.25 s and 1 ft.
  void RowThenRollout() {
    ev[1][1] = 0.1;
    ev[1][4] = 0.3;
    Write();
    ev[1][1] = 0.25;
    ev[1][4] = 1;
    rollout = 1;
    Write(kEventDistance, 1);
  }
};

TEST_F(RowCase, GearCells) {
  Write(0, 0, 1);
  EXPECT_EQ(rt[0][1], " 1");
  shift = 1;
  Write(0, 0, 2);
  EXPECT_EQ(rt[0][2], " 2-3");
  EXPECT_EQ(shift, 0) << "the shift flag is cleared on return";
  shift = 1;
  Write(0, 0, 9);
  EXPECT_EQ(rt[0][3], " 9-0") << "the last character of the next gear number";
  EXPECT_EQ(row, 4);
}

TEST_F(RowCase, DecimalsByColumn) {
  ev[1] = {0, 1.2346, 62.346, 1.256, 330.4, 4500.4, 6200.6, 1.234, 12.5, 5, 100, 61, 58};
  Write();
  const char* cells[] = {"1.23", "62.3", "1.26", "330", "4500", "6201", "1.23", "13", nullptr, "100", "61", "58"};
  for (int c = 1; c <= 12; ++c)
    if (cells[c - 1]) { EXPECT_EQ(rt[c][1], cells[c - 1]) << c; }
  finer = "Y";
  Write();
  EXPECT_EQ(rt[1][2], "1.235");
  EXPECT_EQ(rt[2][2], "62.35");
  ev[1][1] = 0.45;
  finer = "N";
  Write();
  EXPECT_EQ(rt[1][3], ".45") << "no zero before the decimal point";
  // With 1 or 2 samples a second (long tracks) the distance is in miles.
  samples = 2;
  ev[1][4] = 2640;
  Write();
  EXPECT_EQ(rt[4][4], ".50");
  samples = 3;
  Write();
  EXPECT_EQ(rt[4][5], "2640");
  // A spinning row shows its Gs with a trailing "S".
  ev[1][3] = 1.25;
  spin = 1;
  Write();
  EXPECT_EQ(rt[3][6], "1.25S");
}

TEST_F(RowCase, RolloutMovesTheZeroOfEarlierRows) {
  rt[1][0] = "0";  // the set-up's row 0 time
  RowThenRollout();
  EXPECT_EQ(rt[0][2], "RO");
  EXPECT_EQ(rt[1][1], "-.15");
  EXPECT_EQ(rt[4][1], "-1") << "-0.7 ft rounds to -1";
  EXPECT_EQ(rt[1][0], "-.25") << "every earlier row with a time, row 0 included";
  EXPECT_EQ(rt[1][2], ".00");
  EXPECT_EQ(rt[4][2], "0");
  EXPECT_EQ(ev[1][1], 0);
  EXPECT_EQ(ev[1][4], 0);
  // Long tracks show no distance there; empty time cells are not rebased.
  ResetTables();
  row = 1;
  samples = 1;
  rt[4][0] = "";
  RowThenRollout();
  EXPECT_EQ(rt[4][1], ".00");
  EXPECT_EQ(rt[1][0], "");
  EXPECT_EQ(rt[4][0], "");
}

TEST_F(RowCase, RowLimit) {
  row = kLastResultsRow;
  ev[1][1] = 9.5;
  Write();
  EXPECT_EQ(row, kLastResultsRow);
  EXPECT_EQ(finish, kLastResultsRow);
  EXPECT_EQ(rt[1][kLastResultsRow], "9.50");
  ev[1][1] = 9.6;
  Write();
  EXPECT_EQ(rt[1][kLastResultsRow], "9.60") << "the last row is written again";
  EXPECT_LT(kLastResultsRow, kResultsRows);
  row = kResultsRows;  // nothing is written outside the table
  Write();
  EXPECT_EQ(row, kResultsRows);
}

std::vector<double> Values(unsigned seed, double lo, double hi, std::vector<double> fixed) {
  std::mt19937_64 rng(seed);
  std::uniform_real_distribution<double> mag(lo, hi);
  std::uniform_int_distribution<long> whole(-2000000, 2000000);
  for (int i = 0; i < 20000; ++i) fixed.push_back((rng() % 2 ? -1 : 1) * std::pow(10.0, mag(rng)));
  // Decimal values and the halves between them, also a few bits off.
  const double scale[] = {1, 10, 100, 1000, 10000, 100000};
  for (int i = 0; i < 20000; ++i) {
    const double h = (whole(rng) + 0.5) / scale[i % 5];
    fixed.insert(fixed.end(), {whole(rng) / scale[i % 6], h, std::nextafter(h, 0.0), std::nextafter(h, 1e300)});
  }
  return fixed;
}

// The shortcuts that write numbers give exactly what the general pattern
// formatter gives, halves and 15-digit roundings included.
TEST(FormatShortcuts, FormatDecimalsMatchesFormat) {
  const char* patterns[] = {"####0", "#####.0", "#####.00", "#####.000", "#####.0000"};
  for (double v : Values(7, -7, 7, {0, -0.0, 0.5, -0.5, 0.005, 0.0049, 0.995, 1.5, 2.5, -2.5, 2.675, 99.995, 9.9996,
                                    999999.5, 1e-9, -1e-9, 0.04999999, 123456789.125, 1e14, -0.25, 5e-5, 4.5e-5,
                                    1e300, std::nan("")}))
    for (int d = 0; d <= 4; ++d) ASSERT_EQ(FormatDecimals(v, d), Format(v, patterns[d])) << v << " " << d;
}

TEST(FormatShortcuts, FormatDecimalsToMatchesFormat) {
  const char* patterns[] = {"####0", "#####.0", "#####.00", "#####.000", "#####.0000", "####0"};
  std::string cell = "x";
  for (double v : Values(11, -6, 10, {0, -0.0, 0.5, -0.5, 0.005, 0.0049, 0.995, 1.5, 2.5, -2.5, 2.675, 1.005, 1.015,
                                      8.345, 99.995, 9.9996, 999999.5, 1e-9, -1e-9, 0.125, -0.7, -0.3, -0.004, 1e9,
                                      -1e9, 999999999.9995, 1e300, std::nan("")}))
    for (int d = 0; d <= 5; ++d) {
      FormatDecimalsTo(v, d, cell);
      ASSERT_EQ(cell, Format(v, patterns[d])) << v << " " << d;
    }
}

}  // namespace
}  // namespace sw
