#include "simulation/clutch.h"

#include <cmath>

#include "platform/text.h"
#include "simulation/tables.h"

namespace sw {
namespace {

ClutchWork work;

double ClampDiameter(double d) {
  if (d > 12) d = 12;
  if (d < 5) d = 5;
  return d;
}

// Two friction faces per disk at a mean radius of (D - 1) / 2 inches, in ft.
double TorquePerPound(double diameter, double mu, double disks) {
  return 2 * ((diameter - 1) / 24) * mu * disks;
}

}  // namespace

const ClutchWork& LastClutchWork() { return work; }

void ClutchSpecs(double& capacity, double& capacityPerRpm2, double& torquePerLb, int16_t& status,
                 double& diameter, double& force, double& disks, const double& powerFactor,
                 const double& peakTorque, const double& peakPowerRpm) {
  const double factor = powerFactor;
  const double engineTorque = peakTorque;
  const double engineRpm = peakPowerRpm;
  const bool userClutch = Spec(kTransmission, 0) != 0 && tbl.EstimateClutch != 1;
  work = ClutchWork{};

  if (userClutch) {
    diameter = Spec(kTransmission, 1);
    force = Spec(kTransmission, 2);
    disks = Spec(kTransmission, 3);
    work.mu = Spec(kTransmission, 4) == 0 ? 0.35 : 0.31;
    work.referenceRpm = 1000;
    work.centrifugalForce = 0;
    work.workingDiameter = diameter;
    // A search cannot tune a clamp force beyond what a street clutch takes.
    if (status == -1 && (force > 5000 || work.centrifugalForce > 15000)) status = -2;
    torquePerLb = TorquePerPound(diameter, work.mu, disks);
    capacity = force * torquePerLb;
    capacityPerRpm2 = (work.centrifugalForce * torquePerLb) / (work.referenceRpm * work.referenceRpm);
    return;
  }

  // Design a clutch that holds the engine's uncorrected torque with margin.
  work.requiredCapacity = (engineTorque / factor) * 1.3;
  if (!std::isfinite(work.requiredCapacity)) work.requiredCapacity = 0;  // no power factor: nothing to hold
  const double treq = work.requiredCapacity;
  double d = ClampDiameter(140000 / (8000 + engineRpm));
  work.mu = 0.33;
  work.iterations = 0;
  double tpl = 0;
  double f = 0;
  for (;;) {
    tpl = TorquePerPound(d, work.mu, 1);
    f = treq / tpl;
    if (!(f < 8 * treq && work.iterations < 5)) break;
    d = d * (2 + f / (8 * treq)) / 3;
    ++work.iterations;
  }
  d = ClampDiameter(d);
  work.workingDiameter = d;
  work.forceLimitPerDisk = 200 * d;
  double n = Int(f / (200 * d) + 0.5);
  if (!std::isfinite(n)) n = 1;
  if (n > 6) n = 6;
  if (n < 1) n = 1;
  tpl = TorquePerPound(d, work.mu, n);
  f = treq / tpl;
  torquePerLb = tpl;
  force = f;
  diameter = d;
  disks = n;
  capacity = f * tpl;
  capacityPerRpm2 = 0;
  work.referenceRpm = 1000;
}

}  // namespace sw
