#include "platform/outside_programs.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/seqfile.h"
#include "support/temp_folder.h"

namespace sw {
namespace {

// Lines as `wmctrl -l` prints them: id, desktop (-1 = on all), host, title.
const char* const kWindows =
    "0x01e00003  0 racer-pc CV Engine Sim - Big Block\n"
    "0x02a00007 -1 racer-pc CV\n"
    "0x02a00009  1 N/A   CVQ1 engine\r\n"
    "0x03000001  0 racer-pc Stagewell\n";

TEST(FindWindowId, ExactTitleFirstThenTheFirstThatBeginsWithIt) {
  struct Case {
    const char* title;
    const char* id;  // "" = none
  } cases[] = {
      {"CV", "0x02a00007"},                  // exact beats the earlier "CV Engine..."
      {"CV Engine", "0x01e00003"},           // beginning
      {"  CVQ1", "0x02a00009"},              // the title's own blanks count
      {"CVQ1", ""},                          // ... so without them it is not there
      {"Engine Sim", ""},                    // a middle part is not enough
      {"Stagewell", "0x03000001"},
      {"", ""},
      {"cv", ""},                            // case counts
  };
  for (const Case& c : cases) {
    auto id = FindWindowId(kWindows, c.title);
    EXPECT_EQ(id.value_or(""), c.id) << c.title;
  }
  EXPECT_FALSE(FindWindowId("", "CV"));
  EXPECT_FALSE(FindWindowId("0x1\n\n0x2 0\n", "CV"));
}

TEST(IsExecutableFile, OnlyAnExecutableFileHere) {
  TempFolder t;
  const auto script = t.path() / "cv";
  const auto text = t.path() / "notes.txt";
  WriteFileAtomic(script, "#!/bin/sh\n");
  WriteFileAtomic(text, "x\n");
  std::filesystem::permissions(script, std::filesystem::perms::owner_exec, std::filesystem::perm_options::add);
  EXPECT_TRUE(IsExecutableFile(script.string()));
  EXPECT_FALSE(IsExecutableFile(text.string()));
  EXPECT_FALSE(IsExecutableFile(t.path().string()));  // a folder
  EXPECT_FALSE(IsExecutableFile("C:\\Progra~1\\Intern~1\\iexplore.EXE"));
  EXPECT_FALSE(IsExecutableFile(""));
}

TEST(OutsidePrograms, NothingStartsUntilAnImplementationIsInstalled) {
  SetPrograms(nullptr);
  EXPECT_EQ(Programs().Start("/bin/true", {}, ""), 0);
  EXPECT_FALSE(Programs().Open("https://example.org"));
  EXPECT_EQ(Programs().Activate("CV"), Activation::CannotTell);
}

}  // namespace
}  // namespace sw
