// What the Transmission window decides, without its widgets: which of the
// clutch and converter rows apply, the stall RPMs the converter row accepts
// for this engine, and the converter capacity a racer's stall RPM stands for
// on the engine curve in the weather at the track.
#pragma once

#include <optional>
#include <string>

#include "specs/row_rules.h"

namespace sw {

// Rows of the window (spec menu 2).
namespace trans {
inline constexpr int kType = 0;              // clutch or converter
inline constexpr int kCapacity = 5;          // converter capacity
inline constexpr int kGearType = 7;          // transmission: own ratios or an example
inline constexpr int kEfficiency = 8;
inline constexpr int kFirstGear = 9;         // gears 1..6 on rows 9..14
inline constexpr int kStallRpm = 15;
inline constexpr int kFirstLockUp = 16;      // gears 2..6 locked up? on rows 16..20
inline constexpr int kRows = 21;
inline constexpr int kClutchNameSlot = 22;   // clutch or converter example: name, marker after it
inline constexpr int kGearsNameSlot = 24;    // transmission example: name, marker after it
}  // namespace trans

enum class DriveRows { None, Clutch, Converter };

// The rows that apply for a Type pick and the clutch or converter example's
// marker (1 clutch, 2 converter): picks 3 and 4 or marker 2 a converter,
// picks 1 and 2 or marker 1 a clutch, otherwise neither (pick 0 lets the
// program size the clutch).
DriveRows DriveRowsFor(int typePick, double marker);

// The stall RPMs the converter row accepts, from CheckTransmissionSpec's
// figures: from the middle of its low and middle RPMs, to 100, up to the RPM
// of peak power. None when the build gave no curve to judge against.
std::optional<RowLimits> StallRpmLimits(double lowRpm, double midRpm, double peakHpRpm);

// The converter capacity that stalls at `stallRpm`: the RPM over the root of
// the full-throttle torque there, on the curve corrected for the weather at
// the track; 70 where the curve gives no torque, and kept within 70..600.
double CapacityForStall(double stallRpm);

// Row 5's text for a capacity: «148.8».
std::string CapacityText(double capacity);

// Whether the stall RPM the capacity gives back (row 15's text) moved from
// the one entered by more than 1 RPM.
bool StallMoved(const std::string& stallText, double enteredRpm);
// "Due to rounding in the calculations, the Stall RPM you entered had to be
// changed to: 3490 RPM." CR CR "This small difference ..."
std::string StallRoundingMessage(const std::string& stallText);

// Row 15's caption.
std::string StallRpmCaption();

inline constexpr const char* kTransmissionChooserCaption = "Transmission Catagories";
inline constexpr const char* kClutchEstimatedMessage =
    "Clutch specs are currently being estimated by the program.  These specs can not be saved as an example.";

}  // namespace sw
