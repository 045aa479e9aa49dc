// The statistics log: one JSON line for every match that ended, finished or
// abandoned, appended and never rewritten. The raw deals are kept rather
// than counts, so that every figure is computed afresh from them and a
// figure counted wrongly once is right again once its rule is.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "computer_player.h"
#include "match_state.h"

namespace varlo {

/// The format of the lines this program writes; a line of a higher one is a
/// newer program's: skipped on reading, and kept, as every line is.
constexpr int StatisticsFormat = 1;
/// A log is read from its end up to this much: decades of play, read in
/// well under a second, whatever the file has grown to.
constexpr std::size_t StatisticsReadLimit = std::size_t{64} << 20;
inline constexpr const char* StatisticsFileName = "matches.jsonl";

/// One ended match as its line holds it.
struct TMatchRecord {
  /// When it ended: ISO 8601 in UTC, "2026-12-08T20:15:00Z".
  std::string Date;
  /// The player's name at the end; shown, never a key.
  std::string Name;
  TOpponentLevel Opponents = TOpponentLevel::Classic;
  /// A card was taken back in it.
  bool Assisted = false;
  /// All 32 deals were played; otherwise the match was abandoned.
  bool Finished = false;
  /// The deals played to their end, in order.
  std::vector<TDealResult> Deals;
  /// Each seat's score at the end; for an abandoned match, with a deal
  /// under way, what that deal had paid so far included.
  std::array<std::int32_t, SeatCount> Totals{};

  friend bool operator==(const TMatchRecord&, const TMatchRecord&) = default;
};

/// The record of a match as it stands, played against the given level.
TMatchRecord MatchRecord(const TMatchState& match, TOpponentLevel opponents, std::string date);
/// The time now as a record's date.
std::string NowUtc();

/// The record as its line, without the line end.
std::string EncodeRecord(const TMatchRecord& record);

enum class TLineKind { Record, Newer, Damaged };
struct TDecodedLine {
  TLineKind Kind = TLineKind::Damaged;
  TMatchRecord Record;
};
/// The record of a line, checked field by field.
TDecodedLine DecodeRecord(std::string_view line);

struct TStatisticsLog {
  /// The records, oldest first.
  std::vector<TMatchRecord> Matches;
  /// Lines skipped as damaged: cut short, foreign or unreadable.
  std::size_t Damaged = 0;
  /// Lines of a newer program, skipped.
  std::size_t Newer = 0;
  /// The file was larger than the read limit: only its end was read.
  bool Partial = false;
};

/// Reads the log: only a regular file, at most `limit` bytes from its end,
/// beginning at a line's start. Anything else gives an empty log.
TStatisticsLog ReadStatisticsLog(const std::filesystem::path& file,
                                 std::size_t limit = StatisticsReadLimit);
/// Appends the record's line under the file's lock and syncs it, creating
/// the file and its folder first. A line left cut short by a crash is
/// closed first, so the new one starts a line of its own. False when the
/// file cannot be written or is no regular file (nothing is written then).
bool AppendStatistics(const std::filesystem::path& file, const TMatchRecord& record);

/// The player's log in his data folder.
std::filesystem::path StatisticsFile();

}  // namespace varlo
