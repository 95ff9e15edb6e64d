// Cylvane's unattended calculation, end to end: the program itself is
// started with "/E /M" against a program folder of its own, with no display,
// and must leave its eleven-line answer in LapDtOut.txt and exit with 0.
#include <QElapsedTimer>
#include <QProcess>
#include <QtTest>

#include "platform/text.h"
#include "shell/unattended.h"
#include "shell_fixture.h"
#include "simulation/lap_data.h"
#include "support/fixture_vehicle.h"

using namespace sw;

namespace {

const char* kGoodCurve =
    "CV Engine Sim - 454 BBC\r\n454\r\n29.92\r\n60\r\n20\r\n0\r\n"
    "2500\r\n470\r\n223.7\r\n3000\r\n490\r\n279.9\r\n3500\r\n505\r\n336.5\r\n4000\r\n512\r\n389.9\r\n"
    "4500\r\n505\r\n432.7\r\n5000\r\n480\r\n457.0\r\n5500\r\n445\r\n466.0\r\n6000\r\n400\r\n457.0\r\n";

struct Outcome {
  int exitCode = -1;
  bool finished = false;
  qint64 ms = 0;
  std::vector<std::string> lines;  // LapDtOut.txt, split at CR LF
};

}  // namespace

class UnattendedTest : public QObject {
  Q_OBJECT
  std::unique_ptr<ShellScene> scene;

  void WorkingCopy(const char* fixture) {
    QVERIFY(test::LoadFixtureVehicle(fixture));
    WriteWorkingCopy(scene->folder().string() + "/VEHDAT/" + fixture);
    tbl.BeginnerLevel = 0;
    int16_t write = 0;
    ReadWriteConfiguration(write);
    scene->Write("baseplot.ZKT", " 0\r\n");
  }

  Outcome Run(QStringList args = {"/E", "/M"}) {
    Outcome out;
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("QT_QPA_PLATFORM");  // no display at all
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    env.insert("STAGEWELL_HOME", QString::fromStdString(scene->folder().string()));
    p.setProcessEnvironment(env);
    QElapsedTimer clock;
    clock.start();
    p.start(QCoreApplication::applicationDirPath() + "/stagewell", args);
    out.finished = p.waitForFinished(30000);
    out.ms = clock.elapsed();
    out.exitCode = p.exitCode();
    if (!out.finished) p.kill();
    std::string bytes = scene->Read(kLapDataFileName);
    // Lines end in CR LF; the last (the messages) may hold single CRs.
    out.lines = CrLfLines(bytes);
    return out;
  }

 private slots:
  void init() { scene = std::make_unique<ShellScene>(); }
  void cleanup() { scene.reset(); }

  void importsCalculatesAndAnswersInElevenLines() {
    WorkingCopy(test::kMuscleCar);
    scene->Write("ENGCURVE.ZKT", kGoodCurve);
    std::string config = scene->Read("qvzCNFG.ZKT");
    std::string working = scene->Read("QVCURVEH.ZKT");
    Outcome o = Run();
    QVERIFY(o.finished);
    QCOMPARE(o.exitCode, 0);
    qInfo("unattended calculation, process start to exit: %lld ms", o.ms);
    QCOMPARE(o.lines.size(), size_t(11));
    double et = Val(o.lines[0]), mph = Val(o.lines[1]), sixty = Val(o.lines[2]);
    QVERIFY2(et > 10 && et < 16, o.lines[0].c_str());
    QVERIFY2(mph > 90 && mph < 130, o.lines[1].c_str());
    QVERIFY2(sixty > 1.2 && sixty < 2.5, o.lines[2].c_str());
    QCOMPARE(o.lines[1], Format(mph, "######.00"));
    QCOMPARE(o.lines[5], std::string("1320"));
    QCOMPARE(o.lines[6], std::string("3400"));
    QVERIFY(!o.lines[7].empty());
    QCOMPARE(o.lines[8], std::string("0"));
    QCOMPARE(o.lines[9], std::string(test::kMuscleCar));
    QCOMPARE(o.lines[10], std::string(""));
    // Nothing of the user's is written at the end of this mode.
    QCOMPARE(scene->Read("qvzCNFG.ZKT"), config);
    QCOMPARE(scene->Read("QVCURVEH.ZKT"), working);
    QVERIFY(scene->Exists("ENGCURVE.ZKT"));
    // No history copy either: the run history is not touched in this mode.
    bool historyCopy = false;
    if (scene->Exists("QVHISTRY"))
      for (auto& e : std::filesystem::directory_iterator(scene->file("QVHISTRY"))) historyCopy = historyCopy || e.is_regular_file();
    QVERIFY(!historyCopy);
  }

  void aCurveWithoutPointsIsRefused() {
    WorkingCopy(test::kMuscleCar);
    scene->Write("ENGCURVE.ZKT", "CV\r\n454\r\n29.92\r\n60\r\n20\r\n0\r\n");
    Outcome o = Run();
    QCOMPARE(o.exitCode, 0);
    QCOMPARE(o.lines.size(), size_t(11));
    QCOMPARE(o.lines[0], std::string("0"));
    QVERIFY2(o.lines[10].find("Stagewell calculations can not be done due to:") != std::string::npos,
             o.lines[10].c_str());
    QVERIFY(o.lines[10].find("There is no power curve in the Engine Specs menu.") != std::string::npos);
  }

  void refusedInputsAnswerWithTheReason() {
    QVERIFY(test::LoadFixtureVehicle(test::kMuscleCar));
    SpecAt(kTransmission, 10) = "3.5";  // second gear lower than first
    WriteWorkingCopy(scene->folder().string() + "/VEHDAT/bad_gears");
    scene->Write("ENGCURVE.ZKT", kGoodCurve);
    Outcome o = Run();
    QCOMPARE(o.exitCode, 0);
    QCOMPARE(o.lines.size(), size_t(11));
    QCOMPARE(o.lines[0], std::string("0"));
    QCOMPARE(o.lines[9], std::string("bad_gears"));
    QVERIFY2(o.lines[10].find("Error.  Ratio for Trans Gear # 1 is less than Ratio for Trans Gear # 2") !=
                 std::string::npos,
             o.lines[10].c_str());
  }

  void missingFilesBecomeMessagesNotBoxes() {
    // No configuration, no working copy, no hand-over file: still an answer.
    Outcome o = Run();
    QVERIFY(o.finished);
    QCOMPARE(o.exitCode, 0);
    QCOMPARE(o.lines.size(), size_t(11));
    QCOMPARE(o.lines[0], std::string("0"));
    QVERIFY2(o.lines[10].find("File not found    1") != std::string::npos, o.lines[10].c_str());
    QVERIFY(o.lines[10].find("There is no power curve") != std::string::npos);
  }

  void completingKeepsTheCalculationsOwnLines() {
    UnattendedUi collected;
    SetActiveUnattendedUi(&collected);
    collected.MsgBox("Possible Error reading Configuration File.  File not found", mb::OKOnly, "");
    WriteLapDataFile({"12.34", "110.50", "1.750", "1200", "900", "1320", "3400", " 4", "0", "GTO",
                      std::string(2, '\r') + "warning"});
    CompleteLapDataFile();
    SetActiveUnattendedUi(nullptr);
    auto lines = CrLfLines(scene->Read(kLapDataFileName));
    QCOMPARE(lines.size(), size_t(11));
    QCOMPARE(lines[0], std::string("12.34"));
    QCOMPARE(lines[10], "Possible Error reading Configuration File.  File not found" + kCR + kCR + kCR + "warning");
  }
};

QTEST_MAIN(UnattendedTest)
#include "unattended_qtest.moc"
