// baseplot.ZKT: the comparison run drawn beside the current run on graphs,
// kept from one run of the program to the next. One value per line: the row
// count, then rows 0 .. count + 1 of columns 0..8, row by row, time first.
#pragma once

#include <string>

namespace sw {

// A failure while reading, as the start-up reports it.
inline constexpr const char* kBaseRunFile = "baseplot.ZKT";

struct BaseRunReadError {
  int number = 0;           // 0 = no error
  std::string description;  // the runtime's description of that error
};

// Reads the program folder's baseplot.ZKT into BaseRun/BaseRunRows. A short
// file leaves the remaining cells as they were. Reports the first error only
// (a missing file, a row count outside the table); the reading goes on past
// it, and rows beyond the table are skipped.
BaseRunReadError ReadBaseRunFile();

// Writes BaseRun/BaseRunRows to baseplot.ZKT, replacing the old file only once
// the new one is complete. False when it could not be written; `error` (when
// given) then says why (see WriteErrorText).
bool WriteBaseRunFile(int* error = nullptr);

}  // namespace sw
