#include "files/text_screens.h"

#include "files/file_fixture.h"

using namespace sw;

namespace {

struct TextScreensTest : FileTest {
  void WriteLines(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += "line " + std::to_string(i) + "\r\n";
    Put(App("TEXT/WARNING.TXT"), text);
  }
};

}  // namespace

TEST_F(TextScreensTest, WarningScreenLayout) {
  TextScreenLayout l;
  ASSERT_TRUE(TextScreenFor(1, l));
  EXPECT_EQ(l.stem, "WARNING");
  TextScreenGeometry g = TextScreenSize(l);
  EXPECT_EQ(g.top, 600);
  EXPECT_EQ(g.labelHeight, 3040);
  EXPECT_EQ(g.buttonTop, 3285);
  EXPECT_EQ(g.height, 4225);
  EXPECT_FALSE(TextScreenFor(2, l));
}

TEST_F(TextScreensTest, NineteenLinesCaptionFromLineZeroTextFromTwoToEighteen) {
  WriteLines(19);
  std::string caption, text;
  LoadTextScreen(1, caption, text);
  EXPECT_EQ(caption, "line 0");
  std::string expected;
  for (int i = 2; i <= 18; ++i) expected += "line " + std::to_string(i) + "\r\n";
  EXPECT_EQ(text, expected);
  EXPECT_EQ(tbl.TextScreenLines[1], "line 1");  // read, not shown
}

TEST_F(TextScreensTest, LinesAfterTheNineteenthAreNotRead) {
  WriteLines(25);
  tbl.TextScreenLines[19] = "old 19";
  std::string caption, text;
  LoadTextScreen(1, caption, text);
  EXPECT_EQ(text.find("line 19"), std::string::npos);
  EXPECT_NE(text.find("line 18\r\n"), std::string::npos);
  EXPECT_EQ(tbl.TextScreenLines[19], "old 19");
}

TEST_F(TextScreensTest, MissingOrShortFileShowsWhatTheLinesHeldBefore) {
  for (int i = 0; i <= 18; ++i) tbl.TextScreenLines[static_cast<size_t>(i)] = "old " + std::to_string(i);
  std::string caption = "x", text = "x";
  LoadTextScreen(1, caption, text);
  EXPECT_EQ(caption, "old 0");
  EXPECT_EQ(text.substr(0, 14), "old 2\r\nold 3\r\n");
  EXPECT_EQ(text.size(), 8u * 5 + 9 * 6 + 17 * 2);  // "old 2".."old 18", each with CR LF

  WriteLines(5);
  LoadTextScreen(1, caption, text);
  EXPECT_EQ(caption, "line 0");
  EXPECT_EQ(text.substr(0, 24), "line 2\r\nline 3\r\nline 4\r\n");
  EXPECT_EQ(text.substr(24, 7), "old 5\r\n");
}

TEST_F(TextScreensTest, ShippedWarningScreenHasItsNineteenLines) {
  SetProgramFolder(std::filesystem::path(SW_SOURCE_DIR) / "data");
  std::string caption, text;
  LoadTextScreen(1, caption, text);
  EXPECT_EQ(caption, "Stagewell v3.2  -  Please Read");
  int lines = 0;
  for (size_t p = 0; (p = text.find("\r\n", p)) != std::string::npos; p += 2) ++lines;
  EXPECT_EQ(lines, 17);
  EXPECT_NE(text.find("Drag racing is dangerous."), std::string::npos);
}

TEST(DecimalSymbol, CommaIsFound) {
  EXPECT_TRUE(DecimalSymbolIsComma("2,333"));
  EXPECT_FALSE(DecimalSymbolIsComma("2.333"));
}
