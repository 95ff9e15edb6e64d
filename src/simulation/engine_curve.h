// The engine curve the run reads: built before every run from the Engine
// specs (a full power curve or only peak figures), corrected for the
// weather, and read by linear interpolation at any RPM.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>

#include "simulation/tables.h"

namespace sw {

// Builds tbl.EngineCurve (column 0 RPM, column 1 torque) from the Engine
// specs and tbl.PowerCurveText. Rows 0..pointCount-1 hold the curve in rising
// RPM, row pointCount closes it at topRpm with 2 % of the peak torque; every
// torque is multiplied by `powerCorrection`. Peaks are reported as entered
// (uncorrected). With peak figures but no displacement, HP or HP RPM the
// table and every output are left as they were.
void BuildEngineCurve(double& peakHp, double& peakHpRpm, double& peakTorque, double& peakTorqueRpm,
                      int& pointCount, double& midRpm, const double& powerCorrection, double& limitRpm,
                      double& topRpm);

// Shapes a nine-point curve into tbl.EngineCurve rows 0..9 from peak figures
// alone. Method 0 means the torque peak is not given: it is estimated and
// written back into `torqueIn` and `torqueRpmIn`; the torque peak always ends
// at least 300 RPM below the HP peak, and `hpIn` is rounded. Does nothing when
// the displacement, the HP or its RPM is 0, or when the figures make no curve.
void EstimatePowerCurve(double& hpRpmIn, double& hpIn, double& torqueIn, double& torqueRpmIn,
                        double& displacement, int16_t& method, double& peakHp, double& peakHpRpm,
                        double& peakTorque, double& peakTorqueRpm, int& pointCount);

// Torque (ft lbs) and HP at `rpm` from tbl.EngineCurve rows 0..lastRow,
// scaled by `throttleFactor`. With `limitsOn` = 1 a clutch car's simple
// launch holds the RPM at `launchFloor` (setting `limiterFlag`) and the RPM
// is held at `rpmCeiling`. At or below row 0 the RPM is raised to row 0's and
// the torque is 0; at or above row `lastRow` the torque is 0. Arguments 5-7
// are not used.
// (Inline: the run looks up its curve several times on every time step.)
inline void EngineTorqueAt(double& torque, double& rpm, const double& throttleFactor, const int& lastRow,
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
  auto R = [](int row) -> double& { return tbl.EngineCurve[0][row]; };
  auto T = [](int row) -> double& { return tbl.EngineCurve[1][row]; };
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

// For code that only shows figures (the main window's summary, a
// calculator's layout, the example list, the transmission window's stall
// figures): while a keeper lives it may build the curve as a run would, and
// when it goes tbl.EngineCurve, the curve texts and the build's working
// values are back as they were. A run that is under way (the windows can be
// shown while it waits) never reads another's curve.
class KeepEngineCurve {
 public:
  KeepEngineCurve();
  ~KeepEngineCurve();
  KeepEngineCurve(const KeepEngineCurve&) = delete;
  KeepEngineCurve& operator=(const KeepEngineCurve&) = delete;

 private:
  struct Kept;
  std::unique_ptr<Kept> kept_;
};

// The engine's peak figures as entered (no weather correction), as
// BuildEngineCurve reports them, with nothing of the run's curve disturbed.
struct EnginePeaks {
  double hp = 0, hpRpm = 0, torque = 0, torqueRpm = 0, midRpm = 0, limitRpm = 0, topRpm = 0;
  int pointCount = 0;
};
EnginePeaks EnginePeaksAsEntered();

}  // namespace sw
