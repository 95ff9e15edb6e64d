// The power-curve grid of the Engine window without its widgets: ten points
// of RPM, torque and HP, each figure tested against fixed limits when its
// cell is left, and a point completed from any two of its figures by
// HP = RPM x torque / 5252. Also the eleven points the plot draws from the
// grid.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace sw {

inline constexpr int kCurveGridPoints = 10;  // points 0..9 are shown and stored
inline constexpr int kCurvePlotPoints = 11;

// Columns as the grid numbers them.
enum CurveColumn { kCurveRpm = 1, kCurveTorque = 2, kCurveHp = 3 };

struct CurveColumnRule {
  double minimum;
  double maximum;
  const char* name;  // in the "Warning"
  const char* help;
};
const CurveColumnRule& CurveColumnRuleOf(int column);

// A figure as the cell shows it after leaving: its leading number; an RPM,
// and a torque or HP above 100, rounded half up to a whole number; written
// as numbers print, without the blank in front («4500» for 4500.4, «85.25»,
// «.5»).
std::string NormaliseCurveEntry(int column, std::string_view text);

// "" when the normalised figure lies within the column's limits (the limits
// themselves accepted), else the "Warning" text:
// «RPM = 499.  This value must be between 500 and 30000 .»
std::string CurveEntryWarning(int column, std::string_view normalised);

// Whether a cell's text may be stored as it stands, tested or not: blank,
// or a figure inside the column's limits.
bool CurveEntryStorable(int column, std::string_view text);

// A figure the grid computes: one decimal below 100 («16.2», «16» - never a
// trailing point), else a whole number («343»).
std::string FormatComputedCurveFigure(double value);

// The figure that completes a point after an entry in `column`, given the
// point's three figures as they now stand (0 for an empty cell): HP from RPM
// and torque, else the third from the other two. Nothing when the point's
// other two figures are both 0. Never divides by zero.
struct CurveCompletion {
  int column = 0;  // the cell to write
  std::string text;
};
std::optional<CurveCompletion> CompleteCurvePoint(int column, double rpm, double torque, double hp);

// The plot's points from the grid's ten rows (RPM, torque, HP; 0 for an
// empty or non-numeric cell). Point 1 lies 100 RPM beyond the highest row
// with HP, at two thirds of its torque and HP; points 2-11 are the rows by
// falling RPM (ties keep grid order), the lowest repeated for the rows left
// over, and a row without torque drawn as point 1.
struct CurvePlotPoint {
  float rpm = 0, torque = 0, hp = 0;
};
using CurveGrid = std::array<std::array<double, 3>, kCurveGridPoints>;
std::array<CurvePlotPoint, kCurvePlotPoints> PowerCurvePlotPoints(const CurveGrid& rows);

// A curve the calculation can run: some row holds an RPM, a torque and an HP
// (a curve without one has no peak, and its run is refused).
bool CurveCanRun(const CurveGrid& rows);

}  // namespace sw
