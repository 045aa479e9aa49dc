#include "records.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <utility>

#include "records_io.h"
#include "text.h"
#include "user_folders.h"

namespace varlo {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t ScoreOffset = 1 + TopNameBytes;
// Only the first ten entries are ever read: a huge file costs no more.
constexpr std::size_t MaxRecordBytes = MaxRecords * TopEntrySize;

std::error_code LastError() { return {errno, std::generic_category()}; }

std::string DecodeName(std::string_view raw) {
  return IsValidUtf8(raw) ? std::string(raw) : Latin1ToUtf8(raw);
}

TTopEntry DecodeEntry(std::string_view bytes) {
  // A damaged length byte must never let the name run into the score.
  const std::size_t length =
      std::min<std::size_t>(static_cast<unsigned char>(bytes[0]), TopNameBytes);
  const std::string_view raw = bytes.substr(1, length);
  TTopEntry entry;
  entry.Name = DecodeName(raw);
  entry.Stored = raw;
  std::uint32_t score = 0;
  for (std::size_t i = 0; i < 4; ++i) {
    score |= std::uint32_t{static_cast<unsigned char>(bytes[ScoreOffset + i])} << (8 * i);
  }
  entry.Score = static_cast<std::int32_t>(score);
  return entry;
}

std::string EncodeTable(const std::vector<TTopEntry>& entries) {
  std::string bytes;
  const std::size_t count = std::min(entries.size(), MaxRecords);
  for (std::size_t i = 0; i < count; ++i) bytes += EncodeEntry(entries[i]);
  return bytes;
}

// The new table replaces a regular file, or stands where none is yet; an
// update without permission to rewrite the file leaves it as it is.
bool Rewrite(const fs::path& target, std::string_view bytes, std::error_code& ec) {
  struct stat info {};
  if (::stat(target.c_str(), &info) != 0) {
    if (errno != ENOENT) {
      ec = LastError();
      return false;
    }
    return records_io::ReplaceFile(target, bytes, -1, ec);
  }
  // Opened for the owner, mode and attributes that the new file takes over.
  const records_io::TFd old = records_io::OpenRegular(target, O_RDONLY);
  if (!old || !records_io::MayRewrite(target, info)) {
    ec = std::make_error_code(S_ISDIR(info.st_mode) ? std::errc::is_a_directory
                                                     : std::errc::permission_denied);
    return false;
  }
  return records_io::ReplaceFile(target, bytes, old.Get(), ec);
}

bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b) {
  const auto lower = [](char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  };
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [&](char x, char y) { return lower(x) == lower(y); });
}

// The name under which the records file exists in dir, if it does. On a
// case-sensitive file system several spellings may exist: the usual one
// wins, otherwise the first in byte order, so the choice does not depend on
// the listing order.
std::optional<std::string> FoundRecordsName(const fs::path& dir) {
  std::string found;
  std::error_code ec;
  fs::directory_iterator it(dir.empty() ? fs::path(".") : dir, ec);
  for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
    const std::string name = it->path().filename().string();
    std::error_code typeError;
    if (!EqualsIgnoreAsciiCase(name, RecordsFileName) || !it->is_regular_file(typeError)) continue;
    if (name == RecordsFileName) return name;
    if (found.empty() || name < found) found = name;
  }
  return found.empty() ? std::nullopt : std::optional(found);
}

std::string RecordsNameIn(const fs::path& dir) {
  return FoundRecordsName(dir).value_or(RecordsFileName);
}

bool IsWritableFolder(const fs::path& dir) {
  const fs::path folder = dir.empty() ? fs::path(".") : dir;
  return ::access(folder.c_str(), W_OK | X_OK) == 0;
}

// A records file that an update may rewrite, in place if need be.
bool IsRewritableFile(const fs::path& file) {
  struct stat info {};
  return ::stat(file.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
         records_io::MayRewrite(file, info);
}

// A program under /usr (which holds /usr/local) was installed by a package
// manager or "make install": whatever it wrote beside itself would outlive
// the package, so there it never writes, even as root.
bool IsInstalledFolder(const fs::path& dir) {
  std::error_code ec;
  fs::path real = fs::absolute(dir.empty() ? fs::path(".") : dir, ec);
  if (!ec) real = fs::weakly_canonical(real, ec);
  const fs::path below = real.lexically_relative("/usr");
  return !ec && !below.empty() && *below.begin() != "..";
}

}  // namespace

std::vector<TTopEntry> DecodeRecords(std::string_view bytes) {
  std::vector<TTopEntry> entries;
  for (std::size_t pos = 0; bytes.size() - pos >= TopEntrySize; pos += TopEntrySize) {
    entries.push_back(DecodeEntry(bytes.substr(pos, TopEntrySize)));
  }
  return entries;
}

std::string EncodeEntry(const TTopEntry& entry) {
  std::string bytes(TopEntrySize, '\0');
  // The stored bytes only count while they still spell the entry's name.
  const bool asRead = !entry.Stored.empty() && entry.Stored.size() <= TopNameBytes &&
                      DecodeName(entry.Stored) == entry.Name;
  const std::string name = asRead ? entry.Stored : Utf8CutBytes(entry.Name, TopNameBytes);
  bytes[0] = static_cast<char>(name.size());
  name.copy(&bytes[1], name.size());
  const auto score = static_cast<std::uint32_t>(entry.Score);
  for (std::size_t i = 0; i < 4; ++i) {
    bytes[ScoreOffset + i] = static_cast<char>((score >> (8 * i)) & 0xFF);
  }
  return bytes;
}

std::vector<TTopEntry> InsertRecord(std::vector<TTopEntry> table, TTopEntry entry) {
  if (table.size() > MaxRecords) table.resize(MaxRecords);
  table.push_back(std::move(entry));
  // This exact exchange sort decides the order of equal scores: the new
  // entry stays behind its equals, and older equals may swap places.
  const std::size_t last = table.size() - 1;
  for (std::size_t a = 0; a < last; ++a) {
    for (std::size_t b = a + 1; b <= last; ++b) {
      if (table[a].Score < table[b].Score) std::swap(table[a], table[b]);
    }
  }
  if (table.size() > MaxRecords) table.resize(MaxRecords);
  return table;
}

std::optional<std::vector<TTopEntry>> ReadRecordsFile(const fs::path& file) {
  try {
    const records_io::TFd fd = records_io::OpenRegular(file, O_RDONLY);
    if (!fd) return std::nullopt;
    const std::optional<std::string> bytes = records_io::ReadStart(fd.Get(), MaxRecordBytes);
    if (!bytes) return std::nullopt;
    return DecodeRecords(*bytes);
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

bool WriteRecordsFile(const fs::path& file, const std::vector<TTopEntry>& entries) {
  try {
    const std::optional<fs::path> target = records_io::FinalTarget(file);
    std::error_code ec;
    return target && Rewrite(*target, EncodeTable(entries), ec);
  } catch (const std::exception&) {
    return false;
  }
}

bool UpdateRecordsFile(const fs::path& file, const TTopEntry& entry,
                       std::chrono::milliseconds lockWait) {
  try {
    const std::optional<fs::path> target = records_io::FinalTarget(file);
    if (!target) return false;
    // From the read to the rename no other game updates the file, so no
    // result of a game that ends at the same moment is lost.
    const records_io::TFd locked =
        records_io::LockForUpdate(*target, std::chrono::steady_clock::now() + lockWait);
    if (!locked) return false;
    struct stat info {};
    if (::fstat(locked.Get(), &info) != 0 || !records_io::MayRewrite(*target, info)) return false;
    const std::optional<std::string> bytes = records_io::ReadStart(locked.Get(), MaxRecordBytes);
    if (!bytes) return false;
    records_io::RemoveLeftovers(*target);
    const std::string table = EncodeTable(InsertRecord(DecodeRecords(*bytes), entry));
    std::error_code ec;
    if (records_io::ReplaceFile(*target, table, locked.Get(), ec)) return true;
    // A high-score file shared through its group lies in a folder that the
    // players may not write: the file itself takes the table, still under
    // the lock, as its one way to be updated.
    return records_io::RefusedByFolder(ec) &&
           records_io::RewriteInPlace(*target, info, table, ec);
  } catch (const std::exception&) {
    return false;
  }
}

bool EnsureRecordsFile(const fs::path& file, std::string* error) {
  std::string reason;
  try {
    std::error_code ec;
    // A dangling link is a file yet to be made: it is made where the link
    // points, and the link stays.
    const std::optional<fs::path> target = records_io::FinalTarget(file);
    if (!target) ec = std::make_error_code(std::errc::too_many_symbolic_link_levels);
    const bool exists = !ec && fs::exists(*target, ec);
    // A folder under that name is no records file: every update would fail
    // unseen, so it is reported like a failed creation.
    if (!ec && exists && fs::is_directory(*target, ec)) {
      ec = std::make_error_code(std::errc::is_a_directory);
    }
    if (!ec && exists) return true;
    if (!ec && records_io::ReplaceFile(*target, EncodeEntry({"Jack", 0}), -1, ec)) return true;
    reason = ec.message();
  } catch (const std::exception& e) {
    reason = e.what();
  }
  if (error != nullptr) {
    try {
      *error = "Cannot create the records file \"" + file.string() + "\": " + reason;
    } catch (const std::exception&) {
      error->swap(reason);
    }
  }
  return false;
}

std::string ExtractDir(const std::string& path) {
  const std::size_t last = path.find_last_of("/\\");
  return last == std::string::npos ? std::string() : path.substr(0, last + 1);
}

fs::path LocateRecordsFile(const fs::path& appDir) {
  try {
    if (!IsInstalledFolder(appDir)) {
      if (IsWritableFolder(appDir)) return appDir / RecordsNameIn(appDir);
      // A records file that the players may write, in a folder they may
      // not: a score file an administrator shares.
      const std::optional<std::string> found = FoundRecordsName(appDir);
      if (found && IsRewritableFile(appDir / *found)) return appDir / *found;
    }
    const fs::path dataFolder = UserFolder(TUserFolder::Data);
    std::error_code ec;
    fs::create_directories(dataFolder, ec);
    return dataFolder / RecordsNameIn(dataFolder);
  } catch (const std::exception&) {
    return appDir / RecordsFileName;
  }
}

}  // namespace varlo
