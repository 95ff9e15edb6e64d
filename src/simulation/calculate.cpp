#include "simulation/calculate.h"

#include <cstdint>

#include "platform/ui.h"
#include "platform/window_host.h"
#include "simulation/air.h"
#include "simulation/engine_curve.h"
#include "simulation/input_checks.h"
#include "simulation/run_simulation.h"
#include "simulation/tables.h"

namespace sw {
namespace {

bool runUnderWay = false;

// tbl.CalcRunning is set for the length of the call and restored after it,
// so a search that holds it keeps it.
class Running {
 public:
  Running() : before_(tbl.CalcRunning) {
    runUnderWay = true;
    tbl.CalcRunning = true;
  }
  ~Running() {
    runUnderWay = false;
    tbl.CalcRunning = before_;
  }
  Running(const Running&) = delete;
  Running& operator=(const Running&) = delete;

 private:
  bool before_;
};

}  // namespace

void CalculatePerformance(double& trapSpeed, int& finishRow, double& sixtyFootTime) {
  if (runUnderWay) return;
  Running running;

  double powerCorrection = 0, airDensity = 0;
  CalcAirConditions(powerCorrection, airDensity);

  double peakHp = 0, peakHpRpm = 0, peakTorque = 0, peakTorqueRpm = 0, midRpm = 0, limitRpm = 0, topRpm = 0;
  int pointCount = 0;
  BuildEngineCurve(TheRunsCurve(), peakHp, peakHpRpm, peakTorque, peakTorqueRpm, pointCount, midRpm, powerCorrection,
                   limitRpm, topRpm);

  CheckInputs(powerCorrection, peakHp, peakHpRpm, tbl.CalcStatus, topRpm, pointCount, peakTorque, peakTorqueRpm);
  if (tbl.StopAfterPrep == 1) return;

  Ui().SetBusyCursor(true);
  if (tbl.CalcStatus == 0 && tbl.CalcMode == 0 && tbl.QuietCalc == 0) Windows().EnableMainPanels(false);
  if (tbl.QuietCalc == 0) {
    Windows().LoadProgress();
    DoEvents();
  }

  double unused7 = 0, unused12 = 0;
  int16_t runLogRow = 0, rowRequest = 0;
  RunSimulation(tbl.SpecText, trapSpeed, powerCorrection, tbl.SpecMenuStart, tbl.ResultsText, finishRow, unused7,
                tbl.TextScreenLines, runLogRow, rowRequest, sixtyFootTime, unused12, tbl.CalcStatus);

  if (tbl.QuietCalc == 1) {
    Ui().SetBusyCursor(false);
    return;
  }
  if (tbl.CalcStatus == 0 && tbl.CalcMode == 0) {
    Windows().UnloadProgress();
    if (tbl.StartMode == 2) return;
    if (finishRow == -1) {
      Windows().EnableMainPanels(true);
      Ui().SetBusyCursor(false);
      return;
    }
    Windows().ShowResultsAndNotes();
  }
  // Otherwise the search or the prediction goes on with the progress window,
  // the pointer and the panels as they are.
}

void CalculateShownPerformance() {
  tbl.CalcStatus = 0;
  tbl.CalcMode = 0;
  tbl.AbortCalc = 0;
  tbl.QuietCalc = 0;
  double trapSpeed = 0, sixtyFootTime = 0;
  CalculatePerformance(trapSpeed, tbl.FinishRow, sixtyFootTime);
}

}  // namespace sw
