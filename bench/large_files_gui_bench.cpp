// Windows that show a large file at once: the help window with a page of 1
// and 8 MB (and one of a single 1 MB paragraph), and the vehicle-weight
// calculator with a table of 1, 8 and 64 MB. A real page is a few kB and
// the real table some 100 kB; the help window must still be up with its
// first screen painted within 0.1 s at 1 MB and 0.5 s at 8 MB, its end
// within 0.2 s.
//
// Offscreen there is no accessibility: the cases with a11y:1 run where a
// bridge to assistive technology is, e.g. under Xvfb with the AT-SPI bus
// and QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 (QT_QPA_PLATFORM=xcb).
#include <benchmark/benchmark.h>

#include <QAccessible>
#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QKeyEvent>
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

// A help page of one paragraph: its text lines all continue the first.
std::string OneParagraphPage(size_t bytes) {
  std::string page = "Help\r\nOne paragraph";
  while (page.size() < bytes) page += "\r\ncontinued text of the one paragraph about one row or another";
  return page + "\r\n";
}

// Lets events run until `w` has painted (or 10 s have gone by).
class PaintWatch : public QObject {
 public:
  explicit PaintWatch(QWidget* w) : w_(w) { w->installEventFilter(this); }
  ~PaintWatch() override {
    if (w_) w_->removeEventFilter(this);
  }
  bool Wait() {
    QElapsedTimer clock;
    clock.start();
    while (!painted_ && clock.elapsed() < 10000) QApplication::processEvents(QEventLoop::AllEvents, 5);
    const bool was = painted_;
    painted_ = false;
    return was;
  }
  bool eventFilter(QObject* o, QEvent* e) override {
    if (e->type() == QEvent::Paint) painted_ = true;
    return QObject::eventFilter(o, e);
  }

 private:
  QPointer<QWidget> w_;
  bool painted_ = false;
};

// The shown page's text, for the paint of its first screen to be waited on.
QWidget* PageOf(sw::HelpForm* f) { return f->Label1->viewport(); }

// A key pressed and let go in `w`.
void Press(QWidget* w, int key, Qt::KeyboardModifiers modifiers) {
  QKeyEvent down(QEvent::KeyPress, key, modifiers), up(QEvent::KeyRelease, key, modifiers);
  QApplication::sendEvent(w, &down);
  QApplication::sendEvent(w, &up);
}

// Accessibility on (as with a screen reader running) for one benchmark. It
// comes on only where the platform has a bridge to assistive technology
// (on X11: QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 or a screen reader running,
// with the AT-SPI bus), and once that bridge has connected.
struct Accessibility {
  explicit Accessibility(bool on) {
    QAccessible::setActive(on);
    QElapsedTimer clock;
    clock.start();
    while (QAccessible::isActive() != on && clock.elapsed() < 3000) QApplication::processEvents(QEventLoop::AllEvents, 50);
  }
  ~Accessibility() { QAccessible::setActive(false); }
};

// Help on a one-page topic, from the call to the window shown with its first
// screen painted; closed between the runs. Arguments: MB, one paragraph (1)
// or many (0), accessibility on (1) or off (0).
void BM_HelpWindowOpens(benchmark::State& state) {
  const size_t bytes = state.range(0) * kMB;
  Scene scene("QVZHELP/helps0.txt", state.range(1) ? OneParagraphPage(bytes) : sw::test::LargeHelpPage(bytes));
  Accessibility a11y(state.range(2) != 0);
  if (state.range(2) && !QAccessible::isActive()) state.SkipWithError("no accessibility here: run under X with QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1");
  for (auto _ : state) {
    sw::ShowHelpTopic(400);
    sw::HelpForm* f = sw::DefaultInstance<sw::HelpForm>::IfLoaded();
    if (!f || !PaintWatch(PageOf(f)).Wait() || !f->isVisible()) {
      state.SkipWithError("no help window painted");
      break;
    }
    state.PauseTiming();
    f->close();
    Settle();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_HelpWindowOpens)
    ->ArgNames({"MB", "oneParagraph", "a11y"})
    ->Args({1, 0, 0})
    ->Args({8, 0, 0})
    ->Args({1, 1, 0})
    ->Args({1, 0, 1})
    ->Args({8, 0, 1})
    ->Args({1, 1, 1})
    ->Unit(benchmark::kMillisecond);

// The open help window's page taken to its end by Ctrl+End, until painted;
// back at its top between the runs. Arguments as above, without
// accessibility.
void BM_HelpPageScrolledToEnd(benchmark::State& state) {
  const size_t bytes = state.range(0) * kMB;
  Scene scene("QVZHELP/helps0.txt", state.range(1) ? OneParagraphPage(bytes) : sw::test::LargeHelpPage(bytes));
  sw::ShowHelpTopic(400);
  sw::HelpForm* f = sw::DefaultInstance<sw::HelpForm>::Get();
  PaintWatch painted(PageOf(f));
  painted.Wait();
  QScrollBar* bar = f->Label1->verticalScrollBar();
  for (auto _ : state) {
    state.PauseTiming();
    Press(f->Label1, Qt::Key_Home, Qt::ControlModifier);
    painted.Wait();
    state.ResumeTiming();
    Press(f->Label1, Qt::Key_End, Qt::ControlModifier);
    if (!painted.Wait() || bar->value() != bar->maximum() || bar->maximum() == 0) {
      state.SkipWithError("the end not reached");
      break;
    }
  }
  sw::DefaultInstance<sw::HelpForm>::Unload();
  Settle();
}
BENCHMARK(BM_HelpPageScrolledToEnd)
    ->ArgNames({"MB", "oneParagraph"})
    ->Args({1, 0})
    ->Args({8, 0})
    ->Args({1, 1})
    ->Unit(benchmark::kMillisecond);

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
BENCHMARK(BM_WeightCalculatorOpens)->Arg(1)->Arg(8)->Arg(64)->Unit(benchmark::kMillisecond);

// A make picked in the open calculator (a different one each time): its
// models read into the Model list, the window shown again.
void BM_MakePicked(benchmark::State& state) {
  Scene scene("TEXT/vehweight.txt", sw::test::LargeWeightTable(state.range(0) * kMB));
  sw::frmCalcData* w = sw::OpenCalculator(nullptr, 24);
  if (!w) {
    state.SkipWithError("no calculator");
    return;
  }
  Settle();
  QComboBox* makes = w->Combo1[2];
  int pick = 0;
  for (auto _ : state) {
    pick = (pick + makes->count() / 7) % makes->count();
    makes->setCurrentIndex(pick);
    emit makes->activated(pick);
    QApplication::processEvents();
    if (w->Combo1[3]->count() != 1) {
      state.SkipWithError("no model listed");
      break;
    }
  }
  state.counters["makes"] = makes->count();
  sw::DefaultInstance<sw::frmCalcData>::Unload();
  Settle();
}
BENCHMARK(BM_MakePicked)->Arg(1)->Arg(8)->Arg(64)->Unit(benchmark::kMillisecond);

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
BENCHMARK(BM_MakeListClicked)->Arg(1)->Arg(8)->Arg(64)->Unit(benchmark::kMillisecond);

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
