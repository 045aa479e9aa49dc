// The state of a match and every operation on it: the deal with its rules,
// the turn driver and the new-match command. The window owns one TMatch; the
// headless runner and the tests own theirs.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "cards.h"
#include "computer_player.h"
#include "contracts.h"
#include "deal_state.h"
#include "random.h"
#include "screen.h"
#include "table_geometry.h"

namespace varlo {

constexpr int TrickPauseMs = 3000;

/// The deal (TDealState, with the rules) and what the match keeps around
/// it: the choices, the lines on the table, the messages and the screen.
class TMatch : public TDealState {
 public:
  /// Sets up the start-up state: no contract, empty hands, input enabled.
  TMatch(TScreen& screen, TClock& clock);

  // ---- the state, read and written by the rules, the driver and the window
  bool Painting = false;      ///< a table redraw is under way
  bool NeedsRepaint = false;  ///< the table must be redrawn at the next tick
  std::array<TContractRow, SeatCount> ContractsChosen{};
  std::int32_t DealsPlayed = 0;
  bool ChoosePending = false;
  std::string GameLine;
  std::string HandLine;
  bool InputEnabled = true;
  std::vector<std::string> FinishOrder;
  /// The records file that UpdateRecords rewrites; empty: no records kept.
  std::filesystem::path RecordsFile;

  // ---- hands and the deal
  /// Empties all 32 slots and names the computer seats.
  void ResetHands();
  /// Re-seeds the generator from the clock and deals eight cards to each seat.
  void DealCards();

  bool MatchFinished() const;

  // ---- the human's moves and the computer seats' turns
  /// The click hits a card of the human's hand that may be played now.
  bool IsLegalClick(std::int32_t x, std::int32_t y) const;
  /// The click hits a card of the human's hand that may not be played now.
  bool IsIllegalClick(std::int32_t x, std::int32_t y) const;
  /// Whether a card of the human's slot may be played now: the one legality
  /// rule that the click test, the headless players and the tests all ask.
  bool MayPlaySlot(int slot) const;
  std::int32_t PlayHumanCard(int slot, int position);
  /// One whole move of a computer seat; the hand is one of Players.
  std::int32_t PlayComputerCard(TCards& hand, int position);
  bool HumanMustPass() const;
  /// Pays 400, 200 and 100 by FinishOrder and empties the layout.
  void SettleLayoutDeal();

  // ---- the computer players
  /// Who plays seats 1..3 from their next move on; null: Classic.
  void SetOpponents(TComputerPlayer* player) { Opponents = player ? player : &Classic; }
  TComputerPlayer& ComputerPlayer() const { return *Opponents; }
  /// The match's own Classic player, which draws from the match's generator.
  TComputerPlayer& ClassicPlayer() { return Classic; }
  /// The contract a computer chooser picks, marked in its row; -1 (nothing
  /// asked) when the row is full.
  std::int32_t ComputerContract(int seat);

  // ---- the match
  /// Forgets all chosen contracts and zeroes the scores.
  void ResetMatch();
  /// The New command: resets the match, deals and runs the first choice.
  void NewMatch();
  /// One driver call for a click on the table: PlaySlot with the slot under
  /// the click (-1 when it hits none).
  void PlayTurn(std::int32_t x, std::int32_t y, bool passed);
  /// One driver call: the human's slot (or none, when passed) and everything
  /// that follows from it up to his next move.
  void PlaySlot(int slot, bool passed);
  /// Draws a free contract of the row, marks it and returns it; -1 (no
  /// draw) when the row is full.
  std::int32_t PickRandomContract(TContractRow& row);
  /// Sets NeedsRepaint and tells the screen.
  void RequestRepaint();
  /// One full redraw through the screen; clears NeedsRepaint.
  void RepaintTable();
  /// The name shown for a seat: the human's own name or a computer's.
  const std::string& SeatName(int seat) const;

  TScreen& Screen() { return Scr; }

 private:
  enum class TCycleEnd { WaitForClick, AnotherCycle };

  TCycleEnd PlayCycle(int slot, bool passed);
  /// The human's slot holds a card that may not be played now.
  bool IsIllegalSlot(int slot) const;
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
  std::int32_t PlayHumanOnLayout(int slot, int position);
  std::int32_t PlayComputerOnLayout(int seat, int position);
  int ComputerSlot(int seat, TSlotSet legal);
  void TellTurnStart(int seat, TTurnStart start);
  void GoOut(const std::string& name);
  void Announce(const std::string& name, const char* suffix);
  void Tell(TBoxKind kind, const std::string& text);

  TScreen& Scr;
  TClock& Clock;
  TRandom Random;
  TClassicPlayer Classic{Random};
  TComputerPlayer* Opponents = &Classic;
};

/// The slot under a click, or -1 when the click misses the hand.
int SlotAt(std::int32_t x, std::int32_t y);

}  // namespace varlo
