// What the Driving window decides, without its widgets: whether the car has
// a torque converter, which launch and shift rows apply, and the program's
// own shift RPMs offered beside the racer's.
#pragma once

#include <array>
#include <string>

#include "simulation/shift_rpms.h"

namespace sw {

// Rows of the window (spec menu 5).
namespace drive {
inline constexpr int kType = 0;          // launch type
inline constexpr int kShiftTime = 5;
inline constexpr int kShiftThrottle = 6;
inline constexpr int kShiftRpms = 7;     // 0 computer calculated, 1 the RPMs below
inline constexpr int kFirstShift = 8;    // the 1-2 .. 5-6 shift RPMs on rows 8..12
inline constexpr int kRows = 13;
}  // namespace drive

// 1 for a torque converter, 0 for a clutch, from the transmission's Type
// pick and its clutch or converter example's marker: Type 3, or Type 5 with
// a converter example.
int ConverterDriveFor(int transmissionType, double exampleMarker);

// The picks and transmission the row rules look at.
struct DrivingChoices {
  bool converter = false;  // ConverterDrive = 1
  int launchType = 0;      // row 0
  int shiftTime = 0;       // row 5
  int shiftRpms = 0;       // row 7
  std::array<double, 7> gearRatio{};  // gears 1..6 as read (empty = 0)
};

// Which of rows 0..12 are on. Rows 0, 5 and 7 always are.
std::array<bool, drive::kRows> DrivingRowsOn(const DrivingChoices& c);

// The program's shift RPMs for the specs as stored: the engine curve as
// entered (no weather) and CalcShiftRPMs. Element j, 1..5, is the shift out
// of gear j; 99000 or more means none. The run's engine curve and its
// pending arithmetic fault are left as they were.
ShiftRpmTable ComputerShiftRpms();

inline bool ShiftTakesPlace(double rpm) { return rpm < 99000; }

// The question of the "Clc" buttons: the racer's shift RPMs (rows 8..12 as
// shown, current[1..5]) beside the program's, one line per shift that takes
// place.
std::string ShiftRpmQuestion(const std::array<std::string, 6>& current, const ShiftRpmTable& computed);
// The text "Yes" writes for a computed shift RPM: to the nearest 100, «6300».
std::string RoundedShiftRpm(double rpm);

inline constexpr const char* kShiftRpmTitle = "Computer Calculated Shift RPMs";
inline constexpr const char* kBeginnerChoiceMessage =
    "This choice is not available when the program is set to Beginner Level.";

}  // namespace sw
