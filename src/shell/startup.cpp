#include "shell/startup.h"

#include "files/configuration.h"
#include "files/file_names.h"
#include "files/file_state.h"
#include "files/vehicle_file.h"
#include "platform/program_folder.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "shell/base_run_file.h"
#include "shell/unattended.h"

namespace sw {

int StartModeFromCommandLine(const std::string& commandLine) {
  if (InStr(commandLine, "/E") == 0) return 0;
  return InStr(commandLine, "/M") > 0 ? 2 : 1;
}

int StartModeFromArguments(const std::vector<std::string>& arguments) {
  std::string line;
  for (const auto& a : arguments) {
    if (!line.empty()) line += ' ';
    line += a;
  }
  return StartModeFromCommandLine(line);
}

bool ReadStartUpFiles() {
  {
    UnreadableFileKeeper keep(ProgramPath(kConfigurationFile));
    ReadWriteConfiguration(1);
  }
  const BaseRunReadError err = ReadBaseRunFile();
  if (err.number != 0) {
    if (err.number != 53) KeepUnreadableFile(ProgramPath(kBaseRunFile));
    // Window-state errors are passed over silently.
    if (err.number != 401)
      MsgBox("Possible Error reading Configuration File.  " + Str(err.number) + "  " + err.description, mb::OKOnly,
             "");
  }
  fst.FileReadFailed = 0;
  fst.FloppyMode = 0;
  OpenVehicleFile(FormId::frmMain, openmode::WorkingCopy);
  if (fst.FileReadFailed == 1) {
    // Whatever stood in an unreadable working copy is kept aside before
    // the exit writes the current specs over it.
    KeepUnreadableFile(ProgramPath(kWorkingCopyFile));
    return false;
  }
  fst.SpecsChanged = cfg.SavedSpecsChanged;
  fst.WorkingCopyName = fst.CurrentFileName;
  fst.WorkingCopyChanged = fst.SpecsChanged;
  return true;
}

std::string MainCaptionText(const std::string& currentFileName) {
  // Lengths count characters as the user sees them, not UTF-8 bytes.
  size_t chars = 0;
  for (unsigned char c : currentFileName)
    if ((c & 0xC0) != 0x80) ++chars;
  std::string title = chars <= 30 ? kProductTitle : Left(kProductTitle, 20);
  return title + "   [ " + currentFileName + " ]";
}

}  // namespace sw
