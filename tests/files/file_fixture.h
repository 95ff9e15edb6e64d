// Shared set-up of the file tests: a fresh program folder, clean tables and
// file state, scripted message boxes and windows that record what the
// reader and the writer asked of them.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "files/configuration.h"
#include "files/file_state.h"
#include "files/file_windows.h"
#include "files/file_write.h"
#include "files/vehicle_file.h"
#include "platform/program_folder.h"
#include "platform/scripted_ui.h"
#include "platform/seqfile.h"
#include "platform/text.h"
#include "simulation/tables.h"
#include "support/file_date.h"
#include "support/temp_folder.h"

namespace sw {

namespace fs = std::filesystem;
using Texts = std::vector<std::string>;

class WatchedWindows : public FileWindows {
 public:
  struct Dialog {
    std::string filter, title, startFolder;
  };
  int retrieveShown = 0, saveAsShown = 0, captionsBuilt = 0, mainCommentsSet = 0, dialInCommentsSet = 0;
  std::string mainComments, dialInComments;
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
  void SetMainComments(const std::string& text) override { ++mainCommentsSet, mainComments = text; }
  void SetDialInComments(const std::string& text) override { ++dialInCommentsSet, dialInComments = text; }
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

  fs::path App(const std::string& rel = "") const { return rel.empty() ? dir.path() : dir.path() / rel; }
  std::string AppText(const std::string& rel) const { return App(rel).generic_string(); }
  static std::string Bytes(const fs::path& p) {
    std::string s;
    ReadFileBytes(p, s);
    return s;
  }
  static void Put(const fs::path& p, const std::string& bytes) {
    fs::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out << bytes;
    ASSERT_TRUE(out.good());
  }
  // A file last changed at noon on the given day.
  static void Touch(const fs::path& p, int y, int m, int d, const std::string& bytes = "QVZ-ZKT*3.20\r\n") {
    Put(p, bytes);
    test::SetFileDate(p, y, m, d);
  }

  // Every spec and curve cell gets a text of its own ("v7", "vc4.2"), so a
  // line in the wrong place shows.
  static void FillSpecs(const std::string& tag) {
    for (int k = 0; k < kSpecCount; ++k) tbl.SpecText[k] = tag + std::to_string(k);
    for (int i = 0; i < kPowerCurvePoints; ++i)
      for (int j = 0; j < 3; ++j) tbl.PowerCurveText[i][j] = tag + "c" + std::to_string(i) + "." + std::to_string(j);
  }
  // FillSpecs plus comments, links and the current file, all tagged.
  static void FillAll(const std::string& tag) {
    FillSpecs(tag);
    fst.VehicleComments = tag + " vehicle\r\n";
    fst.DialInComment = tag + " dial-in\r\n";
    fst.ThrottleStopComment = tag + " stop\r\n";
    fst.CurrentFilePath = "/" + tag + "/path";
    fst.CurrentFileName = tag;
    fst.DialInFileName = tag + "-di";
    fst.ThrottleStopFileName = tag + "-ts";
    fst.SpecsChanged = 0;
  }
  static std::string ExpectedSpecs(const std::string& tag, int first, int last) {
    std::string s;
    for (int k = first; k <= last; ++k) s += tag + std::to_string(k) + "\r\n";
    return s;
  }
  static std::string ExpectedCurve(const std::string& tag) {
    std::string s;
    for (int i = 0; i < 10; ++i)
      for (int j = 0; j < 3; ++j) s += tag + "c" + std::to_string(i) + "." + std::to_string(j) + "\r\n";
    return s;
  }
  // What a file can change of the current vehicle besides its specs.
  static Texts Current() {
    return {fst.CurrentFilePath,  fst.CurrentFileName,     fst.DialInFileName, fst.ThrottleStopFileName,
            fst.VehicleComments, fst.DialInComment,       fst.ThrottleStopComment, Str(fst.SpecsChanged)};
  }

  void SaveAs(int16_t mode, const std::string& chosen = "") {
    fst.FileOperation = mode;
    if (!chosen.empty()) fst.ChosenFileName = chosen;
    SaveVehicleFile(FormId::frmMain);
  }
  // Saves the current vehicle to VEHDAT/<name> in save mode 3 (no tail).
  void SaveVehicle(const std::string& name) {
    fs::create_directories(App("VEHDAT"));
    SaveAs(savemode::ChosenPath, AppText("VEHDAT/" + name));
  }
  void Open(int16_t mode, const std::string& chosen = "") {
    if (!chosen.empty()) fst.ChosenFileName = chosen;
    fst.FileReadFailed = 0;
    OpenVehicleFile(FormId::frmMain, mode);
  }
  // The only box shown so far.
  const ScriptedUi::Box& OnlyBox() {
    EXPECT_EQ(ui->boxes().size(), 1u);
    static const ScriptedUi::Box none{};
    return ui->boxes().empty() ? none : ui->boxes()[0];
  }

  TempFolder dir;
  WatchedWindows windows;
  ScopedScriptedUi ui;
};

}  // namespace sw
