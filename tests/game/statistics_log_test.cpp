// The statistics log: lines come back as they were appended, a line cut
// short by a crash is skipped and the next append starts afresh, a newer
// program's line is skipped and kept; whatever lies in the log's place is
// read without a crash or a hang.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>

#include "statistics_log.h"

#include "temp_folder.h"

namespace varlo_test {
namespace {

using namespace varlo;
using namespace std::string_literals;

TMatchRecord LogRecord(std::int32_t seed, bool finished) {
  TMatchRecord r{"2026-12-08T20:15:00Z",
                 "Zo\xC3\xAB \"Z\"\\",
                 TOpponentLevel::Strong,
                 seed % 2 == 1,
                 finished,
                 {},
                 {seed, -seed, 2 * seed, INT32_MIN}};
  for (int deal = 0; deal < (finished ? DealsPerMatch : seed); ++deal)
    r.Deals.push_back({deal % SeatCount, deal % ContractCount, {deal * seed, -50, 0, INT32_MAX}});
  return r;
}

TEST(StatisticsLog, LinesComeBackAndACutOrNewerLineIsSkipped) {
  TempFolder dir;
  const auto file = dir.Path() / "varlo" / StatisticsFileName;  // the folder is made too
  ASSERT_TRUE(AppendStatistics(file, LogRecord(1, true)));
  ASSERT_TRUE(AppendStatistics(file, LogRecord(5, false)));
  const std::string newer = R"({"format": 2, "date": "2031-01-01T00:00:00Z", "wholly": "new"})";
  const std::string cut = EncodeRecord(LogRecord(2, true)).substr(0, 300);  // the power failed
  WriteBytes(file, ReadBytes(file) + newer + "\n" + cut);
  ASSERT_TRUE(AppendStatistics(file, LogRecord(4, true)));

  const TStatisticsLog log = ReadStatisticsLog(file);
  ASSERT_EQ(log.Matches.size(), 3u);
  EXPECT_EQ(log.Matches[0], LogRecord(1, true));
  EXPECT_EQ(log.Matches[1], LogRecord(5, false));
  EXPECT_EQ(log.Matches[2], LogRecord(4, true));
  EXPECT_EQ(log.Newer, 1u);
  EXPECT_EQ(log.Damaged, 1u);
  EXPECT_FALSE(log.Partial);
  // Never rewritten: the newer line and the cut one stay where they were.
  EXPECT_NE(ReadBytes(file).find(newer + "\n" + cut + "\n{"), std::string::npos);
}

struct TPlaceCase {
  const char* Name;
  std::function<void(const std::filesystem::path&)> Make;
  std::size_t Matches, Damaged;
  bool Appends;
};

TEST(StatisticsLog, WhateverLiesInItsPlaceIsReadWithoutHarm) {
  const std::string good = EncodeRecord(LogRecord(3, true)) + "\n";
  const std::vector<TPlaceCase> cases{
      {"nothing", [](const auto&) {}, 0, 0, true},
      {"folder", [](const auto& f) { std::filesystem::create_directory(f); }, 0, 0, false},
      {"pipe", [](const auto& f) { ::mkfifo(f.c_str(), 0600); }, 0, 0, false},
      {"device", [](const auto& f) { std::filesystem::create_symlink("/dev/zero", f); }, 0, 0,
       false},
      {"foreign",
       [&](const auto& f) {
         WriteBytes(f,
                    "\x7f"
                    "ELF\0\1\2\n[1,2]\n\"x\"\n{}\n"s +
                        good);
       },
       1, 4, true},
      {"wrong fields",
       [&](const auto& f) {
         std::string bad = good;
         bad.replace(bad.find("\"whist\""), 7, "\"poker\"");
         WriteBytes(f, bad +
                           R"({"format":1,"finished":true,"deals":[]})"
                           "\n" +
                           good);
       },
       1, 2, true},
      {"nested deep", [&](const auto& f) { WriteBytes(f, std::string(60000, '[') + "\n" + good); },
       1, 1, true},
      {"one long line",
       [&](const auto& f) {
         WriteBytes(f, "{\"format\":1,\"name\":\"" + std::string(1 << 20, 'a') + "\n" + good);
       },
       1, 1, true},
  };
  for (const TPlaceCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TempFolder dir;
    const auto file = dir.Path() / StatisticsFileName;
    c.Make(file);
    const TStatisticsLog log = ReadStatisticsLog(file);
    EXPECT_EQ(log.Matches.size(), c.Matches);
    EXPECT_EQ(log.Damaged, c.Damaged);
    EXPECT_EQ(AppendStatistics(file, LogRecord(3, true)), c.Appends);
  }
}

// A log grown beyond the read limit is read from a line's start near its
// end: the lines before are left unread, not taken as damaged.
TEST(StatisticsLog, AHugeLogIsReadFromItsEnd) {
  TempFolder dir;
  const auto file = dir.Path() / StatisticsFileName;
  const std::string line = EncodeRecord(LogRecord(3, true)) + "\n";
  std::string bytes;
  for (int i = 0; i < 40; ++i) bytes += line;
  WriteBytes(file, bytes);
  const std::size_t limit = line.size() * 10 + line.size() / 2;
  const TStatisticsLog log = ReadStatisticsLog(file, limit);
  EXPECT_TRUE(log.Partial);
  EXPECT_EQ(log.Matches.size(), 10u);
  EXPECT_EQ(log.Damaged, 0u);
  EXPECT_EQ(ReadStatisticsLog(file, line.size() * 10).Matches.size(),
            10u);  // a line's start exactly
}

}  // namespace
}  // namespace varlo_test
