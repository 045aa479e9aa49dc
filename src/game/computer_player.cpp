#include "computer_player.h"

namespace varlo {

const char* OpponentLevelId(TOpponentLevel level) {
  switch (level) {
    case TOpponentLevel::Classic: return "classic";
    case TOpponentLevel::Steady: return "steady";
    case TOpponentLevel::Strong: return "strong";
  }
  return "classic";
}

bool OpponentLevelOfId(std::string_view id, TOpponentLevel& level) {
  for (TOpponentLevel each :
       {TOpponentLevel::Classic, TOpponentLevel::Steady, TOpponentLevel::Strong}) {
    if (id == OpponentLevelId(each)) {
      level = each;
      return true;
    }
  }
  return false;
}

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
