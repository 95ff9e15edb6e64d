// The power curve that the engine program Cylvane hands over in
// ENGCURVE.ZKT: its title, the displacement, the weather the curve was
// measured in, then up to 20 points of RPM, torque and HP.
#pragma once

namespace sw {

inline constexpr const char* kHandOverFile = "ENGCURVE.ZKT";

// Reads the hand-over file twice: first for a summary that is checked and
// put to the user (skipped in start mode 2), then to load at most 10 of its
// points, corrected to the standard weather where needed, into the Engine
// specs and PowerCurveText. Outside start mode 2 it also sets StartMode = 1,
// so that the exit hands control back to Cylvane. True when a curve was
// loaded.
bool ImportPowerCurve();

}  // namespace sw
