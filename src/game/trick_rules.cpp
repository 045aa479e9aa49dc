// The human's clicks and the two move operations of the match. Which card
// may be played and where it goes are the deal's rules (deal_state.cpp);
// the layout contract's turns, with their messages, are in layout_rules.cpp.
#include "match.h"

namespace varlo {

int SlotAt(std::int32_t x, std::int32_t y) {
  if (!HandHitArea.Contains(x, y)) return -1;
  return (x - HandArea.Left) / CardWidth;
}

bool TMatch::MayPlaySlot(int slot) const {
  if (slot < 0 || slot >= HandSize) return false;
  return (S.Deal.LegalSlots(0) >> slot) & 1u;
}

bool TMatch::IsLegalClick(std::int32_t x, std::int32_t y) const {
  return MayPlaySlot(SlotAt(x, y));
}

bool TMatch::IsIllegalClick(std::int32_t x, std::int32_t y) const {
  return IsIllegalSlot(SlotAt(x, y));
}

bool TMatch::IsIllegalSlot(int slot) const {
  return slot >= 0 && slot < HandSize && S.Deal.Players[0].Cards[slot] != NoCard &&
         !MayPlaySlot(slot);
}

std::int32_t TMatch::PlayHumanCard(int slot, int position) {
  if (!IsTrickContract(S.Deal.Contract)) return PlayHumanOnLayout(slot, position);
  return S.Deal.PlayAt(0, slot, position);
}

std::int32_t TMatch::PlayComputerCard(int seat, int position) {
  if (seat < 0 || seat >= SeatCount) return NoMove;
  if (!IsTrickContract(S.Deal.Contract)) return PlayComputerOnLayout(seat, position);
  const TSlotSet legal = S.Deal.LegalSlots(seat);
  if (legal == 0) return NoMove;  // an empty hand is never asked to play a trick
  return S.Deal.PlayAt(seat, ComputerSlot(seat, legal), position);
}

int TMatch::ComputerSlot(int seat, TSlotSet legal) {
  const int slot = Opponents->ChooseSlot(S.Deal, seat, legal);
  // Whoever decides, only a card the rules allow is played.
  if (slot < 0 || slot >= HandSize || !((legal >> slot) & 1u)) return LowestSlot(legal);
  return slot;
}

}  // namespace varlo
