#include "strong_player.h"

#include <algorithm>

#include "playout.h"

namespace varlo {

// The mean points of seat 0 as chooser under each contract, every seat
// playing as the playouts do (the Steady rules, 30 % of the moves random),
// over 200,000 random deals (standard error at most 0.5):
// build-release/bin/varlo_contract_baselines 200000
const std::array<double, ContractCount> ChooserBaseline{174.2, 103.1, -107.7, -221.7,
                                                        -43.0, -53.1, 43.1,   -64.6};

TStrongPlayer::TStrongPlayer(std::uint64_t seed, TStrongBudget budget)
    : PlayerSeed(seed), Thinking(budget) {}

int TStrongPlayer::ChooseSlot(const TDealState& state, int seat, TSlotSet legal) {
  if (SlotCount(legal) <= 1) return LowestSlot(legal);  // forced: nothing to weigh
  const std::array<double, HandSize> value =
      EstimateSlots(View(state, seat), legal, PlayerSeed, Thinking);
  int best = -1;
  for (int slot = 0; slot < HandSize; ++slot)
    if (((legal >> slot) & 1u) && (best < 0 || value[slot] > value[best])) best = slot;
  return best;
}

double TStrongPlayer::MeanUnder(const TSeatView& view, std::int32_t contract,
                                TRandom& worldRandom, TRandom& luck) const {
  TSeatView fresh = view;
  TDealState& deal = fresh.Deal;
  deal.Contract = contract;
  deal.Leader = deal.Chooser = fresh.Seat;
  deal.ClearDeal();
  const int worlds = std::max(1, Thinking.ContractWorlds);
  const int perWorld = std::max(1, Thinking.PlayoutsPerContract / worlds);
  std::int64_t sum = 0;
  TDealState world, scratch;
  for (int w = 0; w < worlds; ++w) {
    SampleWorld(fresh, worldRandom, world);
    for (int r = 0; r < perWorld; ++r) {
      scratch = world;
      sum += PlayOut(scratch, fresh.Seat, fresh.Seat, luck, Thinking.RandomPercent);
    }
  }
  return static_cast<double>(sum) / (static_cast<double>(worlds) * perWorld);
}

int TStrongPlayer::ChooseContract(const TDealState& state, int seat, const TContractRow& chosen) {
  const int free = static_cast<int>(std::count(chosen.begin(), chosen.end(), false));
  if (free <= 1)
    return static_cast<int>(std::find(chosen.begin(), chosen.end(), false) - chosen.begin());
  const TSeatView view = View(state, seat);
  std::uint64_t row = 0;
  for (int c = 0; c < ContractCount; ++c) row |= std::uint64_t{chosen[c]} << c;
  TRandom random;
  random.Seed(DecisionSeed(PlayerSeed, ViewHash(view) ^ (row << 56)));
  // Every contract is tried on the same imagined deals with the same luck,
  // so that they differ only by the contract.
  const std::uint64_t worldSeed = random.Next(), luckSeed = random.Next();
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
