// Example libraries: the list and its cuts, adding and deleting (the rewrite
// never harms the file), loading and tagging, the notes and the comparison.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>

#include "files/example_library.h"
#include "platform/program_folder.h"
#include "platform/scripted_ui.h"
#include "platform/seqfile.h"
#include "platform/text.h"
#include "simulation/tables.h"
#include "support/temp_folder.h"

namespace sw {
namespace {

namespace fs = std::filesystem;

std::string Lines(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& l : lines) out += l + "\r\n";
  return out;
}

// A clutch library: diameter, force, disks and material (a pick row).
const std::vector<std::string> kClutchHead = {
    "Clutch Name", "note 2", "note 3", "note 4", "note 5", "4",
    "20,Dia,2,1",  "27",     "Force",  "2",      "2",      "34,Disks,2,3", "40,Material,2,4"};

std::vector<std::string> Clutch(const std::string& name, const std::string& dia, const std::string& material = "0") {
  return {name, dia, "2400", "1", material};
}

struct ExampleLibraryTest : ::testing::Test {
  TempFolder folder;
  ScopedScriptedUi ui;
  std::map<std::pair<int, int>, int> presetReads;
  ExampleRequest clutch{"CLUTCH", "CL", 22, 0, 0};

  void SetUp() override {
    SetProgramFolder(folder.path());
    ResetTables();
    ResetExampleValues();
    fs::create_directories(folder.path() / "QVZEXMP");
  }
  void TearDown() override { SetProgramFolder({}); }

  void Write(const std::string& code, const std::string& text) { WriteFileAtomic(folder.path() / "QVZEXMP" / code, text); }
  std::string Read(const std::string& code) {
    std::string bytes;
    ReadFileBytes(folder.path() / "QVZEXMP" / code, bytes);
    return bytes;
  }
  void WriteClutches(const std::vector<std::vector<std::string>>& examples, bool endLine = true) {
    std::vector<std::string> lines = kClutchHead;
    for (const auto& e : examples) lines.insert(lines.end(), e.begin(), e.end());
    if (endLine) lines.push_back("-99");
    Write("CLUTCH", Lines(lines));
  }
  // The preset lists of clutch material, engine method and correction.
  PresetReader Presets() {
    return [this](int menu, int row, std::vector<std::string>& items) {
      static const std::map<std::pair<int, int>, std::vector<std::string>> kLists = {
          {{2, 4}, {"Organic (friction .35)", "Metallic or Ceramic (friction .31)"}},
          {{1, 0}, {"Specified HP Peak Only", "Specified Tq & HP Peaks", "Specified Full Curve",
                    "Pick from Engine Examples"}},
          {{1, 6}, {"Std Dyno", "SAE"}}};
      ++presetReads[{menu, row}];
      const auto list = kLists.find({menu, row});
      if (list != kLists.end()) items = list->second;
      return list != kLists.end();
    };
  }
  ExampleListing List(const ExampleRequest& r, int keep = 0) { return ReadExampleCategory(r, keep, Presets()); }
  std::vector<std::string> Names(const ExampleListing& l) {
    std::vector<std::string> out;
    for (const auto& line : l.lines) out.push_back(RTrim(Left(line, exv.ExampleNameWidth)));
    return out;
  }
  int Boxes(const std::string& prompt) {
    int n = 0;
    for (const auto& b : ui->boxes()) n += b.prompt == prompt;
    return n;
  }
};

// ---------------------------------------------------------------- the list

TEST_F(ExampleLibraryTest, ListsColumnsUnderTheHeading) {
  WriteClutches({Clutch("10.5 in street", "10.5"), Clutch("Twin", "7.25", "1"), Clutch("Seven", "10", "7"),
                 Clutch("Not known", "10", "na")});
  ExampleListing l = List(clutch);
  EXPECT_TRUE(ui->boxes().empty());
  EXPECT_EQ(exv.ExampleFieldCount, 4);
  EXPECT_EQ(exv.ExampleNameWidth, 20);
  EXPECT_EQ(l.heading, "Clutch Name         Dia    Force  Disks Material");
  ASSERT_EQ(l.lines.size(), 4u);
  EXPECT_EQ(l.lines[0], "10.5 in street      10.5   2400   1     Organic (friction .35)");
  EXPECT_EQ(l.lines[1], "Twin                7.25   2400   1     Metallic or Ceramic (friction .31)");
  // A pick outside its list and "na" show as their text.
  EXPECT_EQ(l.lines[2].substr(40), "7");
  EXPECT_EQ(l.lines[3].substr(40), "na");
  // Each preset list is read once for the whole library.
  EXPECT_EQ(presetReads[std::make_pair(2, 4)], 1);
}

TEST_F(ExampleLibraryTest, ColumnCuts) {
  // A title longer than the gap to the next column keeps one blank before
  // it; a value longer than its column is cut two characters short.
  Write("CLUTCH", Lines({"A very long name heading", "", "", "", "", "2", "20", "Diameter of disk", "2", "1", "27",
                         "Force", "2", "2", "This name is far longer than its column", "1234567890", "2400", "-99"}));
  ExampleListing l = List(clutch);
  EXPECT_EQ(l.heading, "A very long name he Diamet Force");
  ASSERT_EQ(l.lines.size(), 1u);
  EXPECT_EQ(l.lines[0], "This name is far l  12345  2400");
}

TEST_F(ExampleLibraryTest, EmptyLibraryAndLibraryWithoutEndLine) {
  WriteClutches({});
  EXPECT_TRUE(List(clutch).lines.empty());
  // A delete leaves no end line: the list reads to the end of the file.
  WriteClutches({Clutch("One", "10"), Clutch("Two", "11")}, false);
  EXPECT_EQ(Names(List(clutch)), (std::vector<std::string>{"One", "Two"}));
  EXPECT_TRUE(ui->boxes().empty());
}

TEST_F(ExampleLibraryTest, DamagedLibrariesGiveOneMessageAndListWhatCanBeRead) {
  struct Case {
    const char* what;
    std::vector<std::string> head;
  };
  const Case cases[] = {
      {"no fields", {"N", "", "", "", "", "0"}},
      {"16 fields", {"N", "", "", "", "", "16"}},
      {"columns not rising", {"N", "", "", "", "", "2", "20,Dia,2,1", "20,Force,2,2"}},
      {"cut short", {"N", "", "", ""}},
  };
  for (const Case& c : cases) {
    ui->Clear();
    std::vector<std::string> lines = c.head;
    lines.insert(lines.end(), {"Name", "10", "-99"});
    Write("CLUTCH", Lines(lines));
    EXPECT_TRUE(List(clutch).lines.empty()) << c.what;
    EXPECT_EQ(Boxes(kExampleCorruptedMessage), 1) << c.what;
    EXPECT_EQ(ui->boxes().size(), 1u) << c.what;
  }
  // A field that makes no sense is left out of the list and loading, not the examples.
  for (const char* field : {"20,Dia,10,1", "20,Dia,2,30", "2,Dia,2,1", "wide,Dia,2,1"}) {
    ui->Clear();
    Write("CLUTCH", Lines({"N", "", "", "", "", "1", field, "Name", "10"}));
    EXPECT_EQ(List(clutch, 1).lines, std::vector<std::string>{"Name"}) << field;
    EXPECT_EQ(Boxes(kExampleCorruptedMessage), 1) << field;
    LoadInExampleSpecs(clutch, "Name");
    EXPECT_EQ(SpecAt(kEngine, 0), "") << field;
  }
  // An engine library needs its seven engine fields.
  ui->Clear();
  Write("ENG", Lines({"N", "", "", "", "", "6", "20,a,1,0", "30,b,1,1", "40,c,1,2", "50,d,1,3", "60,e,1,4",
                      "70,f,1,5", "-99"}));
  List({"ENG", "ENG", 13, 0, 0});
  EXPECT_EQ(Boxes(kExampleCorruptedMessage), 1);
  // A missing library.
  ui->Clear();
  EXPECT_TRUE(List({"BODY", "BD", 15, 3, 0}).lines.empty());
  EXPECT_EQ(Boxes(kExampleCorruptedMessage), 1);
}

TEST_F(ExampleLibraryTest, SaveModeReadsOnlyTheDefinitions) {
  WriteClutches({Clutch("One", "10")});
  ExampleRequest save = clutch;
  save.subChoice = 1;
  EXPECT_TRUE(List(save).lines.empty());
  EXPECT_EQ(exv.ExampleFieldCount, 4);
  EXPECT_EQ(exv.ExampleColumnTitle[4], "Material");
  EXPECT_EQ(exv.ExampleFieldRow[3], 3);
}

// ---------------------------------------------------------------- the engine list

std::vector<std::string> EngineHead() {
  return {"Engine", "", "", "", "", "7", "20,Method,1,0", "42,CID,1,1", "48,Tq,1,2", "56,RPM,1,3", "63,HP,1,4",
          "71,RPM,1,5", "78,Corr,1,6"};
}

std::vector<std::string> Engine(const std::string& name, const std::string& method, int zeroPoint = -1) {
  std::vector<std::string> e = {name, method, "350", "na", "na", "400", "5800", "1"};
  for (int p = 0; p < 10; ++p) {
    const int rpm = 2000 + 500 * p, tq = p == 4 ? 420 : 380 + p;
    e.push_back(std::to_string(rpm));
    e.push_back(p == zeroPoint ? "0" : std::to_string(tq));
    e.push_back(std::to_string(p == 8 ? 95 : rpm * tq / 5252));
  }
  return e;
}

TEST_F(ExampleLibraryTest, EngineListShowsTheFullCurveAndItsPeaks) {
  std::vector<std::string> lines = EngineHead();
  for (const auto& e : {Engine("Peak HP only", "0"), Engine("Full curve", "2", 7)})
    lines.insert(lines.end(), e.begin(), e.end());
  lines.push_back("-99");
  Write("ENG", Lines(lines));
  ExampleRequest eng{"ENG", "ENG", 13, 0, 0};
  ExampleListing l = List(eng, 2);
  ASSERT_EQ(l.lines.size(), 2u);
  // The method's text without "Specified ", torque and its RPM "na".
  EXPECT_EQ(l.lines[0], "Peak HP only        HP Peak Only          350   na      na     400     5800   SAE");
  // Nine points have RPM and torque above 0; the peaks come from the curve
  // (the torque of point 4, the HP of point 9), the last field once.
  EXPECT_EQ(l.lines[1], "Full curve          Full Curve (9 RPMs)   350   420     4000   481     6500   SAE");
  // Points 0-9 of the second example went to the record.
  EXPECT_EQ(exv.ExampleRecord[20], "2000");
  EXPECT_EQ(exv.ExampleRecord[49], Engine("x", "2", 7)[37]);
}

// ---------------------------------------------------------------- rewriting

TEST_F(ExampleLibraryTest, DeleteKeepsTheOrderAndWritesNoEndLine) {
  WriteClutches({Clutch("One", "10"), Clutch("Two", "11"), Clutch("Three", "12")});
  ASSERT_TRUE(AddExampleToLibrary(clutch, 2, ""));
  // Definitions come back one item per line.
  EXPECT_EQ(Read("CLUTCH"),
            Lines({"Clutch Name", "note 2", "note 3", "note 4", "note 5", "4", "20", "Dia", "2", "1", "27", "Force", "2",
                   "2", "34", "Disks", "2", "3", "40", "Material", "2", "4"}) +
                Lines(Clutch("One", "10")) + Lines(Clutch("Three", "12")));
}

TEST_F(ExampleLibraryTest, AnInvalidExampleIsLeftOutAndTheRestKept) {
  // Third holds -100, Fifth is cut short: both left out of list and rewrite, Fourth kept.
  WriteClutches({Clutch("First", "10"), Clutch("Second", "11"), Clutch("Third", "-100"), Clutch("Fourth", "12"),
                 {"Fifth", "13"}}, false);
  EXPECT_EQ(Names(List(clutch)), (std::vector<std::string>{"First", "Second", "Fourth"}));
  ASSERT_TRUE(AddExampleToLibrary(clutch, 2, ""));
  EXPECT_EQ(Read("CLUTCH"), Lines({"Clutch Name", "note 2", "note 3", "note 4", "note 5", "4", "20", "Dia", "2", "1",
                                   "27", "Force", "2", "2", "34", "Disks", "2", "3", "40", "Material", "2", "4"}) +
                                Lines(Clutch("First", "10")) + Lines(Clutch("Fourth", "12")));
  // Specs that would end the library where they stand are not saved.
  Write("ENG", Lines(EngineHead()));
  tbl.PowerCurveText[2][1] = "-100";
  EXPECT_FALSE(AddExampleToLibrary({"ENG", "ENG", 13, 0, 1}, 0, "Imported"));
  EXPECT_EQ(ui->boxes().at(0).prompt,
            "Power Curve point 3 Torque = -100.  An example holding a value below -98 can not be saved.");
  EXPECT_EQ(Read("ENG"), Lines(EngineHead()));
}

TEST_F(ExampleLibraryTest, AddWritesTheCurrentSpecsLastThenTheEndLine) {
  WriteClutches({Clutch("One", "10")});
  const char* specs[] = {"9.5", "2100", "2", "1"};
  for (int k = 1; k <= 4; ++k) SpecAt(kTransmission, k) = specs[k - 1];
  ExampleRequest save = clutch;
  save.subChoice = 1;
  List(save);
  ASSERT_TRUE(AddExampleToLibrary(save, 0, "9.5 in twin"));
  const std::string text = Read("CLUTCH");
  EXPECT_NE(text.find(Lines({"One", "10", "2400", "1", "0", "9.5 in twin", "9.5", "2100", "2", "1", "-99"})),
            std::string::npos);
  EXPECT_EQ(text.substr(text.size() - 5), "-99\r\n");
  EXPECT_EQ(Names(List(clutch)), (std::vector<std::string>{"One", "9.5 in twin"}));
}

TEST_F(ExampleLibraryTest, AFullLibraryAsksAndYesReplacesTheLastExample) {
  std::vector<std::vector<std::string>> full;
  for (int i = 1; i <= 301; ++i) full.push_back(Clutch("Clutch " + std::to_string(i), "10"));
  WriteClutches(full);
  const std::string before = Read("CLUTCH");
  List({"CLUTCH", "CL", 22, 0, 1});
  ui->Answer(ans::No);
  EXPECT_FALSE(AddExampleToLibrary(clutch, 0, "New one"));
  ASSERT_EQ(ui->boxes().size(), 1u);
  EXPECT_EQ(ui->boxes()[0].title, "Example File Full");
  EXPECT_EQ(ui->boxes()[0].prompt,
            "The example file is full (300 examples).  If you save this example, the last example will be replaced "
            "by this new example\r\rReplace last example with new example?");
  EXPECT_EQ(Read("CLUTCH"), before);
  ui->Answer(ans::Yes);
  EXPECT_TRUE(AddExampleToLibrary(clutch, 0, "New one"));
  std::vector<std::string> names = Names(List(clutch));
  ASSERT_EQ(names.size(), 301u);
  EXPECT_EQ(names[299] + "|" + names[300], "Clutch 300|New one");
}

TEST_F(ExampleLibraryTest, AFailedRewriteLeavesTheLibraryByteForByte) {
  WriteClutches({Clutch("One", "10"), Clutch("Two", "11")});
  const std::string before = Read("CLUTCH");
  FailNextExampleWriteAfterBytesForTest(60);
  EXPECT_FALSE(AddExampleToLibrary(clutch, 1, ""));
  EXPECT_EQ(Boxes(kExampleUpdateFailedMessage), 1);
  EXPECT_EQ(Read("CLUTCH"), before);
  // Nothing but the library is left in its folder.
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.path() / "QVZEXMP"), fs::directory_iterator()), 1);
  // A damaged library is not rewritten either.
  ui->Clear();
  Write("CLUTCH", Lines({"N", "", "", "", "", "0"}));
  EXPECT_FALSE(AddExampleToLibrary(clutch, 0, "x"));
  EXPECT_EQ(Boxes(kExampleUpdateFailedMessage), 1);
  EXPECT_EQ(Read("CLUTCH"), Lines({"N", "", "", "", "", "0"}));
}

TEST_F(ExampleLibraryTest, ATitleHoldingACommaSurvivesTheRewrite) {
  Write("CLUTCH", Lines({"Name", "", "", "", "", "2", "20,\"Dia, in\",2,1", "30,Force,2,2", "One", "10", "2000"}));
  ASSERT_TRUE(AddExampleToLibrary(clutch, 0, "Two"));
  EXPECT_EQ(Names(List(clutch)), (std::vector<std::string>{"One", "Two"}));
  EXPECT_EQ(exv.ExampleColumnTitle[1], "Dia, in");
  EXPECT_TRUE(ui->boxes().empty());
}

TEST_F(ExampleLibraryTest, NameRefusals) {
  EXPECT_EQ(ExampleNameRefusal("   "), kExampleNameMissingMessage);
  EXPECT_EQ(ExampleNameRefusal("-99 Nova"), kExampleLowNumberMessage);
  EXPECT_EQ(ExampleNameRefusal("-98 Nova"), "");
  EXPECT_EQ(ExampleNameRefusal("454 big block"), "");
}

// ---------------------------------------------------------------- loading and tags

TEST_F(ExampleLibraryTest, LoadingWritesValuesButNeverNaAndTagsTheSpecs) {
  WriteClutches({Clutch("Street", "10.5"), Clutch("Race twin", "na", "1")});
  ExampleListing l = List(clutch, 2);
  SpecAt(kTransmission, 1) = "11";
  EXPECT_EQ(LoadInExampleSpecs(clutch, l.lines[1]), kTransmission);
  EXPECT_EQ(SpecAt(kTransmission, 1), "11");  // "na" kept the spec
  EXPECT_EQ(SpecAt(kTransmission, 2) + "|" + SpecAt(kTransmission, 4), "2400|1");
  EXPECT_EQ(SpecAt(kTransmission, 22) + "|" + SpecAt(kTransmission, 23), "Ex Clutch: Race twin|1");
}

TEST_F(ExampleLibraryTest, TagLabelsAndCodes) {
  struct Case {
    ExampleRequest request;
    int menu, row;           // the library's first field
    std::string engineType;  // engine row 0
    std::string label, code;
  };
  const Case cases[] = {
      {{"CONV", "CV", 22, 0, 1}, 2, 5, "", "Converter", "2"},
      {{"TRANS", "TR", 24, 7, 1}, 2, 8, "", "Trans", "1"},
      {{"RTIRE", "RTR", 12, 3, 1}, 4, 4, "", "Tire", "1"},
      {{"ENG", "ENG", 13, 0, 1}, 1, 0, "0", "Pk HP", "0"},
      {{"ENG", "ENG", 13, 0, 1}, 1, 0, "1", "Tq/HP", "1"},
      {{"ENG", "ENG", 13, 0, 1}, 1, 0, "2", "Curve", "2"},
  };
  for (const Case& c : cases) {
    ResetTables();
    exv.ExampleFieldCount = 1;
    exv.ExampleFieldMenu[1] = static_cast<int16_t>(c.menu);
    exv.ExampleFieldRow[1] = static_cast<int16_t>(c.row);
    exv.ExampleNameWidth = 10;
    SpecAt(kEngine, 0) = c.engineType;
    EXPECT_EQ(TagCurrentSpecs(c.request, "My example name is long"), c.menu);
    EXPECT_EQ(SpecAt(c.menu, c.request.kind), "Ex " + c.label + ": My example") << c.request.component;
    EXPECT_EQ(SpecAt(c.menu, c.request.kind + 1), c.code) << c.request.component;
  }
  // An engine that already carries an example tag keeps the example's method.
  SpecAt(kEngine, 0) = "4";
  SpecAt(kEngine, 14) = "1";
  TagCurrentSpecs({"ENG", "ENG", 13, 0, 1}, "Again");
  EXPECT_EQ(SpecAt(kEngine, 13), "Ex Tq/HP: Again");
}

TEST_F(ExampleLibraryTest, EngineLoadCopiesTheCurveAndTireGrowthIsNaOffSlicks) {
  std::vector<std::string> lines = EngineHead();
  const auto e = Engine("Curve engine", "2");
  lines.insert(lines.end(), e.begin(), e.end());
  Write("ENG", Lines(lines));
  ExampleRequest eng{"ENG", "ENG", 13, 0, 0};
  ExampleListing l = List(eng, 1);
  LoadInExampleSpecs(eng, l.lines[0]);
  for (int p = 0; p < 10; ++p)
    for (int c = 0; c < 3; ++c) EXPECT_EQ(tbl.PowerCurveText[p][c], e[8 + 3 * p + c]) << p << "," << c;
  EXPECT_EQ(SpecAt(kEngine, 13) + "|" + SpecAt(kEngine, 14), "Ex Curve: Curve engine|2");
  EXPECT_EQ(SpecAt(kEngine, 2), "");  // "na"

  // Saving the curve back writes the same 30 lines.
  const auto record = CurrentExampleRecord(eng, {{20, "", 1, 0}, {42, "", 1, 1}});
  ASSERT_EQ(record.size(), 32u);
  EXPECT_EQ(std::vector<std::string>(record.begin() + 2, record.end()), std::vector<std::string>(e.begin() + 8, e.end()));

  // Tire growth is saved only for a racing slick.
  ExampleRequest rear{"RTIRE", "RTR", 12, 3, 1};
  SpecAt(kTires, 9) = "3";
  SpecAt(kTires, 6) = "3";
  EXPECT_EQ(CurrentExampleRecord(rear, {{40, "", 4, 6}, {50, "", 4, 9}}), (std::vector<std::string>{"3", "na"}));
  SpecAt(kTires, 6) = "4";
  EXPECT_EQ(CurrentExampleRecord(rear, {{40, "", 4, 6}, {50, "", 4, 9}}), (std::vector<std::string>{"4", "3"}));
}

TEST_F(ExampleLibraryTest, NotesOncePerPrefix) {
  WriteFileAtomic(folder.path() / "QVZEXMP" / "NOTECL", Lines({"First line", "Second line"}));
  std::string text;
  EXPECT_TRUE(TakeExampleNotes("CL", text));
  EXPECT_EQ(text, "\rFirst line\rSecond line");
  EXPECT_FALSE(TakeExampleNotes("CL", text));
  EXPECT_EQ(text, "");
  // Another prefix has its own first time; a missing file shows nothing.
  EXPECT_FALSE(TakeExampleNotes("CV", text));
  EXPECT_EQ(exv.ExampleNotesShown, " CL CV");
}

// ---------------------------------------------------------------- comparison

TEST_F(ExampleLibraryTest, ComparisonCutsCaptionsAt27AndRowsAt69) {
  fs::create_directories(folder.path() / "QVZHELP");
  std::vector<std::string> help(21 * 4, "x");
  help[4] = "A caption far longer than twenty-seven characters";
  help[8] = "Force";
  help[12] = "Disks";
  help[16] = "Material";
  WriteFileAtomic(folder.path() / "QVZHELP" / "help2.txt", Lines(help));
  WriteClutches({Clutch("One", "10.50000000000000000000000000000001", "1")});
  ExampleListing l = List(clutch, 1);
  exv.NewExampleName = l.lines[0];
  SpecAt(kTransmission, 0) = "1";
  SpecAt(kTransmission, 1) = "10.5";
  SpecAt(kTransmission, 4) = "0";
  std::vector<std::string> rows;
  std::istringstream text(ExampleComparisonText(clutch, Presets()));
  for (std::string row; std::getline(text, row);) rows.push_back(row);
  ASSERT_EQ(rows.size(), 6u);
  EXPECT_EQ(rows[0], "Spec Name                   Current Specs        New Example Specs");
  EXPECT_EQ(rows[2], "A caption far longer than t 10.5                 10.50000000000000000");
  EXPECT_EQ(rows[2].size(), 69u);
  EXPECT_EQ(rows[5], "Material                    Organic (friction .3 Metallic or Ceramic ");

  // A clutch the program estimates shows "estimate"; save mode has two columns.
  SpecAt(kTransmission, 0) = "0";
  ExampleRequest save = clutch;
  save.subChoice = 1;
  const std::string saved = ExampleComparisonText(save, Presets());
  EXPECT_EQ(saved.substr(0, saved.find('\n')), "Spec Name                   Current Specs");
  EXPECT_NE(saved.find("Force                       estimate"), std::string::npos);
}

TEST_F(ExampleLibraryTest, PrintedPageHeader) {
  const auto h = ExampleListPageHeader(2, "12-07-2026", "8:05:09 am", "Clutch examples", "Name   Dia");
  ASSERT_EQ(h.size(), 8u);
  EXPECT_EQ(h[1], "   Stagewell v3.2         Date: 12-07-2026");
  EXPECT_EQ(h[2], "   Page 2" + std::string(56, ' ') + "Time: 8:05:09 am");
  EXPECT_EQ(h[5], "   Clutch examples");
  EXPECT_EQ(h[6], "   Name   Dia");
  EXPECT_EQ(ProtectedExampleCount("FTIRE"), 39);
  EXPECT_EQ(ProtectedExampleCount("TIRE"), 0);
}

}  // namespace
}  // namespace sw
