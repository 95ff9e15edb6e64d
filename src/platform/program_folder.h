// "The program folder": the writable folder that holds the configuration,
// the working copy, the vehicle libraries and the shipped data files.
// $STAGEWELL_HOME when set, else ~/.local/share/stagewell (XDG_DATA_HOME).
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_set>

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
// is not there yet. A shipped file there that the racer never changed (equal
// to a version shipped earlier) is replaced by the one shipped now; a file the
// racer changed, and one the program writes itself (configuration, libraries,
// history), is never overwritten. Once all are there a stamp says so, and
// later starts skip this until the shipped folder changes (another folder, or
// a file added, taken away or rewritten). False when the folder cannot be
// created. A folder given by a relative path is fixed here as the absolute
// one it names now.
bool EnsureProgramFolder();

// The versions earlier releases shipped, listed in the shipped folder's
// ".shipped-versions" (scripts/shipped_versions.py writes it from the history
// of data/): per version its path and a print of its text. A copy whose line
// ends were changed (CR LF or LF) is the same version.
class ShippedVersions {
 public:
  explicit ShippedVersions(const std::filesystem::path& seed);
  // True when `bytes` are a listed version of the file at `relative` (a path
  // under the shipped folder, "/" separators, any case).
  bool Has(std::string_view relative, std::string_view bytes) const;
  // "<FNV-1a 64 hash, 16 hex digits> <length>" of the text, CR LF read as LF.
  static std::string Print(std::string_view bytes);

 private:
  std::unordered_set<std::string> prints_;  // lower-case path, "\n", print
};

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
