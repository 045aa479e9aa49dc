#include "cards.h"

#include <algorithm>

namespace varlo {

bool CardInHand(TCard card, const TCards& hand) {
  return std::find(hand.Cards.begin(), hand.Cards.end(), card) != hand.Cards.end();
}

bool HasSuit(const TCards& hand, int suit) {
  return std::any_of(hand.Cards.begin(), hand.Cards.end(),
                     [suit](TCard c) { return c != NoCard && SuitOf(c) == suit; });
}

int CardCount(const TCards& hand) {
  return static_cast<int>(
      std::count_if(hand.Cards.begin(), hand.Cards.end(), [](TCard c) { return c >= 0; }));
}

const std::string& ComputerName(int seat) {
  static const std::string names[SeatCount] = {"", "Jack", "Sandra", "Ben"};
  return names[(seat >= 1 && seat < SeatCount) ? seat : 0];
}

}  // namespace varlo
