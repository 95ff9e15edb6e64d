// The six spec windows seen from outside them: the main window opens them
// and makes them store their rows before it calculates or saves; companion
// windows (calculators, example windows) write SpecText and ask the loaded
// window to show it; the example and calculator windows are reached through
// the entry points at the end, which their own code fills in.
#pragma once

#include <string>
#include <vector>

#include "platform/qt/default_instance.h"

namespace sw {

class SpecWindow;

// ------------------------------------------------------------ the main window

// A spec button: unloads the other spec windows (their rows stored), loads
// the menu's window and shows it over the main window. The caller has set
// shell.KeepSpecForm = 0 and tbl.InstantCalcMenu.
void ShowSpecWindow(int menu);
// The loaded window of a menu, nullptr when none.
SpecWindow* LoadedSpecWindow(int menu);
// Unloads every loaded spec window, each storing its rows (opening a file,
// minimising, closing the main window).
void UnloadSpecWindows(int exceptMenu = 0);
// Before Calculate, Save, Save As, Exit, Match, Dial-In, Throttle Stop and
// printing: the open spec window leaves every box edited and not yet left
// (unless SkipValidation) and stores its rows.
void StoreOpenSpecWindow();

// ------------------------------------------------------------ companions

// After a companion wrote SpecText for a menu: the loaded window of that
// menu refills its rows at once (so it cannot store the old text), and
// ActivateSpecWindow hands it the front back.
void RefillSpecWindow(int menu);
void ActivateSpecWindow(int menu);

// ------------------------------------------------------------ entry points the example and calculator windows fill

// Example windows (src/specs/spec_companions.cpp). The caller has set
// shell.ExampleComponent, ExamplePrefix, ExampleKind, ExampleMenu,
// ExampleSubChoice, ExampleModeCode and KeepSpecForm = 1 first.
// "Get Example": loads, enables and shows frmExample (not modal).
void ShowExampleList();
// "Save Example": ReadExampleCategory for shell.ExampleComponent, then
// frmCmprExmpl in save mode (not modal).
void ShowExampleComparison();
// The modal chooser frmChos2: the caption and lines given; returns the
// chosen line's index, -1 when cancelled (also in shell.ChooserResult).
int ChooseExampleCategory(const std::string& caption, const std::vector<std::string>& lines);

// The calculator window frmCalcData for shell.CalcMenuNumber: unloaded if
// loaded, then loaded and shown (not modal).
void ShowCalculator();

// ------------------------------------------------------------ for the windows themselves

// The default instance of a spec window class, which forgets it when it
// unloads itself.
template <class T>
T* SpecWindowInstance();
void RememberForgetter(SpecWindow* w, void (*forget)(SpecWindow*));
// The kit reports its windows coming and going.
void NoteSpecWindowLoaded(SpecWindow* w);
void NoteSpecWindowGone(SpecWindow* w);

template <class T>
T* SpecWindowInstance() {
  bool fresh = !DefaultInstance<T>::Loaded();
  T* w = DefaultInstance<T>::Get();
  if (fresh) RememberForgetter(w, [](SpecWindow* s) { DefaultInstance<T>::Forget(s); });
  return w;
}

}  // namespace sw
