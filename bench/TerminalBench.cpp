// The output terminal at scale: appending, finding rows by id, clearing and
// copying selected rows over large stores, and the desktop view's copy of a
// large selection.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QItemSelectionModel>

#include "app/TerminalListView.h"
#include "terminal/Terminal.h"
#include "terminal/TerminalModel.h"

namespace tarvik {
namespace {

void Fill(CTerminal& terminal, int lines) {
  for (int i = 0; i < lines; ++i) terminal.OutputLineF("WIND DIRECTION      : %d\n", i);
}

void BM_AppendLines(benchmark::State& state) {
  const int lines = static_cast<int>(state.range(0));
  for (auto _ : state) {
    CTerminal terminal;
    Fill(terminal, lines);
    benchmark::DoNotOptimize(terminal.NextId());
  }
  state.SetItemsProcessed(state.iterations() * lines);
}
BENCHMARK(BM_AppendLines)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

void BM_FindLine(benchmark::State& state) {
  CTerminal terminal;
  Fill(terminal, static_cast<int>(state.range(0)));
  int id = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(terminal.FindLine(id));
    id = (id + 7919) % terminal.NextId();
  }
}
BENCHMARK(BM_FindLine)->Arg(1'000)->Arg(1'000'000);

void BM_ClearLines(benchmark::State& state) {
  CTerminal terminal;
  for (auto _ : state) {
    state.PauseTiming();
    Fill(terminal, static_cast<int>(state.range(0)));
    state.ResumeTiming();
    terminal.ClearLines();
  }
}
// The filling is untimed, so the iteration count is fixed rather than grown.
BENCHMARK(BM_ClearLines)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Iterations(10)
    ->Unit(benchmark::kMillisecond);

void BM_CopyMarkedLines(benchmark::State& state) {
  CTerminal terminal;
  Fill(terminal, static_cast<int>(state.range(0)));
  for (auto _ : state) {
    for (int id = 0; id < terminal.NextId(); ++id) terminal.MarkLine(id);
    benchmark::DoNotOptimize(terminal.MarkedLinesText());
    terminal.UnmarkAll();
  }
}
BENCHMARK(BM_CopyMarkedLines)->Arg(100'000)->Unit(benchmark::kMillisecond);

// The whole Ctrl+C path of the desktop view with every row selected.
void BM_ViewCopySelection(benchmark::State& state) {
  CTerminal terminal;
  TerminalModel model(terminal);
  TerminalListView view(&model);
  Fill(terminal, static_cast<int>(state.range(0)));
  terminal.ShowLineCount(terminal.NextId() - 1);
  view.selectAll();
  for (auto _ : state) view.CopySelectedRows();
}
BENCHMARK(BM_ViewCopySelection)->Arg(100'000)->Unit(benchmark::kMillisecond);

// Telling the view of a million rows, and clearing them with the view
// attached, as Clear Buffer does.
void BM_ViewShowAndClear(benchmark::State& state) {
  CTerminal terminal;
  TerminalModel model(terminal);
  TerminalListView view(&model);
  view.resize(800, 600);
  for (auto _ : state) {
    state.PauseTiming();
    Fill(terminal, static_cast<int>(state.range(0)));
    state.ResumeTiming();
    terminal.ShowLineCount(terminal.NextId() - 1);
    terminal.ClearLines();
  }
}
BENCHMARK(BM_ViewShowAndClear)->Arg(1'000'000)->Iterations(5)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tarvik

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
