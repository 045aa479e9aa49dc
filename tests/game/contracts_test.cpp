// The contract catalogue: names, the points of a trick, the end of a deal
// and of a match.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <vector>

#include "contracts.h"
#include "fake_screen.h"
#include "match.h"

namespace {

using namespace varlo;
using varlo_test::Edit;
using varlo_test::EmptyAllHands;
using varlo_test::MakeHand;
using varlo_test::TEdit;
using varlo_test::TTable;

TEST(ContractName, TheEightNamesInIndexOrder) {
  EXPECT_EQ(ContractName(0), "Varlo");
  EXPECT_EQ(ContractName(1), "Whist");
  EXPECT_EQ(ContractName(2), "Levate");
  EXPECT_EQ(ContractName(3), "Total");
  EXPECT_EQ(ContractName(4), "Queens");
  EXPECT_EQ(ContractName(5), "Heart King");
  EXPECT_EQ(ContractName(6), "Club 10");
  EXPECT_EQ(ContractName(7), "Diamonds");
}

TEST(ContractName, OutsideTheCatalogueIsEmpty) {
  EXPECT_EQ(ContractName(-1), "");
  EXPECT_EQ(ContractName(8), "");
  EXPECT_EQ(ContractName(-2), "");
}

// A trick of plain cards: no queen, no diamond, neither K-hearts nor 10-clubs.
const TTrick Plain{0, 9, 26, 4};

TEST(TrickPoints, WhistAndLevateCountTheTrickOnly) {
  EXPECT_EQ(TrickPointsOf(Whist, Plain), 50);
  EXPECT_EQ(TrickPointsOf(Levate, Plain), -50);
  const TTrick loaded{5, 6, 27, 16};
  EXPECT_EQ(TrickPointsOf(Whist, loaded), 50);
  EXPECT_EQ(TrickPointsOf(Levate, loaded), -50);
}

TEST(TrickPoints, TotalAddsEveryCardTest) {
  EXPECT_EQ(TrickPointsOf(Total, Plain), -50);
  // Queen of diamonds counts as a queen and as a diamond.
  EXPECT_EQ(TrickPointsOf(Total, (TTrick{21, 6, 0, 8})), -50 - 40 - 30 - 200);
  EXPECT_EQ(TrickPointsOf(Total, (TTrick{6, 27, 0, 8})), -50 - 200 + 200);
  EXPECT_EQ(TrickPointsOf(Total, (TTrick{13, 29, 16, 23})), -50 - 80 - 60);
  EXPECT_EQ(TrickPointsOf(Total, (TTrick{27, 0, 8, 9})), 150);
}

TEST(TrickPoints, QueensCostFortyEach) {
  EXPECT_EQ(TrickPointsOf(Queens, (TTrick{5, 13, 0, 8})), -80);
  EXPECT_EQ(TrickPointsOf(Queens, Plain), 0);
  EXPECT_EQ(TrickPointsOf(Queens, (TTrick{5, 13, 21, 29})), -160);
  // Neighbours of the queens: jacks and kings are free.
  EXPECT_EQ(TrickPointsOf(Queens, (TTrick{4, 6, 28, 30})), 0);
}

TEST(TrickPoints, HeartKingClubTenDiamonds) {
  EXPECT_EQ(TrickPointsOf(HeartKing, (TTrick{0, 6, 8, 9})), -200);
  EXPECT_EQ(TrickPointsOf(HeartKing, (TTrick{5, 7, 14, 30})), 0);
  EXPECT_EQ(TrickPointsOf(Club10, (TTrick{24, 25, 27, 31})), 200);
  EXPECT_EQ(TrickPointsOf(Club10, (TTrick{3, 11, 19, 26})), 0);
  EXPECT_EQ(TrickPointsOf(Diamonds, (TTrick{16, 23, 15, 24})), -60);
  EXPECT_EQ(TrickPointsOf(Diamonds, (TTrick{16, 17, 18, 19})), -120);
  EXPECT_EQ(TrickPointsOf(Diamonds, Plain), 0);
}

TEST(TrickPoints, NoPointsOutsideTheTrickContracts) {
  const TTrick loaded{5, 6, 27, 16};
  EXPECT_EQ(TrickPointsOf(VarloLayout, loaded), 0);
  EXPECT_EQ(TrickPointsOf(NoContract, loaded), 0);
  EXPECT_EQ(TrickPointsOf(8, loaded), 0);
}

TEST(TrickPoints, MatchReadsItsContractAndTrick) {
  TTable table;
  TMatch& match = table.Match;
  {
    TEdit edit(match);
    edit->Deal.Trick = {21, 6, 0, 8};
    edit->Deal.Contract = Total;
  }
  EXPECT_EQ(match.Deal().TrickPoints(), -320);
  Edit(match)->Deal.Contract = Diamonds;
  EXPECT_EQ(match.Deal().TrickPoints(), -30);
  Edit(match)->Deal.Contract = VarloLayout;
  EXPECT_EQ(match.Deal().TrickPoints(), 0);
  Edit(match)->Deal.Contract = NoContract;
  EXPECT_EQ(match.Deal().TrickPoints(), 0);
}

// The deck dealt out as eight tricks in a random order.
std::array<TTrick, 8> RandomTricks(unsigned seed) {
  std::array<TCard, DeckSize> deck;
  std::iota(deck.begin(), deck.end(), 0);
  std::mt19937 engine(seed);
  std::shuffle(deck.begin(), deck.end(), engine);
  std::array<TTrick, 8> tricks;
  for (int t = 0; t < 8; ++t)
    for (int p = 0; p < 4; ++p) tricks[t][p] = deck[4 * t + p];
  return tricks;
}

TEST(TrickPoints, WholeDealSums) {
  const std::array<std::int32_t, ContractCount> perDeal{0, 400, -400, -800, -160, -200, 200, -240};
  for (unsigned seed = 1; seed <= 20; ++seed) {
    const auto tricks = RandomTricks(seed);
    for (int contract = Whist; contract <= Diamonds; ++contract) {
      std::int32_t sum = 0;
      for (const TTrick& trick : tricks) sum += TrickPointsOf(contract, trick);
      EXPECT_EQ(sum, perDeal[contract]) << ContractName(contract) << " seed " << seed;
    }
  }
}

TEST(TrickPoints, TotalIsAllTheOthersTogether) {
  for (unsigned seed = 1; seed <= 20; ++seed) {
    for (const TTrick& trick : RandomTricks(seed)) {
      std::int32_t together = 0;
      for (int contract : {Levate, Queens, HeartKing, Club10, Diamonds})
        together += TrickPointsOf(contract, trick);
      EXPECT_EQ(TrickPointsOf(Total, trick), together);
    }
  }
}

// Hands as dealt in code order: seat s holds codes 8s..8s+7 in slots 0..7.
TPlayers OrderedHands() {
  TPlayers players;
  for (int seat = 0; seat < SeatCount; ++seat)
    for (int slot = 0; slot < HandSize; ++slot) players[seat].Cards[slot] = 8 * seat + slot;
  return players;
}

TPlayers EmptyHands() { return TPlayers{}; }

TEST(DealFinished, OutsideTheCatalogueAlwaysOver) {
  EXPECT_TRUE(DealFinishedFor(NoContract, OrderedHands()));
  EXPECT_TRUE(DealFinishedFor(8, OrderedHands()));
}

TEST(DealFinished, VarloLastsWhileAnyoneHoldsACard) {
  EXPECT_FALSE(DealFinishedFor(VarloLayout, OrderedHands()));
  for (int seat = 0; seat < SeatCount; ++seat) {
    TPlayers players = EmptyHands();
    players[seat].Cards[7] = 18;
    EXPECT_FALSE(DealFinishedFor(VarloLayout, players)) << seat;
  }
  EXPECT_TRUE(DealFinishedFor(VarloLayout, EmptyHands()));
}

TEST(DealFinished, PlainTrickContractsEndWithTheHumansHand) {
  for (int contract : {Whist, Levate, Total}) {
    TPlayers players = OrderedHands();
    for (int slot = 0; slot < 7; ++slot)
      for (auto& player : players) player.Cards[slot] = NoCard;
    EXPECT_FALSE(DealFinishedFor(contract, players)) << contract;
    players[0].Cards[7] = NoCard;
    EXPECT_TRUE(DealFinishedFor(contract, players)) << contract;
  }
}

TEST(DealFinished, HeartKingEndsWhenItsKingFalls) {
  // The first trick took the slot-6 card of every hand: 6, 14, 22, 30.
  TPlayers players = OrderedHands();
  EXPECT_FALSE(DealFinishedFor(HeartKing, players));
  for (auto& player : players) player.Cards[6] = NoCard;
  for (const auto& player : players) EXPECT_EQ(CardCount(player), 7);
  EXPECT_TRUE(DealFinishedFor(HeartKing, players));
  EXPECT_FALSE(DealFinishedFor(Whist, players));
  EXPECT_FALSE(DealFinishedFor(Queens, players));
}

TEST(DealFinished, ScoringCardContractsLookAtEveryHand) {
  struct TCase {
    int Contract;
    std::vector<TCard> Scoring;
  };
  const std::vector<TCase> cases{
      {Queens, {5, 13, 21, 29}},
      {HeartKing, {6}},
      {Club10, {27}},
      {Diamonds, {16, 17, 18, 19, 20, 21, 22, 23}},
  };
  for (const TCase& c : cases) {
    for (TCard last : c.Scoring) {
      // Everything but the scoring cards has gone, except one of them.
      TPlayers players = OrderedHands();
      for (auto& player : players)
        for (auto& slot : player.Cards)
          if (std::find(c.Scoring.begin(), c.Scoring.end(), slot) != c.Scoring.end() && slot != last)
            slot = NoCard;
      EXPECT_FALSE(DealFinishedFor(c.Contract, players)) << c.Contract << " " << last;
      for (auto& player : players)
        for (auto& slot : player.Cards)
          if (slot == last) slot = NoCard;
      EXPECT_TRUE(DealFinishedFor(c.Contract, players)) << c.Contract << " " << last;
    }
  }
}

TEST(DealFinished, MatchReadsItsContractAndHands) {
  TTable table;
  TMatch& match = table.Match;
  EmptyAllHands(match);
  {
    TEdit edit(match);
    edit->Deal.Players[2].Cards = MakeHand({21});
    edit->Deal.Contract = Whist;
  }
  EXPECT_TRUE(match.Deal().DealFinished());
  Edit(match)->Deal.Contract = Queens;
  EXPECT_FALSE(match.Deal().DealFinished());
  Edit(match)->Deal.Contract = Diamonds;
  EXPECT_FALSE(match.Deal().DealFinished());
  Edit(match)->Deal.Contract = VarloLayout;
  EXPECT_FALSE(match.Deal().DealFinished());
  Edit(match)->Deal.Contract = NoContract;
  EXPECT_TRUE(match.Deal().DealFinished());
}

TEST(MatchFinished, AfterThirtyTwoDeals) {
  TTable table;
  TMatch& match = table.Match;
  EXPECT_FALSE(match.MatchFinished());
  Edit(match)->Progress.DealsPlayed = 31;
  EXPECT_FALSE(match.MatchFinished());
  Edit(match)->Progress.DealsPlayed = 32;
  EXPECT_TRUE(match.MatchFinished());
}

}  // namespace
