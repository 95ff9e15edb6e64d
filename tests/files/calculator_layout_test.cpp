#include "files/calculator_layout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <tuple>
#include <set>

#include "platform/text.h"
#include "support/calculator_scene.h"

namespace sw::test {
namespace {

using Texts = std::vector<std::string>;

struct CalculatorLayoutTest : ::testing::Test {
  CalculatorScene scene;

  // Writes a layout under CALC/ (lines joined with CR LF) and reads it.
  bool ReadLayout(const Texts& lines, CalculatorForm& f, std::string& problem) {
    std::string bytes;
    for (const std::string& l : lines) bytes += l + "\r\n";
    std::ofstream(scene.File("CALC/test.CLC"), std::ios::binary) << bytes;
    return ReadCalculatorLayout(scene.File("CALC/test.CLC").string(), f, problem);
  }
  static Texts Lines(const std::string& bytes) {
    Texts out;
    for (size_t pos = 0; pos < bytes.size();) {
      size_t end = bytes.find("\r\n", pos);
      if (end == std::string::npos) end = bytes.size();
      out.push_back(bytes.substr(pos, end - pos));
      pos = end + 2;
    }
    return out;
  }
  static std::string Shipped(const std::string& name) {
    std::string bytes;
    ReadFileBytes(std::filesystem::path(SW_SOURCE_DIR) / "data" / name, bytes);
    return bytes;
  }
};

// A small layout: caption, result, limits, no note, two outputs, three rows.
Texts Small(const std::string& noteSwitch = "N", const std::string& firstEntry = "Yes") {
  return {"Caption", "Result", "10", "1", "0", noteSwitch, "2", "Out A", "Out B", "2", "1", "3", "0",
          " Frame ", "Row One", "300.001", "5", "cmbChoose", "2", firstEntry, "No", "Row Three", "9", "0"};
}

TEST_F(CalculatorLayoutTest, ShippedLayoutsWriteTheirSpecRow) {
  // The target spec row's record in its row file: caption, help, max, min.
  auto specRow = [](int menu, int r) {
    const Texts lines = Lines(Shipped("QVZHELP/help" + std::to_string(menu) + ".txt"));
    const size_t at = static_cast<size_t>(4 * r);
    return std::tuple{lines.at(at), Val(lines.at(at + 2)), Val(lines.at(at + 3))};
  };
  // Calculator, window caption, outputs, rows, manual pages, and the spec
  // row written (the relative humidity writes the dew point row, whose
  // caption follows the weather method).
  struct Case {
    int n;
    const char* caption;
    int outputs, rows;
    const char* pages;
    int menu, row;
  } cases[] = {
      {1, "Final Drive Ratio Calculator", 1, 5, "65-66", 3, 1},
      {2, "Weight Distribution Calculator", 1, 3, "66-67", 3, 5},
      {3, "Frontal Area Calculator", 1, 2, "67-68", 3, 10},
      {5, "Tire Diameter and Tread Width Calculator", 2, 7, "68-69", 4, 5},
      {6, "Horsepower Calculator", 3, 6, "62-65", 1, 4},
      {8, "Traction Factor Guide", 1, 1, "70", 4, 8},
      {9, "Tire Growth Guide", 1, 1, " ", 4, 9},
      {24, "Vehicle Weight Estimate", 1, 8, " ", 3, 0},
      {27, "Displacement Calculator", 1, 2, "", 1, 1},
      {50, "Dew Point Calculator", 1, 5, "71-72", 6, 3},
      {51, "Relative Humidity Calculator", 1, 5, "72-73", 6, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.n);
    CalcMenuPages = "?";
    CalculatorForm f = scene.Open(c.n);
    ASSERT_TRUE(scene.loaded);
    EXPECT_EQ(Texts({f.caption, CalcMenuPages}), Texts({c.caption, c.pages}));
    EXPECT_EQ(std::pair(f.outputCount, f.rowCount), std::pair(c.outputs, c.rows));
    for (int k = 1; k <= kCalcLastRow; ++k) EXPECT_EQ(f.Row(k).used, k <= c.rows) << k;
    // Every list opens with nothing chosen.
    for (int k = 1; k <= c.rows; ++k) EXPECT_TRUE(!f.Row(k).isList || f.Choice(k) == -1) << k;
    auto [caption, max, min] = specRow(c.menu, c.row);
    EXPECT_TRUE(f.resultName == caption || c.n == 51) << f.resultName;
    // The row holds a dew point (its file's limits) or a humidity (0..100 %).
    EXPECT_EQ(std::pair(f.resultMax, f.resultMin), std::pair(max, c.n == 51 ? std::max(min, 0.0) : min));
    EXPECT_EQ(SpecMenuOfCalculator(c.n), c.menu);
  }
  EXPECT_TRUE(scene.ui.boxes().empty());
  EXPECT_EQ(scene.Open(51).resultName, "Relative Humidity, %");

  // Entries offered back into a spec take that spec's limits.
  struct Offered {
    int n, k, menu, row;
  } offered[] = {{2, 1, 3, 0}, {6, 2, 3, 0}, {3, 1, 3, 8}, {6, 4, 1, 1}, {50, 2, 6, 2}, {51, 4, 6, 2}};
  for (const Offered& o : offered) {
    const CalculatorForm f = scene.Open(o.n);
    auto [caption, max, min] = specRow(o.menu, o.row);
    EXPECT_EQ(std::pair(f.Row(o.k).max, f.Row(o.k).min), std::pair(max, min)) << o.n << " row " << o.k;
  }
}

TEST_F(CalculatorLayoutTest, DamagedLayoutsAreRefusedWithTheirName) {
  struct Case {
    const char* what;
    int line;  // the line to replace
    const char* text;
    const char* problem;
  } cases[] = {
      {"a non-number limit", 2, "ten", "the result maximum is not a number"},
      {"four outputs", 6, "4", "the number of outputs is out of range"},
      {"no outputs", 6, "0", "the number of outputs is out of range"},
      {"three frames", 10, "3", "the number of frames is out of range"},
      {"eleven rows", 11, "11", "the rows of the first frame is out of range"},
      {"a height row that is not there", 9, "4", "the row that sets the height is not one of its rows"},
      {"a list without its count", 18, "two", "the number of list entries is not a number"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Texts lines = Small();
    lines[static_cast<size_t>(c.line)] = c.text;
    CalculatorForm f;
    std::string problem;
    EXPECT_FALSE(ReadLayout(lines, f, problem));
    EXPECT_EQ(problem, c.problem);
  }
  // Cut short anywhere: refused, never read past its end.
  const Texts full = Lines(Shipped("CALC/HPCURV.CLC"));
  for (size_t keep = 0; keep < full.size(); ++keep) {
    CalculatorForm f;
    std::string problem;
    EXPECT_FALSE(ReadLayout(Texts(full.begin(), full.begin() + static_cast<long>(keep)), f, problem)) << keep;
  }
  CalculatorForm f;
  std::string problem;
  EXPECT_TRUE(ReadLayout(full, f, problem)) << problem;

  // The window's load names the file and opens nothing.
  scene.Remove("CALC/wtdist.CLC");
  scene.Open(2);
  EXPECT_FALSE(scene.loaded);
  ASSERT_EQ(scene.ui.boxes().size(), 1u);
  EXPECT_EQ(scene.ui.boxes()[0].prompt, "The calculator layout file " + scene.File("CALC/wtdist.CLC").string() +
                                            " can not be used (it cannot be opened).  You may need to reinstall "
                                            "this program.");
  // A number without a calculator reads the extension alone, and keeps the
  // manual pages as they were.
  CalcMenuPages = "65-66";
  scene.Open(12);
  EXPECT_FALSE(scene.loaded);
  EXPECT_EQ(CalcMenuPages, "65-66");
  EXPECT_NE(scene.ui.boxes().back().prompt.find("/CALC/.CLC"), std::string::npos);
}

TEST_F(CalculatorLayoutTest, LayoutEdgeCases) {
  CalculatorForm f;
  std::string problem;
  ASSERT_TRUE(ReadLayout(Small("n", "yes"), f, problem)) << problem;
  // A lower-case n: no note. One frame: the second frame's rows are not read.
  EXPECT_FALSE(f.hasNote);
  EXPECT_EQ(f.frames, 1);
  EXPECT_EQ(f.rowCount, 3);
  // Only an exact "Yes" makes a Yes/No list.
  EXPECT_FALSE(f.Row(2).yesNo);
  EXPECT_EQ(f.Row(2).entries, Texts({"yes", "No"}));
  EXPECT_EQ(f.Row(2).caption, "Choose");
  EXPECT_EQ(Texts({Str(f.Row(1).max), Str(f.Row(3).min)}), Texts({" 300.001", " 0"}));
  ASSERT_TRUE(ReadLayout(Small("N", "Yes"), f, problem));
  EXPECT_TRUE(f.Row(2).yesNo);

  // The whole-number maximum reads whole in the message; the check uses
  // 300.001 itself.
  f.Row(1).text = "";
  EXPECT_TRUE(Type(f, 1, "300.001"));
  EXPECT_FALSE(Type(f, 1, "301"));
  EXPECT_EQ(scene.ui.boxes().back().prompt, "Row One = 301.  Value must be between  5 and  300 .");

  // Ten rows in two frames: none left to hide; the note reads its lines.
  Texts ten = {"C", "R", "1", "0", "0", "Y", " Note ", "4.4", "Some text", "1", "O", "10", "2", "6", "4", " A "};
  for (int k = 1; k <= 10; ++k) {
    if (k == 7) ten.push_back(" B ");
    for (const char* s : {"Row", "9", "0"}) ten.push_back(s);
  }
  ASSERT_TRUE(ReadLayout(ten, f, problem)) << problem;
  EXPECT_EQ(f.rowCount, 10);
  EXPECT_EQ(f.Row(10).frame, 2);
  EXPECT_EQ(Texts({f.noteCaption, f.note}), Texts({" Note ", "Some text"}));
  EXPECT_EQ(f.noteLines, 4);
}

TEST_F(CalculatorLayoutTest, WindowGeometry) {
  // Weight distribution: one output, three rows in one frame, no note.
  CalcGeometry g = LayOutCalculator(scene.Open(2));
  EXPECT_EQ(std::vector<int>({g.frame[0].top, g.frame[0].height, g.box[3].top, g.height, g.buttons[0].top}),
            std::vector<int>({640, 1480, 1720, 3220, 2245}));
  EXPECT_EQ(std::vector<int>({g.caption[1].width, g.caption[3].width, g.list[3].left}),
            std::vector<int>({2550, 1575, 1900}));
  // Horsepower: three outputs, two frames, a four-line note.
  g = LayOutCalculator(scene.Open(6));
  EXPECT_EQ(std::vector<int>({g.frame[0].top, g.frame[1].top, g.box[4].top, g.box[6].top, g.noteFrame.top,
                              g.noteFrame.height, g.buttons[3].top, g.height}),
            std::vector<int>({1120, 2680, 3100, 3820, 4320, 1330, 5790, 6860}));
  EXPECT_EQ(std::vector<int>({g.caption[5].width, g.list[5].left, g.list[5].width}),
            std::vector<int>({700, 1050, 2700}));
  // Lists that take more room, or the caption's place.
  struct Case {
    int n, captionWidth, listLeft, listWidth;
  } cases[] = {{1, 650, 950, 2700}, {7, 1250, 1600, 2130}, {8, 1575, 240, 3500}, {27, 2575, 2900, 800}};
  for (const Case& c : cases) {
    g = LayOutCalculator(scene.Open(c.n));
    EXPECT_EQ(std::vector<int>({g.caption[1].width, g.list[1].left, g.list[1].width}),
              std::vector<int>({c.captionWidth, c.listLeft, c.listWidth}))
        << c.n;
  }
}

TEST_F(CalculatorLayoutTest, ShippedHumidityTableMatchesThePsychrometerEquation) {
  std::optional<HumidityTable> t = ReadHumidityTable();
  ASSERT_TRUE(t);
  auto es = [](double c) { return 6.112 * std::exp(17.67 * c / (c + 243.5)); };
  const double depressions[kHumidityCols] = {0, 1, 2, 3, 4, 6, 8, 10, 12, 14, 16, 18, 20};
  double sum = 0;
  for (int r = 0; r < kHumidityRows; ++r) {
    for (int c = 0; c < kHumidityCols; ++c) {
      const double dry = 5.0 * r, wet = dry - depressions[c];
      const double e = es(wet) - 6.6e-4 * 1013.25 * (dry - wet) * (1 + 0.00115 * wet);
      const double rh = std::clamp(100 * e / es(dry), 0.0, 100.0);
      const double cell = (*t)[static_cast<size_t>(r)][static_cast<size_t>(c)];
      EXPECT_NEAR(cell, rh, 1.0) << r << "," << c;
      EXPECT_EQ(cell, std::floor(cell));
      sum += cell;
    }
    EXPECT_EQ((*t)[static_cast<size_t>(r)][0], 100);
  }
  EXPECT_EQ(std::vector<double>({(*t)[4][4], (*t)[6][7], (*t)[8][12], (*t)[0][5], sum}),
            std::vector<double>({66, 39, 13, 0, 4831}));
}

TEST_F(CalculatorLayoutTest, ShippedStockWeightTable) {
  const Texts lines = Lines(Shipped("TEXT/vehweight.txt"));
  ASSERT_GT(lines.size(), 8u + 7 * 100);
  ASSERT_EQ((lines.size() - 8) % 7, 0u);
  std::map<std::string, std::set<std::string>> models;  // make -> models
  std::map<std::string, std::string> makeOfModel;
  for (size_t r = 8; r < lines.size(); r += 7) {
    SCOPED_TRACE(lines[r + 1] + " " + lines[r + 2] + " " + lines[r + 3] + " " + lines[r]);
    const double y = Val(lines[r]);
    const double year = y < 40 ? 2000 + y : 1900 + y;
    EXPECT_TRUE(year >= 1955 && year <= 2001);
    for (int i : {0, 4, 5, 6}) EXPECT_TRUE(IsNumeric(lines[r + static_cast<size_t>(i)]));
    EXPECT_GE(Val(lines[r + 4]), 1500);
    EXPECT_LE(Val(lines[r + 4]), 5000);
    for (int i : {5, 6}) EXPECT_TRUE(Val(lines[r + static_cast<size_t>(i)]) == -1 || Val(lines[r + static_cast<size_t>(i)]) >= 0);
    for (int i : {1, 2, 3}) EXPECT_EQ(Trim(lines[r + static_cast<size_t>(i)]), lines[r + static_cast<size_t>(i)]);
    models[lines[r + 1]].insert(lines[r + 2]);
    auto [it, fresh] = makeOfModel.emplace(lines[r + 2], lines[r + 1]);
    EXPECT_EQ(it->second, lines[r + 1]) << "a model under two makes";
  }
  // The estimate finds a model by "contains": no model may hide inside
  // another of its make.
  for (const auto& [make, names] : models)
    for (const std::string& a : names)
      for (const std::string& b : names) EXPECT_FALSE(a != b && InStr(b, a) > 0) << make << ": " << a << " in " << b;
}

}  // namespace
}  // namespace sw::test
