// The Notes Summary's conditions, thresholds and texts.
#include <QtTest>

#include "platform/scripted_ui.h"
#include "platform/text.h"
#include "results/notes_summary.h"
#include "results/results_state.h"
#include "results/results_fixture.h"
#include "simulation/tables.h"

using namespace sw;

namespace {

const std::string kClick = ".  Click on Notes for more Details.";
const std::string kTireAdvice =
    "Performance will improve by increasing Traction Factor, increasing Tread Width or going to a Drag Slick "
    "Construction in the Wheel/Tire specs menu.";
const std::string kCr2 = "\r\r";

// A run with nothing to note: 10.00 s, a clutch car, no slip, no spin, the
// RPM never below the torque peak.
void QuietRun() {
  ResetTables();
  NotesText = "stale";
  SpinShiftTime = 9;
  testing::SetLastRun();
  tbl.HistoryEt[0] = "10.00";
  tbl.RunTotal1 = 10000 * 3 + 5000;
  tbl.RunTotal2 = 0;
  tbl.RunTotal3 = 0;
  tbl.RunTotal4 = 0;
}

}  // namespace

class NotesSummaryTest : public QObject {
  Q_OBJECT

 private slots:
  void nothingFoundGivesTheBareSummaryAndNoNotes() {
    QuietRun();
    NotesSummary n = BuildNotesSummary(4500);
    QCOMPARE(n.caption, "Notes Summary:  " + kClick);
    QVERIFY(!n.emphasis);
    QVERIFY(NotesText.empty());
    QCOMPARE(SpinShiftTime, 0.0);

    ScopedScriptedUi ui;
    ShowNotes();
    QCOMPARE(ui->boxes().size(), size_t(1));
    QCOMPARE(ui->boxes()[0].prompt, std::string("No Notes of interest for this Vehicle Combo."));
    QCOMPARE(ui->boxes()[0].title, std::string(""));
  }

  void clutchSlipThresholds() {
    struct Case {
      double seconds;
      std::string summary, degree;
      bool emphasis;
    };
    const Case cases[] = {
        {1.0, "", "", false},  // exactly 10 %: no note
        {1.1, "Notes Summary:   High Clutch Slip", "", false},
        {2.6, "Notes Summary:   Very High Clutch Slip", " Very", false},
        {4.1, "Notes Summary:   EXTREMELY High Clutch Slip", " EXTREMELY", true},
    };
    for (const Case& c : cases) {
      QuietRun();
      tbl.RunTotal2 = c.seconds;
      NotesSummary n = BuildNotesSummary(4500);
      if (c.summary.empty()) {
        QCOMPARE(n.caption, "Notes Summary:  " + kClick);
        QVERIFY(NotesText.empty());
        continue;
      }
      QCOMPARE(n.caption, c.summary + kClick);
      QCOMPARE(n.emphasis, c.emphasis);
      std::string pct = Str(Int(100 * c.seconds / 10 + 0.5));
      QCOMPARE(NotesText, "The clutch was slipping for approximately" + pct + "% of the run, which is" + c.degree +
                              " high.  You may need higher clutch specs (more torque holding capability) or better "
                              "tire traction." +
                              kCr2);
    }
    QCOMPARE(Str(Int(100 * 4.1 / 10 + 0.5)), std::string(" 41"));
  }

  void converterStallOnlyForConverterCars() {
    QuietRun();
    tbl.ConverterDrive = 1;
    tbl.RunTotal2 = 9;  // a slipping converter is no clutch note
    tbl.ResultsText[6][1] = "3500";
    NotesSummary n = BuildNotesSummary(4500);
    QCOMPARE(n.caption, "Notes Summary:  Conv Stall RPM Low" + kClick);
    QCOMPARE(NotesText,
             "Torque Converter Stall RPM is 3500 RPM which is quite low for an engine with a Tq Pk at 4500 RPM.  "
             "Performance would likely improve with a 'looser' (higher Converter Capacity) converter." +
                 kCr2);

    tbl.ResultsText[6][1] = "2900";
    n = BuildNotesSummary(4500);
    QCOMPARE(n.caption, "Notes Summary:  Conv Stall RPM Very Low" + kClick);
    QVERIFY(!n.emphasis);

    tbl.ResultsText[6][1] = "3600";  // 0.8 x the peak exactly: not low
    n = BuildNotesSummary(4500);
    QVERIFY(NotesText.empty());

    // A clutch car with a low first-row RPM gets no stall note.
    QuietRun();
    tbl.ResultsText[6][1] = "2000";
    n = BuildNotesSummary(4500);
    QVERIFY(NotesText.empty());
  }

  void engineRpmDropForBothDrivetrains() {
    for (int16_t converter : {0, 1}) {
      QuietRun();
      tbl.ConverterDrive = converter;
      tbl.ResultsText[6][1] = "5000";
      tbl.RunTotal1 = 10000 * (2 + 1) + 3400.4;
      NotesSummary n = BuildNotesSummary(4500);
      QCOMPARE(n.caption, "Notes Summary:  Engine RPM Low" + kClick);
      QCOMPARE(NotesText, "Engine RPM fell to 3400 RPM in Gear # 2, which is low and potentially hurting performance." +
                              kCr2);
      tbl.RunTotal1 = 10000 * (3 + 1) + 2900;
      n = BuildNotesSummary(4500);
      QCOMPARE(n.caption, "Notes Summary:  Engine RPM Very Low" + kClick);
      QCOMPARE(NotesText,
               "Engine RPM fell to 2900 RPM in Gear # 3, which is Very low and potentially hurting performance." +
                   kCr2);
    }
  }

  void quickOneTwoShiftMeansTractionVeryLow() {
    QuietRun();
    // The tires spin so hard that second gear comes 0.35 s into the run.
    tbl.ResultsText[0][4] = " 1-2";
    tbl.ResultsText[1][4] = ".45";
    tbl.ResultsText[0][5] = " 2";
    tbl.ResultsText[1][5] = ".55";
    tbl.ShiftTime = 0.2;
    tbl.RunTotal4 = 0.5;  // 5 %: only the early shift makes the note
    NotesSummary n = BuildNotesSummary(4500);
    QCOMPARE(n.caption, "Notes Summary:  Tire Traction Very Low" + kClick);
    QVERIFY(n.emphasis);
    QCOMPARE(NotesText,
             "The tires were spinning so much the 1-2 shift occured .35 seconds into the run, which is hurting "
             "performance.  " +
                 kTireAdvice + kCr2);
    QVERIFY(std::abs(SpinShiftTime - 0.35) < 1e-9);
  }

  void secondGearAtFourTenthsNeedsRealSpin() {
    QuietRun();
    tbl.ResultsText[0][5] = " 2";
    tbl.ResultsText[1][5] = ".40";
    tbl.ShiftTime = 0;
    tbl.RunTotal4 = 1.0;  // 10 %
    NotesSummary n = BuildNotesSummary(4500);
    QCOMPARE(n.caption, "Notes Summary:  " + kClick);
    QCOMPARE(SpinShiftTime, 0.4);
    tbl.RunTotal4 = 1.1;  // 11 %
    n = BuildNotesSummary(4500);
    QCOMPARE(n.caption, "Notes Summary:  Tire Spin High" + kClick);
    QVERIFY(!n.emphasis);
    QCOMPARE(NotesText, "The tires were spinning for 11% of the run, which is high and hurting performance.  " +
                            kTireAdvice + kCr2);
  }

  void tireSpinIsCappedAtOneHundred() {
    QuietRun();
    tbl.RunTotal4 = 12;  // 120 % of a 10 s run
    NotesSummary n = BuildNotesSummary(4500);
    QCOMPARE(n.caption, "Notes Summary:  Tire Spin Very High" + kClick);
    QVERIFY(n.emphasis);
    QCOMPARE(NotesText, "The tires were spinning for 100% of the run, which is Very high and hurting performance.  " +
                            kTireAdvice + kCr2);
  }

  void beginnerGetsPowerLimitedNoteAndMessageOnce() {
    QuietRun();
    tbl.BeginnerLevel = 1;
    tbl.RunTotal4 = 5;    // never reported to a beginner as spin
    tbl.RunTotal3 = 3.0;  // 30 % limited
    NotesSummary n = BuildNotesSummary(4500);
    QCOMPARE(n.caption, "Notes Summary:  Tire Traction Very Low" + kClick);
    QVERIFY(n.emphasis);
    QCOMPARE(NotesText,
             "Engine Power had to be limited to the tires (to prevent tire spin) for 30% of the run, which is Very "
             "high and hurting performance.  " +
                 kTireAdvice + kCr2);
    QCOMPARE(tbl.BeginnerNoteState, int16_t(1));
    const std::string message =
        "Important:  Engine Power is being limited for 30% of the run (see % Thrt column at right) because tire "
        "traction is Very Low, producing Very Bad (high) ETs." +
        kCr2 +
        "Increase Tire Traction Factor, specify Drag Slicks, etc in the Wheel/Tire Specs menu to correct this "
        "problem.  Also notice the Notes Summary at the top of this screen, click on Notes or Analyze for more "
        "information.";
    QCOMPARE(n.beginnerMessage, message);

    ScopedScriptedUi ui;
    ShowBeginnerNote(n);
    QCOMPARE(ui->boxes().size(), size_t(1));
    QCOMPARE(ui->boxes()[0].title, std::string("Beginner Level Help"));
    QCOMPARE(ui->boxes()[0].prompt, message);
    QCOMPARE(tbl.BeginnerNoteState, int16_t(2));

    // A refill of the same run does not repeat it.
    n = BuildNotesSummary(4500);
    ShowBeginnerNote(n);
    QCOMPARE(ui->boxes().size(), size_t(1));
    QCOMPARE(tbl.BeginnerNoteState, int16_t(2));
  }

  void experiencedPowerLimitedChoiceWithoutDegree() {
    QuietRun();
    SpecAt(kDriving, 0) = "0";  // the driving choice that watches the power limit
    tbl.RunTotal3 = 1.5;        // 15 %
    tbl.RunTotal4 = 5;
    NotesSummary n = BuildNotesSummary(4500);
    QCOMPARE(n.caption, "Notes Summary:  Tire Traction Low" + kClick);
    QVERIFY(!n.emphasis);
    QCOMPARE(tbl.BeginnerNoteState, int16_t(0));  // only beginners get the message
    tbl.RunTotal3 = 1.0;                          // 10 %: nothing
    n = BuildNotesSummary(4500);
    QVERIFY(NotesText.empty());
  }

  void threeNotesMakeOneSummaryLine() {
    QuietRun();
    tbl.ConverterDrive = 1;
    tbl.ResultsText[6][1] = "3400";
    tbl.RunTotal1 = 10000 * 2 + 2500;
    tbl.RunTotal4 = 3;  // 30 %
    NotesSummary n = BuildNotesSummary(4500);
    QCOMPARE(n.caption,
             "Notes Summary:  Conv Stall RPM Low,  Engine RPM Very Low,  Tire Spin Very High" + kClick);
    QVERIFY(NotesText.find("Torque Converter") == 0);
    QVERIFY(NotesText.find("Engine RPM fell to 2500 RPM in Gear # 1") != std::string::npos);

    ScopedScriptedUi ui;
    ShowNotes();
    QCOMPARE(ui->boxes()[0].prompt, NotesText + "Click on Analyze for more details.");
    QCOMPARE(ui->boxes()[0].title, std::string(30, ' ') + "Notes on Calculations" + std::string(61, ' '));
  }

  void notesRefusedAfterAHistoryRetrieval() {
    QuietRun();
    tbl.RunTotal2 = 3;
    BuildNotesSummary(4500);
    tbl.FromHistory = 1;
    ScopedScriptedUi ui;
    ShowNotes();
    QCOMPARE(ui->boxes()[0].prompt,
             std::string("Notes not available after retrieving a file from History until you recalculate performance."));
  }

  void runWithoutAnEtMakesNoPercentNotes() {
    QuietRun();
    tbl.HistoryEt[0] = "";
    tbl.RunTotal2 = 5;
    tbl.RunTotal3 = 5;
    tbl.RunTotal4 = 5;
    NotesSummary n = BuildNotesSummary(4500);
    QCOMPARE(n.caption, "Notes Summary:  " + kClick);
    QVERIFY(NotesText.empty());
  }
};

QTEST_GUILESS_MAIN(NotesSummaryTest)
#include "notes_summary_qtest.moc"
