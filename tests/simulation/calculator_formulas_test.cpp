#include "simulation/calculator_formulas.h"

#include <gtest/gtest.h>

#include "platform/text.h"
#include "support/calculator_scene.h"

namespace sw::test {
namespace {

using Texts = std::vector<std::string>;

struct CalculatorFormulasTest : ::testing::Test {
  CalculatorScene scene;
  // Opens calculator n, picks the method in row 1 and types the rows given
  // as {row, text}; returns the three outputs.
  Texts Run(int n, int method, std::initializer_list<std::pair<int, const char*>> rows) {
    form = scene.Open(n);
    EXPECT_TRUE(scene.loaded) << n << (scene.ui.boxes().empty() ? "" : scene.ui.boxes().back().prompt);
    if (method >= 0) Pick(form, 1, method);
    for (auto [k, text] : rows) EXPECT_TRUE(Type(form, k, text)) << "row " << k << " = " << text;
    return {Out(form, 0), Out(form, 1), Out(form, 2)};
  }
  CalculatorForm form;
};

TEST_F(CalculatorFormulasTest, WorkedValues) {
  struct Case {
    const char* what;
    int n, method;
    std::initializer_list<std::pair<int, const char*>> rows;
    Texts outputs;
  };
  const Case cases[] = {
      {"ring and pinion", 1, 0, {{2, "10"}, {3, "41"}}, {"4.10", "", ""}},
      {"primary gears and sprockets: 7.125 rounds up", 1, 3, {{2, "24"}, {3, "57"}, {4, "15"}, {5, "45"}}, {"7.13", "", ""}},
      {"primary ratio and sprockets", 1, 2, {{2, "1.6"}, {4, "15"}, {5, "45"}}, {"4.80", "", ""}},
      {"chain sprockets", 1, 1, {{4, "15"}, {5, "45"}}, {"3.00", "", ""}},
      {"rear tires weighed", 2, -1, {{1, "3200"}, {2, "1760"}}, {"", "", ""}},
      {"frontal area", 3, -1, {{1, "60"}, {2, "52"}}, {"21.67", "", ""}},
      {"metric tire", 5, 0, {{2, "275"}, {4, "60"}, {5, "15"}}, {"27.2", "8.6", ""}},
      {"loaded radius: no 0.97", 5, 2, {{6, "13"}}, {"26.0", "", ""}},
      {"circumference", 5, 3, {{7, "84"}}, {"25.9", "", ""}},
      {"front tire shows no tread", 4, 0, {{2, "275"}, {4, "60"}, {5, "15"}}, {"27.2", "", ""}},
      {"quarter mile", 6, 0, {{2, "3000"}, {3, "120"}, {4, "350"}, {6, "6000"}}, {"420.7", "405.0", "4300"}},
      {"eighth mile", 6, 1, {{2, "3000"}, {3, "96"}, {4, "350"}, {6, "6000"}}, {"420.7", "405.0", "4300"}},
      {"liters", 27, 1, {{2, "5.7"}}, {"347.77", "", ""}},
      {"cc", 27, 0, {{2, "5735"}}, {"349.91", "", ""}},
      {"dew point", 50, 0, {{2, "70"}, {3, "50"}}, {"50.6", "", ""}},
      {"humidity from dew point", 51, 0, {{2, "70"}, {3, "50.6"}}, {"50.9", "", ""}},
      {"wet bulb humidity", 51, 1, {{4, "90"}, {5, "70"}}, {"36.0", "", ""}},
      {"wet bulb dew point", 50, 1, {{4, "90"}, {5, "70"}}, {"59.0", "", ""}},
      {"hot dry bulb holds the 40 C row", 41, 1, {{4, "110"}, {5, "80"}}, {"23.0", "", ""}},
      {"wet bulb above dry bulb", 47, 1, {{4, "80"}, {5, "85"}}, {"100.0", "", ""}},
      {"dew point not above the air", 44, 1, {{4, "80"}, {5, "85"}}, {"80.0", "", ""}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Run(c.n, c.method, c.rows), c.outputs);
  }
}

TEST_F(CalculatorFormulasTest, WeightDistributionEitherEnd) {
  Run(2, -1, {{1, "3200"}, {2, "1760"}});
  Pick(form, 3, 1);
  EXPECT_EQ(Out(form, 0), "55.0");
  Type(form, 2, "1440");
  Pick(form, 3, 0);
  EXPECT_EQ(Out(form, 0), "55.0");
  Type(form, 1, "3000");
  Type(form, 2, "1500");
  for (int end : {0, 1}) {
    Pick(form, 3, end);
    EXPECT_EQ(Out(form, 0), "50.0");
  }
}

TEST_F(CalculatorFormulasTest, FinalDriveRowsAndLimitsFollowTheMethod) {
  Run(1, -1, {});
  for (int k = 2; k <= 5; ++k) EXPECT_FALSE(form.Row(k).enabled) << k;
  Pick(form, 1, 2);
  EXPECT_EQ(form.Row(2).caption, "Primary Gear Ratio");
  EXPECT_EQ(form.Row(3).caption, "");
  EXPECT_EQ(Texts({Str(form.Row(2).min), Str(form.Row(2).max)}), Texts({" .25", " 10"}));
  EXPECT_TRUE(Type(form, 2, "0.25"));
  EXPECT_FALSE(Type(form, 2, "12"));
  Pick(form, 1, 0);
  EXPECT_EQ(Texts({Str(form.Row(2).min), Str(form.Row(2).max)}), Texts({" 5", " 300"}));
  EXPECT_EQ(form.Row(2).caption, "# Teeth, Pinion Gear");
  EXPECT_FALSE(Type(form, 2, "3"));
  EXPECT_TRUE(Type(form, 2, "300"));
  Pick(form, 1, 3);
  EXPECT_EQ(form.Row(2).caption, "#Teeth, Engine Primary Gear");

  // No pinion: no result, its caption and value greyed, CalcValue kept.
  Run(1, 0, {{2, "10"}, {3, "41"}});
  EXPECT_DOUBLE_EQ(form.calcValue, 4.1);
  Type(form, 2, "");
  EXPECT_EQ(Out(form, 0), "");
  EXPECT_FALSE(form.out[0].nameEnabled);
  EXPECT_FALSE(form.out[0].valueEnabled);
  EXPECT_DOUBLE_EQ(form.calcValue, 4.1);
}

TEST_F(CalculatorFormulasTest, ValueBoxChecks) {
  Run(1, 0, {});
  // Letters read as 0 and are refused; the old text comes back.
  EXPECT_TRUE(Type(form, 3, "41"));
  EXPECT_FALSE(Type(form, 3, "abc"));
  EXPECT_EQ(form.Row(3).text, "41");
  EXPECT_EQ(scene.ui.boxes().back().prompt,
            "# Teeth, Ring Gear = 0.  Value must be between  5 and  300 .");
  EXPECT_EQ(scene.ui.boxes().back().title, "Warning");
  EXPECT_EQ(scene.ui.boxes().back().style, mb::Exclamation);
  // Digits followed by letters keep the digits; limits are inclusive.
  EXPECT_TRUE(Type(form, 3, "45 teeth"));
  EXPECT_EQ(form.Row(3).text, "45");
  EXPECT_TRUE(Type(form, 3, "5"));
  EXPECT_FALSE(Type(form, 3, "300.002"));

  // An emptied box is not tested but recalculates, so no output shows a
  // result of a value no longer shown.
  Run(3, -1, {{1, "60"}, {2, "52"}});
  const size_t boxes = scene.ui.boxes().size();
  EXPECT_TRUE(Type(form, 2, ""));
  EXPECT_EQ(Out(form, 0), "");
  EXPECT_EQ(scene.ui.boxes().size(), boxes);
}

TEST_F(CalculatorFormulasTest, TireCalculators) {
  // Letter sizes: G is the seventh letter.
  Run(5, 1, {{4, "78"}, {5, "15"}});
  Pick(form, 3, 6);
  EXPECT_EQ(form.Row(3).ListText(), "G");
  EXPECT_EQ(Texts({Out(form, 0), Out(form, 1)}), Texts({"26.8", "5.2"}));
  EXPECT_EQ(form.Row(3).entries.size(), 14u);
  // Each method greys the rows it does not use.
  const bool metric[] = {false, true, false, true, true, false, false};
  Pick(form, 1, 0);
  for (int k = 2; k <= 7; ++k) EXPECT_EQ(form.Row(k).enabled, metric[k - 1]) << k;
  // The tread width calculator offers only the two size methods.
  EXPECT_EQ(scene.Open(7).Row(1).entries.size(), 2u);
  EXPECT_EQ(scene.Open(4).Row(1).entries.size(), 4u);
}

TEST_F(CalculatorFormulasTest, HorsepowerCalculator) {
  // Nothing typed into the MPH row: every output blank.
  EXPECT_EQ(Run(6, 0, {}), Texts({"", "", ""}));
  // By displacement and RPM with a level of 100 (%).
  Run(6, 2, {{4, "350"}, {6, "6000"}});
  Pick(form, 5, 2);
  EXPECT_EQ(Val(form.Row(5).ListText()), 100);
  EXPECT_EQ(Out(form, 0), "423.9");
  EXPECT_EQ(form.Row(3).enabled, false);
}

TEST_F(CalculatorFormulasTest, HorsepowerPrefillAndTorqueOutputs) {
  // Peak figures only: the torque outputs stay greyed.
  tbl.SpecText[0] = "0";
  tbl.SpecText[1] = "350";
  tbl.SpecText[4] = "420";
  tbl.SpecText[5] = "6000";
  SpecAt(kVehicle, 0) = "3000";
  Run(6, 0, {{3, "120"}});
  EXPECT_EQ(Texts({form.Row(2).text, form.Row(4).text, form.Row(6).text}), Texts({"3000", "350", "6000"}));
  EXPECT_TRUE(form.out[0].nameEnabled);
  EXPECT_FALSE(form.out[1].nameEnabled);
  EXPECT_FALSE(form.out[2].valueEnabled);
  // Peak torque and horsepower: they show.
  tbl.SpecText[0] = "1";
  tbl.SpecText[2] = "400";
  tbl.SpecText[3] = "4500";
  Run(6, 0, {{3, "120"}});
  EXPECT_TRUE(form.out[1].nameEnabled);
  EXPECT_TRUE(form.out[2].nameEnabled);
}

TEST_F(CalculatorFormulasTest, ListGuides) {
  Run(8, -1, {});
  EXPECT_EQ(Out(form, 0), "");
  for (auto [index, shown] : {std::pair{0, "120"}, {2, "100"}, {3, "90"}}) {
    Pick(form, 1, index);
    EXPECT_EQ(Out(form, 0), shown);
  }
  Run(9, -1, {});
  Pick(form, 1, 6);
  EXPECT_EQ(Out(form, 0), "12");
  Pick(form, 1, 0);
  EXPECT_EQ(Out(form, 0), "0");
}

TEST_F(CalculatorFormulasTest, HumidityPrefillAndTable) {
  SpecAt(kConditions, 2) = "72";
  SpecAt(kDialIn, 10) = "65";
  EXPECT_EQ(scene.Open(51).Row(2).text, "72");
  EXPECT_EQ(scene.Open(48).Row(4).text, "65");
  EXPECT_EQ(CalcMenuPages, "71-72");

  // A missing or short table: the output blank, the note says why.
  scene.Remove("CALC/RHDATA.CLC");
  Run(51, 1, {{4, "90"}, {5, "70"}});
  EXPECT_EQ(Out(form, 0), "");
  EXPECT_EQ(form.note, kHumidityTableMissing);
  scene.Write("CALC/RHDATA.CLC", "100,82,65\r\n");
  Run(50, 1, {{4, "90"}, {5, "70"}});
  EXPECT_EQ(Out(form, 0), "");
  // Back to the air temperature method: the note is the layout's again.
  scene.Write("CALC/RHDATA.CLC", "x");
  Pick(form, 1, 0);
  Type(form, 2, "70");
  Type(form, 3, "50");
  EXPECT_EQ(Out(form, 0), "50.6");
}

TEST_F(CalculatorFormulasTest, WetBulbTableCorners) {
  std::optional<HumidityTable> t = ReadHumidityTable();
  ASSERT_TRUE(t);
  struct Case {
    double dry, wet;
    int rh;
  } cases[] = {
      {80, 80, 100},     // no depression: column 0
      {80, 90, 100},     // a wet bulb above the dry bulb reads column 0 too
      {104, 68, 13},     // 40 C, 20 C depression: the last cell exactly
      {140, 40, 13},     // beyond the table on both sides: held at its edge
      {20, 10, 7},       // below freezing: the 0 C row
      {59, 50, 53},      // 15 C, 5 C depression: halfway from column 4 to 5
  };
  for (const Case& c : cases) EXPECT_EQ(WetBulbHumidity(*t, c.dry, c.wet), c.rh) << c.dry << "/" << c.wet;
}

}  // namespace
}  // namespace sw::test
