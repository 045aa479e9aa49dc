#include "records.h"

#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <utility>

#include "text.h"

namespace varlo {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t ScoreOffset = 1 + TopNameBytes;

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

// A uniquely named file beside the target that is removed again unless it
// has been renamed over the target.
class TempFile {
 public:
  TempFile() = default;
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;
  ~TempFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!path_.empty() && !kept_) ::unlink(path_.c_str());
  }

  bool Create(const fs::path& target, std::error_code& ec) {
    static std::atomic<unsigned> counter{0};
    // Built by appends: g++ 12 warns falsely (-Wrestrict) on "." + string.
    std::string prefix = ".";
    prefix += target.filename().string();
    prefix += ".tmp-";
    prefix += std::to_string(::getpid());
    prefix += '-';
    // Left-overs of a crashed run may hold a name; the next number is tried.
    for (int attempt = 0; attempt < 100; ++attempt) {
      const fs::path candidate = target.parent_path() / (prefix + std::to_string(counter++));
      fd_ = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (fd_ >= 0) {
        path_ = candidate;
        return true;
      }
      if (errno != EEXIST) break;
    }
    ec = LastError();
    return false;
  }

  bool WriteAll(std::string_view bytes, std::error_code& ec) {
    while (!bytes.empty()) {
      const ssize_t written = ::write(fd_, bytes.data(), bytes.size());
      if (written < 0 && errno == EINTR) continue;
      if (written <= 0) {
        ec = written < 0 ? LastError() : std::make_error_code(std::errc::io_error);
        return false;
      }
      bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
  }

  bool SyncAndClose(std::error_code& ec) {
    const bool synced = ::fsync(fd_) == 0;
    if (!synced) ec = LastError();
    const bool closed = ::close(fd_) == 0;
    fd_ = -1;
    if (synced && !closed) ec = LastError();
    return synced && closed;
  }

  const fs::path& Path() const { return path_; }
  void Keep() { kept_ = true; }

 private:
  int fd_ = -1;
  fs::path path_;
  bool kept_ = false;
};

// Rewriting keeps the mode the file had, as rewriting it in place would.
void CopyPermissions(const fs::path& from, const fs::path& to) {
  std::error_code ec;
  const fs::file_status status = fs::status(from, ec);
  if (!ec && fs::is_regular_file(status)) fs::permissions(to, status.permissions(), ec);
}

bool WriteAtomically(const fs::path& file, std::string_view bytes, std::error_code& ec) {
  TempFile temp;
  if (!temp.Create(file, ec)) return false;
  CopyPermissions(file, temp.Path());
  if (!temp.WriteAll(bytes, ec) || !temp.SyncAndClose(ec)) return false;
  fs::rename(temp.Path(), file, ec);
  if (ec) return false;
  temp.Keep();
  return true;
}

bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b) {
  const auto lower = [](char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  };
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                            [&](char x, char y) { return lower(x) == lower(y); });
}

// The name under which the records file exists in dir. On a case-sensitive
// file system several spellings may exist: the usual one wins, otherwise the
// first in byte order, so the choice does not depend on the listing order.
std::string RecordsNameIn(const fs::path& dir) {
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
  return found.empty() ? std::string(RecordsFileName) : found;
}

bool IsWritableFolder(const fs::path& dir) {
  const fs::path folder = dir.empty() ? fs::path(".") : dir;
  return ::access(folder.c_str(), W_OK | X_OK) == 0;
}

fs::path HomeFolder() {
  const char* home = std::getenv("HOME");
  if (home != nullptr && *home != '\0') return home;
  const passwd* user = ::getpwuid(::getuid());
  return (user != nullptr && user->pw_dir != nullptr) ? fs::path(user->pw_dir) : fs::path();
}

// The per-user data folder of the XDG base directory rules; a relative
// XDG_DATA_HOME is invalid there and is ignored.
fs::path UserDataFolder() {
  const char* dataHome = std::getenv("XDG_DATA_HOME");
  if (dataHome != nullptr && *dataHome != '\0' && fs::path(dataHome).is_absolute()) {
    return fs::path(dataHome) / "varlo";
  }
  return HomeFolder() / ".local" / "share" / "varlo";
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
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    std::string content;
    char buffer[4096];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
      content.append(buffer, static_cast<std::size_t>(in.gcount()));
    }
    if (in.bad()) return std::nullopt;
    return DecodeRecords(content);
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

bool WriteRecordsFile(const fs::path& file, const std::vector<TTopEntry>& entries) {
  try {
    std::error_code ec;
    return WriteAtomically(file, EncodeTable(entries), ec);
  } catch (const std::exception&) {
    return false;
  }
}

bool UpdateRecordsFile(const fs::path& file, const TTopEntry& entry) {
  try {
    std::optional<std::vector<TTopEntry>> table = ReadRecordsFile(file);
    if (!table) return false;
    return WriteRecordsFile(file, InsertRecord(std::move(*table), entry));
  } catch (const std::exception&) {
    return false;
  }
}

bool EnsureRecordsFile(const fs::path& file, std::string* error) {
  std::string reason;
  try {
    std::error_code ec;
    const bool exists = fs::exists(file, ec);
    // A folder under that name is no records file: every update would fail
    // unseen, so it is reported like a failed creation.
    if (!ec && exists && fs::is_directory(file, ec)) {
      ec = std::make_error_code(std::errc::is_a_directory);
    }
    if (!ec && exists) return true;
    if (!ec && WriteAtomically(file, EncodeEntry({"Jack", 0}), ec)) return true;
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
    if (IsWritableFolder(appDir)) return appDir / RecordsNameIn(appDir);
    const fs::path dataFolder = UserDataFolder();
    std::error_code ec;
    fs::create_directories(dataFolder, ec);
    return dataFolder / RecordsNameIn(dataFolder);
  } catch (const std::exception&) {
    return appDir / RecordsFileName;
  }
}

}  // namespace varlo
