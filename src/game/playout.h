// Playing a deal out to its end: the quick look ahead that the Strong player
// takes, many times, in every world it imagines.
#pragma once

#include <cstdint>

#include "deal_state.h"
#include "random.h"

namespace varlo {

/// A slot drawn uniformly from a set that is not empty.
int RandomSlot(TSlotSet set, TRandom& random);

/// Plays the deal on from the turn of `seat` and returns what `own` gains
/// from here on: the points of the tricks it takes, or in the layout
/// contract the pay of its place (play stops once it is out, or three
/// players are). Every seat plays the Steady rules, except that a share of
/// `randomPercent` in a hundred of the moves with a choice is a random legal
/// card (100: all of them, 0: none).
std::int32_t PlayOut(TDealState& deal, int seat, int own, TRandom& random, int randomPercent = 100);

}  // namespace varlo
