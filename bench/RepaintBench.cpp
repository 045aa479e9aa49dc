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
  match.Contract = varlo::VarloLayout;
  match.Layout.fill(true);
  for (int slot = 0; slot < varlo::HandSize; ++slot) match.Players[0].Cards[slot] = slot;
  match.GameLine = "Current Game: Varlo";
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
