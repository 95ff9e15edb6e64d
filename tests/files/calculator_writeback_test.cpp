#include "files/calculator_writeback.h"

#include <gtest/gtest.h>

#include "platform/text.h"
#include "support/calculator_scene.h"

namespace sw::test {
namespace {

using Texts = std::vector<std::string>;
const std::string kCR(1, '\r');

struct CalculatorWritebackTest : ::testing::Test {
  CalculatorScene scene;
  CalculatorForm f;

  void Open(int n, int method = -1) {
    f = scene.Open(n);
    ASSERT_TRUE(scene.loaded);
    if (method >= 0) Pick(f, 1, method);
  }
  CalcValueResult Use(std::initializer_list<int> answers = {}) {
    for (int a : answers) scene.ui.Answer(a);
    return UseCalcValue(f);
  }
  Texts Prompts() const {
    Texts out;
    for (const auto& b : scene.ui.boxes()) out.push_back(b.prompt);
    return out;
  }
  Texts Titles() const {
    Texts out;
    for (const auto& b : scene.ui.boxes()) out.push_back(b.title);
    return out;
  }
};

TEST_F(CalculatorWritebackTest, FinalDriveGearOrder) {
  // Both pairs reversed: one question per pair; No to the first stops.
  Open(1, 3);
  for (auto [k, t] : {std::pair{2, "57"}, {3, "24"}, {4, "45"}, {5, "15"}}) Type(f, k, t);
  EXPECT_FALSE(Use({ans::No}).close);
  EXPECT_EQ(Prompts(), Texts({"For most situations, #Teeth, Engine Primary Gear will be less than #Teeth, Clutch "
                              "Primary Gear.  (Check page 65 in the manual.)" + kCR + kCR +
                              "Use calculated value anyway?"}));
  EXPECT_EQ(scene.ui.boxes()[0].title, "Unusual Gear Combination");
  EXPECT_EQ(scene.ui.boxes()[0].style, mb::YesNo + mb::Question + mb::DefaultButton2);
  scene.ui.Clear();
  EXPECT_FALSE(Use({ans::Yes, ans::No}).close);
  EXPECT_EQ(Titles(), Texts({"Unusual Gear Combination", "Unusual Gear Combination"}));
  EXPECT_EQ(fst.SpecsChanged, 0);
  // The usual order: written as shown.
  for (auto [k, t] : {std::pair{2, "24"}, {3, "57"}, {4, "15"}, {5, "45"}}) Type(f, k, t);
  scene.ui.Clear();
  EXPECT_TRUE(Use().close);
  EXPECT_TRUE(scene.ui.boxes().empty());
  EXPECT_EQ(SpecAt(kVehicle, 1), "7.13");
  EXPECT_EQ(fst.SpecsChanged, 1);
  EXPECT_EQ(scene.host.refilled, std::vector<int>({kVehicle}));

  // Nothing chosen: no gear question, and no result to use.
  Open(1);
  scene.ui.Clear();
  EXPECT_FALSE(Use().close);
  EXPECT_EQ(Prompts(), Texts({"No Final Drive Ratio has been calculated.  No Final Drive Ratio can be used."}));
  EXPECT_EQ(Titles(), Texts({" "}));
}

TEST_F(CalculatorWritebackTest, NormalLimits) {
  // Exactly at a limit is accepted (frontal area 3 to 80 sq ft).
  Open(3);
  Type(f, 1, "20");
  Type(f, 2, "21.6");
  EXPECT_EQ(Out(f, 0), "3.00");
  EXPECT_TRUE(Use().close);
  EXPECT_EQ(SpecAt(kVehicle, 10), "3.00");
  // Outside: No keeps the window, Yes closes it without writing.
  Type(f, 1, "90");
  Type(f, 2, "150");
  scene.ui.Clear();
  EXPECT_FALSE(Use({ans::No}).close);
  EXPECT_EQ(Prompts(), Texts({"Calculated Frontal Area, sq ft is outside normal limit of  3 to  80.  Check your inputs as this "
                              "combination seems quite unusual." + kCR + kCR +
                              "Do you still want to close this menu?  (If you answer Yes, you will have to re-enter "
                              "these numbers again.)"}));
  EXPECT_EQ(scene.ui.boxes()[0].style, mb::YesNoCancel + mb::Question + mb::DefaultButton2);
  EXPECT_FALSE(Use({ans::Cancel}).close);
  CalcValueResult r = Use({ans::Yes});
  EXPECT_TRUE(r.close);
  EXPECT_EQ(SpecAt(kVehicle, 10), "3.00");
  EXPECT_TRUE(r.menusWritten.empty());
}

TEST_F(CalculatorWritebackTest, ExampleSetAndOffers) {
  SetSpecText({{kVehicle, 0, "3200.0"}, {kVehicle, 3, " 2"}, {kVehicle, 15, "Pro Street Camaro"}, {kVehicle, 16, "1"}});
  Open(2);
  Type(f, 1, "3200");
  Type(f, 2, "1760");
  Pick(f, 3, 1);
  // No to the example question: nothing written, the window stays.
  CalcValueResult r = Use({ans::No});
  EXPECT_FALSE(r.close);
  EXPECT_EQ(Prompts(), Texts({"Changing this value means these specs no longer match:" + kCR + kCR +
                              "    Pro Street Camaro" + kCR + kCR + "Change this spec anyway?"}));
  EXPECT_EQ(Titles(), Texts({"Change these Example Specs?"}));
  EXPECT_EQ(scene.ui.boxes()[0].style, mb::YesNo + mb::DefaultButton2);
  EXPECT_EQ(fst.SpecsChanged, 0);
  // Yes: the set is broken, the share written; the weight equals the spec
  // numerically, so it is not offered.
  scene.ui.Clear();
  r = Use({ans::Yes});
  EXPECT_TRUE(r.close);
  EXPECT_EQ(scene.ui.boxes().size(), 1u);
  EXPECT_EQ(Texts({SpecAt(kVehicle, 15), SpecAt(kVehicle, 16), SpecAt(kVehicle, 3), SpecAt(kVehicle, 5)}),
            Texts({"", "", "0", "55.0"}));
  EXPECT_TRUE(r.exampleBroken);
  EXPECT_EQ(std::vector<int>({r.exampleListIndex, r.exampleMenu}), std::vector<int>({0, 3}));

  // A different weight is offered; No keeps the spec as it was.
  Type(f, 1, "3300");
  scene.ui.Clear();
  EXPECT_TRUE(Use({ans::No}).close);
  EXPECT_EQ(Prompts(), Texts({"Do you want the Vehicle Weight you entered here of 3300 pounds to be used as the "
                              "Vehicle Weight in the Vehicle Specs menu?" + kCR + kCR +
                              "Vehicle Weight is currently set to 3200.0 pounds."}));
  EXPECT_EQ(Titles(), Texts({"Use This Vehicle Weight Also?"}));
  EXPECT_EQ(scene.ui.boxes()[0].style, mb::YesNo);
  EXPECT_EQ(SpecAt(kVehicle, 0), "3200.0");
  Use({ans::Yes});
  EXPECT_EQ(SpecAt(kVehicle, 0), "3300");
}

TEST_F(CalculatorWritebackTest, TireWriteBacks) {
  SetSpecText({{kTires, 12, "Slick"}, {kTires, 13, "1"}});
  // Tread width first; a No to the diameter keeps it.
  Open(7, 0);
  for (auto [k, t] : {std::pair{2, "275"}, {4, "60"}, {5, "15"}}) Type(f, k, t);
  Use({ans::Yes, ans::No});
  EXPECT_EQ(Texts({SpecAt(kTires, 7), SpecAt(kTires, 5), SpecAt(kTires, 3), SpecAt(kTires, 12)}),
            Texts({"8.6", "", "0", ""}));
  EXPECT_EQ(scene.ui.boxes()[1].prompt,
            "Do you want to also use the calculated:" + kCR + kCR + "   Tire Diameter Width = 27.2 inches ?");
  EXPECT_EQ(scene.ui.boxes()[1].title, "Use Tire Diameter Also?");
  // Rear diameter, with its tread width offered.
  Open(5, 0);
  for (auto [k, t] : {std::pair{2, "275"}, {4, "60"}, {5, "15"}}) Type(f, k, t);
  scene.ui.Clear();
  Use({ans::Yes});
  EXPECT_EQ(Prompts(), Texts({"Do you want to also use the calculated:" + kCR + kCR + "   Tread Width = 8.6 inches ?"}));
  EXPECT_EQ(SpecAt(kTires, 5), "27.2");
  // The front tires keep their own example set: choice 1 puts it back.
  SetSpecText({{kTires, 10, "Front Runner"}, {kTires, 11, "1"}});
  Open(4, 2);
  Type(f, 6, "12");
  CalcValueResult r = Use({ans::Yes});
  EXPECT_EQ(Texts({SpecAt(kTires, 2), SpecAt(kTires, 0), SpecAt(kTires, 11)}), Texts({"24.0", "1", ""}));
  EXPECT_EQ(r.exampleListIndex, 1);
  // Traction asks nothing about the rear example.
  SpecAt(kTires, 13) = "1";
  Open(8);
  Pick(f, 1, 2);
  scene.ui.Clear();
  EXPECT_TRUE(Use().close);
  EXPECT_TRUE(scene.ui.boxes().empty());
  EXPECT_EQ(SpecAt(kTires, 8), "100");
}

TEST_F(CalculatorWritebackTest, HumidityAndAirTemperature) {
  SpecAt(kConditions, 2) = "75";
  // Air temperature method: the humidity row first, then the typed air
  // temperature offered.
  Open(50, 0);
  Type(f, 2, "70");
  Type(f, 3, "50");
  CalcValueResult r = Use({ans::No});
  EXPECT_TRUE(r.close);
  EXPECT_EQ(SpecAt(kConditions, 3), "50.6");
  EXPECT_EQ(SpecAt(kConditions, 2), "75");
  EXPECT_EQ(Prompts(), Texts({"Do you want the Outside Air Temp you entered here of 70 degrees to be used as the Air "
                              "Temp in the Calculate Performance Conditions menu?" + kCR + kCR +
                              "Air Temp is currently set to 75 degrees."}));
  EXPECT_EQ(Titles(), Texts({"Use This Air Temp Also?"}));
  // Wet bulb: the dry bulb is offered.
  SpecAt(kDialIn, 1) = "60";
  Open(47, 1);
  Type(f, 4, "90");
  Type(f, 5, "70");
  scene.ui.Clear();
  Use({ans::Yes});
  EXPECT_EQ(Texts({SpecAt(kDialIn, 2), SpecAt(kDialIn, 1)}), Texts({"36.0", "90"}));
  EXPECT_EQ(Titles(), Texts({"Use This Dry Bulb Temp Also?"}));
  EXPECT_NE(Prompts()[0].find(" in the Dial In menu?"), std::string::npos);
  EXPECT_EQ(scene.host.refilled, std::vector<int>({kConditions, kDialIn}));
}

TEST_F(CalculatorWritebackTest, HorsepowerWriteBacks) {
  auto run = [&] {
    Open(6, 0);
    Type(f, 2, "3000");
    Type(f, 3, "120");
    Type(f, 4, "350");
    Type(f, 6, "6000");
  };
  // Peak horsepower only; the weight and displacement offered.
  SetSpecText({{kEngine, 0, "3"}, {kVehicle, 0, "3400"}, {kEngine, 1, "350"}});
  run();
  scene.ui.Clear();
  Use({ans::Yes});
  EXPECT_EQ(Texts({tbl.SpecText[0], tbl.SpecText[4], tbl.SpecText[5], tbl.SpecText[6], SpecAt(kVehicle, 0)}),
            Texts({"0", "420.7", "6000", "0", "3000"}));
  EXPECT_EQ(Titles(), Texts({"Use This Vehicle Weight Also?"}));

  // Peak torque and horsepower.
  tbl.SpecText[0] = "1";
  run();
  Use();
  EXPECT_EQ(Texts({tbl.SpecText[0], tbl.SpecText[2], tbl.SpecText[3], tbl.SpecText[4]}),
            Texts({"1", "405.0", "4300", "420.7"}));

  // A full power curve, linked to an engine example: the example question,
  // then the estimated curve replaces points 0-7; points 8 and 9 go.
  SetSpecText({{kEngine, 0, "4"}, {kEngine, 13, "Big Block"}, {kEngine, 14, "2"}, {kEngine, 4, "500"}});
  for (auto& point : tbl.PowerCurveText) point = {"1", "2", "3", ""};
  run();
  scene.ui.Clear();
  CalcValueResult r = Use({ans::Yes});
  EXPECT_EQ(Titles(), Texts({"Change these Example Specs?"}));
  EXPECT_EQ(std::vector<int>({r.exampleListIndex, r.exampleMenu}), std::vector<int>({2, 0}));
  EXPECT_EQ(Texts({tbl.SpecText[0], tbl.SpecText[4], tbl.SpecText[13], tbl.SpecText[14]}),
            Texts({"2", "500", "", ""}));
  Texts points;
  for (int p : {0, 4, 7, 8, 9})
    for (int c = 0; c < 3; ++c) points.push_back(tbl.PowerCurveText[static_cast<size_t>(p)][static_cast<size_t>(c)]);
  EXPECT_EQ(points, Texts({"2200", "324.0", "135.7", "6000", "368.5", "421.0", "6900", "216.3", "284.2", "", "", "",
                           "", "", ""}));
  EXPECT_EQ(tbl.PowerCurveText[10][0], "1");
  EXPECT_EQ(scene.host.curvesShown, 1);
}

TEST_F(CalculatorWritebackTest, WeightAndDisplacement) {
  Open(27, 1);
  Type(f, 2, "5.7");
  // Displacement belongs to the engine's example set.
  SetSpecText({{kEngine, 13, "LS1"}, {kEngine, 14, "1"}});
  EXPECT_FALSE(Use({ans::No}).close);
  EXPECT_EQ(tbl.SpecText[1], "");
  Use({ans::Yes});
  EXPECT_EQ(Texts({tbl.SpecText[1], tbl.SpecText[0]}), Texts({"347.77", "1"}));

  scene.Write("TEXT/vehweight.txt", std::string(8, '\n') + "93\nChevrolet\nCamaro\nZ28\n3450\n40\n190\n");
  Open(24);
  for (int k = 1; k <= 4; ++k) Pick(f, k, k == 1 ? 8 : 0);
  Pick(f, 5, 1);
  Pick(f, 6, 0);
  Type(f, 7, "180");
  Type(f, 8, "5");
  Use();
  EXPECT_EQ(SpecAt(kVehicle, 0), "3670");
}

}  // namespace
}  // namespace sw::test
