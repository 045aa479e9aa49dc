// Whole matches with Strong players through the headless runner: the rules
// hold, one seed replays the match, the deals do not depend on how seat 0
// plays, and the closing line reports the time of a decision.
#include <gtest/gtest.h>

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
  std::ostringstream out;
  TRunOptions options;
  options.Seed = seed;
  options.Human = human;
  options.Opponents = opponents;
  options.StrongBudget = {4, 24, 4, 24};
  options.Transcript = &out;  // no records folder: no records kept
  TRun run{RunMatches(options), out.str()};
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
  EXPECT_TRUE(std::regex_search(SummaryLine(a.Summary),
                                std::regex(" decision_ms_median=[0-9.]+ decision_ms_max=[0-9.]+$")));
  EXPECT_EQ(a.Transcript, PlayOne(THumanStyle::Strong, TOpponentLevel::Strong, 31).Transcript);
  EXPECT_NE(a.Transcript, PlayOne(THumanStyle::Strong, TOpponentLevel::Strong, 32).Transcript);
}

TEST(StrongRuns, TheDealsDoNotDependOnHowSeatZeroPlays) {
  const TRun classic = PlayOne(THumanStyle::First, TOpponentLevel::Classic, 8);
  EXPECT_EQ(SummaryLine(classic.Summary).find("decision_ms"), std::string::npos);
  const auto first = DealsAndTheirChoices(classic.Transcript);
  ASSERT_EQ(first.size(), static_cast<std::size_t>(DealsPerMatch));
  EXPECT_EQ(first, DealsAndTheirChoices(PlayOne(THumanStyle::Strong, TOpponentLevel::Classic, 8).Transcript));
  EXPECT_EQ(first, DealsAndTheirChoices(PlayOne(THumanStyle::Random, TOpponentLevel::Classic, 8).Transcript));
}

}  // namespace
}  // namespace varlo_test
