#include "simulation/air.h"

#include <algorithm>
#include <cmath>

#include "platform/text.h"
#include "platform/window_host.h"
#include "simulation/tables.h"

namespace sw {
namespace {

struct Weather {
  double barometer = 0;    // B, "Hg
  double temperature = 0;  // T, deg F
  double third = 0;        // W: humidity % or dew point deg F, by method
  double elevation = 0;    // E, ft
  int method = 0;          // M
};

struct Reference {
  double barometer, temperature, dewPoint;
};

// Standard dyno (29.92 "Hg, 60 deg F, dry) or SAE (29.6 "Hg, 77 deg F).
// A handed-over curve is always stated for the standard dyno.
Reference ReferenceConditions() {
  if (tbl.CalcMode == -1 || Val(tbl.SpecText[6]) == 0) return {29.92, 60, 0};
  return {29.6, 77, 49};
}

double Finite(double v, double fallback) { return std::isfinite(v) ? v : fallback; }

// The dial-in window holds three weather columns: run 1, the predicted run
// and run 2, chosen by the pass.
int DialInWeatherRow() {
  if (tbl.CalcPass == 1) return 0;
  if (tbl.CalcPass == 2) return 9;
  return 20;
}

Weather ReadWeather() {
  Weather w;
  if (tbl.CalcMode == -1) {
    w.barometer = Val(tbl.ExchangeCond1);
    w.temperature = Val(tbl.ExchangeCond2);
    w.third = Val(tbl.ExchangeCond3);
    w.elevation = Val(tbl.ExchangeCond4);
  } else if (tbl.CalcMode == 1 || tbl.CalcMode == 2) {
    const int r = DialInWeatherRow();
    const WindowHost& win = Windows();
    w.barometer = Val(win.DialInRowText(r));
    w.temperature = Val(win.DialInRowText(r + 1));
    w.third = Val(win.DialInRowText(r + 2));
    w.elevation = Val(win.DialInRowText(r + 3));
    w.method = win.DialInListIndex(18);
  } else {
    w.barometer = Val(tbl.SpecText[98]);
    w.temperature = Val(tbl.SpecText[99]);
    w.third = Val(tbl.SpecText[100]);
    w.elevation = Val(tbl.SpecText[101]);
    w.method = CInt(Val(tbl.SpecText[97]));
  }
  return w;
}

// Density altitude of air at station pressure P whose temperature, corrected
// for the water vapour share `vapourShare` of the pressure, is tK / (1 - share).
// 0 where the figure cannot be formed (no pressure, vapour beyond the air).
double DensityAltitudeOf(double p, double tK, double vapourShare) {
  if (!(p > 0)) return 0;
  const double denom = 1 - vapourShare;
  if (!(denom > 0)) return 0;
  const double tv = tK / denom;
  const double base = 0.28424 * 33.87 * p / tv;
  if (!(base > 0)) return 0;
  return Finite(145366 * (1 - std::pow(base, 0.235)) - 15, 0);
}

}  // namespace

double StationPressure(double barometer, double elevation) {
  const double z = 0.0354 * elevation - 0.004296 * elevation;
  const double denom = 1 + 0.000704 * z;
  if (denom == 0) return 0;
  return Finite((barometer - 0.0141 * z) / denom, 0);
}

// Powers are taken before the products they stand in, as the formulas are
// written (d^4 is one power, not (d x d) x (d x d)): the figures then agree
// to the last digit with any calculation that reads the formulas the same way.
double VapourPressure(double dewPoint) {
  // Below its minimum the polynomial rises again (past any barometer for
  // very dry air): drier air than that counts as the minimum.
  const double d = std::max(dewPoint, kDriestDewPoint) / 100;
  return 0.0365 + 0.21244 * d + 0.60233 * (d * d) + 1.07668 * std::pow(d, 4);
}

double SaturationPressure(double temperature) {
  const double t = temperature;
  return std::exp(-3.05673 + 0.0442591 * t - 7.048e-5 * (t * t));
}

double PressureAltitudeOf(double stationPressure) {
  const double p = stationPressure;
  const double denom = 0.0000219 * p + 0.0004386;
  if (denom == 0) return 0;
  return Finite((29.92 - p) / denom, 0);
}

// Dew point (deg F) of a vapour pressure e ("Hg), before rounding.
double DewPointOfVapour(double e) {
  const double e2 = e * e, e3 = std::pow(e, 3), e4 = std::pow(e, 4);
  return 61.036 + 58.333 * e2 - 43.378 * e3 + 9.885 * e4 + 0.25274 / e2 - 0.00012321 / e4 - 6.7289 / e;
}

void DewPointFromHumidity(const double& temperature, const double& humidity, double& dewPoint) {
  const double h = humidity;
  if (h == 0) return;
  const double e = SaturationPressure(temperature) * h / 100;
  if (!std::isfinite(e)) return;
  // The fit falls away without bound as the vapour pressure goes to 0 (35
  // deg F at 10 % would be -381.5 deg F): it never gives a dew point below
  // the one where the vapour polynomial has its minimum.
  double d = e == 0 ? kDriestDewPoint : DewPointOfVapour(e);
  if (!(d >= kDriestDewPoint)) d = kDriestDewPoint;
  const double rounded = Int(10 * d + 0.7) / 10;
  if (std::isfinite(rounded)) dewPoint = rounded;
}

void HumidityFromDewPoint(const double& temperature, const double& dewPoint, double& humidity) {
  const double t = temperature;
  const double d = dewPoint;
  if (d == 0 && t == 0) {
    humidity = 0;
    return;
  }
  double bestE = 0;
  double bestDistance = 100;
  // The step accumulates as a double, as the search always has: the pass
  // near 2 depends on its rounding.
  for (double e = 0.05; e <= 2; e += 0.025) {
    const double distance = std::fabs(DewPointOfVapour(e) - d);
    if (distance < bestDistance) {
      bestDistance = distance;
      bestE = e;
    }
  }
  double h = 100 * bestE / SaturationPressure(t);
  if (std::isnan(h)) h = 0;
  if (h < 0) h = 0;
  if (h > 100) h = 100;
  humidity = h;
}

void CalcAirConditions(double& powerCorrection, double& airDensity) {
  // Reference air, by the same formulas as the run's air below.
  const Reference ref = ReferenceConditions();
  const double p0 = StationPressure(ref.barometer, 0);
  const double v0 = VapourPressure(ref.dewPoint);
  const double pd0 = p0 - v0;
  const double referenceDensity = p0 / (0.754 * (ref.temperature + 460)) * (1 - 0.378 * v0 / p0);
  double density = referenceDensity;

  // The run's weather, read the way the weather method says.
  Weather w = ReadWeather();
  const double t = w.temperature;
  double e = w.elevation;
  double b = w.barometer;
  // A humidity of 0 leaves the dew point where it was: the reference's for a
  // normal run, 0 for the dial-in window's runs.
  double dewPoint = (tbl.CalcMode == 1 || tbl.CalcMode == 2) ? 0 : ref.dewPoint;
  if (tbl.CalcMode == -1) {
    dewPoint = w.third;  // a handed-over curve always brings its dew point
  } else {
    const int m = w.method;
    if (m == 0 || m == 2 || m == 4)
      DewPointFromHumidity(t, w.third, dewPoint);
    else
      dewPoint = w.third;
    if (m > 3)
      b = 29.92;  // "barometer" methods that read only temperature and humidity
    else if (m == 2 || m == 3)
      e = 0;  // the barometer is already the pressure at the track
  }

  const double p = StationPressure(b, e);
  const double v = VapourPressure(dewPoint);
  const double pd = p - v;

  // An absolute temperature of zero or below is no weather at all: the run
  // then gets the floor correction and the reference air instead of a NaN.
  const bool airExists = p > 0 && t + 460 > 0 && std::isfinite(v);
  if (airExists) density = Finite(p / (0.754 * (t + 460)) * (1 - 0.378 * v / p), referenceDensity);

  double correction = 0.1;
  if (t + 460 > 0) {
    const double ratio = pd / pd0;
    correction = ratio * std::sqrt((ref.temperature + 460) / (t + 460));
    correction = correction * 1.176;
    correction = correction - 0.176;
    correction = Finite(correction, 0.1);
  }
  tbl.PressureAltitude = PressureAltitudeOf(p);
  if (correction < 0.1) correction = 0.1;

  if (airExists) {
    const double tK = 5.0 / 9.0 * (t + 460);
    tbl.DensityAltitude = DensityAltitudeOf(p, tK, 0.378 * (p - pd) / p);
    tbl.DryDensityAltitude = DensityAltitudeOf(p, tK, (p - pd) / p);
  } else {
    tbl.DensityAltitude = 0;
    tbl.DryDensityAltitude = 0;
  }

  powerCorrection = correction;
  airDensity = density;
}

}  // namespace sw
