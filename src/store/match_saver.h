// Keeps the unfinished match's file up to date without making the player
// wait for the disk: the match is encoded at once, and a thread of its own
// writes it (synced, as every save is). Only the latest request matters, so
// requests that pile up while a write is under way collapse into one.
#pragma once

#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>

#include "match_file.h"

namespace varlo {

class TMatchSaver {
 public:
  explicit TMatchSaver(std::filesystem::path file);
  /// Finishes what was asked: the last save is on disk when the game ends.
  ~TMatchSaver();
  TMatchSaver(const TMatchSaver&) = delete;
  TMatchSaver& operator=(const TMatchSaver&) = delete;

  /// The match is written soon; a later Save or Remove replaces it if it
  /// has not been written yet.
  void Save(const TSavedMatch& saved);
  /// The file goes, once what was asked before has been done.
  void Remove();
  /// Waits until everything asked has been done.
  void Flush();
  const std::filesystem::path& File() const { return Path; }

 private:
  enum class TNext { Nothing, Write, Remove };
  void Run();

  const std::filesystem::path Path;
  std::mutex Lock;
  std::condition_variable Wake, Done;
  TNext Next = TNext::Nothing;
  std::string Text;
  bool Busy = false;
  bool Stopping = false;
  std::thread Worker;
};

}  // namespace varlo
