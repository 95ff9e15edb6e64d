// Files that are damaged, cut off or not ours: the reader reads what is there
// or refuses the file with its message, and a refusal changes nothing.
#include <random>

#include "files/configuration.h"
#include "files/file_fixture.h"
#include "files/vehicle_file.h"
#include "platform/text.h"

namespace sw {
namespace {

namespace fs = std::filesystem;

class BadInput : public FileTest {
 protected:
  static void Fill(const std::string& tag) {
    for (int k = 0; k < kSpecCount; ++k) tbl.SpecText[k] = tag + std::to_string(k);
    for (int i = 0; i < kPowerCurvePoints; ++i)
      for (int j = 0; j < 3; ++j) tbl.PowerCurveText[i][j] = tag + "c" + std::to_string(i) + std::to_string(j);
    fst.VehicleComments = tag + " vehicle\r\n";
    fst.DialInComment = tag + " dial-in\r\n";
    fst.ThrottleStopComment = tag + " stop\r\n";
    fst.CurrentFilePath = "/" + tag + "/path";
    fst.CurrentFileName = tag;
    fst.DialInFileName = tag + "-di";
    fst.ThrottleStopFileName = tag + "-ts";
    fst.SpecsChanged = 0;
  }
  // Opens `bytes` as VEHDAT/F (or the kind's folder) in the given mode.
  void OpenBytes(const std::string& bytes, int16_t mode = openmode::Chosen) {
    const char* folder = tbl.CalcMode == 1 ? "DIALIN" : tbl.CalcMode == 2 ? "THRTLSTP" : "VEHDAT";
    fs::path p = mode == openmode::History ? App("QVHISTRY/A") : App(std::string(folder) + "/F");
    if (mode == openmode::WorkingCopy) p = App("QVCURVEH.ZKT");
    Put(p, bytes);
    tbl.HistoryName[0] = "A";
    fst.HistorySlot = 0;
    fst.ChosenFileName = "F";
    fst.FileReadFailed = 0;
    OpenVehicleFile(FormId::frmMain, mode);
  }
  void ExpectUnchanged(const ProgramTables& t, const FileState& f) {
    EXPECT_EQ(tbl.SpecText, t.SpecText);
    EXPECT_EQ(tbl.PowerCurveText, t.PowerCurveText);
    EXPECT_EQ(fst.VehicleComments, f.VehicleComments);
    EXPECT_EQ(fst.DialInComment, f.DialInComment);
    EXPECT_EQ(fst.ThrottleStopComment, f.ThrottleStopComment);
    EXPECT_EQ(fst.CurrentFilePath, f.CurrentFilePath);
    EXPECT_EQ(fst.CurrentFileName, f.CurrentFileName);
    EXPECT_EQ(fst.DialInFileName, f.DialInFileName);
    EXPECT_EQ(fst.ThrottleStopFileName, f.ThrottleStopFileName);
    EXPECT_EQ(fst.SpecsChanged, f.SpecsChanged);
  }
};

TEST_F(BadInput, FileCutOffAnywhere) {
  // A full history copy: keys, specs, curve, three comments, tail.
  Fill("g");
  fst.CurrentFilePath = AppText("VEHDAT/T1");
  tbl.HistoryEt[0] = "10.5";
  tbl.History60ft[0] = "1.5";
  const std::string full = VehicleFileText(savemode::History);
  const auto goodSpecs = tbl.SpecText;

  for (size_t cut = 0; cut <= full.size(); ++cut) {
    SCOPED_TRACE(cut);
    Fill("o");
    const ProgramTables before = tbl;
    const FileState fBefore = fst;
    ui->Clear();
    OpenBytes(full.substr(0, cut), openmode::History);
    if (fst.FileReadFailed) {
      ASSERT_EQ(ui->boxes().size(), 1u);
      EXPECT_EQ(ui->boxes()[0].prompt, kNotOurFileMessage);
      ExpectUnchanged(before, fBefore);
    } else {
      EXPECT_TRUE(ui->boxes().empty());
      for (int k = 0; k <= 209; ++k) ASSERT_EQ(tbl.SpecText[k], goodSpecs[k]) << k;
      EXPECT_EQ(fst.SpecsChanged, 1);
    }
  }
}

TEST_F(BadInput, WhatACutOffFileKeeps) {
  Fill("g");
  const std::string full = VehicleFileText(savemode::ChosenPath);
  // Cut in the middle of the comments: specs and curve read, comments up to the cut.
  size_t pos = full.find("g dial-in");
  Fill("o");
  OpenBytes(full.substr(0, pos + 3));
  EXPECT_EQ(fst.FileReadFailed, 0);
  EXPECT_EQ(tbl.SpecText[210], "g210");
  EXPECT_EQ(fst.VehicleComments, "g vehicle\r\n");
  EXPECT_EQ(fst.DialInComment, "g d\r\n");
  EXPECT_EQ(fst.ThrottleStopComment, "");
  // Cut inside the curve: refused.
  Fill("o");
  ui->Clear();
  OpenBytes(full.substr(0, full.find("gc52")));
  EXPECT_EQ(fst.FileReadFailed, 1);
  EXPECT_EQ(tbl.SpecText[0], "o0");
}

TEST_F(BadInput, EmptyFileAndJunk) {
  std::mt19937 rng(7);
  std::vector<std::string> inputs = {"", "\r\n", "\n\n\n", std::string(1, '\0'), "QVZ", "-9999\r\n"};
  for (int n = 0; n < 50; ++n) {
    std::string junk(static_cast<size_t>(rng() % 3000), '\0');
    for (auto& c : junk) c = static_cast<char>(rng());
    inputs.push_back(junk);
  }
  for (int16_t calc : {0, 1, 2}) {
    for (const std::string& bytes : inputs) {
      tbl.CalcMode = calc;
      Fill("o");
      const ProgramTables before = tbl;
      const FileState fBefore = fst;
      ui->Clear();
      OpenBytes(bytes);
      EXPECT_EQ(fst.FileReadFailed, 1);
      EXPECT_EQ(fst.FileVersion, filever::NotOurs);
      ASSERT_EQ(ui->boxes().size(), 1u);
      ExpectUnchanged(before, fBefore);
    }
  }
}

TEST_F(BadInput, JunkAfterAGoodFirstLineIsReadAsItStands) {
  std::mt19937 rng(11);
  for (int n = 0; n < 30; ++n) {
    std::string junk(static_cast<size_t>(rng() % 20000), '\0');
    for (auto& c : junk) c = static_cast<char>(rng() % 7 == 0 ? '\n' : rng());
    Fill("o");
    const ProgramTables before = tbl;
    ui->Clear();
    OpenBytes("QVZ-ZKT*3.20\r\n" + junk, openmode::WorkingCopy);
    if (fst.FileReadFailed) {
      EXPECT_EQ(tbl.SpecText, before.SpecText);
    }
  }
}

TEST_F(BadInput, VeryLongLines) {
  Fill("g");
  tbl.SpecText[50] = std::string(100000, '7');
  fst.VehicleComments = std::string(100000, 'c');
  std::string text = VehicleFileText(savemode::ChosenPath);
  Fill("o");
  OpenBytes(text);
  EXPECT_EQ(fst.FileReadFailed, 0);
  EXPECT_EQ(tbl.SpecText[50].size(), 100000u);
  EXPECT_EQ(tbl.SpecText[51], "g51");
  EXPECT_EQ(fst.VehicleComments.size(), 100002u);

  Fill("o");
  ui->Clear();
  OpenBytes(std::string(100000, 'Q') + "\r\n" + text.substr(14));
  EXPECT_EQ(fst.FileReadFailed, 1);
  EXPECT_EQ(tbl.SpecText[50], "o50");
}

TEST_F(BadInput, VersionLineWithTrailingBlanksAndLineEnds) {
  Fill("g");
  std::string text = VehicleFileText(savemode::ChosenPath);
  Fill("o");
  OpenBytes("QVZ-ZKT*3.20   " + text.substr(12));
  EXPECT_EQ(fst.FileReadFailed, 0);
  EXPECT_EQ(fst.FileVersion, filever::V320);
  EXPECT_EQ(tbl.SpecText[3], "g3");

  // Written on Linux by hand: LF alone.
  std::string lf;
  for (char c : text)
    if (c != '\r') lf += c;
  Fill("o");
  OpenBytes(lf);
  EXPECT_EQ(fst.FileReadFailed, 0);
  EXPECT_EQ(tbl.SpecText[210], "g210");
  EXPECT_EQ(fst.VehicleComments, "g vehicle\r\n");

  // A leading blank is no version line.
  Fill("o");
  OpenBytes(" " + text);
  EXPECT_EQ(fst.FileReadFailed, 1);
}

TEST_F(BadInput, ConfigurationJunkNeverStopsTheReading) {
  std::mt19937 rng(5);
  for (int n = 0; n < 40; ++n) {
    std::string junk(static_cast<size_t>(rng() % 5000), '\0');
    for (auto& c : junk) c = static_cast<char>(rng() % 5 == 0 ? '\n' : rng() % 3 == 0 ? ',' : rng());
    Put(App("qvzCNFG.ZKT"), junk);
    ui->Clear();
    int16_t d = 1;
    ReadWriteConfiguration(d);
    EXPECT_LE(ui->boxes().size(), 1u);
    EXPECT_TRUE(fst.FloppyDrive == "A" || fst.FloppyDrive == "B");
  }
  // Lines of 100,000 characters.
  Put(App("qvzCNFG.ZKT"), std::string(100000, '5') + "\r\n" + std::string(100000, 'x') + "\r\n");
  ui->Clear();
  ConfigurationDefaults();
  int16_t d = 1;
  ReadWriteConfiguration(d);
  EXPECT_EQ(ui->boxes().size(), 1u);
  EXPECT_EQ(cfg.ShowBaseRun, -1);
}

}  // namespace
}  // namespace sw
