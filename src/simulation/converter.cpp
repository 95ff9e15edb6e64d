#include "simulation/converter.h"

#include <algorithm>
#include <cmath>

#include "simulation/run_fault.h"

namespace sw {
namespace {

ConverterModelState runConverter;

void SetUp(ConverterCharacteristic& c, double kStall, double k2) {
  c.Kslope = (k2 - kStall) * 1.882;
  if (c.Kslope < 0) {
    // A second figure below stall: a converter that keeps its K flat and
    // gains speed ratio near coupling instead.
    c.Klim = kStall;
    const double f = DivideOrReport(kStall - k2, kStall, kStepConverterSetUp);
    c.SRmax = 0.94 + 0.2 * f;
    c.Kgain = 2 * f;
    c.Kslope = 0;
  } else {
    c.Klim = k2;
    c.SRmax = 0.98;
    c.Kgain = 0;
  }
}

// Coupling region: the first trial ratio whose K exceeds the need ends the
// search; the ratio before it is the answer (0.99 when none exceeds it).
double CouplingSpeedRatio(const ConverterCharacteristic& c, double kNeed) {
  const double kc = c.Klim / 1.53125;
  auto trialK = [kc](int k) {
    const double sr = 0.9 + 0.002 * k;
    return kc * (1 - 0.975 * sr) / (0.98 - sr);
  };
  int k = 0;
  // Below 0.98 the trial K rises with every trial ratio (for a positive
  // capacity): the trial that ends the search is the first whose K exceeds
  // the need, and the need moves little from one time step to the next.
  // Looked for from the trial that ended the last search, it is the same
  // trial the search from the start finds.
  static int lastEnd = 0;
  constexpr int kRising = 39;  // the last trial below 0.98
  if (kc > 0 && std::isfinite(kc) && !std::isnan(kNeed)) {
    k = std::clamp(lastEnd, 0, kRising);
    if (trialK(k) > kNeed) {
      while (k > 0 && trialK(k - 1) > kNeed) --k;
    } else {
      while (k <= kRising && !(trialK(k) > kNeed)) ++k;
    }
  }
  // Otherwise, and past the rising trials, the trials one by one.
  for (; k <= 45; ++k) {
    const double sr = 0.9 + 0.002 * k;
    const double gap = 0.98 - sr;
    // At exactly 0.98 the curve has its pole. The ratio used to be stepped by
    // repeated addition and met 0.98 from just above, where K is hugely
    // negative: that trial never ends the search.
    if (gap == 0) continue;
    const double kt = kc * (1 - 0.975 * sr) / gap;
    if (kt > kNeed) break;
  }
  lastEnd = k;
  return 0.9 + 0.002 * k - 0.002;
}

double SlippingSpeedRatio(const ConverterCharacteristic& c, ConverterScratch& s, double kStall, double n,
                          double rootT) {
  double sr = DivideOrReport(s.Kneed, kStall, kStepConverterNeed);
  if (sr > 0.8) sr = 0.8;
  for (;;) {
    const double f = (1 - 0.975 * sr) / (0.98 - sr) - 1;
    s.Kguess = kStall + c.Kslope * f;
    double r = DivideOrReport(n, s.Kguess * rootT, kStepConverterRatio);
    if (r == 0) {
      // An input RPM of 0 leaves nothing to compare with: the test fails and
      // the guesses settle at stall.
      ReportRunFault(rterr::kDivisionByZero, kStepConverterTest);
    } else if (std::fabs(1 - sr / r) < 0.02) {
      return (r + sr) / 2;
    }
    if (r > 0.92) r = 0.92;
    if (s.Counter > 9) return (r + sr) / 2;
    sr = (2 * sr + r) / 3;
    ++s.Counter;
  }
}

}  // namespace

void ConverterModelOn(ConverterModelState& state, const double& Kstall, const double& K2, double& TorqueRatio,
                      double& SpeedRatio, const double& EngineRpm, const double& EngineTorque, const double& Spare,
                      const std::string& Mode, const double& StallMultiplication) {
  if (Mode == "C") {
    SetUp(state.characteristic, Kstall, K2);
    return;
  }
  const ConverterCharacteristic& c = state.characteristic;
  ConverterScratch& s = state.scratch;
  s.EngineRpm = EngineRpm;
  s.EngineTorque = EngineTorque;
  s.Counter = 1;
  double nLim = 1.1111 * EngineRpm;
  if (nLim < 500) nLim = 500;

  double sr;
  if (EngineTorque <= 0) {
    sr = 0.98;
  } else {
    const double rootT = std::sqrt(EngineTorque);
    s.Kneed = EngineRpm / rootT;
    if (c.Klim < nLim / rootT)
      sr = CouplingSpeedRatio(c, s.Kneed);
    else
      sr = SlippingSpeedRatio(c, s, Kstall, EngineRpm, rootT);
  }

  ConverterOutputRatios(c, sr, StallMultiplication, TorqueRatio, SpeedRatio);
}

void ConverterOutputRatios(const ConverterCharacteristic& c, double speedRatio, double StallMultiplication,
                           double& TorqueRatio, double& SpeedRatio) {
  double sr = speedRatio;
  const double tm = StallMultiplication;
  if (sr > 0.8) {
    sr = sr * (1 + c.Kgain * (sr - 0.8));
    if (sr > c.SRmax) sr = c.SRmax + 0.3 * (sr - c.SRmax);
    TorqueRatio = 1;
  } else {
    TorqueRatio = tm - (tm - 1) * 1.25 * sr;
  }
  SpeedRatio = sr;
}

void ConverterModel(const double& Kstall, const double& K2, double& TorqueRatio, double& SpeedRatio,
                    const double& EngineRpm, const double& EngineTorque, const double& Spare,
                    const std::string& Mode, const double& StallMultiplication) {
  ConverterModelOn(runConverter, Kstall, K2, TorqueRatio, SpeedRatio, EngineRpm, EngineTorque, Spare, Mode,
                   StallMultiplication);
}

const ConverterModelState& RunConverterState() { return runConverter; }

void ResetConverterModel() { runConverter = ConverterModelState{}; }

}  // namespace sw
