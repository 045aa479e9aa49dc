// Card codes and the queries a hand answers.
#include <gtest/gtest.h>

#include "cards.h"
#include "fake_screen.h"

namespace {

using namespace varlo;
using varlo_test::Edit;
using varlo_test::MakeHand;
using varlo_test::TEdit;

TCards HandOf(std::initializer_list<TCard> cards) {
  TCards player;
  player.Cards = MakeHand(cards);
  return player;
}

TEST(CardCodes, NamedCardsHaveTheirCodes) {
  EXPECT_EQ(KingOfHearts, 6);
  EXPECT_EQ(TenOfClubs, 27);
  EXPECT_EQ(CardOf(HeartsSuit, KingRank), 6);
  EXPECT_EQ(CardOf(ClubsSuit, Ten), 27);
  EXPECT_EQ(CardOf(SpadesSuit, QueenRank), 13);
  EXPECT_EQ(CardOf(DiamondsSuit, JackRank), 20);
  EXPECT_EQ(CardOf(ClubsSuit, AceRank), 31);
}

TEST(CardCodes, SuitAndRankOfACode) {
  EXPECT_EQ(SuitOf(0), HeartsSuit);
  EXPECT_EQ(SuitOf(15), SpadesSuit);
  EXPECT_EQ(SuitOf(16), DiamondsSuit);
  EXPECT_EQ(SuitOf(31), ClubsSuit);
  EXPECT_EQ(RankOf(29), QueenRank);
  EXPECT_EQ(RankOf(24), Seven);
}

TEST(CardCodes, OnlySixteenToTwentyThreeAreDiamonds) {
  for (TCard card = -1; card < DeckSize; ++card)
    EXPECT_EQ(IsDiamond(card), card >= 16 && card <= 23) << card;
}

TEST(HandQueries, EmptyHandHoldsNoHearts) {
  const TCards empty = HandOf({});
  for (int suit = 0; suit < 4; ++suit) EXPECT_FALSE(HasSuit(empty, suit)) << suit;
  EXPECT_EQ(CardCount(empty), 0);
}

TEST(HandQueries, SevenOfHeartsAloneInSlotFive) {
  TCards player;
  player.Cards[5] = 0;
  EXPECT_TRUE(HasSuit(player, HeartsSuit));
  EXPECT_FALSE(HasSuit(player, SpadesSuit));
  EXPECT_FALSE(HasSuit(player, DiamondsSuit));
  EXPECT_FALSE(HasSuit(player, ClubsSuit));
  EXPECT_EQ(CardCount(player), 1);
  EXPECT_TRUE(CardInHand(0, player));
  EXPECT_FALSE(CardInHand(1, player));
}

TEST(HandQueries, EmptySlotsAmongClubsAreNotHearts) {
  const TCards player = HandOf({24, 31});
  EXPECT_FALSE(HasSuit(player, HeartsSuit));
  EXPECT_TRUE(HasSuit(player, ClubsSuit));
}

TEST(HandQueries, CountAndMembershipOfAFullHand) {
  const TCards player = HandOf({0, 9, 18, 27, 4, 13, 22, 31});
  EXPECT_EQ(CardCount(player), 8);
  for (int suit = 0; suit < 4; ++suit) EXPECT_TRUE(HasSuit(player, suit));
  EXPECT_TRUE(CardInHand(31, player));
  EXPECT_FALSE(CardInHand(30, player));
}

TEST(HandQueries, CountSkipsGaps) {
  TCards player;
  player.Cards = {-1, 3, -1, 5, -1, -1, 30, -1};
  EXPECT_EQ(CardCount(player), 3);
  EXPECT_TRUE(CardInHand(30, player));
  EXPECT_FALSE(CardInHand(0, player));
}

TEST(HandQueries, ComputerSeatsHaveFixedNames) {
  EXPECT_EQ(ComputerName(1), "Jack");
  EXPECT_EQ(ComputerName(2), "Sandra");
  EXPECT_EQ(ComputerName(3), "Ben");
}

TEST(HandQueries, PlayersWithCardsCountsSeatsHoldingAnything) {
  varlo_test::TTable table;
  TMatch& match = table.Match;
  EXPECT_EQ(match.Deal().PlayersWithCards(), 0);
  Edit(match)->Deal.Players[2].Cards[7] = 12;
  EXPECT_EQ(match.Deal().PlayersWithCards(), 1);
  {
    TEdit edit(match);
    edit->Deal.Players[0].Cards[0] = 0;
    edit->Deal.Players[3].Cards = MakeHand({1, 2});
  }
  EXPECT_EQ(match.Deal().PlayersWithCards(), 3);
  Edit(match)->Deal.Players[1].Cards[4] = 31;
  EXPECT_EQ(match.Deal().PlayersWithCards(), 4);
}

}  // namespace
