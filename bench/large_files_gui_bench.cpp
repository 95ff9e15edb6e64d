// Windows that show a large file at once (offscreen): the help window with a
// page of 1 and 8 MB, and a click on the Make list of the vehicle-weight
// calculator filled from a table of 1 and 8 MB. A real page is a few kB and
// the real table some 100 kB; each must still answer well under a second,
// the click well under 0.1 s.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QScrollBar>
#include <filesystem>
#include <string>

#include "calcmenus/frm_calc_data.h"
#include "files/file_state.h"
#include "platform/program_folder.h"
#include "platform/qt/default_instance.h"
#include "platform/scripted_ui.h"
#include "platform/seqfile.h"
#include "shell/help_form.h"
#include "shell/shell_state.h"
#include "simulation/tables.h"
#include "support/large_files.h"
#include "support/temp_folder.h"
#include "window_bench_main.h"

namespace {

constexpr size_t kMB = 1 << 20;

void Settle() {
  for (int i = 0; i < 5; ++i) {
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

// A list opened, shown and closed again.
void Click(QComboBox* list) {
  list->showPopup();
  QApplication::processEvents();
  list->hidePopup();
  QApplication::processEvents();
}

// A program folder holding only `file` with `bytes` in it, and the shipped
// calculator layouts.
struct Scene {
  Scene(const std::string& file, const std::string& bytes) {
    std::filesystem::copy(std::filesystem::path(SW_DATA_DIR) / "CALC", folder.path() / "CALC");
    std::filesystem::create_directories((folder.path() / file).parent_path());
    sw::WriteFileAtomic(folder.path() / file, bytes);
    sw::SetProgramFolder(folder.path());
    sw::SetUi(&ui);
    sw::ResetTables();
    sw::ResetFileState();
    sw::ResetShellValues();
  }
  ~Scene() {
    sw::SetUi(nullptr);
    sw::SetProgramFolder({});
  }
  sw::TempFolder folder;
  sw::ScriptedUi ui;
};

// Help on a one-page topic: the window read, laid out, shown and painted,
// then closed.
void BM_HelpWindowOpens(benchmark::State& state) {
  Scene scene("QVZHELP/helps0.txt", sw::test::LargeHelpPage(state.range(0) * kMB));
  for (auto _ : state) {
    sw::ShowHelpTopic(400);
    Settle();
    sw::HelpForm* f = sw::DefaultInstance<sw::HelpForm>::IfLoaded();
    if (!f || !f->isVisible()) state.SkipWithError("no help window");
    else f->close();
    Settle();
  }
}
BENCHMARK(BM_HelpWindowOpens)->Arg(1)->Arg(8)->Unit(benchmark::kMillisecond);

// The open help window's page scrolled to its end and back to its top, each
// painted.
void BM_HelpPageScrolled(benchmark::State& state) {
  Scene scene("QVZHELP/helps0.txt", sw::test::LargeHelpPage(state.range(0) * kMB));
  sw::ShowHelpTopic(400);
  Settle();
  QScrollBar* bar = sw::DefaultInstance<sw::HelpForm>::Get()->Label1->verticalScrollBar();
  for (auto _ : state) {
    bar->setValue(bar->maximum());
    QApplication::processEvents();
    bar->setValue(0);
    QApplication::processEvents();
  }
  state.counters["lines"] = bar->maximum();
  sw::DefaultInstance<sw::HelpForm>::Unload();
  Settle();
}
BENCHMARK(BM_HelpPageScrolled)->Arg(1)->Arg(8)->Unit(benchmark::kMillisecond);

// The vehicle-weight calculator opened: the Make list filled from the table.
void BM_WeightCalculatorOpens(benchmark::State& state) {
  Scene scene("TEXT/vehweight.txt", sw::test::LargeWeightTable(state.range(0) * kMB));
  for (auto _ : state) {
    if (!sw::OpenCalculator(nullptr, 24)) state.SkipWithError("no calculator");
    Settle();
    sw::DefaultInstance<sw::frmCalcData>::Unload();
    Settle();
  }
}
BENCHMARK(BM_WeightCalculatorOpens)->Arg(1)->Arg(8)->Unit(benchmark::kMillisecond);

// A click on the filled Make list: the list opened and shown, then closed.
void BM_MakeListClicked(benchmark::State& state) {
  Scene scene("TEXT/vehweight.txt", sw::test::LargeWeightTable(state.range(0) * kMB));
  sw::frmCalcData* w = sw::OpenCalculator(nullptr, 24);
  if (!w) {
    state.SkipWithError("no calculator");
    return;
  }
  Settle();
  QComboBox* makes = w->Combo1[2];
  for (auto _ : state) Click(makes);
  state.counters["makes"] = makes->count();
  sw::DefaultInstance<sw::frmCalcData>::Unload();
  Settle();
}
BENCHMARK(BM_MakeListClicked)->Arg(1)->Arg(8)->Unit(benchmark::kMillisecond);

// The first click on the Make list, right after the calculator filled it.
void BM_MakeListFirstClick(benchmark::State& state) {
  Scene scene("TEXT/vehweight.txt", sw::test::LargeWeightTable(state.range(0) * kMB));
  for (auto _ : state) {
    state.PauseTiming();
    sw::frmCalcData* w = sw::OpenCalculator(nullptr, 24);
    Settle();
    state.ResumeTiming();
    if (!w) {
      state.SkipWithError("no calculator");
      break;
    }
    Click(w->Combo1[2]);
    state.PauseTiming();
    sw::DefaultInstance<sw::frmCalcData>::Unload();
    Settle();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_MakeListFirstClick)->Arg(1)->Arg(8)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return sw::test::RunWindowBenchmarks(argc, argv); }
