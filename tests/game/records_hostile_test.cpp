// What real folders hold under the records file's name: a FIFO, a link to a
// device, a huge file, files the player may not write, links, and what
// crashed updates leave. Nothing blocks, nothing is lost, a link stays.
// Linked with fsync and rename wrapped (--wrap) to see the order of both.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/time.h>

#include <utility>
#include <vector>

#include "child_process.h"
#include "records.h"
#include "temp_folder.h"

namespace {

// ("sync", synced inode) and ("rename", inode of the folder renamed into).
std::vector<std::pair<std::string, ino_t>> Steps;

ino_t InodeOf(const std::filesystem::path& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 ? info.st_ino : 0;
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
  if (result == 0) Steps.emplace_back("rename", InodeOf(std::filesystem::path(to).parent_path()));
  return result;
}

namespace varlo {
namespace {

namespace fs = std::filesystem;
using namespace varlo_test;
using TNames = std::set<std::string>;
const TNames OnlyTheFile{RecordsFileName};

TEST(RecordsHostile, FifoOrDeviceCountsAsNoRecordsAndNeverBlocks) {
  for (const bool fifo : {true, false}) {
    TempFolder dir;
    const fs::path file = dir.File();
    // An open FIFO without a writer blocks; /dev/zero never ends.
    if (fifo) {
      ASSERT_EQ(::mkfifo(file.c_str(), 0644), 0);
    } else {
      fs::create_symlink("/dev/zero", file);
    }
    const ChildResult result = RunChild(false, [&] {
      return (ReadRecordsFile(file) ? 1 : 0) | (UpdateRecordsFile(file, {"Z", 5}) ? 2 : 0);
    });
    ExpectQuietReturn(result);
    EXPECT_EQ(result.code, 0) << "1: read as records, 2: the update reported success";
    EXPECT_TRUE(fifo ? fs::is_fifo(file) : fs::is_symlink(file));
    EXPECT_EQ(FolderNames(dir.Path()), OnlyTheFile);
  }
}

TEST(RecordsHostile, HugeFileIsReadNoFurtherThanTenEntries) {
  TempFolder dir;
  std::string twelve;
  for (int i = 0; i < 12; ++i) twelve += Entry("P" + std::to_string(i), 100 - i);
  WriteBytes(dir.File(), twelve);
  fs::resize_file(dir.File(), 200u << 20);  // sparse
  EXPECT_EQ(ReadRecordsFile(dir.File()), DecodeRecords(twelve.substr(0, 10 * TopEntrySize)));
  ASSERT_TRUE(UpdateRecordsFile(dir.File(), {"New", 96}));
  EXPECT_EQ(ReadBytes(dir.File()), twelve.substr(0, 5 * TopEntrySize) + Entry("New", 96) +
                                       twelve.substr(5 * TopEntrySize, 4 * TopEntrySize));
}

// The player, an unprivileged child, in a folder he may write: a read-only
// file of his, then (staged by root only) a file of another owner.
TEST(RecordsHostile, FileThePlayerMayNotWriteStaysByteForByte) {
  for (const bool foreign : {false, true}) {
    if (foreign && ::geteuid() != 0) GTEST_SKIP() << "only root can stage another owner";
    TempFolder dir;
    const std::string old = Entry("Ann", 300) + Entry("Jack", 0);
    WriteBytes(dir.File(), old);
    if (!foreign) HandOver(dir.File(), fs::perms::none);
    fs::permissions(dir.File(), fs::perms::owner_read | fs::perms::others_read |
                                    (foreign ? fs::perms::owner_write : fs::perms::none));
    HandOver(dir.Path(), fs::perms::owner_all);
    const ChildResult result = RunChild(true, [&] {
      if (::access(dir.File().c_str(), W_OK) == 0) return FaultNotEnforced;
      return UpdateRecordsFile(dir.File(), {"Zoe", 250}) ? 1 : 0;
    });
    if (CannotStage(result)) GTEST_SKIP() << WhyNotStaged(result);
    ExpectQuietReturn(result);
    EXPECT_EQ(result.code, 0) << "the update reported success";
    EXPECT_EQ(ReadBytes(dir.File()), old);
    EXPECT_EQ(FolderNames(dir.Path()), OnlyTheFile);
  }
}

// Root may write anything but a file without a write bit, and the file he
// rewrites stays its owner's.
TEST(RecordsHostile, RootLeavesReadOnlyFilesAndGivesNoFileAway) {
  if (::geteuid() != 0) GTEST_SKIP() << "root's own rules";
  TempFolder dir;
  WriteBytes(dir.File(), Entry("Ann", 300));
  fs::permissions(dir.File(), fs::perms::owner_read);
  EXPECT_FALSE(UpdateRecordsFile(dir.File(), {"Zoe", 250}));
  HandOver(dir.File(), fs::perms::owner_read | fs::perms::owner_write);
  ASSERT_TRUE(UpdateRecordsFile(dir.File(), {"Zoe", 250}));
  EXPECT_EQ(ReadBytes(dir.File()), Entry("Ann", 300) + Entry("Zoe", 250));
  struct stat info {};
  ASSERT_EQ(::stat(dir.File().c_str(), &info), 0);
  EXPECT_EQ(std::make_pair(info.st_uid, info.st_mode & 0777), std::make_pair(NobodyUser, 0600u));
}

TEST(RecordsHostile, LinkStaysAndItsFileGetsTheTableAndASyncedFolder) {
  TempFolder dir;
  fs::create_directory(dir.Path() / "data");
  const fs::path real = dir.Path() / "data" / "records.bin";
  WriteBytes(real, Entry("Jack", 0));
  fs::create_symlink(real, dir.Path() / "hop");  // a relative link to an absolute one
  fs::create_symlink("hop", dir.File());
  Steps.clear();
  ASSERT_TRUE(UpdateRecordsFile(dir.File(), {"You", 120}));
  EXPECT_EQ(ReadBytes(real), Entry("You", 120) + Entry("Jack", 0));
  EXPECT_EQ(fs::read_symlink(dir.File()), "hop");
  EXPECT_EQ(FolderNames(dir.Path() / "data"), TNames{"records.bin"});
  const ino_t folder = InodeOf(real.parent_path());
  const decltype(Steps) expected{{"sync", InodeOf(real)}, {"rename", folder}, {"sync", folder}};
  EXPECT_EQ(Steps, expected);
}

// A dangling link has no records; the start-up makes the file it points to.
TEST(RecordsHostile, DanglingLinkGetsItsFileAtStartUp) {
  TempFolder dir;
  fs::create_symlink("made.bin", dir.File());
  fs::create_symlink("Loop.ini", dir.Path() / "Loop.ini");
  EXPECT_FALSE(UpdateRecordsFile(dir.File(), {"You", 120}));
  EXPECT_FALSE(UpdateRecordsFile(dir.Path() / "Loop.ini", {"You", 120}));
  EXPECT_FALSE(EnsureRecordsFile(dir.Path() / "Loop.ini", nullptr));
  ASSERT_TRUE(EnsureRecordsFile(dir.File(), nullptr));
  EXPECT_EQ(fs::read_symlink(dir.File()), "made.bin");
  EXPECT_EQ(ReadBytes(dir.Path() / "made.bin").substr(0, 5), "\x04Jack");
}

TEST(RecordsHostile, LeftoversOfGoneOrDayOldWritersAreRemoved) {
  TempFolder dir;
  WriteBytes(dir.File(), Entry("Jack", 0));
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ::waitpid(child, nullptr, 0);
  const std::string gone = ".Varlo.ini.tmp-" + std::to_string(child);
  const std::string live = ".Varlo.ini.tmp-" + std::to_string(::getppid());  // another game
  const TNames kept{RecordsFileName, live + "-1", gone + "-x", ".Other.ini.tmp-1-1"};
  for (const auto& name : kept) WriteBytes(dir.Path() / name, "half");
  WriteBytes(dir.Path() / (gone + "-0"), "half");
  WriteBytes(dir.Path() / (live + "-2"), "half");
  const timeval twoDaysAgo{::time(nullptr) - 2 * 86400, 0};
  const timeval times[2] = {twoDaysAgo, twoDaysAgo};
  ASSERT_EQ(::utimes((dir.Path() / (live + "-2")).c_str(), times), 0);
  ASSERT_TRUE(UpdateRecordsFile(dir.File(), {"You", 120}));
  EXPECT_EQ(FolderNames(dir.Path()), kept);
}

}  // namespace
}  // namespace varlo
