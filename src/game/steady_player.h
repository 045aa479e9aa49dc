// The Steady computer player: plays as a careful club player does, by rules
// (steady_rules.h), from what its seat has seen. It draws nothing, so each
// decision follows from the seat's view alone.
#pragma once

#include "computer_player.h"

namespace varlo {

class TSteadyPlayer final : public TComputerPlayer {
 public:
  int ChooseSlot(const TDealState& state, int seat, TSlotSet legal) override;
  int ChooseContract(const TDealState& state, int seat, const TContractRow& chosen) override;
};

}  // namespace varlo
