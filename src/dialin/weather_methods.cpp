#include "dialin/weather_methods.h"

#include <cmath>

#include "platform/text.h"
#include "platform/ui.h"
#include "simulation/air.h"

namespace sw {

namespace {

bool Empty(const std::string& s) { return Trim(s).empty(); }

std::string BarometerText(double v) { return Format(v, "####.00"); }
std::string ElevationText(double v) { return Format(v, "#####0"); }
std::string AltimeterText(double v) { return Format(v, "######0"); }

// A figure that left the finite numbers (a pressure the formulas cannot
// place) is written as 0 rather than as a NaN the run would read.
double Finite(double v) { return std::isfinite(v) ? v : 0; }

}  // namespace

double TrackPressure(double barometer, double elevation) { return StationPressure(barometer, elevation); }

double AltimeterFeet(double trackPressure) { return PressureAltitudeOf(trackPressure); }

double BarometerForTrackPressure(double target, double elevation) {
  double best = 10000, kept = 15;
  // The step accumulates, as the search has always stepped.
  for (double x = 15; x <= 40; x += 0.02) {
    const double d = std::fabs(TrackPressure(x, elevation) - target);
    if (d < best) {
      best = d;
      kept = x;
    }
  }
  return kept == 15 ? 0 : kept;
}

void ConvertMoisture(WeatherGroupRows& g, int oldMethod, int newMethod) {
  if (Empty(g.temperature) || Empty(g.moisture)) return;
  const double t = Val(g.temperature), m = Val(g.moisture);
  // Rows entered before any method was chosen are dew points: so they are
  // captioned, and so the run reads them.
  const bool dewBefore = !MethodTakesHumidity(oldMethod), dewAfter = !MethodTakesHumidity(newMethod);
  if (dewBefore && !dewAfter) {
    double rh = 0;
    HumidityFromDewPoint(t, m, rh);
    g.moisture = Format(rh, "###.0");
  } else if (!dewBefore && dewAfter) {
    // Bone-dry air (0 %) has the driest dew point the vapour formula knows.
    double dew = kDriestDewPoint;
    DewPointFromHumidity(t, m, dew);
    g.moisture = Format(dew, "###.0");
  }
}

void ConvertPressure(WeatherGroupRows& g, int oldMethod, int newMethod, int runElevation) {
  const double b = Val(g.barometer), e = Val(g.elevation);
  const bool baroEmpty = Empty(g.barometer), elevEmpty = Empty(g.elevation);
  if (CorrectedBarometer(oldMethod)) {
    if (AltimeterMethod(newMethod)) {
      g.elevation = baroEmpty ? "" : AltimeterText(Finite(AltimeterFeet(TrackPressure(b, e))));
    } else if (ObservedBarometer(newMethod) && !baroEmpty) {
      g.elevation = "0";
      g.barometer = BarometerText(Finite(TrackPressure(b, e)));
    }
  } else if (AltimeterMethod(oldMethod)) {
    if (elevEmpty) return;  // no altimeter reading to convert
    if (CorrectedBarometer(newMethod)) {
      g.barometer = BarometerText(BarometerForTrackPressure(TrackPressure(29.92, e), runElevation));
      g.elevation = ElevationText(runElevation);
    } else if (ObservedBarometer(newMethod)) {
      g.barometer = BarometerText(Finite(TrackPressure(29.92, e)));
      g.elevation = "0";
    }
  } else {
    if (baroEmpty) return;  // no observed barometer to convert
    if (CorrectedBarometer(newMethod)) {
      g.barometer = BarometerText(BarometerForTrackPressure(b, runElevation));
      g.elevation = ElevationText(runElevation);
    } else if (AltimeterMethod(newMethod)) {
      g.elevation = AltimeterText(Finite(AltimeterFeet(b)));
    }
  }
}

bool AskRunElevations(std::array<int, 4>& runElevation) {
  const std::string cr(1, CR);
  for (int k = 1; k <= 3; ++k) {
    for (;;) {
      const std::string prompt = "What is this track's actual elevation in feet above sea level for:" + cr + cr +
                                 "  Run # " + Format(k, "#") + " ?" + cr + cr +
                                 "This information is required to accurately convert Observed Barometer into "
                                 "Barometer corrected to sea level.";
      InputAnswer a = InputBox(prompt, "Track Elevation", "0");
      if (a.text.empty()) return false;
      const double v = Int(Val(a.text));
      if (v > 10000 || v < -1000) {
        MsgBox("Elevation must be between -1000 and 10000 feet.  Try again.", mb::OKOnly, "");
        continue;
      }
      runElevation[k] = static_cast<int>(v);
      break;
    }
  }
  return true;
}

std::string WeatherRowCaption(int row, int method) {
  switch (row) {
    case 0:
      if (AltimeterMethod(method)) return "Barometer, \"Hg";
      if (ObservedBarometer(method)) return "Obs. Baro., \"Hg";
      return "Corr. Baro., \"Hg";
    case 1: return "Air Temp, deg F";
    case 2: return MethodTakesHumidity(method) ? "Rel Hum, %" : "Dew Point, deg F";
    case 3: return AltimeterMethod(method) ? "Altimeter, feet" : "Elevation, feet";
    default: return "";
  }
}

std::string WeatherRowHelp(int row, int method) {
  switch (row) {
    case 0:
      if (AltimeterMethod(method)) return "Barometer reading in inches of mercury.   p 50";
      if (ObservedBarometer(method))
        return "Observed barometer reading in inches of mercury, as read directly off a barometer instrument (not "
               "corrected to sea level for elevation).   p 51";
      return "Barometer reading in inches of mercury, CORRECTED to sea level for elevation.   p 50";
    case 1: return "Outside air temperature in degrees F.  p 51";
    case 2:
      if (!MethodTakesHumidity(method))
        return "Dew Point in degrees F is always lower than Air Temperature and describes the amount of moisture in "
               "the air.  p 51";
      return "Relative Humidity in % for the current air temperature describes the amount of moisture in the air.  "
             "p 51";
    case 3:
      if (AltimeterMethod(method))
        return "Altimeter reading in feet. Altimeter should be corrected to 29.92'' at 0 elevation.   p 52";
      return "Elevation of the track in feet above sea level.   p 52";
    default: return "";
  }
}

}  // namespace sw
