// The unfinished match on disk: the whole match value as versioned JSON,
// so that the game goes on at the next start exactly where it was left.
// Written atomically; read defensively, since anything may lie in its
// place.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "computer_player.h"
#include "match_state.h"

namespace varlo {

/// The format this program writes; a file of a higher one is a newer
/// program's and stays untouched.
constexpr int MatchFileFormat = 1;
/// No saved match comes near this size; a larger file is no saved match.
constexpr std::size_t MatchFileLimit = 1 << 20;
inline constexpr const char* MatchFileName = "match.json";

/// Everything that a match needs to go on exactly as it would have.
struct TSavedMatch {
  TMatchState Match;
  /// The points of this deal where the human was to play (taking back).
  std::vector<TMatchState> TakeBackPoints;
  /// Who played Jack, Sandra and Ben, and the seed their thinking starts
  /// from: each of their decisions follows from it and the position.
  TOpponentLevel Opponents = TOpponentLevel::Classic;
  std::uint64_t OpponentsSeed = 0;

  friend bool operator==(const TSavedMatch&, const TSavedMatch&) = default;
};

enum class TLoadStatus {
  Loaded,
  Missing,   ///< no file: nothing to go on with
  Newer,     ///< a newer program's format: left as it is
  NotAFile,  ///< a folder, a pipe or a device stands there
  Corrupt,   ///< unreadable, truncated, foreign or too large
};

struct TLoadResult {
  TLoadStatus Status = TLoadStatus::Missing;
  TSavedMatch Saved;
  /// What was wrong, in a few words, for a message or a log line.
  std::string Reason;
};

/// The match as the file's text.
std::string EncodeMatch(const TSavedMatch& saved);
/// The match of a file's text, checked field by field: a match that loads
/// is one the rules can go on with.
TLoadResult DecodeMatch(std::string_view text);

/// Reads the file: only a regular file, and at most MatchFileLimit bytes.
TLoadResult LoadMatchFile(const std::filesystem::path& file);
/// Writes the file through a synced temporary file and a rename, creating
/// its folder first. False, with the old file intact, on any failure.
bool SaveMatchFile(const std::filesystem::path& file, const TSavedMatch& saved);
/// The same for a match already encoded.
bool WriteMatchFile(const std::filesystem::path& file, std::string_view text);
/// Moves a file that could not be loaded aside as "<name>.bad" (replacing
/// an older one), to be looked at rather than lost; the next save starts
/// afresh.
bool SetAsideMatchFile(const std::filesystem::path& file);

/// The unfinished match's file in the player's state folder.
std::filesystem::path UnfinishedMatchFile();

}  // namespace varlo
