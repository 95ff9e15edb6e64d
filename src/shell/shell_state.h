// Program-wide values of the application shell: start-up counters, the
// one-time notices, the accuracy questions of Dial-In and Throttle Stop, and
// the editing state the main window hands to each spec window. All start at
// 0 or empty with each run of the program; none is stored.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace sw {

struct ShellValues {
  // Start-up
  int16_t ActivationCount = 0;      // activations of the main window, up to 100
  int16_t StartupScreenShown = 0;   // the start-up text screen was shown
  int16_t BeginnerNoticeShown = 0;  // the beginner-level notice was shown
  std::array<int16_t, 41> TipShown{};  // kept by the tips window
  int16_t TipNumber = 0;            // the tip the tips window is to show
  int16_t TextScreenId = 0;         // the text screen PrintScreen shows (1 = WARNING.TXT)

  // Dial-In and Throttle Stop accuracy questions, once per feature per run
  int16_t DiAccuracyAsked = 0, TsAccuracyAsked = 0;
  int16_t DiAccuracyFlag = 0, TsAccuracyFlag = 0;
  int16_t MatchShown = 0;

  // Window title of the engine program, from the handed-over curve file
  std::string CylvaneTitle;
  // The program file the file seek window looks for; the full path it
  // hands back ("" = not found or cancelled).
  std::string SeekExeName;

  // The last summary found a torque converter
  int16_t SummaryConverter = 0;

  // Spec window editing state set by the main window's spec buttons
  int16_t KeepSpecForm = 0;
  bool SkipValidation = false;
  double TireWtBefore1 = 0, TireWtBefore2 = 0;
  int16_t TireWtRecorded = 0;

  // Help topic asked for by the help buttons and menu items
  int16_t HelpMenuNumber = 0;
  int16_t HelpPage = 0;

  // Example state of each spec window (the engine's example-name slot is 13)
  int16_t ExampleKind = 0;
  int16_t ExampleListIndex = 0;
  int16_t ExampleMenu = 0;
};

extern ShellValues shell;

// Back to the values of a fresh start (tests).
void ResetShellValues();

}  // namespace sw
