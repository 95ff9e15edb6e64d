#include "files/file_names.h"

#include "files/ascii_export.h"
#include "files/file_fixture.h"

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

// A refused name becomes "-~~~999" with a message naming the first
// forbidden character in the order "/" "\" ":" ... (control characters too).
TEST_F(FileNames, ForbiddenCharactersAreRefusedInTheirOrder) {
  for (auto [name, ch] : {std::pair<std::string, std::string>{"a*b/c", "/"}, {"car\\x", "\\"}, {"car:x", ":"},
                          {"car|x", "|"}, {"car>x", ">"}, {"car<x", "<"}, {"car*x", "*"}, {"car?x", "?"},
                          {"car\"x", "\""}, {"tab\there", "Chr(9)"}}) {
    ui->Clear();
    fst.NewFileName = name;
    ValidateEntryName("Vehicle");
    EXPECT_EQ(fst.NewFileName, kRefusedName) << name;
    EXPECT_EQ(OnlyBox().prompt, CharacterMessage(name, ch));
    EXPECT_EQ(OnlyBox().style, mb::OKOnly);
  }
}

// "no response": a forbidden character gives the marker, a name over 255
// characters gives "", both without a message.
TEST_F(FileNames, SilentCheck) {
  for (auto [name, result] : {std::pair<std::string, std::string>{"a:b", kRefusedName}, {std::string(256, 'x'), ""},
                              {"Chevy 454 (old), v2.1", "Chevy 454 (old), v2.1"}}) {
    fst.NewFileName = name;
    ValidateEntryName("no response");
    EXPECT_EQ(fst.NewFileName, result) << name;
  }
  EXPECT_TRUE(ui->boxes().empty());
}

TEST_F(FileNames, OverlongNameIsShortenedOnlyWithConsent) {
  const std::string longName = "ABCDEFGHIJKLMNOP" + std::string(250, 'q');
  ui->Answer(ans::Yes);
  fst.NewFileName = longName;
  ValidateEntryName("Throttle Stop");
  EXPECT_EQ(fst.NewFileName, "ABCDEFGHIJKL");
  EXPECT_EQ(OnlyBox().prompt, std::string("To possibly be a valid Throttle Stop Name, your entry had to be changed to:") +
                                  CR + CR + "        ABCDEFGHIJKL" + CR + CR + "Do you want to use this name?");
  EXPECT_EQ(OnlyBox().title, "Throttle Stop Name Had To Be Changed");
  EXPECT_EQ(OnlyBox().style, mb::YesNoCancel);
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
  fst.NewFileName.clear();
  for (int i = 0; i < 130; ++i) fst.NewFileName += "\xC3\xA9";  // 260 bytes
  ValidateEntryName("Vehicle");
  EXPECT_EQ(fst.NewFileName.size(), 24u);
}

// 0 for an existing file, 2 for a free valid name (the program's own folders
// are made), 1 with the message for a name the file system refuses.
TEST_F(FileNames, ExistenceTest) {
  Put(App("VEHDAT/T1"), "x");
  for (auto [name, result] : {std::pair{AppText("VEHDAT/T1"), fexist::Exists}, {AppText("vehdat/T2"), fexist::Free},
                              {AppText("dialin/Friday"), fexist::Free}}) {
    fst.ChosenFileName = name;
    ValidateFileName83();
    EXPECT_EQ(fst.FileExists, result) << name;
  }
  EXPECT_TRUE(fs::is_directory(App("DIALIN")));
  EXPECT_TRUE(ui->boxes().empty());
  // Names the file system refuses, missing folders, too long.
  for (std::string bad : {AppText("VEHDAT/") + std::string("a\0b", 3), AppText("VEHDAT/"), AppText("NOFOLDER/x"),
                          AppText("VEHDAT/" + std::string(256, 'n'))}) {
    ui->Clear();
    fst.ChosenFileName = bad;
    ValidateFileName83();
    EXPECT_EQ(fst.FileExists, fexist::Invalid) << bad;
    EXPECT_EQ(OnlyBox().prompt, kInvalidNameText);
    EXPECT_EQ(OnlyBox().title, "Invalid File Name");
    EXPECT_EQ(OnlyBox().style, mb::Exclamation + mb::OKOnly);
  }
}

// Names the program relies on get the name checks' messages; a folder where
// a file goes, also through a link, says what could not be written, where
// and why. Nothing is written.
TEST_F(FileNames, NamesThatCannotBeSavedSayWhy) {
  EnsureFileFolders();
  for (const char* f : {"RUNS", "QVCURVEH.ZKT", "QVHISTRY/A"}) fs::create_directories(App(f));
  fs::create_directory_symlink("RUNS", App("TORUNS"));
  Put(App(".seeded"), "stamp");
  const std::string cr2(2, CR), typed = "The name you entered:" + cr2 + "      ", other = "  Enter a different name.",
                    folder = cr2 + "Reason: Is a directory.", gone = " could not be written:" + cr2 + "      ",
                    data = "The ASCII data file" + gone + AppText("RUNS") + folder;
  const std::tuple<const char*, int16_t, std::string> cases[] = {
      {".seeded", 0, typed + ".seeded" + cr2 + "is the name of one of the program's own files or folders." + other},
      {"RUN1.0123456789ab.tmp", 0,
       typed + "RUN1.0123456789ab.tmp" + cr2 + "is kept for the program's own temporary files." + other},
      {". .", 0, typed + ". ." + cr2 + "Can not be used because it begins with a period (.)." + cr2 + other.substr(2)},
      {"RUNS", 0, data}, {"TORUNS", 0, data},
      {nullptr, savemode::WorkingCopy, "The temporary, working copy of the new vehicle, which the program brings up at "
                                       "the next start," + gone + AppText("QVCURVEH.ZKT") + folder},
      {nullptr, savemode::History,
       "This run's history copy, from which the History retrieves its specs," + gone + AppText("QVHISTRY/A") + folder}};
  const auto entries = [this] { return std::distance(fs::recursive_directory_iterator(App()), {}); };
  const auto before = entries();
  tbl.HistoryName[0] = "A";
  for (const auto& [name, mode, said] : cases) {
    ui->Clear();
    name ? (void)WriteAsciiFile(name, {}) : SaveAs(mode);
    EXPECT_EQ(OnlyBox().prompt, said) << (name ? name : "a copy");
  }
  EXPECT_EQ(entries(), before);
  EXPECT_EQ(Bytes(App(".seeded")), "stamp");
}

TEST_F(FileNames, SplitPath) {
  for (auto [path, folder, name] : {std::tuple{"/A/B.TXT", "/A", "B.TXT"}, {"C:\\A\\B.TXT", "C:\\A", "B.TXT"},
                                    {"B.TXT", "", "B.TXT"}, {"/B.TXT", "", "B.TXT"}, {"", "", ""}}) {
    std::string f = "old", n = "old";
    SplitPath(f, path, n);
    EXPECT_EQ((Texts{f, n}), (Texts{folder, name})) << path;
  }
}

TEST_F(FileNames, MakeRelativeName) {
  for (auto [path, folder, name] : {std::tuple{AppText("VEHDAT/T1"), "vehdat", "T1"},
                                    {AppText("VEHDAT/OLD/T1"), "vehdat", "OLD/T1"},
                                    {std::string("/media/usb/T9"), "vehdat", "T9"},
                                    {AppText("VEHDAT/"), "vehdat", ""}, {AppText("DIALIN/Sat"), "dialin", "Sat"}}) {
    fst.CurrentFilePath = path;
    MakeRelativeName(folder);
    EXPECT_EQ(fst.CurrentFileName, name) << path;
  }
}

TEST_F(FileNames, PathsWrittenOnWindowsComeToTheProgramFolder) {
  EXPECT_EQ(NativePath("C:\\Program Files\\Stagewell\\VEHDAT\\OLD\\T1"), AppText("VEHDAT/OLD/T1"));
  EXPECT_EQ(NativePath("c:\\sw\\vehdat\\T1"), AppText("vehdat/T1"));
  EXPECT_EQ(NativePath("A:\\T1"), "A:/T1");
  EXPECT_EQ(NativePath("/home/u/T1"), "/home/u/T1");
  fs::create_directories(App("VehDat"));
  EXPECT_EQ(DiskPath(AppText("VEHDAT/T1")), App("VehDat/T1"));
  EXPECT_EQ(DiskPath("/elsewhere/T1"), fs::path("/elsewhere/T1"));
}

// A save question names what it is about: a file by its name, as ever;
// specs without one by their kind, and nothing was "retrieved".
TEST(SaveQuestion, NamesWhatItIsAbout) {
  const std::string since = " since you retrieved it";
  const std::string lost = " will be lost unless you save them now by clicking on Yes.";
  for (auto [mode, name, shown] : {std::tuple{0, "", "the new vehicle"}, {1, "", "the dial-in entries"},
                                   {2, " ", "the throttle-stop entries"}, {0, "Mine", "Mine"}, {1, "Run 2", "Run 2"}})
    EXPECT_EQ(SaveChangesQuestion(int16_t(mode), name), std::string("Save your changes to ") + shown + " ?\r\r" +
                                                            "Changes you have made to " + shown +
                                                            (*shown == 't' ? "" : since) + lost);
}

}  // namespace
}  // namespace sw
