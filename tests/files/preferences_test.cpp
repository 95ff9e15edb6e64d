#include "files/preferences.h"

#include "files/file_fixture.h"
#include "files/library_list.h"
#include "files/old_examples.h"

namespace sw {
namespace {

struct Preferences : FileTest {
  std::string floppy = "A";
  int16_t finer = 0, beginner = 1, remind = 1, thick = 0, instant = 0, oldDeleted = 0;
  PreferenceValues v{&floppy, &finer, &beginner, &remind, &thick, &instant, &oldDeleted};

  void ExpectBox(size_t i, const std::string& title, const std::string& prompt) {
    ASSERT_GT(ui->boxes().size(), i);
    EXPECT_EQ(ui->boxes()[i].title, title);
    EXPECT_EQ(ui->boxes()[i].prompt, prompt);
  }
};

TEST_F(Preferences, MarksFollowTheValues) {
  auto marks = [&] {
    const PreferenceMarks m = RefreshPreferenceMarks(v);
    return std::vector<bool>{m.allowInstant, m.finerTime, m.beginner, m.remindTireWeight, m.thickEngineLines};
  };
  EXPECT_EQ(marks(), (std::vector<bool>{false, false, true, true, false}));
  EXPECT_EQ(RefreshPreferenceMarks(v).defaultDriveCaption, "Default Floppy Drive, currently A");
  instant = finer = thick = 1;
  beginner = remind = 0;
  floppy = "B";
  EXPECT_EQ(marks(), (std::vector<bool>{true, true, false, false, true}));
  EXPECT_EQ(RefreshPreferenceMarks(v).defaultDriveCaption, "Default Floppy Drive, currently B");
  // Level, reminder and engine lines ask nothing.
  ChooseBeginnerLevel(v, false);
  ChooseTireWeightReminder(v, false);
  ChooseEngineLines(v, true);
  EXPECT_EQ((std::vector<int>{beginner, remind, thick}), (std::vector<int>{0, 0, 1}));
  EXPECT_TRUE(ui->boxes().empty());
}

TEST_F(Preferences, FloppyDriveQuestion) {
  for (auto [answer, drive] : {std::pair{ans::No, "A"}, {ans::Yes, "B"}, {ans::Yes, "A"}}) {
    ui->Answer(answer);
    ChangeFloppyDrive(v);
    EXPECT_EQ(floppy, drive);
  }
  ExpectBox(0, "Change Floppy Drive to B?", "Default Floppy Drive is currently A  Do you want to change it to B?");
  EXPECT_EQ(ui->boxes()[0].style, mb::YesNoCancel + mb::Question);
  EXPECT_EQ(ui->boxes()[2].title, "Change Floppy Drive to A?");
}

// Choosing the time increment already set shows no message.
TEST_F(Preferences, TimeIncrementWarnsOnlyOnAChange) {
  ChooseStandardTime(v);
  EXPECT_TRUE(ui->boxes().empty());
  ChooseFinerTime(v);
  EXPECT_EQ(finer, 1);
  ExpectBox(0, "Time Increment Slightly Affects Results",
            "Just changing the calculation time increment will have a minor effect on the results.  Do not compare "
            "data calculated at 2 different time increments.");
  ChooseFinerTime(v);
  EXPECT_EQ(ui->boxes().size(), 1u);
  ChooseStandardTime(v);
  EXPECT_EQ(finer, 0);
  EXPECT_EQ(ui->boxes().size(), 2u);
}

TEST_F(Preferences, InstantUpdatingIsConfirmed) {
  for (auto [allow, answer, after] : {std::tuple{true, ans::Cancel, 0}, {true, ans::Yes, 1}, {false, ans::No, 1},
                                      {false, ans::Yes, 0}}) {
    ui->Answer(answer);
    allow ? AllowInstantUpdating(v) : DontAllowInstantUpdating(v);
    EXPECT_EQ(instant, after);
  }
  ExpectBox(0, "Turn On Instant Updating?",
            "Selecting this option tells the program to recalculate performance after every change you make.  The "
            "latest results are shown at the top of the menu you are currently working with.\r\rOn slower "
            "computers, this may require you to wait a few seconds (hour glass being displayed) until you can make "
            "your next change.\r\rAre you sure you want to turn on this option?");
  ExpectBox(2, "Turn Off Instant Updating?",
            "The program will now wait until you select to calculate performance at the main screen before "
            "calculating performance.\r\rAre you sure you want to turn this option Off?");
}

struct OldExamples : Preferences {
  void SetUp() override {
    Preferences::SetUp();
    fs::create_directories(Veh("OLD"));
    // Shipped 16 Mar 1998 (date number 28136).
    Put(App("OldFiles"), "  28136     V-6TURBO\r\n  28136     89-IROC\r\n  28136     69-mach1\r\n  28136     71-MONTE\r\n");
  }
  fs::path Veh(const std::string& n) { return App("VEHDAT") / n; }
  int16_t Delete(int mode, int answer = ans::Yes) {
    int16_t flag = 0;
    if (answer) ui->Answer(answer);
    DeleteOldVehicleFiles(mode, flag);
    return flag;
  }
};

// Answering No (the default) changes nothing.
TEST_F(OldExamples, NoChangesNothing) {
  Touch(Veh("89-IROC"), 1998, 3, 16);
  EXPECT_EQ(Delete(0, 0), 0);
  EXPECT_TRUE(fs::exists(Veh("89-IROC")));
  EXPECT_EQ(OnlyBox().style, mb::YesNo + mb::Question + mb::DefaultButton2);
  EXPECT_EQ(OnlyBox().title, "Delete Example 3.0 Vehicle Files from Your Saved Vehicle Library?");
  EXPECT_EQ(OnlyBox().prompt.substr(0, 118),
            "The program will look through your library of Saved Vehicles and delete those which are Examples from "
            "v3.0  IMPORTANT:");
}

// Mode 1 deletes a listed file of the same or an earlier date, keeps one
// saved later, and never looks into sub-folders.
TEST_F(OldExamples, UnchangedOnlyKeepsFilesSavedAfterShipping) {
  Touch(Veh("V-6TURBO"), 1998, 3, 16);
  Touch(Veh("89-IROC"), 1997, 12, 1);
  Touch(Veh("69-MACH1"), 1998, 3, 17);
  Touch(Veh("My Car"), 1998, 3, 16);
  Touch(Veh("OLD") / "71-MONTE", 1998, 3, 16);
  EXPECT_EQ(Delete(1), 1);
  EXPECT_EQ((std::vector<bool>{fs::exists(Veh("V-6TURBO")), fs::exists(Veh("89-IROC")), fs::exists(Veh("69-MACH1")),
                               fs::exists(Veh("My Car")), fs::exists(Veh("OLD") / "71-MONTE")}),
            (std::vector<bool>{false, false, true, true, true}));
  ASSERT_EQ(ui->boxes().size(), 2u);
  EXPECT_NE(ui->boxes()[0].prompt.find("Examples from v3.0 which have not been modified and resaved."),
            std::string::npos);
  EXPECT_EQ(ui->boxes()[1].prompt, " 2 Old Example Vehicle files deleted.");
}

TEST_F(OldExamples, AllModeIgnoresDatesAndLetterCase) {
  Touch(Veh("69-Mach1"), 2004, 6, 1);
  Touch(Veh("v-6turbo"), 2004, 6, 1);
  Delete(0);
  EXPECT_FALSE(fs::exists(Veh("69-Mach1")));
  EXPECT_FALSE(fs::exists(Veh("v-6turbo")));
  EXPECT_EQ(ui->boxes().back().prompt, " 2 Old Example Vehicle files deleted.");
}

TEST_F(OldExamples, MissingListIsReportedAndNothingIsDeleted) {
  fs::remove(App("OldFiles"));
  Touch(Veh("89-IROC"), 1998, 3, 16);
  Delete(0);
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
  for (; std::getline(in, line); ++n) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const long p = InStr(line, "     ");
    ASSERT_GT(p, 0) << line;
    const double date = Val(Left(line, 7));
    EXPECT_GE(date, DateKey(1995, 1, 1)) << line;
    EXPECT_LE(date, DateKey(2000, 12, 31)) << line;
    const std::string name = Trim(Mid(line, p + 1));
    EXPECT_FALSE(name.empty());
    hasNoteNames |= name == "89-IROC";
  }
  EXPECT_GE(n, 4);
  EXPECT_TRUE(hasNoteNames);
}

}  // namespace
}  // namespace sw
