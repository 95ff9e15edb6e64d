#include "files/ascii_export.h"

#include <algorithm>
#include <filesystem>

#include "files/file_names.h"
#include "files/file_state.h"
#include "files/file_write.h"
#include "platform/program_folder.h"
#include "platform/text.h"
#include "platform/ui.h"

namespace sw {

std::string AsciiFileName;

namespace {

// What a failed write says could not be written.
constexpr const char* kAsciiFileWord = "The ASCII data file";
constexpr int kFieldWidth = 8;
constexpr int kAtLeastRow = 20;

bool IsCapital(char c) { return c >= 'A' && c <= 'Z'; }

// One cell as it goes into the file; `value` tells whether it holds a value
// (text left out holds none).
std::string ExportCell(std::string c, bool heading, const AsciiOptionSet& o, bool& value) {
  value = false;
  if (c.empty()) return c;
  if (!heading && !IsCapital(c[0])) {
    if (c.find('r') != std::string::npos) c.pop_back();
    value = !Trim(c).empty();
    return o.comma ? Trim(c) : c;
  }
  // A heading or a text label such as "RO".
  if (!o.text) return {};
  if (!o.comma) {
    size_t blank = c.find(' ');
    if (blank != std::string::npos) c[blank] = '_';
  }
  value = true;
  return c;
}

}  // namespace

std::vector<std::string> AsciiExportLines(const decltype(ProgramTables::ResultsText)& table, int finishRow,
                                          const AsciiOptionSet& o) {
  const int lastRow = std::min(std::max(kAtLeastRow, finishRow), kResultsRows - 1);
  const int lines = o.columns ? 11 : lastRow + 1;
  const int cells = o.columns ? lastRow + 1 : 11;
  std::vector<std::string> out;
  for (int l = 0; l < lines; ++l) {
    std::string line;
    bool anyValue = false;
    for (int k = 0; k < cells; ++k) {
      const int row = o.columns ? k : l;
      const int col = o.columns ? l : k;
      bool value = false;
      std::string c = ExportCell(table[static_cast<size_t>(col)][static_cast<size_t>(row)], row == 0, o, value);
      anyValue = anyValue || value;
      if (o.comma) {
        line += (k == 0 ? "" : ",") + c;
      } else {
        line += c;
        line += std::string(c.size() < kFieldWidth ? kFieldWidth - c.size() : 1, ' ');
      }
    }
    if (!anyValue) continue;
    // Cells left empty at the end (the rows after the finish) add nothing.
    if (o.comma) line.erase(line.find_last_not_of(',') + 1);
    out.push_back(o.comma ? Trim(line) : RTrim(line));
  }
  return out;
}

bool IsProgramOwnName(const std::string& name) {
  // What the program writes in its folder, and the copies of its own files
  // it keeps when they could not be read ("qvzCNFG.ZKT.bad").
  static const char* const kWritten[] = {kConfigurationFile, kWorkingCopyFile, "baseplot.ZKT", "ENGCURVE.ZKT",
                                         "LapDtOut.txt",     "Analysis Report.txt", kVehicleFolder,
                                         kExampleVehicleFolder, kDialInFolder, kThrottleStopFolder,
                                         kHistoryFolder, kSeedStampFile};
  static const char* const kKeptBad[] = {kConfigurationFile, kWorkingCopyFile, "baseplot.ZKT"};
  // What the program ships: every name at the top of the shipped data, also
  // where that folder is not found.
  static const char* const kShipped[] = {"ANALYS",  "CALC", "COMBO",  "OldFiles", "QVZEXMP",
                                         "QVZHELP", "TEXT", "readme.doc"};
  const std::string trimmed = Trim(name);
  auto is = [&](const std::string& own) { return EqualsNoCase(trimmed, own); };
  if (std::any_of(std::begin(kWritten), std::end(kWritten), is)) return true;
  if (std::any_of(std::begin(kShipped), std::end(kShipped), is)) return true;
  if (std::any_of(std::begin(kKeptBad), std::end(kKeptBad), [&](const char* f) { return is(std::string(f) + ".bad"); }))
    return true;
  namespace fs = std::filesystem;
  std::error_code ec;
  for (auto it = fs::directory_iterator(SeedFolder(), ec); !ec && it != fs::directory_iterator(); it.increment(ec))
    if (is(it->path().filename().string())) return true;
  return false;
}

AsciiSave WriteAsciiFile(const std::string& typedName, const AsciiOptionSet& options) {
  // Blanks around the name are not part of it (a name of blanks alone is no
  // name): a file " RUN1.TXT " or "   " would be written that no one finds.
  fst.NewFileName = Trim(typedName);
  ValidateEntryName("Data");
  if (fst.NewFileName.empty() || fst.NewFileName == kRefusedName) return AsciiSave::Stopped;
  if (IsProgramOwnName(fst.NewFileName)) {
    MsgBox("The name you entered:" + std::string(2, CR) + "      " + fst.NewFileName + std::string(2, CR) +
               "is the name of one of the program's own files or folders.  Enter a different name.",
           mb::OKOnly, "");
    return AsciiSave::Stopped;
  }
  fst.ChosenFileName = ProgramFolderText() + "/" + fst.NewFileName;
  ValidateFileName83(kAsciiFileWord);
  if (fst.FileExists == fexist::Invalid) return AsciiSave::Stopped;
  if (fst.FileExists == fexist::Exists) {
    int a = MsgBox("This data file already exists.  Do you want to replace it?", mb::YesNoCancel + mb::Exclamation,
                   "Data File Already Exists");
    if (a == ans::Cancel) return AsciiSave::CloseWindow;
    if (a != ans::Yes) return AsciiSave::Stopped;
  }

  const std::string path = fst.ChosenFileName;
  std::string text;
  for (const std::string& line : AsciiExportLines(tbl.ResultsText, tbl.FinishRow, options)) text += line + CRLF;
  int error = 0;
  if (!WriteTextFile(DiskPath(path), text, &error)) {
    MsgBox(WriteFailureText(kAsciiFileWord, DiskPath(path), error), mb::Exclamation + mb::OKOnly, "");
    return AsciiSave::Stopped;
  }
  MsgBox("ASCII Data File written to disk." + std::string(2, CR) + path, mb::OKOnly, "");
  return AsciiSave::Written;
}

}  // namespace sw
