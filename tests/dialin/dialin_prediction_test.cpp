// The dial-in and throttle-stop prediction: the worked figures from given
// calculated times, the checks on the entries with their exact messages,
// and real runs of the muscle car with the weather of each run.
#include "dialin/dialin_prediction.h"

#include <gtest/gtest.h>

#include <map>

#include "dialin/dialin_state.h"
#include "simulation/run_test_support.h"

namespace sw::test {
namespace {

const std::string kCr(1, CR);

// Entries as the window hands them over: every row of the mode shown, the
// weather as a racer enters it, and the rows the weather method, the 60 ft
// choice and a calm day grey left out of the checks.
struct Entries {
  DialInEntries e;
  explicit Entries(int mode, bool oneRun = false) {
    e.mode = mode;
    e.oneRun = oneRun;
    const char* captions[9] = {"Corr. Baro., \"Hg", "Air Temp, deg F", "Dew Point, deg F", "Elevation, feet",
                               "Wind MPH", "Wind Direction", "Throttle Stop", "60 foot, sec", "ET, sec"};
    for (int j = 0; j < 9; ++j) e.caption[j] = e.caption[20 + j] = captions[j];
    for (int j = 0; j < 4; ++j) e.caption[9 + j] = captions[j];
    e.caption[13] = "Wind MPH";
    e.caption[14] = "Wind Direction";
    e.caption[15] = "60 Foot Time";
    e.caption[16] = "60 ft, sec";
    e.caption[18] = "Method of Reading Weather Data";
    e.caption[19] = "Index, sec";
    e.caption[29] = "T/S Start Time";
    e.caption[30] = "Safety Margin, sec";
    e.pick.fill(-1);
    for (int b : {0, 9, 20}) {
      T(b, "29.92");
      T(b + 1, "70");
      T(b + 2, "50");
      T(b + 3, "0");
      e.pick[b + 5] = 0;  // no wind
    }
    e.pick[15] = 0;  // the 60 ft time computed
    e.pick[18] = 1;  // corrected barometer, dew point
    T(30, ".02");
  }
  Entries& T(int row, const std::string& text) {
    e.text[row] = text;
    return *this;
  }
  // What the window shows and enables.
  DialInEntries Shown() const {
    DialInEntries s = e;
    const bool ts = s.mode == 2, one = ts && s.oneRun;
    for (int r = 0; r < kDialInRowCount; ++r) {
      bool shown = r <= 18 || r == 30;
      if (r == 6 || r == 19 || (r >= 20 && r <= 29)) shown = ts;
      if (r <= 8 && one) shown = false;
      if (r == 31) shown = one;
      s.inUse[r] = shown;
    }
    s.inUse[16] = s.inUse[16] && s.pick[15] >= 1;
    for (int b : {0, 9, 20}) {
      if (s.pick[18] > 3) s.inUse[b] = false;
      if (s.pick[18] == 2 || s.pick[18] == 3) s.inUse[b + 3] = false;
      if (s.pick[b + 5] == 0) s.inUse[b + 4] = false;
    }
    return s;
  }
};

struct PredictionTest : RunTest {
  std::map<int, CalculatedRun> runs;  // by pass
  std::vector<int> passes;
  DialInAsked asked;
  DialInPass Given() {
    return [this](int pass) {
      passes.push_back(pass);
      EXPECT_EQ(tbl.CalcPass, pass);
      return runs[pass];
    };
  }
  PredictionOutcome Predict(const Entries& e, const DialInPass& pass = {}) {
    return PredictFromEntries(e.Shown(), asked, pass ? pass : Given());
  }
  std::vector<std::string> Prompts() {
    std::vector<std::string> out;
    for (const auto& b : ui->boxes()) out.push_back(b.prompt);
    return out;
  }
};

// Dial In: E60_1 1.80, ET1 11.50, Run 1 calculated 1.75 / 11.40, the
// Predicted run calculated 1.78 / 11.55, margin .02.
Entries DialInCase() {
  Entries d(1);
  d.T(7, "1.80").T(8, "11.50").T(30, ".02");
  return d;
}

TEST_F(PredictionTest, DialInWorkedFigures) {
  runs[1] = {true, 11.40, 1.75};
  runs[2] = {true, 11.55, 1.78};
  PredictionOutcome o = Predict(DialInCase());
  EXPECT_EQ(o.labels, PredictionOutcome::Labels::Set);
  EXPECT_EQ(o.label2, "11.63");
  EXPECT_EQ(passes, (std::vector<int>{1, 2}));
  EXPECT_EQ(tbl.CalcPass, 3);
  EXPECT_TRUE(ui->boxes().empty());

  tbl.FinerTime = 1;
  EXPECT_EQ(Predict(DialInCase()).label2, "11.631");
  tbl.FinerTime = 0;

  Entries entered = DialInCase();
  entered.e.pick[15] = 1;
  entered.T(16, "1.85");
  EXPECT_EQ(Predict(entered).label2, "11.65");

  // Identical weather: the real run less the margin.
  runs[2] = runs[1];
  EXPECT_EQ(Predict(DialInCase()).label2, "11.48");
}

// Throttle Stop: settings, ETs and 60 ft times of two runs, the calculated
// runs, index 11.50, margin .02, throttle stop acting at 3.0 s.
Entries ThrottleStopCase() {
  Entries t(2);
  t.T(6, "1.50").T(8, "11.20").T(7, "1.60");
  t.T(26, "2.00").T(28, "12.00").T(27, "1.61");
  t.T(19, "11.50").T(30, ".02").T(29, "3.0");
  return t;
}

TEST_F(PredictionTest, ThrottleStopWorkedFigures) {
  runs[1] = {true, 10.90, 1.55};
  runs[2] = {true, 11.00, 1.57};
  runs[3] = {true, 10.95, 1.56};
  PredictionOutcome o = Predict(ThrottleStopCase());
  EXPECT_EQ(passes, (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(o.label2, "1.64");
  EXPECT_EQ(o.label9, "6.269");
  EXPECT_EQ(o.sixtyFoot, PredictionOutcome::SixtyFoot::Used);
  EXPECT_NEAR(TsAdjustFactor, 6.269, 0.0005);
  EXPECT_TRUE(ui->boxes().empty());

  // 60 ft times .04 apart are left out.
  Entries apart = ThrottleStopCase();
  apart.T(27, "1.65");
  o = Predict(apart);
  EXPECT_EQ(o.label2, "1.64");
  EXPECT_EQ(o.sixtyFoot, PredictionOutcome::SixtyFoot::NotUsed);
  EXPECT_EQ(o.label7,
            "60 ft time not used because more than .03 second difference between Run 1 and Run 2 60 ft times.");
  // The throttle stop acting too soon after 60 ft is the last reason kept.
  apart.T(29, "2.0");
  EXPECT_EQ(Predict(apart).label7,
            "60 ft time not used because T/S Start Time too close to occuring before 60 ft time elapsed.");

  // One run and the factor of the pair: no Run 1 pass, the same figure.
  passes.clear();
  Entries one = ThrottleStopCase();
  one.e.oneRun = true;
  one.T(31, "6.269").T(6, "").T(7, "").T(8, "");
  one.e.pick[5] = -1;
  o = Predict(one);
  EXPECT_EQ(passes, (std::vector<int>{2, 3}));
  EXPECT_EQ(o.label2, "1.64");
  EXPECT_EQ(o.label9, "6.269");
  EXPECT_TRUE(ui->boxes().empty());
}

TEST_F(PredictionTest, ThrottleStopsThatChangeTooLittle) {
  // K1 = 1 and K2 = 1.003009: dK = .003.
  runs[1] = {true, 11.15, 1.55};
  runs[2] = {true, 11.00, 1.57};
  runs[3] = {true, 1.56 + 10.39 / 1.003009, 1.56};
  TsAdjustFactor = 4;
  PredictionOutcome o = Predict(ThrottleStopCase());
  EXPECT_EQ(o.labels, PredictionOutcome::Labels::Empty);
  ASSERT_EQ(ui->boxes().size(), 1u);
  EXPECT_EQ(ui->boxes()[0].prompt,
            "The difference produced by Throttle Stops in Run 1 and Run 2 produced less than a 1% difference on ET." +
                kCr + kCr +
                "An accurate Throttle Stop Prediction is not possible.  The two Throttle Stop settings for Run 1 and "
                "Run 2 should be more different, to produced a larger effect on ET.");
  EXPECT_EQ(TsAdjustFactor, 4);
}

TEST_F(PredictionTest, ThrottleStopChecks) {
  runs[1] = {true, 10.90, 1.55};
  runs[2] = {true, 11.00, 1.57};
  runs[3] = {true, 10.95, 1.56};
  // A run without a throttle stop (0) beside one with 20: no warning.
  Entries zero = ThrottleStopCase();
  zero.T(6, "0").T(26, "20");
  EXPECT_EQ(Predict(zero).labels, PredictionOutcome::Labels::Set);
  EXPECT_TRUE(ui->boxes().empty());

  // ETs .14, .2 and .4 s apart: refused, asked, nothing.
  struct Case {
    const char* et2;
    bool refused, asked;
  } cases[] = {{"11.34", true, false}, {"11.40", false, true}, {"11.60", false, false}};
  for (const Case& c : cases) {
    ui->Clear();
    ui->Answer(ans::Yes);
    Entries t = ThrottleStopCase();
    t.T(28, c.et2);
    PredictionOutcome o = Predict(t);
    bool asked = false, refused = false;
    for (const auto& b : ui->boxes()) {
      asked = asked || b.title == "Throttle Stop Inputs Could Be Better";
      refused = refused || b.prompt.find("must be at least .15 seconds") != std::string::npos;
    }
    EXPECT_EQ(refused, c.refused) << c.et2;
    EXPECT_EQ(asked, c.asked) << c.et2;
    EXPECT_EQ(o.labels == PredictionOutcome::Labels::Set, !c.refused) << c.et2;
  }
  ui->Clear();
  Entries t = ThrottleStopCase();
  t.T(28, "11.34");
  Predict(t);
  EXPECT_EQ(Prompts().at(0),
            "The ETs in Previous Run #1 and Previous Run #2 must be at least .15 seconds different for a Throttle "
            "Stop prediction to be calculated.");
  ui->Clear();
  ui->Answer(ans::No);
  passes.clear();
  t.T(28, "11.40");
  EXPECT_EQ(Predict(t).labels, PredictionOutcome::Labels::Keep);
  EXPECT_TRUE(passes.empty());
  EXPECT_EQ(ui->boxes().at(0).title, "Throttle Stop Inputs Could Be Better");
  EXPECT_EQ(ui->boxes().at(0).prompt,
            "The Throttle Stop accuracy would be better if there was a greater difference between ETs for Previous "
            "Run #1 and Run #2." +
                kCr + kCr + "Continue with throttle stop prediction anyway?");

  // Settings too close together.
  ui->Clear();
  ui->Answer(ans::No);
  Entries close = ThrottleStopCase();
  close.T(6, "1.80");
  EXPECT_EQ(Predict(close).labels, PredictionOutcome::Labels::Keep);
  EXPECT_EQ(ui->boxes().at(0).prompt.substr(0, 60),
            "The Throttle Stop accuracy would be better if there was a gr");
  ui->Clear();
  Entries none = ThrottleStopCase();
  none.T(6, "").T(26, "0");
  Predict(none);
  EXPECT_EQ(Prompts(), (std::vector<std::string>{
                           "You must enter Throttle Stop values for both Previous Run #1 and Run #2."}));
  ui->Clear();
  Entries one = ThrottleStopCase();
  one.e.oneRun = true;
  Predict(one);
  EXPECT_EQ(Prompts(), (std::vector<std::string>{
                           "You must enter an Adjustment Factor from a previous set of Throttle Stop runs."}));
}

TEST_F(PredictionTest, RequiredEntriesAndTheDewPoint) {
  runs[1] = {true, 11.40, 1.75};
  runs[2] = {true, 11.55, 1.78};
  struct Case {
    int row;
    const char* text;
    const char* message;  // "" for accepted
  } cases[] = {
      {10, "", "Air Temp, deg F for 'Predicted Run' must be specified before a Dial In Prediction can be run."},
      {8, "abc", "ET, sec for 'Previous Run' must be specified before a Dial In Prediction can be run."},
      {2, "70", ""},
      {2, "71",
       "Dew Point, deg F for Previous Run must be less than Air Temp, deg F for Previous Run\r\rDial In Prediction is "
       "not possible."},
      {3, "0", ""},
      {6, "", ""},  // Dial In has no throttle stop
  };
  for (const Case& c : cases) {
    ui->Clear();
    PredictionOutcome o = Predict(DialInCase().T(c.row, c.text));
    if (*c.message) {
      ASSERT_EQ(ui->boxes().size(), 1u) << c.row;
      EXPECT_EQ(ui->boxes()[0].prompt, c.message);
      EXPECT_EQ(ui->boxes()[0].title, "");
      EXPECT_FALSE(o.passesRun);
    } else {
      EXPECT_TRUE(ui->boxes().empty()) << c.row << " " << (ui->boxes().empty() ? "" : ui->boxes()[0].prompt);
      EXPECT_EQ(o.labels, PredictionOutcome::Labels::Set) << c.row;
    }
  }
  // With relative humidity, 80 % beside 70 F is fine.
  ui->Clear();
  Entries rh = DialInCase();
  rh.e.pick[18] = 0;
  rh.T(2, "80");
  EXPECT_EQ(Predict(rh).labels, PredictionOutcome::Labels::Set);
  // A calm day: direction "No Wind", no speed.
  Entries calm = DialInCase();
  calm.T(4, "").T(13, "");
  EXPECT_EQ(Predict(calm).labels, PredictionOutcome::Labels::Set);
  // A wind direction without a speed is refused; no direction at all too.
  ui->Clear();
  Entries windy = DialInCase();
  windy.e.pick[14] = 1;
  Predict(windy);
  EXPECT_EQ(Prompts().at(0), "Wind MPH for 'Predicted Run' must be specified before a Dial In Prediction can be run.");
  ui->Clear();
  Entries noDirection = DialInCase();
  noDirection.e.pick[5] = -1;
  noDirection.T(4, "5");
  Predict(noDirection);
  EXPECT_EQ(Prompts().at(0),
            "Wind Direction for 'Previous Run' must be specified before a Dial In Prediction can be run.");
  // Throttle Stop names the runs.
  ui->Clear();
  Predict(ThrottleStopCase().T(27, ""));
  EXPECT_EQ(Prompts().at(0),
            "60 foot, sec for 'Previous Run, Run 2' must be specified before a Throttle Stop Prediction can be run.");
}

TEST_F(PredictionTest, CalculatedRunFarFromTheRealOne) {
  // Run 1 calculated 20 % slower on a quarter mile: the eighth-mile question
  // once; Yes recalculates on the eighth.
  runs[1] = {true, 13.80, 1.75};
  runs[2] = {true, 11.55, 1.78};
  std::string& track = S(kConditions, 7);
  track = " 0";
  ui->Answer(ans::Yes);
  ui->Answer(ans::Yes);
  PredictionOutcome o = Predict(DialInCase());
  EXPECT_EQ(passes, (std::vector<int>{1, 1, 2}));
  EXPECT_EQ(track, "1");
  EXPECT_EQ(fst.SpecsChanged, 1);
  ASSERT_EQ(ui->boxes().size(), 2u);
  EXPECT_EQ(ui->boxes()[0].prompt, "Are these ETs for Eighth Mile runs?");
  EXPECT_EQ(ui->boxes()[0].title, "Eighth Mile ETs ?");
  EXPECT_EQ(ui->boxes()[1].title, "ET Calculated Very Different Than ET Entered");
  EXPECT_EQ(o.labels, PredictionOutcome::Labels::Set);
  // Asked once per window: the next Update asks nothing.
  ui->Clear();
  passes.clear();
  Predict(DialInCase());
  EXPECT_TRUE(ui->boxes().empty());

  // Throttle Stop: the words follow the sign; No ends without a figure.
  asked = {};
  asked.trackLength = true;
  runs[1] = {true, 9.40, 1.55};  // 16 % quicker than 11.20
  runs[3] = {true, 10.95, 1.56};
  ui->Clear();
  ui->Answer(ans::No);
  EXPECT_EQ(Predict(ThrottleStopCase()).labels, PredictionOutcome::Labels::Keep);
  EXPECT_EQ(Prompts().at(0),
            "The ET for the current vehicle specs are over 15% QUICKER than the ET you have entered.  This is too "
            "different for an accurate Throttle Stop Prediction.  Do you want to continue the Throttle Stop "
            "Prediction anyway?");
  asked = {};
  asked.trackLength = true;
  runs[1] = {true, 13.00, 1.55};  // 16 % slower: no question
  ui->Clear();
  Predict(ThrottleStopCase());
  EXPECT_TRUE(ui->boxes().empty() || ui->boxes()[0].title != "ET Calculated Very Different Than ET Entered");
}

TEST_F(PredictionTest, RunsThatGiveNoTime) {
  // A pass that never finished: no figure, labels emptied, row -1 never read.
  runs[1] = {true, 11.40, 1.75};
  runs[2] = {false, 0, 0};
  host.progressLoaded = true;
  ui->SetBusyCursor(false);
  PredictionOutcome o = Predict(DialInCase());
  EXPECT_EQ(o.labels, PredictionOutcome::Labels::Empty);
  EXPECT_FALSE(host.progressLoaded);
  EXPECT_FALSE(ui->busy());
  EXPECT_FALSE(tbl.CalcRunning);
  // A calculated run whose ET equals its 60 ft time.
  runs[2] = {true, 11.55, 1.78};
  runs[1] = {true, 1.75, 1.75};
  asked.trackLength = asked.etDifference = true;
  o = Predict(DialInCase());
  EXPECT_EQ(o.labels, PredictionOutcome::Labels::Empty);
  EXPECT_EQ(Prompts().back(), kNoUsableTime);
}

// The muscle car run with the weather of each run, read from the window
// rows as the run reads them.
struct RealRunTest : PredictionTest {
  void SetUp() override {
    PredictionTest::SetUp();
    Load(kMuscleCar);
    for (int b : {0, 9, 20}) Weather(b, "29.92", "70", "50", "0");
    host.dialInList[18] = 1;
    for (int r : {5, 14, 25}) host.dialInList[r] = 0;
  }
  void Weather(int b, const char* baro, const char* temp, const char* dew, const char* elev) {
    host.dialInRow[b] = baro;
    host.dialInRow[b + 1] = temp;
    host.dialInRow[b + 2] = dew;
    host.dialInRow[b + 3] = elev;
  }
  Entries Rows(const Entries& base) {
    Entries e = base;
    for (int r = 0; r < 32; ++r) {
      if (IsDialInPickRow(r)) e.e.pick[r] = host.dialInList[r];
      else if (r <= 3 || (r >= 9 && r <= 12) || (r >= 20 && r <= 23)) e.T(r, host.dialInRow[r]);
    }
    return e;
  }
  std::vector<double> ets;
  DialInPass Recorded() {
    return [this](int pass) {
      passes.push_back(pass);
      CalculatedRun r = CalculateWithRunWeather(pass);
      ets.push_back(r.et);
      return r;
    };
  }
};

TEST_F(RealRunTest, EachPassTakesItsRunsWeather) {
  Weather(9, "29.92", "70", "50", "5000");
  Entries t = ThrottleStopCase();
  t.T(8, "12.40").T(28, "12.90").T(7, "1.98").T(27, "1.99").T(19, "12.80");
  PredictionOutcome o = Predict(Rows(t), Recorded());
  ASSERT_EQ(passes, (std::vector<int>{1, 2, 3}));
  ASSERT_EQ(ets.size(), 3u);
  EXPECT_GT(ets[0], 11);
  EXPECT_GT(ets[1], ets[0] + 0.3);  // the Predicted run at 5000 ft is slower
  EXPECT_EQ(ets[2], ets[0]);        // Run 2's weather is Run 1's
  EXPECT_EQ(o.labels, PredictionOutcome::Labels::Set) << (ui->boxes().empty() ? "" : ui->boxes()[0].prompt);
  EXPECT_EQ(host.calls.back(), "UnloadProgress");
  EXPECT_EQ(host.resultsShown, 0);
  EXPECT_EQ(tbl.CalcMode, 2);
}

TEST_F(RealRunTest, IdenticalWeatherGivesTheRunLessTheMargin) {
  Entries d = DialInCase();
  d.T(8, "12.45").T(7, "2.01");
  PredictionOutcome o = Predict(Rows(d), Recorded());
  EXPECT_EQ(o.label2, "12.43");
  EXPECT_EQ(passes, (std::vector<int>{1, 2}));
}

TEST_F(RealRunTest, CancelGivesNoFigureAndLeftoversDoNotSteer) {
  Entries d = DialInCase();
  d.T(8, "12.45").T(7, "2.01");
  // Cancel during the first pass.
  int calls = 0;
  ui->onDoEvents = [&] {
    if (++calls == 3) tbl.AbortCalc = 1;
  };
  PredictionOutcome o = Predict(Rows(d), Recorded());
  EXPECT_EQ(o.labels, PredictionOutcome::Labels::Empty);
  EXPECT_EQ(passes, (std::vector<int>{1}));
  EXPECT_FALSE(host.progressLoaded);
  // The next Update works, even after a Match left its status and a Cancel.
  ui->onDoEvents = nullptr;
  passes.clear();
  tbl.CalcStatus = 4;
  tbl.AbortCalc = 1;
  tbl.QuietCalc = 1;
  o = Predict(Rows(d), Recorded());
  EXPECT_EQ(o.label2, "12.43");
  EXPECT_EQ(passes, (std::vector<int>{1, 2}));
}

}  // namespace
}  // namespace sw::test
