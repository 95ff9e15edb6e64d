// The clutch of a clutch drivetrain: its static torque capacity, the
// speed-dependent capacity term and the torque one pound of clamp force
// holds. When the racer has not described the clutch (or the beginner-level
// check asks for an estimate) a clutch is designed for the engine.
#pragma once

#include <cstdint>

namespace sw {

// Capacity at engine speed n = capacity + capacityPerRpm2 x n^2 (ft lbs).
// `status` -1 (a search pass) becomes -2 when the racer's clamp force is
// above 5000 lbs; any other status is left alone. `diameter` (in), `force`
// (lbs) and `disks` receive the clutch used. `powerFactor` is the run's power
// correction (the input check passes 1).
void ClutchSpecs(double& capacity, double& capacityPerRpm2, double& torquePerLb, int16_t& status,
                 double& diameter, double& force, double& disks, const double& powerFactor,
                 const double& peakTorque, const double& peakPowerRpm);

// What the last call worked with (rewritten by every call, read by nothing
// else in the run; kept for inspection).
struct ClutchWork {
  double mu = 0;                 // friction coefficient
  double referenceRpm = 0;       // 1000
  double centrifugalForce = 0;   // always 0
  double requiredCapacity = 0;   // Treq of the estimate
  double workingDiameter = 0;
  int iterations = 0;
  double forceLimitPerDisk = 0;  // 200 x diameter
};
const ClutchWork& LastClutchWork();

}  // namespace sw
