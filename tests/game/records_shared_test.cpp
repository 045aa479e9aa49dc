// Games that end at the same moment on one records folder (two windows,
// varlo-sim runs side by side): every result is entered, and no game waits
// for ever for another.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "records.h"
#include "temp_folder.h"

namespace varlo {

namespace {

namespace fs = std::filesystem;
using namespace varlo_test;
using namespace std::chrono_literals;

constexpr int Games = 8;

// Game g's result: distinct and above the default entry, so all eight make
// the table and stand in a known order.
TTopEntry ResultOf(int game) { return {"Game " + std::to_string(game), 100 + game}; }

// The file's entries as "name score", one per entry.
std::vector<std::string> Listing(const std::string& bytes) {
  std::vector<std::string> rows;
  for (const TTopEntry& entry : DecodeRecords(bytes))
    rows.push_back(entry.Name + " " + std::to_string(entry.Score));
  return rows;
}

// Forks the writers; they wait at the gate and all start when it opens.
std::vector<pid_t> StartWriters(const fs::path& file, const int (&gate)[2]) {
  std::vector<pid_t> writers;
  for (int game = 0; game < Games; ++game) {
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
      ::alarm(30);  // a writer that hangs fails the test instead
      ::close(gate[1]);
      char go = 0;
      if (::read(gate[0], &go, 1) < 0) ::_exit(3);
      ::_exit(UpdateRecordsFile(file, ResultOf(game)) ? 0 : 1);
    }
    writers.push_back(child);
  }
  return writers;
}

TEST(RecordsShared, EightGamesEndingTogetherAllEnterTheirResults) {
  std::string expected;
  for (int game = Games - 1; game >= 0; --game)
    expected += Entry(ResultOf(game).Name, ResultOf(game).Score);
  expected += Entry("Jack", 0);
  // A few rounds: without the lock, hardly one of them keeps every result.
  for (int round = 0; round < 4; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    TempFolder dir;
    WriteBytes(dir.File(), Entry("Jack", 0));
    int gate[2];
    ASSERT_EQ(::pipe(gate), 0);
    const std::vector<pid_t> writers = StartWriters(dir.File(), gate);
    ::close(gate[0]);
    ::close(gate[1]);  // the end of file opens the gate for all at once
    for (const pid_t writer : writers) {
      int status = 0;
      ASSERT_EQ(::waitpid(writer, &status, 0), writer);
      EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a writer failed: " << status;
    }
    EXPECT_EQ(Listing(ReadBytes(dir.File())), Listing(expected));
    EXPECT_EQ(FolderNames(dir.Path()), std::set<std::string>{RecordsFileName});
  }
}

TEST(RecordsShared, UpdateGivesUpOnALockThatIsNotReleased) {
  TempFolder dir;
  const fs::path file = dir.File();
  WriteBytes(file, Entry("Jack", 0));
  // Another game in the middle of its update, stuck there.
  const int holder = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_GE(holder, 0);
  ASSERT_EQ(::flock(holder, LOCK_EX), 0);
  EXPECT_FALSE(UpdateRecordsFile(file, {"You", 120}, 50ms));
  EXPECT_EQ(ReadBytes(file), Entry("Jack", 0));
  ::close(holder);
  EXPECT_TRUE(UpdateRecordsFile(file, {"You", 120}, 50ms));
  EXPECT_EQ(ReadBytes(file), Entry("You", 120) + Entry("Jack", 0));
}

}  // namespace
}  // namespace varlo
