// Whole matches per second through PlayTurn, as the window plays them but
// with a screen that answers at once: the cost of the rules and the driver.
#include <benchmark/benchmark.h>

#include "match_runner.h"

namespace {

void WholeMatches(benchmark::State& state, varlo::THumanStyle style) {
  varlo::TRunOptions options;
  options.Matches = 100;
  options.Human = style;
  options.Check = false;  // no records dir: the records file is left out
  std::uint64_t seed = 1;
  for (auto _ : state) {
    options.Seed = seed++;
    const auto summary = varlo::RunMatches(options);
    benchmark::DoNotOptimize(summary.Deals);
  }
  state.SetItemsProcessed(state.iterations() * options.Matches);
  state.counters["matches_per_s"] =
      benchmark::Counter(static_cast<double>(state.iterations() * options.Matches),
                         benchmark::Counter::kIsRate);
}

BENCHMARK_CAPTURE(WholeMatches, first, varlo::THumanStyle::First)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WholeMatches, random, varlo::THumanStyle::Random)->Unit(benchmark::kMillisecond);

}  // namespace
