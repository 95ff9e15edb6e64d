// The time slip of one history run, laid out like the slip from the tower,
// and where its window goes the first time it opens.
#pragma once

#include <string>

namespace sw {

// The slip of history entry e as the window shows it; lines end in CR LF.
std::string TimeSlipText(int e);

// When the window has never been placed (both position values 0) and the
// screen is wider than 11000 twips, the designed first position.
void PlaceTimeSlipFirstTime(double screenWidthTwips);

}  // namespace sw
