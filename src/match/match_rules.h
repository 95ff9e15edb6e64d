// What the Match window and its result screen decide without their widgets:
// which rows it shows, which entries OK needs, what Clear Entries leaves,
// how the screen tells a changed power curve, what keeping new specs does
// to the example links, and the texts.
#pragma once

#include <array>
#include <string>

#include "simulation/tables.h"

namespace sw {

inline constexpr int kMatchRows = 6;  // rows 0..5 of spec menu 7

// "Stall RPM at Launch" only means something with a torque converter: not for
// the clutch choices 0 and 1, nor for choice 5 set up as a clutch.
bool MatchStallRowShown();

// The first entry OK cannot do without, -1 when all are there: rows from 1
// (or 2 when the stall row is hidden) to 3 must not read 0, and row 5 must
// have a pick. `rows` holds the rows as they would be stored (" 2", "-1").
int FirstMissingMatchEntry(const std::array<std::string, kMatchRows>& rows, bool stallShown);
std::string MissingMatchEntryMessage(const std::string& caption);

// What Clear Entries stores in a row: the quarter mile, no gear, no figures.
std::string ClearedMatchEntry(int row);

// The points of a full power curve: those with an RPM and a torque.
int PowerCurvePointCount(const decltype(ProgramTables::PowerCurveText)& curve);

// What the result screen says of a full power curve the Match rewrote. The
// search writes its own estimate over the racer's points (the points and
// their RPMs are the estimate's, the shape too), so it is never a rescaled
// dyno sheet: "replaced by an estimate (8 points)".
std::string PowerCurveReplaced(const decltype(ProgramTables::PowerCurveText)& after);

// After "Keep These New Specs": an example link whose rows the Match changed
// drops as when the racer edits such a row, each by its window's rule: the
// engine (its peak rows or power curve), the clutch or converter (its
// capacity) and the Frame3D1 tires (diameter, tire type, growth; a new
// traction factor keeps a tire example, as in the window). Rows compare as
// numbers, so "28" rewritten as "28.00" changes nothing.
void DropExampleLinksOfChangedRows(const decltype(ProgramTables::SpecText)& before,
                                   const decltype(ProgramTables::PowerCurveText)& curveBefore);

// The box of a Match whose calculated run has too few result rows to work
// with: «The calculated run of this vehicle has only 5 rows of results ...».
std::string TooFewRowsMessage(int rows, double et, double mph);
inline constexpr const char* kTooFewRowsTitle = "Match Not Possible";

// The pick lists' items.
const std::array<std::string, 2>& MatchDistanceItems();
const std::array<std::string, 6>& MatchGearItems();

inline constexpr const char* kMatchCaption = "Match Vehicle Performance";
inline constexpr const char* kMatchTip =
    "Tip:  If you are not sure of 'Finish Engine RPM' or do not want tire diameter changed, just leave it blank or "
    "set it to 0.  The program will not adjust tire growth or diameter to match this RPM.";
inline constexpr const char* kMatchLeftOverNote =
    "Entries in this menu are left over from the last time this menu was used and may not be related to the current "
    "vehicle specs in the other menus.\r\rClick on the Clear Entries button to clear out these entires.";
inline constexpr const char* kMatchClearQuestion = "Do you want clear out all data entries in this menu?";
inline constexpr const char* kMatchClearTitle = "Clear Out Entries";

}  // namespace sw
