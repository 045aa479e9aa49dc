// Resetting and dealing the four hands.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "fake_screen.h"
#include "match.h"

namespace {

using namespace varlo;
using varlo_test::MakeHand;
using varlo_test::TEdit;
using varlo_test::TTable;

using THands = std::array<THand, SeatCount>;

THands HandsOf(const TMatch& match) {
  THands hands;
  for (int seat = 0; seat < SeatCount; ++seat) hands[seat] = match.Deal().Players[seat].Cards;
  return hands;
}

THands DealtWith(std::uint64_t reading) {
  TTable table(reading);
  table.Match.DealCards();
  return HandsOf(table.Match);
}

TEST(ResetHands, EmptiesSlotsAndNamesTheComputerSeats) {
  TTable table;
  TMatch& match = table.Match;
  {
    TEdit edit(match);
    auto& players = edit->Deal.Players;
    players[0].Name = "Alice";
    for (int seat = 0; seat < SeatCount; ++seat) {
      players[seat].Cards = MakeHand({seat, seat + 4, seat + 8});
      players[seat].Score = 10 * seat - 15;
    }
    players[1].Name = "Joe";
    players[2].Name.clear();
    players[3].Name = "ben";
  }

  match.ResetHands();

  for (int seat = 0; seat < SeatCount; ++seat) {
    EXPECT_EQ(CardCount(match.Deal().Players[seat]), 0) << seat;
    EXPECT_EQ(match.Deal().Players[seat].Score, 10 * seat - 15) << seat;
  }
  EXPECT_EQ(match.Deal().PlayersWithCards(), 0);
  EXPECT_EQ(match.Deal().Players[0].Name, "Alice");
  EXPECT_EQ(match.Deal().Players[1].Name, "Jack");
  EXPECT_EQ(match.Deal().Players[2].Name, "Sandra");
  EXPECT_EQ(match.Deal().Players[3].Name, "Ben");
}

TEST(DealCards, EveryCardExactlyOnceEightPerHand) {
  for (std::uint64_t reading : {1ULL, 2ULL, 99ULL, 123456789ULL, 0xFFFFFFFFFFFFULL}) {
    TTable table(reading);
    table.Match.DealCards();
    std::array<int, DeckSize> seen{};
    for (const auto& player : table.Match.Deal().Players) {
      EXPECT_EQ(CardCount(player), HandSize) << reading;
      for (TCard card : player.Cards) {
        ASSERT_GE(card, 0);
        ASSERT_LT(card, DeckSize);
        ++seen[card];
      }
    }
    for (int card = 0; card < DeckSize; ++card) EXPECT_EQ(seen[card], 1) << card;
    EXPECT_EQ(table.Match.Deal().PlayersWithCards(), 4);
  }
}

TEST(DealCards, KeepsScoresHumanNameTrickAndLayout) {
  TTable table;
  TMatch& match = table.Match;
  const std::array<std::int32_t, 4> scores{120, -300, 50, 0};
  {
    TEdit edit(match);
    edit->Deal.Players[0].Name = "Alice";
    edit->Deal.Players[1].Name = "Joe";
    for (int seat = 0; seat < SeatCount; ++seat) edit->Deal.Players[seat].Score = scores[seat];
    edit->Deal.Trick = {3, 9, -1, 17};
    edit->Deal.Layout[4] = true;
    edit->Deal.Layout[12] = true;
  }

  match.DealCards();

  EXPECT_EQ(match.Deal().Players[0].Name, "Alice");
  EXPECT_EQ(match.Deal().Players[1].Name, "Jack");
  for (int seat = 0; seat < SeatCount; ++seat)
    EXPECT_EQ(match.Deal().Players[seat].Score, scores[seat]);
  EXPECT_EQ(match.Deal().Trick, (TTrick{3, 9, -1, 17}));
  EXPECT_EQ(std::count(match.Deal().Layout.begin(), match.Deal().Layout.end(), true), 2);
  EXPECT_TRUE(match.Deal().Layout[4]);
  EXPECT_TRUE(match.Deal().Layout[12]);
}

TEST(DealCards, TheSameReadingDealsTheSameHands) {
  EXPECT_EQ(DealtWith(4711), DealtWith(4711));
  EXPECT_NE(DealtWith(4711), DealtWith(815));
}

TEST(DealCards, ReadsTheClockOncePerDeal) {
  TTable table(31);
  table.Match.DealCards();
  const int afterFirst = table.Clock.Reads;
  EXPECT_GE(afterFirst, 1);
  table.Match.DealCards();
  EXPECT_EQ(table.Clock.Reads, afterFirst + 1);
}

// The generator is re-seeded at every deal, so the contract draws of the
// computer choosers between two deals must not show in the second deal.
TEST(DealCards, DependsOnlyOnTheClockReading) {
  TTable table(2024);
  TMatch& match = table.Match;
  match.DealCards();
  const THands first = HandsOf(match);
  for (int round = 0; round < 3; ++round) {
    std::array<bool, ContractCount> scratch{};
    for (int draw = 0; draw < 5; ++draw) match.PickRandomContract(scratch);
  }
  match.DealCards();
  EXPECT_EQ(HandsOf(match), first);
}

TEST(DealCards, SteppingClockReplaysTheSameDeals) {
  varlo_test::TFakeScreen screenA, screenB;
  TSteppingClock clockA(500), clockB(500);
  TMatch a(screenA, clockA), b(screenB, clockB);
  a.DealCards();
  b.DealCards();
  const THands firstDeal = HandsOf(a);
  EXPECT_EQ(HandsOf(b), firstDeal);
  a.DealCards();
  b.DealCards();
  EXPECT_EQ(HandsOf(a), HandsOf(b));
  EXPECT_NE(HandsOf(a), firstDeal);
}

// Slot order is draw order: slot by slot, hand 0 to hand 3, each draw of a
// card already dealt is thrown away and drawn again.
TEST(DealCards, SlotsHoldTheCardsInTheOrderDrawn) {
  for (std::uint64_t reading : {7ULL, 1000ULL, 98765ULL}) {
    TRandom random;
    random.Seed(reading);
    std::array<bool, DeckSize> dealt{};
    THands expected;
    for (auto& hand : expected) {
      for (auto& slot : hand) {
        TCard card;
        do card = random.Uniform(DeckSize);
        while (dealt[card]);
        dealt[card] = true;
        slot = card;
      }
    }
    EXPECT_EQ(DealtWith(reading), expected) << reading;
  }
}

TEST(DealCards, HandsAreNotSorted) {
  // A random hand of eight comes out in rising order once in 40320 deals.
  int sorted = 0;
  for (std::uint64_t reading = 1; reading <= 5; ++reading)
    for (const THand& hand : DealtWith(reading))
      sorted += std::is_sorted(hand.begin(), hand.end()) ? 1 : 0;
  EXPECT_LE(sorted, 1);
}

}  // namespace
