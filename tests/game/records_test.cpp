#include "records.h"

#include <gtest/gtest.h>

#include "temp_folder.h"
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace varlo {

static void PrintTo(const TTopEntry& entry, std::ostream* out) {
  *out << '{' << '"' << entry.Name << "\" " << entry.Score << '}';
}

namespace {

namespace fs = std::filesystem;

// ---------------------------------------------------------------------------
// Helpers

std::string Bytes(std::initializer_list<int> values) {
  std::string bytes;
  for (const int value : values) bytes += static_cast<char>(value);
  return bytes;
}

// One entry as it stands in the file: the length byte, the name field padded
// with zero bytes to 15, and the four score bytes exactly as given.
std::string RawEntry(int length, std::string_view name, std::initializer_list<int> score) {
  std::string field(name);
  field.resize(TopNameBytes, '\0');
  return Bytes({length}) + field + Bytes(score);
}

const std::string RawJack0 = RawEntry(4, "Jack", {0x00, 0x00, 0x00, 0x00});
// -350 = -0x15E, whose 32-bit two's complement is 0xFFFFFEA2.
const std::string RawYouMinus350 = RawEntry(3, "You", {0xA2, 0xFE, 0xFF, 0xFF});
// 120 = 0x78.
const std::string RawYou120 = RawEntry(3, "You", {0x78, 0x00, 0x00, 0x00});

using varlo_test::FileInfo;
using varlo_test::FolderNames;
using varlo_test::ReadBytes;
using varlo_test::TempFolder;
using varlo_test::WriteBytes;


// Makes dir read-only; false when the system does not enforce that for this
// process (as for root), so the test must be skipped.
bool MakeReadOnly(const fs::path& dir) {
  fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                           fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
  return ::access(dir.c_str(), W_OK) != 0;
}

class EnvGuard {
 public:
  explicit EnvGuard(const char* name) : name_(name) {
    if (const char* value = std::getenv(name)) old_ = value;
  }
  EnvGuard(const EnvGuard&) = delete;
  EnvGuard& operator=(const EnvGuard&) = delete;
  ~EnvGuard() {
    if (old_) {
      ::setenv(name_, old_->c_str(), 1);
    } else {
      ::unsetenv(name_);
    }
  }
  void Set(const std::string& value) { ::setenv(name_, value.c_str(), 1); }
  void Unset() { ::unsetenv(name_); }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

class CurrentFolderGuard {
 public:
  explicit CurrentFolderGuard(const fs::path& dir) : old_(fs::current_path()) {
    fs::current_path(dir);
  }
  CurrentFolderGuard(const CurrentFolderGuard&) = delete;
  CurrentFolderGuard& operator=(const CurrentFolderGuard&) = delete;
  ~CurrentFolderGuard() {
    std::error_code ec;
    fs::current_path(old_, ec);
  }

 private:
  fs::path old_;
};

// Ten entries T0 170, T1 160, ..., T9 80.
std::vector<TTopEntry> TenFrom170To80() {
  std::vector<TTopEntry> table;
  for (int i = 0; i < 10; ++i) table.push_back({"T" + std::to_string(i), 170 - 10 * i});
  return table;
}

// ---------------------------------------------------------------------------
// Entry layout

TEST(RecordsEncode, DefaultEntryHasTheExactTwentyBytes) {
  const std::string expected =
      Bytes({0x04, 'J', 'a', 'c', 'k', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x00, 0x00, 0x00, 0x00});
  EXPECT_EQ(EncodeEntry({"Jack", 0}), expected);
}

TEST(RecordsEncode, ScoreIsLittleEndianTwosComplement) {
  EXPECT_EQ(EncodeEntry({"You", -350}), RawYouMinus350);
  EXPECT_EQ(EncodeEntry({"", 0x01020304}), RawEntry(0, "", {0x04, 0x03, 0x02, 0x01}));
  EXPECT_EQ(EncodeEntry({"", INT32_MIN}), RawEntry(0, "", {0x00, 0x00, 0x00, 0x80}));
  EXPECT_EQ(EncodeEntry({"", -1}), RawEntry(0, "", {0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST(RecordsEncode, LongNameKeepsItsFirstFifteenCharacters) {
  EXPECT_EQ(EncodeEntry({"ABCDEFGHIJKLMNOPQRST", 5}),
            RawEntry(15, "ABCDEFGHIJKLMNO", {5, 0, 0, 0}));
}

TEST(RecordsEncode, EmptyNameHasLengthZero) {
  EXPECT_EQ(EncodeEntry({"", 7}),
            Bytes({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 7, 0, 0, 0}));
}

TEST(RecordsEncode, Utf8NameIsCutAtACharacterBoundary) {
  // "€" is E2 82 AC; after 14 ASCII bytes only its first byte would fit.
  EXPECT_EQ(EncodeEntry({"ABCDEFGHIJKLMN\xE2\x82\xAC", 1}),
            RawEntry(14, "ABCDEFGHIJKLMN", {1, 0, 0, 0}));
  // Seven "é" (C3 A9) fill 14 bytes; the eighth would need bytes 15 and 16.
  const std::string seven = "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9";
  EXPECT_EQ(EncodeEntry({seven + "\xC3\xA9", 2}), RawEntry(14, seven, {2, 0, 0, 0}));
}

// ---------------------------------------------------------------------------
// Reading entries

TEST(RecordsDecode, FortyFiveBytesAreTwoEntries) {
  const std::string bytes = RawJack0 + RawYouMinus350 + "\x01\x02\x03\x04\x05";
  ASSERT_EQ(bytes.size(), 45u);
  const std::vector<TTopEntry> expected{{"Jack", 0}, {"You", -350}};
  EXPECT_EQ(DecodeRecords(bytes), expected);
}

TEST(RecordsDecode, LessThanOneEntryIsNoEntry) {
  EXPECT_TRUE(DecodeRecords("").empty());
  EXPECT_TRUE(DecodeRecords(RawJack0.substr(0, 19)).empty());
}

TEST(RecordsDecode, NameBytesBeyondTheLengthAreIgnored) {
  const std::vector<TTopEntry> expected{{"Bob", 0x0100}};
  EXPECT_EQ(DecodeRecords(RawEntry(3, "BobXXXXXXXXXXXX", {0x00, 0x01, 0x00, 0x00})), expected);
}

TEST(RecordsDecode, DamagedLengthNeverReadsBeyondTheNameField) {
  const std::string bytes = RawEntry(0xFF, "ABCDEFGHIJKLMNO", {7, 0, 0, 0}) +
                            RawEntry(16, "PQRSTUVWXYZabcd", {8, 0, 0, 0}) +
                            RawEntry(2, "Al", {9, 0, 0, 0});
  const std::vector<TTopEntry> expected{{"ABCDEFGHIJKLMNO", 7}, {"PQRSTUVWXYZabcd", 8}, {"Al", 9}};
  EXPECT_EQ(DecodeRecords(bytes), expected);
}

TEST(RecordsDecode, InvalidUtf8NameIsReadAsLatin1) {
  // "Jürgen" written by an 8-bit program: ü is the single byte FC.
  const std::vector<TTopEntry> expected{{"J\xC3\xBCrgen", 0}};
  EXPECT_EQ(DecodeRecords(RawEntry(6, "J\xFCrgen", {0, 0, 0, 0})), expected);
}

TEST(RecordsDecode, ValidUtf8NameIsKeptAsItIs) {
  const std::vector<TTopEntry> expected{{"J\xC3\xBCrgen", 0}};
  EXPECT_EQ(DecodeRecords(RawEntry(7, "J\xC3\xBCrgen", {0, 0, 0, 0})), expected);
}

TEST(RecordsDecode, EncodedEntriesReadBackUnchanged) {
  const std::vector<TTopEntry> entries{{"Jack", 0},
                                       {"", -1},
                                       {"J\xC3\xBCrgen", INT32_MAX},
                                       {"ABCDEFGHIJKLMNO", INT32_MIN},
                                       {"\xE2\x82\xAC", -350}};
  std::string bytes;
  for (const TTopEntry& entry : entries) bytes += EncodeEntry(entry);
  EXPECT_EQ(DecodeRecords(bytes), entries);
}

// ---------------------------------------------------------------------------
// Inserting a result

TEST(RecordsInsert, IntoAnEmptyTable) {
  const std::vector<TTopEntry> expected{{"You", -5}};
  EXPECT_EQ(InsertRecord({}, {"You", -5}), expected);
}

TEST(RecordsInsert, LowerResultGoesBehindTheDefaultEntry) {
  const std::vector<TTopEntry> expected{{"Jack", 0}, {"You", -350}};
  EXPECT_EQ(InsertRecord({{"Jack", 0}}, {"You", -350}), expected);
}

TEST(RecordsInsert, HigherResultPassesTheDefaultEntry) {
  const std::vector<TTopEntry> expected{{"You", 120}, {"Jack", 0}};
  EXPECT_EQ(InsertRecord({{"Jack", 0}}, {"You", 120}), expected);
}

TEST(RecordsInsert, PassingEntryExchangesOlderEqualEntries) {
  // a = 0: A and X are exchanged, so A ends last, behind B.
  const std::vector<TTopEntry> expected{{"X", 150}, {"B", 100}, {"A", 100}};
  EXPECT_EQ(InsertRecord({{"A", 100}, {"B", 100}}, {"X", 150}), expected);
}

TEST(RecordsInsert, NewEntryStaysBehindAnEqualScore) {
  const std::vector<TTopEntry> expected{{"P", 300}, {"Q", 200}, {"X", 200}, {"R", 100}};
  EXPECT_EQ(InsertRecord({{"P", 300}, {"Q", 200}, {"R", 100}}, {"X", 200}), expected);
}

TEST(RecordsInsert, EqualScoresAreNeverExchanged) {
  const std::vector<TTopEntry> expected{{"A", 100}, {"B", 100}, {"C", 100}, {"D", 100}};
  EXPECT_EQ(InsertRecord({{"A", 100}, {"B", 100}, {"C", 100}}, {"D", 100}), expected);
}

TEST(RecordsInsert, ResultEqualToTheTenthIsDropped) {
  EXPECT_EQ(InsertRecord(TenFrom170To80(), {"New", 80}), TenFrom170To80());
}

TEST(RecordsInsert, ResultAboveTheTenthDropsTheLowest) {
  const std::vector<TTopEntry> expected{{"T0", 170}, {"T1", 160},  {"T2", 150}, {"T3", 140},
                                        {"T4", 130}, {"New", 125}, {"T5", 120}, {"T6", 110},
                                        {"T7", 100}, {"T8", 90}};
  EXPECT_EQ(InsertRecord(TenFrom170To80(), {"New", 125}), expected);
}

TEST(RecordsInsert, ResultEqualToAMiddleScoreGoesBehindIt) {
  const std::vector<TTopEntry> expected{{"T0", 170}, {"T1", 160}, {"T2", 150},  {"T3", 140},
                                        {"T4", 130}, {"T5", 120}, {"New", 120}, {"T6", 110},
                                        {"T7", 100}, {"T8", 90}};
  EXPECT_EQ(InsertRecord(TenFrom170To80(), {"New", 120}), expected);
}

TEST(RecordsInsert, EntriesBeyondTheTenthAreNotTaken) {
  std::vector<TTopEntry> table = TenFrom170To80();
  table.push_back({"Big1", 1000});
  table.push_back({"Big2", 999});
  const std::vector<TTopEntry> expected{{"T0", 170}, {"T1", 160}, {"T2", 150}, {"T3", 140},
                                        {"T4", 130}, {"T5", 120}, {"T6", 110}, {"T7", 100},
                                        {"T8", 90},  {"New", 85}};
  EXPECT_EQ(InsertRecord(table, {"New", 85}), expected);
}

TEST(RecordsInsert, ScoresCompareSigned) {
  const std::vector<TTopEntry> expected{{"B", 1}, {"A", -1}};
  EXPECT_EQ(InsertRecord({{"A", -1}}, {"B", 1}), expected);
}

// ---------------------------------------------------------------------------
// Reading the file

TEST(RecordsReadFile, MissingFileGivesNothing) {
  TempFolder dir;
  EXPECT_FALSE(ReadRecordsFile(dir.Path() / "Varlo.ini").has_value());
}

TEST(RecordsReadFile, FolderGivesNothing) {
  TempFolder dir;
  fs::create_directory(dir.Path() / "Varlo.ini");
  EXPECT_FALSE(ReadRecordsFile(dir.Path() / "Varlo.ini").has_value());
}

TEST(RecordsReadFile, UnreadableFileGivesNothing) {
  TempFolder dir;
  const fs::path file = dir.Path() / "Varlo.ini";
  WriteBytes(file, RawJack0);
  fs::permissions(file, fs::perms::owner_write);
  if (::access(file.c_str(), R_OK) == 0)
    GTEST_SKIP() << "read permission is not enforced for this user";
  EXPECT_FALSE(ReadRecordsFile(file).has_value());
}

TEST(RecordsReadFile, EmptyFileHasNoEntries) {
  TempFolder dir;
  WriteBytes(dir.Path() / "Varlo.ini", "");
  const auto entries = ReadRecordsFile(dir.Path() / "Varlo.ini");
  ASSERT_TRUE(entries.has_value());
  EXPECT_TRUE(entries->empty());
}

TEST(RecordsReadFile, ReadsTheFirstTenWholeEntriesOnly) {
  TempFolder dir;
  std::string bytes;
  for (int i = 0; i < 12; ++i)
    bytes += RawEntry(1, std::string(1, static_cast<char>('a' + i)), {i, 0, 0, 0});
  WriteBytes(dir.Path() / "Varlo.ini", bytes + "xyz");
  const auto entries = ReadRecordsFile(dir.Path() / "Varlo.ini");
  ASSERT_TRUE(entries.has_value());
  ASSERT_EQ(entries->size(), 10u);
  EXPECT_EQ((*entries)[0], (TTopEntry{"a", 0}));
  EXPECT_EQ((*entries)[9], (TTopEntry{"j", 9}));
}

// ---------------------------------------------------------------------------
// Writing the file

TEST(RecordsWriteFile, WritesTheEntriesAndNothingElse) {
  TempFolder dir;
  const fs::path file = dir.Path() / "Varlo.ini";
  WriteBytes(file, std::string(100, 'z'));
  ASSERT_TRUE(WriteRecordsFile(file, {{"Jack", 0}, {"You", -350}}));
  EXPECT_EQ(ReadBytes(file), RawJack0 + RawYouMinus350);
  EXPECT_EQ(FolderNames(dir.Path()), std::set<std::string>{"Varlo.ini"});
}

TEST(RecordsWriteFile, NeverWritesMoreThanTenEntries) {
  TempFolder dir;
  const fs::path file = dir.Path() / "Varlo.ini";
  std::vector<TTopEntry> entries = TenFrom170To80();
  entries.push_back({"Eleven", 70});
  entries.push_back({"Twelve", 60});
  ASSERT_TRUE(WriteRecordsFile(file, entries));
  EXPECT_EQ(ReadBytes(file).size(), 10 * TopEntrySize);
  EXPECT_EQ(DecodeRecords(ReadBytes(file)), TenFrom170To80());
}

TEST(RecordsWriteFile, KeepsThePermissionsOfTheOldFile) {
  TempFolder dir;
  const fs::path file = dir.Path() / "Varlo.ini";
  WriteBytes(file, RawJack0);
  const fs::perms mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
  fs::permissions(file, mode);
  ASSERT_TRUE(WriteRecordsFile(file, {{"You", 120}}));
  EXPECT_EQ(fs::status(file).permissions() & fs::perms::all, mode);
}

TEST(RecordsUpdateFile, KeepsTheAclAndExtendedAttributesOfTheFile) {
  TempFolder dir;
  const fs::path file = dir.Path() / "Varlo.ini";
  WriteBytes(file, RawJack0);
  // "u::rw-,u:nobody:rw-,g::r--,m::rw-,o::r--" as the kernel keeps it:
  // version 2, then tag, permissions and user id of each entry.
  const std::string acl = Bytes({2, 0, 0, 0,  1, 0, 6, 0, 255, 255, 255, 255,  2, 0, 6, 0, 254,
                                 255, 0, 0,  4, 0, 4, 0, 255, 255, 255, 255,  16, 0, 6, 0, 255,
                                 255, 255, 255,  32, 0, 4, 0, 255, 255, 255, 255});
  const std::map<std::string, std::string> attributes{{"user.varlo.note", "kept"},
                                                      {"system.posix_acl_access", acl}};
  for (const auto& [name, value] : attributes) {
    if (::setxattr(file.c_str(), name.c_str(), value.data(), value.size(), 0) != 0)
      GTEST_SKIP() << name << ": " << std::strerror(errno);
  }
  ASSERT_TRUE(UpdateRecordsFile(file, {"You", 120}));
  for (const auto& [name, value] : attributes) {
    std::string kept(64, '\0');
    kept.resize(std::max<ssize_t>(0, ::getxattr(file.c_str(), name.c_str(), kept.data(), 64)));
    EXPECT_EQ(kept, value) << name;
  }
}

TEST(RecordsWriteFile, TargetThatIsAFolderIsLeftAlone) {
  TempFolder dir;
  const fs::path target = dir.Path() / "Varlo.ini";
  fs::create_directory(target);
  WriteBytes(target / "inside", "keep");
  EXPECT_FALSE(WriteRecordsFile(target, {{"Jack", 0}}));
  EXPECT_TRUE(fs::is_directory(target));
  EXPECT_EQ(ReadBytes(target / "inside"), "keep");
  EXPECT_EQ(FolderNames(dir.Path()), std::set<std::string>{"Varlo.ini"});
}

TEST(RecordsWriteFile, ReadOnlyFolderLeavesTheOldFile) {
  TempFolder dir;
  const fs::path file = dir.Path() / "Varlo.ini";
  WriteBytes(file, RawJack0);
  if (!MakeReadOnly(dir.Path()))
    GTEST_SKIP() << "folder permissions are not enforced for this user";
  EXPECT_FALSE(WriteRecordsFile(file, {{"You", 120}}));
  EXPECT_EQ(ReadBytes(file), RawJack0);
}

TEST(RecordsWriteFile, FailedWriteLeavesTheOldFileAndNoTemporaryFile) {
  TempFolder dir;
  const fs::path file = dir.Path() / "Varlo.ini";
  const std::string old = RawJack0 + RawYouMinus350;
  WriteBytes(file, old);
  // In a child, so the test process keeps its limits: a file size limit of
  // 30 bytes lets the 60-byte rewrite fail part-way (EFBIG, no signal).
  const pid_t child = ::fork();
  ASSERT_NE(child, -1);
  if (child == 0) {
    ::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = 30;
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(2);
    ::_exit(UpdateRecordsFile(file, {"Ann", 50}) ? 1 : 0);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "1: the update reported success, 2: no limit set";
  EXPECT_EQ(ReadBytes(file), old);
  EXPECT_EQ(FolderNames(dir.Path()), std::set<std::string>{"Varlo.ini"});
}

// ---------------------------------------------------------------------------
// The end-of-match update

TEST(RecordsUpdateFile, MissingFileIsNotCreated) {
  TempFolder dir;
  EXPECT_FALSE(UpdateRecordsFile(dir.Path() / "Varlo.ini", {"You", 120}));
  EXPECT_TRUE(FolderNames(dir.Path()).empty());
}

TEST(RecordsUpdateFile, LowerResultIsWrittenAfterTheDefaultEntry) {
  TempFolder dir;
  const fs::path file = dir.Path() / "Varlo.ini";
  WriteBytes(file, RawJack0);
  ASSERT_TRUE(UpdateRecordsFile(file, {"You", -350}));
  EXPECT_EQ(ReadBytes(file), RawJack0 + RawYouMinus350);
}

TEST(RecordsUpdateFile, HigherResultIsWrittenBeforeTheDefaultEntry) {
  TempFolder dir;
  const fs::path file = dir.Path() / "Varlo.ini";
  WriteBytes(file, RawJack0);
  ASSERT_TRUE(UpdateRecordsFile(file, {"You", 120}));
  EXPECT_EQ(ReadBytes(file), RawYou120 + RawJack0);
}

TEST(RecordsUpdateFile, TrailingPartialEntryDisappears) {
  TempFolder dir;
  const fs::path file = dir.Path() / "Varlo.ini";
  WriteBytes(file, RawJack0 + RawYouMinus350 + "12345");
  ASSERT_TRUE(UpdateRecordsFile(file, {"Ann", 50}));
  EXPECT_EQ(ReadBytes(file), RawEntry(3, "Ann", {50, 0, 0, 0}) + RawJack0 + RawYouMinus350);
}

TEST(RecordsUpdateFile, FileOfTwelveEntriesIsRewrittenWithTen) {
  TempFolder dir;
  const fs::path file = dir.Path() / "Varlo.ini";
  std::string bytes;
  for (int i = 0; i < 12; ++i)
    bytes += RawEntry(1, std::string(1, static_cast<char>('a' + i)), {100 - i, 0, 0, 0});
  WriteBytes(file, bytes);
  ASSERT_TRUE(UpdateRecordsFile(file, {"New", 95}));
  // a 100 .. f 95, then New 95 behind its equal, then g 94 .. i 92; j 91 is
  // the eleventh and the entries beyond ten are never taken.
  EXPECT_EQ(ReadBytes(file), bytes.substr(0, 6 * TopEntrySize) + RawEntry(3, "New", {95, 0, 0, 0}) +
                                 bytes.substr(6 * TopEntrySize, 3 * TopEntrySize));
}

TEST(RecordsUpdateFile, LongNameIsStoredAsItsFirstFifteenCharacters) {
  TempFolder dir;
  const fs::path file = dir.Path() / "Varlo.ini";
  WriteBytes(file, RawJack0);
  ASSERT_TRUE(UpdateRecordsFile(file, {"ABCDEFGHIJKLMNOPQRST", -1}));
  EXPECT_EQ(ReadBytes(file), RawJack0 + RawEntry(15, "ABCDEFGHIJKLMNO", {0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST(RecordsUpdateFile, EmptyNameIsStoredWithLengthZero) {
  TempFolder dir;
  const fs::path file = dir.Path() / "Varlo.ini";
  WriteBytes(file, RawJack0);
  ASSERT_TRUE(UpdateRecordsFile(file, {"", 3}));
  EXPECT_EQ(ReadBytes(file), RawEntry(0, "", {3, 0, 0, 0}) + RawJack0);
}

TEST(RecordsUpdateFile, OldEightBitNamesSurviveAsTheyWere) {
  // Fifteen Latin-1 letters, six of them accented: 21 bytes as UTF-8, more
  // than an entry holds. Rewriting the file must not shorten them.
  TempFolder dir;
  const fs::path file = dir.Path() / "Varlo.ini";
  const std::string old = RawEntry(15, "M\xFCller-L\xFC\xE9\xE8\xE0\xF1\xF6sch", {90, 0, 0, 0}) +
                          RawEntry(6, "J\xFCrgen", {10, 0, 0, 0});
  WriteBytes(file, old);
  ASSERT_TRUE(UpdateRecordsFile(file, {"You", 50}));
  EXPECT_EQ(ReadBytes(file), old.substr(0, TopEntrySize) + RawEntry(3, "You", {50, 0, 0, 0}) +
                                 old.substr(TopEntrySize));
}

TEST(RecordsEncode, RenamedEntryIsWrittenFromItsNewName) {
  // Bytes read from a file no longer count once the name is changed.
  TTopEntry entry = DecodeRecords(RawEntry(6, "J\xFCrgen", {1, 0, 0, 0})).front();
  entry.Name = "Ann";
  EXPECT_EQ(EncodeEntry(entry), RawEntry(3, "Ann", {1, 0, 0, 0}));
}

TEST(RecordsUpdateFile, TargetThatIsAFolderIsLeftAlone) {
  TempFolder dir;
  const fs::path target = dir.Path() / "Varlo.ini";
  fs::create_directory(target);
  EXPECT_FALSE(UpdateRecordsFile(target, {"You", 120}));
  EXPECT_TRUE(fs::is_directory(target));
  EXPECT_TRUE(FolderNames(target).empty());
}

TEST(RecordsUpdateFile, ReadOnlyFolderGetsTheTableInPlace) {
  TempFolder dir;
  const fs::path file = dir.Path() / "Varlo.ini";
  WriteBytes(file, RawJack0);
  const ino_t inode = FileInfo(file).st_ino;
  if (!MakeReadOnly(dir.Path()))
    GTEST_SKIP() << "folder permissions are not enforced for this user";
  ASSERT_TRUE(UpdateRecordsFile(file, {"You", 120}));
  EXPECT_EQ(ReadBytes(file), RawYou120 + RawJack0);
  EXPECT_EQ(FileInfo(file).st_ino, inode);
  EXPECT_EQ(FolderNames(dir.Path()), std::set<std::string>{"Varlo.ini"});
}

// ---------------------------------------------------------------------------
// Creating the default file

TEST(RecordsEnsureFile, CreatesTheDefaultFile) {
  TempFolder dir;
  const fs::path file = dir.Path() / "Varlo.ini";
  std::string error;
  ASSERT_TRUE(EnsureRecordsFile(file, &error));
  EXPECT_EQ(ReadBytes(file), Bytes({0x04, 'J', 'a', 'c', 'k', 0, 0,    0,    0,    0,
                                    0,    0,   0,   0,   0,   0, 0x00, 0x00, 0x00, 0x00}));
  EXPECT_EQ(FolderNames(dir.Path()), std::set<std::string>{"Varlo.ini"});
}

TEST(RecordsEnsureFile, LeavesAnExistingFileAsItIs) {
  TempFolder dir;
  const fs::path file = dir.Path() / "Varlo.ini";
  WriteBytes(file, "garbage");
  EXPECT_TRUE(EnsureRecordsFile(file, nullptr));
  EXPECT_EQ(ReadBytes(file), "garbage");
  WriteBytes(file, "");
  EXPECT_TRUE(EnsureRecordsFile(file, nullptr));
  EXPECT_EQ(ReadBytes(file), "");
}

TEST(RecordsEnsureFile, MissingFolderIsReported) {
  TempFolder dir;
  const fs::path file = dir.Path() / "missing" / "Varlo.ini";
  std::string error;
  EXPECT_FALSE(EnsureRecordsFile(file, &error));
  EXPECT_NE(error.find(file.string()), std::string::npos) << error;
  EXPECT_FALSE(EnsureRecordsFile(file, nullptr));
  EXPECT_FALSE(fs::exists(dir.Path() / "missing"));
}

TEST(RecordsEnsureFile, ReadOnlyFolderIsReported) {
  TempFolder dir;
  if (!MakeReadOnly(dir.Path()))
    GTEST_SKIP() << "folder permissions are not enforced for this user";
  std::string error;
  EXPECT_FALSE(EnsureRecordsFile(dir.Path() / "Varlo.ini", &error));
  EXPECT_FALSE(error.empty());
  EXPECT_TRUE(FolderNames(dir.Path()).empty());
}

// ---------------------------------------------------------------------------
// The folder of the executable

TEST(RecordsExtractDir, KeepsTheTextUpToTheLastSeparator) {
  EXPECT_EQ(ExtractDir("C:\\Games\\cards.exe"), "C:\\Games\\");
  EXPECT_EQ(ExtractDir("/usr/bin/varlo"), "/usr/bin/");
  EXPECT_EQ(ExtractDir("/opt/a\\b/varlo"), "/opt/a\\b/");
  EXPECT_EQ(ExtractDir("/opt/a/b\\varlo"), "/opt/a/b\\");
  EXPECT_EQ(ExtractDir("/varlo"), "/");
  EXPECT_EQ(ExtractDir("games/"), "games/");
}

TEST(RecordsExtractDir, EmptyWithoutSeparator) {
  EXPECT_EQ(ExtractDir("varlo"), "");
  EXPECT_EQ(ExtractDir(""), "");
}

// ---------------------------------------------------------------------------
// Where the file lives

TEST(RecordsLocateFile, WritableFolderWithoutFileGivesTheUsualName) {
  TempFolder dir;
  EXPECT_EQ(LocateRecordsFile(dir.Path()), dir.Path() / "Varlo.ini");
}

TEST(RecordsLocateFile, FindsTheFileWhateverTheCaseOfItsName) {
  for (const char* name : {"VARLO.INI", "Varlo.Ini", "varlo.ini"}) {
    TempFolder dir;
    WriteBytes(dir.Path() / name, RawJack0);
    EXPECT_EQ(LocateRecordsFile(dir.Path()), dir.Path() / name);
  }
}

TEST(RecordsLocateFile, PrefersTheUsualSpellingWhenSeveralExist) {
  TempFolder dir;
  WriteBytes(dir.Path() / "VARLO.INI", RawJack0);
  WriteBytes(dir.Path() / "Varlo.ini", RawJack0);
  WriteBytes(dir.Path() / "varlo.ini", RawJack0);
  EXPECT_EQ(LocateRecordsFile(dir.Path()), dir.Path() / "Varlo.ini");
}

TEST(RecordsLocateFile, IgnoresOtherNamesAndFolders) {
  TempFolder dir;
  fs::create_directory(dir.Path() / "varlo.ini");
  WriteBytes(dir.Path() / "Varlo.ini.bak", RawJack0);
  WriteBytes(dir.Path() / "Varlo.in", RawJack0);
  EXPECT_EQ(LocateRecordsFile(dir.Path()), dir.Path() / "Varlo.ini");
}

TEST(RecordsLocateFile, EmptyFolderMeansTheCurrentFolder) {
  TempFolder dir;
  WriteBytes(dir.Path() / "VARLO.ini", RawJack0);
  const CurrentFolderGuard inside(dir.Path());
  EXPECT_EQ(LocateRecordsFile(fs::path()), fs::path("VARLO.ini"));
}

TEST(RecordsLocateFile, UnusableFolderFallsBackToXdgDataHome) {
  TempFolder dir;
  EnvGuard xdg("XDG_DATA_HOME");
  xdg.Set((dir.Path() / "data").string());
  // A folder that does not exist cannot be written, also by root.
  EXPECT_EQ(LocateRecordsFile(dir.Path() / "absent"), dir.Path() / "data" / "varlo" / "Varlo.ini");
  EXPECT_TRUE(fs::is_directory(dir.Path() / "data" / "varlo"));
}

// A read-only folder serves only through a records file that may be
// written there, as an administrator shares one.
TEST(RecordsLocateFile, ReadOnlyFolderKeepsAWritableFileElseFallsBackToXdgDataHome) {
  for (const int held : {0, 0444, 0644}) {  // no file, a read-only one, a writable one
    TempFolder dir;
    const fs::path app = dir.Path() / "app";
    fs::create_directory(app);
    if (held != 0) WriteBytes(app / "VARLO.INI", RawJack0);
    if (held != 0) fs::permissions(app / "VARLO.INI", fs::perms(held));
    if (!MakeReadOnly(app)) GTEST_SKIP() << "folder permissions are not enforced for this user";
    EnvGuard xdg("XDG_DATA_HOME");
    xdg.Set((dir.Path() / "data").string());
    EXPECT_EQ(LocateRecordsFile(app),
              held == 0644 ? app / "VARLO.INI" : dir.Path() / "data" / "varlo" / "Varlo.ini");
  }
}

// What a package manager installed under /usr must not gain a file beside
// it, which would outlive the package: root keeps its records in its data
// folder too.
TEST(RecordsLocateFile, InstalledProgramKeepsItsRecordsInTheDataFolder) {
  TempFolder dir;
  EnvGuard xdg("XDG_DATA_HOME");
  xdg.Set((dir.Path() / "data").string());
  for (const char* installed : {"/usr/games", "/usr/local/games/", "/usr/bin", "/usr/games/../lib"}) {
    EXPECT_EQ(LocateRecordsFile(installed), dir.Path() / "data" / "varlo" / "Varlo.ini")
        << installed;
  }
}

TEST(RecordsLocateFile, FindsTheFileInTheDataFolderWhateverTheCase) {
  TempFolder dir;
  fs::create_directories(dir.Path() / "data" / "varlo");
  WriteBytes(dir.Path() / "data" / "varlo" / "VARLO.INI", RawJack0);
  EnvGuard xdg("XDG_DATA_HOME");
  xdg.Set((dir.Path() / "data").string());
  EXPECT_EQ(LocateRecordsFile(dir.Path() / "absent"), dir.Path() / "data" / "varlo" / "VARLO.INI");
}

TEST(RecordsLocateFile, WithoutUsableXdgDataHomeUsesTheHomeFolder) {
  TempFolder dir;
  EnvGuard home("HOME");
  EnvGuard xdg("XDG_DATA_HOME");
  home.Set(dir.Path().string());
  const fs::path expected = dir.Path() / ".local" / "share" / "varlo" / "Varlo.ini";
  xdg.Unset();
  EXPECT_EQ(LocateRecordsFile(dir.Path() / "absent"), expected);
  EXPECT_TRUE(fs::is_directory(expected.parent_path()));
  xdg.Set("");
  EXPECT_EQ(LocateRecordsFile(dir.Path() / "absent"), expected);
  xdg.Set("relative/data");
  EXPECT_EQ(LocateRecordsFile(dir.Path() / "absent"), expected);
}

}  // namespace
}  // namespace varlo
