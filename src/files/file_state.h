// The current-file state: which vehicle, dial-in and throttle-stop files the
// specs stand for, their comments, what the reader and writer are asked to
// do next and how the last open went. One instance, `fst`, lives for the
// whole run of the program beside the shared tables.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "simulation/tables.h"

namespace sw {

inline constexpr int kSpecAltCount = 231;  // SpecTextAlt 0..230

// FileVersion after an open.
namespace filever {
inline constexpr int16_t V320 = 0;
inline constexpr int16_t V2Converted = 1;
inline constexpr int16_t V300 = 3;
inline constexpr int16_t NotOurs = -2;
}  // namespace filever

// FileExists after ValidateFileName83.
namespace fexist {
inline constexpr int16_t Exists = 0;
inline constexpr int16_t Invalid = 1;
inline constexpr int16_t Free = 2;
}  // namespace fexist

// What a name check puts into NewFileName when the name cannot be used.
inline constexpr const char* kRefusedName = "-~~~999";

struct FileState {
  // The vehicle file the specs stand for: full path, and the name relative
  // to its library folder ("" for a new vehicle).
  std::string CurrentFilePath;
  std::string CurrentFileName;
  // The name chosen in the open window (relative to the kind folder), or
  // the full target path of a save in save mode 3.
  std::string ChosenFileName;
  // Dial-in and throttle-stop files linked to the current vehicle, relative
  // to their folders.
  std::string DialInFileName;
  std::string ThrottleStopFileName;
  // Comment texts, lines joined with CR LF.
  std::string VehicleComments;
  std::string DialInComment;
  std::string ThrottleStopComment;

  int16_t SpecsChanged = 0;      // 1 = unsaved changes
  // What the working copy on disk holds for the next start, as of its read
  // at start-up or its last write: the vehicle's name (CurrentFileName then)
  // and its changed mark (SpecsChanged then). An exit that cannot write a
  // newer copy tells the racer that name and keeps that mark.
  std::string WorkingCopyName;
  int16_t WorkingCopyChanged = 0;
  int16_t FileVersion = 0;       // see filever
  int16_t FileReadFailed = 0;    // 1 = the last open failed; callers clear it first
  int16_t FloppyMode = 0;        // 1 = the next open or save goes through the floppy drive
  std::string FloppyDrive = "A"; // the drive letter the preferences keep ("A" or "B")
  // The folder that stands for the floppy drive here: the folder of the last
  // file picked in the floppy open dialog; "" means the program folder, where
  // its file dialogs start.
  std::string FloppyFolder;
  int16_t ExampleLibraryMode = 0;  // 1 = vehicle files are the example vehicles
  int16_t FileOperation = 0;       // the save mode of SaveVehicleFile
  int16_t HistorySlot = 0;         // the history row open mode 4 reopens

  // Second spec buffer, filled only by a preview (open mode 2).
  std::array<std::string, kSpecAltCount> SpecTextAlt;
  // The comment a preview read.
  std::string SavedComment;

  // What the last reads of vehicle, dial-in and throttle-stop files put into
  // SpecText, by slot ("" where no read put anything): see FigureFromFile.
  std::array<std::string, kSpecCount> SpecTextRead;

  // Name checks: the typed name (and the refusal marker), the result of the
  // existence test.
  std::string NewFileName;
  int16_t FileExists = 0;
};

extern FileState fst;

// Back to the state at program start; tests start each case from here.
void ResetFileState();

// Whether SpecText's slot holds exactly what a file put there, not a figure
// of the program's own: a file may have been edited by hand, so leaving its
// box tests it like a typed entry.
bool FigureFromFile(int slot);

// The folder a floppy open or save starts in.
std::string FloppyFolderPath();

}  // namespace sw
