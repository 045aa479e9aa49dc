// The Steady player in the layout contract. A card is worth laying when it
// opens the way for the player's own cards, and costs what it opens for the
// others: a card kept in the hand blocks its whole row beyond it. An ace is
// laid at once (it opens nothing and gives another move); a seven is kept
// for a turn where every other card would open something for the others,
// unless it stops a player who is about to go out.
#include "card_sets.h"
#include "steady_rules.h"

namespace varlo {

namespace {

constexpr double AceWorth = 100;       // a free move: nothing beats it
constexpr double KeptSeven = -0.5;     // a safe move saved for later
constexpr double SkipNearOut = 3;      // stopping a player with one or two cards
constexpr int NearOut = 2;

// Laying the card opens its row in one direction (-1 down, +1 up): the
// player's own cards that follow on at once are worth having, the others'
// cards it unblocks up to the player's next card in that row are a cost.
double OpenWorth(TCard card, int step, TCardSet own, TCardSet laid) {
  int mine = 0, theirs = 0;
  for (int rank = RankOf(card) + step; rank >= Seven && rank <= AceRank; rank += step) {
    const TCard next = CardOf(SuitOf(card), rank);
    if (laid & CardBit(next)) continue;
    if (own & CardBit(next)) {
      if (theirs > 0) break;  // the player's own card blocks the rest again
      ++mine;
    } else {
      ++theirs;
    }
  }
  return 2.0 * mine - (mine > 0 ? 0.5 : 1.0) * theirs;
}

double LayWorth(TCard card, int seat, TCardSet own, TCardSet laid, const THeldCounts& held) {
  const int rank = RankOf(card);
  if (rank == AceRank) return AceWorth;
  if (rank == Seven) {
    for (int k = 1; k < SeatCount; ++k) {
      const int next = (seat + k) % SeatCount;
      if (held[next] > 0) return held[next] <= NearOut ? SkipNearOut : KeptSeven;
    }
    return KeptSeven;
  }
  double worth = 0;
  if (rank <= JackRank) worth += OpenWorth(card, -1, own, laid);
  if (rank >= JackRank) worth += OpenWorth(card, +1, own, laid);
  return worth;
}

}  // namespace

THeldCounts HeldCounts(const TDealState& deal) {
  THeldCounts held{};
  for (int s = 0; s < SeatCount; ++s) held[s] = static_cast<std::int8_t>(CardCount(deal.Players[s]));
  return held;
}

int SteadyLayoutSlot(const TDealState& deal, int seat, TSlotSet legal, const THeldCounts& held) {
  const THand& hand = deal.Players[seat].Cards;
  const TCardSet own = HandCards(hand);
  TCardSet laid = 0;
  for (TCard c = 0; c < DeckSize; ++c) laid |= TCardSet(deal.Layout[c]) << c;
  int best = -1;
  double bestWorth = 0;
  for (int slot = 0; slot < HandSize; ++slot) {
    if (!((legal >> slot) & 1u)) continue;
    const double worth = LayWorth(hand[slot], seat, own, laid, held);
    if (best < 0 || worth > bestWorth) {
      best = slot;
      bestWorth = worth;
    }
  }
  return best;
}

int SteadySlot(const TDealState& deal, int seat, TSlotSet legal, const THeldCounts& held) {
  return IsTrickContract(deal.Contract) ? SteadyTrickSlot(deal, seat, legal)
                                        : SteadyLayoutSlot(deal, seat, legal, held);
}

}  // namespace varlo
