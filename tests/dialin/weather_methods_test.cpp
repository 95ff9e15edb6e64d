// The dial-in window's weather methods: converting a run's entries when the
// racer changes the method, the track-elevation prompt, the row captions.
#include "dialin/weather_methods.h"

#include <gtest/gtest.h>

#include "platform/scripted_ui.h"

namespace sw {
namespace {

std::string Rows(const WeatherGroupRows& g) {
  return g.barometer + "|" + g.temperature + "|" + g.moisture + "|" + g.elevation;
}

TEST(WeatherMethods, MoistureBetweenHumidityAndDewPoint) {
  // 70 F and 50 %: the dew point, then back (the humidity search steps).
  WeatherGroupRows g{"29.92", "70", "50", "0"};
  ConvertMoisture(g, 0, 1);
  EXPECT_EQ(g.moisture, "50.6");
  ConvertMoisture(g, 1, 0);
  EXPECT_EQ(g.moisture, "50.8");
  // Within one kind of moisture nothing changes, across pressure classes too.
  for (auto [from, to] : {std::pair{0, 4}, {3, 5}}) {
    ConvertMoisture(g, from, to);
    EXPECT_EQ(g.moisture, "50.8");
  }
  // Entered before any method was chosen: dew points, as captioned and run.
  WeatherGroupRows none{"29.92", "70", "50.6", "0"};
  ConvertMoisture(none, -1, 0);
  EXPECT_EQ(none.moisture, "50.8");
  // Without a temperature there is nothing to convert.
  WeatherGroupRows noTemp{"29.92", "", "50", "0"};
  ConvertMoisture(noTemp, 0, 1);
  EXPECT_EQ(noTemp.moisture, "50");
  // A bone-dry 0 % becomes the driest dew point, never a stale figure.
  WeatherGroupRows dry{"29.92", "70", "0", "0"};
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
      {"", "5000", 5, 3, 0, "24.99", "0"},
      // within a class nothing changes
      {"29.50", "800", 0, 1, 0, "29.50", "800"},
  };
  for (const Case& c : cases) {
    WeatherGroupRows g{c.baro, "70", "50", c.elev};
    ConvertPressure(g, c.from, c.to, c.runElevation);
    EXPECT_EQ(Rows(g), std::string(c.baroAfter) + "|70|50|" + c.elevAfter) << c.from << " -> " << c.to;
  }
  // Only the bottom of the range comes near: 0.
  EXPECT_EQ(BarometerForTrackPressure(5, 0), 0);
}

TEST(WeatherMethods, AnEmptyGroupStaysEmpty) {
  for (int from = -1; from <= 5; ++from)
    for (int to = 0; to <= 5; ++to) {
      WeatherGroupRows g;
      ConvertMoisture(g, from, to);
      ConvertPressure(g, from, to, 5000);
      EXPECT_EQ(Rows(g), "|||");
    }
  // An empty barometer is not turned into a figure (it would read -1.98 at
  // 5000 ft); the corrected-to-altimeter change empties the altimeter row.
  WeatherGroupRows g{"", "70", "50", "5000"};
  ConvertPressure(g, 0, 2, 0);
  EXPECT_EQ(Rows(g), "|70|50|5000");
  ConvertPressure(g, 0, 4, 0);
  EXPECT_EQ(Rows(g), "|70|50|");
}

TEST(WeatherMethods, ElevationPromptForEachRun) {
  ScopedScriptedUi ui;
  std::array<int, 4> elevation{};
  for (const char* a : {"5000", "10001", "-1001", "10000", "-1000"}) ui->Type(a);
  EXPECT_TRUE(AskRunElevations(elevation));
  EXPECT_EQ(elevation, (std::array<int, 4>{0, 5000, 10000, -1000}));
  const auto& boxes = ui->boxes();
  ASSERT_EQ(boxes.size(), 7u);
  EXPECT_EQ(boxes[0].title, "Track Elevation");
  EXPECT_EQ(boxes[0].defaultText, "0");
  EXPECT_EQ(boxes[0].prompt,
            "What is this track's actual elevation in feet above sea level for:\r\r  Run # 1 ?\r\rThis information "
            "is required to accurately convert Observed Barometer into Barometer corrected to sea level.");
  EXPECT_EQ(boxes[2].prompt, "Elevation must be between -1000 and 10000 feet.  Try again.");
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
    EXPECT_EQ(WeatherRowCaption(2, m), m % 2 ? "Dew Point, deg F" : "Rel Hum, %");
    EXPECT_EQ(WeatherRowCaption(3, m), m > 3 ? "Altimeter, feet" : "Elevation, feet");
  }
  // No method chosen reads like a corrected barometer with a dew point.
  EXPECT_EQ(WeatherRowCaption(0, -1), "Corr. Baro., \"Hg");
  EXPECT_EQ(WeatherRowCaption(2, -1), "Dew Point, deg F");
  EXPECT_EQ(WeatherRowHelp(3, 5),
            "Altimeter reading in feet. Altimeter should be corrected to 29.92'' at 0 elevation.   p 52");
}

}  // namespace
}  // namespace sw
