// Finds and loads the statistics window's module the first time the player
// asks for it (see statistics/StatisticsView.h).
#pragma once

#include <QString>
#include <QStringList>

#include "StatisticsView.h"

struct TStatisticsModule {
  /// Makes the window; null when the module could not be loaded.
  TStatisticsDialog CreateDialog = nullptr;
  /// Why it could not be, in a few words.
  QString Error;
};

/// Where the module may lie, in the order tried: beside the program (a
/// build folder), then the game's folder of libraries relative to it.
QStringList StatisticsModulePaths();
/// The module once loaded; a failure is tried again at the next call.
TStatisticsModule LoadStatisticsModule();
