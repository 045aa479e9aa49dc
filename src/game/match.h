// A match and every operation on it: the deal with its rules, the turn
// driver and the new-match command. The window owns one TMatch; the headless
// runner and the tests own theirs. The match holds its state as one value
// (TMatchState); cards move only through the operations below.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "cards.h"
#include "computer_player.h"
#include "contracts.h"
#include "deal_state.h"
#include "match_config.h"
#include "match_state.h"
#include "random.h"
#include "screen.h"
#include "table_geometry.h"

namespace varlo {

class TGameChooser;

/// The window's redraw bookkeeping: what it shows, not what the match is.
struct TRedrawFlags {
  bool Painting = false;      ///< a table redraw is under way
  bool NeedsRepaint = false;  ///< the table must be redrawn at the next tick
};

class TMatch {
 public:
  /// Sets up the start-up state: no contract, empty hands, input enabled.
  TMatch(TScreen& screen, TClock& clock, TMatchConfig config = {});

  // ---- the match as a value
  const TMatchState& State() const { return S; }
  const TDealState& Deal() const { return S.Deal; }
  const TMatchProgress& Progress() const { return S.Progress; }
  const TTableText& Lines() const { return S.Table; }
  const TDriverState& Driver() const { return S.Driver; }
  bool InputEnabled() const { return S.Driver.InputEnabled; }
  /// Puts a whole match in place: a saved match, a test's position. The
  /// points kept for taking back belong to the match that was there and
  /// are forgotten. The caller asks for the redraw.
  void Restore(const TMatchState& state);

  // ---- how the player set the game up
  const TMatchConfig& Config() const { return Setup; }
  void SetConfig(const TMatchConfig& config);
  /// Who plays seats 1..3 from their next move on; null: Classic.
  void SetOpponents(TComputerPlayer* player) { Opponents = player ? player : &Classic; }
  TComputerPlayer& ComputerPlayer() const { return *Opponents; }
  /// The match's own Classic player, which draws from the match's generator.
  TComputerPlayer& ClassicPlayer() { return Classic; }

  // ---- what the player changes between moves
  /// Options > Player Name: used from now on wherever his name is read.
  void SetHumanName(const std::string& name);
  /// The player has help (the coach): the result will be no record. Every
  /// point he may take back to belongs to the same assisted match.
  void MarkAssisted();
  /// After a failure the table takes no clicks until New.
  void DisableInput() { S.Driver.InputEnabled = false; }

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
  /// One whole move of the computer seat.
  std::int32_t PlayComputerCard(int seat, int position);
  bool HumanMustPass() const;
  /// Pays 400, 200 and 100 by FinishOrder and empties the layout.
  void SettleLayoutDeal();
  /// Empties the trick; under the layout contract also the layout.
  void ClearTable() { S.Deal.ClearTable(); }

  // ---- contracts
  /// The contract a computer chooser picks, marked in its row; -1 (nothing
  /// asked) when the row is full.
  std::int32_t ComputerContract(int seat);
  /// Draws a free contract of the row, marks it and returns it; -1 (no
  /// draw) when the row is full.
  std::int32_t PickRandomContract(TContractRow& row);

  // ---- the match and the driver
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
  /// The pause after a trick is over (a waiting pause, see TMatchConfig):
  /// the driver goes on up to the human's next move.
  void EndPause();
  /// Goes on with a restored match that waits for the human's contract
  /// choice; one that waits for his card needs nothing.
  void Resume();

  // ---- taking a card back (TMatchConfig::TakeBack)
  /// The human is to play and played a card earlier in this deal.
  bool CanTakeBack() const;
  /// Back to the last point in this deal where the human was to play, the
  /// computers' replies undone; the match counts as assisted from now on.
  /// False, with nothing changed, when there is no such point.
  bool TakeBack();
  /// The points kept for taking back, oldest first; the last is the
  /// present one.
  const std::vector<TMatchState>& TakeBackPoints() const { return Points; }
  void RestoreTakeBackPoints(std::vector<TMatchState> points) { Points = std::move(points); }

  // ---- the table
  /// The redraw bookkeeping of the screen; a test may hold a redraw "under
  /// way" through it.
  TRedrawFlags Redraw;
  /// Sets NeedsRepaint and tells the screen.
  void RequestRepaint();
  /// One full redraw through the screen; clears NeedsRepaint.
  void RepaintTable();
  /// The name shown for a seat: the human's own name or a computer's.
  const std::string& SeatName(int seat) const;

  TScreen& Screen() { return Scr; }

 private:
  friend class TGameChooser;
  enum class TCycleEnd { WaitForClick, AnotherCycle, Paused };

  void RunCycles(TCycleEnd end);
  TCycleEnd PlayCycle(int slot, bool passed);
  TCycleEnd AfterTrick();
  TCycleEnd BeforeHumanTurn();
  /// The human's slot holds a card that may not be played now.
  bool IsIllegalSlot(int slot) const;
  void RunChooser();
  void FirstChoice(bool& passed);
  void ComputerMove(int seat, int position);
  void PlayReplies();
  void PlayLeadIn();
  /// True when the driver waits for the end of the pause.
  bool SettleTrick();
  bool EndDeal();
  void NoteDealResult();
  void StartNextDeal();
  void ChooseNextContract();
  void UpdateRecords();
  void KeepTakeBackPoint();
  int HumanPosition() const { return (SeatCount - S.Deal.Leader) % SeatCount; }
  std::int32_t PlayHumanOnLayout(int slot, int position);
  std::int32_t PlayComputerOnLayout(int seat, int position);
  int ComputerSlot(int seat, TSlotSet legal);
  void TellTurnStart(int seat, TTurnStart start);
  void GoOut(const std::string& name);
  void Announce(const std::string& name, const char* suffix);
  void Tell(TBoxKind kind, const std::string& text);

  TMatchState S;
  TMatchConfig Setup;
  std::vector<TMatchState> Points;
  TScreen& Scr;
  TClock& Clock;
  TClassicPlayer Classic{S.Random};
  TComputerPlayer* Opponents = &Classic;
};

/// The slot under a click, or -1 when the click misses the hand.
int SlotAt(std::int32_t x, std::int32_t y);

}  // namespace varlo
