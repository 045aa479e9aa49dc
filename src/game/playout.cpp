#include "playout.h"

#include <bit>

namespace varlo {

int RandomSlot(TSlotSet set, TRandom& random) {
  for (int skip = random.Uniform(SlotCount(set)); skip > 0; --skip)
    set = static_cast<TSlotSet>(set & (set - 1));
  return std::countr_zero(set);
}

std::int32_t PlayOut(TDealState& deal, int seat, int own, TRandom& random) {
  const std::int32_t before = deal.Players[own].Score;
  const bool layout = !IsTrickContract(deal.Contract);
  // A deal has at most 32 cards to play and, in the layout contract, a
  // pass or a skip between them; this only guards a table no deal reaches.
  for (int moves = 0; moves < 2 * DeckSize; ++moves) {
    if (layout && (deal.PlaceOf(own) >= 0 || deal.OutCount >= 3)) break;
    seat = deal.NextToChoose(seat);
    if (seat < 0) break;
    const int slot = RandomSlot(deal.LegalSlots(seat), random);
    seat = TDealState::SeatAfter(seat, deal.Play(seat, slot));
  }
  if (!layout) return deal.Players[own].Score - before;
  return PlacePay(deal.PlaceOf(own));
}

}  // namespace varlo
