// The run log: the sampled time history of the last run that the graphs
// plot, one row of ten values (time and the eight graph quantities) each time
// the simulated time passes a new multiple of 1 / samples per second, plus
// the row at time 0 and one forced row for every result row.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "platform/text.h"
#include "simulation/run_fault.h"
#include "simulation/tables.h"

namespace sw {

inline constexpr int kLastRunLogRow = 310;
inline constexpr int kStepRunLog = 1220;

namespace detail {

// A value that is not finite is not stored: the sample gets 0 and the run's
// error handler hears of it.
inline double Logged(double v) {
  if (std::isfinite(v)) return v;
  ReportRunFault(rterr::kOverflow, kStepRunLog);
  return 0;
}

}  // namespace detail

// Writes tbl.RunLog row `rowCounter` and advances the counter. Stores at
// time 0 always; otherwise when `firstSample` is 1 (which it clears) or when
// Int(samplesPerSecond x time) has passed `lastStep` and |calcStatus| is not
// 1. A row past 310 is not stored while the counter goes on counting.
// (Argument 20 of the design is not used and left out. Inline: the run
// samples on many of its time steps.)
inline void LogRunSample(int16_t& firstSample, const double& time, const int16_t& samplesPerSecond,
                         int16_t& lastStep, const int16_t& calcStatus, const double& speed, const double& distance,
                         const double& acceleration, const double& engineRpm, const double& engineTorque,
                         const double& throttle, const int16_t& converterFlag, const int16_t& simpleLaunch,
                         const double& throttleShown, const int16_t& shiftInProgress, const double& launchClutch,
                         int16_t& rowCounter, const double& clutchRpm, const double& shiftThrottle,
                         const double& rpmCeiling) {
  const double step = Int(samplesPerSecond * time);
  if (time != 0) {
    if (firstSample == 1) {
      firstSample = 0;
    } else if (step <= lastStep || std::abs(calcStatus) == 1) {
      return;
    }
  }
  // A step count beyond 16 bits is not kept (the statement fails and is
  // passed over), as any failing statement of the log is.
  if (InRange16(step)) lastStep = static_cast<int16_t>(step);

  const int row = rowCounter;
  if (row >= 0 && row <= kLastRunLogRow) {
    const double thr = shiftInProgress != 0 ? shiftThrottle : throttle;
    auto& log = tbl.RunLog;
    log[0][row] = detail::Logged(time);
    log[2][row] = detail::Logged(speed * 0.68);
    log[3][row] = detail::Logged(distance);
    log[4][row] = detail::Logged(acceleration * 0.0311);
    log[1][row] = detail::Logged(engineRpm > rpmCeiling ? rpmCeiling : engineRpm);
    const double hp = thr * (engineRpm * engineTorque / 5252);
    log[5][row] = detail::Logged(hp < 0 ? 0 : hp);
    log[6][row] = detail::Logged(thr * 100);
    log[8][row] = detail::Logged(clutchRpm);
    double clutchPct;
    if (converterFlag == 1) {
      clutchPct = simpleLaunch == 1 ? throttleShown : 100;
    } else if (shiftInProgress != 0) {
      clutchPct = 0;
    } else {
      clutchPct = simpleLaunch == 1 ? throttleShown : 100 * launchClutch;
    }
    log[7][row] = detail::Logged(clutchPct);
  }
  if (rowCounter < INT16_MAX) ++rowCounter;
}

}  // namespace sw
