#include "shell/unattended.h"

#include <array>
#include <new>

#include "files/configuration.h"
#include "files/file_state.h"
#include "platform/program_folder.h"
#include "platform/seqfile.h"
#include "platform/text.h"
#include "shell/power_curve_import.h"
#include "shell/startup.h"
#include "simulation/calculate.h"
#include "simulation/lap_data.h"
#include "simulation/tables.h"

namespace sw {

namespace {
UnattendedUi* g_unattended = nullptr;

// An error that reached the entry procedure: nobody is there to go on with.
// Cylvane gets the message in a refusal (unless the calculation answered
// already) and the program ends with a failure status.
int Failed(int errorNumber) {
  try {
    MsgBox("Cylvane Transfer error # " + Str(errorNumber), mb::OKOnly, "");
    CompleteLapDataFile();
  } catch (...) {
    // Ending matters more than the answer.
  }
  return kUnattendedFailedStatus;
}

}  // namespace

int UnattendedStart(const std::filesystem::path& program, std::filesystem::file_time_type started) {
  UnattendedUi ui;
  SetUi(&ui);
  SetActiveUnattendedUi(&ui);
  struct Restore {
    ~Restore() {
      SetActiveUnattendedUi(nullptr);
      SetUi(nullptr);
    }
  } restore;
  SetSeedFolder(ShippedDataBeside(program));
  // Cylvane must never read an earlier answer as this run's: one that can be
  // neither removed nor emptied would be read back as this run's answer
  // (nothing can be written over it either), so the run fails at once.
  if (!RemoveLapDataFile()) return kUnattendedFailedStatus;
  if (!EnsureProgramFolder()) {
    MsgBox("The program folder " + ProgramFolder().string() +
               " could not be created.  Set STAGEWELL_HOME to a folder you can write to.",
           mb::OKOnly + mb::Critical, "");
    return 1;
  }
  // Saves that never finished left their temporary files; one newer than
  // this start may be another copy of the program saving right now.
  RemoveLeftOverTemporaryFiles(ProgramFolder(), started);
  return UnattendedCalculation();
}

int UnattendedCalculation() {
  try {
    tbl.StartMode = 2;
    // The preferences a first start has before any configuration is read.
    ConfigurationDefaults();
    fst.CurrentFileName.clear();
    std::error_code ec;
    std::filesystem::current_path(ProgramFolder(), ec);
    InitTables();
    ReadStartUpFiles();
    ImportPowerCurve();
    DoEvents();
    CalculateShownPerformance();
    return CompleteLapDataFile() ? 0 : kUnattendedFailedStatus;
  } catch (const std::bad_alloc&) {
    return Failed(7);
  } catch (...) {
    return Failed(51);
  }
}

int UnattendedUi::MsgBox(const std::string& prompt, int style, const std::string& title) {
  collected_ += prompt;
  collected_ += CR;
  return DefaultAnswer(style);
}

InputAnswer UnattendedUi::InputBox(const std::string& prompt, const std::string&, const std::string&) {
  collected_ += prompt;
  collected_ += CR;
  return {"", true};
}

UnattendedUi* ActiveUnattendedUi() { return g_unattended; }
void SetActiveUnattendedUi(UnattendedUi* ui) { g_unattended = ui; }

bool RemoveLapDataFile() {
  namespace fs = std::filesystem;
  const fs::path file = ProgramPath(kLapDataFileName);
  std::error_code ec;
  if (fs::is_symlink(fs::symlink_status(file, ec))) {
    // The link stays: Cylvane may read the answer where it leads, and the
    // answer is written there. A link to anything but a file (a folder, a
    // device, nothing) can never hold one.
    if (SaveRefusal(file) != 0) return false;
  } else {
    fs::remove(file, ec);
    if (!fs::exists(fs::symlink_status(file, ec))) return true;
  }
  // A folder that may not be changed can still hold a file that may be
  // written: emptied, it reads as no result at all.
  ec.clear();
  fs::resize_file(file, 0, ec);
  if (!ec) return true;
  const auto size = fs::file_size(file, ec);
  return !ec && size == 0;
}

bool CompleteLapDataFile() {
  std::string boxes = g_unattended ? g_unattended->Collected() : std::string();
  std::array<std::string, kLapDataLines> lines;
  std::string bytes;
  bool found = ReadFileBytes(ProgramPath(kLapDataFileName), bytes);
  if (found) {
    // Lines end in CR LF; line 11 may hold single CRs of its own.
    size_t pos = 0;
    for (int i = 0; i < kLapDataLines - 1; ++i) {
      size_t end = bytes.find("\r\n", pos);
      if (end == std::string::npos) {
        found = false;
        break;
      }
      lines[i] = bytes.substr(pos, end - pos);
      pos = end + 2;
    }
    std::string last = bytes.substr(std::min(pos, bytes.size()));
    if (last.size() >= 2 && last.compare(last.size() - 2, 2, "\r\n") == 0) last.resize(last.size() - 2);
    lines[kLapDataLines - 1] = Cp1252ToUtf8(last);
    for (int i = 0; i < kLapDataLines - 1; ++i) lines[i] = Cp1252ToUtf8(lines[i]);
  }
  if (!found) {
    lines = {"0", "0", "0", Format(tbl.DensityAltitude, "#####0"), Format(tbl.DryDensityAltitude, "#####0"),
             "0", SpecAt(kVehicle, 0), "0", "0", fst.CurrentFileName,
             std::string(2, CR) + "Stagewell calculations can not be done due to:" + std::string(2, CR) +
                 "The calculation ended without a result."};
  }
  if (boxes.empty() && found) return true;
  lines[kLapDataLines - 1] = boxes + lines[kLapDataLines - 1];
  return WriteLapDataFile(lines);
}

void KeepUnreadableFile(const std::filesystem::path& file) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(file, ec)) return;
  std::filesystem::path kept = file;
  kept += ".bad";
  // A copy kept earlier is what the racer may still need: it is never
  // replaced. An empty one (what an interrupted copy left) is.
  const auto size = std::filesystem::file_size(kept, ec);
  if (!ec && size > 0) return;
  std::string bytes;
  if (!ReadFileBytes(file, bytes)) return;
  WriteFileAtomic(kept, bytes);  // all of it or nothing, also on a full disk
}

UnreadableFileKeeper::UnreadableFileKeeper(std::filesystem::path file) : file_(std::move(file)), outer_(&Ui()) {
  SetUi(this);
}

UnreadableFileKeeper::~UnreadableFileKeeper() {
  SetUi(outer_ == this ? nullptr : outer_);
  if (boxes_ > 0) KeepUnreadableFile(file_);
}

int UnreadableFileKeeper::MsgBox(const std::string& prompt, int style, const std::string& title) {
  ++boxes_;
  return outer_->MsgBox(prompt, style, title);
}

InputAnswer UnreadableFileKeeper::InputBox(const std::string& prompt, const std::string& title,
                                           const std::string& defaultText) {
  return outer_->InputBox(prompt, title, defaultText);
}

}  // namespace sw
