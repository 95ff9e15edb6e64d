// The preset list files behind the pick lists of the spec windows and the
// dial-in window: COMBO/CMB<menu>-<row>, one item per line, ended by a line
// "-9999". One reader for the windows and for what names a stored pick
// without a window (the Match result screen).
#pragma once

#include <array>
#include <string>

namespace sw {

inline constexpr int kComboLinesMax = 31;
using ComboLineTable = std::array<std::string, kComboLinesMax>;

// The shared line buffer the pick lists are filled from.
extern ComboLineTable ComboLines;

// Reads the preset list of (menu, spec) into lines(0 .. count). Menu 5 spec 5
// comes from row 4 on a converter car. On a failure shows the designed
// message and leaves lines and count as they were.
void ReadComboData(ComboLineTable& lines, int menu, int spec, int& count);

}  // namespace sw
