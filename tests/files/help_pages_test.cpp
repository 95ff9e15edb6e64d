#include "files/help_pages.h"

#include "files/file_fixture.h"

using namespace sw;

namespace {

struct HelpPagesTest : FileTest {
  void SetUp() override {
    FileTest::SetUp();
    ResetHelpValues();
  }
  void Write(const std::string& name, const std::string& bytes) { Put(App("QVZHELP/" + name), bytes); }
};

// The shipped help folder, as the program folder is seeded from it.
struct ShippedHelpTest : HelpPagesTest {
  void SetUp() override {
    HelpPagesTest::SetUp();
    SetProgramFolder(fs::path(SW_SOURCE_DIR) / "data");
  }
};

// The file each page of a spec-window topic reads, as LoadHelpText rewrites it.
std::string KeyOfPage(int topic, int menu, int page) {
  std::string stem;
  int last = 0;
  EXPECT_TRUE(LookUpHelpTopic(topic, menu, stem, last));
  std::string key = HelpPageKey(stem, page, menu), title, text;
  LoadHelpText(key, title, text, page, menu);
  return key;
}

}  // namespace

TEST_F(HelpPagesTest, TopicTableStemsAndLastPages) {
  struct Row {
    int topic;
    const char* stem;
    int last;
  } rows[] = {{100, "helpc", 1}, {200, "helpd", 2},  {300, "helpe", 2},  {400, "helps", 0},
              {500, "helpr", 0}, {560, "helpj", 1},  {570, "helpi", 2},  {580, "helpk", 2},
              {590, "helpsn", 0}, {600, "helpf", 0}, {700, "helph", 4},  {800, "helpg", 0},
              {900, "helpo", 2}, {1000, "helpm", 7}, {1100, "helpp", 0}};
  for (auto& r : rows) {
    std::string stem;
    int last = -1;
    ASSERT_TRUE(LookUpHelpTopic(r.topic, 3, stem, last)) << r.topic;
    EXPECT_EQ(stem, r.stem);
    EXPECT_EQ(last, r.last) << r.topic;
  }
  std::string stem = "unchanged";
  int last = 99;
  EXPECT_FALSE(LookUpHelpTopic(450, 1, stem, last));
  EXPECT_EQ(stem, "unchanged");
}

// Topic 550: the active menu's own pages first, then the three general ones
// (six pages with the engine menu, four with the vehicle menu).
TEST_F(HelpPagesTest, SpecTopicPagesFollowTheActiveMenu) {
  const char* keys[] = {"HELPI011.TXT", "HELPI012.TXT", "HELPI013.TXT", "HELPI1.TXT", "HELPI2.TXT", "HELPI3.TXT"};
  for (int p = 0; p < 6; ++p) EXPECT_EQ(KeyOfPage(550, 1, p), keys[p]) << p;
  EXPECT_EQ(HelpPageKey("helpi", 0, 1), "helpi-2.txt");  // negative page parts are written as they are
  for (auto [topic, menu, page, key] :
       {std::tuple{550, 2, 0, "HELPI021.TXT"}, {550, 2, 1, "HELPI022.TXT"}, {550, 2, 2, "HELPI1.TXT"},
        {550, 5, 4, "HELPI3.TXT"}, {550, 3, 0, "HELPI031.TXT"}, {550, 3, 1, "HELPI1.TXT"}, {550, 3, 3, "HELPI3.TXT"},
        {550, 9, 2, "HELPI093.TXT"}, {550, 8, 3, "HELPI1.TXT"}, {570, 6, 2, "HELPI2.TXT"} /* the same pages */,
        {1000, 1, 3, "HELPM3.TXT"}})
    EXPECT_EQ(KeyOfPage(topic, menu, page), key) << topic << " " << menu << " " << page;
  const int last[10] = {3, 5, 4, 3, 3, 4, 3, 3, 5, 5};  // last page for menus 0..9
  for (int m = 0; m <= 9; ++m) {
    std::string stem;
    int lastPage = 0;
    ASSERT_TRUE(LookUpHelpTopic(550, m, stem, lastPage));
    EXPECT_EQ(lastPage, last[m]) << "menu " << m;
  }
}

TEST_F(HelpPagesTest, ParagraphRulesOfAPageFile) {
  Write("helpx0.txt", "The Title\r\nFirst line\r\ngoes on\r\n \r\n \r\nNext paragraph\r\n   - an item\r\n   - another\r\n"
                      "\r\nafter empty\r\n");
  std::string key = "helpx0.txt", title, text;
  LoadHelpText(key, title, text, 0, 0);
  EXPECT_EQ(key, "HELPX0.TXT");
  EXPECT_EQ(title, "The Title");
  EXPECT_EQ(text, "First line goes on\r\r Next paragraph   - an item\r   - another\r after empty");
}

TEST_F(HelpPagesTest, MarkersNameTheActiveMenu) {
  Write("HELPI041.TXT", "** Specs page\r\nAbout the ** menu.\r\nSecond ** line.\r\nlast\r\n");
  Write("helpi1.txt", "General ** help\r\nThe ** window\r\n \r\n");
  HelpPageView v = BuildHelpPage(550, 0, 4);
  ASSERT_TRUE(v.known);
  EXPECT_EQ(v.caption, "Wheels/Tires Specs page");
  EXPECT_EQ(v.text, "About the Wheels/Tires Specs menu. Second Wheels/Tires Specs line. last");
  v = BuildHelpPage(550, 1, 4);
  EXPECT_EQ(v.caption, "General Wheels/Tires help");
  EXPECT_EQ(v.text, "The Wheels/Tires Specs window\r");
}

TEST_F(HelpPagesTest, MarkersOutsideTheSpecTopicStayMissingPagesAreEmpty) {
  Write("helpg0.txt", "Graph ** title\r\nText ** here\r\nmore\r\n");
  HelpPageView v = BuildHelpPage(800, 0, 1);
  EXPECT_EQ(v.caption, "Graph ** title");
  EXPECT_EQ(v.text, "Text ** here more");
  v = BuildHelpPage(400, 0, 0);
  EXPECT_TRUE(v.known);
  EXPECT_EQ(v.caption + v.text, "");
  HelpPageCount = 3;  // an unknown topic leaves the window alone
  EXPECT_FALSE(BuildHelpPage(1234, 0, 1).known);
  EXPECT_EQ(HelpPageCount, 3);
}

TEST_F(HelpPagesTest, PageButtonsStayInsideTheTopic) {
  Write("helpk0.txt", "Calculators\r\ntext\r\n");
  CalcMenuPages = "41-42";
  int16_t page = 0;
  HelpPageView v = BuildHelpPage(580, page, 0);
  EXPECT_EQ(v.caption, "Calculators (p 41-42 )");
  EXPECT_FALSE(v.previousEnabled);
  EXPECT_TRUE(v.nextEnabled);
  PreviousHelpPage(page);
  EXPECT_EQ(page, 0);
  NextHelpPage(page);
  NextHelpPage(page);
  NextHelpPage(page);
  EXPECT_EQ(page, 2);
  v = BuildHelpPage(580, page, 0);
  EXPECT_TRUE(v.previousEnabled);
  EXPECT_FALSE(v.nextEnabled);

  v = BuildHelpPage(500, 0, 0);  // a one-page topic
  EXPECT_FALSE(v.previousEnabled);
  EXPECT_FALSE(v.nextEnabled);
}

// Every page of every topic is shipped, has a title and a text, and no
// marker survives on any page of a spec window.
TEST_F(ShippedHelpTest, EveryTopicPageIsShipped) {
  int topics[] = {100, 200, 300, 400, 500, 550, 560, 570, 580, 590, 600, 700, 800, 900, 1000, 1100};
  for (int topic : topics) {
    for (int menu = 1; menu <= 9; ++menu) {
      int16_t page = 0;
      HelpPageView v = BuildHelpPage(topic, page, menu);
      ASSERT_TRUE(v.known);
      for (;;) {
        SCOPED_TRACE("topic " + std::to_string(topic) + " menu " + std::to_string(menu) + " page " +
                     std::to_string(page));
        EXPECT_FALSE(v.caption.empty());
        EXPECT_GT(v.text.size(), 40u);
        EXPECT_EQ(v.caption.find("**"), std::string::npos);
        EXPECT_EQ(v.text.find("**"), std::string::npos);
        // A list item starts a line of its own, never the end of a sentence.
        for (size_t at = v.text.find("   - "); at != std::string::npos; at = v.text.find("   - ", at + 1))
          EXPECT_TRUE(at == 0 || v.text[at - 1] == '\r') << v.text.substr(at > 40 ? at - 40 : 0, 60);
        if (!v.nextEnabled) break;
        NextHelpPage(page);
        v = BuildHelpPage(topic, page, menu);
      }
      if (topic != 550 && topic != 570) break;  // the other topics do not depend on the menu
    }
  }
}

TEST_F(ShippedHelpTest, SpecTopicPagesNameTheirMenu) {
  HelpPageView v = BuildHelpPage(550, 1, 4);  // the first general page
  EXPECT_EQ(v.caption, "Wheels/Tires Menu:  Entering Specs");
  EXPECT_NE(v.text.find("the Wheels/Tires Specs menu"), std::string::npos);
}
