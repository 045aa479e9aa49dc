#include "card_names.h"

namespace varlo {

const char* SuitName(int suit) {
  static const char* const names[] = {"hearts", "spades", "diamonds", "clubs"};
  return suit >= 0 && suit < 4 ? names[suit] : "";
}

std::string CardName(TCard card) {
  static const char* const ranks[] = {"Seven", "Eight", "Nine",  "Ten",
                                      "Jack",  "Queen", "King",  "Ace"};
  if (card < 0 || card >= DeckSize) return "empty";
  return std::string(ranks[RankOf(card)]) + " of " + SuitName(SuitOf(card));
}

}  // namespace varlo
