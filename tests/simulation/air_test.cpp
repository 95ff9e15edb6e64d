#include "simulation/air.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>

#include "platform/window_host.h"
#include "simulation/tables.h"

namespace sw {
namespace {

// The dial-in window's weather rows as a racer typed them.
class DialInRows : public WindowHost {
 public:
  std::map<int, std::string> rows;
  int method = 0;
  bool DialInLoaded() const override { return true; }
  std::string DialInRowText(int row) const override {
    auto it = rows.find(row);
    return it == rows.end() ? "" : it->second;
  }
  int DialInListIndex(int row) const override { return row == 18 ? method : 0; }
};

class ScopedWindows {
 public:
  explicit ScopedWindows(WindowHost* host) { SetWindows(host); }
  ~ScopedWindows() { SetWindows(nullptr); }
};

struct Air {
  double correction = 0, density = 0;
};

// Conditions specs: method, barometer, temperature, humidity or dew point, elevation.
Air Conditions(const std::string& method, const std::string& baro, const std::string& temp, const std::string& third,
               const std::string& elev, const std::string& corrFactor = "0") {
  tbl.SpecText[6] = corrFactor;
  tbl.SpecText[97] = method;
  tbl.SpecText[98] = baro;
  tbl.SpecText[99] = temp;
  tbl.SpecText[100] = third;
  tbl.SpecText[101] = elev;
  Air a;
  CalcAirConditions(a.correction, a.density);
  return a;
}

bool Finite(const Air& a) {
  return std::isfinite(a.correction) && std::isfinite(a.density) && std::isfinite(tbl.PressureAltitude) &&
         std::isfinite(tbl.DensityAltitude) && std::isfinite(tbl.DryDensityAltitude);
}

class AirTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetTables(); }
};

TEST_F(AirTest, ReferenceCaseIsExactlyTheReference) {
  Air a = Conditions("1", "29.92", "60", "0", "0");
  // 1.176 - 0.176 in double arithmetic: 1.0 within one unit of the last place.
  EXPECT_LE(std::fabs(a.correction - 1.0), std::nextafter(1.0, 2.0) - 1.0);
  EXPECT_DOUBLE_EQ(a.density, 29.92 / (0.754 * 520) * (1 - 0.378 * 0.0365 / 29.92));
  EXPECT_DOUBLE_EQ(tbl.PressureAltitude, 0);

  // The SAE reference against itself.
  a = Conditions("1", "29.6", "77", "49", "0", "1");
  EXPECT_NEAR(a.correction, 1.0, 1e-15);
}

TEST_F(AirTest, WeatherScienceChecks) {
  // Standard day at sea level: density altitude about 0 ft.
  Conditions("1", "29.92", "59", "0", "0");
  EXPECT_NEAR(tbl.DensityAltitude, 34.797, 0.001);
  EXPECT_LT(std::fabs(tbl.DensityAltitude), 100);

  // 90 deg F, dry, sea level. Published calculators give about +1,900 to
  // +1,990 ft; the program's formula, with its vapour floor and offset, gives
  // 2,002.5 ft, and that is what racers' old run records hold.
  Air hot = Conditions("1", "29.92", "90", "0", "0");
  EXPECT_NEAR(tbl.DensityAltitude, 2002.505, 0.001);
  EXPECT_NEAR(tbl.DryDensityAltitude, 2028.085, 0.001);
  EXPECT_NEAR(hot.correction, 0.967478, 1e-6);

  // 5,000 ft on a standard day: the standard atmosphere has 24.90 "Hg; the
  // program's station-pressure formula gives 24.991 "Hg.
  EXPECT_NEAR(StationPressure(29.92, 5000), 24.991001, 1e-6);
  Air high = Conditions("1", "29.92", "59", "0", "5000");
  EXPECT_NEAR(tbl.PressureAltitude, 4999.48, 0.01);
  EXPECT_NEAR(tbl.DensityAltitude, 6056.83, 0.01);
  EXPECT_NEAR(high.correction, 0.806976, 1e-6);

  // Directions a racer knows: heat, altitude and humidity all cost power.
  Air cool = Conditions("1", "29.92", "59", "0", "0");
  EXPECT_LT(hot.correction, cool.correction);
  EXPECT_LT(hot.density, cool.density);
  EXPECT_LT(high.correction, cool.correction);
  Air humid = Conditions("1", "29.92", "59", "55", "0");
  EXPECT_LT(humid.correction, cool.correction);
  EXPECT_GT(tbl.DensityAltitude, 34.797);
}

TEST_F(AirTest, PowersAreTakenBeforeTheirProducts) {
  // d^4 is one power and 7.048e-5 x T^2 multiplies the square: written as
  // repeated products the last digit differs for these figures, and a run
  // checked against an independent calculation must agree to it.
  const double d = 16.1 / 100;
  const double v = 0.0365 + 0.21244 * d + 0.60233 * std::pow(d, 2) + 1.07668 * std::pow(d, 4);
  ASSERT_NE(v, 0.0365 + 0.21244 * d + 0.60233 * (d * d) + 1.07668 * (d * d) * (d * d));
  EXPECT_EQ(VapourPressure(16.1), v);
  const double ps = std::exp(-3.05673 + 0.0442591 * 21 - 7.048e-5 * std::pow(21.0, 2));
  ASSERT_NE(ps, std::exp(-3.05673 + 0.0442591 * 21 - 7.048e-5 * 21 * 21));
  EXPECT_EQ(SaturationPressure(21), ps);

  Air a = Conditions("1", "29.92", "75", "16.1", "0");
  const double pd = 29.92 - v, pd0 = 29.92 - 0.0365;
  EXPECT_EQ(a.correction, (pd / pd0) * std::sqrt(520.0 / 535.0) * 1.176 - 0.176);
  EXPECT_EQ(a.density, 29.92 / (0.754 * 535) * (1 - 0.378 * v / 29.92));
}

TEST_F(AirTest, CorrectionHasAFloorOfOneTenth) {
  // A barometer of 5.8 "Hg computes to about 0.05.
  const double pd = 5.8 - 0.0365, pd0 = 29.92 - 0.0365;
  ASSERT_NEAR(1.176 * pd / pd0 - 0.176, 0.0508, 0.0001);
  Air a = Conditions("1", "5.8", "60", "0", "0");
  EXPECT_EQ(a.correction, 0.1);
}

TEST_F(AirTest, NoPressureGivesFloorReferenceDensityAndNoAltitudes) {
  const double reference = 29.92 / (0.754 * 520) * (1 - 0.378 * 0.0365 / 29.92);
  for (const char* baro : {"0", "", "abc", "-3"}) {
    tbl.DensityAltitude = 999;
    tbl.DryDensityAltitude = 999;
    Air a = Conditions("1", baro, "75", "40", "0");
    EXPECT_EQ(a.correction, 0.1) << baro;
    EXPECT_DOUBLE_EQ(a.density, reference) << baro;
    EXPECT_EQ(tbl.DensityAltitude, 0) << baro;
    EXPECT_EQ(tbl.DryDensityAltitude, 0) << baro;
    EXPECT_TRUE(Finite(a)) << baro;
  }
  // An elevation so high the station pressure falls below 0 is the same case.
  Air a = Conditions("1", "29.92", "60", "0", "80000");
  EXPECT_EQ(a.correction, 0.1);
  EXPECT_EQ(tbl.DensityAltitude, 0);
}

TEST_F(AirTest, WeatherMethods) {
  // Method 5 replaces the barometer by 29.92 and keeps the elevation.
  Air m5 = Conditions("5", "28.5", "70", "50", "1000");
  Air dew = Conditions("1", "29.92", "70", "50", "1000");
  EXPECT_EQ(m5.correction, dew.correction);  // method 5 reads a dew point
  // Method 4 too, but it reads a humidity.
  Air m4 = Conditions("4", "28.5", "70", "50", "1000");
  Air rh4 = Conditions("1", "29.92", "70", "50.6", "1000");
  EXPECT_EQ(m4.correction, rh4.correction);
  // Method 3 ignores the elevation: the barometer is the track's pressure.
  Air m3 = Conditions("3", "28.0", "70", "50", "5000");
  Air sea = Conditions("1", "28.0", "70", "50", "0");
  EXPECT_EQ(m3.correction, sea.correction);
  EXPECT_EQ(m3.density, sea.density);
  // Methods 0, 2 and 4 read a humidity: 70 deg F and 50 % is a 50.6 deg F dew point.
  Air rh = Conditions("0", "29.5", "70", "50", "0");
  Air dp = Conditions("1", "29.5", "70", "50.6", "0");
  EXPECT_EQ(rh.correction, dp.correction);
  Air m2 = Conditions("2", "29.5", "70", "50", "3000");
  EXPECT_EQ(m2.correction, dp.correction);
}

TEST_F(AirTest, HumidityOfZeroKeepsTheReferenceDewPoint) {
  // SAE reference: dew point 49 stays when the humidity is 0 ...
  Air none = Conditions("0", "29.6", "77", "0", "0", "1");
  Air dew49 = Conditions("1", "29.6", "77", "49", "0", "1");
  EXPECT_EQ(none.correction, dew49.correction);
  // ... and with the standard dyno reference it is 0.
  Air none0 = Conditions("0", "29.6", "77", "0", "0", "0");
  Air dew0 = Conditions("1", "29.6", "77", "0", "0", "0");
  EXPECT_EQ(none0.correction, dew0.correction);

  // In dial-in work the same entry gives a dew point of 0.
  DialInRows host;
  ScopedWindows scoped(&host);
  host.rows = {{0, "29.6"}, {1, "77"}, {2, "0"}, {3, "0"}};
  host.method = 0;
  tbl.SpecText[6] = "1";
  tbl.CalcMode = 1;
  tbl.CalcPass = 1;
  Air dialIn;
  CalcAirConditions(dialIn.correction, dialIn.density);
  tbl.CalcMode = 0;
  Air dewZero = Conditions("1", "29.6", "77", "0", "0", "1");
  EXPECT_EQ(dialIn.correction, dewZero.correction);
  EXPECT_NE(dialIn.correction, dew49.correction);
}

TEST_F(AirTest, DialInColumnsByPass) {
  DialInRows host;
  ScopedWindows scoped(&host);
  host.rows = {{0, "29.0"}, {1, "60"}, {2, "30"}, {3, "0"},      // run 1
               {9, "29.5"}, {10, "80"}, {11, "40"}, {12, "0"},   // predicted run
               {20, "30.0"}, {21, "95"}, {22, "60"}, {23, "0"}}; // run 2
  host.method = 1;
  auto expected = [&](const char* b, const char* t, const char* d) {
    tbl.CalcMode = 0;
    return Conditions("1", b, t, d, "0").correction;
  };
  const double run1 = expected("29.0", "60", "30"), predicted = expected("29.5", "80", "40"),
               run2 = expected("30.0", "95", "60");
  for (int16_t mode : {1, 2}) {
    tbl.CalcMode = mode;
    for (auto [pass, want] : {std::pair<int16_t, double>{1, run1}, {2, predicted}, {3, run2}, {0, run2}}) {
      tbl.CalcPass = pass;
      Air a;
      CalcAirConditions(a.correction, a.density);
      EXPECT_EQ(a.correction, want) << "mode " << mode << " pass " << pass;
    }
  }
  // The dial-in window's method list: 4 replaces the barometer and reads a humidity.
  tbl.CalcMode = 1;
  tbl.CalcPass = 1;
  host.method = 4;
  Air a;
  CalcAirConditions(a.correction, a.density);
  double dewPoint = 0;
  DewPointFromHumidity(60, 30, dewPoint);
  tbl.CalcMode = 0;
  EXPECT_EQ(a.correction, Conditions("1", "29.92", "60", std::to_string(dewPoint), "0").correction);
}

TEST_F(AirTest, HandedOverCurveUsesStandardReferenceAndItsDewPoint) {
  tbl.CalcMode = -1;
  tbl.SpecText[6] = "1";     // SAE chosen, yet a handed-over curve is corrected to the standard dyno
  tbl.SpecText[97] = "5";    // the weather method plays no part
  tbl.ExchangeCond1 = "29.92";
  tbl.ExchangeCond2 = "60";
  tbl.ExchangeCond3 = "0";
  tbl.ExchangeCond4 = "0";
  Air a;
  CalcAirConditions(a.correction, a.density);
  EXPECT_NEAR(a.correction, 1.0, 1e-15);
  tbl.ExchangeCond3 = "50";
  tbl.ExchangeCond4 = "2000";
  CalcAirConditions(a.correction, a.density);
  tbl.CalcMode = 0;
  EXPECT_EQ(a.correction, Conditions("1", "29.92", "60", "50", "2000", "0").correction);
}

TEST_F(AirTest, BadWeatherNeverGivesNaN) {
  const char* texts[] = {"", "abc", "0", "-460", "-500", "1e300", "-1e300", "-45653", "99999", "12abc"};
  for (const char* method : {"0", "1", "2", "3", "4", "5", "-1", "9"})
    for (const char* t : texts) {
      Air a = Conditions(method, t, t, t, t, t);
      EXPECT_TRUE(Finite(a)) << method << " " << t;
      EXPECT_GE(a.correction, 0.1);
      a = Conditions(method, "29.92", t, "40", t);
      EXPECT_TRUE(Finite(a)) << method << " " << t;
      a = Conditions(method, t, "70", t, "0");
      EXPECT_TRUE(Finite(a)) << method << " " << t;
    }
  // Absolute zero or below is no air: the floor correction, the reference density.
  Air a = Conditions("1", "29.92", "-460", "-470", "0");
  EXPECT_EQ(a.correction, 0.1);
  EXPECT_EQ(tbl.DensityAltitude, 0);
}

TEST(Humidity, DewPointFromHumidity) {
  double d = -1;
  DewPointFromHumidity(70, 50, d);
  EXPECT_DOUBLE_EQ(d, 50.6);
  d = 12.3;
  DewPointFromHumidity(70, 0, d);  // no humidity: left as it was
  EXPECT_EQ(d, 12.3);
  DewPointFromHumidity(70, 100, d);  // saturated air: dew point near the temperature
  EXPECT_NEAR(d, 70, 1.0);
  // Always to a tenth.
  for (double h = 5; h <= 100; h += 7.5) {
    DewPointFromHumidity(85, h, d);
    EXPECT_NEAR(d * 10, std::round(d * 10), 1e-9) << h;
  }
  for (double t : {-1e6, -460.0, 0.0, 1e6}) {
    d = 7;
    DewPointFromHumidity(t, 50, d);
    EXPECT_TRUE(std::isfinite(d)) << t;
  }
}

TEST(Humidity, HumidityFromDewPointAndItsClamps) {
  double h = -1;
  HumidityFromDewPoint(70, 50.6, h);
  EXPECT_NEAR(h, 50.82, 0.005);
  HumidityFromDewPoint(0, 0, h);
  EXPECT_EQ(h, 0);
  HumidityFromDewPoint(70, 90, h);  // dew point above the air: clamped
  EXPECT_EQ(h, 100);
  HumidityFromDewPoint(70, -40, h);  // below the search's lowest dew point
  EXPECT_NEAR(h, 6.776, 0.001);
  for (double t = -60; t <= 160; t += 10)
    for (double dp = -80; dp <= 200; dp += 7) {
      HumidityFromDewPoint(t, dp, h);
      EXPECT_GE(h, 0) << t << " " << dp;
      EXPECT_LE(h, 100) << t << " " << dp;
    }
  for (double t : {-1e6, 1e6, -460.0}) {
    HumidityFromDewPoint(t, 50, h);
    EXPECT_GE(h, 0);
    EXPECT_LE(h, 100);
  }
}

}  // namespace
}  // namespace sw
