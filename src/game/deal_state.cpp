#include "deal_state.h"

namespace varlo {

void TDealState::ForgetDeal() {
  Played = 0;
  Excluded.fill(0);
  OutSeats.fill(0);
  OutCount = 0;
}

void TDealState::ClearDeal() {
  Trick.fill(NoCard);
  Layout.fill(false);
  SkipNext = false;
  ForgetDeal();
}

int TDealState::PlayersWithCards() const {
  int n = 0;
  for (const auto& p : Players) n += CardCount(p) > 0 ? 1 : 0;
  return n;
}

TSlotSet TDealState::LegalSlots(int seat) const {
  const THand& cards = Players[seat].Cards;
  unsigned legal = 0;
  if (!IsTrickContract(Contract)) {
    // An empty slot asks about card 31 instead of -1 and is masked out.
    for (int slot = 0; slot < HandSize; ++slot)
      legal |= (unsigned(cards[slot] != NoCard) & unsigned(Fits(cards[slot] & (DeckSize - 1)))) << slot;
    return static_cast<TSlotSet>(legal);
  }
  // SuitOf(-1) is hearts: a trick that nobody has led asks for hearts, as it
  // always did; only the driver's order of play keeps that from mattering.
  const int led = SuitOf(Trick[0]);
  unsigned ofLedSuit = 0;
  // Asked for every card of every playout: no branches. An empty slot's
  // -1 >> 3 is -1, never a suit.
  for (int slot = 0; slot < HandSize; ++slot) {
    legal |= unsigned(cards[slot] != NoCard) << slot;
    ofLedSuit |= unsigned((cards[slot] >> 3) == led) << slot;
  }
  if (seat == Leader || ofLedSuit == 0) return static_cast<TSlotSet>(legal);
  return static_cast<TSlotSet>(ofLedSuit);
}

bool TDealState::Fits(TCard c) const {
  const int rank = RankOf(c);
  // A row grows one rank at a time away from its jack, so a card needs its
  // neighbour on the jack's side; c +/- 1 never leaves the suit here. Asked
  // for every turn of every playout: no branches.
  return bool(unsigned(rank == JackRank) | unsigned(Layout[rank < JackRank ? c + 1 : c - 1]));
}

bool TDealState::CanPlaceOnLayout(const TCards& hand, int slot) const {
  if (slot < 0 || slot >= HandSize) return false;
  return hand.Cards[slot] != NoCard && Fits(hand.Cards[slot]);
}

TCardSet TDealState::FittingCards() const {
  // Fits() for all 32 cards at once: a jack; a seven to ten whose card one
  // rank up is laid; a queen to ace whose card one rank down is.
  constexpr TCardSet jacks = 0x10101010u, belowJacks = 0x0F0F0F0Fu, aboveJacks = 0xE0E0E0E0u;
  TCardSet laid = 0;
  for (TCard c = 0; c < DeckSize; ++c) laid |= TCardSet(Layout[c]) << c;
  return (jacks | ((laid >> 1) & belowJacks) | ((laid << 1) & aboveJacks)) & ~laid;
}

std::int32_t TDealState::TrickWinner() const {
  if (!IsTrickContract(Contract)) return Chooser;
  // No trumps: only a card of the led suit can take the lead away.
  int best = 0;
  for (int p = 1; p < SeatCount; ++p)
    if (Trick[p] != NoCard && SuitOf(Trick[p]) == SuitOf(Trick[best]) && Trick[p] > Trick[best])
      best = p;
  return (best + Leader) % SeatCount;
}

int TDealState::PlaceOf(int seat) const {
  for (int place = 0; place < OutCount; ++place)
    if (OutSeats[place] == seat) return place;
  return -1;
}

std::int32_t TDealState::PlayAt(int seat, int slot, int position) {
  TCards& hand = Players[seat];
  const TCard c = hand.Cards[slot];
  if (c == NoCard) return NoMove;
  Played |= CardBit(c);
  if (IsTrickContract(Contract)) {
    // Not following the led suit shows a void in it.
    if (position != 0 && Trick[0] != NoCard && SuitOf(c) != SuitOf(Trick[0]))
      Excluded[seat] |= SuitCards(SuitOf(Trick[0]));
    Trick[position] = c;
    hand.Cards[slot] = NoCard;
    return IntoTrick;
  }
  std::int32_t result = LaidOrPassed;
  if (RankOf(c) == AceRank) {
    result = AceLaid;
  } else if (RankOf(c) == Seven) {
    result = SevenLaid;
    // Counted while the seven is still in the hand: the flag is set exactly
    // when two or more players will still hold cards once it has left.
    if (PlayersWithCards() > 2 || (PlayersWithCards() > 1 && CardCount(hand) > 1))
      SkipNext = true;
  }
  Layout[c] = true;
  hand.Cards[slot] = NoCard;
  if (CardCount(hand) == 0) {
    if (OutCount < SeatCount) OutSeats[OutCount++] = static_cast<std::int8_t>(seat);
    result = WentOut;
  }
  return result;
}

TTurnStart TDealState::BeginLayoutTurn(int seat) {
  if (CardCount(Players[seat]) == 0) return TTurnStart::NoCards;
  if (SkipNext) {
    SkipNext = false;
    return TTurnStart::Skipped;
  }
  if (LegalSlots(seat) != 0) return TTurnStart::Choose;
  NotePass(seat);
  return TTurnStart::MustPass;
}

void TDealState::TakeTrick() {
  Leader = TrickWinner();
  if (IsTrickContract(Contract)) Players[Leader].Score += TrickPoints();
}

void TDealState::ClearTable() {
  Trick.fill(NoCard);
  if (Contract == VarloLayout) Layout.fill(false);
}

int TDealState::NextToChoose(int seat) {
  if (IsTrickContract(Contract)) {
    if (Trick[SeatCount - 1] != NoCard) {
      TakeTrick();
      ClearTable();
      if (DealFinished()) return -1;
    }
    int played = 0;
    while (played < SeatCount && Trick[played] != NoCard) ++played;
    const int next = (Leader + played) % SeatCount;
    return CardCount(Players[next]) > 0 ? next : -1;
  }
  // While cards remain some hand holds one that fits, and only a skip can
  // keep its holder from laying it: two rounds always reach a choice.
  for (int turns = 0; turns < 3 * SeatCount; ++turns) {
    if (DealFinished()) return -1;
    if (BeginLayoutTurn(seat) == TTurnStart::Choose) return seat;
    seat = (seat + 1) % SeatCount;
  }
  return -1;
}

}  // namespace varlo
