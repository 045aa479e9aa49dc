// The Steady player: each row of the table is a position built by hand and
// the card a club player would name for it, with the rule he would give.
#include <gtest/gtest.h>

#include <vector>

#include "steady_player.h"
#include "steady_rules.h"

namespace varlo_test {
namespace {

using namespace varlo;

struct TSteadyPosition {
  const char* Rule;
  std::int32_t Contract;
  std::vector<TCard> Hand;   // seat 1's hand, in slot order
  std::vector<TCard> Trick;  // the cards before seat 1's, the led one first
  std::vector<TCard> Gone;   // played in earlier tricks, or laid out
  TCard Expected;
  int NextHolds = HandSize;  // layout: the cards seat 2 holds
  bool LaterVoid = false;    // seats 2 and 3 have shown a void in the led suit
};

// Seat 1 to play. The cards nobody has played nor seat 1 holds go round the
// other seats, seat 2 first up to its share.
TDealState Position(const TSteadyPosition& p) {
  TDealState deal;
  deal.Contract = p.Contract;
  deal.Leader = IsTrickContract(p.Contract) ? (1 - static_cast<int>(p.Trick.size()) + 4) % 4 : 1;
  deal.Chooser = deal.Leader;
  for (std::size_t k = 0; k < p.Hand.size(); ++k) deal.Players[1].Cards[k] = p.Hand[k];
  for (std::size_t k = 0; k < p.Trick.size(); ++k) deal.Trick[k] = p.Trick[k];
  TCardSet seen = 0;
  for (TCard c : p.Hand) seen |= CardBit(c);
  for (TCard c : p.Trick) deal.Played |= CardBit(c);
  if (p.LaterVoid) deal.Excluded[2] = deal.Excluded[3] = SuitCards(SuitOf(p.Trick[0]));
  for (TCard c : p.Gone) {
    deal.Played |= CardBit(c);
    deal.Layout[c] = p.Contract == VarloLayout;
  }
  const std::array<int, SeatCount> room{HandSize, 0, p.NextHolds, HandSize};
  const std::array<int, 3> others{2, 3, 0};
  std::array<int, SeatCount> filled{};
  int k = 0;
  for (TCard c = 0; c < DeckSize; ++c) {
    if ((seen | deal.Played) & CardBit(c)) continue;
    for (int tries = 0; tries < 3 && filled[others[k]] >= room[others[k]]; ++tries) k = (k + 1) % 3;
    const int seat = others[k];
    if (filled[seat] >= room[seat]) break;
    deal.Players[seat].Cards[filled[seat]++] = c;
    k = (k + 1) % 3;
  }
  return deal;
}

constexpr std::int32_t Layout = VarloLayout;

const std::vector<TSteadyPosition> Positions = {
    {"drops the heart king under the ace", HeartKing, {1, 6, 12}, {7}, {}, 6},
    {"ducks with the highest card that still loses", Levate, {8, 10, 15}, {13}, {}, 10},
    {"ducks its queen under the king", Queens, {8, 10, 15, 13}, {14}, {}, 13},
    {"ducks with the highest diamond under the led one", Diamonds, {18, 21, 16}, {19}, {}, 18},
    {"void: throws the heart king", HeartKing, {31, 6, 0}, {8}, {}, 6},
    {"void: throws a queen", Queens, {15, 29, 17}, {1}, {}, 29},
    {"void: throws the highest diamond", Diamonds, {18, 22, 15}, {1}, {}, 22},
    {"last and sure to take it: sheds its highest card", Levate, {28, 31, 0}, {24, 25, 26}, {}, 31},
    {"cannot duck: plays the card that may yet be beaten", Levate, {13, 15}, {11}, {}, 13},
    {"the seats after it are void: sheds its highest card", Levate, {13, 15}, {11}, {}, 15,
     HandSize, true},
    {"plus contract, last: takes it with the cheapest card that wins", Whist, {15, 13, 8},
     {10, 12, 9}, {}, 13},
    {"plus contract, cannot win: plays its lowest card", Whist, {14, 8}, {15}, {}, 8},
    {"minus contract: leads low from its short suit", Levate, {17, 18, 19, 1}, {}, {0, 16}, 1},
    {"plus contract: leads the card nobody can beat", Whist, {0, 1, 2, 15}, {}, {}, 15},
    {"a king whose ace has gone is a sure trick", Whist, {0, 1, 14}, {}, {15}, 14},
    {"takes the ten of clubs as cheaply as it can", Club10, {8, 31, 29, 25}, {27, 24, 28}, {}, 29},
    {"void: keeps the ten of clubs", Club10, {27, 8}, {7}, {}, 8},
    {"lays an ace at once: it moves again", Layout, {12, 11, 7}, {}, {4, 5, 6}, 7},
    {"opens its own run rather than a jack for the others", Layout, {12, 3, 2, 1}, {}, {4}, 3},
    {"keeps the seven while a card opens its own", Layout, {0, 12, 11, 13}, {}, {4, 3, 2, 1}, 12},
    {"lays the seven to stop a player about to go out", Layout, {0, 12, 11, 13}, {}, {4, 3, 2, 1},
     0, 1},
};

TEST(SteadyPlayer, PlaysTheCardAClubPlayerWould) {
  TSteadyPlayer steady;
  for (const TSteadyPosition& p : Positions) {
    const TDealState deal = Position(p);
    const TSlotSet legal = deal.LegalSlots(1);
    ASSERT_GE(SlotCount(legal), 2) << p.Rule;
    const int slot = steady.ChooseSlot(deal, 1, legal);
    ASSERT_TRUE((legal >> slot) & 1u) << p.Rule;
    EXPECT_EQ(deal.Players[1].Cards[slot], p.Expected) << p.Rule;
  }
}

TEST(SteadyPlayer, SpendsEachContractOnTheHandThatSuitsIt) {
  const TContractRow whistOrLevate{true, false, false, true, true, true, true, true};
  EXPECT_EQ(SteadyContract({7, 6, 15, 14, 23, 22, 31, 30}, whistOrLevate), Whist);
  EXPECT_EQ(SteadyContract({0, 1, 8, 9, 16, 17, 24, 25}, whistOrLevate), Levate);
  const TContractRow varloOrWhist{false, false, true, true, true, true, true, true};
  EXPECT_EQ(SteadyContract({4, 3, 2, 12, 11, 20, 19, 28}, varloOrWhist), VarloLayout);
  TContractRow lastOne{};
  lastOne.fill(true);
  lastOne[Diamonds] = false;
  EXPECT_EQ(SteadyContract({7, 6, 15, 14, 23, 22, 31, 30}, lastOne), Diamonds);
}

}  // namespace
}  // namespace varlo_test
