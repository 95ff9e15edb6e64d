#include "simulation/traction.h"

#include <cmath>

#include "platform/text.h"
#include "simulation/run_fault.h"
#include "simulation/tables.h"

namespace sw {

void VehicleLoadSpecs(int16_t& TireCode, double& Tread, double& Traction, const double& PeakPower,
                      double& Rolling) {
  const double code = RoundHalfEven(Spec(kTires, 6) + 1);
  if (!InRange16(code)) {
    // Beyond what a choice number can be: the 16-bit conversion overflows.
    ReportRunFault(rterr::kOverflow, kStepTireCode);
    TireCode = 1;
  } else {
    TireCode = static_cast<int16_t>(code);
  }
  const double w = Spec(kVehicle, 0);
  const double driveChoice = Spec(kVehicle, 4);
  const int drive = driveChoice == 2 ? -1 : driveChoice == 3 ? 2 : 0;

  Tread = 2 * Spec(kTires, 7);
  if (Tread < 1) Tread = 1;
  if (drive == -1) Tread = 2 * Tread;

  const double x = (w / (2 * Tread)) / 150;  // load per inch of driven tread, per 150 lbs
  Traction = 0.9 - 0.0224 * x - 0.0216 * std::pow(x, 3) + 0.005 * Tread;
  if (Traction < 0.2) Traction = 0.2;

  const int c = TireCode;
  if (c < 4) {
    Traction = Traction * (1.05 + 0.15 * c);
    Rolling = (c == 1 || c == 3) ? 0.006 : 0.005;
  } else if (c == 4) {
    Traction = Traction * 1.6;
    Rolling = 0.006;
  } else {
    const double s = PeakPower / 1000;
    Traction = 1.1 * Traction * (1 + 0.07 * Tread / 2 + 0.215 * s - 0.0474 * (s * s) + s * 0.0302 * Tread / 2);
    Rolling = 0.0065;
    if (drive == 2) Traction = Traction * 1.15;
  }
  if (!std::isfinite(Traction)) {
    // Only absurd weights or powers get here.
    ReportRunFault(rterr::kOverflow, kStepTraction);
    Traction = 0.2;
  }
}

}  // namespace sw
