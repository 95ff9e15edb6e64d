// Calculate Performance: the one entry point through which every feature
// computes a run. It corrects for the weather, builds the engine curve,
// checks the inputs, shows the progress window, runs the simulation and
// hands the results to the results window. It steers by the shared values
// its caller sets first: tbl.CalcStatus, tbl.CalcMode, tbl.AbortCalc and
// tbl.QuietCalc.
#pragma once

namespace sw {

// `finishRow` is the shared tbl.FinishRow for every caller: afterwards the
// results row of the finish, or -1 when the run was abandoned. `trapSpeed`
// (ft/s) and `sixtyFootTime` receive the run's trap speed and 60 ft time.
// A call made while a run is already under way (from a window event let
// through by the run) does nothing.
void CalculatePerformance(double& trapSpeed, int& finishRow, double& sixtyFootTime);

// The plain calculation the racer asks for ("Calculate Performance", the
// unattended run): no search, no dial-in, nothing cancelled, results shown.
void CalculateShownPerformance();

}  // namespace sw
