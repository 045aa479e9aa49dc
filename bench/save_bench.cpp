// What saving the unfinished match costs at each decision of the human: the
// encoding, which the window does itself, and the synced write, which a
// thread of its own does behind it. The file's size is reported with them.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>

#include "match.h"
#include "match_file.h"
#include "match_runner.h"

namespace {

// A position from the middle of a real match, with a few take-back points.
class TMidMatch final : public varlo::TEventSink {
 public:
  void OnEvent(const varlo::TMatch& match, const varlo::TEventRecord& event) override {
    if (event.Kind == varlo::TEventKind::Click && match.Progress().DealsPlayed == 17)
      Saved.TakeBackPoints.push_back(match.State());
  }
  varlo::TSavedMatch Saved;
};

varlo::TSavedMatch MidMatch() {
  static const varlo::TSavedMatch saved = [] {
    TMidMatch sink;
    varlo::TRunOptions options;
    options.Seed = 5;
    options.Listener = &sink;
    options.Check = false;
    varlo::RunMatches(options);
    varlo::TSavedMatch s = sink.Saved;
    s.Match = s.TakeBackPoints.back();
    return s;
  }();
  return saved;
}

void EncodeMatch(benchmark::State& state) {
  const varlo::TSavedMatch saved = MidMatch();
  std::size_t bytes = 0;
  for (auto _ : state) bytes = varlo::EncodeMatch(saved).size();
  state.counters["file_bytes"] = static_cast<double>(bytes);
}

void WriteMatchFileSynced(benchmark::State& state) {
  char pattern[] = "/tmp/varlo-save-bench-XXXXXX";
  const std::filesystem::path dir = ::mkdtemp(pattern);
  const std::string text = varlo::EncodeMatch(MidMatch());
  for (auto _ : state) varlo::WriteMatchFile(dir / varlo::MatchFileName, text);
  std::filesystem::remove_all(dir);
}

BENCHMARK(EncodeMatch)->Unit(benchmark::kMillisecond)->ComputeStatistics(
    "max", [](const std::vector<double>& v) { return *std::max_element(v.begin(), v.end()); });
BENCHMARK(WriteMatchFileSynced)->Unit(benchmark::kMillisecond)->Iterations(30)->Repetitions(3);

}  // namespace
