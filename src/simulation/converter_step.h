// The engine-and-converter half of one time step for a car with a torque
// converter: from the converter's output RPM it finds the engine RPM, the
// converter's speed and torque ratios and the engine torque by iterating the
// run's converter against the engine curve; it keeps a smoothed engine
// acceleration sampled every 0.1 s, takes off the torque that spins up the
// engine's rotating parts, and adds a torque pulse while a shift is under way.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "simulation/shift_rpms.h"
#include "simulation/tables.h"

namespace sw {

using ResultsTable = std::array<std::array<std::string, kResultsRows>, kResultsCols>;

// Arguments 1, 9-18 go on to EngineTorqueAt (1 as its throttle factor, 9 as
// its last row, 10-11 into its unused slots, 12-17 as its launch and ceiling
// arguments and its HP result, 18 as its limits flag, set to 1 before each
// lookup). ResultsText is read at columns 1 ("Time") and 5 ("C RPM"). A run
// that holds the time of row LastRow as a number hands it in LastRowTime (it
// must be what the row's time text reads), and the text is not read again.
void ConverterStep(const double& CurveThrottle, const double& Clock, double& LastSample, int16_t& Sampled,
                   double& PrevEngineRpm, double& EngineRpm, const double& OutputRpm, const double& StallRpm,
                   const int& LastCurveRow, const double& LowRpm, const double& PeakPowerRpm,
                   const int16_t& SimpleLaunch, const int16_t& ConverterFlag, const double& LaunchFloor,
                   int16_t& LimiterFlag, const double& RpmCeiling, double& Hp, int16_t& TorqueOk,
                   const int& RunResult, const double& Throttle, const double& TorqueFactor, const double& Kstall,
                   const double& K2, double& TorqueRatio, double& SpeedRatio, const double& Spare,
                   const std::string& Mode, const double& StallMultiplication, const int16_t& ShiftStart,
                   const int& RowCounter, const ShiftRpmTable& ShiftRpm, const int& Gear,
                   const ResultsTable& ResultsText, const double& ShiftTime, const double& RadPerRpm,
                   const double& EngineInertia, double& OutTorque, double& InputTorque, int16_t& Slipping,
                   double& ShiftPulse, double& EngineTorqueOut, const int& ShiftRow, const double& Now,
                   const int& LastRow, const double* LastRowTime = nullptr);

// Carried from call to call for the whole run; the run's set-up does not
// clear it (the at-rest branch and the first step of each shift reset the
// rate history).
struct ConverterStepState {
  int16_t counter = 0;       // converter iterations of the last call
  double EngTorque = 0;      // engine torque after throttle
  double PrevTorque = 0;
  double PrevSR = 0;
  double PrevTR = 0;
  double RawTorque = 0;      // curve torque before throttle
  double LastMeanRpm = 0;    // mean engine RPM at the last 0.1 s sample
  double Rate1 = 0, Rate2 = 0, Rate3 = 0;  // previous engine-RPM rates, oldest first
  double RateAvg = 0;
  double LaunchTR = 0;       // stall multiplication of the first step
  double ShiftTorque = 0;    // torque pulse of the current shift
  double InertiaTorque = 0;  // torque taken by the rotating parts
};
const ConverterStepState& ConverterStepStateNow();
void ResetConverterStep();  // back to the state at program start

inline constexpr int kStepConvEngineRpm = 950;  // engine RPM from output RPM and speed ratio
inline constexpr int kStepConvTopCheck = 951;   // top of the engine curve
inline constexpr int kStepConvAtRest = 952;     // speed ratio at rest
inline constexpr int kStepConvShiftRpm = 953;   // shift point of the gear left
inline constexpr int kStepConvShiftRow = 954;   // results row of the shift
inline constexpr int kStepConvShiftRate = 955;  // RPM rate over the shift time
inline constexpr int kStepConvLastRow = 956;    // results row of the last record

}  // namespace sw
