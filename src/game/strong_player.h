// The Strong computer player: determinized Monte Carlo search. It imagines
// deals of the cards its seat cannot see that agree with all the seat has
// seen, plays each card it may play out to the end of the deal in each of
// them, every seat playing as the Steady player would with a share of random
// moves, and plays the card with the best mean (EstimateSlots).
#pragma once

#include <array>
#include <cstdint>

#include "computer_player.h"
#include "evaluation.h"
#include "seat_view.h"

namespace varlo {

class TStrongPlayer : public TComputerPlayer {
 public:
  /// seed: where each decision's generator comes from, mixed with what the
  /// seat sees; never the match's generator, so that one seed replays a
  /// whole match and the deals do not depend on how it plays.
  explicit TStrongPlayer(std::uint64_t seed, TStrongBudget budget = {});

  /// The card with the best mean of the seat's own points over the deal's
  /// rest (the first such slot). A contract hands out a fixed total per
  /// deal, so a seat's own points and its lead over the others' mean rank
  /// the cards alike.
  int ChooseSlot(const TDealState& state, int seat, TSlotSet legal) override;
  /// The free contract where the seat's hand does best against what an
  /// average hand scores under it: each contract is chosen once per match,
  /// so each is best spent on a hand that suits it.
  int ChooseContract(const TDealState& state, int seat, const TContractRow& chosen) override;

  std::uint64_t Seed() const { return PlayerSeed; }
  const TStrongBudget& Budget() const { return Thinking; }

 protected:
  /// What the seat may know of the deal: its only way to look at it.
  virtual TSeatView View(const TDealState& state, int seat) const { return SeeAs(state, seat); }

 private:
  double MeanUnder(const TSeatView& view, std::int32_t contract, TRandom& worldRandom,
                   TRandom& luck) const;

  std::uint64_t PlayerSeed;
  TStrongBudget Thinking;
};

/// What the chooser scores on average under each contract when every seat
/// plays as the playouts do, as the contract choice simulates it.
extern const std::array<double, ContractCount> ChooserBaseline;

}  // namespace varlo
