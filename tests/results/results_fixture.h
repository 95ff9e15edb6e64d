// A realistic last run for the results tests: a 4-speed clutch car on a
// quarter mile (11.48 s at 127.93 MPH), its engine curve with the torque
// peak at 4500 RPM, and two runs in the history.
#pragma once

#include <array>
#include <string>

#include "platform/text.h"
#include "simulation/tables.h"

namespace sw::testing {

inline const char* const kRun[][11] = {
    {" 1", "-.26", ".0", ".85", "-1", "0", "4500", "1.00", "100", "0", "100"},
    {"RO", "0", "4.1", ".92", "0", "1250", "4380", "1.00", "71", "8", "100"},
    {" 1", "1.62", "39.8", ".88", "60", "5710", "5710", "1.00", "0", "4", "100"},
    {" 1", "2.48", "60.0", ".70", "121", "6870", "6870", "1.00", "0", "2", "100"},
    {" 1-2", "2.86", "64.9", ".58", "156", "7200", "7200", "1.00", "0", "2", "100"},
    {" 2", "3.16", "66.2", ".31", "185", "5020", "5450", "1.00", "8", "1", "100"},
    {" 2", "4.62", "84.6", ".52", "330", "6350", "6350", "1.00", "0", "1", "100"},
    {" 2-3", "5.21", "90.7", ".45", "404", "7200", "7200", "1.00", "0", "1", "100"},
    {" 3", "5.51", "91.4", ".22", "443", "5240", "5600", "1.00", "6", "0", "100"},
    {" 3", "6.58", "100.0", ".40", "586", "5980", "5980", "1.00", "0", "0", "100"},
    {" 3", "7.08", "104.6", ".38", "660", "6240", "6240", "1.00", "0", "0", "100"},
    {" 3-4", "7.98", "111.2", ".33", "803", "7200", "7200", "1.00", "0", "0", "100"},
    {" 4", "8.26", "111.9", ".15", "848", "5510", "5790", "1.00", "5", "0", "100"},
    {" 4", "9.81", "121.5", ".27", "1000", "6010", "6010", "1.00", "0", "0", "100"},
    {" 4", "11.48", "127.9", ".21", "1320", "6330", "6330", "1.00", "0", "0", "100"},
};
inline constexpr int kRunRows = sizeof(kRun) / sizeof(kRun[0]);

// One history entry.
struct Entry {
  std::string title, et;
  double mph, length, densAlt, dryDensAlt;
  std::string sixty, t330, eighthEt, eighthMph, t1000, name;
};

inline void SetEntry(int slot, const Entry& e) {
  tbl.HistoryTitle[slot] = e.title;
  tbl.HistoryEt[slot] = e.et;
  tbl.HistoryMph[slot] = e.mph;
  tbl.HistoryLength[slot] = e.length;
  tbl.HistoryDensAlt[slot] = e.densAlt;
  tbl.HistoryDryDensAlt[slot] = e.dryDensAlt;
  tbl.History60ft[slot] = e.sixty;
  tbl.History330ft[slot] = e.t330;
  tbl.History8thEt[slot] = e.eighthEt;
  tbl.History8thMph[slot] = e.eighthMph;
  tbl.History1000ft[slot] = e.t1000;
  tbl.HistoryName[slot] = e.name;
}

// The engine: a small-block's curve, torque peak 4500 RPM.
inline void SetEngine() {
  SpecAt(kEngine, 0) = "2";
  static const char* kCurve[][3] = {{"3000", "380", "217"}, {"3500", "405", "270"}, {"4000", "425", "324"},
                                    {"4500", "440", "377"}, {"5000", "432", "411"}, {"5500", "415", "435"},
                                    {"6000", "390", "446"}, {"6500", "355", "439"}, {"7000", "315", "420"}};
  for (int i = 0; i < 9; ++i)
    for (int j = 0; j < 3; ++j) tbl.PowerCurveText[i][j] = kCurve[i][j];
}

// The last run as the run leaves it, before the results window fills row 0.
inline void SetLastRun() {
  for (int c = 0; c < kResultsCols; ++c)
    for (int r = 0; r < kResultsRows; ++r) tbl.ResultsText[c][r].clear();
  tbl.ResultsText[1][0] = "0";
  for (int r = 0; r < kRunRows; ++r)
    for (int c = 0; c < 11; ++c) tbl.ResultsText[c][r + 1] = kRun[r][c];
  tbl.FinishRow = kRunRows;
  tbl.ConverterDrive = 0;
  SpecAt(kDriving, 0) = "1";  // a driving style that watches tire spin
  SpecAt(kConditions, 7) = "1";
  tbl.RunTotal1 = 10000 * (2 + 1) + 5020;  // lowest RPM 5020 in gear 2
  tbl.RunTotal2 = 0.6;                      // 5 % clutch slip
  tbl.RunTotal3 = 0;
  tbl.RunTotal4 = 0.3;                      // 3 % tire spin
  tbl.ShiftTime = 0.2;
  tbl.RunLogRows = 120;
  for (int r = 0; r <= 121; ++r) {
    tbl.RunLog[0][r] = r * 0.1;
    for (int c = 1; c < kRunLogCols; ++c) tbl.RunLog[c][r] = r * c;
  }
  SetEntry(0, {"MUSCLE69: Mon Dec 7 26  8:05 pm", "11.48", 127.93, 1320, 2450, 2210, "1.62", "4.62", "7.08", "104.6",
               "9.81", "C"});
  SetEntry(1, {"MUSCLE69: Mon Dec 7 26  7:58 pm", "11.55", 127.1, 1320, 2480, 2230, "1.66", "4.69", "7.13", "104.1",
               "9.87", "B"});
  SetEntry(2, {"BRACKET: Sun Dec 6 26  3:12 pm", "6.21", 105.44, 660, 1900, 1750, "1.41", "3.92", "6.21", "105.44", "",
               "A"});
}

}  // namespace sw::testing
