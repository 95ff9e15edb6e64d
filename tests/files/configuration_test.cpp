#include "files/configuration.h"

#include <sstream>

#include "files/file_fixture.h"
#include "files/file_names.h"
#include "platform/text.h"

namespace sw {
namespace {

namespace fs = std::filesystem;

class ConfigFile : public FileTest {
 protected:
  void SetUp() override {
    FileTest::SetUp();
    ConfigurationDefaults();
  }
  // Every kept value gets a value of its own.
  static void FillEverything() {
    cfg.ShowBaseRun = 0;
    cfg.BaseRunMode = 2;
    cfg.GraphPrintColor = 0;
    fst.SpecsChanged = 1;
    cfg.StandardGraphLabels = 0;
    cfg.ThickPlotLines = 0;
    cfg.GraphLabel1 = "Base, last week";
    cfg.GraphLabel2 = "Now";
    cfg.GraphLabel3 = "Engine RPM vs time";
    cfg.GraphBackColor = 7;
    cfg.GraphSpare = {11, 12};
    cfg.PrintOptions = {0, 1, 0, 1, 0};
    cfg.AsciiOptions = {0, 0, 1};
    cfg.ConfigSpare1 = {21, 22};
    cfg.ConfigSpare2 = {-31, 32};
    cfg.PlotType = 8;
    for (int k = 0; k < kHistorySlots; ++k) {
      std::string n = std::to_string(k);
      tbl.HistoryTitle[k] = "T" + n + ": Sat Jun 7 25  9:15 pm";
      tbl.HistoryEt[k] = "10." + n;
      tbl.HistoryMph[k] = 130.125 + k;
      tbl.HistoryLength[k] = k % 2 ? 660 : 1320;
      tbl.HistoryDensAlt[k] = -1234.5 + k;
      tbl.HistoryDryDensAlt[k] = 2000.25 * k;
      tbl.History60ft[k] = "1.4" + n;
      tbl.HistoryName[k] = std::string(1, static_cast<char>('A' + k % 25));
      tbl.History330ft[k] = "4.1" + n;
      tbl.History8thEt[k] = "6.5" + n;
      tbl.History1000ft[k] = "8.9" + n;
      tbl.History8thMph[k] = "105.5" + n;
    }
    tbl.FinerTime = 1;
    cfg.CylvaneEdition = 4;
    for (int e = 0; e <= 4; ++e) cfg.CylvaneFolder[e] = "/opt/cylvane" + std::to_string(e) + "/";
    cfg.CylvaneFolder[2] = "/opt/Cylvane, new/";
    cfg.CylvaneFolder[3] = "  /opt/c3/";
    cfg.CylvaneExeName[4] = "CYLV.EXE";
    cfg.CylvaneShortName[4] = "Cylvane Pro";
    tbl.HistoryDisplay = 2;
    cfg.RemindTireWeight = 0;
    tbl.BeginnerLevel = 0;
    cfg.ThickEngineLines = 0;
    fst.FloppyDrive = "B";
    cfg.BrowserPath = "/usr/bin/firefox";
    cfg.ManualViewerPath = "/usr/bin/evince";
    cfg.TimeSlipLeft = 9435;
    cfg.TimeSlipTop = 1575;
    cfg.AutoTimeSlip = 2;
    cfg.OldExamplesDeleted = 1;
    tbl.InstantUpdate = 0;
    cfg.PrinterOrientation = 2;
  }
  static std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> out;
    size_t start = 0;
    while (start < text.size()) {
      size_t end = text.find("\r\n", start);
      out.push_back(text.substr(start, end - start));
      start = end + 2;
    }
    return out;
  }
  static std::string Join(const std::vector<std::string>& lines, size_t count) {
    std::string s;
    for (size_t i = 0; i < count && i < lines.size(); ++i) s += lines[i] + "\r\n";
    return s;
  }
  void Read() {
    int16_t d = 1;
    ReadWriteConfiguration(d);
  }
  void Write() {
    int16_t d = 0;
    ReadWriteConfiguration(d);
  }
};

TEST_F(ConfigFile, EveryValueRoundTrips) {
  FillEverything();
  const ProgramTables saved = tbl;
  const Configuration savedCfg = cfg;
  Write();
  ASSERT_TRUE(fs::exists(App("qvzCNFG.ZKT")));
  EXPECT_TRUE(ui->boxes().empty());

  ResetTables();
  ResetFileState();
  ConfigurationDefaults();
  Read();
  EXPECT_TRUE(ui->boxes().empty());
  EXPECT_EQ(cfg.ShowBaseRun, 0);
  EXPECT_EQ(cfg.BaseRunMode, 2);
  EXPECT_EQ(cfg.GraphPrintColor, 0);
  EXPECT_EQ(cfg.SavedSpecsChanged, 1);
  EXPECT_EQ(cfg.StandardGraphLabels, 0);
  EXPECT_EQ(cfg.ThickPlotLines, 0);
  EXPECT_EQ(cfg.GraphLabel1, savedCfg.GraphLabel1);
  EXPECT_EQ(cfg.GraphLabel2, savedCfg.GraphLabel2);
  EXPECT_EQ(cfg.GraphLabel3, savedCfg.GraphLabel3);
  EXPECT_EQ(cfg.GraphBackColor, 7);
  EXPECT_EQ(cfg.GraphSpare, savedCfg.GraphSpare);
  EXPECT_EQ(cfg.PrintOptions, savedCfg.PrintOptions);
  EXPECT_EQ(cfg.AsciiOptions, savedCfg.AsciiOptions);
  EXPECT_EQ(cfg.ConfigSpare1, savedCfg.ConfigSpare1);
  EXPECT_EQ(cfg.ConfigSpare2, savedCfg.ConfigSpare2);
  EXPECT_EQ(cfg.PlotType, 8);
  for (int k = 0; k < kHistoryKept; ++k) {
    SCOPED_TRACE(k);
    EXPECT_EQ(tbl.HistoryTitle[k], saved.HistoryTitle[k]);
    EXPECT_EQ(tbl.HistoryEt[k], saved.HistoryEt[k]);
    EXPECT_EQ(tbl.HistoryMph[k], saved.HistoryMph[k]);
    EXPECT_EQ(tbl.HistoryLength[k], saved.HistoryLength[k]);
    EXPECT_EQ(tbl.HistoryDensAlt[k], saved.HistoryDensAlt[k]);
    EXPECT_EQ(tbl.HistoryDryDensAlt[k], saved.HistoryDryDensAlt[k]);
    EXPECT_EQ(tbl.History60ft[k], saved.History60ft[k]);
    EXPECT_EQ(tbl.HistoryName[k], saved.HistoryName[k]);
    EXPECT_EQ(tbl.History330ft[k], saved.History330ft[k]);
    EXPECT_EQ(tbl.History8thEt[k], saved.History8thEt[k]);
    EXPECT_EQ(tbl.History1000ft[k], saved.History1000ft[k]);
    EXPECT_EQ(tbl.History8thMph[k], saved.History8thMph[k]);
  }
  // Only 25 runs are kept.
  EXPECT_EQ(tbl.HistoryTitle[25], "");
  EXPECT_EQ(tbl.HistoryMph[25], 0);
  EXPECT_EQ(tbl.FinerTime, 1);
  EXPECT_EQ(cfg.CylvaneEdition, 4);
  for (int e = 0; e <= 4; ++e) EXPECT_EQ(cfg.CylvaneFolder[e], savedCfg.CylvaneFolder[e]) << e;
  EXPECT_EQ(cfg.CylvaneExeName[4], "CYLV.EXE");
  EXPECT_EQ(cfg.CylvaneShortName[4], "Cylvane Pro");
  EXPECT_EQ(tbl.HistoryDisplay, 2);
  EXPECT_EQ(cfg.RemindTireWeight, 0);
  EXPECT_EQ(tbl.BeginnerLevel, 0);
  EXPECT_EQ(cfg.ThickEngineLines, 0);
  EXPECT_EQ(fst.FloppyDrive, "B");
  EXPECT_EQ(cfg.BrowserPath, "/usr/bin/firefox");
  EXPECT_EQ(cfg.ManualViewerPath, "/usr/bin/evince");
  EXPECT_EQ(cfg.TimeSlipLeft, 9435);
  EXPECT_EQ(cfg.TimeSlipTop, 1575);
  EXPECT_EQ(cfg.AutoTimeSlip, 2);
  EXPECT_EQ(cfg.OldExamplesDeleted, 1);
  EXPECT_EQ(tbl.InstantUpdate, 0);
  EXPECT_EQ(cfg.PrinterOrientation, 2);
}

TEST_F(ConfigFile, Layout) {
  FillEverything();
  Write();
  const std::string bytes = Bytes(App("qvzCNFG.ZKT"));
  const auto lines = Lines(bytes);
  ASSERT_EQ(lines.size(), 25u + 200 + 18 + 100 + 6u);
  EXPECT_EQ(Join(lines, 13), " 0\r\n 2\r\n 0\r\n 1\r\n 0\r\n 0\r\nBase, last week\r\nNow\r\nEngine RPM vs time\r\n 7\r\n 11\r\n 12\r\n 0\r\n");
  // The first history entry: title, ET, four numbers, 60 ft, letter.
  EXPECT_EQ(lines[25], "T0: Sat Jun 7 25  9:15 pm");
  EXPECT_EQ(lines[26], "10.0");
  EXPECT_EQ(lines[27], " 130.125");
  EXPECT_EQ(lines[28], " 1320");
  EXPECT_EQ(lines[29], "-1234.5");
  EXPECT_EQ(lines[30], " 0");
  EXPECT_EQ(lines[31], "1.40");
  EXPECT_EQ(lines[32], "A");
  EXPECT_EQ(lines[225], " 1");                      // FinerTime
  EXPECT_EQ(lines[229], "\"/opt/Cylvane, new/\"");  // kept whole when read back
  EXPECT_EQ(lines[237], " 0");                      // ThickEngineLines
  EXPECT_EQ(lines[238], "B");
  EXPECT_EQ(lines[241], " 9435");
  EXPECT_EQ(lines[243], "4.10");
  EXPECT_EQ(lines.back(), " 2");
  // Windows-1252 and CR LF on disk.
  cfg.GraphLabel1 = "caf\xC3\xA9";
  Write();
  EXPECT_NE(Bytes(App("qvzCNFG.ZKT")).find("\r\ncaf\xE9\r\n"), std::string::npos);
}

TEST_F(ConfigFile, ChangedFlagComesBackOnlyAsTheSavedCopy) {
  fst.SpecsChanged = 1;
  Write();
  fst.SpecsChanged = 0;
  Read();
  EXPECT_EQ(cfg.SavedSpecsChanged, 1);
  EXPECT_EQ(fst.SpecsChanged, 0);
}

TEST_F(ConfigFile, FloppyDriveIsAOrB) {
  for (auto [stored, read] : std::vector<std::pair<std::string, std::string>>{
           {"b", "B"}, {"B", "B"}, {"C", "A"}, {"", "A"}, {"a", "A"}, {"bb", "A"}}) {
    fst.FloppyDrive = stored;
    Write();
    fst.FloppyDrive = "x";
    Read();
    EXPECT_EQ(fst.FloppyDrive, read) << stored;
  }
}

TEST_F(ConfigFile, ShortFileKeepsTheValuesAfterItsEnd) {
  FillEverything();
  Write();
  const auto lines = Lines(Bytes(App("qvzCNFG.ZKT")));
  Put(App("qvzCNFG.ZKT"), Join(lines, 243));  // ends after the first time-slip position

  ResetTables();
  ConfigurationDefaults();
  for (int k = 0; k < kHistoryKept; ++k) tbl.History330ft[k] = tbl.History8thEt[k] = tbl.History1000ft[k] =
      tbl.History8thMph[k] = "before";
  cfg.AutoTimeSlip = 5;
  cfg.OldExamplesDeleted = 7;
  tbl.InstantUpdate = 9;
  cfg.PrinterOrientation = 1;
  Read();
  EXPECT_TRUE(ui->boxes().empty());
  EXPECT_EQ(cfg.TimeSlipLeft, 9435);
  EXPECT_EQ(cfg.TimeSlipTop, 1575);
  EXPECT_EQ(cfg.ManualViewerPath, "/usr/bin/evince");
  for (int k = 0; k < kHistoryKept; ++k) {
    EXPECT_EQ(tbl.History330ft[k], "before");
    EXPECT_EQ(tbl.History8thMph[k], "before");
  }
  EXPECT_EQ(cfg.AutoTimeSlip, 5);
  EXPECT_EQ(cfg.OldExamplesDeleted, 7);
  EXPECT_EQ(tbl.InstantUpdate, 9);
  EXPECT_EQ(cfg.PrinterOrientation, 1);

  // Cut inside the history: later entries keep what they had, numbers too.
  Put(App("qvzCNFG.ZKT"), Join(lines, 25 + 8 * 3 + 3));  // entry 3 ends after its MPH
  ResetTables();
  ConfigurationDefaults();
  tbl.HistoryLength[3] = 99;
  tbl.HistoryDensAlt[20] = 77;
  Read();
  EXPECT_EQ(tbl.HistoryMph[3], 133.125);
  EXPECT_EQ(tbl.HistoryLength[3], 99);
  EXPECT_EQ(tbl.HistoryDensAlt[20], 77);
  EXPECT_EQ(tbl.HistoryTitle[4], "");
}

TEST_F(ConfigFile, MissingFile) {
  cfg.PlotType = 3;
  fst.FloppyDrive = "q";
  Read();
  ASSERT_EQ(ui->boxes().size(), 1u);
  EXPECT_EQ(ui->boxes()[0].prompt, "Possible Error reading Configuration File.  File not found");
  EXPECT_EQ(ui->boxes()[0].style, mb::OKOnly);
  EXPECT_EQ(cfg.PlotType, 3);
  EXPECT_EQ(fst.FloppyDrive, "A");
}

TEST_F(ConfigFile, UnreadableItemsAreReportedOnceAndTheRestIsRead) {
  FillEverything();
  Write();
  auto lines = Lines(Bytes(App("qvzCNFG.ZKT")));
  lines[0] = "abc";     // ShowBaseRun
  lines[1] = "99999";   // BaseRunMode: too big for its 16 bits
  lines[9] = "3.6";     // GraphBackColor: rounded
  lines[225] = "";      // FinerTime: an empty item is 0
  Put(App("qvzCNFG.ZKT"), Join(lines, lines.size()));
  ConfigurationDefaults();
  Read();
  ASSERT_EQ(ui->boxes().size(), 1u);
  EXPECT_EQ(ui->boxes()[0].prompt, "Possible Error reading Configuration File.  Type mismatch");
  EXPECT_EQ(cfg.ShowBaseRun, -1);
  EXPECT_EQ(cfg.BaseRunMode, 1);
  EXPECT_EQ(cfg.GraphPrintColor, 0);
  EXPECT_EQ(cfg.GraphBackColor, 4);
  EXPECT_EQ(tbl.FinerTime, 0);
  EXPECT_EQ(cfg.PrinterOrientation, 2);
}

TEST_F(ConfigFile, AFailedWriteLeavesTheOldFile) {
  FillEverything();
  Write();
  const std::string before = Bytes(App("qvzCNFG.ZKT"));
  cfg.PlotType = 2;
  FailFileWritesAfterForTest(50);
  Write();
  EXPECT_EQ(Bytes(App("qvzCNFG.ZKT")), before);
  ASSERT_EQ(ui->boxes().size(), 1u);
  EXPECT_EQ(ui->boxes()[0].prompt.rfind("Possible Error reading Configuration File.  ", 0), 0u);

  ui->Clear();
  FailFileWritesAfterForTest(SIZE_MAX);
  SetProgramFolder(App("no such folder"));
  Write();
  ASSERT_EQ(ui->boxes().size(), 1u);
  EXPECT_EQ(ui->boxes()[0].prompt, "Possible Error reading Configuration File.  Path not found");
}

TEST_F(ConfigFile, Defaults) {
  ResetTables();
  ConfigurationDefaults();
  EXPECT_EQ(tbl.BeginnerLevel, 1);
  EXPECT_EQ(tbl.InstantUpdate, 1);
  EXPECT_EQ(tbl.FinerTime, 0);
  EXPECT_EQ(fst.FloppyDrive, "A");
  EXPECT_EQ(cfg.PlotType, 1);
  EXPECT_EQ(cfg.StandardGraphLabels, 1);
  EXPECT_EQ(cfg.RemindTireWeight, 1);
}

}  // namespace
}  // namespace sw
