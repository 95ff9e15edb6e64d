#include "files/file_names.h"

#include <array>
#include <cctype>

#include "files/file_state.h"
#include "files/file_write.h"
#include "platform/program_folder.h"
#include "platform/seqfile.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "simulation/tables.h"

namespace sw {

namespace fs = std::filesystem;

namespace {

constexpr std::array<const char*, 5> kOwnFolders = {kVehicleFolder, kExampleVehicleFolder, kDialInFolder,
                                                    kThrottleStopFolder, kHistoryFolder};

// Linux limits: one name at most 255 bytes, a whole path at most 4095.
constexpr size_t kNameMax = 255;
constexpr size_t kPathMax = 4095;

std::string Slashed(std::string_view s) {
  std::string r(s);
  for (auto& c : r)
    if (c == '\\') c = '/';
  return r;
}

// The first n characters of UTF-8 text, never cutting a character in two.
std::string Utf8Prefix(std::string_view s, size_t n) {
  size_t i = 0;
  for (size_t count = 0; i < s.size() && count < n; ++count) {
    ++i;
    while (i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) ++i;
  }
  return std::string(s.substr(0, i));
}

bool IsControl(unsigned char c) { return c < 32 || c == 127; }

std::string ShowCharacter(char c) {
  if (IsControl(static_cast<unsigned char>(c))) return "Chr(" + std::to_string(static_cast<unsigned char>(c)) + ")";
  return std::string(1, c);
}

void RefuseCharacter(const std::string& name, char c) {
  MsgBox(std::string("The name you entered:") + CR + CR + "      " + name + CR + CR +
             "Can not be used because it contains this character:" + CR + CR + "      " + ShowCharacter(c) + CR + CR +
             "Enter a different name.",
         mb::OKOnly, "");
}

// Names the file system takes but the file lists would not show.
void RefuseHiddenName(const std::string& name) {
  MsgBox(std::string("The name you entered:") + CR + CR + "      " + name + CR + CR +
             "Can not be used because it begins with a period (.)." + CR + CR + "Enter a different name.",
         mb::OKOnly, "");
}

// A name shaped like a save's temporary file: start-up would take such a
// file for what a killed save left behind and remove it unasked.
void RefuseTemporaryName(const std::string& name) {
  MsgBox(std::string("The name you entered:") + CR + CR + "      " + name + CR + CR +
             "is kept for the program's own temporary files.  Enter a different name.",
         mb::OKOnly, "");
}

void ReportInvalidFileName() {
  MsgBox(std::string("You have entered an invalid file name.") + CR + CR +
             "File names must be from 1 to 11 characters long.  If you use a period (.), there can be no more than 8 "
             "characters before the period and no more than 3 characters after the period." +
             CR + CR + "Names must not include spaces or these characters:" + CR + CR + "/ \\ [ ] : | < > + = ; , * ?",
         mb::Exclamation + mb::OKOnly, "Invalid File Name");
}

}  // namespace

const char* KindFolder(int16_t calcMode, int16_t exampleLibraryMode) {
  if (calcMode == 1) return kDialInFolder;
  if (calcMode == 2) return kThrottleStopFolder;
  return exampleLibraryMode == 1 ? kExampleVehicleFolder : kVehicleFolder;
}

std::string ProgramFolderText() {
  std::string s = ProgramFolder().generic_string();
  while (s.size() > 1 && s.back() == '/') s.pop_back();
  return s;
}

std::string NativePath(std::string_view stored) {
  std::string s = Slashed(stored);
  bool windowsPath = s.size() >= 2 && s[1] == ':' && std::isalpha(static_cast<unsigned char>(s[0]));
  if (!windowsPath) return s;
  std::string upper = UCase(s);
  size_t best = std::string::npos;
  for (const char* f : kOwnFolders) {
    size_t p = upper.find("/" + UCase(f) + "/");
    if (p != std::string::npos && (best == std::string::npos || p < best)) best = p;
  }
  if (best == std::string::npos) return s;
  return ProgramFolderText() + s.substr(best);
}

fs::path DiskPath(std::string_view stored) {
  std::string s = NativePath(stored);
  std::string app = ProgramFolderText();
  if (s.size() > app.size() && s.compare(0, app.size(), app) == 0 && s[app.size()] == '/') {
    fs::path p = ResolveNoCase(ProgramFolder(), s.substr(app.size() + 1));
    // A path that ends in "/" names a folder: keep it so, it is no file.
    if (s.back() == '/') p /= "";
    return p;
  }
  return fs::path(s);
}

bool EnsureOwnFolder(const fs::path& folder) {
  std::error_code ec;
  fs::path want = folder.lexically_normal();
  if (!want.has_filename()) want = want.parent_path();
  if (want.parent_path() != fs::path(ProgramFolderText()).lexically_normal()) return fs::is_directory(folder, ec);
  for (const char* f : kOwnFolders) {
    fs::path own = ProgramPath(f).lexically_normal();
    if (EqualsNoCase(want.filename().string(), f)) {
      if (fs::is_directory(own, ec)) return true;
      fs::create_directories(own, ec);
      return fs::is_directory(own, ec);
    }
  }
  return fs::is_directory(folder, ec);
}

void EnsureFileFolders() {
  std::error_code ec;
  if (!fs::is_directory(ProgramFolder(), ec)) return;
  for (const char* f : kOwnFolders) {
    fs::path p = ProgramPath(f);
    if (!fs::is_directory(p, ec)) fs::create_directory(p, ec);
  }
}

void ValidateEntryName(const std::string& kindWord) {
  const std::string name = fst.NewFileName;
  const bool silent = kindWord == "no response";
  static constexpr char kForbidden[] = {'\\', '/', ':', '|', '>', '<', '*', '?', '"'};
  auto refuse = [&](char c) {
    if (!silent) RefuseCharacter(name, c);
    fst.NewFileName = kRefusedName;
  };
  for (char c : kForbidden) {
    if (name.find(c) != std::string::npos) return refuse(c);
  }
  // Characters the file system here refuses or that cannot be shown.
  for (char c : name) {
    if (IsControl(static_cast<unsigned char>(c))) return refuse(c);
  }

  std::string changed = name;
  bool wasChanged = false;
  if (name.size() > kNameMax) {
    changed = Utf8Prefix(name, 12);
    wasChanged = true;
  }
  if (!wasChanged) return;
  if (silent) {
    fst.NewFileName = "";
    return;
  }
  int a = MsgBox("To possibly be a valid " + kindWord + " Name, your entry had to be changed to:" + CR + CR +
                     "        " + changed + CR + CR + "Do you want to use this name?",
                 mb::YesNoCancel, kindWord + " Name Had To Be Changed");
  fst.NewFileName = a == ans::Yes ? changed : "";
}

void ValidateFileName83(const std::string& what) {
  fst.FileExists = fexist::Exists;
  const std::string& chosen = fst.ChosenFileName;
  auto invalid = [] {
    ReportInvalidFileName();
    fst.FileExists = fexist::Invalid;
  };

  std::string s = NativePath(chosen);
  if (s.empty() || s.back() == '/' || s.find('\0') != std::string::npos || s.size() > kPathMax) return invalid();
  size_t start = 0;
  while (start <= s.size()) {
    size_t slash = s.find('/', start);
    size_t end = slash == std::string::npos ? s.size() : slash;
    if (end - start > kNameMax) return invalid();
    if (slash == std::string::npos) break;
    start = slash + 1;
  }
  std::string last = s.substr(s.rfind('/') == std::string::npos ? 0 : s.rfind('/') + 1);
  // A hidden file (the program's own ".seeded" among them), or a name of
  // dots alone, which is a folder.
  if (last[0] == '.') {
    RefuseHiddenName(last);
    fst.FileExists = fexist::Invalid;
    return;
  }
  if (IsTemporaryFileName(last)) {
    RefuseTemporaryName(last);
    fst.FileExists = fexist::Invalid;
    return;
  }

  fs::path p = DiskPath(chosen);
  std::error_code ec;
  if (!p.parent_path().empty() && EnsureOwnFolder(p.parent_path())) p = DiskPath(chosen);
  fs::path parent = p.parent_path();
  if (!parent.empty() && !fs::is_directory(parent, ec)) return invalid();  // the path is not found
  // A folder, a device or a broken link in the name's place (or at the end
  // of its link) is never replaced: say so now, not after asking to replace.
  if (const int refusal = SaveRefusal(p); refusal != 0) {
    MsgBox(WriteFailureText(what, p, refusal), mb::Exclamation + mb::OKOnly, "");
    fst.FileExists = fexist::Invalid;
    return;
  }
  if (fs::exists(fs::symlink_status(p, ec))) {
    fst.FileExists = fexist::Exists;
    return;
  }
  fst.FileExists = fexist::Free;
}

void SplitPath(std::string& folderOut, const std::string& path, std::string& fileNameOut) {
  if (path.empty()) {
    folderOut.clear();
    fileNameOut.clear();
    return;
  }
  size_t p = path.find_last_of("/\\");
  std::string name = p == std::string::npos ? path : path.substr(p + 1);
  long count = static_cast<long>(path.size()) - static_cast<long>(name.size()) - 1;
  folderOut = count > 0 ? path.substr(0, static_cast<size_t>(count)) : std::string();
  fileNameOut = name;
}

void MakeRelativeName(const std::string& folderWord) {
  std::string path = Slashed(fst.CurrentFilePath);
  std::string prefix = UCase(ProgramFolderText() + "/" + folderWord);
  if (InStr(UCase(path), prefix) > 0) {
    fst.CurrentFileName = Right(path, static_cast<long>(path.size()) - static_cast<long>(prefix.size()) - 1);
  } else {
    size_t p = path.rfind('/');
    fst.CurrentFileName = p == std::string::npos ? path : path.substr(p + 1);
  }
}

namespace {
bool Unnamed(const std::string& fileName) { return fileName.find_first_not_of(' ') == std::string::npos; }
}  // namespace

std::string UnsavedSpecsName(int16_t calcMode, const std::string& fileName) {
  if (!Unnamed(fileName)) return fileName;
  return calcMode == 1 ? "the dial-in entries" : calcMode == 2 ? "the throttle-stop entries" : "the new vehicle";
}

std::string SaveChangesQuestion(int16_t calcMode, const std::string& fileName) {
  const std::string name = UnsavedSpecsName(calcMode, fileName);
  const std::string since = Unnamed(fileName) ? "" : " since you retrieved it";
  return "Save your changes to " + name + " ?" + CR + CR + "Changes you have made to " + name + since +
         " will be lost unless you save them now by clicking on Yes.";
}

}  // namespace sw
