// The layout contract: which card fits the layout, and the moves of the
// computer players and of the human with their messages.
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

#include "fake_screen.h"
#include "match.h"

namespace {

using namespace varlo;
using varlo_test::Edit;
using varlo_test::EmptyAllHands;
using varlo_test::MakeHand;
using varlo_test::TEdit;
using varlo_test::TTable;

class LayoutTest : public ::testing::Test {
 protected:
  TTable Table;
  TMatch& Match = Table.Match;
  varlo_test::TFakeScreen& Screen = Table.Screen;

  void SetUp() override { Edit(Match)->Deal.Contract = VarloLayout; }

  void Lay(std::initializer_list<TCard> cards) {
    TEdit edit(Match);
    for (TCard card : cards) edit->Deal.Layout[card] = true;
  }
  bool Fits(TCard card) const {
    TCards hand;
    hand.Cards[3] = card;
    return Match.Deal().CanPlaceOnLayout(hand, 3);
  }
  int LaidOut() const {
    const auto& layout = Match.Deal().Layout;
    return static_cast<int>(std::count(layout.begin(), layout.end(), true));
  }
  // Every card that fits, in code order.
  std::vector<TCard> Fitting() const {
    std::vector<TCard> cards;
    for (TCard card = 0; card < DeckSize; ++card)
      if (!Match.Deal().Layout[card] && Fits(card)) cards.push_back(card);
    return cards;
  }
};

TEST_F(LayoutTest, EmptyLayoutTakesOnlyJacks) {
  EXPECT_EQ(Fitting(), (std::vector<TCard>{4, 12, 20, 28}));
}

TEST_F(LayoutTest, JackOfHeartsOpensItsTenAndQueen) {
  Lay({4});
  EXPECT_EQ(Fitting(), (std::vector<TCard>{3, 5, 12, 20, 28}));
  EXPECT_FALSE(Fits(2));
  EXPECT_FALSE(Fits(6));
}

TEST_F(LayoutTest, RunDownToTheEight) {
  Lay({4, 3, 2, 1});
  EXPECT_EQ(Fitting(), (std::vector<TCard>{0, 5, 12, 20, 28}));
  EXPECT_FALSE(Fits(6));
}

TEST_F(LayoutTest, SevenNeedsItsEightAceItsKing) {
  Lay({28, 29});
  EXPECT_FALSE(Fits(31));
  EXPECT_FALSE(Fits(24));
  Lay({30, 27, 26, 25});
  EXPECT_TRUE(Fits(31));
  EXPECT_TRUE(Fits(24));
}

TEST_F(LayoutTest, NoWrapFromOneSuitIntoTheNext) {
  Lay({0, 1, 2, 3, 4, 5, 6, 7});  // all hearts out, ace included
  EXPECT_EQ(Fitting(), (std::vector<TCard>{12, 20, 28}));
  Lay({9, 10, 11, 12});
  EXPECT_TRUE(Fits(8));  // the seven of spades on its eight
  Lay({13, 14, 15});
  EXPECT_EQ(Fitting(), (std::vector<TCard>{8, 20, 28}));
}

TEST_F(LayoutTest, NeighbouringCodesOfAnotherSuitDoNotCount) {
  Lay({8, 9, 10, 11, 12});  // spades from the seven to the jack
  EXPECT_FALSE(Fits(7));    // the ace of hearts lacks its king
  Lay({20, 21, 22, 23});    // diamonds from the jack to the ace
  EXPECT_FALSE(Fits(24));   // the seven of clubs lacks its eight
  EXPECT_EQ(Fitting(), (std::vector<TCard>{4, 13, 19, 28}));
}

TEST_F(LayoutTest, EmptySlotNeverFits) {
  TCards hand;
  for (int slot = 0; slot < HandSize; ++slot)
    EXPECT_FALSE(Match.Deal().CanPlaceOnLayout(hand, slot));
}

TEST_F(LayoutTest, PlacingRuleIgnoresTheContract) {
  Edit(Match)->Deal.Contract = Whist;
  Lay({20});
  EXPECT_TRUE(Fits(12));
  EXPECT_TRUE(Fits(19));
  EXPECT_FALSE(Fits(18));
}

TEST_F(LayoutTest, HumanMustPassOnlyUnderVarlo) {
  Edit(Match)->Deal.Players[0].Cards = MakeHand({0, 9, 31});
  for (int contract : {NoContract, Whist, Levate, Total, Queens, HeartKing, Club10, Diamonds}) {
    Edit(Match)->Deal.Contract = contract;
    EXPECT_FALSE(Match.HumanMustPass()) << contract;
  }
  Edit(Match)->Deal.Players[0].Cards = MakeHand({});
  for (int contract : {NoContract, Whist, Diamonds}) {
    Edit(Match)->Deal.Contract = contract;
    EXPECT_FALSE(Match.HumanMustPass()) << contract;
  }
}

TEST_F(LayoutTest, HumanMustPassWithoutAFittingCard) {
  EXPECT_TRUE(Match.HumanMustPass());  // empty hand
  Edit(Match)->Deal.Players[0].Cards = MakeHand({0, 9, 31, 5, 6});
  EXPECT_TRUE(Match.HumanMustPass());
  Edit(Match)->Deal.Players[0].Cards[7] = 20;
  EXPECT_FALSE(Match.HumanMustPass());
}

TEST_F(LayoutTest, ClickOnACardThatDoesNotFitIsIllegal) {
  Edit(Match)->Deal.Players[0].Cards = MakeHand({3, 12});
  for (int contract : {VarloLayout, NoContract}) {
    Edit(Match)->Deal.Contract = contract;
    EXPECT_FALSE(Match.IsLegalClick(30, 50)) << contract;
    EXPECT_TRUE(Match.IsIllegalClick(30, 50)) << contract;
    EXPECT_TRUE(Match.IsLegalClick(100, 50)) << contract;
    EXPECT_FALSE(Match.IsIllegalClick(100, 50)) << contract;
  }
}

// ---- computer turns

class ComputerLayoutTurn : public LayoutTest {
 protected:
  void SetUp() override {
    LayoutTest::SetUp();
    // Everyone holds something that plays no part unless asked.
    TEdit edit(Match);
    for (int seat = 0; seat < SeatCount; ++seat)
      edit->Deal.Players[seat].Cards = MakeHand({16 + seat});
  }
};

TEST_F(ComputerLayoutTurn, LaysTheFirstCardThatFits) {
  Lay({28});
  Edit(Match)->Deal.Players[1].Cards = MakeHand({30, 12, 29});
  EXPECT_EQ(Match.PlayComputerCard(1, 1), LaidOrPassed);
  EXPECT_TRUE(Match.Deal().Layout[12]);
  EXPECT_EQ(LaidOut(), 2);
  EXPECT_EQ(Match.Deal().Players[1].Cards, MakeHand({30, -1, 29}));
  EXPECT_TRUE(Screen.Messages().empty());
  EXPECT_EQ(Screen.Beeps(), 0);
  EXPECT_FALSE(Match.Deal().SkipNext);
}

TEST_F(ComputerLayoutTurn, PassesWhenNothingFits) {
  Edit(Match)->Deal.Players[2].Cards = MakeHand({0, 9, 31});
  EXPECT_EQ(Match.PlayComputerCard(2, 2), LaidOrPassed);
  EXPECT_EQ(Match.Deal().Players[2].Cards, MakeHand({0, 9, 31}));
  EXPECT_EQ(LaidOut(), 0);
  EXPECT_EQ(Screen.Messages(), std::vector<std::string>{"Sandra passed"});
  EXPECT_EQ(Screen.Events.back().Box, TBoxKind::Information);
  EXPECT_TRUE(Screen.EveryBoxAnnounced());
}

TEST_F(ComputerLayoutTurn, AceGivesAnotherMove) {
  Lay({4, 5, 6});
  Edit(Match)->Deal.Players[1].Cards = MakeHand({7, 9});
  EXPECT_EQ(Match.PlayComputerCard(1, 1), AceLaid);
  EXPECT_TRUE(Match.Deal().Layout[7]);
  EXPECT_EQ(Match.Deal().Players[1].Cards, MakeHand({-1, 9}));
  EXPECT_TRUE(Screen.Messages().empty());
  EXPECT_TRUE(Match.Progress().FinishOrder.empty());
}

TEST_F(ComputerLayoutTurn, LastCardAceFinishes) {
  Lay({4, 5, 6});
  Edit(Match)->Deal.Players[3].Cards = {-1, -1, -1, -1, 7, -1, -1, -1};
  EXPECT_EQ(Match.PlayComputerCard(3, 3), WentOut);
  EXPECT_TRUE(Match.Deal().Layout[7]);
  EXPECT_EQ(CardCount(Match.Deal().Players[3]), 0);
  EXPECT_EQ(Match.Progress().FinishOrder, std::vector<std::string>{"Ben"});
  EXPECT_EQ(Screen.Messages(), std::vector<std::string>{"Ben finished the game"});
  EXPECT_EQ(Screen.Events.back().Box, TBoxKind::Information);
  EXPECT_TRUE(Screen.EveryBoxAnnounced());

  // Out of cards, later turns are empty and silent.
  Screen.Clear();
  EXPECT_EQ(Match.PlayComputerCard(3, 3), NoMove);
  EXPECT_EQ(Match.Progress().FinishOrder.size(), 1u);
  EXPECT_TRUE(Screen.Events.empty());
}

TEST_F(ComputerLayoutTurn, SevenWithFourPlayersHoldingSetsTheSkip) {
  Lay({4, 3, 2, 1});
  Edit(Match)->Deal.Players[1].Cards = MakeHand({0, 31});
  EXPECT_EQ(Match.PlayComputerCard(1, 1), SevenLaid);
  EXPECT_TRUE(Match.Deal().Layout[0]);
  EXPECT_TRUE(Match.Deal().SkipNext);
  EXPECT_TRUE(Screen.Messages().empty());
}

TEST_F(ComputerLayoutTurn, LastSevenWithOneOtherHolderSetsNoSkip) {
  Lay({4, 3, 2, 1});
  {
    TEdit edit(Match);
    edit->Deal.Players[0].Cards = MakeHand({});
    edit->Deal.Players[3].Cards = MakeHand({});
    edit->Deal.Players[1].Cards = MakeHand({0});
  }
  EXPECT_EQ(Match.PlayComputerCard(1, 1), WentOut);
  EXPECT_FALSE(Match.Deal().SkipNext);
  EXPECT_EQ(Match.Progress().FinishOrder, std::vector<std::string>{"Jack"});
  EXPECT_EQ(Screen.Messages(), std::vector<std::string>{"Jack finished the game"});
}

TEST_F(ComputerLayoutTurn, SevenKeepingCardsWithOneOtherHolderSetsTheSkip) {
  Lay({4, 3, 2, 1});
  {
    TEdit edit(Match);
    edit->Deal.Players[0].Cards = MakeHand({});
    edit->Deal.Players[2].Cards = MakeHand({});
    edit->Deal.Players[1].Cards = MakeHand({31, 0});
  }
  EXPECT_EQ(Match.PlayComputerCard(1, 1), SevenLaid);
  EXPECT_TRUE(Match.Deal().SkipNext);
  EXPECT_EQ(Match.Deal().Players[1].Cards, MakeHand({31, -1}));
}

TEST_F(ComputerLayoutTurn, LastSevenWithTwoOtherHoldersSetsTheSkip) {
  Lay({4, 3, 2, 1});
  {
    TEdit edit(Match);
    edit->Deal.Players[0].Cards = MakeHand({});
    edit->Deal.Players[1].Cards = MakeHand({0});
  }
  EXPECT_EQ(Match.PlayComputerCard(1, 1), WentOut);
  EXPECT_TRUE(Match.Deal().SkipNext);
}

TEST_F(ComputerLayoutTurn, SevenOfTheLastHolderSetsNoSkip) {
  Lay({4, 3, 2, 1});
  EmptyAllHands(Match);
  Edit(Match)->Deal.Players[2].Cards = MakeHand({0, 31});
  EXPECT_EQ(Match.PlayComputerCard(2, 2), SevenLaid);
  EXPECT_FALSE(Match.Deal().SkipNext);
}

TEST_F(ComputerLayoutTurn, SkippedSeatLosesItsTurn) {
  {
    TEdit edit(Match);
    edit->Deal.SkipNext = true;
    edit->Deal.Players[2].Cards = MakeHand({12, 20});
  }
  EXPECT_EQ(Match.PlayComputerCard(2, 2), NoMove);
  EXPECT_FALSE(Match.Deal().SkipNext);
  EXPECT_EQ(Match.Deal().Players[2].Cards, MakeHand({12, 20}));
  EXPECT_EQ(LaidOut(), 0);
  EXPECT_EQ(Screen.Messages(), std::vector<std::string>{"Sandra skipped"});
  EXPECT_EQ(Screen.Events.back().Box, TBoxKind::Information);
  EXPECT_TRUE(Screen.EveryBoxAnnounced());
}

TEST_F(ComputerLayoutTurn, SeatWithoutCardsPassesTheSkipOn) {
  {
    TEdit edit(Match);
    edit->Deal.SkipNext = true;
    edit->Deal.Players[1].Cards = MakeHand({});
  }
  EXPECT_EQ(Match.PlayComputerCard(1, 1), NoMove);
  EXPECT_TRUE(Match.Deal().SkipNext);
  EXPECT_TRUE(Screen.Events.empty());

  Edit(Match)->Deal.SkipNext = false;
  EXPECT_EQ(Match.PlayComputerCard(1, 1), NoMove);
  EXPECT_FALSE(Match.Deal().SkipNext);
  EXPECT_TRUE(Screen.Events.empty());
}

TEST_F(ComputerLayoutTurn, MessagesUseThePlayersOwnName) {
  Edit(Match)->Deal.Players[3].Cards = MakeHand({0});
  Match.PlayComputerCard(3, 3);
  {
    TEdit edit(Match);
    edit->Deal.SkipNext = true;
    edit->Deal.Players[1].Cards = MakeHand({0});
  }
  Match.PlayComputerCard(1, 1);
  EXPECT_EQ(Screen.Messages(), (std::vector<std::string>{"Ben passed", "Jack skipped"}));
  EXPECT_TRUE(Screen.EveryBoxAnnounced());
}

// ---- the human's card

class HumanLayoutCard : public LayoutTest {
 protected:
  void SetUp() override {
    LayoutTest::SetUp();
    TEdit edit(Match);
    edit->Deal.Players[0].Name = "Alice";
    for (int seat = 1; seat < SeatCount; ++seat)
      edit->Deal.Players[seat].Cards = MakeHand({16 + seat});
  }
};

TEST_F(HumanLayoutCard, EmptyHandMakesNoMove) {
  Edit(Match)->Deal.Players[0].Cards = MakeHand({});
  EXPECT_EQ(Match.PlayHumanCard(0, 0), NoMove);
  EXPECT_TRUE(Match.Progress().FinishOrder.empty());
  EXPECT_EQ(LaidOut(), 0);
  EXPECT_TRUE(Screen.Events.empty());
}

TEST_F(HumanLayoutCard, LaysAFittingCard) {
  Edit(Match)->Deal.Players[0].Cards = MakeHand({3, 12});
  EXPECT_EQ(Match.PlayHumanCard(1, 3), LaidOrPassed);
  EXPECT_TRUE(Match.Deal().Layout[12]);
  EXPECT_EQ(LaidOut(), 1);
  EXPECT_EQ(Match.Deal().Players[0].Cards, MakeHand({3, -1}));
  EXPECT_EQ(Match.Deal().Trick, (TTrick{NoCard, NoCard, NoCard, NoCard}));
  EXPECT_TRUE(Screen.Messages().empty());
}

TEST_F(HumanLayoutCard, CardThatDoesNotFitChangesNothing) {
  Edit(Match)->Deal.Players[0].Cards = MakeHand({3, 12});
  EXPECT_EQ(Match.PlayHumanCard(0, 0), LaidOrPassed);
  EXPECT_EQ(LaidOut(), 0);
  EXPECT_EQ(Match.Deal().Players[0].Cards, MakeHand({3, 12}));
}

TEST_F(HumanLayoutCard, AceWithCardsLeftMovesAgain) {
  Lay({20, 21, 22});
  Edit(Match)->Deal.Players[0].Cards = MakeHand({0, 23});
  EXPECT_EQ(Match.PlayHumanCard(1, 0), AceLaid);
  EXPECT_TRUE(Match.Deal().Layout[23]);
  EXPECT_TRUE(Match.Progress().FinishOrder.empty());
}

TEST_F(HumanLayoutCard, SevenSetsTheSkip) {
  Lay({12, 11, 10, 9});
  Edit(Match)->Deal.Players[0].Cards = MakeHand({8, 5});
  EXPECT_EQ(Match.PlayHumanCard(0, 0), SevenLaid);
  EXPECT_TRUE(Match.Deal().Layout[8]);
  EXPECT_TRUE(Match.Deal().SkipNext);
}

TEST_F(HumanLayoutCard, LastCardFinishes) {
  Lay({20, 21, 22});
  Edit(Match)->Deal.Players[0].Cards = {-1, -1, -1, -1, -1, -1, 23, -1};
  EXPECT_EQ(Match.PlayHumanCard(6, 0), WentOut);
  EXPECT_TRUE(Match.Deal().Layout[23]);
  EXPECT_EQ(Match.Progress().FinishOrder, std::vector<std::string>{"Alice"});
  EXPECT_EQ(Screen.Messages(), std::vector<std::string>{"Alice finished the game"});
  EXPECT_EQ(Screen.Events.back().Box, TBoxKind::Information);
  EXPECT_TRUE(Screen.EveryBoxAnnounced());
}

TEST_F(HumanLayoutCard, FinishOrderKeepsTheOrderOfGoingOut) {
  {
    TEdit edit(Match);
    edit->Deal.Players[2].Cards = MakeHand({28});
    edit->Deal.Players[0].Cards = MakeHand({4});
  }
  Match.PlayComputerCard(2, 2);
  Match.PlayHumanCard(0, 0);
  EXPECT_EQ(Match.Progress().FinishOrder, (std::vector<std::string>{"Sandra", "Alice"}));
  EXPECT_EQ(Screen.Messages(),
            (std::vector<std::string>{"Sandra finished the game", "Alice finished the game"}));
  EXPECT_TRUE(Screen.EveryBoxAnnounced());
}

}  // namespace
