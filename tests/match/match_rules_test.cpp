// What the Match window decides without widgets, and its shipped row file.
#include <gtest/gtest.h>

#include "match/match_rules.h"
#include "platform/seqfile.h"
#include "specs/row_rules.h"
#include "simulation/tables.h"

namespace sw {
namespace {

TEST(MatchRules, StallRowOnlyWithAConverter) {
  struct Case {
    const char* type;
    const char* example;
    bool shown;
  };
  const Case cases[] = {{"0", "", false}, {" 1", "", false}, {" 2", "", true}, {" 3", "", true},
                        {" 5", "1", false}, {" 5", "0", true}, {"", "", false}};
  ResetTables();
  for (const Case& c : cases) {
    SpecAt(kTransmission, 0) = c.type;
    SpecAt(kTransmission, 23) = c.example;
    EXPECT_EQ(MatchStallRowShown(), c.shown) << c.type << "/" << c.example;
  }
}

TEST(MatchRules, OkNeedsTheSlipFiguresAndTheGear) {
  using Rows = std::array<std::string, kMatchRows>;
  struct Case {
    Rows rows;
    bool stall;
    int missing;
  };
  const Case cases[] = {
      {{" 0", "3600", "1.32", "112", "", " 2"}, true, -1},
      {{" 0", "", "1.32", "112", "0", " 2"}, false, -1},  // no stall, no finish RPM: fine for a clutch
      {{" 0", "", "1.32", "112", "", " 2"}, true, 1},
      {{"-1", "3600", "", "112", "", " 2"}, true, 2},
      {{" 0", "3600", "1.32", "abc", "", " 2"}, true, 3},
      {{" 0", "3600", "1.32", "112", "", "-1"}, true, 5},
      {{" 0", "3600", "1.32", "112", "", ""}, true, 5},
      {{" 0", "3600", "1.32", "112", "", " 0"}, true, -1},  // first gear
  };
  for (const Case& c : cases) EXPECT_EQ(FirstMissingMatchEntry(c.rows, c.stall), c.missing) << c.rows[5];
  EXPECT_EQ(MissingMatchEntryMessage("Finish MPH"), "Finish MPH must be specified before performance can be matched.");
  EXPECT_EQ(ClearedMatchEntry(0), "0");
  EXPECT_EQ(ClearedMatchEntry(3), "");
  EXPECT_EQ(ClearedMatchEntry(5), "-1");
}

TEST(MatchRules, KeepingDropsTheExampleLinksOfChangedRows) {
  // Engine, converter and rear tires linked, one row changed (k -1: the curve): the links it touched drop,
  // each by its window's rule. Expected: Type|name of the Engine, the Transmission, the rear tires.
  const std::tuple<int, int, const char*, std::string> cases[] = {
      {kTires, 5, "23.47", "4|E|5|C|0|"},  {kTires, 6, "4", "4|E|5|C|0|"},        {kTires, 5, "28.00", "4|E|5|C|2|T"},
      {kTires, 8, "110", "4|E|5|C|2|T"},   {kEngine, 4, "303.1", " 1||5|C|2|T"}, {kEngine, -1, "1500", " 1||5|C|2|T"},
      {kTransmission, 5, "190", "4|E|3||2|T"}};
  for (const auto& [menu, k, value, links] : cases) {
    ResetTables();
    for (auto [m, slot, v] : {std::tuple{kEngine, 0, "4"}, {kEngine, 13, "E"}, {kEngine, 14, "1"},
                              {kTransmission, 0, "5"}, {kTransmission, 22, "C"}, {kTransmission, 23, "2"},
                              {kTires, 3, "2"}, {kTires, 12, "T"}, {kTires, 13, "1"}, {kTires, 5, "28"}})
      SpecAt(m, slot) = v;
    const auto before = tbl.SpecText;
    const auto curve = tbl.PowerCurveText;
    (k < 0 ? tbl.PowerCurveText[0][0] : SpecAt(menu, k)) = value;
    DropExampleLinksOfChangedRows(before, curve);
    EXPECT_EQ(SpecAt(kEngine, 0) + "|" + SpecAt(kEngine, 13) + "|" + SpecAt(kTransmission, 0) + "|" +
                  SpecAt(kTransmission, 22) + "|" + SpecAt(kTires, 3) + "|" + SpecAt(kTires, 12),
              links);
  }
}

TEST(MatchRules, ShippedRowFile) {
  SeqReader in;
  ASSERT_TRUE(in.Open(std::string(SW_SOURCE_DIR) + "/data/QVZHELP/help7.txt"));
  const RowFileContents file = ParseRowFile(in, kMatchRows);
  ASSERT_TRUE(file.complete);
  const char* captions[] = {"Distance of Race", "Stall RPM at Launch", "60 Foot Time, sec",
                            "Finish MPH",       "Finish Engine RPM",   "Finish Trans Gear #"};
  for (int r = 0; r < kMatchRows; ++r) {
    EXPECT_EQ(file.rows[r].caption.value_or(""), captions[r]);
    EXPECT_FALSE(file.rows[r].help.value_or("").empty()) << r;
    ASSERT_TRUE(file.rows[r].limits) << r;
    // Single precision keeps the ".001" only below 10000: the window rounds
    // the finish RPM (15000.001) itself.
    EXPECT_EQ(file.rows[r].limits->WholeNumber(), r == 1) << r;
  }
  EXPECT_FLOAT_EQ(file.rows[4].limits->maximum, 15000.001f);
  struct Leave {
    int row;
    const char* typed;
    LeaveStep step;
    std::string shown;
  };
  const Leave leaves[] = {
      {1, "3600.4", LeaveStep::Accepted, "3600"},
      {1, "900", LeaveStep::Refused, "Stall RPM at Launch = 900.  Value must be between  1000 and  9000 ."},
      {2, ".79", LeaveStep::Refused, "60 Foot Time, sec = .79.  Value must be between  .8 and  5 ."},
      {2, "5", LeaveStep::Accepted, "5"},
      {3, "350", LeaveStep::Accepted, "350"},
      {3, "19.9", LeaveStep::Refused, "Finish MPH = 19.9.  Value must be between  20 and  350 ."},
      {4, "15001", LeaveStep::Refused, "Finish Engine RPM = 15001.  Value must be between  1000 and  15000 ."},
      {4, "999", LeaveStep::Refused, "Finish Engine RPM = 999.  Value must be between  1000 and  15000 ."},
  };
  for (const Leave& l : leaves) {
    const auto& rec = file.rows[static_cast<size_t>(l.row)];
    LeaveDecision d = DecideLeave(l.typed, "", false, rec.limits, *rec.caption, "");
    EXPECT_EQ(d.step, l.step) << l.typed;
    EXPECT_EQ(d.step == LeaveStep::Refused ? d.warning : d.text, l.shown);
  }
}

}  // namespace
}  // namespace sw
