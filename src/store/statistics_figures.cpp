#include "statistics_figures.h"

#include <algorithm>

#include "cards.h"

namespace varlo {

namespace {

double Mean(double sum, int count) { return count > 0 ? sum / count : 0; }

// Sums as the averages of one side are built from.
struct TSideSums {
  int Deals = 0;
  double You = 0;
  double Computers = 0;

  void Add(const TDealResult& deal) {
    ++Deals;
    You += deal.Points[0];
    for (int seat = 1; seat < SeatCount; ++seat) Computers += deal.Points[seat];
  }
  TContractSide Averages() const {
    return {Deals, Mean(You, Deals), Mean(Computers, Deals * (SeatCount - 1))};
  }
};

}  // namespace

bool WonMatch(const std::array<std::int32_t, SeatCount>& totals) {
  return std::all_of(totals.begin() + 1, totals.end(),
                     [&](std::int32_t t) { return t <= totals[0]; });
}

TLevelFigures LevelFigures(const std::vector<TMatchRecord>& log, TOpponentLevel level) {
  TLevelFigures f;
  double sum = 0;
  for (const TMatchRecord& m : log) {
    if (m.Opponents != level) continue;
    if (!m.Finished) {
      ++f.Abandoned;
      f.CurrentStreak = 0;
      continue;
    }
    if (m.Assisted) {
      ++f.Assisted;
      continue;
    }
    const std::int32_t total = m.Totals[0];
    f.BestTotal = f.Finished == 0 ? total : std::max(f.BestTotal, total);
    f.WorstTotal = f.Finished == 0 ? total : std::min(f.WorstTotal, total);
    ++f.Finished;
    sum += total;
    const bool won = WonMatch(m.Totals);
    f.Won += won;
    f.SharedWins += won && std::count(m.Totals.begin() + 1, m.Totals.end(), total) > 0;
    f.CurrentStreak = won ? f.CurrentStreak + 1 : 0;
    f.LongestStreak = std::max(f.LongestStreak, f.CurrentStreak);
  }
  f.WinRate = Mean(f.Won, f.Finished);
  f.AverageTotal = Mean(sum, f.Finished);
  return f;
}

std::array<TContractFigures, ContractCount> ContractFigures(const std::vector<TMatchRecord>& log) {
  std::array<TSideSums, ContractCount> chosen{}, others{};
  for (const TMatchRecord& m : log) {
    if (m.Assisted) continue;
    for (const TDealResult& deal : m.Deals)
      (deal.Chooser == 0 ? chosen : others)[deal.Contract].Add(deal);
  }
  std::array<TContractFigures, ContractCount> figures{};
  for (int c = 0; c < ContractCount; ++c) figures[c] = {chosen[c].Averages(), others[c].Averages()};
  return figures;
}

std::vector<TTotalPoint> TotalPoints(const std::vector<TMatchRecord>& log) {
  std::vector<TTotalPoint> points;
  double window = 0;  // the sum of the last MovingAverageSpan totals
  for (const TMatchRecord& m : log) {
    if (!m.Finished || m.Assisted) continue;
    const int n = static_cast<int>(points.size());
    window += m.Totals[0];
    if (n >= MovingAverageSpan) window -= points[n - MovingAverageSpan].Total;
    points.push_back(
        {n + 1, m.Date, m.Opponents, m.Totals[0], window / std::min(n + 1, MovingAverageSpan)});
  }
  return points;
}

TMatchCurve MatchCurve(const TMatchRecord& m) {
  TMatchCurve curve;
  curve.Date = m.Date;
  curve.Names[0] = m.Name;
  for (int seat = 1; seat < SeatCount; ++seat) curve.Names[seat] = ComputerName(seat);
  curve.Opponents = m.Opponents;
  curve.Finished = m.Finished;
  curve.Deals = m.Deals;
  std::array<std::int64_t, SeatCount> running{};
  for (const TDealResult& deal : m.Deals) {
    for (int seat = 0; seat < SeatCount; ++seat) running[seat] += deal.Points[seat];
    curve.Running.push_back(running);
  }
  return curve;
}

TStatisticsFigures ComputeFigures(const std::vector<TMatchRecord>& log) {
  TStatisticsFigures f;
  for (int level = 0; level < OpponentLevelCount; ++level)
    f.Levels[level] = LevelFigures(log, static_cast<TOpponentLevel>(level));
  f.Contracts = ContractFigures(log);
  f.Totals = TotalPoints(log);
  if (!log.empty()) f.LastMatch = MatchCurve(log.back());
  return f;
}

}  // namespace varlo
