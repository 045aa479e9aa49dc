#include "match_runner.h"

#include <chrono>
#include <cstdio>
#include <optional>

#include "headless_screen.h"
#include "match.h"
#include "match_checker.h"
#include "records.h"
#include "transcript.h"

namespace varlo {

namespace {

// A match has at most 32 deals of at most 8 clicks each, plus the stray
// clicks of the chaos player; far beyond this the driver is stuck.
constexpr long ClickLimitPerMatch = 20000;

class TRunner {
 public:
  explicit TRunner(const TRunOptions& options)
      : Options(options), Clock(options.Seed << 20), Human(options.Human, options.Seed),
        Screen(Human), Match(Screen, Clock) {
    Screen.Attach(&Match);
    if (options.Transcript) {
      Transcript.emplace(*options.Transcript);
      Screen.AddSink(&*Transcript);
    }
    if (options.Check) Screen.AddSink(&Checker);
    Match.Players[0].Name = options.Name;
    if (!options.RecordsFile.empty()) {
      Match.RecordsFile = options.RecordsFile;
    } else if (!options.RecordsDir.empty()) {
      Match.RecordsFile = options.RecordsDir / RecordsFileName;
    }
    if (!Match.RecordsFile.empty()) EnsureRecordsFile(Match.RecordsFile, nullptr);
  }

  void PlayMatch(TRunSummary& summary) {
    Screen.Emit({.Kind = TEventKind::New});
    Match.NewMatch();
    AfterTurn();
    long clicks = 0;
    while (!Match.MatchFinished() && clicks < ClickLimitPerMatch) {
      for (int n = Human.StrayClickCount(); n > 0 && !Match.MatchFinished(); --n, ++clicks)
        Click(Human.StrayClick());
      if (Match.MatchFinished()) break;
      const auto legal = Human.LegalClick(Match);
      if (legal.first < 0) {
        summary.Failures.push_back("the human has no card to play");
        break;
      }
      Click(legal);
      ++clicks;
    }
    if (clicks >= ClickLimitPerMatch) summary.Failures.push_back("the match did not end");
    Screen.Emit({.Kind = TEventKind::Match});
    if (Options.Check) Checker.AfterMatch(Match);
    summary.Clicks += clicks;
    summary.Deals += Match.DealsPlayed;
    for (int s = 0; s < SeatCount; ++s) summary.MeanScores[s] += Match.Players[s].Score;
  }

  void Finish(TRunSummary& summary) {
    summary.Tricks = Screen.Tricks;
    for (const auto& f : Checker.Failures()) summary.Failures.push_back(f);
  }

 private:
  void Click(std::pair<int, int> at) {
    Screen.Emit({.Kind = TEventKind::Click, .X = at.first, .Y = at.second});
    Match.PlayTurn(at.first, at.second, false);
    AfterTurn();
  }

  void AfterTurn() {
    if (Options.Check) Checker.AfterTurn(Match);
  }

  const TRunOptions& Options;
  TSteppingClock Clock;
  THumanPlayer Human;
  THeadlessScreen Screen;
  TMatch Match;
  std::optional<TTranscript> Transcript;
  TMatchChecker Checker;
};

}  // namespace

TRunSummary RunMatches(const TRunOptions& options) {
  TRunSummary summary;
  const auto start = std::chrono::steady_clock::now();
  TRunner runner(options);
  for (int m = 0; m < options.Matches; ++m) runner.PlayMatch(summary);
  runner.Finish(summary);
  summary.Matches = options.Matches;
  summary.Seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  for (double& mean : summary.MeanScores) mean = options.Matches ? mean / options.Matches : 0;
  return summary;
}

std::string SummaryLine(const TRunSummary& s) {
  char line[512];
  std::snprintf(line, sizeof line,
                "matches=%d deals=%ld tricks=%ld seconds=%.3f matches_per_s=%.1f "
                "mean_scores=%.2f,%.2f,%.2f,%.2f",
                s.Matches, s.Deals, s.Tricks, s.Seconds,
                s.Seconds > 0 ? s.Matches / s.Seconds : 0.0, s.MeanScores[0], s.MeanScores[1],
                s.MeanScores[2], s.MeanScores[3]);
  return line;
}

}  // namespace varlo
