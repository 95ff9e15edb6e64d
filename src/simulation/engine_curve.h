// The engine curve the run reads: built before every run from the Engine
// specs (a full power curve or only peak figures), corrected for the
// weather, and read by linear interpolation at any RPM.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "simulation/tables.h"

namespace sw {

// An engine curve table: column 0 RPM, column 1 torque, by row.
using EngineCurveTable = double[3][kEngineCurveRows];
using PowerCurveTexts = decltype(ProgramTables::PowerCurveText);

// Working values a build keeps from one call to the next.
struct EngineCurveWork {
  double displacement = 0;
  double peakHpRpm = 0;
  double peakHp = 0;
  double peakTorque = 0;
  double peakTorqueRpm = 0;
  int16_t method = 0;
  int rows = 0;
  std::string lowestRpmText;
  int lowestIndex = 0;  // not reset by a build: a curve without points reuses it
};

// Where a build of the engine curve goes: its table, the curve texts it reads
// (a point moved off another's RPM is written back into them) and the
// working values it keeps.
struct CurveTarget {
  EngineCurveTable& table;
  PowerCurveTexts& texts;
  EngineCurveWork& work;
};

// The curve the run drives with: tbl.EngineCurve, the racer's curve texts and
// the run's working values. Only the run's own set-up and the Match and Find
// Best searches build into it.
CurveTarget TheRunsCurve();

// A curve for a figure a window shows (a calculator, the summary, the example
// list, the transmission window's stall figures): a table of its own, built
// from copies of the racer's curve texts and of the run's working values, so
// that nothing a window asks can reach what a run reads, whenever it asks.
class CurveOfItsOwn {
 public:
  CurveOfItsOwn();
  CurveTarget Target() { return {table_, texts_, work_}; }
  const EngineCurveTable& Table() const { return table_; }

 private:
  EngineCurveTable table_ = {};
  PowerCurveTexts texts_;
  EngineCurveWork work_;
};

// Builds `into.table` (column 0 RPM, column 1 torque) from the Engine specs
// and `into.texts`. Rows 0..pointCount-1 hold the curve in rising RPM, row
// pointCount closes it at topRpm with 2 % of the peak torque; every torque is
// multiplied by `powerCorrection`. Peaks are reported as entered
// (uncorrected). With peak figures but no displacement, HP or HP RPM the
// table and every output are left as they were.
void BuildEngineCurve(CurveTarget into, double& peakHp, double& peakHpRpm, double& peakTorque,
                      double& peakTorqueRpm, int& pointCount, double& midRpm, const double& powerCorrection,
                      double& limitRpm, double& topRpm);

// Shapes a nine-point curve into rows 0..9 of `into` from peak figures
// alone. Method 0 means the torque peak is not given: it is estimated and
// written back into `torqueIn` and `torqueRpmIn`; the torque peak always ends
// at least 300 RPM below the HP peak, and `hpIn` is rounded. Does nothing when
// the displacement, the HP or its RPM is 0, or when the figures make no curve.
void EstimatePowerCurve(EngineCurveTable& into, double& hpRpmIn, double& hpIn, double& torqueIn,
                        double& torqueRpmIn, double& displacement, int16_t& method, double& peakHp,
                        double& peakHpRpm, double& peakTorque, double& peakTorqueRpm, int& pointCount);

// Torque (ft lbs) and HP at `rpm` from rows 0..lastRow of `curve`,
// scaled by `throttleFactor`. With `limitsOn` = 1 a clutch car's simple
// launch holds the RPM at `launchFloor` (setting `limiterFlag`) and the RPM
// is held at `rpmCeiling`. At or below row 0 the RPM is raised to row 0's and
// the torque is 0; at or above row `lastRow` the torque is 0. Arguments 5-7
// are not used.
// (Inline: the run looks up its curve several times on every time step.)
inline void EngineTorqueAt(const EngineCurveTable& curve, double& torque, double& rpm, const double& throttleFactor, const int& lastRow,
                           const double& unused5, const double& unused6, const double& unused7,
                           const int16_t& simpleLaunch, const int16_t& converterFlag, const double& launchFloor,
                           int16_t& limiterFlag, const double& rpmCeiling, double& hp, const int16_t& limitsOn) {
  if (limitsOn == 1) {
    if (converterFlag == 0 && simpleLaunch == 1 && rpm < launchFloor) {
      limiterFlag = 1;
      rpm = launchFloor;
    }
    if (rpm > rpmCeiling) rpm = rpmCeiling;
  }
  const int last = std::clamp(lastRow, 0, kEngineCurveRows - 1);
  auto R = [&curve](int row) { return curve[0][row]; };
  auto T = [&curve](int row) { return curve[1][row]; };
  double t;
  if (rpm <= R(0)) {
    rpm = R(0);
    t = 0;
  } else if (last < 1 || !(rpm < R(last))) {
    t = 0;
  } else {
    // The search ends at the first row pair that holds the RPM or does not
    // rise. The RPM mostly lies where it lay at the last lookup: when the rows
    // up to there rise and the RPM is past that row, no pair before it ends
    // the search, which may start there.
    static int lastFound = 0;
    int k = 0;
    if (const int h = lastFound; h > 0 && h < last && R(h) < rpm) {
      int j = 0;
      while (j < h && R(j) < R(j + 1)) ++j;
      if (j == h) k = h;
    }
    for (; k <= last - 1; ++k) {
      if (R(k) < rpm && rpm <= R(k + 1)) break;
      if (R(k + 1) <= R(k)) break;
    }
    k = std::min(k, last - 1);
    lastFound = k;
    const double gap = R(k + 1) - R(k);
    if (gap != 0)
      t = T(k) + (T(k + 1) - T(k)) * (rpm - R(k)) / gap;
    else
      t = T(k);
    t *= throttleFactor;
  }
  if (!std::isfinite(t)) t = 0;
  torque = t;
  hp = t * rpm / 5252;
  if (!std::isfinite(hp)) hp = 0;
}

// Back to the state at program start: the working values the build keeps
// between calls (tests start from here).
void ResetEngineCurveState();

// The engine's peak figures as entered (no weather correction), as
// BuildEngineCurve reports them, with nothing of the run's curve disturbed.
struct EnginePeaks {
  double hp = 0, hpRpm = 0, torque = 0, torqueRpm = 0, midRpm = 0, limitRpm = 0, topRpm = 0;
  int pointCount = 0;
};
EnginePeaks EnginePeaksAsEntered();

}  // namespace sw
