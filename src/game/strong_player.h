// The Strong computer player: determinized Monte Carlo search. It imagines
// deals of the cards its seat cannot see that agree with all the seat has
// seen, plays each card it may play out to the end of the deal in each of
// them, and plays the card with the best mean.
#pragma once

#include <array>
#include <cstdint>

#include "computer_player.h"
#include "seat_view.h"

namespace varlo {

/// How much the Strong player thinks: the cost of a decision grows with it.
struct TStrongBudget {
  int Worlds = 20;             ///< imagined deals per card decision
  int PlayoutsPerCard = 400;   ///< playouts of each card, over all worlds
  int ContractWorlds = 20;     ///< imagined deals per contract choice
  int PlayoutsPerContract = 300;  ///< playouts of each free contract
};

class TStrongPlayer : public TComputerPlayer {
 public:
  /// seed: its own generator, never the match's, so that one seed replays
  /// a whole match and the deals do not depend on how it plays.
  explicit TStrongPlayer(std::uint64_t seed, TStrongBudget budget = {});

  /// The card with the best mean of the seat's own points over the deal's
  /// rest. A contract hands out a fixed total per deal, so a seat's own
  /// points and its lead over the others' mean rank the cards alike.
  int ChooseSlot(const TDealState& state, int seat, TSlotSet legal) override;
  /// The free contract where the seat's hand does best against what an
  /// average hand scores under it: each contract is chosen once per match,
  /// so each is best spent on a hand that suits it.
  int ChooseContract(const TDealState& state, int seat, const TContractRow& chosen) override;

  /// Playouts run so far.
  long Playouts() const { return PlayoutCount; }

 protected:
  /// What the seat may know of the deal: its only way to look at it.
  virtual TSeatView View(const TDealState& state, int seat) const { return SeeAs(state, seat); }

 private:
  using TCandidates = std::array<int, HandSize>;
  int Candidates(const TSeatView& view, TSlotSet legal, TCandidates& slots) const;
  double MeanUnder(const TSeatView& view, std::int32_t contract, TRandom& worldRandom,
                   TRandom& luck);

  TStrongBudget Budget;
  TRandom Random;
  TRandom Playout;
  long PlayoutCount = 0;
};

/// What the chooser scores on average under each contract when every seat
/// plays at random, as the contract choice simulates it.
extern const std::array<double, ContractCount> ChooserBaseline;

}  // namespace varlo
