// The five lines of the main window's "Vehicle Summary": engine; clutch or
// converter and transmission; weight, axle and body; wheels and tires; launch
// and shifts. Building them also turns example components that the user has
// since edited back into user-defined ones.
#pragma once

#include <array>
#include <string>

namespace sw {

// Reads SpecText (rewriting the slots the summary owns) and sets
// shell.SummaryConverter. Each line holds one line break ("\n"); a doubled
// ampersand stands for one, as a label shows it.
std::array<std::string, 5> VehicleSummaryLines();

// The text a label shows for a caption written with doubled ampersands.
std::string LabelText(const std::string& caption);

}  // namespace sw
