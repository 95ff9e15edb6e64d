// The dial-in and throttle-stop prediction: worked figures from given
// calculated times, the entry checks, and real runs of the muscle car.
#include "dialin/dialin_prediction.h"

#include <gtest/gtest.h>

#include <map>

#include "dialin/dialin_state.h"
#include "simulation/run_test_support.h"

namespace sw::test {
namespace {

using Labels = PredictionOutcome::Labels;
using Texts = std::vector<std::string>;

// Entries as the window hands them over: 29.92 "Hg, 70 F, dew point 50,
// 0 ft, calm; the rows the window greys left out of the checks.
struct Entries {
  DialInEntries e;
  explicit Entries(int mode) {
    e.mode = mode;
    const char* captions[31] = {
        "Corr. Baro., \"Hg", "Air Temp, deg F", "Dew Point, deg F", "Elevation, feet", "Wind MPH", "Wind Direction",
        "Throttle Stop", "60 foot, sec", "ET, sec", "Corr. Baro., \"Hg", "Air Temp, deg F", "Dew Point, deg F",
        "Elevation, feet", "Wind MPH", "Wind Direction", "60 Foot Time", "60 ft, sec", "", "Method of Reading Weather "
        "Data", "Index, sec", "", "", "", "", "", "", "", "", "", "T/S Start Time", "Safety Margin, sec"};
    for (int r = 0; r < 31; ++r) e.caption[r] = r >= 20 && r <= 28 ? captions[r - 20] : captions[r];
    e.pick.fill(-1);
    for (int b : {0, 9, 20}) {
      T(b, "29.92").T(b + 1, "70").T(b + 2, "50").T(b + 3, "0");
      e.pick[b + 5] = 0;
    }
    e.pick[15] = 0;  // the 60 ft time computed
    e.pick[18] = 1;  // corrected barometer, dew point
    T(30, ".02");
  }
  Entries& T(int row, const std::string& text) { return e.text[row] = text, *this; }
  Entries& P(int row, int pick) { return e.pick[row] = pick, *this; }
  Entries& OneRun() { return e.oneRun = true, *this; }
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

// Dial In: E60_1 1.80, ET1 11.50, margin .02.
Entries DialInCase() { return Entries(1).T(7, "1.80").T(8, "11.50"); }
// Throttle Stop: settings, ETs and 60 ft times of two runs, index 11.50,
// margin .02, throttle stop acting at 3.0 s.
Entries ThrottleStopCase() {
  return Entries(2).T(6, "1.50").T(8, "11.20").T(7, "1.60").T(26, "2.00").T(28, "12.00").T(27, "1.61")
      .T(19, "11.50").T(29, "3.0");
}

struct PredictionTest : RunTest {
  std::map<int, CalculatedRun> runs;  // by pass
  std::vector<int> passes;
  DialInAsked asked;
  PredictionOutcome Predict(const Entries& e, DialInPass pass = {}) {
    if (!pass)
      pass = [this](int p) {
        passes.push_back(p);
        EXPECT_EQ(tbl.CalcPass, p);
        return runs[p];
      };
    return PredictFromEntries(e.Shown(), asked, pass);
  }
  Texts Prompts() {
    Texts out;
    for (const auto& b : ui->boxes()) out.push_back(b.prompt);
    return out;
  }
  // The prompts an entry brings from a clean box list; the outcome in `last`.
  PredictionOutcome last;
  Texts PromptsOf(const Entries& e, std::initializer_list<int> answers = {}) {
    ui->Clear();
    for (int a : answers) ui->Answer(a);
    last = Predict(e);
    return Prompts();
  }
  void DialInRuns() { runs = {{1, {true, 11.40, 1.75}}, {2, {true, 11.55, 1.78}}}; }
  void ThrottleStopRuns() { runs = {{1, {true, 10.90, 1.55}}, {2, {true, 11.00, 1.57}}, {3, {true, 10.95, 1.56}}}; }
};

// Run 1 calculated 1.75 / 11.40, the Predicted run 1.78 / 11.55.
TEST_F(PredictionTest, DialInWorkedFigures) {
  DialInRuns();
  PredictionOutcome o = Predict(DialInCase());
  EXPECT_EQ(o.labels, Labels::Set);
  EXPECT_EQ(o.label2, "11.63");
  EXPECT_EQ(passes, (std::vector<int>{1, 2}));
  EXPECT_TRUE(ui->boxes().empty());
  tbl.FinerTime = 1;
  EXPECT_EQ(Predict(DialInCase()).label2, "11.631");
  tbl.FinerTime = 0;
  EXPECT_EQ(Predict(DialInCase().P(15, 1).T(16, "1.85")).label2, "11.65");  // 60 ft entered
  runs[2] = runs[1];  // identical weather: the real run less the margin
  EXPECT_EQ(Predict(DialInCase()).label2, "11.48");
}

// Run 1 calculated 1.55 / 10.90, Run 2 1.56 / 10.95, the Predicted run
// 1.57 / 11.00.
TEST_F(PredictionTest, ThrottleStopWorkedFigures) {
  ThrottleStopRuns();
  PredictionOutcome o = Predict(ThrottleStopCase());
  EXPECT_EQ(passes, (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(Texts({o.label2, o.label9}), Texts({"1.64", "6.269"}));
  EXPECT_NEAR(TsAdjustFactor, 6.269, 0.0005);

  // 60 ft times .04 apart are left out; the throttle stop acting too soon
  // after 60 ft is the last reason kept.
  Entries apart = ThrottleStopCase().T(27, "1.65");
  o = Predict(apart);
  EXPECT_EQ(o.label2, "1.64");
  EXPECT_EQ(o.label7,
            "60 ft time not used because more than .03 second difference between Run 1 and Run 2 60 ft times.");
  EXPECT_EQ(Predict(apart.T(29, "2.0")).label7,
            "60 ft time not used because T/S Start Time too close to occuring before 60 ft time elapsed.");

  // One run and the factor of the pair: no Run 1 pass, the same figure.
  passes.clear();
  o = Predict(ThrottleStopCase().OneRun().T(31, "6.269").T(6, "").T(7, "").T(8, "").P(5, -1));
  EXPECT_EQ(passes, (std::vector<int>{2, 3}));
  EXPECT_EQ(Texts({o.label2, o.label9}), Texts({"1.64", "6.269"}));
}

TEST_F(PredictionTest, ThrottleStopsThatChangeTooLittle) {
  // K1 = 1 and K2 = 1.003009: dK = .003.
  runs = {{1, {true, 11.15, 1.55}}, {2, {true, 11.00, 1.57}}, {3, {true, 1.56 + 10.39 / 1.003009, 1.56}}};
  TsAdjustFactor = 4;
  EXPECT_EQ(Predict(ThrottleStopCase()).labels, Labels::Empty);
  EXPECT_EQ(Prompts(), Texts({"The difference produced by Throttle Stops in Run 1 and Run 2 produced less than a 1% "
                              "difference on ET.\r\rAn accurate Throttle Stop Prediction is not possible.  The two "
                              "Throttle Stop settings for Run 1 and Run 2 should be more different, to produced a "
                              "larger effect on ET."}));
  EXPECT_EQ(TsAdjustFactor, 4);
}

TEST_F(PredictionTest, ThrottleStopChecks) {
  ThrottleStopRuns();
  // A run without a throttle stop (0) beside one with 20: no warning.
  EXPECT_EQ(Predict(ThrottleStopCase().T(6, "0").T(26, "20")).labels, Labels::Set);
  EXPECT_TRUE(ui->boxes().empty());

  const std::string refused = "The ETs in Previous Run #1 and Previous Run #2 must be at least .15 seconds different "
                              "for a Throttle Stop prediction to be calculated.",
                    better = "The Throttle Stop accuracy would be better if there was a greater difference between "
                             "ETs for Previous Run #1 and Run #2.\r\rContinue with throttle stop prediction anyway?";
  // ETs .14, .2 and .4 s apart: refused, asked, nothing.
  EXPECT_EQ(PromptsOf(ThrottleStopCase().T(28, "11.34")), Texts({refused}));
  EXPECT_EQ(PromptsOf(ThrottleStopCase().T(28, "11.40"), {ans::Yes}).at(0), better);
  EXPECT_EQ(ui->boxes()[0].title, "Throttle Stop Inputs Could Be Better");
  EXPECT_EQ(last.labels, Labels::Set);
  const Texts far = PromptsOf(ThrottleStopCase().T(28, "11.60"));
  EXPECT_EQ(std::count(far.begin(), far.end(), better) + std::count(far.begin(), far.end(), refused), 0);
  EXPECT_EQ(last.labels, Labels::Set);
  // Settings too close together ask the same way; No: no pass, nothing shown.
  passes.clear();
  EXPECT_EQ(PromptsOf(ThrottleStopCase().T(6, "1.80"), {ans::No}).at(0).substr(0, 60), better.substr(0, 60));
  EXPECT_EQ(last.labels, Labels::Keep);
  EXPECT_TRUE(passes.empty());
  EXPECT_EQ(PromptsOf(ThrottleStopCase().T(6, "").T(26, "0")),
            Texts({"You must enter Throttle Stop values for both Previous Run #1 and Run #2."}));
  EXPECT_EQ(PromptsOf(ThrottleStopCase().OneRun()),
            Texts({"You must enter an Adjustment Factor from a previous set of Throttle Stop runs."}));
}

TEST_F(PredictionTest, RequiredEntriesAndTheDewPoint) {
  DialInRuns();
  const std::string ahead = " must be specified before a Dial In Prediction can be run.";
  struct Case {
    const char* what;
    Entries entries;
    std::string message;  // "" for accepted
  } cases[] = {
      {"no air temperature", DialInCase().T(10, ""), "Air Temp, deg F for 'Predicted Run'" + ahead},
      {"an ET of letters", DialInCase().T(8, "abc"), "ET, sec for 'Previous Run'" + ahead},
      {"dew point at the temperature", DialInCase().T(2, "70"), ""},
      {"dew point above it", DialInCase().T(2, "71"),
       "Dew Point, deg F for Previous Run must be less than Air Temp, deg F for Previous Run\r\rDial In Prediction is "
       "not possible."},
      {"Dial In has no throttle stop", DialInCase().T(6, ""), ""},
      {"80 % humidity beside 70 F", DialInCase().P(18, 0).T(2, "80"), ""},
      {"a calm day", DialInCase().T(4, "").T(13, ""), ""},
      {"a wind direction without a speed", DialInCase().P(14, 1), "Wind MPH for 'Predicted Run'" + ahead},
      {"a speed without a direction", DialInCase().P(5, -1).T(4, "5"), "Wind Direction for 'Previous Run'" + ahead},
      {"Throttle Stop names the runs", ThrottleStopCase().T(27, ""),
       "60 foot, sec for 'Previous Run, Run 2' must be specified before a Throttle Stop Prediction can be run."},
  };
  for (const Case& c : cases) {
    const Texts prompts = PromptsOf(c.entries);
    EXPECT_EQ(prompts, c.message.empty() ? Texts() : Texts({c.message})) << c.what;
    EXPECT_EQ(last.passesRun, c.message.empty()) << c.what;
    EXPECT_EQ(last.labels == Labels::Set, c.message.empty()) << c.what;
  }
}

TEST_F(PredictionTest, CalculatedRunFarFromTheRealOne) {
  // Run 1 calculated 20 % slower on a quarter mile: the eighth-mile question
  // once; Yes recalculates on the eighth and marks the specs changed.
  runs = {{1, {true, 13.80, 1.75}}, {2, {true, 11.55, 1.78}}};
  S(kConditions, 7) = " 0";
  ui->Answer(ans::Yes);
  ui->Answer(ans::Yes);
  EXPECT_EQ(Predict(DialInCase()).labels, Labels::Set);
  EXPECT_EQ(passes, (std::vector<int>{1, 1, 2}));
  EXPECT_EQ(S(kConditions, 7), "1");
  EXPECT_EQ(fst.SpecsChanged, 1);
  ASSERT_EQ(ui->boxes().size(), 2u);
  EXPECT_EQ(ui->boxes()[0].prompt, "Are these ETs for Eighth Mile runs?");
  EXPECT_EQ(ui->boxes()[1].title, "ET Calculated Very Different Than ET Entered");
  EXPECT_EQ(PromptsOf(DialInCase()), Texts());  // asked once per window

  // Throttle Stop: the words follow the sign; No ends without a figure;
  // 16 % slower asks nothing.
  asked = {};
  asked.trackLength = true;
  runs = {{1, {true, 9.40, 1.55}}, {2, {true, 11.00, 1.57}}, {3, {true, 10.95, 1.56}}};  // 16 % quicker than 11.20
  EXPECT_EQ(PromptsOf(ThrottleStopCase(), {ans::No}),
            Texts({"The ET for the current vehicle specs are over 15% QUICKER than the ET you have entered.  This is "
                   "too different for an accurate Throttle Stop Prediction.  Do you want to continue the Throttle "
                   "Stop Prediction anyway?"}));
  asked = {};
  asked.trackLength = true;
  runs[1] = {true, 13.00, 1.55};
  EXPECT_EQ(PromptsOf(ThrottleStopCase()), Texts());
}

TEST_F(PredictionTest, RunsThatGiveNoTime) {
  // A pass that never finished: no figure, labels emptied, row -1 never read.
  runs = {{1, {true, 11.40, 1.75}}, {2, {false, 0, 0}}};
  host.progressLoaded = true;
  ui->SetBusyCursor(false);
  EXPECT_EQ(Predict(DialInCase()).labels, Labels::Empty);
  EXPECT_FALSE(host.progressLoaded || ui->busy() || tbl.CalcRunning);
  // A calculated run whose ET equals its 60 ft time.
  runs = {{1, {true, 1.75, 1.75}}, {2, {true, 11.55, 1.78}}};
  asked.trackLength = asked.etDifference = true;
  EXPECT_EQ(Predict(DialInCase()).labels, Labels::Empty);
  EXPECT_EQ(Prompts().back(), kNoUsableTime);
}

// The muscle car run with the weather of each run, read from the window
// rows as the run reads them.
struct RealRunTest : PredictionTest {
  std::vector<double> ets;
  void SetUp() override {
    PredictionTest::SetUp();
    Load(kMuscleCar);
    for (int b : {0, 9, 20}) Weather(b, "0");
    host.dialInList[18] = 1;
    for (int r : {5, 14, 25}) host.dialInList[r] = 0;
  }
  void Weather(int b, const char* elevation) {
    for (auto [k, text] : {std::pair{0, "29.92"}, {1, "70"}, {2, "50"}, {3, elevation}}) host.dialInRow[b + k] = text;
  }
  PredictionOutcome PredictFromRows(Entries e) {
    for (int r = 0; r < 32; ++r) {
      if (IsDialInPickRow(r)) {
        e.P(r, host.dialInList[r]);
      } else if (r <= 3 || (r >= 9 && r <= 12) || (r >= 20 && r <= 23)) {
        e.T(r, host.dialInRow[r]);
      }
    }
    return Predict(e, [this](int pass) {
      passes.push_back(pass);
      CalculatedRun r = CalculateWithRunWeather(pass);
      ets.push_back(r.et);
      return r;
    });
  }
};

TEST_F(RealRunTest, EachPassTakesItsRunsWeather) {
  Weather(9, "5000");
  PredictionOutcome o = PredictFromRows(
      ThrottleStopCase().T(8, "12.40").T(28, "12.90").T(7, "1.98").T(27, "1.99").T(19, "12.80"));
  ASSERT_EQ(passes, (std::vector<int>{1, 2, 3}));
  EXPECT_GT(ets[0], 11);
  EXPECT_GT(ets[1], ets[0] + 0.3);  // the Predicted run at 5000 ft is slower
  EXPECT_EQ(ets[2], ets[0]);        // Run 2's weather is Run 1's
  EXPECT_EQ(o.labels, Labels::Set) << (ui->boxes().empty() ? "" : ui->boxes()[0].prompt);
  EXPECT_EQ(host.calls.back(), "UnloadProgress");
  EXPECT_EQ(host.resultsShown, 0);
}

// Identical weather gives the run less the margin; Cancel gives no figure;
// the next Update works, even after a Match left its status and a Cancel.
TEST_F(RealRunTest, IdenticalWeatherCancelAndLeftovers) {
  const Entries d = DialInCase().T(8, "12.45").T(7, "2.01");
  EXPECT_EQ(PredictFromRows(d).label2, "12.43");
  EXPECT_EQ(passes, (std::vector<int>{1, 2}));
  passes.clear();
  int calls = 0;
  ui->onDoEvents = [&] {
    if (++calls == 3) tbl.AbortCalc = 1;  // Cancel during the first pass
  };
  EXPECT_EQ(PredictFromRows(d).labels, Labels::Empty);
  EXPECT_EQ(passes, (std::vector<int>{1}));
  EXPECT_FALSE(host.progressLoaded);
  ui->onDoEvents = nullptr;
  passes.clear();
  tbl.CalcStatus = 4;
  tbl.AbortCalc = 1;
  tbl.QuietCalc = 1;
  EXPECT_EQ(PredictFromRows(d).label2, "12.43");
  EXPECT_EQ(passes, (std::vector<int>{1, 2}));
}

}  // namespace
}  // namespace sw::test
