#include "computer_player.h"

namespace varlo {

std::int32_t DrawFreeContract(TRandom& random, const TContractRow& chosen) {
  std::int32_t r;
  do {
    r = random.Uniform(ContractCount);
  } while (chosen[r]);
  return r;
}

int TClassicPlayer::ChooseSlot(const TDealState&, int, TSlotSet legal) { return LowestSlot(legal); }

int TClassicPlayer::ChooseContract(const TDealState&, int, const TContractRow& chosen) {
  return DrawFreeContract(Random, chosen);
}

}  // namespace varlo
