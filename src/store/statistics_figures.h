// Every figure of the statistics window, computed from the log's records
// alone, each time it is asked for. How the records count:
// - a match is won when no computer player ends above the player: a tie for
//   first place counts as a win (and is counted apart as shared as well);
// - a match played with help (a card taken back) is counted apart and in
//   no other figure;
// - an abandoned match is counted apart and in no average, but it ends a
//   winning streak, as a loss would;
// - the averages by contract take every deal played to its end in a match
//   without help, finished or abandoned, under any level.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "statistics_log.h"

namespace varlo {

constexpr int OpponentLevelCount = 3;
/// The totals' moving average spans this many matches.
constexpr int MovingAverageSpan = 10;

/// The matches against one level of opponents.
struct TLevelFigures {
  int Finished = 0;    ///< played to the end without help
  int Abandoned = 0;   ///< left before the end, with help or without
  int Assisted = 0;    ///< played to the end with help
  int Won = 0;         ///< of Finished: first place, a shared one included
  int SharedWins = 0;  ///< of Won: first place shared with a computer
  double WinRate = 0;  ///< Won / Finished; 0 before the first
  double AverageTotal = 0;
  std::int32_t BestTotal = 0;
  std::int32_t WorstTotal = 0;
  int CurrentStreak = 0;  ///< wins in a row up to the last match
  int LongestStreak = 0;

  friend bool operator==(const TLevelFigures&, const TLevelFigures&) = default;
};

/// The deals of one contract chosen by one side.
struct TContractSide {
  int Deals = 0;
  double You = 0;        ///< the player's average points a deal
  double Computers = 0;  ///< a computer player's average points in the same deals

  friend bool operator==(const TContractSide&, const TContractSide&) = default;
};

struct TContractFigures {
  TContractSide Chosen;  ///< the player chose the contract
  TContractSide Others;  ///< a computer player did

  friend bool operator==(const TContractFigures&, const TContractFigures&) = default;
};

/// One finished match without help on the chart of all totals.
struct TTotalPoint {
  int Number = 0;  ///< 1 for the first such match
  std::string Date;
  TOpponentLevel Opponents = TOpponentLevel::Classic;
  std::int32_t Total = 0;
  /// Of this total and the MovingAverageSpan - 1 before it (fewer at first).
  double MovingAverage = 0;

  friend bool operator==(const TTotalPoint&, const TTotalPoint&) = default;
};

/// One match deal by deal: the four running totals.
struct TMatchCurve {
  std::string Date;  ///< empty for the match under way
  std::array<std::string, SeatCount> Names;
  TOpponentLevel Opponents = TOpponentLevel::Classic;
  bool Finished = false;
  std::vector<TDealResult> Deals;
  /// The totals after each deal (wide enough for any log's numbers).
  std::vector<std::array<std::int64_t, SeatCount>> Running;
};

struct TStatisticsFigures {
  /// Indexed by TOpponentLevel.
  std::array<TLevelFigures, OpponentLevelCount> Levels{};
  /// Indexed by contract.
  std::array<TContractFigures, ContractCount> Contracts{};
  std::vector<TTotalPoint> Totals;
  /// The log's last match, when there is one.
  std::optional<TMatchCurve> LastMatch;
};

/// The player ends first, alone or with others.
bool WonMatch(const std::array<std::int32_t, SeatCount>& totals);
TLevelFigures LevelFigures(const std::vector<TMatchRecord>& log, TOpponentLevel level);
std::array<TContractFigures, ContractCount> ContractFigures(const std::vector<TMatchRecord>& log);
std::vector<TTotalPoint> TotalPoints(const std::vector<TMatchRecord>& log);
TMatchCurve MatchCurve(const TMatchRecord& match);
TStatisticsFigures ComputeFigures(const std::vector<TMatchRecord>& log);

}  // namespace varlo
