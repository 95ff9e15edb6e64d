#include "simulation/tables.h"

#include <gtest/gtest.h>

namespace sw {
namespace {

TEST(Tables, LayoutAfterInit) {
  ResetTables();
  EXPECT_EQ(tbl.SpecMenuStart[3] + 2, 47);
  const int starts[] = {0, 0, 15, 45, 63, 77, 97, 117, 127, 160};
  for (int m = 1; m <= 9; ++m) EXPECT_EQ(tbl.SpecMenuStart[m], starts[m]);
  // Choice specs: 47 and 48, the five Dial In choice slots; typed: 127
  // (offset 0 of Throttle Stop) and 231 (the last Dial In slot).
  for (int i : {47, 48, 165, 174, 175, 178, 185}) EXPECT_EQ(tbl.SpecKind[i], 1) << i;
  for (int i : {127, 231}) EXPECT_EQ(tbl.SpecKind[i], 0) << i;
  int choices = 0;
  for (auto k : tbl.SpecKind) choices += k;
  EXPECT_EQ(choices, 2 + 9 + 4 + 3 + 4 + 4 + 2 + 5 + 5);
  EXPECT_EQ(tbl.PlotTypeName[0], "");
  EXPECT_EQ(tbl.PlotTypeName[8], "Clutch or Converter RPM");
  EXPECT_EQ(tbl.PrintCommentPrompt,
            "Enter a comment which will be printed at the bottom of this menu.\r\rClick on Cancel to abort "
            "printing.\r\rClick on OK or just press <Enter> to print no comment.");
}

TEST(Tables, InitKeepsValuesResetClearsThem) {
  ResetTables();
  tbl.SpecText[50] = "3200";
  tbl.HistoryName[0] = "A";
  InitTables();
  EXPECT_EQ(Spec(kVehicle, 5), 3200);  // the layout only
  ResetTables();
  EXPECT_EQ(tbl.SpecText[50], "");
  EXPECT_EQ(tbl.HistoryName[0], "");
  EXPECT_EQ(tbl.SpecKind[47], 1);
}

}  // namespace
}  // namespace sw
