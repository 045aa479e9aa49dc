// A whole match as one value: the deal with its rules, and the small parts
// the match keeps around it. It copies, compares with == and is what a saved
// match, a card taken back and the tests restore. What the window shows of it
// (the redraw flags) and how the player set the game up (TMatchConfig) are
// kept apart.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "computer_player.h"
#include "deal_state.h"
#include "random.h"

namespace varlo {

/// What one finished deal paid: who chose, what, and each seat's points.
struct TDealResult {
  std::int32_t Chooser = 0;
  std::int32_t Contract = 0;
  std::array<std::int32_t, SeatCount> Points{};

  friend bool operator==(const TDealResult&, const TDealResult&) = default;
};

/// How far the match has come.
struct TMatchProgress {
  /// Row = seat of a chooser, column = contract: true once chosen.
  std::array<TContractRow, SeatCount> ContractsChosen{};
  /// Finished deals of this match; 32 ends it.
  std::int32_t DealsPlayed = 0;
  /// Layout contract: the names of the players in the order they went out.
  std::vector<std::string> FinishOrder;
  /// The player had help (a card taken back): the result is no record.
  bool Assisted = false;
  /// The deals of this match so far, in order: what statistics are made of.
  std::vector<TDealResult> Deals;

  friend bool operator==(const TMatchProgress&, const TMatchProgress&) = default;
};

/// The two status lines of the table.
struct TTableText {
  /// "Current Game: " and the contract's name.
  std::string GameLine;
  /// "Hand: " and the winner of the last trick; with the layout messages on
  /// the table, the passes, skips and finishes since the human's last card.
  std::string HandLine;

  friend bool operator==(const TTableText&, const TTableText&) = default;
};

/// What the turn driver keeps between two of its calls.
struct TDriverState {
  /// The first contract choice of a match runs at the next driver call.
  bool ChoosePending = false;
  /// A deal has been dealt and its contract is still to be chosen.
  bool ChoiceWaiting = false;
  /// A trick lies on show; the driver goes on when the pause after it ends.
  bool PauseWaiting = false;
  /// Clicks on the table reach the driver; false while it runs.
  bool InputEnabled = true;

  friend bool operator==(const TDriverState&, const TDriverState&) = default;
};

struct TMatchState {
  TDealState Deal;
  TMatchProgress Progress;
  TTableText Table;
  TDriverState Driver;
  /// The match's generator: the deals, and the contracts Classic players draw.
  TRandom Random;

  friend bool operator==(const TMatchState&, const TMatchState&) = default;
};

}  // namespace varlo
