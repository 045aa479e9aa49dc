// One deal as a value: the hands, the trick, the layout and whose turn
// matters, with every rule of play as a member. The match drives one of
// these; a computer player copies it and plays it forward in its head.
#pragma once

#include <array>
#include <cstdint>

#include "cards.h"
#include "contracts.h"

namespace varlo {

/// Results of a move (Play, PlayHumanCard, PlayComputerCard).
enum TPlayResult : int {
  NoMove = -1,       ///< no card, or a computer seat lost its turn to a seven
  IntoTrick = 0,     ///< the card went into the trick
  LaidOrPassed = 1,  ///< a card was laid out, or a computer seat passed
  AceLaid = 3,       ///< an ace was laid out: the same player moves again
  SevenLaid = 4,     ///< a seven was laid out
  WentOut = 5,       ///< the player laid out his last card
};

/// How a turn of the layout contract begins.
enum class TTurnStart {
  NoCards,   ///< the seat holds no card: nothing happens, a skip waits on
  Skipped,   ///< the seat loses this turn to a seven (the skip is used up)
  MustPass,  ///< no card of the seat fits the layout
  Choose,    ///< the seat has a card to lay out
};

/// A set of cards: bit c stands for card c.
using TCardSet = std::uint32_t;
constexpr TCardSet CardBit(TCard card) { return TCardSet{1} << card; }
constexpr TCardSet SuitCards(int suit) { return TCardSet{0xFF} << (8 * suit); }
constexpr TCardSet AllCards = 0xFFFFFFFFu;

/// A set of hand slots: bit k stands for slot k.
using TSlotSet = std::uint8_t;

/// The number of slots in a set (without the processor's popcount, which
/// the plain x86-64 target lacks).
constexpr int SlotCount(TSlotSet set) {
  unsigned n = set;
  n = n - ((n >> 1) & 0x55u);
  n = (n & 0x33u) + ((n >> 2) & 0x33u);
  return static_cast<int>((n + (n >> 4)) & 0x0Fu);
}

struct TDealState {
  TPlayers Players;
  TTrick Trick{NoCard, NoCard, NoCard, NoCard};
  /// Layout[c] is true while card c lies on the layout (layout contract).
  std::array<bool, DeckSize> Layout{};
  std::int32_t Leader = 0;
  std::int32_t Chooser = 0;
  std::int32_t Contract = NoContract;
  bool SkipNext = false;

  // ---- what everybody at the table has seen of this deal
  /// The cards that have left a hand, into a trick or onto the layout.
  TCardSet Played = 0;
  /// Per seat, cards it is known not to hold: a suit it did not follow; in
  /// the layout contract, every card that would have fitted when it passed.
  std::array<TCardSet, SeatCount> Excluded{};
  /// Layout contract: the seats in the order they went out.
  std::array<std::int8_t, SeatCount> OutSeats{};
  std::int8_t OutCount = 0;

  friend bool operator==(const TDealState&, const TDealState&) = default;

  /// Forgets what was seen of the previous deal.
  void ForgetDeal();
  /// Nothing of a deal stays on the table: the trick and the layout empty,
  /// no skip pending, nothing seen. The hands and scores are left alone.
  void ClearDeal();

  // ---- questions
  /// The number of seats whose hand holds at least one card.
  int PlayersWithCards() const;
  /// The trick position a seat plays.
  int PositionOf(int seat) const { return (seat - Leader + SeatCount) % SeatCount; }
  /// The slots whose card the seat may play now. Trick contracts: any card
  /// when it leads, otherwise the led suit when it holds one. Layout: the
  /// cards that fit the layout.
  TSlotSet LegalSlots(int seat) const;
  /// The card (0..31) fits the layout now: a jack, or the neighbour of a
  /// card on the layout, on the jack's side.
  bool Fits(TCard card) const;
  /// The slot of the hand holds a card that fits the layout now.
  bool CanPlaceOnLayout(const TCards& hand, int slot) const;
  /// The cards off the layout that would fit it now.
  TCardSet FittingCards() const;
  /// The seat that takes the trick (the chooser, under the layout contract).
  std::int32_t TrickWinner() const;
  std::int32_t TrickPoints() const { return TrickPointsOf(Contract, Trick); }
  bool DealFinished() const { return DealFinishedFor(Contract, Players); }
  /// Layout contract: the seat's place among those out (0 first), -1 while
  /// it holds cards.
  int PlaceOf(int seat) const;

  // ---- moves
  /// Plays the seat's slot: into the trick at the seat's position, or onto
  /// the layout (the ace's extra move, the seven's skip, going out).
  std::int32_t Play(int seat, int slot) { return PlayAt(seat, slot, PositionOf(seat)); }
  /// Play with the trick position given by the caller.
  std::int32_t PlayAt(int seat, int slot, int position);
  /// Layout contract: the start of a seat's turn. A skipped seat uses the
  /// skip up; a seat that must pass shows what it does not hold.
  TTurnStart BeginLayoutTurn(int seat);
  /// The seat passes: everybody sees that no card that fits is in its hand.
  void NotePass(int seat) { Excluded[seat] |= FittingCards(); }
  /// A full trick is decided: its winner leads next and, under a trick
  /// contract, scores its points. The cards stay until ClearTable.
  void TakeTrick();
  /// Empties the trick and, under the layout contract, the layout.
  void ClearTable();

  // ---- the order of turns, for playing a deal forward without a driver
  /// The seat whose turn follows a move of `seat` with result r.
  static int SeatAfter(int seat, std::int32_t result) {
    return result == AceLaid ? seat : (seat + 1) % SeatCount;
  }
  /// With `seat` next in turn, plays every turn that needs no choice (a full
  /// trick is taken; in the layout contract seats without a card, skipped
  /// or passing move on) and returns the seat that must choose a slot; -1
  /// once the deal is over.
  int NextToChoose(int seat);
};

}  // namespace varlo
