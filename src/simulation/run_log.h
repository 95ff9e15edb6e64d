// The run log: the sampled time history of the last run that the graphs
// plot, one row of ten values (time and the eight graph quantities) each time
// the simulated time passes a new multiple of 1 / samples per second, plus
// the row at time 0 and one forced row for every result row.
#pragma once

#include <cstdint>

namespace sw {

inline constexpr int kLastRunLogRow = 310;

// Writes tbl.RunLog row `rowCounter` and advances the counter. Stores at
// time 0 always; otherwise when `firstSample` is 1 (which it clears) or when
// Int(samplesPerSecond x time) has passed `lastStep` and |calcStatus| is not
// 1. A row past 310 is not stored while the counter goes on counting.
// (Argument 20 of the design is not used and left out.)
void LogRunSample(int16_t& firstSample, const double& time, const int16_t& samplesPerSecond, int16_t& lastStep,
                  const int16_t& calcStatus, const double& speed, const double& distance,
                  const double& acceleration, const double& engineRpm, const double& engineTorque,
                  const double& throttle, const int16_t& converterFlag, const int16_t& simpleLaunch,
                  const double& throttleShown, const int16_t& shiftInProgress, const double& launchClutch,
                  int16_t& rowCounter, const double& clutchRpm, const double& shiftThrottle,
                  const double& rpmCeiling);

inline constexpr int kStepRunLog = 1220;

}  // namespace sw
