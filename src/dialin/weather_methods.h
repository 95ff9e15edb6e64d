// The dial-in window's weather methods: how the air pressure and the moisture
// of a run are read (corrected barometer, observed barometer or altimeter;
// relative humidity or dew point), the captions and help lines each method
// gives the weather rows, and the conversion of a run's entries when the
// racer changes the method. Plain texts and numbers; no widgets.
#pragma once

#include <array>
#include <string>

namespace sw {

// The weather method is the choice (0-5) of the window's row 18; -1 for no
// choice, which every test below sends where its number goes: a moisture
// that is no humidity is a dew point.
inline bool MethodTakesHumidity(int method) { return method == 0 || method == 2 || method == 4; }
inline bool CorrectedBarometer(int method) { return method < 2; }
inline bool ObservedBarometer(int method) { return method == 2 || method == 3; }
inline bool AltimeterMethod(int method) { return method > 3; }

// Rows b .. b+3 of one run's weather group as the boxes hold them: pressure
// (barometer), air temperature, moisture (humidity or dew point), elevation
// (or altimeter reading).
struct WeatherGroupRows {
  std::string barometer, temperature, moisture, elevation;
};

// Track pressure ("Hg) from a sea-level barometer at an elevation.
double TrackPressure(double barometer, double elevation);
// The altimeter reading (ft) of a track pressure.
double AltimeterFeet(double trackPressure);
// The sea-level barometer (15 to 40 "Hg, in steps of .02) whose track
// pressure at `elevation` comes nearest `target`; 0 when only the bottom of
// the range comes nearest.
double BarometerForTrackPressure(double target, double elevation);

// Moisture of a group from the old method's quantity to the new one's; only
// when temperature and moisture both hold text. No method (-1) reads the
// moisture as a dew point, as the row is captioned and the run reads it.
void ConvertMoisture(WeatherGroupRows& g, int oldMethod, int newMethod);
// Pressure and elevation of a group; `runElevation` is the track elevation
// the racer gave for the run (read only on the way to a corrected barometer).
// A group whose source pressure is empty keeps its rows (a corrected
// barometer going to an altimeter empties the altimeter row).
void ConvertPressure(WeatherGroupRows& g, int oldMethod, int newMethod, int runElevation);

// The track elevation of each run (1 Run 1, 2 Run 2, 3 Predicted), asked in
// that order with "Track Elevation" input boxes; each must lie within -1000
// to 10000 ft or is asked again. False when the racer cancels (or leaves a
// box empty): the elevations given so far stay in `runElevation`.
bool AskRunElevations(std::array<int, 4>& runElevation);

// Caption and help line of weather row 0 (pressure), 1 (temperature),
// 2 (moisture) or 3 (elevation) for a method.
std::string WeatherRowCaption(int row, int method);
std::string WeatherRowHelp(int row, int method);

}  // namespace sw
