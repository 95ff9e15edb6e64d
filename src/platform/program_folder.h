// "The program folder": the writable folder that holds the configuration,
// the working copy, the vehicle libraries and the shipped data files.
// $STAGEWELL_HOME when set, else ~/.local/share/stagewell (XDG_DATA_HOME).
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace sw {

std::filesystem::path ProgramFolder();
// Tests and the unattended mode point the program at a folder of their own.
void SetProgramFolder(const std::filesystem::path& folder);

// The shipped data folder used to seed the program folder.
std::filesystem::path SeedFolder();
void SetSeedFolder(const std::filesystem::path& folder);

// Written into the program folder once every shipped file is there.
inline constexpr const char* kSeedStampFile = ".seeded";

// Creates the program folder when missing and copies every shipped file that
// is not there yet; files already there are never overwritten. Once all are
// there a stamp says so, and later starts skip the copying until the shipped
// folder changes (another folder, or a file added or taken away). False when
// the folder cannot be created.
bool EnsureProgramFolder();

// The shipped data beside a program file: "data" in its folder, else
// "../share/stagewell/data" as installed; empty when neither is there.
std::filesystem::path ShippedDataBeside(const std::filesystem::path& program);

// A path under the program folder, written with "/" or "\" separators. Each
// part is matched case-insensitively against what is on disk, so "VehDat"
// finds "VEHDAT"; parts that do not exist keep the spelling given.
std::filesystem::path ProgramPath(std::string_view relative);
// The same lookup under any folder.
std::filesystem::path ResolveNoCase(const std::filesystem::path& base, std::string_view relative);

}  // namespace sw
