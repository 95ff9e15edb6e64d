// Everything before the first time step: the specs turned into physical
// quantities, the track and its marks, the sampling rate, the time step, the
// shift points and the converter check.
#include <algorithm>
#include <cmath>

#include "platform/text.h"
#include "platform/ui.h"
#include "platform/window_host.h"
#include "simulation/air.h"
#include "simulation/clutch.h"
#include "simulation/converter.h"
#include "simulation/engine_curve.h"
#include "simulation/input_checks.h"
#include "simulation/run_fault.h"
#include "simulation/run_simulation.h"
#include "simulation/run_state.h"
#include "simulation/traction.h"

namespace sw {

const char* const kConverterTooTightText =
    "Engine torque is too low for this converter, or this converter is too tight for this torque curve."
    "\r\r"
    "Either increase the engine's torque, 'loosen up' the converter by increasing Converter Capacity, or go to a "
    "clutch system.";
const char* const kConverterTooTightTitle = "Converter Too Tight for Engine";
const char* const kConverterTooLooseText =
    "This converter is too loose (Converter Capacity too large) for this engine power curve or the Shift RPMs "
    "specified or chosen by the computer."
    "\r\r"
    "You must change these specs before calculations can continue:"
    "\r\r"
    "  -  Reduce engine torque or HP"
    "\r"
    "  -  Reduce the Converter Capacity spec"
    "\r"
    "  -  Increase shift RPMs";

namespace {

const std::string kModeSetUp = "C";

// A fractional power of a negative number has no value: reported, 0 used.
double Power(double base, double exponent, int step) {
  if (base < 0 && exponent != std::floor(exponent)) {
    ReportRunFault(rterr::kInvalidCall, step);
    return 0;
  }
  const double p = std::pow(base, exponent);
  if (!std::isfinite(p)) {
    ReportRunFault(rterr::kOverflow, step);
    return 0;
  }
  return p;
}

// Texts shown in start mode 2 go to the collected messages instead.
void Tell(const std::string& text, const std::string& title) {
  if (tbl.StartMode == 2) {
    tbl.CalcMessages += std::string("\r\r") + text;
  } else {
    MsgBox(text, mb::OKOnly, title);
  }
}

}  // namespace

double Run::Spec(int menu, int k) const { return Val(specText_[specMenuStart_[menu] + k]); }

bool Run::SetUp() {
  // Only a search retries: each retry has lowered the converter capacity.
  for (;;) {
    retry_ = false;
    if (SetUpPass()) return true;
    if (!retry_) return false;
  }
}

bool Run::SetUpPass() {
  // 1. Air.
  CalcAirConditions(powerCorrection_, airDensity_);
  Check(erl::kSetUp + 1);

  // 2. Efficiency and engine.
  efficiency_ = 1.01 - 0.01 * Spec(kTransmission, 8);
  torqueFactor_ = 1;
  displacement_ = Spec(kEngine, 1);
  BuildEngineCurve(TheRunsCurve(), peakHp_, peakHpRpm_, peakTorque_, peakTorqueRpm_, lastCurveRow_, midRpm_, powerCorrection_,
                   lowRpm_, topRpm_);
  Check(erl::kSetUp + 2);

  // 3. Clutch or converter.
  const double type = Spec(kTransmission, 0);
  converter_ = (type >= 2 && (type != 5 || Spec(kTransmission, 23) != 1)) ? 1 : 0;
  tbl.ConverterDrive = converter_;
  if (converter_ == 1) {
    capacity_ = Spec(kTransmission, 5);
    capacity2_ = (capacity_ + 100) * (0.6 + 0.06 * (7 - capacity_ / 100));
    torqueMult_ = Spec(kTransmission, 6);
    torqueMultSpec_ = torqueMult_;
    double unusedRatio = 0;
    ConverterModel(capacity_, capacity2_, torqueMult_, speedRatio_, clutchRpm_, converterSpare_, unusedRatio,
                   kModeSetUp, torqueMultSpec_);
    driveState_ = "E";
  } else {
    torqueMult_ = 1;
    ClutchSpecs(clutchCapacity_, clutchSpeedCoef_, clutchTorquePerLb_, calcStatus_, clutchDiameter_,
                clutchForce_, clutchDisks_, powerCorrection_, peakTorque_, peakHpRpm_);
    if (calcStatus_ == -2) {
      // A search's clutch beyond 5000 lbs of clamp force: no run this pass.
      calcStatus_ = -1;
      finishRow_ = -1;
      abandoned_ = true;
      return false;
    }
  }
  Check(erl::kSetUp + 3);

  // 4. Engine inertia: engine, then flywheel and clutch disc, or converter.
  auto addRing = [](double inertia, double weight, double diameterFt) {
    return Int(0.5 + 100 * (inertia + 0.125 * weight * (diameterFt * diameterFt))) / 100;
  };
  engineInertia_ = 0.1 + 0.007 * displacement_;
  if (converter_ == 0) {
    double w = 1.2 * (3 + displacement_ / 30 + clutchForce_ / 350);
    engineInertia_ = addRing(engineInertia_, w, (clutchDiameter_ + 1) / 12);
    w = 0.001 * (clutchCapacity_ + 1000) + 0.35 * Power(clutchDiameter_, 1.5, erl::kSetUp + 4) *
                                              Power(clutchDisks_, 0.5, erl::kSetUp + 4);
    engineInertia_ = addRing(engineInertia_, w, clutchDiameter_ / 12);
  } else {
    const double d = (14.5 - 0.025 * capacity_) / 12;
    const double w = 1.3 * (10 + displacement_ / 100 + 4.8 * (d * d));
    engineInertia_ = addRing(engineInertia_, w, d);
  }
  Check(erl::kSetUp + 4);

  // 5. Gears.
  gearRatio_.fill(0);
  gearCount_ = 6;
  for (int i = 1; i <= 6; ++i) {
    gearRatio_[i] = Spec(kTransmission, 8 + i);
    if (gearRatio_[i] == 0 && gearCount_ == 6) gearCount_ = i - 1;
  }

  // 6. Body.
  weight_ = Spec(kVehicle, 0);
  massPerHp_ = weight_ / 32.17 / 550;
  hundredPerWeight_ = Div(100, weight_, erl::kSetUp + 6);
  finalDrive_ = Spec(kVehicle, 1);
  {
    const double lock = Spec(kVehicle, 2);
    difLock_ = lock == 0 ? 0 : lock == 1 ? 50 : lock == 2 ? 75 : 100;
  }
  pctRear_ = Spec(kVehicle, 5);
  pctRearKept_ = pctRear_;
  cgHeight_ = Spec(kVehicle, 6);
  wheelbase_ = Spec(kVehicle, 7);
  track_ = Spec(kVehicle, 8);
  rollStiffness_ = 75 - 25 * Spec(kVehicle, 9);
  dragCoef_ = Spec(kVehicle, 11);
  liftConstant_ = -0.5;
  frontalArea_ = Spec(kVehicle, 10);
  singleTrack_ = false;
  {
    const double dw = Spec(kVehicle, 4);
    if (dw == 1) {
      driveWheels_ = 1;
      cgHeight_ *= 0.7;
    } else if (dw == 2) {
      driveWheels_ = -1;
    } else {
      driveWheels_ = 0;
      singleTrack_ = dw == 3;
    }
  }

  // 7. Efficiency rules, then the tires' traction.
  if (efficiency_ > 1) {
    const double x = converter_ == 1 ? 0.04 : 0;
    efficiency_ = gearCount_ == 0   ? 0.99
                  : gearCount_ == 1 ? 0.98 - 0.5 * x
                  : gearCount_ == 2 ? 0.98 - x
                                    : 0.97 - 1.5 * x;
    if (driveWheels_ == -1) efficiency_ -= 0.015;
  }
  if (driveWheels_ == -1) efficiency_ -= 0.04;
  efficiency_ -= 0.03;
  tractionFactor_ = Spec(kTires, 8) / 100;
  VehicleLoadSpecs(tireCode_, tread_, tractionCoef_, peakHp_, rollingCoef_);
  muStatic_ = std::max(0.25, tractionCoef_ * tractionFactor_);
  rollingCoef_ = 0.005 + 0.005 * muStatic_;
  Check(erl::kSetUp + 7);

  // 8. Tires.
  rearRadius_ = std::max(3.0, Spec(kTires, 5) / 2);
  rearWheelWeight_ = Spec(kTires, 4);
  if (Spec(kTires, 6) == 4) {
    growthFraction_ = Spec(kTires, 9) / 100;
    growthRpm_ = 500;
    slipConstant_ = std::min(0.3, 0.01 * (1 + 0.015 * peakHp_));
    const double treadTerm = std::max(0.0, (Spec(kTires, 7) - 5) * 0.03);
    squash_ = 0.01 * (treadTerm + 0.15) / 2 / 12;
    growthSlope_ = growthFraction_ / 500;
    muSliding_ = 0.98 * muStatic_;
  } else {
    growthFraction_ = 0;
    growthRpm_ = 500000;
    slipConstant_ = 0.05;
    squash_ = 0;
    growthSlope_ = 0;
    muSliding_ = 0.93 * muStatic_;
  }
  minTraction_ = 1 - slipConstant_;
  tractionChangeDistance_ = 100;
  if (Spec(kTires, 0) == 0) {
    frontRadius_ = std::min(16.0, 4 + 0.0027 * weight_);
    frontWheelWeight_ = std::min(60.0, 5 + 0.011 * weight_);
  } else {
    frontRadius_ = Spec(kTires, 2) / 2;
    frontWheelWeight_ = Spec(kTires, 1);
  }
  frontRadius_ = std::max(3.0, frontRadius_);
  frontWheelRpmPerFps_ = 60 / (3.1416 * 2 * frontRadius_ / 12);
  if (driveWheels_ == 1 || driveWheels_ == -1) difLock_ = 100;
  if (driveWheels_ == -1) pctRear_ = 100;
  if (singleTrack_) {
    rearWheelWeight_ /= 2;
    frontWheelWeight_ /= 2;
    difLock_ = 100;
  }

  // 9. Driving.
  launchRpm_ = Spec(kDriving, 1);
  if (launchRpm_ > topRpm_ - 300) launchRpm_ = topRpm_ - 300;
  launchFloor_ = std::max(2000.0, launchRpm_);
  launchClutch_ = Spec(kDriving, 2) / 100;
  launchThrottle_ = Spec(kDriving, 3) / 100;
  launchTime_ = Spec(kDriving, 4);
  if (launchTime_ == 0) {
    launchTime_ = 0.5;
    launchClutch_ = 1;
    launchThrottle_ = 1;
  }
  launchRamp_ = 1;
  throttleRamp_ = Div(1 - launchThrottle_, launchTime_, erl::kSetUp + 9);
  clutchRamp_ = Div(1 - launchClutch_, launchTime_, erl::kSetUp + 9);
  startClutch_ = launchClutch_;
  startThrottle_ = launchThrottle_;
  startLaunchTime_ = launchTime_;
  const double drivingType = Spec(kDriving, 0);
  simpleLaunch_ = (drivingType == 0 || drivingType == 2 || tbl.BeginnerLevel == 1) ? 1 : 0;
  if (simpleLaunch_ == 1) launchRamp_ = 0;
  if (drivingType == 2) {
    launchRpm_ = std::max(launchRpm_, (topRpm_ + peakHpRpm_) / 2);
    launchFloor_ = launchRpm_;
  }
  shiftThrottle_ = 1 - 0.5 * Spec(kDriving, 6);
  {
    const double st = Spec(kDriving, 5);
    tbl.ShiftTime = st == 0 ? 0.8 : st == 1 ? 0.4 : st == 2 ? 0.2 : 0;
  }
  Check(erl::kSetUp + 9);

  // 10. Shift points.
  shiftRpm_.fill(0);
  if (Spec(kDriving, 7) != 0 && tbl.BeginnerLevel != 1) {
    for (int i = 1; i <= 5; ++i) {
      shiftRpm_[i] = Spec(kDriving, 7 + i);
      if (shiftRpm_[i] == 0) shiftRpm_[i] = kNoShift;
    }
  } else {
    CalcShiftRPMs(peakHp_, peakHpRpm_, lastCurveRow_, specText_, specMenuStart_, shiftRpm_, peakTorque_,
                  tbl.EngineCurve);
  }
  finerTimes_ = tbl.FinerTime == 1 ? "Y" : "N";
  Check(erl::kSetUp + 10);

  // 11. Track, marks and sampling.
  {
    const double choice = Spec(kConditions, 7);
    trackLength_ = choice == 1   ? 660
                   : choice == 2 ? 5280
                   : choice == 3 ? 7040
                   : choice == 4 ? 26400
                   : choice == 5 ? 300
                                 : 1320;
  }
  progressStep_ = trackLength_ / 10;
  nextProgress_ = progressStep_;
  const double L = trackLength_;
  struct Marks {
    double m1, m2, m3, m4;
    int16_t samples;
  };
  const Marks marks = L > 26399   ? Marks{10560, 11880, 15840, 21120, 1}
                      : L > 10000 ? Marks{1320, 2640, 5280, 10560, 1}
                      : L >= 5280 ? Marks{660, 1320, 2640, 5280, 2}
                      : L >= 2640 ? Marks{330, 660, 1320, 2640, 5}
                                  : Marks{60, 330, 660, 1000, 10};
  mark_[1] = marks.m1;
  mark_[2] = marks.m2;
  mark_[3] = marks.m3;
  mark_[4] = marks.m4;
  samples_ = marks.samples;
  if (Div(weight_, peakHp_, erl::kSetUp + 11) > 30) samples_ = static_cast<int16_t>(RoundHalfEven(samples_ / 2.0));

  // 12. Rollout and wind.
  {
    const double k = Spec(kConditions, 8);
    rollout_ = k == 3 ? 0 : (6 + 4 * k) / 12;
    rolloutZero_ = rollout_ == 0;
  }
  double direction;
  if (tbl.CalcMode == 0) {
    wind_ = Spec(kConditions, 5) * 1.467;
    direction = RoundHalfEven(Spec(kConditions, 6));
  } else {
    const int r = tbl.CalcPass == 1 ? 4 : tbl.CalcPass == 2 ? 13 : 24;
    wind_ = Val(Windows().DialInRowText(r)) * 1.467;
    direction = Windows().DialInListIndex(r + 1);
  }
  if (direction == 0) wind_ = 0;
  else if (direction == 2) wind_ = -wind_;
  else if (direction == 3) wind_ *= 0.5;
  else if (direction == 4) wind_ *= 0.75;
  else if (direction == 5) wind_ *= -0.25;

  // 13. Gears beyond the last have no shift out of the gear before; wheels.
  for (int i = 7; i >= 1; --i)
    if (gearRatio_[i] < 0.01) shiftRpm_[i - 1] = kNoShift;
  rearInertia_ = 0.55 * rearWheelWeight_ * (rearRadius_ * rearRadius_) / 144;
  frontInertia_ = 0.55 * frontWheelWeight_ * (frontRadius_ * frontRadius_) / 144;
  Check(erl::kSetUp + 13);

  // 14. Converter against the engine.
  if (converter_ == 1) {
    bool ended = false;
    ConverterCheck(ended);
    Check(erl::kSetUp + 14);
    if (ended) return false;
  }
  return true;
}

void Run::ConverterCheck(bool& ended) {
  converterShiftTime_ = std::max(0.3, tbl.ShiftTime);
  tbl.ShiftTime = 0.05000001;
  shiftThrottle_ = 1;
  const double throttle = simpleLaunch_ == 1 ? 1 : launchThrottle_;
  const double mode = calcStatus_ != 0 ? -1 : 1;
  stallRpm_ = 0;
  CheckConverterCapacity(mode, lastCurveRow_, stallRpm_, capacity_, throttle, tbl.EngineCurve);

  if (stallRpm_ < 0) {
    // A search's converter beyond the curve: the engine sits just below the
    // curve's low figure and the checks are passed over.
    engineRpm_ = lowRpm_ - 1;
    double torque = 0;
    double unusedHp = 0;  // the HP at that RPM: the run never reads it
    EngineTorqueAt(tbl.EngineCurve, torque, engineRpm_, torqueFactor_, lastCurveRow_, 0, 0, 0, simpleLaunch_, converter_,
                   launchFloor_, limiterFlag_, topRpm_, unusedHp, torqueOk_);
    return;
  }

  // A stall RPM of 0 is either a converter that absorbs more than the engine
  // gives (too tight) or one whose stall lies beyond the top of the curve
  // (too loose): the sweep tells which.
  const bool beyondCurve = stallRpm_ == 0 && LastStallSweep() == StallSweep::kBeyondCurve;
  if (stallRpm_ < lowRpm_ && !beyondCurve) {
    if (!(calcStatus_ == 5 && tbl.FindBestTarget == 1)) Tell(kConverterTooTightText, kConverterTooTightTitle);
    finishRow_ = -1;
    abandoned_ = true;
    ended = true;
    return;
  }

  int loose = 0;
  if (beyondCurve) {
    loose = -1;
  } else {
    for (int i = 1; i <= 5; ++i) {
      if (shiftRpm_[i] < 99000 && shiftRpm_[i] < stallRpm_ + 500) {
        loose = i;
        break;
      }
    }
  }
  if (loose == 0) return;

  if (calcStatus_ == 5 && tbl.FindBestTarget == 1) {
    finishRow_ = -1;
    abandoned_ = true;
    ended = true;
  } else if (calcStatus_ == 0) {
    Tell(kConverterTooLooseText, "");
    finishRow_ = -1;
    abandoned_ = true;
    if (loose > 0) offendingShiftRpm_ = shiftRpm_[loose];
    ended = true;
  } else {
    // A search pass: a 20 % tighter converter, and the set-up again.
    specText_[specMenuStart_[kTransmission] + 5] = Format(0.8 * capacity_, "####.0");
    retry_ = true;
    ended = true;
  }
}

void Run::AfterSetUp() {
  // 1. Launch.
  if (simpleLaunch_ == 1) {
    launchThrottle_ = 1;
    launchClutch_ = 1;
    launchTime_ = 0.1;
  }
  if (converter_ == 1) launchRpm_ = stallRpm_;

  // 2. Constants.
  const double rpmPerMph = 5280 / (2 * 3.1416 / 12) / 60;
  massTerm_ = 144 * (196 * weight_ / (rpmPerMph * rpmPerMph)) / 32.2;
  dragFactor_ = (1.4669 * 1.4669) * frontalArea_ * dragCoef_ * 0.5 * airDensity_ / 32.2;
  drivelineInertia_ = 0.3 * engineInertia_ * (finalDrive_ * finalDrive_);
  const double wheelRatio = rearRadius_ / frontRadius_;
  frontPair_ = 2 * frontInertia_ * (wheelRatio * wheelRatio);
  rearPair_ = 2 * rearInertia_;
  if (driveWheels_ == -1) {
    rearPair_ += frontPair_;
    frontPair_ = 0;
  }

  // 3. Phase record, tire radius, wheel-side inertia.
  for (int i : {0, 2, 4, 6, 7, 8, 9, 10, 11}) phase_[i] = 0;
  rearRadius_ /= 12;
  staticRadius_ = rearRadius_;
  r_ = rearRadius_;
  minRadius_ = 0.75 * r_;
  maxRadius_ = std::min(r_ * (1 + 2 * growthFraction_), 1.4 * r_);
  r2_ = r_ * r_;
  wheelSide_ = (drivelineInertia_ + frontPair_ + rearPair_) / 32.2;
  equivMass_ = wheelSide_ + massTerm_ * r2_;
  angular_ = 2 * 3.1416 / 60;

  // 4. Axle loads.
  staticHalf_ = weight_ * pctRear_ / 100 / 2;
  allWheelStaticHalf_ = weight_ * pctRearKept_ / 100 / 2;
  // A term whose other factor is 0 is 0: a wheelbase or track left empty on
  // a layout whose window greys those rows out is no division by zero.
  {
    const int step = erl::kAfterSetUp + 4;
    const double weightHeight = weight_ * (cgHeight_ / 12) / 32.2;
    transferCoef_ = weightHeight == 0 ? 0 : weightHeight * Div(12, wheelbase_, step) / 1.5;
    const double roll = rollStiffness_ * (1 - difLock_ / 100) / 100;
    torqueReactionCoef_ = roll == 0 ? 0 : Div(roll, track_ / 12, step);
    const double height = cgHeight_ / 12;
    dragHeightCoef_ = height == 0 ? 0 : height * Div(12, wheelbase_, step) / 2;
  }
  if (driveWheels_ == 1) {
    staticHalf_ = weight_ * (100 - pctRear_) / 100 / 2;
    transferCoef_ = -transferCoef_;
    dragHeightCoef_ = -dragHeightCoef_;
    torqueReactionCoef_ = 0;
  }
  liftFactor_ = Div(-0.5 * pctRear_ / 100, dragCoef_, erl::kAfterSetUp + 4);
  liftCoef_ = Div(-0.5, dragCoef_, erl::kAfterSetUp + 4);
  Check(erl::kAfterSetUp + 4);

  // 5. Start state.
  t_ = 0;
  x_ = 0;
  v_ = 0;
  a_ = 0;
  gear_ = 1;
  engineRpm_ = launchRpm_;
  clutchRpm_ = 0;
  traction_ = TractionHistory{};
  resultsText_[1][0] = "0";
  tbl.RunTotal1 = 100000;
  tbl.RunTotal2 = tbl.RunTotal3 = tbl.RunTotal4 = 0;

  // 6. Time step. A curve without torque gives none: the run cannot step.
  if (!(peakTorque_ > 0)) {
    HandleFault(peakTorque_ == 0 ? rterr::kDivisionByZero : rterr::kOverflow, erl::kAfterSetUp + 6);
    EndRun();
  }
  dt_ = std::min(0.02, 20 / peakTorque_);
  if (tbl.FinerTime == 1) dt_ /= 5;
  step_ = dt_;

  // 7. Counters.
  for (auto& r : ev_) r.fill(0);
  row_ = 1;
  finishRow_ = 0;
  sixtyFootTime_ = 0;
  trapSpeed_ = 0;

  // 8. Gear-1 terms.
  GearTerms();
  const double d = difLock_ / 100;  // the lock enters as a fraction
  reducedEquivMass_ = (frontPair_ + rearPair_ * (1 - (1 + d * d) / 2)) / 32.2 + massTerm_ * r2_;
  spinInertia_ = (drivelineInertia_ + rearPair_ * (1 + d * d) / 2) / 32.2;
  Check(erl::kAfterSetUp + 8);

  // 9. Progress window.
  if (tbl.QuietCalc == 0) {
    Windows().SetProgressBar(1);
    Windows().SetProgressDistance("0");
    Windows().SetProgressPass(Format(tbl.CalcPass, "##0"));
  }
  if (tbl.QuietCalc == 0) DoEvents();  // a quick calculation lets no window events run
}

// Inertia, ratio and speed factors of the gear in use.
void Run::GearTerms() {
  const double g = gearRatio_[gear_];
  engineSide_ = (finalDrive_ * finalDrive_) * (g * g) * engineInertia_ / 32.2;
  overall_ = g * finalDrive_;
  wheelSpeedFactor_ = Div(angular_, overall_, erl::kAfterSetUp + 8);
  roadSpeedFactor_ = r_ * wheelSpeedFactor_;
  totalEquivMass_ = engineSide_ + wheelSide_ + massTerm_ * r2_;
}

}  // namespace sw
