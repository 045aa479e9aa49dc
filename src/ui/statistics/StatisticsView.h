// What the game hands the statistics window, a module of its own that the
// game loads only when the player first asks for it: charts need Qt Charts,
// which a start of the game should not have to load. The game reads the
// log and computes the figures; the module only shows them.
#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "statistics_figures.h"

class QDialog;
class QWidget;

namespace varlo {

struct TStatisticsView {
  /// The player keeps statistics (Options > Preferences).
  bool Keeping = false;
  /// The log the figures come from.
  std::string LogFile;
  TStatisticsFigures Figures;
  /// Figures.LastMatch is the window's match, under way or just over,
  /// rather than the log's last line.
  bool MatchInWindow = false;
  /// What reading the log skipped (see TStatisticsLog).
  std::size_t Damaged = 0;
  std::size_t Newer = 0;
  bool Partial = false;
  /// The contracts' names, by index.
  std::array<std::string, ContractCount> ContractNames;
};

}  // namespace varlo

/// The module's file name, beside the game in a build folder or in the
/// game's own folder of libraries once installed.
#define VARLO_STATISTICS_MODULE "varlo-statistics.so"

// The module's entry points, looked up by these names. Game and module
// share their types, so a module of another build is refused: the check
// compares the version and the size of the view.
extern "C" {
using TStatisticsCheck = bool (*)(const char* version, std::size_t viewSize);
/// The dialog, owned by the caller; parent is its owner window.
using TStatisticsDialog = QDialog* (*)(const varlo::TStatisticsView* view, QWidget* parent);
}
inline constexpr const char* StatisticsCheckName = "varlo_statistics_check";
inline constexpr const char* StatisticsDialogName = "varlo_statistics_dialog";
