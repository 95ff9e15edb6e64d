// The weather rows of the Calculate Performance Conditions window, apart from
// its widgets: what each way of reading the weather calls rows 1 to 4 (and
// which of them it uses), and how the values already entered are carried
// over when the racer changes the way - barometer corrected to sea level,
// observed at the track, or an altimeter reading; relative humidity or dew
// point - asking for the track's elevation when the new way needs one the old
// one did not have.
#pragma once

#include <optional>
#include <string>

#include "specs/row_rules.h"

namespace sw {

// Weather methods (the picks of "Method of Reading Weather Data"):
//   0 corrected barometer, humidity    1 corrected barometer, dew point
//   2 observed barometer, humidity     3 observed barometer, dew point
//   4 altimeter, humidity              5 altimeter, dew point
// A method of -1 (nothing stored) reads the barometer as corrected, and
// row 3 as a dew point, as the calculation does.
bool MethodReadsDewPoint(int method);  // all but 0, 2 and 4

// The limits of a moisture row, which holds a dew point or a relative
// humidity by the method. The row file gives a dew point's (deg F: a cold
// morning's dew point lies below 0); a humidity stays within 0..100 %.
std::optional<RowLimits> MoistureRowLimits(const std::optional<RowLimits>& rowFile, bool dewPoint);

// Caption and help line of a weather row under a method.
struct RowLabel {
  std::string caption;
  std::string help;
};
RowLabel BarometerRowLabel(int method);    // row 1
RowLabel TemperatureRowLabel();            // row 2
RowLabel HumidityRowLabel(int method);     // row 3
RowLabel ElevationRowLabel(int method);    // row 4
// Which of rows 1 and 4 the method reads.
bool MethodUsesBarometer(int method);  // below 4
bool MethodUsesElevation(int method);  // below 2, or 4 and above

// Pressure at the track ("Hg) of a barometer corrected to sea level at an
// elevation (ft), and the altimeter reading (ft) of a pressure at the track.
double ObservedBarometer(double corrected, double elevation);
double AltimeterReading(double observed);
// The corrected barometer whose pressure at the elevation comes nearest the
// observed one, searched from 15 to 40 "Hg in steps of .02 (the lowest of
// equally near ones): 30.05 at 0 ft gives 30.06.
double CorrectedBarometer(double observed, double elevation);

// "Track Elevation": asks until the answer lies within -1000..10000 ft
// (whole feet, the fraction dropped: 500.9 is 500); Cancel answers 0.
int AskTrackElevation();

inline constexpr const char* kElevationTitle = "Track Elevation";
inline constexpr const char* kElevationPrompt = "What is this track's actual elevation in feet above sea level?";
inline constexpr const char* kElevationRefused = "Elevation must be between -1000 and 10000 feet.  Try again.";

// The texts of rows 1 to 4 (barometer, air temperature, humidity or dew
// point, elevation or altimeter).
struct WeatherRows {
  std::string barometer;
  std::string temperature;
  std::string humidity;
  std::string elevation;
};

// Rewrites the rows entered under `oldMethod` in the terms of `newMethod`.
// Texts are read by their leading number (none counts as 0); a barometer
// and elevation the new method does not use stay as they are.
void ConvertWeatherRows(int oldMethod, int newMethod, WeatherRows& rows);

}  // namespace sw
