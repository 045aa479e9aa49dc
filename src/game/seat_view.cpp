#include "seat_view.h"

#include <utility>

namespace varlo {

namespace {

// Plain shuffles tried before the constrained deal: when a seat has shown
// a void or passed, a shuffle may break what is known, and is thrown away.
constexpr int ShuffleTries = 4;

// Bit s: seat s may take the card.
using TSeatMask = unsigned;
constexpr unsigned SeatMasks = 1u << SeatCount;

using TRoom = std::array<int, SeatCount>;

void Shuffle(std::array<TCard, DeckSize>& cards, int n, TRandom& random) {
  for (int i = n - 1; i > 0; --i) std::swap(cards[i], cards[random.Uniform(i + 1)]);
}

TSeatMask SeatsFor(const TSeatView& view, TCard c) {
  TSeatMask seats = 0;
  for (int s = 0; s < SeatCount; ++s)
    if (view.Hidden[s] > 0 && !(view.Deal.Excluded[s] & CardBit(c))) seats |= 1u << s;
  return seats;
}

// Hall's condition: the cards left fill the room left exactly when, for every
// group of seats, the cards that only that group may take fit its room.
bool CanFinish(const std::array<int, SeatMasks>& cardsBySeats, const TRoom& room) {
  if (cardsBySeats[0] > 0) return false;
  for (unsigned group = 1; group < SeatMasks; ++group) {
    int cards = 0, space = 0;
    for (unsigned seats = 1; seats < SeatMasks; ++seats)
      if ((seats & ~group) == 0) cards += cardsBySeats[seats];
    for (int s = 0; s < SeatCount; ++s)
      if ((group >> s) & 1u) space += room[s];
    if (cards > space) return false;
  }
  return true;
}

void Place(TDealState& world, int seat, TCard card) {
  for (TCard& slot : world.Players[seat].Cards) {
    if (slot == NoCard) {
      slot = card;
      return;
    }
  }
}

bool ShuffleFits(const TSeatView& view, const std::array<TCard, DeckSize>& cards) {
  int i = 0;
  for (int s = 0; s < SeatCount; ++s)
    for (int k = 0; k < view.Hidden[s]; ++k)
      if (view.Deal.Excluded[s] & CardBit(cards[i++])) return false;
  return true;
}

// Card by card, each to a seat that may hold it and leaves a way to place
// the rest, chosen in proportion to its room: with nothing known that is a
// plain deal, and it can never get stuck.
void ConstrainedDeal(const TSeatView& view, std::array<TCard, DeckSize>& cards, int n,
                     TRoom room, int spare, TRandom& random, TDealState& world) {
  Shuffle(cards, n, random);
  std::array<TSeatMask, DeckSize> seatsOf{};
  std::array<int, SeatMasks> cardsBySeats{};
  for (int i = 0; i < n; ++i) ++cardsBySeats[seatsOf[i] = SeatsFor(view, cards[i])];
  for (int i = 0; i < n; ++i) {
    --cardsBySeats[seatsOf[i]];
    TRoom weight{};
    int total = 0;
    for (int s = 0; s < SeatCount; ++s) {
      if (room[s] == 0 || !((seatsOf[i] >> s) & 1u)) continue;
      --room[s];
      if (spare > 0 || CanFinish(cardsBySeats, room)) total += weight[s] = room[s] + 1;
      ++room[s];
    }
    if (total == 0) {
      // Only a view no real deal agrees with gets here (a test's hand-made
      // table): drop a spare card, or let what is known give way.
      if (spare > 0) {
        --spare;
        continue;
      }
      for (int s = 0; s < SeatCount; ++s) total += weight[s] = room[s];
      if (total == 0) return;
    }
    int pick = random.Uniform(total);
    int seat = 0;
    while (pick >= weight[seat]) pick -= weight[seat++];
    --room[seat];
    Place(world, seat, cards[i]);
  }
}

}  // namespace

TCardSet TSeatView::Unseen() const {
  TCardSet seen = Deal.Played;
  for (const auto& p : Deal.Players)
    for (TCard c : p.Cards)
      if (c != NoCard) seen |= CardBit(c);
  for (TCard c : Deal.Trick)
    if (c != NoCard) seen |= CardBit(c);
  for (TCard c = 0; c < DeckSize; ++c)
    if (Deal.Layout[c]) seen |= CardBit(c);
  return AllCards & ~seen;
}

TSeatView SeeAs(const TDealState& deal, int seat) {
  TSeatView view;
  view.Deal = deal;
  view.Seat = seat;
  for (int s = 0; s < SeatCount; ++s) {
    view.Deal.Players[s].Name.clear();
    if (s == seat) continue;
    view.Hidden[s] = static_cast<std::int8_t>(CardCount(deal.Players[s]));
    view.Deal.Players[s].Cards.fill(NoCard);
  }
  return view;
}

void SampleWorld(const TSeatView& view, TRandom& random, TDealState& world) {
  world = view.Deal;
  std::array<TCard, DeckSize> cards{};
  int n = 0;
  const TCardSet unseen = view.Unseen();
  for (TCard c = 0; c < DeckSize; ++c)
    if (unseen & CardBit(c)) cards[n++] = c;
  TRoom room{};
  int needed = 0;
  for (int s = 0; s < SeatCount; ++s) needed += room[s] = view.Hidden[s];
  if (n == needed) {
    for (int attempt = 0; attempt < ShuffleTries; ++attempt) {
      Shuffle(cards, n, random);
      if (!ShuffleFits(view, cards)) continue;
      int i = 0;
      for (int s = 0; s < SeatCount; ++s)
        for (int k = 0; k < room[s]; ++k) Place(world, s, cards[i++]);
      return;
    }
  }
  ConstrainedDeal(view, cards, n, room, n > needed ? n - needed : 0, random, world);
}

}  // namespace varlo
