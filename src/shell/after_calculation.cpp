#include "shell/after_calculation.h"

#include "platform/qt/window_lifetime.h"
#include "simulation/tables.h"

namespace sw {

bool CalculationUnderWay() { return tbl.CalcRunning; }

bool PutOffWhileCalculating(QObject* owner, const std::string& key, std::function<void()> work) {
  if (!CalculationUnderWay()) return false;
  RunWhenFree(owner, key, [] { return CalculationUnderWay(); }, std::move(work));
  return true;
}

void WhenNotCalculating(QObject* owner, const std::string& key, const std::function<void()>& work) {
  if (!PutOffWhileCalculating(owner, key, work)) work();
}

}  // namespace sw
