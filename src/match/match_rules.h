// What the Match window decides without its widgets: which rows it shows,
// which entries OK needs, what Clear Entries leaves, and its texts.
#pragma once

#include <array>
#include <string>

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
