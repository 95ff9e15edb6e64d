#include "specs/driving_rules.h"

#include <cstring>

#include "simulation/run_test_support.h"

namespace sw::test {
namespace {

TEST(DrivingRules, ConverterFromTheTransmissionSpecs) {
  struct Case {
    int type;
    double marker;
    int converter;
  };
  for (const Case& c : {Case{3, 0, 1}, Case{5, 2, 1}, Case{5, 1, 0}, Case{5, 0, 0}, Case{4, 0, 0}, Case{0, 2, 0},
                        Case{1, 0, 0}, Case{2, 0, 0}})
    EXPECT_EQ(ConverterDriveFor(c.type, c.marker), c.converter) << c.type << " " << c.marker;
}

// Rows 0..12 as a string of 1 (on) and 0 (off).
std::string On(bool converter, int type, int shiftTime, int shiftRpms, std::array<double, 7> ratios = {}) {
  DrivingChoices c{converter, type, shiftTime, shiftRpms, ratios};
  std::string out;
  for (bool on : DrivingRowsOn(c)) out += on ? '1' : '0';
  return out;
}

TEST(DrivingRules, RowsThatApply) {
  const std::array<double, 7> threeSpeed{0, 2.6, 1.6, 1.0, 0, 0, 0};
  const std::array<double, 7> sixSpeed{0, 3, 2, 1.5, 1.2, 1, .8};
  struct Case {
    bool converter;
    int type, shiftTime, shiftRpms;
    std::array<double, 7> ratios;
    const char* rows;  // rows 0..12
  };
  for (const Case& c : {
           //                                     0123456789012
           Case{false, 0, 0, 0, threeSpeed, "1100011100000"},  // program's launch: only the launch RPM
           Case{false, 2, 0, 0, threeSpeed, "1100011100000"},
           Case{false, 1, 0, 0, threeSpeed, "1111111100000"},
           Case{false, 1, 3, 0, threeSpeed, "1111110100000"},  // power shift: no shift throttle
           Case{false, 1, 2, 1, threeSpeed, "1111111111000"},  // 1-2 and 2-3 of a three-speed
           Case{false, 1, 2, 1, sixSpeed, "1111111111111"},
           Case{true, 0, 0, 0, threeSpeed, "1000010100000"},   // converter: no launch rows
           Case{true, 1, 1, 0, threeSpeed, "1001110100000"},   // own launch: throttle and time only
           Case{true, 1, 0, 1, {0, 2.48, 1.48, 1.0, -1, 0, 0}, "1001110111000"},
           Case{false, -1, -1, -1, {}, "1111111100000"},       // nothing picked: no gears to shift to
       })
    EXPECT_EQ(On(c.converter, c.type, c.shiftTime, c.shiftRpms, c.ratios), c.rows)
        << c.converter << " " << c.type << " " << c.shiftTime << " " << c.shiftRpms;
}

TEST(DrivingRules, ShiftRpmQuestion) {
  ShiftRpmTable s;
  s.fill(kNoShift);
  s[1] = 6342.4;
  s[2] = 6512.9;
  const std::array<std::string, 6> current{"", " 6000 ", "6200", "", "", ""};
  const std::string head = "           Current                Calculated\r\r";
  const std::string start = "The program would use these RPMs for shifting:\r\r";
  const std::string end = "\rDo you want to use these calculated shift RPMs?";
  EXPECT_EQ(ShiftRpmQuestion(current, s), start + head + std::string(13, ' ') + "6000" + std::string(21, ' ') + " " +
                                              " 6342.4\r" + std::string(13, ' ') + "6200" + std::string(21, ' ') +
                                              " " + " 6512.9\r" + end);
  // The blanks a short number lacks; an empty text reads as 0.
  const std::array<std::string, 6> small{"", "", "5", "50", "500", "50000"};
  for (int j = 1; j <= 5; ++j) s[j] = 1000 * j;
  EXPECT_EQ(ShiftRpmQuestion(small, s),
            start + head + std::string(13 + 25 + 4, ' ') + " 1000\r" + std::string(13, ' ') + "5" +
                std::string(24 + 4, ' ') + " 2000\r" + std::string(13, ' ') + "50" + std::string(23 + 3, ' ') +
                " 3000\r" + std::string(13, ' ') + "500" + std::string(22 + 2, ' ') + " 4000\r" +
                std::string(13, ' ') + "50000" + std::string(20, ' ') + " 5000\r" + end);
  // No gear change at all: the header alone.
  s.fill(kNoShift);
  s[3] = 99000;
  EXPECT_EQ(ShiftRpmQuestion(current, s), start + head + end);
}

TEST(DrivingRules, RoundedToTheNearestHundred) {
  for (auto [rpm, text] : {std::pair{6342.4, "6300"}, {6512.9, "6500"}, {5780.0, "5800"}, {5830.0, "5800"},
                           {5950.0, "6000"}, {5849.0, "5800"}})
    EXPECT_EQ(RoundedShiftRpm(rpm), text) << rpm;
}

struct ComputedShifts : RunTest {};

TEST_F(ComputedShifts, TheCurveAsEnteredAndTheRunLeftAlone) {
  Load(kMuscleCar);
  // What the run left: its own curve and a fault still to report.
  tbl.EngineCurve[1][3] = 123.5;
  double before[3][kEngineCurveRows];
  std::memcpy(before, tbl.EngineCurve, sizeof before);
  const ShiftRpmTable s = ComputerShiftRpms();
  EXPECT_EQ(std::memcmp(before, tbl.EngineCurve, sizeof before), 0);
  EXPECT_FALSE(RunFaultPending());

  double hp = 0, hpRpm = 0, tq = 0, tqRpm = 0, mid = 0, limit = 0, top = 0;
  int rows = 0;
  BuildEngineCurve(TheRunsCurve(), hp, hpRpm, tq, tqRpm, rows, mid, 1.0, limit, top);
  ShiftRpmTable direct;
  direct.fill(kNoShift);
  CalcShiftRPMs(hp, hpRpm, rows, tbl.SpecText, tbl.SpecMenuStart, direct, tq);
  EXPECT_EQ((Nums{s[1], s[2], s[3], s[4], s[5]}), (Nums{direct[1], direct[2], direct[3], direct[4], direct[5]}));
  EXPECT_EQ((Nums{s[1], s[2], s[3], s[4]}), (Nums{5780, 5830, 5950, kNoShift}));

  ReportRunFault(rterr::kOverflow, 1);
  ComputerShiftRpms();
  EXPECT_TRUE(RunFaultPending());
}

TEST_F(ComputedShifts, NoCurveNoShifts) {
  Load(kMuscleCar);
  for (int k = 0; k <= 6; ++k) SpecAt(kEngine, k) = "";
  const ShiftRpmTable s = ComputerShiftRpms();
  for (int j = 1; j <= 6; ++j) EXPECT_FALSE(ShiftTakesPlace(s[j])) << j;
  EXPECT_FALSE(RunFaultPending());
}

}  // namespace
}  // namespace sw::test
