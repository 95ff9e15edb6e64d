// Stagewell: predicts how a car runs down a drag strip.
//
//   stagewell          the program, with the last vehicle
//   stagewell /E       started by the Cylvane engine program
//   stagewell /E /M    Cylvane's unattended calculation: imports ENGCURVE.ZKT,
//                      calculates, writes LapDtOut.txt and ends; no window
//                      and no box, and no display needed. Exit status 0
//                      when LapDtOut.txt holds this run's answer, else 1
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <string>
#include <vector>

#include "platform/program_folder.h"
#include "platform/outside_programs.h"
#include "platform/qt/default_instance.h"
#include "platform/qt/keyboard_access.h"
#include "platform/qt/qt_programs.h"
#include "platform/qt/qt_ui.h"
#include "platform/seqfile.h"
#include "platform/ui.h"
#include "platform/viewer_copies.h"
#include "shell/frm_main.h"
#include "shell/program_main.h"
#include "shell/qt_window_host.h"
#include "shell/startup.h"
#include "shell/unattended.h"

namespace {

bool HasDisplay() {
  return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY") ||
         !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

// The shipped data that seeds the program folder: beside the program when
// it is installed, else the source tree it was built from.
std::filesystem::path ShippedData(const char* argv0) {
  QFileInfo exe(QString::fromLocal8Bit(argv0));
  for (const QString& rel : {QStringLiteral("data"), QStringLiteral("../share/stagewell/data")}) {
    QDir d(exe.absoluteDir().filePath(rel));
    if (d.exists()) return std::filesystem::path(d.absolutePath().toStdString());
  }
#ifdef SW_DATA_DIR
  return std::filesystem::path(SW_DATA_DIR);
#else
  return {};
#endif
}

}  // namespace

int main(int argc, char** argv) {
  const auto started = std::filesystem::file_time_type::clock::now();
  std::vector<std::string> arguments(argv + 1, argv + argc);
  const int startMode = sw::StartModeFromArguments(arguments);
  if (startMode == 2 && !HasDisplay()) qputenv("QT_QPA_PLATFORM", "offscreen");

  QApplication app(argc, argv);
  QApplication::setApplicationName("Stagewell");
  QApplication::setQuitOnLastWindowClosed(false);
  sw::InstallKeyboardAccess([] { return static_cast<QWidget*>(sw::DefaultInstance<sw::frmMain>::IfLoaded()); });

  sw::QtUi qtUi;
  sw::QtPrograms qtPrograms;
  sw::SetPrograms(&qtPrograms);
  sw::UnattendedUi unattendedUi([] { QCoreApplication::processEvents(); });
  if (startMode == 2) {
    sw::SetUi(&unattendedUi);
    sw::SetActiveUnattendedUi(&unattendedUi);
  } else {
    sw::SetUi(&qtUi);
  }

  sw::SetSeedFolder(ShippedData(argv[0]));
  // Cylvane must never read an earlier answer as this run's: one that can be
  // neither removed nor emptied would be read back as this run's answer
  // (nothing can be written over it either), so the run fails at once.
  if (startMode == 2 && !sw::RemoveLapDataFile()) return sw::kUnattendedFailedStatus;
  if (!sw::EnsureProgramFolder()) {
    sw::MsgBox("The program folder " + sw::ProgramFolder().string() +
                   " could not be created.  Set STAGEWELL_HOME to a folder you can write to.",
               sw::mb::OKOnly + sw::mb::Critical, "");
    return 1;
  }
  // Saves that never finished left their temporary files; one newer than
  // this start may be another copy of the program saving right now.
  sw::RemoveLeftOverTemporaryFiles(sw::ProgramFolder(), started);
  // Copies a program that did not end normally left for the text viewer.
  sw::RemoveDeadViewerCopies();
  sw::InstallQtWindows();

  sw::Main(arguments);
  if (sw::ProgramEnding()) return sw::ProgramExitStatus();
  return QApplication::exec();
}
