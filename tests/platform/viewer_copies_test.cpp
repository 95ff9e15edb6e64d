// The copies a program hands to the text viewer go with the program: at its
// exit, or when it died, at the next start; a running program's stay.
#include "platform/viewer_copies.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

#include "support/temp_folder.h"

namespace sw {
namespace {

namespace fs = std::filesystem;

// A program, in a child process with `temp` as its temporary folder, that
// makes its copy folder and a copy, says so on `ready` and, unless it dies
// at once, ends normally (as far as its copies go) when the write end of
// `release` is closed.
pid_t StartProgram(const fs::path& temp, bool dies, int ready, const int release[2]) {
  const pid_t pid = ::fork();
  if (pid != 0) return pid;
  ::close(release[1]);
  ::setenv("TMPDIR", temp.c_str(), 1);
  std::ofstream(ViewerCopyFolder() / "readme.txt") << "copy";
  ssize_t ignored = ::write(ready, "x", 1);
  (void)ignored;
  if (dies) ::_exit(0);
  char c;
  while (::read(release[0], &c, 1) > 0) {
  }
  RemoveViewerCopyFolder();
  ::_exit(0);
}

int Folders(const fs::path& temp) {
  return static_cast<int>(std::distance(fs::directory_iterator(temp), fs::directory_iterator()));
}

TEST(ViewerCopies, GoWithTheirProgram) {
  TempFolder temp;
  int ready[2], release[2];
  ASSERT_EQ(::pipe(ready), 0);
  ASSERT_EQ(::pipe(release), 0);
  char c;
  const pid_t dead = StartProgram(temp.path(), true, ready[1], release);
  ASSERT_EQ(::read(ready[0], &c, 1), 1);
  ::waitpid(dead, nullptr, 0);
  const pid_t running = StartProgram(temp.path(), false, ready[1], release);
  ASSERT_EQ(::read(ready[0], &c, 1), 1);
  fs::create_directory(temp.path() / "Stagewell-other");  // not a copy folder
  ASSERT_EQ(Folders(temp.path()), 3);

  EXPECT_EQ(RemoveDeadViewerCopies(temp.path()), 1);
  EXPECT_EQ(Folders(temp.path()), 2);
  EXPECT_EQ(RemoveDeadViewerCopies(temp.path()), 0);
  ::close(release[1]);
  int status = -1;
  ::waitpid(running, &status, 0);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(Folders(temp.path()), 1);
  EXPECT_TRUE(fs::is_directory(temp.path() / "Stagewell-other"));
  for (int fd : {ready[0], ready[1], release[0]}) ::close(fd);
}

}  // namespace
}  // namespace sw
