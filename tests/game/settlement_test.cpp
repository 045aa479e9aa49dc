// Paying the first three players out of a layout deal, and leaving an empty
// layout behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "fake_screen.h"
#include "match.h"

namespace {

using namespace varlo;
using varlo_test::Edit;
using varlo_test::TEdit;
using varlo_test::TTable;

using TScores = std::array<std::int32_t, SeatCount>;

class Settlement : public ::testing::Test {
 protected:
  TTable Table;
  TMatch& Match = Table.Match;

  void SetUp() override { Edit(Match)->Deal.Contract = VarloLayout; }

  TScores SettleFrom(const TScores& start, std::vector<std::string> order) {
    {
      TEdit edit(Match);
      for (int seat = 0; seat < SeatCount; ++seat) edit->Deal.Players[seat].Score = start[seat];
      edit->Progress.FinishOrder = std::move(order);
    }
    Match.SettleLayoutDeal();
    TScores after;
    for (int seat = 0; seat < SeatCount; ++seat) after[seat] = Match.Deal().Players[seat].Score;
    return after;
  }
};

TEST_F(Settlement, PaysFourHundredTwoHundredOneHundred) {
  EXPECT_EQ(SettleFrom({10, 20, 30, 40}, {"Sandra", "You", "Ben", "Jack"}),
            (TScores{10 + 200, 20, 30 + 400, 40 + 100}));
}

TEST_F(Settlement, TheHumansNameIsTriedFirst) {
  Match.SetHumanName("Jack");
  EXPECT_EQ(SettleFrom({0, 0, 0, 0}, {"Jack", "Ben", "Jack", "Sandra"}), (TScores{500, 0, 0, 200}));
}

TEST_F(Settlement, HumanCalledSandraTakesBothSandraPlaces) {
  Match.SetHumanName("Sandra");
  EXPECT_EQ(SettleFrom({0, 0, 0, 0}, {"Ben", "Sandra", "Sandra", "Jack"}), (TScores{300, 0, 0, 400}));
}

TEST_F(Settlement, NamesDifferingInCaseDoNotMatch) {
  Match.SetHumanName("jack");
  EXPECT_EQ(SettleFrom({0, 0, 0, 0}, {"Jack", "jack", "Sandra", "Ben"}), (TScores{200, 400, 100, 0}));
}

TEST_F(Settlement, ComputerNamesAreMatchedExactly) {
  EXPECT_EQ(SettleFrom({0, 0, 0, 0}, {"ben", "Sandra ", "SANDRA", "Jack"}), (TScores{0, 0, 0, 0}));
}

TEST_F(Settlement, EmptyHumanNameMatchesAnEmptyEntry) {
  Match.SetHumanName("");
  EXPECT_EQ(SettleFrom({5, 5, 5, 5}, {"", "Ben", "Sandra", "Jack"}), (TScores{405, 5, 105, 205}));
}

TEST_F(Settlement, UnknownNamePaysNobody) {
  EXPECT_EQ(SettleFrom({0, 0, 0, 0}, {"Zoe", "Jack", "Sandra", "Ben"}), (TScores{0, 200, 100, 0}));
}

TEST_F(Settlement, NegativeTotalsGrowByThePayment) {
  EXPECT_EQ(SettleFrom({-1000, -50, 7, -400}, {"Ben", "Jack", "You", "Sandra"}),
            (TScores{-900, 150, 7, 0}));
}

TEST_F(Settlement, LeavesAnEmptyLayoutBehind) {
  {
    TEdit edit(Match);
    edit->Deal.Layout.fill(true);
    edit->Deal.SkipNext = true;
    edit->Deal.Trick = {4, 12, 20, 28};
  }
  SettleFrom({0, 0, 0, 0}, {"Jack", "You", "Ben", "Sandra"});
  EXPECT_TRUE(Match.Progress().FinishOrder.empty());
  const auto& layout = Match.Deal().Layout;
  EXPECT_EQ(std::count(layout.begin(), layout.end(), true), 0);
  EXPECT_FALSE(Match.Deal().SkipNext);
  EXPECT_EQ(Match.Deal().Trick, (TTrick{NoCard, NoCard, NoCard, NoCard}));
  EXPECT_EQ(Match.Deal().Contract, VarloLayout);
}

TEST_F(Settlement, NextDealLaysOutOnlyJacksAgain) {
  Edit(Match)->Deal.Layout.fill(true);
  SettleFrom({0, 0, 0, 0}, {"Jack", "You", "Ben", "Sandra"});
  TCards hand;
  for (TCard card = 0; card < DeckSize; ++card) {
    hand.Cards[0] = card;
    EXPECT_EQ(Match.Deal().CanPlaceOnLayout(hand, 0), RankOf(card) == JackRank) << card;
  }
}

}  // namespace
