// The rows of the score dialog: names cut to fifteen characters, highest
// total first by the dialog's exchange sort.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "cards.h"
#include "score.h"

namespace {

using namespace varlo;

using TLines = std::vector<std::pair<std::string, std::int32_t>>;

TPlayers Players(std::int32_t you, std::int32_t jack, std::int32_t sandra, std::int32_t ben) {
  TPlayers players;
  const char* names[] = {"You", "Jack", "Sandra", "Ben"};
  const std::int32_t scores[] = {you, jack, sandra, ben};
  for (int seat = 0; seat < SeatCount; ++seat) {
    players[seat].Name = names[seat];
    players[seat].Score = scores[seat];
  }
  return players;
}

TLines Lines(const TPlayers& players) {
  TLines lines;
  for (const TScoreRow& row : ScoreRows(players)) lines.emplace_back(row.Name, row.Points);
  return lines;
}

TEST(ScoreRows, AllEqualKeepSeatOrder) {
  EXPECT_EQ(Lines(Players(0, 0, 0, 0)), (TLines{{"You", 0}, {"Jack", 0}, {"Sandra", 0}, {"Ben", 0}}));
}

TEST(ScoreRows, TiesComeOutAsTheExchangesLeaveThem) {
  EXPECT_EQ(Lines(Players(5, 5, 7, 0)), (TLines{{"Sandra", 7}, {"Jack", 5}, {"You", 5}, {"Ben", 0}}));
  EXPECT_EQ(Lines(Players(0, 0, 0, 10)), (TLines{{"Ben", 10}, {"Jack", 0}, {"Sandra", 0}, {"You", 0}}));
}

TEST(ScoreRows, NegativeTotalsSortBelowZero) {
  EXPECT_EQ(Lines(Players(0, -30, 10, -5)), (TLines{{"Sandra", 10}, {"You", 0}, {"Ben", -5}, {"Jack", -30}}));
}

TEST(ScoreRows, RisingTotalsComeOutReversed) {
  EXPECT_EQ(Lines(Players(1, 2, 3, 4)), (TLines{{"Ben", 4}, {"Sandra", 3}, {"Jack", 2}, {"You", 1}}));
  EXPECT_EQ(Lines(Players(-2000, 650, 650, 2100)),
            (TLines{{"Ben", 2100}, {"Sandra", 650}, {"Jack", 650}, {"You", -2000}}));
}

TEST(ScoreRows, LongNameCutToFifteenCharacters) {
  TPlayers players = Players(100, 0, 0, 0);
  players[0].Name = "ABCDEFGHIJKLMNOPQRST";
  const TScoreTable rows = ScoreRows(players);
  EXPECT_EQ(rows[0].Name, "ABCDEFGHIJKLMNO");
  EXPECT_EQ(rows[0].Points, 100);
  EXPECT_EQ(players[0].Name, "ABCDEFGHIJKLMNOPQRST");
}

TEST(ScoreRows, CutCountsCharactersNotBytes) {
  TPlayers players = Players(100, 0, 0, 0);
  players[0].Name = "Zoë-Ångström-Müller!";  // 20 characters, 24 bytes
  EXPECT_EQ(ScoreRows(players)[0].Name, "Zoë-Ångström-Mü");
  players[0].Name = "ÄÖÜäöüßÉÈÊËéèêëÀÂàâç";  // 20 two-byte characters
  EXPECT_EQ(ScoreRows(players)[0].Name, "ÄÖÜäöüßÉÈÊËéèêë");
}

TEST(ScoreRows, ShortAndEmptyNamesStayWhole) {
  TPlayers players = Players(0, 3, 2, 1);
  players[0].Name.clear();
  players[2].Name = "Fifteen chars!!";
  EXPECT_EQ(Lines(players), (TLines{{"Jack", 3}, {"Fifteen chars!!", 2}, {"Ben", 1}, {"", 0}}));
}

}  // namespace
