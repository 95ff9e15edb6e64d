#include "files/ascii_export.h"

#include <algorithm>

#include "files/file_names.h"
#include "files/file_state.h"
#include "files/file_write.h"
#include "platform/text.h"
#include "platform/ui.h"

namespace sw {

std::string AsciiFileName;

namespace {

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
  static const char* const kOwn[] = {kConfigurationFile, kWorkingCopyFile, "baseplot.ZKT", "ENGCURVE.ZKT",
                                     "LapDtOut.txt",     kVehicleFolder,   kExampleVehicleFolder,
                                     kDialInFolder,      kThrottleStopFolder,
                                     kHistoryFolder,     "COMBO",          "QVZHELP",
                                     "QVZEXMP",          "TEXT",           "CALC",
                                     "OldFiles"};
  const std::string trimmed = Trim(name);
  return std::any_of(std::begin(kOwn), std::end(kOwn), [&](const char* own) { return EqualsNoCase(trimmed, own); });
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
  ValidateFileName83();
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
    MsgBox(WriteFailureText("The ASCII data file", DiskPath(path), error), mb::Exclamation + mb::OKOnly, "");
    return AsciiSave::Stopped;
  }
  MsgBox("ASCII Data File written to disk." + std::string(2, CR) + path, mb::OKOnly, "");
  return AsciiSave::Written;
}

}  // namespace sw
