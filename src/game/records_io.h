// The file system side of the records file: what may be opened, how much of
// it is read, the lock that makes one update a single step for every game
// sharing the folder, the replacement through a temporary file and the
// rewrite in place where the folder allows no temporary file.
#pragma once

#include <sys/stat.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace varlo::records_io {

using TDeadline = std::chrono::steady_clock::time_point;

// A file descriptor, closed with its owner.
class TFd {
 public:
  TFd() = default;
  explicit TFd(int fd) : fd_(fd) {}
  TFd(TFd&& other) noexcept : fd_(other.Release()) {}
  TFd& operator=(TFd&& other) noexcept;
  TFd(const TFd&) = delete;
  TFd& operator=(const TFd&) = delete;
  ~TFd();

  int Get() const { return fd_; }
  explicit operator bool() const { return fd_ >= 0; }
  int Release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
  }

 private:
  int fd_ = -1;
};

// The path that reads and writes through file reach once every symbolic
// link of its last part is followed; for a dangling link, where its target
// would be. Nullopt for a loop of links.
std::optional<std::filesystem::path> FinalTarget(const std::filesystem::path& file);

// Opens file only when it is a regular file (errno set otherwise): a FIFO
// would block the game and a device would never end.
TFd OpenRegular(const std::filesystem::path& file, int access);

// At most limit bytes of the file from the offset on (fewer at its end).
std::optional<std::string> ReadFrom(int fd, std::uint64_t offset, std::size_t limit);
// The first limit bytes of the file (fewer when it is shorter).
inline std::optional<std::string> ReadStart(int fd, std::size_t limit) {
  return ReadFrom(fd, 0, limit);
}

// Waits for the exclusive lock on fd until the deadline.
bool LockBefore(int fd, TDeadline deadline);

// Opens the regular file target for reading and holds its exclusive lock
// until the descriptor closes. Empty when the file cannot be opened or the
// lock is not had by the deadline.
TFd LockForUpdate(const std::filesystem::path& target, TDeadline deadline);

// Whether the player may rewrite the file: write permission, and for
// everyone, root included, at least one write bit in its mode.
bool MayRewrite(const std::filesystem::path& target, const struct stat& info);

// Removes the temporary files beside target that crashed updates left:
// those whose process is gone or that are more than a day old.
void RemoveLeftovers(const std::filesystem::path& target);

// Replaces target by the bytes through a synced temporary file beside it, a
// rename and a sync of the folder. The new file takes the owner (where the
// system allows), mode and extended attributes (the access ACL among them)
// of the open file likeFd; with likeFd -1, those of a new file.
bool ReplaceFile(const std::filesystem::path& target, std::string_view bytes, int likeFd,
                 std::error_code& ec);

// Whether a failed replacement failed because the folder refused the
// temporary file or the rename, while the file itself may still be written.
bool RefusedByFolder(const std::error_code& ec);

// Writes the bytes over the start of the file target, which must still be
// the file locked, cuts it after them and syncs it: the file keeps its
// inode, owner, group, mode and attributes. A crash in the middle may leave
// a mixed table, so this is only for a folder that allows nothing else.
bool RewriteInPlace(const std::filesystem::path& target, const struct stat& locked,
                    std::string_view bytes, std::error_code& ec);

}  // namespace varlo::records_io
