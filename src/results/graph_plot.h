// The results graph: one quantity of the last run against time, beside the
// same quantity of the base run. The rules (which series, their legends and
// title, the x axis) are plain functions; PlotResultsVsTime writes them and
// the run log into the graph window's chart.
#pragma once

#include <string>
#include <vector>

namespace sw {

inline constexpr int kPlotTypes = 8;
inline constexpr int kMaxLoggedRows = 309;  // rows 1..309, and the row after the last is copied too

// The data type as plotted: anything outside 1..8 is 1.
int PlotTypeInUse(int plotType);

// True when the base run is drawn: shown (-1), and a base run rule of 1 or 2.
bool BaseRunShown(int showBaseRun, int baseRunMode);

// The run log columns of the current run's series in drawing order: the data
// type's own, and engine RPM beside the clutch or converter RPM (type 8).
std::vector<int> GraphColumns(int plotType);

struct GraphLabels {
  std::vector<std::string> legends;  // current run's series, then the base run's
  std::string title;
};
// Standard labels (standardLabels = 1) name the data types; otherwise the
// current run's series get `currentLabel`, the base run's `baseLabel`, and
// the title is built with `title`.
GraphLabels GraphLabelsFor(int plotType, bool baseShown, int standardLabels, const std::string& baseLabel,
                           const std::string& currentLabel, const std::string& title);

// The x axis for a run ending at tEnd seconds: up to the next even second
// above it, one division every 2 s, halved while more than 20.
struct XAxis {
  double max = 0;
  int divisions = 0;
};
XAxis XAxisFor(double tEnd);

// The run log's rows the graph reads: RunLogRows and BaseRunRows kept
// within the table.
int LoggedRows(int rows);

// (Re)draws the graph window's chart from the run log, the base run and the
// graph preferences; loads the window when needed. Does nothing while a
// calculation runs.
void PlotResultsVsTime();

// The last run becomes the base run (columns 0..8 of its rows).
void CopyRunLogToBaseRun();

}  // namespace sw
