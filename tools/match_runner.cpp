#include "match_runner.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <optional>

#include "headless_screen.h"
#include "match.h"
#include "match_checker.h"
#include "records.h"
#include "statistics_log.h"
#include "steady_player.h"
#include "transcript.h"

namespace varlo {

namespace {

// A match has at most 32 deals of at most 8 clicks each, plus the stray
// clicks of the chaos player; far beyond this the driver is stuck.
constexpr long ClickLimitPerMatch = 20000;

// Each Strong player draws from its own generator, seeded from the run's
// seed: the deals never depend on how anybody plays.
constexpr std::uint64_t OpponentsSeedMix = 0x6F70706F6E656E74ULL;
constexpr std::uint64_t HumanSeedMix = 0x68756D616E736561ULL;

// Times every decision of the player it stands in for.
class TTimedPlayer final : public TComputerPlayer {
 public:
  TTimedPlayer(TComputerPlayer& inner, std::vector<double>& ms) : Inner(inner), Ms(ms) {}
  int ChooseSlot(const TDealState& state, int seat, TSlotSet legal) override {
    return Timed([&] { return Inner.ChooseSlot(state, seat, legal); });
  }
  int ChooseContract(const TDealState& state, int seat, const TContractRow& chosen) override {
    return Timed([&] { return Inner.ChooseContract(state, seat, chosen); });
  }

 private:
  template <typename TDecide>
  int Timed(TDecide decide) {
    const auto start = std::chrono::steady_clock::now();
    const int choice = decide();
    Ms.push_back(
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    return choice;
  }

  TComputerPlayer& Inner;
  std::vector<double>& Ms;
};

class TRunner {
 public:
  explicit TRunner(const TRunOptions& options)
      : Options(options), Clock(options.Seed << 20), Human(options.Human, options.Seed),
        Screen(Human), Match(Screen, Clock),
        OpponentsLevel(options.ResumeFrom ? options.ResumeFrom->Opponents : options.Opponents),
        OpponentsSeed(options.ResumeFrom ? options.ResumeFrom->OpponentsSeed
                                         : options.Seed ^ OpponentsSeedMix),
        StrongOpponents(OpponentsSeed, options.StrongBudget),
        StrongHuman(options.Seed ^ HumanSeedMix, options.StrongBudget),
        TimedOpponents(StrongOpponents, DecisionMs), TimedHuman(StrongHuman, DecisionMs) {
    Screen.Attach(&Match);
    if (OpponentsLevel == TOpponentLevel::Strong) Match.SetOpponents(&TimedOpponents);
    if (OpponentsLevel == TOpponentLevel::Steady) Match.SetOpponents(&Steady);
    if (!options.ResumeEveryMoveDir.empty()) Screen.BeforeHumanChoice = [this] { ThroughTheFile(); };
    Human.SetBrain(options.Human == THumanStyle::Steady ? static_cast<TComputerPlayer*>(&Steady)
                                                        : &TimedHuman);
    if (options.Listener) Screen.AddSink(options.Listener);
    if (options.Transcript) {
      Transcript.emplace(*options.Transcript);
      Screen.AddSink(&*Transcript);
    }
    if (options.Check) Screen.AddSink(&Checker);
    Match.SetHumanName(options.Name);
    TMatchConfig config;
    if (!options.RecordsFile.empty()) {
      config.RecordsFile = options.RecordsFile;
    } else if (!options.RecordsDir.empty()) {
      config.RecordsFile = options.RecordsDir / RecordsFileName;
    }
    Match.SetConfig(config);
    if (!config.RecordsFile.empty()) EnsureRecordsFile(config.RecordsFile, nullptr);
  }

  void PlayMatch(TRunSummary& summary, const TSavedMatch* from) {
    if (from) {
      Match.Restore(from->Match);
      Match.RestoreTakeBackPoints(from->TakeBackPoints);
      Screen.Emit({.Kind = TEventKind::Resume});
      Match.Resume();
    } else {
      Screen.Emit({.Kind = TEventKind::New});
      Match.NewMatch();
    }
    AfterTurn();
    long clicks = 0;
    while (!Match.MatchFinished() && clicks < ClickLimitPerMatch) {
      if (!Options.ResumeEveryMoveDir.empty()) ThroughTheFile();
      for (int n = Human.StrayClickCount(); n > 0 && !Match.MatchFinished(); --n, ++clicks)
        Click(Human.StrayClick());
      if (Match.MatchFinished()) break;
      const int slot = Human.LegalSlot(Match);
      if (slot < 0) {
        summary.Failures.push_back("the human has no card to play");
        break;
      }
      PlaySlot(slot);
      ++clicks;
    }
    if (clicks >= ClickLimitPerMatch) summary.Failures.push_back("the match did not end");
    Screen.Emit({.Kind = TEventKind::Match});
    if (Options.Check) Checker.AfterMatch(Match);
    if (!Options.StatisticsFile.empty() &&
        !AppendStatistics(Options.StatisticsFile, MatchRecord(Match.State(), OpponentsLevel, NowUtc())))
      FileFailures.push_back("the statistics line could not be written");
    summary.Clicks += clicks;
    summary.Deals += Match.Progress().DealsPlayed;
    for (int s = 0; s < SeatCount; ++s) summary.MeanScores[s] += Match.Deal().Players[s].Score;
  }

  void Finish(TRunSummary& summary) {
    summary.Tricks = Screen.Tricks;
    summary.StrongPlayed =
        OpponentsLevel == TOpponentLevel::Strong || Options.Human == THumanStyle::Strong;
    for (const auto& f : FileFailures) summary.Failures.push_back(f);
    summary.CoachPlayed = Options.Human == THumanStyle::Coach;
    summary.CoachMs = Human.CoachMs();
    summary.DecisionMs = std::move(DecisionMs);
    for (const auto& f : Checker.Failures()) summary.Failures.push_back(f);
  }

 private:
  void Click(std::pair<int, int> at) {
    Screen.Emit({.Kind = TEventKind::Click, .X = at.first, .Y = at.second});
    Match.PlayTurn(at.first, at.second, false);
    AfterTurn();
  }

  // The match as it stands, saved to the file, read back and put in place.
  void ThroughTheFile() {
    const std::filesystem::path file = Options.ResumeEveryMoveDir / MatchFileName;
    const TSavedMatch saved{Match.State(), Match.TakeBackPoints(), OpponentsLevel, OpponentsSeed};
    if (!SaveMatchFile(file, saved)) {
      FileFailures.push_back("the match could not be saved");
      return;
    }
    const TLoadResult loaded = LoadMatchFile(file);
    if (loaded.Status != TLoadStatus::Loaded || !(loaded.Saved == saved)) {
      FileFailures.push_back("the saved match came back otherwise: " + loaded.Reason);
      return;
    }
    Match.Restore(loaded.Saved.Match);
    Match.RestoreTakeBackPoints(loaded.Saved.TakeBackPoints);
    // The computer players too start again from what the file holds: their
    // seed, from which each of their decisions follows.
    StrongOpponents = TStrongPlayer(loaded.Saved.OpponentsSeed, Options.StrongBudget);
  }

  // A deliberate move: the slot's card, reported as a click on its middle.
  void PlaySlot(int slot) {
    Screen.Emit({.Kind = TEventKind::Click, .X = HandLeft + CardWidth * slot + CardWidth / 2,
                 .Y = HandTop + CardHeight / 2});
    Match.PlaySlot(slot, false);
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
  std::vector<double> DecisionMs;
  TOpponentLevel OpponentsLevel;
  std::uint64_t OpponentsSeed;
  std::vector<std::string> FileFailures;
  TStrongPlayer StrongOpponents;
  TStrongPlayer StrongHuman;
  TTimedPlayer TimedOpponents;
  TTimedPlayer TimedHuman;
  TSteadyPlayer Steady;
};

}  // namespace

TRunSummary RunMatches(const TRunOptions& options) {
  TRunSummary summary;
  const auto start = std::chrono::steady_clock::now();
  TRunner runner(options);
  for (int m = 0; m < options.Matches; ++m)
    runner.PlayMatch(summary, m == 0 && options.ResumeFrom ? &*options.ResumeFrom : nullptr);
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
  std::string text = line;
  // " NAME_median=M NAME_max=X" over the times.
  const auto times = [&](const char* name, std::vector<double> ms) {
    double median = 0, most = 0;
    if (!ms.empty()) {
      std::sort(ms.begin(), ms.end());
      const std::size_t n = ms.size();
      median = n % 2 ? ms[n / 2] : (ms[n / 2 - 1] + ms[n / 2]) / 2;
      most = ms.back();
    }
    std::snprintf(line, sizeof line, " %s_median=%.3f %s_max=%.3f", name, median, name, most);
    text += line;
  };
  if (s.StrongPlayed) times("decision_ms", s.DecisionMs);
  if (s.CoachPlayed) times("coach_ms", s.CoachMs);
  return text;
}

}  // namespace varlo
