// A whole search as the racer runs it, with its windows (offscreen): OK in
// the Match window with the progress window and the result screen, and Find
// Best from the main window's Optimize menu. Each has to take well under a
// second.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <cstdlib>
#include <filesystem>

#include "files/configuration.h"
#include "files/file_state.h"
#include "match/frm_disp.h"
#include "match/frm_match.h"
#include "match/spec_search.h"
#include "platform/program_folder.h"
#include "platform/qt/default_instance.h"
#include "platform/scripted_ui.h"
#include "shell/qt_window_host.h"
#include "shell/shell_state.h"
#include "simulation/input_checks.h"
#include "simulation/tables.h"
#include "support/fixture_vehicle.h"
#include "support/temp_folder.h"

namespace {

void Settle() {
  for (int i = 0; i < 5; ++i) {
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

// Keeps clicking the result screen's button `index` whenever it is up.
void AnswerResultScreens(int index) {
  auto* t = new QTimer(qApp);
  t->setInterval(1);
  QObject::connect(t, &QTimer::timeout, [index] {
    if (auto* d = qobject_cast<sw::frmDisp*>(QApplication::activeModalWidget())) d->Command1_Click(index);
  });
  t->start();
}

void Prepare() {
  sw::ResetTables();
  sw::ResetFileState();
  sw::ResetInputCheckMemory();
  sw::test::LoadFixtureVehicle(sw::test::kMuscleCar);
  const std::string slip[6] = {" 0", "", "2.067", "113.21", "5543", " 3"};
  for (int k = 0; k < 6; ++k) sw::SpecAt(sw::kMatch, k) = slip[k];
}

void BM_MatchFromTheWindow(benchmark::State& state) {
  sw::TempFolder folder;
  sw::SetProgramFolder(folder.path());
  std::filesystem::create_directories(folder.path() / "QVZHELP");
  std::filesystem::copy_file(std::filesystem::path(SW_DATA_DIR) / "QVZHELP/help7.txt",
                             folder.path() / "QVZHELP/help7.txt");
  sw::ScriptedUi ui;
  sw::SetUi(&ui);
  sw::InstallQtWindows();
  AnswerResultScreens(1);
  int passes = 0;
  for (auto _ : state) {
    state.PauseTiming();
    Prepare();
    sw::ShowMatchWindow();
    sw::frmMatch* w = sw::DefaultInstance<sw::frmMatch>::IfLoaded();
    w->activateWindow();
    Settle();
    state.ResumeTiming();
    w->Command1[0]->click();
    Settle();
    passes = sw::tbl.CalcPass;
  }
  sw::SetUi(nullptr);
  state.counters["passes"] = passes;
}
BENCHMARK(BM_MatchFromTheWindow)->Unit(benchmark::kMillisecond);

void BM_FindBestWithItsWindows(benchmark::State& state) {
  sw::TempFolder folder;
  sw::SetProgramFolder(folder.path());
  sw::ScriptedUi ui;
  sw::SetUi(&ui);
  sw::InstallQtWindows();
  int trials = 0;
  for (auto _ : state) {
    state.PauseTiming();
    Prepare();
    ui.Clear();
    ui.Answer(sw::ans::Yes);
    ui.Answer(sw::ans::No);
    sw::tbl.FindBestTarget = 0;
    sw::SpecSearch search;
    state.ResumeTiming();
    search.FindBest();
    Settle();
    trials = search.Trials();
  }
  sw::SetUi(nullptr);
  state.counters["trials"] = trials;
}
BENCHMARK(BM_FindBestWithItsWindows)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  sw::InitTables();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
