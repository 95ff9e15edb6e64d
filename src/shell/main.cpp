// Stagewell's windowed program. The program users start, `stagewell`,
// hands it every start but the unattended one; started by itself it does
// the same.
//
//   stagewell-gui          the program, with the last vehicle
//   stagewell-gui /E       started by the Cylvane engine program
//   stagewell-gui /E /M    Cylvane's unattended calculation, as `stagewell`
//                          does it: no window, no Qt
#include <QApplication>
#include <filesystem>
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

int main(int argc, char** argv) {
  const auto started = std::filesystem::file_time_type::clock::now();
  std::vector<std::string> arguments(argv + 1, argv + argc);
  // The unattended calculation needs no window, no font and no display.
  if (sw::StartModeFromArguments(arguments) == 2) return sw::UnattendedStart(argv[0], started);

  QApplication app(argc, argv);
  QApplication::setApplicationName("Stagewell");
  QApplication::setQuitOnLastWindowClosed(false);
  sw::InstallKeyboardAccess([] { return static_cast<QWidget*>(sw::DefaultInstance<sw::frmMain>::IfLoaded()); });

  sw::QtUi qtUi;
  sw::QtPrograms qtPrograms;
  sw::SetPrograms(&qtPrograms);
  sw::SetUi(&qtUi);

  // The shipped data that seeds the program folder: beside the program when
  // it is installed, else the source tree it was built from.
  sw::SetSeedFolder(sw::ShippedDataBeside(argv[0]));
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
