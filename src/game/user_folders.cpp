#include "user_folders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace varlo {

namespace fs = std::filesystem;

fs::path HomeFolder() {
  const char* home = std::getenv("HOME");
  if (home != nullptr && *home != '\0') return home;
  const passwd* user = ::getpwuid(::getuid());
  return (user != nullptr && user->pw_dir != nullptr) ? fs::path(user->pw_dir) : fs::path();
}

fs::path UserFolder(TUserFolder kind) {
  const char* variable = "XDG_DATA_HOME";
  fs::path fallback = fs::path(".local") / "share";
  if (kind == TUserFolder::Config) {
    variable = "XDG_CONFIG_HOME";
    fallback = ".config";
  } else if (kind == TUserFolder::State) {
    variable = "XDG_STATE_HOME";
    fallback = fs::path(".local") / "state";
  }
  const char* value = std::getenv(variable);
  if (value != nullptr && *value != '\0' && fs::path(value).is_absolute())
    return fs::path(value) / "varlo";
  return HomeFolder() / fallback / "varlo";
}

}  // namespace varlo
