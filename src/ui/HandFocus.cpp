#include "HandFocus.h"

namespace {

bool Occupied(const varlo::THand& hand, int slot) {
  return slot >= 0 && slot < varlo::HandSize && hand[slot] != varlo::NoCard;
}

// The first occupied slot from `from` on in steps of `step`; -1 when none.
int Scan(const varlo::THand& hand, int from, int step) {
  for (int slot = from; slot >= 0 && slot < varlo::HandSize; slot += step)
    if (Occupied(hand, slot)) return slot;
  return -1;
}

}  // namespace

int THandFocus::Slot(const varlo::THand& hand) const {
  if (!Visible) return -1;
  const int right = Scan(hand, Chosen, 1);
  return right >= 0 ? right : Scan(hand, Chosen, -1);
}

bool THandFocus::Move(const varlo::THand& hand, TMove move) {
  if (!Visible) {
    Visible = Scan(hand, 0, 1) >= 0;
    return Visible;
  }
  const int at = Slot(hand);
  int next = -1;
  switch (move) {
    case TMove::First: next = Scan(hand, 0, 1); break;
    case TMove::Previous: next = Scan(hand, at - 1, -1); break;
    case TMove::Next: next = Scan(hand, at + 1, 1); break;
    case TMove::Last: next = Scan(hand, varlo::HandSize - 1, -1); break;
  }
  if (next < 0 || next == at) return false;
  Chosen = next;
  return true;
}

void THandFocus::Put(int slot) {
  Chosen = slot;
  Visible = true;
}

bool THandFocus::Hide() {
  const bool was = Visible;
  Visible = false;
  return was;
}
