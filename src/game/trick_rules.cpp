// Which card may be played, how a card goes into the trick, and who wins it.
// The move operations hand the layout contract over to layout_rules.cpp.
#include "match.h"

namespace varlo {

namespace {

// The first slot, in slot order, whose card satisfies pred; -1 when none.
template <typename Pred>
int FirstSlot(const TCards& hand, Pred pred) {
  for (int i = 0; i < HandSize; ++i)
    if (hand.Cards[i] != NoCard && pred(hand.Cards[i])) return i;
  return -1;
}

}  // namespace

int SlotAt(std::int32_t x, std::int32_t y) {
  // Both bounds are inclusive: the row just below the pictures still hits.
  if (x < HandLeft || x > HandLeft + HandSize * CardWidth - 1 || y < HandTop ||
      y > HandTop + CardHeight)
    return -1;
  return (x - HandLeft) / CardWidth;
}

bool TMatch::MayPlaySlot(int slot) const {
  if (slot < 0 || slot >= HandSize) return false;
  const TCard card = Players[0].Cards[slot];
  if (card == NoCard) return false;
  if (!IsTrickContract(Contract)) return CanPlaceOnLayout(Players[0], slot);
  if (Leader == 0) return true;
  const int led = SuitOf(Trick[0]);
  return !HasSuit(Players[0], led) || SuitOf(card) == led;
}

bool TMatch::IsLegalClick(std::int32_t x, std::int32_t y) const {
  return MayPlaySlot(SlotAt(x, y));
}

bool TMatch::IsIllegalClick(std::int32_t x, std::int32_t y) const {
  const int slot = SlotAt(x, y);
  return slot >= 0 && Players[0].Cards[slot] != NoCard && !MayPlaySlot(slot);
}

std::int32_t TMatch::PlayHumanCard(int slot, int position) {
  if (!IsTrickContract(Contract)) return PlayHumanOnLayout(slot);
  Trick[position] = Players[0].Cards[slot];
  Players[0].Cards[slot] = NoCard;
  return IntoTrick;
}

std::int32_t TMatch::PlayComputerCard(TCards& hand, int position) {
  if (!IsTrickContract(Contract)) return PlayComputerOnLayout(hand);
  const auto anyCard = [](TCard) { return true; };
  int slot = -1;
  if (position != 0 && HasSuit(hand, SuitOf(Trick[0]))) {
    const int led = SuitOf(Trick[0]);
    slot = FirstSlot(hand, [led](TCard c) { return SuitOf(c) == led; });
  } else {
    slot = FirstSlot(hand, anyCard);
  }
  if (slot < 0) return NoMove;  // an empty hand is never asked to play a trick
  Trick[position] = hand.Cards[slot];
  hand.Cards[slot] = NoCard;
  return IntoTrick;
}

std::int32_t TMatch::TrickWinner() const {
  if (!IsTrickContract(Contract)) return Chooser;
  // No trumps: only a card of the led suit can take the lead away.
  int best = 0;
  for (int p = 1; p < SeatCount; ++p)
    if (Trick[p] != NoCard && SuitOf(Trick[p]) == SuitOf(Trick[best]) && Trick[p] > Trick[best])
      best = p;
  return (best + Leader) % SeatCount;
}

}  // namespace varlo
