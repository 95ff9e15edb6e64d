#include "simulation/shift_rpms.h"

#include <cmath>

#include "platform/text.h"
#include "simulation/clutch.h"
#include "simulation/converter.h"
#include "simulation/engine_curve.h"
#include "simulation/run_fault.h"

namespace sw {
namespace {

ShiftSearchState ss;
// The search's own converter: it is set up with the search's capacity figure
// and a stall multiplication of 2, and must not replace the characteristic
// the run drives with.
ConverterModelState searchConverter;

// A search that has not crossed after this many trial RPMs never will.
constexpr int kMaxTrials = 20000;
// The longest climb from the peak-power RPM to where power has fallen off.
constexpr double kMaxClimb = 1e6;

double Round2(double x) { return Int(x * 100 + 0.5) / 100; }

// x^p for a fractional power: a negative base has no value.
double Power(double x, double p, int step) {
  if (x < 0) {
    ReportRunFault(rterr::kInvalidCall, step);
    return 0;
  }
  return std::pow(x, p);
}

// Square root: a negative value has none.
double Root(double x, int step) {
  if (x < 0) {
    ReportRunFault(rterr::kInvalidCall, step);
    return 0;
  }
  return std::sqrt(x);
}

struct Search {
  const EngineCurveTable* curve = nullptr;
  int lastRow = 0;
  int16_t converterFlag = 0;

  double TorqueAt(double rpm) const {
    double torque = 0, hp = 0, r = rpm;
    const double one = 1, zero = 0;
    const int16_t no = 0;
    int16_t limiter = 0;
    EngineTorqueAt(*curve, torque, r, one, lastRow, zero, zero, zero, no, converterFlag, zero, limiter, zero, hp, no);
    return torque;
  }
};

void ConverterRatios(double kStall, double n, double t, double& tr, double& sr) {
  static const std::string kWork = "E";
  const double tm = 2, unused = 0;
  ConverterModelOn(searchConverter, kStall, unused, tr, sr, n, t, unused, kWork, tm);
}

}  // namespace

void CalcShiftRPMs(const double& PeakPower, const double& PeakPowerRpm, const int& LastCurveRow,
                   const std::array<std::string, kSpecCount>& SpecText, const std::array<int16_t, 18>& SpecMenuStart,
                   ShiftRpmTable& ShiftRpm, const double& PeakTorque, const EngineCurveTable& curve) {
  auto spec = [&](int menu, int k) { return Val(SpecText[SpecMenuStart[menu] + k]); };

  for (int i = 1; i <= 6; ++i) ShiftRpm[i] = kNoShift;
  double gear[8] = {};
  // Gear i sits at Transmission spec 8 + i, as on the "Gear #1" rows.
  for (int i = 1; i <= 6; ++i) gear[i] = spec(kTransmission, 8 + i);

  if (LastCurveRow < 1 || LastCurveRow >= kEngineCurveRows) {
    ReportRunFault(rterr::kSubscript, kStepShiftCurveRow);
    return;
  }

  const double tireDiameter = spec(kTires, 5);
  const double r = tireDiameter == 0 ? 12 : tireDiameter / 2;
  const double w = spec(kVehicle, 0);
  const double fd = spec(kVehicle, 1);
  const double revPerMile = 5280 / ((r / 12) * 2 * 3.1416);
  const double rpmPerMph = (revPerMile / 60) * fd;
  const double m = DivideOrReport(196 * w, rpmPerMph * rpmPerMph, kStepShiftMass);

  Search search;
  search.curve = &curve;
  search.lastRow = LastCurveRow;
  const double type = spec(kTransmission, 0);
  const bool converter = type == 3 || (type == 5 && spec(kTransmission, 23) == 2);
  search.converterFlag = converter ? 1 : 0;

  // Reference RPM: a quarter of the way from the HP peak to where power has
  // fallen to 80 %. Past the top of the curve the torque is 0, which ends the
  // climb for any positive peak power.
  const double target = 0.8 * PeakPower * 5252;
  const double curveTop = curve[0][LastCurveRow];
  double rr = PeakPowerRpm;
  {
    // A climb of a million RPM is far beyond any engine, and an RPM too large
    // to move by 50 would hold the climb for ever: a mistyped curve point
    // ends it with a report instead.
    const long steps = kMaxClimb / 50;
    long i = 0;
    while (!(search.TorqueAt(rr) * rr < target) && rr <= curveTop) {
      if (i++ >= steps) {
        ReportRunFault(rterr::kOverflow, kStepShiftReference);
        break;
      }
      rr += 50;
    }
  }
  const double ref = PeakPowerRpm + (rr - PeakPowerRpm) * 0.23;

  const double disp = spec(kEngine, 1);
  double kStall = 0;
  double capacity = 0, perRpm2 = 0, torquePerLb = 0, diameter = 0, force = 0, disks = 0;
  if (converter) {
    kStall = spec(kTransmission, 5);
    const double k2 = (kStall + 100) * 0.9, tm = 2, unused = 0;
    double tr = 0, sr = 0;
    static const std::string kSetUp = "C";
    ConverterModelOn(searchConverter, kStall, k2, tr, sr, unused, unused, unused, kSetUp, tm);
  } else {
    const double powerFactor = 1;
    ClutchSpecs(capacity, perRpm2, torquePerLb, tbl.CalcStatus, diameter, force, disks, powerFactor, PeakTorque,
                PeakPowerRpm);
  }

  // Rotating inertia of engine, flywheel and clutch or converter.
  double inertia = 0.1 + 0.007 * disp;
  if (!converter) {
    const double wf = 1.2 * (3 + disp / 30 + force / 350);
    const double rf = (diameter + 1) / 12;
    inertia = Round2(inertia + 0.125 * wf * (rf * rf));
    const double wd = 0.35 * Power(diameter, 1.5, kStepShiftInertia) * Power(disks, 0.5, kStepShiftInertia) +
                      (1000 + capacity) * 0.001;
    const double rd = diameter / 12;
    inertia = Round2(inertia + 0.125 * wd * (rd * rd));
  } else {
    const double rc = (14.5 - 0.025 * kStall) / 12;
    const double wc = 1.3 * (10 + disp / 100 + 4.8 * (rc * rc));
    inertia = Round2(inertia + 0.125 * wc * (rc * rc));
  }
  inertia = 2 * inertia;
  if (converter) {
    const double stall = kStall * Root(PeakTorque, kStepShiftStall);
    if (stall > PeakPowerRpm)
      inertia = 0.67 * inertia;
    else
      inertia = 0.67 * inertia + DivideOrReport(0.33 * (PeakPowerRpm - stall), PeakPowerRpm, kStepShiftStall) * inertia;
  }

  for (int i = 1; i <= 6; ++i) {
    if (gear[i + 1] < 0.01) break;
    const double step = gear[i] / gear[i + 1];
    const double mfLow = DivideOrReport(1, 1 + DivideOrReport(inertia * (gear[i] * gear[i]), m, kStepShiftMass),
                                        kStepShiftMass);
    const double mfHigh = DivideOrReport(
        1, 1 + DivideOrReport(inertia * (gear[i + 1] * gear[i + 1]), m, kStepShiftMass), kStepShiftMass);
    double f1 = PeakPower * 5252 * mfLow;
    double f2 = PeakPower * 5252 * mfHigh;
    double rpm1, rpm2, t1 = 0, t2 = 0, inc;

    auto converterFigures = [&] {
      const double n1 = 0.9 * rpm1;
      const double n2 = DivideOrReport(n1 * gear[i + 1], gear[i], kStepShiftGearStep);
      ConverterRatios(kStall, n1, t1, ss.TR1, ss.SR1);
      ConverterRatios(kStall, n2, t2, ss.TR2, ss.SR2);
      ss.RatioTarget = DivideOrReport(n1 * ss.SR2, n2 * ss.SR1, kStepShiftGearStep);
    };

    if (!converter) {
      ss.RatioTarget = step;
      inc = 200;
      rpm1 = ref;
      rpm2 = ref - 200;
      ss.TR1 = ss.SR1 = ss.TR2 = ss.SR2 = 1;
    } else {
      ss.SR2 = 1;
      inc = 100;
      rpm1 = ref;
      t1 = search.TorqueAt(rpm1);
      rpm2 = ref - 100;
      t2 = search.TorqueAt(rpm2);
      // The converter's figures for the starting RPMs before the first
      // comparison, so that no shift point depends on an earlier search.
      converterFigures();
    }

    for (int trial = 0;; ++trial) {
      if (rpm2 <= 0 || trial >= kMaxTrials) {
        // The RPM ratio across the shift has lost its meaning (or the
        // search never crosses): report it and settle for what was reached.
        ReportRunFault(rpm2 == 0 ? rterr::kDivisionByZero : rterr::kOverflow, kStepShiftRpmRatio);
        break;
      }
      if (rpm1 / rpm2 > ss.RatioTarget) {
        if (inc != 100 && inc != 200) break;
        inc = 10;
        rpm1 -= 200;
        t1 = search.TorqueAt(rpm1);
        f1 = t1 * rpm1 * ss.TR1 * ss.SR1 * mfLow;
        rpm2 += 200;
        t2 = search.TorqueAt(rpm2);
        f2 = t2 * rpm2 * ss.TR2 * ss.SR2 * mfHigh;
      }
      if (f1 > f2) {
        rpm1 += inc;
        t1 = search.TorqueAt(rpm1);
        f1 = t1 * rpm1 * ss.TR1 * ss.SR1 * mfLow;
      } else {
        rpm2 -= inc;
        t2 = search.TorqueAt(rpm2);
        f2 = t2 * rpm2 * ss.TR2 * ss.SR2 * mfHigh;
      }
      if (converter) converterFigures();
    }

    const double cap = curve[0][LastCurveRow - 1] - 50;
    if (rpm1 > cap) rpm1 = cap;
    ShiftRpm[i] = Int(rpm1 * 0.1 + 0.5) * 10;
  }
}

const ShiftSearchState& ShiftSearchStateNow() { return ss; }

void ResetShiftRPMs() {
  ss = ShiftSearchState{};
  searchConverter = ConverterModelState{};
}

EnteredCurveShifts ShiftRpmsOnEnteredCurve() {
  const bool faultBefore = RunFaultPending();
  CurveOfItsOwn curve;
  EnteredCurveShifts e;
  double midRpm = 0, limitRpm = 0;
  int lastRow = 0;
  const double asEntered = 1;
  BuildEngineCurve(curve.Target(), e.peakHp, e.peakHpRpm, e.peakTorque, e.peakTorqueRpm, lastRow, midRpm, asEntered, limitRpm,
                   e.topRpm);
  e.shift.fill(kNoShift);
  // Without a curve (no peak power) there is nothing to shift on.
  if (e.peakHp > 0 && e.peakHpRpm > 0)
    CalcShiftRPMs(e.peakHp, e.peakHpRpm, lastRow, tbl.SpecText, tbl.SpecMenuStart, e.shift, e.peakTorque,
                  curve.Table());
  if (!faultBefore) ClearRunFault();
  for (double& s : e.shift)
    if (!std::isfinite(s)) s = kNoShift;
  return e;
}

}  // namespace sw
