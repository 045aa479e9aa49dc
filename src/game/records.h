// The file of the ten best results: headerless 20-byte entries (length byte,
// 15 name bytes, little-endian 32-bit score), highest score first.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace varlo {

constexpr std::size_t TopEntrySize = 20;
constexpr std::size_t TopNameBytes = 15;
constexpr std::size_t MaxRecords = 10;
inline constexpr const char* RecordsFileName = "Varlo.ini";
/// How long an update waits for the update of another game on the same
/// file before it gives up. The window waits with it at the end of a match;
/// a game's own update takes milliseconds.
inline constexpr std::chrono::milliseconds RecordsLockWait{1000};

struct TTopEntry {
  TTopEntry() = default;
  TTopEntry(std::string name, std::int32_t score) : Name(std::move(name)), Score(score) {}

  std::string Name;  ///< UTF-8
  std::int32_t Score = 0;
  /// The name's bytes as the file held them (empty for a new entry). An old
  /// 8-bit name can grow past 15 bytes as UTF-8; written back as it was read
  /// it loses nothing.
  std::string Stored;
  /// The same result: name and score agree, however the name was stored.
  bool operator==(const TTopEntry& other) const {
    return Name == other.Name && Score == other.Score;
  }
};

/// Every whole entry of the bytes; a trailing partial entry is ignored.
/// A name is read as UTF-8 when valid, otherwise as Latin-1.
std::vector<TTopEntry> DecodeRecords(std::string_view bytes);
/// The 20 bytes of one entry; the name is cut to 15 bytes at a character
/// boundary and the unused name bytes are zero. An entry read from a file
/// keeps the name bytes it was read from.
std::string EncodeEntry(const TTopEntry& entry);

/// Adds the new entry to the table (at most ten old entries are taken) by
/// the records' exchange sort and keeps the ten best.
std::vector<TTopEntry> InsertRecord(std::vector<TTopEntry> table, TTopEntry entry);

/// Reads the first ten entries of the file; nullopt when it is missing,
/// unreadable or not a regular file (a FIFO, a device, a folder).
std::optional<std::vector<TTopEntry>> ReadRecordsFile(const std::filesystem::path& file);
/// Replaces the file by the entries through a temporary file in the same
/// folder and a rename, so a failure leaves the old file intact; the new
/// file keeps the owner, group, mode, ACL and extended attributes of the old.
/// A symbolic link stays: the file it leads to is replaced. A file the
/// player may not write (or that has no write bit, even for root) is left
/// alone.
bool WriteRecordsFile(const std::filesystem::path& file, const std::vector<TTopEntry>& entries);
/// The end-of-match update: reads the existing file (which must exist),
/// inserts the entry and writes the result as WriteRecordsFile does, all
/// under an exclusive lock on the file, so updates of games ending together
/// all count. Where the folder refuses the temporary file but the file may
/// be written (a score file shared through its group), the file is rewritten
/// in place. False, with the file unchanged, on any failure, among them a
/// lock not had within lockWait.
bool UpdateRecordsFile(const std::filesystem::path& file, const TTopEntry& entry,
                       std::chrono::milliseconds lockWait = RecordsLockWait);
/// Creates the default file ("Jack" 0) when no records file exists; where a
/// dangling link stands, at the link's target. On failure returns false and
/// describes the error in *error.
bool EnsureRecordsFile(const std::filesystem::path& file, std::string* error);

/// The folder part of a path, up to and including its last separator
/// ('/' or '\\'); empty when there is none.
std::string ExtractDir(const std::string& path);
/// Where the records file lives: "Varlo.ini" (matched without regard to
/// case) in appDir when that folder is writable or holds such a file that
/// may be written, otherwise in the per-user data folder ($XDG_DATA_HOME/
/// varlo, default ~/.local/share/varlo). A program installed under /usr
/// always uses the data folder, for root too.
std::filesystem::path LocateRecordsFile(const std::filesystem::path& appDir);

}  // namespace varlo
