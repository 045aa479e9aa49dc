// Whole matches through the driver with the rules' invariants checked after
// every event: cards conserved, each contract chosen once per seat, every
// deal paying out its contract's total, 32 deals, input enabled on return.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>

#include "contracts.h"
#include "match_runner.h"
#include "records.h"

namespace varlo_test {
namespace {

using namespace varlo;

struct TSoakCase {
  THumanStyle Style;
  int Matches;
  std::uint64_t Seed;
};

class Soak : public ::testing::TestWithParam<TSoakCase> {};

TEST_P(Soak, WholeMatchesKeepEveryRule) {
  const auto dir = std::filesystem::temp_directory_path() /
                   ("varlo-soak-" + std::to_string(static_cast<int>(GetParam().Style)) + "-" +
                    std::to_string(::getpid()));
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  TRunOptions options;
  options.Matches = GetParam().Matches;
  options.Seed = GetParam().Seed;
  options.Human = GetParam().Style;
  options.RecordsDir = dir;
  const TRunSummary summary = RunMatches(options);
  for (const auto& failure : summary.Failures) ADD_FAILURE() << failure;
  EXPECT_EQ(summary.Deals, static_cast<long>(DealsPerMatch) * options.Matches);

  // The records kept the ten best of all those matches, best first.
  const auto records = ReadRecordsFile(dir / RecordsFileName);
  ASSERT_TRUE(records.has_value());
  EXPECT_EQ(records->size(), MaxRecords);
  for (std::size_t i = 1; i < records->size(); ++i)
    EXPECT_GE((*records)[i - 1].Score, (*records)[i].Score);
  std::filesystem::remove_all(dir);
}

INSTANTIATE_TEST_SUITE_P(ThreeHumans, Soak,
                         ::testing::Values(TSoakCase{THumanStyle::First, 700, 11},
                                           TSoakCase{THumanStyle::Random, 700, 12},
                                           TSoakCase{THumanStyle::Chaos, 700, 13}));

}  // namespace
}  // namespace varlo_test
