#include "specs/driving_rules.h"

#include "platform/text.h"
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

ShiftRpmTable ComputerShiftRpms() { return ShiftRpmsOnEnteredCurve().shift; }

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
