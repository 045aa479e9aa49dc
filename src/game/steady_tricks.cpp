// The Steady player in the trick contracts. Every legal card is given what
// the club player expects it to cost: the points of the trick if he takes it,
// times his chance of taking it, judged from the cards still out and the
// voids shown. Among cards that cost about the same, the contract's dangerous
// card goes first (the heart king, a queen, a high diamond, simply a high
// card) and in the plus contracts the cheapest card that does the job.
#include <algorithm>

#include "card_sets.h"
#include "contracts.h"
#include "steady_rules.h"

namespace varlo {

namespace {

// Costs closer than this are the same to a club player: the order of
// preference decides between them.
constexpr double SameCost = 0.5;

struct TPoints {
  std::array<std::array<std::int16_t, DeckSize>, ContractCount> Card{};
  std::array<std::int16_t, ContractCount> Trick{};
  std::array<TCardSet, ContractCount> Penalties{};  // the cards that cost their taker
};

const TPoints& Points() {
  static const TPoints points = [] {
    TPoints p;
    for (int c = 0; c < ContractCount; ++c) {
      p.Trick[c] = static_cast<std::int16_t>(TrickPointsOf(c, {NoCard, NoCard, NoCard, NoCard}));
      for (TCard card = 0; card < DeckSize; ++card) {
        p.Card[c][card] = static_cast<std::int16_t>(CardPointsOf(c, card));
        if (p.Card[c][card] < 0) p.Penalties[c] |= CardBit(card);
      }
    }
    return p;
  }();
  return points;
}

// What the seat knows of the trick to come.
struct TTrickSight {
  std::int32_t Contract = 0;
  bool Avoid = false;       // a minus contract: tricks or cards cost
  TCardSet Out = 0;         // cards in the other hands
  TCardSet LaterMay = 0;    // cards the seats still to play may hold
  int Position = 0;
  TCard Winner = NoCard;    // the card that takes the trick so far
  double Stake = 0;         // the trick's points so far, and what voids may add
  double Lead = 0;          // what taking the lead costs on top (minus contracts)
};

TTrickSight Look(const TDealState& deal, int seat, TCardSet own) {
  const TPoints& points = Points();
  TTrickSight s;
  s.Contract = deal.Contract;
  s.Avoid = points.Trick[s.Contract] < 0 || points.Penalties[s.Contract] != 0;
  s.Out = AllCards & ~own & ~deal.Played;
  s.Position = deal.PositionOf(seat);
  // The worst card still out: a void seat throws it on the trick's taker.
  int worst = 0;
  for (TCardSet p = s.Out & points.Penalties[s.Contract]; p; p &= p - 1)
    worst = std::min<int>(worst, points.Card[s.Contract][LowestCard(p)]);
  s.Lead = 0.25 * worst;
  s.Stake = points.Trick[s.Contract];
  const TCardSet led = s.Position > 0 ? SuitCards(SuitOf(deal.Trick[0])) : 0;
  for (int p = 0; p < s.Position; ++p) {
    const TCard c = deal.Trick[p];
    s.Stake += points.Card[s.Contract][c];
    if ((CardBit(c) & led) && (s.Winner == NoCard || c > s.Winner)) s.Winner = c;
  }
  for (int p = s.Position + 1; p < SeatCount; ++p) {
    const int later = (deal.Leader + p) % SeatCount;
    s.LaterMay |= s.Out & ~deal.Excluded[later];
    if (s.Position > 0 && (deal.Excluded[later] & led) == led) s.Stake += 0.5 * worst;
  }
  return s;
}

// The chance that the card takes the trick.
double WinChance(const TTrickSight& s, TCard card) {
  if (s.Position > 0 && (SuitOf(card) != SuitOf(s.Winner) || card < s.Winner)) return 0;
  const int above = CardsIn(s.LaterMay & CardsAbove(card));
  if (above == 0) return 1;
  if (s.Position > 0) return 1.0 / (1 + above);
  // Followers keep under a lead in the minus contracts while they can, and
  // go over it in the plus ones.
  const int below = CardsIn(s.LaterMay & CardsBelow(card));
  return s.Avoid ? static_cast<double>(below) / (below + above) : 0.05 / above;
}

// Which of two cards that cost alike goes first: in the minus contracts the
// dangerous one (its points, then its chance of taking a later trick), in
// the plus ones the one least worth keeping; leads come from short suits in
// the minus contracts and from long ones in the plus ones.
double Preference(const TTrickSight& s, TCard card, TCardSet own) {
  const int points = Points().Card[s.Contract][card];
  const int power = CardsIn(s.Out & CardsBelow(card)) +
                    (CardsIn(s.Out & CardsAbove(card)) == 0 ? HandSize : 0);
  double p = s.Avoid ? -4.0 * points + power : -4.0 * points - power;
  if (s.Position == 0) {
    const int length = CardsIn(own & SuitCards(SuitOf(card)));
    p += s.Avoid ? -2.0 * length : length;
  }
  return p;
}

}  // namespace

int SteadyTrickSlot(const TDealState& deal, int seat, TSlotSet legal) {
  const THand& hand = deal.Players[seat].Cards;
  const TCardSet own = HandCards(hand);
  const TTrickSight s = Look(deal, seat, own);
  std::array<double, HandSize> cost{};
  double least = 0;
  bool first = true;
  for (int slot = 0; slot < HandSize; ++slot) {
    if (!((legal >> slot) & 1u)) continue;
    const TCard card = hand[slot];
    const double taken = s.Stake + Points().Card[s.Contract][card] + (s.Avoid ? s.Lead : 0);
    cost[slot] = -taken * WinChance(s, card);
    if (first || cost[slot] < least) least = cost[slot];
    first = false;
  }
  int best = -1;
  double bestPreference = 0;
  for (int slot = 0; slot < HandSize; ++slot) {
    if (!((legal >> slot) & 1u) || cost[slot] > least + SameCost) continue;
    const double p = Preference(s, hand[slot], own);
    if (best < 0 || p > bestPreference) {
      best = slot;
      bestPreference = p;
    }
  }
  return best;
}

}  // namespace varlo
