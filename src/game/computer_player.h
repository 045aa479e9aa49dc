// How a computer seat decides: which slot to play and which contract to
// choose. Classic is the game's own behaviour; others plug in beside it.
#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <string_view>

#include "contracts.h"
#include "deal_state.h"
#include "random.h"

namespace varlo {

/// One seat's row of ContractsChosen: true once it has chosen that contract.
using TContractRow = std::array<bool, ContractCount>;

/// The opponents the player can ask for: the game's own (Classic, the
/// default), a rule-based club player (Steady) and a searching one (Strong).
enum class TOpponentLevel { Classic, Steady, Strong };

/// The level's id in files and on the command line ("classic", "steady",
/// "strong").
const char* OpponentLevelId(TOpponentLevel level);
/// The level of an id; false for anything else.
bool OpponentLevelOfId(std::string_view id, TOpponentLevel& level);

class TComputerPlayer {
 public:
  virtual ~TComputerPlayer() = default;
  /// The slot the seat plays now, one of `legal` (the state's
  /// LegalSlots(seat), never empty). Asked only when the deal waits for that
  /// seat's card.
  virtual int ChooseSlot(const TDealState& state, int seat, TSlotSet legal) = 0;
  /// The contract the seat, as chooser of the freshly dealt deal, picks from
  /// those still free in its row (at least one is).
  virtual int ChooseContract(const TDealState& state, int seat, const TContractRow& chosen) = 0;
};

/// The lowest slot of a set; -1 for the empty set.
inline int LowestSlot(TSlotSet set) { return set ? std::countr_zero(set) : -1; }

/// Draws contract indexes until a free one comes up, one draw a pass. The
/// row must hold a free contract.
std::int32_t DrawFreeContract(TRandom& random, const TContractRow& chosen);

/// The first card the rules allow, in the dealt order of the hand, and a
/// contract drawn at random from the match's own generator.
class TClassicPlayer final : public TComputerPlayer {
 public:
  explicit TClassicPlayer(TRandom& matchRandom) : Random(matchRandom) {}
  int ChooseSlot(const TDealState& state, int seat, TSlotSet legal) override;
  int ChooseContract(const TDealState& state, int seat, const TContractRow& chosen) override;

 private:
  TRandom& Random;
};

}  // namespace varlo
