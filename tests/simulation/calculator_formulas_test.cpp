#include "simulation/calculator_formulas.h"

#include <gtest/gtest.h>

#include "platform/text.h"
#include "support/calculator_scene.h"

namespace sw::test {
namespace {

using Texts = std::vector<std::string>;

struct CalculatorFormulasTest : ::testing::Test {
  CalculatorScene scene;
  CalculatorForm form;
  // Opens calculator n and works its rows in order: "k=text" types into
  // value row k, "k#i" picks entry i of list row k. Returns the outputs.
  Texts Run(int n, std::initializer_list<const char*> moves) {
    form = scene.Open(n);
    EXPECT_TRUE(scene.loaded) << n;
    for (std::string m : moves) {
      const size_t at = m.find_first_of("=#");
      const int k = std::stoi(m.substr(0, at));
      if (m[at] == '#') Pick(form, k, std::stoi(m.substr(at + 1)));
      else EXPECT_TRUE(Type(form, k, m.substr(at + 1))) << m;
    }
    return {Out(form, 0), Out(form, 1), Out(form, 2)};
  }
};

TEST_F(CalculatorFormulasTest, WorkedValues) {
  struct Case {
    const char* what;
    int n;
    std::initializer_list<const char*> moves;
    Texts outputs;
  };
  const Case cases[] = {
      {"ring and pinion", 1, {"1#0", "2=10", "3=41"}, {"4.10", "", ""}},
      {"primary gears and sprockets: 7.125 rounds up", 1, {"1#3", "2=24", "3=57", "4=15", "5=45"}, {"7.13", "", ""}},
      {"primary ratio and sprockets", 1, {"1#2", "2=1.6", "4=15", "5=45"}, {"4.80", "", ""}},
      {"rear tires weighed", 2, {"1=3200", "2=1760", "3#1"}, {"55.0", "", ""}},
      {"front tires weighed", 2, {"1=3200", "2=1440", "3#0"}, {"55.0", "", ""}},
      {"frontal area", 3, {"1=60", "2=52"}, {"21.67", "", ""}},
      {"metric tire", 5, {"1#0", "2=275", "4=60", "5=15"}, {"27.2", "8.6", ""}},
      {"letter G tire", 5, {"1#1", "3#6", "4=78", "5=15"}, {"26.8", "5.2", ""}},
      {"loaded radius: no 0.97", 5, {"1#2", "6=13"}, {"26.0", "", ""}},
      {"circumference", 5, {"1#3", "7=84"}, {"25.9", "", ""}},
      {"front tire shows no tread", 4, {"1#0", "2=275", "4=60", "5=15"}, {"27.2", "", ""}},
      {"quarter mile", 6, {"1#0", "2=3000", "3=120", "4=350", "6=6000"}, {"420.7", "405.0", "4300"}},
      {"eighth mile", 6, {"1#1", "2=3000", "3=96", "4=350", "6=6000"}, {"420.7", "405.0", "4300"}},
      {"by displacement, level 100", 6, {"1#2", "4=350", "5#2", "6=6000"}, {"423.9", "408.0", "4300"}},
      {"no trap speed", 6, {"1#0", "2=3000", "4=350", "6=6000"}, {"", "", ""}},
      {"traction entry", 8, {"1#2"}, {"100", "", ""}},
      {"growth entry", 9, {"1#6"}, {"12", "", ""}},
      {"liters", 27, {"1#1", "2=5.7"}, {"347.77", "", ""}},
      {"dew point", 50, {"1#0", "2=70", "3=50"}, {"50.6", "", ""}},
      {"humidity from dew point", 51, {"1#0", "2=70", "3=50.6"}, {"50.9", "", ""}},
      {"wet bulb humidity", 51, {"1#1", "4=90", "5=70"}, {"36.0", "", ""}},
      {"wet bulb dew point", 50, {"1#1", "4=90", "5=70"}, {"59.0", "", ""}},
      {"hot dry bulb holds the 40 C row", 41, {"1#1", "4=110", "5=80"}, {"23.0", "", ""}},
      {"wet bulb above dry bulb", 47, {"1#1", "4=80", "5=85"}, {"100.0", "", ""}},
      {"dew point not above the air", 44, {"1#1", "4=80", "5=85"}, {"80.0", "", ""}},
  };
  for (const Case& c : cases) EXPECT_EQ(Run(c.n, c.moves), c.outputs) << c.what;
}

TEST_F(CalculatorFormulasTest, RowsLimitsAndStates) {
  // Final drive: the method greys rows and sets row 2's limits.
  Run(1, {});
  for (int k = 2; k <= 5; ++k) EXPECT_FALSE(form.Row(k).enabled) << k;
  Run(1, {"1#2", "2=0.25"});
  EXPECT_EQ(Texts({form.Row(2).caption, form.Row(3).caption}), Texts({"Primary Gear Ratio", ""}));
  EXPECT_FALSE(Type(form, 2, "12"));
  Pick(form, 1, 0);
  EXPECT_FALSE(Type(form, 2, "3"));
  EXPECT_TRUE(Type(form, 2, "300"));
  // No pinion: no result, caption and value greyed, CalcValue kept.
  Run(1, {"1#0", "2=10", "3=41", "2="});
  EXPECT_EQ(Out(form, 0), "");
  EXPECT_FALSE(form.out[0].nameEnabled || form.out[0].valueEnabled);
  EXPECT_DOUBLE_EQ(form.calcValue, 4.1);
  // Each tire method greys the rows it does not use; calculator 7 offers
  // only the two size methods.
  Run(5, {"1#0"});
  const bool metric[] = {false, true, false, true, true, false, false};
  for (int k = 2; k <= 7; ++k) EXPECT_EQ(form.Row(k).enabled, metric[k - 1]) << k;
  EXPECT_EQ(scene.Open(7).Row(1).entries.size(), 2u);
}

TEST_F(CalculatorFormulasTest, ValueBoxChecks) {
  Run(1, {"1#0", "3=41"});
  // Letters read as 0 and are refused; the old text comes back.
  EXPECT_FALSE(Type(form, 3, "abc"));
  EXPECT_EQ(form.Row(3).text, "41");
  const ScriptedUi::Box& box = scene.ui.boxes().back();
  EXPECT_EQ(Texts({box.prompt, box.title}),
            Texts({"# Teeth, Ring Gear = 0.  Value must be between  5 and  300 .", "Warning"}));
  EXPECT_EQ(box.style, mb::Exclamation);
  // Digits followed by letters keep the digits; the limits are inclusive.
  EXPECT_TRUE(Type(form, 3, "45 teeth"));
  EXPECT_EQ(form.Row(3).text, "45");
  EXPECT_TRUE(Type(form, 3, "5"));
  // An emptied box is not tested but recalculates, so no output shows a
  // result of a value no longer shown.
  Run(3, {"1=60", "2=52", "2="});
  EXPECT_EQ(Out(form, 0), "");
  EXPECT_EQ(scene.ui.boxes().size(), 1u);
}

TEST_F(CalculatorFormulasTest, HorsepowerPrefill) {
  // Peak figures only: the torque outputs stay greyed; with peak torque
  // they show.
  SetSpecText({{kEngine, 0, "0"}, {kEngine, 1, "350"}, {kEngine, 4, "420"}, {kEngine, 5, "6000"}, {kVehicle, 0, "3000"}});
  Run(6, {"1#0", "3=120"});
  EXPECT_EQ(Texts({form.Row(2).text, form.Row(4).text, form.Row(6).text}), Texts({"3000", "350", "6000"}));
  EXPECT_TRUE(form.out[0].nameEnabled && !form.out[1].nameEnabled && !form.out[2].valueEnabled);
  SetSpecText({{kEngine, 0, "1"}, {kEngine, 2, "400"}, {kEngine, 3, "4500"}});
  Run(6, {"1#0", "3=120"});
  EXPECT_TRUE(form.out[1].nameEnabled && form.out[2].nameEnabled);
}

TEST_F(CalculatorFormulasTest, HumidityTable) {
  SetSpecText({{kConditions, 2, "72"}, {kDialIn, 10, "65"}});
  EXPECT_EQ(scene.Open(51).Row(2).text, "72");
  EXPECT_EQ(scene.Open(48).Row(4).text, "65");
  EXPECT_EQ(CalcMenuPages, "71-72");
  // A missing, short or damaged table (a cell no humidity 0..100 among them): the output blank, the note says why.
  std::string cells;
  for (int c = 1; c < kHumidityRows * kHumidityCols; ++c) cells += "50,";
  for (const std::string& bytes : {std::string(), std::string("100,82,65\r\n"), std::string("x"),
                                   cells + "84777776777777", cells + "-1"}) {
    if (!bytes.empty()) scene.Write("CALC/RHDATA.CLC", bytes);
    else scene.Remove("CALC/RHDATA.CLC");
    EXPECT_EQ(Run(51, {"1#1", "4=90", "5=70"})[0], "");
    EXPECT_EQ(form.note, kHumidityTableMissing);
  }
  // The air temperature method needs no table; the layout's note is back.
  EXPECT_EQ(Run(50, {"1#1", "4=90", "5=70", "1#0", "2=70", "3=50"})[0], "50.6");
  EXPECT_EQ(form.note, form.noteText);

  std::filesystem::copy(std::filesystem::path(SW_SOURCE_DIR) / "data/CALC/RHDATA.CLC", scene.File("CALC/RHDATA.CLC"),
                        std::filesystem::copy_options::overwrite_existing);
  std::optional<HumidityTable> t = ReadHumidityTable();
  ASSERT_TRUE(t);
  struct Corner {
    double dry, wet;
    int rh;
  } corners[] = {
      {80, 80, 100},  // no depression: column 0
      {80, 90, 100},  // a wet bulb above the dry bulb reads column 0 too
      {104, 68, 13},  // 40 C, 20 C depression: the last cell exactly
      {140, 40, 13},  // beyond the table on both sides: held at its edge
      {20, 10, 7},    // below freezing: the 0 C row
      {59, 50, 53},   // 15 C, 5 C depression: halfway from column 4 to 5
  };
  for (const Corner& c : corners) EXPECT_EQ(WetBulbHumidity(*t, c.dry, c.wet), c.rh) << c.dry << "/" << c.wet;
}

}  // namespace
}  // namespace sw::test
