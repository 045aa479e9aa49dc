// The Steady player's rules: how a careful club player picks a card and a
// contract. Each rule reads the seat's own hand and what the whole table has
// seen (the trick, the layout, the cards played, the voids shown and the
// passes, the sizes of the hands), never another seat's cards: the other
// hands may be empty (a seat's view) or imagined (the Strong player's
// playouts, which play every seat by these rules).
#pragma once

#include <array>
#include <cstdint>

#include "computer_player.h"
#include "deal_state.h"

namespace varlo {

/// How many cards each seat holds: the table can count them.
using THeldCounts = std::array<std::int8_t, SeatCount>;

/// The sizes of the deal's hands.
THeldCounts HeldCounts(const TDealState& deal);

/// Trick contracts: the slot the seat plays, one of `legal`.
int SteadyTrickSlot(const TDealState& deal, int seat, TSlotSet legal);

/// Layout contract: the slot the seat lays out, one of `legal`.
int SteadyLayoutSlot(const TDealState& deal, int seat, TSlotSet legal, const THeldCounts& held);

/// Either of the two, by the deal's contract.
int SteadySlot(const TDealState& deal, int seat, TSlotSet legal, const THeldCounts& held);

/// What the hand is worth under the contract, in the contract's points, by
/// a club player's count of its tricks, its dangerous cards and its runs.
double HandValue(const THand& hand, std::int32_t contract);

/// The free contract whose value for this hand most exceeds what an
/// ordinary hand is worth under it. The row must hold a free contract.
int SteadyContract(const THand& hand, const TContractRow& chosen);

}  // namespace varlo
