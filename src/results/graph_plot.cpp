#include "results/graph_plot.h"

#include <algorithm>
#include <cmath>

#include "files/configuration.h"
#include "platform/qt/chart.h"
#include "platform/qt/qt_ui.h"
#include "platform/text.h"
#include "results/frm_graph.h"
#include "simulation/tables.h"

namespace sw {

int PlotTypeInUse(int plotType) { return plotType >= 2 && plotType <= kPlotTypes ? plotType : 1; }

bool BaseRunShown(int showBaseRun, int baseRunMode) {
  // True is -1, as the options window sets and tests it.
  return showBaseRun == -1 && (baseRunMode == 1 || baseRunMode == 2);
}

std::vector<int> GraphColumns(int plotType) {
  plotType = PlotTypeInUse(plotType);
  if (plotType == 8) return {8, 1};
  return {plotType};
}

GraphLabels GraphLabelsFor(int plotType, bool baseShown, int standardLabels, const std::string& baseLabel,
                           const std::string& currentLabel, const std::string& title) {
  plotType = PlotTypeInUse(plotType);
  const std::vector<int> columns = GraphColumns(plotType);
  GraphLabels out;
  const bool standard = standardLabels == 1;
  for (int col : columns) out.legends.push_back(standard ? tbl.PlotTypeName[col] : currentLabel);
  if (baseShown)
    for (int col : columns) out.legends.push_back(standard ? "Base " + tbl.PlotTypeName[col] : baseLabel);
  out.title = standard ? " Stagewell v3.2      " + tbl.PlotTypeName[plotType] + " vs Sec " : "Stagewell v3.2  " + title;
  return out;
}

XAxis XAxisFor(double tEnd) {
  if (!std::isfinite(tEnd)) tEnd = 0;
  XAxis x;
  x.max = Int(tEnd / 2 + 1) * 2;
  x.divisions = static_cast<int>(Int(x.max / 2));
  for (int i = 0; i < 4; ++i)
    if (x.divisions > 20) x.divisions = static_cast<int>(Int(x.divisions / 2.0));
  return x;
}

int LoggedRows(int rows) { return std::clamp(rows, 0, kMaxLoggedRows); }

namespace {

// One data set: points 1..points, flagged past the run's last row.
void LoadSet(Chart& c, int set, const double (&log)[kRunLogCols][kRunLogRows], int rows, int col) {
  c.Set(chart::kSetSelector, set);
  const int points = static_cast<int>(c.Get(chart::kPoints));
  for (int p = 1; p <= points; ++p) {
    c.Set(chart::kSelector, p);
    if (p > rows) {
      c.SetAt(chart::kNoData, p, 1);
      continue;
    }
    c.SetAt(chart::kNoData, p, 0);
    c.Set(chart::kPointX, log[0][p]);
    c.Set(chart::kPointY, log[col][p]);
  }
}

}  // namespace

void PlotResultsVsTime() {
  // The run being calculated is still writing the log.
  if (tbl.CalcRunning) return;
  frmGraph* window = frmGraph::Default();
  Chart& c = *window->Graph;

  cfg.PlotType = static_cast<int16_t>(PlotTypeInUse(cfg.PlotType));
  const int plotType = cfg.PlotType;
  const bool baseShown = BaseRunShown(cfg.ShowBaseRun, cfg.BaseRunMode);
  const int runRows = LoggedRows(tbl.RunLogRows);
  const int baseRows = LoggedRows(tbl.BaseRunRows);
  const std::vector<int> columns = GraphColumns(plotType);

  c.Set(44, 6);
  c.Set(98, 6);
  c.Set(46, 3);
  c.Set(45, 2);
  c.Set(2, 0);

  const GraphLabels labels =
      GraphLabelsFor(plotType, baseShown, cfg.StandardGraphLabels, cfg.GraphLabel1, cfg.GraphLabel2, cfg.GraphLabel3);
  for (size_t k = 0; k < labels.legends.size(); ++k) {
    c.Set(chart::kSelector, static_cast<double>(k + 1));
    c.SetText(chart::kLegend, ToQ(labels.legends[k]));
  }
  c.SetText(chart::kTitle, ToQ(labels.title));

  c.Set(chart::kBackground, cfg.GraphBackColor);
  c.Set(chart::kThickness, cfg.ThickPlotLines);
  const int sets = static_cast<int>(labels.legends.size());
  for (int s = 1; s <= sets; ++s) {
    c.Set(chart::kSelector, s);
    c.Set(chart::kPattern, chart::kDashDot);
  }

  c.Set(122, 1);
  c.Set(chart::kPoints, std::max(runRows, baseRows));
  c.Set(chart::kSets, sets);

  int set = 0;
  for (int col : columns) LoadSet(c, ++set, tbl.RunLog, runRows, col);
  double tEnd = tbl.RunLog[0][runRows];
  if (baseShown) {
    for (int col : columns) LoadSet(c, ++set, tbl.BaseRun, baseRows, col);
    tEnd = std::max(tEnd, tbl.BaseRun[0][baseRows]);
  }

  const XAxis x = XAxisFor(tEnd);
  c.Set(chart::kXMax, x.max);
  c.Set(112, -2);
  c.Set(chart::kXDivisions, x.divisions);

  c.Set(115, 2);
  c.Set(139, 1);
  c.Set(chart::kDrawAction, chart::kDraw);
  window->update();
}

void CopyRunLogToBaseRun() {
  for (auto& col : tbl.BaseRun)
    for (double& v : col) v = 0;
  tbl.BaseRunRows = tbl.RunLogRows;
  const int last = std::clamp<int>(tbl.RunLogRows + 1, -1, kRunLogRows - 1);
  for (int r = 0; r <= last; ++r)
    for (int c = 0; c <= 8; ++c) tbl.BaseRun[c][r] = tbl.RunLog[c][r];
}

}  // namespace sw
