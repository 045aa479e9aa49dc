// The rows of the score dialog.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "cards.h"

namespace varlo {

struct TScoreRow {
  std::string Name;  ///< at most 15 characters of the player's name
  std::int32_t Points = 0;
};

using TScoreTable = std::array<TScoreRow, SeatCount>;

/// The four players' totals, highest first, by the dialog's exchange sort
/// (rows with equal points keep their order only when no exchange passes
/// between them).
TScoreTable ScoreRows(const TPlayers& players);

}  // namespace varlo
