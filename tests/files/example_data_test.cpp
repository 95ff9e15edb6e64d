// The shipped example libraries as the program reads them: counts, limits,
// picks, engine curves, converter capacities, names, and every example
// calculating to finite figures in a fixture car of its kind.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <map>
#include <regex>
#include <set>

#include "files/example_library.h"
#include "platform/seqfile.h"
#include "platform/text.h"
#include "simulation/run_test_support.h"

namespace sw::test {
namespace {

namespace fs = std::filesystem;

const fs::path kData = fs::path(SW_SOURCE_DIR) / "data";

std::vector<std::string> FileLines(const fs::path& p) {
  std::vector<std::string> out;
  SeqReader in;
  if (!in.Open(p)) return out;
  std::string line;
  while (in.LineInput(line)) out.push_back(line);
  return out;
}

bool ReadPresets(int menu, int row, std::vector<std::string>& items) {
  items.clear();
  for (const std::string& l : FileLines(kData / "COMBO" / ("CMB" + std::to_string(menu) + "-" + std::to_string(row)))) {
    if (l == "-9999") break;
    items.push_back(l);
  }
  return !items.empty();
}

// The libraries with the spec menu of their fields (every value is checked
// against its field's row below).
struct Library {
  const char* code;
  const char* prefix;
  int kind, typeRow, menu;
};
const Library kLibraries[] = {{"ENG", "ENG", 13, 0, 1},  {"CLUTCH", "CL", 22, 0, 2}, {"CONV", "CV", 22, 0, 2},
                              {"TRANS", "TR", 24, 7, 2}, {"BODY", "BD", 15, 3, 3},   {"FTIRE", "FTR", 10, 0, 4},
                              {"RTIRE", "RTR", 12, 3, 4}};

// A row's limits from its row file: maximum, minimum.
std::pair<double, double> Limits(int menu, int row) {
  const auto lines = FileLines(kData / "QVZHELP" / ("help" + std::to_string(menu) + ".txt"));
  return {Val(lines.at(4 * row + 2)), Val(lines.at(4 * row + 3))};
}

struct ExampleData : RunTest {
  void SetUp() override {
    RunTest::SetUp();
    SetSeedFolder(kData);
    ASSERT_TRUE(EnsureProgramFolder());
    ResetExampleValues();
  }
  void TearDown() override {
    SetSeedFolder({});
    RunTest::TearDown();
  }
};

TEST_F(ExampleData, LibrariesHoldTheirShippedExamplesAndFields) {
  int total = 0;
  for (const Library& lib : kLibraries) {
    SCOPED_TRACE(lib.code);
    const ExampleLibraryData d = ParseExampleLibrary(lib.code);
    ASSERT_TRUE(d.soundHead);
    EXPECT_EQ(static_cast<int>(d.examples.size()), ProtectedExampleCount(lib.code));
    total += static_cast<int>(d.examples.size());
    for (const auto& field : d.fields) {
      EXPECT_EQ(field.menu, lib.menu);
      EXPECT_EQ(field.title.find(','), std::string::npos);
    }
    EXPECT_GE(d.fields[0].columnStart, 30);
    if (std::string(lib.code) == "ENG") {
      EXPECT_GE(d.fields[1].columnStart - d.fields[0].columnStart, 22);
    }
    // Written as the program writes: CR LF, ended by "-99".
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(kData / "QVZEXMP" / lib.code, bytes));
    EXPECT_EQ(bytes.substr(bytes.size() - 5), "-99\r\n");
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), std::count(bytes.begin(), bytes.end(), '\r'));
    const auto notes = FileLines(kData / "QVZEXMP" / (std::string("NOTE") + lib.prefix));
    EXPECT_TRUE(notes.size() >= 3u && notes.size() <= 20u);
  }
  EXPECT_EQ(total, 363);
}

TEST_F(ExampleData, NamesAreUniqueFitTheirColumnAndNameNoMaker) {
  static const char* kMakers[] = {"Chev",   "Ford",   "Dodge",  "Mopar",  "Pontiac", "Olds",   "Buick",
                                  "Honda",  "Toyota", "Nissan", "Subaru", "Mazda",   "Suzuki", "Yamaha",
                                  "Kawasaki", "Harley", "Hemi Cuda", "Camaro", "Mustang", "Corvette"};
  for (const Library& lib : kLibraries) {
    SCOPED_TRACE(lib.code);
    const ExampleLibraryData d = ParseExampleLibrary(lib.code);
    std::set<std::string> names;
    for (const auto& e : d.examples) {
      const std::string& name = e[0];
      EXPECT_TRUE(names.insert(name).second) << name;
      EXPECT_LE(static_cast<int>(name.size()), d.fields[0].columnStart - 2) << name;
      EXPECT_EQ(ExampleNameRefusal(name), "") << name;
      for (const char* maker : kMakers) EXPECT_EQ(InStr(UCase(name), UCase(maker)), 0) << name;
    }
  }
}

TEST_F(ExampleData, ValuesInsideTheirLimitsAndPicksInsideTheirLists) {
  for (const Library& lib : kLibraries) {
    SCOPED_TRACE(lib.code);
    const ExampleLibraryData d = ParseExampleLibrary(lib.code);
    for (const auto& e : d.examples) {
      for (size_t i = 0; i < d.fields.size(); ++i) {
        const std::string& v = e[i + 1];
        const int m = d.fields[i].menu, r = d.fields[i].row;
        if (v == "na") {
          // "na" only where the field does not apply.
          const bool growthOffSlick = std::string(lib.code) == "RTIRE" && r == 9 && Val(e[3]) != 4;
          const bool hpOnlyTorque = std::string(lib.code) == "ENG" && (r == 2 || r == 3) && Val(e[1]) == 0;
          EXPECT_TRUE(growthOffSlick || hpOnlyTorque) << e[0] << " " << r;
          continue;
        }
        const auto [max, min] = Limits(m, r);
        const double x = Val(v);
        EXPECT_TRUE(std::regex_match(v, std::regex("[0-9]*\\.?[0-9]+"))) << e[0] << " field " << i << ": " << v;
        EXPECT_GE(x, min) << e[0] << " " << m << "." << r;
        EXPECT_LE(x, max) << e[0] << " " << m << "." << r;
        if (tbl.SpecKind[tbl.SpecMenuStart[m] + r] == 1) {
          std::vector<std::string> items;
          ASSERT_TRUE(ReadPresets(m, r, items));
          EXPECT_EQ(x, Int(x)) << e[0];
          EXPECT_LT(x, static_cast<double>(items.size())) << e[0] << " " << m << "." << r;
        }
      }
      if (std::string(lib.code) == "RTIRE") {
        EXPECT_EQ(e[5] == "na", Val(e[3]) != 4) << e[0];
      }
    }
  }
}

TEST_F(ExampleData, EngineCurvesAreWholeAndMatchTheirPeaks) {
  // The list shows the method without the word the preset list begins with.
  std::vector<std::string> methods;
  ASSERT_TRUE(ReadPresets(1, 0, methods));
  for (int i = 0; i <= 2; ++i) EXPECT_EQ(methods[i].substr(0, 10), "Specified ");
  const ExampleLibraryData d = ParseExampleLibrary("ENG");
  int fullCurves = 0;
  for (const auto& e : d.examples) {
    SCOPED_TRACE(e[0]);
    const int method = static_cast<int>(Val(e[1]));
    fullCurves += method == 2;
    double tq = 0, tqRpm = 0, hp = 0, hpRpm = 0, lastRpm = 0;
    for (int p = 0; p < 10; ++p) {
      const double rpm = Val(e[8 + 3 * p]), t = Val(e[9 + 3 * p]), h = Val(e[10 + 3 * p]);
      EXPECT_TRUE(rpm > lastRpm && t > 0 && h > 0) << p;
      EXPECT_LE(std::abs(h - rpm * t / 5252), 1.0) << p;
      if (t > tq) tq = t, tqRpm = rpm;
      if (h > hp) hp = h, hpRpm = rpm;
      lastRpm = rpm;
    }
    if (method == 0) {
      EXPECT_EQ(e[3] + e[4], "nana");
    } else {
      EXPECT_EQ(Val(e[3]), tq);
      EXPECT_EQ(Val(e[4]), tqRpm);
    }
    EXPECT_EQ(Val(e[5]), hp);
    EXPECT_EQ(Val(e[6]), hpRpm);
  }
  EXPECT_GE(fullCurves * 3, static_cast<int>(d.examples.size()));
}

TEST_F(ExampleData, ConverterCapacityIsStallOverRootTorque) {
  const ExampleLibraryData d = ParseExampleLibrary("CONV");
  for (const auto& e : d.examples) {
    // "10 in street converter, 2800 stall at 400 ft lbs"
    const std::string& name = e[0];
    const long comma = InStr(name, ", "), at = InStr(name, " stall at ");
    ASSERT_GT(comma, 0) << name;
    ASSERT_GT(at, 0) << name;
    EXPECT_NE(InStr(name, " in "), 0) << name;
    const double stall = Val(Mid(name, comma + 2)), torque = Val(Mid(name, at + 10));
    EXPECT_NEAR(Val(e[1]), stall / std::sqrt(torque), 0.5) << name;
  }
}

// ---------------------------------------------------------------- every example runs

// The fixture car an example belongs in.
const char* CarFor(const std::string& code, const std::vector<std::string>& e) {
  if (code == "CONV") return kBracketCar;
  if (code == "TRANS") return InStr(e[0], "auto") > 0 ? kBracketCar : kMuscleCar;
  if (code == "BODY") return Val(e[1]) == 1 ? kFrontDrive : kMuscleCar;
  if (code == "RTIRE") return InStr(e[0], "front drive") > 0 ? kFrontDrive : kBracketCar;
  return kMuscleCar;
}

// Type rows as a linked example leaves them.
const std::map<std::string, std::pair<int, std::string>> kLinkedType = {
    {"ENG", {0, "4"}}, {"CLUTCH", {15, "5"}}, {"CONV", {15, "5"}}, {"TRANS", {22, "2"}},
    {"BODY", {48, "2"}}, {"FTIRE", {63, "3"}}, {"RTIRE", {66, "2"}}};

TEST_F(ExampleData, EveryExampleCalculatesInACarOfItsKind) {
  for (const Library& lib : kLibraries) {
    const ExampleRequest request{lib.code, lib.prefix, lib.kind, lib.typeRow, 0};
    const ExampleLibraryData d = ParseExampleLibrary(lib.code);
    for (size_t k = 0; k < d.examples.size(); ++k) {
      const auto& e = d.examples[k];
      SCOPED_TRACE(std::string(lib.code) + ": " + e[0]);
      Load(CarFor(lib.code, e));
      const ExampleListing l = ReadExampleCategory(request, static_cast<int>(k) + 1, ReadPresets);
      ASSERT_EQ(l.lines.size(), d.examples.size());
      const int menu = LoadInExampleSpecs(request, l.lines[k]);
      ASSERT_GE(menu, 1);
      tbl.SpecText[kLinkedType.at(lib.code).first] = kLinkedType.at(lib.code).second;
      EXPECT_EQ(tbl.SpecText[tbl.SpecMenuStart[menu] + lib.kind].substr(0, 3), "Ex ");
      ResetInputCheckMemory();
      ui->Clear();
      Calculate();
      ASSERT_GT(tbl.FinishRow, 1) << (ui->boxes().empty() ? "" : ui->boxes()[0].prompt);
      for (const auto& b : ui->boxes()) EXPECT_EQ(b.title, "Possible Problem with Inputs") << b.prompt;
      ExpectAllFinite();
      const double et = Val(Cell(1, tbl.FinishRow));
      EXPECT_TRUE(et > 4 && et < 40) << et;
    }
  }
}

}  // namespace
}  // namespace sw::test
