// The dial-in and throttle-stop prediction. The current vehicle specs are
// the model: the driver runs once with the weather of each previous run and
// once with the weather of the coming ("Predicted") run, and the real runs'
// times are scaled by how the calculated runs changed between the weathers.
// Dial In predicts the next run's ET less a safety margin; Throttle Stop the
// setting that makes the car run the index plus the margin, from two runs
// with different settings (or one run and an adjustment factor kept from an
// earlier pair).
//
// The entries come in as the window shows them; questions and refusals go
// through the message boxes of src/platform/ui.h; the passes are a function,
// so tests hand in the calculated times they want.
#pragma once

#include <array>
#include <functional>
#include <string>

namespace sw {

inline constexpr int kDialInRowCount = 32;

// The rows that are pick lists: the wind directions (5, 14, 25), the
// predicted 60 ft choice (15) and the weather method (18).
bool IsDialInPickRow(int row);

// "Dial In" (mode 1) or "Throttle Stop" (mode 2).
std::string DialInModeName(int mode);

// The window's entries as the prediction reads them.
struct DialInEntries {
  int mode = 1;         // 1 Dial In, 2 Throttle Stop
  bool oneRun = false;  // Throttle Stop from one previous run (Run 2) and the factor in row 31
  std::array<std::string, kDialInRowCount> text{};     // value boxes
  std::array<int, kDialInRowCount> pick{};              // pick lists' choice, -1 for none
  std::array<bool, kDialInRowCount> inUse{};            // shown and enabled: required
  std::array<std::string, kDialInRowCount> caption{};   // rows 20-28 use rows 0-8's
  std::string previousRunFrame = "Previous Run";
  std::string predictedRunFrame = "Predicted Run";
  std::string generalFrame = "General Specs and Comments";
};

// One calculated run: its ET and 60 ft time; ok is false when the run gave
// no finish (refused specs, Cancel, a run error).
struct CalculatedRun {
  bool ok = false;
  double et = 0;
  double sixtyFoot = 0;
};
// A calculation pass with the weather of tbl.CalcPass (1 Run 1, 2 Predicted,
// 3 Run 2); the argument repeats the pass.
using DialInPass = std::function<CalculatedRun(int calcPass)>;
// The program's pass: CalculatePerformance, the time at its finish row.
CalculatedRun CalculateWithRunWeather(int calcPass);

// The questions asked at most once while the window stays loaded.
struct DialInAsked {
  bool trackLength = false;
  bool etDifference = false;
};

// What the window shows afterwards.
struct PredictionOutcome {
  enum class Labels { Keep, Empty, Set };
  Labels labels = Labels::Keep;  // Label2 (the prediction) and Label9 (the factor)
  std::string label2, label9;
  // Throttle Stop: whether the 60 ft times were used; when not, the note
  // (Label7) and the window 200 twips taller.
  enum class SixtyFoot { Undecided, Used, NotUsed };
  SixtyFoot sixtyFoot = SixtyFoot::Undecided;
  std::string label7;
  bool passesRun = false;  // the pointer and the progress window were taken
};

inline constexpr const char* kNoUsableTime = "Prediction not possible: a calculated run gave no usable time.";

// The whole prediction: required entries, the throttle-stop checks, the
// passes with their questions, the figure. Sets tbl.CalcMode from the
// entries and starts from a clean calculation status; may change the Track
// Length spec (after the racer's Yes) and TsAdjustFactor.
PredictionOutcome PredictFromEntries(const DialInEntries& entries, DialInAsked& asked, const DialInPass& pass);

}  // namespace sw
