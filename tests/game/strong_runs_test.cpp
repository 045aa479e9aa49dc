// Whole matches with Strong players through the headless runner: the rules
// hold, one seed replays the match, the deals do not depend on how seat 0
// plays, and the closing line reports the time of a decision.
#include <gtest/gtest.h>
#include <unistd.h>

#include <nlohmann/json.hpp>
#include <regex>
#include <sstream>

#include "match_runner.h"

namespace varlo_test {
namespace {

using namespace varlo;

struct TRun {
  TRunSummary Summary;
  std::string Transcript;
};

TRun PlayOne(THumanStyle human, TOpponentLevel opponents, std::uint64_t seed) {
  const auto dir = std::filesystem::temp_directory_path() /
                   ("varlo-strong-" + std::to_string(seed) + "-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  std::ostringstream out;
  TRunOptions options;
  options.Seed = seed;
  options.Human = human;
  options.Opponents = opponents;
  options.StrongBudget = {4, 24, 4, 24};
  options.RecordsDir = dir;
  options.Transcript = &out;
  TRun run{RunMatches(options), out.str()};
  std::filesystem::remove_all(dir);
  for (const auto& failure : run.Summary.Failures) ADD_FAILURE() << failure;
  return run;
}

// Every deal as dealt, and the contracts chosen by seats 1..3.
std::vector<std::string> DealsAndTheirChoices(const std::string& transcript) {
  std::vector<std::string> deals;
  std::istringstream in(transcript);
  for (std::string line; std::getline(in, line);) {
    const auto j = nlohmann::json::parse(line);
    if (j.at("ev") != "chooser") continue;
    const int seat = j.at("seat");
    deals.push_back(j.at("st").at("hands").dump() +
                    (seat == 0 ? std::string() : std::to_string(j.at("contract").get<int>())));
  }
  return deals;
}

TEST(StrongRuns, OneSeedReplaysAWholeMatchOfStrongPlayers) {
  const TRun a = PlayOne(THumanStyle::Strong, TOpponentLevel::Strong, 31);
  EXPECT_EQ(a.Summary.Deals, DealsPerMatch);
  EXPECT_GT(a.Summary.DecisionMs.size(), 500u);
  EXPECT_EQ(a.Transcript, PlayOne(THumanStyle::Strong, TOpponentLevel::Strong, 31).Transcript);
  EXPECT_NE(a.Transcript, PlayOne(THumanStyle::Strong, TOpponentLevel::Strong, 32).Transcript);
}

TEST(StrongRuns, TheDealsDoNotDependOnHowSeatZeroPlays) {
  const auto first = DealsAndTheirChoices(PlayOne(THumanStyle::First, TOpponentLevel::Classic, 8).Transcript);
  ASSERT_EQ(first.size(), static_cast<std::size_t>(DealsPerMatch));
  EXPECT_EQ(first, DealsAndTheirChoices(PlayOne(THumanStyle::Strong, TOpponentLevel::Classic, 8).Transcript));
  EXPECT_EQ(first, DealsAndTheirChoices(PlayOne(THumanStyle::Random, TOpponentLevel::Classic, 8).Transcript));
}

TEST(StrongRuns, TheClosingLineEndsWithTheDecisionTimesWhenAStrongPlayerPlays) {
  TRunSummary summary;
  summary.Matches = 1;
  EXPECT_EQ(SummaryLine(summary).find("decision_ms"), std::string::npos);
  summary.StrongPlayed = true;
  summary.DecisionMs = {4.0, 0.5, 9.25, 1.5};
  EXPECT_TRUE(std::regex_search(SummaryLine(summary),
                                std::regex(" mean_scores=[-0-9.,]+ decision_ms_median=2\\.750 "
                                           "decision_ms_max=9\\.250$")))
      << SummaryLine(summary);
  const TRunSummary played = PlayOne(THumanStyle::First, TOpponentLevel::Strong, 5).Summary;
  EXPECT_TRUE(played.StrongPlayed);
  EXPECT_FALSE(played.DecisionMs.empty());
}

}  // namespace
}  // namespace varlo_test
