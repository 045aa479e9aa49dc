// The Strong player: it decides from what its seat has seen and nothing
// else, the deals it imagines agree with all of that, and it spends each
// contract on a hand that suits it.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <random>
#include <vector>

#include "fake_screen.h"
#include "playout.h"
#include "strong_player.h"

namespace varlo_test {
namespace {

using namespace varlo;

// Small enough to run quickly, large enough to weigh the cards.
const TStrongBudget Quick{6, 60, 6, 60};

// Sees every hand: what the knowledge test must be able to catch.
class TPeekingPlayer final : public TStrongPlayer {
 public:
  using TStrongPlayer::TStrongPlayer;

 protected:
  TSeatView View(const TDealState& state, int seat) const override {
    TSeatView all;
    all.Deal = state;
    all.Seat = seat;
    return all;
  }
};

TDealState Dealt(std::uint64_t reading, std::int32_t contract, int chooser) {
  TTable table(reading);
  table.Match.DealCards();
  TDealState deal = table.Match;
  deal.Contract = contract;
  deal.Leader = deal.Chooser = chooser;
  return deal;
}

// The moments of a deal, played at random, at which `seat` has a choice.
std::vector<TDealState> Choices(std::uint64_t reading, std::int32_t contract, int seat) {
  TDealState deal = Dealt(reading, contract, static_cast<int>(reading % SeatCount));
  TRandom random;
  random.Seed(reading);
  std::vector<TDealState> found;
  for (int next = deal.Chooser; (next = deal.NextToChoose(next)) >= 0;) {
    if (next == seat && std::popcount(deal.LegalSlots(seat)) >= 2) found.push_back(deal);
    next = TDealState::SeatAfter(next, deal.Play(next, RandomSlot(deal.LegalSlots(next), random)));
  }
  return found;
}

// A deal the seat cannot tell from this one: the hidden cards dealt anew by
// SampleWorld, into any slots. On the way, SampleWorld is held to what the
// seat knows: each hand its count, no card where it is known not to be, and
// exactly the cards the seat cannot see.
TDealState Redistributed(const TDealState& deal, int seat, TRandom& random) {
  TDealState other;
  const TSeatView view = SeeAs(deal, seat);
  SampleWorld(view, random, other);
  EXPECT_EQ(other.Players[seat].Cards, deal.Players[seat].Cards);
  TCardSet dealt = 0;
  for (int s = 0; s < SeatCount; ++s) {
    other.Players[s].Name = deal.Players[s].Name;
    EXPECT_EQ(CardCount(other.Players[s]), CardCount(deal.Players[s]));
    for (int k = HandSize - 1; k > 0 && s != seat; --k)
      std::swap(other.Players[s].Cards[k], other.Players[s].Cards[random.Uniform(k + 1)]);
    for (TCard c : other.Players[s].Cards) {
      if (c == NoCard || s == seat) continue;
      EXPECT_FALSE(deal.Excluded[s] & CardBit(c)) << "seat " << s << " card " << c;
      dealt |= CardBit(c);
    }
  }
  EXPECT_EQ(dealt, view.Unseen());
  return other;
}

TEST(StrongPlayer, DecidesFromWhatItsSeatHasSeenOnly) {
  TRandom rng;
  rng.Seed(8);
  int situations = 0, peekerSwayed = 0;
  for (std::int32_t contract = 0; contract < ContractCount; ++contract) {
    for (std::uint64_t reading : {301u, 302u, 303u}) {
      const auto choices = Choices(reading + 10 * contract, contract, 2);
      for (std::size_t i = 0; i < choices.size(); i += 3) {
        const TDealState& deal = choices[i];
        ++situations;
        const int honest = TStrongPlayer(99, Quick).ChooseSlot(deal, 2, deal.LegalSlots(2));
        const int peeking = TPeekingPlayer(99, Quick).ChooseSlot(deal, 2, deal.LegalSlots(2));
        for (int k = 0; k < 4; ++k) {
          const TDealState other = Redistributed(deal, 2, rng);
          ASSERT_EQ(TStrongPlayer(99, Quick).ChooseSlot(other, 2, other.LegalSlots(2)), honest)
              << "contract " << contract << ", reading " << reading;
          peekerSwayed += TPeekingPlayer(99, Quick).ChooseSlot(other, 2, other.LegalSlots(2)) != peeking;
        }
      }
    }
  }
  EXPECT_GT(situations, 40);
  // The same check tells a player that looks at the other hands.
  EXPECT_GT(peekerSwayed, situations / 4);

  // The contract too comes from its own hand alone.
  const TDealState fresh = Dealt(404, Whist, 3);
  const TContractRow row{false, true, false, false, true, false, false, false};
  const int chosen = TStrongPlayer(5, Quick).ChooseContract(fresh, 3, row);
  for (int k = 0; k < 4; ++k)
    EXPECT_EQ(TStrongPlayer(5, Quick).ChooseContract(Redistributed(fresh, 3, rng), 3, row), chosen);
}

TEST(SampleWorld, KnowledgeThatLeavesOneDealGivesThatDeal) {
  TDealState only = Dealt(9, Whist, 0);  // seat s holds suit s; all but seat 1 are known to
  for (int s = 0; s < SeatCount; ++s) {
    for (int k = 0; k < HandSize; ++k) only.Players[s].Cards[k] = CardOf(s, k);
    only.Excluded[s] = s == 1 ? 0 : AllCards & ~SuitCards(s);
  }
  TRandom random;
  random.Seed(3);
  for (int n = 0; n < 20; ++n) {
    const TDealState world = Redistributed(only, 1, random);
    for (int s = 0; s < SeatCount; ++s)
      for (TCard c : world.Players[s].Cards) ASSERT_EQ(SuitOf(c), s);
  }
}

TEST(StrongPlayer, SpendsAContractOnTheHandThatSuitsIt) {
  TDealState deal = Dealt(12, Whist, 1);
  const TContractRow whistOrLevate{true, false, false, true, true, true, true, true};
  const auto give = [&](const THand& cards) {
    // Swap the wanted cards into seat 1's hand; the others keep eight each.
    for (int slot = 0; slot < HandSize; ++slot)
      for (auto& player : deal.Players)
        for (TCard& held : player.Cards)
          if (held == cards[slot]) std::swap(held, deal.Players[1].Cards[slot]);
  };
  give({7, 6, 15, 14, 23, 22, 31, 30});  // aces and kings
  EXPECT_EQ(TStrongPlayer(1).ChooseContract(deal, 1, whistOrLevate), Whist);
  give({0, 1, 8, 9, 16, 17, 24, 25});  // sevens and eights
  EXPECT_EQ(TStrongPlayer(1).ChooseContract(deal, 1, whistOrLevate), Levate);

  // Whatever the hand and the row, the choice is a contract still free.
  std::mt19937 rng(4);
  TStrongPlayer player(2, Quick);
  for (int n = 0; n < 40; ++n) {
    TContractRow row;
    for (bool& chosen : row) chosen = rng() % 2;
    row[rng() % ContractCount] = false;
    const int c = player.ChooseContract(Dealt(600 + n, Whist, 2), 2, row);
    ASSERT_TRUE(c >= 0 && c < ContractCount && !row[c]) << c;
  }
}

}  // namespace
}  // namespace varlo_test
