// Tire figures of the driven wheels from the vehicle's weight, drive wheels
// and tires: the tire type code, the driven tread width, the peak traction
// coefficient (before the user's traction factor) and the rolling-resistance
// coefficient. Reads the Body & Axle and Wheels & Tires specs of `tbl`.
#pragma once

#include <cstdint>

namespace sw {

void VehicleLoadSpecs(int16_t& TireCode, double& Tread, double& Traction, const double& PeakPower,
                      double& Rolling);

inline constexpr int kStepTireCode = 920;
inline constexpr int kStepTraction = 921;

}  // namespace sw
