#include "specs/driving_rules.h"

#include <cmath>
#include <cstring>

#include "platform/text.h"
#include "simulation/engine_curve.h"
#include "simulation/run_fault.h"
#include "simulation/tables.h"

namespace sw {

int ConverterDriveFor(int transmissionType, double exampleMarker) {
  return transmissionType == 3 || (transmissionType == 5 && exampleMarker == 2) ? 1 : 0;
}

std::array<bool, drive::kRows> DrivingRowsOn(const DrivingChoices& c) {
  std::array<bool, drive::kRows> on{};
  on[drive::kType] = on[drive::kShiftTime] = on[drive::kShiftRpms] = true;
  // An automatic shifts without the driver's foot; a power shift keeps the
  // throttle where it is.
  on[drive::kShiftThrottle] = !c.converter && c.shiftTime != 3;
  const bool ownLaunch = !(c.launchType == 0 || c.launchType == 2);
  if (!c.converter) {
    on[1] = true;
    on[2] = on[3] = on[4] = ownLaunch;
  } else {
    // A converter car launches off the converter: no launch RPM, no clutch.
    on[3] = on[4] = ownLaunch;
  }
  if (c.shiftRpms != 0)
    for (int j = 1; j <= 5; ++j) on[drive::kShiftRpms + j] = c.gearRatio[j + 1] > 0;
  return on;
}

ShiftRpmTable ComputerShiftRpms() {
  // The curve as entered; the run's own curve and any fault it still has to
  // report stay as they were, and a fault found here is no run's to report.
  const bool faultBefore = RunFaultPending();
  double savedCurve[3][kEngineCurveRows];
  std::memcpy(savedCurve, tbl.EngineCurve, sizeof savedCurve);

  double peakHp = 0, peakHpRpm = 0, peakTorque = 0, peakTorqueRpm = 0, midRpm = 0, limitRpm = 0, topRpm = 0;
  int lastRow = 0;
  const double asEntered = 1;
  BuildEngineCurve(peakHp, peakHpRpm, peakTorque, peakTorqueRpm, lastRow, midRpm, asEntered, limitRpm, topRpm);
  ShiftRpmTable shift{};
  shift.fill(kNoShift);
  // Without a curve (no peak power) there is nothing to shift on.
  if (peakHp > 0 && peakHpRpm > 0)
    CalcShiftRPMs(peakHp, peakHpRpm, lastRow, tbl.SpecText, tbl.SpecMenuStart, shift, peakTorque);

  std::memcpy(tbl.EngineCurve, savedCurve, sizeof savedCurve);
  if (!faultBefore) ClearRunFault();
  for (double& s : shift)
    if (!std::isfinite(s)) s = kNoShift;
  return shift;
}

std::string ShiftRpmQuestion(const std::array<std::string, 6>& current, const ShiftRpmTable& computed) {
  std::string table = Space(11) + "Current" + Space(16) + "Calculated" + CR + CR;
  for (int j = 1; j <= 5; ++j) {
    if (!ShiftTakesPlace(computed[j])) continue;
    std::string now = Trim(current[j]);
    if (now.size() < 25) now += Space(static_cast<long>(25 - now.size()));
    // Blanks for the digits a short number lacks keep the second column
    // roughly in line in a proportional font.
    const double v = Val(now);
    const int extra = v < 10 ? 4 : v < 100 ? 3 : v < 1000 ? 2 : v < 10000 ? 1 : 0;
    table += Space(13) + now + Space(extra) + Str(computed[j]) + CR;
  }
  return std::string("The program would use these RPMs for shifting:") + CR + CR + table + CR +
         "Do you want to use these calculated shift RPMs?";
}

std::string RoundedShiftRpm(double rpm) { return Trim(Str(Int(rpm * 0.01 + 0.5) * 100)); }

}  // namespace sw
