#include "files/vehicle_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include "files/file_fixture.h"
#include "files/file_names.h"
#include "platform/text.h"

namespace sw {
namespace {

namespace fs = std::filesystem;

class VehicleFile : public FileTest {
 protected:
  // Every spec and curve cell gets a text of its own, so a line in the wrong
  // place shows.
  static void FillSpecs(const std::string& tag) {
    for (int k = 0; k < kSpecCount; ++k) tbl.SpecText[k] = tag + std::to_string(k);
    for (int i = 0; i < kPowerCurvePoints; ++i)
      for (int j = 0; j < 3; ++j) tbl.PowerCurveText[i][j] = tag + "c" + std::to_string(i) + "." + std::to_string(j);
  }
  static std::string ExpectedSpecs(const std::string& tag, int first, int last) {
    std::string s;
    for (int k = first; k <= last; ++k) s += tag + std::to_string(k) + "\r\n";
    return s;
  }
  static std::string ExpectedCurve(const std::string& tag) {
    std::string s;
    for (int i = 0; i < 10; ++i)
      for (int j = 0; j < 3; ++j) s += tag + "c" + std::to_string(i) + "." + std::to_string(j) + "\r\n";
    return s;
  }
  void SaveAs(int16_t mode, const std::string& chosen = "") {
    fst.FileOperation = mode;
    if (!chosen.empty()) fst.ChosenFileName = chosen;
    SaveVehicleFile(FormId::frmMain);
  }
  // Saves the current vehicle to VEHDAT/<name> in save mode 3 (no tail).
  void SaveVehicle(const std::string& name) {
    fs::create_directories(App("VEHDAT"));
    SaveAs(savemode::ChosenPath, AppText("VEHDAT/" + name));
  }
  void Open(int16_t mode, const std::string& chosen = "") {
    if (!chosen.empty()) fst.ChosenFileName = chosen;
    fst.FileReadFailed = 0;
    OpenVehicleFile(FormId::frmMain, mode);
  }
};

// ---------------------------------------------------------------- layout

TEST_F(VehicleFile, VehicleFileLayoutIsByteForByte) {
  FillSpecs("v");
  fst.VehicleComments = "Best 10.52 at Milan\r\nrear tires 28x10.5\r\n";
  fst.DialInComment = "dial";
  fst.ThrottleStopComment = "";
  fst.CurrentFilePath = AppText("VEHDAT/T1");
  fst.DialInFileName = "Fri";
  fst.ThrottleStopFileName = "Sat";

  SaveVehicle("T1");
  const std::string body = "QVZ-ZKT*3.20\r\n" + ExpectedSpecs("v", 0, 210) + ExpectedCurve("v") +
                           "Best 10.52 at Milan\r\nrear tires 28x10.5\r\n\r\n-9999\r\n" + "dial\r\n-9999\r\n" +
                           "\r\n-9999\r\n";
  EXPECT_EQ(Bytes(App("VEHDAT/T1")), body);  // save mode 3: no tail

  SaveAs(savemode::WorkingCopy);
  EXPECT_EQ(Bytes(App("QVCURVEH.ZKT")), body + AppText("VEHDAT/T1") + "\r\nFri\r\nSat\r\n");

  SaveAs(savemode::SameName);
  EXPECT_EQ(Bytes(App("VEHDAT/T1")), body + AppText("VEHDAT/T1") + "\r\nFri\r\nSat\r\n");

  tbl.HistoryName[0] = "C";
  tbl.HistoryEt[0] = "10.52";
  tbl.HistoryMph[0] = 128.25;
  tbl.History60ft[0] = "1.45";
  SaveAs(savemode::History);
  EXPECT_EQ(Bytes(App("QVHISTRY/C")), "QVZ-ZKT*3.20\r\n10.52\r\n 128.25\r\n1.45\r\n" + body.substr(14) +
                                          AppText("VEHDAT/T1") + "\r\nFri\r\nSat\r\n");
}

TEST_F(VehicleFile, DialInAndThrottleStopLayout) {
  FillSpecs("d");
  fst.DialInComment = "Friday night\r\n";
  fst.ThrottleStopComment = "stop";
  fst.VehicleComments = "not in these files";
  fs::create_directories(App("DIALIN"));
  fs::create_directories(App("THRTLSTP"));

  tbl.CalcMode = 1;
  SaveAs(savemode::ChosenPath, AppText("DIALIN/Fri"));
  EXPECT_EQ(Bytes(App("DIALIN/Fri")),
            "QVZ-ZKT-DI*3.20\r\n" + ExpectedSpecs("d", 127, 210) + "Friday night\r\n\r\n-9999\r\n");

  tbl.CalcMode = 2;
  SaveAs(savemode::ChosenPath, AppText("THRTLSTP/Sat"));
  EXPECT_EQ(Bytes(App("THRTLSTP/Sat")), "QVZ-ZKT-TS*3.20\r\n" + ExpectedSpecs("d", 127, 210) + "stop\r\n-9999\r\n");
}

TEST_F(VehicleFile, TextIsWindows1252OnDiskAndLineBreaksAreCrLf) {
  FillSpecs("v");
  tbl.SpecText[3] = "12\xC2\xB0";                       // degree sign
  fst.VehicleComments = "caf\xC3\xA9\nsecond\rthird";  // line breaks as a text box may give them
  SaveVehicle("enc");
  std::string bytes = Bytes(App("VEHDAT/enc"));
  EXPECT_NE(bytes.find("\r\n12\xB0\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("caf\xE9\r\nsecond\r\nthird\r\n-9999\r\n"), std::string::npos);

  ResetTables();
  ResetFileState();
  Open(openmode::Chosen, "enc");
  EXPECT_EQ(tbl.SpecText[3], "12\xC2\xB0");
  EXPECT_EQ(fst.VehicleComments, "caf\xC3\xA9\r\nsecond\r\nthird\r\n");
}

TEST_F(VehicleFile, ItemsThatWouldBreakTheLayoutAreKeptOnTheirLine) {
  FillSpecs("v");
  tbl.SpecText[5] = "two\r\nlines";
  fst.VehicleComments = "a\r\n-9999\r\nb";
  fst.DialInComment = "kept";
  SaveVehicle("T1");
  FillSpecs("x");
  fst.DialInComment.clear();
  Open(openmode::Chosen, "T1");
  EXPECT_EQ(tbl.SpecText[5], "two  lines");
  EXPECT_EQ(tbl.SpecText[6], "v6");
  EXPECT_EQ(fst.VehicleComments, "a\r\n -9999\r\nb\r\n");
  EXPECT_EQ(fst.DialInComment, "kept\r\n");
}

// ---------------------------------------------------------------- round trips

TEST_F(VehicleFile, EveryKindRoundTrips) {
  struct Case {
    int16_t calcMode, saveMode, openMode;
    std::string rel;
  };
  tbl.HistoryName[0] = "A";
  tbl.HistoryName[3] = "A";
  fst.HistorySlot = 3;
  fs::create_directories(App("VEHDAT"));
  fs::create_directories(App("DIALIN"));
  fs::create_directories(App("THRTLSTP"));
  for (const Case& c : {Case{0, savemode::ChosenPath, openmode::Chosen, "VEHDAT/T1"},
                        Case{0, savemode::SameName, openmode::Chosen, "VEHDAT/T1"},
                        Case{0, savemode::WorkingCopy, openmode::WorkingCopy, "QVCURVEH.ZKT"},
                        Case{0, savemode::History, openmode::History, "QVHISTRY/A"},
                        Case{1, savemode::ChosenPath, openmode::Chosen, "DIALIN/Fri"},
                        Case{2, savemode::ChosenPath, openmode::Chosen, "THRTLSTP/Sat"}}) {
    SCOPED_TRACE(c.rel + " save mode " + std::to_string(c.saveMode));
    ResetTables();
    tbl.HistoryName[0] = tbl.HistoryName[3] = "A";
    tbl.CalcMode = c.calcMode;
    FillSpecs("w");
    fst.VehicleComments = "veh line 1\r\nveh line 2\r\n";
    fst.DialInComment = "dial-in note\r\n";
    fst.ThrottleStopComment = "stop note\r\n";
    fst.CurrentFilePath = AppText("VEHDAT/T1");
    fst.DialInFileName = "Fri";
    fst.ThrottleStopFileName = "Sat";
    const auto specs = tbl.SpecText;
    const auto curve = tbl.PowerCurveText;
    SaveAs(c.saveMode, AppText(c.rel));
    ASSERT_TRUE(fs::exists(App(c.rel)));

    // Back to other values, then read.
    FillSpecs("o");
    fst.VehicleComments = fst.DialInComment = fst.ThrottleStopComment = "other";
    fst.CurrentFilePath = AppText("VEHDAT/X");
    fst.DialInFileName = fst.ThrottleStopFileName = "";
    std::string name = c.rel.substr(c.rel.find('/') + 1);
    Open(c.openMode, name);
    ASSERT_EQ(fst.FileReadFailed, 0);
    EXPECT_EQ(fst.FileVersion, filever::V320);
    const int first = c.calcMode == 0 ? 0 : 127;
    for (int k = first; k <= 210; ++k) EXPECT_EQ(tbl.SpecText[k], specs[k]) << k;
    EXPECT_EQ(tbl.SpecText[211], "o211");
    if (c.calcMode == 0) {
      for (int i = 0; i < 10; ++i)
        for (int j = 0; j < 3; ++j) EXPECT_EQ(tbl.PowerCurveText[i][j], curve[i][j]);
      EXPECT_EQ(tbl.PowerCurveText[10][0], "oc10.0");
      EXPECT_EQ(fst.VehicleComments, "veh line 1\r\nveh line 2\r\n");
      EXPECT_EQ(fst.DialInComment, "dial-in note\r\n");
      EXPECT_EQ(fst.ThrottleStopComment, "stop note\r\n");
      EXPECT_EQ(windows.mainComments, fst.VehicleComments);
    } else {
      EXPECT_EQ(tbl.SpecText[0], "o0");
      EXPECT_EQ(tbl.PowerCurveText[0][0], "oc0.0");
      EXPECT_EQ(c.calcMode == 1 ? fst.DialInComment : fst.ThrottleStopComment,
                c.calcMode == 1 ? "dial-in note\r\n" : "stop note\r\n");
      EXPECT_EQ(fst.VehicleComments, "other");
      EXPECT_EQ(windows.dialInComments, c.calcMode == 1 ? "dial-in note\r\n" : "stop note\r\n");
    }
    bool withTail = c.saveMode != savemode::ChosenPath;
    EXPECT_EQ(fst.DialInFileName, withTail ? "Fri" : (c.calcMode == 1 ? "Fri" : ""));
    EXPECT_EQ(fst.ThrottleStopFileName, withTail ? "Sat" : (c.calcMode == 2 ? "Sat" : ""));
  }
}

// ---------------------------------------------------------------- what becomes current

TEST_F(VehicleFile, OpeningAVehicleMakesItCurrentAndUnchanged) {
  FillSpecs("v");
  fs::create_directories(App("VEHDAT/OLD"));
  SaveVehicle("OLD/T1");
  fst.SpecsChanged = 1;
  Open(openmode::Chosen, "OLD/T1");
  EXPECT_EQ(fst.CurrentFilePath, AppText("VEHDAT/OLD/T1"));
  EXPECT_EQ(fst.CurrentFileName, "OLD/T1");
  EXPECT_EQ(fst.SpecsChanged, 0);
  EXPECT_EQ(windows.mainCommentsSet, 1);
  EXPECT_EQ(windows.captionsBuilt, 0);
}

TEST_F(VehicleFile, TheFolderIsFoundWhateverItsCase) {
  FillSpecs("v");
  fs::create_directories(App("VehDat"));
  SaveAs(savemode::ChosenPath, AppText("vehdat/T1"));
  EXPECT_TRUE(fs::exists(App("VehDat/T1")));
  FillSpecs("o");
  Open(openmode::Chosen, "T1");
  EXPECT_EQ(tbl.SpecText[7], "v7");
  EXPECT_EQ(fst.CurrentFileName, "T1");
}

TEST_F(VehicleFile, WorkingCopyStandsForTheLibraryFileInItsTail) {
  FillSpecs("v");
  fst.CurrentFilePath = AppText("VEHDAT/OLD/T1");
  SaveAs(savemode::WorkingCopy);
  fst.CurrentFilePath.clear();
  fst.SpecsChanged = 1;
  Open(openmode::WorkingCopy);
  EXPECT_EQ(fst.CurrentFilePath, AppText("VEHDAT/OLD/T1"));
  EXPECT_EQ(fst.CurrentFileName, "OLD/T1");
  EXPECT_EQ(fst.SpecsChanged, 0);

  // A working copy written on Windows names its library file by a Windows path.
  std::string bytes = Bytes(App("QVCURVEH.ZKT"));
  bytes = bytes.substr(0, bytes.rfind(AppText("VEHDAT"))) + "C:\\Stagewell\\VEHDAT\\OLD\\T2\r\nFri\r\nSat\r\n";
  Put(App("QVCURVEH.ZKT"), bytes);
  Open(openmode::WorkingCopy);
  EXPECT_EQ(fst.CurrentFilePath, AppText("VEHDAT/OLD/T2"));
  EXPECT_EQ(fst.CurrentFileName, "OLD/T2");
}

TEST_F(VehicleFile, HistoryCopyReopensMarkedChanged) {
  FillSpecs("h");
  fst.CurrentFilePath = AppText("VEHDAT/T1");
  tbl.HistoryName[0] = "B";
  SaveAs(savemode::History);
  fst.SpecsChanged = 0;
  fst.CurrentFilePath = AppText("VEHDAT/Other");
  FillSpecs("o");
  tbl.HistoryName[5] = "B";
  fst.HistorySlot = 5;
  Open(openmode::History);
  EXPECT_EQ(fst.FileReadFailed, 0);
  EXPECT_EQ(tbl.SpecText[0], "h0");
  EXPECT_EQ(fst.SpecsChanged, 1);
  EXPECT_EQ(fst.CurrentFilePath, AppText("VEHDAT/T1"));
  EXPECT_EQ(fst.CurrentFileName, "T1");
}

TEST_F(VehicleFile, HistoryNamesCannotLeaveTheHistoryFolder) {
  FillSpecs("h");
  tbl.HistoryName[0] = "../QVCURVEH.ZKT";
  SaveAs(savemode::History);
  EXPECT_FALSE(fs::exists(App("QVCURVEH.ZKT")));
  ASSERT_EQ(ui->boxes().size(), 1u);
  ui->Clear();
  tbl.HistoryName[2] = "../qvzCNFG.ZKT";
  fst.HistorySlot = 2;
  Open(openmode::History);
  EXPECT_EQ(fst.FileReadFailed, 1);
  fst.HistorySlot = 26;
  fst.FileReadFailed = 0;
  Open(openmode::History);
  EXPECT_EQ(fst.FileReadFailed, 1);
}

TEST_F(VehicleFile, OpeningADialInFileLinksItToTheVehicle) {
  FillSpecs("d");
  fst.DialInComment = "Friday\r\n";
  tbl.CalcMode = 1;
  fs::create_directories(App("DIALIN"));
  SaveAs(savemode::ChosenPath, AppText("DIALIN/Fri"));
  EXPECT_EQ(fst.SpecsChanged, 0);

  fst.CurrentFilePath = AppText("VEHDAT/T1");
  fst.CurrentFileName = "stale";
  fst.DialInComment.clear();
  Open(openmode::Chosen, "Fri");
  EXPECT_EQ(fst.DialInFileName, "Fri");
  EXPECT_EQ(fst.CurrentFilePath, AppText("VEHDAT/T1"));
  EXPECT_EQ(fst.CurrentFileName, "T1");
  EXPECT_EQ(fst.SpecsChanged, 1);
  EXPECT_EQ(windows.dialInComments, "Friday\r\n");
  EXPECT_EQ(windows.mainCommentsSet, 0);
}

TEST_F(VehicleFile, SpecsChangedAfterSaves) {
  FillSpecs("v");
  fst.CurrentFilePath = AppText("VEHDAT/T1");
  fs::create_directories(App("VEHDAT"));
  tbl.HistoryName[0] = "A";
  for (int16_t mode : {savemode::WorkingCopy, savemode::History}) {
    fst.SpecsChanged = 1;
    SaveAs(mode);
    EXPECT_EQ(fst.SpecsChanged, 1) << mode;
  }
  for (int16_t mode : {savemode::SameName, savemode::ChosenPath}) {
    fst.SpecsChanged = 1;
    SaveAs(mode, AppText("VEHDAT/T2"));
    EXPECT_EQ(fst.SpecsChanged, 0) << mode;
  }
}

TEST_F(VehicleFile, ModeZeroShowsTheWindows) {
  Open(openmode::Choose);
  EXPECT_EQ(windows.retrieveShown, 1);
  for (int16_t mode : {0, -1, -3, -4}) SaveAs(mode);
  EXPECT_EQ(windows.saveAsShown, 4);
  EXPECT_TRUE(ui->boxes().empty());
}

TEST_F(VehicleFile, EveryCallEndsWithTheDefaultPointer) {
  FillSpecs("v");
  fst.FileOperation = savemode::WorkingCopy;
  SaveVehicleFile(FormId::frmDialIn);
  int16_t mode = openmode::WorkingCopy;
  OpenVehicleFile(FormId::frmMatch, mode);
  mode = openmode::Chosen;
  fst.ChosenFileName = "missing";
  OpenVehicleFile(FormId::Rtrvfile, mode);
  EXPECT_EQ(windows.pointerResets, (std::vector<FormId>{FormId::frmDialIn, FormId::frmMatch, FormId::Rtrvfile}));
}

// ---------------------------------------------------------------- edge cases

TEST_F(VehicleFile, ChosenFileWithoutTailKeepsTheLinks) {
  FillSpecs("v");
  SaveVehicle("T1");
  fst.DialInFileName = "keep-di";
  fst.ThrottleStopFileName = "keep-ts";
  Open(openmode::Chosen, "T1");
  EXPECT_EQ(fst.DialInFileName, "keep-di");
  EXPECT_EQ(fst.ThrottleStopFileName, "keep-ts");
}

TEST_F(VehicleFile, Version300File) {
  std::string file = "QVZ-ZKT*3.00\r\n" + ExpectedSpecs("t", 0, 190) + ExpectedCurve("t") +
                     "old comment\r\n-9999\r\nnot a dial-in comment\r\n-9999\r\n";
  Put(App("VEHDAT/OLD300"), file);
  FillSpecs("o");
  fst.DialInComment = "kept";
  fst.ThrottleStopComment = "kept too";
  Open(openmode::Chosen, "OLD300");
  EXPECT_EQ(fst.FileVersion, filever::V300);
  EXPECT_EQ(tbl.SpecText[0], "t0");
  EXPECT_EQ(tbl.SpecText[190], "t190");
  EXPECT_EQ(tbl.SpecText[191], "o191");
  EXPECT_EQ(tbl.SpecText[210], "o210");
  EXPECT_EQ(tbl.PowerCurveText[9][2], "tc9.2");
  EXPECT_EQ(fst.VehicleComments, "old comment\r\n");
  EXPECT_EQ(fst.DialInComment, "kept");
  EXPECT_EQ(fst.ThrottleStopComment, "kept too");

  tbl.CalcMode = 1;
  Put(App("DIALIN/OLD300"), "QVZ-ZKT-DI*3.00\n" + ExpectedSpecs("q", 127, 190) + "di\n-9999\n");
  Open(openmode::Chosen, "OLD300");
  EXPECT_EQ(fst.FileVersion, filever::V300);
  EXPECT_EQ(tbl.SpecText[190], "q190");
  EXPECT_EQ(tbl.SpecText[191], "o191");
  EXPECT_EQ(fst.DialInComment, "di\r\n");
}

TEST_F(VehicleFile, BlankCommentLinesAreDropped) {
  FillSpecs("v");
  fst.VehicleComments = "one\r\n\r\n   \r\ntwo";
  SaveVehicle("T1");
  Open(openmode::Chosen, "T1");
  EXPECT_EQ(fst.VehicleComments, "one\r\ntwo\r\n");
}

TEST_F(VehicleFile, KindsAreNotMixedUp) {
  FillSpecs("d");
  fs::create_directories(App("DIALIN"));
  tbl.CalcMode = 1;
  SaveAs(savemode::ChosenPath, AppText("DIALIN/Fri"));
  fs::create_directories(App("VEHDAT"));
  fs::create_directories(App("THRTLSTP"));
  fs::copy_file(App("DIALIN/Fri"), App("VEHDAT/Fri"));

  FillSpecs("o");
  tbl.CalcMode = 0;
  Open(openmode::Chosen, "Fri");
  EXPECT_EQ(fst.FileReadFailed, 1);
  EXPECT_EQ(fst.FileVersion, filever::NotOurs);
  EXPECT_EQ(tbl.SpecText[127], "o127");
  ASSERT_EQ(ui->boxes().size(), 1u);
  EXPECT_EQ(ui->boxes()[0].prompt, "This is not a Stagewell file, and can not be used by the program");
  EXPECT_EQ(ui->boxes()[0].style, mb::OKOnly);

  FillSpecs("v");
  SaveVehicle("T1");
  fs::copy_file(App("VEHDAT/T1"), App("THRTLSTP/T1"));
  tbl.CalcMode = 2;
  FillSpecs("o");
  Open(openmode::Chosen, "T1");
  EXPECT_EQ(fst.FileReadFailed, 1);
  EXPECT_EQ(tbl.SpecText[127], "o127");
}

TEST_F(VehicleFile, PreviewChangesNothingCurrent) {
  FillSpecs("p");
  fst.VehicleComments = "previewed vehicle\r\n";
  fst.DialInComment = "previewed dial-in\r\n";
  fst.ThrottleStopComment = "previewed stop\r\n";
  SaveVehicle("P1");

  FillSpecs("c");
  const auto specs = tbl.SpecText;
  const auto curve = tbl.PowerCurveText;
  fst.VehicleComments = "current vehicle";
  fst.DialInComment = "current dial-in";
  fst.ThrottleStopComment = "current stop";
  fst.CurrentFilePath = AppText("VEHDAT/T1");
  fst.CurrentFileName = "T1";
  fst.DialInFileName = "Fri";
  fst.SpecsChanged = 1;
  Open(openmode::Preview, "P1");
  EXPECT_EQ(fst.FileReadFailed, 0);
  EXPECT_EQ(tbl.SpecText, specs);
  EXPECT_EQ(tbl.PowerCurveText, curve);
  EXPECT_EQ(fst.VehicleComments, "current vehicle");
  EXPECT_EQ(fst.DialInComment, "current dial-in");
  EXPECT_EQ(fst.ThrottleStopComment, "current stop");
  EXPECT_EQ(fst.CurrentFilePath, AppText("VEHDAT/T1"));
  EXPECT_EQ(fst.CurrentFileName, "T1");
  EXPECT_EQ(fst.DialInFileName, "Fri");
  EXPECT_EQ(fst.SpecsChanged, 1);
  EXPECT_EQ(windows.mainCommentsSet, 0);
  // What the open window shows of it.
  EXPECT_EQ(fst.SavedComment, "previewed vehicle\r\n");
  EXPECT_EQ(fst.SpecTextAlt[1], "p1");
  EXPECT_EQ(fst.SpecTextAlt[187], "p187");
  EXPECT_EQ(fst.SpecTextAlt[188 + 3 * 4 + 2], "pc4.2");
  EXPECT_EQ(fst.SpecTextAlt[190 + 3 * 9], "pc9.2");
}

TEST_F(VehicleFile, PreviewOfADialInFile) {
  FillSpecs("p");
  fst.DialInComment = "theirs\r\n";
  tbl.CalcMode = 1;
  fs::create_directories(App("DIALIN"));
  SaveAs(savemode::ChosenPath, AppText("DIALIN/Fri"));
  FillSpecs("c");
  fst.DialInComment = "mine";
  Open(openmode::Preview, "Fri");
  EXPECT_EQ(fst.SpecTextAlt[160], "p160");
  EXPECT_EQ(fst.SavedComment, "theirs\r\n");
  EXPECT_EQ(fst.DialInComment, "mine");
  EXPECT_EQ(tbl.SpecText[160], "c160");
  EXPECT_EQ(windows.dialInCommentsSet, 0);
}

TEST_F(VehicleFile, ExampleVehiclesComeFromTheirOwnFolder) {
  FillSpecs("x");
  fs::create_directories(App("XVehicleData"));
  SaveAs(savemode::ChosenPath, AppText("XVehicleData/Funny Car"));
  FillSpecs("o");
  fst.ExampleLibraryMode = 1;
  Open(openmode::Chosen, "Funny Car");
  EXPECT_EQ(tbl.SpecText[0], "x0");
  EXPECT_EQ(fst.CurrentFilePath, AppText("XVehicleData/Funny Car"));
  EXPECT_EQ(fst.CurrentFileName, "Funny Car");
}

// ---------------------------------------------------------------- files that cannot be read

TEST_F(VehicleFile, AFreshProgramFolderGetsItsFolders) {
  Open(openmode::WorkingCopy);
  for (const char* f : {"VEHDAT", "XVehicleData", "DIALIN", "THRTLSTP", "QVHISTRY"})
    EXPECT_TRUE(fs::is_directory(App(f))) << f;
  // A folder already there under another spelling is used, not doubled.
  fs::remove(App("DIALIN"));
  fs::create_directory(App("DialIn"));
  Open(openmode::WorkingCopy);
  EXPECT_FALSE(fs::exists(App("DIALIN")));
}

TEST_F(VehicleFile, MissingFile) {
  FillSpecs("o");
  fst.CurrentFilePath = AppText("VEHDAT/T1");
  Open(openmode::WorkingCopy);  // first start: no working copy yet
  EXPECT_EQ(fst.FileReadFailed, 1);
  EXPECT_TRUE(ui->boxes().empty());
  EXPECT_EQ(tbl.SpecText[0], "o0");
  EXPECT_EQ(fst.CurrentFilePath, AppText("VEHDAT/T1"));

  Open(openmode::Chosen, "deleted meanwhile");
  EXPECT_EQ(fst.FileReadFailed, 1);
  ASSERT_EQ(ui->boxes().size(), 1u);
  EXPECT_EQ(ui->boxes()[0].prompt, std::string("The file") + CR + CR + "      " + AppText("VEHDAT/deleted meanwhile") +
                                       CR + CR + "could not be opened.  It may have been moved or deleted.");
  EXPECT_EQ(fst.CurrentFilePath, AppText("VEHDAT/T1"));
  EXPECT_EQ(tbl.SpecText[0], "o0");
}

// ---------------------------------------------------------------- failed saves

TEST_F(VehicleFile, SaveThatCannotOpenItsTarget) {
  FillSpecs("v");
  fst.SpecsChanged = 1;
  fs::create_directories(App("VEHDAT/T1"));  // a folder where the file should go
  SaveAs(savemode::ChosenPath, AppText("VEHDAT/T1"));
  ASSERT_EQ(ui->boxes().size(), 1u);
  EXPECT_EQ(ui->boxes()[0].prompt,
            "This file probably originated on a different computer and can not be Saved to the Same Name.  Try "
            "answering 'No' when asked if you want to 'Save it to the Same Name?' to save it to a new name.");
  EXPECT_EQ(fst.SpecsChanged, 1);

  ui->Clear();
  tbl.CalcMode = 1;
  SaveAs(savemode::ChosenPath, "C:\\Stagewell\\DIALIN-elsewhere\\Fri");
  ASSERT_EQ(ui->boxes().size(), 1u);
  EXPECT_EQ(ui->boxes()[0].prompt,
            "This file probably originated on a different computer and can not be Saved to the Same Name.  Try "
            "using the 'Save As' option to save it to a new name.");
}

TEST_F(VehicleFile, ReadOnlyTargetIsNotReplaced) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes read-only files";
  FillSpecs("v");
  SaveVehicle("T1");
  ::chmod(App("VEHDAT/T1").c_str(), 0444);
  FillSpecs("n");
  SaveVehicle("T1");
  EXPECT_EQ(ui->boxes().size(), 1u);
  EXPECT_NE(Bytes(App("VEHDAT/T1")).find("v5\r\n"), std::string::npos);
}

TEST_F(VehicleFile, AFailedWriteLeavesTheOldFileWhole) {
  FillSpecs("v");
  fst.CurrentFilePath = AppText("VEHDAT/T1");
  tbl.HistoryName[0] = "A";
  fs::create_directories(App("VEHDAT"));
  for (int16_t mode : {savemode::WorkingCopy, savemode::SameName, savemode::ChosenPath, savemode::History}) {
    SCOPED_TRACE(mode);
    FillSpecs("v");
    FailFileWritesAfterForTest(SIZE_MAX);
    SaveAs(mode, AppText("VEHDAT/T1"));
    fs::path target = mode == savemode::WorkingCopy ? App("QVCURVEH.ZKT")
                      : mode == savemode::History   ? App("QVHISTRY/A")
                                                    : App("VEHDAT/T1");
    const std::string before = Bytes(target);
    ASSERT_FALSE(before.empty());

    ui->Clear();
    FillSpecs("new");
    fst.SpecsChanged = 1;
    FailFileWritesAfterForTest(100);
    SaveAs(mode, AppText("VEHDAT/T1"));
    EXPECT_EQ(Bytes(target), before);
    EXPECT_EQ(ui->boxes().size(), 1u);
    EXPECT_EQ(fst.SpecsChanged, 1);
    for (auto& e : fs::directory_iterator(target.parent_path()))
      EXPECT_NE(e.path().extension(), ".tmp") << "left behind: " << e.path();
  }
}

// ---------------------------------------------------------------- floppy drive

TEST_F(VehicleFile, FloppyOpenGoesThroughTheFileDialog) {
  FillSpecs("f");
  fst.VehicleComments = "from the floppy\r\n";
  fs::create_directories(App("usb"));
  SaveAs(savemode::ChosenPath, AppText("usb/RACE1"));
  FillSpecs("o");
  fst.CurrentFilePath = AppText("VEHDAT/T1");

  fst.FloppyMode = 1;
  windows.dialogAnswer = AppText("usb/RACE1");
  Open(openmode::Choose);
  ASSERT_EQ(windows.dialogs.size(), 1u);
  EXPECT_EQ(windows.dialogs[0].filter, "All Files (*.*)|*.*");
  EXPECT_EQ(windows.dialogs[0].title, "Open a File");
  EXPECT_EQ(windows.retrieveShown, 0);
  EXPECT_EQ(fst.FileReadFailed, 0);
  EXPECT_EQ(tbl.SpecText[0], "f0");
  EXPECT_EQ(fst.VehicleComments, "from the floppy\r\n");
  // A later save goes to the hard disk.
  EXPECT_EQ(fst.CurrentFilePath, AppText("VEHDAT/RACE1"));
  EXPECT_EQ(windows.captionsBuilt, 1);
  // The next floppy dialog starts where this file was.
  EXPECT_EQ(FloppyFolderPath(), AppText("usb"));

  // Cancelled: nothing read, and the next open is no floppy open.
  windows.dialogAnswer.clear();
  fst.FloppyMode = 1;
  FillSpecs("o");
  Open(openmode::Choose);
  EXPECT_EQ(fst.FileReadFailed, 1);
  EXPECT_EQ(fst.FloppyMode, 0);
  EXPECT_EQ(tbl.SpecText[0], "o0");
  EXPECT_TRUE(ui->boxes().empty());
}

}  // namespace
}  // namespace sw
