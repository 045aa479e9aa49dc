// The unfinished match's file: every position of real matches comes back
// from it equal, and whatever else lies in its place is turned away without
// a crash or a hang, a damaged file set aside and a newer one left alone.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <nlohmann/json.hpp>

#include "fake_screen.h"
#include "match.h"
#include "match_file.h"
#include "match_runner.h"
#include "temp_folder.h"

namespace varlo_test {
namespace {

using namespace varlo;

// The match as it stands whenever the human is about to click.
class TPositions final : public TEventSink {
 public:
  void OnEvent(const TMatch& match, const TEventRecord& event) override {
    if (event.Kind == varlo::TEventKind::Click) States.push_back(match.State());
  }
  std::vector<TMatchState> States;
};

TEST(MatchFile, EveryPositionOfManyMatchesComesBackEqual) {
  TempFolder dir;
  TPositions positions;
  for (const THumanStyle style : {THumanStyle::Chaos, THumanStyle::Random}) {
    TRunOptions options;
    options.Matches = 1;
    options.Seed = 31 + static_cast<int>(style);
    options.Human = style;
    options.RecordsDir = dir.Path();
    options.Listener = &positions;
    options.Name = "Zo\xC3\xAB \"Z\"\\";
    RunMatches(options);
  }
  ASSERT_GT(positions.States.size(), 150u);
  for (std::size_t i = 0; i < positions.States.size(); ++i) {
    TSavedMatch saved{positions.States[i], {}, TOpponentLevel::Strong, 0xFEDCBA9876543210ULL};
    // Take-back points are whole states too: the previous positions.
    for (std::size_t back = i >= 3 ? i - 3 : 0; back < i; ++back)
      saved.TakeBackPoints.push_back(positions.States[back]);
    const TLoadResult loaded = DecodeMatch(EncodeMatch(saved));
    ASSERT_EQ(loaded.Status, TLoadStatus::Loaded) << "position " << i << ": " << loaded.Reason;
    ASSERT_TRUE(loaded.Saved == saved) << "position " << i;
  }
}

// A valid file's text with one value replaced (at a JSON pointer).
std::string Altered(const std::string& pointer, const nlohmann::json& value) {
  TTable table;
  table.Match.NewMatch();
  auto file = nlohmann::json::parse(EncodeMatch({table.Match.State(), {}, TOpponentLevel::Classic, 7}));
  if (!pointer.empty()) file[nlohmann::json::json_pointer(pointer)] = value;
  return file.dump(1);
}

nlohmann::json AllCards() {
  nlohmann::json all = nlohmann::json::array();
  for (TCard c = 0; c < DeckSize; ++c) all.push_back(c);
  return all;
}

struct THostileCase {
  const char* Name;
  std::string Content;
  TLoadStatus Expected;
};

TEST(MatchFile, HostileFilesAreTurnedAwayAndDamagedOnesSetAside) {
  const std::string valid = Altered("", {});
  const std::vector<THostileCase> cases{
      {"empty", "", TLoadStatus::Corrupt},
      {"truncated", valid.substr(0, valid.size() / 2), TLoadStatus::Corrupt},
      {"not JSON", "Varlo\x01\x02\xff", TLoadStatus::Corrupt},
      {"foreign JSON", "[1, 2, 3]", TLoadStatus::Corrupt},
      {"no format", "{\"match\": {}}", TLoadStatus::Corrupt},
      {"format zero", Altered("/format", 0), TLoadStatus::Corrupt},
      {"newer format", "{\"format\": 2, \"something\": \"else\"}", TLoadStatus::Newer},
      {"leader out of range", Altered("/match/deal/leader", 9), TLoadStatus::Corrupt},
      {"unknown contract", Altered("/match/deal/contract", "Varlo"), TLoadStatus::Corrupt},
      {"card out of range", Altered("/match/deal/trick/0", 32), TLoadStatus::Corrupt},
      {"held and played", Altered("/match/deal/played", AllCards()), TLoadStatus::Corrupt},
      {"computer renamed", Altered("/match/deal/players/1/name", "Jock"), TLoadStatus::Corrupt},
      {"finished match", Altered("/match/progress/deals_played", 32), TLoadStatus::Corrupt},
      {"seed as text", Altered("/opponents_seed", "7"), TLoadStatus::Corrupt},
      {"nested deep", std::string(100000, '[') + std::string(100000, ']'), TLoadStatus::Corrupt},
      {"oversized", valid + std::string(MatchFileLimit, ' '), TLoadStatus::Corrupt},
  };
  TempFolder dir;
  const std::filesystem::path file = dir.Path() / MatchFileName;
  for (const THostileCase& c : cases) {
    SCOPED_TRACE(c.Name);
    std::filesystem::remove(dir.Path() / "match.json.bad");
    WriteBytes(file, c.Content);
    const TLoadResult loaded = LoadMatchFile(file);
    EXPECT_EQ(loaded.Status, c.Expected) << loaded.Reason;
    if (c.Expected == TLoadStatus::Corrupt) {
      // What the game does with a damaged file: kept aside, to be looked at.
      EXPECT_TRUE(SetAsideMatchFile(file));
      EXPECT_FALSE(std::filesystem::exists(file));
      EXPECT_EQ(ReadBytes(dir.Path() / "match.json.bad"), c.Content);
    }
  }
  // Whatever is no regular file is neither read nor moved.
  std::filesystem::remove(file);
  ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
  EXPECT_EQ(LoadMatchFile(file).Status, TLoadStatus::NotAFile);  // no hang on the pipe
  EXPECT_FALSE(SetAsideMatchFile(file));
  std::filesystem::remove(file);
  std::filesystem::create_directory(file);
  EXPECT_EQ(LoadMatchFile(file).Status, TLoadStatus::NotAFile);
  std::filesystem::remove(file);
  std::filesystem::create_symlink("/dev/zero", file);
  EXPECT_EQ(LoadMatchFile(file).Status, TLoadStatus::NotAFile);
  std::filesystem::remove(file);
  EXPECT_EQ(LoadMatchFile(file).Status, TLoadStatus::Missing);
}

}  // namespace
}  // namespace varlo_test
