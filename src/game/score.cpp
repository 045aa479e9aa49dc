#include "score.h"

#include <utility>

#include "text.h"

namespace varlo {

namespace {
constexpr std::size_t ShownNameChars = 15;
}

TScoreTable ScoreRows(const TPlayers& players) {
  TScoreTable rows;
  for (int s = 0; s < SeatCount; ++s) {
    rows[s].Name = Utf8Left(players[s].Name, ShownNameChars);
    rows[s].Points = players[s].Score;
  }
  // Exactly this exchange sort: its tie order is what the players see.
  for (int i = 0; i < SeatCount - 1; ++i)
    for (int j = i + 1; j < SeatCount; ++j)
      if (rows[i].Points < rows[j].Points) std::swap(rows[i], rows[j]);
  return rows;
}

}  // namespace varlo
