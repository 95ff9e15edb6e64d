#include "simulation/engine_curve.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "platform/text.h"
#include "simulation/tables.h"

namespace sw {
namespace {

EngineCurveWork runsWork;

double Round100(double x) { return 100 * Int(x / 100 + 0.5); }

// A number written into a curve text the way the runtime turns a number into
// text: no leading blank.
std::string NumberText(double v) { return Trim(Str(v)); }

// The full power curve: rows in rising RPM below one closing row. Returns n.
int BuildFromPoints(CurveTarget into, double& peakHp, double& peakHpRpm, double& peakTorque, double& peakTorqueRpm) {
  auto& points = into.texts;
  auto& work = into.work;
  auto RpmAt = [&into](int row) -> double& { return into.table[0][row]; };
  auto TorqueAt = [&into](int row) -> double& { return into.table[1][row]; };
  peakHp = 0;
  peakHpRpm = 0;
  peakTorque = 0;
  peakTorqueRpm = 4000;

  work.lowestRpmText = "99999";
  for (int j = 0; j <= 9; ++j) {
    const double rpm = Val(points[j][0]);
    if (rpm > 0 && rpm < Val(work.lowestRpmText)) {
      work.lowestRpmText = points[j][0];
      work.lowestIndex = j;
    }
  }

  // Row 0 is an extrapolated low point well below the lowest entered point.
  double row0 = Val(work.lowestRpmText) / 2 - 100;
  if (row0 > 500) row0 = 500;
  RpmAt(0) = row0;
  TorqueAt(0) = 0.7 * Val(points[work.lowestIndex][1]);
  int n = 1;

  for (int i = 1; i <= 10; ++i) {
    auto& point = points[i - 1];
    double rpm = Val(point[0]);
    const double torque = Val(point[1]);
    const double hp = Val(point[2]);
    const bool complete = rpm != 0 && torque != 0 && hp != 0;
    if (complete) {
      if (!(rpm > RpmAt(0))) continue;  // a negative RPM: dropped, no peaks either
      int place = n;
      if (n > 1) {
        for (int k = 1; k <= n - 1; ++k) {
          if (RpmAt(k) == rpm) {
            // Two points at one RPM would make a step in the curve: the later
            // one moves up a little, and its text says so.
            rpm = Int(rpm + 1.5);
            point[0] = NumberText(rpm);
          }
          if (RpmAt(k) > rpm) {
            place = k;
            break;
          }
        }
      }
      for (int k = n; k > place; --k) {
        RpmAt(k) = RpmAt(k - 1);
        TorqueAt(k) = TorqueAt(k - 1);
      }
      RpmAt(place) = rpm;
      TorqueAt(place) = torque;
      ++n;
    }
    // Peaks count also for points that could not go into the table, once
    // the table holds a point.
    if (n >= 2) {
      if (torque > peakTorque && rpm > 0) {
        peakTorque = torque;
        peakTorqueRpm = rpm;
      }
      if (hp > peakHp && rpm > 0) {
        peakHp = hp;
        peakHpRpm = rpm;
      }
    }
  }
  return n;
}

// The estimate, computed apart so that figures that make no curve leave the
// table and the caller's values alone.
struct Estimate {
  double rpm[10];
  double torque[10];
  double hp, hpRpm, torquePeak, torquePeakRpm;
};

bool ComputeEstimate(double hpRpm, double hp, double torquePeak, double torquePeakRpm, double displacement,
                     int method, Estimate& out) {
  const double r = hpRpm, d = displacement;
  double h = hp, t = torquePeak, rt = torquePeakRpm;
  if (d == 0 || r == 0 || h == 0) return false;

  const double hpc = h / d;
  const double tqc = (5252 * h / r) / d;
  if (method == 0) {
    // Torque per cubic inch from the HP figure, pulled towards typical
    // values, and the torque peak placed by how hard the engine is tuned.
    double x = 1.1 * tqc;
    if (x < 0.9) x = 0.9 - 0.5 * (0.9 - x);
    if (x < 0.8) x = 0.8 - 0.5 * (0.8 - x);
    if (x < 0.7) x = 0.7 - 0.5 * (0.7 - x);
    if (x < 0.5) x = 0.5;
    double y = 0.7 + 0.08 * hpc;
    if (y > 0.95) y = 0.95;
    t = Int(d * x + 0.5);
    if (t == 0) return false;
    rt = Int(5252 * y * h / t + 0.5);
  }
  if (r < rt + 300) rt = r - 300;

  const double step = Round100(0.2 * r);
  double f = 0.8 * 0.15 / hpc;
  if (f > 0.15) f = 0.15 + 0.7 * (f - 0.15);
  if (f > 0.2) f = 0.2 + 0.7 * (f - 0.2);
  const double top = Int(200 * ((r * (1 + f) + 400) / 200 + 0.5));
  h = Int(h + 0.5);

  double* rpm = out.rpm;
  double* tq = out.torque;
  auto hpOf = [&](int k) { return rpm[k] * tq[k] / 5252; };
  auto torqueFromHp = [&](int k, double hpK) { tq[k] = 5252 * hpK / rpm[k]; };

  // Rows in the order each one's neighbours are known.
  rpm[0] = step / 2 - 100;
  tq[0] = 0.5 * t;
  rpm[1] = Round100(step + 0.333 * (rt - step));
  tq[1] = 0.8 * t;
  rpm[3] = Round100(rt);
  tq[3] = t;
  rpm[2] = Round100(rpm[1] + 0.5 * (rpm[3] - rpm[1]));
  tq[2] = 0.93 * t;
  rpm[5] = Round100(r);
  tq[5] = 5252 * h / r;
  rpm[4] = Round100(rpm[3] + 0.5 * (rpm[5] - rpm[3]));
  torqueFromHp(4, hpOf(3) + 0.75 * (hpOf(5) - hpOf(3)));
  const double g = std::max(f, 0.05);
  rpm[7] = Round100((1 + g) * rpm[5]);
  tq[7] = 0.9 * tq[5] * rpm[5] / rpm[7];
  rpm[6] = Round100(rpm[5] + 0.5 * (rpm[7] - rpm[5]));
  torqueFromHp(6, hpOf(7) + 0.75 * (hpOf(5) - hpOf(7)));
  rpm[9] = Round100(top);
  tq[9] = 0;
  rpm[8] = Round100(rpm[7] + 0.5 * (rpm[9] - rpm[7]));
  torqueFromHp(8, hpOf(9) + 0.75 * (hpOf(7) - hpOf(9)));

  // Keep the RPMs rising at the bottom.
  if (rpm[3] <= rpm[2]) rpm[2] -= 100;
  if (rpm[2] <= rpm[1]) rpm[1] -= 100;
  if (rpm[1] <= rpm[0]) rpm[0] -= 100;

  for (int k = 0; k < 10; ++k)
    if (!std::isfinite(rpm[k]) || !std::isfinite(tq[k])) return false;
  out.hp = h;
  out.hpRpm = r;
  out.torquePeak = t;
  out.torquePeakRpm = rt;
  return std::isfinite(t) && std::isfinite(rt);
}

bool EstimateInto(EngineCurveTable& into, double& hpRpmIn, double& hpIn, double& torqueIn, double& torqueRpmIn, double& displacement,
                  int16_t& method, double& peakHp, double& peakHpRpm, double& peakTorque,
                  double& peakTorqueRpm, int& pointCount) {
  Estimate e;
  if (!ComputeEstimate(hpRpmIn, hpIn, torqueIn, torqueRpmIn, displacement, method, e)) return false;
  for (int k = 0; k < 10; ++k) {
    into[0][k] = e.rpm[k];
    into[1][k] = e.torque[k];
  }
  hpIn = e.hp;
  torqueIn = e.torquePeak;
  torqueRpmIn = e.torquePeakRpm;
  peakHp = e.hp;
  peakHpRpm = e.hpRpm;
  peakTorque = e.torquePeak;
  peakTorqueRpm = e.torquePeakRpm;
  pointCount = 9;
  return true;
}

}  // namespace

CurveTarget TheRunsCurve() { return {tbl.EngineCurve, tbl.PowerCurveText, runsWork}; }

CurveOfItsOwn::CurveOfItsOwn() : texts_(tbl.PowerCurveText), work_(runsWork) {}

void EstimatePowerCurve(EngineCurveTable& into, double& hpRpmIn, double& hpIn, double& torqueIn,
                        double& torqueRpmIn, double& displacement, int16_t& method, double& peakHp,
                        double& peakHpRpm, double& peakTorque, double& peakTorqueRpm, int& pointCount) {
  EstimateInto(into, hpRpmIn, hpIn, torqueIn, torqueRpmIn, displacement, method, peakHp, peakHpRpm, peakTorque,
               peakTorqueRpm, pointCount);
}

void BuildEngineCurve(CurveTarget into, double& peakHp, double& peakHpRpm, double& peakTorque,
                      double& peakTorqueRpm, int& pointCount, double& midRpm, const double& powerCorrection,
                      double& limitRpm, double& topRpm) {
  auto& work = into.work;
  auto RpmAt = [&into](int row) -> double& { return into.table[0][row]; };
  auto TorqueAt = [&into](int row) -> double& { return into.table[1][row]; };
  const double correction = powerCorrection;
  const double m = Val(tbl.SpecText[0]);
  const double s = Val(tbl.SpecText[14]);
  const bool fullCurve = m >= 2 && (m != 4 || s >= 2);

  int n = 0;
  if (fullCurve) {
    n = BuildFromPoints(into, peakHp, peakHpRpm, peakTorque, peakTorqueRpm);
  } else {
    work.displacement = Val(tbl.SpecText[1]);
    work.peakHpRpm = Val(tbl.SpecText[5]);
    work.peakHp = Val(tbl.SpecText[4]);
    work.peakTorque = Val(tbl.SpecText[2]);
    work.peakTorqueRpm = Val(tbl.SpecText[3]);
    // A linked library example stands for its own method (slot 14): one
    // given by its HP peak alone has its torque estimated, not taken from
    // the greyed torque rows another engine left behind.
    work.method = CInt(m == 4 ? s : m);
    if (work.displacement == 0 || work.peakHp == 0 || work.peakHpRpm == 0) return;
    if (!EstimateInto(into.table, work.peakHpRpm, work.peakHp, work.peakTorque, work.peakTorqueRpm, work.displacement,
                      work.method, peakHp, peakHpRpm, peakTorque, peakTorqueRpm, n))
      return;
  }
  work.rows = n;

  // Close the table one row above the curve.
  RpmAt(n) = 0;
  TorqueAt(n) = 0;
  pointCount = n;
  midRpm = (peakTorqueRpm + (RpmAt(0) + RpmAt(n)) / 2) / 2;
  limitRpm = 500;
  topRpm = RpmAt(n - 1) + 300;
  RpmAt(n) = topRpm;
  TorqueAt(n) = 0.02 * peakTorque;

  for (int k = 0; k <= n; ++k) {
    TorqueAt(k) *= correction;
    if (!std::isfinite(TorqueAt(k))) TorqueAt(k) = 0;
  }
}

void ResetEngineCurveState() { runsWork = EngineCurveWork{}; }

EnginePeaks EnginePeaksAsEntered() {
  CurveOfItsOwn curve;
  EnginePeaks p;
  const double asEntered = 1.0;
  BuildEngineCurve(curve.Target(), p.hp, p.hpRpm, p.torque, p.torqueRpm, p.pointCount, p.midRpm, asEntered,
                   p.limitRpm, p.topRpm);
  return p;
}

}  // namespace sw
