#include "specs/transmission_rules.h"

#include <cmath>

#include "platform/text.h"
#include "simulation/air.h"
#include "simulation/engine_curve.h"
#include "simulation/tables.h"

namespace sw {

DriveRows DriveRowsFor(int typePick, double marker) {
  if (typePick == 4 || typePick == 3 || marker == 2) return DriveRows::Converter;
  if (typePick == 2 || typePick == 1 || marker == 1) return DriveRows::Clutch;
  return DriveRows::None;
}

std::optional<RowLimits> StallRpmLimits(double lowRpm, double midRpm, double peakHpRpm) {
  // Without a curve every stall would be refused "between  0 and  0": the
  // row file's limits stand until there is an engine to judge against.
  if (!(peakHpRpm > 0) || !std::isfinite(lowRpm + midRpm + peakHpRpm)) return std::nullopt;
  RowLimits limits;
  limits.maximum = static_cast<float>(peakHpRpm);
  limits.minimum = static_cast<float>(100 * Int((lowRpm + midRpm) / 2 / 100 + 0.5));
  return limits;
}

double CapacityForStall(double stallRpm) {
  // The stall the racer knows is the one at the track: the curve carries the
  // weather, as the run's converter sees it.
  double powerCorrection = 0, airDensity = 0;
  CalcAirConditions(powerCorrection, airDensity);
  CurveOfItsOwn curve;  // a figure for the window
  double peakHp = 0, peakHpRpm = 0, peakTorque = 0, peakTorqueRpm = 0, midRpm = 0, limitRpm = 0, topRpm = 0;
  int lastRow = 0;
  BuildEngineCurve(curve.Target(), peakHp, peakHpRpm, peakTorque, peakTorqueRpm, lastRow, midRpm, powerCorrection, limitRpm, topRpm);

  double torque = 0, rpm = stallRpm, hp = 0;
  const double fullThrottle = 1, unused = 0, noFloor = 0, noCeiling = 0;
  const int16_t noSimpleLaunch = 0, noConverterFlag = 0, limitsOff = 0;
  int16_t limiter = 0;
  if (lastRow >= 1 && lastRow < kEngineCurveRows)
    EngineTorqueAt(curve.Table(), torque, rpm, fullThrottle, lastRow, unused, unused, unused, noSimpleLaunch, noConverterFlag,
                   noFloor, limiter, noCeiling, hp, limitsOff);

  double capacity = torque > 0 && std::isfinite(torque) ? stallRpm / std::sqrt(torque) : 70;
  if (!std::isfinite(capacity) || capacity < 70) capacity = 70;
  if (capacity > 600) capacity = 600;
  return capacity;
}

std::string CapacityText(double capacity) { return Format(capacity, "####.0"); }

bool StallMoved(const std::string& stallText, double enteredRpm) { return std::fabs(Val(stallText) - enteredRpm) > 1; }

std::string StallRoundingMessage(const std::string& stallText) {
  return "Due to rounding in the calculations, the Stall RPM you entered had to be changed to: " + stallText +
         " RPM.\r\rThis small difference will have an insignificant effect on the final performance.";
}

std::string StallRpmCaption() {
  return "Converter Stall RPM based on\rCurrent Converter Capacity,\rFull Throttle Engine Power Curve and Weather "
         "Specs at the track";
}

}  // namespace sw
