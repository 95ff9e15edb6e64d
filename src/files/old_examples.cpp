#include "files/old_examples.h"

#include <filesystem>
#include <string>
#include <vector>

#include "files/library_list.h"
#include "platform/program_folder.h"
#include "platform/seqfile.h"
#include "platform/text.h"
#include "platform/ui.h"

namespace sw {

namespace {

struct OldFile {
  std::string name;  // upper case
  double shipped = 0;
};

bool ReadOldFilesList(std::vector<OldFile>& out) {
  SeqReader in;
  if (!in.Open(ProgramPath("OldFiles"))) return false;
  std::string line;
  while (in.LineInput(line)) {
    long p = InStr(line, "     ");
    OldFile f;
    f.name = UCase(Trim(Mid(line, p + 1)));
    f.shipped = Val(Left(line, 7));
    out.push_back(f);
  }
  return true;
}

}  // namespace

void DeleteOldVehicleFiles(int mode, int16_t& oldExamplesDeleted) {
  const std::string cr(1, CR);
  std::string detail =
      mode == 1 ? " which have not been modified and resaved"
                : "  IMPORTANT:  If you have modified one of these Example Vehicles and Saved it to the Same Name, it "
                  "WILL BE PERMANENTLY DELETED.  If you think you could have done this, select the other Remove "
                  "option of only removing files which have not been changed";
  std::string question =
      "The program will look through your library of Saved Vehicles and delete those which are Examples from v3.0" +
      detail + "." + cr + cr +
      "All examples provided with Version 3.0 are included in this Version 3.2, but are stored in the seperate "
      "Examples Vehicle library.  Deleting these examples from your Vehicle Library makes it much easier to find "
      "Vehicle Files you are working with." +
      cr + cr + "Are you sure you want to delete these Version 3.0 Example Vehicle files?";
  if (MsgBox(question, mb::YesNo + mb::Question + mb::DefaultButton2,
             "Delete Example 3.0 Vehicle Files from Your Saved Vehicle Library?") != ans::Yes)
    return;

  std::filesystem::path folder = ProgramPath("vehdat");
  std::vector<LibraryFile> files = ListLibraryFolder(folder);
  std::vector<OldFile> listed;
  bool listRead = ReadOldFilesList(listed);
  if (!listRead) MsgBox("Error Deleting Files.");

  int count = 0;
  for (const auto& f : files) {
    if (!listRead) break;
    int d = DateKey(f.changed.tm_year + 1900, f.changed.tm_mon + 1, f.changed.tm_mday);
    std::string upper = UCase(f.name);
    for (const auto& old : listed) {
      if (old.name != upper) continue;
      if (mode == 0 || (mode == 1 && old.shipped >= d)) {
        std::error_code ec;
        if (std::filesystem::remove(folder / f.name, ec) && !ec) ++count;
        else MsgBox("Error Deleting Files.");
      }
      break;
    }
  }
  MsgBox(Str(count) + " Old Example Vehicle files deleted.");
  oldExamplesDeleted = 1;
}

}  // namespace sw
