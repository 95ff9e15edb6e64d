#include "files/preferences.h"

#include "files/configuration.h"
#include "files/file_state.h"
#include "files/old_examples.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "simulation/tables.h"

namespace sw {

namespace {

const std::string kTimeMessage =
    "Just changing the calculation time increment will have a minor effect on the results.  Do not compare data "
    "calculated at 2 different time increments.";
const std::string kTimeTitle = "Time Increment Slightly Affects Results";

void SetTimeIncrement(PreferenceValues& v, int16_t finer) {
  if (!v.FinerTime) return;
  if (*v.FinerTime != finer) MsgBox(kTimeMessage, mb::OKOnly, kTimeTitle);
  *v.FinerTime = finer;
}

}  // namespace

PreferenceMarks RefreshPreferenceMarks(const PreferenceValues& v) {
  PreferenceMarks m;
  m.defaultDriveCaption = "Default Floppy Drive, currently " + (v.FloppyDrive ? *v.FloppyDrive : std::string());
  m.allowInstant = v.InstantUpdate && *v.InstantUpdate == 1;
  m.finerTime = v.FinerTime && *v.FinerTime != 0;
  m.beginner = v.BeginnerLevel && *v.BeginnerLevel != 0;
  m.remindTireWeight = v.RemindTireWeight && *v.RemindTireWeight == 1;
  m.thickEngineLines = v.ThickEngineLines && *v.ThickEngineLines != 0;
  return m;
}

void ChangeFloppyDrive(PreferenceValues& v) {
  if (!v.FloppyDrive) return;
  std::string other = *v.FloppyDrive != "B" ? "B" : "A";
  int a = MsgBox("Default Floppy Drive is currently " + *v.FloppyDrive + "  Do you want to change it to " + other + "?",
                 mb::YesNoCancel + mb::Question, "Change Floppy Drive to " + other + "?");
  if (a == ans::Yes) *v.FloppyDrive = other;
}

void ChooseFinerTime(PreferenceValues& v) { SetTimeIncrement(v, 1); }
void ChooseStandardTime(PreferenceValues& v) { SetTimeIncrement(v, 0); }

void ChooseBeginnerLevel(PreferenceValues& v, bool beginner) {
  if (v.BeginnerLevel) *v.BeginnerLevel = beginner ? 1 : 0;
}
void ChooseTireWeightReminder(PreferenceValues& v, bool remind) {
  if (v.RemindTireWeight) *v.RemindTireWeight = remind ? 1 : 0;
}
void ChooseEngineLines(PreferenceValues& v, bool thick) {
  if (v.ThickEngineLines) *v.ThickEngineLines = thick ? 1 : 0;
}

void AllowInstantUpdating(PreferenceValues& v) {
  const std::string cr(1, CR);
  int a = MsgBox(
      "Selecting this option tells the program to recalculate performance after every change you make.  The latest "
      "results are shown at the top of the menu you are currently working with." +
          cr + cr +
          "On slower computers, this may require you to wait a few seconds (hour glass being displayed) until you "
          "can make your next change." +
          cr + cr + "Are you sure you want to turn on this option?",
      mb::YesNoCancel + mb::Question, "Turn On Instant Updating?");
  if (a == ans::Yes && v.InstantUpdate) *v.InstantUpdate = 1;
}

void DontAllowInstantUpdating(PreferenceValues& v) {
  const std::string cr(1, CR);
  int a = MsgBox("The program will now wait until you select to calculate performance at the main screen before "
                 "calculating performance." +
                     cr + cr + "Are you sure you want to turn this option Off?",
                 mb::YesNoCancel + mb::Question, "Turn Off Instant Updating?");
  if (a == ans::Yes && v.InstantUpdate) *v.InstantUpdate = 0;
}

void RemoveOldExamples(PreferenceValues& v, bool onlyUnchanged) {
  int16_t scratch = 0;
  DeleteOldVehicleFiles(onlyUnchanged ? 1 : 0, v.OldExamplesDeleted ? *v.OldExamplesDeleted : scratch);
}

PreferenceValues ProgramPreferences() {
  return {&fst.FloppyDrive,      &tbl.FinerTime,     &tbl.BeginnerLevel,        &cfg.RemindTireWeight,
          &cfg.ThickEngineLines, &tbl.InstantUpdate, &cfg.OldExamplesDeleted};
}

}  // namespace sw
