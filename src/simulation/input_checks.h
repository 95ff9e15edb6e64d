// The checks before a run: specs that make a run impossible stop it ("Problem
// with Inputs"), doubtful ones ask whether to go on ("Possible Problem with
// Inputs"). A warning already answered for the same values is not repeated;
// in a quick calculation (tbl.QuietCalc 1) no warning is asked twice while
// the specs and the power curve stay as they were: its answer stands.
// In start mode 2 nothing is shown: the texts go to tbl.CalcMessages and a
// refused run writes the lap data file with placeholder values.
#pragma once

#include <cstdint>

#include "simulation/engine_curve.h"

namespace sw {

// Sets tbl.StopAfterPrep (1 = do not run), tbl.EstimateClutch and
// tbl.CalcMessages. During a search (`calcStatus` not 0) a clutch too small
// for the engine sets the transmission type to 0 and `calcStatus` to -1.
void CheckInputs(double& powerCorrection, double& peakHp, double& peakHpRpm, int16_t& calcStatus,
                 double& topRpm, int& pointCount, double& peakTorque, double& peakTorqueRpm);

// Stall RPM of a converter of `converterCapacity` on `curve` rows
// 0..pointCount, the torque scaled by torqueFactor x factorScale. A
// `torqueFactor` below -0.1 selects quiet mode and is used negated.
// Normal mode: the stall RPM, or 0 when there is no stall crossing on the
// curve. Quiet mode: the stall RPM, or minus the crossing RPM when it lies at
// or beyond the top curve row, or minus what the sweep last held when there
// is no crossing (0 when the converter absorbs more than the engine gives
// from the first step on, 1 when the engine never reaches the stall).
void CheckConverterCapacity(const double& torqueFactor, const int& pointCount, double& stallRpm,
                            const double& converterCapacity, const double& factorScale,
                            const EngineCurveTable& curve = tbl.EngineCurve);

// How the last converter sweep ended, for callers that must tell a tight
// converter from a loose one when the stall RPM is 0.
enum class StallSweep {
  kCrossed,      // a stall RPM below the top curve row
  kBeyondCurve,  // the crossing, if any, lies at or beyond the top curve row: too loose
  kNeverBelow,   // the converter absorbs more than the engine gives from the first step: too tight
};
StallSweep LastStallSweep();

// Corrects the air, builds the engine curve into a table of its own and shows the stall RPM of the Transmission window's converter
// capacity (its row 5) in its row 15, or " too low". Hands back three
// results of the build.
void CheckTransmissionSpec(double& limitRpm, double& midRpm, double& peakHpRpm);

// Forgets every warning already given (program start; tests).
void ResetInputCheckMemory();

}  // namespace sw
