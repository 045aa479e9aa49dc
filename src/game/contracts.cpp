#include "contracts.h"

#include <algorithm>

namespace varlo {
namespace {

constexpr std::int32_t TrickValue = 50;
constexpr std::int32_t QueenValue = -40;
constexpr std::int32_t HeartKingValue = -200;
constexpr std::int32_t Club10Value = 200;
constexpr std::int32_t DiamondValue = -30;

bool IsQueen(TCard c) { return RankOf(c) == QueenRank; }  // never true for -1

template <typename Pred>
bool AnyHandHolds(const TPlayers& players, Pred pred) {
  return std::any_of(players.begin(), players.end(), [&](const TCards& p) {
    return std::any_of(p.Cards.begin(), p.Cards.end(), pred);
  });
}

template <typename Pred>
std::int32_t CountIn(const TTrick& trick, Pred pred) {
  return static_cast<std::int32_t>(std::count_if(trick.begin(), trick.end(), pred));
}

}  // namespace

namespace {
constexpr std::array<std::string_view, ContractCount> ContractIds{
    "varlo", "whist", "levate", "total", "queens", "heart-king", "club-10", "diamonds"};
}  // namespace

std::string ContractId(std::int32_t contract) {
  if (contract < 0 || contract >= ContractCount) return {};
  return std::string(ContractIds[contract]);
}

std::int32_t ContractOfId(std::string_view id) {
  const auto at = std::find(ContractIds.begin(), ContractIds.end(), id);
  return at == ContractIds.end() ? -1 : static_cast<std::int32_t>(at - ContractIds.begin());
}

std::string ContractName(std::int32_t contract) {
  static const char* const names[ContractCount] = {
      "Varlo", "Whist", "Levate", "Total", "Queens", "Heart King", "Club 10", "Diamonds"};
  if (contract < 0 || contract >= ContractCount) return {};
  return names[contract];
}

std::int32_t TrickPointsOf(std::int32_t contract, const TTrick& trick) {
  const std::int32_t queens = CountIn(trick, IsQueen) * QueenValue;
  const std::int32_t heartKing = CountIn(trick, [](TCard c) { return c == KingOfHearts; }) * HeartKingValue;
  const std::int32_t club10 = CountIn(trick, [](TCard c) { return c == TenOfClubs; }) * Club10Value;
  const std::int32_t diamonds = CountIn(trick, IsDiamond) * DiamondValue;
  switch (contract) {
    case Whist: return TrickValue;
    case Levate: return -TrickValue;
    case Total: return -TrickValue + queens + heartKing + club10 + diamonds;
    case Queens: return queens;
    case HeartKing: return heartKing;
    case Club10: return club10;
    case Diamonds: return diamonds;
    default: return 0;
  }
}

std::int32_t CardPointsOf(std::int32_t contract, TCard card) {
  const TTrick none{NoCard, NoCard, NoCard, NoCard};
  const TTrick one{card, NoCard, NoCard, NoCard};
  return TrickPointsOf(contract, one) - TrickPointsOf(contract, none);
}

bool DealFinishedFor(std::int32_t contract, const TPlayers& players) {
  switch (contract) {
    case VarloLayout:
      return !AnyHandHolds(players, [](TCard c) { return c >= 0; });
    case Whist:
    case Levate:
    case Total:
      // Everybody plays to every trick, so the human's empty hand means
      // all eight tricks are done.
      return CardCount(players[0]) == 0;
    case Queens: return !AnyHandHolds(players, IsQueen);
    case HeartKing: return !AnyHandHolds(players, [](TCard c) { return c == KingOfHearts; });
    case Club10: return !AnyHandHolds(players, [](TCard c) { return c == TenOfClubs; });
    case Diamonds: return !AnyHandHolds(players, IsDiamond);
    default: return true;
  }
}

}  // namespace varlo
