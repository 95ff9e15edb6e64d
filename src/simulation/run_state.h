// The working state of one run and its steps: the set-up, the time-step loop,
// the sub-steps the loop calls, and the closing step. One `Run` lives on the
// stack for one call of RunSimulation; nothing in it allocates.
//
// Units: feet, ft/s, lbs, ft lbs, inertias in lb ft2 (divided by 32.2 where a
// torque is formed), RPM, seconds.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "simulation/result_rows.h"
#include "simulation/run_simulation.h"
#include "simulation/run_fault.h"
#include "simulation/shift_rpms.h"
#include "simulation/tables.h"

namespace sw {

using SpecTable = std::array<std::string, kSpecCount>;
using MenuStarts = std::array<int16_t, 18>;
using TextScreen = std::array<std::string, 81>;

// Error-line numbers the run reports after "ERL=": the set-up steps, the
// steps after the retry loop, the time-step loop's steps and the sub-steps.
namespace erl {
inline constexpr int kSetUp = 1100;      // + set-up step 1..14
inline constexpr int kAfterSetUp = 1120; // + step 1..9 after the retry loop
inline constexpr int kLoop = 1130;       // + loop step 1..22
inline constexpr int kResistance = 1201;
inline constexpr int kAcceleration = 1202;
inline constexpr int kAxleLoad = 1203;
inline constexpr int kSpeedDistance = 1204;
inline constexpr int kTireRadius = 1205;
inline constexpr int kInterpolation = 1206;
inline constexpr int kEventRow = 1207;
inline constexpr int kFinish = 1208;
inline constexpr int kGearChange = 1209;
inline constexpr int kShiftStep = 1211;
inline constexpr int kTrap = 1212;
inline constexpr int kClosing = 1230;
inline constexpr int kLapData = 1231;
}  // namespace erl

// Thrown by the error handler when the run is to end (No, start mode 2, or a
// run that cannot go on); caught by RunSimulation, which then closes the run.
struct RunEnded {};

class Run {
 public:
  Run(SpecTable& specText, double& trapSpeed, double& powerCorrection, MenuStarts& specMenuStart,
      ResultsTable& resultsText, int& finishRow, TextScreen& textScreenLines, int16_t& runLogRow,
      int16_t& rowRequest, double& sixtyFootTime, int16_t& calcStatus)
      : specText_(specText),
        trapSpeed_(trapSpeed),
        powerCorrection_(powerCorrection),
        specMenuStart_(specMenuStart),
        resultsText_(resultsText),
        finishRow_(finishRow),
        textScreenLines_(textScreenLines),
        runLogRow_(runLogRow),
        rowRequest_(rowRequest),
        sixtyFootTime_(sixtyFootTime),
        calcStatus_(calcStatus) {}

  void Execute();

 private:
  // --- arguments of RunSimulation
  SpecTable& specText_;
  double& trapSpeed_;
  double& powerCorrection_;
  MenuStarts& specMenuStart_;
  ResultsTable& resultsText_;
  int& finishRow_;
  TextScreen& textScreenLines_;
  int16_t& runLogRow_;
  int16_t& rowRequest_;  // row-request flag = the run log's first-sample flag
  double& sixtyFootTime_;
  int16_t& calcStatus_;

  // --- run procedure and its error handler (run_close.cpp)
  bool handlerArmed_ = false;
  bool abandoned_ = false;  // FinishRow was set to -1: no results to show
  bool endedByHandler_ = false;  // the error handler (or Cancel) ended the run
  void HandleFault(int errorNumber, int step);
  // Takes a pending fault report to the handler.
  void Check(int step) {
    if (RunFaultPending()) HandlePendingFault(step);
  }
  void HandlePendingFault(int step);
  void EndRun();               // FinishRow = -1 and leave for the closing step
  void Close();
  void KeepFigures() const;
  void CloseLapData(int row, double finishMph, const char* timeFormat);
  void CloseNormal(int row, double finishMph, const char* timeFormat);
  // num / den; a zero divisor or a quotient that is not finite is reported
  // and gives 0.
  double Div(double num, double den, int step) { return DivideOrReport(num, den, step); }

  // --- set-up (run_setup.cpp)
  double Spec(int menu, int k) const;
  bool SetUp();          // false: the run ended in the set-up
  bool SetUpPass();      // one pass of the retry loop; false: ended or retry
  bool retry_ = false;
  void AfterSetUp();
  void ConverterCheck(bool& ended);

  // --- time-step loop (run_loop.cpp)
  void Loop();
  void ConverterTorque();
  void ClutchTorque();
  void TractionIteration();
  void Integrate();
  void RecordRequestedRow();
  void FillStartRow();

  // --- sub-steps (run_events.cpp)
  double Resistance();
  void Acceleration(double force);
  void AxleLoad();
  void SpeedAndDistance();
  void TireRadiusTick();
  void FillEventRow();
  void Interpolate(int kind, double value);
  void EventRow(int kind, double value);
  void WriteRow(int16_t& shiftFlag, int kind, double value, double gear);
  void FinishEvent();
  void GearChange();
  void ShiftEnd();
  void LaunchEnd();
  void GearTerms();
  // The run log's sample of this instant. Most time steps pass no new
  // sampling instant: nothing to log then (Int(x) <= n is x < n + 1 for a
  // whole n, without the rounding).
  void Sample() {
    if (t_ != 0 && rowRequest_ != 1 && (samples_ * t_ < lastLogStep_ + 1.0 || std::abs(calcStatus_) == 1)) return;
    LogSample();
  }
  void LogSample();
  void NextEventThresholds();

  // ====== values of the set-up
  double airDensity_ = 0;
  double efficiency_ = 0;
  double torqueFactor_ = 1;
  double displacement_ = 0;
  double peakHp_ = 0, peakHpRpm_ = 0, peakTorque_ = 0, peakTorqueRpm_ = 0;
  int lastCurveRow_ = 0;
  double midRpm_ = 0, lowRpm_ = 0, topRpm_ = 0;
  int16_t converter_ = 0;  // 1 = torque converter
  double capacity_ = 0, capacity2_ = 0;
  double torqueMult_ = 1, torqueMultSpec_ = 0;
  double converterSpare_ = 0;
  std::string driveState_;
  double clutchCapacity_ = 0, clutchSpeedCoef_ = 0, clutchTorquePerLb_ = 0;
  double clutchDiameter_ = 0, clutchForce_ = 0, clutchDisks_ = 0;
  double engineInertia_ = 0;
  std::array<double, 8> gearRatio_{};
  int gearCount_ = 0;
  double weight_ = 0, massPerHp_ = 0, hundredPerWeight_ = 0;
  double finalDrive_ = 0, difLock_ = 0;
  double pctRear_ = 0, pctRearKept_ = 0;
  double cgHeight_ = 0, wheelbase_ = 0, track_ = 0, rollStiffness_ = 0;
  double dragCoef_ = 0, liftConstant_ = -0.5, frontalArea_ = 0;
  int driveWheels_ = 0;
  bool singleTrack_ = false;
  double rearRadius_ = 0, rearWheelWeight_ = 0;
  double tractionFactor_ = 0;
  int16_t tireCode_ = 0;
  double tread_ = 0, tractionCoef_ = 0, rollingCoef_ = 0;
  double muStatic_ = 0, muSliding_ = 0;
  double growthFraction_ = 0, growthRpm_ = 0, slipConstant_ = 0, squash_ = 0, growthSlope_ = 0;
  double minTraction_ = 0, tractionChangeDistance_ = 100;
  double frontRadius_ = 0, frontWheelWeight_ = 0, frontWheelRpmPerFps_ = 0;
  double launchRpm_ = 0, launchFloor_ = 0, launchClutch_ = 0, launchThrottle_ = 0, launchTime_ = 0;
  int16_t launchRamp_ = 0;
  double throttleRamp_ = 0, clutchRamp_ = 0;
  double startClutch_ = 0, startThrottle_ = 0, startLaunchTime_ = 0;
  int16_t simpleLaunch_ = 0;
  double shiftThrottle_ = 1;
  ShiftRpmTable shiftRpm_{};
  std::string finerTimes_;
  double trackLength_ = 1320, progressStep_ = 132;
  double mark_[5] = {};
  int16_t samples_ = 10;
  double rollout_ = 0;
  bool rolloutZero_ = false;
  double wind_ = 0;
  double rearInertia_ = 0, frontInertia_ = 0;
  double converterShiftTime_ = 0;
  double stallRpm_ = 0;
  double offendingShiftRpm_ = 0;  // the shift point that made the converter too loose

  // ====== constants after the retry loop
  double massTerm_ = 0;  // m': vehicle mass term, x r^2 in the inertias
  double dragFactor_ = 0;
  double drivelineInertia_ = 0, frontPair_ = 0, rearPair_ = 0;
  double phase_[13] = {};
  double staticRadius_ = 0, minRadius_ = 0, maxRadius_ = 0;
  double r_ = 0, r2_ = 0;  // current tire radius (ft) and its square
  double wheelSide_ = 0;   // I0
  double equivMass_ = 0;
  double angular_ = 2 * 3.1416 / 60;
  double staticHalf_ = 0, allWheelStaticHalf_ = 0;
  double transferCoef_ = 0, torqueReactionCoef_ = 0, dragHeightCoef_ = 0;
  double liftFactor_ = 0, liftCoef_ = 0;
  double dt_ = 0.02;
  double engineSide_ = 0, overall_ = 0, wheelSpeedFactor_ = 0, roadSpeedFactor_ = 0, totalEquivMass_ = 0;
  double reducedEquivMass_ = 0, spinInertia_ = 0;

  // ====== loop state
  double t_ = 0, launchElapsed_ = 0, launchOffset_ = 0;
  double x_ = 0, v_ = 0, a_ = 0;
  double engineRpm_ = 0, clutchRpm_ = 0;
  int gear_ = 1;
  double throttle_ = 1, clutchEngagement_ = 1;
  int16_t slipping_ = 0, wheelspin_ = 0;
  double step_ = 0;
  TractionHistory traction_;
  double engineTorque_ = 0, curveTorque_ = 0, clutchTorque_ = 0, transmitted_ = 0;
  double gearboxOut_ = 0, axleTorque_ = 0, netForce_ = 0, tractionLimit_ = 0, forceInUse_ = 0;
  double resistance_ = 0, frontLoadTerm_ = 0, liftTerm_ = 0;
  double axleLoad_ = 0, secondAxleLoad_ = 0, loadChange_ = 0;
  double muInUse_ = 0;
  int16_t heldAtLimit_ = 0;
  double nextProgress_ = 0;
  int row_ = 1;           // results-row counter
  int lastRecorded_ = 0;  // last recorded row (written after a shift)
  double lastRecordedTime_ = 0;  // its time text as a number
  double throttleShown_ = 0;
  int16_t tireSlip_ = 0;  // %, a whole number
  int16_t loadPct_ = 0, secondLoadPct_ = 0;  // %, whole numbers
  int16_t limiterFlag_ = 0;
  double speedRatio_ = 1;
  int16_t lastLogStep_ = 0;
  EventValues ev_{};
  int16_t shiftInProgress_ = 0;
  int shiftRow_ = 0;
  double shiftStartTime_ = 0, shiftStartRpm_ = 0, shiftTorqueFactor_ = 0, shiftElapsed_ = 0;
  bool frictionDropped_ = false;
  bool sixtyMphPassed_ = false, rolloutPassed_ = false, hundredMphPassed_ = false;
  bool markPassed_[5] = {};
  // Below both no event of SpeedAndDistance is due (0: not worked out yet).
  double nextEventX_ = 0, nextEventV_ = 0;
  double rolloutTime_ = 0;
  double lastTick_ = 0;
  double prevRadius1_ = 0, prevRadius2_ = 0;
  bool radiusStarted_ = false;
  int minRpmGear_ = 0;
  bool finished_ = false;
  long passes_ = 0;
  int radiusTicks_ = 0;

  // converter step working values
  double convLastSample_ = 0, convPrevEngineRpm_ = 0, convWork17_ = 0, convShiftPulse_ = 0;
  int16_t convSampled_ = 0, torqueOk_ = 1;
};

// The force terms of a time step, asked several times a step: inline.

// Aerodynamic drag and rolling resistance as one force, and the aerodynamic
// loads on the axles.
inline double Run::Resistance() {
  const double airspeed = v_ + wind_;
  const double s = airspeed > 0 ? 1 : airspeed < 0 ? -1 : 0;
  const double mph = airspeed / 1.467;
  double r = s * dragFactor_ * (mph * mph);
  frontLoadTerm_ = liftFactor_ * r;
  liftTerm_ = r * liftCoef_;
  r += rollingCoef_ * (weight_ - liftTerm_) * (1 + v_ / 147);
  resistance_ = r;
  return r;
}

inline void Run::Acceleration(double force) {
  double inertia = massTerm_ * r2_ + wheelSide_;
  if (slipping_ == 0) inertia += engineSide_;
  a_ = Div(force * r2_, inertia, erl::kAcceleration);
}

// Load on the driven axle and the traction limit it gives.
inline void Run::AxleLoad() {
  // The sums in the order they are written: half load, transfer, torque
  // reaction, drag.
  auto half = [this](double staticHalf) {
    return staticHalf + a_ * transferCoef_ - gearboxOut_ * torqueReactionCoef_ + resistance_ * dragHeightCoef_;
  };
  axleLoad_ = 2 * half(staticHalf_);
  if (axleLoad_ > weight_) axleLoad_ = weight_;
  axleLoad_ -= frontLoadTerm_;
  if (driveWheels_ == 1)
    secondAxleLoad_ = axleLoad_;
  else if (driveWheels_ == -1)
    secondAxleLoad_ = weight_ - 2 * half(allWheelStaticHalf_) + 0.5 * frontLoadTerm_;
  else
    secondAxleLoad_ = weight_ - liftTerm_ - axleLoad_;
  loadChange_ = (axleLoad_ - 2 * staticHalf_) + 0.7 * frontLoadTerm_;
  tractionLimit_ = axleLoad_ * muInUse_;
  const double floor = muInUse_ * 0.05 * weight_;
  if (tractionLimit_ < floor) tractionLimit_ = floor;
}

}  // namespace sw
