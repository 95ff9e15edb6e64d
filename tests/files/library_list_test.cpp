#include "files/library_list.h"

#include "files/file_fixture.h"

using namespace sw;

namespace {

LibraryFile File(const std::string& name, int y, int m, int d) {
  LibraryFile f;
  f.name = name;
  f.changed.tm_year = y - 1900;
  f.changed.tm_mon = m - 1;
  f.changed.tm_mday = d;
  return f;
}

using LibraryFolder = FileTest;

// A preview buffer with the given rows filled.
std::vector<std::string> Alt(std::initializer_list<std::pair<int, const char*>> rows) {
  std::vector<std::string> alt(231);
  for (auto [k, v] : rows) alt[k] = v;
  return alt;
}

}  // namespace

TEST(LibraryList, KindAndFolderFollowTheCalculationMode) {
  EXPECT_EQ(RetrieveKind(0, 0).kind, "Vehicle");
  EXPECT_EQ(RetrieveKind(0, 0).folder, "VEHDAT");
  EXPECT_EQ(RetrieveKind(0, 1).kind, "Ex. Vehicle");
  EXPECT_EQ(RetrieveKind(0, 1).folder, "XVehicleData");
  EXPECT_EQ(RetrieveKind(1, 1).folder, "DIALIN");
  EXPECT_EQ(RetrieveKind(2, 0).kind, "Throttle Stop");
  EXPECT_EQ(LibraryCategories().size(), 10u);
  EXPECT_EQ(LibraryCategories()[0], "Show All Files");
}

// By date: 1 Sep 2005 has the key 35361 and is listed above 31 Aug 2005 (35351).
TEST(LibraryList, ByDateNewestFirst) {
  EXPECT_EQ(DateKey(2005, 9, 1), 35361);
  EXPECT_EQ(DateKey(2005, 8, 31), 35351);
  EXPECT_LT(DateKey(2005, 1, 31), DateKey(2005, 2, 1));
  std::vector<LibraryFile> files = {File("Old Ford", 2005, 8, 31), File("New Ford", 2005, 9, 1),
                                    File("Chev Nova", 2012, 12, 25)};
  LibraryListing l = FillLibraryList(files, "Show All Files", true, "Vehicle");
  ASSERT_TRUE(l.listShown);
  EXPECT_EQ(l.rows, (std::vector<std::string>{"12/25/2012   Chev Nova", "9/1/2005   New Ford", "8/31/2005   Old Ford"}));
  EXPECT_EQ(l.countCaption, " 3 Vehicles in Library");
  EXPECT_EQ(ChosenNameFromRow(l.rows[0]), "Chev Nova");
}

TEST(LibraryList, PhraseFiltersWithoutRegardToCase) {
  std::vector<LibraryFile> files = {File("69 Mustang Mach 1 FORD", 2000, 1, 1), File("Chev Camaro", 2000, 1, 1),
                                    File("my ford ranger", 2000, 1, 1)};
  LibraryListing l = FillLibraryList(files, "Ford", false, "Vehicle");
  EXPECT_EQ(l.phrase, "FORD");
  ASSERT_TRUE(l.listShown);
  EXPECT_EQ(l.rows, (std::vector<std::string>{"69 Mustang Mach 1 FORD", "my ford ranger"}));
  EXPECT_EQ(l.countCaption, " 3 Vehicles in Library");  // the count is of the whole folder

  l = FillLibraryList(files, "show all files", false, "Vehicle");
  EXPECT_EQ(l.phrase, "");
  EXPECT_FALSE(l.listShown);  // the plain file list shows every file
}

TEST(LibraryList, NameFromARow) {
  EXPECT_EQ(ChosenNameFromRow("Some Name"), "Some Name");
  EXPECT_EQ(ChosenNameFromRow("9/1/2005   Name   With  Blanks "), "Name   With  Blanks");
  EXPECT_EQ(RetrieveTipCaption("Vehicle"),
            "Tip: Single click on a Vehicle name to 'choose it' for possible Opening or Deleting. A 'preview' of that "
            "Vehicle will be given in this frame.  Double click on a Vehicle name to immediately Open it without a "
            "preview.");
  EXPECT_EQ(ChosenFileCaption("Dial In", "Run 3"), "Chosen Dial In File: Run 3");
}

TEST_F(LibraryFolder, ListingSkipsSubFoldersAndHiddenFiles) {
  Touch(App("beta"), 2005, 9, 1, "x");
  Touch(App("Alpha"), 2005, 8, 31, "x");
  Touch(App(".hidden"), 2005, 8, 31, "x");
  Touch(App("CAR.00998cad5c5b.tmp"), 2005, 8, 31, "x");  // what a killed save left
  fs::create_directories(App("SUB"));
  const auto files = ListLibraryFolder(App());
  ASSERT_EQ(files.size(), 2u);
  EXPECT_EQ(files[0].name, "Alpha");
  EXPECT_EQ(files[1].name, "beta");
  const std::tm& t = files[1].changed;
  EXPECT_EQ((std::vector<int>{t.tm_year + 1900, t.tm_mon + 1, t.tm_mday}), (std::vector<int>{2005, 9, 1}));
  EXPECT_TRUE(ListLibraryFolder(App("missing")).empty());
}

TEST(LibraryList, OldExampleNamesAreFoundInAnyCase) {
  EXPECT_FALSE(HoldsOldExamples({File("MY-CAR", 2000, 1, 1)}));
  EXPECT_TRUE(HoldsOldExamples({File("MY-CAR", 2000, 1, 1), File("89-iroc", 1998, 3, 16)}));
  std::string note = OldExamplesNote();
  EXPECT_EQ(note.substr(0, 70), "It appears you have updated an older Stagewell to Version 3.2.  Versio");
  EXPECT_NE(note.find("Saved Vehicles.\rNote:  All earlier"), std::string::npos);
}

TEST(LibraryPreview, VehicleWithPeakFigures) {
  auto alt = Alt({{0, " 1"}, {1, "396"}, {4, "375"}, {5, "5600"}, {15, " 1"}, {24, "2.52"}, {25, "1.88"}, {26, "1.46"},
                  {27, "1"}, {45, "3900"}, {46, "3.73"}, {49, " 0"}, {55, "21.5"}, {56, ".47"}});
  std::string l1, l3;
  BuildPreview(0, alt, false, l1, l3);
  EXPECT_EQ(l1, "Preview: \r\rCID: 396\r375 HP @ 5600\r    Pk Tq && HP\r4 Speed\rManl Trans");
  EXPECT_EQ(l3, "Wt: 3900\rAxle Ratio: 3.73\r\rRear Whl Drv\rFrnt Area: 21.5\rDrag Coef: .47");
}

TEST(LibraryPreview, VehicleWithFullCurveAndConverter) {
  auto alt = Alt({{0, " 2"}, {1, "383"}, {15, " 3"}, {49, " 3"}});
  for (int i = 0; i < 6; ++i) {
    alt[188 + 3 * i] = std::to_string(3000 + 500 * i);
    alt[190 + 3 * i] = std::to_string(i == 4 ? 450 : i == 5 ? 450 : 300 + 20 * i);
  }
  for (int k = 24; k <= 29; ++k) alt[k] = "1.5";
  std::string l1, l3;
  BuildPreview(0, alt, false, l1, l3);
  EXPECT_EQ(l1, "Preview: \r\rCID: 383\r450 HP @ 5000\r    full curve\r6 Speed\rAuto Trans");
  EXPECT_NE(l3.find("\rMotorcycle\r"), std::string::npos);

  alt[15] = " 5";  // an example clutch or converter: a converter only with marker 2
  alt[38] = "1";
  BuildPreview(0, alt, false, l1, l3);
  EXPECT_NE(l1.find("Manl Trans"), std::string::npos);
  alt[38] = "2";
  BuildPreview(0, alt, false, l1, l3);
  EXPECT_NE(l1.find("Auto Trans"), std::string::npos);

  alt[0] = " 4";  // an engine from the examples that uses a full curve
  alt[14] = "2";
  alt[4] = "1";
  BuildPreview(0, alt, false, l1, l3);
  EXPECT_NE(l1.find("450 HP @ 5000\r    full curve"), std::string::npos);
}

TEST(LibraryPreview, VersionTwoVehicle) {
  auto alt = Alt({{5, "320"}, {6, "5200"}, {14, "C"}, {20, "2.2"}, {21, "1.6"}, {22, "1.0"}, {27, "F"}, {28, "2900"},
                  {35, "3.42"}, {37, "19"}, {38, ".4"}});
  std::string l1, l3;
  BuildPreview(0, alt, true, l1, l3);
  EXPECT_EQ(l1, "Preview:  (v2)\r\rCID: na\r320 HP @ 5200\r    Pk HP\r3 Speed\rManl Trans");
  EXPECT_EQ(l3, "Wt: 2900\rAxle Ratio: 3.42\r\rFrnt Whl Drv\rFrnt Area: 19\rDrag Coef: .4");
}

TEST(LibraryPreview, DialInAndThrottleStop) {
  auto alt = Alt({{160, "29.92"}, {161, "75"}, {167, "1.62"}, {168, "11.45"}, {169, "29.80"}, {170, "88"}});
  std::string l1, l3 = "x";
  BuildPreview(1, alt, false, l1, l3);
  EXPECT_EQ(l1,
            "Preview: \rPrevious Run: \r   Baro: 29.92\r   Temp: 75\r   60 ft: 1.62\r   ET: 11.45\r\rPredicted Run: \r"
            "   Baro: 29.80\r   Temp: 88");
  EXPECT_EQ(l3, "");
  alt[127] = "29.5";
  alt[135] = "10.9";
  alt[153] = "1.2";
  BuildPreview(2, alt, false, l1, l3);
  EXPECT_EQ(l1,
            "Preview: \rPrvs Run 1: \r   Baro: 29.5\r   Temp: \r   T/S: \r   ET: 10.9\r\rPrvs Run 2: \r   Baro: \r"
            "   Temp: \r   T/S: 1.2\r   ET: ");
}
