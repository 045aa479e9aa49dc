#include "evaluation.h"

#include <algorithm>

#include "playout.h"

namespace varlo {

namespace {

// splitmix64's finaliser: every input bit reaches every output bit.
std::uint64_t Mix(std::uint64_t x) {
  x += 0x9E3779B97F4A7C15ULL;
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
  return x ^ (x >> 31);
}

class THash {
 public:
  void Add(std::uint64_t value) { State = Mix(State ^ value); }
  std::uint64_t Value() const { return State; }

 private:
  std::uint64_t State = 0;
};

// Two cards of one hand do the same in every trick to come when they are of
// one suit, score alike, and no card between them can still be played by
// another seat or already lies in the trick.
bool Equivalent(std::int32_t contract, TCard a, TCard b, TCardSet blockers) {
  if (SuitOf(a) != SuitOf(b) || CardPointsOf(contract, a) != CardPointsOf(contract, b)) return false;
  for (TCard c = std::min(a, b) + 1; c < std::max(a, b); ++c)
    if (blockers & CardBit(c)) return false;
  return true;
}

// For each legal slot, the slot that stands for it in the search (itself, or
// an earlier equivalent one); -1 for the others.
std::array<int, HandSize> Representatives(const TSeatView& view, TSlotSet legal) {
  const TDealState& deal = view.Deal;
  const THand& hand = deal.Players[view.Seat].Cards;
  TCardSet blockers = view.Unseen();
  for (TCard c : deal.Trick)
    if (c != NoCard) blockers |= CardBit(c);
  std::array<int, HandSize> rep;
  rep.fill(-1);
  for (int slot = 0; slot < HandSize; ++slot) {
    if (!((legal >> slot) & 1u)) continue;
    rep[slot] = slot;
    // Layout cards of one row are never alike: each opens different cards.
    if (!IsTrickContract(deal.Contract)) continue;
    for (int k = 0; k < slot; ++k) {
      if (rep[k] == k && Equivalent(deal.Contract, hand[k], hand[slot], blockers)) {
        rep[slot] = k;
        break;
      }
    }
  }
  return rep;
}

}  // namespace

std::uint64_t ViewHash(const TSeatView& view) {
  const TDealState& d = view.Deal;
  THash h;
  for (TCard c : d.Players[view.Seat].Cards) h.Add(static_cast<std::uint64_t>(c + 1));
  for (TCard c : d.Trick) h.Add(static_cast<std::uint64_t>(c + 1));
  TCardSet laid = 0;
  for (TCard c = 0; c < DeckSize; ++c) laid |= TCardSet(d.Layout[c]) << c;
  h.Add(laid);
  h.Add(d.Played);
  for (int s = 0; s < SeatCount; ++s)
    h.Add(std::uint64_t{d.Excluded[s]} << 8 | static_cast<std::uint8_t>(view.Hidden[s]));
  for (int place = 0; place < d.OutCount; ++place) h.Add(static_cast<std::uint64_t>(d.OutSeats[place]));
  h.Add(static_cast<std::uint64_t>(d.OutCount) << 32 | std::uint64_t{d.SkipNext});
  h.Add(static_cast<std::uint64_t>(d.Contract + 1) << 32 |
        static_cast<std::uint64_t>(d.Leader) << 16 | static_cast<std::uint64_t>(d.Chooser) << 8 |
        static_cast<std::uint64_t>(view.Seat));
  return h.Value();
}

std::uint64_t DecisionSeed(std::uint64_t playerSeed, std::uint64_t question) {
  return Mix(Mix(playerSeed) ^ question);
}

std::array<double, HandSize> EstimateSlots(const TSeatView& view, TSlotSet legal,
                                           std::uint64_t seed, const TStrongBudget& budget) {
  std::array<double, HandSize> value{};
  const std::array<int, HandSize> rep = Representatives(view, legal);
  std::array<int, HandSize> slots{};
  int n = 0;
  for (int slot = 0; slot < HandSize; ++slot)
    if (rep[slot] == slot) slots[n++] = slot;
  if (n == 0) return value;

  TRandom random, luck;
  random.Seed(DecisionSeed(seed, ViewHash(view)));
  std::array<std::int64_t, HandSize> sums{};
  const int worlds = std::max(1, budget.Worlds);
  const int perWorld = std::max(1, budget.PlayoutsPerCard / worlds);
  const int seat = view.Seat;
  TDealState world, scratch;
  for (int w = 0; w < worlds; ++w) {
    SampleWorld(view, random, world);
    for (int r = 0; r < perWorld; ++r) {
      // The same luck for every card: what differs is the card.
      const std::uint64_t draw = random.Next();
      for (int k = 0; k < n; ++k) {
        scratch = world;
        luck.Seed(draw);
        const std::int32_t result = scratch.Play(seat, slots[k]);
        sums[k] += PlayOut(scratch, TDealState::SeatAfter(seat, result), seat, luck,
                           budget.RandomPercent);
      }
    }
  }
  const double count = static_cast<double>(worlds) * perWorld;
  for (int k = 0; k < n; ++k) value[slots[k]] = static_cast<double>(sums[k]) / count;
  for (int slot = 0; slot < HandSize; ++slot)
    if (rep[slot] >= 0) value[slot] = value[rep[slot]];
  return value;
}

}  // namespace varlo
