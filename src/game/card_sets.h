// Sets of cards as 32-bit masks (bit c for card c, TCardSet of deal_state.h):
// the questions the computer players ask of a hand and of the cards still
// out, a few instructions each.
#pragma once

#include <bit>

#include "deal_state.h"

namespace varlo {

/// The number of cards in a set (without the processor's popcount, which the
/// plain x86-64 target lacks).
constexpr int CardsIn(TCardSet set) {
  set = set - ((set >> 1) & 0x55555555u);
  set = (set & 0x33333333u) + ((set >> 2) & 0x33333333u);
  return static_cast<int>((((set + (set >> 4)) & 0x0F0F0F0Fu) * 0x01010101u) >> 24);
}

/// The lowest card of a set that is not empty.
inline TCard LowestCard(TCardSet set) { return std::countr_zero(set); }

/// The cards of the card's suit below it, and above it.
constexpr TCardSet CardsBelow(TCard card) {
  return (CardBit(card) - 1) & SuitCards(SuitOf(card));
}
constexpr TCardSet CardsAbove(TCard card) {
  return ~(CardBit(card) - 1) & ~CardBit(card) & SuitCards(SuitOf(card));
}

/// The cards in a hand's slots.
inline TCardSet HandCards(const THand& hand) {
  TCardSet set = 0;
  for (TCard c : hand) set |= c == NoCard ? 0 : CardBit(c);
  return set;
}

}  // namespace varlo
