#include "specs/transmission_rules.h"

#include "simulation/air.h"
#include "simulation/run_test_support.h"

namespace sw::test {
namespace {

TEST(TransmissionRules, TypeAndMarkerChooseTheRows) {
  struct Case {
    int pick;
    double marker;
    DriveRows rows;
  };
  for (const Case& c : {Case{0, 0, DriveRows::None}, Case{1, 0, DriveRows::Clutch}, Case{2, 0, DriveRows::Clutch},
                        Case{3, 0, DriveRows::Converter}, Case{4, 0, DriveRows::Converter},
                        Case{5, 1, DriveRows::Clutch}, Case{5, 2, DriveRows::Converter}, Case{5, 0, DriveRows::None},
                        Case{0, 1, DriveRows::Clutch}, Case{0, 2, DriveRows::Converter},
                        Case{1, 2, DriveRows::Converter}, Case{-1, 0, DriveRows::None}})
    EXPECT_EQ(DriveRowsFor(c.pick, c.marker), c.rows) << c.pick << " " << c.marker;
}

TEST(TransmissionRules, StallLimitsFromTheCurve) {
  struct Case {
    double low, mid, hpRpm;
    float min, max;
  };
  for (const Case& c : {Case{500, 2100, 6000, 1300, 6000}, Case{500, 2250, 5800, 1400, 5800},
                        Case{500, 2375, 6000, 1400, 6000}, Case{500, 2300, 6500, 1400, 6500}}) {
    auto limits = StallRpmLimits(c.low, c.mid, c.hpRpm);
    ASSERT_TRUE(limits);
    EXPECT_EQ(limits->minimum, c.min) << c.mid;
    EXPECT_EQ(limits->maximum, c.max);
    EXPECT_FALSE(limits->WholeNumber());
  }
  // No curve: the row file's limits stand.
  EXPECT_FALSE(StallRpmLimits(0, 0, 0));
  // The warning names the limits as the racer reads them.
  EXPECT_EQ(RangeWarning("Stall", "1300", *StallRpmLimits(500, 2375, 6000)),
            "Stall = 1300.  Value must be between  1400 and  6000 .");
}

TEST(TransmissionRules, Texts) {
  EXPECT_EQ(CapacityText(148.83), "148.8");
  EXPECT_EQ(CapacityText(150), "150.0");
  EXPECT_EQ(CapacityText(70), "70.0");
  EXPECT_FALSE(StallMoved("3000", 3000));
  EXPECT_FALSE(StallMoved("3001", 3000));
  EXPECT_TRUE(StallMoved("3490", 3500));
  EXPECT_TRUE(StallMoved(" too low", 1500));
  EXPECT_EQ(StallRoundingMessage("3490"),
            "Due to rounding in the calculations, the Stall RPM you entered had to be changed to: 3490 RPM.\r\r"
            "This small difference will have an insignificant effect on the final performance.");
  EXPECT_EQ(StallRpmCaption(),
            "Converter Stall RPM based on\rCurrent Converter Capacity,\rFull Throttle Engine Power Curve and "
            "Weather Specs at the track");
}

struct StallToCapacity : RunTest {
  // A dyno curve of 400 ft lbs from 2000 to 7000 RPM.
  void FlatCurve() {
    SpecAt(kEngine, 0) = "2";
    SpecAt(kEngine, 6) = "0";
    for (int i = 0; i <= 9; ++i) {
      const int rpm = i <= 5 ? 2000 + 1000 * i : 0;
      tbl.PowerCurveText[i][0] = rpm ? std::to_string(rpm) : "";
      tbl.PowerCurveText[i][1] = rpm ? "400" : "";
      tbl.PowerCurveText[i][2] = rpm ? Format(400.0 * rpm / 5252, "###0.0") : "";
    }
  }
  // The dyno's own weather at the track: no correction.
  void StandardWeather() {
    for (auto [k, v] : {std::pair{0, "0"}, {1, "29.92"}, {2, "60"}, {3, "0"}, {4, "0"}}) SpecAt(kConditions, k) = v;
  }
};

TEST_F(StallToCapacity, FlatCurveInStandardWeather) {
  FlatCurve();
  StandardWeather();
  double correction = 0, density = 0;
  CalcAirConditions(correction, density);
  ASSERT_NEAR(correction, 1, 1e-3);
  EXPECT_EQ(CapacityText(CapacityForStall(3000)), "150.0");
  // Outside the curve there is no torque to stall against.
  EXPECT_EQ(CapacityForStall(tbl.EngineCurve[0][0]), 70);
  EXPECT_EQ(CapacityForStall(7300), 70);
  // Kept within a converter's range.
  for (int i = 0; i <= 5; ++i) tbl.PowerCurveText[i][1] = "2000";
  EXPECT_EQ(CapacityForStall(2500), 70);
  for (int i = 0; i <= 5; ++i) tbl.PowerCurveText[i][1] = "10";
  EXPECT_EQ(CapacityForStall(6000), 600);
}

TEST_F(StallToCapacity, NoCurveGivesTheSmallestConverter) {
  for (int k = 0; k <= 6; ++k) SpecAt(kEngine, k) = "";
  EXPECT_EQ(CapacityForStall(3000), 70);
}

}  // namespace
}  // namespace sw::test
