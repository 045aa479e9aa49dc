// What real folders hold under the records file's name: a FIFO, a link to a
// device, files the player may not write, links, and what crashed updates
// leave. Nothing blocks, nothing is lost, a link stays. Linked with fsync
// and rename wrapped (--wrap) to see the order of both.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <utility>
#include <vector>

#include "child_process.h"
#include "records.h"
#include "temp_folder.h"

namespace fs = std::filesystem;

namespace {

// ("sync", synced inode) and ("rename", inode of the folder renamed into).
std::vector<std::pair<std::string, ino_t>> Steps;

struct stat StatOf(const fs::path& path) {
  struct stat info {};
  ::stat(path.c_str(), &info);
  return info;
}

}  // namespace

extern "C" int __real_fsync(int fd);
extern "C" int __real_rename(const char* from, const char* to);
extern "C" int __wrap_fsync(int fd) {
  struct stat info {};
  if (::fstat(fd, &info) == 0) Steps.emplace_back("sync", info.st_ino);
  return __real_fsync(fd);
}
extern "C" int __wrap_rename(const char* from, const char* to) {
  const int result = __real_rename(from, to);
  if (result == 0) Steps.emplace_back("rename", StatOf(fs::path(to).parent_path()).st_ino);
  return result;
}

namespace varlo {
namespace {

using namespace varlo_test;
using TNames = std::set<std::string>;
const TNames OnlyTheFile{RecordsFileName};

// Nothing blocks, and what may not be read or rewritten stays as it is: a
// FIFO and a link to /dev/zero are no records, and an update fails silently
// on a file without a write bit (root included) and, for an unprivileged
// child, on a file of another owner (staged by root only).
TEST(RecordsHostile, WhatMayNotBeReadOrRewrittenStaysAsItIs) {
  enum TStaged { Fifo, Device, NoWriteBit, Foreign };
  for (const TStaged staged : {Fifo, Device, NoWriteBit, Foreign}) {
    SCOPED_TRACE(staged);
    if (staged == Foreign && ::geteuid() != 0) GTEST_SKIP() << "only root can stage another owner";
    TempFolder dir;
    const fs::path file = dir.File();
    const std::string old = Entry("Ann", 300) + Entry("Jack", 0);
    // An open FIFO without a writer blocks; /dev/zero never ends.
    if (staged == Fifo) ::mkfifo(file.c_str(), 0644);
    if (staged == Device) fs::create_symlink("/dev/zero", file);
    if (staged >= NoWriteBit) WriteBytes(file, old);
    if (staged >= NoWriteBit) fs::permissions(file, fs::perms(staged == Foreign ? 0644 : 0444));
    HandOver(dir.Path(), fs::perms::owner_all);
    // A broken update as root would replace /dev/zero: tried unprivileged.
    const ChildResult result = RunChild(staged == Device || staged == Foreign, [&] {
      if (staged == Foreign && ::access(file.c_str(), W_OK) == 0) return FaultNotEnforced;
      return (ReadRecordsFile(file) ? 1 : 0) | (UpdateRecordsFile(file, {"Zoe", 250}) ? 2 : 0);
    });
    if (CannotStage(result)) GTEST_SKIP() << WhyNotStaged(result);
    ExpectQuietReturn(result);
    EXPECT_EQ(result.code, staged >= NoWriteBit ? 1 : 0) << "1: read as records, 2: updated";
    EXPECT_TRUE(staged < NoWriteBit || ReadBytes(file) == old) << "the file changed";
    EXPECT_EQ(FolderNames(dir.Path()), OnlyTheFile);
  }
}

// Links stay. The file they lead to is made where they dangled, takes the
// table, keeps its owner and mode (root gives no file away) and has its
// folder synced after the rename. A loop of links is no file.
TEST(RecordsHostile, LinkStaysAndItsFileGetsTheTableAndASyncedFolder) {
  TempFolder dir;
  fs::create_directory(dir.Path() / "data");
  const fs::path real = dir.Path() / "data" / "records.bin";
  fs::create_symlink(real, dir.Path() / "hop");  // a relative link to an absolute one
  fs::create_symlink("hop", dir.File());
  ASSERT_TRUE(EnsureRecordsFile(dir.File(), nullptr));
  HandOver(real, fs::perms::owner_read | fs::perms::owner_write);
  const struct stat before = StatOf(real);
  Steps.clear();
  ASSERT_TRUE(UpdateRecordsFile(dir.File(), {"You", 120}));
  EXPECT_EQ(ReadBytes(real), Entry("You", 120) + Entry("Jack", 0));
  EXPECT_EQ(fs::read_symlink(dir.File()), "hop");
  EXPECT_EQ(FolderNames(dir.Path() / "data"), TNames{"records.bin"});
  const struct stat after = StatOf(real);
  EXPECT_EQ(std::pair(after.st_uid, after.st_mode), std::pair(before.st_uid, before.st_mode));
  const ino_t folder = StatOf(real.parent_path()).st_ino;
  const decltype(Steps) expected{{"sync", after.st_ino}, {"rename", folder}, {"sync", folder}};
  EXPECT_EQ(Steps, expected);
  fs::create_symlink("Loop.ini", dir.Path() / "Loop.ini");
  EXPECT_FALSE(EnsureRecordsFile(dir.Path() / "Loop.ini", nullptr));
}

TEST(RecordsHostile, LeftoversOfGoneOrDayOldWritersAreRemoved) {
  TempFolder dir;
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ::waitpid(child, nullptr, 0);
  const std::string gone = ".Varlo.ini.tmp-" + std::to_string(child);
  const std::string live = ".Varlo.ini.tmp-" + std::to_string(::getppid());  // another game
  const TNames kept{RecordsFileName, live + "-1", gone + "-x", ".Other.ini.tmp-1-1"};
  for (const auto& name : kept) WriteBytes(dir.Path() / name, "half");
  for (const auto& name : {gone + "-0", live + "-2"}) WriteBytes(dir.Path() / name, "half");
  fs::last_write_time(dir.Path() / (live + "-2"),
                      fs::file_time_type::clock::now() - std::chrono::hours(48));
  ASSERT_TRUE(UpdateRecordsFile(dir.File(), {"You", 120}));
  EXPECT_EQ(FolderNames(dir.Path()), kept);
}

}  // namespace
}  // namespace varlo
