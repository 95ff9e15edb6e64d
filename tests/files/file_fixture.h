// Shared set-up of the file tests: a fresh program folder, clean tables and
// file state, scripted message boxes and windows that record what the
// reader and the writer asked of them.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "files/configuration.h"
#include "files/file_state.h"
#include "files/file_windows.h"
#include "files/file_write.h"
#include "platform/program_folder.h"
#include "platform/scripted_ui.h"
#include "platform/seqfile.h"
#include "simulation/tables.h"
#include "support/temp_folder.h"

namespace sw {

class WatchedWindows : public FileWindows {
 public:
  struct Dialog {
    std::string filter, title, startFolder;
  };
  int retrieveShown = 0;
  int saveAsShown = 0;
  int captionsBuilt = 0;
  int mainCommentsSet = 0;
  int dialInCommentsSet = 0;
  std::string mainComments;
  std::string dialInComments;
  std::vector<FormId> pointerResets;
  std::vector<Dialog> dialogs;
  std::string dialogAnswer;  // what the file-open dialog hands back

  void ShowRetrieveForm() override { ++retrieveShown; }
  void ShowSaveAsForm() override { ++saveAsShown; }
  std::string ChooseFileToOpen(const std::string& filter, const std::string& title,
                               const std::string& startFolder) override {
    dialogs.push_back({filter, title, startFolder});
    return dialogAnswer;
  }
  void SetMainComments(const std::string& text) override {
    ++mainCommentsSet;
    mainComments = text;
  }
  void SetDialInComments(const std::string& text) override {
    ++dialInCommentsSet;
    dialInComments = text;
  }
  void BuildMainCaption() override { ++captionsBuilt; }
  void SetDefaultMousePointer(FormId w) override { pointerResets.push_back(w); }
};

class FileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetTables();
    ResetFileState();
    cfg = Configuration{};
    SetProgramFolder(dir.path());
    SetFileWindows(&windows);
    FailFileWritesAfterForTest(SIZE_MAX);
  }
  void TearDown() override {
    SetFileWindows(nullptr);
    SetProgramFolder({});
    FailFileWritesAfterForTest(SIZE_MAX);
  }

  std::filesystem::path App(const std::string& rel = "") const { return rel.empty() ? dir.path() : dir.path() / rel; }
  std::string AppText(const std::string& rel) const { return App(rel).generic_string(); }

  static std::string Bytes(const std::filesystem::path& p) {
    std::string s;
    ReadFileBytes(p, s);
    return s;
  }
  static void Put(const std::filesystem::path& p, const std::string& bytes) {
    std::filesystem::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out << bytes;
    ASSERT_TRUE(out.good());
  }

  TempFolder dir;
  WatchedWindows windows;
  ScopedScriptedUi ui;
};

}  // namespace sw
