#include "specs/conditions_rules.h"

#include <algorithm>
#include <cmath>

#include "platform/text.h"
#include "platform/ui.h"
#include "simulation/air.h"

namespace sw {

namespace {

// How a method reads the barometer row: 0 corrected to sea level with the
// elevation, 2 observed at the track, 4 an altimeter reading instead.
int BarometerKind(int method) {
  if (method >= 4) return 4;
  if (method >= 2) return 2;
  return 0;
}

}  // namespace

std::optional<RowLimits> MoistureRowLimits(const std::optional<RowLimits>& rowFile, bool dewPoint) {
  if (!rowFile || dewPoint) return rowFile;
  return RowLimits{std::min(rowFile->maximum, 100.0f), std::max(rowFile->minimum, 0.0f)};
}

// Only the humidity methods read a relative humidity: the calculation takes
// any other row 3, that of no method included, as a dew point.
bool MethodReadsDewPoint(int method) { return !(method == 0 || method == 2 || method == 4); }
bool MethodUsesBarometer(int method) { return method < 4; }
bool MethodUsesElevation(int method) { return method < 2 || method >= 4; }

RowLabel BarometerRowLabel(int method) {
  switch (BarometerKind(method)) {
    case 4:
      return {"Barometer, \"Hg", "Barometer reading in inches of mercury.   p 50"};
    case 2:
      return {"Obs. Barometer, \"Hg",
              "Observed barometer reading in inches of mercury, as read directly off a barometer instrument (not "
              "corrected to sea level for elevation).   p 51"};
    default:
      return {"Corr. Barometer, \"Hg",
              "Barometer reading in inches of mercury, CORRECTED to sea level for elevation.   p 50"};
  }
}

RowLabel TemperatureRowLabel() { return {"Air Temperature, deg F", "Outside air temperature in degrees F.  p 51"}; }

RowLabel HumidityRowLabel(int method) {
  if (!MethodReadsDewPoint(method))
    return {"Relative Humidity, %",
            "Relative Humidity in % for the current air temperature describes the amount of moisture in the air.  "
            "p 51"};
  return {"Dew Point, deg F",
          "Dew Point in degrees F is always lower than Air Temperature and describes the amount of moisture in the "
          "air.  p 51"};
}

RowLabel ElevationRowLabel(int method) {
  if (method >= 4)
    return {"Altimeter, feet",
            "Altimeter reading in feet. Altimeter should be corrected to 29.92'' at 0 elevation.   p 52"};
  return {"Elevation, feet", "Elevation of the track in feet above sea level.   p 50"};
}

double ObservedBarometer(double corrected, double elevation) { return StationPressure(corrected, elevation); }

double AltimeterReading(double observed) { return PressureAltitudeOf(observed); }

double CorrectedBarometer(double observed, double elevation) {
  double best = 10000;
  double corrected = 0;
  // The step accumulates as a double: the barometers it finds are those of
  // the search as it always ran.
  for (double p = 15; p <= 40; p += 0.02) {
    const double d = std::fabs(ObservedBarometer(p, elevation) - observed);
    if (d < best) {
      corrected = p;
      best = d;
    }
  }
  return corrected;
}

int AskTrackElevation() {
  for (;;) {
    InputAnswer a = InputBox(kElevationPrompt, kElevationTitle, "0");
    const double h = Int(Val(a.text));
    if (h <= 10000 && h >= -1000) return static_cast<int>(h);
    MsgBox(kElevationRefused, mb::OKOnly, "");
  }
}

void ConvertWeatherRows(int oldMethod, int newMethod, WeatherRows& rows) {
  // Humidity and dew point.
  const double t = Val(rows.temperature);
  const double third = Val(rows.humidity);
  if (!MethodReadsDewPoint(oldMethod) && MethodReadsDewPoint(newMethod)) {
    double dewPoint = 0;
    DewPointFromHumidity(t, third, dewPoint);
    rows.humidity = Format(dewPoint, "###.0");
  } else if (MethodReadsDewPoint(oldMethod) && !MethodReadsDewPoint(newMethod)) {
    double humidity = 0;
    HumidityFromDewPoint(t, third, humidity);
    rows.humidity = Format(humidity, "###.0");
  }

  // Barometer and elevation.
  const int from = BarometerKind(oldMethod), to = BarometerKind(newMethod);
  if (from == to) return;
  const double b = Val(rows.barometer), h = Val(rows.elevation);
  auto corrected = [&rows](double observed) {
    const int elevation = AskTrackElevation();
    rows.barometer = Format(CorrectedBarometer(observed, elevation), "####.00");
    rows.elevation = Format(elevation, "#####0");
  };
  if (from == 0) {
    const double observed = ObservedBarometer(b, h);
    if (to == 2) {
      rows.barometer = Format(observed, "####.00");
      rows.elevation = "0";
    } else {
      rows.elevation = Format(AltimeterReading(observed), "######0");
    }
  } else if (from == 2) {
    if (to == 0) corrected(b);
    else rows.elevation = Format(AltimeterReading(b), "######0");
  } else {
    const double observed = ObservedBarometer(29.92, h);
    if (to == 0) {
      corrected(observed);
    } else {
      rows.barometer = Format(observed, "####.00");
      rows.elevation = "0";
    }
  }
}

}  // namespace sw
