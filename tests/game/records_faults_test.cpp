// The records file under faults: no permission, a folder in its place, a full
// disk, a kill in the middle of a rewrite. Whatever happens, the file holds
// either the old table or the new one, never a part of either; where only
// the file may be written, the table goes into it in place.
//
// The faults are staged in child processes: permission faults need a user
// that file modes apply to (the tests may run as root), a size limit must not
// stay on the test process, and a kill needs a process to kill. A child also
// shows that the calls return without throwing or printing anything.
#include "records.h"

#include <gtest/gtest.h>

#include "child_process.h"
#include "temp_folder.h"
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <set>
#include <string>
#include <string_view>
#include <tuple>

namespace varlo {
namespace {

namespace fs = std::filesystem;

using namespace varlo_test;

const std::set<std::string> OnlyTheFile{RecordsFileName};

// ---------------------------------------------------------------------------
// Permissions

// The score file an administrator shares (a folder of root's, the file in
// the player's group with mode 0664), played directly and through a link in
// the player's own folder: the update rewrites the file in place, with its
// inode, owner, group and mode, keeps the link and leaves no temporary file.
TEST(RecordsFault, SharedFileIsRewrittenInPlaceDirectlyOrThroughALink) {
  if (::geteuid() != 0) GTEST_SKIP() << "only root can stage a shared file";
  for (const bool linked : {false, true}) {
    SCOPED_TRACE(linked ? "through a link" : "directly");
    TempFolder dir;
    const fs::path file = dir.File();
    const fs::path link = dir.Path() / "home" / RecordsFileName;
    WriteBytes(file, Entry("Ann", 300) + Entry("Jack", 0));
    ASSERT_EQ(::chown(file.c_str(), 0, NobodyGroup), 0);
    fs::permissions(file, fs::perms(0664));
    fs::permissions(dir.Path(), fs::perms(0755));
    fs::create_directory(link.parent_path());
    fs::create_symlink(file, link);
    HandOver(link.parent_path(), fs::perms::owner_all);
    const struct stat before = FileInfo(file);
    const ChildResult result =
        RunChild(true, [&] { return UpdateRecordsFile(linked ? link : file, {"Zoe", 250}) ? 0 : 1; });
    if (CannotStage(result)) GTEST_SKIP() << WhyNotStaged(result);
    ExpectQuietReturn(result);
    EXPECT_EQ(result.code, 0) << "the update failed";
    EXPECT_EQ(ReadBytes(file), Entry("Ann", 300) + Entry("Zoe", 250) + Entry("Jack", 0));
    const struct stat after = FileInfo(file);
    EXPECT_EQ(std::tuple(after.st_ino, after.st_uid, after.st_gid, after.st_mode),
              std::tuple(before.st_ino, before.st_uid, before.st_gid, before.st_mode));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(FolderNames(dir.Path()), (std::set<std::string>{RecordsFileName, "home"}));
    EXPECT_EQ(FolderNames(link.parent_path()), OnlyTheFile);
  }
}

TEST(RecordsFault, UnreadableFileIsNotReplacedByTheNewEntryAlone) {
  TempFolder dir;
  const fs::path file = dir.File();
  const std::string old = Entry("Ann", 300) + Entry("Jack", 0);
  WriteBytes(file, old);
  fs::permissions(file, fs::perms::none);
  // The folder may be written: nothing but the unreadable file stops a
  // rewrite that would hold only the new entry.
  HandOver(dir.Path(), fs::perms::owner_all | fs::perms::others_exec);
  const ChildResult result = RunChild(true, [&] {
    if (::access(file.c_str(), R_OK) == 0) return FaultNotEnforced;
    int failures = 0;
    if (ReadRecordsFile(file).has_value()) failures |= 1;
    if (UpdateRecordsFile(file, {"Zoe", 500})) failures |= 2;
    return failures;
  });
  if (CannotStage(result)) GTEST_SKIP() << WhyNotStaged(result);
  ExpectQuietReturn(result);
  EXPECT_EQ(result.code & 1, 0) << "an unreadable file was read";
  EXPECT_EQ(result.code & 2, 0) << "the update reported success";
  EXPECT_EQ(fs::status(file).permissions() & fs::perms::all, fs::perms::none);
  fs::permissions(file, fs::perms::owner_read);
  EXPECT_EQ(ReadBytes(file), old);
  EXPECT_EQ(FolderNames(dir.Path()), OnlyTheFile);
}

// ---------------------------------------------------------------------------
// Something else under the file's name

TEST(RecordsFault, FolderInPlaceOfTheFileIsReportedAndLeftAlone) {
  TempFolder dir;
  const fs::path target = dir.File();
  fs::create_directory(target);
  const std::string inside = Entry("Ann", 300);
  WriteBytes(target / RecordsFileName, inside);
  const ChildResult result = RunChild(false, [&] {
    int failures = 0;
    std::string error;
    if (ReadRecordsFile(target).has_value()) failures |= 1;
    if (UpdateRecordsFile(target, {"Zoe", 5})) failures |= 2;
    if (EnsureRecordsFile(target, &error)) failures |= 4;
    const std::size_t named = error.find(target.string());
    if (named == std::string::npos) failures |= 8;
    // The reason follows the name of the file.
    const std::string after = named == std::string::npos ? "" : error.substr(named);
    if (after.find_first_of("abcdefghijklmnopqrstuvwxyz", target.string().size()) ==
        std::string::npos)
      failures |= 16;
    return failures;
  });
  ExpectQuietReturn(result);
  EXPECT_EQ(result.code & 1, 0) << "a folder was read as the records file";
  EXPECT_EQ(result.code & 2, 0) << "the update reported success";
  EXPECT_EQ(result.code & 4, 0) << "the start-up took the folder for the file";
  EXPECT_EQ(result.code & 8, 0) << "the error does not name the file";
  EXPECT_EQ(result.code & 16, 0) << "the error gives no reason";
  EXPECT_TRUE(fs::is_directory(target));
  EXPECT_EQ(FolderNames(target), OnlyTheFile);
  EXPECT_EQ(ReadBytes(target / RecordsFileName), inside);
  EXPECT_EQ(FolderNames(dir.Path()), OnlyTheFile);
}

// ---------------------------------------------------------------------------
// A full disk

// Ten entries P0 100, P1 90, ..., P9 10.
std::string TenEntries() {
  std::string bytes;
  for (int i = 0; i < 10; ++i) bytes += Entry("P" + std::to_string(i), 100 - 10 * i);
  return bytes;
}

TEST(RecordsFault, FullTableMeetsAFullDiskAndIsWrittenLater) {
  TempFolder dir;
  const fs::path file = dir.File();
  const std::string old = TenEntries();
  WriteBytes(file, old);
  // The limit stops the new 200 bytes before the first, inside the first
  // entry, on an entry boundary, in the middle and one byte short.
  for (const rlim_t limit : {0, 1, 20, 21, 100, 199}) {
    SCOPED_TRACE("file size limit " + std::to_string(limit));
    const ChildResult result = RunChild(false, [&] {
      ::signal(SIGXFSZ, SIG_IGN);
      rlimit size{};
      ::getrlimit(RLIMIT_FSIZE, &size);
      size.rlim_cur = limit;
      if (::setrlimit(RLIMIT_FSIZE, &size) != 0) return FaultNotEnforced;
      return UpdateRecordsFile(file, {"Ann", 55}) ? 1 : 0;
    });
    if (CannotStage(result)) GTEST_SKIP() << "cannot limit the file size";
    ExpectQuietReturn(result);
    EXPECT_EQ(result.code, 0) << "the update reported success";
    EXPECT_EQ(ReadBytes(file), old);
    EXPECT_EQ(FolderNames(dir.Path()), OnlyTheFile);
  }
  // With room again, Ann 55 goes behind P4 60 and the lowest, P9 10, drops.
  ASSERT_TRUE(UpdateRecordsFile(file, {"Ann", 55}));
  EXPECT_EQ(ReadBytes(file), old.substr(0, 5 * TopEntrySize) + Entry("Ann", 55) +
                                 old.substr(5 * TopEntrySize, 4 * TopEntrySize));
  EXPECT_EQ(FolderNames(dir.Path()), OnlyTheFile);
}

// ---------------------------------------------------------------------------
// A kill in the middle of a rewrite

// The file after the first k results "Run 1" .. "Run k" (scores 1 .. k) went
// into the default file: each is the new best, so the latest comes first and
// "Jack" 0 drops out at the tenth.
std::string AfterRuns(std::int32_t k) {
  std::string bytes;
  for (std::int32_t i = k; i >= 1 && i > k - 10; --i) bytes += Entry("Run " + std::to_string(i), i);
  if (k < 10) bytes += Entry("Jack", 0);
  return bytes;
}

// The number of results a file holds by its first entry; 0 for the default.
std::int32_t RunsIn(const std::string& bytes) {
  const std::vector<TTopEntry> entries = DecodeRecords(bytes);
  return !entries.empty() && entries[0].Name.starts_with("Run ") ? entries[0].Score : 0;
}

[[noreturn]] void UpdateUntilKilled(const fs::path& file) {
  for (std::int32_t i = 1; i < INT32_MAX; ++i) {
    if (!UpdateRecordsFile(file, {"Run " + std::to_string(i), i})) ::_exit(1);
  }
  ::_exit(0);
}

// How long one update takes here, so the kills spread over a few of them.
std::chrono::microseconds OneUpdate(const fs::path& file) {
  WriteBytes(file, Entry("Jack", 0));
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < 5; ++i) EXPECT_TRUE(UpdateRecordsFile(file, {"Probe", i}));
  const auto took = std::chrono::steady_clock::now() - start;
  return std::chrono::duration_cast<std::chrono::microseconds>(took) / 5;
}

TEST(RecordsFault, KilledUpdatesLeaveTheOldOrTheNewTable) {
  TempFolder dir;
  const fs::path file = dir.File();
  const long window = 3 * OneUpdate(file).count() + 500;
  const unsigned seed = std::random_device{}();
  SCOPED_TRACE("seed " + std::to_string(seed));
  std::mt19937 random(seed);
  std::uniform_int_distribution<long> delay(0, window);
  std::FILE* output = std::tmpfile();
  ASSERT_NE(output, nullptr);
  int progressed = 0;
  for (int trial = 0; trial < 200; ++trial) {
    WriteBytes(file, Entry("Jack", 0));
    std::fflush(nullptr);
    const pid_t child = ::fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
      ::dup2(::fileno(output), STDOUT_FILENO);
      ::dup2(::fileno(output), STDERR_FILENO);
      UpdateUntilKilled(file);
    }
    ::usleep(static_cast<useconds_t>(delay(random)));
    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "an update failed in trial " << trial;
    const std::string bytes = ReadBytes(file);
    const std::int32_t runs = RunsIn(bytes);
    ASSERT_EQ(bytes, AfterRuns(runs)) << "trial " << trial << ", " << bytes.size() << " bytes";
    if (runs > 0) ++progressed;
  }
  EXPECT_GT(progressed, 0) << "no kill came after a finished update";
  EXPECT_EQ(ReadAll(output), "");
  std::fclose(output);
  // Whatever the kills left beside it, the file is found and works.
  EXPECT_EQ(LocateRecordsFile(dir.Path()), file);
  WriteBytes(file, Entry("Jack", 0));
  ASSERT_TRUE(UpdateRecordsFile(file, {"Ann", 5}));
  EXPECT_EQ(ReadBytes(file), Entry("Ann", 5) + Entry("Jack", 0));
  const std::vector<TTopEntry> expected{{"Ann", 5}, {"Jack", 0}};
  EXPECT_EQ(ReadRecordsFile(file), expected);
}

}  // namespace
}  // namespace varlo
