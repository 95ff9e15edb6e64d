#include "files/version2_file.h"

#include <array>

#include "files/file_fixture.h"

namespace sw {
namespace {

// Lines 1..69 of a version 2 file (index = line number).
using V2Lines = std::array<std::string, 70>;

V2Lines PlainV2() {
  V2Lines l;
  for (int k = 1; k <= 66; ++k) l[k] = "0";
  for (int k : {13, 26, 39, 45, 58, 66}) l[k] = "Y";
  l[3] = "400";
  l[67] = "first comment";
  l[69] = "third comment";
  return l;
}

std::string V2Text(const V2Lines& l, int lastLine = 69) {
  std::string s = "\r\n";
  for (int k = 1; k <= lastLine; ++k) s += l[k] + "\r\n";
  return s;
}

const std::string kEnginePrompt = std::string("This Version 2 vehicle file does not include an Engine Cubic Inches.") +
                                  CR +
                                  "Enter your estimate of the Cubic Inches or click on Cancel and the program will "
                                  "estimate it for you.";

struct Version2 : FileTest {
  void SetUp() override {
    FileTest::SetUp();
    for (int k = 0; k < kSpecCount; ++k) tbl.SpecText[k] = "old" + std::to_string(k);
    for (auto& point : tbl.PowerCurveText) point.fill("curve");
  }
  void OpenV2(const V2Lines& l, int16_t mode = openmode::Chosen, int lastLine = 69, const char* folder = "VEHDAT") {
    Put(App(std::string(folder) + "/OLDV2"), V2Text(l, lastLine));
    fst.ChosenFileName = "OLDV2";
    fst.FileReadFailed = 0;
    OpenVehicleFile(FormId::Rtrvfile, mode);
  }
};

// Cancel gives 450 (line 3 = 500) or 650 (800); a typed size is kept unless
// it is below a tenth or above ten times line 3 less 10 %: then 0.9 x line 3.
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
  for (auto [k, v] : {std::pair{3, "420"}, {14, "C"}, {27, "F"}, {30, "15"}, {33, "40"}, {34, "12"}, {36, "70"},
                      {41, "14.5"}, {43, "15"}, {44, "1.6"}, {51, "0.2"}, {52, "50"}, {61, "0"}, {63, "500"},
                      {64, "1320"}, {65, "10"}})
    l[k] = v;
  ui->Type("355");
  OpenV2(l);
  const auto& s = tbl.SpecText;
  // Rows copied from a line: {first row, last row, line of the first row}.
  for (auto [first, last, line] : {std::tuple{2, 5, 3}, {16, 18, 15}, {20, 21, 18}, {24, 29, 20}, {45, 45, 28},
                                   {46, 46, 35}, {50, 53, 29}, {55, 59, 37}, {64, 64, 40}, {67, 67, 42},
                                   {77, 81, 46}, {85, 89, 53}, {98, 101, 59}})
    for (int r = first; r <= last; ++r) EXPECT_EQ(s[r], l[r - first + line]) << r;
  // Rows set or recoded ("old" rows are left as they were).
  const std::pair<int, const char*> rows[] = {
      {0, "1"},    {1, "355"},  {6, "0"},    {7, "old7"}, {13, ""},   {14, ""},   {15, "1"},     {19, "0"},
      {22, "0"},   {23, "89"} /* 100 - 12 + .5 */,        {36, "old36"}, {37, ""}, {38, ""},    {39, ""},
      {40, ""},    {47, "2"},   {48, "0"},   {49, "1"},   {54, "2"} /* <= 45 with row 51 <= 20 */, {60, ""},
      {61, ""},    {62, "old62"}, {63, "1"}, {65, "29.00"}, {66, "0"},  {68, "30.00"}, {69, "4"}, {70, "10"},
      {71, "90"},  {72, "8"},   {73, ""},    {74, ""},    {75, ""},   {76, ""},   {82, "2"},     {83, "1"},
      {84, "1"},   {90, "old90"}, {97, "3"}, {102, "500"}, {103, "1"}, {104, "0"}, {105, "1"},   {106, "old106"},
      {210, "old210"}};
  for (auto [r, v] : rows) EXPECT_EQ(s[r], v) << r;
  for (int r = 30; r <= 35; ++r) EXPECT_EQ(s[r], "1") << r;
  for (int i = 0; i < 10; ++i) {
    const auto& p = tbl.PowerCurveText[i];
    EXPECT_EQ((Texts{p[0], p[1], p[2]}), Texts(3, "")) << i;
  }
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
                        Case{52, "10", 83, "2"}, Case{34, "100", 23, "1"},
                        Case{63, "-15.5", 102, "15.5"}, Case{63, "-15.5", 103, "2"}}) {
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

// After a conversion the file is closed: no tail is read.
TEST_F(Version2, NoTailIsReadAfterAConversion) {
  fst.DialInFileName = "keep";
  fst.ThrottleStopFileName = "keep too";
  fst.HistorySlot = 0;
  tbl.HistoryName[0] = "A";
  Put(App("QVHISTRY/A"), V2Text(PlainV2()) + "/some/path\r\nFri\r\nSat\r\n");
  fst.FileReadFailed = 0;
  OpenVehicleFile(FormId::frmDispGrid, openmode::History);
  EXPECT_EQ(fst.FileVersion, filever::V2Converted);
  EXPECT_EQ((Texts{fst.DialInFileName, fst.ThrottleStopFileName, fst.CurrentFilePath}),
            (Texts{"keep", "keep too", AppText("QVHISTRY/A")}));
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
  EXPECT_EQ((Texts{fst.SpecTextAlt[5], fst.SpecTextAlt[66], fst.SavedComment, fst.VehicleComments}),
            (Texts{"550", "Y", "first comment\r\n\r\nthird comment\r\n", "mine"}));
  EXPECT_TRUE(ui->boxes().empty()) << "no engine size asked for a preview";
}

TEST_F(Version2, WhatIsNotAVersion2File) {
  const auto before = tbl.SpecText;
  V2Lines bad = PlainV2(), lower = PlainV2();
  bad[45] = "X";
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
    EXPECT_EQ(OnlyBox().prompt, kNotOurFileMessage);
    EXPECT_EQ(tbl.SpecText, before);
  }
  // Only vehicles come in version 2.
  tbl.CalcMode = 1;
  OpenV2(PlainV2(), openmode::Chosen, 69, "DIALIN");
  EXPECT_EQ(fst.FileReadFailed, 1);
  EXPECT_EQ(fst.FileVersion, filever::NotOurs);
  EXPECT_EQ(tbl.SpecText, before);
  // The six check lines may end with blanks; a file cut after line 66 still converts.
  tbl.CalcMode = 0;
  V2Lines spaced = PlainV2();
  spaced[26] = "N  ";
  OpenV2(spaced, openmode::Chosen, 66);
  EXPECT_EQ(fst.FileVersion, filever::V2Converted);
  EXPECT_EQ(fst.VehicleComments, "");
}

}  // namespace
}  // namespace sw
