// The weather of a run: the factor by which the engine's power is scaled, the
// air density for the aerodynamic drag, and the altitude figures shown to the
// racer. The engine's power curve is stated for reference weather (standard
// dyno or SAE); everything here is in inches of mercury, degrees F and ft.
#pragma once

namespace sw {

// Reads the weather of the run (Conditions specs, the dial-in window's rows in
// dial-in and throttle-stop work, or the handed-over curve's weather while an
// imported curve is corrected) and writes `powerCorrection` (at least 0.1)
// and `airDensity` (lb per cubic ft), and tbl.PressureAltitude,
// tbl.DensityAltitude and tbl.DryDensityAltitude. Never fails: a barometer
// of 0 gives the 0.1 floor, the reference density and altitudes of 0.
void CalcAirConditions(double& powerCorrection, double& airDensity);

// The dew point (deg F) at which the vapour polynomial has its minimum
// (0.0186 "Hg): the root of 0.21244 + 1.20466 d + 4.30672 d^3 with d = D / 100.
// Drier air counts as this dew point wherever the polynomial is evaluated.
inline constexpr double kDriestDewPoint = -16.133538929243263;

// Dew point (deg F, to a tenth) from the air temperature and the relative
// humidity in %, never below kDriestDewPoint (-16.1 once rounded). A
// humidity of 0 leaves `dewPoint` as it was.
void DewPointFromHumidity(const double& temperature, const double& humidity, double& dewPoint);

// Relative humidity in %, within 0..100, from the air temperature and the
// dew point; found by stepping the vapour pressure. 0 when both are 0.
void HumidityFromDewPoint(const double& temperature, const double& dewPoint, double& humidity);

// Shared with the weather windows.
// Pressure at the track from the corrected barometer and the elevation.
double StationPressure(double barometer, double elevation);
// Vapour pressure ("Hg) at a dew point.
double VapourPressure(double dewPoint);
// Saturation vapour pressure ("Hg) at an air temperature.
double SaturationPressure(double temperature);
// Dew point (deg F) of a vapour pressure ("Hg); the humidity calculators use
// it directly. Not finite for a pressure of 0.
double DewPointOfVapour(double vapourPressure);
// Pressure altitude (ft) of a station pressure; the weather windows show it.
double PressureAltitudeOf(double stationPressure);

}  // namespace sw
