// The Preferences menu of the main window: the preferences the configuration
// file keeps, their check marks, and the confirmations some of them ask for.
// The menu itself is built by the main window; these are its actions.
#pragma once

#include <cstdint>
#include <string>

namespace sw {

// The preferences the menu changes, bound to where the program keeps them.
struct PreferenceValues {
  std::string* FloppyDrive = nullptr;    // "A" or "B"
  int16_t* FinerTime = nullptr;          // 1 = .001 s time step
  int16_t* BeginnerLevel = nullptr;      // 1 = Beginner Level
  int16_t* RemindTireWeight = nullptr;   // 1 = remind on tire weight change
  int16_t* ThickEngineLines = nullptr;   // 1 = thick engine graph lines
  int16_t* InstantUpdate = nullptr;      // 1 = instant updating
  int16_t* OldExamplesDeleted = nullptr;
};

// Which item of each pair carries the check mark, and the floppy caption.
struct PreferenceMarks {
  std::string defaultDriveCaption;  // "Default Floppy Drive, currently A"
  bool allowInstant = false;        // else "Don't Allow Instant Updating"
  bool finerTime = false;           // else ".01 Sec Increments"
  bool beginner = false;            // else "Experienced Level"
  bool remindTireWeight = false;    // else "Don't Remind on Tire Wt Change"
  bool thickEngineLines = false;    // else "Engine Graph - Thin Lines"
};
PreferenceMarks RefreshPreferenceMarks(const PreferenceValues& v);

// One action per menu item.
void ChangeFloppyDrive(PreferenceValues& v);                    // mnuDefaultDrive
void ChooseFinerTime(PreferenceValues& v);                      // mnuFinerTime
void ChooseStandardTime(PreferenceValues& v);                   // mnuStdTime
void ChooseBeginnerLevel(PreferenceValues& v, bool beginner);   // mnuBeginner / mnuExperieced
void ChooseTireWeightReminder(PreferenceValues& v, bool remind);
void ChooseEngineLines(PreferenceValues& v, bool thick);
void AllowInstantUpdating(PreferenceValues& v);                 // mnuAllowInstant
void DontAllowInstantUpdating(PreferenceValues& v);             // mnuDontAllowInstant
void RemoveOldExamples(PreferenceValues& v, bool onlyUnchanged);  // mnuDeleteAllExamples / ...Unchanged

}  // namespace sw

namespace sw {
// The program's own preferences (tbl, fst and cfg).
PreferenceValues ProgramPreferences();
}  // namespace sw
