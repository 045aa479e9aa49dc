// How the player has set the game up. None of it is part of a match: a
// saved match goes on under whatever the player has chosen since.
#pragma once

#include <filesystem>

namespace varlo {

/// The pause after each trick as the game has always held it.
constexpr int TrickPauseMs = 3000;
/// The pause after each trick lasts until the player clicks.
constexpr int PauseUntilClick = 0;

struct TMatchConfig {
  /// The records file that the end of a match updates; empty: none kept.
  std::filesystem::path RecordsFile;
  /// The pause after each trick. TrickPauseMs is a blocking wait in which
  /// nothing is handled; any other length is a waiting state that the
  /// screen ends (TMatch::EndPause), PauseUntilClick at the player's click.
  int PauseMs = TrickPauseMs;
  /// The layout contract's passes, skips and finishes go into the hand
  /// line instead of message boxes.
  bool MessagesOnTable = false;
  /// The points where the human is to play are kept, so that he can take
  /// a card back.
  bool TakeBack = false;
};

}  // namespace varlo
