#include "specs/spec_windows.h"

#include <QPointer>

#include "shell/frm_main.h"
#include "simulation/tables.h"
#include "specs/frm_calc_conds.h"
#include "specs/frm_driving.h"
#include "specs/frm_engine.h"
#include "specs/frm_tires.h"
#include "specs/frm_transmission.h"
#include "specs/frm_vehicle.h"
#include "specs/spec_window.h"

namespace sw {

namespace {

constexpr int kMenus = 10;
QPointer<SpecWindow> g_loaded[kMenus];
void (*g_forget[kMenus])(SpecWindow*) = {};

bool ValidMenu(int menu) { return menu >= 1 && menu < kMenus; }

// Loads the window of a spec menu (its constructor is its Form_Load). Each
// window built on the row kit gets its line here.
SpecWindow* LoadWindow(int menu) {
  switch (menu) {
    case kEngine:
      return SpecWindowInstance<frmEngine>();
    case kTransmission:
      return SpecWindowInstance<frmTransmission>();
    case kVehicle:
      return SpecWindowInstance<frmVehicle>();
    case kTires:
      return SpecWindowInstance<frmTires>();
    case kDriving:
      return SpecWindowInstance<frmDriving>();
    case kConditions:
      return SpecWindowInstance<frmCalcConds>();
    default:
      return nullptr;
  }
}

}  // namespace

void NoteSpecWindowLoaded(SpecWindow* w) {
  if (ValidMenu(w->Menu())) g_loaded[w->Menu()] = w;
}

void NoteSpecWindowGone(SpecWindow* w) {
  const int m = w->Menu();
  if (!ValidMenu(m) || g_loaded[m] != w) return;
  g_loaded[m].clear();
  if (g_forget[m]) g_forget[m](w);
}

void RememberForgetter(SpecWindow* w, void (*forget)(SpecWindow*)) {
  if (ValidMenu(w->Menu())) g_forget[w->Menu()] = forget;
}

SpecWindow* LoadedSpecWindow(int menu) { return ValidMenu(menu) ? g_loaded[menu].data() : nullptr; }

PickListOwner* PickListOwnerOf(int menu) {
  // Menus 8 and 9 belong to the dial-in window.
  if ((menu >= 1 && menu <= 6) || menu == kThrottleStop || menu == kDialIn) return LoadedSpecWindow(menu);
  return nullptr;
}

void ShowSpecWindow(int menu) {
  if (!ValidMenu(menu)) return;
  UnloadSpecWindows(menu);
  bool fresh = !LoadedSpecWindow(menu);
  SpecWindow* w = LoadWindow(menu);
  if (!w) return;
  if (fresh) {
    // Over the main window, and minimised with it.
    if (frmMain* main = DefaultInstance<frmMain>::IfLoaded()) w->setParent(main, w->windowFlags());
  }
  w->setEnabled(true);
  ShowOverMainWindow(w);
}

void UnloadSpecWindows(int exceptMenu) {
  for (int m = 1; m < kMenus; ++m)
    if (m != exceptMenu && g_loaded[m]) g_loaded[m]->Unload();
}

void StoreOpenSpecWindow() {
  for (int m = 1; m < kMenus; ++m) {
    // Leaving the row lets events run: the window may go meanwhile (it lost
    // the front to this very command), its rows stored as it went.
    StillLoaded<SpecWindow> w(g_loaded[m].data());
    if (!w) continue;
    w->LeaveEditedRows();
    if (w) w->StoreSpecRows();
  }
}

void RefillSpecWindow(int menu) {
  if (SpecWindow* w = LoadedSpecWindow(menu)) w->RefillFromSpecText();
}

void ActivateSpecWindow(int menu) {
  if (SpecWindow* w = LoadedSpecWindow(menu)) ShowOverMainWindow(w);
}

}  // namespace sw
