// What one seat knows of a deal, and whole deals that agree with it: the
// worlds a computer player imagines in place of the cards it cannot see.
#pragma once

#include <array>
#include <cstdint>

#include "deal_state.h"
#include "random.h"

namespace varlo {

/// A seat's knowledge: the deal with every other hand hidden (its slots
/// empty, the names dropped) and how many cards each seat keeps hidden.
struct TSeatView {
  TDealState Deal;
  std::array<std::int8_t, SeatCount> Hidden{};
  int Seat = 0;

  /// The cards in no hand of the view that nobody has played: the ones
  /// that lie in the hidden slots.
  TCardSet Unseen() const;
};

/// The seat's view of the deal: its own hand, the table and everything
/// played, the counts of the other hands and what they are known to lack.
TSeatView SeeAs(const TDealState& deal, int seat);

/// A whole deal that agrees with the view: the unseen cards dealt into the
/// hidden slots, each seat getting as many as it hides and none it is known
/// not to hold. Uniform over such deals while a few plain shuffles find
/// one; after that a constrained deal, close to uniform, that always ends.
void SampleWorld(const TSeatView& view, TRandom& random, TDealState& world);

}  // namespace varlo
