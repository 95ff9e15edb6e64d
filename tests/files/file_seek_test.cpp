#include "files/file_seek.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/scripted_ui.h"
#include "platform/seqfile.h"
#include "support/temp_folder.h"

namespace sw {
namespace {

namespace fs = std::filesystem;
using Texts = std::vector<std::string>;

// Writes empty files (and their folders) under `root`.
void Files(const fs::path& root, const Texts& names) {
  for (const std::string& n : names) {
    fs::create_directories((root / n).parent_path());
    WriteFileAtomic(root / n, "");
  }
}

Texts Relative(const fs::path& root, const Texts& paths) {
  Texts out;
  for (const std::string& p : paths) out.push_back(fs::path(p).lexically_relative(root).generic_string());
  return out;
}

TEST(FileSeek, EngineProgramCountsOnlyBesideZktFilesOtherProgramsAnywhere) {
  TempFolder t;
  Files(t.path(), {"Cylvane/CV.EXE", "Cylvane/ENGINE1.ZKT", "Downloads/CV.EXE", "Downloads/notes.txt",
                   "Browser/IEXPLORE.EXE", "Browser/Old/iexplore.exe"});
  struct Case {
    const char* name;
    Texts found;
    const char* count;
  } cases[] = {
      {"CV.EXE", {"Cylvane/CV.EXE"}, " 1 Occurances Found of CV.EXE"},
      {"cv.exe", {"Cylvane/CV.EXE"}, " 1 Occurances Found of cv.exe"},  // names match whatever their case
      {"Iexplore.exe", {"Browser/Old/iexplore.exe", "Browser/IEXPLORE.EXE"}, " 2 Occurances Found of Iexplore.exe"},
      {"ACRORD32.EXE", {}, ""},
      {"notes.txt", {}, ""},  // not a program the seek may take from anywhere
  };
  for (const Case& c : cases) {
    FileSeek seek(c.name);
    EXPECT_EQ(seek.SearchFolderForFile(t.path()), 0) << c.name;
    EXPECT_EQ(Relative(t.path(), seek.Found), c.found) << c.name;
    EXPECT_EQ(seek.CountText, c.count) << c.name;
    EXPECT_EQ(seek.FoldersSearched, 5) << c.name;  // the root, Browser, Old, Cylvane, Downloads
    EXPECT_EQ(seek.Searching, 0) << c.name;
  }
  EXPECT_TRUE(IsThirdPartyProgram("AcroRd32.exe"));
  EXPECT_TRUE(IsThirdPartyProgram("acrobat.exe"));
  EXPECT_FALSE(IsThirdPartyProgram("CV.EXE"));
}

// Subfolders from the last in the list to the first, each to its end; a
// folder's own files after all of its subfolders.
TEST(FileSeek, DepthFirstFromTheLastSubfolder) {
  TempFolder t;
  Files(t.path(), {"cv", "a.zkt", "Alpha/cv", "Alpha/x.ZKT", "beta/cv", "beta/x.zkt", "beta/Inner/cv",
                   "beta/Inner/y.zkt", "Gamma/cv", "Gamma/z.Zkt"});
  FileSeek seek("cv");
  std::vector<int32_t> counts;
  seek.onFolder = [&] { counts.push_back(seek.FoldersSearched); };
  EXPECT_EQ(seek.SearchFolderForFile(t.path()), 0);
  EXPECT_EQ(Relative(t.path(), seek.Found), (Texts{"Gamma/cv", "beta/Inner/cv", "beta/cv", "Alpha/cv", "cv"}));
  EXPECT_EQ(counts, (std::vector<int32_t>{1, 2, 3, 4, 5}));
}

TEST(FileSeek, LinksAreNotFollowedAndUnreadableFoldersPassedOver) {
  TempFolder t;
  Files(t.path(), {"Cylvane/cv", "Cylvane/a.zkt", "Locked/cv", "Locked/a.zkt", "Elsewhere/cv", "Elsewhere/b.zkt"});
  fs::create_directory_symlink(t.path(), t.path() / "Cylvane" / "loop");     // back to the top
  fs::create_directory_symlink(t.path() / "Elsewhere", t.path() / "Shortcut");  // a second way in
  fs::create_symlink(t.path() / "Cylvane" / "cv", t.path() / "Elsewhere" / "CV");  // a linked program counts
  fs::permissions(t.path() / "Locked", fs::perms::none);
  FileSeek seek("cv");
  EXPECT_EQ(seek.SearchFolderForFile(t.path()), 0);
  fs::permissions(t.path() / "Locked", fs::perms::owner_all);
  Texts found = Relative(t.path(), seek.Found);
  if (geteuid() != 0) {
    // Locked first (nothing read), then Elsewhere, then Cylvane.
    EXPECT_EQ(found, (Texts{"Elsewhere/CV", "Elsewhere/cv", "Cylvane/cv"}));
  }
  EXPECT_EQ(seek.FoldersSearched, 4);  // the root, Locked, Elsewhere, Cylvane
}

TEST(FileSeek, ListLimitStopsTheSearchWithOneMessage) {
  TempFolder t;
  Files(t.path(), {"A/cv", "A/CV", "A/Cv", "A/a.zkt", "B/cv", "B/b.zkt"});
  ScopedScriptedUi ui;
  FileSeek seek("CV");
  seek.ListLimit = 2;
  EXPECT_EQ(seek.SearchFolderForFile(t.path()), -1);
  EXPECT_TRUE(seek.TooMany);
  EXPECT_EQ(seek.Found.size(), 2u);
  ASSERT_EQ(ui->boxes().size(), 1u);
  EXPECT_EQ(ui->boxes()[0].prompt, "Too many entries found to display in listbox.");
  EXPECT_EQ(seek.Searching, 0);
}

TEST(FileSeek, MissingStartFolderFindsNothing) {
  TempFolder t;
  FileSeek seek("cv");
  EXPECT_EQ(seek.SearchFolderForFile(t.path() / "gone"), 0);
  EXPECT_TRUE(seek.Found.empty());
  EXPECT_EQ(seek.FoldersSearched, 0);
  EXPECT_EQ(seek.CountText, "");
}

}  // namespace
}  // namespace sw
