#include "files/vehicle_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include "files/file_fixture.h"
#include "files/file_names.h"

namespace sw {
namespace {

using VehicleFile = FileTest;

// ---------------------------------------------------------------- layout

TEST_F(VehicleFile, VehicleFileLayoutIsByteForByte) {
  FillSpecs("v");
  fst.VehicleComments = "Best 10.52 at Milan\r\nrear tires 28x10.5\r\n";
  fst.DialInComment = "dial";
  fst.CurrentFilePath = AppText("VEHDAT/T1");
  fst.DialInFileName = "Fri";
  fst.ThrottleStopFileName = "Sat";
  SaveVehicle("T1");
  const std::string body = "QVZ-ZKT*3.20\r\n" + ExpectedSpecs("v", 0, 210) + ExpectedCurve("v") +
                           "Best 10.52 at Milan\r\nrear tires 28x10.5\r\n\r\n-9999\r\ndial\r\n-9999\r\n\r\n-9999\r\n";
  const std::string tail = AppText("VEHDAT/T1") + "\r\nFri\r\nSat\r\n";
  EXPECT_EQ(Bytes(App("VEHDAT/T1")), body);  // save mode 3: no tail
  SaveAs(savemode::WorkingCopy);
  EXPECT_EQ(Bytes(App("QVCURVEH.ZKT")), body + tail);
  SaveAs(savemode::SameName);
  EXPECT_EQ(Bytes(App("VEHDAT/T1")), body + tail);
  tbl.HistoryName[0] = "C";
  tbl.HistoryEt[0] = "10.52";
  tbl.HistoryMph[0] = 128.25;
  tbl.History60ft[0] = "1.45";
  SaveAs(savemode::History);
  EXPECT_EQ(Bytes(App("QVHISTRY/C")), "QVZ-ZKT*3.20\r\n10.52\r\n 128.25\r\n1.45\r\n" + body.substr(14) + tail);
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
  EXPECT_EQ(Bytes(App("DIALIN/Fri")), "QVZ-ZKT-DI*3.20\r\n" + ExpectedSpecs("d", 127, 210) + "Friday night\r\n\r\n-9999\r\n");
  tbl.CalcMode = 2;
  SaveAs(savemode::ChosenPath, AppText("THRTLSTP/Sat"));
  EXPECT_EQ(Bytes(App("THRTLSTP/Sat")), "QVZ-ZKT-TS*3.20\r\n" + ExpectedSpecs("d", 127, 210) + "stop\r\n-9999\r\n");
}

// Windows-1252 on disk, CR LF line breaks; an item that would break the
// layout stays on its line; blank comment lines are dropped on reading.
TEST_F(VehicleFile, TextAndLineBreaks) {
  FillSpecs("v");
  tbl.SpecText[3] = "12\xC2\xB0";  // degree sign
  tbl.SpecText[5] = "two\r\nlines";
  fst.VehicleComments = "caf\xC3\xA9\nsecond\r\n\r\n   \r\n-9999\rthird";  // line breaks as a text box may give them
  fst.DialInComment = "kept";
  SaveVehicle("T1");
  const std::string bytes = Bytes(App("VEHDAT/T1"));
  EXPECT_NE(bytes.find("\r\n12\xB0\r\nv4\r\ntwo  lines\r\nv6\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("caf\xE9\r\nsecond\r\n\r\n   \r\n -9999\r\nthird\r\n-9999\r\n"), std::string::npos);
  FillSpecs("x");
  fst.DialInComment.clear();
  Open(openmode::Chosen, "T1");
  EXPECT_EQ(tbl.SpecText[3], "12\xC2\xB0");
  EXPECT_EQ(tbl.SpecText[5], "two  lines");
  EXPECT_EQ(tbl.SpecText[6], "v6");
  EXPECT_EQ(fst.VehicleComments, "caf\xC3\xA9\r\nsecond\r\n -9999\r\nthird\r\n");
  EXPECT_EQ(fst.DialInComment, "kept\r\n");
}

// ---------------------------------------------------------------- round trips

// Every kind written and read back gives the same specs, curve, comments and
// tail; a file without a tail keeps the links the vehicle had.
TEST_F(VehicleFile, EveryKindRoundTrips) {
  struct Case {
    int16_t calcMode, saveMode, openMode;
    std::string rel;
  };
  for (const char* f : {"VEHDAT", "DIALIN", "THRTLSTP"}) fs::create_directories(App(f));
  for (const Case& c : {Case{0, savemode::ChosenPath, openmode::Chosen, "VEHDAT/T1"},
                        Case{0, savemode::SameName, openmode::Chosen, "VEHDAT/T1"},
                        Case{0, savemode::WorkingCopy, openmode::WorkingCopy, "QVCURVEH.ZKT"},
                        Case{0, savemode::History, openmode::History, "QVHISTRY/A"},
                        Case{1, savemode::ChosenPath, openmode::Chosen, "DIALIN/Fri"},
                        Case{2, savemode::ChosenPath, openmode::Chosen, "THRTLSTP/Sat"}}) {
    SCOPED_TRACE(c.rel + " save mode " + std::to_string(c.saveMode));
    ResetTables();
    tbl.HistoryName[0] = tbl.HistoryName[3] = "A";
    fst.HistorySlot = 3;
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

    FillSpecs("o");
    fst.VehicleComments = fst.DialInComment = fst.ThrottleStopComment = "other";
    fst.CurrentFilePath = AppText("VEHDAT/X");
    fst.DialInFileName = fst.ThrottleStopFileName = "keep";
    Open(c.openMode, c.rel.substr(c.rel.find('/') + 1));
    ASSERT_EQ(fst.FileReadFailed, 0);
    EXPECT_EQ(fst.FileVersion, filever::V320);
    for (int k = c.calcMode == 0 ? 0 : 127; k <= 210; ++k) EXPECT_EQ(tbl.SpecText[k], specs[k]) << k;
    EXPECT_EQ(tbl.SpecText[211], "o211");
    const bool tail = c.saveMode != savemode::ChosenPath;
    if (c.calcMode == 0) {
      for (int i = 0; i < 10; ++i) EXPECT_EQ(tbl.PowerCurveText[i], curve[i]) << i;
      EXPECT_EQ(tbl.PowerCurveText[10][0], "oc10.0");
      EXPECT_EQ((Texts{fst.VehicleComments, fst.DialInComment, fst.ThrottleStopComment, windows.mainComments}),
                (Texts{"veh line 1\r\nveh line 2\r\n", "dial-in note\r\n", "stop note\r\n", fst.VehicleComments}));
      EXPECT_EQ((Texts{fst.DialInFileName, fst.ThrottleStopFileName}),
                (Texts{tail ? "Fri" : "keep", tail ? "Sat" : "keep"}));
    } else {
      const char* note = c.calcMode == 1 ? "dial-in note\r\n" : "stop note\r\n";
      EXPECT_EQ(tbl.SpecText[0], "o0");
      EXPECT_EQ(tbl.PowerCurveText[0][0], "oc0.0");
      EXPECT_EQ(c.calcMode == 1 ? fst.DialInComment : fst.ThrottleStopComment, note);
      EXPECT_EQ(fst.VehicleComments, "other");
      EXPECT_EQ(windows.dialInComments, note);
      EXPECT_EQ((Texts{fst.DialInFileName, fst.ThrottleStopFileName}),
                (Texts{c.calcMode == 1 ? "Fri" : "keep", c.calcMode == 2 ? "Sat" : "keep"}));
    }
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
  // The folder is found whatever its case; examples come from their own.
  fs::rename(App("VEHDAT"), App("VehDat"));
  SaveAs(savemode::ChosenPath, AppText("vehdat/T1"));
  EXPECT_TRUE(fs::exists(App("VehDat/T1")));
  FillSpecs("o");
  Open(openmode::Chosen, "T1");
  EXPECT_EQ(tbl.SpecText[7], "v7");
  EXPECT_EQ(fst.CurrentFileName, "T1");
  fs::create_directories(App("XVehicleData"));
  SaveAs(savemode::ChosenPath, AppText("XVehicleData/Funny Car"));
  FillSpecs("o");
  fst.ExampleLibraryMode = 1;
  Open(openmode::Chosen, "Funny Car");
  EXPECT_EQ(tbl.SpecText[0], "v0");
  EXPECT_EQ(fst.CurrentFilePath, AppText("XVehicleData/Funny Car"));
  EXPECT_EQ(fst.CurrentFileName, "Funny Car");
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
  Put(App("QVCURVEH.ZKT"), bytes.substr(0, bytes.rfind(AppText("VEHDAT"))) +
                               "C:\\Stagewell\\VEHDAT\\OLD\\T2\r\nFri\r\nSat\r\n");
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
  // History names cannot leave the history folder; slots stop at 25.
  tbl.HistoryName[0] = "../QVCURVEH.ZKT";
  SaveAs(savemode::History);
  EXPECT_FALSE(fs::exists(App("QVCURVEH.ZKT")));
  EXPECT_EQ(ui->boxes().size(), 1u);
  for (auto [slot, name] : {std::pair{2, "../qvzCNFG.ZKT"}, {26, "B"}}) {
    tbl.HistoryName[std::min(slot, 25)] = name;
    fst.HistorySlot = static_cast<int16_t>(slot);
    Open(openmode::History);
    EXPECT_EQ(fst.FileReadFailed, 1) << slot;
  }
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
  for (auto [mode, after] : {std::pair{savemode::WorkingCopy, 1}, {savemode::History, 1}, {savemode::SameName, 0},
                             {savemode::ChosenPath, 0}}) {
    fst.SpecsChanged = 1;
    SaveAs(mode, AppText("VEHDAT/T2"));
    EXPECT_EQ(fst.SpecsChanged, after) << mode;
  }
}

TEST_F(VehicleFile, ModeZeroShowsTheWindowsAndEveryCallResetsThePointer) {
  Open(openmode::Choose);
  EXPECT_EQ(windows.retrieveShown, 1);
  for (int16_t mode : {0, -1, -3, -4}) SaveAs(mode);
  EXPECT_EQ(windows.saveAsShown, 4);
  EXPECT_TRUE(ui->boxes().empty());
  windows.pointerResets.clear();
  FillSpecs("v");
  fst.FileOperation = savemode::WorkingCopy;
  SaveVehicleFile(FormId::frmDialIn);
  OpenVehicleFile(FormId::frmMatch, openmode::WorkingCopy);
  fst.ChosenFileName = "missing";
  OpenVehicleFile(FormId::Rtrvfile, openmode::Chosen);
  EXPECT_EQ(windows.pointerResets, (std::vector<FormId>{FormId::frmDialIn, FormId::frmMatch, FormId::Rtrvfile}));
}

// ---------------------------------------------------------------- edge cases

// 3.00 files fill specs 0..190, the curve and only the vehicle comments.
TEST_F(VehicleFile, Version300File) {
  Put(App("VEHDAT/OLD300"), "QVZ-ZKT*3.00\r\n" + ExpectedSpecs("t", 0, 190) + ExpectedCurve("t") +
                                "old comment\r\n-9999\r\nnot a dial-in comment\r\n-9999\r\n");
  FillSpecs("o");
  fst.DialInComment = "kept";
  fst.ThrottleStopComment = "kept too";
  Open(openmode::Chosen, "OLD300");
  EXPECT_EQ(fst.FileVersion, filever::V300);
  EXPECT_EQ((Texts{tbl.SpecText[0], tbl.SpecText[190], tbl.SpecText[191], tbl.SpecText[210], tbl.PowerCurveText[9][2]}),
            (Texts{"t0", "t190", "o191", "o210", "tc9.2"}));
  EXPECT_EQ((Texts{fst.VehicleComments, fst.DialInComment, fst.ThrottleStopComment}),
            (Texts{"old comment\r\n", "kept", "kept too"}));
  tbl.CalcMode = 1;
  Put(App("DIALIN/OLD300"), "QVZ-ZKT-DI*3.00\n" + ExpectedSpecs("q", 127, 190) + "di\n-9999\n");
  Open(openmode::Chosen, "OLD300");
  EXPECT_EQ(fst.FileVersion, filever::V300);
  EXPECT_EQ((Texts{tbl.SpecText[190], tbl.SpecText[191], fst.DialInComment}), (Texts{"q190", "o191", "di\r\n"}));
}

// A dial-in file opened as a vehicle fails the magic test, and the other way round.
TEST_F(VehicleFile, KindsAreNotMixedUp) {
  FillSpecs("d");
  for (const char* f : {"VEHDAT", "DIALIN", "THRTLSTP"}) fs::create_directories(App(f));
  tbl.CalcMode = 1;
  SaveAs(savemode::ChosenPath, AppText("DIALIN/Fri"));
  fs::copy_file(App("DIALIN/Fri"), App("VEHDAT/Fri"));
  FillSpecs("o");
  tbl.CalcMode = 0;
  Open(openmode::Chosen, "Fri");
  EXPECT_EQ(fst.FileReadFailed, 1);
  EXPECT_EQ(fst.FileVersion, filever::NotOurs);
  EXPECT_EQ(tbl.SpecText[127], "o127");
  EXPECT_EQ(OnlyBox().prompt, "This is not a Stagewell file, and can not be used by the program");
  EXPECT_EQ(OnlyBox().style, mb::OKOnly);
  FillSpecs("v");
  SaveVehicle("T1");
  fs::copy_file(App("VEHDAT/T1"), App("THRTLSTP/T1"));
  tbl.CalcMode = 2;
  FillSpecs("o");
  Open(openmode::Chosen, "T1");
  EXPECT_EQ(fst.FileReadFailed, 1);
  EXPECT_EQ(tbl.SpecText[127], "o127");
}

// A preview changes nothing current: specs, curve, comments, current file,
// links, changed flag; the open window shows what it read.
TEST_F(VehicleFile, PreviewChangesNothingCurrent) {
  FillAll("p");
  SaveVehicle("P1");
  FillAll("c");
  fst.SpecsChanged = 1;
  const auto specs = tbl.SpecText;
  const auto curve = tbl.PowerCurveText;
  const Texts current = Current();
  Open(openmode::Preview, "P1");
  EXPECT_EQ(fst.FileReadFailed, 0);
  EXPECT_EQ(tbl.SpecText, specs);
  EXPECT_EQ(tbl.PowerCurveText, curve);
  EXPECT_EQ(Current(), current);
  EXPECT_EQ(windows.mainCommentsSet, 0);
  EXPECT_EQ((Texts{fst.SavedComment, fst.SpecTextAlt[1], fst.SpecTextAlt[187], fst.SpecTextAlt[188 + 3 * 4 + 2],
                   fst.SpecTextAlt[190 + 3 * 9]}),
            (Texts{"p vehicle\r\n", "p1", "p187", "pc4.2", "pc9.2"}));
  // A dial-in file's preview.
  FillSpecs("p");
  fst.DialInComment = "theirs\r\n";
  tbl.CalcMode = 1;
  fs::create_directories(App("DIALIN"));
  SaveAs(savemode::ChosenPath, AppText("DIALIN/Fri"));
  FillSpecs("c");
  fst.DialInComment = "mine";
  Open(openmode::Preview, "Fri");
  EXPECT_EQ((Texts{fst.SpecTextAlt[160], fst.SavedComment, fst.DialInComment, tbl.SpecText[160]}),
            (Texts{"p160", "theirs\r\n", "mine", "c160"}));
  EXPECT_EQ(windows.dialInCommentsSet, 0);
}

// ---------------------------------------------------------------- files that cannot be read

TEST_F(VehicleFile, AFreshProgramFolderGetsItsFolders) {
  Open(openmode::WorkingCopy);
  for (const char* f : {"VEHDAT", "XVehicleData", "DIALIN", "THRTLSTP", "QVHISTRY"})
    EXPECT_TRUE(fs::is_directory(App(f))) << f;
  fs::remove(App("DIALIN"));  // a folder there under another spelling is used, not doubled
  fs::create_directory(App("DialIn"));
  Open(openmode::WorkingCopy);
  EXPECT_FALSE(fs::exists(App("DIALIN")));
}

// A missing working copy at start-up fails quietly; a file deleted after it
// was chosen is reported; nothing changes either way.
TEST_F(VehicleFile, MissingFile) {
  FillSpecs("o");
  fst.CurrentFilePath = AppText("VEHDAT/T1");
  Open(openmode::WorkingCopy);
  EXPECT_EQ(fst.FileReadFailed, 1);
  EXPECT_TRUE(ui->boxes().empty());
  Open(openmode::Chosen, "deleted meanwhile");
  EXPECT_EQ(fst.FileReadFailed, 1);
  EXPECT_EQ(OnlyBox().prompt, std::string("The file") + CR + CR + "      " + AppText("VEHDAT/deleted meanwhile") + CR +
                                  CR + "could not be opened.  It may have been moved or deleted.");
  EXPECT_EQ(fst.CurrentFilePath, AppText("VEHDAT/T1"));
  EXPECT_EQ(tbl.SpecText[0], "o0");
}

// ---------------------------------------------------------------- failed saves

TEST_F(VehicleFile, SaveThatCannotOpenItsTarget) {
  FillSpecs("v");
  fst.SpecsChanged = 1;
  fs::create_directories(App("VEHDAT/T1"));  // a folder where the file should go
  SaveAs(savemode::ChosenPath, AppText("VEHDAT/T1"));
  EXPECT_EQ(OnlyBox().prompt,
            "This file probably originated on a different computer and can not be Saved to the Same Name.  Try "
            "answering 'No' when asked if you want to 'Save it to the Same Name?' to save it to a new name.");
  EXPECT_EQ(fst.SpecsChanged, 1);
  ui->Clear();
  tbl.CalcMode = 1;
  SaveAs(savemode::ChosenPath, "C:\\Stagewell\\DIALIN-elsewhere\\Fri");
  EXPECT_EQ(OnlyBox().prompt,
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

// Every save replaces its target atomically: a failed write leaves the old
// file whole, no temporary file, the specs still unsaved, and says what it held.
TEST_F(VehicleFile, AFailedWriteLeavesTheOldFileWhole) {
  fst.CurrentFilePath = AppText("VEHDAT/T1");
  fst.CurrentFileName = "T1";
  tbl.HistoryName[0] = "A";
  fs::create_directories(App("VEHDAT"));
  for (auto [mode, rel, what] : {std::tuple{savemode::WorkingCopy, "QVCURVEH.ZKT", "The temporary, working copy of T1, "
                                             "which the program brings up at the next start,"},
                                 {savemode::SameName, "VEHDAT/T1", "The Library copy of T1"},
                                 {savemode::ChosenPath, "VEHDAT/T1", "The file"},
                                 {savemode::History, "QVHISTRY/A", "This run's history copy, from which the History "
                                                                   "retrieves its specs,"}}) {
    SCOPED_TRACE(mode);
    FillSpecs("v");
    FailFileWritesAfterForTest(SIZE_MAX);
    SaveAs(mode, AppText("VEHDAT/T1"));
    const std::string before = Bytes(App(rel));
    ASSERT_FALSE(before.empty());
    ui->Clear();
    FillSpecs("new");
    fst.SpecsChanged = 1;
    FailFileWritesAfterForTest(100);
    SaveAs(mode, AppText("VEHDAT/T1"));
    EXPECT_EQ(Bytes(App(rel)), before);
    EXPECT_EQ(OnlyBox().prompt, std::string(what) + " could not be written:\r\r      " + AppText(rel) +
                                    "\r\rReason: No space left on device.");
    EXPECT_EQ(fst.SpecsChanged, 1);
    for (auto& e : fs::directory_iterator(App(rel).parent_path()))
      EXPECT_NE(e.path().extension(), ".tmp") << "left behind: " << e.path();
  }
}

// What passes the name checks saves: a name of up to 255 bytes and a whole
// path of up to 4095, though the temporary file beside it is longer.
TEST_F(VehicleFile, WhatPassesTheNameChecksSaves) {
  fs::create_directories(App("VEHDAT"));
  std::string deep = AppText("VEHDAT");
  while (deep.size() < 4095 - 1 - 255) deep += "/" + std::string(240, 'd');
  fs::create_directories(deep);
  const std::string deepName(4095 - deep.size() - 1, 'n');
  for (const std::string& path : {AppText("VEHDAT/" + std::string(238, 'N')), AppText("VEHDAT/" + std::string(239, 'N')),
                                  AppText("VEHDAT/" + std::string(255, 'N')), deep + "/" + deepName}) {
    SCOPED_TRACE(path.size());
    ui->Clear();
    fst.ChosenFileName = path;
    ValidateFileName83();
    ASSERT_EQ(fst.FileExists, fexist::Free);
    FillSpecs("long");
    SaveAs(savemode::ChosenPath, path);
    EXPECT_TRUE(ui->boxes().empty()) << OnlyBox().prompt;
    EXPECT_NE(Bytes(path).find("long5\r\n"), std::string::npos);
  }
  EXPECT_EQ(deep.size() + 1 + deepName.size(), 4095u);
  fst.ChosenFileName = AppText("VEHDAT/" + std::string(256, 'N'));
  ValidateFileName83();
  EXPECT_EQ(fst.FileExists, fexist::Invalid);
}

// Saving over a vehicle file that is a symbolic link saves to the file the
// link names: the link stays, and so do the file's permissions.
TEST_F(VehicleFile, SavingThroughALinkKeepsTheLinkAndTheMode) {
  fs::create_directories(App("VEHDAT"));
  fs::create_directories(App("shared"));
  FillSpecs("v");
  SaveAs(savemode::ChosenPath, AppText("shared/GTO"));
  ::chmod(App("shared/GTO").c_str(), 0640);
  fs::create_symlink("../shared/GTO", App("VEHDAT/GTO"));
  fst.CurrentFilePath = AppText("VEHDAT/GTO");
  FillSpecs("n");
  fst.SpecsChanged = 1;
  SaveAs(savemode::SameName);
  EXPECT_TRUE(ui->boxes().empty());
  EXPECT_TRUE(fs::is_symlink(App("VEHDAT/GTO")));
  EXPECT_NE(Bytes(App("shared/GTO")).find("n5\r\n"), std::string::npos);
  struct stat st {};
  ASSERT_EQ(::stat(App("shared/GTO").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  EXPECT_EQ(fst.SpecsChanged, 0);
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
  EXPECT_EQ(windows.dialogs[0].startFolder, App().generic_string()) << "a first floppy open starts in the program folder";
  EXPECT_EQ(windows.retrieveShown, 0);
  EXPECT_EQ(fst.FileReadFailed, 0);
  EXPECT_EQ(tbl.SpecText[0], "f0");
  EXPECT_EQ(fst.VehicleComments, "from the floppy\r\n");
  EXPECT_EQ(fst.CurrentFilePath, AppText("VEHDAT/RACE1")) << "a later save goes to the hard disk";
  EXPECT_EQ(windows.captionsBuilt, 1);
  EXPECT_EQ(FloppyFolderPath(), AppText("usb")) << "the next floppy dialog starts where this file was";
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
