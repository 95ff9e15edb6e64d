#include "files/vehicle_weights.h"

#include <gtest/gtest.h>

#include "support/calculator_scene.h"

namespace sw::test {
namespace {

using Texts = std::vector<std::string>;

// Records as "year|make|model|descriptor|base|automatic|convertible".
std::string Table(const Texts& records) {
  std::string out;
  for (int i = 0; i < 8; ++i) out += "header line\r\n";
  for (const std::string& r : records) {
    size_t pos = 0;
    for (size_t bar; (bar = r.find('|', pos)) != std::string::npos; pos = bar + 1) out += r.substr(pos, bar - pos) + "\r\n";
    out += r.substr(pos) + "\r\n";
  }
  return out;
}

struct VehicleWeightsTest : ::testing::Test {
  CalculatorScene scene;
  CalculatorForm f;

  void Use(const Texts& records) {
    scene.Write("TEXT/vehweight.txt", Table(records));
    f = scene.Open(24);
    ASSERT_TRUE(scene.loaded);
  }
  // Picks year, make, model and descriptor, the two options (0 No, 1 Yes),
  // and types the driver weight and the gallons.
  void Choose(const std::string& year, const std::string& make, const std::string& model, const std::string& desc,
              int automatic, int convertible, const char* added = "0", const char* gallons = "5") {
    ASSERT_TRUE(PickText(f, 1, year));
    ASSERT_TRUE(PickText(f, 2, make));
    ASSERT_TRUE(PickText(f, 3, model));
    ASSERT_TRUE(PickText(f, 4, desc));
    Type(f, 7, added);
    Type(f, 8, gallons);
    Pick(f, 5, automatic);
    Pick(f, 6, convertible);
  }
};

const Texts kCamaros = {"90|Chevrolet|Camaro|Z28|3300|60|150", "95|Chevrolet|Camaro|Z28|3400|40|200",
                        "92|Ford|Mustang|GT|3100|60|180"};

TEST_F(VehicleWeightsTest, BetweenTwoYears) {
  Use(kCamaros);
  Choose("1993", "Chevrolet", "Camaro", "Z28", 1, 0, "170", "10");
  EXPECT_EQ(Out(f, 0), "3610");
  EXPECT_EQ(f.note, "A good match was found.");
  EXPECT_TRUE(f.out[0].nameEnabled);
  // Without the automatic, with the top down: 3360 + 180 + 199.988.
  Pick(f, 5, 0);
  Pick(f, 6, 1);
  EXPECT_EQ(Out(f, 0), "3740");
  // The exact year of a car takes its figures unchanged.
  PickText(f, 1, "1995");
  EXPECT_EQ(Out(f, 0), "3800");
}

TEST_F(VehicleWeightsTest, ListsFollowTheChoices) {
  Use({"90|Chevrolet|Camaro|Z28|3300|60|150", "92|Ford|Mustang|GT|3100|60|180",
       "91|Chevrolet|Corvette|Coupe|3200|20|80", "93|Chevrolet|Camaro|RS|3200|60|150"});
  EXPECT_EQ(f.Row(1).entries.front(), "2001");
  EXPECT_EQ(f.Row(1).entries.back(), "1955");
  EXPECT_EQ(f.Row(2).entries, Texts({"Chevrolet", "Ford"}));
  EXPECT_EQ(f.note, kVehicleWeightInstruction);
  PickText(f, 2, "Chevrolet");
  EXPECT_EQ(f.Row(3).entries, Texts({"Camaro", "Corvette"}));
  PickText(f, 3, "Camaro");
  EXPECT_EQ(f.Row(4).entries, Texts({"Z28", "RS"}));
  Choose("1990", "Chevrolet", "Camaro", "RS", 0, 0);
  EXPECT_EQ(Out(f, 0), "3200");
  // A new make clears every later choice: no estimate until they are made.
  PickText(f, 2, "Ford");
  for (int k = 3; k <= 6; ++k) EXPECT_EQ(f.Choice(k), -1) << k;
  EXPECT_EQ(Out(f, 0), "");
  EXPECT_EQ(f.note, kVehicleWeightInstruction);
}

TEST_F(VehicleWeightsTest, ClosestCarAndNotes) {
  struct Case {
    const char* what;
    Texts records;
    const char* year;
    int automatic, convertible;
    const char* weight;
    const char* note;
  } cases[] = {
      {"only older cars: the newest, first of its year",
       {"67|Ford|Falcon|V8|2900|60|-1", "68|Ford|Falcon|V8|3000|-1|110", "68|Ford|Falcon|V8|3050|60|110"},
       "1970", 1, 1, "3110",
       "Estimated weight is based on the closest match found:  1968 Ford Falcon V8  Note: This vehicle probably "
       "was not available with an automatic.  "},
      {"only newer cars: the oldest, last of its year",
       {"05|Ford|Falcon|V8|3300|60|-1", "05|Ford|Falcon|V8|3350|60|-1", "07|Ford|Falcon|V8|3400|60|-1"},
       "2001", 1, 1, "3410",
       "Estimated weight is based on the closest match found:  2005 Ford Falcon V8  Note:   This vehicle "
       "probably was not available as a convertible."},
      {"the year 40 is 1940",
       {"40|Ford|Deluxe|V8|2800|-1|-1"}, "1955", 0, 0, "2800",
       "Estimated weight is based on the closest match found:  1940 Ford Deluxe V8  Note: This vehicle probably "
       "was not available with an automatic.  "},
      {"cars that disagree about an option",
       {"60|Ford|Falcon|V8|2800|-1|100", "70|Ford|Falcon|V8|3000|50|-1"}, "1965", 1, 1, "3050",
       "A relatively good match was found.  Note: This vehicle may not have been available with an automatic.  "
       "This vehicle may not have been available as a convertible."},
      {"neither car offered an automatic: it adds nothing",
       {"60|Ford|Falcon|V8|3005|-1|100", "70|Ford|Falcon|V8|3005|-1|100"}, "1965", 1, 0, "3010",
       "A relatively good match was found.  Note: This vehicle probably was not available with an automatic.  "},
      {"3004.9 rounds down",
       {"60|Ford|Falcon|V8|3004.9|0|0"}, "1960", 0, 0, "3000", "A good match was found."},
      {"a model found inside a longer model name",
       {"64|Ford|Falcon Futura|V8|2900|50|100", "66|Ford|Falcon|V8|3000|50|100"}, "1965", 0, 0, "2950",
       "A good match was found."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Use(c.records);
    Choose(c.year, "Ford", c.records.back().find("Deluxe") != std::string::npos ? "Deluxe" : "Falcon", "V8",
           c.automatic, c.convertible);
    EXPECT_EQ(Out(f, 0), c.weight);
    EXPECT_EQ(f.note, c.note);
  }
}

TEST_F(VehicleWeightsTest, OptionsTakenAway) {
  Use({"60|Ford|Falcon|V8|2800|-1|-1"});
  Choose("1962", "Ford", "Falcon", "V8", 0, 0);
  // No automatic keeps its note; no convertible drops its note.
  EXPECT_EQ(f.note, "Estimated weight is based on the closest match found:  1960 Ford Falcon V8  Note: This "
                    "vehicle probably was not available with an automatic.  ");
  Use({"60|Ford|Falcon|V8|2800|50|80"});
  Choose("1959", "Ford", "Falcon", "V8", 0, 1);
  EXPECT_EQ(Out(f, 0), "2880");
  // No car of that make, model and descriptor: nothing to show.
  Use({"60|Ford|Falcon|V8|2800|50|80", "61|Ford|Falcon|V6|2700|50|80"});
  PickText(f, 1, "1961");
  PickText(f, 2, "Ford");
  PickText(f, 3, "Falcon");
  f.Row(4).entries = {"Wagon"};
  Pick(f, 4, 0);
  Pick(f, 5, 0);
  Pick(f, 6, 0);
  EXPECT_EQ(Out(f, 0), "");
  EXPECT_EQ(f.note, "No close match was found.");
}

TEST_F(VehicleWeightsTest, MissingOrShortTable) {
  scene.Remove("TEXT/vehweight.txt");
  f = scene.Open(24);
  ASSERT_TRUE(scene.loaded);
  EXPECT_TRUE(f.Row(2).entries.empty());
  EXPECT_EQ(f.note, kVehicleWeightTableMissing);
  EXPECT_EQ(Out(f, 0), "");
  // A record cut short takes no part.
  scene.Write("TEXT/vehweight.txt", Table({"60|Ford|Falcon|V8|2800|50|80"}) + "61\r\nFord\r\nFalcon\r\nV8\r\n3900\r\n");
  f = scene.Open(24);
  Choose("1961", "Ford", "Falcon", "V8", 0, 0);
  EXPECT_EQ(Out(f, 0), "2800");
}

}  // namespace
}  // namespace sw::test
