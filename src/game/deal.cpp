// The hands, the deal and the end of the match.
#include "match.h"

namespace varlo {

void TMatch::ResetHands() {
  for (auto& p : Players) p.Cards.fill(NoCard);
  for (int seat = 1; seat < SeatCount; ++seat) Players[seat].Name = ComputerName(seat);
  // New hands: nothing of the last deal tells anything about them.
  ForgetDeal();
}

void TMatch::DealCards() {
  // Re-seeded at every deal: the hands depend on the clock reading alone,
  // not on how many numbers were drawn since the last deal.
  Random.Seed(Clock.Read());
  ResetHands();
  // A draw is rejected while the card already lies in a hand of this deal.
  // The hands dealt so far hold exactly the cards accepted so far, so a mask
  // of them answers what asking CardInHand of every filled hand would, at a
  // fraction of the cost (a whole match deals 32 times).
  std::uint32_t dealt = 0;
  for (int h = 0; h < SeatCount; ++h) {
    for (int slot = 0; slot < HandSize; ++slot) {
      TCard r;
      do {
        r = Random.Uniform(DeckSize);
      } while (dealt & (1u << r));
      dealt |= 1u << r;
      Players[h].Cards[slot] = r;
    }
  }
}

bool TMatch::MatchFinished() const { return DealsPlayed == DealsPerMatch; }

}  // namespace varlo
