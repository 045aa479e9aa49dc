#include "records_io.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <ctime>
#include <thread>
#include <vector>

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

bool SameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Writes all the bytes from the start of the file.
bool WriteFromStart(int fd, std::string_view bytes, std::error_code& ec) {
  for (std::size_t done = 0; done < bytes.size();) {
    const ssize_t written =
        ::pwrite(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      ec = written < 0 ? LastError() : std::make_error_code(std::errc::io_error);
      return false;
    }
    done += static_cast<std::size_t>(written);
  }
  return true;
}

// What one of the xattr calls that tell the size they need (when given no
// buffer) delivers; nullopt when it fails.
template <class TCall>
std::optional<std::string> ReadSized(TCall call) {
  // The list or the value may grow between the two calls: asked again then.
  for (int attempt = 0; attempt < 3; ++attempt) {
    const ssize_t size = call(nullptr, 0);
    if (size < 0) return std::nullopt;
    std::string buffer(static_cast<std::size_t>(size), '\0');
    const ssize_t got = call(buffer.data(), buffer.size());
    if (got >= 0) {
      buffer.resize(static_cast<std::size_t>(got));
      return buffer;
    }
    if (errno != ERANGE) return std::nullopt;
  }
  return std::nullopt;
}

std::vector<std::string> AttributeNames(int fd) {
  const std::optional<std::string> list =
      ReadSized([fd](char* buffer, std::size_t size) { return ::flistxattr(fd, buffer, size); });
  std::vector<std::string> names;
  for (std::size_t start = 0; list && start < list->size();) {
    const std::size_t end = std::min(list->find('\0', start), list->size());
    names.push_back(list->substr(start, end - start));
    start = end + 1;
  }
  return names;
}

// The extended attributes of from, its access ACL among them, pass to to;
// what to inherited from a default ACL of the folder, and from never had,
// goes. A file system without attributes (ENOTSUP), or one this user may
// not set, costs that attribute and nothing else.
void CopyAttributes(int from, int to) {
  const std::vector<std::string> names = AttributeNames(from);
  for (const std::string& name : AttributeNames(to)) {
    if (std::find(names.begin(), names.end(), name) == names.end()) {
      ::fremovexattr(to, name.c_str());
    }
  }
  for (const std::string& name : names) {
    const std::optional<std::string> value = ReadSized([&](char* buffer, std::size_t size) {
      return ::fgetxattr(from, name.c_str(), buffer, size);
    });
    if (value) ::fsetxattr(to, name.c_str(), value->data(), value->size(), 0);
  }
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

  // Rewriting keeps the owner, mode and attributes the file had, as
  // rewriting it in place would. Only root may give a file away; for others
  // the owner stays theirs and the group where they may. The mode comes
  // after the owner (a change of owner clears set-id bits) and before the
  // ACL, which agrees with it.
  void TakeAfter(int likeFd) {
    struct stat like {};
    if (::fstat(likeFd, &like) != 0) return;
    const bool owned = ::fchown(fd_.Get(), like.st_uid, like.st_gid) == 0 ||
                       ::fchown(fd_.Get(), static_cast<uid_t>(-1), like.st_gid) == 0;
    const bool moded = ::fchmod(fd_.Get(), like.st_mode & 07777) == 0;
    // None of them is needed for the table itself.
    static_cast<void>(owned && moded);
    CopyAttributes(likeFd, fd_.Get());
  }

  bool WriteAll(std::string_view bytes, std::error_code& ec) {
    return WriteFromStart(fd_.Get(), bytes, ec);
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

// A file system without locks gets no lock: the update then runs as it
// would alone.
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

std::optional<std::string> ReadFrom(int fd, std::uint64_t offset, std::size_t limit) {
  std::string bytes(limit, '\0');
  std::size_t got = 0;
  while (got < limit) {
    const ssize_t n =
        ::pread(fd, bytes.data() + got, limit - got, static_cast<off_t>(offset + got));
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

bool ReplaceFile(const fs::path& target, std::string_view bytes, int likeFd,
                 std::error_code& ec) {
  TTempFile temp;
  if (!temp.Create(target, ec)) return false;
  if (likeFd >= 0) temp.TakeAfter(likeFd);
  if (!temp.WriteAll(bytes, ec) || !temp.SyncAndClose(ec)) return false;
  if (::rename(temp.Path().c_str(), target.c_str()) != 0) {
    ec = LastError();
    return false;
  }
  temp.Keep();
  SyncFolder(target);
  return true;
}

bool RefusedByFolder(const std::error_code& ec) {
  return ec == std::errc::permission_denied || ec == std::errc::operation_not_permitted;
}

bool RewriteInPlace(const fs::path& target, const struct stat& locked, std::string_view bytes,
                    std::error_code& ec) {
  const TFd fd = OpenRegular(target, O_WRONLY);
  struct stat opened {};
  if (!fd || ::fstat(fd.Get(), &opened) != 0) {
    ec = LastError();
    return false;
  }
  if (!SameFile(opened, locked)) {
    ec = {ESTALE, std::generic_category()};
    return false;
  }
  // Cut after the write: the update's new table is never shorter than the
  // entries of the old one that a reader takes, so a crash in between
  // leaves only bytes that no reader looks at.
  if (!WriteFromStart(fd.Get(), bytes, ec)) return false;
  if (::ftruncate(fd.Get(), static_cast<off_t>(bytes.size())) != 0 || ::fsync(fd.Get()) != 0) {
    ec = LastError();
    return false;
  }
  return true;
}

}  // namespace varlo::records_io
