#include "shell/program_main.h"

#include <QPointer>
#include <QTimer>
#include <new>

#include "files/configuration.h"
#include "platform/qt/default_instance.h"
#include "platform/qt/window_place.h"
#include "platform/text.h"
#include "platform/qt/window_lifetime.h"
#include "platform/ui.h"
#include "shell/frm_main.h"
#include "shell/shell_state.h"
#include "shell/splash_form.h"
#include "shell/startup.h"
#include "shell/unattended.h"
#include "simulation/tables.h"

namespace sw {

namespace {

constexpr int kActivationWaitMs = 400;

void ShowMainWindow() {
  frmMain* w = DefaultInstance<frmMain>::Get();
  if (ProgramEnding()) return;
  // Placed by its frame, so its title bar is on the screen whatever the
  // desktop does with a window that names no place.
  PlaceOver(w, nullptr);
  w->show();
  w->raise();
  w->activateWindow();
  // The one-time start-up runs on the first activation. A desktop that does
  // not hand the new window the focus must not leave the program without its
  // vehicle: run it a moment later, unless an activation came first. Not at
  // once: the desktop's activation would then arrive after the start-up
  // screen had opened, count as a second activation and take the focus from
  // that screen, which closes when it loses the focus.
  QPointer<frmMain> guard(w);
  Later(
      w, [guard] {
        if (guard && shell.ActivationCount == 0 && !ProgramEnding()) guard->InitMainWindow();
      },
      kActivationWaitMs);
}

// An error that reached the entry procedure.
void Failed(int errorNumber) {
  try {
    MsgBox("Cylvane Transfer error # " + Str(errorNumber), mb::OKOnly, "");
  } catch (...) {
  }
}

}  // namespace

void Main(const std::vector<std::string>& arguments) {
  try {
    tbl.StartMode = static_cast<int16_t>(StartModeFromArguments(arguments));
    if (tbl.StartMode == 2) {
      // No window: import, calculate, answer and end.
      EndProgram(UnattendedCalculation());
      return;
    }
    // The preferences a first start has before any configuration is read.
    ConfigurationDefaults();
    SplashForm* splash = DefaultInstance<SplashForm>::Get();
    splash->show();
    Ui().SetBusyCursor(true);
    ShowMainWindow();
    if (SplashForm* s = DefaultInstance<SplashForm>::IfLoaded()) s->hide();
  } catch (const std::bad_alloc&) {
    Failed(7);
  } catch (...) {
    Failed(51);
  }
}

}  // namespace sw
