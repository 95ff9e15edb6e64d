// Definitions of the results and history columns, one line each in the
// shipped file TEXT/OUTHELP.TXT: line c + 1 for results column c (0..10),
// line 12 + k for history column k (0..9).
#pragma once

#include <string>

namespace sw {

// The definition for a clicked column: results columns 0..10, history
// columns 11..20. A file with fewer lines gives its last line. False when the
// file cannot be read (the text then says so).
bool ReadOutputDefinition(int clickedCol, std::string& definition);

// The message for a results cell: its heading, value, and the time, speed and
// distance of that row.
std::string ResultDefinitionMessage(const std::string& heading, const std::string& value, const std::string& time,
                                     const std::string& speed, const std::string& distance,
                                     const std::string& definition);
// The message for a history column.
std::string HistoryDefinitionMessage(const std::string& heading, const std::string& definition);

}  // namespace sw
