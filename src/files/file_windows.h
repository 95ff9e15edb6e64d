// What the vehicle files need of the program's windows: the open and
// save-as windows, the platform's file-open dialog (the floppy drive is a
// folder the user picks), the comments boxes the reader fills, the main
// window's caption and the calling window's mouse pointer.
//
// The program installs an implementation backed by the real windows; without
// one every call is a quiet no-op and the file dialog is cancelled. Tests
// install their own to watch what the reader and writer do.
#pragma once

#include <string>

namespace sw {

// The windows that call the reader and the writer.
enum class FormId {
  frmMain,
  Rtrvfile,
  frmSaveFile,
  frmDialIn,
  frmMatch,
  frmDispGrid,
  Other,
};

class FileWindows {
 public:
  virtual ~FileWindows() = default;

  // Load and show the open window (Rtrvfile) / the save-as window
  // (frmSaveFile), not modal.
  virtual void ShowRetrieveForm() {}
  virtual void ShowSaveAsForm() {}

  // The platform's file-open dialog on the main window. The file must
  // exist. Returns the chosen full path, "" when cancelled.
  virtual std::string ChooseFileToOpen(const std::string& filter, const std::string& title,
                                       const std::string& startFolder) {
    return "";
  }

  // The main window's comments box (frmMain.Text1) and the dial-in window's
  // (frmDialIn.Text1). Setting them must not count as the user's edit.
  virtual void SetMainComments(const std::string& text) {}
  virtual void SetDialInComments(const std::string& text) {}

  // Rebuild the main window's caption from CurrentFileName.
  virtual void BuildMainCaption() {}

  // Another vehicle's specs became current (opened, reopened, or a new
  // vehicle started): the main window's summary, caption and comments show
  // it at once, whichever window has the front.
  virtual void CurrentVehicleChanged() {}

  // Back to the default mouse pointer on the calling window.
  virtual void SetDefaultMousePointer(FormId window) {}
};

FileWindows& FileWin();
void SetFileWindows(FileWindows* windows);  // nullptr restores the quiet one

}  // namespace sw
