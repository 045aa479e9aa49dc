// The headless runner's transcript: the same seed replays the same match
// event for event, and every line has the documented shape.
#include <gtest/gtest.h>
#include <unistd.h>

#include <nlohmann/json.hpp>
#include <set>
#include <sstream>

#include "match_runner.h"

namespace varlo_test {
namespace {

using namespace varlo;

std::string Transcript(std::uint64_t seed, THumanStyle style, const std::string& name) {
  const auto dir = std::filesystem::temp_directory_path() / ("varlo-transcript-" + std::to_string(seed) + "-" + std::to_string(::getpid()));
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  std::ostringstream out;
  TRunOptions options;
  options.Matches = 2;
  options.Seed = seed;
  options.Human = style;
  options.Name = name;
  options.RecordsDir = dir;
  options.Transcript = &out;
  const TRunSummary summary = RunMatches(options);
  EXPECT_TRUE(summary.Failures.empty());
  std::filesystem::remove_all(dir);
  return out.str();
}

TEST(Transcript, SameSeedSameTranscriptOtherSeedAnother) {
  const std::string a = Transcript(21, THumanStyle::Chaos, "You");
  EXPECT_EQ(a, Transcript(21, THumanStyle::Chaos, "You"));
  EXPECT_NE(a, Transcript(22, THumanStyle::Chaos, "You"));
}

TEST(Transcript, EveryLineHasItsEventFieldsAndTheWholeState) {
  const std::string text = Transcript(5, THumanStyle::Chaos, "Zoë \"Z\"");
  const std::vector<std::string> stateKeys{"hands", "trick",  "layout",    "scores",    "leader",
                                           "chooser", "contract", "deals", "skip",
                                           "finish", "hand_line", "game_line", "chosen",   "input"};
  const std::map<std::string, std::set<std::string>> fields{
      {"new", {}},       {"click", {"x", "y"}},         {"beep", {}},
      {"box", {"kind", "text"}}, {"chooser", {"seat", "contract"}}, {"score", {"rows"}},
      {"records", {"rows"}},     {"pause", {"ms"}},    {"fill", {}},
      {"match", {"scores"}}};
  std::istringstream in(text);
  std::string line;
  std::map<std::string, int> seen;
  while (std::getline(in, line)) {
    const auto j = nlohmann::ordered_json::parse(line);
    const std::string ev = j.at("ev");
    ASSERT_TRUE(fields.count(ev)) << ev;
    ++seen[ev];
    std::set<std::string> own;
    for (auto it = j.begin(); it != j.end(); ++it)
      if (it.key() != "ev" && it.key() != "st") own.insert(it.key());
    EXPECT_EQ(own, fields.at(ev)) << line;
    std::vector<std::string> keys;
    for (auto it = j.at("st").begin(); it != j.at("st").end(); ++it) keys.push_back(it.key());
    ASSERT_EQ(keys, stateKeys);
    const auto& st = j.at("st");
    ASSERT_EQ(st.at("hands").size(), 4u);
    for (const auto& hand : st.at("hands")) ASSERT_EQ(hand.size(), 8u);
    ASSERT_EQ(st.at("trick").size(), 4u);
    ASSERT_EQ(st.at("chosen").size(), 4u);
    if (ev == "score") {
      ASSERT_EQ(j.at("rows").size(), 4u);
    }
    if (ev == "pause") {
      ASSERT_EQ(j.at("ms"), 3000);
    }
    if (ev == "click") {
      ASSERT_TRUE(st.at("input").get<bool>());
    }
  }
  EXPECT_EQ(seen["new"], 2);
  EXPECT_EQ(seen["match"], 2);
  EXPECT_EQ(seen["score"], 64);
  EXPECT_EQ(seen["chooser"], 64);
  EXPECT_EQ(seen["records"], 2);
  EXPECT_GT(seen["click"], 0);
  // The human's name, quotes and all, comes out as valid JSON text.
  EXPECT_NE(text.find("Zo\xc3\xab \\\"Z\\\" finished the game"), std::string::npos);
}

}  // namespace
}  // namespace varlo_test
