// How strong the computer players are, on duplicate deals: the same seeds
// played by line-ups that differ in one place. Steady against Classic (a
// Steady or a Classic seat 0 among three Classic seats), Strong against
// Steady (a Strong or a Steady seat 0 among three Steady seats), what three
// Strong opponents cost a Steady seat 0 next to three Steady ones, and on
// request Strong against Classic and the coach's best card against Classic. For each: seat 0's mean match score, the
// paired difference with its 95 % interval and the difference per contract;
// then the time of a Strong decision.
// With --four-strong M it only times every decision of M matches of four
// Strong seats, on one thread (run it pinned to one core).
//
//   varlo_strength [--matches N] [--seed S] [--jobs J] [--with-classic 1] [--with-coach 1]
//   varlo_strength --four-strong M [--seed S]
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "match.h"
#include "match_runner.h"

namespace {

using namespace varlo;

// Seat 0's points in each deal, by contract, and its match totals.
class TTally final : public TEventSink {
 public:
  void OnEvent(const TMatch& match, const TEventRecord& event) override {
    if (event.Kind == TEventKind::Chooser) {
      Contract = event.Contract;
      AtStart = match.Deal().Players[0].Score;
    } else if (event.Kind == TEventKind::Score) {
      Deals[Contract].push_back(match.Deal().Players[0].Score - AtStart);
    } else if (event.Kind == TEventKind::Match) {
      Matches.push_back(match.Deal().Players[0].Score);
    }
  }
  std::vector<double> Matches;
  std::array<std::vector<double>, ContractCount> Deals;

 private:
  int Contract = 0;
  std::int32_t AtStart = 0;
};

struct TBlock {
  THumanStyle Human;
  TOpponentLevel Opponents;
  std::uint64_t Seed;
  int Matches;
  TTally Tally;
  TRunSummary Summary;
};

// Runs the blocks, `jobs` at a time, each on its own thread.
void RunBlocks(std::vector<TBlock*> blocks, int jobs) {
  std::size_t next = 0;
  while (next < blocks.size()) {
    std::vector<std::thread> running;
    for (int j = 0; j < jobs && next < blocks.size(); ++j, ++next) {
      running.emplace_back([block = blocks[next]] {
        TRunOptions options;
        options.Matches = block->Matches;
        options.Seed = block->Seed;
        options.Human = block->Human;
        options.Opponents = block->Opponents;
        options.Check = false;
        options.Listener = &block->Tally;
        block->Summary = RunMatches(options);
      });
    }
    for (auto& t : running) t.join();
  }
}

struct TRun {
  std::vector<TBlock> Blocks;
  std::vector<double> Matches() const {
    std::vector<double> all;
    for (const auto& b : Blocks) all.insert(all.end(), b.Tally.Matches.begin(), b.Tally.Matches.end());
    return all;
  }
  std::vector<double> Deals(int contract) const {
    std::vector<double> all;
    for (const auto& b : Blocks)
      all.insert(all.end(), b.Tally.Deals[contract].begin(), b.Tally.Deals[contract].end());
    return all;
  }
  std::vector<double> DecisionMs() const {
    std::vector<double> all;
    for (const auto& b : Blocks)
      all.insert(all.end(), b.Summary.DecisionMs.begin(), b.Summary.DecisionMs.end());
    return all;
  }
};

TRun Plan(THumanStyle human, TOpponentLevel opponents, std::uint64_t seed, int matches, int jobs) {
  TRun run;
  run.Blocks.resize(static_cast<std::size_t>(jobs));
  for (int j = 0; j < jobs; ++j)
    run.Blocks[j] = {human, opponents, seed + static_cast<std::uint64_t>(j),
                     matches / jobs + (j < matches % jobs ? 1 : 0), {}, {}};
  return run;
}

double Mean(const std::vector<double>& v) {
  double sum = 0;
  for (double x : v) sum += x;
  return v.empty() ? 0 : sum / static_cast<double>(v.size());
}

double Variance(const std::vector<double>& v) {
  const double m = Mean(v);
  double sum = 0;
  for (double x : v) sum += (x - m) * (x - m);
  return v.size() > 1 ? sum / static_cast<double>(v.size() - 1) : 0;
}

// Match by match: block j of both runs played the same deals in the same
// order (a shorter run, the first of them).
void PairedLine(const std::string& what, const TRun& a, const TRun& b) {
  std::vector<double> diff;
  for (std::size_t j = 0; j < a.Blocks.size() && j < b.Blocks.size(); ++j) {
    const auto& x = a.Blocks[j].Tally.Matches;
    const auto& y = b.Blocks[j].Tally.Matches;
    for (std::size_t i = 0; i < x.size() && i < y.size(); ++i) diff.push_back(y[i] - x[i]);
  }
  const std::size_t n = diff.size();
  const double half = 1.96 * std::sqrt(Variance(diff) / static_cast<double>(n));
  std::printf("%-44s %+8.1f  95%% CI %+.1f .. %+.1f  (%zu matches)\n", what.c_str(), Mean(diff),
              Mean(diff) - half, Mean(diff) + half, n);
}

void SpeedLine(const char* what, std::vector<double> ms) {
  if (ms.empty()) return;
  std::sort(ms.begin(), ms.end());
  const auto at = [&](double q) { return ms[static_cast<std::size_t>(q * (ms.size() - 1))]; };
  std::printf("%-44s median %.2f ms  p99 %.2f ms  max %.2f ms  (%zu decisions)\n", what, at(0.5),
              at(0.99), ms.back(), ms.size());
}

// Seat 0's points per deal, by contract: b minus a on the same deals.
void ContractLines(const TRun& a, const TRun& b) {
  std::printf("  per deal, by contract (seat 0)       %8s %8s  difference (95%% CI)\n", "before",
              "after");
  for (int c = 0; c < ContractCount; ++c) {
    const auto x = a.Deals(c), y = b.Deals(c);
    const double half = 1.96 * std::sqrt(Variance(x) / x.size() + Variance(y) / y.size());
    std::printf("  %-36s %8.1f %8.1f  %+7.1f (%+.1f .. %+.1f)\n", ContractName(c).c_str(), Mean(x),
                Mean(y), Mean(y) - Mean(x), Mean(y) - Mean(x) - half, Mean(y) - Mean(x) + half);
  }
}

void Comparison(const char* title, const TRun& a, const char* aName, const TRun& b,
                const char* bName) {
  std::printf("\n%s\n", title);
  std::printf("%-44s %8.1f\n", (std::string("mean match score, ") + aName).c_str(), Mean(a.Matches()));
  std::printf("%-44s %8.1f\n", (std::string("mean match score, ") + bName).c_str(), Mean(b.Matches()));
  PairedLine(std::string(bName) + " minus " + aName + ", per match", a, b);
  ContractLines(a, b);
}

}  // namespace

int main(int argc, char** argv) {
  int matches = 200, jobs = 2, fourStrong = 0;
  bool withClassic = false, withCoach = false;
  std::uint64_t seed = 1000;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string arg = argv[i];
    const long value = std::atol(argv[i + 1]);
    if (arg == "--matches") matches = static_cast<int>(value);
    else if (arg == "--seed") seed = static_cast<std::uint64_t>(value);
    else if (arg == "--jobs") jobs = static_cast<int>(value);
    else if (arg == "--four-strong") fourStrong = static_cast<int>(value);
    else if (arg == "--with-classic") withClassic = value != 0;
    else if (arg == "--with-coach") withCoach = value != 0;
  }
  jobs = std::max(1, jobs);
  if (fourStrong > 0) {
    TRun four = Plan(THumanStyle::Strong, TOpponentLevel::Strong, seed, fourStrong, 1);
    RunBlocks({&four.Blocks[0]}, 1);
    SpeedLine("Strong decisions, four Strong seats", four.DecisionMs());
    return 0;
  }

  using H = THumanStyle;
  using O = TOpponentLevel;
  TRun classicClassic = Plan(H::First, O::Classic, seed, matches, jobs);
  TRun steadyClassic = Plan(H::Steady, O::Classic, seed, matches, jobs);
  TRun strongClassic = Plan(H::Strong, O::Classic, seed, withClassic ? matches : 0, jobs);
  TRun coachClassic = Plan(H::Coach, O::Classic, seed, withCoach ? matches : 0, jobs);
  TRun steadySteady = Plan(H::Steady, O::Steady, seed, matches, jobs);
  TRun strongSteady = Plan(H::Strong, O::Steady, seed, matches, jobs);
  TRun steadyStrong = Plan(H::Steady, O::Strong, seed, matches, jobs);
  std::vector<TBlock*> all;
  // The longest runs first, so that the jobs finish together.
  for (TRun* run : {&coachClassic, &steadyStrong, &strongSteady, &strongClassic, &steadySteady,
                    &steadyClassic, &classicClassic})
    for (auto& b : run->Blocks) all.push_back(&b);
  RunBlocks(all, jobs);

  std::printf("duplicate deals: every line-up plays the same %d matches\n", matches);
  Comparison("Steady against Classic: seat 0 among three Classic seats", classicClassic,
             "Classic", steadyClassic, "Steady");
  Comparison("Strong against Steady: seat 0 among three Steady seats", steadySteady, "Steady",
             strongSteady, "Strong");
  if (withClassic)
    Comparison("Strong against Classic: seat 0 among three Classic seats", classicClassic,
               "Classic", strongClassic, "Strong");
  if (withCoach)
    Comparison("The coach's best card against Classic: seat 0 among three Classic seats",
               classicClassic, "Classic", coachClassic, "Coach");
  Comparison("What stronger opponents cost: a Steady seat 0 among three Steady, then three "
             "Strong seats",
             steadySteady, "Steady opponents", steadyStrong, "Strong opponents");
  std::printf("\n");
  SpeedLine("Strong decisions, seat 0", strongSteady.DecisionMs());
  SpeedLine("Strong decisions, seats 1-3", steadyStrong.DecisionMs());
  return 0;
}
