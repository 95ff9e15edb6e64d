// The dial-in window's weather methods: converting a run's entries when the
// racer changes the method, the track-elevation prompt, and the captions
// and help lines of the weather rows.
#include "dialin/weather_methods.h"

#include <gtest/gtest.h>

#include "platform/scripted_ui.h"

namespace sw {
namespace {

WeatherGroupRows Group(std::string baro, std::string temp, std::string moist, std::string elev) {
  return {std::move(baro), std::move(temp), std::move(moist), std::move(elev)};
}

void ExpectRows(const WeatherGroupRows& g, const char* baro, const char* temp, const char* moist, const char* elev) {
  EXPECT_EQ(g.barometer, baro);
  EXPECT_EQ(g.temperature, temp);
  EXPECT_EQ(g.moisture, moist);
  EXPECT_EQ(g.elevation, elev);
}

TEST(WeatherMethods, MoistureBetweenHumidityAndDewPoint) {
  // 70 F and 50 %: the dew point, then back (the humidity search steps).
  WeatherGroupRows g = Group("29.92", "70", "50", "0");
  ConvertMoisture(g, 0, 1);
  EXPECT_EQ(g.moisture, "50.6");
  ConvertMoisture(g, 1, 0);
  EXPECT_EQ(g.moisture, "50.8");
  // Within one kind of moisture nothing changes, across pressure classes too.
  ConvertMoisture(g, 0, 4);
  EXPECT_EQ(g.moisture, "50.8");
  ConvertMoisture(g, 3, 5);
  EXPECT_EQ(g.moisture, "50.8");
  // Without a temperature (or a moisture) there is nothing to convert.
  WeatherGroupRows noTemp = Group("29.92", "", "50", "0");
  ConvertMoisture(noTemp, 0, 1);
  EXPECT_EQ(noTemp.moisture, "50");
  // A bone-dry 0 % becomes the driest dew point, never a stale figure.
  WeatherGroupRows dry = Group("29.92", "70", "0", "0");
  ConvertMoisture(dry, 2, 3);
  EXPECT_EQ(dry.moisture, "-16.1");
}

TEST(WeatherMethods, PressureConversionsWorkedValues) {
  struct Case {
    const char *baro, *elev;
    int from, to, runElevation;
    const char *baroAfter, *elevAfter;
  } cases[] = {
      // observed 24.99 "Hg reads 5001 ft on an altimeter; 29.92 reads 0
      {"24.99", "0", 2, 4, 0, "24.99", "5001"},
      {"29.92", "0", 3, 5, 0, "29.92", "0"},
      // corrected 29.92 at 5000 ft is 24.99 observed, and back at 5000 ft
      {"29.92", "5000", 0, 2, 0, "24.99", "0"},
      {"24.99", "0", 2, 0, 5000, "29.92", "5000"},
      // corrected to altimeter and back
      {"29.92", "5000", 1, 4, 0, "29.92", "4999"},
      {"29.92", "5000", 4, 0, 5000, "29.92", "5000"},
      // an altimeter reading to an observed barometer
      {"", "5000", 5, 3, 0, "24.99", "0"},
      // within a class nothing changes
      {"29.50", "800", 0, 1, 0, "29.50", "800"},
  };
  for (const Case& c : cases) {
    WeatherGroupRows g = Group(c.baro, "70", "50", c.elev);
    ConvertPressure(g, c.from, c.to, c.runElevation);
    EXPECT_EQ(g.barometer, c.baroAfter) << c.from << " -> " << c.to;
    EXPECT_EQ(g.elevation, c.elevAfter) << c.from << " -> " << c.to;
  }
  EXPECT_NEAR(AltimeterFeet(TrackPressure(29.92, 5000)), 4999.5, 0.05);
  // Only the bottom of the range comes near: 0.
  EXPECT_EQ(BarometerForTrackPressure(5, 0), 0);
}

TEST(WeatherMethods, AnEmptyGroupStaysEmpty) {
  for (int from = -1; from <= 5; ++from)
    for (int to = 0; to <= 5; ++to) {
      WeatherGroupRows g = Group("", "", "", "");
      ConvertMoisture(g, from, to);
      ConvertPressure(g, from, to, 5000);
      ExpectRows(g, "", "", "", "");
    }
  // An empty barometer is not turned into a figure (it would read -1.98 at
  // 5000 ft); the corrected-to-altimeter change empties the altimeter row.
  WeatherGroupRows g = Group("", "70", "50", "5000");
  ConvertPressure(g, 0, 2, 0);
  ExpectRows(g, "", "70", "50", "5000");
  ConvertPressure(g, 0, 4, 0);
  ExpectRows(g, "", "70", "50", "");
}

TEST(WeatherMethods, ElevationPromptForEachRun) {
  ScopedScriptedUi ui;
  std::array<int, 4> elevation{};
  for (const char* a : {"5000", "10001", "-1001", "10000", "-1000"}) ui->Type(a);
  EXPECT_TRUE(AskRunElevations(elevation));
  EXPECT_EQ(elevation[1], 5000);
  EXPECT_EQ(elevation[2], 10000);
  EXPECT_EQ(elevation[3], -1000);
  const auto& boxes = ui->boxes();
  ASSERT_EQ(boxes.size(), 7u);
  EXPECT_EQ(boxes[0].title, "Track Elevation");
  EXPECT_EQ(boxes[0].defaultText, "0");
  EXPECT_EQ(boxes[0].prompt,
            "What is this track's actual elevation in feet above sea level for:\r\r  Run # 1 ?\r\rThis information "
            "is required to accurately convert Observed Barometer into Barometer corrected to sea level.");
  EXPECT_EQ(boxes[2].prompt, "Elevation must be between -1000 and 10000 feet.  Try again.");
  EXPECT_NE(boxes[3].prompt.find("Run # 2 ?"), std::string::npos);
  EXPECT_EQ(boxes[4].prompt, boxes[2].prompt);
  EXPECT_NE(boxes[5].prompt.find("Run # 2 ?"), std::string::npos);
  EXPECT_NE(boxes[6].prompt.find("Run # 3 ?"), std::string::npos);

  // Cancel at run 2: run 1's answer stays, the prompt ends without one.
  ui->Clear();
  ui->Type("1200.9");
  ui->CancelInput();
  EXPECT_FALSE(AskRunElevations(elevation));
  EXPECT_EQ(elevation[1], 1200);
  EXPECT_EQ(elevation[2], 10000);
}

TEST(WeatherMethods, RowCaptionsAndHelpByMethod) {
  const char* pressure[6] = {"Corr. Baro., \"Hg", "Corr. Baro., \"Hg", "Obs. Baro., \"Hg",
                             "Obs. Baro., \"Hg",  "Barometer, \"Hg",   "Barometer, \"Hg"};
  for (int m = 0; m < 6; ++m) {
    EXPECT_EQ(WeatherRowCaption(0, m), pressure[m]);
    EXPECT_EQ(WeatherRowCaption(1, m), "Air Temp, deg F");
    EXPECT_EQ(WeatherRowCaption(2, m), m % 2 ? "Dew Point, deg F" : "Rel Hum, %");
    EXPECT_EQ(WeatherRowCaption(3, m), m > 3 ? "Altimeter, feet" : "Elevation, feet");
  }
  // No method chosen reads like a corrected barometer with a dew point.
  EXPECT_EQ(WeatherRowCaption(0, -1), "Corr. Baro., \"Hg");
  EXPECT_EQ(WeatherRowCaption(2, -1), "Dew Point, deg F");
  EXPECT_EQ(WeatherRowHelp(3, 5),
            "Altimeter reading in feet. Altimeter should be corrected to 29.92'' at 0 elevation.   p 52");
  EXPECT_EQ(WeatherRowHelp(0, 2),
            "Observed barometer reading in inches of mercury, as read directly off a barometer instrument (not "
            "corrected to sea level for elevation).   p 51");
  EXPECT_EQ(WeatherRowHelp(1, 0), "Outside air temperature in degrees F.  p 51");
}

}  // namespace
}  // namespace sw
