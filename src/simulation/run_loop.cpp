// The time-step loop: how engine torque reaches the tires, the traction
// limit, one of four step sizes, the integration of engine, clutch and wheel
// speeds, the launch ramps and the shift points.
#include <cmath>

#include "platform/text.h"
#include "platform/ui.h"
#include "platform/window_host.h"
#include "simulation/converter_step.h"
#include "simulation/engine_curve.h"
#include "simulation/run_fault.h"
#include "simulation/run_simulation.h"
#include "simulation/run_state.h"

namespace sw {
namespace {

const std::string kModeWork = "E";
// The traction iteration settles within a few rounds; a layout whose loads
// feed back harder than that is stopped here instead of running for ever.
constexpr int kTractionRounds = 100;
// A run that could take this many passes is not a drag race any more.
constexpr long kMaxPasses = 20000000;

}  // namespace

void Run::ConverterTorque() {
  ConverterStep(torqueFactor_, launchElapsed_, convLastSample_, convSampled_, convPrevEngineRpm_, engineRpm_,
                clutchRpm_, stallRpm_, lastCurveRow_, lowRpm_, peakHpRpm_, simpleLaunch_, converter_,
                launchFloor_, limiterFlag_, topRpm_, convWork17_, torqueOk_, finishRow_, throttle_,
                torqueFactor_, capacity_, capacity2_, torqueMult_, speedRatio_, converterSpare_, kModeWork,
                torqueMultSpec_, rowRequest_, row_, shiftRpm_, gear_, resultsText_, converterShiftTime_,
                angular_, engineInertia_, transmitted_, clutchTorque_, slipping_, convShiftPulse_, engineTorque_,
                shiftRow_, t_, lastRecorded_, &lastRecordedTime_);
}

void Run::ClutchTorque() {
  torqueOk_ = 1;
  double unusedHp = 0;  // the HP at that RPM: the run never reads it
  EngineTorqueAt(tbl.EngineCurve, curveTorque_, engineRpm_, torqueFactor_, lastCurveRow_, 0, 0, 0, simpleLaunch_, converter_,
                 launchFloor_, limiterFlag_, topRpm_, unusedHp, torqueOk_);
  engineTorque_ = torqueFactor_ * throttle_ * curveTorque_;
  clutchTorque_ = clutchEngagement_ * (clutchCapacity_ + clutchSpeedCoef_ * (engineRpm_ * engineRpm_));
  if (clutchRpm_ < engineRpm_ - 1) {
    slipping_ = 1;
    transmitted_ = clutchTorque_;
  } else if (engineTorque_ > 1.2 * clutchTorque_) {
    slipping_ = 1;
    transmitted_ = clutchTorque_;
  } else {
    clutchRpm_ = engineRpm_;
    slipping_ = 0;
    transmitted_ = engineTorque_ < clutchTorque_ ? engineTorque_ : clutchTorque_;
  }
}

// The force the tires can pass on settles with the load transfer it causes.
void Run::TractionIteration() {
  forceInUse_ = SettleTractionForce(tractionLimit_, netForce_, kTractionRounds, [this](double force) {
    Acceleration(force);
    if (simpleLaunch_ == 1) {
      axleTorque_ = r_ * tractionLimit_;
      gearboxOut_ = Div(axleTorque_, finalDrive_, erl::kLoop + 10);
    }
    AxleLoad();
  });
}

void Run::Integrate() {
  const double overall = overall_;
  double wheelAcc;
  double clutchRate;
  if (slipping_ != 0 && wheelspin_ == 0) {
    step_ = 2 * dt_;
    wheelAcc = Div(r_ * forceInUse_, wheelSide_ + massTerm_ * r2_, erl::kLoop + 15);
    clutchRate = Div(overall * wheelAcc, angular_, erl::kLoop + 15);
    if (converter_ == 0 && limiterFlag_ != 1)
      engineRpm_ += step_ * Div(Div(engineTorque_ - clutchTorque_, angular_, erl::kLoop + 15),
                                engineInertia_ / 32.2, erl::kLoop + 15);
  } else if (slipping_ != 0) {
    step_ = dt_;
    wheelAcc = Div(r_ * forceInUse_, reducedEquivMass_, erl::kLoop + 15);
    clutchRate = overall * Div(Div(torqueMult_ * overall * clutchTorque_ - r_ * tractionLimit_, angular_,
                                   erl::kLoop + 15),
                               spinInertia_, erl::kLoop + 15);
    if (converter_ == 0)
      engineRpm_ += step_ * Div(Div(engineTorque_ - clutchTorque_, angular_, erl::kLoop + 15),
                                engineInertia_ / 32.2, erl::kLoop + 15);
  } else if (wheelspin_ == 0) {
    step_ = 4 * dt_;
    wheelAcc = Div(r_ * forceInUse_, engineSide_ + wheelSide_ + massTerm_ * r2_, erl::kLoop + 15);
    clutchRate = Div(overall * wheelAcc, angular_, erl::kLoop + 15);
  } else {
    step_ = 2 * dt_;
    wheelAcc = Div(r_ * forceInUse_, wheelSide_ + massTerm_ * r2_, erl::kLoop + 15);
    clutchRate = overall * Div(Div(overall * engineTorque_ - r_ * tractionLimit_, angular_, erl::kLoop + 15),
                               engineSide_ + spinInertia_, erl::kLoop + 15);
  }
  a_ = r_ * wheelAcc;
  clutchRpm_ += step_ * clutchRate;
  if (slipping_ != 0) {
    if (wheelspin_ == 0 && clutchRpm_ < 0) clutchRpm_ = 0;
    if (engineRpm_ < clutchRpm_) {
      engineRpm_ = clutchRpm_;
      slipping_ = 0;
    }
  } else {
    engineRpm_ = Div(clutchRpm_, speedRatio_, erl::kLoop + 15);
  }
}

// The starting row: the launch state at time 0.
void Run::FillStartRow() {
  FillEventRow();
  ev_[1][11] = secondLoadPct_;
}

void Run::RecordRequestedRow() {
  // The row after a shift carries the label of the gear change it belongs
  // to: " 1-2" once second gear is in.
  int16_t shiftLabel = 1;
  WriteRow(shiftLabel, 0, 0, gear_ - 1);
  shiftInProgress_ = 0;
  lastRecorded_ = row_ - 1;
  lastRecordedTime_ = Val(resultsText_[1][lastRecorded_]);
  rowRequest_ = 0;
}

void Run::Loop() {
  for (;;) {
    ++passes_;
    // 1. Progress, and Cancel.
    if (x_ > nextProgress_) {
      nextProgress_ += trackLength_ / 10;
      if (tbl.QuietCalc == 0) Windows().SetProgressBar(static_cast<float>(3615 * x_ / trackLength_));
      if (tbl.QuietCalc == 0) DoEvents();
      if (calcStatus_ == 0 && tbl.AbortCalc != 0) EndRun();
    }
    if (t_ > kRunTimeLimit || passes_ > kMaxPasses) {
      // The finish is never reached (a car that stops): the handler tells,
      // and the run ends whatever the answer.
      HandleFault(rterr::kOverflow, erl::kLoop + 16);
      EndRun();
    }
    // Values a failed statement must not leave behind.
    const double keep[] = {t_, x_, v_, a_, engineRpm_, clutchRpm_};

    // 2, 3. Launch ramps.
    launchElapsed_ = t_ + launchOffset_;
    if (launchRamp_ == 1 && launchTime_ < 1000) {
      throttle_ = launchThrottle_ + launchElapsed_ * throttleRamp_;
      clutchEngagement_ = launchClutch_ + launchElapsed_ * clutchRamp_;
    }

    // 4. Engine and clutch torque.
    if (converter_ == 1) {
      ConverterTorque();
    } else {
      ClutchTorque();
      if (limiterFlag_ == 1 && slipping_ != 0) transmitted_ = engineTorque_;
    }
    Check(erl::kLoop + 4);

    // 5. Axle torque.
    gearboxOut_ = torqueMult_ * gearRatio_[gear_] * transmitted_;
    const double smoothing = traction_.Smoothing();
    axleTorque_ = smoothing * efficiency_ * finalDrive_ * gearboxOut_;

    // 6, 7. Resistance, net force, acceleration, traction limit.
    Resistance();
    netForce_ = Div(axleTorque_, r_, erl::kLoop + 7) - resistance_;
    forceInUse_ = netForce_;
    muInUse_ = muStatic_;
    wheelspin_ = 0;
    Acceleration(forceInUse_);
    AxleLoad();

    // 8. Traction factor from how hard the tires are pulled. Every case of
    // step 9 but the plain grip replaces it, so its power is taken only there.
    auto tractionRule = [this](double pull) {
      double tf = 1 - slipConstant_ * Cubed(pull);
      if (tf < minTraction_) tf = minTraction_;
      if (tf > 1) tf = 1;
      return tf;
    };
    const double pull = Div(netForce_, tractionLimit_, erl::kLoop + 8);
    double tf = 1;

    // 9. Wheelspin.
    heldAtLimit_ = 0;
    bool iterate = true;
    if (netForce_ > tractionLimit_ && simpleLaunch_ == 1) {
      muInUse_ = muStatic_;
      heldAtLimit_ = 1;
    } else if (netForce_ > tractionLimit_) {
      muInUse_ = muSliding_;
      if (netForce_ > 1.5 * tractionLimit_) wheelspin_ = 1;
      tf = minTraction_;
    } else if (v_ < 0.98 * r_ * wheelSpeedFactor_ * clutchRpm_) {
      wheelspin_ = 1;
      muInUse_ = muSliding_;
      tf = minTraction_;
    } else {
      iterate = false;
      tf = tractionRule(pull);
    }

    // 10, 11. Traction iteration.
    if (iterate) {
      TractionIteration();
      tf = wheelspin_ != 0 ? minTraction_ : tractionRule(Div(netForce_, tractionLimit_, erl::kLoop + 11));
      if (simpleLaunch_ == 1)
        clutchTorque_ = Div(forceInUse_ * transmitted_, netForce_, erl::kLoop + 11);
    }
    Check(erl::kLoop + 10);

    // 12. Traction history.
    traction_.current = tf;
    traction_.Record(t_ == 0);

    // 13. What the results row shows.
    throttleShown_ = ShownThrottle(simpleLaunch_ == 1, tractionLimit_, netForce_, throttle_);
    // Whole numbers, each rounded half to even as it is stored.
    bool fits = StoreWhole(tireSlip_, TireSlipShown(wheelspin_ != 0, tf));
    fits = StoreWhole(loadPct_, 0.5 + hundredPerWeight_ * axleLoad_) && fits;
    fits = StoreWhole(secondLoadPct_, hundredPerWeight_ * secondAxleLoad_) && fits;
    if (!fits) ReportRunFault(rterr::kOverflow, erl::kLoop + 13);
    if (secondLoadPct_ < 0) secondLoadPct_ = 0;
    ev_[1][11] = secondLoadPct_;

    // 14. Rows.
    if (t_ == 0) {
      FillStartRow();
      WriteRow(shiftInProgress_, 0, 0, gear_);
      Sample();
    }
    if (rowRequest_ == 1) RecordRequestedRow();
    Check(erl::kLoop + 14);

    // 15, 16. Integration and advance.
    Integrate();
    t_ += step_;
    launchElapsed_ += step_;
    SpeedAndDistance();
    if (finished_) return;

    // 17. The road speed sets the clutch side unless the tires spin.
    if (wheelspin_ == 0) {
      clutchRpm_ = Div(v_, roadSpeedFactor_, erl::kLoop + 17);
      if (slipping_ == 0) engineRpm_ = clutchRpm_;
    }

    // 18. Lowest engine RPM once the launch is under way.
    if (launchElapsed_ > 0.05 && engineRpm_ < tbl.RunTotal1) {
      tbl.RunTotal1 = engineRpm_;
      minRpmGear_ = gear_;
    }

    // 19. Phase accumulators.
    if (slipping_ != 0) phase_[10] += step_;
    if (wheelspin_ != 0 && simpleLaunch_ == 0) phase_[11] += step_;

    // 20. Launch end.
    if (launchElapsed_ >= launchTime_ && simpleLaunch_ == 0) LaunchEnd();

    // 21. Shifts.
    if (t_ - lastRecordedTime_ >= 0.3) {
      const double point = shiftRpm_[gear_];
      const bool due = converter_ == 1 ? engineRpm_ >= point : clutchRpm_ >= point && engineRpm_ >= point;
      if (due) {
        GearChange();
        if (finished_) return;
      }
    }

    // 22.
    ev_[0] = ev_[1];

    // A statement that failed leaves no value that is not finite behind.
    // (Summed left to right: a sum that overflows counts as a failure too.)
    const double sum = t_ + x_ + v_ + a_ + engineRpm_ + clutchRpm_;
    if (!std::isfinite(sum)) {
      t_ = std::isfinite(t_) ? t_ : keep[0];
      x_ = std::isfinite(x_) ? x_ : keep[1];
      v_ = std::isfinite(v_) ? v_ : keep[2];
      a_ = std::isfinite(a_) ? a_ : keep[3];
      engineRpm_ = std::isfinite(engineRpm_) ? engineRpm_ : keep[4];
      clutchRpm_ = std::isfinite(clutchRpm_) ? clutchRpm_ : keep[5];
      ReportRunFault(rterr::kOverflow, erl::kLoop + 22);
    }
    Check(erl::kLoop + 22);
  }
}

}  // namespace sw
