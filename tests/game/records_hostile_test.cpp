// What real folders may hold under the records file's name: a FIFO, a link
// to a device, a huge file, a file the player may not write, links (also
// dangling ones) and the temporary files of crashed updates. None of them
// blocks the game, eats its memory or costs a table; a link stays a link.
//
// This program is linked with fsync and rename wrapped (--wrap), so the
// tests see in which order the records code syncs and renames.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "child_process.h"
#include "records.h"
#include "temp_folder.h"

namespace {

// (what, inode): "sync file" and "sync folder" with the synced inode,
// "rename" with the inode of the folder the file was renamed into.
std::vector<std::pair<std::string, ino_t>>& Steps() {
  static std::vector<std::pair<std::string, ino_t>> steps;
  return steps;
}

ino_t InodeOf(const std::filesystem::path& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 ? info.st_ino : 0;
}

}  // namespace

extern "C" int __real_fsync(int fd);
extern "C" int __real_rename(const char* from, const char* to);

extern "C" int __wrap_fsync(int fd) {
  struct stat info {};
  if (::fstat(fd, &info) == 0)
    Steps().emplace_back(S_ISDIR(info.st_mode) ? "sync folder" : "sync file", info.st_ino);
  return __real_fsync(fd);
}

extern "C" int __wrap_rename(const char* from, const char* to) {
  const int result = __real_rename(from, to);
  if (result == 0) Steps().emplace_back("rename", InodeOf(std::filesystem::path(to).parent_path()));
  return result;
}

namespace varlo {
namespace {

namespace fs = std::filesystem;
using namespace varlo_test;

using TNames = std::set<std::string>;
const TNames OnlyTheFile{RecordsFileName};

// ---------------------------------------------------------------------------
// What is not a regular file

TEST(RecordsHostile, FifoIsNeitherReadNorWaitedFor) {
  TempFolder dir;
  const fs::path file = dir.File();
  ASSERT_EQ(::mkfifo(file.c_str(), 0644), 0);
  // Without a writer, opening a FIFO to read blocks for ever.
  const ChildResult result = RunChild(false, [&] {
    int failures = 0;
    if (ReadRecordsFile(file).has_value()) failures |= 1;
    if (UpdateRecordsFile(file, {"Zoe", 5})) failures |= 2;
    if (!EnsureRecordsFile(file, nullptr)) failures |= 4;
    return failures;
  });
  ExpectQuietReturn(result);
  EXPECT_EQ(result.code & 1, 0) << "the FIFO was read as records";
  EXPECT_EQ(result.code & 2, 0) << "the update reported success";
  EXPECT_EQ(result.code & 4, 0) << "the start-up did not leave the FIFO alone";
  EXPECT_TRUE(fs::is_fifo(file));
  EXPECT_EQ(FolderNames(dir.Path()), OnlyTheFile);
}

TEST(RecordsHostile, LinkToADeviceCountsAsNoRecords) {
  TempFolder dir;
  const fs::path file = dir.File();
  fs::create_symlink("/dev/zero", file);
  // /dev/zero never ends: a reader without a bound fills the memory.
  const ChildResult result = RunChild(false, [&] {
    int failures = 0;
    if (ReadRecordsFile(file).has_value()) failures |= 1;
    if (UpdateRecordsFile(file, {"Zoe", 5})) failures |= 2;
    return failures;
  });
  ExpectQuietReturn(result);
  EXPECT_EQ(result.code, 0) << "1: the device was read, 2: the update reported success";
  EXPECT_EQ(fs::read_symlink(file), fs::path("/dev/zero"));
  EXPECT_EQ(FolderNames(dir.Path()), OnlyTheFile);
}

TEST(RecordsHostile, HugeFileIsReadNoFurtherThanTenEntries) {
  TempFolder dir;
  const fs::path file = dir.File();
  std::string twelve;
  for (int i = 0; i < 12; ++i) twelve += Entry("P" + std::to_string(i), 100 - i);
  WriteBytes(file, twelve);
  fs::resize_file(file, 200u << 20);  // sparse: 200 MB that take no room
  const std::vector<TTopEntry> firstTen = DecodeRecords(twelve.substr(0, 10 * TopEntrySize));
  EXPECT_EQ(ReadRecordsFile(file), firstTen);
  // P0 100 .. P4 96, then New 96 behind its equal, P5 95 .. P7 93.
  ASSERT_TRUE(UpdateRecordsFile(file, {"New", 96}));
  EXPECT_EQ(ReadBytes(file), twelve.substr(0, 5 * TopEntrySize) + Entry("New", 96) +
                                 twelve.substr(5 * TopEntrySize, 4 * TopEntrySize));
}

// ---------------------------------------------------------------------------
// Files the player may not write

// The player (an unprivileged child) updates a file he may not write in a
// folder that he may.
void ExpectUpdateRefused(const TempFolder& dir, const std::string& old) {
  const fs::path file = dir.File();
  const ChildResult result = RunChild(true, [&] {
    if (::access(dir.Path().c_str(), W_OK) != 0 || ::access(file.c_str(), W_OK) == 0)
      return FaultNotEnforced;
    return UpdateRecordsFile(file, {"Zoe", 250}) ? 1 : 0;
  });
  if (CannotStage(result)) GTEST_SKIP() << WhyNotStaged(result);
  ExpectQuietReturn(result);
  EXPECT_EQ(result.code, 0) << "the update reported success";
  EXPECT_EQ(ReadBytes(file), old);
  EXPECT_EQ(FolderNames(dir.Path()), OnlyTheFile);
}

TEST(RecordsHostile, ReadOnlyFileInAWritableFolderStaysAsItIs) {
  TempFolder dir;
  const std::string old = Entry("Ann", 300) + Entry("Jack", 0);
  WriteBytes(dir.File(), old);
  HandOver(dir.File(), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  HandOver(dir.Path(), fs::perms::owner_all);
  ExpectUpdateRefused(dir, old);
}

TEST(RecordsHostile, FileOfAnotherOwnerInAWritableFolderStaysAsItIs) {
  if (::geteuid() != 0) GTEST_SKIP() << "only root can give a file to another user";
  TempFolder dir;
  const std::string old = Entry("Ann", 300) + Entry("Jack", 0);
  WriteBytes(dir.File(), old);
  fs::permissions(dir.File(), fs::perms::owner_read | fs::perms::owner_write |
                                  fs::perms::group_read | fs::perms::others_read);
  HandOver(dir.Path(), fs::perms::owner_all);
  ExpectUpdateRefused(dir, old);
}

// Root may write any file, but a file without any write bit is read-only
// to root too; a file root rewrites stays its owner's.
TEST(RecordsHostile, RootLeavesReadOnlyFilesAndGivesNoFileAway) {
  if (::geteuid() != 0) GTEST_SKIP() << "root's own rules";
  TempFolder dir;
  const fs::path file = dir.File();
  const std::string old = Entry("Ann", 300);
  WriteBytes(file, old);
  fs::permissions(file, fs::perms::owner_read | fs::perms::group_read);
  EXPECT_FALSE(UpdateRecordsFile(file, {"Zoe", 250}));
  EXPECT_EQ(ReadBytes(file), old);

  const fs::perms mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
  HandOver(file, mode);
  ASSERT_TRUE(UpdateRecordsFile(file, {"Zoe", 250}));
  EXPECT_EQ(ReadBytes(file), old + Entry("Zoe", 250));
  struct stat info {};
  ASSERT_EQ(::stat(file.c_str(), &info), 0);
  EXPECT_EQ(info.st_uid, NobodyUser);
  EXPECT_EQ(info.st_gid, NobodyGroup);
  EXPECT_EQ(fs::status(file).permissions() & fs::perms::all, mode);
}

// ---------------------------------------------------------------------------
// Links

TEST(RecordsHostile, LinkStaysAndTheFileItLeadsToGetsTheNewTable) {
  TempFolder dir;
  for (const char* folder : {"app", "links", "data"}) fs::create_directory(dir.Path() / folder);
  const fs::path real = dir.Path() / "data" / "records.bin";
  const fs::path file = dir.Path() / "app" / RecordsFileName;
  WriteBytes(real, Entry("Jack", 0));
  // A relative link to an absolute one.
  fs::create_symlink(real, dir.Path() / "links" / "hop");
  fs::create_symlink("../links/hop", file);
  EXPECT_EQ(ReadRecordsFile(file), (std::vector<TTopEntry>{{"Jack", 0}}));
  Steps().clear();
  ASSERT_TRUE(UpdateRecordsFile(file, {"You", 120}));
  EXPECT_EQ(ReadBytes(real), Entry("You", 120) + Entry("Jack", 0));
  EXPECT_EQ(fs::read_symlink(file), fs::path("../links/hop"));
  EXPECT_EQ(fs::read_symlink(dir.Path() / "links" / "hop"), real);
  EXPECT_EQ(FolderNames(dir.Path() / "app"), OnlyTheFile);
  EXPECT_EQ(FolderNames(dir.Path() / "data"), TNames{"records.bin"});
  ASSERT_FALSE(Steps().empty());
  EXPECT_EQ(Steps().back(), std::make_pair(std::string("sync folder"), InodeOf(real.parent_path())));
}

TEST(RecordsHostile, DanglingLinkHasNoRecordsUntilTheStartUpMakesTheFile) {
  TempFolder dir;
  fs::create_directory(dir.Path() / "data");
  const fs::path file = dir.File();
  fs::create_symlink("data/records.bin", file);
  EXPECT_FALSE(ReadRecordsFile(file).has_value());
  EXPECT_FALSE(UpdateRecordsFile(file, {"You", 120}));
  EXPECT_TRUE(FolderNames(dir.Path() / "data").empty());
  // The start-up makes the file where the link points.
  std::string error;
  ASSERT_TRUE(EnsureRecordsFile(file, &error)) << error;
  EXPECT_EQ(fs::read_symlink(file), fs::path("data/records.bin"));
  EXPECT_EQ(ReadRecordsFile(file), (std::vector<TTopEntry>{{"Jack", 0}}));

  // A link into a missing folder, and a link to itself: reported, kept.
  for (const char* target : {"nowhere/records.bin", "Other.ini"}) {
    const fs::path other = dir.Path() / "Other.ini";
    fs::create_symlink(target, other);
    EXPECT_FALSE(UpdateRecordsFile(other, {"You", 120}));
    EXPECT_FALSE(EnsureRecordsFile(other, &error)) << target;
    EXPECT_NE(error.find(other.string()), std::string::npos);
    EXPECT_EQ(fs::read_symlink(other), fs::path(target));
    fs::remove(other);
  }
  EXPECT_EQ(FolderNames(dir.Path()), (TNames{RecordsFileName, "data"}));
}

// ---------------------------------------------------------------------------
// Syncing and what crashes leave

TEST(RecordsHostile, FolderIsSyncedAfterTheRename) {
  TempFolder dir;
  const fs::path file = dir.File();
  const ino_t folder = InodeOf(dir.Path());
  for (const bool create : {true, false}) {
    Steps().clear();
    ASSERT_TRUE(create ? EnsureRecordsFile(file, nullptr) : UpdateRecordsFile(file, {"You", 1}));
    ASSERT_EQ(Steps().size(), 3u) << (create ? "creation" : "update");
    EXPECT_EQ(Steps()[0], std::make_pair(std::string("sync file"), InodeOf(file)));
    EXPECT_EQ(Steps()[1], std::make_pair(std::string("rename"), folder));
    EXPECT_EQ(Steps()[2], std::make_pair(std::string("sync folder"), folder));
  }
}

// A process id that no process has now.
pid_t GonePid() {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ::waitpid(child, nullptr, 0);
  return child;
}

TEST(RecordsHostile, LeftoversOfCrashedUpdatesGoAndLiveOnesStay) {
  TempFolder dir;
  const fs::path file = dir.File();
  WriteBytes(file, Entry("Jack", 0));
  const std::string gone = std::to_string(GonePid());
  // Another game's process, alive: the parent of this test.
  const std::string live = std::to_string(::getppid());
  const TNames removed{".Varlo.ini.tmp-" + gone + "-0", ".Varlo.ini.tmp-" + live + "-2"};
  const TNames kept{".Varlo.ini.tmp-" + live + "-1", ".Varlo.ini.tmp-" + gone + "-x",
                    ".Varlo.ini.tmp-" + gone, ".Other.ini.tmp-" + gone + "-0",
                    "Varlo.ini.tmp-" + gone + "-0"};
  for (const auto& name : removed) WriteBytes(dir.Path() / name, "half");
  for (const auto& name : kept) WriteBytes(dir.Path() / name, "half");
  fs::create_directory(dir.Path() / (".Varlo.ini.tmp-" + gone + "-3"));
  // Two days old: no update takes that long.
  const timeval twoDaysAgo{::time(nullptr) - 2 * 24 * 60 * 60, 0};
  const timeval times[2] = {twoDaysAgo, twoDaysAgo};
  ASSERT_EQ(::utimes((dir.Path() / (".Varlo.ini.tmp-" + live + "-2")).c_str(), times), 0);

  ASSERT_TRUE(UpdateRecordsFile(file, {"You", 120}));
  TNames expected = kept;
  expected.insert(RecordsFileName);
  expected.insert(".Varlo.ini.tmp-" + gone + "-3");
  EXPECT_EQ(FolderNames(dir.Path()), expected);
  EXPECT_EQ(ReadBytes(file), Entry("You", 120) + Entry("Jack", 0));
}

}  // namespace
}  // namespace varlo
