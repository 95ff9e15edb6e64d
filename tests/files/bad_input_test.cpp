// Files that are damaged, cut off or not ours: the reader reads what is there
// or refuses the file with its message, and a refusal changes nothing.
#include <random>

#include "files/file_fixture.h"

namespace sw {
namespace {

class BadInput : public FileTest {
 protected:
  // Opens `bytes` as <kind folder>/F, the working copy or history copy A.
  void OpenBytes(const std::string& bytes, int16_t mode = openmode::Chosen) {
    const char* folder = tbl.CalcMode == 1 ? "DIALIN" : tbl.CalcMode == 2 ? "THRTLSTP" : "VEHDAT";
    Put(mode == openmode::History       ? App("QVHISTRY/A")
        : mode == openmode::WorkingCopy ? App("QVCURVEH.ZKT")
                                        : App(std::string(folder) + "/F"),
        bytes);
    tbl.HistoryName[0] = "A";
    fst.HistorySlot = 0;
    ui->Clear();
    Open(mode, "F");
  }
  // Opens `bytes` over the tagged state "o": either it is refused with the
  // message and nothing changes, or it is read without a message.
  void OpenOrRefuse(const std::string& bytes, int16_t mode = openmode::Chosen) {
    FillAll("o");
    const auto specs = tbl.SpecText;
    const auto curve = tbl.PowerCurveText;
    const Texts current = Current();
    OpenBytes(bytes, mode);
    if (fst.FileReadFailed) {
      EXPECT_EQ(OnlyBox().prompt, kNotOurFileMessage);
      EXPECT_EQ(tbl.SpecText, specs);
      EXPECT_EQ(tbl.PowerCurveText, curve);
      EXPECT_EQ(Current(), current);
    } else {
      EXPECT_TRUE(ui->boxes().empty());
    }
  }
  static std::string Junk(std::mt19937& rng, size_t maxSize, int lineEvery = 0, int commaEvery = 0) {
    std::string junk(static_cast<size_t>(rng() % maxSize), '\0');
    for (auto& c : junk)
      c = static_cast<char>(lineEvery && rng() % lineEvery == 0    ? '\n'
                            : commaEvery && rng() % commaEvery == 0 ? ','
                                                                     : rng());
    return junk;
  }
};

TEST_F(BadInput, FileCutOffAnywhere) {
  // A full history copy: keys, specs, curve, three comments, tail.
  FillAll("g");
  fst.CurrentFilePath = AppText("VEHDAT/T1");
  tbl.HistoryEt[0] = "10.5";
  tbl.History60ft[0] = "1.5";
  const std::string full = VehicleFileText(savemode::History);
  const auto goodSpecs = tbl.SpecText;
  for (size_t cut = 0; cut <= full.size(); ++cut) {
    SCOPED_TRACE(cut);
    OpenOrRefuse(full.substr(0, cut), openmode::History);
    if (!fst.FileReadFailed) {
      for (int k = 0; k <= 209; ++k) ASSERT_EQ(tbl.SpecText[k], goodSpecs[k]) << k;
      EXPECT_EQ(fst.SpecsChanged, 1);
    }
  }
  // Cut in the comments: specs and curve read, comments up to the cut;
  // cut inside the curve: refused.
  FillAll("g");
  const std::string file = VehicleFileText(savemode::ChosenPath);
  FillAll("o");
  OpenBytes(file.substr(0, file.find("g dial-in") + 3));
  EXPECT_EQ(fst.FileReadFailed, 0);
  EXPECT_EQ(tbl.SpecText[210], "g210");
  EXPECT_EQ((Texts{fst.VehicleComments, fst.DialInComment, fst.ThrottleStopComment}),
            (Texts{"g vehicle\r\n", "g d\r\n", ""}));
  FillAll("o");
  OpenBytes(file.substr(0, file.find("gc5.2")));
  EXPECT_EQ(fst.FileReadFailed, 1);
  EXPECT_EQ(tbl.SpecText[0], "o0");
}

TEST_F(BadInput, EmptyFileAndJunkAreRefused) {
  std::mt19937 rng(7);
  Texts inputs = {"", "\r\n", "\n\n\n", std::string(1, '\0'), "QVZ", "-9999\r\n"};
  for (int n = 0; n < 50; ++n) inputs.push_back(Junk(rng, 3000));
  for (int16_t calc : {0, 1, 2})
    for (const std::string& bytes : inputs) {
      tbl.CalcMode = calc;
      OpenOrRefuse(bytes);
      EXPECT_EQ(fst.FileReadFailed, 1);
      EXPECT_EQ(fst.FileVersion, filever::NotOurs);
    }
  // Junk after a good first line is read as it stands, or refused.
  tbl.CalcMode = 0;
  for (int n = 0; n < 30; ++n) OpenOrRefuse("QVZ-ZKT*3.20\r\n" + Junk(rng, 20000, 7), openmode::WorkingCopy);
}

TEST_F(BadInput, VeryLongLinesAndOtherLineEnds) {
  FillAll("g");
  tbl.SpecText[50] = std::string(100000, '7');
  fst.VehicleComments = std::string(100000, 'c');
  const std::string longText = VehicleFileText(savemode::ChosenPath);
  FillAll("o");
  OpenBytes(longText);
  EXPECT_EQ(fst.FileReadFailed, 0);
  EXPECT_EQ(tbl.SpecText[50].size(), 100000u);
  EXPECT_EQ(tbl.SpecText[51], "g51");
  EXPECT_EQ(fst.VehicleComments.size(), 100002u);
  OpenOrRefuse(std::string(100000, 'Q') + "\r\n" + longText.substr(14));
  EXPECT_EQ(fst.FileReadFailed, 1);

  FillAll("g");
  const std::string text = VehicleFileText(savemode::ChosenPath);
  std::string lf;  // written on Linux by hand: LF alone
  for (char c : text)
    if (c != '\r') lf += c;
  for (const std::string& bytes : {"QVZ-ZKT*3.20   " + text.substr(12), lf}) {  // a version line with blanks
    FillAll("o");
    OpenBytes(bytes);
    EXPECT_EQ(fst.FileReadFailed, 0);
    EXPECT_EQ(fst.FileVersion, filever::V320);
    EXPECT_EQ(tbl.SpecText[210], "g210");
    EXPECT_EQ(fst.VehicleComments, "g vehicle\r\n");
  }
  OpenOrRefuse(" " + text);  // a leading blank is no version line
  EXPECT_EQ(fst.FileReadFailed, 1);
}

TEST_F(BadInput, ConfigurationJunkNeverStopsTheReading) {
  std::mt19937 rng(5);
  for (int n = 0; n < 40; ++n) {
    Put(App("qvzCNFG.ZKT"), Junk(rng, 5000, 5, 3));
    ui->Clear();
    ReadWriteConfiguration(1);
    EXPECT_LE(ui->boxes().size(), 1u);
    EXPECT_TRUE(fst.FloppyDrive == "A" || fst.FloppyDrive == "B");
  }
  Put(App("qvzCNFG.ZKT"), std::string(100000, '5') + "\r\n" + std::string(100000, 'x') + "\r\n");
  ui->Clear();
  ConfigurationDefaults();
  ReadWriteConfiguration(1);
  EXPECT_EQ(ui->boxes().size(), 1u);
  EXPECT_EQ(cfg.ShowBaseRun, -1);
}

}  // namespace
}  // namespace sw
