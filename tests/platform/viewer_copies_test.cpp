#include "platform/viewer_copies.h"

#include <gtest/gtest.h>

#include <fstream>

#include "support/temp_folder.h"

namespace sw {
namespace {

namespace fs = std::filesystem;

// A dead program's copy folder goes at the next start; a running one's (ours) and other folders stay until its end.
TEST(ViewerCopies, GoWithTheirProgram) {
  TempFolder temp;
  const fs::path dead = temp.path() / "Stagewell-dead", other = temp.path() / "Stagewell-other";
  fs::create_directories(dead), fs::create_directories(other);
  std::ofstream(dead / ".lock");  // no program holds it
  const std::string tmpdir = std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp";
  ::setenv("TMPDIR", temp.path().c_str(), 1);
  const fs::path mine = ViewerCopyFolder();
  ::setenv("TMPDIR", tmpdir.c_str(), 1);
  EXPECT_EQ(RemoveDeadViewerCopies(temp.path()), 1);
  EXPECT_TRUE(mine.parent_path() == temp.path() && fs::is_directory(mine) && fs::exists(other) && !fs::exists(dead));
  RemoveViewerCopyFolder();
  EXPECT_FALSE(fs::exists(mine));
}

}  // namespace
}  // namespace sw
