// The Engine window's rules without widgets: the curve grid's entries, their
// completion and plot points; the method row's notices, states and RPM check.
#include <gtest/gtest.h>

#include <sstream>

#include "specs/engine_rules.h"
#include "specs/power_curve_rules.h"

using namespace sw;

namespace {

// The figure an entry completes in a point, as "column:text", "" for none.
std::string Completed(int column, double rpm, double torque, double hp) {
  auto done = CompleteCurvePoint(column, rpm, torque, hp);
  return done ? std::to_string(done->column) + ":" + done->text : "";
}

}  // namespace

TEST(PowerCurveEntry, NormalisedAndRangeTested) {
  struct Case {
    int column;
    const char* typed;
    const char* shown;
    const char* warning;  // "" accepted
  };
  const Case cases[] = {
      {kCurveRpm, "4500.4", "4500", ""},
      {kCurveRpm, "30000", "30000", ""},
      {kCurveRpm, "500", "500", ""},
      {kCurveRpm, "499", "499", "RPM = 499.  This value must be between 500 and 30000 ."},
      {kCurveRpm, "40000", "40000", "RPM = 40000.  This value must be between 500 and 30000 ."},
      {kCurveRpm, "abc", "0", "RPM = 0.  This value must be between 500 and 30000 ."},
      {kCurveTorque, "85.25", "85.25", ""},
      {kCurveTorque, "1", "1", ""},
      {kCurveTorque, "6000", "6000", ""},
      {kCurveTorque, "6000.6", "6001", "Torque = 6001.  This value must be between 1 and 6000 ."},
      {kCurveTorque, "99.6", "99.6", ""},
      {kCurveTorque, "100", "100", ""},
      {kCurveTorque, "100.4", "100", ""},
      {kCurveTorque, "100.6", "101", ""},
      {kCurveTorque, "abc", "0", "Torque = 0.  This value must be between 1 and 6000 ."},
      {kCurveHp, ".5", ".5", "HP = .5.  This value must be between 1 and 6000 ."},
      {kCurveHp, "0.50", ".5", "HP = .5.  This value must be between 1 and 6000 ."},
      {kCurveHp, "6000", "6000", ""},
      {kCurveHp, "350hp", "350", ""},
      {kCurveHp, "-20", "-20", "HP = -20.  This value must be between 1 and 6000 ."},
  };
  for (const Case& c : cases) {
    const std::string shown = NormaliseCurveEntry(c.column, c.typed);
    EXPECT_EQ(shown, c.shown) << c.typed;
    EXPECT_EQ(CurveEntryWarning(c.column, shown), c.warning) << c.typed;
  }
  EXPECT_EQ(std::string(CurveColumnRuleOf(kCurveTorque).help), "Enter torque in ft lbs for the power curve.");
  EXPECT_EQ(std::string(CurveColumnRuleOf(kCurveHp).help), "Enter horsepower (HP) for the power curve.");
}

TEST(PowerCurveEntry, CompletesThePointFromTwoFigures) {
  // RPM 4500 with torque 400: HP 342.73.
  EXPECT_EQ(Completed(kCurveRpm, 4500, 400, 0), "3:343");
  // Torque 85.25 at 1000 RPM: HP 16.23, one decimal below 100.
  EXPECT_EQ(Completed(kCurveTorque, 1000, 85.25, 0), "3:16.2");
  // HP 300 at 5000 RPM replaces the torque there (315.12); the RPM stays.
  EXPECT_EQ(Completed(kCurveHp, 5000, 250, 300), "2:315");
  // Torque and HP without an RPM give the RPM (4376.67), in either order.
  EXPECT_EQ(Completed(kCurveHp, 0, 420, 350), "1:4377");
  EXPECT_EQ(Completed(kCurveTorque, 0, 420, 350), "1:4377");
  // An RPM with only HP gives the torque; an RPM entry with all three
  // recomputes HP from the torque.
  EXPECT_EQ(Completed(kCurveRpm, 5000, 0, 300), "2:315");
  EXPECT_EQ(Completed(kCurveRpm, 5252, 400, 1), "3:400");
  // Alone in its point: nothing to complete, nothing divided by zero.
  for (int column : {kCurveRpm, kCurveTorque, kCurveHp}) EXPECT_EQ(Completed(column, 0, 0, 0), "");
  EXPECT_EQ(Completed(kCurveTorque, 0, 0, 350), "");
  EXPECT_EQ(Completed(kCurveRpm, 0, 0, 350), "");
}

TEST(PowerCurveEntry, ComputedFigures) {
  const std::pair<double, const char*> cases[] = {
      {16.232, "16.2"}, {16.0, "16"} /* no trailing point */, {0.095, ".1"}, {99.94, "99.9"},
      {342.73, "343"},  {4376.67, "4377"},                    {100, "100"}};
  for (auto [value, shown] : cases) EXPECT_EQ(FormatComputedCurveFigure(value), shown) << value;
}

TEST(PowerCurvePlot, PointsFromTheGrid) {
  auto points = [](const CurveGrid& grid) {
    std::vector<std::string> out;
    for (const CurvePlotPoint& p : PowerCurvePlotPoints(grid)) {
      std::ostringstream s;
      s << p.rpm << "/" << p.torque << "/" << p.hp;
      out.push_back(s.str());
    }
    return out;
  };
  using Texts = std::vector<std::string>;
  // Three rows in no order: the extra point beyond 6000, then 6000, 4500,
  // 3000, and the 3000 row for the seven rows left.
  CurveGrid grid{};
  grid[0] = {3000, 300, 171};
  grid[1] = {6000, 250, 286};
  grid[2] = {4500, 310, 266};
  Texts expected{"6100/167.5/191.62", "6000/250/286", "4500/310/266"};
  expected.resize(11, "3000/300/171");
  EXPECT_EQ(points(grid), expected);

  // The bracket car's dyno sheet, 3000 to 7000 in 500s, row 9 empty: point
  // 1 beyond the top, points 2-10 from 7000 down, the 3000 row last.
  const double sheet[9][3] = {{3000, 440, 251}, {3500, 465, 310}, {4000, 480, 366}, {4500, 485, 416}, {5000, 475, 452},
                              {5500, 455, 476}, {6000, 425, 486}, {6500, 385, 476}, {7000, 340, 453}};
  grid = {};
  for (int i = 0; i < 9; ++i) grid[i] = {sheet[i][0], sheet[i][1], sheet[i][2]};
  expected = {"7100/227.8/303.51", "7000/340/453", "6500/385/476", "6000/425/486", "5500/455/476", "5000/475/452",
              "4500/485/416", "4000/480/366", "3500/465/310", "3000/440/251", "3000/440/251"};
  EXPECT_EQ(points(grid), expected);

  // An empty grid: eleven points at 100 RPM.
  EXPECT_EQ(points(CurveGrid{}), Texts(11, "100/0/0"));

  // No torque: drawn as point 1. No HP: never the top end, still drawn.
  // Equal RPMs: both, the lower row first.
  grid = {};
  grid[0] = {4000, 0, 300};
  grid[1] = {7000, 350, 0};
  grid[2] = {5000, 400, 381};
  grid[3] = {5000, 410, 390};
  expected = {"5100/268/255.27", "7000/350/0", "5000/400/381", "5000/410/390"};
  expected.resize(11, "5100/268/255.27");
  EXPECT_EQ(points(grid), expected);
}

TEST(EngineMethod, RowStatesAndTheLinkedExample) {
  struct Case {
    int pick;
    const char* marker;
    bool torque, hp, curve;
  };
  const Case cases[] = {
      {0, "", false, true, false}, {1, "", true, true, false},   {2, "", false, false, true},
      {3, "", true, true, false},  {-1, "", true, true, false},  {4, "0", false, true, false},
      {4, "1", true, true, false}, {4, "2", false, false, true}, {4, "2.7", false, false, true},
      {4, "", false, true, false}};
  for (const Case& c : cases) {
    const EngineRowStates s = EngineRowStatesFor(EffectiveEngineMethod(c.pick, c.marker));
    EXPECT_EQ(s.peakTorque, c.torque) << c.pick << " " << c.marker;
    EXPECT_EQ(s.peakHp, c.hp) << c.pick << " " << c.marker;
    EXPECT_EQ(s.curve, c.curve) << c.pick << " " << c.marker;
  }
}

TEST(EngineMethod, LeftOverNotices) {
  using N = LeftOverNotice;
  struct Case {
    int previous, now;
    const char* marker;
    N notice;
  };
  const Case cases[] = {
      {2, 1, "", N::CurveToPeaks}, {2, 0, "", N::CurveToPeaks}, {4, 1, "2", N::CurveToPeaks},
      {0, 2, "", N::PeaksToCurve}, {1, 2, "", N::PeaksToCurve}, {-1, 2, "", N::PeaksToCurve},
      {4, 2, "1", N::PeaksToCurve}, {4, 2, "0", N::PeaksToCurve},
      {0, 1, "", N::None},         {1, 0, "", N::None},         {4, 1, "1", N::None},
      {2, 3, "", N::None},         {2, 4, "", N::None},         {4, 2, "2", N::None}};
  for (const Case& c : cases)
    EXPECT_EQ(LeftOverNoticeFor(c.previous, c.now, c.marker), c.notice) << c.previous << "->" << c.now;

  EXPECT_EQ(LeftOverNoticeText(N::CurveToPeaks, 1),
            "The Torque and HP specs which will now be activated are not related to the Full Power Curve which will "
            "now be deactivated.  They are simply 'left over' from the last time these specs were set.");
  EXPECT_EQ(LeftOverNoticeText(N::CurveToPeaks, 0),
            "The HP specs which will now be activated are not related to the Full Power Curve which will now be "
            "deactivated.  They are simply 'left over' from the last time these specs were set.");
  EXPECT_EQ(LeftOverNoticeText(N::PeaksToCurve, 2),
            "The Full Power Curve specs which will now be activated are not related to the Peak Torque and Peak HP "
            "specs which will now be deactivated.  They are simply 'left over' from the last time these specs were "
            "set.");
}

TEST(EngineMethod, PeakRpmCheck) {
  // Peak torque and peak HP, typed or from a linked example of that method.
  EXPECT_TRUE(PeakRpmCheckApplies("1", ""));
  EXPECT_TRUE(PeakRpmCheckApplies(" 1", ""));
  EXPECT_TRUE(PeakRpmCheckApplies("4", "1"));
  for (auto [method, marker] : {std::pair{"0", ""}, {"2", ""}, {"4", "2"}, {"4", "0"}, {"", ""}, {"3", "1"}})
    EXPECT_FALSE(PeakRpmCheckApplies(method, marker)) << method << " " << marker;
  EXPECT_TRUE(PeakRpmImpossible("5501", "5500"));
  EXPECT_FALSE(PeakRpmImpossible("5500", "5500"));
  EXPECT_FALSE(PeakRpmImpossible("4000", "5500"));
  // Without a linked example "Clear" asks only the first line.
  EXPECT_EQ(EraseCurveQuestion(false, "Ex Eng: 350 SBC"), "Erase all RPM, Torque and HP entries?");
}
