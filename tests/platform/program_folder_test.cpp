#include "platform/program_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <tuple>

#include "platform/seqfile.h"
#include "specs/row_rules.h"
#include "support/temp_folder.h"

namespace sw {
namespace {

TEST(ProgramFolder, HomeVariableAndSeeding) {
  TempFolder home, seed;
  std::filesystem::create_directories(seed.path() / "QVZHELP");
  WriteFileAtomic(seed.path() / "QVZHELP" / "help1.txt", "shipped\r\n");
  WriteFileAtomic(seed.path() / "OldFiles", "shipped\r\n");
  SetProgramFolder({});
  setenv("STAGEWELL_HOME", (home.path() / "sw").c_str(), 1);
  EXPECT_EQ(ProgramFolder(), home.path() / "sw");
  SetSeedFolder(seed.path());
  // A file the user already has is never overwritten.
  std::filesystem::create_directories(home.path() / "sw");
  WriteFileAtomic(home.path() / "sw" / "oldfiles", "mine\r\n");
  ASSERT_TRUE(EnsureProgramFolder());
  std::string b;
  EXPECT_TRUE(ReadFileBytes(home.path() / "sw" / "QVZHELP" / "help1.txt", b));
  EXPECT_EQ(b, "shipped\r\n");
  ReadFileBytes(home.path() / "sw" / "oldfiles", b);
  EXPECT_EQ(b, "mine\r\n");
  EXPECT_FALSE(std::filesystem::exists(home.path() / "sw" / "OldFiles"));
  // Names are looked up whatever their case; Windows separators work.
  EXPECT_EQ(ProgramPath("qvzhelp\\HELP1.TXT"), home.path() / "sw" / "QVZHELP" / "help1.txt");
  EXPECT_EQ(ProgramPath("VEHDAT/new.ZKT"), home.path() / "sw" / "VEHDAT" / "new.ZKT");
  unsetenv("STAGEWELL_HOME");
  SetSeedFolder({});
  SetProgramFolder({});
}

// A folder named relative to where the program starts stays that folder once
// the program works from inside it.
TEST(ProgramFolder, RelativeHomeStaysWhereItWas) {
  TempFolder start;
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(start.path());
  setenv("STAGEWELL_HOME", "sw", 1);
  ASSERT_TRUE(EnsureProgramFolder());
  std::filesystem::current_path(ProgramFolder());
  EXPECT_EQ(ProgramPath("OldFiles"), std::filesystem::absolute(start.path()) / "sw" / "OldFiles");
  std::filesystem::current_path(before), unsetenv("STAGEWELL_HOME"), SetProgramFolder({});
}

// Once seeded, later starts leave the folder alone until the shipped folder
// changes: then every shipped file missing is copied again.
TEST(ProgramFolder, SeededOnceUntilTheShippedFilesChange) {
  TempFolder home, seed;
  WriteFileAtomic(seed.path() / "OldFiles", "shipped\r\n");
  std::filesystem::create_directories(seed.path() / "VEHDAT");
  SetProgramFolder(home.path());
  SetSeedFolder(seed.path());
  for (const std::string step : {"first start", "removed by the user", "new shipped file"}) {
    if (step == "removed by the user") std::filesystem::remove(home.path() / "OldFiles");
    if (step == "new shipped file") WriteFileAtomic(seed.path() / "VEHDAT" / "NEW", "shipped\r\n");
    ASSERT_TRUE(EnsureProgramFolder());
    EXPECT_EQ(std::filesystem::exists(home.path() / "OldFiles"), step != "removed by the user") << step;
    EXPECT_EQ(std::filesystem::exists(home.path() / "VEHDAT" / "NEW"), step == "new shipped file") << step;
  }
  SetSeedFolder({});
  SetProgramFolder({});
}

const std::filesystem::path kData = std::filesystem::path(SW_SOURCE_DIR) / "data";

std::string Shipped(const std::string& file) {
  std::string bytes;
  return ReadFileBytes(kData / file, bytes) ? bytes : "missing";
}

std::string Swap(const std::string& text, const std::string& from, const char* to) {
  return std::regex_replace(text, std::regex(from), to);
}

// A folder seeded before the dew point rows went below 0 deg F (from 0, the
// dial-in rows from -40) takes a dew point of -5 after the start; what the
// racer changed, and what the program writes itself, stays.
TEST(ProgramFolder, EarlierShippedVersionsBroughtUpToDate) {
  TempFolder home;
  SetProgramFolder(home.path());
  SetSeedFolder(kData);
  const std::string dew = "100\r\n-60\r\n", conv = "QVZEXMP/CONV";
  // The example converters as first shipped: two were rated anew since.
  std::string oldConv = Swap(Shipped(conv), "2000 stall at 600 ft lbs\r\n82", "1800 stall at 700 ft lbs\r\n68");
  oldConv = Swap(oldConv, "1800 stall at 550 ft lbs\r\n77", "1600 stall at 800 ft lbs\r\n57");
  // The file, what the folder holds (help8.txt with LF line ends), replaced.
  const std::tuple<std::string, std::string, bool> cases[] = {
      {"QVZHELP/help6.txt", Swap(Shipped("QVZHELP/help6.txt"), dew, "100\r\n0\r\n"), true},
      {"CALC/DEWPNT.CLC", Swap(Shipped("CALC/DEWPNT.CLC"), dew, "100\r\n0\r\n"), true},
      {"QVZHELP/help8.txt", Swap(Swap(Shipped("QVZHELP/help8.txt"), dew, "100\r\n-40\r\n"), "\r\n", "\n"), true},
      {"COMBO/CMB1-0", Swap(Shipped("COMBO/CMB1-0"), "Full Curve", "Full Curve (mine)"), false},
      {"QVZHELP/help1.txt", "neither\r\n", false},
      {conv, oldConv, false},
  };
  const ShippedVersions versions(kData);
  EXPECT_TRUE(versions.Has(conv, oldConv));
  for (const auto& [file, have, replaced] : cases) {
    std::filesystem::create_directories((home.path() / file).parent_path());
    WriteFileAtomic(home.path() / file, have);
  }
  WriteFileAtomic(home.path() / ".seeded", "the stamp of an earlier release\n");
  ASSERT_TRUE(EnsureProgramFolder());
  for (const auto& [file, have, replaced] : cases) {
    std::string bytes;
    EXPECT_TRUE(ReadFileBytes(home.path() / file, bytes) && bytes == (replaced ? Shipped(file) : have)) << file;
  }
  int dewRows = 0;  // each taking -5
  for (int menu : {6, 8})
    for (const RowRecord& row : ReadRowFile(menu, 30).rows)
      dewRows += row.caption == "Dew Point, deg F" && row.limits->minimum == -60 && WithinLimits("-5", *row.limits);
  EXPECT_EQ(dewRows, 4);
  // Each file shipped now is listed, so that its next change reaches them too.
  for (const auto& e : std::filesystem::recursive_directory_iterator(kData)) {
    const std::string file = e.path().lexically_relative(kData).generic_string();
    EXPECT_TRUE(!e.is_regular_file() || file == ".shipped-versions" || versions.Has(file, Shipped(file)))
        << file << ": run scripts/shipped_versions.py";
  }
  SetSeedFolder({});
  SetProgramFolder({});
}

}  // namespace
}  // namespace sw
