// The contract catalogue: names, trick points and the end-of-deal tests.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "cards.h"

namespace varlo {

/// Contract indexes. Every rule takes its trick branch for 1 and above and
/// its layout branch otherwise, so NoContract (-1) falls under the layout rules.
enum TContract : std::int32_t {
  NoContract = -1,
  VarloLayout = 0,
  Whist = 1,
  Levate = 2,
  Total = 3,
  Queens = 4,
  HeartKing = 5,
  Club10 = 6,
  Diamonds = 7,
};

constexpr int ContractCount = 8;
constexpr int DealsPerMatch = 32;
/// What the first three players out of a layout deal are paid; the last
/// gets nothing.
constexpr std::array<std::int32_t, 3> LayoutPlacePoints{400, 200, 100};
/// The pay of a place (0 first) in a layout deal: nothing past the third.
constexpr std::int32_t PlacePay(int place) {
  return place >= 0 && place < static_cast<int>(LayoutPlacePoints.size()) ? LayoutPlacePoints[place]
                                                                          : 0;
}

using TTrick = std::array<TCard, SeatCount>;

constexpr bool IsTrickContract(std::int32_t contract) { return contract >= 1; }

/// The display name of a contract; empty for an index outside 0..7.
std::string ContractName(std::int32_t contract);
/// The contract's id in files ("varlo", "whist", "levate", "total",
/// "queens", "heart-king", "club-10", "diamonds"): plain ASCII that never
/// changes, whatever the names shown. Empty for an index outside 0..7.
std::string ContractId(std::int32_t contract);
/// The index of an id; -1 for anything else.
std::int32_t ContractOfId(std::string_view id);

/// Points of one complete trick under the contract (0 for the layout
/// contract and for any index outside 1..7).
std::int32_t TrickPointsOf(std::int32_t contract, const TTrick& trick);

/// What one card adds to the points of the trick it falls in (the king of
/// hearts -200 under "Heart King", 0 for a card the contract does not score).
std::int32_t CardPointsOf(std::int32_t contract, TCard card);

/// Whether a deal under the contract is over, judged from the hands alone.
bool DealFinishedFor(std::int32_t contract, const TPlayers& players);

}  // namespace varlo
