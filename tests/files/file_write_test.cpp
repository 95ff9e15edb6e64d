// Every family of saves through a link to something other than a regular
// file (here a pipe the test makes): the pipe stays a pipe, the link a link,
// and the failure is reported as that save reports it.
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

class SaveThroughLink : public FileTest {};

TEST_F(SaveThroughLink, EveryWriterLeavesAPipeAlone) {
  const std::string reason = "Reason: Not a regular file.";
  struct Case {
    const char* rel;  // the link the save goes to
    std::function<void()> save;
    std::string box;  // the start of the one message, "" for none
  } cases[] = {
      {"QVCURVEH.ZKT", [this] { SaveAs(savemode::WorkingCopy); }, "The file could not be written:"},
      {"VEHDAT/T1", [this] { fst.CurrentFilePath = AppText("VEHDAT/T1"), SaveAs(savemode::SameName); },
       "The file could not be written:"},
      {"QVHISTRY/A", [this] { tbl.HistoryName[0] = "A", SaveAs(savemode::History); },
       "The file could not be written:"},
      {"DIALIN/FRI", [this] { tbl.CalcMode = 1, SaveAs(savemode::ChosenPath, AppText("DIALIN/FRI")); },
       "The file could not be written:"},
      {"THRTLSTP/TS", [this] { tbl.CalcMode = 2, SaveAs(savemode::ChosenPath, AppText("THRTLSTP/TS")); },
       "The file could not be written:"},
      {"qvzCNFG.ZKT", [] { int16_t d = 0; ReadWriteConfiguration(d); },
       "Possible Error reading Configuration File.  Device I/O error"},
      {"QVZEXMP/CLUTCH", [] { AddExampleToLibrary({"CLUTCH", "CL", 22, 0, 0}, 0, "NEW"); },
       kExampleUpdateFailedMessage},
      {"LapDtOut.txt", [] { EXPECT_FALSE(WriteLapDataFile({})); }, ""},
      {"RUN1.TXT", [this] { ui->Answer(ans::Yes), WriteAsciiFile("RUN1.TXT", {}); },
       "The ASCII data file could not be written:"},
  };
  const fs::path pipe = App("elsewhere/pipe");
  fs::create_directories(pipe.parent_path());
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.rel);
    tbl.CalcMode = 0;
    ui->Clear();
    fs::create_directories(App(c.rel).parent_path());
    fs::create_symlink(pipe, App(c.rel));
    c.save();
    EXPECT_EQ(fs::symlink_status(App(c.rel)).type(), fs::file_type::symlink);
    EXPECT_EQ(fs::symlink_status(pipe).type(), fs::file_type::fifo);
    const std::string& last = ui->boxes().empty() ? "" : ui->boxes().back().prompt;
    EXPECT_EQ(last.rfind(c.box, 0), 0u) << last;
    if (c.box.find("could not be written") != std::string::npos) {
      EXPECT_EQ(last.substr(last.size() - reason.size()), reason);
    }
  }
  // Nothing else was written beside the links.
  for (auto& e : fs::recursive_directory_iterator(App()))
    EXPECT_FALSE(e.is_regular_file() && IsTemporaryFileName(e.path().filename().string())) << e.path();
}

// A read-only folder is no file from elsewhere: the save says that it could
// not write, where and why. Root writes anywhere, so the saves run as nobody.
TEST_F(SaveThroughLink, ReadOnlyFolderSaysWhereAndWhy) {
  FillSpecs("v");
  fs::create_directories(App("VEHDAT"));
  fs::create_directories(App("DIALIN"));
  for (const char* folder : {"", "VEHDAT", "DIALIN"}) ::chmod(App(folder).c_str(), 0555);
  int out[2];
  ASSERT_EQ(::pipe(out), 0);
  const pid_t child = ::fork();
  if (child == 0) {
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(99);
    SaveVehicle("T1");
    tbl.CalcMode = 1;
    SaveAs(savemode::ChosenPath, AppText("DIALIN/FRI"));
    SaveAs(savemode::WorkingCopy);
    std::string prompts;
    for (const auto& box : ui->boxes()) prompts += box.prompt + '\n';
    ssize_t ignored = ::write(out[1], prompts.data(), prompts.size());
    (void)ignored;
    ::_exit(0);
  }
  ::close(out[1]);
  std::string prompts;
  char buf[512];
  for (ssize_t n; (n = ::read(out[0], buf, sizeof buf)) > 0;) prompts.append(buf, static_cast<size_t>(n));
  ::close(out[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  for (const char* folder : {"", "VEHDAT", "DIALIN"}) ::chmod(App(folder).c_str(), 0755);
  if (WIFEXITED(status) && WEXITSTATUS(status) == 99) GTEST_SKIP() << "cannot run as nobody";
  std::string expected;
  for (const char* rel : {"VEHDAT/T1", "DIALIN/FRI", "QVCURVEH.ZKT"})
    expected += "The file could not be written:\r\r      " + App(rel).string() + "\r\rReason: Permission denied.\n";
  EXPECT_EQ(prompts, expected);
  EXPECT_FALSE(fs::exists(App("VEHDAT/T1")));
}

}  // namespace
}  // namespace sw
