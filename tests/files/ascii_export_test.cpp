#include "files/ascii_export.h"

#include "files/file_fixture.h"

namespace sw {
namespace {

// A run table: the headings, a launch row, the rollout row "RO" (row 2) and
// a shift row, then the finish.
void FillTable() {
  static const char* kHeadings[] = {"Gear",   "Time",    "MPH",    "Accel Gs", "Feet", "C RPM",
                                    "EngRPM", "Tq Mult", "C Slip", "T Slip",   "% Thrt"};
  static const char* kRows[][11] = {
      {" 1", "-.26", ".0", ".85", "-1", "0", "4500", "1.00", "100", "0", "100"},
      {"RO", ".00", "4.9", ".92", "0", "1250", "4380", "1.00", "71", "8", "100"},
      {" 1-2", "2.86", "64.9", ".58S", "156", "7200", "7200", "1.00", "0", "2", "100"},
      {" 4", "11.48", "127.9", ".21", "1320", "6330", "6330", "1.00", "0", "0", "100"},
  };
  for (int c = 0; c < 11; ++c) {
    tbl.ResultsText[c][0] = kHeadings[c];
    for (int r = 0; r < 4; ++r) tbl.ResultsText[c][r + 1] = kRows[r][c];
  }
  tbl.FinishRow = 4;
}

class AsciiExport : public FileTest {
 protected:
  void SetUp() override {
    FileTest::SetUp();
    FillTable();
  }
  static Texts Lines(bool comma, bool text, bool columns) {
    return AsciiExportLines(tbl.ResultsText, tbl.FinishRow, {comma, text, columns});
  }
  std::string Written(const std::string& name) const { return Bytes(App(name)); }
};

// Every cell keeps its field, so a value always stands under its heading.
TEST_F(AsciiExport, LinesByOptions) {
  struct Case {
    bool comma, text, columns;
    Texts expected;
  };
  const Case cases[] = {
      {true, false, false,
       {"1,-.26,.0,.85,-1,0,4500,1.00,100,0,100", ",.00,4.9,.92,0,1250,4380,1.00,71,8,100",
        "1-2,2.86,64.9,.58S,156,7200,7200,1.00,0,2,100", "4,11.48,127.9,.21,1320,6330,6330,1.00,0,0,100"}},
      {false, true, false,
       {"Gear    Time    MPH     Accel_Gs Feet    C_RPM   EngRPM  Tq_Mult C_Slip  T_Slip  %_Thrt",
        " 1      -.26    .0      .85     -1      0       4500    1.00    100     0       100",
        "RO      .00     4.9     .92     0       1250    4380    1.00    71      8       100",
        " 1-2    2.86    64.9    .58S    156     7200    7200    1.00    0       2       100",
        " 4      11.48   127.9   .21     1320    6330    6330    1.00    0       0       100"}},
      {false, false, false,
       {" 1      -.26    .0      .85     -1      0       4500    1.00    100     0       100",
        "        .00     4.9     .92     0       1250    4380    1.00    71      8       100",
        " 1-2    2.86    64.9    .58S    156     7200    7200    1.00    0       2       100",
        " 4      11.48   127.9   .21     1320    6330    6330    1.00    0       0       100"}},
  };
  for (const Case& c : cases) EXPECT_EQ(Lines(c.comma, c.text, c.columns), c.expected) << c.comma << c.text;
}

TEST_F(AsciiExport, ColumnsTurnTheTable) {
  Texts lines = Lines(true, true, true);
  ASSERT_EQ(lines.size(), 11u);
  EXPECT_EQ(lines[0], "Gear,1,RO,1-2,4");  // the empty rows up to row 20 add nothing at the end
  lines = Lines(true, false, true);
  EXPECT_EQ(lines[1].rfind(",-.26,.00,2.86,11.48", 0), 0u);
}

TEST_F(AsciiExport, RowsReachTheFinishAndAtLeastRowTwenty) {
  for (int c = 0; c < 11; ++c) tbl.ResultsText[c][30] = "9";
  EXPECT_EQ(Lines(true, false, false).size(), 4u);  // row 30 lies past row 20 and the finish
  tbl.FinishRow = 30;
  EXPECT_EQ(Lines(true, false, false).size(), 5u);
  tbl.FinishRow = -1;  // an abandoned run still gives its rows
  EXPECT_EQ(Lines(true, false, false).size(), 4u);
  tbl.ResultsText[3][2] = "1.2345678r";  // a long cell keeps a blank after it
  EXPECT_EQ(Lines(false, false, false)[1].substr(24, 10), "1.2345678 ");
}

TEST_F(AsciiExport, WritesIntoTheProgramFolderAndSaysWhere) {
  EXPECT_EQ(WriteAsciiFile("RUN1.TXT", {true, false, false}), AsciiSave::Written);
  EXPECT_EQ(Written("RUN1.TXT"), "1,-.26,.0,.85,-1,0,4500,1.00,100,0,100\r\n,.00,4.9,.92,0,1250,4380,1.00,71,8,100\r\n"
                                 "1-2,2.86,64.9,.58S,156,7200,7200,1.00,0,2,100\r\n"
                                 "4,11.48,127.9,.21,1320,6330,6330,1.00,0,0,100\r\n");
  ASSERT_EQ(ui->boxes().size(), 1u);
  EXPECT_EQ(ui->boxes()[0].prompt, "ASCII Data File written to disk." + std::string(2, CR) + AppText("RUN1.TXT"));
}

// Yes replaces, No leaves the file and the window, Cancel closes the window.
TEST_F(AsciiExport, ExistingFileAsksFirst) {
  Put(App("RUN1.TXT"), "old");
  const std::pair<int, AsciiSave> answers[] = {
      {ans::No, AsciiSave::Stopped}, {ans::Cancel, AsciiSave::CloseWindow}, {ans::Yes, AsciiSave::Written}};
  for (const auto& [answer, result] : answers) {
    ui->Clear();
    ui->Answer(answer);
    EXPECT_EQ(WriteAsciiFile("RUN1.TXT", {}), result);
    EXPECT_EQ(ui->boxes()[0].prompt, "This data file already exists.  Do you want to replace it?");
    EXPECT_EQ(ui->boxes()[0].title, "Data File Already Exists");
    EXPECT_EQ(ui->boxes()[0].style, mb::YesNoCancel + mb::Exclamation);
    EXPECT_EQ(Written("RUN1.TXT") == "old", answer != ans::Yes);
  }
}

// The program's own files, shipped or written, whatever their case, paths, names of dots alone and no name at all.
TEST_F(AsciiExport, RefusedNamesWriteNothing) {
  for (const char* name : {"", "   ", "a/b", "qvzCNFG.ZKT", "VEHDAT", "..", "...", "baseplot.ZKT", " text ",
                           "README.DOC", "Analysis Report.txt", "lapdtout.txt", "QVHISTRY", "qvzCNFG.ZKT.bad",
                           "XVehicleData", "QVCURVEH.ZKT"}) {
    ui->Clear();
    EXPECT_EQ(WriteAsciiFile(name, {}), AsciiSave::Stopped) << name;
    EXPECT_EQ(ui->boxes().size(), Trim(name).empty() ? 0u : 1u) << name;
  }
  EXPECT_FALSE(fs::exists(App("   ")));
  // Blanks around a name are not part of it.
  ui->Clear();
  EXPECT_EQ(WriteAsciiFile(" RUN2.TXT ", {}), AsciiSave::Written);
  EXPECT_TRUE(fs::exists(App("RUN2.TXT")));
  EXPECT_EQ(Bytes(App("qvzCNFG.ZKT")), "");
  EXPECT_FALSE(fs::exists(App("a")));
}

TEST_F(AsciiExport, FailedWriteIsReported) {
  FailFileWritesAfterForTest(10);
  EXPECT_EQ(WriteAsciiFile("RUN1.TXT", {}), AsciiSave::Stopped);
  ASSERT_EQ(ui->boxes().size(), 1u);
  EXPECT_EQ(ui->boxes()[0].prompt.rfind("The ASCII data file could not be written:", 0), 0u);
  EXPECT_FALSE(fs::exists(App("RUN1.TXT")));
}

}  // namespace
}  // namespace sw
