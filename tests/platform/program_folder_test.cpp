#include "platform/program_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/seqfile.h"
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

}  // namespace
}  // namespace sw
