// The Analysis Report of the last run: the weight-to-power ratio, the run
// against a typical race vehicle of the same weight and corrected power, and
// the advice paragraphs its figures call for, read from the shipped advice
// files (ANALYS/<key>). The report is built from plain figures, so every rule
// can be checked without a run; MakeAnalysisReport gathers them from the
// last run, writes "Analysis Report.txt" and opens it.
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <vector>

namespace sw {

struct AnalysisFigures {
  double runLength = 0;  // 1320, 660, else 0 (no analysis)
  double weight = 0;     // lb with driver
  // Engine curve as entered and the weather at the track.
  double peakHp = 0, peakHpRpm = 0, peakTorqueRpm = 0, curveTopRpm = 0;
  double correction = 1;
  // Computer-calculated shift RPM of change i (1 = 1-2), 100000 for none;
  // the user's own shift RPMs (Driving rows 8..12 as changes 1..5).
  std::array<double, 8> computedShift{};
  std::array<double, 8> userShift{};
  int drivingType = 0;   // Driving row 0
  int shiftChoice = 0;   // Driving row 7: 0 = the program's shift RPMs
  bool beginnerLevel = false;
  bool converter = false;
  double tractionFactor = 0;      // Wheels & Tires row 8
  std::string launchThrottle;     // Driving row 3, as entered
  double runTotal1 = 0, runTotal2 = 0, runTotal3 = 0, runTotal4 = 0;
  double spinShiftTime = 0;
  std::string et, sixtyFt;        // history entry 0
  double mph = 0;
  // The run table, rows 0..finish.
  struct Row {
    std::string gear;
    double time = 0, feet = 0, rpm = 0;
  };
  std::vector<Row> rows;
};

// What a typical race vehicle of this weight and corrected power runs.
struct TypicalVehicle {
  double mph = 0, et = 0, eighth = 0, sixtyFt = 0;
};
TypicalVehicle TypicalFor(double weight, double correctedHp);

// The shift RPM range of the computed shifts the run used before its finish
// gear, rounded down to hundreds and at least 200 RPM wide.
struct ShiftRange {
  double high = 0, low = 0;
};
ShiftRange ShiftRangeFor(const AnalysisFigures& f, int finishGear);

// The gear the run finished in: a shift row (" 2-3") finishes in the gear
// before the dash.
int FinishGear(const AnalysisFigures& f);

struct AnalysisReport {
  std::string refusal;  // not empty: no report, this message instead
  std::string text;     // every line preceded by CR LF
  std::vector<std::string> keys;  // the advice paragraphs chosen, in order
  int pageBreaks = 0;
  std::array<int, 11> pageStart{1};
};

extern const char* const kAnalysisWrongLength;
extern const char* const kAnalysisNotPossible;

// The report of these figures; advice files are read from `adviceFolder`.
AnalysisReport BuildAnalysisReport(const AnalysisFigures& f, const std::filesystem::path& adviceFolder);

// The figures of the last run from the shared tables (the engine curve the
// run used and the air figures are left as they were).
AnalysisFigures AnalysisFiguresOfLastRun();

// The Analyze command: builds the report of the last run, records its page
// data, writes "Analysis Report.txt" in the program folder and opens it in
// the text viewer. Messages instead when it cannot.
void MakeAnalysisReport();

}  // namespace sw
