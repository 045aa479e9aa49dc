#include "steady_player.h"

#include "seat_view.h"
#include "steady_rules.h"

namespace varlo {

int TSteadyPlayer::ChooseSlot(const TDealState& state, int seat, TSlotSet legal) {
  if (SlotCount(legal) <= 1) return LowestSlot(legal);
  // The rules are handed the seat's view, in which the other hands are
  // empty: they cannot look at cards the seat does not see.
  const TSeatView view = SeeAs(state, seat);
  THeldCounts held = view.Hidden;
  held[seat] = static_cast<std::int8_t>(CardCount(view.Deal.Players[seat]));
  return SteadySlot(view.Deal, seat, legal, held);
}

int TSteadyPlayer::ChooseContract(const TDealState& state, int seat, const TContractRow& chosen) {
  return SteadyContract(SeeAs(state, seat).Deal.Players[seat].Cards, chosen);
}

}  // namespace varlo
