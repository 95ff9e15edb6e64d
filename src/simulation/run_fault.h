// Arithmetic faults found inside a run: a zero divisor, a result that is not
// finite, an index outside a table. The code that finds one reports it here
// with the runtime-style error number and its own step number, and carries on
// with a finite stand-in value; the run's error handler takes the report and
// asks the user whether to continue. Nothing NaN or infinite goes further.
#pragma once

#include <cmath>

namespace sw {

namespace rterr {
inline constexpr int kInvalidCall = 5;     // e.g. a fractional power of a negative number
inline constexpr int kOverflow = 6;        // a result that is not finite or not representable
inline constexpr int kSubscript = 9;       // an index outside a table
inline constexpr int kDivisionByZero = 11;
}  // namespace rterr

struct RunFault {
  int errorNumber = 0;  // 0 = none
  int step = 0;         // the step that failed, shown after "ERL="
};

namespace detail {
extern RunFault pendingRunFault;
}

// Keeps the first fault reported since the last take: later ones are
// usually consequences of it.
void ReportRunFault(int errorNumber, int step);
// Asked after every step of a run: inline.
inline bool RunFaultPending() { return detail::pendingRunFault.errorNumber != 0; }
// The pending fault (errorNumber 0 when none), which is then cleared.
RunFault TakeRunFault();
void ClearRunFault();

// num / den, or 0 with error 11 reported when den is 0 (error 6 when the
// quotient is not finite). Inline: the run divides this way on every step.
double DivisionFault(double num, double den, int step);
inline double DivideOrReport(double num, double den, int step) {
  if (den != 0) {
    const double q = num / den;
    if (std::isfinite(q)) return q;
  }
  return DivisionFault(num, den, step);
}

}  // namespace sw
