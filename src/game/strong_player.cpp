#include "strong_player.h"

#include <algorithm>
#include <bit>

#include "playout.h"

namespace varlo {

// The mean points of seat 0 as chooser under each contract, every seat
// playing random legal cards, over 200,000 random deals (standard error at
// most 0.5): build-release/bin/varlo_contract_baselines 200000
const std::array<double, ContractCount> ChooserBaseline{180.2, 103.2, -103.2, -205.6,
                                                        -41.2, -51.7, 51.5,   -61.9};

namespace {

// What a card adds to the points of the trick it falls in.
std::int32_t CardValue(std::int32_t contract, TCard card) {
  const TTrick none{NoCard, NoCard, NoCard, NoCard};
  const TTrick one{card, NoCard, NoCard, NoCard};
  return TrickPointsOf(contract, one) - TrickPointsOf(contract, none);
}

// Two cards of one hand do the same in every trick to come when they are of
// one suit, score alike, and no card between them can still be played by
// another seat or already lies in the trick.
bool Equivalent(std::int32_t contract, TCard a, TCard b, TCardSet blockers) {
  if (SuitOf(a) != SuitOf(b) || CardValue(contract, a) != CardValue(contract, b)) return false;
  for (TCard c = std::min(a, b) + 1; c < std::max(a, b); ++c)
    if (blockers & CardBit(c)) return false;
  return true;
}

}  // namespace

TStrongPlayer::TStrongPlayer(std::uint64_t seed, TStrongBudget budget) : Budget(budget) {
  Random.Seed(seed);
}

int TStrongPlayer::Candidates(const TSeatView& view, TSlotSet legal, TCandidates& slots) const {
  const TDealState& deal = view.Deal;
  const THand& hand = deal.Players[view.Seat].Cards;
  TCardSet blockers = view.Unseen();
  for (TCard c : deal.Trick)
    if (c != NoCard) blockers |= CardBit(c);
  int n = 0;
  for (int slot = 0; slot < HandSize; ++slot) {
    if (!((legal >> slot) & 1u)) continue;
    bool same = false;
    // Layout cards of one row are never alike: each opens different cards.
    if (IsTrickContract(deal.Contract))
      for (int k = 0; k < n && !same; ++k)
        same = Equivalent(deal.Contract, hand[slots[k]], hand[slot], blockers);
    if (!same) slots[n++] = slot;
  }
  return n;
}

int TStrongPlayer::ChooseSlot(const TDealState& state, int seat, TSlotSet legal) {
  if (SlotCount(legal) <= 1) return LowestSlot(legal);  // forced: nothing to weigh
  const TSeatView view = View(state, seat);
  TCandidates slots{};
  const int n = Candidates(view, legal, slots);
  if (n == 1) return slots[0];

  std::array<std::int64_t, HandSize> sums{};
  const int worlds = std::max(1, Budget.Worlds);
  const int perWorld = std::max(1, Budget.PlayoutsPerCard / worlds);
  TDealState world, scratch;
  for (int w = 0; w < worlds; ++w) {
    SampleWorld(view, Random, world);
    for (int r = 0; r < perWorld; ++r) {
      // The same luck for every card: what differs is the card.
      const std::uint64_t luck = Random.Next();
      for (int k = 0; k < n; ++k) {
        scratch = world;
        Playout.Seed(luck);
        const std::int32_t result = scratch.Play(seat, slots[k]);
        sums[k] += PlayOut(scratch, TDealState::SeatAfter(seat, result), seat, Playout);
      }
    }
  }
  PlayoutCount += static_cast<long>(worlds) * perWorld * n;
  int best = 0;
  for (int k = 1; k < n; ++k)
    if (sums[k] > sums[best]) best = k;
  return slots[best];
}

double TStrongPlayer::MeanUnder(const TSeatView& view, std::int32_t contract, TRandom& worldRandom,
                                TRandom& luck) {
  TSeatView fresh = view;
  TDealState& deal = fresh.Deal;
  deal.Contract = contract;
  deal.Leader = deal.Chooser = fresh.Seat;
  deal.ClearDeal();
  const int worlds = std::max(1, Budget.ContractWorlds);
  const int perWorld = std::max(1, Budget.PlayoutsPerContract / worlds);
  std::int64_t sum = 0;
  TDealState world, scratch;
  for (int w = 0; w < worlds; ++w) {
    SampleWorld(fresh, worldRandom, world);
    for (int r = 0; r < perWorld; ++r) {
      scratch = world;
      sum += PlayOut(scratch, fresh.Seat, fresh.Seat, luck);
    }
  }
  PlayoutCount += static_cast<long>(worlds) * perWorld;
  return static_cast<double>(sum) / (static_cast<double>(worlds) * perWorld);
}

int TStrongPlayer::ChooseContract(const TDealState& state, int seat, const TContractRow& chosen) {
  const int free = static_cast<int>(std::count(chosen.begin(), chosen.end(), false));
  if (free <= 1)
    return static_cast<int>(std::find(chosen.begin(), chosen.end(), false) - chosen.begin());
  const TSeatView view = View(state, seat);
  // Every contract is tried on the same imagined deals with the same luck,
  // so that they differ only by the contract.
  const std::uint64_t worldSeed = Random.Next(), luckSeed = Random.Next();
  int best = -1;
  double bestGain = 0;
  for (int c = 0; c < ContractCount; ++c) {
    if (chosen[c]) continue;
    TRandom worldRandom, luck;
    worldRandom.Seed(worldSeed);
    luck.Seed(luckSeed);
    const double gain = MeanUnder(view, c, worldRandom, luck) - ChooserBaseline[c];
    if (best < 0 || gain > bestGain) {
      best = c;
      bestGain = gain;
    }
  }
  return best;
}

}  // namespace varlo
