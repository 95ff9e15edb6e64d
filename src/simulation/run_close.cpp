// The run procedure as a whole: its error handler, and the closing step that
// settles the finish and takes one of three roads (lap data file, instant
// result line, or run history with its history copy and the run log).
#include <cmath>

#include "files/file_state.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "platform/window_host.h"
#include "simulation/lap_data.h"
#include "simulation/run_fault.h"
#include "simulation/run_history.h"
#include "simulation/run_log.h"
#include "simulation/run_simulation.h"
#include "simulation/run_state.h"

namespace sw {

const char* const kRunErrorTitle =
    "                    Error Encountered:  Continue Calculations?                     ";

namespace {
RunLoopObserver loopObserver = nullptr;
constexpr int kPathFileAccess = 75;  // the runtime's "Path/File access error"
}  // namespace

void SetRunLoopObserver(RunLoopObserver observer) { loopObserver = observer; }

namespace {
RunFigures lastFigures;
}
const RunFigures& LastRunFigures() { return lastFigures; }

void Run::KeepFigures() const {
  RunFigures& f = lastFigures;
  f.timeStep = dt_;
  f.efficiency = efficiency_;
  f.trackLength = trackLength_;
  for (int i = 0; i < 4; ++i) f.marks[i] = mark_[i + 1];
  f.samplesPerSecond = samples_;
  f.rollout = rollout_;
  f.wind = wind_;
  f.engineInertia = engineInertia_;
  f.difLock = difLock_;
  f.massTerm = massTerm_;
  f.dragFactor = dragFactor_;
  f.wheelSideInertia = wheelSide_;
  f.transferCoef = transferCoef_;
  f.torqueReactionCoef = torqueReactionCoef_;
  f.dragHeightCoef = dragHeightCoef_;
  f.reducedEquivMass = reducedEquivMass_;
  f.spinInertia = spinInertia_;
  f.stallRpm = stallRpm_;
  f.offendingShiftRpm = offendingShiftRpm_;
  for (int i = 1; i <= 6; ++i) f.shiftRpm[i] = shiftRpm_[i];
  f.launchOffset = launchOffset_;
  f.passes = passes_;
  f.radiusTicks = radiusTicks_;
}

std::string RunErrorMessage(int errorNumber, int step) {
  const std::string cr2 = "\r\r";
  return "ERR=" + Str(errorNumber) + "  ERL=" + Str(step) + cr2 +
         "Select Yes to try to continue calculating performance, No to abort the calculation." + cr2 +
         "Once an error is encountered, the performance calculations are probably not accurate.  Therefore it is "
         "recommended that you abort this calculation by answering No." +
         cr2 +
         "Errors are possible with unusual combinations of specs, usually with very bad tire traction, very loose "
         "converters compared to the engine power curve, mis-matching shift RPMs to the engine's power band, etc.  "
         "Check all input specs or undo your latest changes in Vehicle specs to discover the 'problem spec'.";
}

void Run::HandlePendingFault(int step) {
  const RunFault f = TakeRunFault();
  HandleFault(f.errorNumber, f.step != 0 ? f.step : step);
}

void Run::EndRun() {
  endedByHandler_ = true;
  finishRow_ = -1;
  abandoned_ = true;
  handlerArmed_ = false;
  throw RunEnded{};
}

void Run::HandleFault(int errorNumber, int step) {
  if (!handlerArmed_) return;  // after an abort the closing step runs unguarded
  const std::string message = RunErrorMessage(errorNumber, step);
  if (tbl.StartMode == 2) {
    tbl.CalcMessages += "\r\r" + message;
    EndRun();
  }
  const int answer = MsgBox(message, mb::YesNo + mb::Critical + mb::DefaultButton2, kRunErrorTitle);
  if (answer != ans::Yes) EndRun();
}

void Run::Execute() {
  handlerArmed_ = true;
  ClearRunFault();
  for (auto& col : resultsText_)
    for (auto& cell : col) cell.clear();
  for (auto& col : tbl.RunLog)
    for (double& v : col) v = 0;
  rowRequest_ = 0;

  try {
    if (SetUp()) {
      AfterSetUp();
      runLogRow_ = 1;
      if (loopObserver) loopObserver(0);
      Loop();
      if (loopObserver) loopObserver(1);
    }
  } catch (const RunEnded&) {
    if (loopObserver) loopObserver(1);
  }
  // The handler may end the run inside the closing step too; the closing
  // step then runs once more, no longer guarded.
  for (int pass = 0; pass < 2; ++pass) {
    try {
      Close();
      break;
    } catch (const RunEnded&) {
    }
  }
  ClearRunFault();
  KeepFigures();
}

void Run::Close() {
  if (finishRow_ == 0) finishRow_ = row_ - 1;
  const char* timeFormat = tbl.FinerTime == 1 ? "####.000" : "####.00";
  // An abandoned run is read at row 0 and still hands back -1: the callers
  // show no results for it.
  int row = finishRow_ < 0 ? 0 : finishRow_;
  if (row >= kResultsRows) row = kResultsRows - 1;
  const double finishMph = trapSpeed_ != 0 ? trapSpeed_ / 1.467 : Val(resultsText_[2][row]);

  if (tbl.StartMode == 2) {
    CloseLapData(row, finishMph, timeFormat);
  } else if (tbl.QuietCalc == 1) {
    tbl.InstantEt[0] = resultsText_[1][row];
    tbl.InstantMph[0] = finishMph;
    tbl.Instant60ft[0] = Format(sixtyFootTime_, timeFormat);
  } else {
    CloseNormal(row, finishMph, timeFormat);
  }
  if (abandoned_) finishRow_ = -1;
}

void Run::CloseLapData(int row, double finishMph, const char* timeFormat) {
  std::array<std::string, kLapDataLines> lines;
  // A run the set-up refused has no finish row: the engine program still
  // reads a time of "0" and a gear text, as after refused specs. A run the
  // error handler ended hands over the gear cell as it stands, empty.
  const std::string& et = resultsText_[1][row];
  const std::string& gear = resultsText_[0][row];
  lines[0] = et.empty() ? "0" : et;
  lines[1] = Format(finishMph, "######.00");
  lines[2] = Format(sixtyFootTime_, timeFormat);
  lines[3] = Format(tbl.DensityAltitude, "#####0");
  lines[4] = Format(tbl.DryDensityAltitude, "#####0");
  lines[5] = Format(trackLength_, "#####0");
  lines[6] = specText_[specMenuStart_[kVehicle]];
  lines[7] = gear.empty() && !endedByHandler_ ? "0" : gear;
  lines[8] = Format(converter_, "#####0");
  lines[9] = fst.CurrentFileName;
  lines[10] = tbl.CalcMessages;
  if (!WriteLapDataFile(lines)) {
    // The file cannot be created: the handler hears of it while it is
    // armed, and the closing step runs once more with its message.
    HandleFault(kPathFileAccess, erl::kLapData);
  }
}

void Run::CloseNormal(int row, double finishMph, const char* timeFormat) {
  auto& rt = resultsText_;
  const int finish = finishRow_ < 0 ? 0 : row;
  for (int r = 0; r <= finish; ++r) {
    if (Val(rt[3][r]) > 0 && Val(rt[6][r]) < Val(rt[5][r])) rt[5][r] = rt[6][r];
  }
  tbl.RunTotal1 += (minRpmGear_ + 1) * 10000.0;

  if (calcStatus_ == 0 && tbl.CalcMode == 0 && finishRow_ > 1) {
    RecordHistory(rt, finish, finishMph, trackLength_, Format(sixtyFootTime_, timeFormat));
  }

  if (tbl.QuietCalc == 0) Windows().SetProgressBar(3615);
  int rows = runLogRow_ - 1;
  if (rows < 1) rows = 1;
  if (rows > 308) rows = 308;
  tbl.RunLogRows = static_cast<int16_t>(rows);
  if (tbl.HistoryDisplay != 2) tbl.HistoryDisplay = 0;
  tbl.BeginnerNoteState = 0;
  tbl.FromHistory = 0;
}

void RunSimulation(std::array<std::string, kSpecCount>& specText, double& trapSpeed, double& powerCorrection,
                   std::array<int16_t, 18>& specMenuStart, ResultsTable& resultsText, int& finishRow,
                   double& unused7, std::array<std::string, 81>& textScreenLines, int16_t& runLogRow,
                   int16_t& rowRequest, double& sixtyFootTime, double& unused12, int16_t& calcStatus) {
  Run run(specText, trapSpeed, powerCorrection, specMenuStart, resultsText, finishRow, textScreenLines,
          runLogRow, rowRequest, sixtyFootTime, calcStatus);
  run.Execute();
}

}  // namespace sw
