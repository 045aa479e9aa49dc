// The player's own folders under the XDG base directory rules: what he set
// up (config), what he would back up (data) and what can be rebuilt or
// resumed (state), each with the game's own "varlo" folder inside.
#pragma once

#include <filesystem>

namespace varlo {

enum class TUserFolder { Config, Data, State };

/// $XDG_CONFIG_HOME, $XDG_DATA_HOME or $XDG_STATE_HOME when set to an
/// absolute path (a relative one is invalid and ignored), otherwise
/// ~/.config, ~/.local/share or ~/.local/state; then "varlo".
std::filesystem::path UserFolder(TUserFolder kind);

/// The home folder: $HOME, or the password database's entry without it.
std::filesystem::path HomeFolder();

}  // namespace varlo
