#include "shell/cylvane_link.h"

#include <QProcess>
#include <QStandardPaths>

#include "platform/program_folder.h"
#include "platform/qt/qt_ui.h"
#include "platform/seqfile.h"
#include "platform/ui.h"
#include "shell/power_curve_import.h"
#include "shell/shell_state.h"

namespace sw {

namespace {

ProgramWindowActivator g_activator;

// On desktops with an EWMH window manager wmctrl can raise a window by the
// beginning of its title; elsewhere there is no portable way.
bool DesktopActivate(const std::string& title) {
  if (title.empty()) return false;
  QString wmctrl = QStandardPaths::findExecutable("wmctrl");
  if (wmctrl.isEmpty()) return false;
  QProcess p;
  p.start(wmctrl, {"-a", ToQ(title)});
  if (!p.waitForFinished(3000)) {
    p.kill();
    return false;
  }
  return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

}  // namespace

void SetProgramWindowActivator(ProgramWindowActivator activator) { g_activator = std::move(activator); }

bool ActivateProgramWindow(const std::string& title) {
  return g_activator ? g_activator(title) : DesktopActivate(title);
}

void CheckCylvaneLink(int16_t& quiet) {
  bool ok = true;
  if (shell.CylvaneTitle.empty()) {
    SeqReader in;
    if (in.Open(ProgramPath(kHandOverFile)) && !in.Eof()) shell.CylvaneTitle = in.InputItem();
    else ok = false;
  }
  if (ok) ok = ActivateProgramWindow(shell.CylvaneTitle);
  if (!ok && quiet == 0) {
    // Starting Cylvane again goes through the engine-program window, which
    // comes with a later version; the question is still asked.
    MsgBox("Lost Cylvane '" + shell.CylvaneTitle + "' Program, do you want to restart it?",
           mb::YesNo + mb::DefaultButton2, "Cylvane Not Running");
  }
}

}  // namespace sw
