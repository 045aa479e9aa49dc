#include "playout.h"

#include <bit>

#include "steady_rules.h"

namespace varlo {

int RandomSlot(TSlotSet set, TRandom& random) {
  for (int skip = random.Uniform(SlotCount(set)); skip > 0; --skip)
    set = static_cast<TSlotSet>(set & (set - 1));
  return std::countr_zero(set);
}

namespace {

int PlayoutSlot(const TDealState& deal, int seat, TRandom& random, int randomPercent) {
  const TSlotSet legal = deal.LegalSlots(seat);
  if ((legal & (legal - 1)) == 0) return std::countr_zero(legal);
  if (randomPercent >= 100 || (randomPercent > 0 && random.Uniform(100) < randomPercent))
    return RandomSlot(legal, random);
  // In an imagined deal every hand is there: each seat's rules read its own.
  if (IsTrickContract(deal.Contract)) return SteadyTrickSlot(deal, seat, legal);
  return SteadyLayoutSlot(deal, seat, legal, HeldCounts(deal));
}

}  // namespace

std::int32_t PlayOut(TDealState& deal, int seat, int own, TRandom& random, int randomPercent) {
  const std::int32_t before = deal.Players[own].Score;
  const bool layout = !IsTrickContract(deal.Contract);
  // A deal has at most 32 cards to play and, in the layout contract, a
  // pass or a skip between them; this only guards a table no deal reaches.
  for (int moves = 0; moves < 2 * DeckSize; ++moves) {
    if (layout && (deal.PlaceOf(own) >= 0 || deal.OutCount >= 3)) break;
    seat = deal.NextToChoose(seat);
    if (seat < 0) break;
    const int slot = PlayoutSlot(deal, seat, random, randomPercent);
    seat = TDealState::SeatAfter(seat, deal.Play(seat, slot));
  }
  if (!layout) return deal.Players[own].Score - before;
  return PlacePay(deal.PlaceOf(own));
}

}  // namespace varlo
