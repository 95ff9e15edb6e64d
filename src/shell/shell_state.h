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

  // Spec window editing state set by the main window's spec buttons and the
  // spec windows (src/specs/spec_window.h)
  int16_t KeepSpecForm = 0;   // 1: a companion window is open, the spec window stays loaded; 2: also across an activation
  bool SkipValidation = false;  // leaving a value box neither normalises nor tests it
  double TireWtBefore1 = 0, TireWtBefore2 = 0;
  int16_t TireWtRecorded = 0;
  // The front and rear weights whose change the racer declined to carry into
  // the vehicle weight (while TireWtDeclined): not offered again.
  bool TireWtDeclined = false;
  double TireWtDeclined1 = 0, TireWtDeclined2 = 0;
  int16_t InstantTipShown = 0;  // the "Tip on Instant Help" was shown in this run
  int16_t CurveNoticeShown = 0;  // the Engine window told of Cylvane's waiting power curve
  std::string PowerCurveGraphComment;  // the comment of the last printed power-curve page

  // Calculator asked for by a spec window's "Clc" button
  int16_t CalcMenuNumber = 0;
  int16_t CalcFlowExhaust = 0;

  // Help topic asked for by the help buttons and menu items
  int16_t HelpMenuNumber = 0;
  int16_t HelpPage = 0;

  // Example state of each spec window (the engine's example-name slot is 13):
  // what the example windows are asked to list, load or save
  int16_t ExampleKind = 0;        // offset of the group's name slot in the menu's slice; -1 plain list
  int16_t ExampleListIndex = 0;   // the Type pick when a linked example gives way
  int16_t ExampleMenu = 0;        // the row of the group's Type pick list
  std::string ExampleComponent;   // library code: "ENG", "BODY", "FTIRE", "RTIRE", "CLUTCH", "CONV", "TRANS"
  std::string ExamplePrefix;      // notes prefix: "ENG", "BD", "FTR", "RTR", "CL", "CV", "TR"
  int16_t ExampleSubChoice = 0;   // 0 list (load), 1 save
  std::string ExampleModeCode;
  int16_t ChooserResult = 0;      // the chooser's pick, -1 cancelled
};

extern ShellValues shell;

// Back to the values of a fresh start (tests).
void ResetShellValues();

}  // namespace sw
