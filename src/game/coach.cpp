#include "coach.h"

#include "seat_view.h"

namespace varlo {

namespace {

// The coach's own seed: with the position, all its figures follow from it.
constexpr std::uint64_t CoachSeed = 0x636F616368ULL;

}  // namespace

TCoachAdvice Advise(const TDealState& deal, const TStrongBudget& budget) {
  TCoachAdvice advice;
  advice.Playable = deal.LegalSlots(0);
  if (advice.Playable == 0) return advice;
  advice.Points = EstimateSlots(SeeAs(deal, 0), advice.Playable, CoachSeed, budget);
  for (int slot = 0; slot < HandSize; ++slot) {
    if (!((advice.Playable >> slot) & 1u)) continue;
    if (advice.Best < 0 || advice.Points[slot] > advice.Points[advice.Best]) advice.Best = slot;
  }
  for (int slot = 0; slot < HandSize; ++slot)
    if (((advice.Playable >> slot) & 1u) &&
        advice.Points[slot] >= advice.Points[advice.Best] - AsGoodMargin)
      advice.AsGood |= static_cast<TSlotSet>(1u << slot);
  return advice;
}

}  // namespace varlo
