// Plays whole matches without a window, exactly as the window would: the New
// command's steps, then the simulated human's clicks through PlayTurn.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "computer_player.h"
#include "events.h"
#include "human_player.h"
#include "match_file.h"
#include "strong_player.h"

namespace varlo {

struct TRunOptions {
  int Matches = 1;
  std::uint64_t Seed = 1;
  std::string Name = "You";
  THumanStyle Human = THumanStyle::First;
  /// Folder of the records file; it must exist.
  std::filesystem::path RecordsDir;
  /// The records file itself, when it is not RecordsDir's Varlo.ini.
  std::filesystem::path RecordsFile;
  std::ostream* Transcript = nullptr;
  bool Check = true;
  /// Who plays seats 1..3.
  TOpponentLevel Opponents = TOpponentLevel::Classic;
  /// How much a Strong player thinks (tests make it quick).
  TStrongBudget StrongBudget;
  /// One more listener to every event (a benchmark's tally), or none.
  TEventSink* Listener = nullptr;
  /// At every decision of the human the match goes through a saved match's
  /// file in this folder and back: what is saved must be all there is.
  std::filesystem::path ResumeEveryMoveDir;
  /// The first match goes on from this saved match instead of New (its
  /// opponents are the file's).
  std::optional<TSavedMatch> ResumeFrom;
  /// Each match played appends its line to this statistics log; none when
  /// empty.
  std::filesystem::path StatisticsFile;
};

struct TRunSummary {
  int Matches = 0;
  long Deals = 0;
  long Tricks = 0;
  long Clicks = 0;
  double Seconds = 0;
  std::array<double, 4> MeanScores{};
  std::vector<std::string> Failures;
  /// A Strong player took part (for seat 0 or seats 1..3).
  bool StrongPlayed = false;
  /// How long each of its decisions took, in milliseconds.
  std::vector<double> DecisionMs;
  /// A coach played seat 0, and how long each of its pieces of advice took.
  bool CoachPlayed = false;
  std::vector<double> CoachMs;
};

TRunSummary RunMatches(const TRunOptions& options);

/// The runner's closing line: matches=N deals=D tricks=T seconds=X ...,
/// ending in decision_ms_median=M decision_ms_max=X when a Strong player
/// took part and in coach_ms_median=M coach_ms_max=X when the coach played.
std::string SummaryLine(const TRunSummary& summary);

}  // namespace varlo
