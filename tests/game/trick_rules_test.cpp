// One trick of a trick contract: the click on the hand, following suit, the
// computer players' cards and the winner.
#include <gtest/gtest.h>

#include "fake_screen.h"
#include "match.h"

namespace {

using namespace varlo;
using varlo_test::Edit;
using varlo_test::MakeHand;
using varlo_test::TEdit;
using varlo_test::TTable;

// The centre of a hand slot on the table.
constexpr int SlotX(int slot) { return 20 + 74 * slot + 37; }
constexpr int RowY = 50;

TEST(ClickGeometry, SlotUnderTheClick) {
  EXPECT_EQ(SlotAt(19, 50), -1);
  EXPECT_EQ(SlotAt(20, 50), 0);
  EXPECT_EQ(SlotAt(93, 50), 0);
  EXPECT_EQ(SlotAt(94, 50), 1);
  EXPECT_EQ(SlotAt(611, 50), 7);
  EXPECT_EQ(SlotAt(612, 50), -1);
  EXPECT_EQ(SlotAt(100, 24), -1);
  EXPECT_EQ(SlotAt(100, 25), 1);
  EXPECT_EQ(SlotAt(100, 125), 1);
  EXPECT_EQ(SlotAt(100, 126), -1);
  EXPECT_EQ(SlotAt(-60, 50), -1);
  EXPECT_EQ(SlotAt(0, 0), -1);
}

class TrickClick : public ::testing::Test {
 protected:
  TTable Table;
  TMatch& Match = Table.Match;
  void SetUp() override {
    TEdit edit(Match);
    edit->Deal.Contract = Whist;
    edit->Deal.Leader = 0;
    edit->Deal.Players[0].Cards = MakeHand({0, 9, 18, 27, 4, 13, 22, 31});
  }
  bool Legal(int x, int y = RowY) const { return Match.IsLegalClick(x, y); }
  bool Illegal(int x, int y = RowY) const { return Match.IsIllegalClick(x, y); }
};

TEST_F(TrickClick, HorizontalEdgesOfTheHand) {
  EXPECT_FALSE(Legal(19));
  EXPECT_FALSE(Illegal(19));
  EXPECT_TRUE(Legal(20));
  EXPECT_TRUE(Legal(611));
  EXPECT_FALSE(Legal(612));
  EXPECT_FALSE(Illegal(612));
  // With slot 0 empty, x = 93 still falls on it and x = 94 on slot 1.
  Edit(Match)->Deal.Players[0].Cards[0] = NoCard;
  EXPECT_FALSE(Legal(93));
  EXPECT_TRUE(Legal(94));
}

TEST_F(TrickClick, VerticalEdgesOfTheHand) {
  EXPECT_FALSE(Legal(100, 24));
  EXPECT_TRUE(Legal(100, 25));
  EXPECT_TRUE(Legal(100, 125));
  EXPECT_FALSE(Legal(100, 126));
  EXPECT_FALSE(Illegal(100, 24));
  EXPECT_FALSE(Illegal(100, 126));
}

TEST_F(TrickClick, LeaderMayPlayAnyCard) {
  for (int slot = 0; slot < HandSize; ++slot) {
    EXPECT_TRUE(Legal(SlotX(slot))) << slot;
    EXPECT_FALSE(Illegal(SlotX(slot))) << slot;
    EXPECT_TRUE(Match.MayPlaySlot(slot)) << slot;
  }
}

TEST_F(TrickClick, MustFollowTheLedSuit) {
  // Spades in slots 2 and 6 only; Sandra led the ace of spades.
  {
    TEdit edit(Match);
    edit->Deal.Players[0].Cards = MakeHand({0, 24, 9, 3, 26, 5, 14, 31});
    edit->Deal.Leader = 2;
    edit->Deal.Trick = {15, 8, NoCard, NoCard};
  }
  for (int slot = 0; slot < HandSize; ++slot) {
    const bool spade = slot == 2 || slot == 6;
    EXPECT_EQ(Legal(SlotX(slot)), spade) << slot;
    EXPECT_EQ(Illegal(SlotX(slot)), !spade) << slot;
    EXPECT_EQ(Match.MayPlaySlot(slot), spade) << slot;
  }
}

TEST_F(TrickClick, VoidInTheLedSuitMayPlayAnything) {
  {
    TEdit edit(Match);
    edit->Deal.Players[0].Cards = {-1, 0, 9, -1, 31, 12, -1, 3};
    edit->Deal.Leader = 1;
    edit->Deal.Trick = {17, 20, 23, NoCard};
  }
  for (int slot : {1, 2, 4, 5, 7}) {
    EXPECT_TRUE(Legal(SlotX(slot))) << slot;
    EXPECT_FALSE(Illegal(SlotX(slot))) << slot;
  }
}

// Empty slots must not pass for hearts.
TEST_F(TrickClick, EmptySlotsDoNotFollowALedHeart) {
  {
    TEdit edit(Match);
    edit->Deal.Players[0].Cards = {-1, 24, -1, 9, -1, 17, -1, -1};
    edit->Deal.Leader = 3;
    edit->Deal.Trick = {2, NoCard, NoCard, NoCard};
  }
  for (int slot : {1, 3, 5}) {
    EXPECT_TRUE(Legal(SlotX(slot))) << slot;
    EXPECT_FALSE(Illegal(SlotX(slot))) << slot;
  }
}

TEST_F(TrickClick, EmptySlotIsNeitherUnderEveryContract) {
  {
    TEdit edit(Match);
    edit->Deal.Players[0].Cards[3] = NoCard;
    edit->Deal.Leader = 2;
    edit->Deal.Trick = {15, 8, NoCard, NoCard};
  }
  for (int contract = NoContract; contract <= Diamonds; ++contract) {
    Edit(Match)->Deal.Contract = contract;
    for (int x : {20 + 74 * 3, SlotX(3), 20 + 74 * 4 - 1}) {
      EXPECT_FALSE(Legal(x)) << contract;
      EXPECT_FALSE(Illegal(x)) << contract;
    }
  }
}

TEST_F(TrickClick, HeldCardIsEitherLegalOrIllegal) {
  {
    TEdit edit(Match);
    edit->Deal.Players[0].Cards = {0, 24, 9, -1, 26, 5, 14, 4};
    edit->Deal.Layout[12] = true;
    edit->Deal.Layout[13] = true;
  }
  for (int contract = NoContract; contract <= Diamonds; ++contract) {
    for (int leader = 0; leader < SeatCount; ++leader) {
      {
        TEdit edit(Match);
        edit->Deal.Contract = contract;
        edit->Deal.Leader = leader;
        edit->Deal.Trick = {leader == 0 ? NoCard : 10, NoCard, NoCard, NoCard};
      }
      for (int slot : {0, 1, 2, 4, 5, 6, 7}) {
        const bool legal = Legal(SlotX(slot));
        EXPECT_NE(legal, Illegal(SlotX(slot))) << contract << " " << leader << " " << slot;
        EXPECT_EQ(legal, Match.MayPlaySlot(slot)) << contract << " " << leader << " " << slot;
      }
    }
  }
}

TEST(PlayHumanCard, MovesTheCardIntoTheTrick) {
  TTable table;
  TMatch& match = table.Match;
  match.DealCards();
  {
    TEdit edit(match);
    edit->Deal.Contract = Levate;
    edit->Deal.Leader = 2;
    edit->Deal.Trick = {16, 21, NoCard, NoCard};
  }
  const THand before = match.Deal().Players[0].Cards;

  EXPECT_EQ(match.PlayHumanCard(3, 2), IntoTrick);

  EXPECT_EQ(match.Deal().Trick, (TTrick{16, 21, before[3], NoCard}));
  EXPECT_EQ(CardCount(match.Deal().Players[0]), 7);
  for (int slot = 0; slot < HandSize; ++slot)
    EXPECT_EQ(match.Deal().Players[0].Cards[slot], slot == 3 ? NoCard : before[slot]) << slot;
  EXPECT_TRUE(table.Screen.Events.empty());
}

class ComputerCard : public ::testing::Test {
 protected:
  TTable Table;
  TMatch& Match = Table.Match;
  void SetUp() override { Edit(Match)->Deal.Contract = Whist; }
};

TEST_F(ComputerCard, LeadsWithItsFirstHeldCard) {
  {
    TEdit edit(Match);
    edit->Deal.Leader = 1;
    // A heart later in the hand must not tempt it: nothing has been led.
    edit->Deal.Players[1].Cards = {-1, 20, -1, -1, 3, -1, -1, 31};
  }
  EXPECT_EQ(Match.PlayComputerCard(1, 0), IntoTrick);
  EXPECT_EQ(Match.Deal().Trick, (TTrick{20, NoCard, NoCard, NoCard}));
  EXPECT_EQ(Match.Deal().Players[1].Cards, (THand{-1, -1, -1, -1, 3, -1, -1, 31}));
}

TEST_F(ComputerCard, FollowsWithItsFirstCardOfTheLedSuit) {
  {
    TEdit edit(Match);
    edit->Deal.Leader = 0;
    edit->Deal.Trick = {10, 30, NoCard, NoCard};
    edit->Deal.Players[2].Cards = {0, 24, 17, 11, 26, 15, 5, 6};
  }
  EXPECT_EQ(Match.PlayComputerCard(2, 2), IntoTrick);
  EXPECT_EQ(Match.Deal().Trick, (TTrick{10, 30, 11, NoCard}));
  EXPECT_EQ(Match.Deal().Players[2].Cards, (THand{0, 24, 17, -1, 26, 15, 5, 6}));
}

TEST_F(ComputerCard, FollowsSuitWithItsLastSlot) {
  {
    TEdit edit(Match);
    edit->Deal.Leader = 0;
    edit->Deal.Trick = {26, 1, 19, NoCard};
    edit->Deal.Players[3].Cards = {0, 9, 17, -1, 3, 13, 20, 24};
  }
  Match.PlayComputerCard(3, 3);
  EXPECT_EQ(Match.Deal().Trick[3], 24);
  EXPECT_EQ(Match.Deal().Players[3].Cards[7], NoCard);
}

TEST_F(ComputerCard, VoidPlaysTheFirstHeldCardEvenIfItCosts) {
  {
    TEdit edit(Match);
    edit->Deal.Contract = HeartKing;
    edit->Deal.Leader = 0;
    edit->Deal.Trick = {9, NoCard, NoCard, NoCard};
    edit->Deal.Players[1].Cards = {-1, 6, 29, 2, 24, -1, 18, 0};
  }
  EXPECT_EQ(Match.PlayComputerCard(1, 1), IntoTrick);
  EXPECT_EQ(Match.Deal().Trick[1], 6);
  EXPECT_EQ(Match.Deal().Players[1].Cards[1], NoCard);

  {
    TEdit edit(Match);
    edit->Deal.Contract = Queens;
    edit->Deal.Trick = {3, NoCard, NoCard, NoCard};
    edit->Deal.Players[2].Cards = {-1, 13, 20, 31, -1, -1, -1, -1};
  }
  Match.PlayComputerCard(2, 2);
  EXPECT_EQ(Match.Deal().Trick[2], 13);
}

TEST(TrickWinner, HighestCardOfTheLedSuit) {
  TTable table;
  TMatch& match = table.Match;
  struct TCase {
    int Leader;
    TTrick Trick;
    int Winner;
  };
  const TCase cases[] = {
      {2, {0, 15, 23, 31}, 2},  // nobody follows: the led seven wins
      {3, {10, 14, 9, 7}, 0},   // K-spades at position 1
      {1, {8, 31, 15, 9}, 3},   // A-spades at position 2
      {0, {16, 17, 23, 22}, 2},
      {3, {0, 1, 2, 3}, 2},
      {0, {7, 0, 1, 2}, 0},
  };
  for (int contract = Whist; contract <= Diamonds; ++contract) {
    Edit(match)->Deal.Contract = contract;
    for (const TCase& c : cases) {
      {
        TEdit edit(match);
        edit->Deal.Leader = c.Leader;
        edit->Deal.Trick = c.Trick;
      }
      EXPECT_EQ(match.Deal().TrickWinner(), c.Winner) << contract << " leader " << c.Leader;
    }
  }
}

TEST(TrickWinner, LayoutGivesTheChooser) {
  TTable table;
  TMatch& match = table.Match;
  {
    TEdit edit(match);
    edit->Deal.Leader = 1;
    edit->Deal.Trick = {0, 1, 2, 3};
    edit->Deal.Contract = VarloLayout;
    edit->Deal.Chooser = 3;
  }
  EXPECT_EQ(match.Deal().TrickWinner(), 3);
  {
    TEdit edit(match);
    edit->Deal.Contract = NoContract;
    edit->Deal.Chooser = 2;
  }
  EXPECT_EQ(match.Deal().TrickWinner(), 2);
}

}  // namespace
