#include "specs/row_rules.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/program_folder.h"
#include "platform/seqfile.h"
#include "platform/text.h"
#include "simulation/tables.h"
#include "support/fixture_vehicle.h"

using namespace sw;

namespace {

const std::filesystem::path kData = std::filesystem::path(SW_SOURCE_DIR) / "data";
const int kRowCounts[7] = {0, 7, 21, 12, 10, 13, 9};  // rows of each spec menu

RowFileContents Parse(const std::string& bytes, int rows) {
  SeqReader in;
  in.OpenBytes(bytes);
  return ParseRowFile(in, rows);
}

// The records of a shipped row file, as the row kit reads them.
RowFileContents Shipped(int menu, int rows) {
  SeqReader in(kData / "QVZHELP" / ("help" + std::to_string(menu) + ".txt"));
  return ParseRowFile(in, rows);
}

RowLimits Limits(int menu, int row) {
  RowFileContents f = Shipped(menu, row + 1);
  EXPECT_TRUE(f.rows.at(row).limits) << menu << "." << row;
  return *f.rows.at(row).limits;
}

std::vector<std::string> Lines(const std::filesystem::path& path) {
  std::string bytes;
  EXPECT_TRUE(ReadFileBytes(path, bytes)) << path;
  std::vector<std::string> out;
  for (size_t pos = 0; pos < bytes.size();) {
    size_t end = bytes.find("\r\n", pos);
    EXPECT_NE(end, std::string::npos) << path << ": every line ends with CR LF";
    if (end == std::string::npos) break;
    out.push_back(bytes.substr(pos, end - pos));
    pos = end + 2;
  }
  return out;
}

}  // namespace

TEST(RowFile, RecordsAndTheirShortForms) {
  RowFileContents f = Parse("Wheelbase, in\r\nCenter to center.\r\n200\r\n80\r\nDrag, Cd\r\nAir.\r\n1.5, .1\r\n", 2);
  ASSERT_EQ(f.rows.size(), 2u);
  EXPECT_TRUE(f.complete);
  EXPECT_EQ(*f.rows[0].caption, "Wheelbase, in");  // whole lines, commas included
  EXPECT_EQ(*f.rows[0].help, "Center to center.");
  EXPECT_EQ(f.rows[0].limits->maximum, 200.0f);
  EXPECT_EQ(f.rows[0].limits->minimum, 80.0f);
  EXPECT_EQ(f.rows[1].limits->maximum, 1.5f);  // maximum and minimum on one line
  EXPECT_EQ(f.rows[1].limits->minimum, 0.1f);

  // Cut short: what was read stays, the rest is missing; limits that are not
  // numbers are not limits.
  f = Parse("Weight\r\nHelp\r\n5000\r\n", 2);
  EXPECT_FALSE(f.complete);
  EXPECT_EQ(*f.rows[0].help, "Help");
  EXPECT_FALSE(f.rows[0].limits);
  EXPECT_FALSE(f.rows[1].caption);
  f = Parse("Weight\r\nHelp\r\nabc\r\n10\r\n", 1);
  EXPECT_FALSE(f.complete);
  EXPECT_FALSE(f.rows[0].limits);

  SeqReader missing;
  missing.Open(std::filesystem::path(SW_SOURCE_DIR) / "no-such-file");
  f = ParseRowFile(missing, 3);
  EXPECT_EQ(f.rows.size(), 3u);
  EXPECT_FALSE(f.complete);
  EXPECT_FALSE(f.rows[0].caption);  // the window's message: the row kit's test
}

TEST(RowFile, WholeNumberRowsAreMarkedByTheMaximum) {
  struct Case {
    float max;
    bool whole;
  } cases[] = {{9999.001f, true}, {20.001f, true}, {1.001f, true}, {12000.001f, false}, {200, false}, {1.5f, false}};
  for (const Case& c : cases) EXPECT_EQ((RowLimits{c.max, 0}.WholeNumber()), c.whole) << c.max;
}

TEST(LeavingABox, Normalising) {
  struct Case {
    const char* text;
    bool whole;
    const char* shown;
  } cases[] = {{"0.50", false, ".5"}, {"12abc", false, "12"}, {"abc", false, "0"}, {"  3400 ", false, "3400"},
               {"2.5", true, "3"},    {"-2.5", true, "-2"},   {"3.49", true, "3"},  {"1E3", false, "1000"},
               {"-.25", false, "-.25"}};
  for (const Case& c : cases) EXPECT_EQ(NormaliseEntry(c.text, c.whole), c.shown) << c.text;
}

TEST(LeavingABox, RangeTestOnTheShippedBodyRows) {
  // Body rows: 0 weight (whole numbers to 9999), 1 final drive (min 1),
  // 7 wheelbase (80 to 200), 11 drag coefficient (min .1).
  const RowLimits weight = Limits(3, 0), axle = Limits(3, 1), wheelbase = Limits(3, 7), drag = Limits(3, 11);
  struct Case {
    RowLimits limits;
    const char* caption;
    const char* typed;
    LeaveStep step;
    const char* shown;
    const char* warning;
    const char* program = "";  // the text the program put into the box
  } cases[] = {
      {wheelbase, "Wheelbase, in", "250", LeaveStep::Refused, "250",
       "Wheelbase, in = 250.  Value must be between  80 and  200 ."},
      {wheelbase, "Wheelbase, in", "200", LeaveStep::Accepted, "200", ""},
      {wheelbase, "Wheelbase, in", "80", LeaveStep::Accepted, "80", ""},
      {axle, "Final Drive Ratio", "abc", LeaveStep::Refused, "0",
       "Final Drive Ratio = 0.  Value must be between  1 and  12 ."},
      {drag, "Drag Coefficient", ".1", LeaveStep::Accepted, ".1", ""},
      {drag, "Drag Coefficient", "0.10", LeaveStep::Accepted, ".1", ""},
      {drag, "Drag Coefficient", ".09", LeaveStep::Refused, ".09",
       "Drag Coefficient = .09.  Value must be between  .1 and  1.5 ."},
      {weight, "Total Weight with Driver, lbs", "9999.4", LeaveStep::Accepted, "9999", ""},
      {weight, "Total Weight with Driver, lbs", "9999.6", LeaveStep::Refused, "10000",
       "Total Weight with Driver, lbs = 10000.  Value must be between  100 and  9999 ."},
      {weight, "Total Weight with Driver, lbs", "3500.5", LeaveStep::Accepted, "3501", ""},
      // The program's own figure stays exactly as it is; any other text is tested.
      {weight, "Total Weight with Driver, lbs", "12000.4", LeaveStep::Accepted, "12000.4", "", "12000.4"},
      {{100, .1f}, "Adjust Factor", "317.833", LeaveStep::Accepted, "317.833", "", "317.833"},
      {{100, .1f}, "Adjust Factor", "317", LeaveStep::Refused, "317",
       "Adjust Factor = 317.  Value must be between  .1 and  100 .", "317.833"},
  };
  for (const Case& c : cases) {
    LeaveDecision d = DecideLeave(c.typed, "3400", false, c.limits, c.caption, c.program);
    EXPECT_EQ(d.step, c.step) << c.typed;
    EXPECT_EQ(d.text, c.shown) << c.typed;
    EXPECT_EQ(d.warning, c.warning) << c.typed;
  }
}

TEST(LeavingABox, EmptySkippedAndUnlimitedRows) {
  RowLimits l{100, 1};
  LeaveDecision d = DecideLeave("", "45", false, l, "Weight", "");
  EXPECT_EQ(d.step, LeaveStep::Empty);
  EXPECT_EQ(d.text, "");
  d = DecideLeave("500abc", "45", true, l, "Weight", "");
  EXPECT_EQ(d.step, LeaveStep::Skipped);
  EXPECT_EQ(d.text, "500abc");  // no normalising either
  d = DecideLeave("500.50", "45", false, std::nullopt, "Weight", "");
  EXPECT_EQ(d.step, LeaveStep::Accepted);  // no limits read: no range test
  EXPECT_EQ(d.text, "500.5");
  // Changed means a different number: 24 -> 24.0 is no change.
  EXPECT_FALSE(DecideLeave("24.0", "24", false, l, "", "").changed);
  EXPECT_TRUE(DecideLeave("24.5", "24", false, l, "", "").changed);
  EXPECT_TRUE(DecideLeave("1", "", false, l, "", "").changed);
}

TEST(Picks, StoredFormAndReadingBack) {
  EXPECT_EQ(PickStoredText(2), " 2");
  EXPECT_EQ(PickStoredText(0), " 0");
  EXPECT_EQ(PickStoredText(-1), "-1");
  struct Case {
    const char* stored;
    int items;
    int pick;
  } cases[] = {{" 2", 4, 2}, {"2", 4, 2},  {"0", 4, 0},   {"", 4, -1},  {"-1", 4, -1},
               {"7", 4, -1}, {"4", 4, -1}, {"1.5", 4, 2}, {"2.5", 4, 2}, {"abc", 4, 0}};
  for (const Case& c : cases) EXPECT_EQ(PickFromStored(c.stored, c.items), c.pick) << c.stored;
}

TEST(Texts, CaptionQuestionAndPrintNote) {
  EXPECT_EQ(InstantCaption("Body/Axle Specs", "12.36", 115.6449, "1.98"),
            "Body/Axle Specs  [ 12.36 @ 115.64   1.98 60 ft ]");
  EXPECT_EQ(InstantCaption("Body/Axle Specs", "9.871", 99.5, ".980"),
            "Body/Axle Specs  [ 9.871 @ 99.50   .980 60 ft ]");
  EXPECT_EQ(ExampleChangeQuestion("Ex Body: 1969 Camaro"),
            "Changing this value means these specs no longer match:\r\r    Ex Body: 1969 Camaro\r\rChange this spec anyway?");
  std::tm when{};
  when.tm_year = 126, when.tm_mon = 2, when.tm_mday = 7, when.tm_hour = 14, when.tm_min = 5;
  EXPECT_EQ(PrintNoteText("Nova.ZKT", when, "after the rebuild"),
            "Vehicle: Nova.ZKT\rDate/Time: 3/7/26 2:05 pm\rafter the rebuild");
}

// ------------------------------------------------------------ shipped data

TEST(ShippedRowFiles, FourLinesPerRowAndSoundLimits) {
  for (int m = 1; m <= 6; ++m) {
    auto lines = Lines(kData / "QVZHELP" / ("help" + std::to_string(m) + ".txt"));
    EXPECT_EQ(lines.size(), 4u * kRowCounts[m]) << "help" << m;
    RowFileContents f = Shipped(m, kRowCounts[m]);
    EXPECT_TRUE(f.complete) << "help" << m;
    for (int r = 0; r < kRowCounts[m] && f.complete; ++r) {
      const RowLimits& l = *f.rows[r].limits;
      const std::string at = "help" + std::to_string(m) + " row " + std::to_string(r);
      EXPECT_LE(l.minimum, l.maximum) << at;
      EXPECT_FALSE(f.rows[r].caption->empty()) << at;
      EXPECT_FALSE(f.rows[r].help->empty()) << at;
      EXPECT_EQ(f.rows[r].help->find(" p "), std::string::npos) << at << ": no manual pages";
      // A whole-number maximum prints with its ".001"; nothing else does.
      const std::string maxLine = lines[4 * r + 2];
      EXPECT_EQ(maxLine.find(".001") != std::string::npos, l.WholeNumber()) << at;
      if (l.WholeNumber()) {
        EXPECT_LT(l.maximum, 10000.0f) << at;
      }
    }
  }
  // The worksheet prints the transmission's design captions of rows 15-20.
  RowFileContents t = Shipped(2, 21);
  const char* lockUps[6] = {"Converter Stall RPM", "Lock Up in 2nd", "Lock Up in 3rd",
                            "Lock Up in 4th",      "Lock Up in 5th", "Lock Up in 6th"};
  for (int r = 15; r <= 20; ++r) EXPECT_EQ(*t.rows[r].caption, lockUps[r - 15]);
  // Conditions: dew point (a cold morning's lies below 0; a humidity is
  // held to 0..100 by the window), elevation or altimeter.
  EXPECT_EQ(Limits(6, 3).minimum, -60.0f);
  EXPECT_EQ(Limits(6, 3).maximum, 100.0f);
  EXPECT_EQ(Limits(6, 4).minimum, -3000.0f);
  EXPECT_EQ(Limits(6, 4).maximum, 15000.0f);
}

TEST(ShippedPresetLists, ItemCountsAndEndLines) {
  struct List {
    const char* name;
    int items;
  } lists[] = {{"CMB1-0", 4},  {"CMB1-6", 2},  {"CMB2-0", 5},  {"CMB2-4", 2},  {"CMB2-7", 2},  {"CMB2-8", 27},
               {"CMB2-16", 2}, {"CMB2-17", 2}, {"CMB2-18", 2}, {"CMB2-19", 2}, {"CMB2-20", 2}, {"CMB3-2", 4},
               {"CMB3-3", 2},  {"CMB3-4", 4},  {"CMB3-9", 4},  {"CMB4-0", 3},  {"CMB4-3", 2},  {"CMB4-6", 5},
               {"CMB5-0", 3},  {"CMB5-4", 3},  {"CMB5-5", 4},  {"CMB5-6", 3},  {"CMB5-7", 2},  {"CMB6-0", 6},
               {"CMB6-6", 6},  {"CMB6-7", 6},  {"CMB6-8", 4}};
  for (const List& l : lists) {
    auto lines = Lines(kData / "COMBO" / l.name);
    ASSERT_EQ(lines.size(), static_cast<size_t>(l.items + 1)) << l.name;
    EXPECT_EQ(lines.back(), "-9999") << l.name;
    EXPECT_LE(lines.size(), 31u) << l.name;
  }
  // Texts other parts of the program rely on.
  auto engine = Lines(kData / "COMBO" / "CMB1-0");
  for (int i = 0; i < 3; ++i) EXPECT_EQ(engine[i].substr(0, 10), "Specified ") << i;
  EXPECT_NE(engine[0].find("HP Peak Only"), std::string::npos);
  EXPECT_EQ(engine[2], "Specified Full Curve");
  EXPECT_EQ(Lines(kData / "COMBO" / "CMB2-0")[0], "Clutch:  Program estimates specs");
  EXPECT_EQ(Lines(kData / "COMBO" / "CMB4-3")[0], "Use Specs Below");
  auto efficiency = Lines(kData / "COMBO" / "CMB2-8");
  for (int i = 1; i <= 26; ++i) EXPECT_EQ(efficiency[i], std::to_string(101 - i) + " %");
  auto length = Lines(kData / "COMBO" / "CMB6-7");
  const char* feet[6] = {"1320", "660", "5280", "7040", "26400", "300"};
  for (int i = 0; i < 6; ++i) EXPECT_NE(length[i].find(feet[i]), std::string::npos) << i;
}

TEST(ShippedRowFiles, TheFixtureCarsLieInsideTheLimits) {
  for (const char* car : {test::kMuscleCar, test::kBracketCar, test::kFrontDrive}) {
    ResetTables();
    ASSERT_TRUE(test::LoadFixtureVehicle(car));
    for (int m = 1; m <= 6; ++m) {
      RowFileContents f = Shipped(m, kRowCounts[m]);
      for (int r = 0; r < kRowCounts[m]; ++r) {
        const std::string& text = SpecAt(m, r);
        if (text.empty() || tbl.SpecKind[tbl.SpecMenuStart[m] + r] == 1) continue;
        const RowLimits& l = *f.rows[r].limits;
        EXPECT_TRUE(WithinLimits(text, l)) << car << " " << m << "." << r << " = " << text;
        if (l.WholeNumber()) {
          EXPECT_EQ(NormaliseEntry(text, true), text) << car << " " << m << "." << r;
        }
      }
    }
  }
  ResetTables();
}
