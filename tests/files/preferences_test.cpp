#include "files/preferences.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>

#include "files/library_list.h"
#include "files/old_examples.h"
#include "platform/program_folder.h"
#include "platform/scripted_ui.h"
#include "platform/text.h"
#include "support/temp_folder.h"

using namespace sw;
namespace fs = std::filesystem;

namespace {

struct Prefs {
  std::string floppy = "A";
  int16_t finer = 0, beginner = 1, remind = 1, thick = 0, instant = 0, oldDeleted = 0;
  PreferenceValues v{&floppy, &finer, &beginner, &remind, &thick, &instant, &oldDeleted};
};

void Touch(const fs::path& p, int y, int m, int d) {
  std::ofstream(p) << "QVZ-ZKT*3.20\r\n";
  std::tm t{};
  t.tm_year = y - 1900;
  t.tm_mon = m - 1;
  t.tm_mday = d;
  t.tm_hour = 12;
  t.tm_isdst = -1;
  fs::last_write_time(p, std::chrono::file_clock::from_sys(std::chrono::system_clock::from_time_t(std::mktime(&t))));
}

class OldExamplesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(dir_.path() / "VEHDAT" / "OLD");
    SetProgramFolder(dir_.path());
    // Shipped 16 Mar 1998 (date number 28136).
    std::ofstream(dir_.path() / "OldFiles", std::ios::binary)
        << "  28136     V-6TURBO\r\n  28136     89-IROC\r\n  28136     69-mach1\r\n  28136     71-MONTE\r\n";
  }
  void TearDown() override { SetProgramFolder({}); }
  fs::path Veh(const std::string& n) { return dir_.path() / "VEHDAT" / n; }
  TempFolder dir_;
};

}  // namespace

TEST(Preferences, MarksFollowTheValues) {
  Prefs p;
  auto marks = [&] {
    const PreferenceMarks m = RefreshPreferenceMarks(p.v);
    return std::vector<bool>{m.allowInstant, m.finerTime, m.beginner, m.remindTireWeight, m.thickEngineLines};
  };
  EXPECT_EQ(marks(), (std::vector<bool>{false, false, true, true, false}));
  EXPECT_EQ(RefreshPreferenceMarks(p.v).defaultDriveCaption, "Default Floppy Drive, currently A");
  p.instant = p.finer = p.thick = 1;
  p.beginner = p.remind = 0;
  p.floppy = "B";
  EXPECT_EQ(marks(), (std::vector<bool>{true, true, false, false, true}));
  EXPECT_EQ(RefreshPreferenceMarks(p.v).defaultDriveCaption, "Default Floppy Drive, currently B");
}

TEST(Preferences, FloppyDriveQuestion) {
  ScopedScriptedUi ui;
  Prefs p;
  ui->Answer(ans::No);
  ChangeFloppyDrive(p.v);
  EXPECT_EQ(p.floppy, "A");
  ASSERT_EQ(ui->boxes().size(), 1u);
  EXPECT_EQ(ui->boxes()[0].prompt, "Default Floppy Drive is currently A  Do you want to change it to B?");
  EXPECT_EQ(ui->boxes()[0].title, "Change Floppy Drive to B?");
  EXPECT_EQ(ui->boxes()[0].style, mb::YesNoCancel + mb::Question);
  ui->Answer(ans::Yes);
  ChangeFloppyDrive(p.v);
  EXPECT_EQ(p.floppy, "B");
  ui->Answer(ans::Yes);
  ChangeFloppyDrive(p.v);
  EXPECT_EQ(p.floppy, "A");
  EXPECT_EQ(ui->boxes()[2].title, "Change Floppy Drive to A?");
}

TEST(Preferences, TimeIncrementWarnsOnlyOnAChange) {
  ScopedScriptedUi ui;
  Prefs p;
  ChooseStandardTime(p.v);  // already the standard step: no message
  EXPECT_TRUE(ui->boxes().empty());
  ChooseFinerTime(p.v);
  EXPECT_EQ(p.finer, 1);
  ASSERT_EQ(ui->boxes().size(), 1u);
  EXPECT_EQ(ui->boxes()[0].title, "Time Increment Slightly Affects Results");
  EXPECT_EQ(ui->boxes()[0].prompt,
            "Just changing the calculation time increment will have a minor effect on the results.  Do not compare "
            "data calculated at 2 different time increments.");
  ChooseFinerTime(p.v);
  EXPECT_EQ(ui->boxes().size(), 1u);
  ChooseStandardTime(p.v);
  EXPECT_EQ(p.finer, 0);
  EXPECT_EQ(ui->boxes().size(), 2u);
}

TEST(Preferences, LevelReminderAndLinesAskNothing) {
  ScopedScriptedUi ui;
  Prefs p;
  ChooseBeginnerLevel(p.v, false);
  ChooseTireWeightReminder(p.v, false);
  ChooseEngineLines(p.v, true);
  EXPECT_EQ((std::vector<int>{p.beginner, p.remind, p.thick}), (std::vector<int>{0, 0, 1}));
  EXPECT_TRUE(ui->boxes().empty());
}

TEST(Preferences, InstantUpdatingIsConfirmed) {
  ScopedScriptedUi ui;
  Prefs p;
  ui->Answer(ans::Cancel);
  AllowInstantUpdating(p.v);
  EXPECT_EQ(p.instant, 0);
  ui->Answer(ans::Yes);
  AllowInstantUpdating(p.v);
  EXPECT_EQ(p.instant, 1);
  EXPECT_EQ(ui->boxes()[0].title, "Turn On Instant Updating?");
  EXPECT_EQ(ui->boxes()[0].prompt,
            "Selecting this option tells the program to recalculate performance after every change you make.  The "
            "latest results are shown at the top of the menu you are currently working with.\r\rOn slower "
            "computers, this may require you to wait a few seconds (hour glass being displayed) until you can make "
            "your next change.\r\rAre you sure you want to turn on this option?");
  ui->Answer(ans::No);
  DontAllowInstantUpdating(p.v);
  EXPECT_EQ(p.instant, 1);
  ui->Answer(ans::Yes);
  DontAllowInstantUpdating(p.v);
  EXPECT_EQ(p.instant, 0);
  EXPECT_EQ(ui->boxes()[2].title, "Turn Off Instant Updating?");
  EXPECT_EQ(ui->boxes()[2].prompt,
            "The program will now wait until you select to calculate performance at the main screen before "
            "calculating performance.\r\rAre you sure you want to turn this option Off?");
}

TEST_F(OldExamplesTest, NoChangesNothing) {
  ScopedScriptedUi ui;
  Touch(Veh("89-IROC"), 1998, 3, 16);
  int16_t flag = 0;
  DeleteOldVehicleFiles(0, flag);  // no answer scripted: the default button, No
  EXPECT_TRUE(fs::exists(Veh("89-IROC")));
  EXPECT_EQ(flag, 0);
  ASSERT_EQ(ui->boxes().size(), 1u);
  EXPECT_EQ(ui->boxes()[0].style, mb::YesNo + mb::Question + mb::DefaultButton2);
  EXPECT_EQ(ui->boxes()[0].title, "Delete Example 3.0 Vehicle Files from Your Saved Vehicle Library?");
  EXPECT_EQ(ui->boxes()[0].prompt.substr(0, 118),
            "The program will look through your library of Saved Vehicles and delete those which are Examples from "
            "v3.0  IMPORTANT:");
}

TEST_F(OldExamplesTest, UnchangedOnlyKeepsFilesSavedAfterShipping) {
  ScopedScriptedUi ui;
  Touch(Veh("V-6TURBO"), 1998, 3, 16);   // same day as shipped: deleted
  Touch(Veh("89-IROC"), 1997, 12, 1);    // earlier: deleted
  Touch(Veh("69-MACH1"), 1998, 3, 17);   // saved again later: kept
  Touch(Veh("My Car"), 1998, 3, 16);     // not listed: kept
  Touch(Veh("OLD") / "71-MONTE", 1998, 3, 16);  // in a sub-folder: kept
  int16_t flag = 0;
  ui->Answer(ans::Yes);
  DeleteOldVehicleFiles(1, flag);
  EXPECT_FALSE(fs::exists(Veh("V-6TURBO")));
  EXPECT_FALSE(fs::exists(Veh("89-IROC")));
  EXPECT_TRUE(fs::exists(Veh("69-MACH1")));
  EXPECT_TRUE(fs::exists(Veh("My Car")));
  EXPECT_TRUE(fs::exists(Veh("OLD") / "71-MONTE"));
  EXPECT_EQ(flag, 1);
  ASSERT_EQ(ui->boxes().size(), 2u);
  EXPECT_NE(ui->boxes()[0].prompt.find("Examples from v3.0 which have not been modified and resaved."),
            std::string::npos);
  EXPECT_EQ(ui->boxes()[1].prompt, " 2 Old Example Vehicle files deleted.");
}

TEST_F(OldExamplesTest, AllModeIgnoresDatesAndLetterCase) {
  ScopedScriptedUi ui;
  Touch(Veh("69-Mach1"), 2004, 6, 1);
  Touch(Veh("v-6turbo"), 2004, 6, 1);
  int16_t flag = 0;
  ui->Answer(ans::Yes);
  DeleteOldVehicleFiles(0, flag);
  EXPECT_FALSE(fs::exists(Veh("69-Mach1")));
  EXPECT_FALSE(fs::exists(Veh("v-6turbo")));
  EXPECT_EQ(ui->boxes().back().prompt, " 2 Old Example Vehicle files deleted.");
}

TEST_F(OldExamplesTest, MissingListIsReportedAndNothingIsDeleted) {
  ScopedScriptedUi ui;
  fs::remove(dir_.path() / "OldFiles");
  Touch(Veh("89-IROC"), 1998, 3, 16);
  int16_t flag = 0;
  ui->Answer(ans::Yes);
  DeleteOldVehicleFiles(0, flag);
  EXPECT_TRUE(fs::exists(Veh("89-IROC")));
  ASSERT_EQ(ui->boxes().size(), 3u);
  EXPECT_EQ(ui->boxes()[1].prompt, "Error Deleting Files.");
  EXPECT_EQ(ui->boxes()[2].prompt, " 0 Old Example Vehicle files deleted.");
}

TEST(ShippedOldFiles, EveryLineHasADateAndAName) {
  std::ifstream in(fs::path(SW_SOURCE_DIR) / "data" / "OldFiles", std::ios::binary);
  std::string line;
  int n = 0;
  bool hasNoteNames = false;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    ++n;
    long p = InStr(line, "     ");
    ASSERT_GT(p, 0) << line;
    double date = Val(Left(line, 7));
    EXPECT_GE(date, DateKey(1995, 1, 1)) << line;
    EXPECT_LE(date, DateKey(2000, 12, 31)) << line;
    std::string name = Trim(Mid(line, p + 1));
    EXPECT_FALSE(name.empty());
    if (name == "89-IROC") hasNoteNames = true;
  }
  EXPECT_GE(n, 4);
  EXPECT_TRUE(hasNoteNames);
}
