#include "simulation/converter_step.h"

#include <cmath>

#include "platform/text.h"
#include "simulation/converter.h"
#include "simulation/engine_curve.h"
#include "simulation/run_fault.h"

namespace sw {
namespace {

ConverterStepState st;

// A results cell as a number; a row outside the table is reported.
double ResultsCell(const ResultsTable& results, int col, int row, int step) {
  if (row < 0 || row >= kResultsRows) {
    ReportRunFault(rterr::kSubscript, step);
    return 0;
  }
  return Val(results[col][row]);
}

}  // namespace

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
                   const int& LastRow, const double* LastRowTime) {
  auto curveTorque = [&] {
    TorqueOk = 1;
    EngineTorqueAt(tbl.EngineCurve, st.RawTorque, EngineRpm, CurveThrottle, LastCurveRow, LowRpm, PeakPowerRpm, StallRpm,
                   SimpleLaunch, ConverterFlag, LaunchFloor, LimiterFlag, RpmCeiling, Hp, TorqueOk);
  };

  if (Clock - LastSample > 0.1) {
    Sampled = 1;
    PrevEngineRpm = EngineRpm;
  } else {
    Sampled = 0;
  }
  st.counter = 0;

  if (OutputRpm > 50) {
    for (;;) {
      ++st.counter;
      st.PrevTorque = st.EngTorque;
      st.PrevSR = SpeedRatio;
      st.PrevTR = TorqueRatio;
      ConverterModel(Kstall, K2, TorqueRatio, SpeedRatio, OutputRpm, st.EngTorque, Spare, Mode,
                     StallMultiplication);
      EngineRpm = DivideOrReport(OutputRpm, SpeedRatio, kStepConvEngineRpm);
      curveTorque();
      st.EngTorque = st.RawTorque * Throttle * TorqueFactor;
      if (st.EngTorque <= 0) {
        st.EngTorque = 0;
        break;
      }
      if (std::fabs(1 - st.PrevTorque / st.EngTorque) < 0.02 || st.counter > 5) {
        if (st.counter > 2) {
          st.EngTorque = (st.EngTorque + st.PrevTorque) / 2;
          SpeedRatio = (st.PrevSR + SpeedRatio) / 2;
          TorqueRatio = (st.PrevTR + TorqueRatio) / 2;
        }
        break;
      }
    }
    if (LastCurveRow < 0 || LastCurveRow >= kEngineCurveRows) {
      ReportRunFault(rterr::kSubscript, kStepConvTopCheck);
    } else if (DivideOrReport(OutputRpm, SpeedRatio, kStepConvTopCheck) > tbl.EngineCurve[0][LastCurveRow]) {
      // Past the top of the curve the engine gives nothing.
      st.EngTorque = 0;
      SpeedRatio = 0.98;
      TorqueRatio = 1;
    }
  } else {
    EngineRpm = StallRpm;
    PrevEngineRpm = EngineRpm;
    st.LastMeanRpm = EngineRpm;
    st.Rate1 = st.Rate2 = st.Rate3 = 0;
    curveTorque();
    st.EngTorque = st.RawTorque * Throttle * TorqueFactor;
    TorqueRatio = 2;
    SpeedRatio = DivideOrReport(OutputRpm, StallRpm, kStepConvAtRest);
  }

  EngineTorqueOut = st.EngTorque;

  if (Sampled == 1) {
    const double mean = 0.5 * (PrevEngineRpm + EngineRpm);
    double rate = (mean - st.LastMeanRpm) / (Clock - LastSample);  // Clock - LastSample > 0.1 here
    if (rate < 0) rate = 0;
    if (rate > 2000) rate = 2000;
    LastSample = Clock;
    st.LastMeanRpm = mean;
    st.RateAvg = 0.25 * (rate + st.Rate3 + st.Rate2 + st.Rate1);
    st.Rate1 = st.Rate2;
    st.Rate2 = st.Rate3;
    st.Rate3 = rate;
  }

  if (RowCounter == 1) {
    st.RateAvg = 0;
    st.LaunchTR = StallMultiplication;
    TorqueRatio = StallMultiplication;
  }

  if (ShiftStart == 1) {
    st.RateAvg = 0;
    st.Rate1 = st.Rate2 = st.Rate3 = 0;
    const double dA = ResultsCell(ResultsText, 5, ShiftRow, kStepConvShiftRow) - SpeedRatio * EngineRpm;
    double shiftRpm = 0;
    if (Gear - 1 < 0 || Gear - 1 >= static_cast<int>(ShiftRpm.size()))
      ReportRunFault(rterr::kSubscript, kStepConvShiftRpm);
    else
      shiftRpm = ShiftRpm[Gear - 1];
    const double dB = shiftRpm - EngineRpm;
    st.LastMeanRpm = EngineRpm;
    const double rpmRate = DivideOrReport((dA + 2 * dB) / 3, ShiftTime, kStepConvShiftRate);
    st.ShiftTorque = rpmRate * RadPerRpm * EngineInertia / 32.2 - st.EngTorque * 0.1 * ShiftTime;
    if (st.ShiftTorque < 0) st.ShiftTorque = st.ShiftTorque * 0.3;
    LastSample = Clock;
  }

  st.InertiaTorque = st.RateAvg * RadPerRpm * EngineInertia / 32.2;
  const double limit = 0.5 * st.EngTorque;
  if (st.InertiaTorque > limit) st.InertiaTorque = limit;
  if (st.InertiaTorque < -limit) st.InertiaTorque = -limit;

  if (Gear != 1) {
    if (ShiftStart == 1) {
      ShiftPulse = st.ShiftTorque;
    } else {
      const double since =
          Now - (LastRowTime ? *LastRowTime : ResultsCell(ResultsText, 1, LastRow, kStepConvLastRow));
      ShiftPulse = since < ShiftTime ? st.ShiftTorque : 0;
    }
  }

  InputTorque = (st.EngTorque - st.InertiaTorque) + ShiftPulse;
  OutTorque = InputTorque;
  Slipping = 1;
}

const ConverterStepState& ConverterStepStateNow() { return st; }

void ResetConverterStep() { st = ConverterStepState{}; }

}  // namespace sw
