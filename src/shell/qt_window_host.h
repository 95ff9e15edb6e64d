// The program's windows behind the interfaces through which the numeric
// core and the vehicle files reach them.
#pragma once

#include "files/file_windows.h"
#include "platform/window_host.h"

namespace sw {

class QtWindowHost : public WindowHost {
 public:
  void LoadProgress() override;
  void UnloadProgress() override;
  bool ProgressLoaded() const override;
  void SetProgressBar(float width) override;
  void SetProgressDistance(const std::string& caption) override;
  void SetProgressPass(const std::string& caption) override;
  void EnableMainPanels(bool enabled) override;
  void EngineCurveImported() override;
  void SpecRowsChanged(int menu) override;
  void ShowResultsAndNotes() override;
  void UnloadResultsWindow() override;
  void ResultsFromHistory() override;
  bool DialInLoaded() const override;
  std::string DialInRowText(int row) const override;
  int DialInListIndex(int row) const override;
  bool TransmissionLoaded() const override;
  std::string TransmissionRowText(int row) const override;
  void SetTransmissionRowText(int row, const std::string& text) override;
};

class QtFileWindows : public FileWindows {
 public:
  std::string ChooseFileToOpen(const std::string& filter, const std::string& title,
                               const std::string& startFolder) override;
  void ShowRetrieveForm() override;
  void ShowSaveAsForm() override;
  void SetMainComments(const std::string& text) override;
  void SetDialInComments(const std::string& text) override;
  void BuildMainCaption() override;
  void CurrentVehicleChanged() override;
};

// Installs both for the program (and for tests that drive real windows),
// with the watch that keeps windows alive under a waiting handler.
void InstallQtWindows();

}  // namespace sw
