#include "specs/conditions_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/scripted_ui.h"
#include "platform/text.h"

using namespace sw;

namespace {

struct Conversion {
  const char* name;
  int from, to;
  WeatherRows before;
  std::vector<std::string> elevationAnswers;  // typed into "Track Elevation"
  WeatherRows after;
};

}  // namespace

// A change of weather method carries the rows over: barometer and elevation
// by the pair of methods (asking the elevation where the new method needs
// one), humidity and dew point both ways.
TEST(ConditionsRules, ConvertsTheRowsOnAMethodChange) {
  const std::vector<Conversion> cases = {
      {"corrected at 0 ft to observed", 0, 2, {"29.92", "60", "50", "0"}, {}, {"29.92", "60", "50", "0"}},
      {"observed back to corrected, 0 ft", 2, 0, {"29.92", "60", "50", "0"}, {"0"}, {"29.92", "60", "50", "0"}},
      {"corrected at 1000 ft to observed", 0, 2, {"29.92", "60", "50", "1000"}, {}, {"28.85", "60", "50", "0"}},
      {"observed to corrected at 1000 ft", 2, 0, {"28.85", "60", "50", "0"}, {"1000"},
       {"29.92", "60", "50", "1000"}},
      {"corrected to altimeter", 1, 5, {"29.92", "60", "40", "1000"}, {}, {"29.92", "60", "40", "1000"}},
      {"observed to altimeter", 3, 5, {"28.85", "60", "40", "0"}, {}, {"28.85", "60", "40", "1000"}},
      {"altimeter 0 to observed", 4, 3, {"", "70", "50", "0"}, {}, {"29.92", "70", "50.6", "0"}},
      {"altimeter to corrected", 5, 1, {"", "60", "40", "1000"}, {"1000"}, {"29.92", "60", "40", "1000"}},
      {"same barometer way", 0, 1, {"29.5", "70", "50", "300"}, {}, {"29.5", "70", "50.6", "300"}},
      {"dew point back to humidity", 1, 0, {"29.5", "70", "50.6", "300"}, {}, {"29.5", "70", "50.8", "300"}},
      {"humidity kept", 0, 2, {"29.92", "70", "50", "0"}, {}, {"29.92", "70", "50", "0"}},
      {"nothing stored: corrected, dew point", -1, 2, {"29.92", "70", "50.6", "1000"}, {}, {"28.85", "70", "50.8", "0"}},
      {"nothing stored to dew point", -1, 1, {"29.92", "70", "50.6", "0"}, {}, {"29.92", "70", "50.6", "0"}},
      {"texts without numbers count as 0", 2, 0, {"abc", "", "", "x"}, {"0"}, {"15.00", "", "", "0"}},
      {"cancelled elevation keeps the air", 2, 1, {"28.85", "60", "50", "0"}, {}, {"28.86", "60", "42.1", "0"}},
  };
  for (const Conversion& c : cases) {
    ScopedScriptedUi ui;
    for (const std::string& a : c.elevationAnswers) ui->Type(a);
    WeatherRows rows = c.before;
    ConvertWeatherRows(c.from, c.to, rows);
    EXPECT_EQ(rows.barometer, c.after.barometer) << c.name;
    EXPECT_EQ(rows.temperature, c.after.temperature) << c.name;
    EXPECT_EQ(rows.humidity, c.after.humidity) << c.name;
    EXPECT_EQ(rows.elevation, c.after.elevation) << c.name;
    const bool asks = (c.from < 4 && c.from >= 2 && c.to < 2) || (c.from >= 4 && c.to < 2);
    ASSERT_EQ(ui->boxes().size(), asks ? 1u : 0u) << c.name;
    if (asks) {
      EXPECT_EQ(ui->boxes()[0].title, "Track Elevation");
      EXPECT_EQ(ui->boxes()[0].prompt, "What is this track's actual elevation in feet above sea level?");
      EXPECT_EQ(ui->boxes()[0].defaultText, "0");
    }
  }
}

// The corrected barometer is searched in steps of .02 "Hg from 15, so it is
// always an even hundredth; the altimeter reading of 1000 ft of corrected
// air is 1000.
TEST(ConditionsRules, BarometerFormulas) {
  EXPECT_NEAR(ObservedBarometer(29.92, 1000), 28.8497053699772, 1e-9);
  EXPECT_NEAR(AltimeterReading(ObservedBarometer(29.92, 1000)), 999.893575607177, 1e-6);
  EXPECT_EQ(Format(CorrectedBarometer(30.05, 0), "####.00"), "30.06");
  EXPECT_EQ(Format(CorrectedBarometer(29.92, 0), "####.00"), "29.92");
  EXPECT_EQ(Format(CorrectedBarometer(ObservedBarometer(29.92, 1000), 1000), "####.00"), "29.92");
  // Outside the search the nearest end wins.
  EXPECT_EQ(CorrectedBarometer(5, 0), 15);
  EXPECT_NEAR(CorrectedBarometer(50, 0), 40, 0.021);

  WeatherRows rows{"30.05", "60", "50", "0"};
  ConvertWeatherRows(0, 2, rows);
  EXPECT_EQ(rows.barometer, "30.05");
  {
    ScopedScriptedUi ui;
    ui->Type("0");
    ConvertWeatherRows(2, 0, rows);
  }
  EXPECT_EQ(rows.barometer, "30.06");
}

// The elevation is asked again until it lies within -1000..10000 ft; the
// fraction is dropped and Cancel answers 0.
TEST(ConditionsRules, AsksTheTrackElevation) {
  struct Case {
    std::vector<std::string> typed;
    bool cancelAtEnd;
    int expected;
    int refusals;
  };
  const std::vector<Case> cases = {
      {{"12000", "-1500", "10000"}, false, 10000, 2},
      {{"-1000"}, false, -1000, 0},
      {{"500.9"}, false, 500, 0},
      {{"10000.5"}, false, 10000, 0},
      {{"-1000.5", "abc"}, false, 0, 1},
      {{"99999"}, true, 0, 1},
  };
  for (const Case& c : cases) {
    ScopedScriptedUi ui;
    for (const std::string& t : c.typed) ui->Type(t);
    if (c.cancelAtEnd) ui->CancelInput();
    EXPECT_EQ(AskTrackElevation(), c.expected) << c.typed[0];
    int refusals = 0;
    for (const ScriptedUi::Box& b : ui->boxes()) {
      if (b.input) continue;
      ++refusals;
      EXPECT_EQ(b.prompt, "Elevation must be between -1000 and 10000 feet.  Try again.");
      EXPECT_EQ(b.style, mb::OKOnly);
    }
    EXPECT_EQ(refusals, c.refusals) << c.typed[0];
  }
}

// Captions and help lines of rows 1 to 4, and the rows each method uses.
TEST(ConditionsRules, RowsFollowTheMethod) {
  const char* barometer[6] = {"Corr. Barometer, \"Hg", "Corr. Barometer, \"Hg", "Obs. Barometer, \"Hg",
                              "Obs. Barometer, \"Hg", "Barometer, \"Hg", "Barometer, \"Hg"};
  for (int m = -1; m <= 5; ++m) {
    const int k = m < 0 ? 0 : m;
    EXPECT_EQ(BarometerRowLabel(m).caption, barometer[k]) << m;
    EXPECT_EQ(HumidityRowLabel(m).caption, MethodReadsDewPoint(m) ? "Dew Point, deg F" : "Relative Humidity, %");
    EXPECT_EQ(ElevationRowLabel(m).caption, m >= 4 ? "Altimeter, feet" : "Elevation, feet");
    EXPECT_EQ(MethodUsesBarometer(m), m < 4) << m;
    EXPECT_EQ(MethodUsesElevation(m), m < 2 || m >= 4) << m;
  }
  EXPECT_EQ(TemperatureRowLabel().caption, "Air Temperature, deg F");
  EXPECT_EQ(TemperatureRowLabel().help, "Outside air temperature in degrees F.  p 51");
  EXPECT_EQ(BarometerRowLabel(2).help,
            "Observed barometer reading in inches of mercury, as read directly off a barometer instrument (not "
            "corrected to sea level for elevation).   p 51");
  EXPECT_EQ(ElevationRowLabel(4).help,
            "Altimeter reading in feet. Altimeter should be corrected to 29.92'' at 0 elevation.   p 52");
  EXPECT_EQ(HumidityRowLabel(0).help,
            "Relative Humidity in % for the current air temperature describes the amount of moisture in the air.  "
            "p 51");
}
