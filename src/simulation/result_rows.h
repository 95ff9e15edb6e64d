// One row of the results table per event of a run: a distance or speed mark,
// the rollout point, a shift, the finish.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "simulation/tables.h"

namespace sw {

using ResultsTable = decltype(ProgramTables::ResultsText);

// The run's event values: row 0 the previous time step, row 1 the event;
// columns 1..12 in the column order of the results table (0 is not used).
using EventValues = std::array<std::array<double, kResultsCols>, 2>;

// Event kinds: the results column whose value crossed the mark.
inline constexpr int kEventSpeed = 2;     // MPH
inline constexpr int kEventDistance = 4;  // feet
inline constexpr int kEventShift = 6;     // engine RPM

// The last row the counter may reach; a run with more events keeps
// rewriting it and takes it as its finish row.
inline constexpr int kLastResultsRow = 50;
static_assert(kLastResultsRow < kResultsRows, "every row the counter reaches must be in the table");

// Writes row `row` of `resultsText` from event values row 1 and advances
// `row`. A `shiftFlag` not 0 labels the gear cell " 1-2" style and is
// cleared; the rollout event (distance kind at `rolloutDistance`) labels it
// "RO", moves the zero of time and distance of every earlier row to the
// rollout point and sets the event's own time and distance to 0. Fewer than
// 3 samples a second show the distance in miles. A spinning row gets "S"
// after its Gs. Past row 50 the row stays at 50 and `finishRow` becomes 50.
// (The arguments the design lists as not used are left out.)
void BuildResultRow(int16_t& shiftFlag, ResultsTable& resultsText, int& row, EventValues& eventValues,
                    const int& eventKind, const double& eventValue, const double& rolloutDistance,
                    const double& gear, const std::string& finerTimes, const int16_t& wheelSpin, int& finishRow,
                    const int16_t& samplesPerSecond);

inline constexpr int kStepResultRow = 1210;

}  // namespace sw
