#include "files/file_names.h"

#include <fstream>

#include "files/file_fixture.h"
#include "platform/text.h"

namespace sw {
namespace {

using FileNames = FileTest;

std::string CharacterMessage(const std::string& name, const std::string& ch) {
  return std::string("The name you entered:") + CR + CR + "      " + name + CR + CR +
         "Can not be used because it contains this character:" + CR + CR + "      " + ch + CR + CR +
         "Enter a different name.";
}

const std::string kInvalidNameText =
    std::string("You have entered an invalid file name.") + CR + CR +
    "File names must be from 1 to 11 characters long.  If you use a period (.), there can be no more than 8 "
    "characters before the period and no more than 3 characters after the period." +
    CR + CR + "Names must not include spaces or these characters:" + CR + CR + "/ \\ [ ] : | < > + = ; , * ?";

TEST_F(FileNames, ForbiddenCharactersAreRefusedInTheirOrder) {
  fst.NewFileName = "a*b/c";
  ValidateEntryName("Vehicle");
  EXPECT_EQ(fst.NewFileName, kRefusedName);
  ASSERT_EQ(ui->boxes().size(), 1u);
  EXPECT_EQ(ui->boxes()[0].prompt, CharacterMessage("a*b/c", "/"));
  EXPECT_EQ(ui->boxes()[0].style, mb::OKOnly);

  for (std::string ch : {"\\", ":", "|", ">", "<", "*", "?", "\""}) {
    ui->Clear();
    fst.NewFileName = "car" + ch + "x";
    ValidateEntryName("Dial In");
    EXPECT_EQ(fst.NewFileName, kRefusedName) << ch;
    ASSERT_EQ(ui->boxes().size(), 1u);
    EXPECT_EQ(ui->boxes()[0].prompt, CharacterMessage("car" + ch + "x", ch));
  }
}

TEST_F(FileNames, ControlCharactersAreRefusedToo) {
  fst.NewFileName = std::string("tab\there");
  ValidateEntryName("Vehicle");
  EXPECT_EQ(fst.NewFileName, kRefusedName);
  ASSERT_EQ(ui->boxes().size(), 1u);
  EXPECT_EQ(ui->boxes()[0].prompt, CharacterMessage("tab\there", "Chr(9)"));
}

TEST_F(FileNames, SilentCheck) {
  fst.NewFileName = "a:b";
  ValidateEntryName("no response");
  EXPECT_EQ(fst.NewFileName, kRefusedName);
  fst.NewFileName = std::string(256, 'x');
  ValidateEntryName("no response");
  EXPECT_EQ(fst.NewFileName, "");
  fst.NewFileName = "Chevy 454 (old), v2.1";
  ValidateEntryName("no response");
  EXPECT_EQ(fst.NewFileName, "Chevy 454 (old), v2.1");
  EXPECT_TRUE(ui->boxes().empty());
}

TEST_F(FileNames, OverlongNameIsShortenedOnlyWithConsent) {
  const std::string longName = "ABCDEFGHIJKLMNOP" + std::string(250, 'q');
  const std::string question = std::string("To possibly be a valid Throttle Stop Name, your entry had to be changed to:") +
                               CR + CR + "        ABCDEFGHIJKL" + CR + CR + "Do you want to use this name?";
  ui->Answer(ans::Yes);
  fst.NewFileName = longName;
  ValidateEntryName("Throttle Stop");
  EXPECT_EQ(fst.NewFileName, "ABCDEFGHIJKL");
  ASSERT_EQ(ui->boxes().size(), 1u);
  EXPECT_EQ(ui->boxes()[0].prompt, question);
  EXPECT_EQ(ui->boxes()[0].title, "Throttle Stop Name Had To Be Changed");
  EXPECT_EQ(ui->boxes()[0].style, mb::YesNoCancel);

  for (int answer : {ans::No, ans::Cancel}) {
    ui->Answer(answer);
    fst.NewFileName = longName;
    ValidateEntryName("Throttle Stop");
    EXPECT_EQ(fst.NewFileName, "");
  }
  // 255 bytes is still a name; multi-byte characters are never cut in two.
  fst.NewFileName = std::string(255, 'y');
  ValidateEntryName("Vehicle");
  EXPECT_EQ(fst.NewFileName, std::string(255, 'y'));
  ui->Answer(ans::Yes);
  std::string accents;
  for (int i = 0; i < 130; ++i) accents += "\xC3\xA9";  // 260 bytes
  fst.NewFileName = accents;
  ValidateEntryName("Vehicle");
  EXPECT_EQ(fst.NewFileName.size(), 24u);
}

TEST_F(FileNames, ExistenceTest) {
  Put(App("VEHDAT/T1"), "x");
  fst.ChosenFileName = AppText("VEHDAT/T1");
  ValidateFileName83();
  EXPECT_EQ(fst.FileExists, fexist::Exists);
  fst.ChosenFileName = AppText("vehdat/T2");
  ValidateFileName83();
  EXPECT_EQ(fst.FileExists, fexist::Free);
  EXPECT_TRUE(ui->boxes().empty());

  // Names the file system refuses, folders, missing folders, too long.
  for (std::string bad : {AppText("VEHDAT/") + std::string("a\0b", 3), AppText("VEHDAT"), AppText("VEHDAT/"),
                          AppText("NOFOLDER/x"), AppText("VEHDAT/..") , AppText("VEHDAT/" + std::string(256, 'n'))}) {
    ui->Clear();
    fst.ChosenFileName = bad;
    ValidateFileName83();
    EXPECT_EQ(fst.FileExists, fexist::Invalid) << bad;
    ASSERT_EQ(ui->boxes().size(), 1u);
    EXPECT_EQ(ui->boxes()[0].prompt, kInvalidNameText);
    EXPECT_EQ(ui->boxes()[0].title, "Invalid File Name");
    EXPECT_EQ(ui->boxes()[0].style, mb::Exclamation + mb::OKOnly);
  }
}

TEST_F(FileNames, ExistenceTestCreatesTheProgramsOwnFolders) {
  fst.ChosenFileName = AppText("dialin/Friday");
  ValidateFileName83();
  EXPECT_EQ(fst.FileExists, fexist::Free);
  EXPECT_TRUE(std::filesystem::is_directory(App("DIALIN")));
  EXPECT_TRUE(ui->boxes().empty());
}

TEST_F(FileNames, SplitPath) {
  std::string folder = "old", name = "old";
  SplitPath(folder, "/A/B.TXT", name);
  EXPECT_EQ(folder, "/A");
  EXPECT_EQ(name, "B.TXT");
  SplitPath(folder, "C:\\A\\B.TXT", name);
  EXPECT_EQ(folder, "C:\\A");
  EXPECT_EQ(name, "B.TXT");
  SplitPath(folder, "B.TXT", name);
  EXPECT_EQ(folder, "");
  EXPECT_EQ(name, "B.TXT");
  SplitPath(folder, "/B.TXT", name);
  EXPECT_EQ(folder, "");
  EXPECT_EQ(name, "B.TXT");
  SplitPath(folder, "", name);
  EXPECT_EQ(folder, "");
  EXPECT_EQ(name, "");
}

TEST_F(FileNames, MakeRelativeName) {
  fst.CurrentFilePath = AppText("VEHDAT/T1");
  MakeRelativeName("vehdat");
  EXPECT_EQ(fst.CurrentFileName, "T1");
  fst.CurrentFilePath = AppText("VEHDAT/OLD/T1");
  MakeRelativeName("vehdat");
  EXPECT_EQ(fst.CurrentFileName, "OLD/T1");
  EXPECT_EQ(tbl.CurrentFileName, "OLD/T1");
  fst.CurrentFilePath = "/media/usb/T9";
  MakeRelativeName("vehdat");
  EXPECT_EQ(fst.CurrentFileName, "T9");
  fst.CurrentFilePath = AppText("VEHDAT/");
  MakeRelativeName("vehdat");
  EXPECT_EQ(fst.CurrentFileName, "");
  fst.CurrentFilePath = AppText("DIALIN/Sat");
  MakeRelativeName("dialin");
  EXPECT_EQ(fst.CurrentFileName, "Sat");
}

TEST_F(FileNames, PathsWrittenOnWindowsComeToTheProgramFolder) {
  EXPECT_EQ(NativePath("C:\\Program Files\\Stagewell\\VEHDAT\\OLD\\T1"), AppText("VEHDAT/OLD/T1"));
  EXPECT_EQ(NativePath("c:\\sw\\vehdat\\T1"), AppText("vehdat/T1"));
  EXPECT_EQ(NativePath("A:\\T1"), "A:/T1");
  EXPECT_EQ(NativePath("/home/u/T1"), "/home/u/T1");
  std::filesystem::create_directories(App("VehDat"));
  EXPECT_EQ(DiskPath(AppText("VEHDAT/T1")), App("VehDat/T1"));
  EXPECT_EQ(DiskPath("/elsewhere/T1"), std::filesystem::path("/elsewhere/T1"));
}

}  // namespace
}  // namespace sw
