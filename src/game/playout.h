// Playing a deal out to its end at random: the quick look ahead that the
// Strong player takes, many times, in every world it imagines.
#pragma once

#include <cstdint>

#include "deal_state.h"
#include "random.h"

namespace varlo {

/// A slot drawn uniformly from a set that is not empty.
int RandomSlot(TSlotSet set, TRandom& random);

/// Plays the deal on from the turn of `seat`, every seat a random legal
/// card, and returns what `own` gains from here on: the points of the tricks
/// it takes, or in the layout contract the pay of its place (play stops once
/// it is out, or three players are).
std::int32_t PlayOut(TDealState& deal, int seat, int own, TRandom& random);

}  // namespace varlo
