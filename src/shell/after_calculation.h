// Window work that would change what a calculation, a search or a dial-in
// prediction reads while it runs (tbl.CalcRunning) waits until it has ended:
// storing spec rows, unloading a spec window, rebuilding the main window's
// summary, opening a calculator or an example list, writing a calculator's
// value back. Such a handler runs from the event loop once the calculation
// is over, as long as its window is still loaded.
#pragma once

#include <functional>
#include <string>

class QObject;

namespace sw {

bool CalculationUnderWay();

// True (and `work` put off) while a calculation runs; false otherwise, when
// the caller goes on at once. Each (owner, key) waits once.
bool PutOffWhileCalculating(QObject* owner, const std::string& key, std::function<void()> work);

// Runs `work` now, or once the calculation under way has ended.
void WhenNotCalculating(QObject* owner, const std::string& key, const std::function<void()>& work);

}  // namespace sw
