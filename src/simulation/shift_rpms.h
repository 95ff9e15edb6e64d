// Computer-chosen shift points: for each gear change the engine RPM at which
// the drive force after the shift is no longer smaller than before it, with
// the torque curve, the gear steps, the rotating inertia of engine, flywheel,
// clutch or converter and, for a converter, its slip and multiplication on
// both sides of the shift.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "simulation/engine_curve.h"
#include "simulation/tables.h"

namespace sw {

// ShiftRpm(i), i = 1..6: the RPM for the change from gear i to gear i + 1;
// 100000 means no shift out of that gear. Elements 0 and 7 are not written.
using ShiftRpmTable = std::array<double, 8>;

inline constexpr double kNoShift = 100000;

// Reads the specs from SpecText/SpecMenuStart, the torque curve from
// `curve` (built before), the clutch through ClutchSpecs with
// tbl.CalcStatus. Its converter is its own: the run's converter
// characteristic is left as the run set it up.
void CalcShiftRPMs(const double& PeakPower, const double& PeakPowerRpm, const int& LastCurveRow,
                   const std::array<std::string, kSpecCount>& SpecText, const std::array<int16_t, 18>& SpecMenuStart,
                   ShiftRpmTable& ShiftRpm, const double& PeakTorque,
                   const EngineCurveTable& curve = tbl.EngineCurve);

// The shift RPMs on the curve as the racer entered it, with that curve's
// peaks; a shift that cannot be worked out is kNoShift. It builds a curve of
// its own, and any fault the run still has to report stays as it was: a
// fault found here is no run's to report.
struct EnteredCurveShifts {
  double peakHp = 0, peakHpRpm = 0, peakTorque = 0, peakTorqueRpm = 0, topRpm = 0;
  ShiftRpmTable shift{};
};
EnteredCurveShifts ShiftRpmsOnEnteredCurve();

// State carried between calls (and between gear changes of one call); the
// converter's figures are first computed before the first comparison of each
// gear change, so only what the search itself leaves is kept here.
struct ShiftSearchState {
  double RatioTarget = 0;
  double TR1 = 0, SR1 = 0, TR2 = 0, SR2 = 0;
};
const ShiftSearchState& ShiftSearchStateNow();
void ResetShiftRPMs();  // back to the state at program start

inline constexpr int kStepShiftMass = 930;       // mass term from weight and final drive
inline constexpr int kStepShiftInertia = 931;    // clutch and converter inertia terms
inline constexpr int kStepShiftStall = 932;      // stall speed against the peak-power RPM
inline constexpr int kStepShiftCurveRow = 933;   // the curve rows the search reads
inline constexpr int kStepShiftGearStep = 934;   // ratios across a gear change
inline constexpr int kStepShiftRpmRatio = 935;   // engine RPM ratio across a shift
inline constexpr int kStepShiftReference = 936;  // climb to where power falls to 80 %

}  // namespace sw
