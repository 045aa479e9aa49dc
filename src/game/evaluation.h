// What each playable card is worth to a seat: the Strong player's search,
// open to anyone who holds a seat's view (the Strong player itself, and a
// coach that shows the human what his cards are worth).
#pragma once

#include <array>
#include <cstdint>

#include "seat_view.h"

namespace varlo {

/// How much the Strong player thinks: the cost of a decision grows with it.
struct TStrongBudget {
  int Worlds = 20;                ///< imagined deals per card decision
  int PlayoutsPerCard = 400;      ///< playouts of each card, over all worlds
  int ContractWorlds = 20;        ///< imagined deals per contract choice
  int PlayoutsPerContract = 300;  ///< playouts of each free contract
  /// Moves of a playout, in a hundred, played at random instead of by the
  /// Steady rules: keeps the search fair to opponents who play otherwise.
  int RandomPercent = 30;
};

/// A fingerprint of everything the view shows that bears on a decision: the
/// hand slot by slot, the trick, the layout, the cards played, what each
/// seat is known not to hold, the hand sizes, the skip, the places out, the
/// contract, the leader, the chooser and the seat (not the scores).
std::uint64_t ViewHash(const TSeatView& view);

/// The seed of one decision: a player's seed mixed with what it is asked.
std::uint64_t DecisionSeed(std::uint64_t playerSeed, std::uint64_t question);

/// For each slot of `legal`, the seat's expected own points over the rest of
/// the deal if it plays that slot now: in the trick contracts the points of
/// the tricks it will take, in the layout contract the expected pay of its
/// place (400, 200, 100 or 0). Other entries are 0. Cards that are sure to do
/// the same (touching cards of one suit that score alike) share one value.
/// A pure function of its arguments: `seed` is the player's seed, mixed here
/// with the view.
std::array<double, HandSize> EstimateSlots(const TSeatView& view, TSlotSet legal,
                                           std::uint64_t seed, const TStrongBudget& budget);

}  // namespace varlo
