// Games that end at the same moment on one records folder: every result is
// entered, and no game waits for ever for another.
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

using namespace varlo_test;
using namespace std::chrono_literals;

// Eight writers, released together at a gate, enter distinct results that
// all make the table; a few rounds, as a lost entry is likely but not sure
// without the lock.
TEST(RecordsShared, EightGamesEndingTogetherAllEnterTheirResults) {
  const auto result = [](int game) { return TTopEntry("G" + std::to_string(game), 100 + game); };
  std::string expected;
  for (int game = 7; game >= 0; --game) expected += EncodeEntry(result(game));
  expected += Entry("Jack", 0);
  for (int round = 0; round < 4; ++round) {
    TempFolder dir;
    WriteBytes(dir.File(), Entry("Jack", 0));
    int gate[2];
    ASSERT_EQ(::pipe(gate), 0);
    std::vector<pid_t> writers;
    for (int game = 0; game < 8; ++game) {
      std::fflush(nullptr);
      writers.push_back(::fork());
      if (writers.back() != 0) continue;
      ::alarm(30);  // a hanging writer fails the test instead
      ::close(gate[1]);
      char go = 0;
      const bool open = ::read(gate[0], &go, 1) == 0;
      ::_exit(open && UpdateRecordsFile(dir.File(), result(game)) ? 0 : 1);
    }
    ::close(gate[0]);
    ::close(gate[1]);  // end of file at the gate: all start at once
    for (const pid_t writer : writers) {
      int status = 0;
      ASSERT_EQ(::waitpid(writer, &status, 0), writer);
      EXPECT_EQ(status, 0) << "round " << round;
    }
    EXPECT_EQ(ReadBytes(dir.File()), expected) << "round " << round;
    EXPECT_EQ(FolderNames(dir.Path()), std::set<std::string>{RecordsFileName});
  }
}

TEST(RecordsShared, UpdateGivesUpOnALockThatIsNotReleased) {
  TempFolder dir;
  WriteBytes(dir.File(), Entry("Jack", 0));
  // Another game stuck in the middle of its update.
  const int holder = ::open(dir.File().c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_EQ(::flock(holder, LOCK_EX), 0);
  EXPECT_FALSE(UpdateRecordsFile(dir.File(), {"You", 120}, 50ms));
  EXPECT_EQ(ReadBytes(dir.File()), Entry("Jack", 0));
  ::close(holder);
  EXPECT_TRUE(UpdateRecordsFile(dir.File(), {"You", 120}, 50ms));
}

}  // namespace
}  // namespace varlo
