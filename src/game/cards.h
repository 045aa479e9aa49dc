// Card codes, the player record and the queries a hand answers.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace varlo {

/// A card code 0..31: suit = code / 8 (hearts, spades, diamonds, clubs),
/// rank = code % 8 (seven .. ace). -1 marks an empty slot or trick position.
using TCard = std::int32_t;

constexpr TCard NoCard = -1;
constexpr int HandSize = 8;
constexpr int SeatCount = 4;
constexpr int DeckSize = 32;

enum TSuit : int { HeartsSuit = 0, SpadesSuit = 1, DiamondsSuit = 2, ClubsSuit = 3 };
enum TRank : int { Seven = 0, Eight, Nine, Ten, JackRank, QueenRank, KingRank, AceRank };

constexpr TCard KingOfHearts = 6;
constexpr TCard TenOfClubs = 27;

// Division truncates toward zero, so SuitOf(-1) is 0 (hearts): every test
// by suit must rule out empty slots itself.
constexpr int SuitOf(TCard card) { return card / 8; }
constexpr int RankOf(TCard card) { return card % 8; }
constexpr TCard CardOf(int suit, int rank) { return suit * 8 + rank; }
constexpr bool IsDiamond(TCard card) { return card >= 16 && card <= 23; }

using THand = std::array<TCard, HandSize>;

/// One player's record. Hands are never sorted or compacted: a played card
/// leaves -1 in its slot and the other cards keep theirs.
struct TCards {
  std::string Name;  ///< UTF-8 display name; the human's may be empty
  THand Cards{NoCard, NoCard, NoCard, NoCard, NoCard, NoCard, NoCard, NoCard};
  std::int32_t Score = 0;
  friend bool operator==(const TCards&, const TCards&) = default;
};

using TPlayers = std::array<TCards, SeatCount>;

// The hand queries are asked for every card played; they live here, inline.

/// True when one of the hand's eight slots holds the card.
inline bool CardInHand(TCard card, const TCards& hand) {
  for (TCard c : hand.Cards)
    if (c == card) return true;
  return false;
}

/// True when some slot holds a card (not -1) of the suit.
inline bool HasSuit(const TCards& hand, int suit) {
  for (TCard c : hand.Cards)
    if (c != NoCard && SuitOf(c) == suit) return true;
  return false;
}

/// The number of slots holding a card, 0..8.
inline int CardCount(const TCards& hand) {
  int n = 0;
  for (TCard c : hand.Cards) n += c >= 0 ? 1 : 0;
  return n;
}

/// The fixed names of the computer seats 1..3 ("Jack", "Sandra", "Ben").
const std::string& ComputerName(int seat);

}  // namespace varlo
