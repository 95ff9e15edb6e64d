#include "files/configuration.h"

#include "files/file_fixture.h"

namespace sw {
namespace {

class ConfigFile : public FileTest {
 protected:
  void SetUp() override {
    FileTest::SetUp();
    ConfigurationDefaults();
  }
  // Every kept value gets a value of its own, none of them a default.
  static void FillEverything() {
    cfg.ShowBaseRun = cfg.GraphPrintColor = cfg.StandardGraphLabels = cfg.ThickPlotLines = 0;
    cfg.BaseRunMode = 2;
    fst.SpecsChanged = 1;
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
      const std::string n = std::to_string(k);
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
    cfg.RemindTireWeight = tbl.BeginnerLevel = cfg.ThickEngineLines = tbl.InstantUpdate = 0;
    fst.FloppyDrive = "B";
    cfg.BrowserPath = "/usr/bin/firefox";
    cfg.ManualViewerPath = "/usr/bin/evince";
    cfg.TimeSlipLeft = 9435;
    cfg.TimeSlipTop = 1575;
    cfg.AutoTimeSlip = cfg.PrinterOrientation = 2;
    cfg.OldExamplesDeleted = 1;
  }
  static Texts Lines(const std::string& text) {
    Texts out;
    for (size_t start = 0, end; start < text.size(); start = end + 2)
      out.push_back(text.substr(start, (end = text.find("\r\n", start)) - start));
    return out;
  }
  static std::string Join(const Texts& lines, size_t count) {
    std::string s;
    for (size_t i = 0; i < count && i < lines.size(); ++i) s += lines[i] + "\r\n";
    return s;
  }
  std::string File() { return Bytes(App("qvzCNFG.ZKT")); }
  void Read() { ReadWriteConfiguration(1); }
  void Write() { ReadWriteConfiguration(0); }
  void FreshStart() {
    ResetTables();
    ResetFileState();
    ConfigurationDefaults();
  }
};

// Every value written and read back is the value written: writing again
// gives the same file.
TEST_F(ConfigFile, EveryValueRoundTrips) {
  FillEverything();
  Write();
  const std::string written = File();
  FreshStart();
  Read();
  EXPECT_TRUE(ui->boxes().empty());
  EXPECT_EQ(cfg.SavedSpecsChanged, 1);
  EXPECT_EQ(fst.SpecsChanged, 0) << "the changed flag comes back only as the saved copy";
  EXPECT_EQ(fst.FloppyDrive, "B");
  EXPECT_EQ(tbl.HistoryTitle[25], "") << "only 25 runs are kept";
  EXPECT_EQ(tbl.HistoryMph[25], 0);
  fst.SpecsChanged = cfg.SavedSpecsChanged;
  Write();
  EXPECT_EQ(File(), written);
}

TEST_F(ConfigFile, Layout) {
  FillEverything();
  Write();
  const Texts lines = Lines(File());
  ASSERT_EQ(lines.size(), 25u + 200 + 18 + 100 + 6u);
  EXPECT_EQ(Join(lines, 13),
            " 0\r\n 2\r\n 0\r\n 1\r\n 0\r\n 0\r\nBase, last week\r\nNow\r\nEngine RPM vs time\r\n 7\r\n 11\r\n 12\r\n 0\r\n");
  // The first history entry: title, ET, four numbers, 60 ft, letter.
  EXPECT_EQ(Texts(lines.begin() + 25, lines.begin() + 33),
            (Texts{"T0: Sat Jun 7 25  9:15 pm", "10.0", " 130.125", " 1320", "-1234.5", " 0", "1.40", "A"}));
  EXPECT_EQ(lines[225], " 1");                      // FinerTime
  EXPECT_EQ(lines[229], "\"/opt/Cylvane, new/\"");  // kept whole when read back
  EXPECT_EQ(lines[237], " 0");                      // ThickEngineLines
  EXPECT_EQ(lines[238], "B");
  EXPECT_EQ(lines[241], " 9435");
  EXPECT_EQ(lines[243], "4.10");
  EXPECT_EQ(lines.back(), " 2");
  cfg.GraphLabel1 = "caf\xC3\xA9";  // Windows-1252 and CR LF on disk
  Write();
  EXPECT_NE(File().find("\r\ncaf\xE9\r\n"), std::string::npos);
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

// A file that ends early leaves the values after its end as they were.
TEST_F(ConfigFile, ShortFileKeepsTheValuesAfterItsEnd) {
  FillEverything();
  Write();
  const Texts lines = Lines(File());
  Put(App("qvzCNFG.ZKT"), Join(lines, 243));  // ends after the first time-slip position
  FreshStart();
  for (int k = 0; k < kHistoryKept; ++k)
    tbl.History330ft[k] = tbl.History8thEt[k] = tbl.History1000ft[k] = tbl.History8thMph[k] = "before";
  cfg.AutoTimeSlip = 5;
  cfg.OldExamplesDeleted = 7;
  tbl.InstantUpdate = 9;
  cfg.PrinterOrientation = 1;
  Read();
  EXPECT_TRUE(ui->boxes().empty());
  EXPECT_EQ((std::vector<int>{cfg.TimeSlipLeft, cfg.TimeSlipTop, cfg.AutoTimeSlip, cfg.OldExamplesDeleted,
                              tbl.InstantUpdate, cfg.PrinterOrientation}),
            (std::vector<int>{9435, 1575, 5, 7, 9, 1}));
  EXPECT_EQ(cfg.ManualViewerPath, "/usr/bin/evince");
  for (int k = 0; k < kHistoryKept; ++k)
    EXPECT_EQ((Texts{tbl.History330ft[k], tbl.History8thEt[k], tbl.History1000ft[k], tbl.History8thMph[k]}),
              Texts(4, "before"));
  // Cut inside the history: later entries keep what they had, numbers too.
  Put(App("qvzCNFG.ZKT"), Join(lines, 25 + 8 * 3 + 3));  // entry 3 ends after its MPH
  FreshStart();
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
  EXPECT_EQ(OnlyBox().prompt, "Possible Error reading Configuration File.  File not found");
  EXPECT_EQ(OnlyBox().style, mb::OKOnly);
  EXPECT_EQ(cfg.PlotType, 3);
  EXPECT_EQ(fst.FloppyDrive, "A");
}

TEST_F(ConfigFile, UnreadableItemsAreReportedOnceAndTheRestIsRead) {
  FillEverything();
  Write();
  Texts lines = Lines(File());
  lines[0] = "abc";    // ShowBaseRun
  lines[1] = "99999";  // BaseRunMode: too big for its 16 bits
  lines[9] = "3.6";    // GraphBackColor: rounded
  lines[225] = "";     // FinerTime: an empty item is 0
  Put(App("qvzCNFG.ZKT"), Join(lines, lines.size()));
  ConfigurationDefaults();
  Read();
  EXPECT_EQ(OnlyBox().prompt, "Possible Error reading Configuration File.  Type mismatch");
  EXPECT_EQ((std::vector<int>{cfg.ShowBaseRun, cfg.BaseRunMode, cfg.GraphPrintColor, cfg.GraphBackColor, tbl.FinerTime,
                              cfg.PrinterOrientation}),
            (std::vector<int>{-1, 1, 0, 4, 0, 2}));
}

TEST_F(ConfigFile, AFailedWriteLeavesTheOldFile) {
  FillEverything();
  Write();
  const std::string before = File();
  cfg.PlotType = 2;
  FailFileWritesAfterForTest(50);
  Write();
  EXPECT_EQ(File(), before);
  EXPECT_EQ(OnlyBox().prompt, "Possible Error writing Configuration File.  No space left on device\r\rThe configuration, "
                              "which holds your preferences and run history, could not be written:\r\r      " +
                                  AppText("qvzCNFG.ZKT") + "\r\rReason: No space left on device.");
  ui->Clear();
  FailFileWritesAfterForTest(SIZE_MAX);
  SetProgramFolder(App("no such folder"));
  Write();
  EXPECT_EQ(OnlyBox().prompt.rfind("Possible Error writing Configuration File.  No such file or directory\r\r", 0), 0u);
}

TEST_F(ConfigFile, Defaults) {
  ResetTables();
  ConfigurationDefaults();
  EXPECT_EQ((std::vector<int>{tbl.BeginnerLevel, tbl.InstantUpdate, tbl.FinerTime, cfg.PlotType,
                              cfg.StandardGraphLabels, cfg.RemindTireWeight}),
            (std::vector<int>{1, 1, 0, 1, 1, 1}));
  EXPECT_EQ(fst.FloppyDrive, "A");
}

}  // namespace
}  // namespace sw
