// Find Best: the trials it runs, when it stops, what it offers and what it
// leaves behind, with a made-up ET and with the real calculation.
#include <cmath>

#include "match/match_test_support.h"

namespace sw::test {
namespace {

struct FindBestTest : SearchTest {
  std::vector<std::string> ran;  // the stepped spec of each trial
  void SetUp() override {
    SearchTest::SetUp();
    Load(kMuscleCar);
  }
  // ET as a function of the stepped value.
  void Et(std::function<double(double)> et) {
    fake = [this, et](int) {
      FakeRun r;
      const std::string& spec = tbl.FindBestTarget == 1 ? S(kTransmission, 5) : S(kVehicle, 1);
      ran.push_back(spec);
      r.et = et(Val(spec));
      return r;
    };
  }
  FindBestEnd Run(int offer) {
    ui->Answer(ans::Yes);
    ui->Answer(offer);
    SpecSearch s = Search();
    return s.FindBest();
  }
  const std::string& BoxText(size_t i) { return ui->boxes().at(i).prompt; }
};

const auto kParabola = [](double r) { return 12 + (r - 3.5) * (r - 3.5); };

TEST_F(FindBestTest, StopsOnceTheEtHasClearlyPassedItsBestAndOffersIt) {
  Et(kParabola);
  EXPECT_EQ(Run(ans::No), FindBestEnd::Declined);
  ASSERT_EQ(ran.size(), 24u) << "trial 24, at 4.3, is 5 % slower than the best";
  EXPECT_EQ(ran[0] + " " + ran[1] + " " + ran[23], "2 2.1 4.3");
  ASSERT_EQ(ui->boxes().size(), 2u);
  EXPECT_EQ(ui->boxes()[0].title, "Look For Optimum Setting");
  EXPECT_EQ(BoxText(0),
            "The program will look for a setting which gives the quickest ET WITH THE CURRENT CONDITIONS.  For "
            "accurate results, be sure the current conditions are accurate BEFORE using this feature.  This "
            "especially includes the power curve and the shape of the power curve AFTER the HP peak, and available "
            "tire traction.\r\rAre these specs accurate now?");
  EXPECT_EQ(ui->boxes()[0].style, mb::YesNo + mb::Question);
  EXPECT_EQ(ui->boxes()[1].title, "Found Quickest Rear Axle Ratio");
  EXPECT_EQ(BoxText(1),
            "The quickest ET obtained is:\r\r    12.00 seconds\r\rWith a Rear Axle Ratio of:\r\r    3.5\r\r"
            "Do you want to replace the current Rear Axle Ratio of 4.1 with this Rear Axle Ratio?");
  EXPECT_EQ(S(kVehicle, 1), "4.1") << "No puts the saved 4.10 back as a plain number";
  EXPECT_EQ(tbl.CalcStatus, 0);
  EXPECT_FALSE(tbl.CalcRunning);
  // Yes keeps the quickest setting.
  ui->Clear();
  fst.SpecsChanged = 0;
  EXPECT_EQ(Run(ans::Yes), FindBestEnd::Kept);
  EXPECT_EQ(S(kVehicle, 1), "3.5");
  EXPECT_EQ(BoxText(2), "Rear Axle Ratio in Body/Axle Specs menu set to 3.5");
  EXPECT_EQ(text, "");  // the caller's own text is not the search's
  EXPECT_EQ(fst.SpecsChanged, 1);
}

TEST_F(FindBestTest, ATieKeepsTheSmallerSetting) {
  Et([](double r) { return r < 3.45 ? 12 + (3.5 - r) : r < 3.65 ? 12 : 12 + 10 * (r - 3.6); });
  Run(ans::Yes);
  EXPECT_EQ(S(kVehicle, 1), "3.5");
}

TEST_F(FindBestTest, ConverterSearchStepsByFive) {
  ResetTables();
  Load(kBracketCar);
  tbl.FindBestTarget = 1;
  S(kTransmission, 22) = "Example converter";
  S(kTransmission, 23) = "1";
  Et([](double c) { return 12 + std::pow((c - 200) / 50, 2); });
  EXPECT_EQ(Run(ans::Yes), FindBestEnd::Kept);
  EXPECT_EQ(ran[0] + " " + ran[1], "50 55.0");
  // The example's tag goes with the changed capacity.
  EXPECT_EQ(S(kTransmission, 0) + "|" + S(kTransmission, 5) + "|" + S(kTransmission, 22) + "|" + S(kTransmission, 23),
            "3|200.0||");
  EXPECT_EQ(ui->boxes()[1].title, "Found Quickest Converter Capacity");
  EXPECT_EQ(BoxText(2), "Converter Capacity in Transmission Specs menu set to 200.0");
}

TEST_F(FindBestTest, NoAtTheQuestionRunsNothing) {
  Et(kParabola);
  ui->Answer(ans::No);
  SpecSearch s = Search();
  EXPECT_EQ(s.FindBest(), FindBestEnd::NotStarted);
  EXPECT_TRUE(ran.empty());
  EXPECT_EQ(S(kVehicle, 1), "4.10");
}

TEST_F(FindBestTest, EndsAfterHundredTrials) {
  Et([](double r) { return 20 - r; });  // quicker with every step
  Run(ans::No);
  EXPECT_EQ(ran.size(), 100u);
  EXPECT_NE(BoxText(1).find("    8.10 seconds"), std::string::npos) << BoxText(1);
  EXPECT_NE(BoxText(1).find("    11.9\r"), std::string::npos) << "trial 100 ran at 11.9";
}

TEST_F(FindBestTest, NoTrialFinishedOffersNothing) {
  fake = [](int) { return FakeRun{.finishRow = -1}; };
  EXPECT_EQ(Run(ans::Yes), FindBestEnd::NoFinish);
  EXPECT_EQ(calculations, 100);
  ASSERT_EQ(ui->boxes().size(), 2u);
  EXPECT_EQ(BoxText(1), "No setting reached the finish line; the Rear Axle Ratio is unchanged.");
  EXPECT_EQ(S(kVehicle, 1), "4.10");
}

TEST_F(FindBestTest, CancelOrARefusedRunAbandons) {
  struct Case {
    const char* what;
    std::function<void()> atThirdTrial;
    int finishRow;
  };
  const Case cases[] = {
      {"cancel", [] { tbl.AbortCalc = 1; }, 10},
      {"refused specs", [] { tbl.StopAfterPrep = 1; }, 10},
      {"a run that ended early", [] {}, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ResetTables();
    Load(kMuscleCar);
    ui->Clear();
    const auto before = tbl.SpecText;
    fake = [&c](int n) {
      FakeRun r;
      r.et = 12 - n * 0.01;
      if (n == 3) {
        c.atThirdTrial();
        r.finishRow = c.finishRow;
      }
      return r;
    };
    calculations = 0;
    EXPECT_EQ(Run(ans::Yes), FindBestEnd::Abandoned);
    EXPECT_EQ(calculations, 3);
    EXPECT_EQ(ui->boxes().size(), 1u) << "no message";
    auto expected = before;
    expected[static_cast<size_t>(tbl.SpecMenuStart[kVehicle] + 1)] = "4.1";
    EXPECT_EQ(tbl.SpecText, expected);
    EXPECT_EQ(tbl.CalcStatus, 0);
    tbl.StopAfterPrep = 0;
  }
}

TEST_F(FindBestTest, OtherSpecsComeBackAndRunMessagesShowOnce) {
  const auto before = tbl.SpecText;
  fake = [this](int n) {
    FakeRun r;
    r.et = kParabola(Spec(kVehicle, 1));
    MsgBox("warning " + Str(n), mb::YesNo + mb::Question, "Possible Problem with Inputs");
    if (n == 2) {
      S(kTransmission, 0) = "0";  // a small clutch swapped for an estimate
      tbl.CalcStatus = -1;
    }
    return r;
  };
  EXPECT_EQ(Run(ans::Yes), FindBestEnd::Kept);
  EXPECT_EQ(calculations, 24) << "the swapped-clutch trial went on as a trial";
  ASSERT_EQ(ui->boxes().size(), 4u);
  EXPECT_EQ(BoxText(1), "warning  1");
  auto expected = before;
  expected[static_cast<size_t>(tbl.SpecMenuStart[kVehicle] + 1)] = "3.5";
  EXPECT_EQ(tbl.SpecText, expected);
}

// --- the real calculation

struct FindBestOnCars : FindBestTest {
  std::vector<int> finishRows;
  SpecSearch Real() {
    return SpecSearch([this](double& s, int& f, double& t) {
      CalculatePerformance(s, f, t);
      finishRows.push_back(f);
    });
  }
  std::string Best(int16_t calcMode) {
    ui->Clear();
    ui->Answer(ans::Yes);
    ui->Answer(ans::No);
    tbl.CalcMode = calcMode;
    SpecSearch s = Real();
    s.FindBest();
    return s.BestValue() + " " + Format(s.BestEt(), "0.000");
  }
};

TEST_F(FindBestOnCars, BracketConverterSearchEndsAtTheFirstTooLooseTrial) {
  ResetTables();
  Load(kBracketCar);
  tbl.FindBestTarget = 1;
  ui->Answer(ans::Yes);
  ui->Answer(ans::No);
  SpecSearch s = Real();
  EXPECT_EQ(s.FindBest(), FindBestEnd::Declined);
  ASSERT_GE(finishRows.size(), 3u);
  EXPECT_EQ(finishRows.back(), -1) << "too loose";
  EXPECT_GT(finishRows[finishRows.size() - 2], 5) << "the trial before finished";
  EXPECT_EQ(ui->boxes().size(), 2u) << "no converter message, only the question and the offer";
  EXPECT_EQ(S(kTransmission, 5), "180");
}

TEST_F(FindBestOnCars, AStaleThrottleStopModeChangesNothing) {
  const std::string normal = Best(0);
  EXPECT_NE(normal.find("."), std::string::npos) << normal;
  EXPECT_EQ(Best(2), normal);
  EXPECT_EQ(tbl.CalcMode, 0);
}

TEST_F(FindBestOnCars, SmallClutchCarEndsWithOnlyTheAxleChanged) {
  S(kTransmission, 2) = "300";  // clamp force far too low for 500 ft lbs
  tbl.CalcStatus = 0;
  Quiet();
  ASSERT_NE(ui->boxes().size(), 0u) << "a plain calculation warns of the small clutch";
  ui->Clear();
  ResetInputCheckMemory();
  const auto before = tbl.SpecText;
  ui->Answer(ans::Yes);
  ui->Answer(ans::Yes);
  SpecSearch s = Real();
  EXPECT_EQ(s.FindBest(), FindBestEnd::Kept);
  auto expected = before;
  expected[static_cast<size_t>(tbl.SpecMenuStart[kVehicle] + 1)] = s.BestValue();
  EXPECT_EQ(tbl.SpecText, expected);
}

}  // namespace
}  // namespace sw::test
