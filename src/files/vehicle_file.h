// The reader and the writer of every file that holds a vehicle's specs: the
// user's vehicle files and the example vehicles, dial-in and throttle-stop
// files, the history copy of each run and the working copy. CalcMode tells
// the kind of file (0 vehicle, 1 dial-in, 2 throttle stop); the open mode
// and fst.FileOperation tell where it lies and what becomes current.
#pragma once

#include <cstdint>
#include <string>

#include "files/file_windows.h"

namespace sw {

class SeqReader;

// Open modes.
namespace openmode {
inline constexpr int16_t Choose = 0;       // show the open window; it calls again with Chosen
inline constexpr int16_t WorkingCopy = 1;  // QVCURVEH.ZKT
inline constexpr int16_t Preview = 2;      // the chosen file into SpecTextAlt, nothing current changes
inline constexpr int16_t Chosen = 3;       // kind folder & ChosenFileName
inline constexpr int16_t History = 4;      // QVHISTRY & HistoryName(HistorySlot)
}  // namespace openmode

// Save modes (fst.FileOperation).
namespace savemode {
inline constexpr int16_t SaveAs = 0;        // 0 or less: the save-as window asks for a name
inline constexpr int16_t SaveAsFromOpen = -1;
inline constexpr int16_t SaveAsBeforeNew = -3;
inline constexpr int16_t SaveAsBeforeHistory = -4;
inline constexpr int16_t SaveAsBeforeExit = -5;  // a new vehicle named on the way out
inline constexpr int16_t WorkingCopy = 1;   // QVCURVEH.ZKT
inline constexpr int16_t SameName = 2;      // CurrentFilePath
inline constexpr int16_t ChosenPath = 3;    // ChosenFileName, a full path
inline constexpr int16_t History = 4;       // QVHISTRY & HistoryName(0)
}  // namespace savemode

// The first line of each kind of file.
inline constexpr const char* kVehicleMagic = "QVZ-ZKT*3.20";
inline constexpr const char* kDialInMagic = "QVZ-ZKT-DI*3.20";
inline constexpr const char* kThrottleStopMagic = "QVZ-ZKT-TS*3.20";

inline constexpr const char* kNotOurFileMessage = "This is not a Stagewell file, and can not be used by the program";

// Reads a file into the shared state by the open mode (see openmode).
void OpenVehicleFile(FormId callingWindow, int16_t& openMode);
inline void OpenVehicleFile(FormId callingWindow, int openMode) {
  int16_t m = static_cast<int16_t>(openMode);
  OpenVehicleFile(callingWindow, m);
}

// Writes the current state by fst.FileOperation (see savemode). False when
// nothing could be written (the reason was shown, and `error`, when given,
// holds it as WriteErrorText takes it); the save-as modes only open the
// save-as window and count as done.
bool SaveVehicleFile(FormId callingWindow, int* error = nullptr);

// The text SaveVehicleFile writes in a save mode, lines ended by CR LF.
std::string VehicleFileText(int16_t saveMode);

// The reading steps of OpenVehicleFile once the file is open: `file` holds
// it (read from disk or from memory), `path` is the path it stands for.
void ReadVehicleFile(SeqReader& file, FormId callingWindow, int16_t openMode, const std::string& path);

}  // namespace sw
