// The program-wide tables: SpecText and its menu layout, the engine
// curve, the results of the last run, the history of the last 25 runs and
// the flags that steer a calculation. One instance, `tbl`, lives for the
// whole run of the program; every window and module reads and writes it.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace sw {

inline constexpr int kSpecCount = 232;       // SpecText 0..231
inline constexpr int kHistorySlots = 26;     // 0..25, 0..24 used
inline constexpr int kHistoryKept = 25;
// ResultsText rows 0..50: the results-row counter of a run is held at 50, so
// every row it can reach is a row of the table.
inline constexpr int kResultsRows = 51;
inline constexpr int kResultsCols = 13;      // ResultsText columns 0..12
inline constexpr int kRunLogRows = 311;      // RunLog rows 0..310
inline constexpr int kRunLogCols = 10;
inline constexpr int kEngineCurveRows = 12;  // EngineCurve rows 0..11
inline constexpr int kPowerCurvePoints = 11; // PowerCurveText points 0..10

// Spec menu numbers.
enum SpecMenu : int {
  kEngine = 1,
  kTransmission = 2,
  kVehicle = 3,
  kTires = 4,
  kDriving = 5,
  kConditions = 6,
  kMatch = 7,
  kThrottleStop = 8,
  kDialIn = 9,
};

struct ProgramTables {
  // --- spec table and layout
  std::array<std::string, kSpecCount> SpecText;
  std::array<int16_t, 18> SpecMenuStart{};
  std::array<int16_t, kSpecCount> SpecKind{};
  int16_t CurrentSpecMenu = 0;
  std::array<float, 33> RowMaximum{};
  std::array<float, 33> RowMinimum{};

  // --- graph names and shared message texts
  std::array<std::string, 9> PlotTypeName;
  std::string MsgAlreadyExample;
  std::string MsgSaveNewName;
  std::string MsgBeginnerNoSave;
  std::string PrintCommentPrompt;

  // --- engine curve: PowerCurveText[point][column], EngineCurve[column][row]
  std::array<std::array<std::string, 4>, kPowerCurvePoints> PowerCurveText;
  double EngineCurve[3][kEngineCurveRows] = {};

  // --- results of the last run: ResultsText[column][row], RunLog[column][row]
  std::array<std::array<std::string, kResultsRows>, kResultsCols> ResultsText;
  int FinishRow = 0;  // -1 means the run was abandoned
  std::array<std::string, 3> InstantEt;
  std::array<std::string, 3> Instant60ft;
  std::array<double, 3> InstantMph{};
  double RunLog[kRunLogCols][kRunLogRows] = {};
  int16_t RunLogRows = 0;
  double BaseRun[kRunLogCols][kRunLogRows] = {};
  int16_t BaseRunRows = 0;
  std::array<std::string, 81> TextScreenLines;
  double RunTotal1 = 0, RunTotal2 = 0, RunTotal3 = 0, RunTotal4 = 0;
  double ShiftTime = 0;
  double DensityAltitude = 0;
  double DryDensityAltitude = 0;
  double PressureAltitude = 0;
  int16_t ConverterDrive = 0;

  // --- history of the last 25 runs, slot 0 the newest
  std::array<std::string, kHistorySlots> HistoryTitle;
  std::array<std::string, kHistorySlots> HistoryEt;
  std::array<double, kHistorySlots> HistoryMph{};
  std::array<double, kHistorySlots> HistoryLength{};
  std::array<double, kHistorySlots> HistoryDensAlt{};
  std::array<double, kHistorySlots> HistoryDryDensAlt{};
  std::array<std::string, kHistorySlots> History60ft;
  std::array<std::string, kHistorySlots> History330ft;
  std::array<std::string, kHistorySlots> History1000ft;
  std::array<std::string, kHistorySlots> History8thEt;
  std::array<std::string, kHistorySlots> History8thMph;
  std::array<std::string, kHistorySlots> HistoryName;
  // Results-window state the end of a run resets.
  int16_t HistoryDisplay = 0;  // 0 hidden, 1 "Show History Now", 2 "Always Show History"
  int16_t BeginnerNoteState = 0;
  int16_t FromHistory = 0;

  // --- calculation control
  int16_t CalcStatus = 0;
  int16_t StopAfterPrep = 0;
  int16_t AbortCalc = 0;
  int16_t CalcPass = 0;
  int16_t CalcMode = 0;
  int16_t QuietCalc = 0;
  int16_t StartMode = 0;
  std::string CalcMessages;
  int16_t FinerTime = 0;
  int16_t BeginnerLevel = 0;
  int16_t EstimateClutch = 0;
  int16_t FindBestTarget = 0;
  int16_t InstantUpdate = 0;
  int16_t InstantCalcMenu = 0;
  // True while a calculation or a search runs: nothing may start another one.
  bool CalcRunning = false;

  // --- shell values shared with the file seek window
  std::string SeekExeName;

  // --- weather of a handed-over power curve: barometer, air temperature,
  // dew point, elevation (as text)
  std::string ExchangeCond1, ExchangeCond2, ExchangeCond3, ExchangeCond4;
};

extern ProgramTables tbl;

// Fills the fixed layout values; may be called again and writes the same.
void InitTables();
// Back to the state at program start (everything empty, then InitTables):
// tests start each case from here.
void ResetTables();

// Spec k of menu m read as a number, and its text: spec m.k of the design.
double Spec(int menu, int k);
std::string& SpecAt(int menu, int k);

}  // namespace sw
