// The fixture vehicles of tests/fixtures: complete vehicle files in the
// 3.20 layout (211 spec lines, 30 curve lines, three comment blocks), read
// straight into the shared tables so tests need no vehicle-file reader.
#pragma once

#include <string>

namespace sw::test {

inline constexpr const char* kMuscleCar = "muscle_454_4spd";     // 3400 lb, 454, 4-speed, clutch
inline constexpr const char* kBracketCar = "bracket_406_th400";  // 3200 lb, converter, slicks
inline constexpr const char* kFrontDrive = "fwd_turbo_2l";       // 2900 lb, front drive, 6-speed

// Fills tbl.SpecText 0..210 and tbl.PowerCurveText from the fixture and sets
// fst.CurrentFileName to its name. False when the file is missing or is not
// a 3.20 vehicle file.
bool LoadFixtureVehicle(const std::string& name);

std::string FixturePath(const std::string& name);

}  // namespace sw::test
