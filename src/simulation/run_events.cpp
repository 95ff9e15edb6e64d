// The sub-steps of a time step: forces, speed and distance with the run's
// events (marks, trap speed, 60 ft, 60 and 100 MPH, rollout), the result rows
// they write, the finish, the gear change and the launch end.
#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/text.h"
#include "platform/ui.h"
#include "platform/window_host.h"
#include "simulation/engine_curve.h"
#include "simulation/run_fault.h"
#include "simulation/run_log.h"
#include "simulation/run_simulation.h"
#include "simulation/run_state.h"

namespace sw {

void Run::LogSample() {
  LogRunSample(rowRequest_, t_, samples_, lastLogStep_, calcStatus_, v_, x_, a_, engineRpm_, engineTorque_,
               throttle_, converter_, simpleLaunch_, throttleShown_, shiftInProgress_, launchClutch_, runLogRow_,
               clutchRpm_, shiftThrottle_, topRpm_);
}

void Run::FillEventRow() {
  auto& e = ev_[1];
  e[1] = t_;
  e[2] = v_ / 1.467;
  e[3] = a_ / 32.2;
  e[4] = x_;
  e[5] = clutchRpm_;
  e[6] = engineRpm_;
  e[7] = torqueMult_;
  e[8] = 100 * (1 - Div(clutchRpm_, engineRpm_, erl::kSpeedDistance));
  e[9] = tireSlip_;
  e[10] = throttleShown_;
  e[12] = loadPct_;
}

// Loaded, grown and slipping tire radius, 20 times a second.
void Run::TireRadiusTick() {
  ++radiusTicks_;
  double radius = staticRadius_ - squash_ * loadChange_;
  if (radius < minRadius_) radius = minRadius_;
  const double wheelRpm = Div(clutchRpm_, gearRatio_[gear_] * finalDrive_, erl::kTireRadius);
  const double g = growthRpm_;
  if (wheelRpm >= 2 * g)
    radius *= 1 + growthFraction_ + growthSlope_ * (wheelRpm - 2 * g);
  else if (wheelRpm >= g)
    radius *= 1 + growthSlope_ * (wheelRpm - g);
  radius *= traction_.current;
  if (!radiusStarted_) {
    prevRadius1_ = prevRadius2_ = radius;
    radiusStarted_ = true;
  }
  double r = (radius + prevRadius1_ + prevRadius2_) * 0.333;
  if (r > maxRadius_) r = maxRadius_;
  prevRadius2_ = prevRadius1_;
  prevRadius1_ = radius;
  r_ = r;
  r2_ = r * r;
  // Road speed and wheel speed are measured on the same radius.
  roadSpeedFactor_ = r_ * wheelSpeedFactor_;
}

void Run::SpeedAndDistance() {
  const double h = step_;
  v_ += a_ * h;
  x_ = DistanceAfterStep(x_, v_, a_, h);

  if (!frictionDropped_ && x_ > tractionChangeDistance_) {
    frictionDropped_ = true;
    muStatic_ *= 0.9;
    muSliding_ *= 0.9;
  }
  if (heldAtLimit_ != 0) {
    tbl.RunTotal3 += h;
    if (simpleLaunch_ == 1) phase_[11] += h;
  }
  Sample();

  // lastTick_ is a whole number: Int(20 t) > lastTick_ is 20 t >= lastTick_ + 1.
  if (20 * t_ >= lastTick_ + 1) {
    lastTick_ = Int(20 * t_);
    TireRadiusTick();
  }

  FillEventRow();
  // Most steps reach no mark, speed or finish: the checks below all fail.
  if (x_ < nextEventX_ && v_ < nextEventV_) return;

  // Finish.
  if (x_ >= trackLength_) {
    Interpolate(kEventDistance, trackLength_);
    FinishEvent();
    return;
  }

  // Trap entry, 66 ft before the finish of a quarter or an eighth mile.
  if (trapSpeed_ == 0 && (trackLength_ == 1320 || trackLength_ == 660)) {
    const double entry = trackLength_ - 66;
    if (x_ >= entry) {
      const double x0 = x_ - (v_ * h + 0.5 * a_ * (h * h));
      trapSpeed_ = v_ - Div(x_ - entry, x_ - x0, erl::kTrap) * (a_ * h);
    }
  }

  if (sixtyFootTime_ == 0 && x_ >= mark_[1]) {
    EventRow(kEventDistance, mark_[1]);
    if (tbl.QuietCalc == 0) Windows().SetProgressDistance(Format(mark_[1], "#####"));
    if (tbl.QuietCalc == 0) DoEvents();
    sixtyFootTime_ = SixtyFootTimeOf(ev_[1][1]);
  }

  if (!sixtyMphPassed_ && v_ >= 88.02) {
    EventRow(kEventSpeed, 60);
    sixtyMphPassed_ = true;
  }

  if (!rolloutZero_ && !rolloutPassed_ && x_ >= rollout_) {
    EventRow(kEventDistance, rollout_);
    // The clock and the distance start again at the rollout point. The row
    // just written is the only "RO" row: its request is done. The launch
    // runs on without a jump, and the tire-radius tick follows the new clock.
    rowRequest_ = 0;
    launchOffset_ += rolloutTime_;
    t_ = 0.00001;
    x_ = 0.00001;
    lastTick_ = Int(20 * t_);
    rolloutPassed_ = true;
    const int last = runLogRow_ - 2;
    for (int k = 1; k <= last && k <= kLastRunLogRow; ++k) tbl.RunLog[0][k] -= rolloutTime_;
  }

  for (int m : {3, 4, 2}) {
    if (!markPassed_[m] && x_ >= mark_[m]) {
      EventRow(kEventDistance, mark_[m]);
      if (tbl.QuietCalc == 0) Windows().SetProgressDistance(Format(mark_[m], "#####"));
      markPassed_[m] = true;
    }
  }

  if (!hundredMphPassed_ && v_ >= 146.7) {
    EventRow(kEventSpeed, 100);
    hundredMphPassed_ = true;
  }
  NextEventThresholds();
}

// The least distance and the least speed at which one of the checks of
// SpeedAndDistance can pass, for the events still to come.
void Run::NextEventThresholds() {
  constexpr double kNever = std::numeric_limits<double>::infinity();
  double x = trackLength_;
  if (trapSpeed_ == 0 && (trackLength_ == 1320 || trackLength_ == 660)) x = std::min(x, trackLength_ - 66);
  if (sixtyFootTime_ == 0) x = std::min(x, mark_[1]);
  if (!rolloutZero_ && !rolloutPassed_) x = std::min(x, rollout_);
  for (int m : {2, 3, 4})
    if (!markPassed_[m]) x = std::min(x, mark_[m]);
  nextEventX_ = x;
  nextEventV_ = std::min(sixtyMphPassed_ ? kNever : 88.02, hundredMphPassed_ ? kNever : 146.7);
}

void Run::WriteRow(int16_t& shiftFlag, int kind, double value, double gear) {
  BuildResultRow(shiftFlag, resultsText_, row_, ev_, kind, value, rollout_, gear, finerTimes_, wheelspin_,
                 finishRow_, samples_);
  // The shift timing reads the time text of the last recorded row; a row
  // written (or the rollout re-basing) may have changed it.
  lastRecordedTime_ = Val(resultsText_[1][lastRecorded_]);
}

void Run::Interpolate(int kind, double value) {
  const double d = ev_[1][kind] - ev_[0][kind];
  double f = d == 0 ? 1 : (value - ev_[0][kind]) / d;
  if (f < 0) f = 0;
  if (f > 1) f = 1;
  for (int c = 1; c <= 12; ++c) ev_[1][c] = ev_[0][c] + f * (ev_[1][c] - ev_[0][c]);
}

// One event: its row, and the run state moved to the event instant.
void Run::EventRow(int kind, double value) {
  Interpolate(kind, value);
  // An event before the previous row writes nothing. The comparison is with
  // that row's time as it reads: an event within its rounding still gets its
  // row (a shift point just after a mark keeps its shift row).
  if (ev_[1][1] < Val(resultsText_[1][row_ - 1])) return;
  if (kind == kEventDistance && value == rollout_) rolloutTime_ = ev_[1][1];
  WriteRow(shiftInProgress_, kind, value, gear_);

  t_ = ev_[1][1];
  v_ = ev_[1][2] * 1.467;
  a_ = ev_[1][3] * 32.2;
  x_ = ev_[1][4];
  clutchRpm_ = ev_[1][5];
  engineRpm_ = ev_[1][6];
  if (!StoreWhole(tireSlip_, ev_[1][9])) ReportRunFault(rterr::kOverflow, erl::kEventRow);
  // The request forces the sample of the event instant; it asks for nothing
  // more (a sample at time 0 would leave it standing).
  rowRequest_ = 1;
  Sample();
  rowRequest_ = 0;
  Check(erl::kEventRow);
}

void Run::FinishEvent() {
  const bool inShift = shiftInProgress_ != 0;
  WriteRow(shiftInProgress_, kEventDistance, trackLength_, gear_);
  if (!inShift) {
    tbl.RunTotal2 += phase_[10];
    tbl.RunTotal4 += phase_[11];
  }
  if (finishRow_ == 0) finishRow_ = row_ - 1;
  if (trapSpeed_ != 0) trapSpeed_ = (trapSpeed_ + 1.467 * ev_[1][2]) / 2;
  finished_ = true;
  Check(erl::kFinish);
}

void Run::GearChange() {
  if (gearRatio_[gear_ + 1] < 0.001) return;

  shiftStartTime_ = t_;
  if (v_ < 20) {
    limiterFlag_ = 0;
    launchRpm_ = 0;
  }

  // The shift-point row, with the shift RPM inside the step.
  const double shiftRpm = shiftRpm_[gear_];
  if (ev_[1][6] < shiftRpm) ev_[1][6] = shiftRpm;
  if (ev_[0][6] > shiftRpm) ev_[0][6] = shiftRpm;
  engineRpm_ = shiftRpm;
  double unusedHp = 0;  // the HP at that RPM: the run never reads it
  EngineTorqueAt(tbl.EngineCurve, curveTorque_, engineRpm_, torqueFactor_, lastCurveRow_, 0, 0, 0, simpleLaunch_, converter_,
                 launchFloor_, limiterFlag_, topRpm_, unusedHp, torqueOk_);
  engineTorque_ = curveTorque_;
  double clutchSlip = 0;
  if (slipping_ != 0) {
    clutchSlip = 100 * (1 - Div(clutchRpm_, shiftRpm, erl::kGearChange));
    if (clutchSlip < 0) clutchSlip = 0;
  }
  for (auto& e : ev_) {
    e[9] = tireSlip_;
    e[8] = clutchSlip;
  }
  EventRow(kEventShift, shiftRpm);

  tbl.RunTotal2 += phase_[10];
  tbl.RunTotal4 += phase_[11];

  shiftRow_ = row_ - 1;
  if (specText_[specMenuStart_[kMatch] + 16] == "Y" && row_ < kLastResultsRow) ++row_;

  if (x_ >= trackLength_ - 0.1) {
    Interpolate(kEventDistance, trackLength_);
    FinishEvent();
    return;
  }

  shiftInProgress_ = 1;
  wheelspin_ = 0;
  if (tbl.ShiftTime == 0) {
    ShiftEnd();
    return;
  }
  throttleShown_ = 100 * shiftThrottle_;
  const double ceiling = topRpm_;
  shiftTorqueFactor_ = 1 - Div(2 * (1 - shiftThrottle_) * (shiftRpm + 2 * ceiling), 3 * ceiling, erl::kGearChange);
  shiftStartRpm_ = engineRpm_;
  step_ = dt_;
  forceInUse_ = -Resistance();
  shiftElapsed_ = 0;
  Check(erl::kGearChange);

  // The car coasts on the resistance while the engine is free of the wheels.
  for (;;) {
    double torque = 0;
    double unusedHp = 0;  // the HP at that RPM: the run never reads it
    EngineTorqueAt(tbl.EngineCurve, torque, engineRpm_, torqueFactor_, lastCurveRow_, 0, 0, 0, simpleLaunch_, converter_,
                   launchFloor_, limiterFlag_, topRpm_, unusedHp, torqueOk_);
    engineTorque_ = shiftTorqueFactor_ * torqueFactor_ * throttle_ * torque;
    const double rate =
        converter_ == 1 ? 0 : Div(engineTorque_ / (2 * 3.1416 / 60), engineInertia_ / 32.2, erl::kShiftStep);
    if (converter_ == 0) {
      const double wheelAcc = Div(r_ * forceInUse_, wheelSide_ + r2_ * massTerm_, erl::kShiftStep);
      a_ = r_ * wheelAcc;
      engineRpm_ += dt_ * rate;
    }
    t_ += dt_;
    launchElapsed_ += dt_;
    shiftElapsed_ += dt_;
    SpeedAndDistance();
    if (finished_) return;
    clutchRpm_ = Div(v_ * overall_, r_ * 2 * 3.1416 / 60, erl::kShiftStep);
    if (launchElapsed_ >= launchTime_ && simpleLaunch_ == 0) LaunchEnd();
    ev_[0] = ev_[1];
    Check(erl::kShiftStep);
    if (shiftElapsed_ + 0.0001 >= tbl.ShiftTime) break;
  }
  ShiftEnd();
}

void Run::ShiftEnd() {
  phase_[0] = x_;
  phase_[2] = v_;
  phase_[4] = t_;
  phase_[6] = phase_[10] = phase_[11] = 0;
  ++gear_;
  GearTerms();
  clutchRpm_ = Div(v_ * overall_, r_ * 2 * 3.1416 / 60, erl::kGearChange);
  if (engineRpm_ > clutchRpm_) engineRpm_ = clutchRpm_;
  rowRequest_ = 1;
  Check(erl::kGearChange);
}

void Run::LaunchEnd() {
  launchTime_ = 10000;
  throttle_ = 1;
  clutchEngagement_ = 1;
}

}  // namespace sw
