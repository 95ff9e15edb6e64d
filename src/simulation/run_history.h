// The history of the last 25 runs: after a normal run the history moves one
// place down, the new run goes into slot 0 with its own history-copy letter,
// and the specs of the run are stored as that history copy.
#pragma once

#include <string>

#include "simulation/result_rows.h"

namespace sw {

// Moves slots 0..23 one place down (slot 24 is dropped, slot 25 is never
// written), fills slot 0 from the results rows 0..finishRow and writes the
// history copy. `sixtyText` is the 60 ft time already formatted.
void RecordHistory(const ResultsTable& resultsText, int finishRow, double finishMph, double trackLength,
                   const std::string& sixtyText);

// The letter after `previous` (the newest kept run's): A for none, then
// B .. Y and back to A, so that each of the 25 kept runs has its own.
std::string NextHistoryLetter(const std::string& previous);

}  // namespace sw
