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

double DivisionFault(double num, double den, int step) {
  ReportRunFault(den == 0 ? rterr::kDivisionByZero : rterr::kOverflow, step);
  return 0;
}

}  // namespace sw
