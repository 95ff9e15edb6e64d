#include "simulation/run_log.h"

#include <cmath>
#include <cstdlib>

#include "platform/text.h"
#include "simulation/run_fault.h"
#include "simulation/tables.h"

namespace sw {
namespace {

// A value that is not finite is not stored: the sample gets 0 and the run's
// error handler hears of it.
double Logged(double v) {
  if (std::isfinite(v)) return v;
  ReportRunFault(rterr::kOverflow, kStepRunLog);
  return 0;
}

}  // namespace

void LogRunSample(int16_t& firstSample, const double& time, const int16_t& samplesPerSecond, int16_t& lastStep,
                  const int16_t& calcStatus, const double& speed, const double& distance,
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
    log[0][row] = Logged(time);
    log[2][row] = Logged(speed * 0.68);
    log[3][row] = Logged(distance);
    log[4][row] = Logged(acceleration * 0.0311);
    log[1][row] = Logged(engineRpm > rpmCeiling ? rpmCeiling : engineRpm);
    const double hp = thr * (engineRpm * engineTorque / 5252);
    log[5][row] = Logged(hp < 0 ? 0 : hp);
    log[6][row] = Logged(thr * 100);
    log[8][row] = Logged(clutchRpm);
    double clutchPct;
    if (converterFlag == 1) {
      clutchPct = simpleLaunch == 1 ? throttleShown : 100;
    } else if (shiftInProgress != 0) {
      clutchPct = 0;
    } else {
      clutchPct = simpleLaunch == 1 ? throttleShown : 100 * launchClutch;
    }
    log[7][row] = Logged(clutchPct);
  }
  if (rowCounter < INT16_MAX) ++rowCounter;
}

}  // namespace sw
