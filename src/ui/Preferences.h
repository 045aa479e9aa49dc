// The player's choices of Options > Preferences, and where they last: an
// INI file in the player's configuration folder that exists only once he has
// pressed OK there. Every choice defaults to the game as it always was.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <optional>

#include "computer_player.h"
#include "match_config.h"

struct TLook {
  QString Name;
  QFont Font;
  QColor FontColour;
  QColor Background;
  bool operator==(const TLook&) const = default;
};

struct TPreferences {
  varlo::TOpponentLevel Opponents = varlo::TOpponentLevel::Classic;
  /// varlo::TrickPauseMs, 1500, 500 or varlo::PauseUntilClick.
  int PauseMs = varlo::TrickPauseMs;
  bool MessagesOnTable = false;
  bool KeepUnfinished = false;
  bool TakeBack = false;
  /// Every match that ends goes into the statistics log.
  bool KeepStatistics = false;
  /// The name, font and background of the Options menu last across starts.
  bool RememberLook = false;
  /// Under each card the human may play, what it is worth to him (the
  /// coach); a match played so is assisted.
  bool Coach = false;
  /// What was remembered; only read while RememberLook is on.
  std::optional<TLook> Look;

  bool operator==(const TPreferences&) const = default;
};

/// The pauses the player can choose, the default first.
inline constexpr int PauseChoices[] = {varlo::TrickPauseMs, 1500, 500, varlo::PauseUntilClick};

/// $XDG_CONFIG_HOME/varlo/varlo.conf (~/.config when unset).
QString PreferencesFile();

/// The choices in the file. A missing file, or one that is no regular file
/// or too large to be ours, gives the defaults; an unknown key is ignored
/// and a bad value gives that key's default. readable: false when the file
/// exists but could not be read (the choices then last for this run only).
TPreferences LoadPreferences(const QString& file, bool* readable = nullptr);
/// Writes the choices (atomically, through Qt's settings). False when the
/// file cannot be written or is not ours to replace.
bool SavePreferences(const QString& file, const TPreferences& preferences);
