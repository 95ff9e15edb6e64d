// Leaving a value box of the Body & Axle window with instant updating on:
// the entry normalised and range-tested, the rows stored, a quiet
// quarter-mile calculation and the result set in the caption. The racer waits
// for this after every entry, so it has to stay well under 5 ms. The window
// runs offscreen.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <filesystem>
#include <string>

#include "files/configuration.h"
#include "files/file_state.h"
#include "platform/program_folder.h"
#include "platform/scripted_ui.h"
#include "platform/seqfile.h"
#include "shell/shell_state.h"
#include "simulation/tables.h"
#include "specs/frm_vehicle.h"
#include "support/fixture_vehicle.h"
#include "support/temp_folder.h"
#include "window_bench_main.h"

namespace {

const char* Car(int i) {
  static const char* cars[] = {sw::test::kMuscleCar, sw::test::kBracketCar, sw::test::kFrontDrive};
  return cars[i];
}

void CopyShipped(const std::filesystem::path& to, const std::string& name) {
  std::string bytes;
  sw::ReadFileBytes(std::filesystem::path(SW_DATA_DIR) / name, bytes);
  std::filesystem::create_directories((to / name).parent_path());
  sw::WriteFileAtomic(to / name, bytes);
}

void BM_BoxLeftToCaption(benchmark::State& state) {
  sw::TempFolder folder;
  sw::SetProgramFolder(folder.path());
  CopyShipped(folder.path(), "QVZHELP/help3.txt");
  for (const char* list : {"COMBO/CMB3-2", "COMBO/CMB3-3", "COMBO/CMB3-4", "COMBO/CMB3-9"})
    CopyShipped(folder.path(), list);
  sw::ScriptedUi ui;
  sw::SetUi(&ui);
  sw::ResetTables();
  sw::ResetFileState();
  sw::ResetShellValues();
  sw::test::LoadFixtureVehicle(Car(static_cast<int>(state.range(0))));
  sw::tbl.FinerTime = static_cast<int16_t>(state.range(1));
  sw::tbl.InstantUpdate = 1;
  sw::tbl.InstantCalcMenu = sw::kVehicle;
  sw::tbl.BeginnerLevel = 0;

  auto* w = new sw::frmVehicle;
  w->show();
  QApplication::setActiveWindow(w);
  for (int i = 0; i < 5; ++i) QApplication::processEvents();
  QLineEdit* weight = w->SpecData[0];
  const double base = std::stod(sw::SpecAt(sw::kVehicle, 0));

  int n = 0;
  for (auto _ : state) {
    weight->setText(QString::number(base + (++n % 2) * 10));
    w->LeaveEditedRows();
  }
  if (!w->windowTitle().contains("60 ft ]") || ui.boxes().size() != 0)
    state.SkipWithError("the caption shows no result");
  state.SetLabel(Car(static_cast<int>(state.range(0))) + std::string(state.range(1) ? " .001 s" : " .01 s") + "  " +
                 w->windowTitle().toStdString());
  delete w;
  sw::SetUi(nullptr);
  sw::SetProgramFolder({});
}
BENCHMARK(BM_BoxLeftToCaption)->ArgsProduct({{0, 1, 2}, {0, 1}})->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return sw::test::RunWindowBenchmarks(argc, argv); }
