// The state of a match and every operation on it: the rules, the turn driver
// and the new-match command. The window owns one TMatch; the headless runner
// and the tests own theirs.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "cards.h"
#include "contracts.h"
#include "random.h"
#include "screen.h"

namespace varlo {

/// Results of PlayHumanCard and PlayComputerCard.
enum TPlayResult : int {
  NoMove = -1,       ///< no card, or a computer seat lost its turn to a seven
  IntoTrick = 0,     ///< the card went into the trick
  LaidOrPassed = 1,  ///< a card was laid out, or a computer seat passed
  AceLaid = 3,       ///< an ace was laid out: the same player moves again
  SevenLaid = 4,     ///< a seven was laid out
  WentOut = 5,       ///< the player laid out his last card
};

/// Where the human's hand lies on the table; clicks are tested against it.
constexpr int HandLeft = 20;
constexpr int HandTop = 25;
constexpr int CardWidth = 74;
constexpr int CardHeight = 100;
constexpr int TrickPauseMs = 3000;

class TMatch {
 public:
  /// Sets up the start-up state: no contract, empty hands, input enabled.
  TMatch(TScreen& screen, TClock& clock);

  // ---- the state, read and written by the rules, the driver and the window
  bool Painting = false;      ///< a table redraw is under way
  bool NeedsRepaint = false;  ///< the table must be redrawn at the next tick
  TPlayers Players;
  std::array<std::array<bool, ContractCount>, SeatCount> ContractsChosen{};
  TTrick Trick{NoCard, NoCard, NoCard, NoCard};
  /// Layout[c] is true while card c lies on the layout (layout contract).
  std::array<bool, DeckSize> Layout{};
  std::int32_t Leader = 0;
  std::int32_t Chooser = 0;
  std::int32_t Contract = NoContract;
  std::int32_t DealsPlayed = 0;
  bool ChoosePending = false;
  bool SkipNext = false;
  std::string GameLine;
  std::string HandLine;
  bool InputEnabled = true;
  std::vector<std::string> FinishOrder;
  /// The records file that UpdateRecords rewrites; empty: no records kept.
  std::filesystem::path RecordsFile;

  // ---- hands and the deal
  /// The number of seats whose hand holds at least one card.
  int PlayersWithCards() const;
  /// Empties all 32 slots and names the computer seats.
  void ResetHands();
  /// Re-seeds the generator from the clock and deals eight cards to each seat.
  void DealCards();

  // ---- catalogue
  std::int32_t TrickPoints() const;
  bool DealFinished() const;
  bool MatchFinished() const;

  // ---- trick play and the layout contract
  /// The click hits a card of the human's hand that may be played now.
  bool IsLegalClick(std::int32_t x, std::int32_t y) const;
  /// The click hits a card of the human's hand that may not be played now.
  bool IsIllegalClick(std::int32_t x, std::int32_t y) const;
  /// Whether a card of the human's slot may be played now: the one legality
  /// rule that the click test, the headless players and the tests all ask.
  bool MayPlaySlot(int slot) const;
  std::int32_t PlayHumanCard(int slot, int position);
  std::int32_t PlayComputerCard(TCards& hand, int position);
  /// The seat that takes the trick (the chooser, under the layout contract).
  std::int32_t TrickWinner() const;
  bool CanPlaceOnLayout(const TCards& hand, int slot) const;
  bool HumanMustPass() const;
  /// Pays 400, 200 and 100 by FinishOrder and empties the layout.
  void SettleLayoutDeal();

  // ---- the match
  /// Forgets all chosen contracts and zeroes the scores.
  void ResetMatch();
  /// Empties the trick and, under the layout contract, the layout.
  void ClearTable();
  /// The New command: resets the match, deals and runs the first choice.
  void NewMatch();
  /// One driver call: the human's click (or none, when Passed) and
  /// everything that follows from it up to his next click.
  void PlayTurn(std::int32_t x, std::int32_t y, bool passed);
  /// Draws a free contract of the row, marks it and returns it; -1 (no
  /// draw) when the row is full.
  std::int32_t PickRandomContract(std::array<bool, ContractCount>& row);
  /// Sets NeedsRepaint and tells the screen.
  void RequestRepaint();
  /// One full redraw through the screen; clears NeedsRepaint.
  void RepaintTable();
  /// The name shown for a seat: the human's own name or a computer's.
  const std::string& SeatName(int seat) const;

  TScreen& Screen() { return Scr; }

 private:
  enum class TCycleEnd { WaitForClick, AnotherCycle };

  TCycleEnd PlayCycle(std::int32_t x, std::int32_t y, bool passed);
  void RunChooser();
  void FirstChoice(bool& passed);
  void ComputerMove(int seat, int position);
  void PlayReplies();
  void PlayLeadIn();
  void SettleTrick();
  bool EndDeal();
  void StartNextDeal();
  void UpdateRecords();
  int HumanPosition() const { return (SeatCount - Leader) % SeatCount; }
  std::int32_t PlayHumanOnLayout(int slot);
  std::int32_t PlayComputerOnLayout(TCards& hand);
  std::int32_t LayOut(TCards& hand, int slot);
  void GoOut(const std::string& name);
  void Announce(const std::string& name, const char* suffix);
  void Tell(TBoxKind kind, const std::string& text);

  TScreen& Scr;
  TClock& Clock;
  TRandom Random;
};

/// The slot under a click, or -1 when the click misses the hand.
int SlotAt(std::int32_t x, std::int32_t y);

}  // namespace varlo
