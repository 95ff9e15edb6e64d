#include "simulation/run_fault.h"

#include <cmath>

namespace sw {
namespace detail {
RunFault pendingRunFault;
}
namespace {
RunFault& pending = detail::pendingRunFault;
}

void ReportRunFault(int errorNumber, int step) {
  if (pending.errorNumber == 0) pending = RunFault{errorNumber, step};
}

RunFault TakeRunFault() {
  RunFault f = pending;
  pending = RunFault{};
  return f;
}

void ClearRunFault() { pending = RunFault{}; }

double DivideOrReport(double num, double den, int step) {
  if (den == 0) {
    ReportRunFault(rterr::kDivisionByZero, step);
    return 0;
  }
  const double q = num / den;
  if (!std::isfinite(q)) {
    ReportRunFault(rterr::kOverflow, step);
    return 0;
  }
  return q;
}

}  // namespace sw
