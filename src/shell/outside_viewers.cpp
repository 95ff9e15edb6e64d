#include "shell/outside_viewers.h"

#include <QUrl>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "files/configuration.h"
#include "platform/outside_programs.h"
#include "platform/program_folder.h"
#include "platform/text.h"
#include "platform/viewer_copies.h"
#include "platform/qt/qt_ui.h"
#include "platform/ui.h"

namespace sw {

namespace {

namespace fs = std::filesystem;

// No viewer opened the file: where it is, in full (the program folder may be
// given relative to where the program started), so the racer can open it
// with a program of their own.
std::string NoViewerText(const fs::path& file) {
  std::error_code ec;
  const fs::path full = fs::absolute(file, ec).lexically_normal();
  const std::string cr2(2, CR);
  return "An appropriate viewer was not found on your system." + cr2 +
         "Open this file with a program of your choice:" + cr2 + "    " + (ec ? file : full).string();
}

bool EndsWithNoCase(const std::string& s, const std::string& tail) {
  if (s.size() < tail.size()) return false;
  for (size_t i = 0; i < tail.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(s[s.size() - tail.size() + i])) !=
        std::tolower(static_cast<unsigned char>(tail[i])))
      return false;
  return true;
}

// The document under its own name with ".txt" for an ending, in the
// program's own copy folder (removed when the program ends); "" when the
// copy could not be made.
std::string PlainTextCopy(const fs::path& document) {
  const fs::path folder = ViewerCopyFolder();
  if (folder.empty()) return {};
  const fs::path copy = folder / (document.stem().string() + ".txt");
  std::error_code ec;
  fs::copy_file(document, copy, fs::copy_options::overwrite_existing, ec);
  return ec ? std::string() : copy.string();
}

// The configured program when it is one here (a path stored by a Windows
// copy of the program stays stored, unused), else the desktop's handler.
bool OpenWith(const std::string& configuredProgram, const std::string& what) {
  if (IsExecutableFile(configuredProgram) && Programs().Start(configuredProgram, {what}, "") != 0) return true;
  return Programs().Open(what);
}

}  // namespace

std::string MakerAddress() {
  return FromQ(QUrl::fromLocalFile(ToQ(ProgramPath(kMakerPage).string())).toString());
}

void ShowWebSite(const std::string& address, const std::string& siteName) {
  MsgBox("When you are finished viewing the '" + siteName +
             "' web site, click on the [X] box in the upper right corner to return to the Stagewell.",
         mb::OKOnly, "");
  if (OpenWith(cfg.BrowserPath, address)) return;
  const std::string cr(1, CR);
  MsgBox("We could not locate a web browser on your computer.  Use your normal web browser and visit:" + cr + cr +
             "    " + MakerAddress() + cr + cr +
             "To see any info on recent updates on this and other Korvath products.",
         mb::OKOnly, "");
}

void ShowUserManual(const std::string& documentStem) {
  // Always this version's manual: a viewer's own version number says
  // nothing about which manual to show.
  const fs::path document = ProgramPath("TEXT/" + documentStem + "4.pdf");
  std::error_code ec;
  if (!fs::is_regular_file(document, ec)) {
    MsgBox("The manual file " + document.string() + " was not found.", mb::OKOnly + mb::Exclamation, "");
    return;
  }
  MsgBox("When finished viewing the manual in the PDF viewer, click in the [x] box in the upper right corner of the "
         "PDF viewer to return to the Stagewell.",
         mb::OKOnly, "");
  bool shown;
  {
    BusyCursor busy;
    shown = OpenWith(cfg.ManualViewerPath, document.string());
  }
  if (!shown) MsgBox(NoViewerText(document), mb::OKOnly, "");
}

void ShowTextDocument(const std::string& documentPath, const std::string& documentName) {
  std::error_code ec;
  if (!fs::is_regular_file(documentPath, ec)) {
    MsgBox("The document " + documentPath + " was not found.", mb::OKOnly + mb::Exclamation, "");
    return;
  }
  MsgBox("When you are finished viewing the " + documentName +
             " document, click on the [X] box in the upper right corner to return to the Stagewell.",
         mb::OKOnly, "");
  const std::string shown = EndsWithNoCase(documentPath, ".txt") ? documentPath : PlainTextCopy(documentPath);
  // The document itself is named: the copy goes when the program ends.
  if (shown.empty() || !Programs().Open(shown)) MsgBox(NoViewerText(documentPath), mb::OKOnly, "");
}

}  // namespace sw
