#include "files/vehicle_file.h"

#include <array>
#include <cerrno>
#include <filesystem>
#include <vector>

#include "files/file_names.h"
#include "files/file_state.h"
#include "files/file_write.h"
#include "files/version2_file.h"
#include "platform/program_folder.h"
#include "platform/seqfile.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "simulation/tables.h"

namespace sw {

namespace fs = std::filesystem;

namespace {

constexpr int kLastSpec320 = 210;
constexpr int kLastSpec300 = 190;
constexpr int kFirstEntrySpec = 127;  // dial-in and throttle-stop files start here
constexpr int kCurvePoints = 10;
constexpr int kCurveColumns = 3;
constexpr const char* kEndOfBlock = "-9999";

enum class Kind { Vehicle, DialIn, ThrottleStop };

Kind KindOf(int16_t calcMode) {
  if (calcMode == 1) return Kind::DialIn;
  if (calcMode == 2) return Kind::ThrottleStop;
  return Kind::Vehicle;
}

const char* Magic320(Kind k) {
  switch (k) {
    case Kind::DialIn: return kDialInMagic;
    case Kind::ThrottleStop: return kThrottleStopMagic;
    default: return kVehicleMagic;
  }
}

std::string Magic300(Kind k) {
  std::string m = Magic320(k);
  return m.substr(0, m.size() - 4) + "3.00";
}

int FirstSpec(Kind k) { return k == Kind::Vehicle ? 0 : kFirstEntrySpec; }

// The relative-name word of each kind's folder.
const char* FolderWord(Kind k) { return k == Kind::DialIn ? "DIALIN" : "THRTLSTP"; }

std::string& KindComment(Kind k) {
  switch (k) {
    case Kind::DialIn: return fst.DialInComment;
    case Kind::ThrottleStop: return fst.ThrottleStopComment;
    default: return fst.VehicleComments;
  }
}

void EndCall(FormId window) { FileWin().SetDefaultMousePointer(window); }

void Refuse(FormId window) {
  MsgBox(kNotOurFileMessage, mb::OKOnly, "");
  fst.FileVersion = filever::NotOurs;
  fst.FileReadFailed = 1;
  fst.FloppyMode = 0;
  EndCall(window);
}

// A comment block: lines up to "-9999" or the end of the file; blank lines
// are dropped, every kept line ends with CR LF.
std::string ReadCommentBlock(SeqReader& f) {
  std::string block, line;
  while (!f.Eof()) {
    f.LineInput(line);
    if (line == kEndOfBlock) break;
    if (Trim(line).empty()) continue;
    block += line;
    block += CRLF;
  }
  return block;
}

// Everything a 3.x file holds, read before anything current is changed.
struct FileContents {
  std::vector<std::string> specs;  // first..last
  std::array<std::array<std::string, kCurveColumns>, kCurvePoints> curve;
  std::array<std::string, 3> blocks;
  std::array<std::string, 3> tail;
  int tailItems = 0;
};

// False when the file ends before its specs (and, for vehicles, its curve)
// are complete: a cut-off file is refused rather than half read.
bool ReadContents(SeqReader& f, Kind kind, int16_t version, int16_t mode, FileContents& c) {
  std::string line;
  if (mode == openmode::History) {
    for (int i = 0; i < 3; ++i) {
      if (f.Eof()) return false;
      f.LineInput(line);
    }
  }
  const int first = FirstSpec(kind);
  const int last = version == filever::V300 ? kLastSpec300 : kLastSpec320;
  c.specs.reserve(static_cast<size_t>(last - first + 1));
  for (int k = first; k <= last; ++k) {
    if (f.Eof()) return false;
    c.specs.push_back(f.LineInput());
  }
  if (kind == Kind::Vehicle) {
    for (auto& point : c.curve)
      for (auto& cell : point) {
        if (f.Eof()) return false;
        f.LineInput(cell);
      }
  }
  c.blocks[0] = ReadCommentBlock(f);
  if (kind == Kind::Vehicle && version == filever::V320) {
    c.blocks[1] = ReadCommentBlock(f);
    c.blocks[2] = ReadCommentBlock(f);
  }
  bool readTail = (mode == openmode::WorkingCopy && kind == Kind::Vehicle) || mode == openmode::Chosen ||
                  mode == openmode::History;
  if (readTail) {
    for (auto& item : c.tail) {
      if (f.Eof()) break;
      f.LineInput(item);
      ++c.tailItems;
    }
  }
  return true;
}

// A preview fills the second spec buffer and SavedComment only.
void CommitPreview(Kind kind, const FileContents& c) {
  const int first = FirstSpec(kind);
  for (size_t i = 0; i < c.specs.size(); ++i) fst.SpecTextAlt[static_cast<size_t>(first) + i] = c.specs[i];
  if (kind == Kind::Vehicle) {
    for (int i = 0; i < kCurvePoints; ++i)
      for (int j = 0; j < kCurveColumns; ++j) fst.SpecTextAlt[static_cast<size_t>(188 + 3 * i + j)] = c.curve[i][j];
  }
  fst.SavedComment = c.blocks[0];
}

void CommitOpen(Kind kind, int16_t version, int16_t mode, const FileContents& c, std::string& path) {
  const int first = FirstSpec(kind);
  for (size_t i = 0; i < c.specs.size(); ++i)
    tbl.SpecText[static_cast<size_t>(first) + i] = fst.SpecTextRead[static_cast<size_t>(first) + i] = c.specs[i];
  if (kind == Kind::Vehicle) {
    for (int i = 0; i < kCurvePoints; ++i)
      for (int j = 0; j < kCurveColumns; ++j) tbl.PowerCurveText[i][j] = c.curve[i][j];
    fst.VehicleComments = c.blocks[0];
    if (version == filever::V320) {
      fst.DialInComment = c.blocks[1];
      fst.ThrottleStopComment = c.blocks[2];
    }
  } else {
    KindComment(kind) = c.blocks[0];
  }
  // The tail: the working copy and a history copy stand for the library file
  // named in it; the links to dial-in and throttle-stop files.
  if (c.tailItems >= 1 && (mode == openmode::WorkingCopy || mode == openmode::History)) path = NativePath(c.tail[0]);
  if (c.tailItems >= 2) fst.DialInFileName = c.tail[1];
  if (c.tailItems >= 3) fst.ThrottleStopFileName = c.tail[2];
}

// What becomes current after an open in modes 1, 3 and 4.
void SetCurrentFile(Kind kind, int16_t mode, const std::string& path) {
  if (mode != openmode::WorkingCopy && mode != openmode::Chosen && mode != openmode::History) return;
  if (kind == Kind::Vehicle) {
    // The box first: filling it must not leave the vehicle marked changed.
    FileWin().SetMainComments(fst.VehicleComments);
    fst.CurrentFilePath = path;
    fst.SpecsChanged = mode == openmode::History ? 1 : 0;
    MakeRelativeName("vehdat");
    FileWin().CurrentVehicleChanged();
    return;
  }
  FileWin().SetDialInComments(KindComment(kind));
  fst.SpecsChanged = 1;
  std::string vehiclePath = fst.CurrentFilePath;
  fst.CurrentFilePath = path;
  MakeRelativeName(FolderWord(kind));
  (kind == Kind::DialIn ? fst.DialInFileName : fst.ThrottleStopFileName) = fst.CurrentFileName;
  fst.CurrentFilePath = vehiclePath;
  MakeRelativeName("vehdat");
}

void FinishOpen(FormId window, Kind kind, int16_t mode, const std::string& path) {
  if (mode == openmode::Preview) {
    EndCall(window);
    return;
  }
  if (fst.FloppyMode == 1) {
    // A vehicle read from the floppy drive is saved to the hard disk later.
    std::string folder, name;
    SplitPath(folder, path, name);
    fst.CurrentFilePath = ProgramFolderText() + "/" + kVehicleFolder + "/" + name;
  }
  SetCurrentFile(kind, mode, path);
  if (fst.FloppyMode == 1) FileWin().BuildMainCaption();
  EndCall(window);
}

// Items that stand on one line of the file: a line break inside one would
// shift every following line.
std::string OneLine(std::string_view s) {
  std::string r(s);
  for (auto& ch : r)
    if (ch == '\r' || ch == '\n') ch = ' ';
  return r;
}

// A comment as it stands, each of its lines ended by CR LF, then one more
// line end (the writer prints the whole text as one item). A line that reads
// exactly "-9999" would end the block early: it gets a leading blank.
void AppendComment(std::string& out, std::string_view comment) {
  std::string line;
  auto flush = [&] {
    if (line == kEndOfBlock) line.insert(line.begin(), ' ');
    out += line;
    out += CRLF;
    line.clear();
  };
  for (size_t i = 0; i < comment.size(); ++i) {
    char ch = comment[i];
    if (ch == '\r' || ch == '\n') {
      flush();
      if (ch == '\r' && i + 1 < comment.size() && comment[i + 1] == '\n') ++i;
    } else {
      line += ch;
    }
  }
  flush();
}

void AppendLine(std::string& out, std::string_view s) {
  out += OneLine(s);
  out += CRLF;
}

void ReportSaveFailure() {
  std::string how = tbl.CalcMode != 0 ? "using the 'Save As' option"
                                      : "answering 'No' when asked if you want to 'Save it to the Same Name?'";
  MsgBox("This file probably originated on a different computer and can not be Saved to the Same Name.  Try " + how +
             " to save it to a new name.",
         mb::OKOnly, "");
}

// A history copy's name is one letter; anything that could lead out of the
// history folder is no history copy.
bool IsHistoryName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." && name.find_first_of("/\\") == std::string::npos;
}

}  // namespace

void ReadVehicleFile(SeqReader& f, FormId window, int16_t mode, const std::string& pathIn) {
  std::string path = pathIn;
  const Kind kind = KindOf(tbl.CalcMode);
  std::string first = f.LineInput();

  const std::string magic = Magic320(kind);
  const size_t n = magic.size();
  int16_t version;
  if (Left(first, static_cast<long>(n)) == magic) {
    version = filever::V320;
  } else if (Left(first, static_cast<long>(n)) == Magic300(kind)) {
    version = filever::V300;
  } else {
    // Version 2 files hold vehicles only.
    if (kind == Kind::Vehicle) {
      ConvertVersion2File(f, first, mode, path);
    } else {
      fst.FileVersion = filever::NotOurs;
    }
    f.Close();
    if (fst.FileVersion < 0) return Refuse(window);
    // The converter has stored the specs and closed the file: no tail.
    return FinishOpen(window, kind, mode, path);
  }

  FileContents c;
  bool complete = ReadContents(f, kind, version, mode, c);
  f.Close();
  if (!complete) return Refuse(window);
  fst.FileVersion = version;
  if (mode == openmode::Preview) {
    CommitPreview(kind, c);
  } else {
    CommitOpen(kind, version, mode, c, path);
  }
  FinishOpen(window, kind, mode, path);
}

void OpenVehicleFile(FormId window, int16_t& mode) {
  EnsureFileFolders();
  fs::path path;
  if (fst.FloppyMode == 1) {
    std::string chosen = FileWin().ChooseFileToOpen("All Files (*.*)|*.*", "Open a File", FloppyFolderPath());
    if (chosen.empty()) {
      fst.FileReadFailed = 1;
      fst.FloppyMode = 0;
      return EndCall(window);
    }
    path = chosen;
    fst.FloppyFolder = path.parent_path().generic_string();
  } else {
    const char* folder = KindFolder(tbl.CalcMode, fst.ExampleLibraryMode);
    switch (mode) {
      case openmode::Choose:
        FileWin().ShowRetrieveForm();
        return EndCall(window);
      case openmode::WorkingCopy:
        path = ProgramPath(kWorkingCopyFile);
        break;
      case openmode::Preview:
      case openmode::Chosen:
        path = ProgramPath(std::string(folder) + "/" + fst.ChosenFileName);
        break;
      case openmode::History: {
        int slot = fst.HistorySlot;
        if (slot >= 0 && slot < kHistorySlots && IsHistoryName(tbl.HistoryName[slot]))
          path = ProgramPath(std::string(kHistoryFolder) + "/" + tbl.HistoryName[slot]);
        break;
      }
      default:
        break;
    }
  }

  SeqReader f;
  if (path.empty() || !f.Open(path)) {
    // Missing or unreadable: nothing changes. The working copy is missing on
    // the first start; that is no news to the user.
    fst.FileReadFailed = 1;
    fst.FloppyMode = 0;
    if (mode != openmode::WorkingCopy) {
      MsgBox(std::string("The file") + CR + CR + "      " + path.generic_string() + CR + CR +
                 "could not be opened.  It may have been moved or deleted.",
             mb::OKOnly, "");
    }
    return EndCall(window);
  }
  ReadVehicleFile(f, window, mode, path.generic_string());
}

std::string VehicleFileText(int16_t saveMode) {
  const Kind kind = KindOf(tbl.CalcMode);
  std::string out;
  AppendLine(out, Magic320(kind));
  if (kind == Kind::Vehicle && saveMode == savemode::History) {
    AppendLine(out, tbl.HistoryEt[0]);
    AppendLine(out, Str(tbl.HistoryMph[0]));
    AppendLine(out, tbl.History60ft[0]);
  }
  for (int k = FirstSpec(kind); k <= kLastSpec320; ++k) AppendLine(out, tbl.SpecText[k]);
  if (kind == Kind::Vehicle) {
    for (int i = 0; i < kCurvePoints; ++i)
      for (int j = 0; j < kCurveColumns; ++j) AppendLine(out, tbl.PowerCurveText[i][j]);
    AppendComment(out, fst.VehicleComments);
    AppendLine(out, kEndOfBlock);
    AppendComment(out, fst.DialInComment);
    AppendLine(out, kEndOfBlock);
    AppendComment(out, fst.ThrottleStopComment);
    AppendLine(out, kEndOfBlock);
  } else {
    AppendComment(out, KindComment(kind));
    AppendLine(out, kEndOfBlock);
  }
  if (saveMode == savemode::WorkingCopy || saveMode == savemode::SameName || saveMode == savemode::History) {
    AppendLine(out, fst.CurrentFilePath);
    AppendLine(out, fst.DialInFileName);
    AppendLine(out, fst.ThrottleStopFileName);
  }
  return out;
}

namespace {

// What a failed save names, so the racer knows what the file held for him
// and not only where it lay. A file the racer picked in the save window is
// known to him by its name.
std::string SavedFileWhat(int16_t op) {
  const bool vehicle = KindOf(tbl.CalcMode) == Kind::Vehicle;
  const std::string shown = UnsavedSpecsName(0, fst.CurrentFileName);
  if (op == savemode::WorkingCopy)
    return "The temporary, working copy of " + shown + ", which the program brings up at the next start,";
  if (op == savemode::History) return "This run's history copy, from which the History retrieves its specs,";
  if (op == savemode::SameName && vehicle) return "The Library copy of " + shown;
  return "The file";
}

}  // namespace

bool SaveVehicleFile(FormId window, int* reason) {
  if (reason) *reason = 0;
  EnsureFileFolders();
  const int16_t op = fst.FileOperation;
  if (op <= savemode::SaveAs) {
    FileWin().ShowSaveAsForm();
    EndCall(window);
    return true;
  }
  fs::path target;
  switch (op) {
    case savemode::WorkingCopy: target = ProgramPath(kWorkingCopyFile); break;
    case savemode::SameName: target = DiskPath(fst.CurrentFilePath); break;
    case savemode::ChosenPath: target = DiskPath(fst.ChosenFileName); break;
    case savemode::History:
      if (IsHistoryName(tbl.HistoryName[0])) target = ProgramPath(std::string(kHistoryFolder) + "/" + tbl.HistoryName[0]);
      break;
    default:
      if (reason) *reason = ENOENT;
      EndCall(window);
      return false;
  }
  // The program's own folders are made when missing; the folder's spelling
  // on disk may then differ from the one asked for.
  if (!target.empty() && target.has_filename() && EnsureOwnFolder(target.parent_path())) {
    if (op == savemode::SameName) target = DiskPath(fst.CurrentFilePath);
    if (op == savemode::ChosenPath) target = DiskPath(fst.ChosenFileName);
  }
  // A file of the racer's brought from elsewhere (read-only, or its folder
  // gone) gets the designed advice. The working copy and the history copy
  // are no such file and no question led to them: they, and a write that
  // failed, say where and why.
  int error = 0;
  auto failed = [&](bool advice) {
    if (reason) *reason = error;
    if (advice) ReportSaveFailure();
    else MsgBox(WriteFailureText(SavedFileWhat(op), target, error), mb::OKOnly + mb::Exclamation, "");
    EndCall(window);
    return false;
  };
  const bool racersFile = op == savemode::SameName || op == savemode::ChosenPath;
  if (!CanReplaceFile(target, &error)) return failed(racersFile);
  if (!WriteTextFile(target, VehicleFileText(op), &error)) return failed(false);
  if (racersFile && KindOf(tbl.CalcMode) == Kind::Vehicle) fst.SpecsChanged = 0;
  if (op == savemode::WorkingCopy) {
    fst.WorkingCopyName = fst.CurrentFileName;
    fst.WorkingCopyChanged = fst.SpecsChanged;
  }
  EndCall(window);
  return true;
}

}  // namespace sw
