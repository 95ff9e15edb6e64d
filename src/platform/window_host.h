// What the numeric core and the files need of the program's windows: the
// progress window, the main window's button panels, the results window, and
// the entry rows of the windows whose values a calculation reads or writes.
//
// The program installs an implementation backed by the real windows; without
// one (tests, the unattended start mode) every call is a quiet no-op, and
// tests install their own to watch what a calculation does. Windows that are
// not loaded answer like empty rows. Add entries here as further windows come
// in: one virtual with a harmless default each.
#pragma once

#include <string>

namespace sw {

class WindowHost {
 public:
  virtual ~WindowHost() = default;

  // --- progress window (frmPrgrs)
  virtual void LoadProgress() {}    // load and show, not modal
  virtual void UnloadProgress() {}
  virtual bool ProgressLoaded() const { return false; }
  virtual void SetProgressBar(float width) {}                         // Shape1(1).Width, full = 3615
  virtual void SetProgressDistance(const std::string& caption) {}     // Label2(0)
  virtual void SetProgressPass(const std::string& caption) {}         // Label2(1)

  // --- main window (frmMain)
  virtual void EnableMainPanels(bool enabled) {}                      // Picture1 and Picture2

  // --- engine window (frmEngine): a power curve was imported into the specs
  // table and PowerCurveText; a loaded window shows them and redraws its plot
  virtual void EngineCurveImported() {}

  // --- spec windows (menus 1..6) and the dial-in window (menus 8 and 9):
  // another window wrote specs of menu `menu` into SpecText; a loaded window
  // of that menu refills its rows from SpecText at once, so that its next
  // store cannot bring the old texts back. Windows that are not loaded are
  // left alone (they fill their rows when they open).
  virtual void SpecRowsChanged(int menu) {}

  // --- results window (frmDispGrid)
  virtual void ShowResultsAndNotes() {}
  virtual void UnloadResultsWindow() {}
  // A history run is being retrieved: the notes panel no longer shows the
  // ET and MPH of the specs.
  virtual void ResultsFromHistory() {}

  // --- dial-in window (frmDialIn): entry rows SpecData(r) and pick lists cmbSpecData(r)
  virtual bool DialInLoaded() const { return false; }
  virtual std::string DialInRowText(int row) const { return ""; }
  virtual int DialInListIndex(int row) const { return 0; }

  // --- transmission window (frmTransmission): entry rows SpecData(r)
  virtual bool TransmissionLoaded() const { return false; }
  virtual std::string TransmissionRowText(int row) const { return ""; }
  virtual void SetTransmissionRowText(int row, const std::string& text) {}
};

WindowHost& Windows();
void SetWindows(WindowHost* host);  // nullptr restores the quiet one

}  // namespace sw
