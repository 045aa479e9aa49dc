#include "records_io.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <ctime>
#include <thread>

namespace varlo::records_io {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

// Linux gives up on a path after as many links.
constexpr int MaxLinkHops = 40;
constexpr std::time_t LeftoverAge = 24 * 60 * 60;

std::error_code LastError() { return {errno, std::generic_category()}; }

fs::path FolderOf(const fs::path& file) {
  return file.has_parent_path() ? file.parent_path() : fs::path(".");
}

// "." + name + ".tmp-": the start of every temporary file of name.
std::string TempPrefix(const fs::path& target) {
  // Built by appends: g++ 12 warns falsely (-Wrestrict) on "." + string.
  std::string prefix = ".";
  prefix += target.filename().string();
  prefix += ".tmp-";
  return prefix;
}

// The process of a temporary file's name "<prefix><pid>-<n>"; 0 when the
// name is no such file's.
pid_t WriterOf(std::string_view name, std::string_view prefix) {
  if (!name.starts_with(prefix)) return 0;
  name.remove_prefix(prefix.size());
  const std::size_t dash = name.find('-');
  if (dash == std::string_view::npos || dash == 0 || dash + 1 == name.size()) return 0;
  const std::string_view number = name.substr(dash + 1);
  if (number.find_first_not_of("0123456789") != std::string_view::npos) return 0;
  pid_t pid = 0;
  const auto [end, error] = std::from_chars(name.data(), name.data() + dash, pid);
  return error == std::errc() && end == name.data() + dash ? pid : 0;
}

// Waits for the exclusive lock on fd until the deadline. A file system
// without locks gets no lock: the update then runs as it would alone.
bool LockBefore(int fd, TDeadline deadline) {
  std::chrono::steady_clock::duration pause = 1ms;
  for (;;) {
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return true;
    if (errno == ENOLCK || errno == EOPNOTSUPP) return true;
    if (errno != EWOULDBLOCK && errno != EINTR) return false;
    const auto now = std::chrono::steady_clock::now();
    if (now >= deadline) return false;
    std::this_thread::sleep_for(std::min(pause, deadline - now));
    pause = std::min<std::chrono::steady_clock::duration>(pause * 2, 50ms);
  }
}

bool SameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Without the folder synced, a power cut may take the rename back. The
// rename has happened and the table is in place, so a failure here is not
// the update's failure.
void SyncFolder(const fs::path& file) {
  const TFd folder(::open(FolderOf(file).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder) ::fsync(folder.Get());
}

// A uniquely named file beside the target that is removed again unless it
// has been renamed over the target.
class TTempFile {
 public:
  TTempFile() = default;
  TTempFile(const TTempFile&) = delete;
  TTempFile& operator=(const TTempFile&) = delete;
  ~TTempFile() {
    fd_ = TFd();
    if (!path_.empty() && !kept_) ::unlink(path_.c_str());
  }

  bool Create(const fs::path& target, std::error_code& ec) {
    static std::atomic<unsigned> counter{0};
    std::string prefix = TempPrefix(target);
    prefix += std::to_string(::getpid());
    prefix += '-';
    // Left-overs of a crashed run may hold a name; the next number is tried.
    for (int attempt = 0; attempt < 100; ++attempt) {
      const fs::path candidate = FolderOf(target) / (prefix + std::to_string(counter++));
      fd_ = TFd(::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
      if (fd_) {
        path_ = candidate;
        return true;
      }
      if (errno != EEXIST) break;
    }
    ec = LastError();
    return false;
  }

  // Rewriting keeps the owner and mode the file had, as rewriting it in
  // place would. Only root may give a file away; for others the owner
  // stays theirs and the group where they may.
  void TakeOwnerAndMode(const struct stat& like) {
    const bool owned = ::fchown(fd_.Get(), like.st_uid, like.st_gid) == 0 ||
                       ::fchown(fd_.Get(), static_cast<uid_t>(-1), like.st_gid) == 0;
    const bool moded = ::fchmod(fd_.Get(), like.st_mode & 07777) == 0;
    // Neither is needed for the table itself.
    static_cast<void>(owned && moded);
  }

  bool WriteAll(std::string_view bytes, std::error_code& ec) {
    while (!bytes.empty()) {
      const ssize_t written = ::write(fd_.Get(), bytes.data(), bytes.size());
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
    const bool synced = ::fsync(fd_.Get()) == 0;
    if (!synced) ec = LastError();
    const bool closed = ::close(fd_.Release()) == 0;
    if (synced && !closed) ec = LastError();
    return synced && closed;
  }

  const fs::path& Path() const { return path_; }
  void Keep() { kept_ = true; }

 private:
  TFd fd_;
  fs::path path_;
  bool kept_ = false;
};

}  // namespace

TFd& TFd::operator=(TFd&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = other.Release();
  }
  return *this;
}

TFd::~TFd() {
  if (fd_ >= 0) ::close(fd_);
}

std::optional<fs::path> FinalTarget(const fs::path& file) {
  fs::path current = file;
  for (int hop = 0; hop < MaxLinkHops; ++hop) {
    struct stat info {};
    if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return current;
    std::error_code ec;
    const fs::path link = fs::read_symlink(current, ec);
    if (ec) return current;
    current = link.is_absolute() ? link : current.parent_path() / link;
  }
  errno = ELOOP;
  return std::nullopt;
}

TFd OpenRegular(const fs::path& file, int access) {
  // The type is checked before the open too: opening some devices acts.
  struct stat info {};
  if (::stat(file.c_str(), &info) != 0) return {};
  if (!S_ISREG(info.st_mode)) {
    errno = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
    return {};
  }
  TFd fd(::open(file.c_str(), access | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (!fd) return {};
  // Whatever lay there a moment ago, only what was opened counts.
  if (::fstat(fd.Get(), &info) != 0 || !S_ISREG(info.st_mode)) {
    errno = EINVAL;
    return {};
  }
  return fd;
}

std::optional<std::string> ReadStart(int fd, std::size_t limit) {
  std::string bytes(limit, '\0');
  std::size_t got = 0;
  while (got < limit) {
    const ssize_t n = ::pread(fd, bytes.data() + got, limit - got, static_cast<off_t>(got));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return std::nullopt;
    if (n == 0) break;
    got += static_cast<std::size_t>(n);
  }
  bytes.resize(got);
  return bytes;
}

TFd LockForUpdate(const fs::path& target, TDeadline deadline) {
  for (;;) {
    TFd fd = OpenRegular(target, O_RDONLY);
    if (!fd || !LockBefore(fd.Get(), deadline)) return {};
    // The update that held the lock may have renamed a new file into
    // place: the lock on the old one guards nothing, so the new one is
    // opened and locked in its turn.
    struct stat held {}, now {};
    if (::fstat(fd.Get(), &held) != 0 || ::stat(target.c_str(), &now) != 0) return {};
    if (SameFile(held, now)) return fd;
  }
}

bool MayRewrite(const fs::path& target, const struct stat& info) {
  // Root may write anything; a file without a write bit is read-only to
  // root too, as a read-only file is to everyone elsewhere.
  if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return false;
  return ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) == 0;
}

void RemoveLeftovers(const fs::path& target) {
  const std::string prefix = TempPrefix(target);
  const std::time_t now = std::time(nullptr);
  std::error_code ec;
  for (fs::directory_iterator it(FolderOf(target), ec); !ec && it != fs::directory_iterator();
       it.increment(ec)) {
    const fs::path& path = it->path();
    const pid_t writer = WriterOf(path.filename().string(), prefix);
    struct stat info {};
    if (writer <= 0 || ::lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) continue;
    // Every update writes under the lock that this one holds now, so a
    // file of a live process is one the start-up is writing, which takes
    // a moment; a day later nothing writes it any more.
    const bool writerGone = ::kill(writer, 0) != 0 && errno == ESRCH;
    if (writerGone || now - info.st_mtime > LeftoverAge) ::unlink(path.c_str());
  }
}

bool ReplaceFile(const fs::path& target, std::string_view bytes, const struct stat* like,
                 std::error_code& ec) {
  TTempFile temp;
  if (!temp.Create(target, ec)) return false;
  if (like != nullptr) temp.TakeOwnerAndMode(*like);
  if (!temp.WriteAll(bytes, ec) || !temp.SyncAndClose(ec)) return false;
  if (::rename(temp.Path().c_str(), target.c_str()) != 0) {
    ec = LastError();
    return false;
  }
  temp.Keep();
  SyncFolder(target);
  return true;
}

}  // namespace varlo::records_io
