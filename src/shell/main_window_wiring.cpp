#include "shell/main_window_wiring.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>

#include "files/preferences.h"
#include "platform/qt/qt_ui.h"
#include "shell/frm_main.h"
#include "shell/rtrvfile.h"
#include "shell/user_actions.h"

namespace sw {

namespace {

void Available(QAction* a) {
  if (!a) return;
  a->setEnabled(true);
  a->setToolTip({});
  a->setStatusTip({});
}

void Available(QWidget* w) {
  if (!w) return;
  w->setEnabled(true);
  w->setToolTip({});
}

}  // namespace

void WireHelpAndFileWindows(frmMain* m) {
  auto item = [m](const char* name) { return m->findChild<QAction*>(name); };
  auto on = [m](QAction* a, std::function<void()> f) {
    if (!a) return;
    Available(a);
    OnAction(a, &QAction::triggered, m, a->objectName().toStdString(), [f] { f(); });
  };

  // The open and save-as windows are there: the library commands work.
  // "Save To Floppy Disk" saves through the save-as window into a folder the
  // racer picks.
  for (QAction* a : {m->mnuOpenExampleFile, m->mnuFilLoad, m->mnuSaveAs, m->mnuCopyFloppy, m->mnuOpenFileExample,
                     m->mnuOpenFileMyVehicles})
    Available(a);
  Available(m->cmdOpen);
  on(m->mnuNew, [] { NewVehicle(); });

  // Preferences: the check marks and the floppy caption are refreshed each
  // time the menu drops down.
  struct Pair {
    const char* name;
    bool PreferenceMarks::*mark;
    bool whenSet;
  };
  static const Pair kPairs[] = {
      {"mnuAllowInstant", &PreferenceMarks::allowInstant, true},
      {"mnuDontAllowInstant", &PreferenceMarks::allowInstant, false},
      {"mnuFinerTime", &PreferenceMarks::finerTime, true},
      {"mnuStdTime", &PreferenceMarks::finerTime, false},
      {"mnuBeginner", &PreferenceMarks::beginner, true},
      {"mnuExperieced", &PreferenceMarks::beginner, false},
      {"mnuRemindTireWt", &PreferenceMarks::remindTireWeight, true},
      {"mnuDontRemindTireWt", &PreferenceMarks::remindTireWeight, false},
      {"mnuEngineThickLines", &PreferenceMarks::thickEngineLines, true},
      {"mnuEngineThinLines", &PreferenceMarks::thickEngineLines, false},
  };
  for (const Pair& p : kPairs)
    if (QAction* a = item(p.name)) a->setCheckable(true);
  QObject::connect(m->mnuPreferences, &QMenu::aboutToShow, m, [item] {
    PreferenceMarks marks = RefreshPreferenceMarks(ProgramPreferences());
    if (QAction* a = item("mnuDefaultDrive")) a->setText(ToQ(marks.defaultDriveCaption));
    for (const Pair& p : kPairs)
      if (QAction* a = item(p.name)) a->setChecked(marks.*(p.mark) == p.whenSet);
  });

  auto pref = [&](const char* name, std::function<void(PreferenceValues&)> f) {
    on(item(name), [f] {
      PreferenceValues v = ProgramPreferences();
      f(v);
    });
  };
  pref("mnuDefaultDrive", [](PreferenceValues& v) { ChangeFloppyDrive(v); });
  pref("mnuStdTime", [](PreferenceValues& v) { ChooseStandardTime(v); });
  pref("mnuFinerTime", [](PreferenceValues& v) { ChooseFinerTime(v); });
  pref("mnuBeginner", [](PreferenceValues& v) { ChooseBeginnerLevel(v, true); });
  pref("mnuExperieced", [](PreferenceValues& v) { ChooseBeginnerLevel(v, false); });
  pref("mnuRemindTireWt", [](PreferenceValues& v) { ChooseTireWeightReminder(v, true); });
  pref("mnuDontRemindTireWt", [](PreferenceValues& v) { ChooseTireWeightReminder(v, false); });
  pref("mnuEngineThickLines", [](PreferenceValues& v) { ChooseEngineLines(v, true); });
  pref("mnuEngineThinLines", [](PreferenceValues& v) { ChooseEngineLines(v, false); });
  pref("mnuAllowInstant", [](PreferenceValues& v) { AllowInstantUpdating(v); });
  pref("mnuDontAllowInstant", [](PreferenceValues& v) { DontAllowInstantUpdating(v); });
  pref("mnuDeleteAllExamples", [](PreferenceValues& v) { RemoveOldExamples(v, false); });
  pref("mnuDeleteUnchangedExamples", [](PreferenceValues& v) { RemoveOldExamples(v, true); });
}

}  // namespace sw
