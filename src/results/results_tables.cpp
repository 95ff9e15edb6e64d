#include "results/results_tables.h"

#include <algorithm>

#include "platform/text.h"
#include "simulation/tables.h"

namespace sw {

const char* const kHistoryHelpLine =
    "Click on Test Title (1st column) to change it or to retrieve specs which produced those results.  Click in "
    "other columns for definitions.";

std::string TimeFormat() { return tbl.FinerTime == 1 ? "####.000" : "####.00"; }

void WriteResultsHeadings() {
  static const char* kHeadings[kResultsGridCols] = {"Gear",   "Time",    "MPH",    "Accel Gs", "Feet", "C RPM",
                                                    "EngRPM", "Tq Mult", "C Slip", "T Slip",   "% Thrt"};
  for (int c = 0; c < kResultsGridCols; ++c) tbl.ResultsText[c][0] = kHeadings[c];
  double track = Spec(kConditions, 7);
  if (track > 1 && track < 5) tbl.ResultsText[4][0] = "Miles";
}

int ResultsGridRows() {
  int rows = std::max(kResultsGridDesignRows, tbl.FinishRow + 1);
  return std::min(rows, kResultsRows);
}

bool LastRunComparable() { return tbl.HistoryLength[0] != 0 && tbl.HistoryLength[1] == tbl.HistoryLength[0]; }

std::array<std::string, 7> PanelTexts() {
  const std::string cr(1, CR);
  const std::string tf = TimeFormat();
  std::array<std::string, 7> t;
  t[0] = "Current:" + cr + "Last:" + cr + "Improvement:";
  t[1] = "ET";
  t[3] = "MPH";
  t[5] = "60 ft";
  // The last run and the improvement are those of the run before this one,
  // and only when it went the same distance: against no run, or a run of
  // another length, they stay empty (as the history grid's improvements).
  if (LastRunComparable()) {
    t[2] = tbl.HistoryEt[0] + cr + tbl.HistoryEt[1] + cr + Format(Val(tbl.HistoryEt[1]) - Val(tbl.HistoryEt[0]), tf);
    t[4] = Format(tbl.HistoryMph[0], "###.00") + cr + Format(tbl.HistoryMph[1], "###.00") + cr +
           Format(tbl.HistoryMph[0] - tbl.HistoryMph[1], "###.00");
    t[6] = tbl.History60ft[0] + cr + tbl.History60ft[1] + cr +
           Format(Val(tbl.History60ft[1]) - Val(tbl.History60ft[0]), tf);
  } else {
    t[2] = tbl.HistoryEt[0] + cr + cr;
    t[4] = Format(tbl.HistoryMph[0], "###.00") + cr + cr;
    t[6] = tbl.History60ft[0] + cr + cr;
  }
  return t;
}

std::string HistoryMarkHeading() {
  if (tbl.HistoryLength[0] < 1400) return "60 ft";
  if (tbl.HistoryLength[0] < 10000) return "1/8 mi";
  return "2 mi";
}

std::vector<std::array<std::string, kHistoryGridCols>> HistoryGridCells() {
  const std::string tf = TimeFormat();
  std::vector<std::array<std::string, kHistoryGridCols>> g(kHistoryGridRows);
  g[0] = {"Test Title", "Feet", "Dnsy Alt", "Dry Dnsy Alt", HistoryMarkHeading(),
          "Imprvmnt",   "ET",   "Imprvmnt", "MPH",          "Imprvmnt"};
  for (int i = 0; i + 1 < kHistoryGridRows; ++i) {
    auto& row = g[i + 1];
    row[0] = tbl.HistoryTitle[i];
    row[1] = Format(tbl.HistoryLength[i], "#####");
    row[2] = Format(tbl.HistoryDensAlt[i], "####0");
    row[3] = Format(tbl.HistoryDryDensAlt[i], "####0");
    row[4] = tbl.History60ft[i];
    row[6] = tbl.HistoryEt[i];
    row[8] = Format(tbl.HistoryMph[i], "###.00");
    // Improvements compare runs of the same length only.
    if (i < 23 && tbl.HistoryLength[i] != 0 && tbl.HistoryLength[i + 1] == tbl.HistoryLength[i]) {
      row[5] = Format(Val(tbl.History60ft[i + 1]) - Val(tbl.History60ft[i]), tf);
      row[7] = Format(Val(tbl.HistoryEt[i + 1]) - Val(tbl.HistoryEt[i]), tf);
      row[9] = Format(tbl.HistoryMph[i] - tbl.HistoryMph[i + 1], "###.00");
    }
  }
  return g;
}

int HistoryTitleColumnTwips(double screenWidthTwips) {
  if (screenWidthTwips > 15000) return 6410;
  if (screenWidthTwips > 11500) return 4410;
  return 2810;
}

int HistoryColumnTwips(int col) {
  switch (col) {
    case 2: return 800;
    case 3: return 1000;
    case 5:
    case 7:
    case 9: return 750;
    default: return 600;
  }
}

}  // namespace sw
