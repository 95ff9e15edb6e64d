#include "files/version2_file.h"

#include <array>

#include "files/file_fixture.h"
#include "files/vehicle_file.h"
#include "platform/text.h"

namespace sw {
namespace {

namespace fs = std::filesystem;

// Lines 1..69 of a version 2 file (index = line number).
using V2Lines = std::array<std::string, 70>;

V2Lines PlainV2() {
  V2Lines l;
  for (int k = 1; k <= 66; ++k) l[k] = "0";
  for (int k : {13, 26, 39, 45, 58, 66}) l[k] = "Y";
  l[3] = "400";
  l[67] = "first comment";
  l[68] = "";
  l[69] = "third comment";
  return l;
}

std::string V2Text(const V2Lines& l, int lastLine = 69) {
  std::string s = "\r\n";
  for (int k = 1; k <= lastLine; ++k) s += l[k] + "\r\n";
  return s;
}

class Version2 : public FileTest {
 protected:
  void SetUp() override {
    FileTest::SetUp();
    for (int k = 0; k < kSpecCount; ++k) tbl.SpecText[k] = "old" + std::to_string(k);
    for (auto& point : tbl.PowerCurveText)
      for (auto& cell : point) cell = "curve";
  }
  void OpenV2(const V2Lines& l, int16_t mode = openmode::Chosen, int lastLine = 69, const std::string& extra = "") {
    Put(App("VEHDAT/OLDV2"), V2Text(l, lastLine) + extra);
    fst.ChosenFileName = "OLDV2";
    fst.FileReadFailed = 0;
    OpenVehicleFile(FormId::Rtrvfile, mode);
  }
};

const std::string kEnginePrompt = std::string("This Version 2 vehicle file does not include an Engine Cubic Inches.") +
                                  CR +
                                  "Enter your estimate of the Cubic Inches or click on Cancel and the program will "
                                  "estimate it for you.";

TEST_F(Version2, EngineSizeEstimate) {
  V2Lines l = PlainV2();
  struct Case {
    std::string power;
    bool cancel;
    std::string typed, size;
  };
  for (const Case& c : {Case{"500", true, "", "450"}, Case{"800", true, "", "650"}, Case{"400", false, "350", "350"},
                        Case{"400", false, "30", "360"}, Case{"400", false, "4001", "360"},
                        Case{"400", false, "4000", "4000"}, Case{"400", false, "big", "360"},
                        Case{"333", false, "", "300"}}) {
    SCOPED_TRACE(c.power + " typed " + c.typed);
    ui->Clear();
    if (c.cancel) {
      ui->CancelInput();
    } else {
      ui->Type(c.typed);
    }
    l[3] = c.power;
    OpenV2(l);
    ASSERT_EQ(fst.FileVersion, filever::V2Converted);
    EXPECT_EQ(tbl.SpecText[1], c.size);
    ASSERT_EQ(ui->boxes().size(), 1u);  // asked once, never twice
    EXPECT_TRUE(ui->boxes()[0].input);
    EXPECT_EQ(ui->boxes()[0].prompt, kEnginePrompt);
    EXPECT_EQ(ui->boxes()[0].title, "Engine Cubic Inches");
    EXPECT_EQ(ui->boxes()[0].defaultText, "");
  }
}

TEST_F(Version2, FieldMap) {
  V2Lines l = PlainV2();
  for (int k = 1; k <= 66; ++k)
    if (l[k] == "0") l[k] = std::to_string(1000 + k);  // each line recognisable
  l[3] = "420";
  l[14] = "C";
  l[27] = "F";
  l[30] = "15";   // row 51
  l[33] = "40";   // row 54: <= 45 with row 51 <= 20
  l[34] = "12";   // row 23 = 100 - 12 + .5 -> "89"
  l[36] = "70";   // row 47
  l[41] = "14.5"; // row 65, doubled
  l[43] = "15";   // row 68, doubled
  l[44] = "1.6";  // rows 69..72
  l[51] = "0.2";  // row 82
  l[52] = "50";   // row 83
  l[61] = "0";    // row 100 -> row 97 "3"
  l[63] = "500";  // row 102 -> row 103 "1"
  l[64] = "1320"; // row 103 -> row 104 "0"
  l[65] = "10";   // row 104 -> row 105 "1"
  ui->Type("355");
  OpenV2(l);
  const auto& s = tbl.SpecText;
  auto line = [&](int k) { return l[k]; };

  EXPECT_EQ(s[0], "1");
  EXPECT_EQ(s[1], "355");
  for (int r = 2; r <= 5; ++r) EXPECT_EQ(s[r], line(r + 1)) << r;
  EXPECT_EQ(s[6], "0");
  EXPECT_EQ(s[7], "old7");
  EXPECT_EQ(s[13], "");
  EXPECT_EQ(s[14], "");
  EXPECT_EQ(s[15], "1");
  for (int r = 16; r <= 18; ++r) EXPECT_EQ(s[r], line(r - 1)) << r;
  EXPECT_EQ(s[19], "0");
  EXPECT_EQ(s[20], line(18));
  EXPECT_EQ(s[21], line(19));
  EXPECT_EQ(s[22], "0");
  EXPECT_EQ(s[23], "89");
  for (int r = 24; r <= 29; ++r) EXPECT_EQ(s[r], line(r - 4)) << r;
  for (int r = 30; r <= 35; ++r) EXPECT_EQ(s[r], "1") << r;
  EXPECT_EQ(s[36], "old36");
  for (int r = 37; r <= 40; ++r) EXPECT_EQ(s[r], "") << r;
  EXPECT_EQ(s[45], line(28));
  EXPECT_EQ(s[46], line(35));
  EXPECT_EQ(s[47], "2");
  EXPECT_EQ(s[48], "0");
  EXPECT_EQ(s[49], "1");
  for (int r = 50; r <= 53; ++r) EXPECT_EQ(s[r], line(r - 21)) << r;
  EXPECT_EQ(s[54], "2");
  for (int r = 55; r <= 59; ++r) EXPECT_EQ(s[r], line(r - 18)) << r;
  EXPECT_EQ(s[60], "");
  EXPECT_EQ(s[61], "");
  EXPECT_EQ(s[62], "old62");
  EXPECT_EQ(s[63], "1");
  EXPECT_EQ(s[64], line(40));
  EXPECT_EQ(s[65], "29.00");
  EXPECT_EQ(s[66], "0");
  EXPECT_EQ(s[67], line(42));
  EXPECT_EQ(s[68], "30.00");
  EXPECT_EQ(s[69], "4");
  EXPECT_EQ(s[70], "10");
  EXPECT_EQ(s[71], "90");
  EXPECT_EQ(s[72], "8");
  for (int r = 73; r <= 76; ++r) EXPECT_EQ(s[r], "") << r;
  for (int r = 77; r <= 81; ++r) EXPECT_EQ(s[r], line(r - 31)) << r;
  EXPECT_EQ(s[82], "2");
  EXPECT_EQ(s[83], "1");
  EXPECT_EQ(s[84], "1");
  for (int r = 85; r <= 89; ++r) EXPECT_EQ(s[r], line(r - 32)) << r;
  EXPECT_EQ(s[90], "old90");
  EXPECT_EQ(s[97], "3");
  for (int r = 98; r <= 101; ++r) EXPECT_EQ(s[r], line(r - 39)) << r;
  EXPECT_EQ(s[102], "500");
  EXPECT_EQ(s[103], "1");
  EXPECT_EQ(s[104], "0");
  EXPECT_EQ(s[105], "1");
  EXPECT_EQ(s[106], "old106");
  EXPECT_EQ(s[210], "old210");
  for (int i = 0; i < 10; ++i)
    for (int j = 0; j < 3; ++j) EXPECT_EQ(tbl.PowerCurveText[i][j], "");
  EXPECT_EQ(tbl.PowerCurveText[10][0], "curve");
  EXPECT_EQ(fst.VehicleComments, "first comment\r\n\r\nthird comment\r\n");
  EXPECT_EQ(fst.CurrentFilePath, AppText("VEHDAT/OLDV2"));
  EXPECT_EQ(fst.CurrentFileName, "OLDV2");
  EXPECT_EQ(fst.SpecsChanged, 0);
}

TEST_F(Version2, Recodings) {
  struct Case {
    int line;
    std::string value;
    int row;
    std::string expect;
  };
  for (const Case& c : {Case{64, "5280", 104, "2"}, Case{64, "1320", 104, "0"}, Case{64, "660", 104, "1"},
                        Case{64, "31680", 104, "3"}, Case{65, "0", 105, "3"}, Case{65, "-2", 105, "0"},
                        Case{65, "6", 105, "0"}, Case{65, "14", 105, "2"}, Case{63, "0", 103, "0"},
                        Case{61, "29.9", 97, "1"}, Case{14, "A", 15, "3"}, Case{27, "A", 49, "2"},
                        Case{27, "R", 49, "0"}, Case{36, "34", 47, "0"}, Case{36, "90", 47, "3"},
                        Case{33, "46", 54, "0"}, Case{44, "1.05", 69, "0"}, Case{44, "1.5", 69, "1"},
                        Case{51, "0.6", 82, "0"}, Case{51, "0.05", 82, "3"}, Case{52, "75", 83, "0"},
                        Case{52, "10", 83, "2"}, Case{34, "100", 23, "1"}}) {
    V2Lines l = PlainV2();
    l[c.line] = c.value;
    OpenV2(l);
    EXPECT_EQ(tbl.SpecText[c.row], c.expect) << "line " << c.line << " = " << c.value;
  }
  V2Lines l = PlainV2();
  l[30] = "25";  // row 51 > 20
  l[33] = "45";
  OpenV2(l);
  EXPECT_EQ(tbl.SpecText[54], "1");
}

TEST_F(Version2, NegativeLine63BecomesPositive) {
  V2Lines l = PlainV2();
  l[63] = "-15.5";
  OpenV2(l);
  EXPECT_EQ(tbl.SpecText[102], "15.5");
  EXPECT_EQ(tbl.SpecText[103], "2");
}

TEST_F(Version2, NoTailIsReadAfterAConversion) {
  fst.DialInFileName = "keep";
  fst.ThrottleStopFileName = "keep too";
  fst.HistorySlot = 0;
  tbl.HistoryName[0] = "A";
  Put(App("QVHISTRY/A"), V2Text(PlainV2()) + "/some/path\r\nFri\r\nSat\r\n");
  int16_t mode = openmode::History;
  fst.FileReadFailed = 0;
  OpenVehicleFile(FormId::frmDispGrid, mode);
  EXPECT_EQ(fst.FileVersion, filever::V2Converted);
  EXPECT_EQ(fst.DialInFileName, "keep");
  EXPECT_EQ(fst.ThrottleStopFileName, "keep too");
  EXPECT_EQ(fst.CurrentFilePath, AppText("QVHISTRY/A"));
  EXPECT_EQ(fst.SpecsChanged, 1);
}

TEST_F(Version2, PreviewChangesNoSpecRow) {
  const auto before = tbl.SpecText;
  V2Lines l = PlainV2();
  l[5] = "550";
  fst.VehicleComments = "mine";
  OpenV2(l, openmode::Preview);
  EXPECT_EQ(fst.FileVersion, filever::V2Converted);
  EXPECT_EQ(fst.FileReadFailed, 0);
  EXPECT_EQ(tbl.SpecText, before);
  EXPECT_EQ(tbl.PowerCurveText[0][0], "curve");
  EXPECT_EQ(fst.SpecTextAlt[5], "550");
  EXPECT_EQ(fst.SpecTextAlt[66], "Y");
  EXPECT_EQ(fst.SavedComment, "first comment\r\n\r\nthird comment\r\n");
  EXPECT_EQ(fst.VehicleComments, "mine");
  EXPECT_TRUE(ui->boxes().empty());  // no engine size asked for a preview
}

TEST_F(Version2, WhatIsNotAVersion2File) {
  const auto before = tbl.SpecText;
  V2Lines bad = PlainV2();
  bad[45] = "X";
  V2Lines lower = PlainV2();
  lower[13] = "y";
  for (const std::string& text : {V2Text(PlainV2(), 65), V2Text(bad), V2Text(lower), std::string(""),
                                  std::string("\r\n"), "x" + V2Text(PlainV2())}) {
    ui->Clear();
    Put(App("VEHDAT/NOTV2"), text);
    fst.ChosenFileName = "NOTV2";
    fst.FileReadFailed = 0;
    OpenVehicleFile(FormId::Rtrvfile, openmode::Chosen);
    EXPECT_EQ(fst.FileVersion, filever::NotOurs);
    EXPECT_EQ(fst.FileReadFailed, 1);
    ASSERT_EQ(ui->boxes().size(), 1u);
    EXPECT_EQ(ui->boxes()[0].prompt, kNotOurFileMessage);
    EXPECT_EQ(tbl.SpecText, before);
  }
  // The six check lines may end with blanks; a file cut after line 66 still converts.
  V2Lines spaced = PlainV2();
  spaced[26] = "N  ";
  OpenV2(spaced, openmode::Chosen, 66);
  EXPECT_EQ(fst.FileVersion, filever::V2Converted);
  EXPECT_EQ(fst.VehicleComments, "");
}

TEST_F(Version2, OnlyVehiclesComeInVersion2) {
  const auto before = tbl.SpecText;
  tbl.CalcMode = 1;
  Put(App("DIALIN/OLDV2"), V2Text(PlainV2()));
  fst.ChosenFileName = "OLDV2";
  OpenVehicleFile(FormId::frmDialIn, openmode::Chosen);
  EXPECT_EQ(fst.FileReadFailed, 1);
  EXPECT_EQ(fst.FileVersion, filever::NotOurs);
  EXPECT_EQ(tbl.SpecText, before);
}

}  // namespace
}  // namespace sw
