// The keyboard's focus mark on the human's hand: which slot it stands on and
// whether it shows. It shows only once a key has been pressed, so a mouse
// player never sees it; it stands on occupied slots only.
#pragma once

#include "cards.h"

class THandFocus {
 public:
  enum class TMove { First, Previous, Next, Last };

  bool Shown() const { return Visible; }
  /// The slot the mark stands on for this hand: the slot last chosen, or,
  /// once that has been played, the nearest occupied slot (to the right
  /// first); -1 when the mark is hidden or the hand is empty.
  int Slot(const varlo::THand& hand) const;
  /// The first key shows the mark where it stood; later ones move it over
  /// the occupied slots, stopping at either end. True when the mark changed.
  bool Move(const varlo::THand& hand, TMove move);
  /// Puts the mark on a slot (a card played by its number) and shows it.
  void Put(int slot);
  /// Hides the mark (the mouse was used).
  bool Hide();

 private:
  int Chosen = 0;
  bool Visible = false;
};
