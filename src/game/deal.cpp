// The hands, the deal and the end of the match.
#include "match.h"

namespace varlo {

void TMatch::ResetHands() {
  for (auto& p : S.Deal.Players) p.Cards.fill(NoCard);
  for (int seat = 1; seat < SeatCount; ++seat) S.Deal.Players[seat].Name = ComputerName(seat);
  // New hands: nothing of the last deal tells anything about them.
  S.Deal.ForgetDeal();
}

void TMatch::DealCards() {
  // Re-seeded at every deal: the hands depend on the clock reading alone,
  // not on how many numbers were drawn since the last deal.
  S.Random.Seed(Clock.Read());
  ResetHands();
  // A draw is rejected while the card already lies in a hand of this deal.
  // The hands dealt so far hold exactly the cards accepted so far, so a mask
  // of them answers what asking CardInHand of every filled hand would, at a
  // fraction of the cost (a whole match deals 32 times).
  std::uint32_t dealt = 0;
  for (auto& player : S.Deal.Players) {
    for (TCard& slot : player.Cards) {
      TCard r;
      do {
        r = S.Random.Uniform(DeckSize);
      } while (dealt & (1u << r));
      dealt |= 1u << r;
      slot = r;
    }
  }
}

bool TMatch::MatchFinished() const { return S.Progress.DealsPlayed == DealsPerMatch; }

}  // namespace varlo
