// Starting a real program through the Qt layer: a small shell script stands
// for the engine program (never a browser or a viewer).
#include <unistd.h>

#include <QtTest>
#include <filesystem>

#include "platform/qt/qt_programs.h"
#include "platform/seqfile.h"
#include "support/temp_folder.h"

using namespace sw;
namespace fs = std::filesystem;

class ProgramsTest : public QObject {
  Q_OBJECT

 private slots:
  // The argument list arrives as given (no shell splits or expands it) and
  // the program runs in the folder it was given.
  void startPassesArgumentsAndFolder() {
    TempFolder t;
    const fs::path folder = t.path() / "Cylvane Pro";
    fs::create_directories(folder);
    const fs::path script = folder / "RunCylvane.sh";
    WriteFileAtomic(script, "#!/bin/sh\nprintf '%s|' \"$@\" > got.tmp\npwd >> got.tmp\nmv got.tmp got.txt\n");
    fs::permissions(script, fs::perms::owner_all);
    QtPrograms programs;
    const int64_t pid = programs.Start(script.string(), {"/E", "two words", "$HOME"}, folder.string());
    QVERIFY(pid > 0);
    QTRY_VERIFY_WITH_TIMEOUT(fs::exists(folder / "got.txt"), 60000);
    std::string got;
    QVERIFY(ReadFileBytes(folder / "got.txt", got));
    QCOMPARE(got, "/E|two words|$HOME|" + folder.string() + "\n");

    QCOMPARE(programs.Start((folder / "missing.sh").string(), {"/E"}, folder.string()), int64_t(0));
    QCOMPARE(programs.Start(script.string(), {"/E"}, "C:\\KORVLABS.ZKT\\CV\\"), int64_t(0));
    QVERIFY(programs.StillRunning(getpid()));
    QVERIFY(!programs.StillRunning(0));
  }

  // Without an X11 window manager nobody can tell whether a window exists.
  void activationOffTheDesktop() {
    QtPrograms programs;
    QCOMPARE(programs.Activate("CV"), Activation::CannotTell);
  }
};

QTEST_MAIN(ProgramsTest)
#include "programs_qtest.moc"
