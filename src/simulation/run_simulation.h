// The run: from SpecText to the results table, the run log, the run
// history and (in the unattended start mode) the lap data file.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "simulation/result_rows.h"
#include "simulation/tables.h"

namespace sw {

// Simulates one run of the vehicle in `specText` down the track of its
// Conditions specs, in time steps from the launch to the finish line.
// Leaves the trap speed (ft/s, 0 when not measured), the results table, the
// finish row (-1 when the run was abandoned), the run-log row counter and the
// 60 ft time; `calcStatus` carries the searches' codes in and out. Searches
// may see the converter capacity spec lowered when a converter proves too
// loose. `unused7` and `unused12` are the caller's numbers the run never
// reads; `rowRequest` is the run's row-request flag.
void RunSimulation(std::array<std::string, kSpecCount>& specText, double& trapSpeed, double& powerCorrection,
                   std::array<int16_t, 18>& specMenuStart, ResultsTable& resultsText, int& finishRow,
                   double& unused7, std::array<std::string, 81>& textScreenLines, int16_t& runLogRow,
                   int16_t& rowRequest, double& sixtyFootTime, double& unused12, int16_t& calcStatus);

// The distance after one time step `dt` with the step's new speed `v` and
// acceleration `a`, added left to right: x + v dt first, then a dt^2 / 2. The
// last bit decides whether a later step lands on a tenth of a second in the
// converter's sampling, so the order is fixed, not a tidier grouping.
inline double DistanceAfterStep(double x, double v, double a, double dt) {
  return x + v * dt + 0.5 * a * (dt * dt);
}

// x^3, the very double std::pow(x, 3) gives, without the general power for
// most x: the cube is formed exactly to twice a double's precision (Dekker's
// product) and rounded. A cube within a hair of halfway between two doubles,
// where the last bit depends on how pow rounds, is left to pow, as is an x
// too large or too small for the exact product. (The build keeps products
// and sums apart: no fused multiply-add.)
inline double Cubed(double x) {
  const double ax = std::fabs(x);
  if (!(ax > 0x1p-300 && ax < 0x1p300)) return std::pow(x, 3);
  auto split = [](double a, double& hi, double& lo) {
    const double c = 134217729.0 * a;  // 2^27 + 1
    hi = c - (c - a);
    lo = a - hi;
  };
  auto product = [&split](double a, double b, double& p, double& e) {  // a b = p + e exactly
    p = a * b;
    double ah, al, bh, bl;
    split(a, ah, al);
    split(b, bh, bl);
    e = ((ah * bh - p) + ah * bl + al * bh) + al * bl;
  };
  double p, e, q, f;
  product(x, x, p, e);
  product(p, x, q, f);
  const double t = f + e * x;    // x^3 = q + t within 2^-104 of it
  const double s = q + t;
  const double r = t - (s - q);  // q + t - s, exactly
  uint64_t bits;
  std::memcpy(&bits, &s, sizeof bits);
  if ((bits & 0x000fffffffffffffULL) == 0) return std::pow(x, 3);  // a power of two: the spacing changes here
  const uint64_t ulpBits = (bits & 0x7ff0000000000000ULL) - (52ULL << 52);
  double ulp;
  std::memcpy(&ulp, &ulpBits, sizeof ulp);
  if (std::fabs(r) < 0.45 * ulp) return s;
  return std::pow(x, 3);
}

// The 60 ft time a run reports for the time of its first mark: an event at
// exactly 0 s still counts as reached (0.001), as 0 means "not reached".
inline double SixtyFootTimeOf(double eventTime) { return eventTime == 0 ? 0.001 : eventTime; }

// The "% Thrt" of a result row: with the simple launch the share of the net
// force the tires take (100 when there is no net force), else the throttle.
inline double ShownThrottle(bool simpleLaunch, double tractionLimit, double netForce, double throttle) {
  double shown = throttle;
  if (simpleLaunch) {
    const double f = netForce < 0 ? -netForce : netForce;
    shown = f == 0 ? 1 : tractionLimit / f;
    if (shown > 1) shown = 1;
  }
  shown *= 100;
  return shown > 100 ? 100 : shown;
}

// The traction factor of the time step and the three values kept before it,
// newest first. Each step's new factor becomes the current one; the history
// then takes it too: all three at the start, else they move one place and
// the newest takes it. The drive torque is smoothed by the mean of the four.
struct TractionHistory {
  double current = 1;
  double previous[3] = {1, 1, 1};

  void Record(bool atStart) {
    if (atStart) {
      previous[0] = previous[1] = previous[2] = current;
    } else {
      previous[2] = previous[1];
      previous[1] = previous[0];
      previous[0] = current;
    }
  }
  double Smoothing() const { return 0.25 * (current + previous[0] + previous[1] + previous[2]); }
};

// The traction iteration: each round remembers the traction limit, runs the
// acceleration with that force and the axle load again (`round`, which
// updates `tractionLimit`), until the limit moves by 10 lbs or less. The
// force used is the last force the acceleration ran with, at most the net
// force. `maxRounds` stops a layout whose loads never settle.
template <class Round>
double SettleTractionForce(double& tractionLimit, double netForce, int maxRounds, Round round) {
  double remembered = tractionLimit;
  for (int i = 0; i < maxRounds; ++i) {
    remembered = tractionLimit;
    round(remembered);
    if (std::fabs(remembered - tractionLimit) <= 10) break;
  }
  return remembered < netForce ? remembered : netForce;
}

// A number put into one of the run's 16-bit whole-number variables: rounded
// half to even. A number outside the range does not fit (false): the
// variable keeps what it held and the caller reports the overflow.
inline bool StoreWhole(int16_t& variable, double value) {
  const double whole = std::nearbyint(value);  // half to even
  if (!(whole >= -32768.0 && whole <= 32767.0)) return false;
  variable = static_cast<int16_t>(whole);
  return true;
}

// The "T Slip" of a results row: 100 while the tires spin, else the share
// the traction factor takes off, as a whole number.
inline double TireSlipShown(bool wheelspin, double tractionFactor) {
  return wheelspin ? 100 : 100 * (1 - tractionFactor);
}

// The question the run's error handler asks, and its title.
std::string RunErrorMessage(int errorNumber, int step);
extern const char* const kRunErrorTitle;

// Converter texts of the set-up.
extern const char* const kConverterTooTightText;
extern const char* const kConverterTooTightTitle;
extern const char* const kConverterTooLooseText;

// A run that has not reached the finish after this much run time ends
// through the run's error handler.
inline constexpr double kRunTimeLimit = 3600;

// What the set-up of the last run worked out, kept for inspection (the
// results notes and tests read it; the run itself never does).
struct RunFigures {
  double timeStep = 0;          // dt; the loop steps dt, 2 dt and 4 dt
  double efficiency = 0;        // drivetrain efficiency after its rules
  double trackLength = 0;       // ft
  double marks[4] = {};         // the four intermediate marks, ft
  int samplesPerSecond = 0;     // run-log samples per second
  double rollout = 0;           // ft
  double wind = 0;              // ft/s, positive against the car
  double engineInertia = 0;     // lb ft2
  double difLock = 0;           // %
  double massTerm = 0;          // m', times r^2 in the inertias
  double dragFactor = 0;        // lbs per MPH squared
  double wheelSideInertia = 0;  // I0
  double transferCoef = 0, torqueReactionCoef = 0, dragHeightCoef = 0;  // axle loads
  double reducedEquivMass = 0;  // wheel-side inertia while the clutch slips and the tires spin
  double spinInertia = 0;       // inertia of the spinning driveline
  double stallRpm = 0;          // converter stall RPM
  double offendingShiftRpm = 0; // the shift point that made the converter too loose
  double shiftRpm[7] = {};      // shift points 1..6
  double launchOffset = 0;      // launch time carried over the rollout
  long passes = 0;              // time-step passes of the loop
  int radiusTicks = 0;          // tire-radius updates (20 a second of run clock)
};
const RunFigures& LastRunFigures();

// Tests and the benchmark watch the time-step loop: called with 0 when the
// loop starts and 1 when it ends (nullptr: nobody watches).
using RunLoopObserver = void (*)(int phase);
void SetRunLoopObserver(RunLoopObserver observer);

}  // namespace sw
