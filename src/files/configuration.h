// The configuration file qvzCNFG.ZKT: the preferences, the graph, print and
// text-export options, the 25 newest runs of the run history, the sibling
// engine program's folders, the viewer paths and the time-slip window's
// position, kept from one run of the program to the next.
//
// The values that belong to other parts of the program but live only here
// are defined in `cfg`; the rest are in `tbl` (FinerTime, BeginnerLevel,
// HistoryDisplay, InstantUpdate, the history) and `fst` (FloppyDrive).
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace sw {

class SeqReader;

inline constexpr int kCylvaneEditions = 6;  // 0..5; the file keeps 0..4 and the custom edition 4

struct Configuration {
  // --- graph window
  int16_t ShowBaseRun = -1;     // True (-1): draw the base run beside the current run
  int16_t BaseRunMode = 1;      // 1 the previous run, 2 fixed by the user
  int16_t GraphPrintColor = 1;  // 1 colour, 0 black and white
  // 1 = standard graph labels, other = the labels typed in the graph options
  // (the file's "UseOwnLabels" row).
  int16_t StandardGraphLabels = 1;
  int16_t ThickPlotLines = 1;
  std::string GraphLabel1, GraphLabel2, GraphLabel3;
  int16_t GraphBackColor = 15;  // palette index: 0 black, 7 gray, 15 white
  int16_t PlotType = 1;         // 1..8

  // --- values read from the start-up copy of the working copy's changed flag
  int16_t SavedSpecsChanged = 0;

  // --- printing and text export
  std::array<int16_t, 5> PrintOptions{1, 1, 1, 1, 1};
  std::array<int16_t, 3> AsciiOptions{1, 1, 0};  // comma separated, include text, convert to columns
  int16_t PrinterOrientation = 0;                // 1 portrait, 2 landscape, else left alone

  // --- spare integers kept as read (used nowhere else)
  std::array<int16_t, 2> GraphSpare{};
  std::array<int16_t, 2> ConfigSpare1{};
  std::array<int16_t, 2> ConfigSpare2{};

  // --- sibling engine program
  int16_t CylvaneEdition = 0;
  std::array<std::string, kCylvaneEditions> CylvaneFolder;
  std::array<std::string, kCylvaneEditions> CylvaneExeName;
  std::array<std::string, kCylvaneEditions> CylvaneShortName;

  // --- preferences of the six spec windows
  int16_t RemindTireWeight = 1;
  int16_t ThickEngineLines = 1;

  // --- outside viewers
  std::string BrowserPath;
  std::string ManualViewerPath;

  // --- time slip window (twips); both 0 = not placed yet
  int32_t TimeSlipLeft = 0;
  int32_t TimeSlipTop = 0;
  int16_t AutoTimeSlip = 0;

  // --- preferences window
  int16_t OldExamplesDeleted = 0;
};

extern Configuration cfg;

// The values every preference starts with before a configuration file was
// ever read: `cfg` as declared, Beginner Level, instant updating on, the
// coarser time step, history hidden, floppy drive "A".
void ConfigurationDefaults();

// direction 1 reads the file (start-up), any other value writes it (exit).
// A failure is shown in a box; a write that failed returns false, the old
// file as it was, and `error` (when given) holds why (see WriteErrorText).
bool ReadWriteConfiguration(int16_t& direction, int* error = nullptr);
inline bool ReadWriteConfiguration(int direction, int* error = nullptr) {
  int16_t d = static_cast<int16_t>(direction);
  return ReadWriteConfiguration(d, error);
}
// The write, with row 4 (the working copy's changed mark) from
// `specsChanged`: at an exit that could not write the working copy, the
// older copy's mark, not the one of the specs on screen.
bool WriteConfiguration(int16_t specsChanged, int* error = nullptr);

// The reading steps on a file already open (disk or memory); the text the
// writer writes, row 4 from `specsChanged`.
void ReadConfiguration(SeqReader& file);
std::string ConfigurationText(int16_t specsChanged);

}  // namespace sw
