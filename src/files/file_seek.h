// The walk of the file seek window: every folder under a starting folder,
// depth first, for a program file of a given name. An engine program counts
// only where its family's ".zkt" files lie beside it; a browser or a PDF
// viewer counts anywhere.
//
// The walk stays on the volume it starts on (so "/" never wanders into
// /proc or a network share), follows no symbolic links to folders, passes
// over folders it may not read, and yields once per folder so that the
// window's Halt gets through.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace sw {

// Most occurrences the result list holds.
inline constexpr size_t kSeekListLimit = 10000;

// True for the program names that count in any folder.
bool IsThirdPartyProgram(const std::string& soughtName);

// "<n> Occurances Found of <name>" with the number's leading blank.
std::string OccurrencesText(int count, const std::string& soughtName);

class FileSeek {
 public:
  explicit FileSeek(std::string soughtName);

  // Searches `folder` and everything below it on the same volume; -1 when
  // the walk was stopped (a halt, or more occurrences than the list holds),
  // 0 otherwise. `Searching` is -1 while it runs and 0 again when it ends.
  int SearchFolderForFile(const std::filesystem::path& folder);

  // Called once per folder after the count went up: the window shows the
  // count and lets pending events run (where "Halt" sets Searching = 0).
  std::function<void()> onFolder;

  int16_t Searching = 0;        // -1 while a walk runs
  int32_t FoldersSearched = 0;  // "/" holds far more than 32767 folders
  size_t ListLimit = kSeekListLimit;
  bool TooMany = false;         // the last walk stopped at the list's limit
  std::vector<std::string> Found;  // full paths, in the order found
  std::string CountText;           // the count as the window's label shows it

  const std::string& SoughtName() const { return sought_; }
  bool ThirdPartyProgram() const { return thirdParty_; }

 private:
  int Walk(const std::filesystem::path& folder, uint64_t device, std::vector<uint64_t>& ancestors);
  std::string sought_;
  bool thirdParty_;
};

}  // namespace sw
