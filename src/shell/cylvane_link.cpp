#include "shell/cylvane_link.h"

#include <array>
#include <filesystem>
#include <system_error>

#include "files/configuration.h"
#include "platform/outside_programs.h"
#include "platform/program_folder.h"
#include "platform/seqfile.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "shell/frm_seek.h"
#include "shell/frm_send.h"
#include "shell/power_curve_import.h"
#include "shell/shell_state.h"

namespace sw {

namespace {

namespace fs = std::filesystem;

const std::string kCR(1, CR);

// The process this run started for each edition, so that a desktop that
// cannot tell whether Cylvane runs does not get a second copy of it.
std::array<int64_t, 6> g_started{};

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

}  // namespace

CylvaneNames DesignedCylvaneNames(int edition) {
  switch (edition) {
    case 0: return {"CVQ1.EXE", "C:\\KORVLABS.ZKT\\CVQ1\\", "CVQ1"};
    case 1: return {"CVQ2.EXE", "C:\\KORVLABS.ZKT\\CVQ2\\", "CVQ2"};
    case 2: return {"CV.EXE", "C:\\KORVLABS.ZKT\\CV\\", "CV"};
    case 3: return {"CVQ3.EXE", "C:\\KORVLABS.ZKT\\CVQ3\\", "CVQ3"};
    default: return {};
  }
}

std::string CylvaneProgramPath(const std::string& folder, const std::string& exe) {
  if (folder.empty()) return exe;
  std::string base = folder;
  while (!base.empty() && IsSeparator(base.back())) base.pop_back();
  const std::string joined = base + "/" + exe;
  std::error_code ec;
  if (base.empty() || fs::exists(joined, ec)) return joined;
  const fs::path resolved = ResolveNoCase(base, exe);
  return fs::exists(resolved, ec) ? resolved.string() : joined;
}

void ResetCylvaneLink() { g_started.fill(0); }

void LaunchCylvane() {
  frmSend::UnloadSendForm();
  int edition = cfg.CylvaneEdition;
  if (edition < 0 || edition > kCustomEdition) edition = 2;

  // The designed names for the listed editions, the user's for the custom
  // one; names keep their case (file names here are case-sensitive).
  CylvaneNames names = DesignedCylvaneNames(edition);
  if (edition == kCustomEdition) {
    names.exe = Trim(cfg.CylvaneExeName[edition]);
    names.title = Trim(cfg.CylvaneShortName[edition]);
  }
  cfg.CylvaneExeName[edition] = names.exe;
  cfg.CylvaneShortName[edition] = names.title;
  // A folder found by an earlier search is kept, for every edition.
  if (cfg.CylvaneFolder[edition].empty()) cfg.CylvaneFolder[edition] = names.folder;

  for (;;) {
    const Activation a = Programs().Activate(names.title);
    if (a == Activation::Activated) break;
    if (a == Activation::CannotTell && Programs().StillRunning(g_started[edition])) {
      MsgBox("Switch to " + names.title + " with your desktop's window list.", mb::OKOnly, "");
      break;
    }
    const std::string folder = Trim(cfg.CylvaneFolder[edition]);
    const int64_t pid = Programs().Start(CylvaneProgramPath(folder, names.exe), {"/E"}, folder);
    if (pid != 0) {
      g_started[edition] = pid;
      break;
    }
    if (MsgBox("The Program EXE File of   " + names.exe + "   was not found where it was expected." + kCR + kCR +
                   "Do you want the program to look for it?",
               mb::YesNo + mb::Question, "Program Not Found") == ans::No) {
      shell.SeekExeName.clear();
      return;
    }
    shell.SeekExeName = names.exe;
    frmSeek::SeekModal();
    if (shell.SeekExeName.empty()) {
      MsgBox("Unable to locate this Cylvane Program on your system.", mb::OKOnly, "");
      return;
    }
    const std::string& found = shell.SeekExeName;
    cfg.CylvaneFolder[edition] = found.substr(0, found.size() - std::min(found.size(), names.exe.size()));
  }

  // A Cylvane just started has not written a curve yet; nothing to load.
  std::error_code ec;
  if (fs::exists(ProgramPath(kHandOverFile), ec)) ImportPowerCurve();
}

void CheckCylvaneLink(int16_t& quiet) {
  bool found = true;
  if (shell.CylvaneTitle.empty()) {
    SeqReader in;
    if (in.Open(ProgramPath(kHandOverFile)) && !in.Eof()) shell.CylvaneTitle = in.InputItem();
    else found = false;
  }
  const Activation a = found ? Programs().Activate(shell.CylvaneTitle) : Activation::NotRunning;
  if (a == Activation::Activated || quiet != 0) return;
  int answer;
  if (a == Activation::NotRunning) {
    answer = MsgBox("Lost Cylvane '" + shell.CylvaneTitle + "' Program, do you want to restart it?",
                    mb::YesNo + mb::DefaultButton2, "Cylvane Not Running");
  } else {
    answer = MsgBox("Switch to '" + shell.CylvaneTitle + "' with your desktop's window list." + kCR + kCR +
                        "If it is no longer running, answer Yes to start it again.",
                    mb::YesNo + mb::DefaultButton2, "Return to Cylvane");
  }
  if (answer == ans::Yes) frmSend::ShowSendForm();
}

}  // namespace sw
