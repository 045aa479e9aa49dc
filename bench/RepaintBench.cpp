// One full table redraw of a layout deal with 40 pictures: the eight hand
// slots and all 32 cards on the layout, the heaviest view the table shows.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "MainForm.h"

namespace {

void FullLayoutRepaint(benchmark::State& state) {
  TfrmVarlo window(nullptr, std::filesystem::path());
  window.show();
  varlo::TMatch& match = window.Match();
  varlo::TMatchState position = match.State();
  position.Deal.Contract = varlo::VarloLayout;
  position.Deal.Layout.fill(true);
  for (int slot = 0; slot < varlo::HandSize; ++slot) position.Deal.Players[0].Cards[slot] = slot;
  position.Table.GameLine = "Current Game: Varlo";
  match.Restore(position);
  match.RepaintTable();  // pictures are rendered once on first use; time the redraws
  for (auto _ : state) match.RepaintTable();
}

BENCHMARK(FullLayoutRepaint)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
