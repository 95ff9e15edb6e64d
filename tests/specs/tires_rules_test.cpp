#include "specs/tires_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace sw;

// The offer to carry a wheel and tire weight change into the vehicle weight:
// the weights recorded at opening, the wheels at each end, the 5 lbs limit,
// and the vehicle weight in whole pounds after "Yes".
TEST(TiresRules, WeightChangeOfTheWheelsAndTires) {
  struct Case {
    const char* name;
    const char *front, *rear;
    double frontBefore, rearBefore;
    int drive;
    const char* weight;
    double difference;
    bool ask;
    const char* firstLine;
    const char *newWeight, *notice;
  };
  const std::vector<Case> cases = {
      {"+2 and +.5", "42", "55.5", 40, 55, 0, "3000", 5, true,
       "The combined weights of the 2 front and 2 rear Wheels/Tires has increased 5 lbs.", "3005",
       "Vehicle Weight increased to 3005 lbs."},
      {"+2 and +.4", "42", "55.4", 40, 55, 0, "3000", 4.8, false, nullptr, nullptr, nullptr},
      {"motorcycle", "42", "55.5", 40, 55, 3, "3000", 2.5, false, nullptr, nullptr, nullptr},
      {"motorcycle asks of one wheel", "45", "55", 40, 55, 3, "600", 5, true,
       "The combined weights of the 1 front and 1 rear Wheels/Tires has increased 5 lbs.", "605", nullptr},
      {"lighter", "34", "55", 40, 55, 1, "3000", -12, true,
       "The combined weights of the 2 front and 2 rear Wheels/Tires has dropped 12 lbs.", "2988",
       "Vehicle Weight dropped to 2988 lbs."},
      {"rounds to whole pounds", "46.3", "55", 40, 55, 0, "3000", 12.6, true,
       "The combined weights of the 2 front and 2 rear Wheels/Tires has increased 12.6 lbs.", "3013", nullptr},
      {"texts without numbers are 0", "", "abc", 40, 55, 0, "", -190, true, nullptr, "-190", nullptr},
  };
  for (const Case& c : cases) {
    TireWeightChange w = TireWeightChangeOf(c.front, c.rear, c.frontBefore, c.rearBefore, c.drive, c.weight);
    EXPECT_NEAR(w.difference, c.difference, 1e-9) << c.name;
    EXPECT_EQ(w.ask, c.ask) << c.name;
    if (c.firstLine) {
      EXPECT_EQ(w.question, std::string(c.firstLine) + "\r\rDo you want the current Vehicle Weight of " + c.weight +
                                " changed by this amount also?")
          << c.name;
    }
    if (c.newWeight) { EXPECT_EQ(w.newWeight, c.newWeight) << c.name; }
    if (c.notice) { EXPECT_EQ(w.notice, c.notice) << c.name; }
  }
}

// Front-wheel drive puts the Frame3D1 rows at the front; the note names that end.
TEST(TiresRules, FramesFollowTheDriveWheels) {
  for (int drive : {-1, 0, 1, 2, 3}) {
    TireFrames f = TireFramesFor(drive);
    const bool front = drive == 1;
    EXPECT_EQ(f.frame3d3, front ? "Rear Wheel/Tire Specs" : "Front Wheel/Tire Specs");
    EXPECT_EQ(f.frame3d1, front ? "Front Wheel/Tire Specs" : "Rear Wheel/Tire Specs");
    EXPECT_EQ(f.endWord, front ? "Front" : "Rear");
  }
  EXPECT_EQ(TireTypeNote("Front"),
            "Note:  Traction Factor can be changed without the program changing the Front Tire Type.  Other Front "
            "Tire specs are considered unique to the tire type, and can not be changed without the program changing "
            "the name of the Front Tire Type back to 'Use Specs Below'.");
}

// The chooser pairs the library with the frame, whatever its caption; Save
// Example refuses estimated tires and a frame that already holds an example.
TEST(TiresRules, ExampleLibrariesAndSaveRefusals) {
  for (auto [entry, shown] : {std::pair{0, "FTIRE FTR 10 0"}, {1, "RTIRE RTR 12 3"}}) {
    const TireLibrary l = TireLibraryOfEntry(entry);
    EXPECT_EQ(std::string(l.component) + " " + l.prefix + " " + std::to_string(l.nameSlot) + " " +
                  std::to_string(l.typeRow), shown);
  }

  const std::string already = "already:\r\r    ", newName = "\r\rrename";
  auto refusal = [&](int entry, int front, int rear, const char* name) {
    return TireSaveRefusal(entry, front, rear, "Rear Wheel/Tire Specs", name, already, newName);
  };
  EXPECT_EQ(refusal(0, 0, 0, ""),
            "Rear Wheel/Tire Specs are currently being estimated by the program.  These specs can not be saved as an "
            "example.");
  EXPECT_EQ(refusal(0, 3, 0, "Ex Tire: 26x8 DOT"), already + "Ex Tire: 26x8 DOT" + newName);
  EXPECT_EQ(refusal(1, 1, 2, "Ex Tire: 31x13 Slick"), already + "Ex Tire: 31x13 Slick" + newName);
  EXPECT_EQ(refusal(0, 1, 2, "x"), "");
  EXPECT_EQ(refusal(1, 0, 0, "x"), "");
  EXPECT_EQ(refusal(1, 3, 1, "x"), "");
}
