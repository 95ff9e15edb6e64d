// File names and paths: the checks of a name the user typed, the existence
// test, cutting a path into folder and name, the short name of the current
// file, what a question about unsaved specs calls them, and where the
// program's own folders lie.
//
// Names are checked by the rules of the file system here (no "/", no
// control characters, at most 255 bytes, not empty) and by the characters
// Windows refuses, so that files move between the two unchanged.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace sw {

// Folders and fixed files of the program folder.
inline constexpr const char* kVehicleFolder = "VEHDAT";
inline constexpr const char* kExampleVehicleFolder = "XVehicleData";
inline constexpr const char* kDialInFolder = "DIALIN";
inline constexpr const char* kThrottleStopFolder = "THRTLSTP";
inline constexpr const char* kHistoryFolder = "QVHISTRY";
inline constexpr const char* kWorkingCopyFile = "QVCURVEH.ZKT";
inline constexpr const char* kConfigurationFile = "qvzCNFG.ZKT";

// The library folder of the kind of file CalcMode handles: VEHDAT (or
// XVehicleData while the example library is open), DIALIN or THRTLSTP.
const char* KindFolder(int16_t calcMode, int16_t exampleLibraryMode);

// The program folder as text, "/" separators, no final "/".
std::string ProgramFolderText();

// A stored path as this program uses it: "\" becomes "/", and a path
// written on Windows ("C:\...\VEHDAT\T1") is taken to the same place in this
// program folder when it names one of the program's library folders.
std::string NativePath(std::string_view stored);
// The file a stored path names on disk: paths in the program folder are
// looked up case-insensitively ("vehdat" finds VEHDAT).
std::filesystem::path DiskPath(std::string_view stored);

// Creates a folder of the program (VEHDAT, DIALIN, THRTLSTP, QVHISTRY,
// XVehicleData) when `folder` is one of them and missing. False when it
// stays missing.
bool EnsureOwnFolder(const std::filesystem::path& folder);

// Creates the program's own folders that are missing (never the program
// folder itself). The reader and the writer call it, so a fresh program
// folder gets them at the first start.
void EnsureFileFolders();

// Checks fst.NewFileName for characters no file name may hold. kindWord is
// "Vehicle", "Dial In", "Throttle Stop", "Data", or "no response" for a
// silent check. Leaves the name, a shortened name, "" or kRefusedName in
// fst.NewFileName.
void ValidateEntryName(const std::string& kindWord);

// Tests the full path fst.ChosenFileName: fst.FileExists = 0 when a file of
// that name exists, 1 when the name cannot be a file name (after the
// "Invalid File Name" message, or the one for a hidden name) or names
// something a save never replaces (after the failed-write message for
// `what`, "The file"), 2 when it is free.
void ValidateFileName83(const std::string& what = "The file");

// Cuts a path at its last "/" (or "\") into folder and file name.
void SplitPath(std::string& folderOut, const std::string& path, std::string& fileNameOut);

// fst.CurrentFileName = fst.CurrentFilePath relative to the program folder's
// `folderWord` folder (sub-folders kept), or its bare file name when it lies
// elsewhere.
void MakeRelativeName(const std::string& folderWord);

// What a question about unsaved specs of the kind `calcMode` calls them:
// their file name, or, while they have none, "the new vehicle", "the
// dial-in entries" or "the throttle-stop entries".
std::string UnsavedSpecsName(int16_t calcMode, const std::string& fileName);

// "Save your changes to <name> ?" and what is lost by No, asked before other
// specs replace the current ones. Specs without a name were never
// retrieved, so the second sentence does not say "since you retrieved it".
std::string SaveChangesQuestion(int16_t calcMode, const std::string& fileName);

}  // namespace sw
