#include "simulation/air.h"

#include "simulation/run_test_support.h"

namespace sw::test {
namespace {

const double kReferenceDensity = 29.92 / (0.754 * 520) * (1 - 0.378 * 0.0365 / 29.92);

struct Air {
  double correction = 0, density = 0;
};

struct AirTest : RunTest {
  // Conditions specs: method, barometer, temperature, humidity or dew point,
  // elevation, and the correction standard (0 standard dyno, 1 SAE).
  Air Conditions(const std::string& method, const std::string& baro, const std::string& temp,
                 const std::string& third, const std::string& elev, const std::string& standard = "0") {
    tbl.SpecText[6] = standard;
    tbl.SpecText[97] = method;
    tbl.SpecText[98] = baro;
    tbl.SpecText[99] = temp;
    tbl.SpecText[100] = third;
    tbl.SpecText[101] = elev;
    return Calc();
  }
  Air Calc() {
    Air a;
    CalcAirConditions(a.correction, a.density);
    return a;
  }
  static bool Finite(const Air& a) {
    for (double v : {a.correction, a.density, tbl.PressureAltitude, tbl.DensityAltitude, tbl.DryDensityAltitude})
      if (!std::isfinite(v)) return false;
    return true;
  }
};

double Dew(double t, double h, double start = -1) {
  DewPointFromHumidity(t, h, start);
  return start;
}
double Hum(double t, double dp) {
  double h = -1;
  HumidityFromDewPoint(t, dp, h);
  return h;
}

TEST_F(AirTest, ReferenceCaseIsExactlyTheReference) {
  Air a = Conditions("1", "29.92", "60", "0", "0");
  // 1.176 - 0.176 in double arithmetic: 1.0 within one unit of the last place.
  EXPECT_LE(std::fabs(a.correction - 1.0), std::nextafter(1.0, 2.0) - 1.0);
  EXPECT_DOUBLE_EQ(a.density, kReferenceDensity);
  EXPECT_DOUBLE_EQ(tbl.PressureAltitude, 0);
  EXPECT_NEAR(Conditions("1", "29.6", "77", "49", "0", "1").correction, 1.0, 1e-15);  // SAE against itself
}

TEST_F(AirTest, WeatherScienceChecks) {
  // Standard day at sea level: density altitude about 0 ft.
  const Air cool = Conditions("1", "29.92", "59", "0", "0");
  EXPECT_NEAR(tbl.DensityAltitude, 34.797, 0.001);
  // 90 deg F, dry, sea level. Published calculators give about +1,900 to
  // +1,990 ft; the program's formula, with its vapour floor and offset, gives
  // 2,002.5 ft, and that is what racers' old run records hold.
  const Air hot = Conditions("1", "29.92", "90", "0", "0");
  EXPECT_NEAR(tbl.DensityAltitude, 2002.505, 0.001);
  EXPECT_NEAR(tbl.DryDensityAltitude, 2028.085, 0.001);
  EXPECT_NEAR(hot.correction, 0.967478, 1e-6);
  // 5,000 ft on a standard day: the standard atmosphere has 24.90 "Hg; the
  // program's station-pressure formula gives 24.991 "Hg.
  EXPECT_NEAR(StationPressure(29.92, 5000), 24.991001, 1e-6);
  const Air high = Conditions("1", "29.92", "59", "0", "5000");
  EXPECT_NEAR(tbl.PressureAltitude, 4999.48, 0.01);
  EXPECT_NEAR(tbl.DensityAltitude, 6056.83, 0.01);
  EXPECT_NEAR(high.correction, 0.806976, 1e-6);
  // Heat, altitude and humidity all cost power.
  EXPECT_LT(hot.correction, cool.correction);
  EXPECT_LT(hot.density, cool.density);
  EXPECT_LT(high.correction, cool.correction);
  EXPECT_LT(Conditions("1", "29.92", "59", "55", "0").correction, cool.correction);
  EXPECT_GT(tbl.DensityAltitude, 34.797);
}

// Powers are taken as powers (d^4, T^2), not as repeated products: the last
// digits agree with an independent calculation of the same formulas.
TEST_F(AirTest, LastDigitsOfTheFormulas) {
  EXPECT_EQ(VapourPressure(16.1), 0.087039255328119861);
  EXPECT_EQ(SaturationPressure(21), 0.11551318727461818);
  const Air a = Conditions("1", "29.92", "75", "16.1", "0");
  EXPECT_EQ(a.correction, 0.98143603108896893);
  EXPECT_EQ(a.density, 0.074089836539046508);
}

TEST_F(AirTest, CorrectionHasAFloorOfOneTenth) {
  // A barometer of 5.8 "Hg computes to about 0.05.
  ASSERT_NEAR(1.176 * (5.8 - 0.0365) / (29.92 - 0.0365) - 0.176, 0.0508, 0.0001);
  EXPECT_EQ(Conditions("1", "5.8", "60", "0", "0").correction, 0.1);
}

// An empty or non-positive station pressure never reaches the density
// altitudes: the floor correction, the reference density, altitudes 0.
TEST_F(AirTest, NoPressureGivesFloorReferenceDensityAndNoAltitudes) {
  for (auto [baro, temp, dew, elev] : {std::tuple{"0", "75", "40", "0"}, {"", "75", "40", "0"},
                                       {"abc", "75", "40", "0"}, {"-3", "75", "40", "0"},
                                       {"29.92", "60", "0", "80000"} /* elevation beyond the air */,
                                       {"29.92", "-460", "-470", "0"} /* absolute zero */}) {
    SCOPED_TRACE(std::string(baro) + " " + temp + " " + elev);
    tbl.DensityAltitude = tbl.DryDensityAltitude = 999;
    const Air a = Conditions("1", baro, temp, dew, elev);
    EXPECT_EQ(a.correction, 0.1);
    if (std::string(temp) == "75") { EXPECT_DOUBLE_EQ(a.density, kReferenceDensity); }
    EXPECT_EQ(tbl.DensityAltitude, 0);
    if (std::string(temp) == "75") { EXPECT_EQ(tbl.DryDensityAltitude, 0); }
    EXPECT_TRUE(Finite(a));
  }
}

TEST_F(AirTest, WeatherMethods) {
  // 5: barometer replaced by 29.92, elevation kept, a dew point read.
  EXPECT_EQ(Conditions("5", "28.5", "70", "50", "1000").correction,
            Conditions("1", "29.92", "70", "50", "1000").correction);
  // 4: the same with a humidity (70 deg F and 50 % is a 50.6 deg F dew point).
  EXPECT_EQ(Conditions("4", "28.5", "70", "50", "1000").correction,
            Conditions("1", "29.92", "70", "50.6", "1000").correction);
  // 3: the elevation is ignored, the barometer is the track's pressure.
  const Air m3 = Conditions("3", "28.0", "70", "50", "5000"), sea = Conditions("1", "28.0", "70", "50", "0");
  EXPECT_EQ(m3.correction, sea.correction);
  EXPECT_EQ(m3.density, sea.density);
  // 0 and 2 read a humidity.
  const double dp = Conditions("1", "29.5", "70", "50.6", "0").correction;
  EXPECT_EQ(Conditions("0", "29.5", "70", "50", "0").correction, dp);
  EXPECT_EQ(Conditions("2", "29.5", "70", "50", "3000").correction, dp);
}

TEST_F(AirTest, HumidityOfZeroKeepsTheReferenceDewPoint) {
  // SAE reference: dew point 49 stays; standard dyno reference: 0 stays.
  const double dew49 = Conditions("1", "29.6", "77", "49", "0", "1").correction;
  EXPECT_EQ(Conditions("0", "29.6", "77", "0", "0", "1").correction, dew49);
  EXPECT_EQ(Conditions("0", "29.6", "77", "0", "0", "0").correction,
            Conditions("1", "29.6", "77", "0", "0", "0").correction);
  // In dial-in work the same entry gives a dew point of 0.
  const double dew0 = Conditions("1", "29.6", "77", "0", "0", "1").correction;
  host.dialInRow[0] = "29.6";
  host.dialInRow[1] = "77";
  host.dialInRow[2] = host.dialInRow[3] = "0";
  tbl.CalcMode = tbl.CalcPass = 1;
  const double dialIn = Calc().correction;
  EXPECT_EQ(dialIn, dew0);
  EXPECT_NE(dialIn, dew49);
}

TEST_F(AirTest, DialInColumnsByPass) {
  // Run 1 in rows 0.., the predicted run in rows 9.., run 2 in rows 20..
  const int first[] = {0, 9, 20};
  const char* rows[][3] = {{"29.0", "60", "30"}, {"29.5", "80", "40"}, {"30.0", "95", "60"}};
  double want[3];
  for (int c = 0; c < 3; ++c) {
    want[c] = Conditions("1", rows[c][0], rows[c][1], rows[c][2], "0").correction;
    for (int i = 0; i < 3; ++i) host.dialInRow[first[c] + i] = rows[c][i];
  }
  host.dialInList[18] = 1;
  for (int16_t mode : {1, 2})
    for (auto [pass, c] : {std::pair{1, 0}, {2, 1}, {3, 2}, {0, 2}}) {
      tbl.CalcMode = mode;
      tbl.CalcPass = static_cast<int16_t>(pass);
      EXPECT_EQ(Calc().correction, want[c]) << "mode " << mode << " pass " << pass;
    }
  // Method 4 of the dial-in list replaces the barometer and reads a humidity.
  tbl.CalcPass = 1;
  host.dialInList[18] = 4;
  const double m4 = Calc().correction;
  tbl.CalcMode = 0;
  EXPECT_EQ(m4, Conditions("1", "29.92", "60", std::to_string(Dew(60, 30, 0)), "0").correction);
}

TEST_F(AirTest, HandedOverCurveUsesStandardReferenceAndItsDewPoint) {
  tbl.CalcMode = -1;
  tbl.SpecText[6] = "1";   // SAE chosen, yet a handed-over curve is corrected to the standard dyno
  tbl.SpecText[97] = "5";  // the weather method plays no part
  tbl.ExchangeCond1 = "29.92";
  tbl.ExchangeCond2 = "60";
  tbl.ExchangeCond3 = tbl.ExchangeCond4 = "0";
  EXPECT_NEAR(Calc().correction, 1.0, 1e-15);
  tbl.ExchangeCond3 = "50";
  tbl.ExchangeCond4 = "2000";
  const double handed = Calc().correction;
  tbl.CalcMode = 0;
  EXPECT_EQ(handed, Conditions("1", "29.92", "60", "50", "2000", "0").correction);
}

TEST_F(AirTest, BadWeatherNeverGivesNaN) {
  for (const char* method : {"0", "1", "2", "3", "4", "5", "-1", "9"})
    for (const char* t : {"", "abc", "0", "-460", "-500", "1e300", "-1e300", "-45653", "99999", "12abc"}) {
      SCOPED_TRACE(std::string(method) + " " + t);
      const Air a = Conditions(method, t, t, t, t, t);
      EXPECT_TRUE(Finite(a));
      EXPECT_GE(a.correction, 0.1);
      EXPECT_TRUE(Finite(Conditions(method, "29.92", t, "40", t)));
      EXPECT_TRUE(Finite(Conditions(method, t, "70", t, "0")));
    }
}

// Cold, dry air: the dew point fit falls away without bound at small vapour
// pressures, and the vapour polynomial rises again below its minimum (near
// -16.1 deg F) until it exceeds any barometer. Drier air than the minimum
// counts as the minimum, and the run stays finite in every ordinary weather.
TEST_F(AirTest, ColdDryAirCountsAsTheDriestDewPoint) {
  // The minimum: the polynomial's slope is 0 there, 0.0186 "Hg.
  const double d = kDriestDewPoint / 100;
  EXPECT_NEAR(0.21244 + 1.20466 * d + 4.30672 * std::pow(d, 3), 0, 1e-15);
  EXPECT_NEAR(VapourPressure(kDriestDewPoint), 0.0186335, 1e-7);
  for (double below : {-16.2, -40.0, -100.0, -381.5, -6654.1, -1e8, -1e300})
    EXPECT_EQ(VapourPressure(below), VapourPressure(kDriestDewPoint)) << below;
  EXPECT_GT(VapourPressure(-16.1), VapourPressure(kDriestDewPoint));
  EXPECT_EQ(VapourPressure(-16.1), 0.0365 + 0.21244 * -0.161 + 0.60233 * std::pow(-0.161, 2) +
                                       1.07668 * std::pow(-0.161, 4));

  // Where the fit diverged: 35 deg F at 10 % gave -381.5, 20 at 10 % -6654.1,
  // 60 at 3 % -1418.7, 20 at 1 % -81 million.
  for (auto [t, h] : {std::pair{35.0, 10.0}, {20.0, 10.0}, {60.0, 3.0}, {20.0, 1.0}, {-60.0, 100.0}, {130.0, 0.001}})
    EXPECT_EQ(Dew(t, h), -16.1) << t << " " << h;
  EXPECT_DOUBLE_EQ(Dew(35, 40), 14.1);  // above the minimum nothing changes
  for (double t = -60; t <= 130; t += 1)
    for (double h = 0.5; h <= 100; h += 0.5) ASSERT_GE(Dew(t, h), -16.1) << t << " " << h;

  // 35 deg F at 10 % runs as a typed dew point of -16.1 deg F.
  const Air humid = Conditions("0", "29.92", "35", "10", "500");
  const double da = tbl.DensityAltitude;
  const Air dew = Conditions("1", "29.92", "35", "-16.1", "500");
  EXPECT_EQ(humid.correction, dew.correction);
  EXPECT_EQ(humid.density, dew.density);
  EXPECT_EQ(da, tbl.DensityAltitude);
  // A dew point of -100 deg F typed in runs as the driest air.
  const Air typed = Conditions("1", "29.92", "35", "-100", "500");
  EXPECT_TRUE(Finite(typed));
  EXPECT_EQ(typed.correction, Conditions("1", "29.92", "35", "-16.2", "500").correction);
  EXPECT_GT(typed.correction, 1.0);
}

// T -60..130 deg F x H 1..100 %, as a humidity (methods 0, 2, 4) and as the
// dew point it gives: every correction and altitude finite, the density
// positive, the correction within its floor and what cold dense air gives.
TEST_F(AirTest, EveryOrdinaryWeatherGivesAFiniteRun) {
  int cases = 0;
  for (const char* method : {"0", "2", "4"})
    for (int t = -60; t <= 130; ++t)
      for (int h = 1; h <= 100; ++h) {
        const Air a = Conditions(method, "29.92", std::to_string(t), std::to_string(h), "1000");
        ASSERT_TRUE(Finite(a)) << method << " " << t << " " << h;
        ASSERT_GE(a.correction, 0.1);
        ASSERT_LT(a.correction, 1.5) << t << " " << h;
        ++cases;
      }
  EXPECT_EQ(cases, 3 * 191 * 100);

  // And the car runs to the finish in all of it, a typed dew point of -100
  // deg F included (it ended with an overflow before).
  Load(kMuscleCar);
  for (const char* t : {"-60", "0", "35", "70", "100", "130"})
    for (const char* h : {"1", "10", "50", "100"}) {
      Conditions("0", "29.92", t, h, "1000");
      Quiet();
      EXPECT_GT(Et(), 8) << t << " " << h;
      EXPECT_LT(Et(), 60) << t << " " << h;  // 130 deg F saturated: the correction floor
      ExpectAllFinite();
    }
  Conditions("1", "29.92", "35", "-100", "1000");
  Quiet();
  EXPECT_GT(Et(), 8);
  EXPECT_TRUE(ui->boxes().empty());
}

TEST(Humidity, DewPointFromHumidity) {
  EXPECT_DOUBLE_EQ(Dew(70, 50), 50.6);
  EXPECT_EQ(Dew(70, 0, 12.3), 12.3);   // no humidity: left as it was
  EXPECT_NEAR(Dew(70, 100), 70, 1.0);  // saturated air: near the temperature
  for (double h = 5; h <= 100; h += 7.5) EXPECT_NEAR(Dew(85, h) * 10, std::round(Dew(85, h) * 10), 1e-9) << h;
  for (double t : {-1e6, -460.0, 0.0, 1e6}) EXPECT_TRUE(std::isfinite(Dew(t, 50, 7))) << t;
}

TEST(Humidity, HumidityFromDewPointAndItsClamps) {
  EXPECT_NEAR(Hum(70, 50.6), 50.82, 0.005);
  EXPECT_EQ(Hum(0, 0), 0);
  EXPECT_EQ(Hum(70, 90), 100);               // dew point above the air
  EXPECT_NEAR(Hum(70, -40), 6.776, 0.001);  // below the search's lowest dew point
  for (double t = -60; t <= 160; t += 10)
    for (double dp = -80; dp <= 200; dp += 7) EXPECT_TRUE(Hum(t, dp) >= 0 && Hum(t, dp) <= 100) << t << " " << dp;
  for (double t : {-1e6, 1e6, -460.0}) EXPECT_TRUE(Hum(t, 50) >= 0 && Hum(t, 50) <= 100) << t << ": " << Hum(t, 50);
}

}  // namespace
}  // namespace sw::test
