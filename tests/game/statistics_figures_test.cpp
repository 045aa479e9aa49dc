// The statistics figures of a small log made by hand, against a count made
// by hand: wins with a tie for first place, a match with help kept apart, an
// abandoned one breaking a streak, the averages by contract and the moving
// average of the totals.
#include <gtest/gtest.h>

#include "statistics_figures.h"

namespace varlo_test {
namespace {

using namespace varlo;

TMatchRecord Figured(TOpponentLevel level, bool finished, bool assisted,
                     std::array<std::int32_t, SeatCount> totals,
                     std::vector<TDealResult> deals = {}) {
  return {"2026-12-08T20:15:00Z", "Ann", level, assisted, finished, std::move(deals), totals};
}

TEST(StatisticsFigures, ASmallLogCountsAsByHand) {
  constexpr auto Classic = TOpponentLevel::Classic, Steady = TOpponentLevel::Steady;
  const std::vector<TMatchRecord> log{
      Figured(Classic, true, false, {500, 100, -200, -400},  // won
              {{0, Whist, {100, 60, 0, 0}}, {1, Whist, {0, 150, 60, 0}}}),
      Figured(Classic, true, false, {300, 300, 0, -600}),  // won, first place shared
      Figured(Classic, false, false, {200, 0, 30, 0},      // abandoned: ends the streak
              {{0, Whist, {200, 0, 30, 0}}}),
      Figured(Classic, true, true, {900, 0, 0, 0},  // with help: apart
              {{0, Whist, {400, 0, 0, 0}}}),
      Figured(Classic, true, false, {-100, 200, 0, -100}),  // lost
      Figured(Classic, true, false, {700, 0, 0, -700}),     // won
      Figured(Steady, true, false, {100, 200, 0, 0},        // lost
              {{2, Queens, {0, -40, 0, -80}}, {3, Queens, {-40, 0, -40, -80}}}),
  };
  const TStatisticsFigures f = ComputeFigures(log);

  // Finished, abandoned, with help, won, shared; the win rate, average,
  // best and worst; the current and the longest streak.
  const TLevelFigures classic{4, 1, 1, 3, 1, 0.75, 350, 700, -100, 1, 2};
  const TLevelFigures steady{1, 0, 0, 0, 0, 0, 100, 100, 100, 0, 0};
  EXPECT_EQ(f.Levels[0], classic);
  EXPECT_EQ(f.Levels[1], steady);
  EXPECT_EQ(f.Levels[2], TLevelFigures{});

  // Whist: the player chose it in the first and the abandoned match, a
  // computer in the first; Queens: computers, twice.
  EXPECT_EQ(f.Contracts[Whist].Chosen, (TContractSide{2, 150, 15}));
  EXPECT_EQ(f.Contracts[Whist].Others, (TContractSide{1, 0, 70}));
  EXPECT_EQ(f.Contracts[Queens].Others, (TContractSide{2, -20, -40}));
  EXPECT_EQ(f.Contracts[Queens].Chosen, TContractSide{});

  std::vector<double> averages;
  std::vector<std::int32_t> totals;
  for (const TTotalPoint& p : f.Totals) {
    totals.push_back(p.Total);
    averages.push_back(p.MovingAverage);
  }
  EXPECT_EQ(totals, (std::vector<std::int32_t>{500, 300, -100, 700, 100}));
  EXPECT_EQ(averages, (std::vector<double>{500, 400, 700.0 / 3, 350, 300}));

  ASSERT_TRUE(f.LastMatch);
  EXPECT_EQ(f.LastMatch->Names,
            (std::array<std::string, SeatCount>{"Ann", "Jack", "Sandra", "Ben"}));
  using TRunning = std::vector<std::array<std::int64_t, SeatCount>>;
  EXPECT_EQ(f.LastMatch->Running, (TRunning{{0, -40, 0, -80}, {-40, -40, -40, -160}}));
}

// Past ten matches the average drops the oldest.
TEST(StatisticsFigures, TheMovingAverageSpansTheLastTen) {
  std::vector<TMatchRecord> log;
  for (int i = 1; i <= 12; ++i)
    log.push_back(Figured(TOpponentLevel::Strong, true, false, {i * 10, 0, 0, 0}));
  const std::vector<TTotalPoint> points = TotalPoints(log);
  ASSERT_EQ(points.size(), 12u);
  EXPECT_EQ(points[9].MovingAverage, 55);   // 10 .. 100
  EXPECT_EQ(points[11].MovingAverage, 75);  // 30 .. 120
  EXPECT_EQ(LevelFigures(log, TOpponentLevel::Strong).LongestStreak, 12);
}

}  // namespace
}  // namespace varlo_test
