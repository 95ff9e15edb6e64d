// LapDtOut.txt in the program folder: the eleven lines the sibling engine
// program reads after an unattended calculation (start mode 2).
#pragma once

#include <array>
#include <string>

namespace sw {

inline constexpr int kLapDataLines = 11;
inline constexpr const char* kLapDataFileName = "LapDtOut.txt";

// Writes the eleven lines, each ended with CR LF, replacing the file
// atomically (a line may itself hold CRs: the collected messages). False when
// the file could not be written; the old file is then untouched.
bool WriteLapDataFile(const std::array<std::string, kLapDataLines>& lines);

}  // namespace sw
