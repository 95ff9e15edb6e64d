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
  int16_t shift = 0;
  int row = 1;
  int finish = 0;
  int16_t spin = 0;
  int16_t samples = 10;
  std::string finer = "N";
  double rollout = 10.0 / 12;

  void Write(int kind = 0, double value = 0, double gear = 1) {
    BuildResultRow(shift, rt, row, ev, kind, value, rollout, gear, finer, spin, finish, samples);
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
  EXPECT_EQ(rt[1][1], "1.23");
  EXPECT_EQ(rt[2][1], "62.3");
  EXPECT_EQ(rt[3][1], "1.26");
  EXPECT_EQ(rt[4][1], "330");
  EXPECT_EQ(rt[5][1], "4500");
  EXPECT_EQ(rt[6][1], "6201");
  EXPECT_EQ(rt[7][1], "1.23");
  EXPECT_EQ(rt[8][1], "13");
  EXPECT_EQ(rt[10][1], "100");
  EXPECT_EQ(rt[11][1], "61");
  EXPECT_EQ(rt[12][1], "58");

  finer = "Y";
  Write();
  EXPECT_EQ(rt[1][2], "1.235");
  EXPECT_EQ(rt[2][2], "62.35");

  ev[1][1] = 0.45;
  finer = "N";
  Write();
  EXPECT_EQ(rt[1][3], ".45") << "no zero before the decimal point";
}

TEST_F(RowCase, MilesOnLongTracks) {
  samples = 2;
  ev[1][4] = 2640;
  Write();
  EXPECT_EQ(rt[4][1], ".50");
  samples = 3;
  Write();
  EXPECT_EQ(rt[4][2], "2640");
}

TEST_F(RowCase, SpinningRowsAreMarked) {
  ev[1][3] = 1.25;
  spin = 1;
  Write();
  EXPECT_EQ(rt[3][1], "1.25S");
}

TEST_F(RowCase, RolloutMovesTheZeroOfEarlierRows) {
  rt[1][0] = "0";  // the set-up's row 0 time
  ev[1][1] = 0.1;
  ev[1][4] = 0.3;
  Write();
  ev[1][1] = 0.25;
  ev[1][4] = 1;
  rollout = 1;
  Write(kEventDistance, 1);
  EXPECT_EQ(rt[0][2], "RO");
  EXPECT_EQ(rt[1][1], "-.15");
  EXPECT_EQ(rt[4][1], "-1") << "-0.7 ft rounds to -1";
  EXPECT_EQ(rt[1][0], "-.25") << "every earlier row with a time, row 0 included";
  EXPECT_EQ(rt[1][2], ".00");
  EXPECT_EQ(rt[4][2], "0");
  EXPECT_EQ(ev[1][1], 0);
  EXPECT_EQ(ev[1][4], 0);
}

TEST_F(RowCase, RolloutOnLongTracksShowsNoDistance) {
  samples = 1;
  ev[1][1] = 0.1;
  ev[1][4] = 0.3;
  Write();
  ev[1][1] = 0.25;
  ev[1][4] = 1;
  rollout = 1;
  Write(kEventDistance, 1);
  EXPECT_EQ(rt[4][1], ".00");
}

TEST_F(RowCase, EmptyTimeCellsAreNotRebased) {
  rt[4][0] = "";
  ev[1][1] = 0.25;
  ev[1][4] = 1;
  rollout = 1;
  Write(kEventDistance, 1);
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
}

TEST_F(RowCase, NothingIsWrittenOutsideTheTable) {
  row = kResultsRows;
  Write();
  EXPECT_EQ(row, kResultsRows);
}

// The fast path of FormatDecimals gives exactly what the general pattern
// formatter gives.
TEST(FormatDecimals, MatchesFormat) {
  const char* patterns[] = {"####0", "#####.0", "#####.00", "#####.000", "#####.0000"};
  std::mt19937_64 rng(7);
  std::uniform_real_distribution<double> mag(-7, 7);
  std::uniform_int_distribution<int> sign(0, 1);
  std::vector<double> values = {0, -0.0, 0.5, -0.5, 0.005, 0.0049, 0.995, 1.5, 2.5, -2.5, 2.675, 99.995, 9.9996,
                                999999.5, 1e-9, -1e-9, 0.04999999, 123456789.125, 1e14, -0.25, 5e-5, 4.5e-5};
  for (int i = 0; i < 20000; ++i) values.push_back((sign(rng) ? -1 : 1) * std::pow(10.0, mag(rng)));
  for (int i = 0; i < 2000; ++i) values.push_back(std::round(mag(rng) * 1000) / 1000);
  for (double v : values)
    for (int d = 0; d <= 4; ++d) ASSERT_EQ(FormatDecimals(v, d), Format(v, patterns[d])) << v << " " << d;
  EXPECT_EQ(FormatDecimals(0.5, 2), ".50");
  EXPECT_EQ(FormatDecimals(-0.25, 2), "-.25");
  EXPECT_EQ(FormatDecimals(0, 0), "0");
  EXPECT_EQ(FormatDecimals(1.5, 7), "2");
  EXPECT_EQ(FormatDecimals(std::nan(""), 2), Format(std::nan(""), "#####.00"));
  EXPECT_EQ(FormatDecimals(1e300, 0), Format(1e300, "####0"));
}

// The cells of a results row are written by a shorter way that must give
// exactly what FormatDecimals gives, halves and 15-digit roundings included.
TEST(FormatCell, MatchesFormatDecimals) {
  std::mt19937_64 rng(11);
  std::uniform_real_distribution<double> mag(-6, 10);
  std::uniform_int_distribution<int> sign(0, 1);
  std::uniform_int_distribution<long> whole(-2000000, 2000000);
  std::vector<double> values = {0,     -0.0,  0.5,   -0.5,  0.005, 0.0049, 0.995,   1.5,        2.5,  -2.5,
                                2.675, 1.005, 1.015, 8.345, 99.995, 9.9996, 999999.5, 1e-9, -1e-9, 0.125,
                                -0.7,  -0.3,  -0.004, 1e9,  -1e9,  999999999.9995, 1e300, std::nan("")};
  for (int i = 0; i < 30000; ++i) values.push_back((sign(rng) ? -1 : 1) * std::pow(10.0, mag(rng)));
  // Decimal values and the halves between them, also a few bits off.
  for (int i = 0; i < 30000; ++i) {
    const double scale[] = {1, 10, 100, 1000, 10000, 100000};
    const double v = whole(rng) / scale[i % 6];
    const double h = (whole(rng) + 0.5) / scale[i % 5];
    values.insert(values.end(), {v, h, std::nextafter(h, 0.0), std::nextafter(h, 1e300)});
  }
  std::string cell = "x";
  for (double v : values)
    for (int d = 0; d <= 5; ++d) {
      FormatCell(v, d, cell);
      ASSERT_EQ(cell, FormatDecimals(v, d)) << v << " " << d;
    }
}

}  // namespace
}  // namespace sw
