// Saves of every family through a link to anything but a regular file: link and end stay, the failure is reported.
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

#include "files/ascii_export.h"
#include "files/example_library.h"
#include "files/file_fixture.h"
#include "simulation/lap_data.h"

namespace sw {
namespace {

using SaveFailures = FileTest;

TEST_F(SaveFailures, NothingButARegularFileIsReplaced) {
  ASSERT_EQ(::mkfifo(App("pipe").c_str(), 0600), 0);
  ASSERT_EQ(::mknod(App("socket").c_str(), S_IFSOCK | 0600, 0), 0);
  auto vehicle = [this](int16_t kind, int16_t mode, const char* rel) {
    tbl.CalcMode = kind, fst.CurrentFilePath = AppText(rel), tbl.HistoryName[0] = "A", SaveAs(mode, AppText(rel));
  };
  struct Case {
    const char *rel, *to;  // the link and where it leads ("LOOP": to itself)
    std::function<void()> save;
    std::string said;  // in the last message
  } cases[] = {
      {"QVCURVEH.ZKT", "pipe", [&] { vehicle(0, savemode::WorkingCopy, "QVCURVEH.ZKT"); }, "Not a regular file."},
      {"VEHDAT/T1", "socket", [&] { vehicle(0, savemode::SameName, "VEHDAT/T1"); }, "Not a regular file."},
      {"QVHISTRY/A", "none", [&] { vehicle(0, savemode::History, ""); }, "No such file or directory."},
      {"DIALIN/FRI", "LOOP", [&] { vehicle(1, savemode::ChosenPath, "DIALIN/FRI"); }, "levels of symbolic links."},
      {"qvzCNFG.ZKT", "pipe", [] { int16_t save = 0; ReadWriteConfiguration(save); }, "writing Configuration File.  Not a regular file"},
      {"QVZEXMP/CLUTCH", "pipe", [] { AddExampleToLibrary({"CLUTCH", "CL", 22, 0, 0}, 0, "N"); }, "not be updated"},
      {"LapDtOut.txt", "pipe", [] { EXPECT_FALSE(WriteLapDataFile({})); }, ""},
      {"RUN1.TXT", "pipe", [&] { ui->Answer(ans::Yes), WriteAsciiFile("RUN1.TXT", {}); }, "Not a regular file."},
  };
  for (const Case& c : cases) {
    ui->Clear();
    fs::create_directories(App(c.rel).parent_path());
    fs::create_symlink(std::string(c.to) == "LOOP" ? App(c.rel) : App(c.to), App(c.rel));
    c.save();
    const std::string last = ui->boxes().empty() ? "" : ui->boxes().back().prompt;
    EXPECT_TRUE(fs::is_symlink(App(c.rel)) && last.find(c.said) != std::string::npos) << c.rel << ": " << last;
  }
  EXPECT_TRUE(fs::is_fifo(App("pipe")) && fs::is_socket(App("socket")) && !fs::exists(App("none")));
}

// A read-only folder says where and why. Root writes anywhere: nobody saves.
TEST_F(SaveFailures, ReadOnlyFolderSaysWhereAndWhy) {
  fs::create_directories(App("VEHDAT"));
  ::chmod(App().c_str(), 0755);  // whatever the umask, nobody may look in
  ::chmod(App("VEHDAT").c_str(), 0555);
  int out[2];
  ASSERT_EQ(::pipe(out), 0);
  if (::fork() == 0) {
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(1);
    if (::access(App("VEHDAT").c_str(), X_OK) != 0) (void)!::write(out[1], "-", 1), ::_exit(0);
    SaveVehicle("T1");
    (void)!::write(out[1], OnlyBox().prompt.data(), OnlyBox().prompt.size());
    ::_exit(0);
  }
  ::close(out[1]);
  std::string said(512, ' ');
  said.resize(static_cast<size_t>(std::max<ssize_t>(0, ::read(out[0], said.data(), said.size()))));
  ::wait(nullptr);
  if (said == "-") GTEST_SKIP() << "the test folder lies where an unprivileged user cannot reach";
  EXPECT_EQ(said, "The file could not be written:\r\r      " + AppText("VEHDAT/T1") + "\r\rReason: Permission denied.");
}

}  // namespace
}  // namespace sw
