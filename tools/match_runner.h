// Plays whole matches without a window, exactly as the window would: the New
// command's steps, then the simulated human's clicks through PlayTurn.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "human_player.h"

namespace varlo {

struct TRunOptions {
  int Matches = 1;
  std::uint64_t Seed = 1;
  std::string Name = "You";
  THumanStyle Human = THumanStyle::First;
  /// Folder of the records file; it must exist.
  std::filesystem::path RecordsDir;
  /// The records file itself, when it is not RecordsDir's Varlo.ini.
  std::filesystem::path RecordsFile;
  std::ostream* Transcript = nullptr;
  bool Check = true;
};

struct TRunSummary {
  int Matches = 0;
  long Deals = 0;
  long Tricks = 0;
  long Clicks = 0;
  double Seconds = 0;
  std::array<double, 4> MeanScores{};
  std::vector<std::string> Failures;
};

TRunSummary RunMatches(const TRunOptions& options);

/// The runner's closing line: matches=N deals=D tricks=T seconds=X ...
std::string SummaryLine(const TRunSummary& summary);

}  // namespace varlo
