// Program-wide values of the results window, its notes and the time slip.
// They live for the whole run of the program, like the shared tables.
#pragma once

#include <cstdint>
#include <string>

namespace sw {

// The paragraphs of the last run's notes, each followed by two CRs; read by
// the Notes button and the analysis report.
extern std::string NotesText;
// Seconds into the run of the 1-2 shift, found by the notes when the tires
// spun; 0 when the last run gave none. Read by the analysis report.
extern double SpinShiftTime;
// The history entry the time slip shows.
extern int16_t SlipRun;
// 0 while the results grid is being refilled, 1 once it is filled: clicks
// on the grid act only at 1.
extern int16_t GridReady;

}  // namespace sw
