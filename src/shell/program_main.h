// The entry procedure: how the program was started decides what shows.
#pragma once

#include <string>
#include <vector>

namespace sw {

// Reads "/E" and "/M" into StartMode; in start modes 0 and 1 shows the
// splash and the hourglass, then the main window; in start mode 2 runs the
// unattended calculation, with no window, and ends the program.
void Main(const std::vector<std::string>& arguments);

}  // namespace sw
